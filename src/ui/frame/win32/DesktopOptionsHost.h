// What the options dialog's OK and buttons do in the desktop program: the main
// window, the shell's registry and desktop, the histories and the status tick.
#pragma once

#include <functional>
#include <optional>
#include <string>

#include "app/LanguageFiles.h"
#include "app/NewNameHistory.h"
#include "app/SettingsFile.h"
#include "platform/FileSystem.h"
#include "platform/Locale.h"
#include "platform/Prompter.h"
#include "ui/browser/MainWindow.h"
#include "ui/browser/win32/MainWindowView.h"
#include "ui/frame/OptionsDialog.h"

namespace renamora::ui::win {

struct DesktopOptionsServices {
  FileSystem& fs;
  const Locale& locale;
  Prompter& prompter;
  SettingsFile& settings;
  TableChoice& texts;  // the program's string table, chosen again on a language change
  BrowserController& browser;
  MainWindowView& mainWindow;
  NewNameHistory& newNames;
  std::u16string programFolder;  // with its separator
  std::u16string programFile;
  std::u16string dataFolder;
};

class DesktopOptionsHost final : public OptionsHost {
 public:
  DesktopOptionsHost(DesktopOptionsServices services, std::u16string languageName);
  // The dialog whose values the main window takes on OK; set once it exists.
  void Bind(const OptionsController* dialog) { dialog_ = dialog; }

  // Loads the set named in the settings into the main window at start; a set
  // whose folder is missing is forgotten for the run.
  void LoadIconSetAtStart(std::u16string_view name);
  // At exit: registers the Explorer library once, when the option asks for it and
  // the library is there; silent.
  void RegisterOnExit();
  // Whether the edit window must place itself and the preview window anew.
  bool EditWindowsToBePlaced() const { return placeEditWindows_; }
  void EditWindowsPlaced() { placeEditWindows_ = false; }
  // The folder of the icon set in use; empty for the built-in glyphs.
  std::u16string ActiveIconSetFolder() const { return iconSet_.empty() ? std::u16string{} : IconSetFolder(iconSet_); }
  // The other windows whose buttons show the icon set's pictures.
  std::function<void(std::u16string_view folder)> iconSetLoaded;

  // Windows made by others: the quick start window and the new-name editor.
  std::function<void()> showQuickStart;
  std::function<void()> hideQuickStart;
  std::function<void()> editNewNames;
  // The new-name history was cleared: the editor's text goes too.
  std::function<void()> newNamesCleared;
  // The other windows re-apply their texts after a change of language.
  std::function<void()> languageChanged;

  const TextLookup& Texts() const override { return s_.texts.table; }
  std::u16string LanguageName() const override { return languageName_; }
  std::u16string LanguageInUse() const override { return s_.texts.languageInUse; }
  std::u16string ActiveIconSet() const override { return iconSet_; }
  void ApplyCheckBoxes(bool on) override;
  void LoadFolderHistoryIfEmpty(int foldernum) override;
  void ShowQuickStartIfListEmpty() override;
  void HideQuickStart() override;
  void RegisterContextMenu(bool on) override;
  void ApplyIconSet(const std::optional<std::u16string>& name) override;
  void ApplyLanguage(std::u16string_view name) override;
  void ChangeNewNameMaximum(int maximum) override { s_.newNames.ChangeMaximum(maximum); }
  void PlaceEditWindowsAnew() override { placeEditWindows_ = true; }
  void ClearNewNameHistory() override;
  void EditNewNameHistory() override;
  void ClearFolderHistory() override;
  void CreateDesktopShortcut() override;
  void StopStatusTimer() override { s_.browser.StopStatusTimer(); }
  void StartStatusTimer() override { s_.browser.StartStatusTimer(); }
  void ProcessPendingEvents() override;

 private:
  std::u16string IconSetFolder(std::u16string_view name) const;

  DesktopOptionsServices s_;
  const OptionsController* dialog_ = nullptr;
  std::u16string languageName_;
  std::u16string iconSet_;
  bool placeEditWindows_ = false;
};

}  // namespace renamora::ui::win

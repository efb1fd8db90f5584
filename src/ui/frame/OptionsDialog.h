// The options dialog (TForm7): the state of its five pages, its number-box and check-box rules, OK, Cancel and Default.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "app/LanguageFiles.h"
#include "app/Settings.h"
#include "app/SettingsFile.h"
#include "core/Messages.h"
#include "platform/FileSystem.h"
#include "platform/Locale.h"
#include "platform/Prompter.h"
#include "ui/WindowController.h"

namespace renamora::ui {

// What the dialog's OK and buttons do to the rest of the program: the main
// window, the other windows, the histories and the shell.
class OptionsHost {
 public:
  virtual ~OptionsHost() = default;

  // The active string table; the dialog's texts and messages come from it.
  virtual const TextLookup& Texts() const = 0;
  // The chosen language (the Language key, empty: the system's) and the listed
  // name of the language file in use (empty: the built-in English).
  virtual std::u16string LanguageName() const = 0;
  virtual std::u16string LanguageInUse() const = 0;
  // The icon set whose glyphs the main window shows; empty for the built-in ones.
  virtual std::u16string ActiveIconSet() const = 0;

  // The main list's check boxes, the check-all box and the menu entries that go with them.
  virtual void ApplyCheckBoxes(bool on) = 0;
  // Loads the used folders into the path box when it has none yet.
  virtual void LoadFolderHistoryIfEmpty(int foldernum) = 0;
  virtual void ShowQuickStartIfListEmpty() = 0;
  virtual void HideQuickStart() = 0;
  // Registers (or unregisters) the Explorer context-menu handler and reports its
  // own failures; every other setting of the same OK is stored already.
  virtual void RegisterContextMenu(bool on) = 0;
  // The Icon key is written already. A name: load that set into the windows;
  // nothing: the built-in glyphs come back only with the next start.
  virtual void ApplyIconSet(const std::optional<std::u16string>& name) = 0;
  // The Language key is written already: choose the table and apply it to the
  // other windows (the dialog applies it to itself).
  virtual void ApplyLanguage(std::u16string_view name) = 0;
  // The new-name maximum changed; a lower one cuts the list and saves it.
  virtual void ChangeNewNameMaximum(int maximum) = 0;
  // The edit window places itself and the preview window anew when it next opens.
  virtual void PlaceEditWindowsAnew() = 0;
  virtual void ClearNewNameHistory() = 0;  // asks first
  virtual void EditNewNameHistory() = 0;
  virtual void ClearFolderHistory() = 0;  // asked already
  virtual void CreateDesktopShortcut() = 0;
  virtual void StopStatusTimer() = 0;
  virtual void StartStatusTimer() = 0;
  // Lets the windows repaint between the steps of OK that change their looks.
  virtual void ProcessPendingEvents() = 0;
};

// The first entry of the icon-set list: the glyphs built into the program.
inline constexpr std::u16string_view kDefaultIconSetEntry = u"Zidov (default)";

// The modal results, numbered as the system's IDOK and IDCANCEL.
inline constexpr int kOptionsOk = 1;
inline constexpr int kOptionsCancel = 2;

class OptionsController final : public WindowController {
 public:
  struct Services {
    FileSystem& fs;
    const Locale& locale;
    Prompter& prompter;
    SettingsFile& settings;
    OptionsHost& host;
    std::u16string programFolder;  // Languages and Icons are found below it
  };
  explicit OptionsController(Services services);

  // The page indexes of the tab control.
  enum Page : int { General, Rename, History, Language, Display, PageCount };

  // From Settings.ini into the boxes and the main window; nothing when the file
  // is missing. Also used at the first status tick and in a direct edit start.
  void LoadSettings();
  // The Options button: call before the view shows the dialog modally.
  void Show();

  // The values the boxes stand for, which the rest of the program reads. While
  // a number box holds a text that is no number, its last valid value.
  const OptionSettings& Options() const { return options_; }
  // The quick start window's "Show next time" was clicked (it wrote the key).
  void SetShowGuide(bool on) { options_.Showguide = on; }
  // The edit window's sample menu switches the automatic copy.
  void SetAutocopy(bool on) { options_.Autocopy = on; }
  // The new-name editor saved a list of another length (it wrote the key).
  void SetNewNameMaximum(int maximum);

  // The view tells where the focus went, so that Enter and Esc follow the
  // focused control, and a number box left with a text that is no number shows
  // its value again (but not when the focus went to OK, which says why).
  void FocusMoved(int fromId, int toId);

  // The tab control's page titles and the active page.
  std::vector<std::u16string> PageTitles() const;
  int ActivePage() const { return activePage_; }
  // The range of a number box's up-down arrows.
  NumberRange SpinRange(int spinId) const;
  // A control's tooltip; empty for none.
  std::u16string Hint(int controlId) const;

  const std::vector<LanguageListEntry>& Languages() const { return languages_; }
  std::optional<std::size_t> LanguageSelection() const { return languageSelection_; }
  const std::vector<std::u16string>& IconSets() const { return iconSets_; }
  std::optional<std::size_t> IconSetSelection() const { return iconSetSelection_; }

  std::u16string Caption() const override;
  std::vector<int> ControlIds() const override;
  ControlState State(int controlId) const override;
  void Command(int controlId) override;
  void Checked(int controlId, bool checked) override;
  void TextChanged(int controlId, std::u16string_view text) override;
  void SelectionChanged(int controlId, int index) override;
  bool Accept() override;
  bool CancelDialog() override;
  std::optional<int> CloseResult() const override { return closeResult_; }

 private:
  struct NumberBoxState {
    std::u16string text;
    bool valid = true;  // the text is the number the value holds (maybe being typed)
  };

  void ApplyTexts(const TextLookup& texts);
  void FillLanguages();
  void FillIconSets();
  void ShowNumbers();
  void Ok();
  void Cancel();
  [[nodiscard]] bool NumbersValid();
  void ApplyIconSetChoice();
  void ApplyLanguageChoice();
  void ClearUsedFolders();
  NumberBoxState& BoxState(int controlId);
  const NumberBoxState& BoxState(int controlId) const;

  Services services_;
  OptionSettings options_;
  OptionSettings optionsAtShow_;  // what Cancel brings back when there is no file to load
  NumberBoxState previewBox_, newNameBox_, foldersBox_;
  bool createShortcut_ = false;
  int activePage_ = General;
  std::vector<LanguageListEntry> languages_;
  std::optional<std::size_t> languageSelection_;
  std::vector<std::u16string> iconSets_;
  std::optional<std::size_t> iconSetSelection_;
  int newNameMaximumAtOpen_ = 0;
  bool textsApplied_ = false;
  std::vector<std::u16string> texts_;  // by row of the control table
  std::u16string caption_;
  std::vector<std::u16string> pageTitles_;
  std::u16string autoCopyHint_;
  int focusedId_ = 0;
  std::optional<int> closeResult_;
};

}  // namespace renamora::ui

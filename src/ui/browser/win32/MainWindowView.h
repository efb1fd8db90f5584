// The main window's Win32 view: creates the buttons, the path box, the owner-data
// list, the status bar and the menus, and forwards what the user does to the
// BrowserController.
#pragma once

#include <functional>
#include <map>
#include <string>
#include <vector>

#include "platform/win32/IncludeWindows.h"
#include "ui/browser/MainWindow.h"
#include "ui/win/ControllerView.h"
#include "ui/win/Controls.h"

namespace renamora::ui::win {

// What the main window opens that lives in other windows.
struct MainWindowDialogs {
  std::function<int()> addOption;                   // 0, 1 or 2
  std::function<bool(std::size_t item)> renameItem;  // true when renamed
  std::function<void()> options;
  std::function<void()> about;
  std::function<void()> showQuickStart;
  std::function<void()> closeQuickStart;
  std::function<bool()> quickStartShown;
  std::function<bool()> quickStartClosedByUser;
  std::function<void()> help;
  std::function<void()> close;  // the program ends
  std::function<void()> settingsLoaded;  // the first status tick read the settings
  std::function<void(bool needsProbe)> openEdit;  // the edit window, modally
  std::function<void()> saveChosenFiles;
};

class MainWindowView;

// The main window's host: dialogs through MainWindowDialogs, shell services
// through ui/win/Shell.h, the rest through the view. Made before the controller,
// bound to the view once that exists.
class Win32BrowserHost final : public BrowserHost {
 public:
  void Bind(MainWindowView* view, MainWindowDialogs dialogs) {
    view_ = view;
    dialogs_ = std::move(dialogs);
  }
  int ShowAddOptionDialog() override;
  std::u16string BrowseForFolder(std::u16string_view title) override;
  std::vector<std::u16string> ChooseFiles(std::u16string_view title, std::u16string_view initialFolder) override;
  void ShowOptions() override;
  void ShowAbout() override;
  void SetBusyCursor(bool busy) override;
  void PumpDuringListing() override { throttle_.Tick(); }
  void CloseProgram() override;
  void ShowQuickStart() override;
  void CloseQuickStart() override;
  bool QuickStartShown() const override;
  bool QuickStartClosedByUser() const override;
  bool RenameItem(std::size_t index) override;
  void OpenItem(std::u16string_view path) override;
  void OpenPath(std::u16string_view path) override;
  void ShowProperties(std::u16string_view path) override;
  bool Recycle(std::u16string_view path) override;
  void CopyText(std::u16string_view text) override;
  bool StartInstance(std::u16string_view mode) override;
  void SetAlwaysOnTop(bool onTop) override;
  std::u16string SpecialFolderPath(SpecialFolder folder) override;
  void ShowHelp() override;
  void PlayEndSound() override;
  void SettingsLoadedAtStart() override;
  void OpenEditWindow(bool needsProbe) override;
  void SaveChosenFiles() override;

 private:
  HWND Window() const;
  MainWindowView* view_ = nullptr;
  MainWindowDialogs dialogs_;
  PumpThrottle throttle_;
};

class MainWindowView final : public ControllerView {
 public:
  MainWindowView(BrowserController& controller, Win32Timers& timers);
  ~MainWindowView() override;

  // Creates the window (hidden) with all its controls.
  bool Create();
  void SetBusy(bool busy);
  // Writes the controller's state into every control, the list included.
  void Refresh();
  HWND List() const { return list_; }
  HWND PathBox() const { return pathBox_.Handle(); }
  // Keys the main loop gives the window before IsDialogMessageW; true when taken.
  bool PreTranslate(MSG& msg);
  // Fills the list view's rows now (the count and a repaint): the view does it
  // after every command.
  void SyncList();
  // Hints and column titles from the active string table, and every caption again
  // at the next mirror (after a change of language).
  void ApplyTexts();
  // Glyphs of an icon set: each button whose bitmap (its name + ".bmp") the
  // folder holds shows it from now on; the others keep what they show.
  void LoadGlyphFiles(std::u16string_view folder);

 protected:
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
  bool OnCommand(int id, int code, HWND control) override;
  void AfterCommand() override { SyncList(); }

 private:
  void CreateControls();
  void Layout();
  void SetButtonGlyph(HWND button, int glyphId, int size);
  LRESULT OnNotify(NMHDR* header);
  void SelectionFromView();
  void SelectionToView();
  void ShowListMenu(POINT at);
  void ShowQuickAccessMenu();
  int IconOf(std::size_t item);

  BrowserController& c_;
  Win32Timers& timers_;
  std::map<int, Button> buttons_;
  Button back_, upper_;
  ComboBox pathBox_;
  HWND list_ = nullptr;
  CheckBox checkAll_, onTop_;
  Label emptyNotice_;
  HWND status_ = nullptr;
  HWND tooltip_ = nullptr;
  HMENU quickMenu_ = nullptr;
  std::uint64_t shownListVersion_ = ~0ull;
  std::uint64_t shownSelectionVersion_ = ~0ull;
  std::vector<std::u16string> shownHistory_;
  std::u16string shownStatus_, shownTotal_;
  bool busy_ = false;
  bool selectionSyncPosted_ = false;
  int folderIcon_ = -1;
  std::map<std::u16string, int> iconByExtension_;
  std::map<int, HBITMAP> glyphFiles_;  // by glyph index; loaded from an icon set
  UINT dpi_ = 96;
};

}  // namespace renamora::ui::win

// The main window (TForm4): the file browser's state, rules and commands. The
// Win32 view shows the FileList as an owner-data list and forwards clicks, keys
// and menu choices here; dialogs and shell services are reached through BrowserHost.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "app/FileList.h"
#include "app/Settings.h"
#include "app/SettingsFile.h"
#include "core/Messages.h"
#include "core/ProgramState.h"
#include "app/RunSession.h"
#include "core/UndoLog.h"
#include "platform/FileSystem.h"
#include "platform/Prompter.h"
#include "ui/WindowController.h"

namespace renamora::ui {

// What the main window needs from dialogs, the shell and the window system.
class BrowserHost {
 public:
  virtual ~BrowserHost() = default;
  // The folder add option dialog: 0 cancelled, 1 show a folder, 2 add a folder's files.
  virtual int ShowAddOptionDialog() = 0;
  // The folder picker; empty when cancelled.
  virtual std::u16string BrowseForFolder(std::u16string_view title) = 0;
  // The open-files dialog; empty when cancelled.
  virtual std::vector<std::u16string> ChooseFiles(std::u16string_view title, std::u16string_view initialFolder) = 0;
  virtual void ShowOptions() = 0;
  virtual void ShowAbout() = 0;
  virtual void SetBusyCursor(bool busy) = 0;
  // Lets pending messages through during a listing (not more often than every
  // few milliseconds); the listing stops when the controller's abort request is set.
  virtual void PumpDuringListing() = 0;
  virtual void CloseProgram() = 0;
  virtual void ShowQuickStart() = 0;
  virtual void CloseQuickStart() = 0;
  virtual bool QuickStartShown() const = 0;
  virtual bool QuickStartClosedByUser() const = 0;
  // The single-item rename dialog for item `index`; true when it renamed it.
  virtual bool RenameItem(std::size_t index) = 0;
  virtual void OpenItem(std::u16string_view path) = 0;
  virtual void OpenPath(std::u16string_view path) = 0;
  virtual void ShowProperties(std::u16string_view path) = 0;
  // Moves an item to the recycle bin; false when it stays where it is.
  [[nodiscard]] virtual bool Recycle(std::u16string_view path) = 0;
  virtual void CopyText(std::u16string_view text) = 0;
  // Starts another instance of the program with a mode argument.
  virtual bool StartInstance(std::u16string_view mode) = 0;
  virtual void SetAlwaysOnTop(bool onTop) = 0;
  // A special folder of the user (music, pictures, desktop, documents), ending with
  // the separator; empty when the system has none.
  enum class SpecialFolder { Music, Pictures, Desktop, Documents };
  virtual std::u16string SpecialFolderPath(SpecialFolder folder) = 0;
  virtual void ShowHelp() = 0;
  virtual void PlayEndSound() = 0;
  // The first status tick read the settings into the main window; the windows
  // that show settings too read them now.
  virtual void SettingsLoadedAtStart() {}
  // The edit window for the edit the program state describes, shown modally;
  // `needsProbe`: no list item gave the sample, the target probe must find one.
  virtual void OpenEditWindow(bool /*needsProbe*/) {}
  // The Save button over chosen files: their names go to a text file at once.
  virtual void SaveChosenFiles() {}
};

struct BrowserServices {
  FileSystem& fs;
  const Locale& locale;
  const Clock& clock;
  const TextLookup& texts;
  Prompter& prompter;
  SettingsFile& settings;
  WindowTimers& timers;
  BrowserHost& host;
  ProgramState& program;
  RunSession& session;
  std::u16string dataFolder;
};

class BrowserController final : public WindowController {
 public:
  explicit BrowserController(const BrowserServices& services);

  // The start: settings read, texts chosen; `plainStart` starts the status timer.
  void Start(bool plainStart);
  void SetOptions(const OptionSettings& options);
  // A start with a mode argument: the edit window opens (or the handed-over
  // files' names are saved) once the start is over, on the edit timer.
  void StartEditSoon();
  // A modal dialog pauses the status tick while it is open.
  void StopStatusTimer();
  void StartStatusTimer();
  const OptionSettings& Options() const { return options_; }

  std::u16string Caption() const override;
  std::vector<int> ControlIds() const override;
  ControlState State(int controlId) const override;
  void Command(int controlId) override;
  void Checked(int controlId, bool checked) override;
  void TextChanged(int controlId, std::u16string_view text) override;
  void SelectionChanged(int controlId, int index) override;
  void TimerFired(int timerId) override;
  bool Accept() override;  // Enter: in the path box

  // The list.
  FileList& List() { return list_; }
  const FileList& List() const { return list_; }
  // Changes whenever the list's rows change (count, order, texts); the view then
  // gives the list view the new count and repaints.
  std::uint64_t ListVersion() const { return listVersion_; }
  // Changes whenever a command changed which items are selected; the view then
  // writes the model's selection into the list view.
  std::uint64_t SelectionVersion() const { return selectionVersion_; }
  std::u16string CellText(std::size_t item, int column) const;
  std::u16string ColumnTitle(int column) const;
  void ColumnClicked(int column);
  void ListClicked();                 // a click on the list, also on a check box
  void ToggleCheck(std::size_t item);  // a click on an item's check box or Space
  void DoubleClicked();
  // The list view's selection changed (keys, clicks, the view's own writes).
  void ListSelectionChanged() { deleteEnabled_ = list_.FirstSelected().has_value(); }
  std::u16string HintText(int controlId) const;
  // A key in the list; ctrl tells whether Ctrl was down. True when taken.
  bool ListKey(unsigned virtualKey, bool ctrl);
  void FilesDropped(const std::vector<std::u16string>& paths);
  bool ListingRunning() const { return listingRunning_; }
  bool AbortRequested() const { return abortRequest_; }

  // The path box and its history.
  const std::u16string& PathBoxText() const { return pathBox_; }
  const std::vector<std::u16string>& History() const { return history_; }
  void PathDropDownOpened();
  void PathDropDownClosed();
  void PathHistoryChosen(int index);
  // Del in the path box: removes the history entry at the list's selection.
  void PathHistoryDelete(int index);
  int PathBoxListSelection() const { return pathSelection_; }
  // The stored used folders, when the path box has none yet.
  void LoadFolderHistoryIfEmpty(int foldernum);
  // Forgets every used folder; the stored ones go when the window closes.
  void ClearFolderHistory() { history_.clear(); }

  // The popup menu: the entries and their states when it opens, and their texts.
  ControlState MenuState(int menuId) const;
  std::u16string MenuText(int menuId) const;
  // The quick access menu.
  void QuickAccess(int menuId);
  void QuickAccessDrive(char16_t letter);

  // Statusbar panels.
  const std::u16string& StatusText() const { return status_; }
  // A named language whose file is missing says so in the first panel.
  void ShowLanguageStatus(std::u16string_view text) { status_ = std::u16string(text); }
  void SetStatusText(std::u16string_view text) { status_ = std::u16string(text); }
  // The second panel: the renamed-files total, or the outcome of the last run.
  const std::u16string& TotalText() const { return totalText_; }
  void SetSecondStatusText(std::u16string_view text) { totalText_ = std::u16string(text); }

  // What the edit window changes when it closes.
  // The folder goes first in the used folders (an equal entry further down goes)
  // and into the path box.
  void PutFolderFirst(std::u16string_view folder);
  void SetListMode(FileListMode mode) { list_.SetMode(mode); }
  // Items added to the list as chosen files, whatever the list showed before.
  void AddChosenFiles(const std::vector<std::u16string>& paths);
  void ClearListForEdit() { EmptyList(); }

  // Lists the folder in the path box now (Refresh, Back and the edit window's
  // reload record nothing on the Back stack).
  enum class ListingReason { User, Back, Refresh, AfterRename };
  void ListPathBox(ListingReason reason = ListingReason::User);
  // Puts a folder into the path box and lists it after any running listing.
  void RequestListing(std::u16string_view folder);
  void Refresh();
  // The single-item rename changed an item's text.
  void ItemRenamed(std::size_t index, std::u16string_view newText);
  // Saves the window's state at exit (the caller writes the place).
  void SaveHistory();
  // The progress window in which a long undo runs; its Cancel sets the session's
  // stop request. None: the undo runs with the hourglass only.
  void SetProgressWindow(RunObserver* progress) { progress_ = progress; }

 private:
  std::u16string T(MessageId id) const { return s_.texts.Lookup(id); }
  void Inform(MessageId id);
  bool Ask(MessageId first, MessageId second, PromptButtons buttons);
  void ShowSelectionStatus(int n);
  void ShowItemCount();
  void ListChanged() { ++listVersion_; }
  void SelectionChangedByCommand() { ++selectionVersion_; }
  void UncheckBoxSuppressed();
  void ApplyCheckOutcome(const FileList::CheckOutcome& outcome);
  void EmptyList();
  void FolderButton();
  void FilesButton();
  void UpperFolder();
  void Back();
  void RemoveFromList();
  void ClearList();
  void NewFolder();
  void RecycleSelected();
  void CopyName();
  void HandOver(int entry);
  void RenameSelected();
  void ShortcutCleaner();
  void Undo();
  // An edit button: the edit window for the folder or the chosen files.
  void StartEdit(std::u16string_view mode);
  void ShowUndoFailures(const UndoResult& result);
  void PushCurrentView();
  void SwitchToChosenFiles();
  // Files chosen or dropped over a folder view: asks, then keeps the folder on the
  // Back stack and empties the list. False when the user declined.
  bool LeaveFolderViewForFiles();
  void AddChosenPath(std::u16string_view path, std::u16string_view typeText);
  void StatusTick();
  std::u16string FolderTypeText() const { return T(9); }
  std::optional<std::size_t> OnlySelected() const;

  BrowserServices s_;
  RunObserver* progress_ = nullptr;
  OptionSettings options_;
  FileList list_;
  BackStack back_;
  std::uint64_t listVersion_ = 0;
  std::uint64_t selectionVersion_ = 0;
  std::u16string pathBox_;
  std::vector<std::u16string> history_;
  int pathSelection_ = -1;
  std::u16string dropDownText_;
  bool dropDownChosen_ = false;
  bool checkAllChecked_ = true;
  bool suppressCheckAll_ = false;
  bool listingRunning_ = false;
  bool abortRequest_ = false;
  ListingReason pendingReason_ = ListingReason::User;
  bool deleteEnabled_ = false;
  bool undoEnabled_ = false;
  bool backEnabled_ = false;
  bool onTop_ = false;
  bool emptyNoticeVisible_ = false;
  std::u16string emptyNoticeText_;
  std::u16string status_;
  std::u16string totalText_;
  bool firstTick_ = true;
  bool historyLoaded_ = false;
};

}  // namespace renamora::ui

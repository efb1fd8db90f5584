// The main window's commands: listing and navigation, checks and selection, the
// popup menu's file commands and the status timer.
#include "ui/browser/MainWindow.h"

#include <algorithm>

#include "app/EditStart.h"
#include "app/StartUp.h"
#include "base/Paths.h"
#include "core/PathCompare.h"
#include "core/UndoLog.h"
#include "ui/ControlIds.h"
#include "ui/browser/FileCommands.h"

namespace renamora::ui {
namespace {

constexpr unsigned kStatusFirstTickMs = 200;
constexpr unsigned kStatusTickMs = 1000;
constexpr unsigned kEditTimerMs = 100;
constexpr unsigned kDeferredListingMs = 10;

std::u16string Trimmed(std::u16string_view text) {
  std::size_t begin = 0;
  std::size_t end = text.size();
  while (begin < end && text[begin] == u' ') ++begin;
  while (end > begin && text[end - 1] == u' ') --end;
  return std::u16string(text.substr(begin, end - begin));
}

std::u16string Padded(std::u16string text, int blanks, std::u16string_view key) {
  text.append(static_cast<std::size_t>(blanks), u' ');
  text += key;
  return text;
}

}  // namespace

BrowserController::BrowserController(const BrowserServices& services)
    : s_(services), list_(services.fs, services.clock, services.locale) {
  list_.SetMode(FileListMode::ChosenFiles);
  emptyNoticeText_ = T(91);
}

void BrowserController::Start(bool plainStart) {
  totalText_ = RenamedTotalText(s_.texts, s_.program.RenamedTotal);
  if (plainStart) s_.timers.Start(IDT_STATUS, kStatusFirstTickMs);
}

void BrowserController::StopStatusTimer() { s_.timers.Stop(IDT_STATUS); }

void BrowserController::StartStatusTimer() {
  // A first tick still to come keeps its short delay: it loads the settings.
  s_.timers.Start(IDT_STATUS, firstTick_ ? kStatusFirstTickMs : kStatusTickMs);
}

void BrowserController::SetOptions(const OptionSettings& options) {
  const bool boxWasHidden = !options_.Checkbox;
  options_ = options;
  list_.SetShowsCheckBoxes(options.Checkbox);
  // Check boxes switched on: the check-all box comes back checked, which checks
  // every item, as a click on it would.
  if (options.Checkbox && boxWasHidden && !checkAllChecked_) {
    checkAllChecked_ = true;
    list_.CheckAll();
  }
  ListChanged();
}

std::u16string BrowserController::Caption() const {
  if (list_.Mode() == FileListMode::FolderView) return u"Renamora - " + T(308);
  if (list_.Count() == 0) return u"Renamora";
  return u"Renamora - " + T(204) + u" " + T(10);
}

std::vector<int> BrowserController::ControlIds() const {
  return {IDC_MAIN_PATH,      IDC_MAIN_FOLDER,  IDC_MAIN_FILES,    IDC_MAIN_DELETE,  IDC_MAIN_OPTIONS,
          IDC_MAIN_ABOUT,     IDC_MAIN_HELP,    IDC_MAIN_REMOVE,   IDC_MAIN_REPLACE, IDC_MAIN_INSERT,
          IDC_MAIN_CHANGE,    IDC_MAIN_EXTENSION, IDC_MAIN_SAVE,   IDC_MAIN_UNDO,    IDC_MAIN_EXIT,
          IDC_MAIN_BACK,      IDC_MAIN_UPPER,   IDC_MAIN_CHECKALL, IDC_MAIN_EMPTY_NOTICE, IDC_MAIN_ON_TOP};
}

ControlState BrowserController::State(int id) const {
  ControlState state;
  switch (id) {
    case IDC_MAIN_PATH: state.text = T(391); break;
    case IDC_MAIN_FOLDER: state.text = T(9); state.bold = true; break;
    case IDC_MAIN_FILES: state.text = T(10); break;
    case IDC_MAIN_DELETE: state.text = T(11); state.enabled = deleteEnabled_; break;
    case IDC_MAIN_OPTIONS: state.text = T(12); break;
    case IDC_MAIN_ABOUT: state.text = T(14); break;
    case IDC_MAIN_HELP: state.text = T(13); state.visible = false; break;
    case IDC_MAIN_REMOVE: state.text = T(0); break;
    case IDC_MAIN_REPLACE: state.text = T(1); break;
    case IDC_MAIN_INSERT: state.text = T(2); break;
    case IDC_MAIN_CHANGE: state.text = T(3); break;
    case IDC_MAIN_EXTENSION: state.text = T(4); break;
    case IDC_MAIN_SAVE: state.text = T(5); break;
    case IDC_MAIN_UNDO: state.text = T(6); state.enabled = undoEnabled_; break;
    case IDC_MAIN_EXIT: state.text = T(7); break;
    case IDC_MAIN_BACK: state.enabled = backEnabled_; break;
    case IDC_MAIN_UPPER: break;
    case IDC_MAIN_CHECKALL: state.visible = options_.Checkbox; state.checked = checkAllChecked_; break;
    case IDC_MAIN_EMPTY_NOTICE: state.visible = emptyNoticeVisible_; state.text = emptyNoticeText_; break;
    case IDC_MAIN_ON_TOP: state.text = T(325); state.checked = onTop_; break;
    default: break;
  }
  return state;
}

std::u16string BrowserController::HintText(int id) const {
  switch (id) {
    case IDC_MAIN_REMOVE: return T(256);
    case IDC_MAIN_REPLACE: return T(257);
    case IDC_MAIN_INSERT: return T(258);
    case IDC_MAIN_CHANGE: return T(259);
    case IDC_MAIN_EXTENSION: return T(260);
    case IDC_MAIN_SAVE: return T(261);
    case IDC_MAIN_UNDO: return T(262);
    case IDC_MAIN_FOLDER: return T(329);
    case IDC_MAIN_FILES: return T(330);
    case IDC_MAIN_DELETE: return T(331);
    case IDC_MAIN_OPTIONS: return T(332);
    case IDC_MAIN_EXIT: return T(335);
    case IDC_MAIN_UPPER: return T(366);
    case IDC_MAIN_BACK: return T(405);
    case IDC_MAIN_PATH: return T(367);
    case IDC_MAIN_CHECKALL: return T(392);
    default: return {};
  }
}

void BrowserController::Command(int id) {
  switch (id) {
    case IDC_MAIN_FOLDER: FolderButton(); break;
    case IDC_MAIN_FILES:
    case IDM_ADD_MORE: FilesButton(); break;
    case IDC_MAIN_DELETE:
    case IDM_REMOVE_FROM_LIST: RemoveFromList(); break;
    case IDC_MAIN_OPTIONS: s_.host.ShowOptions(); break;
    case IDC_MAIN_ABOUT:
      s_.program.DirectEditStart = false;
      s_.host.ShowAbout();
      break;
    case IDC_MAIN_HELP: s_.host.ShowHelp(); break;
    case IDC_MAIN_REMOVE: StartEdit(EditMode::kRemove); break;
    case IDC_MAIN_REPLACE: StartEdit(EditMode::kReplace); break;
    case IDC_MAIN_INSERT: StartEdit(EditMode::kInsert); break;
    case IDC_MAIN_CHANGE: StartEdit(EditMode::kChange); break;
    case IDC_MAIN_EXTENSION: StartEdit(EditMode::kExtension); break;
    case IDC_MAIN_SAVE: StartEdit(Trimmed(pathBox_).empty() ? EditMode::kSaveSome : EditMode::kSaveAll); break;
    case IDC_MAIN_UNDO: Undo(); break;
    case IDC_MAIN_EXIT: s_.host.CloseProgram(); break;
    case IDC_MAIN_BACK: Back(); break;
    case IDC_MAIN_UPPER: UpperFolder(); break;
    case IDM_RENAME: RenameSelected(); break;
    case IDM_OTHER_REMOVE: HandOver(1); break;
    case IDM_OTHER_REPLACE: HandOver(2); break;
    case IDM_OTHER_INSERT: HandOver(3); break;
    case IDM_OTHER_CHANGE: HandOver(4); break;
    case IDM_OTHER_EXTENSION: HandOver(5); break;
    case IDM_OTHER_SAVE: HandOver(6); break;
    case IDM_REFRESH: Refresh(); break;
    case IDM_SORT_BY_NAME:
      list_.SortByName();
      ListChanged();
      SelectionChangedByCommand();
      break;
    case IDM_CHECK_ALL:
      list_.CheckAll();
      checkAllChecked_ = true;
      ShowSelectionStatus(static_cast<int>(list_.Count()));
      ListChanged();
      break;
    case IDM_UNCHECK_ALL:
      list_.UncheckAll();
      checkAllChecked_ = false;
      ShowSelectionStatus(0);
      ListChanged();
      break;
    case IDM_INVERSE_CHECKS: ApplyCheckOutcome(list_.InverseChecks()); break;
    case IDM_ONLY_CHECK_SELECTED: ApplyCheckOutcome(list_.OnlyCheckSelected()); break;
    case IDM_ONLY_UNCHECK_SELECTED: ApplyCheckOutcome(list_.OnlyUncheckSelected()); break;
    case IDM_CHECK_SELECTED: ApplyCheckOutcome(list_.CheckSelected()); break;
    case IDM_UNCHECK_SELECTED: ApplyCheckOutcome(list_.UncheckSelected()); break;
    case IDM_SELECT_ALL:
      list_.SelectAll();
      SelectionChangedByCommand();
      ShowSelectionStatus(static_cast<int>(list_.Count()));
      break;
    case IDM_INVERSE_SELECT:
      list_.InverseSelection();
      SelectionChangedByCommand();
      ShowSelectionStatus(list_.SelectedCount());
      break;
    case IDM_OPEN:
      if (auto i = OnlySelected()) s_.host.OpenItem(list_.FullPath(*i));
      break;
    case IDM_OPEN_PATH:
      if (auto i = OnlySelected()) s_.host.OpenPath(list_.FullPath(*i));
      break;
    case IDM_COPY_NAME: CopyName(); break;
    case IDM_NEW_FOLDER: NewFolder(); break;
    case IDM_PROPERTIES:
      if (auto i = list_.FirstSelected()) s_.host.ShowProperties(list_.FullPath(*i));
      break;
    case IDM_RECYCLE: RecycleSelected(); break;
    case IDM_CLEAR: ClearList(); break;
    case IDM_QUICK_MUSIC:
    case IDM_QUICK_PICTURES:
    case IDM_QUICK_DESKTOP:
    case IDM_QUICK_DOCUMENTS:
    case IDM_QUICK_SHORTCUT_CLEANER:
    case IDM_QUICK_VENDOR: QuickAccess(id); break;
    default:
      if (id >= IDM_QUICK_DRIVE_A && id < IDM_QUICK_DRIVE_A + 26) {
        QuickAccessDrive(static_cast<char16_t>(u'A' + (id - IDM_QUICK_DRIVE_A)));
      }
      break;
  }
}

void BrowserController::Checked(int id, bool checked) {
  if (id == IDC_MAIN_CHECKALL) {
    checkAllChecked_ = checked;
    if (checked) {
      list_.CheckAll();
      ShowSelectionStatus(static_cast<int>(list_.Count()));
    } else {
      list_.UncheckAll();
      ShowSelectionStatus(0);
    }
    ListChanged();
  } else if (id == IDC_MAIN_ON_TOP) {
    onTop_ = checked;
    s_.host.SetAlwaysOnTop(checked);
  }
}

void BrowserController::TextChanged(int id, std::u16string_view text) {
  if (id == IDC_MAIN_PATHBOX) pathBox_ = std::u16string(text);
}

void BrowserController::SelectionChanged(int id, int index) {
  if (id == IDC_MAIN_PATHBOX) pathSelection_ = index;
}

void BrowserController::TimerFired(int timerId) {
  if (timerId == IDT_STATUS) {
    StatusTick();
  } else if (timerId == IDT_DEFERRED_LISTING) {
    // Waits for a running listing to see its abort request and end.
    if (abortRequest_) return;
    s_.timers.Stop(IDT_DEFERRED_LISTING);
    const ListingReason reason = pendingReason_;
    pendingReason_ = ListingReason::User;
    ListPathBox(reason);
  } else if (timerId == IDT_CLOSE) {
    s_.timers.Stop(IDT_CLOSE);
    s_.host.CloseProgram();
  } else if (timerId == IDT_EDIT) {
    s_.timers.Stop(IDT_EDIT);
    if (s_.program.CurrentMode == EditMode::kSaveSome) {
      s_.host.SaveChosenFiles();
      s_.program.CurrentMode = std::u16string(EditMode::kBrowse);
    } else if (s_.program.CurrentMode != EditMode::kBrowse) {
      s_.host.OpenEditWindow(false);
    }
  }
}

void BrowserController::StartEditSoon() { s_.timers.Start(IDT_EDIT, kEditTimerMs); }

bool BrowserController::Accept() {
  // Enter in the path box lists what it shows: the typed path, or the history
  // entry the user moved to.
  if (list_.Mode() == FileListMode::ChosenFiles && list_.Count() > 0) {
    if (Ask(21, 22, PromptButtons::OkCancel)) EmptyList();
    if (list_.Count() > 0) return true;
  }
  abortRequest_ = false;
  dropDownChosen_ = true;
  ListPathBox();
  return true;
}

void BrowserController::StatusTick() {
  if (firstTick_) {
    firstTick_ = false;
    if (!s_.program.DirectEditStart) {
      const IniDocument doc = s_.settings.Read();
      SetOptions(LoadOptionSettings(doc));
      if (history_.empty()) history_ = LoadFolderHistory(doc, options_.Foldernum);
      totalText_ = RenamedTotalText(s_.texts, s_.program.RenamedTotal);
      s_.host.SettingsLoadedAtStart();
    }
    s_.timers.Start(IDT_STATUS, kStatusTickMs);
  }
  undoEnabled_ = s_.fs.IsFile(UndoLogPath(s_.dataFolder));
  if (!list_.FirstSelected()) deleteEnabled_ = false;
  if (!s_.host.QuickStartShown()) {
    if (list_.Count() == 0) {
      if (options_.Showguide && !s_.host.QuickStartClosedByUser()) s_.host.ShowQuickStart();
    } else {
      s_.host.CloseQuickStart();
    }
  }
}

void BrowserController::Inform(MessageId id) { s_.prompter.Inform(T(295), T(id)); }

bool BrowserController::Ask(MessageId first, MessageId second, PromptButtons buttons) {
  const PromptAnswer answer = s_.prompter.Show(PromptIcon::Question, buttons, T(299), T(first) + u"\n" + T(second));
  return answer == PromptAnswer::Ok || answer == PromptAnswer::Yes;
}

void BrowserController::ShowSelectionStatus(int n) {
  if (n < 0) n = list_.ShowsCheckBoxes() ? list_.CheckedCount() : list_.SelectedCount();
  status_ = SelectionStatusText(s_.texts, n, list_.Count());
}

void BrowserController::ShowItemCount() { status_ = ItemCountText(s_.texts, list_.Count()); }

void BrowserController::ApplyCheckOutcome(const FileList::CheckOutcome& outcome) {
  if (outcome.uncheckBox) checkAllChecked_ = false;
  ShowSelectionStatus(outcome.statusCount);
  ListChanged();
}

void BrowserController::EmptyList() {
  list_.Clear();
  ListChanged();
  SelectionChangedByCommand();
}

std::optional<std::size_t> BrowserController::OnlySelected() const {
  if (list_.SelectedCount() != 1) return std::nullopt;
  return list_.FirstSelected();
}

// --- Listing ---------------------------------------------------------------

void BrowserController::ListPathBox(ListingReason reason) {
  if (listingRunning_) {
    // A listing asked for from inside a running one (its pump let the command
    // through) waits for the running one to stop, so the list ends up holding the
    // new folder's entries only.
    abortRequest_ = true;
    pendingReason_ = reason;
    s_.timers.Start(IDT_DEFERRED_LISTING, kDeferredListingMs);
    return;
  }
  pathBox_ = Trimmed(pathBox_);
  if (!s_.fs.IsFolder(pathBox_)) {
    if (pathBox_.size() != 1) {
      Inform(230);
      return;
    }
    const std::u16string drive = pathBox_ + u":";
    if (!s_.fs.IsFolder(drive)) {
      s_.prompter.Inform(T(295), T(229));
      EmptyList();
      status_ = u"0 " + T(389);
      return;
    }
    pathBox_ = drive;
  }
  s_.timers.Stop(IDT_STATUS);
  if (reason == ListingReason::User) PushCurrentView();
  pathBox_ = WithTrailingSeparator(pathBox_);
  listingRunning_ = true;
  s_.host.CloseQuickStart();
  s_.host.SetBusyCursor(true);
  checkAllChecked_ = true;
  const ListingRules rules{options_.Showhiddenfile, options_.Showsysfile, FolderTypeText()};
  const ListingEnd end = list_.ListFolder(pathBox_, rules, [this] {
    s_.host.PumpDuringListing();
    return !abortRequest_;
  });
  s_.host.SetBusyCursor(false);
  if (list_.Count() == 0) {
    emptyNoticeText_ = u"(Empty folder)";
    emptyNoticeVisible_ = true;
  } else {
    emptyNoticeVisible_ = false;
    if (end == ListingEnd::Listed && (list_.SortColumn() != 0 || !list_.SortAscending())) list_.Sort();
  }
  ListChanged();
  SelectionChangedByCommand();
  ShowItemCount();
  s_.timers.Start(IDT_STATUS, kStatusTickMs);
  listingRunning_ = false;
  abortRequest_ = false;
}

void BrowserController::RequestListing(std::u16string_view folder) {
  pathBox_ = std::u16string(folder);
  if (listingRunning_) abortRequest_ = true;
  s_.timers.Start(IDT_DEFERRED_LISTING, kDeferredListingMs);
}

void BrowserController::Refresh() {
  if (list_.Mode() == FileListMode::FolderView) {
    abortRequest_ = false;
    pathBox_ = list_.CurrentFolder();
    ListPathBox(ListingReason::Refresh);
    return;
  }
  s_.host.SetBusyCursor(true);
  list_.RemoveMissing();
  s_.host.SetBusyCursor(false);
  ListChanged();
  SelectionChangedByCommand();
  ShowSelectionStatus(-1);
}

void BrowserController::PushCurrentView() {
  if (list_.Mode() == FileListMode::FolderView) {
    if (!list_.CurrentFolder().empty()) back_.PushFolderView(list_.CurrentFolder());
  } else if (list_.Count() > 0) {
    std::vector<std::u16string> paths;
    paths.reserve(list_.Count());
    for (std::size_t i = 0; i < list_.Count(); ++i) paths.push_back(list_.Item(i).text);
    back_.PushChosenFiles(paths);
  }
  backEnabled_ = !back_.Empty();
}

void BrowserController::SwitchToChosenFiles() {
  list_.SetMode(FileListMode::ChosenFiles);
  emptyNoticeVisible_ = false;
}

void BrowserController::AddChosenPath(std::u16string_view path, std::u16string_view typeText) {
  if (list_.HasItemText(path)) return;
  if (list_.AddPath(path, typeText, FolderTypeText())) emptyNoticeVisible_ = false;
}

// --- Choosing folders and files --------------------------------------------

void BrowserController::FolderButton() {
  const int choice = s_.host.ShowAddOptionDialog();
  if (choice == 0) return;
  if (choice == 1) {
    if (list_.Mode() == FileListMode::ChosenFiles && list_.Count() > 0 && Ask(21, 22, PromptButtons::OkCancel)) {
      EmptyList();
    }
    if (list_.Mode() == FileListMode::FolderView || list_.Count() == 0) {
      const std::u16string folder = s_.host.BrowseForFolder(T(23));
      if (!folder.empty()) {
        pathBox_ = folder;
        abortRequest_ = false;
        ListPathBox();
      }
    }
  } else {
    if (list_.Mode() == FileListMode::FolderView && Ask(24, 25, PromptButtons::OkCancel)) {
      pathBox_.clear();
      EmptyList();
      SwitchToChosenFiles();
    }
    if (list_.Mode() == FileListMode::ChosenFiles) {
      const std::u16string chosen = s_.host.BrowseForFolder(T(26));
      if (!chosen.empty()) {
        s_.timers.Stop(IDT_STATUS);
        s_.host.SetBusyCursor(true);
        const std::u16string folder = WithTrailingSeparator(chosen);
        // Every entry counts here, hidden and system ones too: the user named the folder.
        if (auto entries = s_.fs.ListFolder(folder, ListDetail::NamesAndKinds)) {
          for (const DirEntry& e : *entries) {
            if (!e.isFolder) AddChosenPath(folder + e.name, u"");
          }
        }
        ListChanged();
        s_.host.SetBusyCursor(false);
        s_.timers.Start(IDT_STATUS, kStatusTickMs);
      }
    }
  }
  ShowItemCount();
}

bool BrowserController::LeaveFolderViewForFiles() {
  if (list_.Mode() != FileListMode::FolderView) return true;
  if (!Ask(232, 233, PromptButtons::OkCancel)) return false;
  if (!list_.CurrentFolder().empty()) back_.PushFolderView(list_.CurrentFolder());
  backEnabled_ = !back_.Empty();
  pathBox_.clear();
  EmptyList();
  SwitchToChosenFiles();
  return true;
}

void BrowserController::FilesButton() {
  if (!LeaveFolderViewForFiles()) return;
  const std::vector<std::u16string> files =
      s_.host.ChooseFiles(T(20), s_.settings.ReadText(SettingsKey::kForm, SettingsKey::kLastDir, u""));
  if (!files.empty()) {
    s_.host.CloseQuickStart();
    for (const auto& path : files) {
      const std::size_t before = list_.Count();
      AddChosenPath(path, u"ft");
      if (list_.Count() > before && options_.Checkbox && list_.Count() == 1) {
        checkAllChecked_ = true;
        list_.CheckAll();
      }
    }
    ListChanged();
    static_cast<void>(
        s_.settings.WriteText(SettingsKey::kForm, SettingsKey::kLastDir, std::u16string(FolderView(files.front()))));
    list_.ResetFilesCount();
  }
  ShowSelectionStatus(-1);
}

void BrowserController::FilesDropped(const std::vector<std::u16string>& paths) {
  if (!LeaveFolderViewForFiles()) return;
  for (const auto& path : paths) {
    if (s_.fs.Exists(path)) AddChosenPath(path, u"");
  }
  ListChanged();
  ShowSelectionStatus(-1);
}

void BrowserController::PutFolderFirst(std::u16string_view folder) {
  const std::u16string entry(folder);
  pathBox_ = entry;
  // Paths are the same folder as the system compares them (letter case on Windows).
  if (!history_.empty() && SamePathText(history_.front(), entry)) return;
  std::erase_if(history_, [&](const std::u16string& h) { return SamePathText(h, entry); });
  history_.insert(history_.begin(), entry);
}

void BrowserController::AddChosenFiles(const std::vector<std::u16string>& paths) {
  if (list_.Mode() != FileListMode::ChosenFiles) {
    list_.Clear();
    list_.SetMode(FileListMode::ChosenFiles);
  }
  for (const auto& path : paths) {
    if (s_.fs.Exists(path)) AddChosenPath(path, u"");
  }
  ListChanged();
  SelectionChangedByCommand();
}

void BrowserController::UpperFolder() {
  const auto parent = UpperFolderTarget(s_.fs, list_.CurrentFolder());
  if (!parent) {
    FolderButton();
    return;
  }
  RequestListing(*parent);
}

void BrowserController::Back() {
  if (back_.Empty()) {
    backEnabled_ = false;
    return;
  }
  auto view = back_.Pop();
  if (view && view->isFolder) {
    pathBox_ = view->folder;
    abortRequest_ = false;
    ListPathBox(ListingReason::Back);
  } else if (view) {
    pathBox_.clear();
    SwitchToChosenFiles();
    EmptyList();
    for (const auto& path : view->paths) static_cast<void>(list_.AddPath(path, u"", FolderTypeText()));
    ListChanged();
    ShowSelectionStatus(static_cast<int>(list_.Count()));
  }
  backEnabled_ = !back_.Empty();
}

void BrowserController::DoubleClicked() {
  auto i = list_.FirstSelected();
  if (!i) return;
  const std::u16string path = list_.FullPath(*i);
  if (s_.fs.IsFolder(path)) {
    RequestListing(path);
  } else if (s_.fs.IsFile(path)) {
    RenameSelected();
  }
}

void BrowserController::PathDropDownOpened() {
  dropDownText_ = pathBox_;
  dropDownChosen_ = false;
}

void BrowserController::PathDropDownClosed() {
  if (!dropDownChosen_) pathBox_ = dropDownText_;
}

void BrowserController::PathHistoryChosen(int index) {
  if (index < 0 || static_cast<std::size_t>(index) >= history_.size()) return;
  pathSelection_ = index;
  dropDownChosen_ = true;
  pathBox_ = history_[static_cast<std::size_t>(index)];
  abortRequest_ = false;
  ListPathBox();
}

void BrowserController::PathHistoryDelete(int index) {
  if (index < 0 || static_cast<std::size_t>(index) >= history_.size()) return;
  history_.erase(history_.begin() + index);
  pathSelection_ = -1;
}

void BrowserController::QuickAccess(int id) {
  using Folder = BrowserHost::SpecialFolder;
  std::u16string path;
  switch (id) {
    case IDM_QUICK_MUSIC: path = s_.host.SpecialFolderPath(Folder::Music); break;
    case IDM_QUICK_PICTURES: path = s_.host.SpecialFolderPath(Folder::Pictures); break;
    case IDM_QUICK_DESKTOP: path = s_.host.SpecialFolderPath(Folder::Desktop); break;
    case IDM_QUICK_DOCUMENTS: path = s_.host.SpecialFolderPath(Folder::Documents); break;
    case IDM_QUICK_SHORTCUT_CLEANER: ShortcutCleaner(); return;
    default: return;  // the vendor's page: there is no web site
  }
  if (path.empty() || !s_.fs.IsFolder(path)) return;
  pathBox_ = path;
  dropDownChosen_ = true;
  abortRequest_ = false;
  ListPathBox();
}

void BrowserController::QuickAccessDrive(char16_t letter) {
  const std::u16string path = std::u16string(1, letter) + u":" + std::u16string(1, kPathSeparator);
  if (!s_.fs.IsFolder(path)) return;
  pathBox_ = path;
  dropDownChosen_ = true;
  abortRequest_ = false;
  ListPathBox();
}

// --- The list --------------------------------------------------------------

std::u16string BrowserController::CellText(std::size_t item, int column) const {
  if (item >= list_.Count()) return {};
  switch (column) {
    case 0: return list_.Item(item).text;
    case 1: return list_.DateText(item);
    case 2: return list_.SizeText(item);
    case 3: return list_.Item(item).typeText;
    default: return {};
  }
}

std::u16string BrowserController::ColumnTitle(int column) const {
  switch (column) {
    case 0: return u"        " + T(403);
    case 1: return T(193);
    case 2: return T(195);
    case 3: return T(406);
    default: return {};
  }
}

void BrowserController::ColumnClicked(int column) {
  list_.ClickColumn(column);
  ListChanged();
  SelectionChangedByCommand();
}

void BrowserController::ListClicked() {
  deleteEnabled_ = list_.FirstSelected().has_value();
  if (!list_.ShowsCheckBoxes()) {
    ShowSelectionStatus(list_.SelectedCount());
  } else if (!listingRunning_) {
    const int checked = list_.CheckedCount();
    if (static_cast<std::size_t>(checked) < list_.Count()) checkAllChecked_ = false;
    ShowSelectionStatus(checked);
  }
}

void BrowserController::ToggleCheck(std::size_t item) {
  if (item >= list_.Count() || !list_.ShowsCheckBoxes()) return;
  list_.SetChecked(item, !list_.Item(item).checked);
  ListChanged();
  ListClicked();
}

bool BrowserController::ListKey(unsigned virtualKey, bool ctrl) {
  constexpr unsigned kF2 = 0x71, kF5 = 0x74, kDelete = 0x2E;
  if (virtualKey == kF5) {
    Refresh();
    return true;
  }
  if (list_.SelectedCount() == 0) return false;
  if (virtualKey == kF2 && !ctrl && list_.SelectedCount() == 1) {
    RenameSelected();
  } else if (ctrl && virtualKey == 'C' && list_.SelectedCount() == 1) {
    CopyName();
  } else if (ctrl && virtualKey == 'A') {
    Command(IDM_SELECT_ALL);
  } else if (virtualKey == kDelete && !ctrl) {
    RemoveFromList();
  } else {
    return false;
  }
  return true;
}

// --- Popup menu ------------------------------------------------------------

ControlState BrowserController::MenuState(int id) const {
  ControlState state;
  const bool chosen = list_.Mode() == FileListMode::ChosenFiles;
  const bool any = list_.Count() > 0;
  const int selected = list_.SelectedCount();
  const bool boxes = options_.Checkbox;
  switch (id) {
    case IDM_ADD_MORE: state.enabled = chosen; break;
    case IDM_NEW_FOLDER: state.enabled = !chosen; break;
    case IDM_REFRESH: state.enabled = !chosen || any; break;
    case IDM_RECYCLE:
    case IDM_RENAME_OTHER:
    case IDM_PROPERTIES:
    case IDM_REMOVE_FROM_LIST: state.enabled = selected > 0; break;
    case IDM_SELECT_ALL:
    case IDM_INVERSE_SELECT:
      state.enabled = selected > 0;
      state.visible = !boxes;
      break;
    case IDM_COPY_NAME:
    case IDM_OPEN:
    case IDM_OPEN_PATH:
    case IDM_RENAME: state.enabled = selected == 1; break;
    case IDM_CHECK_ALL:
    case IDM_UNCHECK_ALL:
      state.enabled = any;
      state.visible = boxes;
      break;
    case IDM_CLEAR: state.enabled = any; break;
    case IDM_INVERSE_CHECKS: state.visible = boxes; break;
    case IDM_ONLY_CHECK_SELECTED:
    case IDM_ONLY_UNCHECK_SELECTED:
    case IDM_CHECK_SELECTED:
    case IDM_UNCHECK_SELECTED: state.visible = boxes && selected > 0; break;
    default: break;
  }
  return state;
}

std::u16string BrowserController::MenuText(int id) const {
  switch (id) {
    case IDM_RENAME: return Padded(T(204), 20, u"F2");
    case IDM_RENAME_OTHER: return T(271);
    case IDM_OTHER_REMOVE: return T(0);
    case IDM_OTHER_REPLACE: return T(1);
    case IDM_OTHER_INSERT: return T(2);
    case IDM_OTHER_CHANGE: return T(3);
    case IDM_OTHER_EXTENSION: return T(4);
    case IDM_OTHER_SAVE: return T(5);
    case IDM_REMOVE_FROM_LIST: return Padded(T(373), 23, u"Del");
    case IDM_REFRESH: return Padded(T(265), 21, u"F5");
    case IDM_SORT_BY_NAME: return T(266);
    case IDM_CHECK_ALL: return T(387);
    case IDM_UNCHECK_ALL: return T(388);
    case IDM_INVERSE_CHECKS: return T(408);
    case IDM_ONLY_CHECK_SELECTED: return T(409);
    case IDM_ONLY_UNCHECK_SELECTED: return T(410);
    case IDM_CHECK_SELECTED: return T(411);
    case IDM_UNCHECK_SELECTED: return T(412);
    case IDM_SELECT_ALL: return Padded(T(309), 19, u"Ctrl+A");
    case IDM_INVERSE_SELECT: return T(310);
    case IDM_OPEN: return T(268);
    case IDM_OPEN_PATH: return T(269);
    case IDM_COPY_NAME: return Padded(T(267), 9, u"Ctrl+C");
    case IDM_NEW_FOLDER: return T(369);
    case IDM_PROPERTIES: return T(385);
    case IDM_RECYCLE: return T(370);
    case IDM_CLEAR: return T(372);
    case IDM_ADD_MORE: return T(270);
    case IDM_QUICK_MUSIC: return T(15);
    case IDM_QUICK_PICTURES: return T(320);
    case IDM_QUICK_DESKTOP: return T(16);
    case IDM_QUICK_DOCUMENTS: return T(321);
    case IDM_QUICK_SHORTCUT_CLEANER: return T(181);
    case IDM_QUICK_VENDOR: return u"Altomira";
    default: return {};
  }
}

// --- File commands ---------------------------------------------------------

void BrowserController::RemoveFromList() {
  list_.RemoveSelected();
  deleteEnabled_ = false;
  ListChanged();
  SelectionChangedByCommand();
  ShowSelectionStatus(-1);
}

void BrowserController::ClearList() {
  if (list_.Count() == 0) return;
  if (s_.prompter.Show(PromptIcon::Question, PromptButtons::OkCancel, T(299), T(231)) != PromptAnswer::Ok) return;
  EmptyList();
  deleteEnabled_ = false;
  ShowSelectionStatus(0);
}

void BrowserController::RenameSelected() {
  auto i = OnlySelected();
  if (!i) return;
  s_.host.RenameItem(*i);
}

void BrowserController::ItemRenamed(std::size_t index, std::u16string_view newText) {
  if (index >= list_.Count()) return;
  list_.SetItemText(index, newText);
  list_.Item(index).iconIndex = 0;
  ListChanged();
}

void BrowserController::CopyName() {
  auto i = OnlySelected();
  if (!i) return;
  s_.host.CopyText(CopyNameOf(s_.fs, list_.FullPath(*i), list_.Item(*i).text));
}

void BrowserController::NewFolder() {
  const auto name = CreateNewFolder(s_.fs, s_.prompter, s_.texts, list_.CurrentFolder());
  if (!name) return;
  for (std::size_t i = 0; i < list_.Count(); ++i) list_.SetSelected(i, false);
  list_.AddNamed(*name, false);
  list_.SetSelected(list_.Count() - 1, true);
  emptyNoticeVisible_ = false;
  ListChanged();
  SelectionChangedByCommand();
  RenameSelected();
}

void BrowserController::RecycleSelected() {
  if (list_.SelectedCount() == 0) return;
  if (s_.prompter.Show(PromptIcon::Question, PromptButtons::YesNo, T(299), T(376)) != PromptAnswer::Yes) return;
  std::vector<std::u16string> kept;
  for (std::size_t i = list_.Count(); i-- > 0;) {
    if (!list_.Item(i).selected) continue;
    if (s_.host.Recycle(list_.FullPath(i))) {
      list_.SetSelected(i, false);
      list_.SetItemText(i, u"");
    } else {
      kept.insert(kept.begin(), list_.FullPath(i));
    }
  }
  // Items whose text was emptied above are the ones that went; the others stay
  // selected so the user sees which were not taken.
  for (std::size_t i = list_.Count(); i-- > 0;) {
    if (list_.Item(i).text.empty()) list_.SetSelected(i, true);
    else list_.SetSelected(i, false);
  }
  list_.RemoveSelected();
  ListChanged();
  SelectionChangedByCommand();
  ShowSelectionStatus(-1);
  if (!kept.empty()) {
    std::u16string text = u"These items could not be moved to the Recycle Bin and were left where they are:";
    for (const auto& path : kept) text += u"\n" + path;
    s_.prompter.Inform(T(295), text);
  }
}

void BrowserController::StartEdit(std::u16string_view mode) {
  s_.program.CurrentMode = std::u16string(mode);
  s_.program.DirectEditStart = false;
  abortRequest_ = false;
  pathBox_ = Trimmed(pathBox_);
  const EditStartOutcome outcome = PrepareEditStart(list_, s_.program, s_.program.ScopeIndex, s_.fs, pathBox_);
  switch (outcome.status) {
    case EditStartStatus::NothingChosen:
      Inform(27);
      return;
    case EditStartStatus::FolderMissing:
      Inform(28);
      EmptyList();
      return;
    case EditStartStatus::SaveChosen:
      s_.host.SaveChosenFiles();
      s_.program.CurrentMode = std::u16string(EditMode::kBrowse);
      return;
    case EditStartStatus::Ready:
      break;
  }
  StopStatusTimer();
  s_.host.OpenEditWindow(outcome.needsProbe);
  StartStatusTimer();
  ListChanged();
  SelectionChangedByCommand();
}

void BrowserController::HandOver(int entry) {
  std::vector<std::size_t> chosen;
  std::vector<std::u16string> paths;
  for (std::size_t i = 0; i < list_.Count(); ++i) {
    if (list_.Item(i).selected) {
      chosen.push_back(i);
      paths.push_back(list_.FullPath(i));
    }
  }
  if (paths.empty()) return;
  const std::u16string mode = HandOverMode(entry, s_.fs, paths);
  // The items leave this list only once the other instance has them: a hand-over
  // file that cannot be written, or a start that fails, would otherwise lose them
  // from both windows.
  const bool written = WriteHandOverFile(s_.fs, s_.locale, s_.dataFolder, paths);
  if (!written || !s_.host.StartInstance(mode)) {
    // Nobody took the file: a later start must not find these items in it.
    if (written) static_cast<void>(s_.fs.DeleteFile(s_.dataFolder + std::u16string(StartUpName::kHandOverFile)));
    s_.prompter.Show(PromptIcon::Warning, PromptButtons::Ok, T(295),
                     T(271) + u": the other window could not be started; the items stay in this list.");
    return;
  }
  list_.RemoveSelected();
  ListChanged();
  SelectionChangedByCommand();
  ShowSelectionStatus(-1);
}

void BrowserController::ShortcutCleaner() {
  RunShortcutCleaner(s_.fs, s_.prompter, s_.texts, s_.host.SpecialFolderPath(BrowserHost::SpecialFolder::Desktop));
}

namespace {

// What an undo changes in the main window, and its cursor, pump and sound.
class UndoWindow final : public UndoMainWindow, public RunObserver, public EditHost {
 public:
  UndoWindow(BrowserController& browser, BrowserHost& host, RunObserver* progress)
      : browser_(browser), host_(host), progress_(progress) {}
  bool ShowsChosenFiles() const override { return browser_.List().Mode() == FileListMode::ChosenFiles; }
  std::u16string FolderBoxText() const override { return browser_.PathBoxText(); }
  void EmptyList() override { browser_.List().Clear(); }
  void ReloadList() override { browser_.Refresh(); }
  void ShowStatus(std::u16string_view text) override { status = std::u16string(text); }
  void SetBusyCursor(bool busy) override { host_.SetBusyCursor(busy); }
  // A long undo runs in the progress window, which shows the pairs and pumps its
  // own messages; a short one stays with the main window's hourglass.
  void RunProgressJob(const std::function<void()>& job) override {
    if (!progress_) {
      job();
      return;
    }
    inProgressJob_ = true;
    struct Reset {
      bool& flag;
      ~Reset() { flag = false; }
    } reset{inProgressJob_};
    progress_->RunProgressJob(job);
  }
  void BatchStarted(std::size_t items) override {
    if (progress_) progress_->BatchStarted(items);
  }
  void ItemRenamed(std::u16string_view oldName, std::u16string_view newName) override {
    if (progress_) progress_->ItemRenamed(oldName, newName);
  }
  void PumpEvents() override {
    if (inProgressJob_) {
      progress_->PumpEvents();
    } else {
      host_.PumpDuringListing();
    }
  }
  void PlayEndSound() override { host_.PlayEndSound(); }
  std::u16string status;

 private:
  BrowserController& browser_;
  BrowserHost& host_;
  RunObserver* progress_;
  bool inProgressJob_ = false;
};

}  // namespace

void BrowserController::Undo() {
  if (!s_.fs.IsFile(UndoLogPath(s_.dataFolder))) {
    undoEnabled_ = false;
    return;
  }
  // One rename run or undo at a time per data folder, whichever program runs it;
  // and a journal left by a run that was killed becomes the log first, or the
  // undo would take back the run before it. The lock goes when the undo is over.
  const DataFolderHold hold = s_.session.HoldDataFolder();
  struct Release {
    RunSession& session;
    ~Release() { session.ReleaseDataFolder(); }
  } release{s_.session};
  if (hold.status != DataFolderStatus::Ready) {
    const bool busy = hold.status == DataFolderStatus::LockBusy || hold.status == DataFolderStatus::JournalBusy;
    s_.prompter.Show(PromptIcon::Warning, PromptButtons::Ok, T(295),
                     busy ? u"Another rename or undo is using the data folder " + s_.dataFolder +
                                u" now. Try again when it has ended."
                          : u"The undo log in " + s_.dataFolder + u" cannot be written, so nothing is undone.");
    return;
  }
  UndoWindow window(*this, s_.host, progress_);
  // The session's request: the one the progress window's Cancel sets.
  StopRequest& stop = s_.session.Run().Stop;
  const RunOptions options = RunOptionsFrom(options_);
  const UndoResult result = s_.session.Undo().Undo({s_.prompter, s_.texts, window, list_, window, window, stop, options});
  ListChanged();
  SelectionChangedByCommand();
  if (!window.status.empty()) totalText_ = window.status;
  undoEnabled_ = s_.fs.IsFile(UndoLogPath(s_.dataFolder));
  ShowUndoFailures(result);
}

void BrowserController::ShowUndoFailures(const UndoResult& result) {
  if (result.Outcome == UndoOutcome::Unwritten) {
    s_.prompter.Show(PromptIcon::Warning, PromptButtons::Ok, T(295),
                     u"The last run's renames could not be written to the undo log in " + s_.dataFolder +
                         u", so nothing was undone.");
    return;
  }
  if (result.Failures.empty()) return;
  std::u16string text = u"These items were not renamed back; they stay in the undo log:";
  for (const UndoFailure& f : result.Failures) text += u"\n" + f.CurrentPath + u" -> " + f.PreviousPath;
  s_.prompter.Show(PromptIcon::Warning, PromptButtons::Ok, T(295), text);
}

void BrowserController::LoadFolderHistoryIfEmpty(int foldernum) {
  if (history_.empty()) history_ = LoadFolderHistory(s_.settings.Read(), foldernum);
}

void BrowserController::SaveHistory() {
  static_cast<void>(SaveFolderHistory(s_.settings, history_, options_.Foldernum));
}

}  // namespace renamora::ui

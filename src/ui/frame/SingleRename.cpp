// The single-item rename dialog's rules: filling, checking, renaming and recording one item.
#include "ui/frame/SingleRename.h"

#include <utility>

#include "base/Paths.h"
#include "base/text/NameOrder.h"
#include "core/NameChecks.h"
#include "ui/ControlIds.h"

namespace renamora::ui {
namespace {

constexpr MessageId kRenameFileCaption = 306;
constexpr MessageId kRenameFolderCaption = 307;
constexpr MessageId kExtensionLabel = 287;
constexpr MessageId kOkText = 34;
constexpr MessageId kCancelText = 224;
constexpr MessageId kNameEmpty = 284;
constexpr MessageId kNameExists = 285;
constexpr MessageId kCannotRename = 286;

// No message number says these; they are the program's own English, like the few
// other fixed texts. They matter only when another run holds the undo log.
constexpr std::u16string_view kLockBusy =
    u"Another rename or undo is using the undo log right now. Nothing was renamed; try again when it has ended.";
constexpr std::u16string_view kLockFailed =
    u"The undo log's folder cannot be written, so this rename could not be undone. Nothing was renamed.";
constexpr std::u16string_view kNotRecorded =
    u"The item was renamed, but the undo log could not be written: this rename cannot be undone.";

}  // namespace

SingleRenameBoxes BoxesForPath(FileSystem& fs, std::u16string_view fullPath) {
  SingleRenameBoxes boxes;
  const std::u16string_view name = NameView(fullPath);
  const auto entry = fs.Stat(fullPath);
  boxes.isFile = entry && !entry->isFolder;
  boxes.isFolder = entry && entry->isFolder;
  const std::size_t dot = name.rfind(u'.');
  if (boxes.isFile && dot != std::u16string_view::npos) {
    boxes.name.assign(name.substr(0, dot));
    boxes.extension.assign(name.substr(dot));
  } else {
    boxes.name.assign(name);
  }
  return boxes;
}

SingleRenameController::SingleRenameController(SingleRenameServices services) : s_(std::move(services)) {}

void SingleRenameController::Open(std::u16string_view itemText, FileListMode mode, std::u16string_view folderBoxText) {
  itemText_.assign(itemText);
  mode_ = mode;
  folderBoxText_.assign(folderBoxText);
  closeResult_.reset();
  newItemText_.reset();
  Refill();
  RequestFocus(IDC_REN_NAME, true);
}

std::u16string SingleRenameController::OldPath() const {
  if (mode_ == FileListMode::ChosenFiles || folderBoxText_.empty()) return itemText_;
  return WithTrailingSeparator(folderBoxText_) + itemText_;
}

void SingleRenameController::Refill() {
  boxes_ = BoxesForPath(s_.fs, OldPath());
  caption_ = boxes_.isFolder ? kRenameFolderCaption : kRenameFileCaption;
}

std::u16string SingleRenameController::Caption() const { return s_.texts.Lookup(caption_); }

std::vector<int> SingleRenameController::ControlIds() const {
  return {IDC_REN_NAME, IDC_REN_EXT_LABEL, IDC_REN_EXT, IDC_REN_OK, IDC_REN_CANCEL};
}

ControlState SingleRenameController::State(int controlId) const {
  ControlState state;
  switch (controlId) {
    case IDC_REN_NAME:
      state.text = boxes_.name;
      break;
    case IDC_REN_EXT_LABEL:
      state.visible = boxes_.isFile;
      state.text = s_.texts.Lookup(kExtensionLabel);
      break;
    case IDC_REN_EXT:
      state.visible = boxes_.isFile;
      state.text = boxes_.extension;
      break;
    case IDC_REN_OK:
      state.text = s_.texts.Lookup(kOkText);
      break;
    case IDC_REN_CANCEL:
      state.text = s_.texts.Lookup(kCancelText);
      break;
    default:
      break;
  }
  return state;
}

void SingleRenameController::Command(int controlId) {
  if (controlId == IDC_REN_OK) Ok();
  if (controlId == IDC_REN_CANCEL) closeResult_ = 0;
}

void SingleRenameController::TextChanged(int controlId, std::u16string_view text) {
  if (controlId == IDC_REN_NAME) boxes_.name.assign(text);
  if (controlId == IDC_REN_EXT) boxes_.extension.assign(text);
}

bool SingleRenameController::Accept() {
  Ok();
  return true;
}

bool SingleRenameController::CancelDialog() {
  closeResult_ = 0;
  return true;
}

void SingleRenameController::Inform(std::u16string_view text) {
  MessageContext{s_.texts, s_.prompter}.Inform(text);
}

void SingleRenameController::Refuse(std::u16string_view text) {
  Inform(text);
  RequestFocus(IDC_REN_NAME);
}

void SingleRenameController::Ok() {
  std::u16string extension = boxes_.extension;
  if (!extension.empty() && extension.front() != u'.') extension.insert(extension.begin(), u'.');
  // Leading blanks are never meant; trailing ones may be, and stay.
  const std::size_t first = boxes_.name.find_first_not_of(u' ');
  boxes_.name.erase(0, first == std::u16string::npos ? boxes_.name.size() : first);
  if (boxes_.name.empty()) return Refuse(s_.texts.Lookup(kNameEmpty));

  if (mode_ == FileListMode::FolderView && !folderBoxText_.empty()) {
    folderBoxText_ = WithTrailingSeparator(folderBoxText_);
  }
  const std::u16string oldPath = OldPath();
  // The extension box is there for files only; a folder keeps no separate extension.
  const std::u16string newName = boxes_.isFile ? boxes_.name + extension : boxes_.name;
  // A name that is no name (a separator, a reserved device) is refused before the
  // disk is asked about a path it would make.
  if (!CheckNewName(newName, MessageContext{s_.texts, s_.prompter})) return RequestFocus(IDC_REN_NAME);
  const std::u16string newPath = std::u16string(FolderView(oldPath)) + newName;

  // The item itself holds its name when only the letter case changes; that is a
  // rename the file system carries out, not a taken name. An unchanged name is.
  if (newPath == oldPath) return Refuse(s_.texts.Lookup(kNameExists));
  if (CompareNtfsOrder(newPath, oldPath) != 0 && s_.fs.Exists(newPath)) return Refuse(s_.texts.Lookup(kNameExists));

  // The undo log is the data folder's: a batch run or an undo of another process
  // must not write it while this rename replaces it.
  const std::u16string lockPath = RunLockPath(s_.dataFolder);
  // The start-up makes the folder, but a user may have removed it since.
  const std::u16string undos = WithoutTrailingSeparators(FolderView(lockPath));
  if (!s_.fs.IsFolder(undos)) static_cast<void>(s_.fs.CreateFolder(undos));
  const FileHold lock = s_.fs.HoldFile(lockPath);
  if (lock.status != HoldStatus::Held) return Refuse(lock.status == HoldStatus::Busy ? kLockBusy : kLockFailed);
  // Pairs of a run that ended moments ago still wait for their deferred write,
  // which would otherwise replace this rename's record when it comes.
  s_.undoLog.FlushNow();

  switch (s_.fs.Rename(oldPath, newPath)) {
    case RenameStatus::Ok:
      if (!s_.undoLog.RecordSingle(newPath, oldPath)) Inform(kNotRecorded);
      newItemText_ = mode_ == FileListMode::ChosenFiles ? newPath : newName;
      closeResult_ = 1;
      return;
    case RenameStatus::TargetExists:
      // Taken since the check above, or by another spelling on a file system that
      // tells letter case apart.
      return Refuse(s_.texts.Lookup(kNameExists));
    default:
      Inform(s_.texts.Lookup(kCannotRename));
      Refill();
      return RequestFocus(IDC_REN_NAME, true);
  }
}

}  // namespace renamora::ui

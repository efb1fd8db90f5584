// Pending undo pairs, the rollback file, and taking a run back.
#include "core/UndoLog.h"

#include <algorithm>
#include <optional>
#include <utility>

#include "base/Paths.h"
#include "base/text/Utf.h"
#include "core/TextFile.h"

namespace renamora {
namespace {

constexpr MessageId kUndoCaption = 6;
constexpr MessageId kUndoQuestion = 29;
constexpr MessageId kUndoCompleted = 30;

// The list item that showed the current path now shows the previous one. Only the
// match nearest the end changes: the list may hold the same text more than once.
void UpdateListItem(TargetList& list, const UndoMainWindow& mainWindow, std::u16string_view current,
                    std::u16string_view previous) {
  if (list.Count() == 0) return;
  const bool chosenFiles = mainWindow.ShowsChosenFiles();
  const std::u16string folder = chosenFiles ? std::u16string() : mainWindow.FolderBoxText();
  if (!current.starts_with(folder)) return;
  const std::u16string_view wanted = current.substr(folder.size());
  for (std::size_t i = list.Count(); i-- > 0;) {
    if (list.ItemText(i) != wanted) continue;
    list.SetItemText(i, chosenFiles ? previous : NameView(previous));
    return;
  }
}

}  // namespace

void UndoPairLines::Add(std::u16string_view currentPath, std::u16string_view previousPath) {
  // Blocks grow from small to large, so that a single pair costs little and a large
  // run few blocks.
  constexpr std::size_t kFirstBlockUnits = std::size_t(1) << 10;
  constexpr std::size_t kLargestBlockUnits = std::size_t(1) << 20;
  const std::size_t units = currentPath.size() + previousPath.size() + 4;
  if (blocks_.empty() || blocks_.back().capacity() - blocks_.back().size() < units) {
    const std::size_t next =
        blocks_.empty() ? kFirstBlockUnits : std::min(2 * blocks_.back().capacity(), kLargestBlockUnits);
    blocks_.emplace_back().reserve(std::max(next, units));
  }
  std::u16string& block = blocks_.back();
  for (const std::u16string_view line : {currentPath, previousPath}) {
    const std::size_t start = block.size();
    block.append(line).append(u"\r\n");
    // The block never grows past what was reserved, so views into it stay valid.
    lines_.push_back(std::u16string_view(block).substr(start, line.size()));
  }
}

std::vector<std::u16string_view> UndoPairLines::Pieces() const {
  return std::vector<std::u16string_view>(blocks_.begin(), blocks_.end());
}

void UndoPairLines::clear() {
  // The memory goes too: a run of many items should not hold its pairs' buffer for
  // the rest of the program's life.
  std::vector<std::u16string_view>().swap(lines_);
  std::vector<std::u16string>().swap(blocks_);
}

std::u16string UndoLogPath(std::u16string_view dataFolder) {
  return WithTrailingSeparator(dataFolder) + u"Undos" + kPathSeparator + u"rollback.rbk";
}

std::u16string RunLockPath(std::u16string_view dataFolder) {
  return WithTrailingSeparator(dataFolder) + u"Undos" + kPathSeparator + u"run.lock";
}

UndoLog::UndoLog(FileSystem& fs, const Locale& locale, std::u16string_view dataFolder)
    : fs_(fs), locale_(locale), path_(UndoLogPath(dataFolder)), journal_(fs, UndoJournalPath(dataFolder)) {}

bool UndoLog::UndoLogExists() const { return fs_.Exists(path_); }

bool UndoLog::RenameStarting(std::u16string_view currentPath, std::u16string_view previousPath) {
  steps_.taken = false;
  return journal_.Starting(currentPath, previousPath);
}

bool UndoLog::StepStarting(std::u16string_view currentPath, std::u16string_view previousPath) {
  if (!steps_.taken) {
    steps_.taken = true;
    steps_.origin.assign(previousPath);
    steps_.at.assign(previousPath);
  }
  return journal_.Starting(currentPath, previousPath);
}

void UndoLog::StepDone(std::u16string_view currentPath, std::u16string_view previousPath) {
  journal_.Done(currentPath, previousPath);
  steps_.at.assign(currentPath);
}

void UndoLog::RecordUndoPair(std::u16string_view currentPath, std::u16string_view previousPath) {
  // After steps through a temporary name the journal already holds the way the
  // item went, which a recovery takes back step by step.
  const bool stepped = steps_.taken && steps_.at == currentPath && steps_.origin == previousPath;
  steps_.taken = false;
  if (!stepped) journal_.Done(currentPath, previousPath);
  pending_.Add(currentPath, previousPath);
}

UndoLog::Recovery UndoLog::RecoverJournal(std::size_t* pairCount) {
  if (pairCount) *pairCount = 0;
  // Turning a live run's journal into the log would cut that run's undo short, and
  // its end would delete a journal this program started.
  if (fs_.HeldByMappedFile(journal_.Path())) return Recovery::Busy;
  const std::optional<std::string> bytes = fs_.ReadFile(journal_.Path());
  if (!bytes) return Recovery::NoJournal;
  UndoPairLines lines;
  if (const std::optional<JournalContent> content = ReadJournal(*bytes)) {
    for (const auto& pair : PairsToUndo(*content, fs_)) lines.Add(pair.CurrentPath, pair.PreviousPath);
  }
  // A journal without a pair has nothing to undo: the log of the run before stays,
  // and the journal harms nothing where it cannot go.
  if (lines.empty()) {
    static_cast<void>(fs_.DeleteFile(journal_.Path()));
    return Recovery::NoJournal;
  }
  if (!WriteLog(lines)) return Recovery::Failed;
  // A journal that stays would bring its pairs back into the log at every start,
  // also after they were undone.
  if (!fs_.DeleteFile(journal_.Path())) return Recovery::Failed;
  if (pairCount) *pairCount = lines.size();
  return Recovery::Recovered;
}

void UndoLog::ScheduleFlush() {
  flushDue_ = true;
  if (onFlushScheduled) onFlushScheduled();
}

void UndoLog::RenameFailed(std::u16string_view oldName, std::u16string_view newName, RenameStatus status) {
  // A rename that failed half way through its temporary name left the item where
  // its last step took it: that move must be undoable like any other.
  if (steps_.taken && steps_.at != steps_.origin) pending_.Add(steps_.at, steps_.origin);
  steps_.taken = false;
  if (onRenameFailed) onRenameFailed(oldName, newName, status);
}

bool UndoLog::WritePending() {
  flushDue_ = false;
  // An empty log would take away the undo of the operation before, and undo nothing.
  if (pending_.empty()) {
    journal_.Discard();
    return true;
  }
  // A failed write keeps the journal, so that the pairs outlive the program too.
  if (!WriteLog(pending_)) return false;
  pending_.clear();
  journal_.Discard();
  return true;
}

bool UndoLog::RecordSingle(std::u16string_view currentPath, std::u16string_view previousPath) {
  UndoPairLines single;
  single.Add(currentPath, previousPath);
  return WriteLog(single);
}

bool UndoLog::WriteLog(const UndoPairLines& pairs) {
  if (fs_.Exists(path_)) {
    // Windows refuses to replace a read-only file; the mark only guards the log at
    // rest. Where it cannot be taken off, the write below fails and says so.
    static_cast<void>(fs_.SetAttributes(path_, kAttrArchive));
  } else {
    // The start-up creates the folder, but a user may have removed it since.
    const std::u16string folder = path_.substr(0, LastFolderEnd(path_));
    if (!fs_.IsFolder(folder)) static_cast<void>(fs_.CreateFolder(folder));
  }
  const bool written = fs_.WriteFile(path_, EncodeText(pairs.Pieces(), locale_));
  // A failed write leaves the old log, which must rest read-only all the same.
  // The mark is a guard against other programs, not part of the log.
  if (fs_.Exists(path_)) static_cast<void>(fs_.SetAttributes(path_, kAttrArchive | kAttrReadOnly));
  return written;
}

UndoResult UndoLog::Undo(const UndoServices& s) {
  const std::u16string caption = s.texts.Lookup(kUndoCaption) + u" " + s.texts.Lookup(Msg::kConfirmation);
  if (s.prompter.Show(PromptIcon::Question, PromptButtons::YesNo, caption, s.texts.Lookup(kUndoQuestion)) !=
      PromptAnswer::Yes) {
    return {};
  }
  // Pairs of a run that ended moments ago may still wait for the deferred write; the
  // log alone would then take back the run before it instead of the last one.
  if (!WritePending()) return {.Outcome = UndoOutcome::Unwritten, .Failures = {}};
  std::optional<std::vector<std::u16string>> lines = ReadTextLines(fs_, path_, locale_);
  if (!lines) return {.Outcome = UndoOutcome::NoLog, .Failures = {}};

  // A stop left over from an earlier job must not end this undo before it starts.
  s.stop.Clear();
  UndoResult result;
  std::vector<bool> restored(lines->size() / 2, false);
  if (lines->size() <= kUndoLinesWithoutProgress) {
    s.observer.SetBusyCursor(true);
    result = TakeBack(*lines, s, false, restored);
    s.observer.SetBusyCursor(false);
  } else {
    s.observer.RunProgressJob([&] { result = TakeBack(*lines, s, true, restored); });
  }

  // The log keeps exactly the pairs not restored, in their order: after a stop, or
  // once the user has put back what stood in the way, the next Undo finishes the
  // job without trying again what is done.
  UndoPairLines left;
  for (std::size_t k = 0; k < restored.size(); ++k) {
    if (!restored[k]) left.Add((*lines)[2 * k], (*lines)[2 * k + 1]);
  }
  lines.reset();
  if (left.empty()) {
    // A log that cannot go holds pairs already taken back; a later undo finds
    // their items gone and names them, renaming nothing.
    static_cast<void>(fs_.SetAttributes(path_, kAttrArchive));
    if (!fs_.DeleteFile(path_)) static_cast<void>(fs_.SetAttributes(path_, kAttrArchive | kAttrReadOnly));
  } else if (result.Restored > 0) {
    // A failed write leaves the whole log; its restored pairs then fail in a later
    // undo as items no longer there, and nothing is renamed twice.
    static_cast<void>(WriteLog(left));
  }
  if (!s.options.Options3) s.mainWindow.EmptyList();
  if (s.options.Endsound) s.host.PlayEndSound();
  s.stop.Clear();
  s.mainWindow.ReloadList();
  if (result.Outcome == UndoOutcome::Completed) {
    s.mainWindow.ShowStatus(s.texts.Lookup(kUndoCompleted));
  } else {
    s.mainWindow.ShowStatus(u"Undo not complete: " + U16(std::to_string(result.Restored)) + u" restored, " +
                            U16(std::to_string(left.size())) + u" not restored (kept in the undo log).");
  }
  return result;
}

UndoResult UndoLog::TakeBack(const std::vector<std::u16string>& lines, const UndoServices& s, bool withProgress,
                             std::vector<bool>& restored) {
  // A line without a partner (the program never writes one) is left alone.
  const std::size_t pairCount = lines.size() / 2;
  // The bar counts pairs: one step per pair shows the same progress as two per line.
  if (withProgress) s.observer.BatchStarted(pairCount);
  UndoResult result;
  // Newest first: a run that renamed b to c and then a to b can only be taken back
  // by freeing b (b back to a) before c can return to it.
  std::size_t k = pairCount;
  while (k > 0 && !s.stop.IsSet()) {
    --k;
    const std::u16string& current = lines[2 * k];
    const std::u16string& previous = lines[2 * k + 1];
    const RenameStatus status = fs_.Rename(current, previous);
    if (status == RenameStatus::Ok) {
      ++result.Restored;
      restored[k] = true;
      UpdateListItem(s.list, s.mainWindow, current, previous);
    } else {
      ++result.Skipped;
      result.Failures.push_back({current, previous, status});
    }
    if (withProgress) s.observer.ItemRenamed(NameView(current), NameView(previous));
    s.observer.PumpEvents();
  }
  // A stop that comes with the last pair stops nothing: every pair was tried.
  if (k > 0) {
    result.Outcome = UndoOutcome::Stopped;
  } else {
    result.Outcome = result.Skipped > 0 ? UndoOutcome::Incomplete : UndoOutcome::Completed;
  }
  return result;
}

}  // namespace renamora

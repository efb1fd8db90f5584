// The undo log: pairs remembered by rename runs, the rollback file, and the Undo command.
#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "core/EditRequest.h"
#include "core/Messages.h"
#include "core/UndoJournal.h"
#include "platform/FileSystem.h"
#include "platform/Locale.h"
#include "platform/Prompter.h"
#include "platform/RunCallbacks.h"

namespace renamora {

// One renamed item: where it is now and where it was, full paths as given to the rename.
struct UndoPair {
  std::u16string CurrentPath;
  std::u16string PreviousPath;
  bool operator==(const UndoPair&) const = default;
};

// The pairs of a run as the log's own text: current path, previous path, each line
// ended by CR LF, in large blocks. A run of 100,000 renames then costs no allocation
// per pair and no copying as it grows, and the log is encoded straight from them.
class UndoPairLines {
 public:
  void Add(std::u16string_view currentPath, std::u16string_view previousPath);
  std::size_t size() const { return lines_.size() / 2; }
  bool empty() const { return lines_.empty(); }
  std::u16string_view Current(std::size_t i) const { return lines_[2 * i]; }
  std::u16string_view Previous(std::size_t i) const { return lines_[2 * i + 1]; }
  // The text in pieces that end with a line's CR LF.
  std::vector<std::u16string_view> Pieces() const;
  void clear();

 private:
  std::vector<std::u16string> blocks_;      // never reallocated once made
  std::vector<std::u16string_view> lines_;  // into blocks_, without their CR LF
};

// DataFolder + "Undos" + separator + "rollback.rbk".
std::u16string UndoLogPath(std::u16string_view dataFolder);

// DataFolder + "Undos" + separator + "run.lock": every rename run and every undo
// over the data folder holds it (FileSystem::HoldFile) from before its first
// rename until its log is written, so that two of them never take each other's
// undo away.
std::u16string RunLockPath(std::u16string_view dataFolder);

// What an undo changes in the main window beyond the texts of its list items.
class UndoMainWindow {
 public:
  virtual ~UndoMainWindow() = default;
  // True when the list shows chosen files (item texts are full paths), false in
  // the folder view (item texts are names in the folder of the path box).
  virtual bool ShowsChosenFiles() const = 0;
  virtual std::u16string FolderBoxText() const = 0;
  virtual void EmptyList() = 0;
  // Refresh of the chosen files, or a new listing of the current folder.
  virtual void ReloadList() = 0;
  // The second panel of the status bar.
  virtual void ShowStatus(std::u16string_view text) = 0;
};

// What the Undo command works with. References must outlive the call.
struct UndoServices {
  Prompter& prompter;
  const TextLookup& texts;
  RunObserver& observer;
  TargetList& list;
  UndoMainWindow& mainWindow;
  EditHost& host;
  StopRequest& stop;
  const RunOptions& options;
};

enum class UndoOutcome {
  Declined,    // the question was not answered Yes; nothing was touched
  NoLog,       // the log could not be read (gone since the button was enabled)
  Unwritten,   // the last run's pairs could not be written to the log; nothing was touched
  Completed,   // every pair was restored and the log is deleted
  Incomplete,  // every pair was tried, some could not be restored: the log keeps those
  Stopped,     // Cancel ended the loop; the log keeps every pair not restored
};

// A pair that could not be renamed back, and why.
struct UndoFailure {
  std::u16string CurrentPath;
  std::u16string PreviousPath;
  RenameStatus Status = RenameStatus::Failed;
  bool operator==(const UndoFailure&) const = default;
};

struct UndoResult {
  UndoOutcome Outcome = UndoOutcome::Declined;
  int Restored = 0;  // pairs renamed back
  int Skipped = 0;   // pairs whose rename back failed
  std::vector<UndoFailure> Failures;  // those pairs, in the order they were tried
  // The counts and the outcome; the failures are compared on their own.
  bool operator==(const UndoResult& other) const {
    return Outcome == other.Outcome && Restored == other.Restored && Skipped == other.Skipped;
  }
};

// Logs with more lines than this run inside the progress window, so they can be cancelled.
inline constexpr std::size_t kUndoLinesWithoutProgress = 60;

// The rename runs' RunSink: collects the pairs of successful renames and writes them
// to the one-level undo log; also takes them back. References must outlive it.
class UndoLog : public RunSink, private RenameSteps {
 public:
  UndoLog(FileSystem& fs, const Locale& locale, std::u16string_view dataFolder);

  const std::u16string& Path() const { return path_; }
  // Drives the Undo button: enabled exactly while this is true.
  bool UndoLogExists() const;
  const UndoPairLines& Pending() const { return pending_; }

  bool RenameStarting(std::u16string_view currentPath, std::u16string_view previousPath) override;
  RenameSteps* Steps() override { return this; }
  void RecordUndoPair(std::u16string_view currentPath, std::u16string_view previousPath) override;
  std::size_t PendingUndoPairs() const override { return pending_.size(); }
  // A failed write keeps the pairs pending and the journal on disk.
  void FlushNow() override { static_cast<void>(WritePending()); }
  // Marks the write as due and starts the caller's one-shot timer (onFlushScheduled),
  // which calls FlushTimerElapsed when it fires.
  void ScheduleFlush() override;
  void RenameFailed(std::u16string_view oldName, std::u16string_view newName, RenameStatus status) override;

  // The edit window's 3000 ms timer fired (it has already stopped itself).
  void FlushTimerElapsed() { static_cast<void>(WritePending()); }
  bool FlushScheduled() const { return flushDue_; }

  // Replaces the log with all pending pairs and empties them. With no pair pending
  // the log is left as it is. False when the file could not be written; the pairs
  // then stay pending for the next write.
  [[nodiscard]] bool WritePending();
  // The single-item rename: the log holds just this pair; pending pairs are untouched.
  [[nodiscard]] bool RecordSingle(std::u16string_view currentPath, std::u16string_view previousPath);

  // At the program's start: a journal left by a run that never wrote its log (the
  // program was killed or crashed) becomes the undo log, and goes. Recovered: the
  // log now holds its pairs; Failed: the log could not be written, the journal stays;
  // Busy: the journal is a live run's, in another process, and is left alone.
  enum class Recovery { NoJournal, Recovered, Failed, Busy };
  Recovery RecoverJournal(std::size_t* pairCount = nullptr);
  const std::u16string& JournalPath() const { return journal_.Path(); }

  // The Undo button.
  UndoResult Undo(const UndoServices& services);

  // Starts the timer of the deferred write; none: the caller calls FlushTimerElapsed itself.
  std::function<void()> onFlushScheduled;
  // The rename error window; none: refused renames are only counted by the run.
  std::function<void(std::u16string_view oldName, std::u16string_view newName, RenameStatus status)> onRenameFailed;

 private:
  bool StepStarting(std::u16string_view currentPath, std::u16string_view previousPath) override;
  void StepDone(std::u16string_view currentPath, std::u16string_view previousPath) override;
  [[nodiscard]] bool WriteLog(const UndoPairLines& pairs);
  UndoResult TakeBack(const std::vector<std::u16string>& lines, const UndoServices& s, bool withProgress,
                      std::vector<bool>& restored);

  FileSystem& fs_;
  const Locale& locale_;
  std::u16string path_;
  UndoPairLines pending_;
  // The pending pairs on disk while they wait for the log.
  UndoJournal journal_;
  bool flushDue_ = false;
  // The item of the rename under way when it goes through temporary names: where
  // it was and where it is now. The journal holds each step; the pending pairs get
  // the item's one pair (or, if it stopped half way, where it was left).
  struct StepTrail {
    bool taken = false;
    std::u16string origin, at;
  } steps_;
};

}  // namespace renamora

// What rename runs keep between commands: data folder lock, undo log, history, sequences.
#pragma once

#include <cstddef>
#include <optional>
#include <string>

#include "app/NewNameHistory.h"
#include "core/PreviewRows.h"
#include "core/ProgramState.h"
#include "core/RenameEngine.h"
#include "core/UndoLog.h"
#include "core/special/Sequences.h"
#include "platform/FileSystem.h"
#include "platform/Locale.h"

namespace renamora {

enum class DataFolderStatus {
  Ready,           // the lock is held; a journal left behind, if any, is the undo log now
  LockBusy,        // another rename run or undo holds the data folder
  LockFailed,      // the lock file cannot be made
  RecoveryFailed,  // a left journal cannot be turned into the undo log; it stays
  JournalBusy,     // a live run in another process writes the journal
};

struct DataFolderHold {
  DataFolderStatus status = DataFolderStatus::LockFailed;
  bool recovered = false;          // a run that did not end left a journal, now the undo log
  std::size_t recoveredPairs = 0;  // the renames it held
};

// The windows and settings one command runs with. References must outlive the
// services made from them.
struct RunWindows {
  const TextLookup& texts;
  Prompter& prompter;
  RunObserver& observer;
  TargetList& list;
  EditHost& host;
  ProgramState& program;
  const SpecialStringSettings& special;
  const RunOptions& options;
  InputChecks* checks = nullptr;
};

class RunSession {
 public:
  RunSession(FileSystem& fs, const Locale& locale, const Clock& clock, std::u16string dataFolder);
  RunSession(const RunSession&) = delete;
  RunSession& operator=(const RunSession&) = delete;

  const std::u16string& DataFolder() const { return dataFolder_; }

  // Takes the data folder's lock (Undos/run.lock) for as long as the session
  // lives, then turns a journal that a killed run left behind into the undo log:
  // a new run must not start over it. A journal that another process is still
  // writing is a refusal as well, since two runs over one undo log would each
  // take the other's undo away.
  [[nodiscard]] DataFolderHold HoldDataFolder();
  bool HoldsDataFolder() const { return lock_.status == HoldStatus::Held; }
  // Lets the lock go. The desktop program lives long and holds the data folder
  // only around each run and undo, so that the command line can work between them.
  void ReleaseDataFolder() { lock_ = FileHold{}; }

  // Reads the new-name history (Newname.txt) with the given maximum (Listnum).
  void LoadHistory(int maximum);

  UndoLog& Undo() { return undo_; }
  NewNameHistory* History() { return history_ ? &*history_ : nullptr; }
  RunState& Run() { return run_; }
  PreviewRows& Preview() { return preview_; }
  SequenceState& Sequences() { return sequences_; }

  // What the engine needs for one command in these windows; the data folder is
  // the run's protected folder, the history (when loaded) records its templates.
  RunServices Services(const RunWindows& windows);

 private:
  FileSystem& fs_;
  const Locale& locale_;
  const Clock& clock_;
  std::u16string dataFolder_;
  FileHold lock_;
  UndoLog undo_;
  std::optional<NewNameHistory> history_;
  RunState run_;
  PreviewRows preview_;
  SequenceState sequences_;
};

}  // namespace renamora

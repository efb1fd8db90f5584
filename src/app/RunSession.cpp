// The state rename runs share, and the services a command is given.
#include "app/RunSession.h"

#include <utility>

namespace renamora {

RunSession::RunSession(FileSystem& fs, const Locale& locale, const Clock& clock, std::u16string dataFolder)
    : fs_(fs), locale_(locale), clock_(clock), dataFolder_(std::move(dataFolder)), undo_(fs, locale, dataFolder_) {
  // Random texts differ from one session to the next.
  sequences_.RandomSeedBase = static_cast<std::uint32_t>(clock_.UnixSeconds());
}

DataFolderHold RunSession::HoldDataFolder() {
  DataFolderHold hold;
  if (!HoldsDataFolder()) lock_ = fs_.HoldFile(RunLockPath(dataFolder_));
  switch (lock_.status) {
    case HoldStatus::Held:
      break;
    case HoldStatus::Busy:
      hold.status = DataFolderStatus::LockBusy;
      return hold;
    case HoldStatus::Failed:
      hold.status = DataFolderStatus::LockFailed;
      return hold;
  }
  // Recovery reads the journal through a log of its own: the session's log keeps
  // the journal it will write for its own runs.
  UndoLog recovery(fs_, locale_, dataFolder_);
  switch (recovery.RecoverJournal(&hold.recoveredPairs)) {
    case UndoLog::Recovery::NoJournal:
      hold.status = DataFolderStatus::Ready;
      break;
    case UndoLog::Recovery::Recovered:
      hold.status = DataFolderStatus::Ready;
      hold.recovered = true;
      break;
    case UndoLog::Recovery::Failed:
      hold.status = DataFolderStatus::RecoveryFailed;
      break;
    case UndoLog::Recovery::Busy:
      hold.status = DataFolderStatus::JournalBusy;
      break;
  }
  return hold;
}

void RunSession::LoadHistory(int maximum) {
  history_.emplace(fs_, locale_, dataFolder_ + u"Newname.txt", maximum);
  history_->Load();
}

RunServices RunSession::Services(const RunWindows& w) {
  RunServices services{fs_,       locale_, clock_,   w.texts,    w.prompter, w.observer, w.list,   undo_,    w.host,
                       w.program, run_,    preview_, sequences_, w.special,  w.options,  w.checks, History()};
  services.protectedFolder = dataFolder_;
  return services;
}

}  // namespace renamora

// The edit window's commands over the engine, the data folder's lock and the listing saver.
#include "ui/edit/EditCommands.h"

#include "core/RenameEngine.h"

namespace renamora::ui {

EditCommands::EditCommands(const EditCommandServices& services)
    : s_(services),
      saver_({s_.fs, s_.locale, s_.clock, s_.texts, s_.prompter, s_.progress, s_.host, s_.chooser, s_.opener,
              s_.searchPanel},
             {.Options1 = false, .Options2 = false, .DataFolder = s_.session.DataFolder()}) {}

void EditCommands::SetOptions(const OptionSettings& options) {
  runOptions_ = RunOptionsFrom(options);
  saver_.SetSettings({.Options1 = options.Options1, .Options2 = options.Options2, .DataFolder = s_.session.DataFolder()});
}

bool EditCommands::HoldDataFolder() {
  const DataFolderHold hold = s_.session.HoldDataFolder();
  if (hold.status == DataFolderStatus::Ready) return true;
  s_.session.ReleaseDataFolder();
  const bool busy = hold.status == DataFolderStatus::LockBusy || hold.status == DataFolderStatus::JournalBusy;
  s_.prompter.Show(PromptIcon::Warning, PromptButtons::Ok, s_.texts.Lookup(Msg::kInformation),
                   busy ? u"Another rename or undo is using the data folder " + s_.session.DataFolder() +
                              u" now. Try again when it has ended."
                        : u"The undo log in " + s_.session.DataFolder() +
                              u" cannot be written, so nothing is renamed.");
  return false;
}

void EditCommands::WriteWaitingPairs() {
  UndoLog& undo = s_.session.Undo();
  if (undo.PendingUndoPairs() == 0) return;
  // A failed write keeps the pairs and their journal; the next start recovers them.
  static_cast<void>(undo.WritePending());
}

void EditCommands::Execute(EditRequest& request, bool preview) {
  lastFocus_.reset();
  lastSave_.reset();
  RunState& run = s_.session.Run();
  RenameInputChecks checks(s_.texts, s_.prompter, runOptions_, s_.special, [&](const EditRequest& r) {
    lastSave_ = saver_.Save(r, s_.program, run);
  });
  RunServices services = s_.session.Services(
      {s_.texts, s_.prompter, s_.progress, s_.list, s_.host, s_.program, s_.special, runOptions_, &checks});
  RenameEngine engine(services);
  if (preview) {
    engine.Preview(request);
  } else {
    engine.RenameCommand(request);
  }
  lastFocus_ = checks.LastFocus();
}

void EditCommands::Rename(EditRequest& request) {
  // A listing renames nothing and leaves the undo log alone.
  if (request.Mode == EditMode::kSaveAll || request.Mode == EditMode::kSaveSome) {
    Execute(request, false);
    return;
  }
  // The pairs of a run whose log write is still waiting go to the log first: the
  // new run's pairs will replace them, as a later run always does.
  WriteWaitingPairs();
  if (!HoldDataFolder()) return;
  Execute(request, false);
  // Pairs waiting for the deferred write keep the folder held until it is done;
  // the journal keeps them safe meanwhile.
  if (!s_.session.Undo().FlushScheduled() || s_.session.Undo().PendingUndoPairs() == 0) {
    s_.session.ReleaseDataFolder();
  }
}

void EditCommands::Preview(EditRequest& request) { Execute(request, true); }

void EditCommands::SaveChosenFiles() {
  lastFocus_.reset();
  lastSave_ = saver_.SaveChosenFiles(s_.program.PickedPaths, s_.session.Run());
}

std::u16string EditCommands::Probe(const EditRequest& request) {
  RunServices services = s_.session.Services(
      {s_.texts, s_.prompter, s_.progress, s_.list, s_.host, s_.program, s_.special, runOptions_, nullptr});
  services.history = nullptr;
  return RenameEngine(services).Probe(request);
}

void EditCommands::UndoLogTimerFired() {
  s_.session.Undo().FlushTimerElapsed();
  if (s_.session.Undo().PendingUndoPairs() == 0) s_.session.ReleaseDataFolder();
}

void EditCommands::FlushBeforeExit() {
  WriteWaitingPairs();
  s_.session.ReleaseDataFolder();
}

}  // namespace renamora::ui

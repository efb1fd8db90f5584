// What the edit window's Rename, Save and Preview commands do in the desktop
// program: the engine's command over the main window's list, inside the windows
// of an edit, with the data folder held while renamed items wait for the undo log.
#pragma once

#include <optional>
#include <string>

#include "app/RunSession.h"
#include "app/Settings.h"
#include "core/EditRequest.h"
#include "core/InputChecks.h"
#include "core/Messages.h"
#include "core/NameListing.h"
#include "core/ProgramState.h"
#include "core/special/Sequences.h"
#include "platform/FileSystem.h"
#include "platform/Locale.h"
#include "platform/Prompter.h"
#include "platform/RunCallbacks.h"

namespace renamora::ui {

// References must outlive the commands.
struct EditCommandServices {
  FileSystem& fs;
  const Locale& locale;
  const Clock& clock;
  const TextLookup& texts;
  Prompter& prompter;
  RunObserver& progress;  // the progress window
  TargetList& list;       // the main window's list
  EditHost& host;         // the edit window, the main window and the end sound
  ProgramState& program;
  RunSession& session;
  const SpecialStringSettings& special;  // the special-string dialog's controls
  SaveFileChooser& chooser;
  FileOpener& opener;
  SearchPanel* searchPanel = nullptr;
};

class EditCommands {
 public:
  explicit EditCommands(const EditCommandServices& services);

  // The options dialog's values that runs and listings read.
  void SetOptions(const OptionSettings& options);
  const RunOptions& Options() const { return runOptions_; }

  // Rename and Save (also Ctrl+R and the preview's Rename). A real run holds the
  // data folder from its start until its pairs are in the undo log.
  void Rename(EditRequest& request);
  // Preview (also Ctrl+P): fills the preview rows; nothing on disk changes.
  void Preview(EditRequest& request);
  // The main window's Save over chosen files: the names of the picked paths.
  void SaveChosenFiles();
  // The first item of the request's scope, or empty after the probe's message.
  std::u16string Probe(const EditRequest& request);

  // The deferred write of a run's pairs is due (the edit window's one-shot timer):
  // the undo log takes them and the data folder is let go.
  void UndoLogTimerFired();
  // The program is closing: pairs still waiting are written now.
  void FlushBeforeExit();

  // The box a refused input named, for the window to put the focus into.
  std::optional<FocusBox> LastFocus() const { return lastFocus_; }
  // What the last Save wrote; nothing when the last command saved nothing.
  const std::optional<SaveOutcome>& LastSave() const { return lastSave_; }

 private:
  [[nodiscard]] bool HoldDataFolder();
  void WriteWaitingPairs();
  void Execute(EditRequest& request, bool preview);

  EditCommandServices s_;
  RunOptions runOptions_;
  // One saver for the program's life: its dialog starts with the name chosen last.
  NameListingSaver saver_;
  std::optional<FocusBox> lastFocus_;
  std::optional<SaveOutcome> lastSave_;
};

}  // namespace renamora::ui

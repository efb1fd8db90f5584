// The Rename command and the preview entry: everything from a filled-in request to
// renamed items (or preview rows), wired to the windows only through interfaces.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "core/EditRequest.h"
#include "core/Messages.h"
#include "core/PreviewRows.h"
#include "core/ProgramState.h"
#include "core/special/Sequences.h"
#include "platform/FileSystem.h"
#include "platform/Locale.h"
#include "platform/Prompter.h"
#include "platform/RunCallbacks.h"

namespace renamora {

// Step 6 of the Rename command: the input checks and confirmations of the current
// mode. Answers whether the run goes ahead; may adjust the request's boxes and
// switch preview off (the Save mode saves a listing instead of renaming).
class InputChecks {
 public:
  virtual ~InputChecks() = default;
  virtual bool CheckAndConfirm(EditRequest& request, RunState& run, const ProgramState& program) = 0;
};

// Where a real run records the templates it used (the new-name history).
class TemplateHistory {
 public:
  virtual ~TemplateHistory() = default;
  virtual void Add(std::u16string_view text) = 0;
};

// What the engine works with. References must outlive the engine.
struct RunServices {
  FileSystem& fs;
  const Locale& locale;
  const Clock& clock;
  const TextLookup& texts;
  Prompter& prompter;
  RunObserver& observer;
  TargetList& list;
  RunSink& sink;
  EditHost& host;
  ProgramState& program;
  RunState& run;
  PreviewRows& preview;
  SequenceState& sequences;
  const SpecialStringSettings& special;
  const RunOptions& options;
  InputChecks* checks = nullptr;       // none: every request runs
  TemplateHistory* history = nullptr;  // none: nothing is remembered
  // The program's data folder: never a target, nor entered by a walk; empty: none.
  std::u16string protectedFolder = {};
};

struct TargetItem {
  std::u16string Path;  // a folder's path has no trailing separator
  int ListIndex = -1;   // position in the main window's list, -1 when not from it
  // What the folder walk already knows of the item; -1 unknown, else 0/1.
  int KnownFolder = -1;
};

class RenameEngine {
 public:
  explicit RenameEngine(RunServices services) : s_(services) {}

  // The Rename command (Rename button, Ctrl+R): probe, checks, run, end of run.
  void RenameCommand(EditRequest& request);
  // The preview entry (Preview button, Ctrl+P): the same command with preview on.
  void Preview(EditRequest& request);

  // The target probe: a path the edit could work on, or empty after its message.
  std::u16string Probe(const EditRequest& request);

 private:
  void Run(const EditRequest& request);
  void EndOfRun();
  void RecordTemplates(const EditRequest& request);
  bool IsSmallRun(const EditRequest& request);
  // The folder walk's rule for the subfolders it enters, for the probe's searches.
  std::function<bool(const DirEntry&, const std::u16string&)> WalkRule(const EditRequest& request) const;

  RunServices s_;
};

// The status line after an edit window closes on a run that renamed something,
// e.g. "12 renamed successfully,1 failed.".
std::u16string RunSummaryText(const RunCounters& counters, const TextLookup& texts);

// Trims blanks and control characters (everything up to U+0020) from both ends.
std::u16string TrimBlanksAndControls(std::u16string_view text);

}  // namespace renamora

// The program state that lives from start to exit, and the state of one command.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "core/EditRequest.h"
#include "platform/RunCallbacks.h"

namespace renamora {

struct ProgramState {
  std::u16string CurrentMode{EditMode::kBrowse};
  // The folder an edit works on, ending with the separator; empty for chosen files.
  std::u16string TargetFolder;
  std::vector<std::u16string> PickedPaths;  // full paths of chosen items
  std::u16string SamplePath;
  bool DirectEditStart = false;  // started with an edit mode on the command line
  TargetScope ScopeIndex = TargetScope::AllFiles;
  std::uint64_t RenamedTotal = 0;  // lifetime count of renamed items (Totalfiles)
};

struct RunCounters {
  int Renamed = 0;
  int Failed = 0;
  int PreviewRows = 0;
};

struct RunState {
  bool PreviewMode = false;
  StopRequest Stop;
  RunCounters Counters;
  bool EditDone = false;  // this edit renamed or saved something
  // Captured when a run starts: the sample box's selection length.
  int SelectionLength = 0;
  // Set while the run's items are processed inside the progress window.
  bool InProgressJob = false;
  // Files met directly in the target folder by the last probe, exact up to 6;
  // -1 when the probe did not count them.
  int ProbeFileCount = -1;
  // The preview window opens maximized after this preview.
  bool PreviewMaximized = false;
  // The item before which the run stopped because the journal could not take its
  // record (the data folder's disk is full); empty when that did not happen.
  std::u16string UndoRecordRefusedAt;
};

}  // namespace renamora

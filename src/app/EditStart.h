// What starting an edit takes from the main window's list: targets, sample and scope.
#pragma once

#include <string_view>

#include "app/FileList.h"
#include "core/EditRequest.h"
#include "core/ProgramState.h"
#include "platform/FileSystem.h"

namespace renamora {

enum class EditStartStatus {
  Ready,          // the edit window may open
  NothingChosen,  // no folder and no files: message 027, mode back to browsing
  FolderMissing,  // the folder box names no folder: message 028, list emptied, mode back to browsing
  SaveChosen,     // "Savesomes": the picked paths are to be saved, no edit window
};

struct EditStartOutcome {
  EditStartStatus status = EditStartStatus::Ready;
  // The scope went from all files to checked files, since some item is unchecked;
  // the edit window's scope box must show it.
  bool scopeNarrowed = false;
  // No item gave the sample: the target probe must find one.
  bool needsProbe = false;
};

// Fills the program state for an edit of the list's items (folderBoxText, already
// trimmed, names the folder of a folder view). In chosen files the checked items
// become the picked paths, the first checked selected one (else the first picked)
// the sample; in a folder view the folder becomes the target folder, an unchecked
// item narrows the scope from all files to checked files, and a checked selected
// item of the scope's kind is the sample.
EditStartOutcome PrepareEditStart(FileList& list, ProgramState& program, TargetScope& scope, FileSystem& fs,
                                  std::u16string_view folderBoxText);

}  // namespace renamora

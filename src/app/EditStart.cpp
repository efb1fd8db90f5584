// The part of starting an edit that the main window and the command line share.
#include "app/EditStart.h"

#include "base/Paths.h"

namespace renamora {

EditStartOutcome PrepareEditStart(FileList& list, ProgramState& program, TargetScope& scope, FileSystem& fs,
                                  std::u16string_view folderBoxText) {
  EditStartOutcome outcome;
  // A sample left from the last edit must not stand for this one.
  program.SamplePath.clear();
  const bool chosenFiles = list.Mode() == FileListMode::ChosenFiles;
  if (list.Count() == 0 && (chosenFiles || folderBoxText.empty())) {
    program.CurrentMode = std::u16string(EditMode::kBrowse);
    outcome.status = EditStartStatus::NothingChosen;
    return outcome;
  }

  if (chosenFiles) {
    program.TargetFolder.clear();
    program.PickedPaths.clear();
    for (std::size_t i = 0; i < list.Count(); ++i) {
      if (!list.IsChecked(i)) continue;
      program.PickedPaths.push_back(list.FullPath(i));
      // Without check boxes the selection does not pick the sample.
      if (list.ShowsCheckBoxes() && program.SamplePath.empty() && list.Item(i).selected) {
        program.SamplePath = program.PickedPaths.back();
      }
    }
    if (program.SamplePath.empty() && !program.PickedPaths.empty()) program.SamplePath = program.PickedPaths.front();
    if (program.CurrentMode == EditMode::kSaveSome) outcome.status = EditStartStatus::SaveChosen;
    return outcome;
  }

  if (!fs.IsFolder(folderBoxText)) {
    program.CurrentMode = std::u16string(EditMode::kBrowse);
    list.Clear();
    outcome.status = EditStartStatus::FolderMissing;
    return outcome;
  }
  program.TargetFolder = WithTrailingSeparator(folderBoxText);
  const bool someUnchecked = [&] {
    for (std::size_t i = 0; i < list.Count(); ++i) {
      if (!list.Item(i).checked) return true;
    }
    return false;
  }();
  if (scope == TargetScope::AllFiles && list.ShowsCheckBoxes() && someUnchecked) {
    scope = TargetScope::CheckedFiles;
    outcome.scopeNarrowed = true;
  }
  if (const auto selected = list.FirstSelected(); selected && list.IsChecked(*selected)) {
    const std::u16string path = program.TargetFolder + list.Item(*selected).text;
    const bool folderScope = scope == TargetScope::Folders || scope == TargetScope::ThisFolder;
    if (folderScope ? fs.IsFolder(path) : fs.IsFile(path)) program.SamplePath = path;
  }
  outcome.needsProbe = program.SamplePath.empty();
  return outcome;
}

}  // namespace renamora

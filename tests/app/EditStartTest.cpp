// Starting an edit from the list: picked paths, sample, target folder and the scope.
#include "app/EditStart.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "base/Paths.h"
#include "support/TableLocale.h"
#include "support/TempFolder.h"

namespace renamora {
namespace {

TEST(EditStartTest, TakesTargetsSampleAndScopeFromTheList) {
  auto fs = MakeSystemFileSystem();
  auto clock = MakeSystemClock();
  test::TableLocale locale;
  test::TempFolder dir(*fs);
  dir.MakeFolder(u"f");
  dir.MakeFile(u"a.txt");
  dir.MakeFile(u"b.txt");
  const std::u16string folder = WithTrailingSeparator(dir.Path());
  enum class Box { Folder, Empty, Missing };
  // Both lists hold f, a.txt, b.txt in this order; one character per item.
  struct Row {
    const char* name;
    FileListMode mode;
    bool checkBoxes;
    const char* checked;
    const char* selected;
    TargetScope scope;
    Box box;
    std::u16string_view currentMode;
    EditStartStatus status;
    std::vector<std::u16string> picked;  // names below the folder
    std::u16string sample;               // name below the folder, "" none
    TargetScope scopeAfter;
    bool needsProbe;
  };
  using enum FileListMode;
  using S = EditStartStatus;
  const TargetScope all = TargetScope::AllFiles, checkedScope = TargetScope::CheckedFiles,
                    folders = TargetScope::Folders;
  const Row rows[] = {
      {"chosen: checked ones, first checked selected is the sample", ChosenFiles, true, "101", "011", all, Box::Empty,
       EditMode::kChange, S::Ready, {u"f", u"b.txt"}, u"b.txt", all, false},
      {"chosen without check boxes: all, the first is the sample", ChosenFiles, false, "101", "011", all, Box::Empty,
       EditMode::kChange, S::Ready, {u"f", u"a.txt", u"b.txt"}, u"f", all, false},
      {"chosen, saving names", ChosenFiles, true, "111", "000", all, Box::Empty, EditMode::kSaveSome, S::SaveChosen,
       {u"f", u"a.txt", u"b.txt"}, u"f", all, false},
      {"folder: an unchecked item narrows all files to checked", FolderView, true, "110", "000", all, Box::Folder,
       EditMode::kChange, S::Ready, {}, u"", checkedScope, true},
      {"folder without check boxes keeps the scope", FolderView, false, "110", "000", all, Box::Folder,
       EditMode::kChange, S::Ready, {}, u"", all, true},
      {"folder: a checked selected file is the sample", FolderView, true, "111", "001", all, Box::Folder,
       EditMode::kChange, S::Ready, {}, u"b.txt", all, false},
      {"folder: a selected folder is no file sample", FolderView, true, "111", "100", all, Box::Folder,
       EditMode::kChange, S::Ready, {}, u"", all, true},
      {"folder: a selected folder is the folder scope's sample", FolderView, true, "111", "100", folders, Box::Folder,
       EditMode::kChange, S::Ready, {}, u"f", folders, false},
      {"folder: an unchecked selected file is not", FolderView, true, "110", "001", checkedScope, Box::Folder,
       EditMode::kChange, S::Ready, {}, u"", checkedScope, true},
      {"folder box names no folder", FolderView, true, "111", "000", all, Box::Missing, EditMode::kChange,
       S::FolderMissing, {}, u"", all, false},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    FileList list(*fs, *clock, locale);
    list.SetShowsCheckBoxes(row.checkBoxes);
    if (row.mode == FolderView) {
      ASSERT_EQ(list.ListFolder(folder, {}, [] { return true; }), ListingEnd::Listed);
    } else {
      for (const char16_t* name : {u"f", u"a.txt", u"b.txt"}) ASSERT_TRUE(list.AddPath(folder + name, u"", u""));
    }
    ASSERT_EQ(list.Count(), 3u);
    for (std::size_t i = 0; i < 3; ++i) {
      list.SetChecked(i, row.checked[i] == '1');
      list.SetSelected(i, row.selected[i] == '1');
    }
    ProgramState program;
    program.CurrentMode = std::u16string(row.currentMode);
    program.SamplePath = u"left from the last edit";
    TargetScope scope = row.scope;
    const std::u16string box = row.box == Box::Folder ? dir.Path() : row.box == Box::Missing ? dir / u"gone" : u"";
    const EditStartOutcome outcome = PrepareEditStart(list, program, scope, *fs, box);
    EXPECT_EQ(outcome.status, row.status);
    std::vector<std::u16string> picked;
    for (const auto& p : program.PickedPaths) picked.push_back(p.substr(folder.size()));
    EXPECT_EQ(picked, row.picked);
    EXPECT_EQ(program.SamplePath, row.sample.empty() ? u"" : folder + row.sample);
    EXPECT_EQ(scope, row.scopeAfter);
    EXPECT_EQ(outcome.scopeNarrowed, row.scope != row.scopeAfter);
    EXPECT_EQ(outcome.needsProbe, row.needsProbe);
    const bool folderEdit = row.mode == FolderView && row.status == S::Ready;
    EXPECT_EQ(program.TargetFolder, folderEdit ? folder : u"");
    if (row.status == S::FolderMissing) {
      EXPECT_EQ(list.Count(), 0u);
      EXPECT_EQ(program.CurrentMode, EditMode::kBrowse);
    }
  }
  // Nothing chosen: an empty chosen-files list, or an empty box over an empty list.
  for (const FileListMode mode : {ChosenFiles, FolderView}) {
    FileList list(*fs, *clock, locale);
    list.SetMode(mode);
    ProgramState program;
    program.CurrentMode = std::u16string(EditMode::kChange);
    TargetScope scope = all;
    EXPECT_EQ(PrepareEditStart(list, program, scope, *fs, mode == ChosenFiles ? dir.Path() : u"").status,
              S::NothingChosen);
    EXPECT_EQ(program.CurrentMode, EditMode::kBrowse);
  }
}

}  // namespace
}  // namespace renamora

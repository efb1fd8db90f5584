// What the tests that kill a real renamora-cli run share on every system: the files
// they make, how far the run got, and the undo that must bring every file back.
#pragma once

#include <string>
#include <vector>

#include "base/text/Utf.h"
#include "cli/CliHarness.h"
#include "core/UndoJournal.h"

namespace renamora::cli {

class KilledRunHarness : public CliHarness {
 protected:
  static std::u16string FileName(int i) { return u"IMG_" + U16(std::to_string(10000 + i)) + u".jpg"; }

  // The files the run has renamed so far (their new names start with "x").
  std::size_t RenamedSoFar(const std::u16string& folder) {
    std::size_t count = 0;
    if (auto entries = fs->ListFolder(folder, ListDetail::NamesAndKinds)) {
      for (const DirEntry& e : *entries) count += e.name.starts_with(u"x") ? 1 : 0;
    }
    return count;
  }

  // The next start finds the killed run's journal; its undo restores every file.
  void ExpectUndoBringsEveryFileBack(const test::TempFolder& folder, int files, std::size_t renamed) {
    EXPECT_TRUE(fs->Exists(UndoJournalPath(data.Path())));
    const CliResult undo = Command(u"undo", {u"--yes"});
    EXPECT_EQ(undo.status, renamed > 0 ? kExitDone : kExitNothingToDo) << undo.err;
    EXPECT_FALSE(fs->Exists(UndoJournalPath(data.Path())));
    const std::vector<std::u16string> names = folder.Names();
    ASSERT_EQ(names.size(), std::size_t(files)) << renamed << " renamed before the kill";
    for (int i = 0; i < files; ++i) {
      ASSERT_EQ(names[std::size_t(i)], FileName(i));
      ASSERT_EQ(folder.Read(FileName(i)), std::to_string(i));
    }
  }
};

}  // namespace renamora::cli

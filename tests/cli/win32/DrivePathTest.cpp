// renamora-cli on Windows paths without a drive: the run, its output and its undo
// log name every item by its full path with the drive, so that an undo started from
// another current drive finds them.
#include <string>

#include "base/text/Utf.h"
#include "cli/CliHarness.h"

namespace renamora::cli {
namespace {

TEST_F(CliHarness, TargetsWithoutADriveGetTheDriveOfTheWorkingFolder) {
  ASSERT_EQ(dir.Path()[1], u':');
  const std::u16string drive = dir.Path().substr(0, 2);
  std::u16string slashed = dir.Path().substr(2) + u"\\T";
  for (char16_t& c : slashed) {
    if (c == u'\\') c = u'/';
  }
  struct Row {
    const char* label;
    std::u16string target;
  };
  const Row rows[] = {
      {"rooted without a drive", dir.Path().substr(2) + u"\\T"},
      {"rooted with forward slashes", slashed},
      {"relative", u"T"},
      {"relative through ..", u"T\\..\\T"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.label);
    test::TempFolder rowData(*fs);
    dir.MakeFile(u"T/a.txt", "a");
    const CliResult r =
        Cli({u"rename", u"--data-folder", rowData.Path(), u"--head", u"x-", u"--yes", u"--format", u"tsv", row.target});
    EXPECT_EQ(r.status, kExitDone) << r.err;
    EXPECT_EQ(r.out, ToUtf8Lossy(dir / u"T\\a.txt") + "\t" + ToUtf8Lossy(dir / u"T\\x-a.txt") +
                         "\n1 renamed successfully,0 failed.\n");
    const auto log = fs->ReadFile(rowData / u"Undos\\rollback.rbk");
    ASSERT_TRUE(log.has_value());
    EXPECT_NE(log->find(ToUtf8Lossy(drive + u"\\")), std::string::npos) << *log;
    const CliResult undone = Cli({u"undo", u"--data-folder", rowData.Path(), u"--yes"});
    EXPECT_EQ(undone.status, kExitDone) << undone.err;
    EXPECT_EQ(dir.Read(u"T\\a.txt"), "a");
  }
}

}  // namespace
}  // namespace renamora::cli

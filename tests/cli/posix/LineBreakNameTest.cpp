// POSIX names may hold line breaks, which the undo log (one path per line) cannot:
// such an item is left alone, and the rest of the run stays undoable.
#include "cli/CliHarness.h"
#include "core/TextFile.h"
#include "core/UndoLog.h"

namespace renamora::cli {
namespace {

class LineBreakNames : public CliHarness {};

TEST_F(LineBreakNames, AreLeftAloneAndTheRestIsUndone) {
  struct Row {
    const char* label;
    std::u16string odd;  // a name holding a line break, or a folder of that name
    bool inFolder;
  };
  const Row rows[] = {{"line feed in the name", u"a\nb!.txt", false},
                      {"carriage return in the name", u"c\rd!.txt", false},
                      {"line feed in the folder's name", u"sub\nfolder", true}};
  for (const Row& row : rows) {
    SCOPED_TRACE(row.label);
    test::TempFolder folder(*fs);
    const std::u16string target = row.inFolder ? folder / row.odd : folder.Path();
    const std::u16string odd = row.inFolder ? row.odd + u"/e!.txt" : row.odd;
    folder.MakeFile(odd, "odd");
    folder.MakeFile(row.inFolder ? row.odd + u"/plain!.txt" : u"plain!.txt", "plain");
    const CliResult run = Command(u"rename", {u"--mode", u"remove", u"--set", u"RemoveOptions.RemoveKind=CleanSymbols",
                                             u"--yes", u"--format", u"tsv", target});
    EXPECT_EQ(run.status, kExitSomeFailed) << run.err;
    const std::u16string sub = row.inFolder ? row.odd : u"";
    if (row.inFolder) {
      // Every item of the folder has the break in its path.
      EXPECT_EQ(folder.Names(sub), (std::vector<std::u16string>{u"e!.txt", u"plain!.txt"}));
      continue;
    }
    EXPECT_EQ(folder.Names(), (std::vector<std::u16string>{row.odd, u"plain.txt"}));
    const auto lines = ReadTextLines(*fs, UndoLogPath(data.Path()), *locale);
    ASSERT_TRUE(lines.has_value());
    EXPECT_EQ(lines->size(), 2u);
    EXPECT_EQ(Command(u"undo", {u"--yes"}).status, kExitDone);
    EXPECT_EQ(folder.Names(), (std::vector<std::u16string>{row.odd, u"plain!.txt"}));
    EXPECT_EQ(folder.Read(row.odd), "odd");
  }
}

// Where the program's own rule leaves an item alone, the message says which rule,
// not that the system refused the rename.
TEST_F(LineBreakNames, OwnRefusalsSayWhy) {
  struct Row {
    const char* label;
    std::u16string name;
    Args edit;
    std::string why;
  };
  const std::u16string longName(130, u'\u00e9');  // 260 bytes of UTF-8 in 130 units
  const Row rows[] = {
      {"a line break in the name", u"a\nb!.txt",
       {u"--mode", u"remove", u"--set", u"RemoveOptions.RemoveKind=CleanSymbols"},
       "its name or the new name holds a line break, which the undo log cannot keep"},
      {"a new name of more than 255 bytes", u"x.txt", {u"--new-name", longName},
       "the new name is longer than 255 bytes, more than the file system takes"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.label);
    test::TempFolder folder(*fs);
    folder.MakeFile(row.name, "odd");
    Args args = row.edit;
    args.insert(args.end(), {u"--yes", folder.Path()});
    const CliResult run = Command(u"rename", args);
    EXPECT_EQ(run.status, kExitSomeFailed) << run.err;
    EXPECT_NE(run.err.find("': " + row.why + "\n"), std::string::npos) << run.err;
    EXPECT_EQ(folder.Names(), (std::vector<std::u16string>{row.name}));
  }
}

}  // namespace
}  // namespace renamora::cli

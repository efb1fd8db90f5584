// renamora-cli end to end, in-process: every command, the field contract, output
// forms, exit statuses, and a preview / rename / undo round trip per mode on real
// folders. Under Wine the same calls go through the Win32 backend.
#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "base/Paths.h"
#include "base/text/Utf.h"
#include "cli/CliApp.h"
#include "cli/CliHarness.h"
#include "support/TempFolder.h"

namespace renamora::cli {
namespace {

using test::TempFolder;
using Names = std::vector<std::u16string>;

class CliRun : public CliHarness {};

TEST_F(CliRun, EveryModeRoundTripsThroughPreviewRenameAndUndo) {
  struct Row {
    const char* label;
    Args edit;
    Names before, after;
  };
  const Row rows[] = {
      {"remove", {u"--remove", u"IMG_"}, {u"IMG_1.jpg", u"IMG_2.jpg"}, {u"1.jpg", u"2.jpg"}},
      {"keep strings",
       {u"--mode", u"remove", u"--set", u"RemoveOptions.RemoveKind=KeepSomething", u"--set",
        u"RemoveOptions.KeepKind=GivenStrings", u"--set", u"RemoveOptions.KeepStrings1=ab"},
       {u"xaby.txt", u"zab.txt"}, {u"ab(1).txt", u"ab.txt"}},
      {"clean symbols",
       {u"--mode", u"remove", u"--set", u"RemoveOptions.RemoveKind=CleanSymbols"},
       {u"a!b.txt", u"c#d.txt"}, {u"ab.txt", u"cd.txt"}},
      {"replace with a number", {u"--replace", u"IMG", u"Photo$$"}, {u"IMG_a.jpg", u"IMG_b.jpg"},
       {u"Photo01_a.jpg", u"Photo02_b.jpg"}},
      {"insert at head and end", {u"--head", u"x-", u"--end", u"-{a}"}, {u"a.txt", u"b.txt"},
       {u"x-a-a.txt", u"x-b-b.txt"}},
      {"change the whole name", {u"--new-name", u"pic$"}, {u"k.png", u"m.png"}, {u"pic1.png", u"pic2.png"}},
      {"upper case", {u"--case", u"upper"}, {u"ab.txt", u"cd.txt"}, {u"AB.TXT", u"CD.TXT"}},
      {"capitalize words", {u"--case", u"words"}, {u"the lord of the rings.txt"}, {u"The Lord of the Rings.Txt"}},
      {"extension", {u"--extension", u"jpg", u"png"}, {u"a.JPG", u"b.gif"}, {u"a.png", u"b.gif"}},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.label);
    TempFolder folder(*fs);
    for (std::size_t i = 0; i < row.before.size(); ++i) folder.MakeFile(row.before[i], std::to_string(i));

    Args preview = row.edit;
    preview.insert(preview.end(), {u"--format", u"tsv", folder.Path()});
    const CliResult shown = Command(u"preview", preview);
    EXPECT_EQ(shown.status, kExitDone) << shown.err;
    EXPECT_EQ(folder.Names(), row.before);

    Args rename = row.edit;
    rename.insert(rename.end(), {u"--yes", u"--format", u"tsv", folder.Path()});
    const CliResult renamed = Command(u"rename", rename);
    EXPECT_EQ(renamed.status, kExitDone) << renamed.err;
    EXPECT_EQ(folder.Names(), row.after);

    const CliResult undone = Command(u"undo", {u"--yes"});
    EXPECT_EQ(undone.status, kExitDone) << undone.err;
    EXPECT_EQ(folder.Names(), row.before);
    for (std::size_t i = 0; i < row.before.size(); ++i) EXPECT_EQ(folder.Read(row.before[i]), std::to_string(i));
  }
}

TEST_F(CliRun, PreviewRowsInEveryFormat) {
  dir.MakeFile(u"IMG_1.jpg");
  dir.MakeFile(u"IMG_2.jpg");
  const Args edit{u"--remove", u"IMG_", dir.Path()};
  auto with = [&](std::u16string format) {
    Args a{u"--format", std::move(format)};
    a.insert(a.end(), edit.begin(), edit.end());
    return Command(u"preview", a);
  };
  EXPECT_EQ(with(u"tsv").out, "IMG_1.jpg\t1.jpg\nIMG_2.jpg\t2.jpg\n");
  const std::string json = with(u"json").out;
  EXPECT_NE(json.find("{\"old\": \"IMG_1.jpg\", \"new\": \"1.jpg\"}"), std::string::npos) << json;
  const std::string table = with(u"table").out;
  EXPECT_NE(table.find("IMG_2.jpg"), std::string::npos);
  EXPECT_NE(table.find("Old name"), std::string::npos);
}

// The row limit's own message points to an options dialog; the command line's
// way past the limit is named after it.
TEST_F(CliRun, PreviewCutAtTheRowLimitNamesTheWayToSeeEveryRow) {
  dir.MakeFile(u"IMG_1.jpg");
  dir.MakeFile(u"IMG_2.jpg");
  dir.MakeFile(u"IMG_3.jpg");
  const std::string limit = "By default only 20 names are shown ('Preview file number' can be changed in 'Options')";
  struct Row {
    const char* label;
    Args flags;
    std::string tsv;
  };
  const Row rows[] = {
      {"cut at 2 rows",
       {u"--set", u"Option.Prenum=2"},
       "IMG_1.jpg\t1.jpg\nIMG_2.jpg\t2.jpg\n" + limit + "\t\nAdd --all to show every name.\t\n"},
      {"--all", {u"--set", u"Option.Prenum=2", u"--all"}, "IMG_1.jpg\t1.jpg\nIMG_2.jpg\t2.jpg\nIMG_3.jpg\t3.jpg\n"},
      {"within the limit", {}, "IMG_1.jpg\t1.jpg\nIMG_2.jpg\t2.jpg\nIMG_3.jpg\t3.jpg\n"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.label);
    Args args = row.flags;
    args.insert(args.end(), {u"--remove", u"IMG_", u"--format", u"tsv", dir.Path()});
    const CliResult r = Command(u"preview", args);
    EXPECT_EQ(r.status, kExitDone) << r.err;
    EXPECT_EQ(r.out, row.tsv);
  }
}

TEST_F(CliRun, RelativeTargetsAreResolvedByName) {
  dir.MakeFile(u"Trip/a.jpg");
  // The call runs in dir: "." and ".." are resolved, so "%%" sees the folder's name.
  for (const std::u16string target : {u"Trip", u"Trip/.", u"./Trip/", u"Trip/../Trip"}) {
    SCOPED_TRACE(ToUtf8Lossy(target));
    const CliResult r = Command(u"preview", {u"--new-name", u"%%", u"--format", u"tsv", target});
    EXPECT_EQ(r.out, "a.jpg\tTrip.jpg\n") << r.err;
  }
}

TEST_F(CliRun, RenameListsEveryItemThenTheStatusLine) {
  dir.MakeFile(u"xa.txt");
  dir.MakeFile(u"xb.txt");
  const CliResult r = Command(u"rename", {u"--remove", u"x", u"--yes", u"--format", u"tsv", dir.Path()});
  EXPECT_EQ(r.status, kExitDone);
  const std::string a = ToUtf8Lossy(dir / u"xa.txt") + "\t" + ToUtf8Lossy(dir / u"a.txt");
  const std::string b = ToUtf8Lossy(dir / u"xb.txt") + "\t" + ToUtf8Lossy(dir / u"b.txt");
  EXPECT_EQ(r.out, a + "\n" + b + "\n2 renamed successfully,0 failed.\n");
  // The undo log is written when the run ends, not three seconds later.
  EXPECT_TRUE(fs->Exists(data / u"Undos" + kPathSeparator + u"rollback.rbk"));
}

TEST_F(CliRun, ExitStatusesTellWhatHappened) {
  dir.MakeFile(u"a");
  dir.MakeFile(u"b.txt");
  struct Row {
    const char* label;
    std::u16string command;
    Args args;
    int status;
    std::string errHas;  // a piece of the standard error
  };
  const std::u16string target = dir.Path();
  const Row rows[] = {
      {"nothing to rename", u"preview", {u"--remove", u"zzz", target}, kExitNothingToDo, ""},
      {"unknown field", u"preview", {u"--set", u"RemoveOptions.Nope=1", target}, kExitRefused, "RemoveOptions.Nope"},
      {"bad value", u"preview", {u"--set", u"EditRequest.Scope=7", target}, kExitRefused, "EditRequest.Scope"},
      {"no mode", u"preview", {target}, kExitRefused, "EditRequest.Mode"},
      {"unknown option", u"preview", {u"--frobnicate", target}, kExitRefused, "--frobnicate"},
      {"missing target", u"rename", {u"--remove", u"a", dir / u"gone"}, kExitRefused, "no such file"},
      {"failed input check", u"rename", {u"--mode", u"remove", target}, kExitRefused, "Information: "},
      {"declined confirmation", u"rename", {u"--remove", u"a", u"--set", u"Option.Confirm=1", u"--no", target},
       kExitRefused, "[Cancel]"},
      {"some renamed, some refused", u"rename", {u"--new-name", u"con", u"--yes", target}, kExitSomeFailed,
       "reserved by Windows"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.label);
    const CliResult r = Command(row.command, row.args);
    EXPECT_EQ(r.status, row.status) << r.err;
    EXPECT_NE(r.err.find(row.errHas), std::string::npos) << r.err;
  }
  // Options may come before the command.
  dir.MakeFile(u"xq.txt");
  EXPECT_EQ(Cli({u"--data-folder", data.Path(), u"preview", u"--remove", u"q", target}).status, kExitDone);
  EXPECT_EQ(Cli({u"frob"}).status, kExitRefused);
  EXPECT_EQ(Cli({}).status, kExitRefused);
  EXPECT_EQ(Cli({u"--version"}).status, kExitDone);
  const CliResult help = Cli({u"--help"});
  EXPECT_EQ(help.status, kExitDone);
  EXPECT_NE(help.out.find("InsertOptions.HeadTemplate"), std::string::npos);
}

TEST_F(CliRun, UndoWithoutALogHasNothingToDoAndDeclinedUndoTouchesNothing) {
  EXPECT_EQ(Command(u"undo", {u"--yes"}).status, kExitNothingToDo);
  dir.MakeFile(u"xa.txt");
  ASSERT_EQ(Command(u"rename", {u"--remove", u"x", u"--yes", dir.Path()}).status, kExitDone);
  const CliResult declined = Command(u"undo", {u"--no"});
  EXPECT_EQ(declined.status, kExitRefused);
  EXPECT_EQ(dir.Names(), (Names{u"a.txt"}));
}

TEST_F(CliRun, CheckedItemsAndChosenFiles) {
  dir.MakeFile(u"xa.txt");
  dir.MakeFile(u"xb.txt");
  dir.MakeFile(u"xc.txt");
  // With an unchecked item the scope turns into "only checked files".
  EXPECT_EQ(Command(u"rename", {u"--remove", u"x", u"--yes", u"--checked", u"xb.txt", dir.Path()}).status, kExitDone);
  EXPECT_EQ(dir.Names(), (Names{u"b.txt", u"xa.txt", u"xc.txt"}));
  // Several paths are chosen files.
  EXPECT_EQ(Command(u"rename", {u"--remove", u"x", u"--yes", dir / u"xa.txt", dir / u"xc.txt"}).status, kExitDone);
  EXPECT_EQ(dir.Names(), (Names{u"a.txt", u"b.txt", u"c.txt"}));
  EXPECT_EQ(Command(u"rename", {u"--remove", u"x", u"--checked", u"nope", dir.Path()}).status, kExitRefused);
}

TEST_F(CliRun, TheDataFolderInsideTheTargetIsLeftAlone) {
  struct Row {
    const char* label;
    Args edit;
    std::u16string target;  // relative to the test folder; empty: the folder itself
    Names after;            // of the test folder
    bool renamed;
  };
  const Row rows[] = {
      {"files of every depth", {u"--subfolders", u"--head", u"X_"}, u"", {u"D", u"sub", u"X_a.txt"}, true},
      {"folders of every depth", {u"--subfolders", u"--head", u"X_", u"--set", u"EditRequest.Scope=2"}, u"",
       {u"a.txt", u"D", u"X_sub"}, true},
      {"the data folder as the target", {u"--subfolders", u"--head", u"X_"}, u"D", {u"a.txt", u"D", u"sub"}, false},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.label);
    TempFolder folder(*fs);
    folder.MakeFile(u"a.txt");
    folder.MakeFile(u"sub/b.txt");
    folder.MakeFile(u"D/keep.txt", "mine");
    Args args{u"rename", u"--data-folder", folder / u"D", u"--yes"};
    args.insert(args.end(), row.edit.begin(), row.edit.end());
    args.push_back(row.target.empty() ? folder.Path() : folder / row.target);
    const CliResult r = Cli(args);
    EXPECT_EQ(folder.Names(), row.after);
    EXPECT_EQ(folder.Read(u"D/keep.txt"), "mine");
    EXPECT_EQ(r.status, row.renamed ? kExitDone : kExitNothingToDo) << r.err;
    // The undo log went where the run began it.
    EXPECT_EQ(fs->Exists(folder / u"D/Undos/rollback.rbk"), row.renamed);
    const std::string told = "Information: The program's data folder, what it holds and the folders that hold it are "
                             "never renamed - '" + ToUtf8Lossy(folder / u"D") + "'\n";
    EXPECT_NE(r.err.find(told), std::string::npos) << r.err;
    EXPECT_EQ(r.err.find(told), r.err.rfind(told)) << r.err;  // once per run
  }
}

TEST_F(CliRun, RequestFileThenSetsInOrder) {
  dir.MakeFile(u"IMG_1.jpg");
  const std::u16string request = data / u"edit.ini";
  ASSERT_TRUE(fs->WriteFile(request, "[EditRequest]\r\nMode=replace\r\n[ReplaceOptions]\r\nOldString=IMG\r\n"
                                     "NewTemplate=Photo\r\n"));
  const CliResult r = Command(u"preview", {u"--request", request, u"--set", u"ReplaceOptions.NewTemplate=Pic",
                                           u"--format", u"tsv", dir.Path()});
  EXPECT_EQ(r.status, kExitDone) << r.err;
  EXPECT_EQ(r.out, "IMG_1.jpg\tPic_1.jpg\n");
  ASSERT_TRUE(fs->WriteFile(request, "[ReplaceOptions]\r\nOldStrin=IMG\r\n"));
  EXPECT_EQ(Command(u"preview", {u"--request", request, dir.Path()}).status, kExitRefused);
}

TEST_F(CliRun, SaveWritesTheListing) {
  dir.MakeFile(u"b.mp3");
  dir.MakeFile(u"a.mp3");
  const std::u16string out = data / u"names";
  const CliResult r = Command(u"save", {u"--output", out, dir.Path()});
  EXPECT_EQ(r.status, kExitDone) << r.err;
  const auto text = fs->ReadFile(out + u".txt");
  ASSERT_TRUE(text.has_value());
  EXPECT_NE(text->find("  a.mp3\r\n  b.mp3\r\n"), std::string::npos) << *text;
  EXPECT_EQ(Command(u"save", {dir.Path()}).status, kExitRefused);  // no --output
}

TEST_F(CliRun, HistoryAndTotalAreSharedWithTheDesktopProgram) {
  dir.MakeFile(u"a.txt");
  ASSERT_EQ(Command(u"rename", {u"--head", u"N$_", u"--yes", dir.Path()}).status, kExitDone);
  const auto history = fs->ReadFile(data / u"Newname.txt");
  ASSERT_TRUE(history.has_value());
  EXPECT_EQ(*history, "N$_\r\n");
  const auto settings = fs->ReadFile(data / u"Settings.ini");
  ASSERT_TRUE(settings.has_value());
  EXPECT_NE(settings->find("Totalfiles=1"), std::string::npos) << *settings;
}

}  // namespace
}  // namespace renamora::cli

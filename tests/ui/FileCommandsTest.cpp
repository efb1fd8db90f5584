// The main window's file-command rules: names, hand-over modes, Upper folder, the
// Shortcut Cleaner on a real folder, and the command lines given to the system.
#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/StringTable.h"
#include "base/Paths.h"
#include "support/Fakes.h"
#include "support/TempFolder.h"
#include "ui/browser/FileCommands.h"

namespace renamora::ui {
namespace {

using Names = std::vector<std::u16string>;

struct Disk {
  std::unique_ptr<FileSystem> fs = MakeSystemFileSystem();
  test::TempFolder folder{*fs};
  // "x/" makes a folder, anything else a file.
  void Make(const Names& items) {
    for (std::u16string item : items) {
      if (item.back() == u'/') {
        item.pop_back();
        folder.MakeFolder(item);
      } else {
        folder.MakeFile(item);
      }
    }
  }
};

TEST(FileCommands, CopyFilenameGivesTheBaseName) {
  struct Row {
    const char* label;
    std::u16string item;  // "x/" is a folder
    bool chosenFiles;
    std::u16string expected;
  };
  const Row rows[] = {
      {"file with two dots", u"report.final.txt", false, u"report.final"},
      {"file without dot", u"README", false, u"README"},
      {"dot file", u".htaccess", false, u""},
      {"folder with a dot", u"my.photos/", false, u"my.photos"},
      {"folder in chosen files", u"album.2020/", true, u"album.2020"},
      {"file in chosen files", u"notes.md", true, u"notes"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.label);
    Disk disk;
    disk.Make({row.item});
    std::u16string name = row.item;
    if (name.back() == u'/') name.pop_back();
    const std::u16string full = disk.folder / name;
    EXPECT_EQ(CopyNameOf(*disk.fs, full, row.chosenFiles ? full : name), row.expected);
  }
}

TEST(FileCommands, NewFolderTakesTheFirstFreeName) {
  struct Row {
    const char* label;
    Names before;
    std::u16string current;  // under the temporary folder; "-": no folder at all
    int creations;
    Names after;
    MessageId message;
  };
  const Row rows[] = {
      {"twice in an empty folder", {}, u"", 2, {u"New Folder", u"New Folder 1"}, 0},
      {"a file holds the name", {u"New Folder"}, u"", 1, {u"New Folder", u"New Folder 1"}, 0},
      {"a gap is filled", {u"New Folder/", u"New Folder 2/"}, u"", 1, {u"New Folder", u"New Folder 1", u"New Folder 2"}, 0},
      {"current folder missing", {}, u"gone", 1, {}, 375},
      {"nothing listed", {}, u"-", 1, {}, 375},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.label);
    Disk disk;
    disk.Make(row.before);
    test::RecordingPrompter prompter;
    StringTable texts;
    const std::u16string current = row.current == u"-" ? u"" : WithTrailingSeparator(disk.folder / row.current);
    for (int i = 0; i < row.creations; ++i) {
      EXPECT_EQ(CreateNewFolder(*disk.fs, prompter, texts, current).has_value(), row.message == 0);
    }
    EXPECT_EQ(disk.folder.Names(), row.after);
    EXPECT_EQ(prompter.Texts(), row.message ? Names{texts.Lookup(row.message)} : Names{});
  }
}

TEST(FileCommands, HandOverModeByEntry) {
  struct Row {
    const char* label;
    int k;
    Names items;  // "x/" is a folder
    std::u16string expected;
  };
  const Row rows[] = {
      {"Remove", 1, {u"a"}, u"Removpart"},       {"Replace", 2, {u"a"}, u"Replapart"},
      {"Insert", 3, {u"a"}, u"Addnewnum"},       {"Change", 4, {u"a"}, u"Changnew"},
      {"Extension", 5, {u"a"}, u"Changexten"},   {"Save one folder", 6, {u"d/"}, u"Savealls"},
      {"Save one file", 6, {u"a"}, u"Savesomes"}, {"Save two files", 6, {u"a", u"b"}, u"Savesomes"},
      {"Save two folders", 6, {u"d/", u"e/"}, u"Savesomes"}, {"no such entry", 7, {u"a"}, u""},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.label);
    Disk disk;
    disk.Make(row.items);
    Names paths;
    for (std::u16string item : row.items) {
      if (item.back() == u'/') item.pop_back();
      paths.push_back(disk.folder / item);
    }
    EXPECT_EQ(HandOverMode(row.k, *disk.fs, paths), row.expected);
  }
}

TEST(FileCommands, UpperFolderListsTheParentOrRunsTheFolderButton) {
  Disk disk;
  disk.Make({u"A/B/"});
  const std::u16string sep(1, kPathSeparator);
#ifdef _WIN32
  const std::u16string root = u"C:\\";
#else
  const std::u16string root = u"/";
#endif
  struct Row {
    const char* label;
    std::u16string current;
    std::optional<std::u16string> expected;
  };
  const Row rows[] = {
      {"two levels down", disk.folder / u"A" + sep + u"B" + sep, disk.folder / u"A" + sep},
      {"without the final separator", disk.folder / u"A" + sep + u"B", disk.folder / u"A" + sep},
      {"several final separators", disk.folder / u"A" + sep + sep, WithTrailingSeparator(disk.folder.Path())},
      {"parent gone", disk.folder / u"gone" + sep + u"B" + sep, std::nullopt},
      {"the root", root, std::nullopt},
      {"nothing shown yet", u"", std::nullopt},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.label);
    EXPECT_EQ(UpperFolderTarget(*disk.fs, row.current), row.expected);
  }
}

TEST(FileCommands, ShortcutCleanerName) {
  struct Row {
    std::u16string name, expected;
  };
  const Row rows[] = {
      {u"Notepad.exe.lnk", u"Notepad.lnk"}, {u"My.Doc.lnk", u"My.lnk"},   {u"Report.lnk", u"Report.lnk"},
      {u"Tool.exe.LNK", u"Tool.LNK"},       {u"a.b.c.Lnk", u"a.b.Lnk"},   {u"Notepad.exe", u"Notepad.exe"},
      {u"lnk", u"lnk"},                     {u"x.exe.lnk.txt", u"x.exe.lnk.txt"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(std::string(row.name.begin(), row.name.end()));
    EXPECT_EQ(CleanShortcutName(row.name), row.expected);
  }
}

TEST(FileCommands, ShortcutCleanerRenamesOnDiskAndSkipsTakenNames) {
  struct Row {
    const char* label;
    Names before;
    PromptAnswer answer;
    Names after;
    int renamed;
  };
  const Row rows[] = {
      {"cleaned", {u"Notepad.exe.lnk", u"My.Doc.lnk", u"Report.lnk", u"data.txt"}, PromptAnswer::Yes,
       {u"data.txt", u"My.lnk", u"Notepad.lnk", u"Report.lnk"}, 2},
      {"taken name left alone", {u"Tool.exe.lnk", u"Tool.lnk"}, PromptAnswer::Yes, {u"Tool.exe.lnk", u"Tool.lnk"}, 0},
      {"folders left alone", {u"Old.Stuff.lnk/"}, PromptAnswer::Yes, {u"Old.Stuff.lnk"}, 0},
      {"declined", {u"Notepad.exe.lnk"}, PromptAnswer::No, {u"Notepad.exe.lnk"}, 0},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.label);
    Disk disk;
    disk.Make(row.before);
    test::RecordingPrompter prompter;
    prompter.answers.push_back(row.answer);
    StringTable texts;
    EXPECT_EQ(RunShortcutCleaner(*disk.fs, prompter, texts, disk.folder.Path()), row.renamed);
    EXPECT_EQ(disk.folder.Names(), row.after);
    ASSERT_EQ(prompter.shown.size(), 1u);
    EXPECT_EQ(prompter.shown[0].text, texts.Lookup(234));
    EXPECT_EQ(prompter.shown[0].icon, PromptIcon::Question);
  }
}

// Each line must read back, by the Windows rules, as the program path and one mode.
TEST(FileCommands, CommandLinesQuoteWhatTheSystemWouldSplit) {
  struct Row {
    const char* label;
    std::u16string line, expected;
  };
  const Row rows[] = {
      {"program under Program Files",
       InstanceCommandLine(u"C:\\Program Files\\Renamora\\Renamora.exe", u"Removpart"),
       u"\"C:\\Program Files\\Renamora\\Renamora.exe\" Removpart"},
      {"program path without blanks is quoted too", InstanceCommandLine(u"D:\\Tools\\Renamora.exe", u"Savesomes"),
       u"\"D:\\Tools\\Renamora.exe\" Savesomes"},
      {"non-ASCII program path", InstanceCommandLine(u"C:\\Программы\\名前 ツール\\Renamora.exe", u"Changnew"),
       u"\"C:\\Программы\\名前 ツール\\Renamora.exe\" Changnew"},
      {"argument with a blank", QuoteCommandArgument(u"a b"), u"\"a b\""},
      {"empty argument", QuoteCommandArgument(u""), u"\"\""},
      {"quote inside", QuoteCommandArgument(u"say \"hi\""), u"\"say \\\"hi\\\"\""},
      {"backslashes before a quote", QuoteCommandArgument(u"a\\\\\"b"), u"\"a\\\\\\\\\\\"b\""},
      {"backslashes elsewhere stay single", QuoteCommandArgument(u"C:\\a b\\c"), u"\"C:\\a b\\c\""},
      {"final backslash doubled before the closing quote", QuoteCommandArgument(u"C:\\a b\\"), u"\"C:\\a b\\\\\""},
      {"plain argument", QuoteCommandArgument(u"Removpart"), u"Removpart"},
      {"open path with blanks", OpenPathCommandLine(u"C:\\My Files\\report 1.txt"),
       u"explorer.exe /select,\"C:\\My Files\\report 1.txt\""},
      {"open path non-ASCII", OpenPathCommandLine(u"C:\\Données\\été.jpg"),
       u"explorer.exe /select,\"C:\\Données\\été.jpg\""},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.label);
    EXPECT_EQ(row.line, row.expected);
  }
}

}  // namespace
}  // namespace renamora::ui

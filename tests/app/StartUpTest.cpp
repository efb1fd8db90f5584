// Tests of the program start: its folders, the hand-over file, starts with a mode and the saved start-up values.
#include "app/StartUp.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "app/AppFakes.h"
#include "app/StringTable.h"
#include "base/text/Utf.h"
#include "support/Fakes.h"
#include "support/TempFolder.h"

namespace renamora {
namespace {

constexpr const char* kChinesePath = "D:\xE7\x85\xA7\xE7\x89\x87\\\xE6\x97\x85\xE8\xA1\x8C";  // D:\照片\旅行

std::u16string Folder(const test::TempFolder& temp, std::string_view relative) {
  return WithTrailingSeparator(temp / U16(relative));
}

TEST(StartUpTest, DataFolderRules) {
  enum class Undos { None, Folder, File };
  struct Row {
    const char* label;
    DataFolderRule rule;
    Undos undos;
    bool lockProgram;  // nothing can be created in the program folder
    bool lockUndos;    // nothing can be written into its Undos folder
    bool appData;
    const char* xdg;       // as the variable holds it, relative to the temp folder when absolute
    const char* expected;  // the data folder, relative to the temp folder
    bool undosInData;
  };
  const Row rows[] = {
      {"Windows: writable Undos", DataFolderRule::Windows, Undos::Folder, false, false, true, "", "prog", true},
      {"Windows: Undos created", DataFolderRule::Windows, Undos::None, false, false, true, "", "prog", true},
      {"Windows: Undos present but not writable", DataFolderRule::Windows, Undos::Folder, false, true, true, "",
       "appdata/Altomira/Renamora", true},
      {"Windows: Undos can be created but not written", DataFolderRule::Windows, Undos::None, false, true, true, "",
       "appdata/Altomira/Renamora", true},
      {"Windows: program folder locked", DataFolderRule::Windows, Undos::None, true, false, true, "",
       "appdata/Altomira/Renamora", true},
      {"Windows: Undos is a file", DataFolderRule::Windows, Undos::File, false, false, true, "",
       "appdata/Altomira/Renamora", true},
      {"Windows: no other place known", DataFolderRule::Windows, Undos::None, true, false, false, "", "prog", false},
      {"POSIX: writable Undos", DataFolderRule::Posix, Undos::Folder, false, false, false, "/xdg", "prog", true},
      {"POSIX: Undos is never created beside the program", DataFolderRule::Posix, Undos::None, false, false, false,
       "/xdg", "xdg/Altomira/Renamora", true},
      {"POSIX: Undos not writable", DataFolderRule::Posix, Undos::Folder, false, true, false, "/xdg",
       "xdg/Altomira/Renamora", true},
      {"POSIX: no XDG_DATA_HOME", DataFolderRule::Posix, Undos::None, false, false, false, "",
       "home/.local/share/Altomira/Renamora", true},
      {"POSIX: relative XDG_DATA_HOME is ignored", DataFolderRule::Posix, Undos::None, false, false, false,
       "rel/xdg", "home/.local/share/Altomira/Renamora", true},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.label);
    std::unique_ptr<FileSystem> real = MakeSystemFileSystem();
    test::TempFolder temp(*real);
    for (const char16_t* f : {u"prog", u"appdata", u"xdg", u"home"}) temp.MakeFolder(f);
    if (row.undos == Undos::Folder) temp.MakeFolder(u"prog/Undos");
    if (row.undos == Undos::File) temp.MakeFile(u"prog/Undos");
    test::LockingFileSystem fs(*real);
    if (row.lockProgram) fs.lockedFolders.push_back(temp / u"prog");
    if (row.lockUndos) fs.lockedFolders.push_back(temp / u"prog/Undos");

    FolderEnvironment env;
    env.programFile = temp / u"prog/renamora.exe";
    if (row.appData) env.appData = temp / u"appdata";
    const std::string xdg = row.xdg;
    env.xdgDataHome = xdg.starts_with("/") ? temp / U16(xdg.substr(1)) : U16(xdg);
    env.home = temp / u"home";

    const ProgramFolders folders = ResolveFolders(fs, env, row.rule);
    EXPECT_EQ(folders.programFolder, Folder(temp, "prog"));
    EXPECT_EQ(folders.dataFolder, Folder(temp, row.expected));
    EXPECT_EQ(real->IsFolder(folders.dataFolder + u"Undos"), row.undosInData);
    if (folders.dataFolder == folders.programFolder) {
      EXPECT_EQ(temp.Names(u"appdata").size() + temp.Names(u"xdg").size() + temp.Names(u"home").size(), 0u);
    }
    if (row.undos == Undos::Folder) {
      EXPECT_EQ(temp.Names(u"prog/Undos").size(), 0u);  // no probe left behind
    }
    if (row.undos == Undos::None && folders.dataFolder != folders.programFolder) {
      EXPECT_FALSE(real->Exists(temp / u"prog/Undos"));  // no unusable folder left behind
    }
  }
}

TEST(StartUpTest, ReadOnlyUndosOnDiskMovesTheDataFolder) {
  std::unique_ptr<FileSystem> fs = MakeSystemFileSystem();
  test::TempFolder temp(*fs);
  temp.MakeFolder(u"prog/Undos");
  temp.MakeFolder(u"data");
  const std::u16string undos = temp / u"prog/Undos";
  ASSERT_TRUE(fs->SetAttributes(undos, kAttrReadOnly));
  // Root writes into a folder whatever its mode says, and on Windows the
  // read-only attribute of a folder does not stop writing: the case can only be
  // seen where the folder really refuses a write.
  if (IsWritableFolder(*fs, undos)) {
    EXPECT_TRUE(fs->SetAttributes(undos, 0));
    GTEST_SKIP() << "this account can write into a read-only folder (root?)";
  }
  FolderEnvironment env;
  env.programFile = temp / u"prog/renamora";
  env.appData = temp / u"data";
  env.xdgDataHome = temp / u"data";
  const ProgramFolders folders = ResolveFolders(*fs, env);
  EXPECT_TRUE(fs->SetAttributes(undos, 0));
  EXPECT_EQ(folders.dataFolder, Folder(temp, "data/Altomira/Renamora"));
}

TEST(StartUpTest, HandOverFileIsReadInEveryFormAndDeleted) {
  struct Row {
    const char* label;
    std::string bytes;
    std::vector<std::u16string> paths;
  };
  const Row rows[] = {
      {"code page", "C:\\a.txt\r\nC:\\b.txt\r\n", {u"C:\\a.txt", u"C:\\b.txt"}},
      {"LF and no final line end", "a\nb", {u"a", u"b"}},
      {"UTF-8 mark", std::string("\xEF\xBB\xBF") + kChinesePath + "\r\n", {U16(kChinesePath)}},
      {"UTF-16 LE mark", std::string("\xFF\xFE" "a\0\r\0\n\0\x67q\r\0\n\0", 14), {u"a", u"\u7167"}},
      {"UTF-16 BE mark", std::string("\xFE\xFF\0a\0\r\0\nq\x67\0\r\0\n", 14), {u"a", u"\u7167"}},
      {"empty lines hold no path", "a\r\n\r\nb\r\n\r\n", {u"a", u"b"}},
      {"empty file", "", {}},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.label);
    std::unique_ptr<FileSystem> fs = MakeSystemFileSystem();
    test::AsciiLocale locale;
    test::TempFolder temp(*fs);
    temp.MakeFile(u"fn000.tmp", row.bytes);
    EXPECT_EQ(TakeHandOverFile(*fs, locale, temp.Path()), row.paths);
    EXPECT_FALSE(fs->Exists(temp / u"fn000.tmp"));
    EXPECT_EQ(TakeHandOverFile(*fs, locale, temp.Path()), std::nullopt);
  }
}

// A hand-over file that cannot be deleted would hand the same paths to every later
// start, unrelated to it: none are taken.
TEST(StartUpTest, AHandOverFileThatCannotBeDeletedHandsNothingOver) {
  std::unique_ptr<FileSystem> system = MakeSystemFileSystem();
  test::LockingFileSystem fs(*system);
  test::AsciiLocale locale;
  test::TempFolder temp(*system);
  temp.MakeFile(u"fn000.tmp", "/a/b.txt\r\n");
  fs.lockedFolders.push_back(temp.Path());
  EXPECT_EQ(TakeHandOverFile(fs, locale, temp.Path()), std::nullopt);
}

TEST(StartUpTest, WrittenHandOverPathsReachTheNextStartAsTheyWere) {
  struct Row {
    const char* label;
    std::vector<std::u16string> paths;
    bool written;
  };
  const Row rows[] = {
      {"plain paths", {u"/a/b.txt", u"/a/c d"}, true},
      {"outside the code page", {u"/a/\u5199\u771f.jpg"}, true},
      {"a line feed in a name", {u"/a/b.txt", u"/a/x\ny"}, false},
      {"a carriage return in a name", {u"/a/x\ry"}, false},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.label);
    std::unique_ptr<FileSystem> fs = MakeSystemFileSystem();
    test::AsciiLocale locale;
    test::TempFolder temp(*fs);
    EXPECT_EQ(WriteHandOverFile(*fs, locale, temp.Path(), row.paths), row.written);
    EXPECT_EQ(TakeHandOverFile(*fs, locale, temp.Path()),
              row.written ? std::optional(row.paths) : std::nullopt);
  }
}

TEST(StartUpTest, StartWithAModeArgument) {
  constexpr const char* kQuestion =
      "Confirmation|There is no file in this folder, do you want to edit this folder name?";
  constexpr const char* kNoFile = "Information|There is no file in this folder.";
  struct Row {
    const char* label;
    const char* mode;
    std::optional<std::vector<const char*>> handOver{};  // relative paths; nothing: no file
    std::vector<const char*> made{};                   // a final "/" makes a folder
    PromptAnswer answer = PromptAnswer::Yes;
    const char* targetFolder = "";
    std::vector<const char*> picked{};
    const char* sample = "";
    std::vector<const char*> prompts{};  // caption|text
    bool direct = true;
    bool showMain = false, openEdit = true, saveChosen = false, closeSoon = false, scope3 = false;
    int fileCount = 0;
  };
  const Row rows[] = {
      {.label = "plain start", .mode = "", .direct = false, .showMain = true, .openEdit = false},
      {.label = "three files", .mode = "Changnew", .handOver = std::vector{"a.txt", "b.txt", "c.txt"},
       .made = {"a.txt", "b.txt", "c.txt"}, .picked = {"a.txt", "b.txt", "c.txt"}, .sample = "a.txt"},
      {.label = "empty folder, Yes: edit the folder name", .mode = "Removpart", .handOver = std::vector{"empty"},
       .made = {"empty/"}, .targetFolder = "empty", .prompts = {kQuestion}, .scope3 = true},
      {.label = "empty folder, No", .mode = "Removpart", .handOver = std::vector{"empty"}, .made = {"empty/"},
       .answer = PromptAnswer::No, .targetFolder = "empty", .prompts = {kQuestion}, .openEdit = false,
       .closeSoon = true},
      {.label = "empty folder to save", .mode = "Savealls", .handOver = std::vector{"empty"}, .made = {"empty/"},
       .targetFolder = "empty", .prompts = {kNoFile}, .openEdit = false, .closeSoon = true},
      {.label = "folder with files, separator already there", .mode = "Replapart",
       .handOver = std::vector{"photos/"}, .made = {"photos/b.jpg", "photos/a.jpg"}, .targetFolder = "photos",
       .sample = "photos/a.jpg", .fileCount = 2},
      {.label = "a folder with a subfolder only is not empty", .mode = "Addnewnum", .handOver = std::vector{"deep"},
       .made = {"deep/sub/"}, .targetFolder = "deep"},
      {.label = "one file", .mode = "Removpart", .handOver = std::vector{"a.txt"}, .made = {"a.txt"},
       .picked = {"a.txt"}, .sample = "a.txt"},
      {.label = "empty hand-over file", .mode = "Removpart", .handOver = std::vector<const char*>{},
       .openEdit = false, .closeSoon = true},
      {.label = "no hand-over file", .mode = "Removpart"},
      {.label = "chosen files to save", .mode = "Savesomes", .handOver = std::vector{"a.txt", "b.txt"},
       .made = {"a.txt", "b.txt"}, .picked = {"a.txt", "b.txt"}, .sample = "a.txt", .direct = false,
       .showMain = true, .openEdit = false, .saveChosen = true},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.label);
    std::unique_ptr<FileSystem> fs = MakeSystemFileSystem();
    test::AsciiLocale locale;
    test::TempFolder temp(*fs);
    test::RecordingPrompter prompter;
    prompter.answers.push_back(row.answer);
    temp.MakeFolder(u"data");
    for (const char* m : row.made) {
      const std::string made = m;
      if (made.ends_with("/")) {
        temp.MakeFolder(U16(made.substr(0, made.size() - 1)));
      } else {
        temp.MakeFile(U16(made), "x");
      }
    }
    ProgramFolders folders{Folder(temp, "data"), Folder(temp, "data")};
    if (row.handOver) {
      std::vector<std::u16string> lines;
      for (const char* p : *row.handOver) lines.push_back(temp / U16(p));
      ASSERT_TRUE(WriteHandOverFile(*fs, locale, folders.dataFolder, lines));
    }
    ProgramState state;
    const StartDecision d =
        StartProgram(U16(row.mode), std::nullopt, {*fs, locale, prompter, StringTable::BuiltIn()}, folders, state);

    EXPECT_EQ(state.CurrentMode, *row.mode ? U16(row.mode) : std::u16string(EditMode::kBrowse));
    EXPECT_EQ(state.TargetFolder, *row.targetFolder ? Folder(temp, row.targetFolder) : u"");
    std::vector<std::u16string> picked;
    for (const char* p : row.picked) picked.push_back(temp / U16(p));
    EXPECT_EQ(state.PickedPaths, picked);
    EXPECT_EQ(state.SamplePath, *row.sample ? temp / U16(row.sample) : u"");
    std::vector<std::u16string> prompts;
    for (const char* p : row.prompts) prompts.push_back(U16(p));
    std::vector<std::u16string> shown;
    for (const auto& s : prompter.shown) shown.push_back(s.caption + u"|" + s.text);
    EXPECT_EQ(shown, prompts);
    EXPECT_EQ(state.DirectEditStart, row.direct);
    EXPECT_EQ(state.ScopeIndex, row.scope3 ? TargetScope::ThisFolder : TargetScope::AllFiles);
    EXPECT_EQ(d.scopeThisFolder, row.scope3);
    EXPECT_EQ(d.showMainWindow, row.showMain);
    EXPECT_EQ(d.openEditWindow, row.openEdit);
    EXPECT_EQ(d.saveChosenFiles, row.saveChosen);
    EXPECT_EQ(d.closeSoon, row.closeSoon);
    EXPECT_EQ(d.folderFileCount, row.fileCount);
    EXPECT_FALSE(fs->Exists(folders.dataFolder + u"fn000.tmp"));
  }
}

TEST(StartUpTest, InstallDirMovesTheProgramFolderButNotTheDataFolder) {
  struct Row {
    const char* label;
    bool inData, inInstall;
    const char* taken;  // whose paths were handed over
  };
  const Row rows[] = {
      {"in the data folder", true, true, "from data"},
      {"only beside the installed program", false, true, "from install"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.label);
    std::unique_ptr<FileSystem> fs = MakeSystemFileSystem();
    test::AsciiLocale locale;
    test::TempFolder temp(*fs);
    test::RecordingPrompter prompter;
    for (const char16_t* f : {u"data", u"prog", u"install"}) temp.MakeFolder(f);
    if (row.inData) temp.MakeFile(u"data/fn000.tmp", "from data\r\n");
    if (row.inInstall) temp.MakeFile(u"install/fn000.tmp", "from install\r\n");
    ProgramFolders folders{Folder(temp, "prog"), Folder(temp, "data")};
    ProgramState state;
    StartProgram(u"Removpart", temp / u"install", {*fs, locale, prompter, StringTable::BuiltIn()}, folders, state);
    EXPECT_EQ(folders.programFolder, Folder(temp, "install"));
    EXPECT_EQ(folders.dataFolder, Folder(temp, "data"));
    EXPECT_EQ(state.PickedPaths, std::vector<std::u16string>{U16(row.taken)});
  }
}

TEST(StartUpTest, MainWindowPlace) {
  struct Row {
    const char* label;
    bool settingsExist;
    std::vector<std::u16string> form;
    MainWindowPlace expected;
  };
  constexpr int kDesignedTop = 150;
  const Row rows[] = {
      {"no settings file", false, {u"Top=5"}, {false, false, 0, kDesignedTop, 0, 0, kDesignedTop}},
      {"maximized: no place is read", true, {u"Maximize=1", u"Left=10"}, {true, false, 0, kDesignedTop, 0, 0, kDesignedTop}},
      {"top below the screen", true, {u"Top=5000"}, {false, true, 299, kDesignedTop, 626, 513, kDesignedTop}},
      {"stored place", true, {u"Left=10", u"Top=100", u"Width=800", u"Height=600"}, {false, true, 10, 100, 800, 600, 100}},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.label);
    std::vector<std::u16string> lines{u"[Form]"};
    lines.insert(lines.end(), row.form.begin(), row.form.end());
    const MainWindowPlace p =
        PlaceMainWindow(row.settingsExist, LoadFormSettings(IniDocument(lines)), 1080, kDesignedTop);
    EXPECT_EQ(p.maximized, row.expected.maximized);
    EXPECT_EQ(p.useStoredPlace, row.expected.useStoredPlace);
    if (p.useStoredPlace) {
      EXPECT_EQ(p.left, row.expected.left);
      EXPECT_EQ(p.width, row.expected.width);
      EXPECT_EQ(p.height, row.expected.height);
    }
    EXPECT_EQ(p.top, row.expected.top);
    EXPECT_EQ(p.savedTop, row.expected.savedTop);
  }
}

TEST(StartUpTest, RenamedTotalIsShownInFull) {
  EXPECT_EQ(RenamedTotalText(StringTable::BuiltIn(), 5000000000u), u"Total renamed files:5000000000");
}

std::vector<std::u16string> FormLines(int oldFolders) {
  std::vector<std::u16string> lines{u"[Form]", u"LastDir=C:\\last", u"Folder01=unknown"};
  for (int i = 0; i < oldFolders; ++i) lines.push_back(u"Folder" + U16(std::to_string(i)) + u"=old");
  lines.push_back(u"folder15=stale");  // beyond a gap, in other letter case
  return lines;
}

TEST(StartUpTest, SavingTheFolderHistoryWritesAtMostTheMaximumAndDeletesTheRest) {
  struct Row {
    const char* label;
    int used;
    int maximum;
    int written;
  };
  const Row rows[] = {
      {"12 used, maximum 10", 12, 10, 10},
      {"3 used", 3, 10, 3},
      {"list cleared", 0, 10, 0},
      {"maximum 0", 5, 0, 0},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.label);
    std::unique_ptr<FileSystem> fs = MakeSystemFileSystem();
    test::AsciiLocale locale;
    test::TempFolder temp(*fs);
    SettingsFile file(*fs, locale, temp / u"Settings.ini");
    ASSERT_TRUE(file.Update([](IniDocument& doc) {
      doc = IniDocument(FormLines(12));
      return true;
    }));
    std::vector<std::u16string> history;
    for (int i = 0; i < row.used; ++i) history.push_back(u"new" + U16(std::to_string(i)));

    ASSERT_TRUE(SaveFolderHistory(file, history, row.maximum));
    std::vector<std::u16string> expectedKeys{u"LastDir", u"Folder01"};
    for (int i = 0; i < row.written; ++i) expectedKeys.push_back(u"Folder" + U16(std::to_string(i)));
    const IniDocument doc = file.Read();
    EXPECT_EQ(doc.Keys(u"Form"), expectedKeys);
    EXPECT_EQ(LoadFolderHistory(doc, 30), std::vector<std::u16string>(history.begin(), history.begin() + row.written));
  }
}

TEST(StartUpTest, LoadingTheFolderHistory) {
  struct Row {
    const char* label;
    std::vector<std::u16string> lines;
    int maximum;
    std::vector<std::u16string> expected;
  };
  const Row rows[] = {
      {"stops at the first missing key", {u"Folder0=a", u"Folder1=b", u"Folder3=d"}, 10, {u"a", u"b"}},
      {"skips empty values", {u"Folder0=a", u"Folder1=", u"Folder2=c"}, 10, {u"a", u"c"}},
      {"stops after the maximum", {u"Folder0=a", u"Folder1=b", u"Folder2=c"}, 2, {u"a", u"b"}},
      {"no repeats", {u"Folder0=a", u"Folder1=a", u"Folder2=b"}, 10, {u"a", u"b"}},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.label);
    std::vector<std::u16string> lines{u"[Form]"};
    lines.insert(lines.end(), row.lines.begin(), row.lines.end());
    EXPECT_EQ(LoadFolderHistory(IniDocument(lines), row.maximum), row.expected);
  }
}

}  // namespace
}  // namespace renamora

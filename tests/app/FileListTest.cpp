// The main window's list: listing order, sorting, check commands, adding, Back and the column texts.
#include "app/FileList.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "app/StringTable.h"
#include "base/Paths.h"
#include "base/text/Utf.h"
#include "support/TableLocale.h"
#include "support/TempFolder.h"

namespace renamora {
namespace {

using test::TempFolder;

const std::u16string kFolderCaption = u"Folder";

class FileListTest : public testing::Test {
 protected:
  std::unique_ptr<FileSystem> fs = MakeSystemFileSystem();
  std::unique_ptr<Clock> clock = MakeSystemClock();
  test::TableLocale locale;
  TempFolder dir{*fs};

  static std::vector<std::u16string> Texts(const FileList& list) {
    std::vector<std::u16string> texts;
    for (std::size_t i = 0; i < list.Count(); ++i) texts.push_back(list.Item(i).text);
    return texts;
  }
  ListingEnd List(FileList& list, std::u16string_view folder, ListingRules rules = {}) {
    rules.folderTypeText = kFolderCaption;
    return list.ListFolder(WithSeparator(folder), rules, [] { return true; });
  }
  static std::u16string WithSeparator(std::u16string_view folder) { return WithTrailingSeparator(folder); }
  void MakeHidden(TempFolder& t, std::u16string_view name) {
    // A leading dot hides a name on POSIX; the attribute hides it on Windows.
    t.MakeFile(name, "x");
    static_cast<void>(fs->SetAttributes(t / name, kAttrHidden | kAttrArchive));
  }
};

TEST_F(FileListTest, ListingPutsFoldersFirstEachGroupInNameOrder) {
  struct Row {
    const char* name;
    std::vector<std::u16string> folders, files, hidden;
    bool showHidden;
    std::vector<std::u16string> expected;
    int filesCount;
  };
  const Row rows[] = {
      {"mixed case", {u"b", u"A"}, {u"z.txt", u"B.TXT"}, {}, false, {u"A", u"b", u"B.TXT", u"z.txt"}, 2},
      {"only hidden files, hidden off", {}, {}, {u".h1", u".h2"}, false, {}, 0},
      {"hidden shown by the rules", {u"d"}, {u"c"}, {u".h"}, true, {u"d", u".h", u"c"}, 2},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    TempFolder t(*fs);
    for (const auto& f : row.folders) t.MakeFolder(f);
    for (const auto& f : row.files) t.MakeFile(f, "x");
    for (const auto& f : row.hidden) MakeHidden(t, f);
    FileList list(*fs, *clock, locale);
    ListingRules rules;
    rules.showHidden = row.showHidden;
    EXPECT_EQ(List(list, t.Path(), rules), ListingEnd::Listed);
    EXPECT_EQ(Texts(list), row.expected);
    EXPECT_EQ(list.FilesCount(), row.filesCount);
    EXPECT_EQ(list.Mode(), FileListMode::FolderView);
    EXPECT_EQ(list.CurrentFolder(), WithSeparator(t.Path()));
    for (std::size_t i = 0; i < list.Count(); ++i) {
      EXPECT_EQ(list.Item(i).typeText, list.Item(i).isFolder ? kFolderCaption : ExtensionText(list.Item(i).text));
      EXPECT_EQ(list.SizeText(i).empty(), list.Item(i).isFolder);
      EXPECT_TRUE(list.Item(i).checked);
    }
  }
  FileList list(*fs, *clock, locale);
  EXPECT_EQ(List(list, dir / u"missing"), ListingEnd::Unreadable);
  EXPECT_EQ(list.Count(), 0u);
}

TEST_F(FileListTest, ColumnClicksSortAndTiesKeepTheirOrder) {
  dir.MakeFolder(u"dir");
  dir.MakeFile(u"a900.bin", std::string(900, 'x'));
  dir.MakeFile(u"b2k.bin", std::string(2048, 'x'));
  dir.MakeFile(u"c15m.bin", std::string(1572864, 'x'));
  dir.MakeFile(u"d3k.BIN", std::string(3072, 'x'));
  dir.MakeFile(u"E3k.bin", std::string(3072, 'x'));
  struct Row {
    const char* name;
    std::vector<int> clicks;
    std::vector<std::u16string> expected;
    int column;
    bool ascending;
  };
  const Row rows[] = {
      {"size", {2}, {u"dir", u"a900.bin", u"b2k.bin", u"d3k.BIN", u"E3k.bin", u"c15m.bin"}, 2, true},
      {"size twice", {2, 2}, {u"c15m.bin", u"d3k.BIN", u"E3k.bin", u"b2k.bin", u"a900.bin", u"dir"}, 2, false},
      {"name twice", {0}, {u"E3k.bin", u"dir", u"d3k.BIN", u"c15m.bin", u"b2k.bin", u"a900.bin"}, 0, false},
      {"name twice, then size", {0, 2}, {u"dir", u"a900.bin", u"b2k.bin", u"E3k.bin", u"d3k.BIN", u"c15m.bin"}, 2, true},
      // The times below fall with the listing order: dir is the newest, E3k the oldest.
      {"date", {1}, {u"E3k.bin", u"d3k.BIN", u"c15m.bin", u"b2k.bin", u"a900.bin", u"dir"}, 1, true},
      // Type ignores the case of a-z; equal types keep the name order.
      {"type", {3}, {u"a900.bin", u"b2k.bin", u"c15m.bin", u"d3k.BIN", u"E3k.bin", u"dir"}, 3, true},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    FileList list(*fs, *clock, locale);
    ASSERT_EQ(List(list, dir.Path()), ListingEnd::Listed);
    for (std::size_t i = 0; i < list.Count(); ++i) list.Item(i).lastWrite = FileTime(1'000'000'000) * FileTime(10 - i);
    // "name twice" starts from name ascending: its first click flips it.
    for (int column : row.clicks) list.ClickColumn(column);
    EXPECT_EQ(Texts(list), row.expected);
    EXPECT_EQ(list.SortColumn(), row.column);
    EXPECT_EQ(list.SortAscending(), row.ascending);
  }
  // A listing keeps the sort state and applies it.
  FileList list(*fs, *clock, locale);
  list.ClickColumn(2);
  list.ClickColumn(2);
  ASSERT_EQ(List(list, dir.Path()), ListingEnd::Listed);
  EXPECT_EQ(Texts(list).front(), u"c15m.bin");
  // Name order alone puts no folder first.
  list.SortByName();
  EXPECT_EQ(Texts(list), (std::vector<std::u16string>{u"a900.bin", u"b2k.bin", u"c15m.bin", u"d3k.BIN", u"dir", u"E3k.bin"}));
}

TEST_F(FileListTest, CheckCommandsMarkItemsAndTellWhatTheBoxDoes) {
  using Command = FileList::CheckOutcome (FileList::*)();
  struct Row {
    const char* name;
    Command command;
    const char* checkedBefore;  // one character per item, '1' checked
    const char* selected;
    const char* checkedAfter;
    int status;
    bool uncheckBox;
  };
  const Row rows[] = {
      {"check all", &FileList::CheckAll, "01010", "00000", "11111", 5, false},
      {"uncheck all", &FileList::UncheckAll, "11111", "00000", "00000", 0, true},
      {"inverse", &FileList::InverseChecks, "11000", "00000", "00111", 3, false},
      {"only check selected, two of five", &FileList::OnlyCheckSelected, "11111", "01100", "01100", 2, true},
      {"only check selected, all selected", &FileList::OnlyCheckSelected, "00000", "11111", "11111", 5, false},
      {"only uncheck selected", &FileList::OnlyUncheckSelected, "00000", "00011", "11100", 3, true},
      {"only uncheck selected, none selected", &FileList::OnlyUncheckSelected, "00000", "00000", "11111", 5, false},
      {"check selected leaves one unchecked", &FileList::CheckSelected, "10000", "01110", "11110", 4, true},
      {"check selected completes the checks", &FileList::CheckSelected, "10001", "01110", "11111", 5, false},
      {"uncheck selected", &FileList::UncheckSelected, "11111", "10000", "01111", 4, true},
      {"uncheck selected, none selected", &FileList::UncheckSelected, "11111", "00000", "11111", 5, false},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    FileList list(*fs, *clock, locale);
    for (int i = 0; i < 5; ++i) {
      list.AddNamed(U16(std::to_string(i)), row.checkedBefore[i] == '1');
      list.SetSelected(std::size_t(i), row.selected[i] == '1');
    }
    const FileList::CheckOutcome outcome = (list.*row.command)();
    std::string after;
    for (std::size_t i = 0; i < list.Count(); ++i) after += list.Item(i).checked ? '1' : '0';
    EXPECT_EQ(after, row.checkedAfter);
    EXPECT_EQ(outcome.statusCount, row.status);
    EXPECT_EQ(outcome.uncheckBox, row.uncheckBox);
  }
}

TEST_F(FileListTest, AddingByPathLooksTheItemUp) {
  dir.MakeFolder(u"sub.d");
  dir.MakeFile(u"photo.JPG", std::string(1100, 'x'));
  struct Row {
    const char* name;
    std::u16string path, typeText;
    bool added;
    std::u16string expectedType, expectedSize;
  };
  const Row rows[] = {
      {"ft on a folder", dir / u"sub.d", u"ft", true, kFolderCaption, u"0 Byte"},
      {"ft on a file", dir / u"photo.JPG", u"ft", true, u"JPG", u"1.1 KB"},
      {"a given type", dir / u"photo.JPG", u"", true, u"", u"1.1 KB"},
      {"missing", dir / u"gone.txt", u"ft", false, u"", u""},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    FileList list(*fs, *clock, locale);
    EXPECT_EQ(list.AddPath(row.path, row.typeText, kFolderCaption), row.added);
    ASSERT_EQ(list.Count(), row.added ? 1u : 0u);
    if (!row.added) continue;
    EXPECT_EQ(list.Item(0).typeText, row.expectedType);
    EXPECT_EQ(list.SizeText(0), row.expectedSize);
    EXPECT_FALSE(list.DateText(0).empty());
    EXPECT_EQ(list.FullPath(0), row.path);
    EXPECT_TRUE(list.HasItemText(row.path));
  }
}

TEST_F(FileListTest, RefreshOfChosenFilesDropsOnlyTheMissingOnes) {
  dir.MakeFile(u"a.txt");
  dir.MakeFile(u"b.txt");
  dir.MakeFile(u"c.txt");
  FileList list(*fs, *clock, locale);
  for (const char16_t* name : {u"a.txt", u"b.txt", u"c.txt"}) ASSERT_TRUE(list.AddPath(dir / name, u"ft", kFolderCaption));
  ASSERT_TRUE(fs->DeleteFile(dir / u"b.txt"));
  EXPECT_EQ(list.RemoveMissing(), 1u);
  EXPECT_EQ(Texts(list), (std::vector<std::u16string>{dir / u"a.txt", dir / u"c.txt"}));
}

TEST_F(FileListTest, KeepGoingFalseStopsTheListing) {
  for (const char16_t* name : {u"a", u"b", u"c"}) dir.MakeFile(name);
  dir.MakeFolder(u"d");
  // Four entries are read, then four items added: keepGoing is asked eight times.
  struct Row {
    const char* name;
    int allowedCalls;
    ListingEnd end;
    std::vector<std::u16string> expected;
  };
  const Row rows[] = {
      {"stopped while reading", 2, ListingEnd::Aborted, {}},
      {"stopped after two items", 6, ListingEnd::Aborted, {u"d", u"a"}},
      {"never stopped", 100, ListingEnd::Listed, {u"d", u"a", u"b", u"c"}},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    FileList list(*fs, *clock, locale);
    list.ClickColumn(0);  // descending: an aborted listing is not sorted
    int calls = 0;
    const ListingEnd end =
        list.ListFolder(WithSeparator(dir.Path()), {}, [&] { return ++calls <= row.allowedCalls; });
    EXPECT_EQ(end, row.end);
    if (row.end == ListingEnd::Listed) {
      EXPECT_EQ(Texts(list), (std::vector<std::u16string>{u"d", u"c", u"b", u"a"}));
    } else {
      EXPECT_EQ(Texts(list), row.expected);
    }
  }
}

TEST_F(FileListTest, BackReturnsViewsNewestFirstAndChosenFilesReversed) {
  BackStack stack;
  EXPECT_TRUE(stack.Empty());
  stack.PushFolderView(u"/data/");
  stack.PushChosenFiles({u"/x/A", u"/x/B", u"/x/C"});
  struct Row {
    const char* name;
    bool isFolder;
    std::u16string folder;
    std::vector<std::u16string> paths;
  };
  const Row rows[] = {{"chosen files", false, u"", {u"/x/C", u"/x/B", u"/x/A"}}, {"folder view", true, u"/data/", {}}};
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    const auto view = stack.Pop();
    ASSERT_TRUE(view.has_value());
    EXPECT_EQ(view->isFolder, row.isFolder);
    EXPECT_EQ(view->folder, row.folder);
    EXPECT_EQ(view->paths, row.paths);
  }
  EXPECT_TRUE(stack.Empty());
  EXPECT_FALSE(stack.Pop().has_value());
}

TEST(FileListTextsTest, ColumnAndStatusTexts) {
  struct Row {
    const char* name;
    std::u16string text, expected;
  };
  const Row rows[] = {
      {"5 GB", FileSizeText(5368709120u, u"."), u"5 GB"},
      {"1 MB", FileSizeText(1048576, u"."), u"1 MB"},
      {"1.1 KB", FileSizeText(1100, u"."), u"1.1 KB"},
      {"unit chosen before rounding", FileSizeText(1048575, u"."), u"1024 KB"},
      {"tie to even, down", FileSizeText(1280, u"."), u"1.2 KB"},
      {"tie to even, up", FileSizeText(1792, u"."), u"1.8 KB"},
      {"bytes", FileSizeText(1023, u"."), u"1023 Byte"},
      {"zero", FileSizeText(0, u"."), u"0 Byte"},
      {"decimal comma", FileSizeText(1536, u","), u"1,5 KB"},
      {"date", FileDateText(LocalTime{2009, 3, 7, 8, 5, 9}),
       u"2009/03/07 08:05:09"},
      {"extension", ExtensionText(u"photo.JPG"), u"JPG"},
      {"trailing dot", ExtensionText(u"x."), u"."},
      {"no dot in the name", ExtensionText(u"a.b" + std::u16string(1, kPathSeparator) + u"name"), u""},
      {"selection status", SelectionStatusText(StringTable::BuiltIn(), 2, 5), u"Select 2, total 5"},
      {"item count", ItemCountText(StringTable::BuiltIn(), 3), u"3 Items"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    EXPECT_EQ(Utf16ToUtf8(row.text).value_or("?"), Utf16ToUtf8(row.expected).value_or("?"));
  }
}

}  // namespace
}  // namespace renamora

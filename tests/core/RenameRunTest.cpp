// A remove edit from request to disk: cleaning, numbering, checks, preview rows,
// counters, undo pairs, list updates and the end of the run, on real folders.
#include <gtest/gtest.h>

#include <map>
#include <random>
#include <string>
#include <vector>

#include "base/Paths.h"
#include "base/text/Utf.h"
#include "core/ItemProcessing.h"
#include "core/NameChecks.h"
#include "core/NameParts.h"
#include "core/PathCompare.h"
#include "support/Fakes.h"
#include "support/ForwardingFileSystem.h"
#include "support/TempFolder.h"

namespace renamora {
namespace {

using test::TempFolder;
using Names = std::vector<std::u16string>;

class RenameRun : public testing::Test {
 protected:
  RenameRun() {
    world.program.TargetFolder = WithTrailingSeparator(dir.Path());
    request.Mode = std::u16string(EditMode::kRemove);
    world.program.CurrentMode = request.Mode;
  }
  void RemoveStrings(std::u16string a, std::u16string b = {}, std::u16string c = {}) {
    request.Remove.RemoveKind = RemoveChoice::RemoveStrings;
    request.Remove.Strings = {std::move(a), std::move(b), std::move(c)};
  }
  void Rename() { world.Engine().RenameCommand(request); }
  void Preview() { world.Engine().Preview(request); }

  test::EngineWorld world;
  TempFolder dir{*world.fs};
  EditRequest request;
};

TEST(CleanNewBase, LeadingBlanksThenLeadingDotsGo) {
  struct Row {
    std::u16string in, out;
  };
  const Row rows[] = {{u"  photo", u"photo"}, {u"..photo", u"photo"}, {u"   ", u"(none)"},
                      {u"...", u"(none)"},    {u" . ", u" "},         {u". x", u" x"},
                      {u" .", u"(none)"},     {u"photo ", u"photo "}, {u"a..b", u"a..b"}};
  for (const auto& row : rows) {
    SCOPED_TRACE(ToUtf8Lossy(row.in));
    EXPECT_EQ(CleanNewBase(row.in), row.out);
  }
}

TEST_F(RenameRun, TakenNamesAreNumberedBeforeTheExtension) {
  struct Row {
    const char* name;
    Names existing;   // files besides xb.txt
    Names folders;    // folders besides it
    std::u16string expected;
  };
  const Row rows[] = {
      {"free name", {}, {}, u"b.txt"},
      {"taken once", {u"b.txt"}, {}, u"b(1).txt"},
      {"taken twice", {u"b.txt", u"b(1).txt"}, {}, u"b(2).txt"},
      {"gap in the numbers", {u"b.txt", u"b(2).txt"}, {}, u"b(1).txt"},
      {"a folder blocks the name", {}, {u"b.txt"}, u"b(1).txt"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    TempFolder sub(*world.fs);
    world.program.TargetFolder = WithTrailingSeparator(sub.Path());
    sub.MakeFile(u"xb.txt", "mine");
    for (const auto& f : row.existing) sub.MakeFile(f, "other");
    for (const auto& f : row.folders) sub.MakeFolder(f);
    RemoveStrings(u"x");
    Rename();
    EXPECT_EQ(sub.Read(row.expected), "mine");
    EXPECT_EQ(world.run.Counters.Renamed, 1);
    for (const auto& f : row.existing) EXPECT_EQ(sub.Read(f), "other");
  }
}

TEST_F(RenameRun, TwoItemsWantingOneNameAreNumberedInOrder) {
  dir.MakeFile(u"Ax.txt", "first");
  dir.MakeFile(u"Bx.txt", "second");
  dir.MakeFile(u"Cx.txt", "third");
  RemoveStrings(u"A", u"B", u"C");
  request.Remove.CaseSensitive = true;
  Preview();
  EXPECT_EQ(world.PreviewNewNames(), (Names{u"x.txt", u"x(1).txt", u"x(2).txt"}));
  EXPECT_EQ(dir.Names(), (Names{u"Ax.txt", u"Bx.txt", u"Cx.txt"}));  // a preview touches nothing

  Rename();
  EXPECT_EQ(dir.Names(), (Names{u"x(1).txt", u"x(2).txt", u"x.txt"}));
  EXPECT_EQ(dir.Read(u"x.txt"), "first");
  EXPECT_EQ(dir.Read(u"x(1).txt"), "second");
  EXPECT_EQ(dir.Read(u"x(2).txt"), "third");
}

TEST_F(RenameRun, PreviewNumbersAgainstTheDiskAndEarlierRows) {
  struct Row {
    const char* name;
    Names files;
    Names onDisk;
    Names expected;
  };
  const Row rows[] = {
      {"disk number raised by a row", {u"Ax.txt", u"Bx.txt"}, {u"x.txt"}, {u"x(1).txt", u"x(2).txt"}},
      {"several dots: number before the first dot",
       {u"Aa.b.txt", u"Ba.b.txt"},
       {},
       {u"a.b.txt", u"a(1).b.txt"}},
      {"no dot", {u"Ax", u"Bx", u"Cx"}, {}, {u"x", u"x(1)", u"x(2)"}},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    TempFolder sub(*world.fs);
    world.program.TargetFolder = WithTrailingSeparator(sub.Path());
    for (const auto& f : row.files) sub.MakeFile(f);
    for (const auto& f : row.onDisk) sub.MakeFile(f);
    RemoveStrings(u"A", u"B", u"C");
    request.Remove.CaseSensitive = true;
    Preview();
    EXPECT_EQ(world.PreviewNewNames(), row.expected);
  }
}

class CountingLookups final : public test::ForwardingFileSystem {
 public:
  using ForwardingFileSystem::ForwardingFileSystem;
  std::optional<DirEntry> Stat(std::u16string_view path) override {
    ++lookups;
    return ForwardingFileSystem::Stat(path);
  }
  int lookups = 0;
};

// A long preview reads its folder once instead of looking every new name up, and
// still numbers exactly as the disk's own lookups would.
TEST_F(RenameRun, ALongPreviewLooksUpFewNamesAndNumbersAsTheDiskDoes) {
  constexpr int kItems = 200;
  for (int i = 0; i < kItems; ++i) dir.MakeFile(u"f" + U16(std::to_string(1000 + i)) + u"x.txt");
  // Taken names late in the run: one in another letter case, one exactly.
  dir.MakeFile(u"F1150.txt");
  dir.MakeFile(u"f1180.txt");
  Names expected;
  for (int i = 0; i < kItems; ++i) {
    const std::u16string base = u"f" + U16(std::to_string(1000 + i));
    // The disk's own rule of letter case decides whether the name is taken.
    expected.push_back(world.fs->Exists(dir / (base + u".txt")) ? base + u"(1).txt" : base + u".txt");
  }
  std::unique_ptr<FileSystem> real = std::move(world.fs);
  auto counting = std::make_unique<CountingLookups>(*real);
  CountingLookups& lookups = *counting;
  world.fs = std::move(counting);
  world.options.Prenum = 1000;
  RemoveStrings(u"x");
  Preview();
  EXPECT_EQ(world.PreviewNewNames(), expected);
  EXPECT_LT(lookups.lookups, 40);
  world.fs = std::move(real);
}

TEST(PreviewRowsNumbering, OnePassOverEarlierRows) {
  struct Row {
    const char* name;
    Names earlier;
    NumberedName candidate;
    std::u16string expected;
  };
  const Row rows[] = {
      {"no clash", {u"a.txt"}, {u"b", 0, u".txt"}, u"b.txt"},
      {"one clash", {u"b.txt"}, {u"b", 0, u".txt"}, u"b(1).txt"},
      {"chain in row order", {u"b.txt", u"b(1).txt"}, {u"b", 0, u".txt"}, u"b(2).txt"},
      // The pass goes on after the clash, so a row before it is not looked at again.
      {"earlier row not revisited", {u"b(1).txt", u"b.txt"}, {u"b", 0, u".txt"}, u"b(1).txt"},
      {"disk number raised", {u"b(1).txt"}, {u"b", 1, u".txt"}, u"b(2).txt"},
      {"first dot", {u"a.b.c"}, {u"a.b", 0, u".c"}, u"a(1).b.c"},
      {"leading-dot extension only", {u".txt"}, {u"", 0, u".txt"}, u"(1).txt"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    PreviewRows rowsList;
    for (const auto& e : row.earlier) rowsList.AddRow(u"old", e);
    NumberedName n = row.candidate;
    rowsList.NumberAgainstRows(u"", n);
    EXPECT_EQ(n.Text(), row.expected);
  }
}

// The indexed numbering must give what one plain pass over the rows gives.
std::u16string NumberByScan(const Names& rows, NumberedName name) {
  for (const auto& row : rows) {
    if (row != name.Text()) continue;
    if (name.Number == 0) {
      const std::u16string whole = name.Before + name.After;
      const std::size_t dot = whole.find(u'.');
      name.Before = whole.substr(0, dot);
      name.After = dot == std::u16string::npos ? std::u16string() : whole.substr(dot);
    }
    ++name.Number;
  }
  return name.Text();
}

TEST(PreviewRowsNumbering, AgreesWithAPlainScanOnRandomRows) {
  std::mt19937 random(20261209);
  const std::u16string bases[] = {u"a", u"a(1)", u"a(2)", u"b", u"a.b"};
  const std::u16string extensions[] = {u"", u".txt", u".b.txt"};
  for (int trial = 0; trial < 2000; ++trial) {
    SCOPED_TRACE(trial);
    PreviewRows rows;
    Names plain;
    const int count = int(random() % 12);
    for (int i = 0; i < count; ++i) {
      NumberedName n{bases[random() % 5], int(random() % 3), extensions[random() % 3]};
      plain.push_back(n.Text());
      rows.AddRow(u"old", n.Text());
    }
    NumberedName candidate{bases[random() % 5], int(random() % 3), extensions[random() % 3]};
    const std::u16string expected = NumberByScan(plain, candidate);
    rows.NumberAgainstRows(u"", candidate);
    ASSERT_EQ(candidate.Text(), expected);
  }
}

// What a run must give when every item wants one name: the items in walk order,
// each trying its candidates against the disk from 0 upward, where the item's own
// name ends the search (it keeps its name, unchanged). Gives, for every entry of
// the folder at the end, the name it had at the start.
std::map<std::u16string, std::u16string> NumberByDiskScan(const Names& itemsInWalkOrder, const Names& blockers,
                                                          const std::u16string& base) {
  std::map<std::u16string, std::u16string> taken;  // key -> final name
  std::map<std::u16string, std::u16string> origin;  // final name -> name at the start
  auto key = [](const std::u16string& name) {
    std::u16string k;
    AppendPathKey(name, k);
    return k;
  };
  for (const auto& b : blockers) {
    taken[key(b)] = b;
    origin[b] = b;
  }
  for (const auto& item : itemsInWalkOrder) {
    taken[key(item)] = item;
    origin[item] = item;
  }
  for (const auto& item : itemsInWalkOrder) {
    const std::u16string extension = ExtensionOf(item);
    for (int n = 0;; ++n) {
      const std::u16string candidate =
          n == 0 ? base + extension : base + u"(" + U16(std::to_string(n)) + u")" + extension;
      if (candidate == item) break;
      if (taken.count(key(candidate))) continue;
      taken.erase(key(item));
      taken[key(candidate)] = candidate;
      origin[candidate] = item;
      origin.erase(item);
      break;
    }
  }
  return origin;
}

// Every entry of the folder with the content it was made with (its first name).
std::map<std::u16string, std::u16string> Origins(FileSystem& fs, const TempFolder& folder) {
  std::map<std::u16string, std::u16string> out;
  for (const auto& name : folder.Names()) {
    out[name] = fs.IsFolder(folder / name) ? name : U16(folder.Read(name));
  }
  return out;
}

class NumberingRun : public RenameRun {
 protected:
  NumberingRun() {
    request.Mode = std::u16string(EditMode::kChange);
    request.Change.ChangeKind = ChangeChoice::NewName;
    request.Change.NewNameTemplate = u"same";
  }
  // Makes the items (holding their names) and the folders that block names, runs
  // the edit and compares with the disk scan.
  void Check(TempFolder& folder, const Names& items, const Names& blockers) {
    world.program.TargetFolder = WithTrailingSeparator(folder.Path());
    for (const auto& item : items) folder.MakeFile(item, ToUtf8Lossy(item));
    for (const auto& b : blockers) folder.MakeFolder(b);
    Names walkOrder;
    const auto listing = world.fs->ListFolder(folder.Path());
    ASSERT_TRUE(listing.has_value());
    for (const auto& e : *listing) {
      if (!e.isFolder) walkOrder.push_back(e.name);
    }
    const auto expected = NumberByDiskScan(walkOrder, blockers, u"same");
    world.run.Counters = {};
    world.sink.pending.clear();
    Rename();
    EXPECT_EQ(Origins(*world.fs, folder), expected);
    int moved = 0;
    for (const auto& [now, was] : expected) moved += now != was;
    EXPECT_EQ(world.run.Counters.Renamed, moved);
    EXPECT_EQ(world.sink.pending.size(), std::size_t(moved));
    EXPECT_EQ(world.run.Counters.Failed, 0);
  }
};

TEST_F(NumberingRun, GivesWhatAScanOfTheDiskGives) {
  struct Row {
    const char* name;
    Names items;
    Names blockers;  // folders
  };
  const Row rows[] = {
      {"numbers already there, gaps between", {u"a.txt", u"b.txt", u"same.txt", u"same(3).txt"}, {u"same(2).txt"}},
      {"an item keeps the number it has", {u"a.txt", u"same(1).txt", u"same.txt"}, {}},
      {"an item moves down to a free number", {u"same(5).txt", u"same.txt", u"z.txt"}, {u"same(2).txt"}},
      {"a name an earlier item left is taken again", {u"same(1).txt", u"same(2).txt", u"x.txt", u"y.txt"},
       {u"same.txt"}},
      {"extensions are numbered apart", {u"a.jpg", u"b.txt", u"c.jpg", u"same.jpg", u"same"}, {u"same(1).jpg"}},
      {"no number of this family", {u"a.txt", u"same(01).txt", u"same(1)(1).txt", u"same(x).txt"}, {}},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    TempFolder sub(*world.fs);
    Check(sub, row.items, row.blockers);
  }
}

TEST_F(NumberingRun, GivesWhatAScanOfTheDiskGivesOnRandomFolders) {
  const Names pool = {u"a.txt",       u"b.txt",          u"c",           u"same.txt",     u"same(1).txt",
                      u"same(2).txt", u"same(3).txt",    u"same(10).txt", u"same(01).txt", u"same(1)(1).txt",
                      u"same",        u"same(2)",        u"same.jpg",     u"same(1).jpg",  u"x.jpg",
                      u"same(4).txt", u"same(12).txt",   u"d.jpg"};
  std::mt19937 random(20261210);
  for (int trial = 0; trial < 60; ++trial) {
    SCOPED_TRACE(trial);
    Names items, blockers;
    for (const auto& name : pool) {
      const unsigned pick = random() % 4;
      if (pick < 2) items.push_back(name);
      if (pick == 2) blockers.push_back(name);
    }
    TempFolder sub(*world.fs);
    Check(sub, items, blockers);
    if (HasFailure()) break;
  }
}

// Names that earlier items found taken are free again once their holders have been
// renamed away, and later items take them ("##" is the file size, "1Bytes").
TEST_F(NumberingRun, NamesLeftByRenamedItemsAreTakenAgain) {
  struct Row {
    const char* name;
    std::vector<std::pair<std::u16string, std::string>> items;  // name, content
    std::map<std::u16string, std::u16string> after;               // name -> content
  };
  const Row rows[] = {
      {"the holder moves on",
       {{u"a.txt", "a"}, {u"s1Bytes.txt", "bb"}, {u"t.txt", "c"}},
       {{u"s1Bytes(1).txt", u"a"}, {u"s2Bytes.txt", u"bb"}, {u"s1Bytes.txt", u"c"}}},
      {"two holders move on, a gap opens below",
       {{u"a.txt", "a"}, {u"b.txt", "b"}, {u"s1Bytes(1).txt", "ccc"}, {u"s1Bytes.txt", "dd"}, {u"t.txt", "e"},
        {u"u.txt", "f"}},
       {{u"s1Bytes(2).txt", u"a"},
        {u"s1Bytes(3).txt", u"b"},
        {u"s3Bytes.txt", u"ccc"},
        {u"s2Bytes.txt", u"dd"},
        {u"s1Bytes.txt", u"e"},
        {u"s1Bytes(1).txt", u"f"}}},
  };
  request.Change.NewNameTemplate = u"s##";
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    TempFolder sub(*world.fs);
    world.program.TargetFolder = WithTrailingSeparator(sub.Path());
    for (const auto& [name, content] : row.items) sub.MakeFile(name, content);
    Rename();
    std::map<std::u16string, std::u16string> after;
    for (const auto& name : sub.Names()) after[name] = U16(sub.Read(name));
    EXPECT_EQ(after, row.after);
  }
}

TEST_F(NumberingRun, AnItemThatWouldKeepItsNameIsUnchangedInPreviewAndRun) {
  dir.MakeFile(u"a.txt", "a");
  dir.MakeFile(u"same(1).txt", "one");
  dir.MakeFile(u"same.txt", "zero");
  Preview();
  // same.txt and same(1).txt are taken; the item same(1).txt would get its own
  // name, and same.txt is its own name already: no row for either.
  EXPECT_EQ(world.PreviewOldNames(), (Names{u"a.txt"}));
  EXPECT_EQ(world.PreviewNewNames(), (Names{u"same(2).txt"}));
  Rename();
  EXPECT_EQ(dir.Names(), (Names{u"same(1).txt", u"same(2).txt", u"same.txt"}));
  EXPECT_EQ(dir.Read(u"same(1).txt"), "one");
  EXPECT_EQ(world.run.Counters.Renamed, 1);
  using Pair = std::pair<std::u16string, std::u16string>;
  EXPECT_EQ(world.sink.pending, (std::vector<Pair>{{dir / u"same(2).txt", dir / u"a.txt"}}));
}

// A base that cleaning turns back into the old name renames nothing.
TEST_F(RenameRun, ANewNameEqualToTheOldOneIsUnchanged) {
  dir.MakeFile(u"photo.txt");
  request.Mode = std::u16string(EditMode::kInsert);
  request.Insert.InsertKind = InsertChoice::ToPosition;
  request.Insert.AtHead = true;
  request.Insert.HeadTemplate = u"  ";
  for (bool preview : {true, false}) {
    SCOPED_TRACE(preview ? "preview" : "run");
    preview ? Preview() : Rename();
    EXPECT_EQ(world.run.Counters.Renamed, 0);
    EXPECT_EQ(world.run.Counters.PreviewRows, 0);
    EXPECT_TRUE(world.sink.pending.empty());
  }
  EXPECT_EQ(world.PreviewNewNames(), (Names{u"<info> No filename will be edited"}));
  EXPECT_EQ(dir.Names(), (Names{u"photo.txt"}));
}

// A preview numbers one start again and again while rows keep coming: what it
// remembers of earlier passes must not change what a plain pass gives.
TEST(PreviewRowsNumbering, AgreesWithAPlainScanAsRowsKeepComing) {
  std::mt19937 random(20261211);
  const std::u16string bases[] = {u"a", u"a(1)", u"b", u"a.b"};
  const std::u16string extensions[] = {u"", u".txt", u".b.txt"};
  for (int trial = 0; trial < 300; ++trial) {
    SCOPED_TRACE(trial);
    PreviewRows rows;
    Names plain;
    for (int step = 0; step < 25; ++step) {
      NumberedName candidate{bases[random() % 4], int(random() % 3), extensions[random() % 3]};
      const std::u16string expected = NumberByScan(plain, candidate);
      rows.NumberAgainstRows(u"", candidate);
      ASSERT_EQ(candidate.Text(), expected) << "step " << step;
      // Mostly the numbered name, as a preview adds it; now and then another one.
      const std::u16string added =
          random() % 4 != 0 ? expected : NumberedName{bases[random() % 4], int(random() % 3), u".txt"}.Text();
      rows.AddRow(u"old", added);
      plain.push_back(added);
    }
  }
}

TEST_F(RenameRun, EmptyNewBaseIsReportedOncePerItemAndCountedAsFailed) {
  dir.MakeFile(u"12.txt");
  dir.MakeFile(u"34.txt");
  request.Remove.RemoveKind = RemoveChoice::RemoveAnything;
  request.Remove.AnythingKind = AnythingChoice::AllNumbers;
  for (bool preview : {true, false}) {
    SCOPED_TRACE(preview ? "preview" : "real run");
    world.prompter.shown.clear();
    preview ? Preview() : Rename();
    const std::u16string m = u"The new name is empty. - '";
    Names expected = {m + (dir / u"12.txt") + u"'", m + (dir / u"34.txt") + u"'"};
    if (!preview) expected.push_back(world.texts.Lookup(129));
    EXPECT_EQ(world.prompter.Texts(), expected);
    EXPECT_EQ(world.run.Counters.Failed, 2);
    EXPECT_EQ(dir.Names(), (Names{u"12.txt", u"34.txt"}));
  }
  EXPECT_EQ(world.PreviewNewNames(), (Names{u"<info> No filename will be edited"}));
}

TEST_F(RenameRun, PreviewStopsAtTheRowLimit) {
  struct Row {
    int files;
    int limit;
    Names tail;  // what follows the item rows
  };
  const Row rows[] = {
      {25, 20, {u"<info> By default only 20 names are shown ('Preview file number' can be changed in 'Options')"}},
      {20, 20, {}},
      {3, 1, {u"<info> By default only 20 names are shown ('Preview file number' can be changed in 'Options')"}},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.files);
    TempFolder sub(*world.fs);
    world.program.TargetFolder = WithTrailingSeparator(sub.Path());
    for (int i = 0; i < row.files; ++i) sub.MakeFile(U16("x" + std::to_string(100 + i) + ".txt"));
    world.options.Prenum = row.limit;
    RemoveStrings(u"x");
    Preview();
    const Names rowsShown = world.PreviewNewNames();
    ASSERT_EQ(rowsShown.size(), std::size_t(row.limit) + row.tail.size());
    EXPECT_EQ(rowsShown.front(), u"100.txt");
    EXPECT_EQ(Names(rowsShown.begin() + row.limit, rowsShown.end()), row.tail);
    EXPECT_EQ(world.run.Counters.PreviewRows, row.limit);
    EXPECT_FALSE(world.run.Stop.IsSet());
    EXPECT_FALSE(world.run.PreviewMode);
  }
}

TEST_F(RenameRun, PreviewWithSubfoldersShowsTheFolderOfEachNewName) {
  dir.MakeFile(u"one/xa.txt");
  dir.MakeFile(u"two/xa.txt");
  dir.MakeFile(u"xtop.txt");
  RemoveStrings(u"x");
  request.IncludeSubfolders = true;
  Preview();
  const std::u16string one = WithTrailingSeparator(dir / u"one");
  const std::u16string two = WithTrailingSeparator(dir / u"two");
  const std::u16string top = WithTrailingSeparator(dir.Path());
  // Each subfolder's batch is done when the walk meets it, before the top folder's.
  EXPECT_EQ(world.PreviewNewNames(), (Names{one + u"a.txt", two + u"a.txt", top + u"top.txt"}));
  EXPECT_EQ(world.PreviewOldNames(), (Names{u"xa.txt", u"xa.txt", u"xtop.txt"}));
}

TEST_F(RenameRun, RealRunRecordsPairsCountersAndTotal) {
  dir.MakeFile(u"xa.txt", "a");
  dir.MakeFile(u"xb.txt", "b");
  dir.MakeFile(u"c.txt", "c");  // unchanged
  world.program.RenamedTotal = 40;
  RemoveStrings(u"x");
  Rename();
  EXPECT_EQ(dir.Names(), (Names{u"a.txt", u"b.txt", u"c.txt"}));
  EXPECT_EQ(world.run.Counters.Renamed, 2);
  EXPECT_EQ(world.run.Counters.Failed, 0);
  EXPECT_EQ(world.program.RenamedTotal, 42u);
  using Pair = std::pair<std::u16string, std::u16string>;
  EXPECT_EQ(world.sink.pending, (std::vector<Pair>{{dir / u"a.txt", dir / u"xa.txt"}, {dir / u"b.txt", dir / u"xb.txt"}}));
  EXPECT_EQ(world.sink.scheduled, 1);
  EXPECT_EQ(world.host.events, (std::vector<std::string>{"close edit", "sound"}));
  EXPECT_TRUE(world.run.EditDone);
  EXPECT_TRUE(world.prompter.shown.empty());
}

class RecordingHistory : public TemplateHistory {
 public:
  void Add(std::u16string_view text) override { added.emplace_back(text); }
  Names added;
};

TEST_F(RenameRun, RealRunsRememberTheTemplatesInUse) {
  struct Row {
    const char* name;
    std::u16string mode;
    void (*fill)(EditRequest&);
    Names remembered;
  };
  const Row rows[] = {
      {"insert at positions: the boxes that are on and not empty", std::u16string(EditMode::kInsert),
       [](EditRequest& r) {
         r.Insert.InsertKind = InsertChoice::ToPosition;
         r.Insert.AtHead = true;
         r.Insert.HeadTemplate = u"H$$";
         r.Insert.EndTemplate = u"not on";
         r.Insert.AtCursor = true;
         r.Insert.CursorTemplate = u"";
       },
       {u"H$$"}},
      {"insert to a string", std::u16string(EditMode::kInsert),
       [](EditRequest& r) {
         r.Insert.InsertKind = InsertChoice::ToString;
         r.Insert.AtHead = true;
         r.Insert.HeadTemplate = u"ignored";
         r.Insert.InsertTemplate = u"ins";
       },
       {u"ins"}},
      {"replace", std::u16string(EditMode::kReplace), [](EditRequest& r) { r.Replace.NewTemplate = u"new"; },
       {u"new"}},
      {"change", std::u16string(EditMode::kChange), [](EditRequest& r) { r.Change.NewNameTemplate = u"name"; },
       {u"name"}},
      {"remove remembers nothing", std::u16string(EditMode::kRemove),
       [](EditRequest& r) { r.Replace.NewTemplate = u"new"; }, {}},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    dir.MakeFile(u"a.txt");
    RecordingHistory history;
    world.history = &history;
    EditRequest r;
    r.Mode = row.mode;
    row.fill(r);
    world.Engine().RenameCommand(r);
    EXPECT_EQ(history.added, row.remembered);
    history.added.clear();
    world.Engine().Preview(r);
    EXPECT_TRUE(history.added.empty());  // a preview remembers nothing
  }
  world.history = nullptr;
}

class ScriptedChecks : public InputChecks {
 public:
  bool CheckAndConfirm(EditRequest&, RunState& run, const ProgramState&) override {
    countersSeen = run.Counters;
    ++calls;
    return answer;
  }
  bool answer = false;
  int calls = 0;
  RunCounters countersSeen{-1, -1, -1};
};

TEST_F(RenameRun, DeclinedChecksTouchNothing) {
  dir.MakeFile(u"xa.txt");
  ScriptedChecks checks;
  world.checks = &checks;
  world.run.Counters = {7, 3, 0};
  RemoveStrings(u"x");
  Rename();
  EXPECT_EQ(checks.calls, 1);
  EXPECT_EQ(checks.countersSeen.Renamed, 0);  // reset before the checks
  EXPECT_EQ(checks.countersSeen.Failed, 0);
  EXPECT_EQ(dir.Names(), (Names{u"xa.txt"}));
  EXPECT_TRUE(world.host.events.empty());
  EXPECT_TRUE(world.prompter.shown.empty());
  checks.answer = true;
  Rename();
  EXPECT_EQ(dir.Names(), (Names{u"a.txt"}));
  world.checks = nullptr;
}

TEST(RunSummary, CountsJoinedWithTheirTexts) {
  StringTable texts;
  EXPECT_EQ(RunSummaryText({12, 1, 0}, texts), u"12 renamed successfully,1 failed.");
  EXPECT_EQ(RunSummaryText({0, 0, 5}, texts), u"0 renamed successfully,0 failed.");
}

TEST_F(RenameRun, TypeBoxesAreTrimmedAndWrittenBack) {
  dir.MakeFile(u"xa.txt");
  request.Save.OtherTypes = u" \tdoc,txt \r\n";
  request.TypeFilter = u"\x01txt ";
  request.TypeFilterOn = true;
  RemoveStrings(u"x");
  Rename();
  EXPECT_EQ(request.Save.OtherTypes, u"doc,txt");
  EXPECT_EQ(request.TypeFilter, u"txt");
  EXPECT_EQ(dir.Names(), (Names{u"a.txt"}));
}

TEST_F(RenameRun, EndOfRunFollowsTheOptions) {
  struct Row {
    const char* name;
    bool renames;
    bool exitAfter;
    bool sound;
    std::vector<std::string> events;
    int flushes, scheduled;
  };
  const Row rows[] = {
      {"renamed, defaults", true, false, true, {"close edit", "sound"}, 0, 1},
      {"renamed, exit after one operation", true, true, true, {"close main", "sound"}, 1, 0},
      {"renamed, no sound", true, false, false, {"close edit"}, 0, 1},
      {"nothing renamed", false, false, true, {"show edit"}, 0, 0},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    TempFolder sub(*world.fs);
    world.program.TargetFolder = WithTrailingSeparator(sub.Path());
    sub.MakeFile(u"xa.txt");
    world.sink = {};
    world.host.events.clear();
    world.prompter.shown.clear();
    world.options.Options1 = row.exitAfter;
    world.options.Endsound = row.sound;
    RemoveStrings(row.renames ? u"x" : u"nothing");
    Rename();
    EXPECT_EQ(world.host.events, row.events);
    EXPECT_EQ(world.sink.flushes, row.flushes);
    EXPECT_EQ(world.sink.scheduled, row.scheduled);
    EXPECT_EQ(world.prompter.Texts(), row.renames ? Names{} : Names{world.texts.Lookup(129)});
  }
}

TEST_F(RenameRun, LargeRunsGoThroughTheProgressWindowAndCanBeStopped) {
  for (int i = 0; i < 10; ++i) dir.MakeFile(U16("x" + std::to_string(i) + ".txt"), "data");
  RemoveStrings(u"x");
  world.observer.stopAfter = 3;
  Rename();
  EXPECT_EQ(world.observer.progressJobs, 1);
  EXPECT_EQ(world.observer.batches, (std::vector<std::size_t>{10}));
  EXPECT_EQ(world.observer.renamed, (Names{u"0.txt", u"1.txt", u"2.txt"}));
  EXPECT_EQ(dir.Names(), (Names{u"0.txt", u"1.txt", u"2.txt", u"x3.txt", u"x4.txt", u"x5.txt", u"x6.txt",
                                u"x7.txt", u"x8.txt", u"x9.txt"}));
  EXPECT_EQ(world.sink.pending.size(), 3u);
  EXPECT_EQ(world.host.events.front(), "hide edit");
  EXPECT_FALSE(world.run.Stop.IsSet());  // cleared at the end of every run
}

TEST_F(RenameRun, SmallRunsNeedNoProgressWindow) {
  for (int i = 0; i < 5; ++i) dir.MakeFile(U16("x" + std::to_string(i) + ".txt"));
  RemoveStrings(u"x");
  Rename();
  EXPECT_EQ(world.observer.progressJobs, 0);
  EXPECT_EQ(world.run.Counters.Renamed, 5);
  EXPECT_TRUE(world.observer.renamed.empty());  // no progress display outside the window
}

TEST_F(RenameRun, ListItemsFollowTheirRenames) {
  dir.MakeFile(u"xa.txt");
  dir.MakeFile(u"xb.txt");
  // Folder view: item texts are names.
  world.list.checkBoxes = true;
  world.list.items = {{u"xa.txt", true}, {u"xb.txt", false}};
  request.Scope = TargetScope::CheckedFiles;
  RemoveStrings(u"x");
  Rename();
  EXPECT_EQ(world.list.items[0].text, u"a.txt");
  EXPECT_EQ(world.list.items[1].text, u"xb.txt");
  EXPECT_EQ(dir.Names(), (Names{u"a.txt", u"xb.txt"}));

  // Chosen files: item texts are full paths.
  world.program.TargetFolder.clear();
  world.list.checkBoxes = false;
  world.list.items = {{dir / u"xb.txt", true}};
  Rename();
  EXPECT_EQ(world.list.items[0].text, dir / u"b.txt");
}

TEST_F(RenameRun, FailedRenameIsReportedCountedAndTheRunGoesOn) {
  dir.MakeFile(u"xa.txt");
  dir.MakeFile(u"xb.txt");
  world.program.TargetFolder.clear();
  world.list.items = {{dir / u"xgone.txt", true}, {dir / u"xa.txt", true}};
  RemoveStrings(u"x");
  Rename();
  ASSERT_EQ(world.sink.failures.size(), 1u);
  EXPECT_EQ(world.sink.failures[0].oldName, u"xgone.txt");
  EXPECT_EQ(world.sink.failures[0].newName, u"gone.txt");
  EXPECT_EQ(world.sink.failures[0].status, RenameStatus::SourceMissing);
  EXPECT_EQ(world.run.Counters.Failed, 1);
  EXPECT_EQ(world.run.Counters.Renamed, 1);
  EXPECT_EQ(dir.Names(), (Names{u"a.txt", u"xb.txt"}));
}

TEST(NameCheck, ReservedNamesAndLength) {
  test::RecordingPrompter prompter;
  StringTable texts;
  const MessageContext messages{texts, prompter};
  struct Row {
    std::u16string name;
    bool accepted;
  };
  const std::u16string reservedMessage =
      u"cannot be used because some names (con, aux, com1, lpt1, prn, nul) are reserved by Windows, please use a "
      u"different name.";
  const Row rows[] = {{u"con", false},      {u"aux", false},   {u"com1", false},
                      {u"lpt1", false},     {u"prn", false},   {u"nul", false},
                      {u"CON", true},       {u"con.txt", true}, {u"com2", true},
                      {std::u16string(255, u'a'), true},       {std::u16string(256, u'a'), false}};
  for (const auto& row : rows) {
    SCOPED_TRACE(ToUtf8Lossy(row.name.substr(0, 10)) + " length " + std::to_string(row.name.size()));
    prompter.shown.clear();
    EXPECT_EQ(CheckNewName(row.name, messages), row.accepted);
    ASSERT_EQ(prompter.shown.size(), row.accepted ? 0u : 1u);
    if (row.accepted) continue;
    EXPECT_EQ(prompter.shown[0].caption, u"Information");
    const std::u16string head = u"The new filename:: '" + row.name + u"' ";
    EXPECT_EQ(prompter.shown[0].text,
              head + (row.name.size() >= 256 ? u"cannot be used because the filename (plus path) is too long (Windows "
                                               u"supports up to 255 characters), please shorten it."
                                             : reservedMessage));
  }
}

TEST(NameCheck, ForbiddenCharactersInNewNamesAndTypedTexts) {
  test::RecordingPrompter prompter;
  StringTable texts;
  const MessageContext messages{texts, prompter};
  const std::u16string message126 =
      u"Windows does not allow to use specific characters in file names, please remove any of those: \\ / : * ? \" "
      u"< > |";
  struct Row {
    std::u16string text;
    bool newNameOk;   // as a new name
    bool typedOk;     // as a typed template
  };
  const Row rows[] = {{u"plain name.txt", true, true}, {u"", true, true},          {u"a/b", false, false},
                      {u"a\\b", false, false},         {u"c:", false, false},       {u"what?", false, false},
                      {u"\"q\"", false, false},        {u"<>", false, false},       {u"a|b", false, false},
                      {u"star*", false, false},        {u"tab\there", false, true}, {u"nul\x01", false, true}};
  for (const auto& row : rows) {
    SCOPED_TRACE(ToUtf8Lossy(row.text));
    prompter.shown.clear();
    EXPECT_EQ(CheckNewName(row.text, messages), row.newNameOk);
    EXPECT_EQ(CheckTypedName(row.text, SpecialStringSettings{}, messages), row.typedOk);
    for (const auto& shown : prompter.shown) EXPECT_EQ(shown.text, message126);
  }
}

TEST(NameCheck, RandomTokens) {
  test::RecordingPrompter prompter;
  StringTable texts;
  const MessageContext messages{texts, prompter};
  struct Row {
    std::u16string text;
    bool enabled;
    std::u16string message;  // empty: accepted
  };
  const Row rows[] = {
      {u"%3%", true, u""},
      {u"%100%", true, u""},
      {u"%150%", true, u"150 is too big. Max random string digits is 100."},
      {u"%0150%", true, u"0150 is too big. Max random string digits is 100."},
      {u"%99999999999999999999%", true, u"99999999999999999999 is too big. Max random string digits is 100."},
      {u"%ab%", true, u"The random string digits(ab) is not an integer."},
      {u"%abc%", true, u""},
      {u"%-5%", true, u""},
      {u"50%", true, u""},
      {u"%%_%3%", true, u"The random string digits(_) is not an integer."},
      {u"%2%%x%", true, u"The random string digits(x) is not an integer."},
      {u"%3%y%ab%", true, u"The random string digits(ab) is not an integer."},
      {u"%ab%", false, u""},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(ToUtf8Lossy(row.text));
    prompter.shown.clear();
    SpecialStringSettings settings;
    settings.Enabled = row.enabled;
    EXPECT_EQ(CheckRandomSpecs(row.text, settings, messages), row.message.empty());
    EXPECT_EQ(prompter.Texts(), row.message.empty() ? Names{} : Names{row.message});
  }
}

}  // namespace
}  // namespace renamora

// The journal of a run on real folders: what it holds after every way a run can
// stop, and how the next start turns it into the undo log.
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "base/Paths.h"
#include "core/TextFile.h"
#include "core/UndoJournal.h"
#include "core/UndoLog.h"
#include "support/ForwardingFileSystem.h"
#include "support/TableLocale.h"
#include "support/TempFolder.h"

namespace renamora {
namespace {

using test::TempFolder;
using Pair = JournalContent::Pair;
using Pairs = std::vector<Pair>;

class UndoJournalTest : public testing::Test {
 protected:
  std::optional<JournalContent> Content() {
    auto bytes = fs->ReadFile(path);
    if (!bytes) return std::nullopt;
    return ReadJournal(*bytes);
  }

  std::unique_ptr<FileSystem> fs = MakeSystemFileSystem();
  test::TableLocale locale;
  TempFolder data{*fs};
  std::u16string path = UndoJournalPath(data.Path());
};

TEST_F(UndoJournalTest, HoldsTheDonePairsAndTheRenameUnderWay) {
  const std::u16string longName(300, u'x');
  struct Step {
    enum { Start, Done } kind;
    std::u16string current, previous;
  };
  struct Row {
    const char* name;
    std::vector<Step> steps;
    Pairs done;
    std::optional<Pair> started;
  };
  const Row rows[] = {
      {"pairs in their order", {{Step::Done, u"/d/b", u"/d/a"}, {Step::Done, u"/d/c", u"/d/b"}},
       {{u"/d/b", u"/d/a"}, {u"/d/c", u"/d/b"}}, std::nullopt},
      {"killed inside a rename", {{Step::Done, u"/d/b", u"/d/a"}, {Step::Start, u"/d/y", u"/d/x"}},
       {{u"/d/b", u"/d/a"}}, Pair{u"/d/y", u"/d/x"}},
      {"a numbered retry replaces the started pair",
       {{Step::Start, u"/d/" + longName, u"/d/a"}, {Step::Start, u"/d/n(1)", u"/d/a"}, {Step::Done, u"/d/n(1)", u"/d/a"}},
       {{u"/d/n(1)", u"/d/a"}}, std::nullopt},
      {"what a longer replaced pair left behind is never read",
       {{Step::Start, u"/d/" + longName, u"/d/a"}, {Step::Done, u"/d/n", u"/d/a"}, {Step::Done, u"/d/m", u"/d/b"}},
       {{u"/d/n", u"/d/a"}, {u"/d/m", u"/d/b"}}, std::nullopt},
      {"names outside the BMP and lone surrogates",
       {{Step::Done, u"/d/\U0001F600", u"/d/\xDC80"}}, {{u"/d/\U0001F600", u"/d/\xDC80"}}, std::nullopt},
      // Each record keeps only what its paths do not share with each other and with
      // the pair before: starts and ends that overlap, a path that is all shared.
      {"paths sharing their starts and ends in every way",
       {{Step::Done, u"/d/ab", u"/d/aab"},
        {Step::Done, u"/d/a", u"/d/ab"},
        {Step::Done, u"/d/aba", u"/d/aa"},
        {Step::Done, u"/d/ab", u"/d/ab"},
        {Step::Done, u"/e/x", u"/d/x"},
        {Step::Start, u"/e", u"/e/x/y"}},
       {{u"/d/ab", u"/d/aab"}, {u"/d/a", u"/d/ab"}, {u"/d/aba", u"/d/aa"}, {u"/d/ab", u"/d/ab"}, {u"/e/x", u"/d/x"}},
       Pair{u"/e", u"/e/x/y"}},
      {"a started pair is written against the last done one, not the one it replaces",
       {{Step::Done, u"/d/abc", u"/d/x"}, {Step::Start, u"/z/" + longName, u"/d/y"}, {Step::Start, u"/d/abd", u"/d/y"}},
       {{u"/d/abc", u"/d/x"}}, Pair{u"/d/abd", u"/d/y"}},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    {
      UndoJournal journal(*fs, path);
      for (const Step& step : row.steps) {
        if (step.kind == Step::Start) {
          EXPECT_TRUE(journal.Starting(step.current, step.previous));
        } else {
          journal.Done(step.current, step.previous);
        }
      }
      EXPECT_TRUE(journal.Working());
      // Left open, as a killed process leaves it.
    }
    const auto content = Content();
    ASSERT_TRUE(content.has_value());
    EXPECT_EQ(content->Done, row.done);
    EXPECT_EQ(content->Started, row.started);
  }
}

TEST_F(UndoJournalTest, ReadingStopsAtTheFirstRecordThatIsNotWhole) {
  {
    UndoJournal journal(*fs, path);
    journal.Done(u"/d/b", u"/d/a");
    journal.Done(u"/d/d", u"/d/c");
  }
  const std::string whole = *fs->ReadFile(path);
  ASSERT_EQ(ReadJournal(whole)->Done.size(), 2u);
  {
    UndoJournal journal(*fs, path);
    journal.Done(u"/d/b", u"/d/a");
  }
  // Both files end with the zero header after their last record.
  const std::size_t secondStart = fs->ReadFile(path)->size() - 8;
  ASSERT_LT(secondStart, whole.size() - 8);
  // Cut anywhere inside the second record: the first one is all there is.
  for (std::size_t cut = secondStart; cut < whole.size() - 8; ++cut) {
    SCOPED_TRACE(cut);
    const auto content = ReadJournal(std::string_view(whole).substr(0, cut));
    ASSERT_TRUE(content.has_value());
    EXPECT_EQ(content->Done, (Pairs{{u"/d/b", u"/d/a"}}));
  }
  EXPECT_FALSE(ReadJournal("not a journal").has_value());
  EXPECT_FALSE(ReadJournal("").has_value());
}

TEST_F(UndoJournalTest, AJournalWithWholePathsIsStillRead) {
  // The form an earlier build wrote: each record holds both paths whole, a zero unit
  // between them. A journal it left behind must still be undoable.
  auto record = [](std::uint32_t state, std::u16string_view current, std::u16string_view previous) {
    std::u16string units = std::u16string(current) + u'\0' + std::u16string(previous);
    std::string bytes;
    for (const std::uint32_t value : {std::uint32_t(2 * units.size()), state}) {
      for (int shift = 0; shift < 32; shift += 8) bytes.push_back(char((value >> shift) & 0xFF));
    }
    for (const char16_t c : units) {
      bytes.push_back(char(c & 0xFF));
      bytes.push_back(char(c >> 8));
    }
    return bytes;
  };
  const std::string bytes = std::string("RNMJ\x01\0\0\0", 8) + record(2, u"/d/b", u"/d/a") +
                            record(2, u"/d/\U0001F600", u"/d/c") + record(1, u"/d/e", u"/d/d") + std::string(8, '\0');
  const auto content = ReadJournal(bytes);
  ASSERT_TRUE(content.has_value());
  EXPECT_EQ(content->Done, (Pairs{{u"/d/b", u"/d/a"}, {u"/d/\U0001F600", u"/d/c"}}));
  EXPECT_EQ(content->Started, (Pair{u"/d/e", u"/d/d"}));
}

TEST_F(UndoJournalTest, ARecordHoldsWhatItsPathsDoNotShare) {
  // A run in a deep folder: what each pair costs in the journal does not grow with
  // the folder's path, and every pair reads back whole.
  const std::u16string folder = u"/" + std::u16string(300, u'f') + u"/";
  constexpr int kPairs = 1000;
  Pairs pairs;
  {
    UndoJournal journal(*fs, path);
    for (int i = 0; i < kPairs; ++i) {
      const std::string number = std::to_string(1000000 + i).substr(1);
      const std::u16string name = u"IMG_" + std::u16string(number.begin(), number.end()) + u".jpg";
      pairs.push_back({folder + u"x" + name, folder + name});
      ASSERT_TRUE(journal.Starting(pairs.back().CurrentPath, pairs.back().PreviousPath));
      journal.Done(pairs.back().CurrentPath, pairs.back().PreviousPath);
    }
  }
  const std::string bytes = *fs->ReadFile(path);
  EXPECT_LT(bytes.size(), std::size_t(kPairs) * 40);
  const auto content = ReadJournal(bytes);
  ASSERT_TRUE(content.has_value());
  EXPECT_EQ(content->Done, pairs);
}

TEST_F(UndoJournalTest, TheRenameUnderWayCountsOnlyWhereTheDiskShowsItDone) {
  data.MakeFile(u"moved-new", "1");
  data.MakeFile(u"unmoved-old", "2");
  data.MakeFile(u"both-old", "3");
  data.MakeFile(u"both-new", "4");
  struct Row {
    const char* name;
    std::u16string current, previous;
    bool counted;
  };
  const Row rows[] = {
      {"renamed: new name there, old one gone", data / u"moved-new", data / u"moved-old", true},
      {"not renamed: old name still there", data / u"unmoved-new", data / u"unmoved-old", false},
      {"refused: both names taken", data / u"both-new", data / u"both-old", false},
      {"neither name there", data / u"none-new", data / u"none-old", false},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    JournalContent content;
    content.Done = {{u"/d/b", u"/d/a"}};
    content.Started = Pair{row.current, row.previous};
    Pairs expected = content.Done;
    if (row.counted) expected.push_back(*content.Started);
    EXPECT_EQ(PairsToUndo(content, *fs), expected);
  }
}

TEST_F(UndoJournalTest, ANewStartTurnsALeftJournalIntoTheUndoLog) {
  TempFolder photos(*fs);
  photos.MakeFile(u"a.jpg", "alpha");
  photos.MakeFile(u"b.jpg", "beta");
  photos.MakeFile(u"c.jpg", "gamma");
  {
    // A run renames two items and is killed inside the rename of the third.
    UndoLog log(*fs, locale, data.Path());
    for (const auto* name : {u"a.jpg", u"b.jpg"}) {
      const std::u16string from = photos / name, to = photos / (u"x" + std::u16string(name));
      ASSERT_TRUE(log.RenameStarting(to, from));
      ASSERT_EQ(fs->Rename(from, to), RenameStatus::Ok);
      log.RecordUndoPair(to, from);
    }
    ASSERT_TRUE(log.RenameStarting(photos / u"xc.jpg", photos / u"c.jpg"));
    ASSERT_EQ(fs->Rename(photos / u"c.jpg", photos / u"xc.jpg"), RenameStatus::Ok);
    EXPECT_TRUE(fs->Exists(log.JournalPath()));
  }
  UndoLog next(*fs, locale, data.Path());
  std::size_t pairs = 0;
  EXPECT_EQ(next.RecoverJournal(&pairs), UndoLog::Recovery::Recovered);
  EXPECT_EQ(pairs, 3u);
  EXPECT_FALSE(fs->Exists(next.JournalPath()));
  const auto lines = ReadTextLines(*fs, next.Path(), locale);
  ASSERT_TRUE(lines.has_value());
  EXPECT_EQ(*lines, (std::vector<std::u16string>{photos / u"xa.jpg", photos / u"a.jpg", photos / u"xb.jpg",
                                                  photos / u"b.jpg", photos / u"xc.jpg", photos / u"c.jpg"}));
  EXPECT_EQ(next.RecoverJournal(), UndoLog::Recovery::NoJournal);
}

TEST_F(UndoJournalTest, TheJournalLastsExactlyUntilTheLogHoldsItsPairs) {
  UndoLog log(*fs, locale, data.Path());
  // A run whose renames all failed leaves neither journal nor log.
  EXPECT_TRUE(log.RenameStarting(u"/nowhere/b", u"/nowhere/a"));
  EXPECT_TRUE(log.WritePending());
  EXPECT_FALSE(fs->Exists(log.JournalPath()));
  EXPECT_FALSE(fs->Exists(log.Path()));

  EXPECT_TRUE(log.RenameStarting(u"/d/b", u"/d/a"));
  log.RecordUndoPair(u"/d/b", u"/d/a");
  EXPECT_TRUE(fs->Exists(log.JournalPath()));
  EXPECT_TRUE(log.WritePending());
  EXPECT_FALSE(fs->Exists(log.JournalPath()));
  EXPECT_TRUE(fs->Exists(log.Path()));

  // A journal without a done pair (killed inside the first rename, which never
  // happened) keeps the log of the run before.
  { EXPECT_TRUE(UndoLog(*fs, locale, data.Path()).RenameStarting(data / u"new", data / u"old")); }
  UndoLog next(*fs, locale, data.Path());
  EXPECT_EQ(next.RecoverJournal(), UndoLog::Recovery::NoJournal);
  EXPECT_FALSE(fs->Exists(next.JournalPath()));
  EXPECT_EQ(ReadTextLines(*fs, next.Path(), locale).value_or(std::vector<std::u16string>{}),
            (std::vector<std::u16string>{u"/d/b", u"/d/a"}));
}

// A file system that ignores letter case, as the backends see one: a change of case
// goes through a temporary name, each step told first. It stops after a given
// number of its actions, as a process killed there would.
class CaseBlindFs final : public test::ForwardingFileSystem {
 public:
  using ForwardingFileSystem::ForwardingFileSystem;
  using FileSystem::Rename;
  RenameStatus Rename(std::u16string_view from, std::u16string_view to, RenameSteps* steps) override {
    const std::u16string temp = std::u16string(FolderView(from)) + u".renamora-1.tmp";
    const std::function<void()> actions[] = {
        [&] { EXPECT_TRUE(steps->StepStarting(temp, from)); },
        [&] { EXPECT_EQ(Inner().Rename(from, temp), RenameStatus::Ok); },
        [&] { steps->StepDone(temp, from); },
        [&] { EXPECT_TRUE(steps->StepStarting(to, temp)); },
        [&] { EXPECT_EQ(Inner().Rename(temp, to), RenameStatus::Ok); },
        [&] { steps->StepDone(to, temp); },
    };
    for (const auto& action : actions) {
      if (actionsLeft-- <= 0) return RenameStatus::Failed;
      action();
    }
    return RenameStatus::Ok;
  }
  int actionsLeft = 0;
};

// Wherever a run is killed inside a change of case through a temporary name, the
// next start's undo puts back exactly the original name, and nothing else.
TEST_F(UndoJournalTest, AKillInsideACaseChangeThroughATemporaryNameIsTakenBackExactly) {
  constexpr int kActions = 6;
  for (int killAfter = 0; killAfter <= kActions + 1; ++killAfter) {
    SCOPED_TRACE("killed after " + std::to_string(killAfter) + " actions");
    TempFolder work(*fs);
    work.MakeFile(u"a.txt", "alpha");
    work.MakeFile(u"hard_a.txt", "another file");
    CaseBlindFs blind(*fs);
    blind.actionsLeft = killAfter;
    {
      UndoLog log(blind, locale, data.Path());
      ASSERT_TRUE(log.RenameStarting(work / u"A.TXT", work / u"a.txt"));
      const RenameStatus status = blind.Rename(work / u"a.txt", work / u"A.TXT", log.Steps());
      if (killAfter > kActions) {
        ASSERT_EQ(status, RenameStatus::Ok);
        log.RecordUndoPair(work / u"A.TXT", work / u"a.txt");
      }
      // The log is never written: the process dies here.
    }
    UndoLog next(*fs, locale, data.Path());
    static_cast<void>(next.RecoverJournal());
    const auto lines = ReadTextLines(*fs, next.Path(), locale).value_or(std::vector<std::u16string>{});
    for (std::size_t k = lines.size() / 2; k-- > 0;) {
      EXPECT_EQ(fs->Rename(lines[2 * k], lines[2 * k + 1]), RenameStatus::Ok) << ToUtf8Lossy(lines[2 * k]);
    }
    EXPECT_EQ(work.Names(), (std::vector<std::u16string>{u"a.txt", u"hard_a.txt"}));
    EXPECT_EQ(work.Read(u"a.txt"), "alpha");
    if (fs->Exists(next.Path())) {
      EXPECT_TRUE(fs->SetAttributes(next.Path(), kAttrArchive));
      EXPECT_TRUE(fs->DeleteFile(next.Path()));
    }
  }
}

// The pairs a finished case change leaves for the undo log: the item's one pair,
// whether or not it went through a temporary name.
TEST_F(UndoJournalTest, ACaseChangeThroughATemporaryNameLeavesOnePair) {
  TempFolder work(*fs);
  work.MakeFile(u"a.txt", "alpha");
  CaseBlindFs blind(*fs);
  blind.actionsLeft = 6;
  UndoLog log(blind, locale, data.Path());
  ASSERT_TRUE(log.RenameStarting(work / u"A.TXT", work / u"a.txt"));
  ASSERT_EQ(blind.Rename(work / u"a.txt", work / u"A.TXT", log.Steps()), RenameStatus::Ok);
  log.RecordUndoPair(work / u"A.TXT", work / u"a.txt");
  ASSERT_EQ(log.Pending().size(), 1u);
  EXPECT_EQ(log.Pending().Current(0), work / u"A.TXT");
  EXPECT_EQ(log.Pending().Previous(0), work / u"a.txt");
  EXPECT_TRUE(log.WritePending());
}

}  // namespace
}  // namespace renamora

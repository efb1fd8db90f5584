// The journal of a run on real folders: what it holds after every way a run can
// stop, and how the next start turns it into the undo log.
#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "core/UndoJournal.h"
#include "core/UndoLog.h"
#include "core/text/TextFile.h"
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
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    {
      UndoJournal journal(*fs, path);
      for (const Step& step : row.steps) {
        if (step.kind == Step::Start) {
          journal.Starting(step.current, step.previous);
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
  // Cut anywhere inside the second record: the first one is all there is.
  const std::size_t recordSize = 8 + 2 * (4 + 1 + 4);
  const std::size_t secondStart = 8 + recordSize;
  for (std::size_t cut = secondStart; cut < secondStart + recordSize; ++cut) {
    SCOPED_TRACE(cut);
    const auto content = ReadJournal(std::string_view(whole).substr(0, cut));
    ASSERT_TRUE(content.has_value());
    EXPECT_EQ(content->Done, (Pairs{{u"/d/b", u"/d/a"}}));
  }
  EXPECT_FALSE(ReadJournal("not a journal").has_value());
  EXPECT_FALSE(ReadJournal("").has_value());
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
      log.RenameStarting(to, from);
      ASSERT_EQ(fs->Rename(from, to), RenameStatus::Ok);
      log.RecordUndoPair(to, from);
    }
    log.RenameStarting(photos / u"xc.jpg", photos / u"c.jpg");
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
  log.RenameStarting(u"/nowhere/b", u"/nowhere/a");
  EXPECT_TRUE(log.WritePending());
  EXPECT_FALSE(fs->Exists(log.JournalPath()));
  EXPECT_FALSE(fs->Exists(log.Path()));

  log.RenameStarting(u"/d/b", u"/d/a");
  log.RecordUndoPair(u"/d/b", u"/d/a");
  EXPECT_TRUE(fs->Exists(log.JournalPath()));
  EXPECT_TRUE(log.WritePending());
  EXPECT_FALSE(fs->Exists(log.JournalPath()));
  EXPECT_TRUE(fs->Exists(log.Path()));

  // A journal without a done pair (killed inside the first rename, which never
  // happened) keeps the log of the run before.
  { UndoLog(*fs, locale, data.Path()).RenameStarting(data / u"new", data / u"old"); }
  UndoLog next(*fs, locale, data.Path());
  EXPECT_EQ(next.RecoverJournal(), UndoLog::Recovery::NoJournal);
  EXPECT_FALSE(fs->Exists(next.JournalPath()));
  EXPECT_EQ(ReadTextLines(*fs, next.Path(), locale).value_or(std::vector<std::u16string>{}),
            (std::vector<std::u16string>{u"/d/b", u"/d/a"}));
}

}  // namespace
}  // namespace renamora

// The undo log on real folders: its bytes and attributes, when it is replaced, and
// the Undo command taking renames back, up to a whole rename run and back again.
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <optional>
#include <ostream>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "base/Paths.h"
#include "base/text/Utf.h"
#include "core/TextFile.h"
#include "core/UndoJournal.h"
#include "core/UndoLog.h"
#include "support/Fakes.h"
#include "support/ForwardingFileSystem.h"
#include "support/TableLocale.h"
#include "support/TempFolder.h"

namespace renamora {

static void PrintTo(const UndoResult& r, std::ostream* os) {
  *os << "{outcome " << int(r.Outcome) << ", restored " << r.Restored << ", skipped " << r.Skipped << "}";
}

namespace {

using test::TempFolder;
using Names = std::vector<std::u16string>;
using Moves = std::vector<std::pair<std::u16string, std::u16string>>;

// Refuses to replace or delete a read-only file, as Windows does, so that the POSIX
// build proves as well that the log is unlocked before it is rewritten or deleted.
class ReadOnlyGuardFs final : public test::ForwardingFileSystem {
 public:
  using ForwardingFileSystem::ForwardingFileSystem;
  bool DeleteFile(std::u16string_view path) override {
    return !Locked(path) && path != undeletable && Inner().DeleteFile(path);
  }
  // A file that another program holds open, so that it cannot be deleted.
  std::u16string undeletable;
  bool WriteFile(std::u16string_view path, std::string_view bytes) override {
    return !Locked(path) && Inner().WriteFile(path, bytes);
  }

 private:
  bool Locked(std::u16string_view path) {
    auto e = Inner().Stat(path);
    return e && (e->attributes & kAttrReadOnly);
  }
};

class FakeMainWindow : public UndoMainWindow {
 public:
  bool ShowsChosenFiles() const override { return chosenFiles; }
  std::u16string FolderBoxText() const override { return folderBox; }
  void EmptyList() override { events.push_back(u"empty"); }
  void ReloadList() override { events.push_back(u"reload"); }
  void ShowStatus(std::u16string_view text) override { events.push_back(u"status " + std::u16string(text)); }

  bool chosenFiles = false;
  std::u16string folderBox;
  std::vector<std::u16string> events;
};

const std::u16string kCompleted = u"status UNDO COMPLETED! Previous filenames have been restored.";

class UndoLogTest : public testing::Test {
 protected:
  UndoLogTest() {
    data.MakeFolder(u"Undos");
    observer.stop = &stop;
  }
  UndoServices Services() { return {prompter, texts, observer, list, mainWindow, host, stop, options}; }
  UndoResult RunUndo() { return log.Undo(Services()); }
  std::string LogBytes() {
    auto bytes = fs.ReadFile(log.Path());
    return bytes ? *bytes : "<missing>";
  }
  bool LogReadOnly() {
    auto e = fs.Stat(log.Path());
    return e && (e->attributes & kAttrReadOnly);
  }
  // Renames as a run does, and records the pair.
  void Move(const TempFolder& folder, const std::u16string& from, const std::u16string& to) {
    ASSERT_EQ(fs.Rename(folder / from, folder / to), RenameStatus::Ok) << ToUtf8Lossy(from);
    log.RecordUndoPair(folder / to, folder / from);
  }
  // Files named like their content.
  void MakeFiles(TempFolder& folder, const Names& files) {
    for (const auto& f : files) folder.MakeFile(f, ToUtf8Lossy(f));
  }

  std::unique_ptr<FileSystem> system = MakeSystemFileSystem();
  ReadOnlyGuardFs fs{*system};
  TempFolder data{fs};
  // A code page that holds ASCII only, so that any other character must take the
  // byte-order-mark form.
  test::TableLocale locale{test::CodePage::Ascii};
  UndoLog log{fs, locale, WithTrailingSeparator(data.Path())};
  StringTable texts;
  test::RecordingPrompter prompter;
  test::RecordingObserver observer;
  test::FakeTargetList list;
  FakeMainWindow mainWindow;
  test::RecordingHost host;
  StopRequest stop;
  RunOptions options;
};

TEST_F(UndoLogTest, PairsAreWrittenAsCurrentThenPreviousLines) {
  struct Row {
    const char* name;
    std::vector<UndoPair> pairs;
    std::string bytes;
  };
  const Row rows[] = {
      {"one pair",
       {{u"C:\\Photos\\Holiday 001.jpg", u"C:\\Photos\\IMG_0001.jpg"}},
       "C:\\Photos\\Holiday 001.jpg\r\nC:\\Photos\\IMG_0001.jpg\r\n"},
      {"pairs in the order recorded",
       {{u"/d/c", u"/d/b"}, {u"/d/b", u"/d/a"}, {u"/e/z", u"/e/y"}},
       "/d/c\r\n/d/b\r\n/d/b\r\n/d/a\r\n/e/z\r\n/e/y\r\n"},
      {"a name outside the code page",
       {{u"/d/Caf\u00e9.txt", u"/d/cafe.txt"}, {u"/d/x", u"/d/y"}},
       "\xEF\xBB\xBF/d/Caf\xC3\xA9.txt\r\n/d/cafe.txt\r\n/d/x\r\n/d/y\r\n"},
  };
  // The rows share one log, so each write also replaces a read-only file.
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    Names lines;
    for (const auto& p : row.pairs) {
      log.RecordUndoPair(p.CurrentPath, p.PreviousPath);
      lines.push_back(p.CurrentPath);
      lines.push_back(p.PreviousPath);
    }
    EXPECT_TRUE(log.WritePending());
    EXPECT_EQ(LogBytes(), row.bytes);
    EXPECT_TRUE(LogReadOnly());
    EXPECT_EQ(log.PendingUndoPairs(), 0u);
    EXPECT_EQ(ReadTextLines(fs, log.Path(), locale).value_or(Names{}), lines);
  }
}

TEST_F(UndoLogTest, TheLogIsReplacedOnlyByAWriteOfPairs) {
  const std::string oldLog = "/old/b\r\n/old/a\r\n";
  struct Row {
    const char* name;
    bool logBefore;
    std::function<void(UndoLog&)> action;
    std::string bytes;
    std::size_t pending;
    bool scheduled;
    int timersStarted;
  };
  const Row rows[] = {
      {"nothing pending keeps the old log", true, [](UndoLog& l) { l.FlushNow(); }, oldLog, 0, false, 0},
      {"nothing pending creates no log", false, [](UndoLog& l) { l.FlushNow(); }, "<missing>", 0, false, 0},
      {"two runs before the write land together", true,
       [](UndoLog& l) {
         l.RecordUndoPair(u"/r1/b", u"/r1/a");
         l.RecordUndoPair(u"/r2/b", u"/r2/a");
         l.FlushNow();
       },
       "/r1/b\r\n/r1/a\r\n/r2/b\r\n/r2/a\r\n", 0, false, 0},
      {"a scheduled write waits for the timer", true,
       [](UndoLog& l) {
         l.RecordUndoPair(u"/n/b", u"/n/a");
         l.ScheduleFlush();
       },
       oldLog, 1, true, 1},
      {"the timer writes", true,
       [](UndoLog& l) {
         l.RecordUndoPair(u"/n/b", u"/n/a");
         l.ScheduleFlush();
         l.FlushTimerElapsed();
       },
       "/n/b\r\n/n/a\r\n", 0, false, 1},
      {"a single-item record replaces the log and keeps the run's pairs", true,
       [](UndoLog& l) {
         l.RecordUndoPair(u"/n/b", u"/n/a");
         EXPECT_TRUE(l.RecordSingle(u"/one/new", u"/one/old"));
       },
       "/one/new\r\n/one/old\r\n", 1, false, 0},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    fs.SetAttributes(log.Path(), kAttrArchive);
    fs.DeleteFile(log.Path());
    UndoLog rowLog(fs, locale, WithTrailingSeparator(data.Path()));
    int timersStarted = 0;
    rowLog.onFlushScheduled = [&] { ++timersStarted; };
    if (row.logBefore) {
      EXPECT_TRUE(rowLog.RecordSingle(u"/old/b", u"/old/a"));
    }
    row.action(rowLog);
    EXPECT_EQ(LogBytes(), row.bytes);
    EXPECT_EQ(rowLog.PendingUndoPairs(), row.pending);
    EXPECT_EQ(rowLog.FlushScheduled(), row.scheduled);
    EXPECT_EQ(timersStarted, row.timersStarted);
    EXPECT_EQ(rowLog.UndoLogExists(), row.bytes != "<missing>");
    EXPECT_EQ(LogReadOnly(), rowLog.UndoLogExists());
  }
}

TEST_F(UndoLogTest, AFailedWriteKeepsThePairsPending) {
  TempFolder blocked(fs);
  blocked.MakeFile(u"Undos", "a file where the folder should be");
  UndoLog blockedLog(fs, locale, WithTrailingSeparator(blocked.Path()));
  blockedLog.RecordUndoPair(u"/b", u"/a");
  EXPECT_FALSE(blockedLog.WritePending());
  EXPECT_EQ(blockedLog.PendingUndoPairs(), 1u);
  EXPECT_FALSE(blockedLog.UndoLogExists());
}

TEST_F(UndoLogTest, UndoRenamesBackNewestFirstAndSkipsWhatFails) {
  struct Row {
    const char* name;
    Names files;       // created with their own path as content
    Moves renames;     // the run, in order
    Names goneByHand;  // deleted after the run
    Names madeByHand;  // created after the run
    Names expected;    // top-level names after the undo
    Moves contents;    // path, content after the undo
    int restored, skipped;
  };
  const Row rows[] = {
      {"one file", {u"x"}, {{u"x", u"y"}}, {}, {}, {u"x"}, {{u"x", u"x"}}, 1, 0},
      {"b to c, then a to b",
       {u"a", u"b"},
       {{u"b", u"c"}, {u"a", u"b"}},
       {},
       {},
       {u"a", u"b"},
       {{u"a", u"a"}, {u"b", u"b"}},
       2,
       0},
      {"a swap through a free name",
       {u"a", u"b"},
       {{u"a", u"t"}, {u"b", u"a"}, {u"t", u"b"}},
       {},
       {},
       {u"a", u"b"},
       {{u"a", u"a"}, {u"b", u"b"}},
       3,
       0},
      {"an item deleted by hand", {u"x", u"z"}, {{u"x", u"y"}, {u"z", u"w"}}, {u"w"}, {}, {u"x"}, {{u"x", u"x"}}, 1, 1},
      {"the old name taken by hand",
       {u"x"},
       {{u"x", u"y"}},
       {},
       {u"x"},
       {u"x", u"y"},
       {{u"x", u"by hand"}, {u"y", u"x"}},
       0,
       1},
      {"a folder", {u"d/in"}, {{u"d", u"e"}}, {}, {}, {u"d"}, {{u"d/in", u"d/in"}}, 1, 0},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    TempFolder work(fs);
    MakeFiles(work, row.files);
    for (const auto& [from, to] : row.renames) Move(work, from, to);
    ASSERT_TRUE(log.WritePending());
    for (const auto& f : row.goneByHand) fs.DeleteFile(work / f);
    for (const auto& f : row.madeByHand) work.MakeFile(f, "by hand");
    mainWindow.events.clear();

    const UndoResult result = RunUndo();
    const UndoOutcome outcome = row.skipped > 0 ? UndoOutcome::Incomplete : UndoOutcome::Completed;
    EXPECT_EQ(result, (UndoResult{outcome, row.restored, row.skipped, {}}));
    EXPECT_EQ(work.Names(), row.expected);
    for (const auto& [path, content] : row.contents) EXPECT_EQ(work.Read(path), ToUtf8Lossy(content));
    // The pairs not restored stay in the log, and only they, so that an undo once
    // the user has put things right takes back the rest; completion is claimed
    // only when every pair came back.
    Names failedLines;
    for (const UndoFailure& f : result.Failures) {
      failedLines.push_back(f.CurrentPath);
      failedLines.push_back(f.PreviousPath);
    }
    EXPECT_EQ(ReadTextLines(fs, log.Path(), locale).value_or(Names{}), failedLines);
    EXPECT_EQ(mainWindow.events.back() == kCompleted, row.skipped == 0);
  }
}

TEST_F(UndoLogTest, UndoThatChangesNothing) {
  struct Row {
    const char* name;
    PromptAnswer answer;
    bool logThere;
    UndoOutcome outcome;
  };
  const Row rows[] = {
      {"question answered No", PromptAnswer::No, true, UndoOutcome::Declined},
      {"log gone before Yes was clicked", PromptAnswer::Yes, false, UndoOutcome::NoLog},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    TempFolder work(fs);
    MakeFiles(work, {u"x"});
    Move(work, u"x", u"y");
    log.FlushNow();
    if (!row.logThere) {
      fs.SetAttributes(log.Path(), kAttrArchive);
      fs.DeleteFile(log.Path());
    }
    const std::string before = LogBytes();
    prompter.shown.clear();
    prompter.answers = {row.answer};

    EXPECT_EQ(RunUndo().Outcome, row.outcome);
    ASSERT_EQ(prompter.shown.size(), 1u);
    EXPECT_EQ(prompter.shown[0].icon, PromptIcon::Question);
    EXPECT_EQ(prompter.shown[0].buttons, PromptButtons::YesNo);
    EXPECT_EQ(prompter.shown[0].caption, u"Undo Confirmation");
    EXPECT_EQ(prompter.shown[0].text, u"Do you want to UNDO the last rename operation?");
    EXPECT_EQ(work.Names(), Names{u"y"});
    EXPECT_EQ(LogBytes(), before);
    EXPECT_TRUE(mainWindow.events.empty());
    EXPECT_TRUE(host.events.empty());
  }
}

TEST_F(UndoLogTest, MoreThanSixtyLinesRunInTheProgressWindow) {
  struct Row {
    int pairs;
    int progressJobs;
    std::vector<std::size_t> batches;
  };
  const Row rows[] = {{30, 0, {}}, {31, 1, {31}}};
  for (const auto& row : rows) {
    SCOPED_TRACE(row.pairs);
    observer = test::RecordingObserver();
    TempFolder work(fs);
    for (int i = 0; i < row.pairs; ++i) {
      const std::u16string name = U16("f" + std::to_string(100 + i));
      work.MakeFile(name);
      Move(work, name, u"g" + name);
    }
    log.FlushNow();
    EXPECT_EQ(RunUndo(), (UndoResult{UndoOutcome::Completed, row.pairs, 0, {}}));
    EXPECT_EQ(observer.progressJobs, row.progressJobs);
    EXPECT_EQ(observer.batches, row.batches);
    if (row.progressJobs > 0) {
      ASSERT_EQ(observer.renamed.size(), std::size_t(row.pairs));
      // The window shows names, newest pair first.
      EXPECT_EQ(observer.renamed.front(), U16("f" + std::to_string(100 + row.pairs - 1)));
    } else {
      EXPECT_TRUE(observer.renamed.empty());
    }
  }
}

TEST_F(UndoLogTest, AStoppedUndoKeepsTheLogForALaterOne) {
  TempFolder work(fs);
  Names original;
  for (int i = 0; i < 40; ++i) {
    const std::u16string name = U16("f" + std::to_string(100 + i));
    original.push_back(name);
    work.MakeFile(name);
    Move(work, name, u"g" + name);
  }
  log.FlushNow();
  const std::string logBefore = LogBytes();

  observer.stopAfter = 5;
  EXPECT_EQ(RunUndo(), (UndoResult{UndoOutcome::Stopped, 5, 0, {}}));
  // The log keeps the 35 pairs not taken back, as they were.
  const std::size_t keptBytes = logBefore.size() * 35 / 40;
  EXPECT_EQ(LogBytes(), logBefore.substr(0, keptBytes));
  EXPECT_TRUE(LogReadOnly());
  EXPECT_FALSE(stop.IsSet());
  EXPECT_EQ(work.Read(u"f139"), "");
  EXPECT_EQ(work.Read(u"f134"), "<missing>");

  // Also a stop set before it starts belongs to another job.
  observer.stopAfter = 0;
  stop.Set();
  EXPECT_EQ(RunUndo(), (UndoResult{UndoOutcome::Completed, 35, 0, {}}));
  EXPECT_EQ(work.Names(), original);
  EXPECT_FALSE(log.UndoLogExists());
}

// A Cancel that arrives with the last pair has nothing left to stop: the undo is
// complete and its log goes, rather than waiting for an undo that has nothing to do.
TEST_F(UndoLogTest, AStopAfterTheLastPairCompletesTheUndo) {
  TempFolder work(fs);
  for (int i = 0; i < 40; ++i) {
    const std::u16string name = U16("f" + std::to_string(100 + i));
    work.MakeFile(name);
    Move(work, name, u"g" + name);
  }
  log.FlushNow();
  observer.stopAfter = 40;
  EXPECT_EQ(RunUndo(), (UndoResult{UndoOutcome::Completed, 40, 0, {}}));
  EXPECT_FALSE(log.UndoLogExists());
  EXPECT_EQ(work.Names().front(), u"f100");
}

TEST_F(UndoLogTest, TheEndOfAnUndoFollowsTheOptions) {
  struct Row {
    bool endsound, options3;
    std::vector<std::string> hostEvents;
    Names mainEvents;
  };
  const Row rows[] = {
      {true, true, {"sound"}, {u"reload", kCompleted}},
      {false, true, {}, {u"reload", kCompleted}},
      {true, false, {"sound"}, {u"empty", u"reload", kCompleted}},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(testing::Message() << row.endsound << row.options3);
    TempFolder work(fs);
    MakeFiles(work, {u"x"});
    Move(work, u"x", u"y");
    log.FlushNow();
    options.Endsound = row.endsound;
    options.Options3 = row.options3;
    host.events.clear();
    mainWindow.events.clear();
    RunUndo();
    EXPECT_EQ(host.events, row.hostEvents);
    EXPECT_EQ(mainWindow.events, row.mainEvents);
  }
}

TEST_F(UndoLogTest, ListItemsShowTheRestoredNames) {
  struct Row {
    const char* name;
    bool chosenFiles;
    std::u16string folderBox;  // "%" stands for the folder and its separator
    Names items, expected;     // likewise
    bool goneByHand;
  };
  const Row rows[] = {
      {"chosen files hold full paths", true, u"", {u"%other", u"%y"}, {u"%other", u"%x"}, false},
      {"chosen files match the full path only", true, u"", {u"y"}, {u"y"}, false},
      {"folder view holds names", false, u"%", {u"y", u"other"}, {u"x", u"other"}, false},
      {"only the match nearest the end", false, u"%", {u"y", u"y"}, {u"y", u"x"}, false},
      {"another folder's listing", false, u"/elsewhere/", {u"y"}, {u"y"}, false},
      {"a skipped pair changes no item", false, u"%", {u"y"}, {u"y"}, true},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    TempFolder work(fs);
    const std::u16string folder = WithTrailingSeparator(work.Path());
    auto expand = [&](std::u16string text) {
      if (text.starts_with(u"%")) text.replace(0, 1, folder);
      return text;
    };
    MakeFiles(work, {u"x"});
    Move(work, u"x", u"y");
    log.FlushNow();
    if (row.goneByHand) fs.DeleteFile(work / u"y");
    mainWindow.chosenFiles = row.chosenFiles;
    mainWindow.folderBox = expand(row.folderBox);
    list.items.clear();
    for (const auto& item : row.items) list.items.push_back({expand(item), true});
    RunUndo();
    Names shown;
    for (const auto& item : list.items) shown.push_back(item.text);
    Names expected;
    for (const auto& item : row.expected) expected.push_back(expand(item));
    EXPECT_EQ(shown, expected);
  }
}

TEST_F(UndoLogTest, UndoRightAfterARunTakesBackThatRun) {
  TempFolder work(fs);
  MakeFiles(work, {u"p", u"r"});
  Move(work, u"p", u"q");
  log.FlushNow();
  Move(work, u"r", u"s");
  log.ScheduleFlush();

  EXPECT_EQ(RunUndo(), (UndoResult{UndoOutcome::Completed, 1, 0, {}}));
  EXPECT_EQ(work.Names(), (Names{u"q", u"r"}));
  // The timer still fires later, with nothing left to write.
  log.FlushTimerElapsed();
  EXPECT_FALSE(log.UndoLogExists());
}

// A real rename run records into the log, the deferred write lands, and Undo puts
// the disk back as it was.
TEST(UndoLogRun, ARenameRunIsTakenBackWhole) {
  test::EngineWorld world;
  TempFolder dir(*world.fs);
  TempFolder data(*world.fs);
  data.MakeFolder(u"Undos");
  UndoLog log(*world.fs, *world.locale, WithTrailingSeparator(data.Path()));
  world.sinkOverride = &log;
  dir.MakeFile(u"xa.txt", "a");
  dir.MakeFile(u"xb.txt", "b");
  dir.MakeFile(u"c.txt", "c");
  dir.MakeFolder(u"xsub");
  world.program.TargetFolder = WithTrailingSeparator(dir.Path());
  EditRequest request;
  request.Mode = std::u16string(EditMode::kRemove);
  world.program.CurrentMode = request.Mode;
  request.Remove.RemoveKind = RemoveChoice::RemoveStrings;
  request.Remove.Strings = {u"x", u"", u""};
  world.Engine().RenameCommand(request);
  ASSERT_EQ(dir.Names(), (Names{u"a.txt", u"b.txt", u"c.txt", u"xsub"}));
  EXPECT_TRUE(log.FlushScheduled());
  EXPECT_FALSE(log.UndoLogExists());

  log.FlushTimerElapsed();
  ASSERT_TRUE(log.UndoLogExists());
  FakeMainWindow mainWindow;
  const UndoResult result = log.Undo(
      {world.prompter, world.texts, world.observer, world.list, mainWindow, world.host, world.run.Stop, world.options});
  EXPECT_EQ(result, (UndoResult{UndoOutcome::Completed, 2, 0, {}}));
  EXPECT_EQ(dir.Names(), (Names{u"c.txt", u"xa.txt", u"xb.txt", u"xsub"}));
  EXPECT_EQ(dir.Read(u"xa.txt"), "a");
  EXPECT_EQ(dir.Read(u"xb.txt"), "b");
  EXPECT_FALSE(log.UndoLogExists());
}

// Where the log or the journal cannot be written or removed, nothing claims more
// than the disk holds: an undo does not take back the run before the last one, a
// journal that cannot go is not recovered as if it had, and a journal discarded
// after the log write holds no pairs even when it stays.
TEST_F(UndoLogTest, ALogOrJournalThatCannotBeWrittenOrRemovedIsNeverTrustedBeyondWhatItHolds) {
  TempFolder work(fs);
  MakeFiles(work, {u"a", u"b"});
  const std::u16string journal = log.JournalPath();

  // The last run's pairs cannot reach the log: the undo touches nothing.
  data.MakeFolder(u"Undos/rollback.rbk");
  ASSERT_TRUE(log.RenameStarting(work / u"x", work / u"a"));
  Move(work, u"a", u"x");
  EXPECT_EQ(RunUndo().Outcome, UndoOutcome::Unwritten);
  EXPECT_EQ(work.Names(), (Names{u"b", u"x"}));
  ASSERT_TRUE(fs.DeleteFolder(data / u"Undos/rollback.rbk"));

  // The pairs are written, but the journal cannot be deleted: it no longer holds them.
  fs.undeletable = journal;
  ASSERT_TRUE(log.WritePending());
  ASSERT_TRUE(fs.Exists(journal));
  EXPECT_TRUE(ReadJournal(*fs.ReadFile(journal)).value().Done.empty());
  UndoLog afterwards(fs, locale, WithTrailingSeparator(data.Path()));
  EXPECT_EQ(afterwards.RecoverJournal(), UndoLog::Recovery::NoJournal);
  fs.undeletable.clear();
  ASSERT_TRUE(fs.DeleteFile(journal));

  // A killed run's journal that cannot be deleted once its pairs are in the log.
  {
    UndoLog killed(fs, locale, WithTrailingSeparator(data.Path()));
    ASSERT_TRUE(killed.RenameStarting(work / u"y", work / u"b"));
    ASSERT_EQ(fs.Rename(work / u"b", work / u"y"), RenameStatus::Ok);
    killed.RecordUndoPair(work / u"y", work / u"b");
  }
  fs.undeletable = journal;
  EXPECT_EQ(afterwards.RecoverJournal(), UndoLog::Recovery::Failed);
  fs.undeletable.clear();
}

}  // namespace
}  // namespace renamora

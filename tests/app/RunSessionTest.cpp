// The run session: the data folder's lock with the recovery of a left journal, and the services it hands out.
#include "app/RunSession.h"

#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <string>

#include "app/StringTable.h"
#include "base/Paths.h"
#include "support/Fakes.h"
#include "support/TableLocale.h"
#include "support/TempFolder.h"

namespace renamora {
namespace {

TEST(RunSessionTest, HoldingTheDataFolderRecoversALeftJournalAndRefusesASecondHolder) {
  auto fs = MakeSystemFileSystem();
  auto clock = MakeSystemClock();
  test::TableLocale locale;
  enum class Before { Nothing, KilledRun, OtherSession };
  struct Row {
    const char* name;
    Before before;
    DataFolderStatus status;
    bool recovered;
    std::size_t pairs;
  };
  const Row rows[] = {
      {"fresh data folder", Before::Nothing, DataFolderStatus::Ready, false, 0},
      {"a run was killed after one rename", Before::KilledRun, DataFolderStatus::Ready, true, 1},
      {"another session holds it", Before::OtherSession, DataFolderStatus::LockBusy, false, 0},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    test::TempFolder data(*fs);
    data.MakeFolder(u"Undos");
    data.MakeFile(u"a.txt");
    const std::u16string folder = WithTrailingSeparator(data.Path());
    std::optional<RunSession> other;
    if (row.before == Before::KilledRun) {
      UndoLog killed(*fs, locale, folder);
      ASSERT_TRUE(killed.RenameStarting(data / u"b.txt", data / u"a.txt"));
      ASSERT_EQ(fs->Rename(data / u"a.txt", data / u"b.txt"), RenameStatus::Ok);
      killed.RecordUndoPair(data / u"b.txt", data / u"a.txt");
    } else if (row.before == Before::OtherSession) {
      other.emplace(*fs, locale, *clock, folder);
      ASSERT_EQ(other->HoldDataFolder().status, DataFolderStatus::Ready);
    }
    RunSession session(*fs, locale, *clock, folder);
    const DataFolderHold hold = session.HoldDataFolder();
    EXPECT_EQ(hold.status, row.status);
    EXPECT_EQ(hold.recovered, row.recovered);
    EXPECT_EQ(hold.recoveredPairs, row.pairs);
    EXPECT_EQ(session.HoldsDataFolder(), row.status == DataFolderStatus::Ready);
    EXPECT_EQ(session.Undo().UndoLogExists(), row.recovered);
    EXPECT_FALSE(fs->Exists(session.Undo().JournalPath()));
  }
}

TEST(RunSessionTest, ServicesProtectTheDataFolderAndRecordIntoTheSession) {
  auto fs = MakeSystemFileSystem();
  auto clock = MakeSystemClock();
  test::TableLocale locale;
  test::TempFolder data(*fs);
  const std::u16string folder = WithTrailingSeparator(data.Path());
  RunSession session(*fs, locale, *clock, folder);
  test::RecordingPrompter prompter;
  test::RecordingObserver observer;
  test::FakeTargetList list;
  test::RecordingHost host;
  ProgramState program;
  SpecialStringSettings special;
  RunOptions options;
  const RunWindows windows{StringTable::BuiltIn(), prompter, observer, list, host, program, special, options};
  struct Row {
    const char* name;
    bool historyLoaded;
  };
  for (const Row& row : {Row{"before the history is read", false}, Row{"after", true}}) {
    SCOPED_TRACE(row.name);
    if (row.historyLoaded) session.LoadHistory(10);
    const RunServices services = session.Services(windows);
    EXPECT_EQ(services.protectedFolder, folder);
    EXPECT_EQ(&services.sink, &session.Undo());
    EXPECT_EQ(&services.run, &session.Run());
    EXPECT_EQ(services.history != nullptr, row.historyLoaded);
  }
}

}  // namespace
}  // namespace renamora

// The desktop program writes the undo log on a timer after the run: when that write
// fails, the run's pairs must still reach the log before anything can take them
// back, so that no rename becomes impossible to undo.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "base/Paths.h"
#include "core/UndoLog.h"
#include "support/Fakes.h"
#include "support/FaultyFileSystem.h"
#include "support/TempFolder.h"

namespace renamora {
namespace {

using test::FaultyCall;
using test::TempFolder;
using Names = std::vector<std::u16string>;

class NoMainWindow final : public UndoMainWindow {
 public:
  bool ShowsChosenFiles() const override { return false; }
  std::u16string FolderBoxText() const override { return {}; }
  void EmptyList() override {}
  void ReloadList() override {}
  void ShowStatus(std::u16string_view) override {}
};

TEST(DeferredUndoWrite, PairsOfAFailedTimerWriteAreWrittenBeforeAnUndo) {
  struct Row {
    const char* label;
    bool secondRun;  // another run ends (and its timer write succeeds) before the undo
    int restored;
  };
  const Row rows[] = {
      {"the undo right after the failed write", false, 3},
      {"a second run whose write succeeds", true, 5},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.label);
    // Declared before the world, whose file system wraps it.
    std::unique_ptr<FileSystem> real = MakeSystemFileSystem();
    test::EngineWorld world;
    auto owned = std::make_unique<test::FaultyFileSystem>(*real);
    test::FaultyFileSystem& faulty = *owned;
    world.fs = std::move(owned);
    TempFolder data(*real), first(*real), second(*real);
    data.MakeFolder(u"Undos");
    UndoLog log(faulty, *world.locale, WithTrailingSeparator(data.Path()));
    world.sinkOverride = &log;
    for (const char16_t* name : {u"xa.txt", u"xb.txt", u"xc.txt"}) first.MakeFile(name, "1");
    for (const char16_t* name : {u"xd.txt", u"xe.txt"}) second.MakeFile(name, "2");

    auto removeX = [&](const TempFolder& folder) {
      world.program.TargetFolder = WithTrailingSeparator(folder.Path());
      EditRequest request;
      request.Mode = std::u16string(EditMode::kRemove);
      world.program.CurrentMode = request.Mode;
      request.Remove.Strings = {u"x", u"", u""};
      world.Engine().RenameCommand(request);
      ASSERT_TRUE(log.FlushScheduled());
    };
    removeX(first);
    faulty.Arm(FaultyCall::Write, test::Fault::From(1));
    log.FlushTimerElapsed();
    faulty.Disarm(FaultyCall::Write);
    ASSERT_EQ(faulty.FailedPaths(FaultyCall::Write), (Names{log.Path()}));
    EXPECT_EQ(log.PendingUndoPairs(), 3u);
    if (row.secondRun) {
      removeX(second);
      log.FlushTimerElapsed();
      EXPECT_EQ(log.PendingUndoPairs(), 0u);
    }

    NoMainWindow mainWindow;
    const UndoResult result = log.Undo({world.prompter, world.texts, world.observer, world.list, mainWindow, world.host,
                                        world.run.Stop, world.options});
    EXPECT_EQ(result.Restored, row.restored);
    EXPECT_EQ(result.Skipped, 0);
    EXPECT_EQ(first.Names(), (Names{u"xa.txt", u"xb.txt", u"xc.txt"}));
    EXPECT_EQ(second.Names(), (Names{u"xd.txt", u"xe.txt"}));
    EXPECT_FALSE(log.UndoLogExists());
  }
}

}  // namespace
}  // namespace renamora

// The edit window's commands: the data folder held while a run's pairs wait for the undo log, and listings beside it.
#include "ui/edit/EditCommands.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "app/StringTable.h"
#include "base/Paths.h"
#include "core/UndoLog.h"
#include "support/Fakes.h"
#include "support/TableLocale.h"
#include "support/TempFolder.h"

namespace renamora::ui {
namespace {

class ScriptedChooser final : public SaveFileChooser {
 public:
  std::optional<std::u16string> ChooseSaveFile(std::u16string_view) override { return answer; }
  std::optional<std::u16string> answer;
};

class NoOpener final : public FileOpener {
 public:
  void OpenFile(std::u16string_view path) override { opened.emplace_back(path); }
  std::vector<std::u16string> opened;
};

// One program's worth of edit commands over a temp folder with a data folder beside it.
struct EditWorld {
  EditWorld() {
    data.MakeFolder(u"Undos");
    target.MakeFile(u"ab_x.txt");
    target.MakeFile(u"cd_x.txt");
    program.TargetFolder = WithTrailingSeparator(target.Path());
    program.CurrentMode = EditMode::kRemove;
  }
  std::u16string DataFolder() const { return WithTrailingSeparator(data.Path()); }
  EditRequest RemoveRequest(std::u16string_view what) const {
    EditRequest request;
    request.Mode = EditMode::kRemove;
    request.Remove.Strings[0] = std::u16string(what);
    return request;
  }
  // Whether a second program could take the data folder now.
  bool DataFolderFree() {
    RunSession other(*fs, locale, *clock, DataFolder());
    return other.HoldDataFolder().status == DataFolderStatus::Ready;
  }

  std::unique_ptr<FileSystem> fs = MakeSystemFileSystem();
  std::unique_ptr<Clock> clock = MakeSystemClock();
  test::TableLocale locale;
  test::TempFolder data{*fs};
  test::TempFolder target{*fs};
  test::RecordingPrompter prompter;
  test::RecordingObserver progress;
  test::FakeTargetList list;
  test::RecordingHost host;
  ProgramState program;
  RunSession session{*fs, locale, *clock, DataFolder()};
  SpecialStringSettings special;
  ScriptedChooser chooser;
  NoOpener opener;
  EditCommands commands{{*fs, locale, *clock, StringTable::BuiltIn(), prompter, progress, list, host, program, session,
                         special, chooser, opener}};
};

TEST(EditCommandsTest, ARunHoldsTheDataFolderUntilItsPairsAreInTheUndoLog) {
  EditWorld w;
  EditRequest request = w.RemoveRequest(u"_x");
  w.commands.Rename(request);

  EXPECT_TRUE(w.fs->IsFile(w.target / u"ab.txt"));
  EXPECT_TRUE(w.fs->IsFile(w.target / u"cd.txt"));
  EXPECT_EQ(w.session.Run().Counters.Renamed, 2);
  // Waiting for the deferred write: the journal keeps the pairs, nobody else may run.
  EXPECT_FALSE(w.session.Undo().UndoLogExists());
  EXPECT_TRUE(w.fs->IsFile(w.session.Undo().JournalPath()));
  EXPECT_FALSE(w.DataFolderFree());

  w.commands.UndoLogTimerFired();
  EXPECT_TRUE(w.session.Undo().UndoLogExists());
  EXPECT_FALSE(w.fs->Exists(w.session.Undo().JournalPath()));
  EXPECT_TRUE(w.DataFolderFree());
}

TEST(EditCommandsTest, ASecondRunBeforeTheDeferredWriteLeavesTheLogWithTheLaterRunOnly) {
  EditWorld w;
  EditRequest first = w.RemoveRequest(u"_x");
  w.commands.Rename(first);
  EditRequest second = w.RemoveRequest(u"a");
  w.commands.Rename(second);
  ASSERT_TRUE(w.fs->IsFile(w.target / u"b.txt"));
  w.commands.UndoLogTimerFired();

  test::RecordingPrompter undoPrompter;
  test::RecordingObserver undoObserver;
  class NoMainWindow final : public UndoMainWindow {
   public:
    bool ShowsChosenFiles() const override { return false; }
    std::u16string FolderBoxText() const override { return {}; }
    void EmptyList() override {}
    void ReloadList() override {}
    void ShowStatus(std::u16string_view) override {}
  } mainWindow;
  StopRequest stop;
  const RunOptions options;
  const UndoResult result = w.session.Undo().Undo(
      {undoPrompter, StringTable::BuiltIn(), undoObserver, w.list, mainWindow, w.host, stop, options});
  EXPECT_EQ(result.Outcome, UndoOutcome::Completed);
  // Only the later run's one rename comes back; the first run's stay as they are.
  EXPECT_EQ(result.Restored, 1);
  EXPECT_TRUE(w.fs->IsFile(w.target / u"ab.txt"));
  EXPECT_TRUE(w.fs->IsFile(w.target / u"cd.txt"));
}

TEST(EditCommandsTest, ARunIsRefusedWhileAnotherProgramHoldsTheDataFolder) {
  EditWorld w;
  RunSession other(*w.fs, w.locale, *w.clock, w.DataFolder());
  ASSERT_EQ(other.HoldDataFolder().status, DataFolderStatus::Ready);
  EditRequest request = w.RemoveRequest(u"_x");
  w.commands.Rename(request);

  EXPECT_TRUE(w.fs->IsFile(w.target / u"ab_x.txt"));
  ASSERT_EQ(w.prompter.shown.size(), 1u);
  EXPECT_NE(w.prompter.shown[0].text.find(u"Another rename or undo"), std::u16string::npos);
}

TEST(EditCommandsTest, PreviewsAndListingsLeaveTheDataFolderFree) {
  EditWorld w;
  EditRequest preview = w.RemoveRequest(u"_x");
  w.commands.Preview(preview);
  EXPECT_EQ(w.session.Preview().Count(), 2u);
  EXPECT_TRUE(w.fs->IsFile(w.target / u"ab_x.txt"));
  EXPECT_TRUE(w.DataFolderFree());

  test::TempFolder out(*w.fs);
  w.chooser.answer = out / u"names";
  w.program.CurrentMode = EditMode::kSaveAll;
  EditRequest save;
  save.Mode = EditMode::kSaveAll;
  w.commands.Rename(save);
  ASSERT_TRUE(w.commands.LastSave().has_value());
  EXPECT_EQ(w.commands.LastSave()->Status, SaveStatus::Saved);
  EXPECT_TRUE(w.fs->IsFile(out / u"names.txt"));
  EXPECT_EQ(w.opener.opened, std::vector<std::u16string>{out / u"names.txt"});
  EXPECT_TRUE(w.DataFolderFree());
}

TEST(EditCommandsTest, ARefusedInputNamesItsBoxAndTouchesNothing) {
  EditWorld w;
  EditRequest request = w.RemoveRequest(u"");
  w.commands.Rename(request);
  EXPECT_EQ(w.commands.LastFocus(), FocusBox::RemoveString1);
  EXPECT_TRUE(w.fs->IsFile(w.target / u"ab_x.txt"));
  EXPECT_TRUE(w.DataFolderFree());
}

}  // namespace
}  // namespace renamora::ui

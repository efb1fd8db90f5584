// The progress and rename error windows as the program makes them: a job inside the
// shown window, Cancel during a job, the real engine and the undo in the window, and
// the error window's names and its check box.
#include "platform/win32/IncludeWindows.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <chrono>
#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "base/Paths.h"
#include "base/text/Utf.h"
#include "core/RenameEngine.h"
#include "core/UndoLog.h"
#include "platform/win32/WideText.h"
#include "support/Fakes.h"
#include "support/TempFolder.h"
#include "ui/ControlIds.h"
#include "ui/win32/ModalSteps.h"
#include "ui/win32/ProgramFixture.h"

namespace renamora::ui::win {
namespace {

using test::TempFolder;

class ProgressViewTest : public ProgramFixture {
 protected:
  HWND Progress() { return program_->ProgressWindow().Handle(); }
  HWND ErrorWindow() { return program_->RenameErrorWindow().Handle(); }
  static std::u16string Text(HWND window, int id) {
    wchar_t buffer[512] = {};
    GetDlgItemTextW(window, id, buffer, 512);
    return FromWide(buffer);
  }
  int BarPosition() { return int(SendDlgItemMessageW(Progress(), IDC_PROG_BAR, PBM_GETPOS, 0, 0)); }
  int BarMaximum() { return int(SendDlgItemMessageW(Progress(), IDC_PROG_BAR, PBM_GETRANGE, FALSE, 0)); }
  void PostClick(HWND window, int id) {
    PostMessageW(window, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(window, id)));
  }
};

TEST_F(ProgressViewTest, JobRunsInTheShownPaintedWindow) {
  struct Row {
    const char* label;
    int items;
    int failures;  // the last items fail and are not counted
  };
  const Row rows[] = {{"ten renamed", 10, 0}, {"three of ten failed", 10, 3}};
  for (const auto& row : rows) {
    SCOPED_TRACE(row.label);
    ProgressController& progress = program_->Progress();
    bool visible = false;
    bool painted = false;
    bool cancelVisible = false;
    int runs = 0;
    progress.RunProgressJob([&] {
      ++runs;
      visible = IsWindowVisible(Progress());
      painted = !GetUpdateRect(Progress(), nullptr, FALSE);
      cancelVisible = IsWindowVisible(GetDlgItem(Progress(), IDC_PROG_CANCEL));
      progress.BatchStarted(std::size_t(row.items));
      for (int i = 0; i < row.items - row.failures; ++i) {
        progress.ItemRenamed(U16("old" + std::to_string(i) + ".txt"), U16("new" + std::to_string(i) + ".txt"));
        progress.PumpEvents();
      }
    });
    EXPECT_EQ(runs, 1);
    EXPECT_TRUE(visible);
    EXPECT_TRUE(painted);
    EXPECT_TRUE(cancelVisible);
    EXPECT_FALSE(IsWindowVisible(Progress()));
    EXPECT_TRUE(IsWindowEnabled(Main()));
    EXPECT_EQ(BarMaximum(), row.items);
    EXPECT_EQ(BarPosition(), row.items - row.failures);
    const std::string last = std::to_string(row.items - row.failures - 1);
    EXPECT_EQ(Text(Progress(), IDC_PROG_OLD_NAME), U16("old" + last + ".txt"));
    EXPECT_EQ(Text(Progress(), IDC_PROG_NEW_NAME), U16("new" + last + ".txt"));
    EXPECT_EQ(Text(Progress(), IDC_PROG_CANCEL), u"Cancel");
  }
}

TEST_F(ProgressViewTest, CancelDuringTheJobStopsItsLoop) {
  struct Row {
    const char* label;
    std::vector<PromptAnswer> answers;  // one click per answer
    bool stopped;
  };
  const Row rows[] = {
      {"Yes", {PromptAnswer::Yes}, true},
      {"No, then Yes", {PromptAnswer::No, PromptAnswer::Yes}, true},
      {"No", {PromptAnswer::No}, false},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.label);
    StopRequest& stop = program_->Session().Run().Stop;
    stop.Clear();
    prompter_.shown.clear();
    prompter_.answers.assign(row.answers.begin(), row.answers.end());
    for (std::size_t i = 0; i < row.answers.size(); ++i) PostClick(Progress(), IDC_PROG_CANCEL);
    ProgressController& progress = program_->Progress();
    // A job that works until it is stopped, for at most half a second.
    const auto limit = std::chrono::steady_clock::now() + std::chrono::milliseconds(500);
    bool sawStop = false;
    progress.RunProgressJob([&] {
      progress.BatchStarted(1000000);
      while (std::chrono::steady_clock::now() < limit) {
        if (stop.IsSet()) {
          sawStop = true;
          break;
        }
        progress.ItemRenamed(u"a", u"b");
        progress.PumpEvents();
      }
    });
    EXPECT_EQ(sawStop, row.stopped);
    EXPECT_EQ(prompter_.shown.size(), row.answers.size());
    EXPECT_FALSE(IsWindowVisible(Progress()));
    stop.Clear();
  }
}

TEST_F(ProgressViewTest, TheEngineRunsTenRenamesInTheWindow) {
  test::EngineWorld world;
  TempFolder dir(*world.fs);
  for (int i = 0; i < 10; ++i) dir.MakeFile(U16("x" + std::to_string(i) + ".txt"), "data");
  world.program.TargetFolder = WithTrailingSeparator(dir.Path());
  EditRequest request;
  request.Mode = std::u16string(EditMode::kRemove);
  world.program.CurrentMode = request.Mode;
  request.Remove.RemoveKind = RemoveChoice::RemoveStrings;
  request.Remove.Strings = {u"x", u"", u""};
  RenameEngine engine(RunServices{*world.fs, *world.locale, *world.clock, world.texts, world.prompter,
                                  program_->Progress(), world.list, world.sink, world.host, world.program, world.run,
                                  world.preview, world.sequences, world.special, world.options});
  engine.RenameCommand(request);
  EXPECT_EQ(dir.Names().size(), 10u);
  EXPECT_TRUE(world.fs->IsFile(dir / u"0.txt"));
  EXPECT_EQ(world.sink.pending.size(), 10u);
  EXPECT_EQ(BarMaximum(), 10);
  EXPECT_EQ(BarPosition(), 10);
  EXPECT_FALSE(IsWindowVisible(Progress()));
}

TEST_F(ProgressViewTest, TheMainWindowsLongUndoRunsInTheWindow) {
  struct Row {
    int pairs;
    int barMaximum;  // the window's bar after the undo; 100 while it was never used
  };
  const Row rows[] = {{30, 100}, {31, 31}};
  for (const auto& row : rows) {
    SCOPED_TRACE(row.pairs);
    TempFolder dir(*fs_);
    {
      const auto locale = MakeSystemLocale();
      UndoLog log(*fs_, *locale, WithTrailingSeparator(home_.Path()));
      for (int i = 0; i < row.pairs; ++i) {
        const std::u16string name = U16("f" + std::to_string(100 + i));
        dir.MakeFile(u"g" + name);
        log.RecordUndoPair(dir / (u"g" + name), dir / name);
      }
      log.FlushNow();
    }
    prompter_.answers = {PromptAnswer::Yes};
    SendMessageW(GetDlgItem(Main(), IDC_MAIN_UNDO), BM_CLICK, 0, 0);
    Pump();
    EXPECT_TRUE(fs_->IsFile(dir / u"f100"));
    EXPECT_TRUE(fs_->IsFile(dir / U16("f" + std::to_string(100 + row.pairs - 1))));
    EXPECT_EQ(BarMaximum(), row.barMaximum);
    EXPECT_EQ(BarPosition(), row.pairs > 30 ? row.pairs : 0);
    EXPECT_FALSE(IsWindowVisible(Progress()));
  }
}

TEST_F(ProgressViewTest, ErrorWindowShowsNamesUntilItsBoxIsTicked) {
  struct Row {
    std::u16string oldPath;
    std::u16string newName;
    bool tick;
    bool shown;
  };
  const Row rows[] = {
      {u"C:\\a\\b.txt", u"c.txt", false, true},
      {u"C:\\a\\d.txt", u"e.txt", true, true},
      {u"C:\\a\\f.txt", u"g.txt", false, false},
  };
  ModalSteps steps;
  for (const auto& row : rows) {
    SCOPED_TRACE(ToUtf8Lossy(row.oldPath));
    bool visible = false;
    std::u16string oldText, newText, reason;
    steps.Then([&] {
      visible = IsWindowVisible(ErrorWindow());
      if (!visible) return;
      oldText = Text(ErrorWindow(), IDC_RENERR_OLD_NAME);
      newText = Text(ErrorWindow(), IDC_RENERR_NEW_NAME);
      reason = Text(ErrorWindow(), IDC_RENERR_REASON);
      if (row.tick) SendDlgItemMessageW(ErrorWindow(), IDC_RENERR_SUPPRESS, BM_CLICK, 0, 0);
      PostClick(ErrorWindow(), IDC_RENERR_OK);
    });
    program_->RenameError().Show(row.oldPath, row.newName);
    Pump();  // a step the window did not take runs now
    EXPECT_EQ(visible, row.shown);
    EXPECT_FALSE(IsWindowVisible(ErrorWindow()));
    if (row.shown) {
      EXPECT_EQ(oldText, NameOf(row.oldPath));
      EXPECT_EQ(newText, row.newName);
      EXPECT_EQ(reason.substr(0, 17), u"Possible reasons:");
    }
  }
}

}  // namespace
}  // namespace renamora::ui::win

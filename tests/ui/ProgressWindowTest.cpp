// The progress window and the rename error window without Win32: the job's start
// and end, the bar's count, the display throttle, Cancel, texts, error suppression.
#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <set>
#include <stdexcept>
#include <string>
#include <vector>

#include "app/StringTable.h"
#include "base/Paths.h"
#include "support/Fakes.h"
#include "ui/ControlIds.h"
#include "ui/edit/ProgressWindow.h"
#include "ui/edit/RenameErrorDialog.h"

namespace renamora::ui {
namespace {

using test::RecordingPrompter;

class TaggedTexts final : public TextLookup {
 public:
  std::u16string Lookup(MessageId id) const override { return tag + StringTable::BuiltIn().Lookup(id); }
  std::u16string tag;
};

class FakeTicks final : public TickSource {
 public:
  std::int64_t Milliseconds() const override { return now; }
  std::int64_t now = 1000;
};

// 'Shows' the window as the view does: once it is up, the job starts from its loop.
class FakeProgressHost final : public ProgressHost {
 public:
  explicit FakeProgressHost(ProgressController& c) : c_(c) {}
  void ShowModal() override {
    ++shows;
    if (c_.TakeStart()) c_.RunStartedJob();
    closedAfterShow = c_.CloseResult().has_value();
  }
  void Refresh() override { shownPositions.push_back(c_.BarPosition()); }
  void Pump() override {
    ++pumps;
    if (onPump) onPump();
  }
  void SetBusyCursor(bool busy) override { cursor.push_back(busy); }

  int shows = 0;
  int pumps = 0;
  bool closedAfterShow = false;
  std::vector<int> shownPositions;
  std::vector<bool> cursor;
  std::function<void()> onPump;

 private:
  ProgressController& c_;
};

struct ProgressWorld {
  ProgressWorld() { c.BindHost(&host); }
  TaggedTexts texts;
  RecordingPrompter prompter;
  StopRequest stop;
  FakeTicks ticks;
  ProgressController c{texts, prompter, stop, ticks};
  FakeProgressHost host{c};
};

TEST(ProgressWindow, BarCountsTheSuccessfulRenames) {
  struct Row {
    const char* label;
    int items;
    std::set<int> failing;
    bool batch;  // the items come as one batch (a folder), not one by one from the list
    int maximum;
    int position;
  };
  const Row rows[] = {
      {"ten renames of one folder", 10, {}, true, 10, 10},
      {"three of ten failed", 10, {2, 5, 9}, true, 10, 7},
      {"the last one failed", 1000, {999}, true, 1000, 999},
      {"items one by one keep the first range", 4, {}, false, ProgressController::kInitialBarMaximum, 4},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.label);
    ProgressWorld w;
    w.c.RunProgressJob([&] {
      if (row.batch) w.c.BatchStarted(std::size_t(row.items));
      for (int i = 0; i < row.items; ++i) {
        if (!row.failing.count(i)) w.c.ItemRenamed(u"old", u"new");
        w.c.PumpEvents();
      }
    });
    EXPECT_EQ(w.c.BarMaximum(), row.maximum);
    EXPECT_EQ(w.c.BarPosition(), row.position);
    // However few steps were painted, the last picture shows the final count.
    ASSERT_FALSE(w.host.shownPositions.empty());
    EXPECT_EQ(w.host.shownPositions.back(), row.position);
  }
}

TEST(ProgressWindow, DisplayIsThrottledByWorkTime) {
  struct Row {
    const char* label;
    int items;
    int microsecondsPerItem;
    int failingTail;  // so many items at the end fail
    std::vector<int> shown;  // bar positions painted: job start, batch start, then steps
    int pumps;
  };
  const Row rows[] = {
      // 1000 items in 10 ms: only the start and the batch's last item are painted.
      {"fast items", 1000, 10, 0, {0, 0, 1000}, 4},
      {"fast items, the last ones failing: the job's end paints", 1000, 10, 5, {0, 0, 995}, 3},
      {"items 40 ms apart", 5, 40000, 0, {0, 0, 1, 2, 3, 4, 5}, 8},
      // 30 ms is due: a step at 30, 60 and 90 ms is painted, the ones between not.
      {"items 10 ms apart", 9, 10000, 0, {0, 0, 3, 6, 9}, 6},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.label);
    ProgressWorld w;
    std::int64_t micros = w.ticks.now * 1000;
    w.c.RunProgressJob([&] {
      w.c.BatchStarted(std::size_t(row.items));
      for (int i = 0; i < row.items; ++i) {
        micros += row.microsecondsPerItem;
        w.ticks.now = micros / 1000;
        if (i < row.items - row.failingTail) w.c.ItemRenamed(u"a", u"b");
        w.c.PumpEvents();
      }
    });
    EXPECT_EQ(w.host.shownPositions, row.shown);
    EXPECT_EQ(w.host.pumps, row.pumps);
  }
}

TEST(ProgressWindow, JobStartsFromTheShownWindowAndAlwaysCloses) {
  struct Row {
    const char* label;
    bool throws;
  };
  const Row rows[] = {{"job ends", false}, {"job throws", true}};
  for (const auto& row : rows) {
    SCOPED_TRACE(row.label);
    ProgressWorld w;
    int runs = 0;
    bool shownWhenStarted = false;
    bool runningInside = false;
    auto job = [&] {
      ++runs;
      shownWhenStarted = w.host.shows == 1;
      runningInside = w.c.JobRunning();
      if (row.throws) throw std::runtime_error("disk gone");
    };
    if (row.throws) {
      EXPECT_THROW(w.c.RunProgressJob(job), std::runtime_error);
    } else {
      w.c.RunProgressJob(job);
    }
    EXPECT_EQ(runs, 1);
    EXPECT_TRUE(shownWhenStarted);
    EXPECT_TRUE(runningInside);
    EXPECT_TRUE(w.host.closedAfterShow);
    EXPECT_FALSE(w.c.JobRunning());
    EXPECT_EQ(w.host.cursor, (std::vector<bool>{true, false}));
    // The window is ready for the next job.
    w.c.RunProgressJob([&] { ++runs; });
    EXPECT_EQ(runs, 2);
    EXPECT_EQ(w.host.shows, 2);
    EXPECT_TRUE(w.host.closedAfterShow);
  }
}

TEST(ProgressWindow, CancelAsksAndOnlyYesStops) {
  struct Row {
    const char* label;
    bool inJob;
    bool closeBox;  // the close box (or Esc) instead of the Cancel button
    std::vector<PromptAnswer> answers;
    int clicks;
    std::vector<bool> stopAfterClick;
  };
  const Row rows[] = {
      {"No, then Yes", true, false, {PromptAnswer::No, PromptAnswer::Yes}, 2, {false, true}},
      {"close box, No then Yes", true, true, {PromptAnswer::No, PromptAnswer::Yes}, 2, {false, true}},
      {"close box without a job asks nothing", false, true, {}, 1, {false}},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.label);
    ProgressWorld w;
    w.prompter.answers.assign(row.answers.begin(), row.answers.end());
    std::vector<bool> stops;
    auto click = [&] {
      if (row.closeBox) {
        EXPECT_TRUE(w.c.CancelDialog());
      } else {
        w.c.Command(IDC_PROG_CANCEL);
      }
      stops.push_back(w.stop.IsSet());
    };
    if (row.inJob) {
      w.c.RunProgressJob([&] {
        for (int i = 0; i < row.clicks; ++i) click();
      });
    } else {
      for (int i = 0; i < row.clicks; ++i) click();
    }
    EXPECT_EQ(stops, row.stopAfterClick);
    ASSERT_EQ(w.prompter.shown.size(), row.answers.size());
    for (const auto& shown : w.prompter.shown) {
      EXPECT_EQ(shown.icon, PromptIcon::Question);
      EXPECT_EQ(shown.buttons, PromptButtons::YesNo);
      EXPECT_EQ(shown.caption, u"Confirmation");
      EXPECT_EQ(shown.text, u"Will you cancel this operation?");
    }
  }
}

TEST(ProgressWindow, CancelStopsBeforeTheNextItem) {
  // The job reads the stop request between items, as the engine does; the click
  // arrives in the pump after the given item.
  struct Row {
    const char* label;
    int clickAfterItem;
    std::vector<PromptAnswer> answers;
    int renamed;
  };
  const Row rows[] = {
      {"Yes after the third", 3, {PromptAnswer::Yes}, 3},
      {"No: the job goes on", 3, {PromptAnswer::No}, 20},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.label);
    ProgressWorld w;
    w.prompter.answers.assign(row.answers.begin(), row.answers.end());
    int renamed = 0;
    w.host.onPump = [&] {
      if (renamed == row.clickAfterItem && w.prompter.shown.empty()) w.c.Command(IDC_PROG_CANCEL);
    };
    w.c.RunProgressJob([&] {
      w.c.BatchStarted(20);
      for (int i = 0; i < 20 && !w.stop.IsSet(); ++i) {
        w.ticks.now += 50;
        ++renamed;
        w.c.ItemRenamed(u"a", u"b");
        w.c.PumpEvents();
      }
    });
    EXPECT_EQ(renamed, row.renamed);
    EXPECT_EQ(w.c.BarPosition(), row.renamed);
  }
}

TEST(ProgressWindow, TextsAreReadAtEveryShowing) {
  ProgressWorld w;
  struct Row {
    const char* label;
    const char16_t* tag;
    bool searching;
    int maximum;  // a job without a range of its own keeps the last one
  };
  const Row rows[] = {{"built-in", u"", false, 100}, {"de", u"[de] ", true, 600}, {"fr", u"[fr] ", false, 600}};
  for (const auto& row : rows) {
    SCOPED_TRACE(row.label);
    w.texts.tag = row.tag;
    std::vector<ControlState> during;
    w.c.RunProgressJob([&] {
      // The names of the job before must be gone.
      during.push_back(w.c.State(IDC_PROG_OLD_NAME));
      if (row.searching) w.c.ShowSearching(w.texts.Lookup(302), 600);
      during.push_back(w.c.State(IDC_PROG_OLD_NAME));
      during.push_back(w.c.State(IDC_PROG_SEARCHING));
      w.c.ItemRenamed(u"a.txt", u"b.txt");
    });
    const std::u16string tag = row.tag;
    EXPECT_EQ(w.c.Caption(), tag + u"Rename Progress");
    EXPECT_EQ(w.c.State(IDC_PROG_OLD_LABEL).text, tag + u"Old name");
    EXPECT_EQ(w.c.State(IDC_PROG_NEW_LABEL).text, tag + u"New name");
    EXPECT_EQ(w.c.State(IDC_PROG_CANCEL).text, tag + u"Cancel");
    ASSERT_EQ(during.size(), 3u);
    EXPECT_EQ(during[0].text, u"");
    EXPECT_EQ(during[1].visible, !row.searching);
    EXPECT_EQ(during[2].visible, row.searching);
    EXPECT_EQ(during[2].text, tag + u"Searching... please wait");
    // After the job the panel is gone again.
    EXPECT_FALSE(w.c.State(IDC_PROG_SEARCHING).visible);
    EXPECT_EQ(w.c.BarMaximum(), row.maximum);
  }
}

struct ErrorWorld {
  struct Host final : RenameErrorHost {
    explicit Host(RenameErrorController& controller) : c(controller) {}
    void ShowModal() override {
      shown.push_back({c.State(IDC_RENERR_OLD_NAME).text, c.State(IDC_RENERR_NEW_NAME).text});
      if (onShow) onShow();
    }
    RenameErrorController& c;
    std::vector<std::vector<std::u16string>> shown;
    std::function<void()> onShow;
  };
  ErrorWorld() { c.BindHost(&host); }
  TaggedTexts texts;
  RenameErrorController c{texts};
  Host host{c};
};

TEST(RenameErrorWindow, ShowsNamesUntilTheBoxIsTicked) {
  const std::u16string sep(1, kPathSeparator);
  struct Failure {
    std::u16string oldPath;
    std::u16string newName;
    bool tickBox;  // the user ticks the check box in this showing
  };
  struct Row {
    const char* label;
    std::vector<Failure> failures;
    std::vector<std::vector<std::u16string>> shown;
  };
  const Row rows[] = {
      {"names without folders",
       {{u"C:" + sep + u"a" + sep + u"b.txt", u"c.txt", false}},
       {{u"b.txt", u"c.txt"}}},
      {"every failure until the box is ticked",
       {{u"x1", u"y1", false}, {u"x2", u"y2", true}, {u"x3", u"y3", false}, {u"x4", u"y4", false}},
       {{u"x1", u"y1"}, {u"x2", u"y2"}}},
      {"a folder's name", {{sep + u"d" + sep + u"Old folder", u"New folder", false}}, {{u"Old folder", u"New folder"}}},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.label);
    ErrorWorld w;
    auto handler = w.c.FailureHandler();
    for (const auto& failure : row.failures) {
      w.host.onShow = [&] {
        if (failure.tickBox) w.c.Checked(IDC_RENERR_SUPPRESS, true);
        w.c.Command(IDC_RENERR_OK);
      };
      handler(failure.oldPath, failure.newName, RenameStatus::SourceMissing);
      EXPECT_TRUE(w.c.CloseResult().has_value());
    }
    EXPECT_EQ(w.host.shown, row.shown);
  }
}

TEST(RenameErrorWindow, TextsAndClosing) {
  struct Row {
    const char* label;
    const char16_t* tag;
    std::function<void(RenameErrorController&)> close;
  };
  const Row rows[] = {
      {"Ok button", u"", [](RenameErrorController& c) { c.Command(IDC_RENERR_OK); }},
      {"Enter", u"[de] ", [](RenameErrorController& c) { c.Accept(); }},
      {"close box", u"[fr] ", [](RenameErrorController& c) { c.CancelDialog(); }},
  };
  ErrorWorld w;
  for (const auto& row : rows) {
    SCOPED_TRACE(row.label);
    w.texts.tag = row.tag;
    std::optional<int> openWhileShown{-1};
    w.host.onShow = [&] {
      openWhileShown = w.c.CloseResult();
      row.close(w.c);
    };
    w.c.Show(u"a", u"b");
    const std::u16string tag = row.tag;
    EXPECT_EQ(openWhileShown, std::nullopt);
    EXPECT_EQ(w.c.CloseResult(), RenameErrorController::kClosed);
    EXPECT_EQ(w.c.Caption(), tag + u"Rename Error");
    EXPECT_EQ(w.c.State(IDC_RENERR_LABEL).text, tag + u"Rename failed when rename:");
    EXPECT_EQ(w.c.State(IDC_RENERR_TO_LABEL).text, tag + u"To:");
    EXPECT_EQ(w.c.State(IDC_RENERR_SUPPRESS).text, tag + u"Do not display this message in later");
    EXPECT_EQ(w.c.State(IDC_RENERR_OK).text, u"Ok");
    EXPECT_FALSE(w.c.State(IDC_RENERR_SUPPRESS).checked);
  }
}

}  // namespace
}  // namespace renamora::ui

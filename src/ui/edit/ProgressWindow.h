// The progress window (TForm5): runs a long job from its own modal loop, shows the
// names of the item just done and a bar, and lets Cancel ask to stop the job.
#pragma once

#include <cstddef>
#include <cstdint>
#include <exception>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/Messages.h"
#include "core/NameListing.h"
#include "platform/Prompter.h"
#include "platform/RunCallbacks.h"
#include "ui/WindowController.h"

namespace renamora::ui {

// Milliseconds of a clock that never goes back; tests step it by hand.
class TickSource {
 public:
  virtual ~TickSource() = default;
  virtual std::int64_t Milliseconds() const = 0;
};

// The process's steady clock.
const TickSource& SteadyTicks();

// What the controller needs of its window.
class ProgressHost {
 public:
  virtual ~ProgressHost() = default;
  // Shows the window modally and returns when the controller has a close result.
  // Once the window is on screen the view asks TakeStart and, when told so, calls
  // RunStartedJob from the window's own loop.
  virtual void ShowModal() = 0;
  // Puts the controller's state on screen now: fields, panel and bar.
  virtual void Refresh() = 0;
  // Lets every pending message through once.
  virtual void Pump() = 0;
  virtual void SetBusyCursor(bool busy) = 0;
};

class ProgressController final : public WindowController, public RunObserver, public SearchPanel {
 public:
  // Never more than this much work between two repaints and message pumps: painting
  // and pumping after each of 100,000 renames would take longer than the renames,
  // and nobody reads names that change faster than this anyway.
  static constexpr std::int64_t kRefreshIntervalMs = 30;
  // The bar's range before any job set one.
  static constexpr int kInitialBarMaximum = 100;
  static constexpr int kClosed = 1;

  // `stop` is the request the jobs read between items; Cancel sets it.
  ProgressController(const TextLookup& texts, Prompter& prompter, StopRequest& stop,
                     const TickSource& ticks = SteadyTicks());
  void BindHost(ProgressHost* host) { host_ = host; }

  // The window.
  std::u16string Caption() const override { return caption_; }
  std::vector<int> ControlIds() const override;
  ControlState State(int controlId) const override;
  void Command(int controlId) override;
  // Esc and the close box while a job runs ask the same question as Cancel: a job
  // cannot be left behind running in a closed window.
  bool CancelDialog() override;
  std::optional<int> CloseResult() const override { return closeResult_; }

  // True once per showing: the job is waiting and is now marked as started.
  bool TakeStart();
  // The job, run from the window's loop; the window closes afterwards whatever the
  // job did.
  void RunStartedJob();
  bool JobRunning() const { return running_; }

  // RunObserver: a job inside this window; progress while it runs.
  void RunProgressJob(const std::function<void()>& job) override;
  void SetBusyCursor(bool busy) override;
  void BatchStarted(std::size_t items) override;
  void ItemRenamed(std::u16string_view oldName, std::u16string_view newName) override;
  void PumpEvents() override;

  // SearchPanel: the listing's panel over the name fields.
  void ShowSearching(std::u16string_view text, int barMaximum) override;
  void SetBarPosition(int position) override;

  int BarPosition() const { return barPosition_; }
  int BarMaximum() const { return barMaximum_; }
  bool Searching() const { return searching_; }

 private:
  void Showing();
  void AskToStop();
  // Refreshes (when something changed) and pumps, if forced or when the interval has passed.
  void Flush(bool force);

  const TextLookup& texts_;
  Prompter& prompter_;
  StopRequest& stop_;
  const TickSource& ticks_;
  ProgressHost* host_ = nullptr;

  std::u16string caption_;
  std::u16string oldLabel_, newLabel_, searchText_, cancelText_;
  std::u16string oldName_, newName_;
  bool searching_ = false;
  int barPosition_ = 0;
  int barMaximum_ = kInitialBarMaximum;
  // The step after which the running batch is complete; 0: no batch range.
  int batchEnd_ = 0;

  std::function<void()> job_;
  bool waiting_ = false;  // a job stored, not yet started
  bool running_ = false;
  std::exception_ptr failure_;
  std::optional<int> closeResult_;
  bool changed_ = false;  // state not yet on screen
  std::int64_t lastFlush_ = 0;
};

}  // namespace renamora::ui

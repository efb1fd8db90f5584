// The progress window's rules: the job's start and end, the throttled display, Cancel.
#include "ui/edit/ProgressWindow.h"

#include <chrono>
#include <utility>

#include "ui/ControlIds.h"

namespace renamora::ui {
namespace {

constexpr MessageId kCancelQuestion = 301;
constexpr MessageId kSearchingText = 302;
constexpr MessageId kCaption = 303;
constexpr MessageId kOldLabel = 304;
constexpr MessageId kNewLabel = 305;
constexpr MessageId kCancelText = 224;

constexpr int kControls[] = {IDC_PROG_OLD_LABEL, IDC_PROG_OLD_NAME,  IDC_PROG_NEW_LABEL, IDC_PROG_NEW_NAME,
                             IDC_PROG_SEARCHING, IDC_PROG_BAR,       IDC_PROG_CANCEL};

class SteadyClockTicks final : public TickSource {
 public:
  std::int64_t Milliseconds() const override {
    using namespace std::chrono;
    return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
  }
};

}  // namespace

const TickSource& SteadyTicks() {
  static const SteadyClockTicks ticks;
  return ticks;
}

ProgressController::ProgressController(const TextLookup& texts, Prompter& prompter, StopRequest& stop,
                                       const TickSource& ticks)
    : texts_(texts), prompter_(prompter), stop_(stop), ticks_(ticks) {}

std::vector<int> ProgressController::ControlIds() const { return {std::begin(kControls), std::end(kControls)}; }

ControlState ProgressController::State(int controlId) const {
  ControlState state;
  switch (controlId) {
    case IDC_PROG_OLD_LABEL:
      state.text = oldLabel_;
      break;
    case IDC_PROG_NEW_LABEL:
      state.text = newLabel_;
      break;
    // The searching panel takes the place of the name fields.
    case IDC_PROG_OLD_NAME:
      state.text = oldName_;
      state.visible = !searching_;
      break;
    case IDC_PROG_NEW_NAME:
      state.text = newName_;
      state.visible = !searching_;
      break;
    case IDC_PROG_SEARCHING:
      state.text = searchText_;
      state.visible = searching_;
      break;
    case IDC_PROG_CANCEL:
      state.text = cancelText_;
      break;
    default:
      break;
  }
  return state;
}

void ProgressController::Command(int controlId) {
  if (controlId == IDC_PROG_CANCEL) AskToStop();
}

bool ProgressController::CancelDialog() {
  if (running_) AskToStop();
  return true;
}

void ProgressController::AskToStop() {
  const PromptAnswer answer =
      prompter_.Show(PromptIcon::Question, PromptButtons::YesNo, texts_.Lookup(Msg::kConfirmation),
                     texts_.Lookup(kCancelQuestion));
  if (answer == PromptAnswer::Yes) stop_.Set();
}

void ProgressController::Showing() {
  // Every showing, so that a language chosen since the last job is used.
  caption_ = texts_.Lookup(kCaption);
  oldLabel_ = texts_.Lookup(kOldLabel);
  newLabel_ = texts_.Lookup(kNewLabel);
  searchText_ = texts_.Lookup(kSearchingText);
  cancelText_ = texts_.Lookup(kCancelText);
  // Names of the last job would read as this job's first item.
  oldName_.clear();
  newName_.clear();
  searching_ = false;
  barPosition_ = 0;
  batchEnd_ = 0;
  closeResult_.reset();
  RequestFocus(IDC_PROG_CANCEL);
}

void ProgressController::RunProgressJob(const std::function<void()>& job) {
  // Without a window, or inside a job already running here, the job runs at once.
  if (!host_ || running_ || waiting_) {
    job();
    return;
  }
  Showing();
  job_ = job;
  waiting_ = true;
  failure_ = nullptr;
  host_->ShowModal();
  // A window closed without its job ever starting (the program is ending) still
  // owes the caller the job's work.
  const bool neverStarted = waiting_;
  waiting_ = false;
  job_ = nullptr;
  if (neverStarted) job();
  if (failure_) std::rethrow_exception(std::exchange(failure_, nullptr));
}

bool ProgressController::TakeStart() {
  if (!waiting_) return false;
  waiting_ = false;
  return true;
}

void ProgressController::RunStartedJob() {
  if (!job_ || running_) return;
  // Whatever the job does, also when it throws, the window closes and the cursor
  // comes back; the caller of RunProgressJob then sees the exception.
  struct JobEnd {
    ProgressController& c;
    ~JobEnd() {
      // The last state on screen before the window goes: the bar at its final count.
      c.Flush(true);
      c.running_ = false;
      c.searching_ = false;
      c.closeResult_ = kClosed;
      if (c.host_) c.host_->SetBusyCursor(false);
    }
  };
  running_ = true;
  if (host_) host_->SetBusyCursor(true);
  barPosition_ = 0;
  changed_ = true;
  JobEnd end{*this};
  Flush(true);
  try {
    job_();
  } catch (...) {
    failure_ = std::current_exception();
  }
}

void ProgressController::SetBusyCursor(bool busy) {
  if (host_) host_->SetBusyCursor(busy);
}

void ProgressController::BatchStarted(std::size_t items) {
  barPosition_ = 0;
  barMaximum_ = static_cast<int>(items);
  batchEnd_ = barMaximum_;
  changed_ = true;
  Flush(true);
}

void ProgressController::ItemRenamed(std::u16string_view oldName, std::u16string_view newName) {
  // Counted at once, shown by the interval: the bar must end at exactly the number
  // of renames, however few of them were painted.
  ++barPosition_;
  oldName_.assign(oldName);
  newName_.assign(newName);
  changed_ = true;
  Flush(barPosition_ == batchEnd_);
}

void ProgressController::PumpEvents() { Flush(false); }

void ProgressController::ShowSearching(std::u16string_view text, int barMaximum) {
  searching_ = true;
  searchText_.assign(text);
  barMaximum_ = barMaximum;
  barPosition_ = 0;
  batchEnd_ = 0;
  changed_ = true;
  Flush(true);
}

void ProgressController::SetBarPosition(int position) {
  barPosition_ = position;
  changed_ = true;
}

void ProgressController::Flush(bool force) {
  if (!host_) return;
  const std::int64_t now = ticks_.Milliseconds();
  if (!force && now - lastFlush_ < kRefreshIntervalMs) return;
  if (changed_ && (running_ || searching_)) host_->Refresh();
  changed_ = false;
  host_->Pump();
  // Measured after the pump: time spent in a Cancel question is no work.
  lastFlush_ = ticks_.Milliseconds();
}

}  // namespace renamora::ui

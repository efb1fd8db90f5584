// Runs steps from inside a modal loop: a modal window is shown by a call that
// returns only when it closes, so what the user does in it is queued before that
// call, in order, each step dispatched by whichever loop runs then (a step may
// queue further steps behind the messages it posts itself).
#pragma once

#include <deque>
#include <functional>
#include <utility>

#include "platform/win32/IncludeWindows.h"

namespace renamora::ui::win {

class ModalSteps {
 public:
  ModalSteps() {
    WNDCLASSW wc{};
    wc.lpfnWndProc = &ModalSteps::Proc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = L"RenamoraTestSteps";
    RegisterClassW(&wc);
    hwnd_ = CreateWindowW(L"RenamoraTestSteps", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, wc.hInstance, nullptr);
    SetWindowLongPtrW(hwnd_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
  }
  ModalSteps(const ModalSteps&) = delete;
  ModalSteps& operator=(const ModalSteps&) = delete;
  ~ModalSteps() { DestroyWindow(hwnd_); }
  void Then(std::function<void()> step) {
    steps_.push_back(std::move(step));
    PostMessageW(hwnd_, WM_APP, 0, 0);
  }
  // A step that runs once the given time has passed, for waiting on something a
  // loop does between its messages (a step queued at once would run again within
  // the same round of pending messages, and keep that round from ending).
  void After(unsigned milliseconds, std::function<void()> step) {
    delayed_ = std::move(step);
    SetTimer(hwnd_, 1, milliseconds, nullptr);
  }

 private:
  static LRESULT CALLBACK Proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* self = reinterpret_cast<ModalSteps*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (message == WM_APP && self && !self->steps_.empty()) {
      auto step = std::move(self->steps_.front());
      self->steps_.pop_front();
      step();
      return 0;
    }
    if (message == WM_TIMER && self) {
      KillTimer(hwnd, 1);
      auto step = std::move(self->delayed_);
      self->delayed_ = nullptr;
      if (step) step();
      return 0;
    }
    return DefWindowProcW(hwnd, message, wParam, lParam);
  }
  HWND hwnd_ = nullptr;
  std::deque<std::function<void()>> steps_;
  std::function<void()> delayed_;
};

}  // namespace renamora::ui::win

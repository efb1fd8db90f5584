// A window whose controls mirror a portable controller: notifications go to the
// controller, and after each one every control shows the controller's state again
// (only what changed is written, and the notifications those writes cause are
// ignored).
#pragma once

#include <map>
#include <optional>

#include "platform/win32/IncludeWindows.h"
#include "ui/WindowController.h"
#include "ui/win/Window.h"

namespace renamora::ui::win {

// The controller's timers on a window: WM_TIMER comes back as TimerFired.
class Win32Timers final : public WindowTimers {
 public:
  void Bind(HWND hwnd) { hwnd_ = hwnd; }
  void Start(int timerId, unsigned milliseconds) override {
    if (hwnd_) SetTimer(hwnd_, static_cast<UINT_PTR>(timerId), milliseconds, nullptr);
  }
  void Stop(int timerId) override {
    if (hwnd_) KillTimer(hwnd_, static_cast<UINT_PTR>(timerId));
  }

 private:
  HWND hwnd_ = nullptr;
};

class ControllerView : public WindowBase {
 public:
  explicit ControllerView(WindowController& controller) : controller_(controller) {}

  // Writes the controller's state into the controls and the caption.
  void Mirror();
  // Shows the window modally over owner and runs its own loop until the
  // controller has a close result; returns it. The window is hidden, not destroyed.
  int ShowModal(HWND owner);
  bool Updating() const { return updating_; }

 protected:
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
  // A control notification the generic handling does not take; true when handled.
  virtual bool OnCommand(int /*id*/, int /*code*/, HWND /*control*/) { return false; }
  // Called after a command changed the controller, before the mirror.
  virtual void AfterCommand() {}
  // Each message of the modal loop before the dialog manager sees it; true when
  // taken. The focus as it is before a key is what decides what the key does.
  virtual bool PreTranslateModal(MSG& /*msg*/) { return false; }
  WindowController& Controller() { return controller_; }
  void ApplyFocusRequest();
  void ForgetShownState() { shown_.clear(); caption_.reset(); }
  // WM_DPICHANGED: the new DPI's font on every control, the window at the place the
  // system suggests; the caller lays its controls out again. Gives the new DPI.
  UINT AdoptDpi(WPARAM wParam, LPARAM lParam);

 private:
  WindowController& controller_;
  std::map<int, ControlState> shown_;
  std::optional<std::u16string> caption_;
  bool updating_ = false;
};

}  // namespace renamora::ui::win

// Our windows' base: one window procedure thunk for every window class of the
// program, with `this` kept in GWLP_USERDATA (no global handle-to-object map).
#pragma once

#include "platform/win32/IncludeWindows.h"

namespace renamora::ui::win {

class WindowBase {
 public:
  WindowBase() = default;
  WindowBase(const WindowBase&) = delete;
  WindowBase& operator=(const WindowBase&) = delete;
  virtual ~WindowBase();

  HWND Handle() const { return hwnd_; }

  // Registers a class whose procedure is the thunk; registering twice is fine.
  static bool RegisterClassOnce(const wchar_t* className, HICON icon, UINT style = CS_DBLCLKS);

  // Creates the window; `this` is bound during WM_NCCREATE, so HandleMessage sees
  // WM_CREATE and everything after it.
  bool CreateWindowOf(const wchar_t* className, const wchar_t* title, DWORD style, DWORD exStyle, int x, int y,
                      int width, int height, HWND parent);

 protected:
  virtual LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);

 private:
  static LRESULT CALLBACK Thunk(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
  HWND hwnd_ = nullptr;
};

// Lets every pending message through once; long loops call it between items.
void PumpPending();

// Calls PumpPending at most every `intervalMs` of work: a listing of 100,000
// entries would spend most of its time in the message queue if it pumped after
// each one, and the user notices nothing below a few tens of milliseconds.
class PumpThrottle {
 public:
  explicit PumpThrottle(DWORD intervalMs = 15) : interval_(intervalMs), last_(GetTickCount()) {}
  void Tick() {
    const DWORD now = GetTickCount();
    if (now - last_ >= interval_) {
      PumpPending();
      last_ = GetTickCount();
    }
  }
  void Now() {
    PumpPending();
    last_ = GetTickCount();
  }

 private:
  DWORD interval_;
  DWORD last_;
};

}  // namespace renamora::ui::win

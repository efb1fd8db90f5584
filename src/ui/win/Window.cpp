// The window procedure thunk and the message pump.
#include "ui/win/Window.h"

namespace renamora::ui::win {

WindowBase::~WindowBase() {
  // A window that outlives its object must not call into freed memory.
  if (hwnd_) {
    SetWindowLongPtrW(hwnd_, GWLP_USERDATA, 0);
    DestroyWindow(hwnd_);
  }
}

bool WindowBase::RegisterClassOnce(const wchar_t* className, HICON icon, UINT style) {
  WNDCLASSEXW existing{};
  existing.cbSize = sizeof(existing);
  if (GetClassInfoExW(GetModuleHandleW(nullptr), className, &existing)) return true;
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof(wc);
  wc.style = style;
  wc.lpfnWndProc = &WindowBase::Thunk;
  wc.hInstance = GetModuleHandleW(nullptr);
  wc.hIcon = icon;
  wc.hIconSm = icon;
  wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  wc.lpszClassName = className;
  return RegisterClassExW(&wc) != 0;
}

bool WindowBase::CreateWindowOf(const wchar_t* className, const wchar_t* title, DWORD style, DWORD exStyle, int x,
                                int y, int width, int height, HWND parent) {
  HWND created = CreateWindowExW(exStyle, className, title, style, x, y, width, height, parent, nullptr,
                                 GetModuleHandleW(nullptr), this);
  return created != nullptr;
}

LRESULT WindowBase::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  return DefWindowProcW(hwnd_, message, wParam, lParam);
}

LRESULT CALLBACK WindowBase::Thunk(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  WindowBase* self = nullptr;
  if (message == WM_NCCREATE) {
    auto* create = reinterpret_cast<CREATESTRUCTW*>(lParam);
    self = static_cast<WindowBase*>(create->lpCreateParams);
    self->hwnd_ = hwnd;
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
  } else {
    self = reinterpret_cast<WindowBase*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  }
  if (!self) return DefWindowProcW(hwnd, message, wParam, lParam);
  LRESULT result = 0;
  // No exception may unwind through USER32's frames: it cannot handle them, and
  // the program would end without a word.
  try {
    result = self->HandleMessage(message, wParam, lParam);
  } catch (...) {
    result = DefWindowProcW(hwnd, message, wParam, lParam);
  }
  if (message == WM_NCDESTROY) {
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
    self->hwnd_ = nullptr;
  }
  return result;
}

void PumpPending() {
  MSG msg;
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    if (msg.message == WM_QUIT) {
      // The main loop must still see the quit.
      PostQuitMessage(static_cast<int>(msg.wParam));
      return;
    }
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
}

}  // namespace renamora::ui::win

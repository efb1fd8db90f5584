// Sizes and places of our fixed-size dialog windows.
#include "ui/win/DialogFrame.h"

#include "ui/win/Dpi.h"

namespace renamora::ui::win {

SIZE DialogWindowSize(int clientWidth, int clientHeight, DWORD style, DWORD exStyle, UINT dpi) {
  RECT r{0, 0, Scale(clientWidth, dpi), Scale(clientHeight, dpi)};
  AdjustWindowRectEx(&r, style, FALSE, exStyle);
  return SIZE{r.right - r.left, r.bottom - r.top};
}

void CentreOnScreen(HWND hwnd) {
  RECT work;
  SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
  RECT own;
  GetWindowRect(hwnd, &own);
  const int width = own.right - own.left;
  const int height = own.bottom - own.top;
  SetWindowPos(hwnd, nullptr, work.left + (work.right - work.left - width) / 2,
               work.top + (work.bottom - work.top - height) / 2, 0, 0, SWP_NOZORDER | SWP_NOSIZE | SWP_NOACTIVATE);
}

bool CreateDialogWindow(WindowBase& window, const wchar_t* className, int clientWidth, int clientHeight, HWND owner,
                        UINT classStyle) {
  if (!WindowBase::RegisterClassOnce(className, nullptr, classStyle)) return false;
  const SIZE size = DialogWindowSize(clientWidth, clientHeight, kDialogStyle, kDialogExStyle, WindowDpi(owner));
  return window.CreateWindowOf(className, L"", kDialogStyle, kDialogExStyle, 0, 0, size.cx, size.cy, owner);
}

}  // namespace renamora::ui::win

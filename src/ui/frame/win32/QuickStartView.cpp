// The quick start window: three steps, each a bold header over its text, and "Show next time".
#include "ui/frame/win32/QuickStartView.h"

#include "ui/ControlIds.h"
#include "ui/win/Controls.h"
#include "ui/win/DialogFrame.h"
#include "ui/win/Dpi.h"

namespace renamora::ui::win {
namespace {

constexpr wchar_t kClassName[] = L"TForm12";
// Translucent, so the list under it stays in sight.
constexpr BYTE kAlpha = 200;
constexpr DWORD kExStyle = WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT | WS_EX_LAYERED;

// The designed client area at 96 DPI: each step is a header line over a body of
// up to two lines.
constexpr int kClientWidth = 340;
constexpr int kClientHeight = 214;
constexpr int kMargin = 12;
constexpr int kStepHeight = 58;
constexpr int kHeaderHeight = 16;
constexpr int kBodyHeight = 34;

// Where a control stands relative to the main window's client area.
RECT ChildRect(HWND child) {
  RECT r;
  GetWindowRect(child, &r);
  MapWindowPoints(nullptr, GetParent(child), reinterpret_cast<POINT*>(&r), 2);
  return r;
}

}  // namespace

bool QuickStartView::Create(const MainWindowView& main) {
  main_ = &main;
  HWND owner = main.Handle();
  if (!RegisterClassOnce(kClassName, nullptr)) return false;
  const UINT dpi = WindowDpi(owner);
  const SIZE size = DialogWindowSize(kClientWidth, kClientHeight, kDialogStyle, kExStyle, dpi);
  RECT mainRect;
  GetWindowRect(owner, &mainRect);
  // The toolbar ends where the row of the path box begins.
  const ScreenPoint at = QuickStartInitialPlace({mainRect.left, mainRect.top, 0, 0}, ChildRect(main.List()).left,
                                                ChildRect(main.PathBox()).top);
  if (!CreateWindowOf(kClassName, L"", kDialogStyle, kExStyle, at.x, at.y, size.cx, size.cy, owner)) return false;
  HWND hwnd = Handle();
  SetLayeredWindowAttributes(hwnd, 0, kAlpha, LWA_ALPHA);
  auto S = [dpi](int designed) { return Scale(designed, dpi); };
  const int width = kClientWidth - 2 * kMargin;

  const int headers[] = {IDC_QS_HEADER1, IDC_QS_HEADER2, IDC_QS_HEADER3};
  const int bodies[] = {IDC_QS_BODY1, IDC_QS_BODY2, IDC_QS_BODY3};
  for (int k = 0; k < 3; ++k) {
    const int top = 10 + k * kStepHeight;
    Label header;
    header.Create({.parent = hwnd, .id = headers[k]});
    header.Place(S(kMargin), S(top), S(width), S(kHeaderHeight));
    Label body;
    body.Create({.parent = hwnd, .id = bodies[k]});
    body.Place(S(kMargin), S(top + kHeaderHeight + 2), S(width), S(kBodyHeight));
  }
  CheckBox showNext;
  showNext.Create({.parent = hwnd, .id = IDC_QS_SHOW_NEXT});
  showNext.Place(S(kMargin), S(10 + 3 * kStepHeight), S(width), S(20));
  ApplyFont(hwnd, MessageFont(dpi));
  return true;
}

void QuickStartView::Show() {
  HWND hwnd = Handle();
  if (!hwnd) return;
  if (c_.Showing() && main_) {
    // Centred over the list as it stands now (the main window may have moved
    // since the start). The main window's client origin stands in for its
    // corner, so the frame's border does not push the window off the middle.
    POINT origin{0, 0};
    ClientToScreen(main_->Handle(), &origin);
    const RECT list = ChildRect(main_->List());
    RECT own;
    GetWindowRect(hwnd, &own);
    const ScreenPoint at =
        QuickStartCentredPlace({origin.x, origin.y, 0, 0}, {}, {list.left, list.top, list.right - list.left,
                                                                list.bottom - list.top},
                               own.right - own.left, own.bottom - own.top);
    SetWindowPos(hwnd, nullptr, at.x, at.y, 0, 0, SWP_NOZORDER | SWP_NOSIZE | SWP_NOACTIVATE);
  }
  Mirror();
  // The user is working in the main window; the guide must not take the keyboard.
  ShowWindow(hwnd, SW_SHOWNOACTIVATE);
}

void QuickStartView::Close() {
  if (Handle()) ShowWindow(Handle(), SW_HIDE);
}

LRESULT QuickStartView::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_CLOSE) {
    // The window lives for the whole run; its close box only hides it.
    c_.ClosedByUser();
    Close();
    return 0;
  }
  return ControllerView::HandleMessage(message, wParam, lParam);
}

}  // namespace renamora::ui::win

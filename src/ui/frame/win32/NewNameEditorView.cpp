// The new-name list editor's window: the text fills it, Save stays at the left and
// Close at the right edge of the strip below, whatever the size.
#include "ui/frame/win32/NewNameEditorView.h"

#include <algorithm>

#include "ui/ControlIds.h"
#include "ui/win/Controls.h"
#include "ui/win/DialogFrame.h"
#include "ui/win/Dpi.h"

namespace renamora::ui::win {
namespace {

constexpr wchar_t kClassName[] = L"TForm8";

// Resizable: a thick frame instead of the fixed dialogs' modal frame, and the
// maximize box for a long list.
constexpr DWORD kStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_MAXIMIZEBOX | WS_CLIPCHILDREN;
constexpr DWORD kExStyle = WS_EX_CONTROLPARENT;

// The designed client area at 96 DPI, and the smallest one that still shows
// both buttons and a few lines.
constexpr int kClientWidth = 330;
constexpr int kClientHeight = 320;
constexpr int kMinimumWidth = 200;
constexpr int kMinimumHeight = 120;
constexpr int kMargin = 8;
constexpr int kButtonWidth = 75;
constexpr int kButtonHeight = 25;
constexpr int kStripHeight = kButtonHeight + 2 * kMargin;

}  // namespace

bool NewNameEditorView::Create(HWND owner) {
  // The whole window repaints when it is resized, so the moved buttons leave no trace.
  if (!WindowBase::RegisterClassOnce(kClassName, nullptr, CS_HREDRAW | CS_VREDRAW)) return false;
  dpi_ = WindowDpi(owner);
  const SIZE size = DialogWindowSize(kClientWidth, kClientHeight, kStyle, kExStyle, dpi_);
  if (!CreateWindowOf(kClassName, L"", kStyle, kExStyle, 0, 0, size.cx, size.cy, owner)) return false;
  HWND hwnd = Handle();

  // Enter in the text is a line break (ES_WANTRETURN); the text may be wider and
  // longer than the window, so it scrolls both ways.
  win::Edit text;
  text.Create({.parent = hwnd,
               .id = IDC_NNE_TEXT,
               .style = ES_MULTILINE | ES_AUTOVSCROLL | ES_WANTRETURN | WS_VSCROLL | WS_HSCROLL});
  // The default limit of a multi-line box (32 K characters) could cut a long list.
  SendMessageW(text.Handle(), EM_SETLIMITTEXT, 0, 0);
  Button save;
  save.Create({.parent = hwnd, .id = IDC_NNE_SAVE});
  Button close;
  close.Create({.parent = hwnd, .id = IDC_NNE_CLOSE});

  ApplyFont(hwnd, MessageFont(dpi_));
  Layout();
  CentreOnScreen(hwnd);
  return true;
}

void NewNameEditorView::Edit(HWND owner) {
  c_.Open();
  ShowModal(owner);
}

void NewNameEditorView::Layout() {
  HWND hwnd = Handle();
  RECT client;
  GetClientRect(hwnd, &client);
  auto S = [this](int designed) { return Scale(designed, dpi_); };
  const int width = client.right;
  const int height = client.bottom;
  const int buttonTop = height - S(kStripHeight) + S(kMargin);
  MoveWindow(GetDlgItem(hwnd, IDC_NNE_TEXT), S(kMargin), S(kMargin), std::max(0, width - 2 * S(kMargin)),
             std::max(0, height - S(kStripHeight) - S(kMargin)), TRUE);
  MoveWindow(GetDlgItem(hwnd, IDC_NNE_SAVE), S(kMargin), buttonTop, S(kButtonWidth), S(kButtonHeight), TRUE);
  MoveWindow(GetDlgItem(hwnd, IDC_NNE_CLOSE), width - S(kMargin) - S(kButtonWidth), buttonTop, S(kButtonWidth),
             S(kButtonHeight), TRUE);
}

bool NewNameEditorView::PreTranslateModal(MSG& msg) {
  // Esc closes from anywhere in the window, the text included, which would
  // otherwise take the key for itself.
  if (msg.message == WM_KEYDOWN && msg.wParam == VK_ESCAPE && (msg.hwnd == Handle() || IsChild(Handle(), msg.hwnd))) {
    c_.CancelDialog();
    Mirror();
    ApplyFocusRequest();
    return true;
  }
  return false;
}

LRESULT NewNameEditorView::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_SIZE:
      Layout();
      return 0;
    case WM_GETMINMAXINFO: {
      const SIZE least = DialogWindowSize(kMinimumWidth, kMinimumHeight, kStyle, kExStyle, dpi_);
      auto* info = reinterpret_cast<MINMAXINFO*>(lParam);
      info->ptMinTrackSize = POINT{least.cx, least.cy};
      return 0;
    }
    case WM_NEXTDLGCTL: {
      // A multi-line box asks its parent to move on with Tab; only real dialogs
      // answer that by themselves.
      HWND next = LOWORD(lParam) ? reinterpret_cast<HWND>(wParam)
                                 : GetNextDlgTabItem(Handle(), GetFocus(), wParam != 0 ? TRUE : FALSE);
      if (next) SetFocus(next);
      return 0;
    }
    case WM_DPICHANGED:
      dpi_ = AdoptDpi(wParam, lParam);
      Layout();
      return 0;
    default:
      break;
  }
  return ControllerView::HandleMessage(message, wParam, lParam);
}

}  // namespace renamora::ui::win

// The progress window's controls, its start message and its pump during a job.
#include "ui/edit/win32/ProgressView.h"

#include "ui/ControlIds.h"
#include "ui/win/Controls.h"
#include "ui/win/DialogFrame.h"
#include "ui/win/Dpi.h"

namespace renamora::ui::win {
namespace {

constexpr wchar_t kClassName[] = L"TForm5";

// The designed client area and its controls at 96 DPI. A name field holds two
// lines of the message font, so that a long name wraps instead of being cut.
constexpr int kClientWidth = 307;
constexpr int kClientHeight = 145;
constexpr int kLabelLeft = 10;
constexpr int kLabelWidth = 74;
constexpr int kFieldLeft = 88;
constexpr int kFieldWidth = 209;
constexpr int kFieldHeight = 30;
constexpr int kOldTop = 10;
constexpr int kNewTop = 44;
constexpr int kBarWidth = 257;
constexpr int kBarTop = 86;
constexpr int kBarHeight = 16;
constexpr int kButtonWidth = 75;
constexpr int kButtonHeight = 25;
constexpr int kButtonTop = 110;

}  // namespace

bool ProgressView::Create(HWND owner) {
  owner_ = owner;
  if (!CreateDialogWindow(*this, kClassName, kClientWidth, kClientHeight, owner)) return false;
  const UINT dpi = WindowDpi(owner);
  HWND hwnd = Handle();
  auto S = [dpi](int designed) { return Scale(designed, dpi); };

  // Each label right before its field, so a screen reader names the field by it.
  Label oldLabel;
  oldLabel.Create({.parent = hwnd, .id = IDC_PROG_OLD_LABEL});
  oldLabel.Place(S(kLabelLeft), S(kOldTop + 2), S(kLabelWidth), S(16));
  // SS_EDITCONTROL breaks a long name without blanks at the field's edge.
  Label oldName;
  oldName.Create({.parent = hwnd, .id = IDC_PROG_OLD_NAME, .style = SS_EDITCONTROL});
  oldName.Place(S(kFieldLeft), S(kOldTop + 2), S(kFieldWidth), S(kFieldHeight));
  Label newLabel;
  newLabel.Create({.parent = hwnd, .id = IDC_PROG_NEW_LABEL});
  newLabel.Place(S(kLabelLeft), S(kNewTop + 2), S(kLabelWidth), S(16));
  Label newName;
  newName.Create({.parent = hwnd, .id = IDC_PROG_NEW_NAME, .style = SS_EDITCONTROL});
  newName.Place(S(kFieldLeft), S(kNewTop + 2), S(kFieldWidth), S(kFieldHeight));
  // Over the fields, which the controller hides while it shows.
  Label searching;
  searching.Create({.parent = hwnd, .id = IDC_PROG_SEARCHING, .style = SS_CENTER | SS_CENTERIMAGE});
  searching.Place(S(kLabelLeft), S(kOldTop), S(kClientWidth - 2 * kLabelLeft), S(kNewTop + kFieldHeight - kOldTop));
  searching.Show(false);
  ProgressBar bar;
  bar.Create({.parent = hwnd, .id = IDC_PROG_BAR});
  bar.Place(S((kClientWidth - kBarWidth) / 2), S(kBarTop), S(kBarWidth), S(kBarHeight));
  Button cancel;
  cancel.Create({.parent = hwnd, .id = IDC_PROG_CANCEL, .style = BS_DEFPUSHBUTTON});
  cancel.Place(S((kClientWidth - kButtonWidth) / 2), S(kButtonTop), S(kButtonWidth), S(kButtonHeight));

  ApplyFont(hwnd, MessageFont(dpi));
  CentreOnScreen(hwnd);
  return true;
}

void ProgressView::ShowModal() {
  // Modal to the window the user works in (the edit window of a direct start stays
  // visible during its run); else to the main window.
  HWND active = GetActiveWindow();
  HWND owner = active && active != Handle() && IsWindowVisible(active) ? active : owner_;
  ShowModal(owner);
}

void ProgressView::SyncBar() {
  ProgressBar bar;
  bar.Attach(GetDlgItem(Handle(), IDC_PROG_BAR));
  if (c_.BarMaximum() != shownMaximum_) {
    shownMaximum_ = c_.BarMaximum();
    bar.SetMaximum(shownMaximum_);
  }
  if (c_.BarPosition() != shownPosition_) {
    shownPosition_ = c_.BarPosition();
    bar.SetPosition(shownPosition_);
  }
}

void ProgressView::Refresh() {
  Mirror();
  SyncBar();
  RedrawWindow(Handle(), nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
}

void ProgressView::Pump() {
  HWND hwnd = Handle();
  MSG msg;
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    if (msg.message == WM_QUIT) {
      // The main loop must still see the quit.
      PostQuitMessage(static_cast<int>(msg.wParam));
      return;
    }
    // Through the dialog manager: Enter, Space and Esc work on Cancel as they do
    // when no job runs.
    if (!IsDialogMessageW(hwnd, &msg)) {
      TranslateMessage(&msg);
      DispatchMessageW(&msg);
    }
  }
}

void ProgressView::SetBusyCursor(bool busy) {
  busy_ = busy;
  SetCursor(LoadCursorW(nullptr, busy ? IDC_WAIT : IDC_ARROW));
}

LRESULT ProgressView::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_SHOWWINDOW:
      if (wParam && c_.TakeStart()) PostMessageW(Handle(), kStartJobMessage, 0, 0);
      break;
    case kStartJobMessage:
      // Painted before the first item, whatever else waits in the queue.
      Refresh();
      c_.RunStartedJob();
      Mirror();
      return 0;
    case WM_SETCURSOR:
      if (busy_) {
        SetCursor(LoadCursorW(nullptr, IDC_WAIT));
        return TRUE;
      }
      break;
    default:
      break;
  }
  return ControllerView::HandleMessage(message, wParam, lParam);
}

}  // namespace renamora::ui::win

// Generic mirroring of a controller's state into its window's controls.
#include "ui/win/ControllerView.h"

#include <commctrl.h>

#include "platform/win32/WideText.h"
#include "ui/win/Controls.h"
#include "ui/win/Dpi.h"

namespace renamora::ui::win {
namespace {

bool IsCheckButton(HWND control) {
  wchar_t className[16] = {};
  GetClassNameW(control, className, 16);
  if (lstrcmpiW(className, L"Button") != 0) return false;
  const LONG type = GetWindowLongW(control, GWL_STYLE) & BS_TYPEMASK;
  return type == BS_CHECKBOX || type == BS_AUTOCHECKBOX || type == BS_RADIOBUTTON || type == BS_AUTORADIOBUTTON ||
         type == BS_3STATE || type == BS_AUTO3STATE;
}

bool IsListBox(HWND control) {
  wchar_t className[16] = {};
  GetClassNameW(control, className, 16);
  return lstrcmpiW(className, L"ListBox") == 0;
}

// Lists, tabs and combo boxes own their texts; the controller's text for them is
// not a caption.
bool TakesCaption(HWND control) {
  wchar_t className[32] = {};
  GetClassNameW(control, className, 32);
  return lstrcmpiW(className, L"ComboBox") != 0 && lstrcmpiW(className, WC_LISTVIEWW) != 0 &&
         lstrcmpiW(className, L"ListBox") != 0 && lstrcmpiW(className, L"SysTabControl32") != 0 &&
         lstrcmpiW(className, L"msctls_statusbar32") != 0;
}

}  // namespace

void ControllerView::Mirror() {
  HWND hwnd = Handle();
  if (!hwnd) return;
  updating_ = true;
  const std::u16string caption = controller_.Caption();
  if (caption_ != caption) {
    SetWindowTextW(hwnd, ToWide(caption).c_str());
    caption_ = caption;
  }
  const UINT dpi = WindowDpi(hwnd);
  for (int id : controller_.ControlIds()) {
    HWND control = GetDlgItem(hwnd, id);
    if (!control) continue;
    const ControlState state = controller_.State(id);
    auto found = shown_.find(id);
    const ControlState* was = found == shown_.end() ? nullptr : &found->second;
    Control c;
    c.Attach(control);
    if (TakesCaption(control) && (!was || was->text != state.text) && c.Text() != state.text) c.SetText(state.text);
    if (!was || was->enabled != state.enabled) EnableWindow(control, state.enabled);
    if (!was || was->visible != state.visible) ShowWindow(control, state.visible ? SW_SHOWNA : SW_HIDE);
    if (IsCheckButton(control) && (!was || was->checked != state.checked)) {
      SendMessageW(control, BM_SETCHECK, state.checked ? BST_CHECKED : BST_UNCHECKED, 0);
    }
    if (!was || was->bold != state.bold) {
      SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(MessageFont(dpi, state.bold)), TRUE);
    }
    shown_[id] = state;
  }
  updating_ = false;
}

UINT ControllerView::AdoptDpi(WPARAM wParam, LPARAM lParam) {
  const UINT dpi = HIWORD(wParam);
  const auto* suggested = reinterpret_cast<const RECT*>(lParam);
  ApplyFont(Handle(), MessageFont(dpi));
  ForgetShownState();
  SetWindowPos(Handle(), nullptr, suggested->left, suggested->top, suggested->right - suggested->left,
               suggested->bottom - suggested->top, SWP_NOZORDER | SWP_NOACTIVATE);
  return dpi;
}

void ControllerView::ApplyFocusRequest() {
  if (auto request = controller_.TakeFocusRequest()) {
    HWND control = GetDlgItem(Handle(), request->controlId);
    if (control) {
      SetFocus(control);
      if (request->selectAll) SendMessageW(control, EM_SETSEL, 0, -1);
    }
  }
}

int ControllerView::ShowModal(HWND owner) {
  HWND hwnd = Handle();
  if (owner) EnableWindow(owner, FALSE);
  Mirror();
  ShowWindow(hwnd, SW_SHOW);
  ApplyFocusRequest();
  MSG msg;
  bool quit = false;
  while (!controller_.CloseResult()) {
    if (!GetMessageW(&msg, nullptr, 0, 0)) {
      quit = true;
      break;
    }
    if (PreTranslateModal(msg)) continue;
    if (!IsDialogMessageW(hwnd, &msg)) {
      TranslateMessage(&msg);
      DispatchMessageW(&msg);
    }
  }
  if (owner) {
    EnableWindow(owner, TRUE);
    SetActiveWindow(owner);
  }
  ShowWindow(hwnd, SW_HIDE);
  if (quit) PostQuitMessage(static_cast<int>(msg.wParam));
  return controller_.CloseResult().value_or(0);
}

LRESULT ControllerView::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_COMMAND: {
      const int id = LOWORD(wParam);
      const int code = HIWORD(wParam);
      HWND control = reinterpret_cast<HWND>(lParam);
      if (updating_) return 0;
      if (OnCommand(id, code, control)) {
      } else if (!control && id == IDOK) {
        controller_.Accept();
      } else if (!control && id == IDCANCEL) {
        controller_.CancelDialog();
      } else if (control && code == BN_CLICKED) {
        if (IsCheckButton(control)) {
          controller_.Checked(id, SendMessageW(control, BM_GETCHECK, 0, 0) == BST_CHECKED);
        } else {
          controller_.Command(id);
        }
      } else if (control && code == EN_CHANGE) {
        Control c;
        c.Attach(control);
        controller_.TextChanged(id, c.Text());
      } else if (control && code == LBN_SELCHANGE) {
        // CBN_SELCHANGE and LBN_SELCHANGE are the same number: the control's
        // class tells which selection to ask for.
        const UINT get = IsListBox(control) ? LB_GETCURSEL : CB_GETCURSEL;
        controller_.SelectionChanged(id, static_cast<int>(SendMessageW(control, get, 0, 0)));
      } else if (!control && code == 0) {
        controller_.Command(id);  // a menu entry
      } else {
        return 0;
      }
      AfterCommand();
      Mirror();
      ApplyFocusRequest();
      return 0;
    }
    case WM_TIMER:
      controller_.TimerFired(static_cast<int>(wParam));
      AfterCommand();
      Mirror();
      return 0;
    case WM_CLOSE:
      if (controller_.CancelDialog()) {
        Mirror();
        return 0;
      }
      break;
    default:
      break;
  }
  return WindowBase::HandleMessage(message, wParam, lParam);
}

}  // namespace renamora::ui::win

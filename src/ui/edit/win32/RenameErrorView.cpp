// The rename error window's controls and its place over its owner.
#include "ui/edit/win32/RenameErrorView.h"

#include <algorithm>

#include "ui/ControlIds.h"
#include "ui/win/Controls.h"
#include "ui/win/DialogFrame.h"
#include "ui/win/Dpi.h"

namespace renamora::ui::win {
namespace {

constexpr wchar_t kClassName[] = L"TForm11";

// The designed client area and its controls at 96 DPI. The names get two lines
// each: a long name wraps instead of being cut.
constexpr int kClientWidth = 349;
constexpr int kClientHeight = 175;
constexpr int kMargin = 12;
constexpr int kNameIndent = 24;
constexpr int kToWidth = 30;
constexpr int kButtonWidth = 75;
constexpr int kButtonHeight = 25;

void CentreOn(HWND hwnd, HWND owner) {
  if (!owner || !IsWindowVisible(owner) || IsIconic(owner)) {
    CentreOnScreen(hwnd);
    return;
  }
  RECT over;
  RECT own;
  GetWindowRect(owner, &over);
  GetWindowRect(hwnd, &own);
  const int width = own.right - own.left;
  const int height = own.bottom - own.top;
  int left = over.left + (over.right - over.left - width) / 2;
  int top = over.top + (over.bottom - over.top - height) / 2;
  // Never partly off the screen, even over an owner that is.
  RECT work;
  SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
  left = std::max<int>(work.left, std::min<int>(left, work.right - width));
  top = std::max<int>(work.top, std::min<int>(top, work.bottom - height));
  SetWindowPos(hwnd, nullptr, left, top, 0, 0, SWP_NOZORDER | SWP_NOSIZE | SWP_NOACTIVATE);
}

}  // namespace

bool RenameErrorView::Create(HWND owner) {
  owner_ = owner;
  if (!CreateDialogWindow(*this, kClassName, kClientWidth, kClientHeight, owner)) return false;
  const UINT dpi = WindowDpi(owner);
  HWND hwnd = Handle();
  auto S = [dpi](int designed) { return Scale(designed, dpi); };
  const int width = kClientWidth - 2 * kMargin;

  Label label;
  label.Create({.parent = hwnd, .id = IDC_RENERR_LABEL});
  label.Place(S(kMargin), S(12), S(width), S(16));
  Label oldName;
  oldName.Create({.parent = hwnd, .id = IDC_RENERR_OLD_NAME, .style = SS_EDITCONTROL});
  oldName.Place(S(kNameIndent), S(30), S(kClientWidth - kMargin - kNameIndent), S(30));
  Label to;
  to.Create({.parent = hwnd, .id = IDC_RENERR_TO_LABEL});
  to.Place(S(kMargin), S(64), S(kToWidth), S(16));
  Label newName;
  newName.Create({.parent = hwnd, .id = IDC_RENERR_NEW_NAME, .style = SS_EDITCONTROL});
  newName.Place(S(kMargin + kToWidth), S(64), S(width - kToWidth), S(30));
  Label reason;
  reason.Create({.parent = hwnd, .id = IDC_RENERR_REASON});
  reason.Place(S(kMargin), S(98), S(width), S(36));
  CheckBox suppress;
  suppress.Create({.parent = hwnd, .id = IDC_RENERR_SUPPRESS});
  suppress.Place(S(kMargin), S(142), S(width - kButtonWidth - 10), S(22));
  Button ok;
  ok.Create({.parent = hwnd, .id = IDC_RENERR_OK, .style = BS_DEFPUSHBUTTON});
  ok.Place(S(kClientWidth - kMargin - kButtonWidth), S(141), S(kButtonWidth), S(kButtonHeight));

  ApplyFont(hwnd, MessageFont(dpi));
  CentreOnScreen(hwnd);
  return true;
}

void RenameErrorView::ShowModal() {
  HWND active = GetActiveWindow();
  HWND owner = active && active != Handle() && IsWindowVisible(active) ? active : owner_;
  CentreOn(Handle(), owner);
  ShowModal(owner);
}

}  // namespace renamora::ui::win

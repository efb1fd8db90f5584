// The single-item rename dialog's window: one row for the name, one for the extension and the buttons.
#include "ui/frame/win32/SingleRenameView.h"

#include "ui/ControlIds.h"
#include "ui/win/Controls.h"
#include "ui/win/DialogFrame.h"
#include "ui/win/Dpi.h"

namespace renamora::ui::win {
namespace {

constexpr wchar_t kClassName[] = L"TForm2";

// The designed client area and its controls at 96 DPI.
constexpr int kClientWidth = 418;
constexpr int kClientHeight = 87;
constexpr int kMargin = 8;
constexpr int kBoxHeight = 23;
constexpr int kSecondRow = 50;
constexpr int kLabelWidth = 88;
constexpr int kExtensionWidth = 49;
constexpr int kButtonWidth = 75;
constexpr int kButtonHeight = 25;
constexpr int kButtonGap = 10;

}  // namespace

bool SingleRenameView::Create(HWND owner) {
  if (!CreateDialogWindow(*this, kClassName, kClientWidth, kClientHeight, owner)) return false;
  const UINT dpi = WindowDpi(owner);
  HWND hwnd = Handle();
  auto S = [dpi](int designed) { return Scale(designed, dpi); };

  // Created in tab order; the extension's label comes right before its box, so a
  // screen reader names the box by it.
  Edit name;
  name.Create({.parent = hwnd, .id = IDC_REN_NAME});
  name.Place(S(kMargin), S(10), S(kClientWidth - 2 * kMargin), S(kBoxHeight));
  Label extensionLabel;
  extensionLabel.Create({.parent = hwnd, .id = IDC_REN_EXT_LABEL, .style = SS_CENTERIMAGE});
  extensionLabel.Place(S(kMargin), S(kSecondRow), S(kLabelWidth), S(kBoxHeight));
  Edit extension;
  extension.Create({.parent = hwnd, .id = IDC_REN_EXT});
  extension.Place(S(kMargin + kLabelWidth + 4), S(kSecondRow), S(kExtensionWidth), S(kBoxHeight));
  // Enter anywhere in the dialog is OK: IsDialogMessageW sends IDOK, which the
  // controller takes as Accept; the default style only draws the button so.
  Button ok;
  ok.Create({.parent = hwnd, .id = IDC_REN_OK, .style = BS_DEFPUSHBUTTON});
  const int cancelLeft = kClientWidth - kMargin - kButtonWidth;
  ok.Place(S(cancelLeft - kButtonGap - kButtonWidth), S(kSecondRow - 1), S(kButtonWidth), S(kButtonHeight));
  Button cancel;
  cancel.Create({.parent = hwnd, .id = IDC_REN_CANCEL});
  cancel.Place(S(cancelLeft), S(kSecondRow - 1), S(kButtonWidth), S(kButtonHeight));

  ApplyFont(hwnd, MessageFont(dpi));
  CentreOnScreen(hwnd);
  return true;
}

}  // namespace renamora::ui::win

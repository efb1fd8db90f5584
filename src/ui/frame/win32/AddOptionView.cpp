// The folder add option dialog's window: the options as radio buttons, the chosen one bold.
#include "ui/frame/win32/AddOptionView.h"

#include "ui/ControlIds.h"
#include "ui/win/Controls.h"
#include "ui/win/DialogFrame.h"
#include "ui/win/Dpi.h"

namespace renamora::ui::win {
namespace {

constexpr wchar_t kClassName[] = L"TForm9";

// The designed client area and its controls at 96 DPI. The option texts are long
// sentences: English fits on one line even in bold, and each keeps room for a
// second line, which a translation may need.
constexpr int kClientWidth = 530;
constexpr int kClientHeight = 160;
constexpr int kMargin = 16;
constexpr int kOptionHeight = 34;
constexpr int kButtonWidth = 75;
constexpr int kButtonHeight = 25;
constexpr int kButtonTop = 124;

}  // namespace

bool AddOptionView::Create(HWND owner) {
  if (!CreateDialogWindow(*this, kClassName, kClientWidth, kClientHeight, owner)) return false;
  const UINT dpi = WindowDpi(owner);
  HWND hwnd = Handle();
  auto S = [dpi](int designed) { return Scale(designed, dpi); };
  const int width = kClientWidth - 2 * kMargin;

  // BS_NOTIFY brings the double-click, which chooses an option and closes at once.
  RadioButton first;
  first.Create({.parent = hwnd, .id = IDC_ADD_OPTION1, .style = BS_MULTILINE | BS_NOTIFY | WS_GROUP});
  first.Place(S(kMargin), S(12), S(width), S(kOptionHeight));
  RadioButton second;
  second.Create({.parent = hwnd, .id = IDC_ADD_OPTION2, .style = BS_MULTILINE | BS_NOTIFY});
  second.Place(S(kMargin), S(50), S(width), S(kOptionHeight));
  Label note;
  note.Create({.parent = hwnd, .id = IDC_ADD_NOTE});
  note.Place(S(kMargin), S(94), S(width), S(18));
  const int cancelLeft = kClientWidth - kMargin - kButtonWidth;
  Button ok;
  ok.Create({.parent = hwnd, .id = IDC_ADD_OK, .style = BS_DEFPUSHBUTTON | WS_GROUP});
  ok.Place(S(cancelLeft - 10 - kButtonWidth), S(kButtonTop), S(kButtonWidth), S(kButtonHeight));
  Button cancel;
  cancel.Create({.parent = hwnd, .id = IDC_ADD_CANCEL});
  cancel.Place(S(cancelLeft), S(kButtonTop), S(kButtonWidth), S(kButtonHeight));

  ApplyFont(hwnd, MessageFont(dpi));
  CentreOnScreen(hwnd);
  return true;
}

int AddOptionView::Choose(HWND owner) {
  c_.Showing();
  return ShowModal(owner);
}

bool AddOptionView::OnCommand(int id, int code, HWND control) {
  if (!control || (id != IDC_ADD_OPTION1 && id != IDC_ADD_OPTION2)) return false;
  // The options are the controller's commands, not check boxes with a state of
  // their own: a click chooses, a double-click chooses and confirms.
  if (code == BN_CLICKED) c_.Command(id);
  if (code == BN_DOUBLECLICKED) c_.DoubleClicked(id);
  return true;
}

}  // namespace renamora::ui::win

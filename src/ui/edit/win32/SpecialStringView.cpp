// The special-string dialog's window: one row per kind of token, top to bottom, the chosen kind in bold.
#include "ui/edit/win32/SpecialStringView.h"

#include <commctrl.h>

#include "ui/ControlIds.h"
#include "ui/win/DialogFrame.h"
#include "ui/win/Dpi.h"

namespace renamora::ui::win {
namespace {

constexpr wchar_t kClassName[] = L"TForm3";

// The designed client area at 96 DPI. The kinds stand in a column after their
// numbers; what belongs to a kind sits in a second column on its row, or on the
// rows below it, indented under the kind's text.
constexpr int kClientWidth = 440;
constexpr int kClientHeight = 448;
constexpr int kMarkLeft = 12;
constexpr int kRadioLeft = 30;
constexpr int kIndent = 48;
constexpr int kSecondColumn = 200;
constexpr int kRight = kClientWidth - 12;
constexpr int kRowHeight = 20;
constexpr int kLabelHeight = 16;
constexpr int kLabelDrop = 3;  // a label's text on the line of its row's radio button
constexpr int kButtonWidth = 75;
constexpr int kButtonHeight = 25;

enum class Kind { Check, Radio, Label, Number, Dates, Button, DefaultButton };

struct Spot {
  int id;
  Kind kind;
  int x, y, width, height;
  DWORD style = 0;
};

// In tab order, each label right before its box. The first kind opens the radio
// group and OK closes it, so the auto radio buttons uncheck each other only.
constexpr int kRow1 = 50, kRow2 = 102, kRow3 = 170, kRow4 = 196, kRow5 = 222, kRow6 = 250, kRow7 = 328;
constexpr int kButtonTop = kClientHeight - 12 - kButtonHeight;
constexpr Spot kSpots[] = {
    {IDC_SS_ENABLED, Kind::Check, kMarkLeft, 8, kRight - kMarkLeft, 34, BS_MULTILINE | BS_TOP},
    {IDC_SS_MARK1, Kind::Label, kMarkLeft, kRow1 + kLabelDrop, 18, kLabelHeight},
    {IDC_SS_NUMBERS, Kind::Radio, kRadioLeft, kRow1, kSecondColumn - kRadioLeft - 4, kRowHeight, WS_GROUP},
    {IDC_SS_START_LABEL, Kind::Label, kSecondColumn, kRow1 + kLabelDrop, 76, kLabelHeight},
    {IDC_SS_START, Kind::Number, kSecondColumn + 80, kRow1 - 1, 64, 22},
    {IDC_SS_NUMBERS_EXAMPLE, Kind::Label, kIndent, kRow1 + 26, kRight - kIndent, kLabelHeight},
    {IDC_SS_MARK2, Kind::Label, kMarkLeft, kRow2 + kLabelDrop, 18, kLabelHeight},
    {IDC_SS_TODAY, Kind::Radio, kRadioLeft, kRow2, kSecondColumn - kRadioLeft - 4, kRowHeight},
    {IDC_SS_DATES, Kind::Dates, kSecondColumn, kRow2 - 1, 144, 220},
    {IDC_SS_DATE_LABEL, Kind::Label, kIndent, kRow2 + 26, kRight - kIndent, kLabelHeight},
    {IDC_SS_DATE_NOTE, Kind::Label, kIndent, kRow2 + 42, kRight - kIndent, kLabelHeight},
    {IDC_SS_MARK3, Kind::Label, kMarkLeft, kRow3 + kLabelDrop, 18, kLabelHeight},
    {IDC_SS_FILE_DATE, Kind::Radio, kRadioLeft, kRow3, kSecondColumn - kRadioLeft - 4, kRowHeight},
    {IDC_SS_FILE_DATE_NOTE, Kind::Label, kSecondColumn, kRow3 + kLabelDrop, kRight - kSecondColumn, kLabelHeight},
    {IDC_SS_MARK4, Kind::Label, kMarkLeft, kRow4 + kLabelDrop, 18, kLabelHeight},
    {IDC_SS_FILE_SIZE, Kind::Radio, kRadioLeft, kRow4, kSecondColumn - kRadioLeft - 4, kRowHeight},
    {IDC_SS_FILE_SIZE_NOTE, Kind::Label, kSecondColumn, kRow4 + kLabelDrop, kRight - kSecondColumn, kLabelHeight},
    {IDC_SS_MARK5, Kind::Label, kMarkLeft, kRow5 + kLabelDrop, 18, kLabelHeight},
    {IDC_SS_FOLDER, Kind::Radio, kRadioLeft, kRow5, kSecondColumn - kRadioLeft - 4, kRowHeight},
    {IDC_SS_FOLDER_NOTE, Kind::Label, kSecondColumn, kRow5 + kLabelDrop, kRight - kSecondColumn, kLabelHeight},
    {IDC_SS_MARK6, Kind::Label, kMarkLeft, kRow6 + kLabelDrop, 18, kLabelHeight},
    {IDC_SS_RANDOM, Kind::Radio, kRadioLeft, kRow6, kRight - kRadioLeft, kRowHeight},
    {IDC_SS_RANDOM_UPPER, Kind::Check, kIndent, kRow6 + 24, 120, kRowHeight},
    {IDC_SS_RANDOM_LOWER, Kind::Check, kIndent + 124, kRow6 + 24, 120, kRowHeight},
    {IDC_SS_RANDOM_DIGITS, Kind::Check, kIndent + 248, kRow6 + 24, kRight - kIndent - 248, kRowHeight},
    {IDC_SS_RANDOM_EXAMPLE, Kind::Label, kIndent, kRow6 + 50, kRight - kIndent, kLabelHeight},
    {IDC_SS_MARK7, Kind::Label, kMarkLeft, kRow7 + kLabelDrop, 18, kLabelHeight},
    {IDC_SS_LETTERS, Kind::Radio, kRadioLeft, kRow7, kRight - kRadioLeft, kRowHeight},
    {IDC_SS_LETTER_UPPER, Kind::Check, kIndent, kRow7 + 24, 160, kRowHeight},
    {IDC_SS_LETTERS_EXAMPLE, Kind::Label, kIndent, kRow7 + 50, kRight - kIndent, kLabelHeight},
    {IDC_SS_OK, Kind::DefaultButton, kRight - 2 * kButtonWidth - 8, kButtonTop, kButtonWidth, kButtonHeight, WS_GROUP},
    {IDC_SS_CANCEL, Kind::Button, kRight - kButtonWidth, kButtonTop, kButtonWidth, kButtonHeight},
    {IDC_SS_HELP, Kind::Button, kMarkLeft, kButtonTop, kButtonWidth, kButtonHeight},
};

}  // namespace

bool SpecialStringView::Create(HWND owner) {
  if (!CreateDialogWindow(*this, kClassName, kClientWidth, kClientHeight, owner)) return false;
  dpi_ = WindowDpi(owner);
  HWND hwnd = Handle();
  for (const Spot& spot : kSpots) {
    const CreateArgs args{.parent = hwnd, .id = spot.id, .style = spot.style};
    switch (spot.kind) {
      case Kind::Check:
        CheckBox().Create(args);
        break;
      case Kind::Radio:
        RadioButton().Create(args);
        break;
      case Kind::Label:
        Label().Create(args);
        break;
      case Kind::Number:
        // Digits only from the keyboard; a paste of anything else is the controller's to refuse.
        start_.Create({.parent = hwnd, .id = spot.id, .style = ES_NUMBER});
        arrows_.Create({.parent = hwnd, .id = IDC_SS_START_SPIN});
        arrows_.SetRange(0, SpecialStringController::kMaximumStart);
        break;
      case Kind::Dates:
        dates_.Create({.parent = hwnd, .id = spot.id, .style = CBS_DROPDOWNLIST});
        break;
      case Kind::Button:
        Button().Create(args);
        break;
      case Kind::DefaultButton:
        Button().Create({.parent = hwnd, .id = spot.id, .style = BS_DEFPUSHBUTTON | spot.style});
        break;
    }
  }
  ApplyFont(hwnd, MessageFont(dpi_));
  Layout();
  Mirror();
  CentreOnScreen(hwnd);
  return true;
}

void SpecialStringView::Layout() {
  for (const Spot& spot : kSpots) {
    Control control;
    control.Attach(GetDlgItem(Handle(), spot.id));
    control.Place(Scale(spot.x, dpi_), Scale(spot.y, dpi_), Scale(spot.width, dpi_), Scale(spot.height, dpi_));
  }
  // Attached again after each placing: the arrows sit at the box's right edge.
  arrows_.SetBuddy(start_.Handle());
}

void SpecialStringView::FillDates() {
  const auto& dates = c_.Dates();
  if (static_cast<std::size_t>(SendMessageW(dates_.Handle(), CB_GETCOUNT, 0, 0)) != dates.size()) {
    dates_.SetItems(dates);
  }
  if (dates_.Selection() != c_.DateSelection()) dates_.Select(c_.DateSelection());
}

std::u16string SpecialStringView::PickSpecialString(HWND owner, int targetCount) {
  c_.Showing();
  FillDates();
  ShowModal(owner);
  return c_.Token(targetCount);
}

bool SpecialStringView::OnCommand(int id, int code, HWND control) {
  if (id != IDC_SS_START || code != EN_CHANGE || !control) return false;
  if (writingStart_) return true;
  c_.TextChanged(id, start_.Text());
  // A refused text is taken back: the box shows the controller's text again even
  // when that is the text the mirror wrote last, which it would not write anew.
  const std::u16string shown = c_.State(id).text;
  if (start_.Text() != shown) {
    writingStart_ = true;
    start_.SetText(shown);
    SendMessageW(start_.Handle(), EM_SETSEL, shown.size(), shown.size());
    writingStart_ = false;
  }
  return true;
}

LRESULT SpecialStringView::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_NOTIFY: {
      const auto* header = reinterpret_cast<const NMHDR*>(lParam);
      if (header->idFrom != IDC_SS_START_SPIN || header->code != UDN_DELTAPOS) break;
      c_.StepStartNumber(reinterpret_cast<const NMUPDOWN*>(lParam)->iDelta);
      Mirror();
      ApplyFocusRequest();
      // The arrows keep no position of their own: the box's text is the number.
      return 1;
    }
    case WM_DPICHANGED:
      dpi_ = AdoptDpi(wParam, lParam);
      Mirror();
      Layout();
      return 0;
    default:
      break;
  }
  return ControllerView::HandleMessage(message, wParam, lParam);
}

}  // namespace renamora::ui::win

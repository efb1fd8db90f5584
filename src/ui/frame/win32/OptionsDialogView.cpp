// The options dialog's controls, their layout by the measured texts, the arrows
// of the number boxes and the focus that decides what Enter and Esc do.
#include "ui/frame/win32/OptionsDialogView.h"

#include <commctrl.h>
#include <uxtheme.h>
#include <vssym32.h>

#include <algorithm>
#include <vector>

#include "base/text/NumberText.h"
#include "platform/win32/WideText.h"
#include "ui/ControlIds.h"
#include "ui/win/DialogFrame.h"
#include "ui/win/Dpi.h"
#include "ui/win/Shell.h"

namespace renamora::ui::win {
namespace {

constexpr wchar_t kClassName[] = L"TForm7";

// The designed client area and its margins at 96 DPI.
constexpr int kClientWidth = 326;
constexpr int kClientHeight = 320;
constexpr int kMargin = 6;
constexpr int kButtonHeight = 25;
constexpr int kButtonWidth = 75;
constexpr int kButtonGap = 6;
constexpr int kPagePadding = 8;
constexpr int kRowGap = 4;
constexpr int kNumberBoxWidth = 64;
constexpr int kGroupTop = 20;  // from a group's top edge to its first row
constexpr int kGroupInset = 10;

enum class Kind { Check, Button, DefaultButton, Group, Label, Number };

struct ControlSpec {
  int id;
  Kind kind;
};

// In tab order: every page's controls, each label right before its box, then the
// bottom row. The tab control comes first and the lists have their own members.
constexpr ControlSpec kGeneralPage[] = {
    {IDC_OPT_SHORTCUT, Kind::Check},     {IDC_OPT_EXIT_AFTER, Kind::Check}, {IDC_OPT_END_SOUND, Kind::Check},
    {IDC_OPT_CONFIRM, Kind::Check},      {IDC_OPT_CONTEXT_MENU, Kind::Check}, {IDC_OPT_CHECKBOXES, Kind::Check},
    {IDC_OPT_AUTO_PREVIEW, Kind::Check},
};
constexpr ControlSpec kRenamePage[] = {
    {IDC_OPT_NO_OPEN_LISTING, Kind::Check}, {IDC_OPT_CAP_EVERY, Kind::Check},       {IDC_OPT_AUTO_COPY, Kind::Check},
    {IDC_OPT_PREVIEW_GROUP, Kind::Group},   {IDC_OPT_PREVIEW_LABEL, Kind::Label},   {IDC_OPT_PREVIEW_NUMBER, Kind::Number},
    {IDC_OPT_PREVIEW_MAX, Kind::Check},
};
constexpr ControlSpec kHistoryPage[] = {
    {IDC_OPT_NEWNAME_GROUP, Kind::Group},  {IDC_OPT_NEWNAME_LABEL, Kind::Label}, {IDC_OPT_NEWNAME_NUMBER, Kind::Number},
    {IDC_OPT_NEWNAME_EDIT, Kind::Button},  {IDC_OPT_NEWNAME_CLEAR, Kind::Button}, {IDC_OPT_FOLDERS_GROUP, Kind::Group},
    {IDC_OPT_FOLDERS_LABEL, Kind::Label},  {IDC_OPT_FOLDERS_NUMBER, Kind::Number}, {IDC_OPT_FOLDERS_CLEAR, Kind::Button},
};
constexpr ControlSpec kDisplayPage[] = {
    {IDC_OPT_SHOW_RESULTS, Kind::Check}, {IDC_OPT_SHOW_GUIDE, Kind::Check},  {IDC_OPT_SHOW_HIDDEN, Kind::Check},
    {IDC_OPT_SHOW_SYSTEM, Kind::Check},  {IDC_OPT_ICONS_LABEL, Kind::Label},
};
constexpr ControlSpec kBottomRow[] = {
    {IDC_OPT_DEFAULT, Kind::Button},
    {IDC_OPT_OK, Kind::DefaultButton},
    {IDC_OPT_CANCEL, Kind::Button},
    {IDC_OPT_HELP, Kind::Button},
};

struct SpinSpec {
  int spinId;
  int boxId;
};
constexpr SpinSpec kSpins[] = {
    {IDC_OPT_PREVIEW_SPIN, IDC_OPT_PREVIEW_NUMBER},
    {IDC_OPT_NEWNAME_SPIN, IDC_OPT_NEWNAME_NUMBER},
    {IDC_OPT_FOLDERS_SPIN, IDC_OPT_FOLDERS_NUMBER},
};

// A box's text as a number when it is one (plain digits).
std::optional<int> BoxNumber(std::u16string_view text) {
  if (text.empty() || text.size() > 9) return std::nullopt;
  int value = 0;
  for (const char16_t c : text) {
    if (c < u'0' || c > u'9') return std::nullopt;
    value = value * 10 + (c - u'0');
  }
  return value;
}

// Measures texts in the dialog's font.
class TextMeasure {
 public:
  explicit TextMeasure(HFONT font) : dc_(CreateCompatibleDC(nullptr)), old_(SelectObject(dc_, font)) {
    TEXTMETRICW metrics{};
    GetTextMetricsW(dc_, &metrics);
    lineHeight_ = metrics.tmHeight;
  }
  ~TextMeasure() {
    SelectObject(dc_, old_);
    DeleteDC(dc_);
  }
  TextMeasure(const TextMeasure&) = delete;
  TextMeasure& operator=(const TextMeasure&) = delete;

  int Width(std::u16string_view text) const {
    const std::wstring wide = ToWide(text);
    SIZE size{};
    GetTextExtentPoint32W(dc_, wide.c_str(), static_cast<int>(wide.size()), &size);
    return size.cx;
  }
  int LineHeight() const { return lineHeight_; }

 private:
  HDC dc_;
  HGDIOBJ old_;
  int lineHeight_ = 13;
};

// The group box a control sits in; 0 for none.
int GroupOf(int id) {
  switch (id) {
    case IDC_OPT_PREVIEW_LABEL:
    case IDC_OPT_PREVIEW_MAX:
      return IDC_OPT_PREVIEW_GROUP;
    case IDC_OPT_NEWNAME_LABEL:
    case IDC_OPT_NEWNAME_EDIT:
    case IDC_OPT_NEWNAME_CLEAR:
      return IDC_OPT_NEWNAME_GROUP;
    case IDC_OPT_FOLDERS_LABEL:
    case IDC_OPT_FOLDERS_CLEAR:
      return IDC_OPT_FOLDERS_GROUP;
    default:
      return 0;
  }
}

void LowerBeneathSiblings(HWND window) {
  SetWindowLongW(window, GWL_STYLE, GetWindowLongW(window, GWL_STYLE) | WS_CLIPSIBLINGS);
  SetWindowPos(window, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

}  // namespace

OptionsDialogView::OptionsDialogView(OptionsController& controller, std::u16string helpFile)
    : ControllerView(controller), c_(controller), helpFile_(std::move(helpFile)) {}

bool OptionsDialogView::Create(HWND owner) {
  if (!CreateDialogWindow(*this, kClassName, kClientWidth, kClientHeight, owner, 0)) return false;
  dpi_ = WindowDpi(owner);
  CreateControls();
  Mirror();
  Layout();
  CentreOnScreen();
  return true;
}

void OptionsDialogView::CreateControls() {
  HWND hwnd = Handle();
  tabs_.Create({.parent = hwnd, .id = IDC_OPT_TABS});
  auto make = [&](const ControlSpec& entry) {
    CreateArgs args{.parent = hwnd, .id = entry.id};
    switch (entry.kind) {
      case Kind::Check: {
        CheckBox box;
        box.Create({.parent = hwnd, .id = entry.id, .style = BS_MULTILINE});
        controls_[entry.id] = box;
        break;
      }
      case Kind::Button:
      case Kind::DefaultButton: {
        Button button;
        if (entry.kind == Kind::DefaultButton) args.style = BS_DEFPUSHBUTTON;
        button.Create(args);
        controls_[entry.id] = button;
        break;
      }
      case Kind::Group: {
        GroupBox group;
        group.Create(args);
        controls_[entry.id] = group;
        break;
      }
      case Kind::Label: {
        Label label;
        label.Create(args);
        controls_[entry.id] = label;
        break;
      }
      case Kind::Number: {
        // Digits only from the keyboard; a paste of anything else is the controller's to refuse.
        Edit box;
        box.Create({.parent = hwnd, .id = entry.id, .style = ES_NUMBER});
        controls_[entry.id] = box;
        for (const SpinSpec& spin : kSpins) {
          if (spin.boxId != entry.id) continue;
          UpDown arrows;
          arrows.Create({.parent = hwnd, .id = spin.spinId});
          const NumberRange range = c_.SpinRange(spin.spinId);
          arrows.SetRange(range.minimum, range.maximum);
          spins_[spin.spinId] = arrows;
        }
        break;
      }
    }
  };
  for (const auto& entry : kGeneralPage) make(entry);
  for (const auto& entry : kRenamePage) make(entry);
  for (const auto& entry : kHistoryPage) make(entry);
  languages_.Create({.parent = hwnd, .id = IDC_OPT_LANGUAGES});
  for (const auto& entry : kDisplayPage) make(entry);
  iconSets_.Create({.parent = hwnd, .id = IDC_OPT_ICON_SETS});
  for (const auto& entry : kBottomRow) make(entry);
  // The frames go beneath what they hold: a sibling lower in the z-order paints
  // after the ones above it, and the frames clip those out, so neither a group nor
  // the tab control ever covers a box. The tab control becomes the last tab stop;
  // Ctrl+Tab turns the pages from anywhere.
  for (const auto& entry : kRenamePage) {
    if (entry.kind == Kind::Group) LowerBeneathSiblings(controls_[entry.id].Handle());
  }
  for (const auto& entry : kHistoryPage) {
    if (entry.kind == Kind::Group) LowerBeneathSiblings(controls_[entry.id].Handle());
  }
  LowerBeneathSiblings(tabs_.Handle());

  tooltip_ = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, 0, 0, 0,
                             0, hwnd, nullptr, GetModuleHandleW(nullptr), nullptr);
  ApplyFont(hwnd, MessageFont(dpi_));
}

void OptionsDialogView::Layout() {
  auto S = [this](int designed) { return Scale(designed, dpi_); };
  const TextMeasure measure(MessageFont(dpi_));
  const int line = measure.LineHeight();
  auto text = [this](int id) { return c_.State(id).text; };
  auto place = [this](int id, int x, int y, int width, int height) {
    if (auto found = controls_.find(id); found != controls_.end()) found->second.Place(x, y, width, height);
  };
  auto buttonWidth = [&](int id) { return std::max(S(kButtonWidth), measure.Width(text(id)) + S(20)); };

  // The bottom row: Default at the left, OK and Cancel at the right.
  const int buttonTop = S(kClientHeight - kMargin - kButtonHeight);
  const int cancelWidth = buttonWidth(IDC_OPT_CANCEL);
  const int okWidth = buttonWidth(IDC_OPT_OK);
  const int cancelLeft = S(kClientWidth - kMargin) - cancelWidth;
  const int okLeft = cancelLeft - S(kButtonGap) - okWidth;
  place(IDC_OPT_CANCEL, cancelLeft, buttonTop, cancelWidth, S(kButtonHeight));
  place(IDC_OPT_OK, okLeft, buttonTop, okWidth, S(kButtonHeight));
  place(IDC_OPT_DEFAULT, S(kMargin), buttonTop, buttonWidth(IDC_OPT_DEFAULT), S(kButtonHeight));
  place(IDC_OPT_HELP, okLeft - S(kButtonGap) - S(kButtonWidth), buttonTop, S(kButtonWidth), S(kButtonHeight));

  tabs_.Place(S(kMargin), S(kMargin), S(kClientWidth - 2 * kMargin), buttonTop - S(2 * kMargin));
  const RECT page = tabs_.PageArea();
  const int left = page.left + S(kPagePadding);
  const int top = page.top + S(kPagePadding);
  const int width = page.right - page.left - S(2 * kPagePadding);
  const int bottom = page.bottom - S(kPagePadding);

  // A check box takes two lines when its text does not fit one: long texts and
  // other languages wrap instead of being cut.
  const int boxSpace = GetSystemMetrics(SM_CXMENUCHECK) + S(8);
  auto checkRow = [&](int id, int x, int& y, int w) {
    const int lines = measure.Width(text(id)) + boxSpace > w ? 2 : 1;
    const int height = std::max(S(20), lines * line + S(4));
    place(id, x, y, w, height);
    y += height + S(kRowGap);
  };
  const int boxHeight = line + S(8);
  auto numberRow = [&](int labelId, int boxId, int spinId, int x, int& y) {
    const int labelWidth = measure.Width(text(labelId)) + S(4);
    place(labelId, x, y + (boxHeight - line) / 2, labelWidth, line + S(2));
    place(boxId, x + labelWidth + S(8), y, S(kNumberBoxWidth), boxHeight);
    // Attached again after each placing: the arrows sit at the box's right edge.
    spins_[spinId].SetBuddy(controls_[boxId].Handle());
    y += boxHeight + S(6);
  };
  auto buttonRow = [&](std::initializer_list<int> ids, int x, int& y) {
    for (const int id : ids) {
      const int w = buttonWidth(id);
      place(id, x, y, w, S(kButtonHeight));
      x += w + S(kButtonGap);
    }
    y += S(kButtonHeight) + S(kRowGap);
  };
  auto group = [&](int groupId, int& y, auto&& rows) {
    const int groupTop = y;
    int inner = y + S(kGroupTop);
    rows(left + S(kGroupInset), inner, width - S(2 * kGroupInset));
    const int height = inner - groupTop + S(kRowGap);
    place(groupId, left, groupTop, width, height);
    y = groupTop + height + S(kRowGap);
  };

  // General.
  int y = top;
  for (const int id : {IDC_OPT_SHORTCUT, IDC_OPT_EXIT_AFTER, IDC_OPT_END_SOUND, IDC_OPT_CONFIRM, IDC_OPT_CONTEXT_MENU,
                       IDC_OPT_CHECKBOXES, IDC_OPT_AUTO_PREVIEW}) {
    checkRow(id, left, y, width);
  }
  // Rename.
  y = top;
  for (const int id : {IDC_OPT_NO_OPEN_LISTING, IDC_OPT_CAP_EVERY, IDC_OPT_AUTO_COPY}) checkRow(id, left, y, width);
  group(IDC_OPT_PREVIEW_GROUP, y, [&](int x, int& rowY, int w) {
    numberRow(IDC_OPT_PREVIEW_LABEL, IDC_OPT_PREVIEW_NUMBER, IDC_OPT_PREVIEW_SPIN, x, rowY);
    checkRow(IDC_OPT_PREVIEW_MAX, x, rowY, w);
  });
  // History.
  y = top;
  group(IDC_OPT_NEWNAME_GROUP, y, [&](int x, int& rowY, int) {
    numberRow(IDC_OPT_NEWNAME_LABEL, IDC_OPT_NEWNAME_NUMBER, IDC_OPT_NEWNAME_SPIN, x, rowY);
    buttonRow({IDC_OPT_NEWNAME_EDIT, IDC_OPT_NEWNAME_CLEAR}, x, rowY);
  });
  group(IDC_OPT_FOLDERS_GROUP, y, [&](int x, int& rowY, int) {
    numberRow(IDC_OPT_FOLDERS_LABEL, IDC_OPT_FOLDERS_NUMBER, IDC_OPT_FOLDERS_SPIN, x, rowY);
    buttonRow({IDC_OPT_FOLDERS_CLEAR}, x, rowY);
  });
  // Language.
  languages_.Place(left, top, width, bottom - top);
  // Display.
  y = top;
  for (const int id : {IDC_OPT_SHOW_RESULTS, IDC_OPT_SHOW_GUIDE, IDC_OPT_SHOW_HIDDEN, IDC_OPT_SHOW_SYSTEM}) {
    checkRow(id, left, y, width);
  }
  y += S(2);
  place(IDC_OPT_ICONS_LABEL, left, y, width, line + S(2));
  y += line + S(6);
  iconSets_.Place(left, y, width, std::max(S(40), bottom - y));
}

int OptionsDialogView::Open(HWND owner) {
  c_.Show();
  FillFromController();
  focusedId_ = 0;
  savedFocus_ = nullptr;
  CentreOnScreen();
  return ShowModal(owner);
}

void OptionsDialogView::FillFromController() {
  tabs_.SetTitles(c_.PageTitles());
  std::vector<std::u16string> names;
  for (const auto& entry : c_.Languages()) names.push_back(entry.name);
  languages_.SetItems(names);
  iconSets_.SetItems(c_.IconSets());
  // Texts may have changed (a new language): the mirror writes them, and the
  // layout follows their lengths.
  ForgetShownState();
  Mirror();
  Layout();
  SyncSelections();
  ApplyHint();
}

void OptionsDialogView::SyncSelections() {
  if (shownPage_ != c_.ActivePage()) {
    shownPage_ = c_.ActivePage();
    if (tabs_.Selection() != shownPage_) tabs_.Select(shownPage_);
    // The page's frames paint over what the last page left only where it was:
    // the whole page is drawn again.
    RedrawWindow(Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
  }
  auto select = [](const ListBox& list, std::optional<std::size_t> index) {
    const int wanted = index ? static_cast<int>(*index) : -1;
    if (list.Selection() != wanted) list.Select(wanted);
  };
  select(languages_, c_.LanguageSelection());
  select(iconSets_, c_.IconSetSelection());
}

void OptionsDialogView::ApplyHint() {
  SetToolTip(tooltip_, Handle(), controls_[IDC_OPT_AUTO_COPY].Handle(), c_.Hint(IDC_OPT_AUTO_COPY));
}

void OptionsDialogView::CentreOnScreen() {
  RECT window;
  GetWindowRect(Handle(), &window);
  RECT work;
  SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
  const int width = window.right - window.left;
  const int height = window.bottom - window.top;
  SetWindowPos(Handle(), nullptr, work.left + (work.right - work.left - width) / 2,
               work.top + (work.bottom - work.top - height) / 2, 0, 0, SWP_NOZORDER | SWP_NOSIZE | SWP_NOACTIVATE);
}

void OptionsDialogView::AfterCommand() { SyncSelections(); }

void OptionsDialogView::FocusChanged() {
  HWND focus = GetFocus();
  const int id = focus && IsChild(Handle(), focus) ? GetDlgCtrlID(focus) : 0;
  if (id == focusedId_) return;
  const int from = focusedId_;
  focusedId_ = id;
  c_.FocusMoved(from, id);
  Mirror();
}

bool OptionsDialogView::PreTranslateModal(MSG& msg) {
  // Where the focus is now decides what an Enter or Esc in this message does.
  FocusChanged();
  if (msg.message != WM_KEYDOWN) return false;
  if (msg.wParam == VK_F1) {
    ShowHelpTopic(helpFile_, u"Options.htm");
    return true;
  }
  if (msg.wParam == VK_TAB && GetKeyState(VK_CONTROL) < 0) {
    const int step = GetKeyState(VK_SHIFT) < 0 ? OptionsController::PageCount - 1 : 1;
    c_.SelectionChanged(IDC_OPT_TABS, (c_.ActivePage() + step) % OptionsController::PageCount);
    AfterCommand();
    Mirror();
    return true;
  }
  return false;
}

bool OptionsDialogView::StepNumber(int spinId, int delta) {
  for (const SpinSpec& spin : kSpins) {
    if (spin.spinId != spinId) continue;
    const NumberRange range = c_.SpinRange(spinId);
    const std::optional<int> shown = BoxNumber(c_.State(spin.boxId).text);
    // A box holding no number starts again from the bottom of the range.
    const int to = shown ? std::clamp(*shown + delta, range.minimum, range.maximum) : range.minimum;
    if (shown && to == *shown) return true;
    c_.TextChanged(spin.boxId, NumberText(to, 1));
    return true;
  }
  return false;
}

LRESULT OptionsDialogView::OnNotify(NMHDR* header) {
  if (header->idFrom == IDC_OPT_TABS && header->code == TCN_SELCHANGE) {
    c_.SelectionChanged(IDC_OPT_TABS, tabs_.Selection());
  } else if (header->code == UDN_DELTAPOS) {
    const auto* step = reinterpret_cast<NMUPDOWN*>(header);
    if (!StepNumber(static_cast<int>(header->idFrom), step->iDelta)) return 0;
  } else {
    return 0;
  }
  AfterCommand();
  Mirror();
  ApplyFocusRequest();
  // The arrows keep no position of their own: the box's text is the number.
  return header->code == UDN_DELTAPOS ? 1 : 0;
}

LRESULT OptionsDialogView::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_NOTIFY:
      return OnNotify(reinterpret_cast<NMHDR*>(lParam));
    case WM_ERASEBKGND:
    case WM_PRINTCLIENT: {
      // Also what a group box shows inside its frame: the page's colour there.
      auto dc = reinterpret_cast<HDC>(wParam);
      RECT client;
      GetClientRect(Handle(), &client);
      FillRect(dc, &client, GetSysColorBrush(COLOR_BTNFACE));
      if (GetWindowTheme(tabs_.Handle())) {
        const RECT page = tabs_.PageArea();
        FillRect(dc, &page, GetSysColorBrush(COLOR_WINDOW));
        // Boxes that paint their parent's background inside an opaque group.
        for (const int group : {IDC_OPT_PREVIEW_GROUP, IDC_OPT_NEWNAME_GROUP, IDC_OPT_FOLDERS_GROUP}) {
          HWND frame = controls_[group].Handle();
          HTHEME theme = GetWindowTheme(frame);
          if (!IsWindowVisible(frame) || !theme ||
              IsThemeBackgroundPartiallyTransparent(theme, BP_GROUPBOX, GBS_NORMAL)) {
            continue;
          }
          RECT inside;
          GetWindowRect(frame, &inside);
          MapWindowPoints(nullptr, Handle(), reinterpret_cast<POINT*>(&inside), 2);
          FillRect(dc, &inside, GetSysColorBrush(COLOR_BTNFACE));
        }
      }
      return 1;
    }
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN: {
      // A themed tab body is window-coloured, not dialog-coloured: the texts and
      // boxes on a page take its colour, or they would stand on grey bands.
      // Inside a group that its theme paints opaque, the group's colour instead.
      const int id = GetDlgCtrlID(reinterpret_cast<HWND>(lParam));
      const bool onPage = id != IDC_OPT_DEFAULT && id != IDC_OPT_OK && id != IDC_OPT_CANCEL && id != IDC_OPT_HELP;
      const int group = GroupOf(id);
      HTHEME groupTheme = group ? GetWindowTheme(controls_[group].Handle()) : nullptr;
      const bool inOpaqueGroup =
          groupTheme && !IsThemeBackgroundPartiallyTransparent(groupTheme, BP_GROUPBOX, GBS_NORMAL);
      if (onPage && !inOpaqueGroup && GetWindowTheme(tabs_.Handle())) {
        SetBkColor(reinterpret_cast<HDC>(wParam), GetSysColor(COLOR_WINDOW));
        return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_WINDOW));
      }
      break;
    }
    case WM_CLOSE:
      // The close box cancels wherever the focus is.
      c_.Command(IDC_OPT_CANCEL);
      Mirror();
      return 0;
    case WM_ACTIVATE:
      // Like a dialog: the focus goes back to the control that had it, or to the
      // first one Tab reaches.
      if (LOWORD(wParam) == WA_INACTIVE) {
        HWND focus = GetFocus();
        if (focus && IsChild(Handle(), focus)) savedFocus_ = focus;
      } else {
        HWND target = savedFocus_ && IsWindowVisible(savedFocus_) ? savedFocus_
                                                                   : GetNextDlgTabItem(Handle(), nullptr, FALSE);
        if (target) SetFocus(target);
      }
      return 0;
    case WM_DPICHANGED: {
      dpi_ = AdoptDpi(wParam, lParam);
      Mirror();
      Layout();
      return 0;
    }
    default:
      break;
  }
  return ControllerView::HandleMessage(message, wParam, lParam);
}

}  // namespace renamora::ui::win

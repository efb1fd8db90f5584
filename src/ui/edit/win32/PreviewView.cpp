// The preview window's controls, layout, owner-data list and context menu.
#include "ui/edit/win32/PreviewView.h"

#include <commctrl.h>
#include <windowsx.h>

#include <algorithm>

#include "base/Paths.h"
#include "platform/win32/WideText.h"
#include "ui/ControlIds.h"
#include "ui/win/DialogFrame.h"
#include "ui/win/Dpi.h"
#include "ui/win/Shell.h"

namespace renamora::ui::win {
namespace {

constexpr wchar_t kClassName[] = L"TForm6";
constexpr DWORD kStyle = WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN;
constexpr DWORD kExStyle = WS_EX_CONTROLPARENT;

// The designed layout at 96 DPI: the list above a 60-pixel panel whose buttons keep
// a small inset from the window's sides.
constexpr int kPanelHeight = 60;
constexpr int kPanelInset = 8;
constexpr int kButtonWidth = 100;
constexpr int kButtonHeight = 32;
constexpr int kMinClientWidth = 2 * kButtonWidth + 3 * kPanelInset;
constexpr int kMinClientHeight = kPanelHeight + 80;

static_assert(sizeof(wchar_t) == sizeof(char16_t));

}  // namespace

// --- Host ----------------------------------------------------------------------

void Win32PreviewHost::RenameFromPreview() {
  // The run may take long and show its own windows: the preview is gone before it starts.
  if (window_) ShowWindow(window_, SW_HIDE);
  if (rename) rename();
}

void Win32PreviewHost::ShowOnSample(std::u16string_view text, std::u16string_view hint) {
  if (showOn) showOn(text, hint);
}

void Win32PreviewHost::CopyText(std::u16string_view text) { static_cast<void>(PutTextOnClipboard(window_, text)); }

void Win32PreviewHost::ShowHelp(std::u16string_view topic) { ShowHelpTopic(helpFile, topic); }

// --- View ----------------------------------------------------------------------

bool PreviewView::Create(HWND owner) {
  if (!RegisterClassOnce(kClassName, nullptr)) return false;
  dpi_ = WindowDpi(owner);
  const SIZE size = DialogWindowSize(kPreviewClientWidth, kPreviewClientHeight, kStyle, kExStyle, dpi_);
  if (!CreateWindowOf(kClassName, L"", kStyle, kExStyle, 0, 0, size.cx, size.cy, owner)) return false;
  HWND hwnd = Handle();

  // Read-only, several rows selectable, columns that do not sort; the rows are
  // asked for as they are painted, so a long preview costs only what shows.
  list_ = CreateWindowExW(0, WC_LISTVIEWW, L"",
                          WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_CLIPSIBLINGS | WS_BORDER | LVS_REPORT |
                              LVS_OWNERDATA | LVS_SHOWSELALWAYS | LVS_NOSORTHEADER,
                          0, 0, 10, 10, hwnd, reinterpret_cast<HMENU>(static_cast<INT_PTR>(IDC_PREVIEW_LIST)),
                          GetModuleHandleW(nullptr), nullptr);
  if (!list_) return false;
  ListView_SetExtendedListViewStyle(list_,
                                    LVS_EX_FULLROWSELECT | LVS_EX_GRIDLINES | LVS_EX_DOUBLEBUFFER | LVS_EX_LABELTIP);
  for (int column = 0; column < 2; ++column) {
    LVCOLUMNW col{};
    col.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_SUBITEM;
    col.pszText = const_cast<wchar_t*>(L"");
    col.cx = Scale(kPreviewClientWidth / 2, dpi_);
    col.iSubItem = column;
    ListView_InsertColumn(list_, column, &col);
  }
  rename_.Create({.parent = hwnd, .id = IDC_PREVIEW_RENAME});
  close_.Create({.parent = hwnd, .id = IDC_PREVIEW_CLOSE});

  tooltip_ = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, 0, 0, 0,
                             0, hwnd, nullptr, GetModuleHandleW(nullptr), nullptr);
  ApplyFont(hwnd, MessageFont(dpi_));
  CentreOnScreen(hwnd);
  Layout();
  return true;
}

void PreviewView::LoadGlyphFiles(std::u16string_view folder) {
  const std::u16string base = WithTrailingSeparator(folder);
  const struct {
    HWND button;
    std::u16string_view name;
  } pictures[] = {{rename_.Handle(), u"OK"}, {close_.Handle(), u"Exit"}};
  for (const auto& picture : pictures) {
    HBITMAP bitmap = LoadBitmapFile(base + std::u16string(picture.name) + u".bmp");
    if (!bitmap) continue;
    SetButtonImages(picture.button, BitmapImageList(bitmap, Scale(20, dpi_)), dpi_, ImagePlace::Beside);
    DeleteObject(bitmap);
  }
}

void PreviewView::PlaceAtFirstShowing() {
  RECT work{};
  SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
  const SIZE designed = DialogWindowSize(kPreviewClientWidth, kPreviewClientHeight, kStyle, kExStyle, dpi_);
  const PreviewRect place = PreviewFirstPlace(
      PreviewRect{work.left, work.top, work.right - work.left, work.bottom - work.top}, designed.cx, designed.cy,
      Scale(kPreviewPlacedWidth, dpi_));
  // The normal place, also when the window stands maximized now.
  WINDOWPLACEMENT placement{};
  placement.length = sizeof(placement);
  GetWindowPlacement(Handle(), &placement);
  placement.rcNormalPosition = RECT{place.left, place.top, place.left + place.width, place.top + place.height};
  placement.showCmd = IsWindowVisible(Handle()) ? placement.showCmd : SW_HIDE;
  SetWindowPlacement(Handle(), &placement);
}

void PreviewView::Show(bool maximized) {
  c_.Showing(maximized);
  ApplyTexts();
  Mirror();
  SyncRows();
  ShowWindow(Handle(), c_.Maximized() ? SW_SHOWMAXIMIZED : SW_SHOWNORMAL);
  SetForegroundWindow(Handle());
}

void PreviewView::Hide() {
  c_.Hide();
  ShowWindow(Handle(), SW_HIDE);
}

void PreviewView::Closed() {
  if (!c_.Visible() && IsWindowVisible(Handle())) ShowWindow(Handle(), SW_HIDE);
}

void PreviewView::LanguageChanged() {
  c_.LanguageChanged();
  if (c_.Visible()) {
    ApplyTexts();
    Mirror();
  }
}

void PreviewView::ApplyTexts() {
  for (int column = 0; column < 2; ++column) {
    const std::wstring title = ToWide(c_.ColumnTitle(column));
    LVCOLUMNW col{};
    col.mask = LVCF_TEXT;
    col.pszText = const_cast<wchar_t*>(title.c_str());
    ListView_SetColumn(list_, column, &col);
  }
  for (HWND button : {rename_.Handle(), close_.Handle()}) {
    SetToolTip(tooltip_, Handle(), button, c_.HintText(GetDlgCtrlID(button)));
  }
}

void PreviewView::SyncRows() {
  if (!list_ || shownRowsVersion_ == c_.RowsVersion()) return;
  shownRowsVersion_ = c_.RowsVersion();
  // New rows: no selection and the first row at the top, as for a fresh list.
  ListView_SetItemState(list_, -1, 0, LVIS_SELECTED | LVIS_FOCUSED);
  ListView_SetItemCountEx(list_, static_cast<int>(c_.RowCount()), 0);
  if (c_.RowCount() > 0) ListView_EnsureVisible(list_, 0, FALSE);
  InvalidateRect(list_, nullptr, FALSE);
  // A vertical scroll bar may have come or gone with the rows.
  FitColumns();
}

RECT PreviewView::ButtonPanel() const {
  RECT client;
  GetClientRect(Handle(), &client);
  const int inset = Scale(kPanelInset, dpi_);
  return RECT{inset, std::max(0L, client.bottom - Scale(kPanelHeight, dpi_)), client.right - inset, client.bottom};
}

void PreviewView::Layout() {
  RECT client;
  GetClientRect(Handle(), &client);
  const RECT panel = ButtonPanel();
  SetWindowPos(list_, nullptr, 0, 0, client.right, panel.top, SWP_NOZORDER | SWP_NOACTIVATE);
  const int width = Scale(kButtonWidth, dpi_);
  const int height = Scale(kButtonHeight, dpi_);
  const int top = panel.top + (panel.bottom - panel.top - height) / 2;
  rename_.Place(panel.left, top, width, height);
  // Close keeps to the panel's right edge however wide the window is.
  close_.Place(panel.right - width, top, width, height);
  FitColumns();
}

void PreviewView::FitColumns() {
  RECT inside;
  GetClientRect(list_, &inside);
  const int first = inside.right / 2;
  ListView_SetColumnWidth(list_, 0, first);
  ListView_SetColumnWidth(list_, 1, inside.right - first);
}

void PreviewView::SelectionToController() {
  c_.SelectionChanged(IDC_PREVIEW_LIST, ListView_GetNextItem(list_, -1, LVNI_SELECTED));
}

void PreviewView::ShowListMenu(LPARAM at) {
  SelectionToController();
  POINT where{GET_X_LPARAM(at), GET_Y_LPARAM(at)};
  if (at == -1) {
    // From the keyboard: below the first selected row, else the list's corner.
    RECT r{};
    const int item = ListView_GetNextItem(list_, -1, LVNI_SELECTED);
    if (item >= 0) ListView_GetItemRect(list_, item, &r, LVIR_LABEL);
    where = POINT{r.left, r.bottom};
    ClientToScreen(list_, &where);
  }
  HMENU menu = CreatePopupMenu();
  for (int id : {IDM_PREVIEW_SHOW_ON, IDM_PREVIEW_COPY_NAME}) {
    const ControlState state = c_.MenuState(id);
    AppendMenuW(menu, MF_STRING | (state.enabled ? 0 : MF_GRAYED), static_cast<UINT_PTR>(id),
                ToWide(state.text).c_str());
  }
  // The choice comes back as WM_COMMAND, through the controller like a button.
  TrackPopupMenuEx(menu, TPM_RIGHTBUTTON, where.x, where.y, Handle(), nullptr);
  DestroyMenu(menu);
}

LRESULT PreviewView::OnNotify(NMHDR* header) {
  if (header->hwndFrom != list_) return 0;
  switch (header->code) {
    case LVN_GETDISPINFOW: {
      auto* info = reinterpret_cast<NMLVDISPINFOW*>(header);
      if (!(info->item.mask & LVIF_TEXT) || info->item.cchTextMax <= 0 || info->item.iItem < 0) return 0;
      const std::u16string_view text = c_.CellText(static_cast<std::size_t>(info->item.iItem), info->item.iSubItem);
      const std::size_t n = std::min<std::size_t>(text.size(), static_cast<std::size_t>(info->item.cchTextMax - 1));
      std::copy_n(text.data(), n, reinterpret_cast<char16_t*>(info->item.pszText));
      info->item.pszText[n] = L'\0';
      return 0;
    }
    case NM_CUSTOMDRAW:
      return OnCustomDraw(reinterpret_cast<NMLVCUSTOMDRAW*>(header));
    case LVN_KEYDOWN: {
      // Without the main loop's help (PreTranslate) the list still takes these keys.
      const WORD key = reinterpret_cast<NMLVKEYDOWN*>(header)->wVKey;
      if (key == VK_ESCAPE) {
        c_.CancelDialog();
        Closed();
      } else if (key == VK_F1) {
        c_.HelpRequested();
      }
      return 0;
    }
    default:
      return 0;
  }
}

LRESULT PreviewView::OnCustomDraw(NMLVCUSTOMDRAW* draw) {
  if (draw->nmcd.dwDrawStage == CDDS_PREPAINT) return CDRF_NOTIFYPOSTPAINT;
  if (draw->nmcd.dwDrawStage != CDDS_POSTPAINT) return CDRF_DODEFAULT;
  // A message is longer than the first column and has nothing in the second: it
  // runs across the whole row instead of ending in an ellipsis halfway. Drawn
  // after everything, so that the column's grid line does not cross it.
  const int first = ListView_GetTopIndex(list_);
  const int last = std::min(static_cast<int>(c_.RowCount()), first + ListView_GetCountPerPage(list_) + 1);
  HDC dc = draw->nmcd.hdc;
  for (int row = std::max(first, 0); row < last; ++row) {
    if (!c_.IsInformationRow(static_cast<std::size_t>(row))) continue;
    RECT r{}, label{};
    ListView_GetItemRect(list_, row, &r, LVIR_BOUNDS);
    ListView_GetSubItemRect(list_, row, 0, LVIR_LABEL, &label);
    r.bottom -= 1;  // the row's own grid line stays
    const bool selected = ListView_GetItemState(list_, row, LVIS_SELECTED) != 0;
    const bool active = selected && GetFocus() == list_;
    FillRect(dc, &r, GetSysColorBrush(active ? COLOR_HIGHLIGHT : selected ? COLOR_BTNFACE : COLOR_WINDOW));
    const HGDIOBJ oldFont = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(list_, WM_GETFONT, 0, 0)));
    SetTextColor(dc, GetSysColor(active ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
    SetBkMode(dc, TRANSPARENT);
    const std::wstring text = ToWide(c_.CellText(static_cast<std::size_t>(row), 0));
    r.left = label.left + Scale(5, dpi_);
    DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &r,
              DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS);
    SelectObject(dc, oldFont);
  }
  return CDRF_DODEFAULT;
}

bool PreviewView::OnCommand(int id, int /*code*/, HWND control) {
  // A menu entry acts on the selection as the list shows it now.
  if (!control && (id == IDM_PREVIEW_SHOW_ON || id == IDM_PREVIEW_COPY_NAME)) SelectionToController();
  return false;
}

void PreviewView::AfterCommand() {
  Closed();
  SyncRows();
}

bool PreviewView::PreTranslate(MSG& msg) {
  HWND hwnd = Handle();
  if (!hwnd || !IsWindowVisible(hwnd) || (msg.hwnd != hwnd && !IsChild(hwnd, msg.hwnd))) return false;
  if (msg.message == WM_KEYDOWN && msg.wParam == VK_F1) {
    c_.HelpRequested();
    return true;
  }
  if (msg.message == WM_KEYDOWN && msg.wParam == VK_ESCAPE) {
    c_.CancelDialog();
    Closed();
    return true;
  }
  return IsDialogMessageW(hwnd, &msg) != FALSE;
}

LRESULT PreviewView::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_SIZE:
      if (list_) Layout();
      return 0;
    case WM_GETMINMAXINFO: {
      auto* info = reinterpret_cast<MINMAXINFO*>(lParam);
      const SIZE least = DialogWindowSize(kMinClientWidth, kMinClientHeight, kStyle, kExStyle, dpi_);
      info->ptMinTrackSize = POINT{least.cx, least.cy};
      return 0;
    }
    case WM_DPICHANGED:
      dpi_ = AdoptDpi(wParam, lParam);
      Layout();
      Mirror();
      return 0;
    case WM_NOTIFY:
      return OnNotify(reinterpret_cast<NMHDR*>(lParam));
    case WM_CONTEXTMENU:
      if (reinterpret_cast<HWND>(wParam) == list_) {
        ShowListMenu(lParam);
        return 0;
      }
      break;
    case WM_HELP:
      c_.HelpRequested();
      return TRUE;
    case WM_CLOSE:
      c_.CancelDialog();
      Closed();
      return 0;
    default:
      break;
  }
  return ControllerView::HandleMessage(message, wParam, lParam);
}

}  // namespace renamora::ui::win

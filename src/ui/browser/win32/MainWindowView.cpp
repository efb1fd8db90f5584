// The main window's controls, layout, owner-data list and menus.
#include "ui/browser/win32/MainWindowView.h"

#include <commctrl.h>
#include <shellapi.h>
#include <shlobj.h>
#include <mmsystem.h>
#include <windowsx.h>

#include <algorithm>

#include "base/Paths.h"
#include "platform/win32/WideText.h"
#include "ui/ControlIds.h"
#include "ui/browser/FileCommands.h"
#include "ui/win/Dpi.h"
#include "ui/win/Shell.h"

namespace renamora::ui::win {
namespace {

constexpr wchar_t kClassName[] = L"TForm4";
constexpr UINT kSyncSelection = WM_APP + 1;

// The designed layout at 96 DPI.
constexpr int kLeftColumn = 65;
constexpr int kToolButtonWidth = 64;
constexpr int kToolButtonHeight = 62;
constexpr int kSideButtonHeight = 56;
constexpr int kNavTop = 68;
constexpr int kNavHeight = 24;
constexpr int kListTop = 96;
constexpr int kStatusHeight = 22;
constexpr int kOnTopWidth = 130;
constexpr int kStatusFirstPanel = 190;

struct ButtonSpec {
  int id;
  int glyph;  // index into the glyph resources, -1 for none
};
// Glyph order of the resources: Remove, Replace, Insert, Change, Extension, Save,
// Undo, Exit, Folder, Files, Delete, Tools, About, FAQ, FolderUp, FolderBack, Access.
constexpr ButtonSpec kToolbar[] = {{IDC_MAIN_REMOVE, 0},    {IDC_MAIN_REPLACE, 1}, {IDC_MAIN_INSERT, 2},
                                   {IDC_MAIN_CHANGE, 3},    {IDC_MAIN_EXTENSION, 4}, {IDC_MAIN_SAVE, 5},
                                   {IDC_MAIN_UNDO, 6},      {IDC_MAIN_EXIT, 7}};
constexpr ButtonSpec kSideColumn[] = {{IDC_MAIN_PATH, 16},   {IDC_MAIN_FOLDER, 8}, {IDC_MAIN_FILES, 9},
                                      {IDC_MAIN_DELETE, 10}, {IDC_MAIN_OPTIONS, 11}, {IDC_MAIN_ABOUT, 12},
                                      {IDC_MAIN_HELP, 13}};
constexpr int kGlyphUpper = 14;
constexpr int kGlyphBack = 15;
// The bitmap names of an icon set, in the glyph order above.
constexpr const char16_t* kGlyphFileNames[] = {u"Remove", u"Replace",  u"Insert",     u"Change", u"Extension", u"Save",
                                               u"Undo",   u"Exit",     u"Folder",     u"Files",  u"Delete",    u"Tools",
                                               u"About",  u"FAQ",      u"FolderUp",   u"FolderBack", u"Access"};

std::wstring W(std::u16string_view text) { return ToWide(text); }

}  // namespace

// --- Host --------------------------------------------------------------------

HWND Win32BrowserHost::Window() const { return view_ ? view_->Handle() : nullptr; }
int Win32BrowserHost::ShowAddOptionDialog() { return dialogs_.addOption ? dialogs_.addOption() : 0; }
std::u16string Win32BrowserHost::BrowseForFolder(std::u16string_view title) {
  return win::BrowseForFolder(Window(), title);
}
std::vector<std::u16string> Win32BrowserHost::ChooseFiles(std::u16string_view title,
                                                          std::u16string_view initialFolder) {
  return win::ChooseFiles(Window(), title, initialFolder);
}
void Win32BrowserHost::ShowOptions() {
  if (dialogs_.options) dialogs_.options();
}
void Win32BrowserHost::ShowAbout() {
  if (dialogs_.about) dialogs_.about();
}
void Win32BrowserHost::SetBusyCursor(bool busy) {
  if (view_) view_->SetBusy(busy);
  if (busy) throttle_.Now();
}
void Win32BrowserHost::CloseProgram() {
  if (dialogs_.close) dialogs_.close();
}
void Win32BrowserHost::ShowQuickStart() {
  if (dialogs_.showQuickStart) dialogs_.showQuickStart();
}
void Win32BrowserHost::CloseQuickStart() {
  if (dialogs_.closeQuickStart) dialogs_.closeQuickStart();
}
bool Win32BrowserHost::QuickStartShown() const {
  return !dialogs_.quickStartShown || dialogs_.quickStartShown();
}
bool Win32BrowserHost::QuickStartClosedByUser() const {
  return dialogs_.quickStartClosedByUser && dialogs_.quickStartClosedByUser();
}
bool Win32BrowserHost::RenameItem(std::size_t index) {
  const bool renamed = dialogs_.renameItem && dialogs_.renameItem(index);
  if (view_ && view_->List()) SetFocus(view_->List());
  return renamed;
}
void Win32BrowserHost::OpenItem(std::u16string_view path) { OpenWithAssociation(path); }
void Win32BrowserHost::OpenPath(std::u16string_view path) { ShowInExplorer(path); }
void Win32BrowserHost::ShowProperties(std::u16string_view path) { ShowPropertiesOf(path); }
bool Win32BrowserHost::Recycle(std::u16string_view path) { return MoveToRecycleBin(path); }
void Win32BrowserHost::CopyText(std::u16string_view text) { PutTextOnClipboard(Window(), text); }
bool Win32BrowserHost::StartInstance(std::u16string_view mode) {
  return StartProgram(InstanceCommandLine(ProgramFilePath(), mode));
}
void Win32BrowserHost::SetAlwaysOnTop(bool onTop) {
  SetWindowPos(Window(), onTop ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}
std::u16string Win32BrowserHost::SpecialFolderPath(SpecialFolder folder) {
  switch (folder) {
    case SpecialFolder::Music: return win::SpecialFolder(CSIDL_MYMUSIC);
    case SpecialFolder::Pictures: return win::SpecialFolder(CSIDL_MYPICTURES);
    case SpecialFolder::Desktop: return win::SpecialFolder(CSIDL_DESKTOPDIRECTORY);
    case SpecialFolder::Documents: return win::SpecialFolder(CSIDL_PERSONAL);
  }
  return {};
}
void Win32BrowserHost::PlayEndSound() {
  // The chime is part of the program file, so a portable copy needs no end.wav beside it.
  PlaySoundW(MAKEINTRESOURCEW(IDW_END_SOUND), GetModuleHandleW(nullptr), SND_RESOURCE | SND_ASYNC | SND_NODEFAULT);
}
void Win32BrowserHost::SettingsLoadedAtStart() {
  if (dialogs_.settingsLoaded) dialogs_.settingsLoaded();
}
void Win32BrowserHost::OpenEditWindow(bool needsProbe) {
  if (dialogs_.openEdit) dialogs_.openEdit(needsProbe);
}
void Win32BrowserHost::SaveChosenFiles() {
  if (dialogs_.saveChosenFiles) dialogs_.saveChosenFiles();
}
void Win32BrowserHost::ShowHelp() {
  if (dialogs_.help) dialogs_.help();
}

// --- View ----------------------------------------------------------------------

MainWindowView::MainWindowView(BrowserController& controller, Win32Timers& timers)
    : ControllerView(controller), c_(controller), timers_(timers) {}

MainWindowView::~MainWindowView() {
  if (quickMenu_) DestroyMenu(quickMenu_);
  for (const auto& [glyph, bitmap] : glyphFiles_) DeleteObject(bitmap);
}

bool MainWindowView::Create() {
  HICON icon = static_cast<HICON>(LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDI_APP), IMAGE_ICON, 0, 0,
                                             LR_DEFAULTSIZE | LR_SHARED));
  if (!RegisterClassOnce(kClassName, icon)) return false;
  // The designed client area is 729 by 578 at 96 DPI.
  const UINT dpi = WindowDpi(nullptr);
  RECT r{0, 0, Scale(729, dpi), Scale(578, dpi)};
  AdjustWindowRectEx(&r, WS_OVERLAPPEDWINDOW, FALSE, WS_EX_ACCEPTFILES);
  if (!CreateWindowOf(kClassName, L"Renamora", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, WS_EX_ACCEPTFILES,
                      CW_USEDEFAULT, CW_USEDEFAULT, r.right - r.left, r.bottom - r.top, nullptr)) {
    return false;
  }
  timers_.Bind(Handle());
  dpi_ = WindowDpi(Handle());
  CreateControls();
  Layout();
  Refresh();
  return true;
}

void MainWindowView::LoadGlyphFiles(std::u16string_view folder) {
  const std::u16string base = WithTrailingSeparator(folder);
  for (int glyph = 0; glyph < static_cast<int>(std::size(kGlyphFileNames)); ++glyph) {
    HBITMAP bitmap = LoadBitmapFile(base + kGlyphFileNames[glyph] + u".bmp");
    if (!bitmap) continue;
    auto& slot = glyphFiles_[glyph];
    if (slot) DeleteObject(slot);
    slot = bitmap;
  }
  Layout();
}

void MainWindowView::SetButtonGlyph(HWND button, int glyph, int size) {
  if (glyph < 0) return;
  HIMAGELIST images = nullptr;
  if (auto file = glyphFiles_.find(glyph); file != glyphFiles_.end()) images = BitmapImageList(file->second, size);
  if (!images) images = IconImageList(IDB_GLYPHS_FIRST + glyph, size);
  // The toolbar's buttons have captions; Back and Upper folder are pictures alone.
  const bool captioned = GetWindowTextLengthW(button) > 0;
  SetButtonImages(button, images, dpi_, captioned ? ImagePlace::Above : ImagePlace::Centred);
}

void MainWindowView::CreateControls() {
  HWND hwnd = Handle();
  for (const auto& button : kToolbar) buttons_[button.id].Create({.parent = hwnd, .id = button.id, .style = BS_MULTILINE});
  for (const auto& button : kSideColumn) buttons_[button.id].Create({.parent = hwnd, .id = button.id, .style = BS_MULTILINE});
  back_.Create({.parent = hwnd, .id = IDC_MAIN_BACK});
  upper_.Create({.parent = hwnd, .id = IDC_MAIN_UPPER});
  pathBox_.Create({.parent = hwnd, .id = IDC_MAIN_PATHBOX});

  list_ = CreateWindowExW(0, WC_LISTVIEWW, L"",
                          WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_CLIPSIBLINGS | WS_BORDER | LVS_REPORT |
                              LVS_OWNERDATA | LVS_SHOWSELALWAYS | LVS_SHAREIMAGELISTS,
                          0, 0, 10, 10, hwnd, reinterpret_cast<HMENU>(static_cast<INT_PTR>(IDC_MAIN_LIST)),
                          GetModuleHandleW(nullptr), nullptr);
  ListView_SetExtendedListViewStyle(list_, LVS_EX_FULLROWSELECT | LVS_EX_GRIDLINES | LVS_EX_CHECKBOXES |
                                               LVS_EX_DOUBLEBUFFER | LVS_EX_LABELTIP);
  // Check marks are the model's: the list asks for them with the rows.
  ListView_SetCallbackMask(list_, LVIS_STATEIMAGEMASK);
  SHFILEINFOW info{};
  auto systemImages = reinterpret_cast<HIMAGELIST>(
      SHGetFileInfoW(L"", 0, &info, sizeof(info), SHGFI_SYSICONINDEX | SHGFI_SMALLICON));
  if (systemImages) ListView_SetImageList(list_, systemImages, LVSIL_SMALL);
  const int widths[] = {402, 120, 65, 45};
  for (int column = 0; column < 4; ++column) {
    const std::wstring title = W(c_.ColumnTitle(column));
    LVCOLUMNW col{};
    col.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_SUBITEM;
    col.pszText = const_cast<wchar_t*>(title.c_str());
    col.cx = Scale(widths[column], dpi_);
    col.iSubItem = column;
    ListView_InsertColumn(list_, column, &col);
  }

  checkAll_.Create({.parent = hwnd, .id = IDC_MAIN_CHECKALL});
  emptyNotice_.Create({.parent = hwnd, .id = IDC_MAIN_EMPTY_NOTICE, .style = SS_CENTER | SS_CENTERIMAGE,
                       .exStyle = WS_EX_STATICEDGE});
  // The "Always on top" box sits on the status bar's first panel.
  status_ = CreateWindowExW(0, STATUSCLASSNAMEW, L"", WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS, 0, 0, 0, 0, hwnd,
                            reinterpret_cast<HMENU>(static_cast<INT_PTR>(IDC_MAIN_STATUS)),
                            GetModuleHandleW(nullptr), nullptr);
  onTop_.Create({.parent = hwnd, .id = IDC_MAIN_ON_TOP});
  // Over the list and the status bar, which they sit on.
  for (HWND top : {checkAll_.Handle(), emptyNotice_.Handle(), onTop_.Handle()}) {
    SetWindowPos(top, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
  }

  tooltip_ = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, 0, 0, 0,
                             0, hwnd, nullptr, GetModuleHandleW(nullptr), nullptr);
  // Hints show at once and go after five seconds.
  SendMessageW(tooltip_, TTM_SETDELAYTIME, TTDT_INITIAL, 0);
  SendMessageW(tooltip_, TTM_SETDELAYTIME, TTDT_AUTOPOP, 5000);
  ApplyFont(hwnd, MessageFont(dpi_));
  ApplyTexts();
  DragAcceptFiles(hwnd, TRUE);
}

void MainWindowView::ApplyTexts() {
  for (int id : c_.ControlIds()) {
    const std::u16string hint = c_.HintText(id);
    HWND control = GetDlgItem(Handle(), id);
    if (!control || hint.empty()) continue;
    SetToolTip(tooltip_, Handle(), control, hint);
  }
  for (int column = 0; column < 4; ++column) {
    const std::wstring title = W(c_.ColumnTitle(column));
    LVCOLUMNW col{};
    col.mask = LVCF_TEXT;
    col.pszText = const_cast<wchar_t*>(title.c_str());
    ListView_SetColumn(list_, column, &col);
  }
  ForgetShownState();
}

void MainWindowView::Layout() {
  RECT client;
  GetClientRect(Handle(), &client);
  const int width = client.right;
  const int height = client.bottom;
  auto S = [this](int designed) { return Scale(designed, dpi_); };
  int x = S(kLeftColumn + 2);
  for (const auto& button : kToolbar) {
    buttons_[button.id].Place(x, S(2), S(kToolButtonWidth), S(kToolButtonHeight));
    SetButtonGlyph(buttons_[button.id].Handle(), button.glyph, S(32));
    x += S(kToolButtonWidth);
  }
  int y = S(2);
  for (const auto& button : kSideColumn) {
    buttons_[button.id].Place(S(2), y, S(kLeftColumn - 4), S(kSideButtonHeight));
    SetButtonGlyph(buttons_[button.id].Handle(), button.glyph, S(24));
    y += S(kSideButtonHeight);
  }
  const int navLeft = S(kLeftColumn + 2);
  back_.Place(navLeft, S(kNavTop), S(28), S(kNavHeight));
  SetButtonGlyph(back_.Handle(), kGlyphBack, S(16));
  upper_.Place(navLeft + S(28), S(kNavTop), S(28), S(kNavHeight));
  SetButtonGlyph(upper_.Handle(), kGlyphUpper, S(16));
  const int boxLeft = navLeft + S(56) + S(3);
  pathBox_.Place(boxLeft, S(kNavTop), std::max(S(40), width - boxLeft - S(3)), S(300));

  SendMessageW(status_, WM_SIZE, 0, 0);
  RECT statusRect;
  GetWindowRect(status_, &statusRect);
  const int statusHeight = statusRect.bottom - statusRect.top > 0 ? statusRect.bottom - statusRect.top : S(kStatusHeight);
  const int parts[] = {S(kOnTopWidth), S(kOnTopWidth + kStatusFirstPanel), -1};
  SendMessageW(status_, SB_SETPARTS, 3, reinterpret_cast<LPARAM>(parts));
  onTop_.Place(S(4), height - statusHeight + S(2), S(kOnTopWidth - 8), statusHeight - S(4));

  const int listLeft = navLeft;
  const int listTop = S(kListTop);
  const int listWidth = std::max(S(40), width - listLeft - S(2));
  const int listHeight = std::max(S(40), height - statusHeight - listTop - S(2));
  SetWindowPos(list_, nullptr, listLeft, listTop, listWidth, listHeight, SWP_NOZORDER | SWP_NOACTIVATE);
  checkAll_.Place(listLeft + S(6), listTop + S(5), S(14), S(14));
  emptyNotice_.Place(listLeft + (listWidth - S(140)) / 2, listTop + (listHeight - S(24)) / 2, S(140), S(24));
}

void MainWindowView::SetBusy(bool busy) {
  busy_ = busy;
  SetCursor(LoadCursorW(nullptr, busy ? IDC_WAIT : IDC_ARROW));
}

void MainWindowView::Refresh() {
  Mirror();
  SyncList();
}

void MainWindowView::SyncList() {
  if (!list_) return;
  if (shownListVersion_ != c_.ListVersion()) {
    shownListVersion_ = c_.ListVersion();
    ListView_SetItemCountEx(list_, static_cast<int>(c_.List().Count()), LVSICF_NOSCROLL);
    InvalidateRect(list_, nullptr, FALSE);
  }
  if (shownSelectionVersion_ != c_.SelectionVersion()) {
    shownSelectionVersion_ = c_.SelectionVersion();
    SelectionToView();
  }
  if (pathBox_.Text() != c_.PathBoxText()) pathBox_.SetText(c_.PathBoxText());
  if (shownHistory_ != c_.History()) {
    shownHistory_ = c_.History();
    const std::u16string text = pathBox_.Text();
    pathBox_.SetItems(shownHistory_);
    pathBox_.SetText(text);
  }
  if (shownStatus_ != c_.StatusText()) {
    shownStatus_ = c_.StatusText();
    SendMessageW(status_, SB_SETTEXTW, 1, reinterpret_cast<LPARAM>(W(shownStatus_).c_str()));
  }
  if (shownTotal_ != c_.TotalText()) {
    shownTotal_ = c_.TotalText();
    SendMessageW(status_, SB_SETTEXTW, 2, reinterpret_cast<LPARAM>(W(shownTotal_).c_str()));
  }
  // The check boxes of the rows follow the option.
  const DWORD styles = ListView_GetExtendedListViewStyle(list_);
  const bool boxes = c_.List().ShowsCheckBoxes();
  if (((styles & LVS_EX_CHECKBOXES) != 0) != boxes) {
    ListView_SetExtendedListViewStyleEx(list_, LVS_EX_CHECKBOXES, boxes ? LVS_EX_CHECKBOXES : 0);
    ListView_SetCallbackMask(list_, boxes ? LVIS_STATEIMAGEMASK : 0);
  }
}

void MainWindowView::SelectionFromView() {
  FileList& list = c_.List();
  for (std::size_t i = 0; i < list.Count(); ++i) list.Item(i).selected = false;
  int i = -1;
  while ((i = ListView_GetNextItem(list_, i, LVNI_SELECTED)) >= 0) {
    if (static_cast<std::size_t>(i) < list.Count()) list.Item(static_cast<std::size_t>(i)).selected = true;
  }
}

void MainWindowView::SelectionToView() {
  const FileList& list = c_.List();
  ListView_SetItemState(list_, -1, 0, LVIS_SELECTED);
  int last = -1;
  for (std::size_t i = 0; i < list.Count(); ++i) {
    if (list.Item(i).selected) {
      ListView_SetItemState(list_, static_cast<int>(i), LVIS_SELECTED, LVIS_SELECTED);
      last = static_cast<int>(i);
    }
  }
  if (last >= 0) {
    ListView_SetItemState(list_, last, LVIS_FOCUSED, LVIS_FOCUSED);
    ListView_EnsureVisible(list_, last, FALSE);
  }
  // The view's own writes have been read back already.
  SelectionFromView();
}

int MainWindowView::IconOf(std::size_t item) {
  FileListItem& entry = c_.List().Item(item);
  if (entry.iconIndex != 0) return entry.iconIndex - 1;
  // Icons are asked per kind, not per file: the shell's answer for an extension is
  // the same for every file that has it, and asking it per file costs a disk access.
  SHFILEINFOW info{};
  const UINT flags = SHGFI_SYSICONINDEX | SHGFI_SMALLICON | SHGFI_USEFILEATTRIBUTES;
  int index = 0;
  if (entry.isFolder) {
    if (folderIcon_ < 0) {
      SHGetFileInfoW(L"folder", FILE_ATTRIBUTE_DIRECTORY, &info, sizeof(info), flags);
      folderIcon_ = info.iIcon;
    }
    index = folderIcon_;
  } else {
    const std::u16string& text = entry.text;
    const std::size_t dot = text.rfind(u'.');
    const std::size_t slash = text.find_last_of(u"\\/");
    std::u16string extension =
        dot == std::u16string::npos || (slash != std::u16string::npos && dot < slash) ? u"" : text.substr(dot);
    auto found = iconByExtension_.find(extension);
    if (found != iconByExtension_.end()) {
      index = found->second;
    } else {
      const std::wstring probe = L"x" + W(extension);
      SHGetFileInfoW(probe.c_str(), FILE_ATTRIBUTE_NORMAL, &info, sizeof(info), flags);
      index = info.iIcon;
      iconByExtension_[extension] = index;
    }
  }
  entry.iconIndex = index + 1;
  return index;
}

LRESULT MainWindowView::OnNotify(NMHDR* header) {
  if (header->hwndFrom != list_) return 0;
  switch (header->code) {
    case LVN_GETDISPINFOW: {
      auto* info = reinterpret_cast<NMLVDISPINFOW*>(header);
      const auto item = static_cast<std::size_t>(info->item.iItem);
      if (item >= c_.List().Count()) return 0;
      if (info->item.mask & LVIF_TEXT && info->item.cchTextMax > 0) {
        const std::wstring text = W(c_.CellText(item, info->item.iSubItem));
        const std::size_t n = std::min<std::size_t>(text.size(), static_cast<std::size_t>(info->item.cchTextMax - 1));
        std::copy_n(text.c_str(), n, info->item.pszText);
        info->item.pszText[n] = L'\0';
      }
      if (info->item.mask & LVIF_IMAGE && info->item.iSubItem == 0) info->item.iImage = IconOf(item);
      if (info->item.mask & LVIF_STATE && c_.List().ShowsCheckBoxes()) {
        info->item.state = INDEXTOSTATEIMAGEMASK(c_.List().Item(item).checked ? 2 : 1);
        info->item.stateMask = LVIS_STATEIMAGEMASK;
      }
      return 0;
    }
    case LVN_ODFINDITEMW: {
      // Type-ahead: the next row whose name starts with the typed text.
      auto* find = reinterpret_cast<NMLVFINDITEMW*>(header);
      if (!(find->lvfi.flags & (LVFI_STRING | LVFI_PARTIAL)) || !find->lvfi.psz) return -1;
      const std::u16string typed = FromWide(find->lvfi.psz);
      const std::size_t count = c_.List().Count();
      for (std::size_t n = 0; n < count; ++n) {
        const std::size_t i = (static_cast<std::size_t>(std::max(find->iStart, 0)) + n) % count;
        const std::u16string name = NameOf(c_.List().Item(i).text);
        if (name.size() >= typed.size() &&
            CompareStringOrdinal(reinterpret_cast<const wchar_t*>(name.data()), static_cast<int>(typed.size()),
                                 reinterpret_cast<const wchar_t*>(typed.data()), static_cast<int>(typed.size()),
                                 TRUE) == CSTR_EQUAL) {
          return static_cast<LRESULT>(i);
        }
      }
      return -1;
    }
    case NM_CLICK:
    case NM_RCLICK: {
      auto* activate = reinterpret_cast<NMITEMACTIVATE*>(header);
      SelectionFromView();
      LVHITTESTINFO hit{};
      hit.pt = activate->ptAction;
      const int item = ListView_SubItemHitTest(list_, &hit);
      if (header->code == NM_CLICK && item >= 0 && (hit.flags & LVHT_ONITEMSTATEICON)) {
        c_.ToggleCheck(static_cast<std::size_t>(item));
      } else {
        c_.ListClicked();
      }
      if (header->code == NM_RCLICK) {
        POINT at = activate->ptAction;
        ClientToScreen(list_, &at);
        ShowListMenu(at);
      }
      SyncList();
      Mirror();
      return 0;
    }
    case NM_DBLCLK:
    case NM_RETURN:
      SelectionFromView();
      c_.DoubleClicked();
      SyncList();
      Mirror();
      return 0;
    case LVN_KEYDOWN: {
      auto* key = reinterpret_cast<NMLVKEYDOWN*>(header);
      SelectionFromView();
      const bool ctrl = GetKeyState(VK_CONTROL) < 0;
      if (key->wVKey == VK_SPACE && c_.List().ShowsCheckBoxes()) {
        for (std::size_t i = 0; i < c_.List().Count(); ++i) {
          if (c_.List().Item(i).selected) c_.ToggleCheck(i);
        }
      } else if (key->wVKey == VK_APPS || (key->wVKey == VK_F10 && GetKeyState(VK_SHIFT) < 0)) {
        RECT r{};
        const int focused = ListView_GetNextItem(list_, -1, LVNI_FOCUSED);
        if (focused >= 0) ListView_GetItemRect(list_, focused, &r, LVIR_LABEL);
        POINT at{r.left, r.bottom};
        ClientToScreen(list_, &at);
        ShowListMenu(at);
      } else {
        c_.ListKey(key->wVKey, ctrl);
      }
      SyncList();
      Mirror();
      return 0;
    }
    case LVN_COLUMNCLICK:
      SelectionFromView();
      c_.ColumnClicked(reinterpret_cast<NMLISTVIEW*>(header)->iSubItem);
      SyncList();
      return 0;
    case LVN_ITEMCHANGED:
    case LVN_ODSTATECHANGED:
      // Many of these come at once (Select All, a drag over rows): read the
      // selection back once, when they are through.
      if (!selectionSyncPosted_) {
        selectionSyncPosted_ = true;
        PostMessageW(Handle(), kSyncSelection, 0, 0);
      }
      return 0;
    default:
      return 0;
  }
}

void MainWindowView::ShowListMenu(POINT at) {
  HMENU menu = CreatePopupMenu();
  HMENU other = CreatePopupMenu();
  auto add = [this](HMENU target, int id) {
    const ControlState state = c_.MenuState(id);
    if (!state.visible) return;
    AppendMenuW(target, MF_STRING | (state.enabled ? 0 : MF_GRAYED), static_cast<UINT_PTR>(id),
                W(c_.MenuText(id)).c_str());
  };
  for (int id : {IDM_OTHER_REMOVE, IDM_OTHER_REPLACE, IDM_OTHER_INSERT, IDM_OTHER_CHANGE, IDM_OTHER_EXTENSION,
                 IDM_OTHER_SAVE}) {
    add(other, id);
  }
  add(menu, IDM_RENAME);
  AppendMenuW(menu, MF_POPUP | (c_.MenuState(IDM_RENAME_OTHER).enabled ? 0 : MF_GRAYED),
              reinterpret_cast<UINT_PTR>(other), W(c_.MenuText(IDM_RENAME_OTHER)).c_str());
  for (int id : {IDM_REMOVE_FROM_LIST, IDM_REFRESH, IDM_SORT_BY_NAME}) add(menu, id);
  AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
  for (int id : {IDM_CHECK_ALL, IDM_UNCHECK_ALL, IDM_INVERSE_CHECKS, IDM_ONLY_CHECK_SELECTED,
                 IDM_ONLY_UNCHECK_SELECTED, IDM_CHECK_SELECTED, IDM_UNCHECK_SELECTED, IDM_SELECT_ALL,
                 IDM_INVERSE_SELECT}) {
    add(menu, id);
  }
  AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
  for (int id : {IDM_OPEN, IDM_OPEN_PATH, IDM_COPY_NAME, IDM_NEW_FOLDER, IDM_PROPERTIES, IDM_RECYCLE}) add(menu, id);
  AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
  for (int id : {IDM_CLEAR, IDM_ADD_MORE}) add(menu, id);
  SetMenuDefaultItem(menu, IDM_RENAME, FALSE);
  // The choice comes back as WM_COMMAND, through the same road as a button.
  TrackPopupMenuEx(menu, TPM_RIGHTBUTTON, at.x, at.y, Handle(), nullptr);
  DestroyMenu(menu);
}

void MainWindowView::ShowQuickAccessMenu() {
  if (!quickMenu_) {
    // Built once, as the drives were when it was first opened.
    quickMenu_ = CreatePopupMenu();
    for (int id : {IDM_QUICK_MUSIC, IDM_QUICK_PICTURES, IDM_QUICK_DESKTOP, IDM_QUICK_DOCUMENTS}) {
      AppendMenuW(quickMenu_, MF_STRING, static_cast<UINT_PTR>(id), W(c_.MenuText(id)).c_str());
    }
    AppendMenuW(quickMenu_, MF_SEPARATOR, 0, nullptr);
    for (int letter = 0; letter < 26; ++letter) {
      const wchar_t root[] = {static_cast<wchar_t>(L'A' + letter), L':', L'\\', 0};
      const UINT type = GetDriveTypeW(root);
      if (type == DRIVE_REMOVABLE || type == DRIVE_FIXED || type == DRIVE_REMOTE) {
        const wchar_t caption[] = {root[0], L':', 0};
        AppendMenuW(quickMenu_, MF_STRING, static_cast<UINT_PTR>(IDM_QUICK_DRIVE_A + letter), caption);
      }
    }
    AppendMenuW(quickMenu_, MF_SEPARATOR, 0, nullptr);
    AppendMenuW(quickMenu_, MF_STRING, IDM_QUICK_SHORTCUT_CLEANER, W(c_.MenuText(IDM_QUICK_SHORTCUT_CLEANER)).c_str());
    AppendMenuW(quickMenu_, MF_SEPARATOR, 0, nullptr);
    // The vendor's page: there is no web site to open.
    AppendMenuW(quickMenu_, MF_STRING | MF_GRAYED, IDM_QUICK_VENDOR, W(c_.MenuText(IDM_QUICK_VENDOR)).c_str());
  }
  RECT r;
  GetWindowRect(buttons_[IDC_MAIN_PATH].Handle(), &r);
  POINT at;
  GetCursorPos(&at);
  if (at.x < r.left || at.x > r.right || at.y < r.top || at.y > r.bottom) at = POINT{r.left, r.bottom};
  TrackPopupMenuEx(quickMenu_, TPM_LEFTBUTTON, at.x, at.y, Handle(), nullptr);
}

bool MainWindowView::OnCommand(int id, int code, HWND control) {
  if (control == pathBox_.Handle()) {
    switch (code) {
      case CBN_EDITCHANGE: c_.TextChanged(IDC_MAIN_PATHBOX, pathBox_.Text()); return true;
      case CBN_SELCHANGE: {
        const int index = pathBox_.Selection();
        c_.SelectionChanged(IDC_MAIN_PATHBOX, index);
        return true;
      }
      case CBN_DROPDOWN: c_.PathDropDownOpened(); return true;
      case CBN_SELENDOK:
        if (SendMessageW(control, CB_GETDROPPEDSTATE, 0, 0)) c_.PathHistoryChosen(pathBox_.Selection());
        return true;
      case CBN_CLOSEUP: c_.PathDropDownClosed(); return true;
      default: return true;
    }
  }
  if (id == IDC_MAIN_PATH && code == BN_CLICKED) {
    ShowQuickAccessMenu();
    return true;
  }
  if (!control && id == IDOK) {
    // Enter belongs to the path box only; in the list it opens the item.
    HWND focus = GetFocus();
    if (focus && (focus == pathBox_.Handle() || GetParent(focus) == pathBox_.Handle())) {
      c_.TextChanged(IDC_MAIN_PATHBOX, pathBox_.Text());
      c_.Accept();
    }
    return true;
  }
  if (!control && id == IDCANCEL) return true;
  // Commands act on what the list shows selected.
  SelectionFromView();
  return false;
}

bool MainWindowView::PreTranslate(MSG& msg) {
  if (msg.message != WM_KEYDOWN) return false;
  if (msg.wParam == VK_F1) {
    c_.Command(IDC_MAIN_HELP);
    return true;
  }
  // Del in the path box also forgets the history entry it is on.
  if (msg.wParam == VK_DELETE && (msg.hwnd == pathBox_.Handle() || GetParent(msg.hwnd) == pathBox_.Handle())) {
    c_.PathHistoryDelete(pathBox_.Selection());
    SyncList();
  }
  return false;
}

LRESULT MainWindowView::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_SIZE:
      if (list_) Layout();
      return 0;
    case WM_GETMINMAXINFO: {
      auto* info = reinterpret_cast<MINMAXINFO*>(lParam);
      info->ptMinTrackSize = POINT{Scale(520, dpi_), Scale(360, dpi_)};
      return 0;
    }
    case WM_DPICHANGED: {
      dpi_ = AdoptDpi(wParam, lParam);
      Layout();
      Refresh();
      return 0;
    }
    case WM_NOTIFY: {
      const LRESULT result = OnNotify(reinterpret_cast<NMHDR*>(lParam));
      return result;
    }
    case kSyncSelection:
      selectionSyncPosted_ = false;
      SelectionFromView();
      c_.ListSelectionChanged();
      Mirror();
      return 0;
    case WM_DROPFILES: {
      auto drop = reinterpret_cast<HDROP>(wParam);
      std::vector<std::u16string> paths;
      const UINT count = DragQueryFileW(drop, 0xFFFFFFFF, nullptr, 0);
      for (UINT i = 0; i < count; ++i) {
        // Each name as long as it is: a path of any length is taken.
        const UINT length = DragQueryFileW(drop, i, nullptr, 0);
        std::wstring path(length + 1, L'\0');
        DragQueryFileW(drop, i, path.data(), length + 1);
        path.resize(length);
        paths.push_back(FromWide(path));
      }
      DragFinish(drop);
      c_.FilesDropped(paths);
      SyncList();
      Mirror();
      return 0;
    }
    case WM_SETCURSOR:
      if (busy_) {
        SetCursor(LoadCursorW(nullptr, IDC_WAIT));
        return TRUE;
      }
      break;
    case WM_CLOSE:
      c_.Command(IDC_MAIN_EXIT);
      return 0;
    default:
      break;
  }
  return ControllerView::HandleMessage(message, wParam, lParam);
}

}  // namespace renamora::ui::win

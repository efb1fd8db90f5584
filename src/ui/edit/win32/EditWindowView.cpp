// The edit window's controls from one layout table, the sample box's mouse and
// menu, the input boxes' presses, the window's keys and its showing.
#include "ui/edit/win32/EditWindowView.h"

#include <commctrl.h>
#include <richedit.h>
#include <windowsx.h>

#include <algorithm>
#include <vector>

#include "base/Paths.h"
#include "platform/win32/WideText.h"
#include "ui/ControlIds.h"
#include "ui/win/Controls.h"
#include "ui/win/DialogFrame.h"
#include "ui/win/Dpi.h"

namespace renamora::ui::win {
namespace {

constexpr wchar_t kClassName[] = L"TForm1";
constexpr int kClientWidth = 506;
constexpr int kClientHeight = 423;
// Where the scope group's rows are measured from, and how far a drop-down
// list falls below its box.
constexpr int kScopeGroupTop = 88;
constexpr int kDropHeight = 160;
constexpr int kToolGlyph = 32;

enum class Kind {
  Text,
  RightText,
  Target,  // a label that shows its hint (the whole path)
  Sample,
  Check,
  Radio,
  Push,
  Tool,  // a toolbar button: glyph above the caption
  Frame,  // a group box
  Box,    // a one-line input box
  Combo,  // an editable box with a list
  DropList,  // a list only
  Picture,
  Line,
};

// Where a row's y counts from: the window, the top of the shown option panel, or
// the scope group's top plus the controller's tops of its movable row.
enum class Area { Window, Panel, ScopeLabel, ScopeBox, ScopeSubfolders };

struct LayoutEntry {
  int id;
  Kind kind;
  Area area;
  int x, y, width, height;  // 96-DPI pixels
  DWORD style = 0;
};

using enum Kind;
constexpr Area W = Area::Window;
constexpr Area P = Area::Panel;

// Every control in tab order, top left to bottom right, each label right before
// its box. The panels' controls stand on the window itself, at the shown panel's
// top; their containers are no windows (their state hides what they hold).
// Choices that exclude each other share a place (a Direction pair and the boxes it
// replaces), so the panel shows no gap.
constexpr LayoutEntry kLayout[] = {
    {IDC_EDIT_TARGET_LABEL, RightText, W, 8, 10, 110, 16},
    {IDC_EDIT_TARGET, Target, W, 122, 10, 376, 16},
    {IDC_EDIT_SAMPLE_LABEL, RightText, W, 8, 37, 110, 16},
    {IDC_EDIT_SAMPLE, Sample, W, 122, 34, 376, 22},

    {IDC_EDIT_OPTIONS_LABEL, Text, W, 8, 92, 120, 16},
    {IDC_EDIT_TOGGLE_OPTIONS, Push, W, 398, 88, 100, 22},
    {IDC_EDIT_HIDDEN, Check, W, 16, 110, 220, 18},
    {IDC_EDIT_SYSTEM, Check, W, 250, 110, 240, 18},
    {IDC_EDIT_TYPE_FILTER_ON, Check, W, 16, 133, 130, 18},
    {IDC_EDIT_TYPE_FILTER, Combo, W, 150, 131, 150, 22},
    {IDC_EDIT_SCOPE_LABEL, Text, Area::ScopeLabel, 8, 2, 90, 16},
    {IDC_EDIT_SCOPE, DropList, Area::ScopeBox, 100, 0, 200, 22},
    {IDC_EDIT_SUBFOLDERS, Check, Area::ScopeSubfolders, 310, 0, 180, 18},

    // Remove.
    {IDC_EDIT_REMOVE_STRINGS, Radio, P, 8, 0, 116, 20},
    {IDC_EDIT_REMOVE_ANYTHING, Radio, P, 128, 0, 116, 20},
    {IDC_EDIT_KEEP_SOMETHING, Radio, P, 248, 0, 116, 20},
    {IDC_EDIT_CLEAN_SYMBOLS, Radio, P, 368, 0, 130, 20},
    {IDC_EDIT_REMOVE_STRINGS_GROUP, Frame, P, 4, 22, 498, 146},
    {IDC_EDIT_REMOVE_STRING1_LABEL, Text, P, 14, 45, 108, 16},
    {IDC_EDIT_REMOVE_STRING1, Box, P, 126, 42, 250, 22},
    {IDC_EDIT_REMOVE_STRING2_LABEL, Text, P, 14, 71, 108, 16},
    {IDC_EDIT_REMOVE_STRING2, Box, P, 126, 68, 250, 22},
    {IDC_EDIT_REMOVE_STRING3_LABEL, Text, P, 14, 97, 108, 16},
    {IDC_EDIT_REMOVE_STRING3, Box, P, 126, 94, 250, 22},
    {IDC_EDIT_REMOVE_CASE_SENSITIVE, Check, P, 388, 43, 108, 20},
    {IDC_EDIT_REMOVE_ONLY_LEFTEST, Check, P, 388, 69, 108, 20},
    {IDC_EDIT_REMOVE_CLEAR_ALL, Push, P, 388, 93, 90, 24},
    {IDC_EDIT_REMOVE_ANYTHING_GROUP, Frame, P, 4, 22, 498, 146},
    {IDC_EDIT_ANYTHING_SELECTED, Radio, P, 14, 42, 250, 20},
    {IDC_EDIT_ANYTHING_BETWEEN, Radio, P, 14, 66, 250, 20},
    {IDC_EDIT_ANYTHING_NUMBERS, Radio, P, 14, 90, 250, 20},
    {IDC_EDIT_ANYTHING_DIRECTION, Text, P, 270, 45, 60, 16},
    {IDC_EDIT_ANYTHING_FROM_HEAD, Radio, P, 334, 43, 80, 20},
    {IDC_EDIT_ANYTHING_FROM_END, Radio, P, 414, 43, 80, 20},
    {IDC_EDIT_ANYTHING_LEFT_LABEL, Text, P, 270, 45, 50, 16},
    {IDC_EDIT_ANYTHING_LEFT, Box, P, 322, 42, 170, 22},
    {IDC_EDIT_ANYTHING_RIGHT_LABEL, Text, P, 270, 71, 50, 16},
    {IDC_EDIT_ANYTHING_RIGHT, Box, P, 322, 68, 170, 22},
    {IDC_EDIT_ANYTHING_ALSO_BOUNDS, Check, P, 270, 94, 224, 20},
    {IDC_EDIT_KEEP_GROUP, Frame, P, 4, 22, 498, 146},
    {IDC_EDIT_KEEP_SELECTED, Radio, P, 14, 42, 250, 20},
    {IDC_EDIT_KEEP_STRINGS, Radio, P, 14, 66, 250, 20},
    {IDC_EDIT_KEEP_DIRECTION, Text, P, 270, 45, 60, 16},
    {IDC_EDIT_KEEP_FROM_HEAD, Radio, P, 334, 43, 80, 20},
    {IDC_EDIT_KEEP_FROM_END, Radio, P, 414, 43, 80, 20},
    {IDC_EDIT_KEEP_STRING1_LABEL, Text, P, 270, 45, 62, 16},
    {IDC_EDIT_KEEP_STRING1, Box, P, 334, 42, 158, 22},
    {IDC_EDIT_KEEP_STRING2_LABEL, Text, P, 270, 71, 62, 16},
    {IDC_EDIT_KEEP_STRING2, Box, P, 334, 68, 158, 22},
    {IDC_EDIT_KEEP_ONLY_LEFTEST, Check, P, 334, 94, 158, 20},
    {IDC_EDIT_CLEAN_GROUP, Frame, P, 4, 22, 498, 146},
    {IDC_EDIT_CLEAN_MARKS_GROUP, Frame, P, 14, 40, 150, 66},
    {IDC_EDIT_CLEAN_HYPHEN, Check, P, 24, 58, 60, 18},
    {IDC_EDIT_CLEAN_UNDERSCORE, Check, P, 90, 58, 60, 18},
    {IDC_EDIT_CLEAN_PARENTHESES, Check, P, 24, 80, 60, 18},
    {IDC_EDIT_CLEAN_BRACKETS, Check, P, 90, 80, 60, 18},
    {IDC_EDIT_CLEAN_OPTION_GROUP, Frame, P, 172, 40, 322, 100},
    {IDC_EDIT_CLEAN_KEEP_OTHER, Check, P, 182, 58, 180, 20},
    {IDC_EDIT_CLEAN_KEEP_OTHER_TEXT, Box, P, 366, 57, 118, 22},
    {IDC_EDIT_CLEAN_WITH_SPACE, Check, P, 182, 82, 300, 20},
    {IDC_EDIT_CLEAN_ALSO_ERASE, Check, P, 182, 106, 180, 20},
    {IDC_EDIT_CLEAN_ERASE_TEXT, Box, P, 366, 105, 118, 22},

    // Replace.
    {IDC_EDIT_REPLACE_STRING, Radio, P, 8, 0, 150, 20},
    {IDC_EDIT_REPLACE_SELECTED, Radio, P, 170, 0, 260, 20},
    {IDC_EDIT_REPLACE_OLD_LABEL, Text, P, 14, 31, 90, 16},
    {IDC_EDIT_REPLACE_OLD, Box, P, 108, 28, 260, 22},
    {IDC_EDIT_REPLACE_CASE_SENSITIVE, Check, P, 380, 29, 116, 20},
    {IDC_EDIT_REPLACE_ONLY_LEFTEST, Check, P, 380, 53, 116, 20},
    {IDC_EDIT_REPLACE_DIRECTION, Text, P, 14, 31, 60, 16},
    {IDC_EDIT_REPLACE_FROM_HEAD, Radio, P, 80, 29, 90, 20},
    {IDC_EDIT_REPLACE_FROM_END, Radio, P, 175, 29, 90, 20},
    {IDC_EDIT_REPLACE_NEW_LABEL, Text, P, 14, 87, 90, 16},
    {IDC_EDIT_REPLACE_NEW, Combo, P, 108, 84, 260, 22},
    {IDC_EDIT_REPLACE_SPECIAL, Push, P, 380, 83, 90, 24},

    // Insert.
    {IDC_EDIT_INSERT_TO_POSITION, Radio, P, 8, 0, 150, 20},
    {IDC_EDIT_INSERT_TO_STRING, Radio, P, 170, 0, 150, 20},
    {IDC_EDIT_INSERT_POSITION_GROUP, Frame, P, 4, 22, 498, 146},
    {IDC_EDIT_INSERT_HEADER, Text, P, 14, 40, 340, 16},
    {IDC_EDIT_INSERT_HEAD, Check, P, 14, 62, 80, 20},
    {IDC_EDIT_INSERT_HEAD_TEXT, Combo, P, 100, 61, 290, 22},
    {IDC_EDIT_INSERT_HEAD_SPECIAL, Push, P, 400, 60, 90, 24},
    {IDC_EDIT_INSERT_END, Check, P, 14, 90, 80, 20},
    {IDC_EDIT_INSERT_END_TEXT, Combo, P, 100, 89, 290, 22},
    {IDC_EDIT_INSERT_END_SPECIAL, Push, P, 400, 88, 90, 24},
    {IDC_EDIT_INSERT_CURSOR, Check, P, 14, 118, 80, 20},
    {IDC_EDIT_INSERT_CURSOR_TEXT, Combo, P, 100, 117, 290, 22},
    {IDC_EDIT_INSERT_CURSOR_SPECIAL, Push, P, 400, 116, 90, 24},
    {IDC_EDIT_INSERT_DIRECTION, Text, P, 100, 146, 60, 16},
    {IDC_EDIT_INSERT_FROM_HEAD, Radio, P, 165, 144, 90, 20},
    {IDC_EDIT_INSERT_FROM_END, Radio, P, 260, 144, 90, 20},
    {IDC_EDIT_INSERT_STRING_GROUP, Frame, P, 4, 22, 498, 146},
    {IDC_EDIT_INSERT_WHERE_LABEL, Text, P, 14, 45, 110, 16},
    {IDC_EDIT_INSERT_WHERE, DropList, P, 128, 42, 220, 22},
    {IDC_EDIT_INSERT_EXISTING_LABEL, Text, P, 14, 73, 110, 16},
    {IDC_EDIT_INSERT_EXISTING, Box, P, 128, 70, 250, 22},
    {IDC_EDIT_INSERT_SECOND_LABEL, Text, P, 14, 99, 110, 16},
    {IDC_EDIT_INSERT_SECOND, Box, P, 128, 96, 250, 22},
    {IDC_EDIT_INSERT_STRING_LABEL, Text, P, 14, 125, 110, 16},
    {IDC_EDIT_INSERT_STRING, Combo, P, 128, 122, 250, 22},
    {IDC_EDIT_INSERT_STRING_SPECIAL, Push, P, 388, 121, 90, 24},

    // Change: the two choices side by side, each showing its own row below.
    {IDC_EDIT_CHANGE_NEW_NAME, Radio, P, 8, 0, 230, 20},
    {IDC_EDIT_CHANGE_CASE, Radio, P, 250, 0, 230, 20},
    {IDC_EDIT_CHANGE_NEW_NAME_LABEL, Text, P, 14, 31, 70, 16},
    {IDC_EDIT_CHANGE_NEW_NAME_TEXT, Combo, P, 88, 28, 290, 22},
    {IDC_EDIT_CHANGE_SPECIAL, Push, P, 388, 27, 104, 24},
    {IDC_EDIT_CHANGE_LOWER, Radio, P, 14, 29, 110, 20},
    {IDC_EDIT_CHANGE_UPPER, Radio, P, 130, 29, 110, 20},
    {IDC_EDIT_CHANGE_CAPITALIZE_WORDS, Radio, P, 250, 29, 180, 20},
    {IDC_EDIT_CHANGE_CAPITALIZE_FIRST, Check, P, 14, 53, 180, 20},
    {IDC_EDIT_CHANGE_INCLUDE_EXTENSION, Check, P, 250, 53, 180, 20},

    // Extension.
    {IDC_EDIT_EXT_CHANGE, Radio, P, 8, 0, 200, 20},
    {IDC_EDIT_EXT_CASE, Radio, P, 250, 0, 230, 20},
    {IDC_EDIT_EXT_CHANGE_GROUP, Frame, P, 4, 22, 498, 100},
    {IDC_EDIT_EXT_OLD_LABEL, Text, P, 14, 45, 120, 16},
    {IDC_EDIT_EXT_OLD, Box, P, 140, 42, 120, 22},
    {IDC_EDIT_EXT_NEW_LABEL, Text, P, 14, 71, 120, 16},
    {IDC_EDIT_EXT_NEW, Box, P, 140, 68, 120, 22},
    {IDC_EDIT_EXT_REPLACE_ALL, Check, P, 14, 96, 320, 20},
    {IDC_EDIT_EXT_CASE_GROUP, Frame, P, 4, 22, 498, 50},
    {IDC_EDIT_EXT_LOWER, Radio, P, 14, 42, 120, 20},
    {IDC_EDIT_EXT_UPPER, Radio, P, 140, 42, 120, 20},

    // Save: the three contents first, so that the arrows move between them.
    {IDC_EDIT_SAVE_CONTENT_GROUP, Frame, P, 4, 0, 498, 124},
    {IDC_EDIT_SAVE_ONE_LAYER, Radio, P, 14, 20, 230, 20},
    {IDC_EDIT_SAVE_ALL_LAYERS, Radio, P, 14, 44, 230, 20},
    {IDC_EDIT_SAVE_NAMES_ONLY, Radio, P, 14, 68, 230, 20},
    {IDC_EDIT_SAVE_ONE_LAYER_NOTE, Text, P, 250, 22, 100, 16},
    {IDC_EDIT_SAVE_ALL_LAYERS_NOTE, Text, P, 250, 46, 90, 16},
    {IDC_EDIT_SAVE_WEBPAGE, Check, P, 345, 44, 150, 20},
    {IDC_EDIT_SAVE_NAMES_ONLY_NOTE, Text, P, 250, 70, 100, 16},
    {IDC_EDIT_SAVE_FILE_SIZE, Check, P, 14, 96, 120, 20},
    {IDC_EDIT_SAVE_FILE_TIME, Check, P, 140, 96, 120, 20},
    {IDC_EDIT_SAVE_TYPES_GROUP, Frame, P, 4, 130, 498, 104},
    {IDC_EDIT_SAVE_ALL_TYPES, Radio, P, 14, 150, 120, 20},
    {IDC_EDIT_SAVE_SPECIAL_TYPES, Radio, P, 140, 150, 120, 20},
    {IDC_EDIT_SAVE_MUSIC, Check, P, 14, 176, 90, 20},
    {IDC_EDIT_SAVE_FILM, Check, P, 108, 176, 90, 20},
    {IDC_EDIT_SAVE_DOCUMENT, Check, P, 202, 176, 90, 20},
    {IDC_EDIT_SAVE_PICTURE, Check, P, 296, 176, 90, 20},
    {IDC_EDIT_SAVE_PROGRAM, Check, P, 390, 176, 90, 20},
    {IDC_EDIT_SAVE_OTHER, Check, P, 14, 204, 80, 20},
    {IDC_EDIT_SAVE_OTHER_TEXT, Box, P, 100, 203, 200, 22},

    // Toolbar.
    {IDC_EDIT_TOOLBAR, Line, W, 0, 359, 506, 2},
    {IDC_EDIT_RENAME, Tool, W, 4, 365, 60, 54},
    {IDC_EDIT_SAVE, Tool, W, 4, 365, 60, 54},
    {IDC_EDIT_PREVIEW, Tool, W, 67, 365, 60, 54},
    {IDC_EDIT_MODE_REMOVE, Tool, W, 130, 365, 60, 54},
    {IDC_EDIT_MODE_REPLACE, Tool, W, 193, 365, 60, 54},
    {IDC_EDIT_MODE_INSERT, Tool, W, 256, 365, 60, 54},
    {IDC_EDIT_MODE_CHANGE, Tool, W, 319, 365, 60, 54},
    {IDC_EDIT_MODE_EXTENSION, Tool, W, 382, 365, 60, 54},
    {IDC_EDIT_BACK, Tool, W, 445, 365, 60, 54},

    // About panel.
    {IDC_EDIT_ABOUT_VERSION_GROUP, Frame, W, 8, 8, 490, 150},
    {IDC_EDIT_ABOUT_VERSION_PICTURE, Picture, W, 16, 28, 474, 120},
    {IDC_EDIT_ABOUT_CONTACT_GROUP, Frame, W, 8, 166, 490, 150},
    {IDC_EDIT_ABOUT_CONTACT_PICTURE, Picture, W, 16, 186, 474, 120},
    {IDC_EDIT_ABOUT_HOMEPAGE, Push, W, 8, 376, 90, 30},
    {IDC_EDIT_ABOUT_BACK, Push, W, 312, 376, 90, 30},
    {IDC_EDIT_ABOUT_CLOSE, Push, W, 408, 376, 90, 30},
};

struct ToolGlyph {
  int id;
  int glyph;  // resource id
};
// Rename is the "OK" of an edit; the modes and Save show the main window's glyphs.
constexpr ToolGlyph kToolGlyphs[] = {
    {IDC_EDIT_RENAME, IDG_OK},           {IDC_EDIT_SAVE, IDG_SAVE},
    {IDC_EDIT_PREVIEW, IDG_PREVIEW},     {IDC_EDIT_MODE_REMOVE, IDG_REMOVE},
    {IDC_EDIT_MODE_REPLACE, IDG_REPLACE}, {IDC_EDIT_MODE_INSERT, IDG_INSERT},
    {IDC_EDIT_MODE_CHANGE, IDG_CHANGE},   {IDC_EDIT_MODE_EXTENSION, IDG_EXTENSION},
    {IDC_EDIT_BACK, IDG_BACK},
};

// The hot keys' letters, by the controller's hot key number.
constexpr WPARAM kHotKeyLetters[] = {'R', 'P', 'E'};

const LayoutEntry* EntryOf(int id) {
  for (const LayoutEntry& entry : kLayout) {
    if (entry.id == id) return &entry;
  }
  return nullptr;
}

bool IsKind(int id, Kind kind) {
  const LayoutEntry* entry = EntryOf(id);
  return entry && entry->kind == kind;
}

void LowerBeneathSiblings(HWND window) {
  SetWindowLongW(window, GWL_STYLE, GetWindowLongW(window, GWL_STYLE) | WS_CLIPSIBLINGS);
  SetWindowPos(window, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

// The toolbar's pictures stand above the captions, which the texts fill in later.
void SetGlyph(HWND button, int glyph, int size, UINT dpi) {
  SetButtonImages(button, IconImageList(glyph, size), dpi, ImagePlace::Above);
}

std::u16string WindowText(HWND hwnd) {
  Control c;
  c.Attach(hwnd);
  return c.Text();
}

}  // namespace

EditWindowView::EditWindowView(EditWindowController& controller, Win32Timers& timers)
    : ControllerView(controller), c_(controller), timers_(timers) {}

EditWindowView::~EditWindowView() {
  for (const auto& [id, bitmap] : glyphFiles_) DeleteObject(bitmap);
  for (const ToolGlyph& tool : kToolGlyphs) {
    BUTTON_IMAGELIST list{};
    HWND button = Handle() ? GetDlgItem(Handle(), tool.id) : nullptr;
    if (button && SendMessageW(button, BCM_GETIMAGELIST, 0, reinterpret_cast<LPARAM>(&list)) && list.himl) {
      ImageList_Destroy(list.himl);
    }
  }
}

bool EditWindowView::Create(HWND owner) {
  // The sample box is a rich edit: it reports every change of its selection.
  static const HMODULE richEdit = LoadLibraryW(L"Msftedit.dll");
  if (!richEdit) return false;
  // A fixed frame with the minimize box: the window is the program's face during
  // a start with a mode argument, when the main window is off the screen.
  if (!RegisterClassOnce(kClassName, nullptr, 0)) return false;
  // Without WS_CLIPCHILDREN: the frames of the panels are windows over the
  // background, and only the window's own erase paints inside them.
  constexpr DWORD kStyle = (kDialogStyle & ~WS_CLIPCHILDREN) | WS_MINIMIZEBOX;
  const SIZE size = DialogWindowSize(kClientWidth, kClientHeight, kStyle, kDialogExStyle, WindowDpi(owner));
  if (!CreateWindowOf(kClassName, L"", kStyle, kDialogExStyle, 0, 0, size.cx, size.cy, owner)) return false;
  dpi_ = WindowDpi(Handle());
  timers_.Bind(Handle());
  CreateControls();
  Refresh();
  return true;
}

void EditWindowView::CreateControls() {
  HWND hwnd = Handle();
  bool afterRadio = false;
  for (const LayoutEntry& entry : kLayout) {
    // Each run of radio buttons is one group for the arrow keys; only its chosen
    // button is a tab stop (SyncExtras), as in any dialog.
    DWORD group = 0;
    if ((entry.kind == Radio) != afterRadio && entry.kind != Frame) group = WS_GROUP;
    if (entry.kind != Frame) afterRadio = entry.kind == Radio;
    const CreateArgs args{.parent = hwnd, .id = entry.id, .style = entry.style | group};
    switch (entry.kind) {
      case Text: {
        Label label;
        label.Create(args);
        break;
      }
      case RightText:
        CreateWindowExW(0, L"STATIC", L"", WS_CHILD | WS_VISIBLE | SS_RIGHT | SS_NOPREFIX | group, 0, 0, 10, 10, hwnd,
                        reinterpret_cast<HMENU>(static_cast<INT_PTR>(entry.id)), GetModuleHandleW(nullptr), nullptr);
        break;
      case Target:
        // SS_NOTIFY: the hint (the whole path) needs the mouse on the label.
        CreateWindowExW(0, L"STATIC", L"", WS_CHILD | WS_VISIBLE | SS_LEFTNOWORDWRAP | SS_NOPREFIX | SS_NOTIFY, 0, 0,
                        10, 10, hwnd, reinterpret_cast<HMENU>(static_cast<INT_PTR>(entry.id)),
                        GetModuleHandleW(nullptr), nullptr);
        break;
      case Sample: {
        sample_ = CreateWindowExW(0, MSFTEDIT_CLASS, L"",
                                  WS_CHILD | WS_VISIBLE | WS_TABSTOP | ES_READONLY | ES_AUTOHSCROLL, 0, 0, 10, 10,
                                  hwnd, reinterpret_cast<HMENU>(static_cast<INT_PTR>(entry.id)),
                                  GetModuleHandleW(nullptr), nullptr);
        SendMessageW(sample_, EM_SETTEXTMODE, TM_PLAINTEXT, 0);
        SendMessageW(sample_, EM_SETEVENTMASK, 0, ENM_SELCHANGE);
        SendMessageW(sample_, EM_SETBKGNDCOLOR, 0, static_cast<LPARAM>(GetSysColor(COLOR_BTNFACE)));
        SetWindowSubclass(sample_, &EditWindowView::SampleProc, 0, reinterpret_cast<DWORD_PTR>(this));
        break;
      }
      case Check: {
        CheckBox box;
        box.Create(args);
        break;
      }
      case Radio: {
        // Not an automatic radio: every radio of the window is a sibling, and the
        // controller alone decides which of them is chosen.
        Button radio;  // a push button's style is 0: this one is a plain radio
        radio.Create({.parent = hwnd, .id = entry.id, .style = BS_RADIOBUTTON | group});
        break;
      }
      case Push: {
        Button button;
        button.Create(args);
        break;
      }
      case Tool: {
        Button button;
        button.Create({.parent = hwnd, .id = entry.id, .style = BS_MULTILINE | group});
        break;
      }
      case Frame: {
        GroupBox frame;
        frame.Create(args);
        break;
      }
      case Box: {
        Edit box;
        box.Create(args);
        SetWindowSubclass(box.Handle(), &EditWindowView::InputBoxProc, static_cast<UINT_PTR>(entry.id),
                          reinterpret_cast<DWORD_PTR>(this));
        break;
      }
      case Combo:
      case DropList: {
        ComboBox box;
        box.Create({.parent = hwnd, .id = entry.id, .style = (entry.kind == DropList ? CBS_DROPDOWNLIST : 0) | group});
        COMBOBOXINFO info{};
        info.cbSize = sizeof(info);
        if (entry.kind == Combo && GetComboBoxInfo(box.Handle(), &info) && info.hwndItem) {
          SetWindowSubclass(info.hwndItem, &EditWindowView::InputBoxProc, static_cast<UINT_PTR>(entry.id),
                            reinterpret_cast<DWORD_PTR>(this));
        }
        break;
      }
      case Picture: {
        HWND picture = CreateWindowExW(0, L"STATIC", L"", WS_CHILD | WS_VISIBLE | SS_ICON | SS_CENTERIMAGE | SS_NOTIFY,
                                       0, 0, 10, 10, hwnd, reinterpret_cast<HMENU>(static_cast<INT_PTR>(entry.id)),
                                       GetModuleHandleW(nullptr), nullptr);
        auto icon = static_cast<HICON>(
            LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(entry.id == IDC_EDIT_ABOUT_VERSION_PICTURE ? IDI_APP
                                                                                                             : IDG_HOME),
                       IMAGE_ICON, 64, 64, LR_SHARED));
        if (icon) SendMessageW(picture, STM_SETICON, reinterpret_cast<WPARAM>(icon), 0);
        break;
      }
      case Line:
        CreateWindowExW(0, L"STATIC", L"", WS_CHILD | WS_VISIBLE | SS_ETCHEDHORZ, 0, 0, 10, 10, hwnd,
                        reinterpret_cast<HMENU>(static_cast<INT_PTR>(entry.id)), GetModuleHandleW(nullptr), nullptr);
        break;
    }
  }
  // Frames beneath what they hold, so that they never paint over a box; the
  // last one lowered lies lowest, so inner frames go first and stay above their
  // outer ones (which would otherwise clip them away).
  for (auto entry = std::rbegin(kLayout); entry != std::rend(kLayout); ++entry) {
    if (entry->kind == Frame) LowerBeneathSiblings(GetDlgItem(hwnd, entry->id));
  }
  ComboBox filter;
  filter.Attach(GetDlgItem(hwnd, IDC_EDIT_TYPE_FILTER));
  filter.SetItems(c_.TypeFilterItems());

  tooltip_ = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, 0, 0, 0,
                             0, hwnd, nullptr, GetModuleHandleW(nullptr), nullptr);
  SendMessageW(tooltip_, TTM_SETMAXTIPWIDTH, 0, Scale(600, dpi_));
  ApplyFont(hwnd, MessageFont(dpi_));
  SetGlyphs();
}

void EditWindowView::SetGlyphs() {
  const int size = Scale(kToolGlyph, dpi_);
  for (const ToolGlyph& tool : kToolGlyphs) {
    HWND button = GetDlgItem(Handle(), tool.id);
    if (auto file = glyphFiles_.find(tool.id); file != glyphFiles_.end()) {
      if (HIMAGELIST images = BitmapImageList(file->second, size)) {
        SetButtonImages(button, images, dpi_, ImagePlace::Above);
        continue;
      }
    }
    SetGlyph(button, tool.glyph, size, dpi_);
  }
}

void EditWindowView::LoadGlyphFiles(std::u16string_view folder) {
  struct Picture {
    int id;
    std::u16string_view name;
  };
  static constexpr Picture kPictures[] = {
      {IDC_EDIT_RENAME, u"OK"},           {IDC_EDIT_PREVIEW, u"Preview"},       {IDC_EDIT_BACK, u"Back"},
      {IDC_EDIT_MODE_REMOVE, u"Remove"},  {IDC_EDIT_MODE_REPLACE, u"Replace"}, {IDC_EDIT_MODE_INSERT, u"Insert"},
      {IDC_EDIT_MODE_CHANGE, u"Change"},  {IDC_EDIT_MODE_EXTENSION, u"Extension"}, {IDC_EDIT_SAVE, u"Save"}};
  const std::u16string base = WithTrailingSeparator(folder);
  for (const Picture& picture : kPictures) {
    HBITMAP bitmap = LoadBitmapFile(base + std::u16string(picture.name) + u".bmp");
    if (!bitmap) continue;
    HBITMAP& slot = glyphFiles_[picture.id];
    if (slot) DeleteObject(slot);
    slot = bitmap;
  }
  SetGlyphs();
}

void EditWindowView::Layout() {
  const int panelTop = c_.PanelTop();
  const ScopeTops tops = c_.ScopeControlTops();
  laidPanelTop_ = panelTop;
  laidScopeBox_ = tops.box;
  auto S = [this](int designed) { return Scale(designed, dpi_); };
  for (const LayoutEntry& entry : kLayout) {
    HWND control = GetDlgItem(Handle(), entry.id);
    if (!control) continue;
    int y = entry.y;
    switch (entry.area) {
      case Area::Window: break;
      case Area::Panel: y += panelTop; break;
      case Area::ScopeLabel: y += kScopeGroupTop + tops.label; break;
      case Area::ScopeBox: y += kScopeGroupTop + tops.box; break;
      case Area::ScopeSubfolders: y += kScopeGroupTop + tops.subfolders; break;
    }
    // A combo box's height is that of its box with the list dropped.
    const int height = entry.kind == Combo || entry.kind == DropList ? entry.height + kDropHeight : entry.height;
    SetWindowPos(control, nullptr, S(entry.x), S(y), S(entry.width), S(height), SWP_NOZORDER | SWP_NOACTIVATE);
  }
}

int EditWindowView::Open(HWND owner, bool modal) {
  c_.Open();
  modal_ = modal;
  Refresh();
  Place();
  if (modal) return ShowModal(owner);
  ShowWindow(Handle(), SW_SHOW);
  AfterShown();
  return 0;
}

int EditWindowView::OpenAbout(HWND owner) {
  c_.OpenAbout();
  modal_ = true;
  Refresh();
  Place();
  return ShowModal(owner);
}

void EditWindowView::Place() {
  if (!c_.NeedsPlacing()) return;
  CentreOnScreen(Handle());
  if (placePreview_) placePreview_();
  c_.Placed();
}

void EditWindowView::AfterShown() {
  ApplyFocusRequest();
  if (!GetFocus() || !IsChild(Handle(), GetFocus())) {
    if (HWND first = GetNextDlgTabItem(Handle(), nullptr, FALSE)) SetFocus(first);
  }
}

void EditWindowView::Refresh() {
  SyncExtras();
  Mirror();
  ShowSampleSelection();
  if (!modal_ && c_.CloseResult() && IsWindowVisible(Handle())) ShowWindow(Handle(), SW_HIDE);
}

void EditWindowView::AfterCommand() {
  SyncExtras();
  if (!modal_ && c_.CloseResult() && IsWindowVisible(Handle())) ShowWindow(Handle(), SW_HIDE);
}

// What the generic mirror leaves out: places that follow the state, the combo
// boxes' lists, texts and chosen items, the radios' tab stops and the hints.
void EditWindowView::SyncExtras() {
  const ScopeTops tops = c_.ScopeControlTops();
  if (c_.PanelTop() != laidPanelTop_ || tops.box != laidScopeBox_) Layout();
  SyncLists();
  for (const LayoutEntry& entry : kLayout) {
    HWND control = GetDlgItem(Handle(), entry.id);
    if (!control) continue;
    if (entry.kind == Radio) {
      const LONG style = GetWindowLongW(control, GWL_STYLE);
      const LONG wanted = c_.State(entry.id).checked ? style | WS_TABSTOP : style & ~WS_TABSTOP;
      if (wanted != style) SetWindowLongW(control, GWL_STYLE, wanted);
    } else if (entry.kind == Combo) {
      // An editable box's text is the controller's (automatic copies, tokens).
      const std::u16string text = c_.State(entry.id).text;
      if (WindowText(control) != text) SetWindowTextW(control, ToWide(text).c_str());
    }
  }
  SyncHints();
}

void EditWindowView::SyncLists() {
  HWND hwnd = Handle();
  if (shownHistory_ != c_.Panels().HistoryVersion()) {
    shownHistory_ = c_.Panels().HistoryVersion();
    for (const LayoutEntry& entry : kLayout) {
      if (entry.kind != Combo || entry.id == IDC_EDIT_TYPE_FILTER) continue;
      ComboBox box;
      box.Attach(GetDlgItem(hwnd, entry.id));
      box.SetItems(c_.Panels().History());
    }
  }
  // The string table's items (a change of language gives new ones).
  auto fill = [hwnd](int id, const std::vector<std::u16string>& items, std::vector<std::u16string>& shown) {
    if (items == shown) return;
    ComboBox box;
    box.Attach(GetDlgItem(hwnd, id));
    box.SetItems(items);
    shown = items;
  };
  fill(IDC_EDIT_SCOPE, c_.ScopeItems(), shownScopeItems_);
  fill(IDC_EDIT_INSERT_WHERE, c_.Panels().Items(IDC_EDIT_INSERT_WHERE), shownWhereItems_);
  auto select = [hwnd](int id, int index) {
    ComboBox box;
    box.Attach(GetDlgItem(hwnd, id));
    if (box.Selection() != index) box.Select(index);
  };
  select(IDC_EDIT_SCOPE, c_.ScopeBoxIndex());
  select(IDC_EDIT_INSERT_WHERE, c_.Panels().SelectedIndex(IDC_EDIT_INSERT_WHERE));
}

void EditWindowView::SyncHints() {
  for (const int id : c_.ControlIds()) {
    std::u16string hint = c_.Hint(id);
    auto shown = shownHints_.find(id);
    if (shown == shownHints_.end() ? hint.empty() : shown->second == hint) continue;
    HWND control = GetDlgItem(Handle(), id);
    if (!control) continue;
    SetToolTip(tooltip_, Handle(), control, hint);
    shownHints_[id] = std::move(hint);
  }
}

// The controller moved or removed the sample's mark: the box shows it, and the
// selection change this causes is not reported back.
void EditWindowView::ShowSampleSelection() {
  if (shownSelection_ == c_.SelectionVersion()) return;
  shownSelection_ = c_.SelectionVersion();
  const SampleSpan span = c_.SelectionToShow();
  CHARRANGE range{span.start, span.start + span.length};
  settingSelection_ = true;
  SendMessageW(sample_, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&range));
  settingSelection_ = false;
}

bool EditWindowView::TakeKey(const MSG& msg) {
  if (msg.message == WM_KEYDOWN && msg.wParam == VK_F1) {
    c_.Help();
    return true;
  }
  if (msg.message != WM_KEYDOWN || GetKeyState(VK_CONTROL) >= 0 || GetKeyState(VK_MENU) < 0) return false;
  // The keys belong to the edit: they act while its window or its preview is the
  // active one, and leave every other window and program alone.
  HWND active = GetActiveWindow();
  const bool ours = active && (active == Handle() || (previewWindow_ && active == previewWindow_()));
  if (!ours) return false;
  for (int key = 0; key < static_cast<int>(std::size(kHotKeyLetters)); ++key) {
    if (msg.wParam != kHotKeyLetters[key]) continue;
    c_.HotKey(key);
    Refresh();
    ApplyFocusRequest();
    return true;
  }
  return false;
}

bool EditWindowView::PreTranslateModal(MSG& msg) { return TakeKey(msg); }

bool EditWindowView::PreTranslate(MSG& msg) {
  HWND hwnd = Handle();
  if (!hwnd || !IsWindowVisible(hwnd)) return false;
  if (TakeKey(msg)) return true;
  if ((msg.hwnd == hwnd || IsChild(hwnd, msg.hwnd)) && IsDialogMessageW(hwnd, &msg)) {
    if (c_.CloseResult()) Refresh();
    return true;
  }
  return false;
}

void EditWindowView::ReportTemplateSelection(int buttonId) {
  const std::optional<int> box = c_.Panels().SpecialTarget(buttonId);
  if (!box) return;
  DWORD start = 0;
  DWORD end = 0;
  SendMessageW(GetDlgItem(Handle(), *box), CB_GETEDITSEL, reinterpret_cast<WPARAM>(&start),
               reinterpret_cast<LPARAM>(&end));
  c_.TemplateBoxSelection(*box, static_cast<int>(start), static_cast<int>(end - start));
}

bool EditWindowView::OnCommand(int id, int code, HWND control) {
  if (!control) return false;
  if (code == BN_CLICKED && IsKind(id, Radio)) {
    // A click on a radio chooses it; the controller's state then checks it.
    c_.Checked(id, true);
    return true;
  }
  if (code == BN_CLICKED) {
    ReportTemplateSelection(id);
    return false;
  }
  if (code == CBN_EDITCHANGE && IsKind(id, Combo)) {
    c_.TextChanged(id, WindowText(control));
    return true;
  }
  return false;
}

void EditWindowView::ShowSampleMenu(POINT at) {
  HMENU menu = CreatePopupMenu();
  for (const int id : {IDM_EDIT_SAMPLE_COPY, IDM_EDIT_SAMPLE_SELECT_ALL, IDM_EDIT_SAMPLE_AUTOCOPY}) {
    const ControlState state = c_.State(id);
    AppendMenuW(menu, MF_STRING | (state.enabled ? MF_ENABLED : MF_GRAYED), static_cast<UINT_PTR>(id),
                ToWide(state.text).c_str());
  }
  const int chosen = TrackPopupMenu(menu, TPM_RETURNCMD | TPM_RIGHTBUTTON, at.x, at.y, 0, Handle(), nullptr);
  DestroyMenu(menu);
  if (chosen == 0) return;
  c_.Command(chosen);
  Refresh();
}

LRESULT EditWindowView::SampleMessage(HWND box, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_LBUTTONDOWN: {
      const LRESULT result = DefSubclassProc(box, message, wParam, lParam);
      // The caret the press put down is the CURSOR position an insert takes.
      CHARRANGE range{};
      SendMessageW(box, EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&range));
      c_.SampleMousePressed(static_cast<int>(range.cpMin));
      Refresh();
      return result;
    }
    case WM_MOUSEMOVE: {
      if (!trackingMouse_) {
        TRACKMOUSEEVENT track{sizeof(track), TME_LEAVE, box, 0};
        trackingMouse_ = TrackMouseEvent(&track) != FALSE;
      }
      const LRESULT result = DefSubclassProc(box, message, wParam, lParam);
      c_.SampleMouseMoved();
      Refresh();
      return result;
    }
    case WM_MOUSELEAVE:
      trackingMouse_ = false;
      c_.SampleMouseLeft();
      break;
    case WM_GETDLGCODE:
      // Enter in the box starts the rename, so the dialog keys must leave it here.
      if (lParam && reinterpret_cast<const MSG*>(lParam)->message == WM_KEYDOWN &&
          reinterpret_cast<const MSG*>(lParam)->wParam == VK_RETURN) {
        return DefSubclassProc(box, message, wParam, lParam) | DLGC_WANTMESSAGE;
      }
      break;
    case WM_KEYDOWN:
      if (wParam == VK_RETURN) {
        c_.SampleEnterPressed();
        Refresh();
        ApplyFocusRequest();
        return 0;
      }
      break;
    case WM_CHAR:
      if (wParam == L'\r') return 0;
      break;
    case WM_CONTEXTMENU: {
      POINT at{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
      if (lParam == -1) {
        // From the keyboard: at the box's top left corner.
        at = POINT{0, 0};
        ClientToScreen(box, &at);
      }
      ShowSampleMenu(at);
      return 0;
    }
    default:
      break;
  }
  return DefSubclassProc(box, message, wParam, lParam);
}

LRESULT CALLBACK EditWindowView::SampleProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                            DWORD_PTR self) {
  return reinterpret_cast<EditWindowView*>(self)->SampleMessage(hwnd, message, wParam, lParam);
}

LRESULT CALLBACK EditWindowView::InputBoxProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                                              DWORD_PTR self) {
  if (message == WM_LBUTTONDOWN) {
    // A press in a box names where automatic copies go and takes the sample's
    // mark away, so that a selection-based edit does not use a stale one.
    auto* view = reinterpret_cast<EditWindowView*>(self);
    view->c_.InputBoxPressed(static_cast<int>(id));
    view->Refresh();
  }
  return DefSubclassProc(hwnd, message, wParam, lParam);
}

LRESULT EditWindowView::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_NOTIFY: {
      const auto* header = reinterpret_cast<const NMHDR*>(lParam);
      if (header->hwndFrom == sample_ && header->code == EN_SELCHANGE) {
        if (Updating() || settingSelection_) return 0;
        const auto* change = reinterpret_cast<const SELCHANGE*>(lParam);
        c_.SampleSelectionChanged(static_cast<int>(change->chrg.cpMin),
                                  static_cast<int>(change->chrg.cpMax - change->chrg.cpMin));
        Refresh();
        return 0;
      }
      break;
    }
    case WM_TIMER:
      c_.TimerFired(static_cast<int>(wParam));
      Refresh();
      ApplyFocusRequest();
      return 0;
    case WM_CLOSE:
      c_.CancelDialog();
      Refresh();
      return 0;
    case WM_ERASEBKGND:
    case WM_PRINTCLIENT: {
      // Also what a themed group box asks for to fill its inside: without it the
      // frames of the panels stood on black.
      auto dc = reinterpret_cast<HDC>(wParam);
      RECT client;
      GetClientRect(Handle(), &client);
      FillRect(dc, &client, GetSysColorBrush(COLOR_BTNFACE));
      return 1;
    }
    case WM_HELP:
      c_.Help();
      return TRUE;
    case WM_DPICHANGED:
      dpi_ = AdoptDpi(wParam, lParam);
      SendMessageW(tooltip_, TTM_SETMAXTIPWIDTH, 0, Scale(600, dpi_));
      Layout();
      SetGlyphs();
      Refresh();
      return 0;
    default:
      break;
  }
  return ControllerView::HandleMessage(message, wParam, lParam);
}

}  // namespace renamora::ui::win

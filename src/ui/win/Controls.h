// Small non-owning handles for the common controls: the parent window destroys its
// children, so these only name them. Create takes a CreateArgs of defaulted members.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "platform/win32/IncludeWindows.h"

#include <commctrl.h>

namespace renamora::ui::win {

struct CreateArgs {
  HWND parent = nullptr;
  int id = 0;
  std::u16string_view text;
  DWORD style = 0;    // added to the kind's own style
  DWORD exStyle = 0;
};

class Control {
 public:
  HWND Handle() const { return hwnd_; }
  int Id() const { return GetDlgCtrlID(hwnd_); }
  std::u16string Text() const;
  void SetText(std::u16string_view text) const;
  void Enable(bool enabled) const { EnableWindow(hwnd_, enabled); }
  void Show(bool visible) const { ShowWindow(hwnd_, visible ? SW_SHOWNA : SW_HIDE); }
  void Place(int x, int y, int width, int height) const {
    SetWindowPos(hwnd_, nullptr, x, y, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
  }
  void Attach(HWND hwnd) { hwnd_ = hwnd; }

 protected:
  bool CreateOf(const wchar_t* className, DWORD style, const CreateArgs& args);
  HWND hwnd_ = nullptr;
};

class Button : public Control {
 public:
  bool Create(const CreateArgs& args) { return CreateOf(L"BUTTON", BS_PUSHBUTTON | WS_TABSTOP, args); }
};
class CheckBox : public Control {
 public:
  bool Create(const CreateArgs& args) { return CreateOf(L"BUTTON", BS_AUTOCHECKBOX | WS_TABSTOP, args); }
  bool Checked() const { return SendMessageW(hwnd_, BM_GETCHECK, 0, 0) == BST_CHECKED; }
  void SetChecked(bool checked) const { SendMessageW(hwnd_, BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0); }
};
class RadioButton : public CheckBox {
 public:
  bool Create(const CreateArgs& args) { return CreateOf(L"BUTTON", BS_AUTORADIOBUTTON | WS_TABSTOP, args); }
};
class GroupBox : public Control {
 public:
  bool Create(const CreateArgs& args) { return CreateOf(L"BUTTON", BS_GROUPBOX, args); }
};
class Label : public Control {
 public:
  bool Create(const CreateArgs& args) { return CreateOf(L"STATIC", SS_LEFT | SS_NOPREFIX, args); }
};
class Edit : public Control {
 public:
  bool Create(const CreateArgs& args) {
    return CreateOf(L"EDIT", ES_AUTOHSCROLL | WS_TABSTOP, {args.parent, args.id, args.text, args.style,
                                                           args.exStyle | WS_EX_CLIENTEDGE});
  }
  void SelectAll() const { SendMessageW(hwnd_, EM_SETSEL, 0, -1); }
};
class ComboBox : public Control {
 public:
  // An editable box with a drop-down list (CBS_DROPDOWN) unless style says otherwise.
  bool Create(const CreateArgs& args) {
    return CreateOf(L"COMBOBOX", CBS_AUTOHSCROLL | WS_VSCROLL | WS_TABSTOP | (args.style ? 0 : CBS_DROPDOWN), args);
  }
  void SetItems(const std::vector<std::u16string>& items) const;
  int Selection() const { return static_cast<int>(SendMessageW(hwnd_, CB_GETCURSEL, 0, 0)); }
  void Select(int index) const { SendMessageW(hwnd_, CB_SETCURSEL, static_cast<WPARAM>(index), 0); }
};
class ListBox : public Control {
 public:
  bool Create(const CreateArgs& args) {
    return CreateOf(L"LISTBOX", LBS_NOTIFY | WS_VSCROLL | WS_TABSTOP | WS_BORDER, args);
  }
  void SetItems(const std::vector<std::u16string>& items) const;
  int Selection() const { return static_cast<int>(SendMessageW(hwnd_, LB_GETCURSEL, 0, 0)); }
  void Select(int index) const { SendMessageW(hwnd_, LB_SETCURSEL, static_cast<WPARAM>(index), 0); }
};

// A tab control whose pages are plain sibling controls shown and hidden by the
// owner; it clips its siblings so that it never paints over them.
class TabControl : public Control {
 public:
  bool Create(const CreateArgs& args);
  void SetTitles(const std::vector<std::u16string>& titles) const;
  int Selection() const { return static_cast<int>(SendMessageW(hwnd_, TCM_GETCURSEL, 0, 0)); }
  void Select(int index) const { SendMessageW(hwnd_, TCM_SETCURSEL, static_cast<WPARAM>(index), 0); }
  // The part of the control below its tabs, in the parent's client coordinates.
  RECT PageArea() const;
};
// A bar that shows how far a job has come; the owner sets the range and position.
class ProgressBar : public Control {
 public:
  bool Create(const CreateArgs& args) { return CreateOf(PROGRESS_CLASSW, 0, args); }
  void SetMaximum(int maximum) const { SendMessageW(hwnd_, PBM_SETRANGE32, 0, maximum); }
  void SetPosition(int position) const { SendMessageW(hwnd_, PBM_SETPOS, static_cast<WPARAM>(position), 0); }
  int Maximum() const { return static_cast<int>(SendMessageW(hwnd_, PBM_GETRANGE, FALSE, 0)); }
  int Position() const { return static_cast<int>(SendMessageW(hwnd_, PBM_GETPOS, 0, 0)); }
};
// Up and down arrows beside a number box. The owner keeps the number: the arrows
// only report their steps (UDN_DELTAPOS), so no buddy integer is written.
class UpDown : public Control {
 public:
  bool Create(const CreateArgs& args) {
    return CreateOf(UPDOWN_CLASSW, UDS_ARROWKEYS | UDS_ALIGNRIGHT | UDS_NOTHOUSANDS, args);
  }
  // Attaches to the box (placed already) at its right edge; the arrow keys in the
  // box step too.
  void SetBuddy(HWND box) const { SendMessageW(hwnd_, UDM_SETBUDDY, reinterpret_cast<WPARAM>(box), 0); }
  void SetRange(int minimum, int maximum) const { SendMessageW(hwnd_, UDM_SETRANGE32, minimum, maximum); }
};

// The tip a tooltip window shows over one control of `owner`; an empty text takes
// the tip away.
void SetToolTip(HWND tooltip, HWND owner, HWND control, std::u16string_view text);

// An image list holding one icon resource of the program at the given size;
// nothing when the resource is missing.
HIMAGELIST IconImageList(int resourceId, int size);
// A picture of an icon set: a bitmap file, and an image list of it at the given
// size whose bottom-left pixel's colour stands for "transparent", as in
// hand-drawn toolbar glyphs. Nothing when the file is no bitmap.
HBITMAP LoadBitmapFile(std::u16string_view path);
HIMAGELIST BitmapImageList(HBITMAP bitmap, int size);
// Where a button's picture stands against its caption.
enum class ImagePlace { Above, Centred, Beside };
// The button shows the images and owns them; the list it showed before is freed.
void SetButtonImages(HWND button, HIMAGELIST images, UINT dpi, ImagePlace place);

}  // namespace renamora::ui::win

// Creation and text of the control handles.
#include "ui/win/Controls.h"

#include <vector>

#include "platform/win32/WideText.h"
#include "ui/win/Dpi.h"

namespace renamora::ui::win {

bool Control::CreateOf(const wchar_t* className, DWORD style, const CreateArgs& args) {
  const std::wstring text = ToWide(args.text);
  hwnd_ = CreateWindowExW(args.exStyle, className, text.c_str(), WS_CHILD | WS_VISIBLE | style | args.style, 0, 0, 10,
                          10, args.parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(args.id)),
                          GetModuleHandleW(nullptr), nullptr);
  return hwnd_ != nullptr;
}

std::u16string Control::Text() const {
  const int length = GetWindowTextLengthW(hwnd_);
  std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
  const int got = GetWindowTextW(hwnd_, text.data(), length + 1);
  text.resize(static_cast<std::size_t>(got > 0 ? got : 0));
  return FromWide(text);
}

void Control::SetText(std::u16string_view text) const {
  const std::wstring wide = ToWide(text);
  SetWindowTextW(hwnd_, wide.c_str());
}

void ComboBox::SetItems(const std::vector<std::u16string>& items) const {
  SendMessageW(hwnd_, CB_RESETCONTENT, 0, 0);
  for (const auto& item : items) {
    const std::wstring wide = ToWide(item);
    SendMessageW(hwnd_, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(wide.c_str()));
  }
}

void ListBox::SetItems(const std::vector<std::u16string>& items) const {
  SendMessageW(hwnd_, LB_RESETCONTENT, 0, 0);
  for (const auto& item : items) {
    const std::wstring wide = ToWide(item);
    SendMessageW(hwnd_, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(wide.c_str()));
  }
}

bool TabControl::Create(const CreateArgs& args) {
  return CreateOf(WC_TABCONTROLW, WS_TABSTOP | WS_CLIPSIBLINGS, args);
}

void TabControl::SetTitles(const std::vector<std::u16string>& titles) const {
  const int selected = Selection();
  SendMessageW(hwnd_, TCM_DELETEALLITEMS, 0, 0);
  for (std::size_t i = 0; i < titles.size(); ++i) {
    std::wstring wide = ToWide(titles[i]);
    TCITEMW item{};
    item.mask = TCIF_TEXT;
    item.pszText = wide.data();
    SendMessageW(hwnd_, TCM_INSERTITEMW, i, reinterpret_cast<LPARAM>(&item));
  }
  if (selected >= 0) Select(selected);
}

RECT TabControl::PageArea() const {
  RECT area;
  GetWindowRect(hwnd_, &area);
  MapWindowPoints(nullptr, GetParent(hwnd_), reinterpret_cast<POINT*>(&area), 2);
  SendMessageW(hwnd_, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&area));
  return area;
}

void SetToolTip(HWND tooltip, HWND owner, HWND control, std::u16string_view text) {
  std::wstring wide = ToWide(text);
  TTTOOLINFOW tool{};
  tool.cbSize = sizeof(tool);
  tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
  tool.hwnd = owner;
  tool.uId = reinterpret_cast<UINT_PTR>(control);
  tool.lpszText = wide.data();
  SendMessageW(tooltip, TTM_DELTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
  if (!wide.empty()) SendMessageW(tooltip, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
}

HIMAGELIST IconImageList(int resourceId, int size) {
  HICON icon = static_cast<HICON>(
      LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(resourceId), IMAGE_ICON, size, size, LR_DEFAULTCOLOR));
  if (!icon) return nullptr;
  HIMAGELIST images = ImageList_Create(size, size, ILC_COLOR32 | ILC_MASK, 1, 0);
  ImageList_AddIcon(images, icon);
  DestroyIcon(icon);
  return images;
}

HBITMAP LoadBitmapFile(std::u16string_view path) {
  const std::wstring wide = ToWide(path);
  return static_cast<HBITMAP>(LoadImageW(nullptr, wide.c_str(), IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE));
}

HIMAGELIST BitmapImageList(HBITMAP bitmap, int size) {
  BITMAP info{};
  if (!GetObjectW(bitmap, sizeof(info), &info) || info.bmWidth <= 0 || info.bmHeight <= 0) return nullptr;
  HDC screen = GetDC(nullptr);
  HDC dc = CreateCompatibleDC(screen);
  HGDIOBJ old = SelectObject(dc, bitmap);
  const COLORREF transparent = GetPixel(dc, 0, info.bmHeight - 1);
  SelectObject(dc, old);
  DeleteDC(dc);
  ReleaseDC(nullptr, screen);
  auto scaled = static_cast<HBITMAP>(CopyImage(bitmap, IMAGE_BITMAP, size, size, 0));
  if (!scaled) return nullptr;
  HIMAGELIST images = ImageList_Create(size, size, ILC_COLOR32 | ILC_MASK, 1, 0);
  ImageList_AddMasked(images, scaled, transparent);
  DeleteObject(scaled);
  return images;
}

void SetButtonImages(HWND button, HIMAGELIST images, UINT dpi, ImagePlace place) {
  if (!images) return;
  BUTTON_IMAGELIST previous{};
  if (SendMessageW(button, BCM_GETIMAGELIST, 0, reinterpret_cast<LPARAM>(&previous)) && previous.himl) {
    ImageList_Destroy(previous.himl);
  }
  BUTTON_IMAGELIST list{};
  list.himl = images;
  switch (place) {
    case ImagePlace::Above:
      list.uAlign = BUTTON_IMAGELIST_ALIGN_TOP;
      list.margin = RECT{0, Scale(4, dpi), 0, 0};
      break;
    case ImagePlace::Centred:
      list.uAlign = BUTTON_IMAGELIST_ALIGN_CENTER;
      break;
    case ImagePlace::Beside:
      list.uAlign = BUTTON_IMAGELIST_ALIGN_LEFT;
      list.margin = RECT{Scale(6, dpi), 0, 0, 0};
      break;
  }
  SendMessageW(button, BCM_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(&list));
}

}  // namespace renamora::ui::win

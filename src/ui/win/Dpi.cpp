// DPI queries that work from Windows 7 (no GetDpiForWindow) to Windows 11.
#include "ui/win/Dpi.h"

#include <map>
#include <utility>

namespace renamora::ui::win {

UINT WindowDpi(HWND hwnd) {
  using GetDpiForWindowFn = UINT(WINAPI*)(HWND);
  static const auto getDpiForWindow = reinterpret_cast<GetDpiForWindowFn>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"user32.dll"), "GetDpiForWindow")));
  if (getDpiForWindow && hwnd) {
    const UINT dpi = getDpiForWindow(hwnd);
    if (dpi) return dpi;
  }
  HDC dc = GetDC(nullptr);
  const int dpi = GetDeviceCaps(dc, LOGPIXELSY);
  ReleaseDC(nullptr, dc);
  return dpi > 0 ? static_cast<UINT>(dpi) : 96;
}

HFONT MessageFont(UINT dpi, bool bold) {
  static std::map<std::pair<UINT, bool>, HFONT> fonts;
  auto found = fonts.find({dpi, bold});
  if (found != fonts.end()) return found->second;
  NONCLIENTMETRICSW metrics{};
  metrics.cbSize = sizeof(metrics);
  SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0);
  LOGFONTW font = metrics.lfMessageFont;
  // The system gives the font for the primary monitor's DPI; rescale it.
  const UINT systemDpi = WindowDpi(nullptr);
  font.lfHeight = MulDiv(font.lfHeight, static_cast<int>(dpi), static_cast<int>(systemDpi));
  if (bold) font.lfWeight = FW_BOLD;
  HFONT made = CreateFontIndirectW(&font);
  fonts[{dpi, bold}] = made;
  return made;
}

void ApplyFont(HWND parent, HFONT font) {
  SendMessageW(parent, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  EnumChildWindows(
      parent,
      [](HWND child, LPARAM f) -> BOOL {
        SendMessageW(child, WM_SETFONT, static_cast<WPARAM>(f), TRUE);
        return TRUE;
      },
      reinterpret_cast<LPARAM>(font));
}

}  // namespace renamora::ui::win

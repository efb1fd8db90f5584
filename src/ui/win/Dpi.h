// Layouts are designed in pixels at 96 DPI and scaled by the DPI of the window's
// monitor; every control uses the system's message font at that DPI.
#pragma once

#include "platform/win32/IncludeWindows.h"

namespace renamora::ui::win {

UINT WindowDpi(HWND hwnd);
inline int Scale(int designed, UINT dpi) { return MulDiv(designed, static_cast<int>(dpi), 96); }

// The message font at a DPI (and its bold form), made once per DPI and kept for the
// program's life: fonts are shared by every window, and a handful of DPIs exist.
HFONT MessageFont(UINT dpi, bool bold = false);

// Sets the font on a window and all its children.
void ApplyFont(HWND parent, HFONT font);

}  // namespace renamora::ui::win

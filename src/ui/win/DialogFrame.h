// What our fixed-size dialog windows share: their window styles, their size from a
// designed client area, and their place in the middle of the screen.
#pragma once

#include "platform/win32/IncludeWindows.h"
#include "ui/win/Window.h"

namespace renamora::ui::win {

// A fixed frame with a caption and only a close box. WS_EX_CONTROLPARENT lets
// IsDialogMessageW move through the controls with Tab although no dialog template
// made the window.
inline constexpr DWORD kDialogStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
inline constexpr DWORD kDialogExStyle = WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT;

// The window size whose client area is the designed one (96-DPI pixels) at dpi.
SIZE DialogWindowSize(int clientWidth, int clientHeight, DWORD style, DWORD exStyle, UINT dpi);

// Registers the class (without double-click messages unless asked) and makes the
// hidden dialog window with the designed client area at the owner's DPI.
bool CreateDialogWindow(WindowBase& window, const wchar_t* className, int clientWidth, int clientHeight, HWND owner,
                        UINT classStyle = CS_DBLCLKS);

// Moves a window to the middle of the screen's work area.
void CentreOnScreen(HWND hwnd);

}  // namespace renamora::ui::win

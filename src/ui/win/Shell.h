// The shell services of the windows: pickers, opening items, the recycle bin,
// the clipboard, special folders and starting another instance.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "platform/win32/IncludeWindows.h"

namespace renamora::ui::win {

// The folder picker; empty when cancelled.
std::u16string BrowseForFolder(HWND owner, std::u16string_view title);
// The open-files dialog with the program's file types; empty when cancelled.
std::vector<std::u16string> ChooseFiles(HWND owner, std::u16string_view title, std::u16string_view initialFolder);
void OpenWithAssociation(std::u16string_view path);
// Explorer on the item's folder with the item selected.
void ShowInExplorer(std::u16string_view path);
void ShowPropertiesOf(std::u16string_view path);
// Moves one item to the recycle bin, never deleting it for good: false when it
// stays where it is (in use, no recycle bin on that drive, gone).
bool MoveToRecycleBin(std::u16string_view path);
bool PutTextOnClipboard(HWND owner, std::u16string_view text);
// CSIDL_MYMUSIC etc., ending with the separator; empty when there is none.
std::u16string SpecialFolder(int csidl);
// Starts a program from a whole command line (quoted by ui/browser/FileCommands.h),
// never through the 8-bit code page.
bool StartProgram(std::u16string_view commandLine);
// The running program file's full path.
std::u16string ProgramFilePath();
// Opens a help topic of a compiled help file; nothing when the file or the help
// viewer is missing.
void ShowHelpTopic(std::u16string_view helpFile, std::u16string_view topic);

// Writes a shell link (replacing one of that name) to a program, shown normally
// when started; false when it could not be written.
[[nodiscard]] bool CreateShellLink(std::u16string_view linkPath, std::u16string_view target,
                                   std::u16string_view description);

}  // namespace renamora::ui::win

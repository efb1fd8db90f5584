// The main window's file commands that are rules rather than shell calls: names, modes and command lines.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/Messages.h"
#include "platform/FileSystem.h"
#include "platform/Prompter.h"

namespace renamora::ui {

// What Copy filename puts on the clipboard: a folder's last component, a file's
// last component before its last ".". The item text may be a name or a full path.
std::u16string CopyNameOf(FileSystem& fs, std::u16string_view fullPath, std::u16string_view itemText);

// The first of "New Folder", "New Folder 1", "New Folder 2", ... that nothing in
// the folder holds yet. folder ends with a separator.
std::u16string NewFolderName(FileSystem& fs, std::u16string_view folder);

// Create new folder: the name of the folder made in currentFolder, or nothing when
// the current folder is invalid (message 375) or the folder cannot be made (374).
std::optional<std::u16string> CreateNewFolder(FileSystem& fs, Prompter& prompter, const TextLookup& texts,
                                              std::u16string_view currentFolder);

// The edit mode a second instance starts with for "Rename in another session"
// entry k (1 Remove ... 6 Save); Save names one folder's tree ("Savealls") or the
// chosen items ("Savesomes"). Empty for any other k.
std::u16string HandOverMode(int k, FileSystem& fs, const std::vector<std::u16string>& paths);

// Upper folder: the folder to list, or nothing when the Folder button must run
// instead (a root or nothing was shown, or the parent does not exist).
std::optional<std::u16string> UpperFolderTarget(FileSystem& fs, std::u16string_view currentFolder);

// The Shortcut Cleaner's new name for a desktop entry: "Notepad.exe.lnk" becomes
// "Notepad.lnk"; a name that is no shortcut or has no inner extension is returned
// as it is.
std::u16string CleanShortcutName(std::u16string_view entryName);

// Renames every shortcut file in folder to its cleaned name; a rename that fails
// (the name is taken) leaves that entry as it was. The number of renames done.
int CleanShortcuts(FileSystem& fs, std::u16string_view folder);

// The quick access entry: asks first (message 234), then cleans the desktop
// folder if it exists. The number of renames done.
int RunShortcutCleaner(FileSystem& fs, Prompter& prompter, const TextLookup& texts, std::u16string_view desktopFolder);

// One argument of a Windows command line as the C runtime and CommandLineToArgvW
// read it back: quoted when it holds a blank or a quote, is empty, or quoting is
// asked for; quotes escaped and backslashes doubled only where they precede a quote.
std::u16string QuoteCommandArgument(std::u16string_view argument, bool alwaysQuote = false);

// The command line that starts another instance on an edit mode: the program
// path, always quoted (a program under "Program Files" would otherwise start
// "C:\Program"), a blank and the mode.
std::u16string InstanceCommandLine(std::u16string_view programPath, std::u16string_view mode);

// Open path: Explorer on the item's folder with the item selected.
std::u16string OpenPathCommandLine(std::u16string_view fullPath);

}  // namespace renamora::ui

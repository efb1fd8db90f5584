// The portable part of the program start: its folders, the command line, the hand-over file,
// the start with a mode argument, and the start-up values kept in the settings file.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "app/Settings.h"
#include "app/SettingsFile.h"
#include "core/Messages.h"
#include "core/ProgramState.h"
#include "platform/FileSystem.h"
#include "platform/Locale.h"
#include "platform/Prompter.h"

namespace renamora {

namespace StartUpName {
inline constexpr std::u16string_view kUndoFolder = u"Undos";
inline constexpr std::u16string_view kHandOverFile = u"fn000.tmp";
inline constexpr std::u16string_view kVendorFolder = u"Altomira";
inline constexpr std::u16string_view kProductFolder = u"Renamora";
}  // namespace StartUpName

// Where the data folder goes when the program folder cannot serve. Windows: the
// program folder whenever its "Undos" folder can be written or created (a
// portable install); POSIX: the program folder only when an "Undos" folder was
// put there on purpose, since a program folder like /usr/bin is never the place
// for user data even when it happens to be writable.
enum class DataFolderRule { Windows, Posix };
#ifdef _WIN32
inline constexpr DataFolderRule kSystemDataFolderRule = DataFolderRule::Windows;
#else
inline constexpr DataFolderRule kSystemDataFolderRule = DataFolderRule::Posix;
#endif

// What the caller reads from the system (GetModuleFileNameW and the application
// data folder on Windows; /proc/self/exe, $XDG_DATA_HOME and $HOME on POSIX).
struct FolderEnvironment {
  std::u16string programFile;  // full path of the running program file
  std::u16string appData;      // the user's roaming application-data folder; empty when unknown
  std::u16string xdgDataHome;  // empty when unset
  std::u16string home;
};

struct ProgramFolders {
  std::u16string programFolder;  // ends with the separator
  std::u16string dataFolder;     // ends with the separator
};

// Writing is tried for real (a probe file is written and deleted): a folder's
// attributes do not tell, a read-only attribute on a Windows folder means
// nothing, and access rights can forbid writing to a folder that looks fine.
bool IsWritableFolder(FileSystem& fs, std::u16string_view folder);

// Decides both folders; creates the data folder and its "Undos" folder where
// needed (a failure to create them is silent: later writes fail where they
// happen). With no other place known, the data folder is the program folder.
ProgramFolders ResolveFolders(FileSystem& fs, const FolderEnvironment& env,
                              DataFolderRule rule = kSystemDataFolderRule);

// The mode argument: the first argument after the program file only; empty for
// a plain start. `arguments` starts with the program file, as argv does.
std::u16string ModeArgument(const std::vector<std::u16string>& arguments);

// Reads and deletes the hand-over file of `folder`; nothing when there is none.
// Empty lines hold no path and are dropped.
std::optional<std::vector<std::u16string>> TakeHandOverFile(FileSystem& fs, const Locale& locale,
                                                            std::u16string_view folder);
// "Rename in another session": the paths for the next instance, one a line.
// False, and nothing written, when a path holds a line break.
[[nodiscard]] bool WriteHandOverFile(FileSystem& fs, const Locale& locale, std::u16string_view dataFolder,
                       const std::vector<std::u16string>& paths);

struct StartServices {
  FileSystem& fs;
  const Locale& locale;
  Prompter& prompter;
  const TextLookup& texts;
};

// What the windows must do after the start; the program state is set already.
// A start with a mode other than "Savesomes" sets ProgramState::DirectEditStart:
// the main window then runs below the screen.
struct StartDecision {
  bool showMainWindow = false;   // visible at once, with the status timer running
  bool openEditWindow = false;   // the edit timer opens the edit window on CurrentMode's panel
  bool saveChosenFiles = false;  // the edit timer starts saving the names of PickedPaths
  bool closeSoon = false;        // the close timer ends the program one second after start
  bool scopeThisFolder = false;  // the scope box goes to "Only THIS folder name"
  int folderFileCount = 0;       // files met in a handed-over folder, at most 6
};

// The start with the given mode argument (empty: a plain start). `installDir`
// is the registry's InstallDir when present; it replaces the program folder
// (where the read-only companions are found) but never the data folder.
StartDecision StartProgram(std::u16string_view mode, const std::optional<std::u16string>& installDir,
                           const StartServices& services, ProgramFolders& folders, ProgramState& state);

// The main window's place at start, from section "Form".
struct MainWindowPlace {
  bool maximized = false;
  // False: the designed size, centred on the desktop (no settings file) or
  // the maximized window (no place read).
  bool useStoredPlace = false;
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;
  // Where the main window comes back to after a start with an edit mode.
  int savedTop = 0;
};
MainWindowPlace PlaceMainWindow(bool settingsExist, const FormSettings& form, int screenHeight, int designedTop);

// Message 371 followed by the total, for the status bar.
std::u16string RenamedTotalText(const TextLookup& texts, std::uint64_t total);

// The used folders, most recent first: keys Folder0 upward, stopping at the
// first missing key or after `foldernum` keys; empty values and repeats are
// skipped.
std::vector<std::u16string> LoadFolderHistory(const IniDocument& doc, int foldernum);
// Writes at most `foldernum` entries as Folder0... and deletes every higher
// Folder key, in one rewrite. Entries that no settings line can hold are left
// out, so the stored list has no gap.
[[nodiscard]] bool SaveFolderHistory(SettingsFile& file, const std::vector<std::u16string>& history, int foldernum);

}  // namespace renamora

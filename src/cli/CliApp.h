// renamora-cli: the engine of the desktop program driven from the command line.
#pragma once

#include <functional>
#include <iosfwd>
#include <optional>
#include <string>
#include <vector>

#include "app/StartUp.h"
#include "platform/FileSystem.h"
#include "platform/Locale.h"

namespace renamora::cli {

// Exit statuses of a call.
enum ExitStatus : int {
  kExitDone = 0,        // something was previewed, renamed, saved or undone, without failure
  kExitNothingToDo = 1, // no row, nothing renamed, nothing found to work on
  kExitRefused = 2,     // usage error, bad field, failed input check, declined question
  kExitSomeFailed = 3,  // some items failed (renames, or a listing that could not be written)
};

// What a call reads from and writes to the world; main() fills it from the process.
struct CliEnvironment {
  std::ostream& out;
  std::ostream& err;
  bool errIsTerminal = false;
  bool inIsTerminal = false;
  // One line typed on the terminal; nothing at its end.
  std::function<std::optional<std::string>()> readLine;
  FileSystem& fs;
  const Locale& locale;
  const Clock& clock;
  FolderEnvironment folders;
  // Where a relative path of the call is resolved from; ends with the separator.
  // Empty when the working folder cannot be found (removed, or too deep for the
  // system to tell): relative paths are refused then.
  std::u16string currentFolder;
};

// args: the arguments after the program name.
int RunCli(const std::vector<std::u16string>& args, CliEnvironment& env);

// The text of --help.
std::string HelpText();

}  // namespace renamora::cli

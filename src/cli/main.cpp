// Entry point of renamora-cli: the process's arguments, streams and folders.
#include <cstdlib>
#include <cstring>
#include <cwchar>
#include <iostream>
#include <optional>
#include <string>
#include <vector>

#include "base/Paths.h"
#include "base/text/Utf.h"
#include "cli/CliApp.h"

#ifdef _WIN32
#include <io.h>

#include "platform/win32/IncludeWindows.h"
#else
#include <limits.h>
#include <unistd.h>

#include "platform/posix/HeapTuning.h"
#endif

namespace {

std::optional<std::string> ReadLine() {
  std::string line;
  if (!std::getline(std::cin, line)) return std::nullopt;
  if (!line.empty() && line.back() == '\r') line.pop_back();
  return line;
}

int Run(const std::vector<std::u16string>& args, const renamora::FolderEnvironment& folders,
        std::u16string currentFolder, bool errIsTerminal, bool inIsTerminal) {
  try {
    auto fs = renamora::MakeSystemFileSystem();
    auto locale = renamora::MakeSystemLocale();
    auto clock = renamora::MakeSystemClock();
    renamora::cli::CliEnvironment env{std::cout, std::cerr, errIsTerminal, inIsTerminal, ReadLine,
                                      *fs,       *locale,   *clock,        folders,      std::move(currentFolder)};
    const int status = renamora::cli::RunCli(args, env);
    std::cout.flush();
    return status;
  } catch (const std::exception& e) {
    std::cerr << "renamora-cli: internal error: " << e.what() << "\n";
    return renamora::cli::kExitRefused;
  }
}

}  // namespace

#ifdef _WIN32
namespace {

std::u16string Wide(const std::wstring& text) { return std::u16string(text.begin(), text.end()); }

std::u16string EnvironmentValue(const wchar_t* name) {
  const DWORD size = ::GetEnvironmentVariableW(name, nullptr, 0);
  if (size == 0) return {};
  std::wstring value(size, L'\0');
  value.resize(::GetEnvironmentVariableW(name, value.data(), size));
  return Wide(value);
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  // Names go out as UTF-8 whatever the console's code page.
  ::SetConsoleOutputCP(CP_UTF8);
  std::vector<std::u16string> args;
  for (int i = 1; i < argc; ++i) args.push_back(Wide(argv[i]));
  std::wstring module(32768, L'\0');
  module.resize(::GetModuleFileNameW(nullptr, module.data(), static_cast<DWORD>(module.size())));
  std::wstring current(32768, L'\0');
  current.resize(::GetCurrentDirectoryW(static_cast<DWORD>(current.size()), current.data()));
  // No working folder known: relative paths are refused rather than guessed.
  const std::u16string currentFolder =
      current.empty() ? std::u16string() : renamora::WithTrailingSeparator(Wide(current));
  renamora::FolderEnvironment folders;
  folders.programFile = Wide(module);
  folders.appData = EnvironmentValue(L"APPDATA");
  return Run(args, folders, currentFolder, _isatty(_fileno(stderr)) != 0, _isatty(_fileno(stdin)) != 0);
}
#else
int main(int argc, char** argv) {
  renamora::PrepareHeapForLargeRuns();
  std::vector<std::u16string> args;
  for (int i = 1; i < argc; ++i) args.push_back(renamora::Utf8ToUtf16(argv[i]));
  renamora::FolderEnvironment folders;
  char self[PATH_MAX];
  const ssize_t got = ::readlink("/proc/self/exe", self, sizeof self - 1);
  folders.programFile = renamora::Utf8ToUtf16(got > 0 ? std::string(self, std::size_t(got)) : std::string(argv[0]));
  if (const char* xdg = std::getenv("XDG_DATA_HOME")) folders.xdgDataHome = renamora::Utf8ToUtf16(xdg);
  if (const char* home = std::getenv("HOME")) folders.home = renamora::Utf8ToUtf16(home);
  // getcwd fails when the folder was removed. A working folder deeper than
  // PATH_MAX is there, but no path below it reaches the system calls. No working
  // folder known: relative paths are refused rather than guessed.
  std::u16string currentFolder;
  if (char* cwd = ::getcwd(nullptr, 0)) {
    if (cwd[0] == '/' && std::strlen(cwd) < PATH_MAX) {
      currentFolder = renamora::WithTrailingSeparator(renamora::Utf8ToUtf16(cwd));
    }
    std::free(cwd);
  }
  return Run(args, folders, currentFolder, ::isatty(2) != 0, ::isatty(0) != 0);
}
#endif

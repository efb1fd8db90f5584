// A real renamora-cli.exe process ended by TerminateProcess in the middle of a run:
// the next start must be able to take back every rename it made.
#include <chrono>
#include <string>
#include <thread>

#include "cli/KilledRun.h"
#include "platform/win32/IncludeWindows.h"
#include "platform/win32/WideText.h"

namespace renamora::cli {
namespace {

// The build knows the program by its path on the build machine; Windows (and Wine,
// through its drive Z:) knows it by a drive path.
std::wstring ProgramPath() {
  std::wstring path;
  for (const char* c = RENAMORA_CLI_PATH; *c; ++c) path += *c == '/' ? L'\\' : wchar_t(*c);
  return path.size() > 1 && path[1] == L':' ? path : L"Z:" + path;
}

class KilledRun : public KilledRunHarness {};

TEST_F(KilledRun, EveryFileComesBackAfterAKillPartWay) {
  constexpr int kFiles = 1500;
  for (int attempt = 0; attempt < 5; ++attempt) {
    SCOPED_TRACE(attempt);
    test::TempFolder folder(*fs);
    for (int i = 0; i < kFiles; ++i) {
      const std::wstring path = ToWide(folder / FileName(i));
      HANDLE file = ::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
      ASSERT_NE(file, INVALID_HANDLE_VALUE);
      const std::string content = std::to_string(i);
      DWORD wrote = 0;
      ::WriteFile(file, content.data(), DWORD(content.size()), &wrote, nullptr);
      ::CloseHandle(file);
    }
    std::wstring command = L"\"" + ProgramPath() + L"\" rename --data-folder \"" + ToWide(data.Path()) +
                           L"\" --head x --yes --format tsv \"" + ToWide(folder.Path()) + L"\"";
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    ASSERT_TRUE(::CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, CREATE_NO_WINDOW, nullptr,
                                 nullptr, &startup, &process))
        << ::GetLastError();
    bool ended = false;
    for (auto start = std::chrono::steady_clock::now();
         std::chrono::steady_clock::now() - start < std::chrono::seconds(120);) {
      if (::WaitForSingleObject(process.hProcess, 0) == WAIT_OBJECT_0) {
        ended = true;
        break;
      }
      if (RenamedSoFar(folder.Path()) >= kFiles / 20) break;
      std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    if (!ended) {
      ::TerminateProcess(process.hProcess, 99);
      ::WaitForSingleObject(process.hProcess, INFINITE);
    }
    DWORD exitCode = 0;
    ::GetExitCodeProcess(process.hProcess, &exitCode);
    ::CloseHandle(process.hThread);
    ::CloseHandle(process.hProcess);
    const std::size_t renamed = RenamedSoFar(folder.Path());
    if (exitCode != 99 || renamed == std::size_t(kFiles)) {
      ASSERT_EQ(Command(u"undo", {u"--yes"}).status, kExitDone);
      continue;
    }
    ExpectUndoBringsEveryFileBack(folder, kFiles, renamed);
    return;
  }
  FAIL() << "every run ended before it could be killed";
}

}  // namespace
}  // namespace renamora::cli

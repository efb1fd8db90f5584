// A real renamora-cli process killed in the middle of a large run: the next start
// must be able to take back every rename it made.
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <fstream>
#include <string>
#include <thread>

#include "cli/KilledRun.h"

namespace renamora::cli {
namespace {

class KilledRun : public KilledRunHarness {
 protected:
  // Starts the program on the folder; its output goes nowhere.
  pid_t StartRename(const std::u16string& folder) {
    const std::string dataPath = *Utf16ToUtf8(data.Path());
    const std::string target = *Utf16ToUtf8(folder);
    const pid_t pid = ::fork();
    if (pid == 0) {
      if (!std::freopen("/dev/null", "w", stdout) || !std::freopen("/dev/null", "w", stderr)) ::_exit(127);
      ::execl(RENAMORA_CLI_PATH, RENAMORA_CLI_PATH, "rename", "--data-folder", dataPath.c_str(), "--head", "x",
              "--yes", "--format", "tsv", target.c_str(), static_cast<char*>(nullptr));
      ::_exit(127);
    }
    return pid;
  }
};

TEST_F(KilledRun, EveryFileComesBackAfterAKillPartWay) {
  constexpr int kFiles = 4000;
  // A fast machine may finish the run before the kill lands: then try again.
  for (int attempt = 0; attempt < 5; ++attempt) {
    SCOPED_TRACE(attempt);
    test::TempFolder folder(*fs);
    // Plain writes: the backend's whole-file writes wait for the disk, each of them.
    for (int i = 0; i < kFiles; ++i) std::ofstream(*Utf16ToUtf8(folder / FileName(i))) << i;
    const pid_t pid = StartRename(folder.Path());
    ASSERT_GT(pid, 0);
    int status = 0;
    bool ended = false;
    for (auto start = std::chrono::steady_clock::now();
         std::chrono::steady_clock::now() - start < std::chrono::seconds(60);) {
      if (::waitpid(pid, &status, WNOHANG) == pid) {
        ended = true;
        break;
      }
      if (RenamedSoFar(folder.Path()) >= kFiles / 20) break;
      std::this_thread::sleep_for(std::chrono::microseconds(200));
    }
    if (!ended) {
      ::kill(pid, SIGKILL);
      ASSERT_EQ(::waitpid(pid, &status, 0), pid);
    }
    const std::size_t renamed = RenamedSoFar(folder.Path());
    if (!WIFSIGNALED(status) || renamed == std::size_t(kFiles)) {
      // The run ended by itself; undo it and try again with a fresh folder.
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

// renamora-cli on POSIX paths and process surroundings: links in target paths, a
// working folder that is gone or too deep, standard output on a full disk, request
// files that are pipes or devices. The process cases run the real program.
#include <fcntl.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "base/text/Utf.h"
#include "cli/CliHarness.h"

namespace renamora::cli {
namespace {

std::string Bytes(const std::u16string& path) { return *Utf16ToUtf8(path); }

TEST_F(CliHarness, TargetsAreResolvedAsTheFileSystemDoes) {
  dir.MakeFile(u"real/r.jpg");
  dir.MakeFile(u"real/inner/i.jpg");
  dir.MakeFile(u"other/o.jpg");
  ASSERT_EQ(::symlink("../real/inner", Bytes(dir / u"other/link").c_str()), 0);
  struct Row {
    std::u16string target;
    std::string tsv;  // a preview naming each item after its folder
  };
  const Row rows[] = {
      // ".." of a link is the parent of where the link leads.
      {u"other/link/..", "r.jpg\treal.jpg\n"},
      {dir / u"other/link/..", "r.jpg\treal.jpg\n"},
      // A final "/" or "." makes the system follow the link.
      {u"other/link/", "i.jpg\tinner.jpg\n"},
      {u"other/link/.", "i.jpg\tinner.jpg\n"},
      // Named as it is, the link is the item: the link itself is renamed.
      {u"other/link", "link\tother\n"},
      {u"other/./link", "link\tother\n"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(ToUtf8Lossy(row.target));
    const CliResult r = Command(u"preview", {u"--new-name", u"%%", u"--format", u"tsv", row.target});
    EXPECT_EQ(r.out, row.tsv) << r.err;
  }
}

struct ProcessResult {
  int exitStatus = -1;  // -1: ended by a signal (the time limit among them)
  std::string out, err;
};

class RealProcess : public CliHarness {
 protected:
  // Runs the program with args; before it starts, the child runs prepare (in the
  // working folder it is to have). No call may take more than 30 s or 2 GB.
  ProcessResult RunProgram(const std::vector<std::string>& args, const std::function<void()>& prepare,
                           const std::string& outPath = {}) {
    const std::string out = outPath.empty() ? Bytes(logs / u"out") : outPath;
    const std::string err = Bytes(logs / u"err");
    std::vector<std::string> argv{RENAMORA_CLI_PATH};
    argv.insert(argv.end(), args.begin(), args.end());
    std::vector<char*> pointers;
    for (auto& a : argv) pointers.push_back(a.data());
    pointers.push_back(nullptr);
    const pid_t pid = ::fork();
    if (pid == 0) {
      prepare();
      if (!std::freopen(out.c_str(), "w", stdout) || !std::freopen(err.c_str(), "w", stderr)) ::_exit(127);
#ifndef __SANITIZE_ADDRESS__
      // AddressSanitizer reserves terabytes of address space for its shadow: a
      // sanitized program cannot start under this limit (the alarm still holds).
      const struct rlimit memory { 2ul << 30, 2ul << 30 };
      ::setrlimit(RLIMIT_AS, &memory);
#endif
      ::alarm(30);  // outlives exec: a call that hangs is ended by SIGALRM
      ::execv(argv[0].c_str(), pointers.data());
      ::_exit(127);
    }
    int status = 0;
    EXPECT_EQ(::waitpid(pid, &status, 0), pid);
    ProcessResult result;
    result.exitStatus = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    if (outPath.empty()) result.out = logs.Read(u"out");
    result.err = logs.Read(u"err");
    return result;
  }

  test::TempFolder logs{*fs};
};

TEST_F(RealProcess, RelativePathsWithoutAWorkingFolderAreRefused) {
  dir.MakeFile(u"T/a.txt");
  // A working folder deeper than PATH_MAX, made by folder handles as a shell's
  // "cd" would reach it.
  const std::string step(200, 'd');
  std::vector<int> deep{::open(Bytes(dir.Path()).c_str(), O_RDONLY | O_DIRECTORY)};
  for (std::size_t length = dir.Path().size(); length <= 4096 + step.size(); length += step.size() + 1) {
    ASSERT_EQ(::mkdirat(deep.back(), step.c_str(), 0755), 0);
    deep.push_back(::openat(deep.back(), step.c_str(), O_RDONLY | O_DIRECTORY));
    ASSERT_GE(deep.back(), 0);
  }
  const std::string gone = Bytes(dir / u"gone");
  struct Row {
    const char* label;
    std::function<void()> prepare;
    std::vector<std::string> args;
  };
  const Row rows[] = {
      {"working folder removed",
       [&] {
         if (::mkdir(gone.c_str(), 0755) != 0 || ::chdir(gone.c_str()) != 0 || ::rmdir(gone.c_str()) != 0) ::_exit(126);
       },
       {"rename", "--yes", "--head", "GOT_", "T"}},
      {"working folder removed, a relative data folder",
       [&] {
         if (::mkdir(gone.c_str(), 0755) != 0 || ::chdir(gone.c_str()) != 0 || ::rmdir(gone.c_str()) != 0) ::_exit(126);
       },
       {"rename", "--yes", "--head", "GOT_", "--data-folder", "D", Bytes(dir / u"T")}},
      {"working folder deeper than PATH_MAX",
       [&] {
         if (::fchdir(deep.back()) != 0) ::_exit(126);
       },
       {"preview", "--head", "GOT_", "."}},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.label);
    std::vector<std::string> args = row.args;
    if (std::find(args.begin(), args.end(), "--data-folder") == args.end()) {
      args.insert(args.begin() + 1, {"--data-folder", Bytes(data.Path())});
    }
    const ProcessResult r = RunProgram(args, row.prepare);
    EXPECT_EQ(r.exitStatus, kExitRefused) << r.err;
    EXPECT_NE(r.err.find("working folder"), std::string::npos) << r.err;
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(dir.Names(u"T"), std::vector<std::u16string>{u"a.txt"});
  }
  for (std::size_t i = deep.size() - 1; i > 0; --i) {
    ::close(deep[i]);
    ::unlinkat(deep[i - 1], step.c_str(), AT_REMOVEDIR);
  }
  ::close(deep[0]);
}

TEST_F(RealProcess, RequestFilesThatAreNoFilesAreRefusedWithoutReading) {
  dir.MakeFile(u"T/xa.txt");
  const std::string fifo = Bytes(dir / u"request.fifo");
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  for (const std::string& request : {fifo, std::string("/dev/zero")}) {
    SCOPED_TRACE(request);
    const ProcessResult r = RunProgram({"rename", "--data-folder", Bytes(data.Path()), "--yes", "--request", request,
                                        "--remove", "x", Bytes(dir / u"T")},
                                       [] {});
    EXPECT_EQ(r.exitStatus, kExitRefused) << r.err;
    EXPECT_NE(r.err.find("not a regular file"), std::string::npos) << r.err;
    EXPECT_EQ(dir.Names(u"T"), std::vector<std::u16string>{u"xa.txt"});
  }
}

TEST_F(RealProcess, StandardOutputOnAFullDiskFailsTheCall) {
  dir.MakeFile(u"T/a.txt");
  const ProcessResult r = RunProgram(
      {"preview", "--data-folder", Bytes(data.Path()), "--head", "x", Bytes(dir / u"T")}, [] {}, "/dev/full");
  EXPECT_EQ(r.exitStatus, kExitSomeFailed) << r.err;
  EXPECT_NE(r.err.find("standard output"), std::string::npos) << r.err;
}

}  // namespace
}  // namespace renamora::cli

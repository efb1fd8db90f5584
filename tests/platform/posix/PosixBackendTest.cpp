// What only the POSIX backend has to do: byte names, dot-files, permission bits.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <fstream>
#include <string>

#include "base/text/Utf.h"
#include "platform/FileSystem.h"
#include "platform/posix/PosixLocale.h"
#include "support/TempFolder.h"

namespace renamora {
namespace {

class PosixBackend : public testing::Test {
 protected:
  std::string Bytes(std::u16string_view path) { return *Utf16ToUtf8(path); }
  void MakeRawFile(const std::string& name, const std::string& content) {
    std::ofstream(Bytes(dir.Path()) + "/" + name, std::ios::binary) << content;
  }
  std::unique_ptr<FileSystem> fs = MakeSystemFileSystem();
  test::TempFolder dir{*fs};
};

TEST_F(PosixBackend, NamesThatAreNotUtf8AreListedAndRenamedByteForByte) {
  MakeRawFile("ab\xFF" "cd.txt", "raw");
  const auto names = dir.Names();
  ASSERT_EQ(names.size(), 1u);
  EXPECT_EQ(names[0], u"ab\xDCFF" "cd.txt");
  ASSERT_EQ(fs->Rename(dir / names[0], dir / u"a\xDCFF" "cd.txt"), RenameStatus::Ok);
  std::ifstream in(Bytes(dir.Path()) + "/a\xFF" "cd.txt", std::ios::binary);
  std::string content;
  in >> content;
  EXPECT_EQ(content, "raw");
}

TEST_F(PosixBackend, DotNamesAreHiddenAndNothingIsASystemFile) {
  dir.MakeFile(u".profile", "x");
  dir.MakeFile(u"visible.txt", "x");
  dir.MakeFolder(u".config");
  EXPECT_TRUE(fs->Stat(dir / u".profile")->attributes & kAttrHidden);
  EXPECT_TRUE(fs->Stat(dir / u".config")->attributes & kAttrHidden);
  EXPECT_FALSE(fs->Stat(dir / u"visible.txt")->attributes & (kAttrHidden | kAttrSystem));
}

TEST_F(PosixBackend, ReadOnlyComesFromThePermissionBits) {
  dir.MakeFile(u"f.txt", "x");
  const std::string path = Bytes(dir / u"f.txt");
  ::chmod(path.c_str(), 0444);
  EXPECT_TRUE(fs->Stat(dir / u"f.txt")->attributes & kAttrReadOnly);
  ::chmod(path.c_str(), 0644);
  EXPECT_FALSE(fs->Stat(dir / u"f.txt")->attributes & kAttrReadOnly);
}

TEST(PosixLocale, LanguageIdsOfLocaleNames) {
  struct Row {
    const char* name;
    std::uint16_t id;
  };
  const Row rows[] = {{"zh_CN.UTF-8", 2052}, {"zh_TW", 1028}, {"ja_JP.UTF-8", 1041}, {"de_DE", 1031},
                      {"de_AT.UTF-8", 3079}, {"en_US.UTF-8", 1033}, {"fr", 1036},    {"C", 1033},
                      {"POSIX", 1033},       {"", 1033},            {"dex", 1033},  {"zh_MO", 5124},
                      {"nl_BE.UTF-8", 2067}};
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    EXPECT_EQ(LanguageIdOfLocaleName(row.name), row.id);
  }
}

// A change of letter case in a folder that may be entered and written but not
// read: the rename happens, so it must be reported as done (it used to be
// checked in a listing the folder refused, and reported as failed).
TEST_F(PosixBackend, ACaseOnlyRenameInAFolderThatCannotBeListedIsReportedAsDone) {
  dir.MakeFile(u"box/readme.txt", "r");
  const std::string box = Bytes(dir / u"box");
  ASSERT_EQ(::chmod(box.c_str(), 0333), 0);
  // Permission bits bind everybody but root: as root, the rename runs as nobody.
  const pid_t child = ::fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    if (::geteuid() == 0 && (::setgid(65534) != 0 || ::setuid(65534) != 0)) ::_exit(10);
    const auto backend = MakeSystemFileSystem();
    if (backend->ListFolder(dir / u"box")) ::_exit(11);  // the folder must refuse a listing
    const RenameStatus status = backend->Rename(dir / u"box/readme.txt", dir / u"box/README.txt");
    ::_exit(status == RenameStatus::Ok ? 0 : 20 + int(status));
  }
  int status = 0;
  ASSERT_EQ(::waitpid(child, &status, 0), child);
  ASSERT_EQ(::chmod(box.c_str(), 0755), 0);
  ASSERT_TRUE(WIFEXITED(status));
  EXPECT_EQ(WEXITSTATUS(status), 0);
  EXPECT_EQ(dir.Names(u"box"), (std::vector<std::u16string>{u"README.txt"}));
}

// Two hard links of one file are two names, not two spellings of one: a rename of
// one onto the other is refused as a taken name, with no detour through a
// temporary name (a kill there used to leave the file under that name).
TEST_F(PosixBackend, AHardLinkIsATakenNameNotACaseChange) {
  class CountingSteps final : public RenameSteps {
   public:
    bool StepStarting(std::u16string_view, std::u16string_view) override { return ++told > 0; }
    void StepDone(std::u16string_view, std::u16string_view) override { ++told; }
    int told = 0;
  } steps;
  dir.MakeFile(u"a.txt", "alpha");
  ASSERT_EQ(::link(Bytes(dir / u"a.txt").c_str(), Bytes(dir / u"hard_a.txt").c_str()), 0);
  EXPECT_EQ(fs->Rename(dir / u"hard_a.txt", dir / u"a.txt", &steps), RenameStatus::TargetExists);
  EXPECT_EQ(steps.told, 0);
  EXPECT_EQ(dir.Names(), (std::vector<std::u16string>{u"a.txt", u"hard_a.txt"}));
}

}  // namespace
}  // namespace renamora

// What only the POSIX backend has to do: byte names, dot-files, permission bits.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <fstream>
#include <string>

#include "core/text/Utf.h"
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

}  // namespace
}  // namespace renamora

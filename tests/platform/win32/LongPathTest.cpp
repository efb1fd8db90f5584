// Which paths get the "\\?\" form, and what that form looks like.
#include <gtest/gtest.h>

#include <string>

#include "base/text/Utf.h"
#include "platform/win32/LongPath.h"

namespace renamora {
namespace {

// "C:\" + components of ten characters, cut to exactly total characters.
std::u16string DrivePath(std::size_t total) {
  std::u16string path = u"C:";
  while (path.size() < total) path += u"\\abcdefghi";
  path.resize(total);
  return path;
}

std::u16string Repeat(std::u16string_view part, int times) {
  std::u16string out;
  for (int i = 0; i < times; ++i) out += part;
  return out;
}

TEST(LongPath, PrefixIsAddedFromTheThresholdOn) {
  struct Row {
    const char* name;
    std::u16string in;
    std::u16string out;
  };
  const std::u16string dir = Repeat(u"\\folder0123", 30);  // 330 characters
  const Row rows[] = {
      {"short drive path", u"C:\\a\\b.txt", u"C:\\a\\b.txt"},
      {"one below the threshold", DrivePath(247), DrivePath(247)},
      {"at the threshold", DrivePath(248), u"\\\\?\\" + DrivePath(248)},
      {"long drive path", u"D:" + dir + u"\\x.txt", u"\\\\?\\D:" + dir + u"\\x.txt"},
      {"lower-case drive letter kept", u"c:" + dir, u"\\\\?\\c:" + dir},
      {"long UNC path", u"\\\\server\\share" + dir + u"\\x.txt",
       u"\\\\?\\UNC\\server\\share" + dir + u"\\x.txt"},
      {"short UNC path", u"\\\\server\\share\\x.txt", u"\\\\server\\share\\x.txt"},
      {"already prefixed drive path", u"\\\\?\\C:" + dir, u"\\\\?\\C:" + dir},
      {"already prefixed UNC path", u"\\\\?\\UNC\\server\\share" + dir,
       u"\\\\?\\UNC\\server\\share" + dir},
      {"device path", u"\\\\.\\" + dir.substr(1), u"\\\\.\\" + dir.substr(1)},
      {"long relative path", dir.substr(1), dir.substr(1)},
      {"long rooted path without drive", dir, dir},
      {"long drive-relative path", u"C:" + dir.substr(1), u"C:" + dir.substr(1)},
      {"UNC server without share", u"\\\\" + Repeat(u"s", 300), u"\\\\" + Repeat(u"s", 300)},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    EXPECT_EQ(ToUtf8Lossy(WithLongPathPrefix(row.in)), ToUtf8Lossy(row.out));
  }
}

// The "\\?\" form hands the path to the file system as it is, so the clean-up that
// Windows does for ordinary paths has to happen before the prefix is added.
TEST(LongPath, PrefixedPathsAreCleanedUpAsWindowsWouldDo) {
  struct Row {
    const char* name;
    std::u16string in;
    std::u16string out;
  };
  const std::u16string dir = Repeat(u"\\folder0123", 30);
  const std::u16string slashed = Repeat(u"/folder0123", 30);
  const Row rows[] = {
      {"forward slashes", u"C:" + slashed + u"/x.txt", u"\\\\?\\C:" + dir + u"\\x.txt"},
      {"repeated separators", u"C:" + dir + u"\\\\\\x.txt", u"\\\\?\\C:" + dir + u"\\x.txt"},
      {"dot components", u"C:\\.\\" + dir.substr(1) + u"\\.\\x.txt",
       u"\\\\?\\C:" + dir + u"\\x.txt"},
      {"dot-dot removes the component before", u"C:" + dir + u"\\gone\\..\\x.txt",
       u"\\\\?\\C:" + dir + u"\\x.txt"},
      {"dot-dot stops at the drive root", u"C:\\..\\..\\" + dir.substr(1), u"\\\\?\\C:" + dir},
      {"dot-dot stops at the UNC share", u"\\\\srv\\share\\..\\" + dir.substr(1),
       u"\\\\?\\UNC\\srv\\share" + dir},
      {"trailing separator kept", u"C:" + dir + u"\\", u"\\\\?\\C:" + dir + u"\\"},
      {"UNC with forward slashes", u"//srv/share" + slashed, u"\\\\?\\UNC\\srv\\share" + dir},
      {"names with dots are not dot components", u"C:" + dir + u"\\..x\\.y",
       u"\\\\?\\C:" + dir + u"\\..x\\.y"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    EXPECT_EQ(ToUtf8Lossy(WithLongPathPrefix(row.in)), ToUtf8Lossy(row.out));
  }
}

}  // namespace
}  // namespace renamora

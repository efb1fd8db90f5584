// Paths compared and measured by the rules of the system the build runs on.
#include <gtest/gtest.h>

#include <string>

#include "base/Paths.h"
#include "base/text/Utf.h"
#include "core/PathCompare.h"

namespace renamora {
namespace {

// "/" in a row stands for the separator of the system.
std::u16string P(std::u16string text) {
  for (auto& c : text) c = c == u'/' ? kPathSeparator : c;
  return text;
}

TEST(PathCompare, InsideAFolder) {
  struct Row {
    std::u16string path, folder;
    bool inside;
  };
  const Row rows[] = {
      {u"/a/data", u"/a/data", true},
      {u"/a/data/", u"/a/data", true},
      {u"/a/data", u"/a/data/", true},
      {u"/a/data/x/y.txt", u"/a/data", true},
      {u"/a/database", u"/a/data", false},
      {u"/a/dat", u"/a/data", false},
      {u"/a", u"/a/data", false},
      {u"/a/x", u"/", true},
      {u"/a/x", u"", false},
      {u"/a/DATA/x", u"/a/data", kNamesIgnoreCase},
      {u"/a/\u00c9t\u00e9", u"/a/\u00e9t\u00e9", kNamesIgnoreCase},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(ToUtf8Lossy(row.path + u" in " + row.folder));
    EXPECT_EQ(IsSameOrInside(P(row.path), P(row.folder)), row.inside);
  }
}

TEST(PathCompare, KeysAgreeWithTheComparison) {
  const std::u16string pairs[][2] = {{u"a/B.txt", u"a/b.txt"}, {u"a/b.txt", u"a/b.txt"}, {u"a/b", u"a/c"}};
  for (const auto& pair : pairs) {
    SCOPED_TRACE(ToUtf8Lossy(pair[0] + u" " + pair[1]));
    std::u16string a, b;
    AppendPathKey(pair[0], a);
    AppendPathKey(pair[1], b);
    EXPECT_EQ(a == b, SamePathText(pair[0], pair[1]));
  }
}

TEST(PathCompare, LengthInTheUnitsOfTheSystem) {
  struct Row {
    std::u16string text;
    std::size_t posixBytes;
  };
  const Row rows[] = {
      {u"abc", 3},
      {u"\u00e9", 2},
      {u"\u4e2d", 3},
      {u"\U0001F600", 4},
      {std::u16string(1, char16_t(0xDC80)), 1},  // a byte of a name that is not UTF-8
      {std::u16string(1, char16_t(0xD800)), 3},  // a lone high surrogate
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.posixBytes);
#ifdef _WIN32
    EXPECT_EQ(SystemLength(row.text), row.text.size());
#else
    EXPECT_EQ(SystemLength(row.text), row.posixBytes);
#endif
  }
}

}  // namespace
}  // namespace renamora

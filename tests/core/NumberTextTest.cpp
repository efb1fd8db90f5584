// Tests of rounding, decimal text and the size text of templates.
#include <gtest/gtest.h>

#include <string>

#include "base/text/NumberText.h"
#include "base/text/Utf.h"

namespace renamora {
namespace {

std::string Show(std::u16string_view text) { return ToUtf8Lossy(text); }

TEST(RoundHalfEvenTest, RoundsToTheNearestWithTiesToEven) {
  struct Row {
    double value;
    int decimals;
    double expected;
  };
  const Row rows[] = {
      {2.5, 0, 2.0},     {3.5, 0, 4.0},      {-2.5, 0, -2.0},
      {0.5, 0, 0.0},     {2.4, 0, 2.0},      {2.6, 0, 3.0},
      {-2.6, 0, -3.0},   {0.125, 2, 0.12},   {0.375, 2, 0.38},
      {1.25, 1, 1.2},    {1.75, 1, 1.8},     {1234.5678, 2, 1234.57},
      {-1.26, 1, -1.3},  {15.0, -1, 20.0},   {25.0, -1, 20.0},
      {1e300, 2, 1e300}, {1e300, -400, 0.0}, {4503599627370497.0, 0, 4503599627370497.0},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(testing::Message() << row.value << " to " << row.decimals << " decimals");
    EXPECT_EQ(RoundHalfEven(row.value, row.decimals), row.expected);
  }
}

TEST(ShortestDecimalTextTest, WritesAtMostFifteenDigitsWithoutExponent) {
  struct Row {
    double value;
    std::u16string separator;
    std::u16string expected;
  };
  const Row rows[] = {
      {0.0, u".", u"0"},
      {-0.0, u".", u"0"},
      {2.0, u".", u"2"},
      {100.0, u".", u"100"},
      {1.5, u".", u"1.5"},
      {1.5, u",", u"1,5"},
      {1.5, u"<>", u"1<>5"},
      {-1234.5, u".", u"-1234.5"},
      {976.6, u".", u"976.6"},
      {0.1 + 0.2, u".", u"0.3"},
      {1e14, u".", u"100000000000000"},
      {1e15, u".", u"1000000000000000"},
      {1e21, u".", u"1000000000000000000000"},
      {123456789012345678.0, u".", u"123456789012346000"},
      {1.5e-7, u",", u"0,00000015"},
      {-2.5e-5, u".", u"-0.000025"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(Show(row.expected));
    EXPECT_EQ(Show(ShortestDecimalText(row.value, row.separator)), Show(row.expected));
  }
}

TEST(TemplateSizeTextTest, PicksTheUnitByTheKilobyteBoundaries) {
  struct Row {
    std::uint64_t bytes;
    std::u16string separator;
    std::u16string expected;
  };
  const Row rows[] = {
      {0, u".", u"0Bytes"},
      {512, u".", u"512Bytes"},
      {1023, u".", u"1023Bytes"},
      {1024, u".", u"1KB"},
      {1536, u".", u"1.5KB"},
      {1536, u",", u"1,5KB"},
      {2048, u".", u"2KB"},
      {1280, u".", u"1.2KB"},  // 12.5 tenths: the tie goes to the even 12
      {1792, u".", u"1.8KB"},  // 17.5 tenths go up to the even 18
      {1000000, u".", u"976.6KB"},
      {1000000, u",", u"976,6KB"},
      {1023 * 1024, u".", u"1023KB"},
      {1023 * 1024 + 1, u".", u"1MB"},
      {1048000, u".", u"1MB"},
      {1310720, u".", u"1.2MB"},  // 1.25 MB, a tie
      {1048575ull * 1024, u".", u"1024MB"},
      {1048575ull * 1024 + 1, u".", u"1GB"},
      {1207959552, u".", u"1.12GB"},  // 1.125 GB, a tie
      {5368709120, u".", u"5GB"},
      {~0ull, u".", u"17179869184GB"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(testing::Message() << row.bytes << " bytes");
    EXPECT_EQ(Show(TemplateSizeText(row.bytes, row.separator)), Show(row.expected));
  }
}

}  // namespace
}  // namespace renamora

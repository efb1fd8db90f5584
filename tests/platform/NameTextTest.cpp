// The portable name texts: UTF-8 escapes and the NTFS name order.
#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <random>
#include <string>
#include <vector>

#include "base/text/NameOrder.h"
#include "base/text/Utf.h"

namespace renamora {
namespace {

TEST(Utf, BytesThatAreNotUtf8SurviveARoundTrip) {
  const std::string rows[] = {
      "plain",        "caf\xC3\xA9",          "\xFF",         "a\xFF" "b",    "\xC3",  // truncated
      "\xE2\x82",     "\xED\xA0\x80",         "\xC0\x80",     "\xF4\x90\x80\x80",
      "\xF0\x9F\x98\x80", "\xED\xB2\x80",     std::string("\x80\x81\xFE", 3),
  };
  for (const auto& bytes : rows) {
    SCOPED_TRACE(testing::PrintToString(bytes));
    const std::u16string text = Utf8ToUtf16(bytes);
    auto back = Utf16ToUtf8(text);
    ASSERT_TRUE(back.has_value());
    EXPECT_EQ(*back, bytes);
  }
}

TEST(Utf, DecodingMapsOnlyInvalidBytesToEscapes) {
  struct Row {
    std::string bytes;
    std::u16string text;
  };
  const Row rows[] = {
      {"a\xFF" "b", u"a\xDCFF" "b"},
      {"caf\xC3\xA9", u"caf\u00E9"},
      {"\xC3(", u"\xDCC3("},
      {"\xE2\x82\xAC", u"\u20AC"},
      {"\xF0\x9F\x98\x80", u"\U0001F600"},
      {"\xED\xA0\x80", u"\xDCED\xDCA0\xDC80"},  // an encoded surrogate is not UTF-8
      {"\xC0\xAF", u"\xDCC0\xDCAF"},            // overlong "/"
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(testing::PrintToString(row.bytes));
    EXPECT_EQ(Utf8ToUtf16(row.bytes), row.text);
  }
}

TEST(Utf, EscapesThatSpellACharacterCannotBeEncoded) {
  // An edit can put two escapes side by side ("\xC3" "x" "\xA9" with the x
  // removed); their bytes would then name the file "é", not the name shown.
  struct Row {
    const char* label;
    std::u16string text;
    std::optional<std::string> bytes;
  };
  const Row rows[] = {
      {"two bytes", u"\xDCC3\xDCA9", std::nullopt},
      {"two bytes inside a name", u"a\xDCD7\xDC9C" "b", std::nullopt},
      {"three bytes", u"\xDCE2\xDC82\xDCAC", std::nullopt},
      {"four bytes", u"\xDCF0\xDC9F\xDC98\xDC80", std::nullopt},
      {"apart", u"\xDCC3" "b\xDCA9", "\xC3" "b\xA9"},
      {"lead before a real character", u"\xDCC3\u00E9", "\xC3\xC3\xA9"},
      {"truncated sequence", u"\xDCE2\xDC82", "\xE2\x82"},
      {"overlong form", u"\xDCC0\xDCAF", "\xC0\xAF"},
      {"encoded surrogate", u"\xDCED\xDCA0\xDC80", "\xED\xA0\x80"},
      {"continuation bytes only", u"\xDCA9\xDCA9", "\xA9\xA9"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.label);
    const std::optional<std::string> bytes = Utf16ToUtf8(row.text);
    EXPECT_EQ(bytes, row.bytes);
    if (bytes) {
      EXPECT_EQ(Utf8ToUtf16(*bytes), row.text);
    }
  }
}

TEST(Utf, LoneSurrogatesOutsideTheEscapeRangeCannotBeEncoded) {
  EXPECT_FALSE(Utf16ToUtf8(u"a\xD800").has_value());
  EXPECT_FALSE(Utf16ToUtf8(u"\xDC7F").has_value());
  EXPECT_EQ(ToUtf8Lossy(u"a\xD800" "b"), "a\xEF\xBF\xBD" "b");
}

TEST(NameOrder, ComparesOrdinallyAfterUpperCasing) {
  struct Row {
    std::u16string a, b;
    int sign;
  };
  const Row rows[] = {
      {u"a", u"B", -1},     {u"B", u"a", 1},       {u"abc", u"ABC", 0},  {u"a", u"ab", -1},
      {u"Z", u"_", -1},     // "_" (0x5F) sorts after upper-case letters
      {u"z", u"_", -1},     {u"1", u"A", -1},      {u"é", u"É", 0},       {u"ÿ", u"Ÿ", 0},
      {u"я", u"Я", 0},      {u"ß", u"SS", 1},       // no multi-letter mapping
      {u"\xDC80", u"a", 1},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(ToUtf8Lossy(row.a) + " vs " + ToUtf8Lossy(row.b));
    const int c = CompareNtfsOrder(row.a, row.b);
    EXPECT_EQ((c > 0) - (c < 0), row.sign);
  }
}

// The sort takes a shortcut over what all names share and over a window of the
// rest; it must agree with a plain sort by the comparison, ties broken by code
// units, whatever the lengths, shared beginnings and characters.
TEST(NameOrder, SortAgreesWithThePlainComparison) {
  std::mt19937 random(20261209);
  const std::u16string alphabet = u"aAbB0_.- \x00e9\x00c9\x044f\x042f\xdc80\x4e2d";
  const std::vector<std::u16string> beginnings = {u"", u"IMG_0", u"img_0", u"Photo 2026-12-09 ", u"\x044f\x044f"};
  for (int round = 0; round < 200; ++round) {
    const std::u16string& shared = beginnings[std::size_t(round) % beginnings.size()];
    std::vector<std::u16string> names;
    const std::size_t count = 1 + random() % 60;
    for (std::size_t i = 0; i < count; ++i) {
      std::u16string name = random() % 4 == 0 ? u"" : shared;
      const std::size_t length = random() % 22;
      for (std::size_t c = 0; c < length; ++c) name += alphabet[random() % alphabet.size()];
      if (name.empty()) name.push_back(u'x');
      names.push_back(name);
      // Copies and case variants make ties in the window and in the keys.
      if (random() % 5 == 0) names.push_back(name);
      if (random() % 5 == 0) {
        std::u16string upper = name;
        for (char16_t& c : upper) c = (c >= u'a' && c <= u'z') ? char16_t(c - 32) : c;
        names.push_back(upper);
      }
    }
    std::vector<std::u16string> expected = names;
    std::sort(expected.begin(), expected.end(), [](const std::u16string& a, const std::u16string& b) {
      const int c = CompareNtfsOrder(a, b);
      return c != 0 ? c < 0 : a < b;
    });
    SortNtfsOrder(names, [](const std::u16string& n) -> const std::u16string& { return n; });
    ASSERT_EQ(names, expected) << "round " << round;
  }
}

}  // namespace
}  // namespace renamora

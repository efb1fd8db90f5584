// Tests of the encoding and line splitting of the program's text files.
#include "core/text/TextFile.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/text/Utf.h"
#include "support/TableLocale.h"

namespace renamora {
namespace {

using Lines = std::vector<std::u16string>;

// A code page that holds ASCII only, like a Western code page does not hold
// Chinese: anything else makes ToCodePage give nothing.
class AsciiLocale final : public Locale {
 public:
  char16_t UpperUnit(char16_t c) const override { return inner.UpperUnit(c); }
  std::u16string DecimalSeparator() const override { return u"."; }
  std::u16string ShortDateFormat() const override { return u"yyyy-MM-dd"; }
  std::u16string LongTimeFormat() const override { return u"HH:mm:ss"; }
  std::uint16_t SystemLanguageId() const override { return 1033; }
  std::optional<std::string> ToCodePage(std::u16string_view text) const override {
    std::string out;
    for (char16_t c : text) {
      if (c >= 0x80) return std::nullopt;
      out.push_back(static_cast<char>(c));
    }
    return out;
  }
  std::u16string FromCodePage(std::string_view bytes) const override {
    std::u16string out;
    for (char b : bytes) out.push_back(static_cast<char16_t>(static_cast<unsigned char>(b)));
    return out;
  }
  test::TableLocale inner;
};

TEST(TextFileTest, LineEndsOfEveryKind) {
  struct Row {
    const char* label;
    std::u16string text;
    Lines lines;
  };
  const Row rows[] = {
      {"CR LF", u"a\r\nb\r\n", {u"a", u"b"}},
      {"LF", u"a\nb\n", {u"a", u"b"}},
      {"CR", u"a\rb\r", {u"a", u"b"}},
      {"no final line end", u"a\r\nb", {u"a", u"b"}},
      {"empty lines stay", u"a\r\n\r\nb\r\n", {u"a", u"", u"b"}},
      {"LF CR is two ends", u"a\n\rb", {u"a", u"", u"b"}},
      {"empty text", u"", {}},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.label);
    EXPECT_EQ(SplitLines(row.text), row.lines);
  }
}

TEST(TextFileTest, ByteOrderMarksChooseTheDecoding) {
  const AsciiLocale locale;
  struct Row {
    const char* label;
    std::string bytes;
    std::u16string text;
  };
  const Row rows[] = {
      {"code page", "ab", u"ab"},
      {"UTF-8", "\xEF\xBB\xBF" "\xE5\x86\x99", u"\u5199"},
      {"UTF-16 LE", std::string("\xFF\xFE\x99\x51" "a\0", 6), u"\u5199a"},
      {"UTF-16 BE", std::string("\xFE\xFF\x51\x99\0a", 6), u"\u5199a"},
      {"UTF-16 with an odd last byte", std::string("\xFF\xFE" "a\0b", 5), u"a"},
      {"a mark alone", "\xEF\xBB\xBF", u""},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.label);
    EXPECT_EQ(DecodeText(row.bytes, locale), row.text);
  }
}

TEST(TextFileTest, WrittenLinesAlwaysReadBackAsTheyWere) {
  const AsciiLocale locale;
  struct Row {
    const char* label;
    Lines lines;
    std::string starts;  // what the bytes begin with
  };
  const Row rows[] = {
      {"fits the code page: no mark", {u"C:\\a.txt", u"b"}, "C:\\a.txt\r\nb\r\n"},
      {"outside the code page: UTF-8 with a mark", {u"a", u"\u5199\u771f.jpg"}, "\xEF\xBB\xBF" "a\r\n"},
      {"unpaired surrogate: UTF-16 with a mark", {u"x\xD800y"}, "\xFF\xFE"},
      {"no lines", {}, ""},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.label);
    const std::string bytes = EncodeLines(row.lines, locale);
    EXPECT_EQ(bytes.substr(0, row.starts.size()), row.starts);
    EXPECT_EQ(SplitLines(DecodeText(bytes, locale)), row.lines);
  }
}

}  // namespace
}  // namespace renamora

// Tests of the encoding and line splitting of the program's text files.
#include "core/TextFile.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "base/text/Utf.h"
#include "support/TableLocale.h"

namespace renamora {
namespace {

using Lines = std::vector<std::u16string>;

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
  // A code page that holds ASCII only, like a Western code page does not hold
  // Chinese: anything else makes ToCodePage give nothing.
  const test::TableLocale locale(test::CodePage::Ascii);
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
  const test::TableLocale locale(test::CodePage::Ascii);
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

TEST(TextFileTest, LinesTheCodePageWouldAlterReadBackAsTheyWere) {
  // Written in the code page, these lines would begin with the bytes of a mark and
  // be read back in that mark's encoding, or (POSIX byte escapes side by side)
  // spell a character they do not hold.
  struct Row {
    const char* label;
    test::CodePage page;
    Lines lines;
    std::string starts;
  };
  const Row rows[] = {
      {"leading U+FEFF", test::CodePage::Utf8, {u"\uFEFFa"}, "\xEF\xBB\xBF" "\xEF\xBB\xBF" "a"},
      {"escaped bytes FF FE", test::CodePage::Utf8, {u"\xDCFF\xDCFE" "a"}, "\xFF\xFE" "\xFF\xDC"},
      {"escaped bytes FE FF", test::CodePage::Utf8, {u"\xDCFE\xDCFF"}, "\xFF\xFE" "\xFE\xDC"},
      {"Western y-diaeresis thorn", test::CodePage::Latin1, {u"\u00FF\u00FEx"}, "\xEF\xBB\xBF" "\xC3\xBF"},
      {"Western thorn y-diaeresis", test::CodePage::Latin1, {u"\u00FE\u00FF"}, "\xEF\xBB\xBF" "\xC3\xBE"},
      {"Western UTF-8 mark as letters", test::CodePage::Latin1, {u"\u00EF\u00BB\u00BFx"},
       "\xEF\xBB\xBF" "\xC3\xAF"},
      {"the same bytes further on stay in the code page", test::CodePage::Latin1, {u"a", u"\u00FF\u00FE"},
       "a\r\n\xFF\xFE"},
      {"escapes that spell a character", test::CodePage::Utf8, {u"/a/\xDCC3\xDCA9.txt", u"/b"}, "\xFF\xFE/"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.label);
    const test::TableLocale locale(row.page);
    const std::string bytes = EncodeLines(row.lines, locale);
    EXPECT_EQ(bytes.substr(0, row.starts.size()), row.starts);
    EXPECT_EQ(SplitLines(DecodeText(bytes, locale)), row.lines);
  }
}

}  // namespace
}  // namespace renamora

// Tests of what renamora-cli writes to standard output.
#include "cli/CliOutput.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace renamora::cli {
namespace {

TEST(JsonStringTest, EscapesWhatJsonRequiresAndKeepsTheRestAsUtf8) {
  struct Row {
    std::u16string text;
    std::string expected;
  };
  const Row rows[] = {
      {u"plain name.txt", "\"plain name.txt\""},
      {u"", "\"\""},
      {u"a\"b\\c/d", "\"a\\\"b\\\\c/d\""},
      {u"\b\f\n\r\t", "\"\\b\\f\\n\\r\\t\""},
      {u"\x01" u"x\x1f\x7f", "\"\\u0001x\\u001f\x7f\""},
      {u"\u00e9\U0001F600", "\"\xC3\xA9\xF0\x9F\x98\x80\""},
      {u"caf\xDCE9" u".txt", "\"caf\\udce9.txt\""},
      {u"end\xD83D", "\"end\\ud83d\""},
      {u"\xD83D" u"x\xDE00", "\"\\ud83dx\\ude00\""},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.expected);
    EXPECT_EQ(JsonString(row.text), row.expected);
  }
}

TEST(FormatPreviewTest, WritesEveryRowInEachFormat) {
  const std::vector<PreviewRow> preview = {
      {u"a.txt", u"b.txt", false},
      {u"tab\there.txt", u"new\nline.txt", false},
      {u"q\"uote\\.txt", u"ctl\x01.txt", false},
      {u"\U0001F600.txt", u"\u00e9t\u00e9.txt", false},
      {u"3 files skipped", u"", true},
  };
  struct Row {
    OutputFormat format;
    std::vector<PreviewRow> rows;
    std::string expected;
  };
  const Row rows[] = {
      {OutputFormat::Tsv, preview,
       "a.txt\tb.txt\n"
       "tab here.txt\tnew line.txt\n"
       "q\"uote\\.txt\tctl\x01.txt\n"
       "\xF0\x9F\x98\x80.txt\t\xC3\xA9t\xC3\xA9.txt\n"
       "3 files skipped\t\n"},
      {OutputFormat::Json, preview,
       "[\n"
       "  {\"old\": \"a.txt\", \"new\": \"b.txt\"},\n"
       "  {\"old\": \"tab\\there.txt\", \"new\": \"new\\nline.txt\"},\n"
       "  {\"old\": \"q\\\"uote\\\\.txt\", \"new\": \"ctl\\u0001.txt\"},\n"
       "  {\"old\": \"\xF0\x9F\x98\x80.txt\", \"new\": \"\xC3\xA9t\xC3\xA9.txt\"},\n"
       "  {\"info\": \"3 files skipped\"}\n"
       "]\n"},
      // Columns are aligned by the columns a terminal draws: the emoji takes two,
      // the accented letters one each.
      {OutputFormat::Table, preview,
       "Old name      New name\n"
       "------------  ------------\n"
       "a.txt         b.txt\n"
       "tab here.txt  new line.txt\n"
       "q\"uote\\.txt   ctl?.txt\n"
       "\xF0\x9F\x98\x80.txt        \xC3\xA9t\xC3\xA9.txt\n"
       "3 files skipped\n"},
      {OutputFormat::Table, {{u"x", u"y", false}},
       "Old name  New name\n"
       "--------  --------\n"
       "x         y\n"},
      {OutputFormat::Table, {{u"No file matches", u"", true}}, "No file matches\n"},
      {OutputFormat::Table, {}, ""},
      {OutputFormat::Tsv, {}, ""},
      {OutputFormat::Json, {}, "[]\n"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(static_cast<int>(row.format));
    EXPECT_EQ(FormatPreview(row.rows, row.format), row.expected);
  }
}

// A terminal draws East Asian wide and fullwidth characters over two columns and
// combining marks over none; the second column must start at one place in every row.
TEST(FormatPreviewTest, TableColumnsLineUpOnTheTerminal) {
  struct Row {
    const char* label;
    std::vector<PreviewRow> rows;
    std::string table;
  };
  const Row rows[] = {
      {"ideographs",
       {{u"\u65E5\u672C\u8A9E.txt", u"a", false}, {u"abc", u"b", false}},
       "Old name    New name\n"
       "----------  --------\n"
       "\xE6\x97\xA5\xE6\x9C\xAC\xE8\xAA\x9E.txt  a\n"
       "abc         b\n"},
      {"combining accents and fullwidth letters",
       {{u"e\u0301te\u0301.txt", u"\uFF21\uFF22", false}, {u"\uAC00\uB098", u"y", false}},
       "Old name  New name\n"
       "--------  --------\n"
       "e\xCC\x81te\xCC\x81.txt   \xEF\xBC\xA1\xEF\xBC\xA2\n"
       "\xEA\xB0\x80\xEB\x82\x98      y\n"},
      {"emoji beyond the first plane, and C1 controls",
       {{u"\U0001F600\U0001F389", u"x\u009B2J", false}, {u"abcde", u"z", false}},
       "Old name  New name\n"
       "--------  --------\n"
       "\xF0\x9F\x98\x80\xF0\x9F\x8E\x89      x?2J\n"
       "abcde     z\n"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.label);
    EXPECT_EQ(FormatPreview(row.rows, OutputFormat::Table), row.table);
  }
}

TEST(FormatPreviewTest, NameBytesThatAreNotUtf8ComeBackAsTheyWere) {
  const std::vector<PreviewRow> rows = {{u"caf\xDCE9" u".txt", u"cafe.txt", false}};
#ifdef _WIN32
  const std::string tsv = "caf\xEF\xBF\xBD.txt\tcafe.txt\n";
#else
  const std::string tsv = "caf\xE9.txt\tcafe.txt\n";
#endif
  EXPECT_EQ(FormatPreview(rows, OutputFormat::Tsv), tsv);
  EXPECT_EQ(FormatPreview(rows, OutputFormat::Json), "[\n  {\"old\": \"caf\\udce9.txt\", \"new\": \"cafe.txt\"}\n]\n");
}

TEST(FormatRenamedTest, WritesTheItemsThenTheStatusLine) {
  const std::vector<RenamedItem> items = {
      {u"/photos/a.jpg", u"/photos/b.jpg"},
      {u"/photos/sub/c.jpg", u"/photos/sub/d.jpg"},
      {u"/other/x.jpg", u"/photos/x.jpg"},
  };
  const std::string fullPaths =
      "/photos/a.jpg -> /photos/b.jpg\n/photos/sub/c.jpg -> /photos/sub/d.jpg\n/other/x.jpg -> /photos/x.jpg\n";
  struct Row {
    const char* label;
    OutputFormat format;
    std::vector<RenamedItem> items;
    std::u16string folder;
    std::string expected;
  };
  const Row rows[] = {
      {"relative where both are inside", OutputFormat::Table, items, u"/photos/",
       "a.jpg -> b.jpg\nsub/c.jpg -> sub/d.jpg\n/other/x.jpg -> /photos/x.jpg\n3 renamed\n"},
      {"folder without its separator", OutputFormat::Table, items, u"/photos",
       "a.jpg -> b.jpg\nsub/c.jpg -> sub/d.jpg\n/other/x.jpg -> /photos/x.jpg\n3 renamed\n"},
      {"a prefix that is no folder", OutputFormat::Table, items, u"/photo", fullPaths + "3 renamed\n"},
      {"no common folder", OutputFormat::Table, items, u"", fullPaths + "3 renamed\n"},
      {"table cleans names", OutputFormat::Table, {{u"/p/a\tb", u"/p/c\x1b"}}, u"/p/", "a b -> c?\n3 renamed\n"},
      {"tsv full paths", OutputFormat::Tsv, {items[0], {u"/p/a\tb", u"/p/\U0001F600"}}, u"/photos/",
       "/photos/a.jpg\t/photos/b.jpg\n/p/a b\t/p/\xF0\x9F\x98\x80\n3 renamed\n"},
      {"json full paths", OutputFormat::Json, {items[0], {u"/p/\"q\"", u"/p/\\"}}, u"/photos/",
       "{\n"
       "  \"renamed\": [\n"
       "    {\"old\": \"/photos/a.jpg\", \"new\": \"/photos/b.jpg\"},\n"
       "    {\"old\": \"/p/\\\"q\\\"\", \"new\": \"/p/\\\\\"}\n"
       "  ],\n"
       "  \"status\": \"3 renamed\"\n"
       "}\n"},
      {"json nothing renamed", OutputFormat::Json, {}, u"", "{\n  \"renamed\": [],\n  \"status\": \"3 renamed\"\n}\n"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.label);
    EXPECT_EQ(FormatRenamed(row.items, u"3 renamed", row.format, row.folder), row.expected);
  }
}

}  // namespace
}  // namespace renamora::cli

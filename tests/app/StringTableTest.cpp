// Lookup of message texts in a language table and in the built-in English one.
#include "app/StringTable.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstddef>
#include <string>
#include <vector>

#include "base/text/Utf.h"

namespace renamora {
namespace {

constexpr std::size_t kHeaderLines = 5;
constexpr std::size_t kBuiltInEntries = 389;

struct Placed {
  std::size_t line;
  const char* text;
};

// A table of `count` blank lines with the given lines put in place; grows to
// hold the last placed line.
std::vector<std::u16string> MakeLines(std::size_t count, const std::vector<Placed>& placed) {
  for (const Placed& p : placed) count = std::max(count, p.line + 1);
  std::vector<std::u16string> lines(count);
  for (const Placed& p : placed) lines[p.line] = U16(p.text);
  return lines;
}

bool IsDigit(char16_t c) { return c >= u'0' && c <= u'9'; }

TEST(StringTableTest, BuiltInTextsAreFoundWithOrWithoutActiveLines) {
  struct Row {
    MessageId id;
    const char* expected;
  };
  const Row rows[] = {
      {0, "Remove"},
      {1, "Replace"},
      {5, "Save"},
      {7, "Exit"},
      {9, "Folder"},
      {68, "All files names(oen layer)"},
      {72, "Change extention"},
      {122, "Position  --------  Specify the string"},
      {139, "Please select or input string to be removed."},
      {154, "You have not selected insert position, please select one or more checkboxs."},
      {194, "[each file's modified date, by   @@   ]"},
      {199, "Non-sequential names:"},
      {200, "Numbers"},
      {295, "Information"},
      {299, "Confirmation"},
      {322, "To select seperate files, you should firstly enable Checkbox in 'Option' panel"},
      {373, "Remove From  List"},
      {401,
       "Possible reasons: file is using by other program OR is locked by system OR is on CD OR "
       "had been removed..."},
      {412, "Uncheck selected"},
  };
  const StringTable noLines;
  for (const Row& row : rows) {
    SCOPED_TRACE(row.id);
    EXPECT_EQ(StringTable::BuiltIn().Lookup(row.id), U16(row.expected));
    EXPECT_EQ(noLines.Lookup(row.id), U16(row.expected));
  }
}

TEST(StringTableTest, NumbersWithoutTextGiveAPlaceholderNamingTheKey) {
  struct Row {
    MessageId id;
    const char* expected;
  };
  const Row rows[] = {
      {8, "L{missing text 008}"},     {31, "L{missing text 031}"},
      {152, "L{missing text 152}"},   {379, "L{missing text 379}"},
      {413, "L{missing text 413}"},   {999, "L{missing text 999}"},
      {1000, "L{missing text 1000}"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.id);
    EXPECT_EQ(StringTable::BuiltIn().Lookup(row.id), U16(row.expected));
    EXPECT_EQ(StringTable().Lookup(row.id), U16(row.expected));
  }
}

TEST(StringTableTest, ExactlyTheseNumbersBelow413LackABuiltInText) {
  const std::vector<MessageId> absent = {8,   31,  32,  33,  134, 135, 136, 152,
                                         179, 180, 182, 183, 184, 252, 273, 275,
                                         281, 328, 334, 339, 341, 377, 378, 379};
  for (MessageId id = 0; id <= 412; ++id) {
    SCOPED_TRACE(id);
    const bool isAbsent = std::find(absent.begin(), absent.end(), id) != absent.end();
    const bool isPlaceholder = StringTable::BuiltIn().Lookup(id).starts_with(u"L{missing text ");
    EXPECT_EQ(isPlaceholder, isAbsent);
  }
}

TEST(StringTableTest, LanguageLinesAndTheirFallbacks) {
  struct Row {
    const char* name;
    std::size_t count;
    std::vector<Placed> placed;
    MessageId id;
    const char* expected;
  };
  const Row rows[] = {
      {"own text of the only entry", 0,
       {{0, ";NOTE"}, {1, "Language=Deutsch"}, {2, "[000]Entfernen"}}, 0, "Entfernen"},
      {"number the file lacks", 0,
       {{0, ";NOTE"}, {1, "Language=Deutsch"}, {2, "[000]Entfernen"}}, 1, "Replace"},
      {"number only the file holds", 0, {{0, "[008]Acht"}}, 8, "Acht"},
      {"trailing blank removed", 0, {{0, "[037]Zielordner, "}}, 37, "Zielordner,"},
      {"leading blanks and control characters removed", 0, {{0, "[037] \t\x01Ziel\r\n"}}, 37,
       "Ziel"},
      {"blanks inside kept", 0, {{0, "[037]Ziel  ordner"}}, 37, "Ziel  ordner"},
      {"non-ASCII text", 0, {{0, "[012]Zw\xC3\xB6lf"}}, 12, "Zw\xC3\xB6lf"},
      {"empty entry", 0, {{0, "[001]"}}, 1, "Replace"},
      {"entry of blanks only", 0, {{0, "[001]  \t "}}, 1, "Replace"},
      {"empty entry for a number without built-in text", 0, {{0, "[008]"}}, 8,
       "L{missing text 008}"},
      {"line too short to hold a text", 0, {{0, "[001"}}, 1, "Replace"},
      {"first character need not be a bracket", 0, {{0, "(001)Eins"}}, 1, "Eins"},
      {"text starts at character 6 whatever character 5 is", 0, {{0, "[001Eins"}}, 1, "ins"},
      {"four-digit number never matches", 0, {{0, "[1000]Tausend"}}, 1000,
       "L{missing text 1000}"},
      {"first three digits of a longer number match", 0, {{0, "[1000]Tausend"}}, 100,
       "]Tausend"},
      {"entry after its place, found from N + 4", 20, {{15, "[002]Zwei"}}, 2, "Zwei"},
      {"entry before its place, found by the second search", 20, {{1, "[012]Zwoelf"}}, 12,
       "Zwoelf"},
      {"fast path wins over an earlier duplicate", 12, {{0, "[001]Early"}, {5, "[001]Late"}}, 1,
       "Late"},
      {"empty match at N + 4, second search finds an earlier one", 12,
       {{0, "[001]Early"}, {5, "[001]"}}, 1, "Early"},
      {"second search reaches line N + 3", 12, {{4, "[001]AtFour"}, {5, "[001]"}}, 1, "AtFour"},
      {"first match ends each search even when empty", 12, {{5, "[001]"}, {7, "[001]Later"}}, 1,
       "Replace"},
      {"N + 5 lines: search from line 0", 8, {{0, "[003]First"}, {7, "[003]Last"}}, 3, "First"},
      {"N + 6 lines: search from line N + 4", 9, {{0, "[003]First"}, {7, "[003]Last"}}, 3,
       "Last"},
      {"short table: no second search after an empty match", 6,
       {{0, "[001]"}, {3, "[001]Later"}}, 1, "Replace"},
      {"header lines only", 0,
       {{0, ";NOTE"}, {1, "Language=Deutsch"}, {2, "LangID=1031"}, {3, "Version=7.0"}}, 0,
       "Remove"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    const StringTable table(MakeLines(row.count, row.placed));
    EXPECT_EQ(table.Lookup(row.id), U16(row.expected));
  }
}

TEST(StringTableTest, BuiltInHeaderLines) {
  struct Row {
    std::size_t line;
    const char* expected;
  };
  const Row rows[] = {
      {0, ";NOTE"},
      {1, "Language=English"},
      {3, "Version=7.0"},
      {4, ""},
  };
  const std::vector<std::u16string>& lines = BuiltInTable();
  ASSERT_GT(lines.size(), kHeaderLines);
  for (const Row& row : rows) {
    SCOPED_TRACE(row.line);
    EXPECT_EQ(lines[row.line], U16(row.expected));
  }
  EXPECT_TRUE(lines[2].starts_with(u"Translation=")) << ToUtf8Lossy(lines[2]);
}

TEST(StringTableTest, BuiltInEntriesAreWellFormedAndInNumberOrder) {
  const std::vector<std::u16string>& lines = BuiltInTable();
  ASSERT_EQ(lines.size(), kHeaderLines + kBuiltInEntries);
  EXPECT_EQ(lines[kHeaderLines], u"[000]Remove");
  EXPECT_EQ(lines.back(), u"[412]Uncheck selected");
  int previous = -1;
  for (std::size_t i = kHeaderLines; i < lines.size(); ++i) {
    const std::u16string& line = lines[i];
    SCOPED_TRACE(ToUtf8Lossy(line));
    ASSERT_GT(line.size(), 5u);
    EXPECT_EQ(line[0], u'[');
    ASSERT_TRUE(IsDigit(line[1]) && IsDigit(line[2]) && IsDigit(line[3]));
    EXPECT_EQ(line[4], u']');
    const int number = (line[1] - u'0') * 100 + (line[2] - u'0') * 10 + (line[3] - u'0');
    EXPECT_GT(number, previous);
    previous = number;
    // Stored already trimmed, so that a copy of the table is a clean model for
    // translators and the lookup returns the line's text unchanged.
    EXPECT_GT(line[5], u' ');
    EXPECT_GT(line.back(), u' ');
  }
}

TEST(StringTableTest, EveryBuiltInEntryIsFoundWhereverItStands) {
  const std::vector<std::u16string>& lines = BuiltInTable();
  std::vector<std::u16string> reversed(lines.rbegin(), lines.rend());
  const StringTable layouts[] = {StringTable::BuiltIn(), StringTable(reversed)};
  for (std::size_t i = kHeaderLines; i < lines.size(); ++i) {
    const std::u16string& line = lines[i];
    SCOPED_TRACE(ToUtf8Lossy(line));
    const MessageId id = std::stoi(ToUtf8Lossy(line.substr(1, 3)));
    for (const StringTable& table : layouts) EXPECT_EQ(table.Lookup(id), line.substr(5));
  }
}

}  // namespace
}  // namespace renamora

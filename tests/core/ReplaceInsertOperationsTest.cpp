// Tests of the Replace and Insert panels' operations on one working name.
#include "core/ops/ReplaceInsertOperations.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "base/text/Utf.h"
#include "support/CountingExpander.h"
#include "support/TableLocale.h"

namespace renamora {
namespace {

std::string Show(std::u16string_view text) { return ToUtf8Lossy(text); }

using test::CountingExpander;

SampleSelection Selection(std::u16string sample, int start, int length, int cursor = 0) {
  SampleSelection s;
  s.SampleText = std::move(sample);
  s.SelectionStart = start;
  s.SelectionLength = length;
  s.CursorPosition = cursor;
  return s;
}

TEST(ReplaceStringTest, MatchesByCaseAndLeftestChoice) {
  struct Row {
    const char* label;
    std::u16string name, oldString, newText;
    bool caseSensitive, onlyLeftest;
    std::u16string expected;
  };
  const Row rows[] = {
      {"every occurrence", u"Banana", u"a", u"b", false, false, u"Bbnbnb"},
      {"ignoring case", u"Bob", u"b", u"p", false, false, u"pop"},
      {"case-sensitive", u"Bob", u"b", u"p", true, false, u"Bop"},
      {"leftest only, ignoring case", u"Bob", u"b", u"p", false, true, u"pob"},
      {"new text holding the old one does not loop", u"xax", u"x", u"xx", false, false, u"xxaxx"},
      {"empty new text removes", u"a-b-c", u"-", u"", false, false, u"abc"},
      {"empty old string changes nothing", u"abc", u"", u"X", false, false, u"abc"},
      {"old string absent", u"abc", u"z", u"X", false, false, u"abc"},
      {"non-ASCII ignoring case", u"\u00c9t\u00e9", u"\u00e9", u"e", false, false, u"ete"},
      {"surrogate pair as a whole", u"a\U0001F600b", u"\U0001F600", u"-", true, false, u"a-b"},
  };
  const test::TableLocale locale;
  for (const Row& row : rows) {
    SCOPED_TRACE(row.label);
    ReplaceOptions options;
    options.OldString = row.oldString;
    options.NewTemplate = row.newText;
    options.CaseSensitive = row.caseSensitive;
    options.OnlyLeftest = row.onlyLeftest;
    CountingExpander expander;
    EXPECT_EQ(Show(Replace(row.name, options, {}, 0, locale, expander)), Show(row.expected));
    EXPECT_EQ(expander.asked.size(), 1u);
  }
}

TEST(ReplaceStringTest, TemplateIsExpandedOncePerItemEvenWhenUnused) {
  const test::TableLocale locale;
  ReplaceOptions options;
  options.OldString = u"IMG";
  options.NewTemplate = u"Photo_#";
  CountingExpander expander;
  // Both occurrences get the one expansion.
  EXPECT_EQ(Show(Replace(u"IMG_IMG", options, {}, 0, locale, expander)), "Photo_1_Photo_1");
  // No occurrence: the template is still expanded, so the next item sees the next text.
  EXPECT_EQ(Show(Replace(u"abc", options, {}, 0, locale, expander)), "abc");
  EXPECT_EQ(Show(Replace(u"IMG", options, {}, 0, locale, expander)), "Photo_3");
}

TEST(ReplaceSelectedTest, ReplacesTheStretchAtTheSampleSelectionsDistance) {
  struct Row {
    const char* label;
    std::u16string name;
    SampleSelection sample;
    bool fromEnd;
    std::u16string expected;
  };
  const SampleSelection cd = Selection(u"abcdef", 2, 2);
  const Row rows[] = {
      {"from the head", u"123456789", cd, false, u"12XY56789"},
      {"from the end", u"123456789", cd, true, u"12345XY89"},
      {"short name from the head appends", u"ab", cd, false, u"abXY"},
      {"name as long as the sample", u"uvwxyz", cd, false, u"uvXYyz"},
      {"short name from the end", u"z", cd, true, u"XYz"},
      {"shorter than the tail after the selection", u"", cd, true, u"XY"},
      {"nothing selected inserts", u"12345", Selection(u"abcdef", 3, 0), false, u"123XY45"},
      {"nothing selected from the end", u"12345", Selection(u"abcdef", 3, 0), true, u"12XY345"},
      {"whole sample selected", u"12345678", Selection(u"abcdef", 0, 6), false, u"XY78"},
  };
  const test::TableLocale locale;
  for (const Row& row : rows) {
    SCOPED_TRACE(row.label);
    ReplaceOptions options;
    options.ReplaceKind = ReplaceChoice::ReplaceSelected;
    options.SelectionFromEnd = row.fromEnd;
    options.NewTemplate = u"XY";
    CountingExpander expander;
    EXPECT_EQ(Show(Replace(row.name, options, row.sample, row.sample.SelectionLength, locale, expander)),
              Show(row.expected));
  }
}

TEST(ReplaceSelectedTest, NegativeSelectionLengthNeverDoublesCharacters) {
  const test::TableLocale locale;
  ReplaceOptions options;
  options.ReplaceKind = ReplaceChoice::ReplaceSelected;
  options.NewTemplate = u"X";
  CountingExpander expander;
  EXPECT_EQ(Show(Replace(u"12345", options, Selection(u"abcdef", 2, 0), -2, locale, expander)), "12X345");
}

TEST(InsertToPositionTest, CursorThenHeadThenEnd) {
  struct Row {
    const char* label;
    std::u16string name;
    bool head, end, cursor, fromEnd;
    SampleSelection sample;
    std::u16string expected;
  };
  const Row rows[] = {
      {"all three places", u"name", true, true, true, false, Selection(u"sample", 0, 0, 3), u"A-naxme-Z"},
      {"cursor from the end", u"long_name", false, false, true, true, Selection(u"abcdef", 0, 0, 5),
       u"long_naxme"},
      {"cursor beyond a short name appends", u"abc", false, false, true, false, Selection(u"abcdefgh", 0, 0, 7),
       u"abcx"},
      {"cursor from the end before a short name", u"ab", false, false, true, true, Selection(u"abcdefgh", 0, 0, 2),
       u"xab"},
      {"cursor at the sample's end, from the end", u"long", false, false, true, true,
       Selection(u"abc", 0, 0, 4), u"longx"},
      {"no cursor position taken", u"abc", false, false, true, false, Selection(u"abc", 0, 0, 0), u"xabc"},
      {"head only", u"abc", true, false, false, false, {}, u"A-abc"},
      {"end only", u"abc", false, true, false, false, {}, u"abc-Z"},
      {"cursor measured before head is added", u"abcd", true, false, true, false, Selection(u"abcd", 0, 0, 2),
       u"A-axbcd"},
      {"no place chosen", u"abc", false, false, false, false, {}, u"abc"},
  };
  const test::TableLocale locale;
  for (const Row& row : rows) {
    SCOPED_TRACE(row.label);
    InsertOptions options;
    options.AtHead = row.head;
    options.HeadTemplate = u"A-";
    options.AtEnd = row.end;
    options.EndTemplate = u"-Z";
    options.AtCursor = row.cursor;
    options.CursorTemplate = u"x";
    options.CursorFromEnd = row.fromEnd;
    CountingExpander expander;
    EXPECT_EQ(Show(Insert(row.name, options, row.sample, locale, expander)), Show(row.expected));
  }
}

TEST(InsertToPositionTest, EachPlaceExpandsItsOwnTemplateInOrder) {
  const test::TableLocale locale;
  InsertOptions options;
  options.AtHead = options.AtEnd = options.AtCursor = true;
  options.HeadTemplate = u"h#";
  options.EndTemplate = u"e#";
  options.CursorTemplate = u"c#";
  CountingExpander expander;
  EXPECT_EQ(Show(Insert(u"ab", options, Selection(u"ab", 0, 0, 2), locale, expander)), "h2ac1be3");
  EXPECT_EQ(expander.asked, (std::vector<std::u16string>{u"c#", u"h#", u"e#"}));
}

TEST(InsertToStringTest, BeforeBehindBetweenEveryOccurrence) {
  struct Row {
    const char* label;
    std::u16string name;
    InsertPosition where;
    std::u16string existing, second, expected;
  };
  const Row rows[] = {
      {"before", u"abcb", InsertPosition::BEFORE, u"b", u"", u"aXbcXb"},
      {"behind", u"abcb", InsertPosition::BEHIND, u"b", u"", u"abXcbX"},
      {"between", u"abcb", InsertPosition::BETWEEN, u"b", u"c", u"abXcb"},
      {"between needs the strings adjacent", u"ab-c", InsertPosition::BETWEEN, u"b", u"c", u"ab-c"},
      {"case-sensitive", u"aBc", InsertPosition::BEFORE, u"b", u"", u"aBc"},
      {"existing string absent", u"abc", InsertPosition::BEHIND, u"z", u"", u"abc"},
      {"empty existing string", u"abc", InsertPosition::BEFORE, u"", u"", u"abc"},
      {"empty pair between", u"abc", InsertPosition::BETWEEN, u"", u"", u"abc"},
      {"overlapping occurrences", u"aaa", InsertPosition::BEHIND, u"aa", u"", u"aaXa"},
  };
  const test::TableLocale locale;
  for (const Row& row : rows) {
    SCOPED_TRACE(row.label);
    InsertOptions options;
    options.InsertKind = InsertChoice::ToString;
    options.Where = row.where;
    options.ExistingString = row.existing;
    options.SecondString = row.second;
    options.InsertTemplate = u"X";
    CountingExpander expander;
    EXPECT_EQ(Show(Insert(row.name, options, {}, locale, expander)), Show(row.expected));
  }
}

TEST(InsertToStringTest, AllOccurrencesGetTheOneExpansion) {
  const test::TableLocale locale;
  InsertOptions options;
  options.InsertKind = InsertChoice::ToString;
  options.Where = InsertPosition::BEHIND;
  options.ExistingString = u"-";
  options.InsertTemplate = u"#";
  CountingExpander expander;
  EXPECT_EQ(Show(Insert(u"a-b-c", options, {}, locale, expander)), "a-1b-1c");
  // A template that expands to nothing inserts nothing.
  options.InsertTemplate = u"";
  EXPECT_EQ(Show(Insert(u"a-b", options, {}, locale, expander)), "a-b");
}

}  // namespace
}  // namespace renamora

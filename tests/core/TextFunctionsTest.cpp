// Tests of the clamped text functions and of the selection-span mapping.
#include "core/TextFunctions.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>

#include "base/text/NameOrder.h"
#include "base/text/Utf.h"
#include "platform/Locale.h"
#include "support/TableLocale.h"

namespace renamora {
namespace {

std::string Show(std::u16string_view text) { return ToUtf8Lossy(text); }

TEST(FindTextTest, GivesOneBasedPositionOfFirstOccurrenceOrZero) {
  struct Row {
    const char* label;
    std::u16string text;
    std::u16string pattern;
    int expected;
  };
  const Row rows[] = {
      {"at the start", u"abcabc", u"ab", 1},
      {"first of two", u"abcabc", u"bc", 2},
      {"at the end", u"abc", u"c", 3},
      {"whole text", u"abc", u"abc", 1},
      {"absent", u"abc", u"x", 0},
      {"pattern longer than text", u"abc", u"abcd", 0},
      {"case-sensitive", u"aXa", u"x", 0},
      {"empty pattern", u"abc", u"", 0},
      {"empty text", u"", u"a", 0},
      {"both empty", u"", u"", 0},
      {"non-ASCII unit counts one", u"\u00e9t\u00e9", u"t", 2},
      {"surrogate pair counts two", u"\U0001F600x", u"x", 3},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.label);
    EXPECT_EQ(FindText(row.text, row.pattern), row.expected);
  }
}

TEST(CopyTextTest, ClampsStartAndCount) {
  struct Row {
    const char* label;
    std::u16string text;
    int from;
    int count;
    std::u16string expected;
  };
  const Row rows[] = {
      {"middle", u"abcdef", 3, 2, u"cd"},
      {"from the first", u"abcdef", 1, 3, u"abc"},
      {"from zero counts as one", u"abcdef", 0, 2, u"ab"},
      {"negative from counts as one", u"abcdef", -5, 2, u"ab"},
      {"from the last", u"abcdef", 6, 1, u"f"},
      {"from just beyond the end", u"abcdef", 7, 1, u""},
      {"from far beyond the end", u"abcdef", INT_MAX, 1, u""},
      {"count zero", u"abcdef", 2, 0, u""},
      {"negative count", u"abcdef", 2, -1, u""},
      {"count past the end is cut", u"abcdef", 4, 100, u"def"},
      {"huge count", u"abcdef", 2, INT_MAX, u"bcdef"},
      {"clamped from with huge count", u"abcdef", INT_MIN, INT_MAX, u"abcdef"},
      {"empty text", u"", 1, 5, u""},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.label);
    EXPECT_EQ(CopyText(row.text, row.from, row.count), row.expected);
  }
}

TEST(InsertTextTest, PutsPieceBeforeIndexClampedToTheText) {
  struct Row {
    const char* label;
    std::u16string text;
    std::u16string piece;
    int index;
    std::u16string expected;
  };
  const Row rows[] = {
      {"before the first", u"abc", u"X", 1, u"Xabc"},
      {"before the second", u"abc", u"X", 2, u"aXbc"},
      {"before the last", u"abc", u"X", 3, u"abXc"},
      {"just after the last appends", u"abc", u"X", 4, u"abcX"},
      {"far beyond the end appends", u"abc", u"X", 99, u"abcX"},
      {"INT_MAX appends", u"abc", u"X", INT_MAX, u"abcX"},
      {"zero inserts at the front", u"abc", u"X", 0, u"Xabc"},
      {"negative inserts at the front", u"abc", u"X", -3, u"Xabc"},
      {"INT_MIN inserts at the front", u"abc", u"X", INT_MIN, u"Xabc"},
      {"longer piece", u"abc", u"XYZ", 2, u"aXYZbc"},
      {"empty piece changes nothing", u"abc", u"", 2, u"abc"},
      {"empty text at one", u"", u"X", 1, u"X"},
      {"empty text beyond", u"", u"X", 5, u"X"},
      {"empty text and piece", u"", u"", 1, u""},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.label);
    EXPECT_EQ(InsertText(row.text, row.piece, row.index), row.expected);
  }
}

struct ReplaceRow {
  const char* label;
  std::u16string text;
  std::u16string pattern;
  std::u16string replacement;
  bool all;
  bool ignoreCase;
  std::u16string expected;
};

void CheckReplaceRows(const ReplaceRow* begin, const ReplaceRow* end) {
  const test::TableLocale locale;
  for (const ReplaceRow* row = begin; row != end; ++row) {
    SCOPED_TRACE(row->label);
    const std::u16string got =
        ReplaceText(row->text, row->pattern, row->replacement, row->all, row->ignoreCase, locale);
    EXPECT_EQ(Show(got), Show(row->expected));
  }
}

TEST(ReplaceTextTest, ReplacesLeftmostOrEveryOccurrence) {
  const ReplaceRow rows[] = {
      {"all occurrences", u"a-b-c", u"-", u"+", true, false, u"a+b+c"},
      {"only the leftmost", u"a-b-c", u"-", u"+", false, false, u"a+b-c"},
      {"removal", u"a-b-c", u"-", u"", true, false, u"abc"},
      {"longer replacement", u"a-b", u"-", u" and ", true, false, u"a and b"},
      {"whole text", u"abc", u"abc", u"x", true, false, u"x"},
      {"at both ends", u"xax", u"x", u"yy", true, false, u"yyayy"},
      {"no occurrence", u"abc", u"d", u"x", true, false, u"abc"},
      {"pattern longer than text", u"ab", u"abc", u"x", true, false, u"ab"},
      {"empty pattern", u"abc", u"", u"x", true, false, u"abc"},
      {"empty pattern ignoring case", u"abc", u"", u"x", true, true, u"abc"},
      {"empty text", u"", u"a", u"x", true, false, u""},
      {"case-sensitive misses other case", u"aAa", u"A", u"x", true, false, u"axa"},
  };
  CheckReplaceRows(std::begin(rows), std::end(rows));
}

TEST(ReplaceTextTest, NeverOverlapsAndNeverSearchesInsertedText) {
  const ReplaceRow rows[] = {
      {"'aa' in 'aaa' is found once", u"aaa", u"aa", u"b", true, false, u"ba"},
      {"'aa' in 'aaaa' is found twice", u"aaaa", u"aa", u"b", true, false, u"bb"},
      {"removal does not join a new match", u"aabb", u"ab", u"", true, false, u"ab"},
      {"replacement holding the pattern", u"ab", u"a", u"aa", true, false, u"aab"},
      {"replacement completing a match with what follows", u"xxy", u"xy", u"x", true, false,
       u"xx"},
      {"leftmost only, then stops", u"aaaa", u"aa", u"a", false, false, u"aaa"},
  };
  CheckReplaceRows(std::begin(rows), std::end(rows));
}

TEST(ReplaceTextTest, IgnoringCaseComparesUpperCasedUnitsAndInsertsReplacementUnchanged) {
  const ReplaceRow rows[] = {
      {"ASCII", u"Photo_PHOTO_photo", u"pHoTo", u"pic", true, true, u"pic_pic_pic"},
      {"ASCII leftmost only", u"Photo_PHOTO", u"photo", u"", false, true, u"_PHOTO"},
      {"replacement keeps its case", u"abc", u"B", u"xYz", true, true, u"axYzc"},
      {"the rest keeps its case", u"aBcB", u"b", u"-", true, true, u"a-c-"},
      {"e acute", u"\u00e9t\u00e9 \u00c9T\u00c9", u"\u00c9t\u00e9", u"x", true, true, u"x x"},
      {"e acute case-sensitive", u"\u00e9t\u00e9 \u00c9T\u00c9", u"\u00c9T\u00c9", u"x", true,
       false, u"\u00e9t\u00e9 x"},
      {"y diaeresis maps outside Latin-1", u"\u00ff\u0178", u"\u00ff", u"y", true, true, u"yy"},
      {"Greek", u"\u03b1\u03b2\u03b3 \u0391\u0392\u0393", u"\u03b2", u"-", true, true,
       u"\u03b1-\u03b3 \u0391-\u0393"},
      {"Greek final sigma matches capital sigma", u"\u03c2\u03c3\u03a3", u"\u03a3", u"s", true,
       true, u"sss"},
      {"Cyrillic", u"\u0414\u043e\u043c \u0434\u041e\u041c", u"\u0434\u043e\u043c", u"x", true,
       true, u"x x"},
      {"Cyrillic case-sensitive", u"\u0414\u043e\u043c \u0434\u043e\u043c",
       u"\u0434\u043e\u043c", u"x", true, false, u"\u0414\u043e\u043c x"},
      {"sharp s keeps its length and matches only itself", u"Stra\u00dfe STRASSE", u"\u00df",
       u"ss", true, true, u"Strasse STRASSE"},
      {"digits and symbols are their own upper case", u"1_2_1", u"1_", u"", true, true, u"2_1"},
  };
  CheckReplaceRows(std::begin(rows), std::end(rows));
}

TEST(SpanOfTest, MapsTheSelectionFromTheHeadOrFromTheEnd) {
  struct Row {
    const char* label;
    std::u16string sampleText;
    int selectionStart;
    int selectionLength;
    int nameLength;
    bool fromEnd;
    int before;
    int after;
  };
  const Row rows[] = {
      {"head: same distance from the start", u"abcdef", 2, 2, 9, false, 2, 5},
      {"head: selection at the start", u"abcdef", 0, 3, 9, false, 0, 4},
      {"head: nothing selected", u"abcdef", 2, 0, 9, false, 2, 3},
      {"head: the name length does not matter", u"abcdef", 2, 2, 1, false, 2, 5},
      {"end: same distance from the end", u"abcdef", 2, 2, 9, true, 5, 8},
      {"end: selection at the end", u"abcdef", 4, 2, 9, true, 7, 10},
      {"end: same length as the sample", u"abcdef", 2, 2, 6, true, 2, 5},
      {"end: shorter name, span starts before it", u"abcdef", 1, 3, 4, true, -1, 3},
      {"end: name shorter than what follows", u"abcdef", 0, 2, 3, true, -3, 0},
      {"end: empty name", u"abcdef", 2, 2, 0, true, -4, -1},
      {"end: nothing selected", u"abcdef", 2, 0, 9, true, 5, 6},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.label);
    const SampleSelection sample{row.sampleText, row.selectionStart, row.selectionLength, 0};
    const SelectionSpan span = SpanOf(row.nameLength, sample, row.selectionLength, row.fromEnd);
    EXPECT_EQ(span.Before, row.before);
    EXPECT_EQ(span.After, row.after);
  }
}

TEST(SpanOfTest, UsesTheLengthCapturedAtTheStartNotTheSampleField) {
  struct Row {
    const char* label;
    bool fromEnd;
    int before;
    int after;
  };
  const Row rows[] = {
      {"from the head", false, 1, 4},
      {"from the end", true, 5, 8},
  };
  // The sample box still shows a longer selection than the run captured.
  const SampleSelection sample{u"abcdef", 1, 5, 0};
  for (const Row& row : rows) {
    SCOPED_TRACE(row.label);
    const SelectionSpan span = SpanOf(10, sample, 2, row.fromEnd);
    EXPECT_EQ(span.Before, row.before);
    EXPECT_EQ(span.After, row.after);
  }
}

}  // namespace
}  // namespace renamora

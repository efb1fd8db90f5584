// Tests of the Remove panel's "Keep something" and "Clean symbols" operations.
#include <gtest/gtest.h>

#include <string>

#include "base/text/Utf.h"
#include "core/ops/RemoveOperations.h"
#include "support/TableLocale.h"

namespace renamora {
namespace {

std::string Show(std::u16string_view text) { return ToUtf8Lossy(text); }

TEST(KeepSelectedPartTest, KeepsTheSpanClampedToTheName) {
  struct Row {
    const char* label;
    std::u16string name;
    std::u16string sample;
    int start;
    int length;
    bool fromEnd;
    std::u16string expected;
  };
  const Row rows[] = {
      {"head", u"123456789", u"abcdef", 2, 2, false, u"34"},
      {"end", u"123456789", u"abcdef", 2, 2, true, u"67"},
      {"head: from the first character", u"123456789", u"abcdef", 0, 2, false, u"12"},
      {"end: up to the last character", u"123456789", u"abcdef", 4, 2, true, u"89"},
      {"the sample itself, head", u"abcdef", u"abcdef", 2, 2, false, u"cd"},
      {"the sample itself, end", u"abcdef", u"abcdef", 2, 2, true, u"cd"},
      {"nothing selected, head", u"123456789", u"abcdef", 2, 0, false, u""},
      {"nothing selected, end", u"123456789", u"abcdef", 2, 0, true, u""},
      {"negative length keeps nothing", u"123456789", u"abcdef", 2, -1, true, u""},
      {"head: span partly past the end", u"1234", u"abcdef", 2, 3, false, u"34"},
      {"head: span wholly past the end", u"12", u"abcdef", 3, 2, false, u""},
      {"head: span starts at the last character", u"123", u"abcdef", 2, 2, false, u"3"},
      {"end: name shorter than the stretch", u"xyz", u"abcdef", 0, 6, true, u"xyz"},
      {"end: stretch partly before the start", u"xyz", u"abcdef", 0, 4, true, u"x"},
      {"end: stretch wholly before the start", u"xy", u"abcdef", 0, 4, true, u""},
      {"whole name selected", u"abc", u"abc", 0, 3, false, u"abc"},
      {"empty name", u"", u"abcdef", 1, 2, false, u""},
      {"empty name from the end", u"", u"abcdef", 1, 2, true, u""},
      {"a surrogate pair comes whole", u"a\U0001F600b", u"wxyz", 1, 2, false, u"\U0001F600"},
  };
  const test::TableLocale locale;
  for (const Row& row : rows) {
    SCOPED_TRACE(row.label);
    const SampleSelection sample{row.sample, row.start, row.length, 0};
    EXPECT_EQ(Show(KeepSelectedPart(row.name, sample, row.length, row.fromEnd)), Show(row.expected));

    RemoveOptions options;
    options.RemoveKind = RemoveChoice::KeepSomething;
    options.KeepKind = KeepChoice::SelectedPart;
    options.KeepFromEnd = row.fromEnd;
    // The removal's own direction must not be the one that counts.
    options.SelectionFromEnd = !row.fromEnd;
    EXPECT_EQ(Show(Remove(row.name, options, sample, row.length, locale)), Show(row.expected));
  }
}

TEST(KeepStringsTest, KeepsTheOccurrencesInTheOrderOfTheName) {
  struct Row {
    const char* label;
    std::u16string name;
    std::u16string s1, s2;
    bool onlyLeftest;
    std::u16string expected;
  };
  const Row rows[] = {
      {"every occurrence", u"xab9yab", u"ab", u"9", false, u"ab9ab"},
      {"leftmost only", u"xab9yab", u"ab", u"9", true, u"ab9"},
      {"leftmost String 2 may come first", u"9ab9ab", u"ab", u"9", true, u"9ab"},
      {"order of the name, not of the boxes", u"9xab", u"ab", u"9", false, u"9ab"},
      {"neither occurs", u"xyz", u"ab", u"9", false, u"xyz"},
      {"only String 1 occurs", u"xaby", u"ab", u"9", false, u"ab"},
      {"only String 2 given", u"a1b1", u"", u"1", false, u"11"},
      {"both empty", u"a1b1", u"", u"", false, u"a1b1"},
      {"case-sensitive", u"AB-ab", u"ab", u"", false, u"ab"},
      {"case-sensitive, no match", u"AB", u"ab", u"", false, u"AB"},
      {"occurrences never overlap", u"aaa", u"aa", u"", false, u"aa"},
      {"String 2 not inside String 1", u"abc", u"abc", u"b", false, u"abc"},
      {"String 2 not across String 1", u"xaby", u"ab", u"xy", false, u"ab"},
      {"String 2 with a ? not across String 1", u"xaby", u"ab", u"x?y", false, u"ab"},
      {"a ? in the name is no kept string", u"a?b", u"b", u"", false, u"b"},
      {"a ? in the name is no String 2", u"a?b", u"a", u"b", false, u"ab"},
      {"a ? is kept where it is asked for", u"a?b?", u"?", u"", false, u"??"},
      {"the whole name", u"ab", u"ab", u"", false, u"ab"},
      {"empty name", u"", u"ab", u"9", false, u""},
      {"non-BMP strings", u"\U0001F600x\U0001F601", u"\U0001F601", u"\U0001F600", false,
       u"\U0001F600\U0001F601"},
  };
  const test::TableLocale locale;
  for (const Row& row : rows) {
    SCOPED_TRACE(row.label);
    RemoveOptions options;
    options.RemoveKind = RemoveChoice::KeepSomething;
    options.KeepKind = KeepChoice::GivenStrings;
    options.KeepStrings = {row.s1, row.s2};
    options.KeepOnlyLeftest = row.onlyLeftest;
    // The removal's own "Only Leftest" must not be the one that counts.
    options.OnlyLeftest = !row.onlyLeftest;
    EXPECT_EQ(Show(KeepStrings(row.name, options, locale)), Show(row.expected));
    EXPECT_EQ(Show(Remove(row.name, options, SampleSelection{}, 0, locale)), Show(row.expected));
  }
}

TEST(CleanSymbolsTest, ErasesAllButLettersDigitsSpacesAndSparedCharacters) {
  // Defaults are the panel's initial state: only "-" is spared.
  struct Row {
    const char* label;
    std::u16string name;
    std::u16string expected;
    bool withSpace = false;
    bool hyphen = true;
    bool parentheses = false;
    bool brackets = false;
    bool underscore = false;
    std::u16string other = {};  // empty: "Don't erase other symbols" off
    std::u16string erase = {};  // empty: "Also erase string" off
  };
  const std::u16string loneHigh(1, static_cast<char16_t>(0xD83D));
  const Row rows[] = {
      {.label = "initial options", .name = u"My_Song (Live) [2010]!", .expected = u"MySong Live 2010"},
      {.label = "with spaces, trailing one stays",
       .name = u"My_Song (Live) [2010]!",
       .expected = u"My Song Live 2010 ",
       .withSpace = true},
      {.label = "accented letter", .name = u"Caf\u00e9", .expected = u"Caf"},
      {.label = "non-Latin letters", .name = u"\u5199\u771f01", .expected = u"01"},
      {.label = "one character", .name = u"&", .expected = u"&"},
      {.label = "empty name", .name = u"", .expected = u""},
      {.label = "two symbols", .name = u"&!", .expected = u""},
      {.label = "spaces alone are folded", .name = u"a  b", .expected = u"a b"},
      {.label = "letters and digits only", .name = u"ab12", .expected = u"ab12"},
      {.label = "letters only: no erase string", .name = u"copyfile", .expected = u"copyfile", .erase = u"copy"},
      {.label = "other symbols spared", .name = u"Rock & Roll!", .expected = u"Rock & Roll!", .other = u"&!"},
      {.label = "other symbols, one of them", .name = u"Rock & Roll!", .expected = u"Rock Roll!", .other = u"!"},
      {.label = "erase string after the symbols", .name = u"copy.of.file", .expected = u"offile", .erase = u"copy"},
      {.label = "erase string with spaces",
       .name = u"copy.of.file",
       .expected = u" of file",
       .withSpace = true,
       .erase = u"copy"},
      {.label = "erase string becomes one space",
       .name = u"xcopy y",
       .expected = u"x y",
       .withSpace = true,
       .erase = u"copy"},
      {.label = "erase string before the first symbol", .name = u"ab cd", .expected = u" cd", .erase = u"ab"},
      {.label = "erase string is case-sensitive", .name = u"Copy copy", .expected = u"Copy ", .erase = u"copy"},
      {.label = "erase string not across an erased symbol", .name = u"ab!c", .expected = u"abc", .erase = u"bc"},
      {.label = "erase string with an erased symbol", .name = u"a.b c", .expected = u"ab c", .erase = u"a.b"},
      {.label = "erase string with a spared symbol",
       .name = u"a.b c",
       .expected = u" c",
       .other = u".",
       .erase = u"a.b"},
      {.label = "erase occurrences never overlap", .name = u"aaa!", .expected = u"a", .erase = u"aa"},
      {.label = "hyphen spared", .name = u"a-b!", .expected = u"a-b"},
      {.label = "hyphen erased", .name = u"a-b!", .expected = u"ab", .hyphen = false},
      {.label = "parentheses", .name = u"(a)[b]_c", .expected = u"(a)bc", .parentheses = true},
      {.label = "brackets", .name = u"(a)[b]_c", .expected = u"a[b]c", .brackets = true},
      {.label = "underscore", .name = u"(a)[b]_c", .expected = u"ab_c", .underscore = true},
      {.label = "outer spaces stay", .name = u" a! ", .expected = u" a "},
      {.label = "outer spaces stay, with spaces", .name = u" a! ", .expected = u" a ", .withSpace = true},
      {.label = "control characters", .name = u"a\tb\u0001", .expected = u"ab"},
      {.label = "no-break space is a symbol", .name = u"a\u00a0b", .expected = u"ab"},
      {.label = "a ? in the name is erased", .name = u"a?b", .expected = u"ab"},
      {.label = "a ? in the name becomes a space", .name = u"a?b", .expected = u"a b", .withSpace = true},
      {.label = "a spared ? stays", .name = u"a?b!", .expected = u"a?b", .other = u"?"},
      {.label = "a spared ? can be erased", .name = u"a?b!", .expected = u"ab", .other = u"?", .erase = u"?"},
      {.label = "a ? in the erase string is no erased symbol", .name = u"a!b", .expected = u"ab", .erase = u"a?"},
      {.label = "surrogate pair erased", .name = u"\U0001F600a!", .expected = u"a"},
      {.label = "surrogate pair with spaces", .name = u"\U0001F600a!", .expected = u" a ", .withSpace = true},
      {.label = "surrogate pair spared whole",
       .name = u"a\U0001F600\U0001F601",
       .expected = u"a\U0001F600",
       .other = u"\U0001F600"},
      {.label = "half a pair is not erased",
       .name = u"a\U0001F600!",
       .expected = u"a\U0001F600",
       .other = u"\U0001F600",
       .erase = loneHigh},
  };
  const test::TableLocale locale;
  for (const Row& row : rows) {
    SCOPED_TRACE(row.label);
    RemoveOptions options;
    options.RemoveKind = RemoveChoice::CleanSymbols;
    options.CleanReplaceWithSpace = row.withSpace;
    options.CleanKeepHyphen = row.hyphen;
    options.CleanKeepParentheses = row.parentheses;
    options.CleanKeepBrackets = row.brackets;
    options.CleanKeepUnderscore = row.underscore;
    options.CleanKeepOther = !row.other.empty();
    options.CleanKeepOtherText = row.other;
    options.CleanAlsoErase = !row.erase.empty();
    options.CleanEraseText = row.erase;
    EXPECT_EQ(Show(CleanSymbols(row.name, options, locale)), Show(row.expected));
    EXPECT_EQ(Show(Remove(row.name, options, SampleSelection{}, 0, locale)), Show(row.expected));
  }
}

TEST(CleanSymbolsTest, SwitchedOffBoxesIgnoreTheirText) {
  const test::TableLocale locale;
  RemoveOptions options;
  options.CleanKeepOther = false;
  options.CleanKeepOtherText = u"&";
  options.CleanAlsoErase = false;
  options.CleanEraseText = u"b";
  EXPECT_EQ(Show(CleanSymbols(u"a&b", options, locale)), "ab");
}

TEST(RemoveTest, DispatchesToKeepAndClean) {
  const SampleSelection sample{u"abcdefghijklm", 1, 2, 0};
  const std::u16string name = u"a-b[1]c2!";
  struct Row {
    const char* label;
    RemoveChoice kind;
    KeepChoice keep;
    std::u16string expected;
  };
  const Row rows[] = {
      {"keep the selected part", RemoveChoice::KeepSomething, KeepChoice::SelectedPart, u"-b"},
      {"keep strings", RemoveChoice::KeepSomething, KeepChoice::GivenStrings, u"c2"},
      {"clean symbols", RemoveChoice::CleanSymbols, KeepChoice::GivenStrings, u"a-b1c2"},
  };
  const test::TableLocale locale;
  for (const Row& row : rows) {
    SCOPED_TRACE(row.label);
    RemoveOptions options;
    options.RemoveKind = row.kind;
    options.KeepKind = row.keep;
    options.KeepStrings = {u"c2", u""};
    EXPECT_EQ(Show(Remove(name, options, sample, sample.SelectionLength, locale)), Show(row.expected));
  }
}

}  // namespace
}  // namespace renamora

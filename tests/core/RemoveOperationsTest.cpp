// Tests of the Remove panel's operations on one working name.
#include "core/ops/RemoveOperations.h"

#include <gtest/gtest.h>

#include <string>

#include "base/text/NameOrder.h"
#include "base/text/Utf.h"
#include "platform/Locale.h"
#include "support/TableLocale.h"

namespace renamora {
namespace {

std::string Show(std::u16string_view text) { return ToUtf8Lossy(text); }

TEST(RemoveStringsTest, RemovesEachStringInTurnFromThePreviousResult) {
  struct Row {
    const char* label;
    std::u16string name;
    std::u16string s1, s2, s3;
    bool caseSensitive;
    bool onlyLeftest;
    std::u16string expected;
  };
  const Row rows[] = {
      {"String 2 works on what String 1 left", u"aabb", u"ab", u"b", u"", false, false, u"a"},
      {"String 2 matches text joined by String 1", u"abXcd", u"X", u"bc", u"", false, false,
       u"ad"},
      {"order matters: String 1 first", u"abXcd", u"bc", u"X", u"", false, false, u"abcd"},
      {"ignoring case, leftmost only", u"Photo_PHOTO_x", u"photo", u"", u"", false, true,
       u"_PHOTO_x"},
      {"ignoring case, every occurrence", u"Photo_PHOTO_x", u"photo", u"", u"", false, false,
       u"__x"},
      {"case-sensitive", u"Photo_photo_x", u"photo", u"", u"", true, false, u"Photo__x"},
      {"leftmost only applies to each string", u"a1a1b2b2", u"1", u"2", u"", false, true,
       u"aa1bb2"},
      {"empty boxes are skipped", u"a-b_c", u"", u"-", u"", false, false, u"ab_c"},
      {"String 3 is used", u"a-b_c", u"", u"", u"_", false, false, u"a-bc"},
      {"three empty boxes change nothing", u"a-b_c", u"", u"", u"", false, false, u"a-b_c"},
      {"no re-search of joined text", u"aabb", u"ab", u"", u"", false, false, u"ab"},
      {"everything removed gives an empty name", u"abab", u"ab", u"", u"", false, false, u""},
      {"non-ASCII ignoring case", u"\u00c9t\u00e9-\u00e9T\u00c9", u"\u00e9t\u00e9", u"", u"",
       false, false, u"-"},
      {"non-ASCII case-sensitive", u"\u00c9t\u00e9-\u00e9t\u00e9", u"\u00e9t\u00e9", u"", u"",
       true, false, u"\u00c9t\u00e9-"},
  };
  const test::TableLocale locale;
  for (const Row& row : rows) {
    SCOPED_TRACE(row.label);
    RemoveOptions options;
    options.RemoveKind = RemoveChoice::RemoveStrings;
    options.Strings = {row.s1, row.s2, row.s3};
    options.CaseSensitive = row.caseSensitive;
    options.OnlyLeftest = row.onlyLeftest;
    EXPECT_EQ(Show(RemoveStrings(row.name, options, locale)), Show(row.expected));
    EXPECT_EQ(Show(Remove(row.name, options, SampleSelection{}, 0, locale)), Show(row.expected));
  }
}

TEST(RemoveSelectedPartTest, RemovesTheSpanClampedToTheName) {
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
      {"head", u"123456789", u"abcdef", 2, 2, false, u"1256789"},
      {"end", u"123456789", u"abcdef", 2, 2, true, u"1234589"},
      {"head: from the first character", u"123456789", u"abcdef", 0, 2, false, u"3456789"},
      {"end: up to the last character", u"123456789", u"abcdef", 4, 2, true, u"1234567"},
      {"head: the sample itself", u"abcdef", u"abcdef", 2, 2, false, u"abef"},
      {"end: the sample itself", u"abcdef", u"abcdef", 2, 2, true, u"abef"},
      {"nothing selected, head", u"123456789", u"abcdef", 2, 0, false, u"123456789"},
      {"nothing selected, end", u"123456789", u"abcdef", 2, 0, true, u"123456789"},
      {"negative length changes nothing", u"123456789", u"abcdef", 2, -1, false, u"123456789"},
      {"head: span partly past the end", u"1234", u"abcdef", 2, 3, false, u"12"},
      {"head: span wholly past the end", u"12", u"abcdef", 3, 2, false, u"12"},
      {"end: span partly before the start", u"wxyz", u"abcdef", 1, 3, true, u"yz"},
      {"end: name shorter than what follows the selection", u"xyz", u"abcdef", 0, 2, true,
       u"xyz"},
      {"whole name selected", u"abc", u"abc", 0, 3, false, u""},
      {"empty name", u"", u"abcdef", 1, 2, false, u""},
      {"empty name from the end", u"", u"abcdef", 1, 2, true, u""},
  };
  const test::TableLocale locale;
  for (const Row& row : rows) {
    SCOPED_TRACE(row.label);
    const SampleSelection sample{row.sample, row.start, row.length, 0};
    EXPECT_EQ(RemoveSelectedPart(row.name, sample, row.length, row.fromEnd), row.expected);

    RemoveOptions options;
    options.RemoveKind = RemoveChoice::RemoveAnything;
    options.AnythingKind = AnythingChoice::SelectedPart;
    options.SelectionFromEnd = row.fromEnd;
    EXPECT_EQ(Remove(row.name, options, sample, row.length, locale), row.expected);
  }
}

TEST(RemoveBetweenTest, RemovesWhatLiesBetweenEachPairFromLeftToRight) {
  struct Row {
    const char* label;
    std::u16string name;
    std::u16string left;
    std::u16string right;
    bool bounds;
    std::u16string expected;
  };
  const Row rows[] = {
      {"two pairs", u"a[1]b[2]c", u"[", u"]", false, u"a[]b[]c"},
      {"two pairs with bounds", u"a[1]b[2]c", u"[", u"]", true, u"abc"},
      {"nested pairs are not recognised", u"a(b(c)d)e", u"(", u")", false, u"a()d)e"},
      {"nested pairs with bounds", u"a(b(c)d)e", u"(", u")", true, u"ad)e"},
      {"same string", u"a_b_c_d_e", u"_", u"_", false, u"a__c__e"},
      {"same string with bounds", u"a_b_c_d_e", u"_", u"_", true, u"ace"},
      {"same string, odd one left alone", u"a_b_c_d", u"_", u"_", false, u"a__c_d"},
      {"same string of two units", u"a--b--c--d", u"--", u"--", false, u"a----c--d"},
      {"same string of two units with bounds", u"a--b--c--d", u"--", u"--", true, u"ac--d"},
      {"nothing would be left", u"(all)", u"(", u")", true, u"(all)"},
      {"something is left", u"(all)x", u"(", u")", true, u"x"},
      {"only the bounds stay", u"(all)", u"(", u")", false, u"()"},
      {"empty pair stays", u"a[]b", u"[", u"]", false, u"a[]b"},
      {"empty pair with bounds", u"a[]b", u"[", u"]", true, u"ab"},
      {"no right string", u"a[1b", u"[", u"]", false, u"a[1b"},
      {"right string only before the left", u"a]1[b", u"[", u"]", false, u"a]1[b"},
      {"left string without a partner is left alone", u"a[1]b[2", u"[", u"]", false,
       u"a[]b[2"},
      {"unpaired left string with bounds", u"a[1]b[2", u"[", u"]", true, u"ab[2"},
      {"a left string inside a pair is content", u"a[1[2]b", u"[", u"]", false, u"a[]b"},
      {"longer bounds", u"x<<abc>>y", u"<<", u">>", false, u"x<<>>y"},
      {"longer bounds with bounds", u"x<<abc>>y", u"<<", u">>", true, u"xy"},
      {"case-sensitive bounds", u"aXbxc", u"x", u"X", false, u"aXbxc"},
      {"no left string", u"abc", u"[", u"]", false, u"abc"},
      {"empty left string", u"a[1]b", u"", u"]", false, u"a[1]b"},
      {"empty right string", u"a[1]b", u"[", u"", false, u"a[1]b"},
      {"empty name", u"", u"[", u"]", false, u""},
      {"non-ASCII bounds", u"\u00ab\u03b1\u00bb\u0434", u"\u00ab", u"\u00bb", true, u"\u0434"},
  };
  const test::TableLocale locale;
  for (const Row& row : rows) {
    SCOPED_TRACE(row.label);
    EXPECT_EQ(Show(RemoveBetween(row.name, row.left, row.right, row.bounds)), Show(row.expected));

    RemoveOptions options;
    options.RemoveKind = RemoveChoice::RemoveAnything;
    options.AnythingKind = AnythingChoice::BetweenStrings;
    options.LeftString = row.left;
    options.RightString = row.right;
    options.AlsoRemoveBounds = row.bounds;
    EXPECT_EQ(Show(Remove(row.name, options, SampleSelection{}, 0, locale)), Show(row.expected));
  }
}

TEST(RemoveAllNumbersTest, RemovesAsciiDigitsThenTrimsAndFoldsSpaces) {
  struct Row {
    const char* label;
    std::u16string name;
    std::u16string expected;
  };
  const Row rows[] = {
      {"number between words", u"Track 01 - 02 Song", u"Track - Song"},
      {"one digit stays", u"7", u"7"},
      {"one letter stays", u"a", u"a"},
      {"empty name", u"", u""},
      {"only digits and spaces", u" 12 ", u""},
      {"two digits", u"12", u""},
      {"no digit keeps outer spaces", u" abc ", u" abc "},
      {"no digit keeps inner double spaces", u"a  b", u"a  b"},
      {"a digit folds every run of spaces", u"a  b1", u"a b"},
      {"long run of spaces", u"a 1 2 3 b", u"a b"},
      {"leading number", u"01 Intro", u"Intro"},
      {"trailing number", u"Intro 01", u"Intro"},
      {"digits inside a word", u"ab12cd", u"abcd"},
      {"tabs and control characters are trimmed", u"\t1a\u0001", u"a"},
      {"inner tab is kept", u"a\t1b", u"a\tb"},
      {"no-break space is not trimmed", u"\u00a01a", u"\u00a0a"},
      {"full-width digits are no digits", u"\uff11\uff12", u"\uff11\uff12"},
      {"full-width digits stay beside ASCII ones", u"x\uff112", u"x\uff11"},
      {"Arabic-Indic digits stay", u"\u0661a1", u"\u0661a"},
  };
  const test::TableLocale locale;
  for (const Row& row : rows) {
    SCOPED_TRACE(row.label);
    EXPECT_EQ(Show(RemoveAllNumbers(row.name)), Show(row.expected));

    RemoveOptions options;
    options.RemoveKind = RemoveChoice::RemoveAnything;
    options.AnythingKind = AnythingChoice::AllNumbers;
    EXPECT_EQ(Show(Remove(row.name, options, SampleSelection{}, 0, locale)), Show(row.expected));
  }
}

TEST(RemoveTest, RunsOnlyTheChosenOperation) {
  // One set of options that every operation would change; only the chosen one may.
  RemoveOptions base;
  base.Strings = {u"-", u"", u""};
  base.LeftString = u"[";
  base.RightString = u"]";
  base.AlsoRemoveBounds = true;
  base.SelectionFromEnd = false;
  base.KeepStrings = {u"a", u""};
  const SampleSelection sample{u"abcdefghijklm", 0, 1, 0};
  const std::u16string name = u"a-b[1]c2";

  struct Row {
    const char* label;
    RemoveChoice kind;
    AnythingChoice anything;
    std::u16string expected;
  };
  const Row rows[] = {
      {"remove strings", RemoveChoice::RemoveStrings, AnythingChoice::AllNumbers, u"ab[1]c2"},
      {"selected part", RemoveChoice::RemoveAnything, AnythingChoice::SelectedPart, u"-b[1]c2"},
      {"between strings", RemoveChoice::RemoveAnything, AnythingChoice::BetweenStrings,
       u"a-bc2"},
      {"all numbers", RemoveChoice::RemoveAnything, AnythingChoice::AllNumbers, u"a-b[]c"},
      {"keep the selected part", RemoveChoice::KeepSomething, AnythingChoice::AllNumbers, u"a"},
      {"clean symbols", RemoveChoice::CleanSymbols, AnythingChoice::AllNumbers, u"a-b1c2"},
  };
  const test::TableLocale locale;
  for (const Row& row : rows) {
    SCOPED_TRACE(row.label);
    RemoveOptions options = base;
    options.RemoveKind = row.kind;
    options.AnythingKind = row.anything;
    EXPECT_EQ(Remove(name, options, sample, sample.SelectionLength, locale), row.expected);
  }
}

}  // namespace
}  // namespace renamora

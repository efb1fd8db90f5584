// Tests of the Change panel's operations: new name from a template and case conversion.
#include "core/ops/ChangeOperations.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/text/Utf.h"
#include "support/CountingExpander.h"

namespace renamora {
namespace {

std::string Show(std::u16string_view text) { return ToUtf8Lossy(text); }

using test::CountingExpander;

TEST(ToLowerCaseTest, LowersAsciiCapitalsAndOptionallyCapitalizesTheFirstLetter) {
  struct Row {
    const char* label;
    std::u16string name;
    bool capitalizeFirst;
    std::u16string expected;
  };
  const Row rows[] = {
      {"leading spaces go, accents stay", u"  \u00c9COLE \u00c9t\u00e9", true, u"\u00c9cole \u00c9t\u00e9"},
      {"leading space stays without capital", u" ABC", false, u" abc"},
      {"capital first", u"hELLO WORLD", true, u"Hello world"},
      {"no capital first", u"HELLO World", false, u"hello world"},
      {"first character not a letter", u"1ABC", true, u"1abc"},
      {"control characters are leading blanks", u"\t\u0001aB", true, u"Ab"},
      {"no-break space is no leading blank", u"\u00a0AB", true, u"\u00a0ab"},
      {"only blanks", u"   ", true, u""},
      {"one letter", u"A", true, u"A"},
      {"one letter without capital", u"A", false, u"a"},
      {"empty name", u"", true, u""},
      {"non-ASCII capitals stay", u"\u00c0\u0411\u03a3B", false, u"\u00c0\u0411\u03a3b"},
      {"surrogate pair intact", u"\U0001F600AB", true, u"\U0001F600ab"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.label);
    EXPECT_EQ(Show(ToLowerCase(row.name, row.capitalizeFirst)), Show(row.expected));
  }
}

TEST(ToUpperCaseTest, RaisesAsciiLettersOnly) {
  struct Row {
    const char* label;
    std::u16string name;
    std::u16string expected;
  };
  const Row rows[] = {
      {"letters", u"abc xyz", u"ABC XYZ"},
      {"leading spaces stay", u"  ab", u"  AB"},
      {"digits and symbols stay", u"a1-b_", u"A1-B_"},
      {"non-ASCII letters stay", u"\u00e9a\u00df\u0431", u"\u00e9A\u00df\u0431"},
      {"capitals stay", u"ABC", u"ABC"},
      {"empty name", u"", u""},
      {"surrogate pair intact", u"a\U0001F600b", u"A\U0001F600B"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.label);
    EXPECT_EQ(Show(ToUpperCase(row.name)), Show(row.expected));
  }
}

TEST(CapitalizeWordsTest, CapitalizesEveryWordStartExceptSmallWordsFarFromTheEnd) {
  struct Row {
    const char* label;
    std::u16string name;
    bool excludeSmallWords;
    std::u16string expected;
  };
  const Row rows[] = {
      {"small words excluded", u"the lord of the rings", true, u"The Lord of the Rings"},
      {"small words included", u"the lord of the rings", false, u"The Lord Of The Rings"},
      {"small word too near the end", u"war of us", true, u"War Of Us"},
      {"last character never examined", u"x y", true, u"X y"},
      {"hyphen between letters, after a digit", u"well-known 1-day", true, u"Well-known 1-Day"},
      {"apostrophe starts a word", u"don't stop", true, u"Don'T Stop"},
      {"capitals stay", u"HELLO world", true, u"HELLO World"},
      {"whole name with extension", u"my file.txt", true, u"My File.Txt"},
      {"base only", u"my file", true, u"My File"},
      {"empty name", u"", true, u""},
      {"one letter", u"a", true, u"A"},
      {"two letters", u"ab", true, u"Ab"},
      {"second word of one letter is last", u"a b", true, u"A b"},
      {"second word of two letters", u"a bc", true, u"A Bc"},
      // A small word at 1-based i is excluded only while i + 4 < L.
      {"small word: i + 4 = L - 2", u"x of abcd", true, u"X of Abcd"},
      {"small word: i + 4 = L - 1", u"x of abc", true, u"X of Abc"},
      {"small word: i + 4 = L", u"x of ab", true, u"X Of Ab"},
      {"one-letter small word", u"x a word", true, u"X a Word"},
      {"three-letter small word", u"x and more", true, u"X and More"},
      {"small word is compared exactly", u"x oF the end", true, u"X OF the End"},
      {"small word as a prefix", u"x often go", true, u"X Often Go"},
      {"three-letter prefix", u"x andy go", true, u"X Andy Go"},
      {"hyphen ignores the small words", u"x -of abcdef", true, u"X -Of Abcdef"},
      {"hyphen at the second position", u"-abc def", true, u"-abc Def"},
      {"hyphen after a space", u"a -bc", true, u"A -Bc"},
      {"a digit starts a word", u"1st place", true, u"1St Place"},
      {"underscore starts a word", u"my_file x", true, u"My_File x"},
      {"non-ASCII letter is no letter", u"\u00e9a bc", true, u"\u00e9A Bc"},
      {"a non-ASCII letter splits a word", u"x \u00e9t\u00e9 y", true, u"X \u00e9T\u00e9 y"},
      {"surrogate pair intact", u"\U0001F600ab", true, u"\U0001F600Ab"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.label);
    EXPECT_EQ(Show(CapitalizeWords(row.name, row.excludeSmallWords)), Show(row.expected));
  }
}

TEST(ChangeTest, RunsTheChosenConversionAndExpandsOnlyForANewName) {
  struct Row {
    const char* label;
    ChangeChoice kind;
    CaseChoice caseKind;
    bool capitalizeFirst;
    bool excludeSmallWords;
    std::u16string expected;
    std::vector<std::u16string> calls;
  };
  const std::u16string name = u" tHE end of it all";
  const Row rows[] = {
      {"new name", ChangeChoice::NewName, CaseChoice::Upper, true, true, u"New_1", {u"New_#"}},
      {"lower, capital first", ChangeChoice::ConvertCase, CaseChoice::Lower, true, true, u"The end of it all", {}},
      {"lower", ChangeChoice::ConvertCase, CaseChoice::Lower, false, true, u" the end of it all", {}},
      {"upper", ChangeChoice::ConvertCase, CaseChoice::Upper, false, true, u" THE END OF IT ALL", {}},
      {"words, small ones excluded", ChangeChoice::ConvertCase, CaseChoice::CapitalizeWords, false, true,
       u" THE End of It All", {}},
      {"words, small ones included", ChangeChoice::ConvertCase, CaseChoice::CapitalizeWords, false, false,
       u" THE End Of It All", {}},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.label);
    ChangeOptions options;
    options.ChangeKind = row.kind;
    options.NewNameTemplate = u"New_#";
    options.CaseKind = row.caseKind;
    options.CapitalizeFirst = row.capitalizeFirst;
    options.ExcludeSmallWords = row.excludeSmallWords;
    CountingExpander expander;
    EXPECT_EQ(Show(Change(name, options, expander)), Show(row.expected));
    EXPECT_EQ(expander.asked, row.calls);
  }
}

}  // namespace
}  // namespace renamora

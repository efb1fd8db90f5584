// Tests of the Change panel's operations: new name from a template and case conversion.
#include "core/ops/ChangeOperations.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "base/text/Utf.h"
#include "support/CountingExpander.h"

namespace renamora {
namespace {

std::string Show(std::u16string_view text) { return ToUtf8Lossy(text); }

using test::CountingExpander;

TEST(ToLowerCaseTest, LowersCapitalsAndOptionallyCapitalizesTheFirstLetter) {
  struct Row {
    const char* label;
    std::u16string name;
    bool capitalizeFirst;
    std::u16string expected;
  };
  const Row rows[] = {
      {"leading spaces go, accented capitals lowered", u"  \u00c9COLE \u00c9t\u00e9", true, u"\u00c9cole \u00e9t\u00e9"},
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
      {"non-ASCII capitals lowered", u"\u00c0\u0411\u03a3B", false, u"\u00e0\u0431\u03c3b"},
      {"surrogate pair intact", u"\U0001F600AB", true, u"\U0001F600ab"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.label);
    EXPECT_EQ(Show(ToLowerCase(row.name, row.capitalizeFirst)), Show(row.expected));
  }
}

TEST(ToUpperCaseTest, RaisesEveryLetterWithAOneUnitCapital) {
  struct Row {
    const char* label;
    std::u16string name;
    std::u16string expected;
  };
  const Row rows[] = {
      {"letters", u"abc xyz", u"ABC XYZ"},
      {"leading spaces stay", u"  ab", u"  AB"},
      {"digits and symbols stay", u"a1-b_", u"A1-B_"},
      {"non-ASCII letters raised, sharp s stays", u"\u00e9a\u00df\u0431", u"\u00c9A\u00df\u0411"},
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
      {"a non-ASCII letter starts a name", u"\u00e9a bc", true, u"\u00c9a Bc"},
      {"a non-ASCII letter starts a word", u"x \u00e9t\u00e9 y", true, u"X \u00c9t\u00e9 y"},
      {"surrogate pair intact", u"\U0001F600ab", true, u"\U0001F600Ab"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.label);
    EXPECT_EQ(Show(CapitalizeWords(row.name, row.excludeSmallWords)), Show(row.expected));
  }
}

// Every unit with a one-unit case mapping in the built-in tables is a letter and is
// converted, by the same tables on every system; the word rules stay as for ASCII.
TEST(CaseConversionTest, ConvertsEveryLetterByTheBuiltInTables) {
  enum class Kind { Lower, LowerCapitalFirst, Upper, Words };
  struct Row {
    const char* label;
    Kind kind;
    std::u16string name;
    std::u16string expected;
  };
  const Row rows[] = {
      {"upper: \u00e4rger", Kind::Upper, u"\u00e4rger", u"\u00c4RGER"},
      {"lower: \u00c4RGER", Kind::Lower, u"\u00c4RGER", u"\u00e4rger"},
      {"words: stra\u00dfe is one word", Kind::Words, u"stra\u00dfe x", u"Stra\u00dfe x"},
      {"words: \u00fcber stra\u00dfe", Kind::Words, u"\u00fcber stra\u00dfe", u"\u00dcber Stra\u00dfe"},
      {"upper: sharp s has no one-unit capital", Kind::Upper, u"stra\u00dfe", u"STRA\u00dfE"},
      {"lower: capital sharp s does not lower to a unit that raises back", Kind::Lower, u"STRA\u1e9eE",
       u"stra\u1e9ee"},
      {"upper: Greek", Kind::Upper, u"\u03ac\u03bb\u03c6\u03b1", u"\u0386\u039b\u03a6\u0391"},
      {"lower: Greek, one unit for one", Kind::Lower, u"\u039f\u0394\u039f\u03a3", u"\u03bf\u03b4\u03bf\u03c3"},
      {"upper: final sigma", Kind::Upper, u"\u03bf\u03b4\u03bf\u03c2", u"\u039f\u0394\u039f\u03a3"},
      {"words: Greek", Kind::Words, u"\u03ac\u03bb\u03c6\u03b1 \u03b2\u03ae\u03c4\u03b1 x",
       u"\u0386\u03bb\u03c6\u03b1 \u0392\u03ae\u03c4\u03b1 x"},
      {"upper: Cyrillic", Kind::Upper, u"\u043c\u043e\u0441\u043a\u0432\u0430", u"\u041c\u041e\u0421\u041a\u0412\u0410"},
      {"lower, capital first: Cyrillic", Kind::LowerCapitalFirst, u" \u041f\u0420\u0418\u0412\u0415\u0422",
       u"\u041f\u0440\u0438\u0432\u0435\u0442"},
      {"words: Cyrillic, the small words are English", Kind::Words, u"\u0432\u043e\u0439\u043d\u0430 \u0438 \u043c\u0438\u0440",
       u"\u0412\u043e\u0439\u043d\u0430 \u0418 \u041c\u0438\u0440"},
      {"upper: title-case digraph", Kind::Upper, u"\u01c5a", u"\u01c4A"},
      {"lower: title-case digraph", Kind::Lower, u"\u01c5A", u"\u01c6a"},
      {"words: a title-case digraph is a capital already", Kind::Words, u"\u01c5x x \u01c5x x",
       u"\u01c5x X \u01c5x x"},
      {"words: a lower-case digraph is raised", Kind::Words, u"\u01c6x \u01c6x x", u"\u01c4x \u01c4x x"},
      {"upper: i never takes a dot, whatever the language", Kind::Upper, u"istanbul \u0131", u"ISTANBUL I"},
      {"lower: capital I with dot has no one-unit lower case", Kind::Lower, u"\u0130STANBUL", u"\u0130stanbul"},
      {"lower: Kelvin sign is no capital K", Kind::Lower, u"5\u212a", u"5\u212a"},
      {"upper: fullwidth letters", Kind::Upper, u"\uff41\uff42", u"\uff21\uff22"},
      {"upper: uncased letters and digits stay", Kind::Upper, u"\u65e5\u672c\u0661a", u"\u65e5\u672c\u0661A"},
      {"words: an uncased letter is no letter", Kind::Words, u"\u65e5\u672cfile x", u"\u65e5\u672cFile x"},
      {"words: hyphen between non-ASCII letters", Kind::Words, u"\u00e9lan-vital x", u"\u00c9lan-vital x"},
      {"words: hyphen after a digit", Kind::Words, u"1-\u00e9t\u00e9 x", u"1-\u00c9t\u00e9 x"},
      {"words: apostrophe", Kind::Words, u"l'\u00e9t\u00e9 x", u"L'\u00c9t\u00e9 x"},
      {"words: last position never examined", Kind::Words, u"x \u00e9", u"X \u00e9"},
      {"words: a non-ASCII letter lengthens a small word", Kind::Words, u"x of\u00e9 abcdef",
       u"X Of\u00e9 Abcdef"},
      {"words: small word before a non-ASCII word", Kind::Words, u"x of \u00e9t\u00e9s", u"X of \u00c9t\u00e9s"},
      {"words: capitals stay", Kind::Words, u"\u00c9COLE \u00e9t\u00e9 x", u"\u00c9COLE \u00c9t\u00e9 x"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.label);
    std::u16string out;
    switch (row.kind) {
      case Kind::Lower: out = ToLowerCase(row.name, false); break;
      case Kind::LowerCapitalFirst: out = ToLowerCase(row.name, true); break;
      case Kind::Upper: out = ToUpperCase(row.name); break;
      case Kind::Words: out = CapitalizeWords(row.name, true); break;
    }
    EXPECT_EQ(Show(out), Show(row.expected));
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

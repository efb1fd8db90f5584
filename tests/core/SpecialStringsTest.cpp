// Tests of the template language: tokens, their order, random text and item lookups.
#include <gtest/gtest.h>

#include <climits>
#include <memory>
#include <string>
#include <utility>

#include "base/Paths.h"
#include "base/text/Utf.h"
#include "core/special/SpecialStrings.h"
#include "platform/FileSystem.h"
#include "support/ForwardingFileSystem.h"
#include "support/TableLocale.h"
#include "support/TempFolder.h"

namespace renamora {
namespace {

std::string Show(std::u16string_view text) { return ToUtf8Lossy(text); }

// A path written with "/" in the separator of the platform under test.
std::u16string P(std::u16string_view path) {
  std::u16string out(path);
  for (char16_t& c : out) {
    if (c == u'/') c = kPathSeparator;
  }
  return out;
}

// The system's file system, counting the lookups that a run over many items pays for.
class CountingFileSystem final : public test::ForwardingFileSystem {
 public:
  using ForwardingFileSystem::ForwardingFileSystem;
  std::optional<DirEntry> Stat(std::u16string_view path) override {
    ++stats;
    return Inner().Stat(path);
  }

  int stats = 0;
};

// Gives one fixed local time and remembers which time it was asked to convert.
class RecordingClock final : public Clock {
 public:
  FileTime Now() const override { return 0; }
  std::int64_t UnixSeconds() const override { return 0; }
  LocalTime ToLocalTime(FileTime utc) const override {
    converted = utc;
    return result;
  }
  LocalTime result{2024, 3, 5, 14, 30, 0};
  mutable FileTime converted = -1;
};

// Everything one expansion reads, with the sequences at a known state.
struct Expansion {
  Expansion() { sequences.Reset(settings); }
  std::u16string operator()(std::u16string_view text, std::u16string_view itemPath) {
    return ExpandSpecialStrings(text, itemPath, {settings, sequences, fs, clock, *locale});
  }

  SpecialStringSettings settings;
  SequenceState sequences;
  std::unique_ptr<FileSystem> system = MakeSystemFileSystem();
  CountingFileSystem fs{*system};
  RecordingClock clock;
  std::unique_ptr<Locale> locale = std::make_unique<test::TableLocale>();
};

const std::u16string kItem = P(u"/Music/Live/01.mp3");

bool IsRandomUnit(char16_t c) {
  return (c >= u'0' && c <= u'9') || (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z');
}

// "*" in the pattern stands for one random character.
::testing::AssertionResult MatchesPattern(std::u16string_view text, std::u16string_view pattern) {
  bool ok = text.size() == pattern.size();
  for (std::size_t i = 0; ok && i < text.size(); ++i) {
    ok = pattern[i] == u'*' ? IsRandomUnit(text[i]) : text[i] == pattern[i];
  }
  if (ok) return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure() << "'" << Show(text) << "' does not match '" << Show(pattern) << "'";
}

TEST(ExpandSpecialStringsTest, SequenceNumbersAndLetters) {
  struct Row {
    const char* label;
    std::u16string text;
    std::int32_t counter;
    char16_t letter;
    std::u16string expected;
  };
  const Row rows[] = {
      {"padded to the run", u"IMG_$$$", 1, u'a', u"IMG_001"},
      {"never cut", u"$", 10, u'a', u"10"},
      {"never cut, wide number", u"$$", 12345, u'a', u"12345"},
      {"every run the same number", u"$-$$$", 7, u'a', u"7-007"},
      {"three runs of three widths", u"$$$$$_$_$$", 42, u'a', u"00042_42_42"},
      {"zero", u"$$", 0, u'a', u"00"},
      {"negative after a wrap", u"$$$", -5, u'a', u"-005"},
      {"@$@ is a literal dollar", u"a@$@b$", 5, u'a', u"a$b5"},
      {"@$@ alone", u"@$@", 5, u'a', u"$"},
      {"overlapping @$@ read from the left", u"@$@$@", 5, u'a', u"$5@"},
      {"@$$@ is no escape", u"@$$@", 5, u'a', u"@05@"},
      {"a question mark stays", u"a?b$", 5, u'a', u"a?b5"},
      {"both letter tokens give the letter", u"{a}-{A}", 1, u'a', u"a-a"},
      {"upper letter", u"{a}-{A}", 1, u'C', u"C-C"},
      {"other braces stay", u"{b}{a", 1, u'a', u"{b}{a"},
      {"letters and numbers", u"{a}$$", 3, u'q', u"q03"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.label);
    Expansion expand;
    expand.sequences.SequenceCounter = row.counter;
    expand.sequences.SequenceLetter = row.letter;
    EXPECT_EQ(Show(expand(row.text, kItem)), Show(row.expected));
    EXPECT_EQ(expand.fs.stats, 0);
  }
}

TEST(ExpandSpecialStringsTest, UnsetLetterGivesTheFirstLetter) {
  struct Row {
    bool upper;
    std::u16string expected;
  };
  const Row rows[] = {{false, u"a"}, {true, u"A"}};
  for (const Row& row : rows) {
    SCOPED_TRACE(row.upper ? "upper" : "lower");
    Expansion expand;
    expand.settings.LetterUpper = row.upper;
    expand.sequences.SequenceLetter = 0;
    EXPECT_EQ(Show(expand(u"{a}", kItem)), Show(row.expected));
  }
}

TEST(ExpandSpecialStringsTest, PlainTextAndDisabledTemplatesStayAsTheyAre) {
  struct Row {
    const char* label;
    bool enabled;
    std::u16string text;
  };
  const Row rows[] = {
      {"disabled", false, u"$$_@@_##_%3%_%%_{a}"},
      {"no token character", true, u"plain name.txt"},
      {"token characters that form no token", true, u"a{b}c@x#y%z"},
      {"empty", true, u""},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.label);
    Expansion expand;
    expand.settings.Enabled = row.enabled;
    expand.sequences.RandomSeedBase = 77;
    EXPECT_EQ(Show(expand(row.text, kItem)), Show(row.text));
    EXPECT_EQ(expand.fs.stats, 0);
    EXPECT_EQ(expand.sequences.RandomSeedBase, 77u);
  }
}

TEST(ParentFolderNameTest, NamesTheFolderThatHoldsTheItem) {
  struct Row {
    std::u16string path;
    std::u16string expected;
  };
  const Row rows[] = {
      {P(u"/Music/Live/01.mp3"), u"Live"},
      {P(u"/Music/Live/Sub"), u"Live"},
      {P(u"/Music//Live//01.mp3"), u"Live"},
      {P(u"rel/01.mp3"), u"rel"},
      {P(u"/a.txt"), u""},
      {u"a.txt", u""},
      {u"", u""},
#ifdef _WIN32
      {u"D:\\Music\\Live\\01.mp3", u"Live"},
      {u"C:\\a.txt", u""},
      {u"C:a.txt", u""},
      {u"\\\\server\\share\\a.txt", u"share"},
#else
      {u"/x\\y/z.txt", u"x\\y"},  // a backslash is an ordinary character here
#endif
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(Show(row.path));
    EXPECT_EQ(Show(ParentFolderName(row.path)), Show(row.expected));
  }
}

TEST(ExpandSpecialStringsTest, FolderNameComesAfterLettersAndNumbers) {
  struct Row {
    const char* label;
    std::u16string folder;
    std::u16string text;
    std::u16string expected;
  };
  const Row rows[] = {
      {"every %%", u"Live", u"%%_%%", u"Live_Live"},
      {"a third % stays", u"Live", u"%%%", u"Live%"},
      {"a $ in the folder stays", u"$x", u"%%$", u"$x3"},
      {"a letter token in the folder stays", u"{a}", u"%%{a}", u"{a}b"},
      {"a ? in the folder stays", u"a?b", u"%%@$@%abc%", u"a?b$%abc%"},
      {"a % in the folder", u"a%b", u"%%_%%", u"a%b_a%b"},
      {"a kept token in the folder", u"%a%", u"%%", u"%a%"},
      {"two % in the folder", u"%%", u"%%", u"%%"},
      {"one % in the folder", u"%", u"%%", u"%"},
      {"a date token in the folder", u"x@@", u"%%", u"xnofiletime"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.label);
    Expansion expand;
    expand.sequences.SequenceCounter = 3;
    expand.sequences.SequenceLetter = u'b';
    const std::u16string item = P(u"/Music/") + row.folder + P(u"/01.mp3");
    EXPECT_EQ(Show(expand(row.text, item)), Show(row.expected));
  }
  Expansion expand;
  EXPECT_EQ(Show(expand(u"[%%]", P(u"/a.txt"))), "[]");
}

TEST(ExpandSpecialStringsTest, RandomTokens) {
  struct Row {
    const char* label;
    std::u16string folder;
    std::u16string text;
    std::u16string pattern;  // "*": one random character
    std::uint32_t seedsUsed;
  };
  const Row rows[] = {
      {"three characters", u"Live", u"%3%", u"***", 1},
      {"inside text", u"Live", u"x%5%y", u"x*****y", 1},
      {"two digits", u"Live", u"%12%", u"************", 1},
      {"with a sign", u"Live", u"%+2%", u"**", 1},
      {"zero", u"Live", u"%0%", u"", 1},
      {"negative", u"Live", u"%-5%", u"", 1},
      {"three characters stay", u"Live", u"%abc%", u"%abc%", 0},
      {"three digits stay", u"Live", u"%100%", u"%100%", 0},
      {"a leading zero", u"Live", u"%05%", u"*****", 1},
      {"three characters with leading zeros stay", u"Live", u"%005%", u"%005%", 0},
      {"not a number stays", u"Live", u"%ab%", u"%ab%", 0},
      {"a sign alone stays", u"Live", u"%-%", u"%-%", 0},
      {"a lone %", u"Live", u"%3", u"%3", 0},
      {"a kept token's % is not read again", u"Live", u"%abc%2%", u"%abc%2%", 0},
      {"random then a lone %", u"Live", u"%2%abc%", u"**abc%", 1},
      {"%% first", u"Live", u"%1%%2%", u"%1Live2%", 0},
      {"two tokens", u"Live", u"%3%_%4%", u"***_****", 2},
      {"a folder ending in %", u"50%", u"%%%3%", u"50%***", 1},
      {"a folder starting with %", u"%1", u"%%%%", u"*1", 1},
      {"a token in the folder", u"%2%", u"%%", u"**", 1},
      {"a folder of many %", u"%%%%%%%%%", u"%%-%%", u"%%%%%%%%%-%%%%%%%%%", 0},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.label);
    Expansion expand;
    expand.sequences.RandomSeedBase = 1000;
    const std::u16string item = P(u"/Music/") + row.folder + P(u"/01.mp3");
    EXPECT_TRUE(MatchesPattern(expand(row.text, item), row.pattern));
    EXPECT_EQ(expand.sequences.RandomSeedBase, 1000 + row.seedsUsed);
  }
}

TEST(ExpandSpecialStringsTest, EachRandomTokenTakesTheNextSeed) {
  Expansion expand;
  expand.sequences.RandomSeedBase = 1000;
  const std::u16string text = expand(u"%8%_%8%", kItem);
  ASSERT_EQ(text.size(), 17u);
  SequenceState replay;
  replay.RandomSeedBase = 1000;
  EXPECT_EQ(Show(text.substr(0, 8)), Show(RandomText(8, expand.settings, replay)));
  EXPECT_EQ(Show(text.substr(9)), Show(RandomText(8, expand.settings, replay)));
  EXPECT_NE(Show(text.substr(0, 8)), Show(text.substr(9)));
}

TEST(RandomTextTest, DrawsOnlyFromTheEnabledClasses) {
  struct Row {
    bool digits, upper, lower;
    int count;
    std::size_t expectedSize;
  };
  const Row rows[] = {
      {true, true, true, 300, 300},   {true, false, false, 300, 300}, {false, true, false, 300, 300},
      {false, false, true, 300, 300}, {true, false, true, 300, 300},  {true, true, true, 0, 0},
      {true, true, true, -3, 0},      {false, false, false, 5, 0},  // no class: empty, not an endless loop
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(testing::Message() << row.digits << row.upper << row.lower << " count " << row.count);
    SpecialStringSettings settings;
    settings.RandomDigits = row.digits;
    settings.RandomUpper = row.upper;
    settings.RandomLower = row.lower;
    SequenceState sequences;
    sequences.RandomSeedBase = 4242;
    const std::u16string text = RandomText(row.count, settings, sequences);
    EXPECT_EQ(text.size(), row.expectedSize);
    EXPECT_EQ(sequences.RandomSeedBase, 4243u);
    bool seenDigit = false, seenUpper = false, seenLower = false;
    for (char16_t c : text) {
      seenDigit |= c >= u'0' && c <= u'9';
      seenUpper |= c >= u'A' && c <= u'Z';
      seenLower |= c >= u'a' && c <= u'z';
      ASSERT_TRUE(IsRandomUnit(c)) << int(c);
    }
    // 300 draws miss an enabled class with a chance far below one in 10^50.
    EXPECT_EQ(seenDigit, row.digits && row.count > 0);
    EXPECT_EQ(seenUpper, row.upper && row.count > 0);
    EXPECT_EQ(seenLower, row.lower && row.count > 0);
  }
}

TEST(RandomTextTest, EveryCallReseedsFromTheNextSeed) {
  const SpecialStringSettings settings;
  SequenceState first, second;
  first.RandomSeedBase = second.RandomSeedBase = 0xFFFFFFFFu;
  const std::u16string a = RandomText(20, settings, first);
  EXPECT_EQ(first.RandomSeedBase, 0u);  // wraps
  EXPECT_EQ(Show(RandomText(20, settings, second)), Show(a));
  EXPECT_NE(Show(RandomText(20, settings, first)), Show(a));
}

TEST(SequenceStateTest, AdvanceMovesTheCounterAndWrapsTheLetter) {
  struct Row {
    bool upper;
    std::int32_t counter;
    char16_t letter;
    std::int32_t expectedCounter;
    char16_t expectedLetter;
  };
  const Row rows[] = {
      {false, 1, u'a', 2, u'b'},
      {false, 26, u'z', 27, u'a'},
      {true, 1, u'Y', 2, u'Z'},
      {true, 1, u'Z', 2, u'A'},
      {true, 1, u'q', 2, u'A'},
      {false, -1, u'a', 0, u'b'},
      {false, INT32_MAX, u'a', INT32_MIN, u'b'},  // wraps instead of overflowing
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(testing::Message() << row.counter << " " << char(row.letter));
    SpecialStringSettings settings;
    settings.LetterUpper = row.upper;
    SequenceState sequences;
    sequences.SequenceCounter = row.counter;
    sequences.SequenceLetter = row.letter;
    sequences.Advance(settings);
    EXPECT_EQ(sequences.SequenceCounter, row.expectedCounter);
    EXPECT_EQ(sequences.SequenceLetter, row.expectedLetter);
  }
}

TEST(NumberTextTest, PadsToTheWidthAndNeverCuts) {
  struct Row {
    std::int64_t value;
    int width;
    std::u16string expected;
  };
  const Row rows[] = {
      {7, 3, u"007"},
      {12345, 2, u"12345"},
      {0, 0, u"0"},
      {0, 3, u"000"},
      {5, -3, u"5"},
      {-5, 3, u"-005"},
      {INT64_MIN, 0, u"-9223372036854775808"},
      {INT64_MAX, 20, u"09223372036854775807"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(testing::Message() << row.value << " width " << row.width);
    EXPECT_EQ(Show(NumberText(row.value, row.width)), Show(row.expected));
  }
  const std::u16string wide = NumberText(7, 5000);
  EXPECT_EQ(wide.size(), 5000u);
  EXPECT_EQ(wide.find_first_not_of(u'0'), 4999u);
}

TEST(DateTextTest, YearWithoutPaddingMonthAndDayOfTwo) {
  struct Row {
    LocalTime time;
    std::u16string expected;
  };
  const Row rows[] = {
      {{2024, 3, 5}, u"20240305"},
      {{1999, 12, 31}, u"19991231"},
      {{999, 1, 1}, u"9990101"},
      {{10000, 10, 10}, u"100001010"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(Show(row.expected));
    EXPECT_EQ(Show(DateText(row.time)), Show(row.expected));
  }
}

TEST(ExpandSpecialStringsTest, LooksTheItemUpOnlyForDateAndSizeAndOnlyOnce) {
  struct Row {
    std::u16string text;
    int expectedStats;
    std::u16string expected;
  };
  const Row rows[] = {
      {u"$$ {a} %% @# @$@", 0, u"01 a gone 5c1e @# $"},      {u"@@", 1, u"nofiletime"},   {u"##", 1, u"nofilesize"},
      {u"@@_##_@@", 1, u"nofiletime_nofilesize_nofiletime"}, {u"@@@", 1, u"nofiletime@"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(Show(row.text));
    Expansion expand;
    EXPECT_EQ(Show(expand(row.text, P(u"/gone 5c1e/item.txt"))), Show(row.expected));
    EXPECT_EQ(expand.fs.stats, row.expectedStats);
  }
}

TEST(ExpandSpecialStringsTest, DateAndSizeOfRealItems) {
  Expansion expand;
  test::TempFolder folder(*expand.system);
  folder.MakeFile(u"big.bin", std::string(1000000, 'x'));
  const std::u16string file = folder / u"big.bin";
  const std::optional<DirEntry> entry = expand.system->Stat(file);
  ASSERT_TRUE(entry.has_value());

  EXPECT_EQ(Show(expand(u"@@_##", file)), "20240305_976.6KB");
  EXPECT_EQ(expand.clock.converted, entry->lastWrite);
  EXPECT_EQ(expand.fs.stats, 1);

  EXPECT_EQ(Show(expand(u"##", folder.Path())), "0Bytes");
  EXPECT_EQ(Show(expand(u"%%", file)), Show(NameOf(folder.Path())));
  EXPECT_EQ(Show(expand(u"@@##", folder / u"missing.bin")), "nofiletimenofilesize");

  auto comma = std::make_unique<test::TableLocale>();
  comma->decimal = u",";
  expand.locale = std::move(comma);
  EXPECT_EQ(Show(expand(u"##", file)), "976,6KB");
}

}  // namespace
}  // namespace renamora

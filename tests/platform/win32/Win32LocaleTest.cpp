// The Win32 Locale backend: code page conversion, case mapping and regional texts.
#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "base/text/Utf.h"
#include "platform/win32/IncludeWindows.h"
#include "platform/win32/Win32Locale.h"

namespace renamora {
namespace {

std::string Show(const std::optional<std::string>& bytes) {
  return bytes ? "\"" + *bytes + "\"" : "nothing";
}

// Rows with a code page hold only there; 0 marks rows that hold for every code page.
TEST(Win32Locale, ToCodePageRefusesWhatTheCodePageCannotHold) {
  struct Row {
    const char* name;
    unsigned codePage;
    std::u16string text;
    std::optional<std::string> bytes;
  };
  const Row rows[] = {
      {"empty text", 0, u"", std::string()},
      {"ASCII", 0, u"Name 01.txt", std::string("Name 01.txt")},
      {"unpaired high surrogate", 0,
       u"a\xD800"
       u"b",
       std::nullopt},
      {"unpaired low surrogate", 0, u"\xDC80", std::nullopt},
      {"Latin letter of the code page", 1252, u"caf\u00e9", std::string("caf\xE9")},
      {"euro sign", 1252, u"\u20ac5",
       std::string("\x80"
                   "5")},
      // Without WC_NO_BEST_FIT_CHARS these would quietly become "l" and "O".
      {"letter with a best-fit look-alike", 1252, u"\u0142\u00f3d\u017a", std::nullopt},
      {"Greek capital omega", 1252, u"\u03a9", std::nullopt},
      {"CJK ideograph", 1252, u"\u4e00", std::nullopt},
      {"character outside the BMP", 1252, u"\U0001F600", std::nullopt},
  };
  const unsigned codePage = ::GetACP();
  const Win32Locale locale;
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    if (row.codePage != 0 && row.codePage != codePage) continue;
    EXPECT_EQ(Show(locale.ToCodePage(row.text)), Show(row.bytes));
    if (row.bytes) {
      EXPECT_EQ(ToUtf8Lossy(locale.FromCodePage(*row.bytes)), ToUtf8Lossy(row.text));
    }
  }
}

TEST(Win32Locale, UpperUnitMapsOneUnitAndLeavesSurrogatesAlone) {
  struct Row {
    const char* name;
    char16_t in, out;
  };
  const Row rows[] = {
      {"ASCII letter", u'q', u'Q'},
      {"digit", u'7', u'7'},
      {"Latin-1 letter", u'\u00e9', u'\u00c9'},
      {"y with diaeresis leaves Latin-1", u'\u00ff', u'\u0178'},
      {"Cyrillic", u'\u0436', u'\u0416'},
      {"sharp s has no one-unit upper case", u'\u00df', u'\u00df'},
      {"high surrogate", u'\xD83D', u'\xD83D'},
      {"low surrogate", u'\xDE00', u'\xDE00'},
      {"NUL", u'\0', u'\0'},
  };
  const Win32Locale locale;
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    EXPECT_EQ(static_cast<int>(locale.UpperUnit(row.in)), static_cast<int>(row.out));
  }
  EXPECT_EQ(ToUtf8Lossy(locale.ToUpper(u"x\U0001F600y")), ToUtf8Lossy(u"X\U0001F600Y"));
}

// The API counts the terminating NUL in its lengths; a stray NUL at the end of a
// format would end every date the program writes.
TEST(Win32Locale, RegionalTextsComeWithoutTheTerminatingNul) {
  const Win32Locale locale;
  wchar_t localeName[LOCALE_NAME_MAX_LENGTH] = {};
  ::GetUserDefaultLocaleName(localeName, LOCALE_NAME_MAX_LENGTH);
  const bool usEnglish = std::wstring(localeName) == L"en-US";
  struct Row {
    const char* name;
    std::u16string text;
    std::u16string usEnglishText;
  };
  const Row rows[] = {
      {"decimal separator", locale.DecimalSeparator(), u"."},
      {"short date", locale.ShortDateFormat(), u"M/d/yyyy"},
      {"long time", locale.LongTimeFormat(), u"h:mm:ss tt"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    EXPECT_FALSE(row.text.empty());
    EXPECT_EQ(row.text.find(u'\0'), std::u16string::npos);
    if (usEnglish) {
      EXPECT_EQ(ToUtf8Lossy(row.text), ToUtf8Lossy(row.usEnglishText));
    }
  }
  if (usEnglish) {
    EXPECT_EQ(locale.SystemLanguageId(), 0x0409);
  }
}

}  // namespace
}  // namespace renamora

// POSIX locale and clock: UTF-8 is the 8-bit code page, the language id comes
// from the locale environment.
#include <langinfo.h>
#include <locale.h>

#include <clocale>
#include <cstdlib>
#include <ctime>
#include <string>

#include "base/text/NameOrder.h"
#include "base/text/Utf.h"
#include "platform/Locale.h"
#include "platform/posix/PosixLocale.h"

namespace renamora {

// Windows language identifiers of the common locales, so that language files
// declared for Windows are found on POSIX too.
std::uint16_t LanguageIdOfLocaleName(std::string_view name) {
  struct Entry {
    std::string_view prefix;
    std::uint16_t id;
  };
  // Longest prefixes first: "zh_TW" before "zh".
  static constexpr Entry kTable[] = {
      {"zh_TW", 1028}, {"zh_HK", 3076}, {"zh_MO", 5124}, {"zh_SG", 4100}, {"zh", 2052},
      {"ja", 1041},    {"ko", 1042},    {"de_AT", 3079}, {"de_CH", 2055}, {"de", 1031},
      {"en_GB", 2057}, {"en_AU", 3081}, {"en_CA", 4105}, {"en", 1033},    {"fr_CA", 3084},
      {"fr_BE", 2060}, {"fr_CH", 4108}, {"fr", 1036},    {"es_MX", 2058}, {"es", 3082},
      {"it_CH", 2064}, {"it", 1040},    {"pt_BR", 1046}, {"pt", 2070},    {"ru", 1049},
      {"pl", 1045},    {"nl_BE", 2067}, {"nl", 1043},    {"sv", 1053},    {"da", 1030},
      {"nb", 1044},    {"no", 1044},    {"nn", 2068},    {"fi", 1035},    {"cs", 1029},
      {"sk", 1051},    {"hu", 1038},    {"tr", 1055},    {"el", 1032},    {"uk", 1058},
      {"ar", 1025},    {"he", 1037},    {"th", 1054},    {"vi", 1066},    {"id", 1057},
      {"ro", 1048},    {"bg", 1026},    {"hr", 1050},    {"sl", 1060},    {"ca", 1027},
      {"et", 1061},    {"lv", 1062},    {"lt", 1063},    {"fa", 1065},    {"hi", 1081},
      {"ms", 1086},
  };
  for (const auto& e : kTable) {
    if (name.substr(0, e.prefix.size()) == e.prefix &&
        (name.size() == e.prefix.size() || name[e.prefix.size()] == '_' || name[e.prefix.size()] == '.' ||
         name[e.prefix.size()] == '@')) {
      return e.id;
    }
  }
  return 1033;
}

namespace {

class PosixLocale final : public Locale {
 public:
  char16_t UpperUnit(char16_t c) const override { return UpcaseUnit(c); }

  // The program never switches the C library's locale, so the user's choice is read
  // from the environment, as setlocale(LC_NUMERIC, "") would take it.
  std::u16string DecimalSeparator() const override {
    const locale_t loc = ::newlocale(LC_NUMERIC_MASK, EnvLocale("LC_NUMERIC").c_str(), locale_t(0));
    if (loc == locale_t(0)) return u".";
    std::u16string sep = Utf8ToUtf16(::nl_langinfo_l(RADIXCHAR, loc));
    ::freelocale(loc);
    return sep.empty() ? u"." : sep;
  }

  std::u16string ShortDateFormat() const override { return u"yyyy-MM-dd"; }
  std::u16string LongTimeFormat() const override { return u"HH:mm:ss"; }
  std::uint16_t SystemLanguageId() const override { return LanguageIdOfLocaleName(EnvLocale("LC_MESSAGES")); }

  std::optional<std::string> ToCodePage(std::u16string_view text) const override {
    return Utf16ToUtf8(text);
  }
  std::u16string FromCodePage(std::string_view bytes) const override { return Utf8ToUtf16(bytes); }

 private:
  static std::string EnvLocale(const char* category) {
    for (const char* var : {"LC_ALL", category, "LANG"}) {
      const char* v = std::getenv(var);
      if (v && *v) return v;
    }
    return "C";
  }
};

class PosixClock final : public Clock {
 public:
  FileTime Now() const override {
    struct timespec ts;
    ::clock_gettime(CLOCK_REALTIME, &ts);
    return 116444736000000000LL + std::int64_t(ts.tv_sec) * 10000000 + ts.tv_nsec / 100;
  }
  std::int64_t UnixSeconds() const override { return std::int64_t(::time(nullptr)); }
  LocalTime ToLocalTime(FileTime utc) const override {
    const std::time_t secs = std::time_t((utc - 116444736000000000LL) / 10000000);
    struct tm tm {};
    ::localtime_r(&secs, &tm);
    return {tm.tm_year + 1900, tm.tm_mon + 1, tm.tm_mday, tm.tm_hour, tm.tm_min, tm.tm_sec};
  }
};

}  // namespace

std::unique_ptr<Locale> MakeSystemLocale() { return std::make_unique<PosixLocale>(); }
std::unique_ptr<Clock> MakeSystemClock() { return std::make_unique<PosixClock>(); }

}  // namespace renamora

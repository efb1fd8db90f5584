// The user's language and regional conventions, and the system clock.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "platform/FileSystem.h"

namespace renamora {

class Locale {
 public:
  virtual ~Locale() = default;

  // Upper case of one UTF-16 unit; the mapping never changes a text's length.
  virtual char16_t UpperUnit(char16_t c) const = 0;
  // <0, 0, >0 like strcmp, ignoring letter case by the same mapping.
  virtual int CompareNoCase(std::u16string_view a, std::u16string_view b) const;
  virtual std::u16string DecimalSeparator() const = 0;
  virtual std::u16string ShortDateFormat() const = 0;  // e.g. u"yyyy-MM-dd"
  virtual std::u16string LongTimeFormat() const = 0;   // e.g. u"HH:mm:ss"
  virtual std::uint16_t SystemLanguageId() const = 0;  // e.g. 1033, 2052
  // The system 8-bit code page (UTF-8 on POSIX). ToCodePage gives nothing when the
  // text holds a character the code page cannot represent.
  virtual std::optional<std::string> ToCodePage(std::u16string_view text) const = 0;
  virtual std::u16string FromCodePage(std::string_view bytes) const = 0;

  std::u16string ToUpper(std::u16string_view text) const;
};

struct LocalTime {
  int year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0;
};

class Clock {
 public:
  virtual ~Clock() = default;
  virtual FileTime Now() const = 0;
  // Seconds since 1970-01-01 UTC.
  virtual std::int64_t UnixSeconds() const = 0;
  virtual LocalTime ToLocalTime(FileTime utc) const = 0;
};

std::unique_ptr<Locale> MakeSystemLocale();
std::unique_ptr<Clock> MakeSystemClock();

}  // namespace renamora

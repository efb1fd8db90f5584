// The Locale backend for Windows: the user's regional settings and the system code page.
#pragma once

#include <vector>

#include "platform/Locale.h"

namespace renamora {

class Win32Locale final : public Locale {
 public:
  Win32Locale();

  char16_t UpperUnit(char16_t c) const override;
  std::u16string DecimalSeparator() const override;
  std::u16string ShortDateFormat() const override;
  std::u16string LongTimeFormat() const override;
  std::uint16_t SystemLanguageId() const override;
  std::optional<std::string> ToCodePage(std::u16string_view text) const override;
  std::u16string FromCodePage(std::string_view bytes) const override;

 private:
  // The system's upper case of every UTF-16 unit, fetched once: case-insensitive
  // compares and sorts ask for it unit by unit.
  std::vector<char16_t> upper_;
};

}  // namespace renamora

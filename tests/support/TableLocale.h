// A Locale with the built-in upper-case table and fixed regional texts, for tests
// that must not depend on the machine's settings.
#pragma once

#include "core/text/NameOrder.h"
#include "core/text/Utf.h"
#include "platform/Locale.h"

namespace renamora::test {

class TableLocale final : public Locale {
 public:
  char16_t UpperUnit(char16_t c) const override { return UpcaseUnit(c); }
  std::u16string DecimalSeparator() const override { return u"."; }
  std::u16string ShortDateFormat() const override { return u"yyyy-MM-dd"; }
  std::u16string LongTimeFormat() const override { return u"HH:mm:ss"; }
  std::uint16_t SystemLanguageId() const override { return 1033; }
  std::optional<std::string> ToCodePage(std::u16string_view text) const override { return Utf16ToUtf8(text); }
  std::u16string FromCodePage(std::string_view bytes) const override { return Utf8ToUtf16(bytes); }
};

}  // namespace renamora::test

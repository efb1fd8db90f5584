// A Locale with the built-in upper-case table and regional texts a test sets, so that
// tests never depend on the machine's settings.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "base/text/NameOrder.h"
#include "base/text/Utf.h"
#include "platform/Locale.h"

namespace renamora::test {

// The system 8-bit code pages the tests need: UTF-8 as on POSIX, and Western code
// pages that cannot hold every character, so that the byte-order-mark forms are taken.
enum class CodePage {
  Utf8,
  Ascii,   // refuses anything from U+0080 on; reads every byte as Latin-1
  Latin1,  // holds U+0000..U+00FF, one byte each
};

class TableLocale : public Locale {
 public:
  TableLocale() = default;
  explicit TableLocale(CodePage page) : codePage(page) {}

  char16_t UpperUnit(char16_t c) const override { return UpcaseUnit(c); }
  std::u16string DecimalSeparator() const override { return decimal; }
  std::u16string ShortDateFormat() const override { return shortDate; }
  std::u16string LongTimeFormat() const override { return longTime; }
  std::uint16_t SystemLanguageId() const override { return languageId; }

  std::optional<std::string> ToCodePage(std::u16string_view text) const override {
    if (codePage == CodePage::Utf8) return Utf16ToUtf8(text);
    const char16_t limit = codePage == CodePage::Ascii ? 0x80 : 0x100;
    std::string out;
    for (char16_t c : text) {
      if (c >= limit) return std::nullopt;
      out.push_back(static_cast<char>(c));
    }
    return out;
  }
  std::u16string FromCodePage(std::string_view bytes) const override {
    if (codePage == CodePage::Utf8) return Utf8ToUtf16(bytes);
    std::u16string out;
    for (char b : bytes) out.push_back(static_cast<char16_t>(static_cast<unsigned char>(b)));
    return out;
  }

  std::u16string decimal = u".";
  std::u16string shortDate = u"yyyy-MM-dd";
  std::u16string longTime = u"HH:mm:ss";
  std::uint16_t languageId = 1033;
  CodePage codePage = CodePage::Utf8;
};

}  // namespace renamora::test

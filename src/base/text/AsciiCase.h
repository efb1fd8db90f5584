// Letter case of the ASCII letters only, for the program's own words (settings
// sections and keys, request fields): names and extensions use LetterCase.h.
#pragma once

#include <string>
#include <string_view>

namespace renamora {

inline bool IsAsciiUpper(char16_t c) { return c >= u'A' && c <= u'Z'; }
inline bool IsAsciiLower(char16_t c) { return c >= u'a' && c <= u'z'; }
inline bool IsAsciiLetter(char16_t c) { return IsAsciiUpper(c) || IsAsciiLower(c); }
inline char16_t AsciiUpper(char16_t c) { return IsAsciiLower(c) ? char16_t(c - u'a' + u'A') : c; }
inline char16_t AsciiLower(char16_t c) { return IsAsciiUpper(c) ? char16_t(c - u'A' + u'a') : c; }

inline std::u16string ToAsciiCase(std::u16string_view text, bool upper) {
  std::u16string out(text);
  for (char16_t& c : out) c = upper ? AsciiUpper(c) : AsciiLower(c);
  return out;
}

inline bool EqualsIgnoringAsciiCase(std::u16string_view a, std::u16string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (AsciiLower(a[i]) != AsciiLower(b[i])) return false;
  }
  return true;
}

}  // namespace renamora

// Shared parts of the Locale interface.
#include "platform/Locale.h"

#include <algorithm>

namespace renamora {

int Locale::CompareNoCase(std::u16string_view a, std::u16string_view b) const {
  const std::size_t n = std::min(a.size(), b.size());
  for (std::size_t i = 0; i < n; ++i) {
    const char16_t x = UpperUnit(a[i]);
    const char16_t y = UpperUnit(b[i]);
    if (x != y) return x < y ? -1 : 1;
  }
  if (a.size() != b.size()) return a.size() < b.size() ? -1 : 1;
  return 0;
}

std::u16string Locale::ToUpper(std::u16string_view text) const {
  std::u16string out(text);
  for (auto& c : out) c = UpperUnit(c);
  return out;
}

}  // namespace renamora

// The one order in which every backend lists a folder: the order NTFS keeps.
#pragma once

#include <string_view>

namespace renamora {

// Upper case of one UTF-16 unit by the built-in one-to-one Unicode mapping; the
// same on every system, so sorting and case folding agree between backends.
char16_t UpcaseUnit(char16_t c);

// Ordinal comparison of the two names after upper-casing each UTF-16 unit, as
// NTFS orders a folder's entries. <0, 0, >0.
int CompareNtfsOrder(std::u16string_view a, std::u16string_view b);

inline bool NtfsLess(std::u16string_view a, std::u16string_view b) {
  return CompareNtfsOrder(a, b) < 0;
}

}  // namespace renamora

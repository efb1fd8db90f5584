// The one place where the engine's UTF-16 text meets the wide strings of the Win32 API.
#pragma once

#include <string>
#include <string_view>

namespace renamora {

// Win32 wide strings are UTF-16 in the same unit size, so converting is a copy of
// the units; an unpaired surrogate in a name passes through untouched.
static_assert(sizeof(wchar_t) == sizeof(char16_t), "Win32 wide text must be 16-bit UTF-16");

inline std::wstring ToWide(std::u16string_view text) {
  return std::wstring(reinterpret_cast<const wchar_t*>(text.data()), text.size());
}

inline std::u16string FromWide(std::wstring_view text) {
  return std::u16string(reinterpret_cast<const char16_t*>(text.data()), text.size());
}

// For fixed-size buffers filled by the API, such as WIN32_FIND_DATAW::cFileName.
inline std::u16string FromWide(const wchar_t* text) { return FromWide(std::wstring_view(text)); }

}  // namespace renamora

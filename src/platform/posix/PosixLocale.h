// Helpers of the POSIX locale that tests check directly.
#pragma once

#include <cstdint>
#include <string_view>

namespace renamora {

// The Windows language identifier of a POSIX locale name such as "zh_CN.UTF-8"
// (2052) or "de_DE" (1031); 1033 (English) for anything unknown.
std::uint16_t LanguageIdOfLocaleName(std::string_view name);

}  // namespace renamora

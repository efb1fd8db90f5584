// Paths and names compared as the file system of this build compares them, and
// the limits it puts on their length.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace renamora {

// NTFS finds a name whatever its letter case (by its upper-case table); POSIX file
// systems compare the bytes.
#ifdef _WIN32
inline constexpr bool kNamesIgnoreCase = true;
#else
inline constexpr bool kNamesIgnoreCase = false;
#endif

// Whether two paths (or names) name the same entry by their text.
bool SamePathText(std::u16string_view a, std::u16string_view b);

// Whether path is folder itself or lies anywhere below it; trailing separators of
// either do not count.
bool IsSameOrInside(std::u16string_view path, std::u16string_view folder);

// The text under which a path is remembered in a table: two paths get the same key
// exactly when SamePathText holds for them.
void AppendPathKey(std::u16string_view path, std::u16string& key);

// Length limits of the system, in its own units: bytes of UTF-8 on POSIX (NAME_MAX
// and PATH_MAX without its terminating zero), UTF-16 units on Windows (a name of
// 255, a long path of 32,767 with its "\\?\" prefix).
#ifdef _WIN32
inline constexpr std::size_t kMostNameUnits = 255;
inline constexpr std::size_t kMostPathUnits = 32767 - 4;
#else
inline constexpr std::size_t kMostNameUnits = 255;
inline constexpr std::size_t kMostPathUnits = 4095;
#endif
// The length of text in the system's units.
std::size_t SystemLength(std::u16string_view text);

}  // namespace renamora

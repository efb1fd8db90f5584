// The path form handed to every file-system call of the Win32 backend.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace renamora {

// From this length on a path gets the "\\?\" form. 248 rather than MAX_PATH (260)
// because CreateDirectoryW already refuses a folder path that leaves no room for an
// 8.3 name in it.
inline constexpr std::size_t kLongPathThreshold = 248;

// A drive-absolute path of kLongPathThreshold characters or more becomes
// "\\?\C:\...", a UNC path "\\?\UNC\server\share\..."; shorter, relative and already
// prefixed paths are returned as they are, so that ordinary paths keep Windows' usual
// name rules. The "\\?\" form turns off Windows' own clean-up of the path, so the
// prefixed path has "/" turned into "\", repeated separators merged and "." and ".."
// components resolved here instead.
std::u16string WithLongPathPrefix(std::u16string_view path);

}  // namespace renamora

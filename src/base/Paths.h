// Path separators of the platform the engine is built for.
#pragma once

#include <string>
#include <string_view>

namespace renamora {

#ifdef _WIN32
inline constexpr char16_t kPathSeparator = u'\\';
#else
inline constexpr char16_t kPathSeparator = u'/';
#endif

// A character that ends the folder part of a path: "\" or a drive's ":" on
// Windows, "/" on POSIX.
inline bool EndsFolderPart(char16_t c) {
#ifdef _WIN32
  return c == u'\\' || c == u':';
#else
  return c == u'/';
#endif
}

// Index of the last character that ends the folder part, npos when there is none.
inline std::size_t LastFolderEnd(std::u16string_view path) {
  for (std::size_t i = path.size(); i > 0; --i) {
    if (EndsFolderPart(path[i - 1])) return i - 1;
  }
  return std::u16string_view::npos;
}

inline std::u16string WithTrailingSeparator(std::u16string_view folder) {
  std::u16string out(folder);
  if (out.empty() || out.back() != kPathSeparator) out += kPathSeparator;
  return out;
}

inline std::u16string WithoutTrailingSeparators(std::u16string_view path) {
  std::u16string out(path);
  while (out.size() > 1 && out.back() == kPathSeparator) out.pop_back();
  return out;
}

// The last component of a path (trailing separators removed first), as a view
// into the path.
inline std::u16string_view NameView(std::u16string_view path) {
  while (path.size() > 1 && path.back() == kPathSeparator) path.remove_suffix(1);
  const std::size_t end = LastFolderEnd(path);
  return end == std::u16string_view::npos ? path : path.substr(end + 1);
}

// The folder part of a path with its final separator, empty when there is none.
inline std::u16string_view FolderView(std::u16string_view path) {
  const std::size_t end = LastFolderEnd(path);
  return end == std::u16string_view::npos ? std::u16string_view() : path.substr(0, end + 1);
}

inline std::u16string NameOf(std::u16string_view path) { return std::u16string(NameView(path)); }

}  // namespace renamora

// Comparisons and lengths of paths by the rules of the file system of this build.
#include "core/PathCompare.h"

#include "base/Paths.h"
#include "base/text/NameOrder.h"

namespace renamora {
namespace {

std::u16string_view WithoutTrailing(std::u16string_view path) {
  while (path.size() > 1 && path.back() == kPathSeparator) path.remove_suffix(1);
  return path;
}

bool SameUnit(char16_t a, char16_t b) {
  if constexpr (kNamesIgnoreCase) return a == b || UpcaseUnit(a) == UpcaseUnit(b);
  return a == b;
}

}  // namespace

bool SamePathText(std::u16string_view a, std::u16string_view b) {
  a = WithoutTrailing(a);
  b = WithoutTrailing(b);
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (!SameUnit(a[i], b[i])) return false;
  }
  return true;
}

bool IsSameOrInside(std::u16string_view path, std::u16string_view folder) {
  path = WithoutTrailing(path);
  folder = WithoutTrailing(folder);
  if (folder.empty() || path.size() < folder.size()) return false;
  if (!SamePathText(path.substr(0, folder.size()), folder)) return false;
  // "/data" holds "/data/x" but not "/database"; a root folder ends with its separator.
  return path.size() == folder.size() || folder.back() == kPathSeparator || path[folder.size()] == kPathSeparator;
}

void AppendPathKey(std::u16string_view path, std::u16string& key) {
  if constexpr (kNamesIgnoreCase) {
    for (char16_t c : path) key += UpcaseUnit(c);
  } else {
    key.append(path);
  }
}

std::size_t SystemLength(std::u16string_view text) {
#ifdef _WIN32
  return text.size();
#else
  // The UTF-8 length; a lone surrogate stands for one byte of a name that was not
  // valid UTF-8 (U+DC80..U+DCFF) and is written back as that byte.
  std::size_t bytes = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char16_t c = text[i];
    if (c < 0x80) {
      bytes += 1;
    } else if (c < 0x800) {
      bytes += 2;
    } else if (c >= 0xD800 && c < 0xDC00 && i + 1 < text.size() && text[i + 1] >= 0xDC00 && text[i + 1] < 0xE000) {
      bytes += 4;
      ++i;
    } else if (c >= 0xDC80 && c < 0xDD00) {
      bytes += 1;
    } else {
      bytes += 3;
    }
  }
  return bytes;
#endif
}

}  // namespace renamora

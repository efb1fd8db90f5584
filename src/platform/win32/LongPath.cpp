// Turning long paths into the "\\?\" form that lifts the MAX_PATH limit.
#include "platform/win32/LongPath.h"

#include <vector>

namespace renamora {
namespace {

bool IsSeparator(char16_t c) { return c == u'\\' || c == u'/'; }

bool IsDriveLetter(char16_t c) { return (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z'); }

bool IsPrefixed(std::u16string_view path) {
  // "\\?\" (any path) and "\\.\" (devices) are already in their final form.
  return path.size() >= 4 && path[0] == u'\\' && path[1] == u'\\' &&
         (path[2] == u'?' || path[2] == u'.') && path[3] == u'\\';
}

// Splits at either separator, dropping empty and "." components and letting ".."
// remove the component before it (never the root, which is not part of rest).
std::vector<std::u16string_view> CleanComponents(std::u16string_view rest) {
  std::vector<std::u16string_view> parts;
  std::size_t start = 0;
  while (start <= rest.size()) {
    std::size_t end = start;
    while (end < rest.size() && !IsSeparator(rest[end])) ++end;
    const std::u16string_view part = rest.substr(start, end - start);
    if (part == u"..") {
      if (!parts.empty()) parts.pop_back();
    } else if (!part.empty() && part != u".") {
      parts.push_back(part);
    }
    start = end + 1;
  }
  return parts;
}

}  // namespace

std::u16string WithLongPathPrefix(std::u16string_view path) {
  if (path.size() < kLongPathThreshold || IsPrefixed(path)) return std::u16string(path);

  std::u16string out;
  std::u16string_view rest;
  if (path.size() >= 3 && IsDriveLetter(path[0]) && path[1] == u':' && IsSeparator(path[2])) {
    out = u"\\\\?\\";
    out += path.substr(0, 2);
    rest = path.substr(3);
  } else if (IsSeparator(path[0]) && IsSeparator(path[1])) {
    // "\\server\share" is the root of a UNC path; without both parts there is
    // nothing the prefixed form could name.
    const std::size_t serverEnd = [&] {
      std::size_t i = 2;
      while (i < path.size() && !IsSeparator(path[i])) ++i;
      return i;
    }();
    std::size_t shareEnd = serverEnd + 1;
    while (shareEnd < path.size() && !IsSeparator(path[shareEnd])) ++shareEnd;
    if (serverEnd == 2 || serverEnd >= path.size() || shareEnd == serverEnd + 1) {
      return std::u16string(path);
    }
    out = u"\\\\?\\UNC\\";
    out += path.substr(2, serverEnd - 2);
    out += u'\\';
    out += path.substr(serverEnd + 1, shareEnd - serverEnd - 1);
    rest = shareEnd < path.size() ? path.substr(shareEnd + 1) : std::u16string_view();
  } else {
    // Relative and drive-relative paths depend on a current folder; Windows resolves
    // those itself.
    return std::u16string(path);
  }

  for (const auto part : CleanComponents(rest)) {
    out += u'\\';
    out += part;
  }
  if (IsSeparator(path.back()) || out.back() == u':') out += u'\\';
  return out;
}

}  // namespace renamora

// Full paths as the POSIX system resolves them: links on the way first, then ".." from where they lead.
#include <stdlib.h>

#include <memory>
#include <string>

#include "base/text/Utf.h"
#include "platform/FileSystem.h"

namespace renamora {
namespace {

std::optional<std::string> RealPath(const std::string& path) {
  const std::unique_ptr<char, decltype(&::free)> resolved(::realpath(path.c_str(), nullptr), &::free);
  if (!resolved) return std::nullopt;
  return std::string(resolved.get());
}

}  // namespace

std::optional<std::u16string> ResolvePath(std::u16string_view path, FinalLink finalLink) {
  const std::optional<std::string> bytes = Utf16ToUtf8(path);
  if (!bytes || bytes->empty() || bytes->front() != '/') return std::nullopt;
  std::string whole = *bytes;
  // "name/" makes the system follow a link called name, as does a final "." or "..".
  const bool endsWithSeparator = whole.size() > 1 && whole.back() == '/';
  while (whole.size() > 1 && whole.back() == '/') whole.pop_back();
  const std::size_t slash = whole.rfind('/');
  const std::string name = whole.substr(slash + 1);
  if (endsWithSeparator || name.empty() || name == "." || name == ".." || finalLink == FinalLink::Follow) {
    const auto real = RealPath(whole);
    if (!real) return std::nullopt;
    return Utf8ToUtf16(*real);
  }
  // The final component is named, not followed: only the folder it is in is resolved.
  const auto folder = RealPath(slash == 0 ? std::string("/") : whole.substr(0, slash));
  if (!folder) return std::nullopt;
  return Utf8ToUtf16((*folder == "/" ? std::string() : *folder) + "/" + name);
}

}  // namespace renamora

// Full paths as Windows resolves them: "." and ".." by name, and always with a drive.
#include "platform/FileSystem.h"
#include "platform/win32/IncludeWindows.h"
#include "platform/win32/WideText.h"

namespace renamora {

std::optional<std::u16string> ResolvePath(std::u16string_view path, FinalLink /*finalLink*/) {
  if (path.empty() || path.find(u'\0') != std::u16string_view::npos) return std::nullopt;
  // The system takes a "\\?\" path literally; so does this.
  if (path.starts_with(u"\\\\?\\")) return std::u16string(path);
  const std::wstring given = ToWide(path);
  // GetFullPathNameW takes paths far beyond MAX_PATH, so a long one needs no
  // prefix here; the backend adds it to every call that needs it.
  for (DWORD size = 512;;) {
    std::wstring full(size, L'\0');
    const DWORD length = ::GetFullPathNameW(given.c_str(), size, full.data(), nullptr);
    if (length == 0) return std::nullopt;
    if (length < size) {
      full.resize(length);
      return FromWide(full);
    }
    size = length;
  }
}

}  // namespace renamora

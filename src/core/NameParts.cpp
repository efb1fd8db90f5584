// Splitting item paths into their parts.
#include "core/NameParts.h"

#include "base/Paths.h"

namespace renamora {

std::u16string ExtensionOf(std::u16string_view name) {
  const std::size_t dot = name.rfind(u'.');
  return dot == std::u16string_view::npos ? std::u16string() : std::u16string(name.substr(dot));
}

void SplitPathInto(std::u16string_view path, bool isFolder, NameParts& parts) {
  std::u16string_view p = path;
  if (isFolder) {
    while (p.size() > 1 && p.back() == kPathSeparator) p.remove_suffix(1);
  }
  const std::size_t end = LastFolderEnd(p);
  const std::size_t nameStart = end == std::u16string_view::npos ? 0 : end + 1;
  parts.Folder.assign(p.substr(0, nameStart));
  const std::u16string_view name = p.substr(nameStart);
  if (isFolder) {
    parts.Base.assign(name);
    parts.Extension.clear();
  } else {
    const std::size_t dot = name.rfind(u'.');
    parts.Base.assign(name.substr(0, dot));
    if (dot != std::u16string_view::npos) {
      parts.Extension.assign(name.substr(dot));
    } else {
      parts.Extension.clear();
    }
  }
  parts.OldBase.assign(parts.Base);
}

NameParts SplitPath(std::u16string_view path, bool isFolder) {
  NameParts parts;
  SplitPathInto(path, isFolder, parts);
  return parts;
}

}  // namespace renamora

// Link creation for tests, per system.
#include "support/Links.h"

#ifdef _WIN32
#include "support/win32/LinksWin32.inc"
#else
#include <unistd.h>

#include "base/text/Utf.h"

namespace renamora::test {

bool MakeFolderLink(std::u16string_view target, std::u16string_view linkPath) {
  auto t = Utf16ToUtf8(target);
  auto l = Utf16ToUtf8(linkPath);
  return t && l && ::symlink(t->c_str(), l->c_str()) == 0;
}

}  // namespace renamora::test
#endif

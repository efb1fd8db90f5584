// Creates links for the tests that prove folder walks never follow them.
#pragma once

#include <string_view>

namespace renamora::test {

// A link at linkPath that points to the existing folder target (a symbolic link on
// POSIX; a directory symbolic link or junction on Windows). False when the system
// refuses to make one.
bool MakeFolderLink(std::u16string_view target, std::u16string_view linkPath);

}  // namespace renamora::test

// The Extension panel's operation on one file's extension text.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "core/EditRequest.h"

namespace renamora {

// The extension text ("" or "." and what follows the last dot) the file gets, or
// nothing when it keeps its own. The boxes of options are expected as the Rename
// command prepared them (empty, or starting with "."). Folders never reach this.
std::optional<std::u16string> ChangeExtensionOf(std::u16string_view extension, const ExtensionOptions& options);

}  // namespace renamora

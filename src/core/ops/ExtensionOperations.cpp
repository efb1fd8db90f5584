// The Extension panel's operation on one file's extension text.
#include "core/ops/ExtensionOperations.h"

#include "base/text/LetterCase.h"

namespace renamora {

// Extensions are matched and converted by the built-in case tables, as names are:
// "d.JpÉG" lowers to "d.jpég" on every system.
std::optional<std::u16string> ChangeExtensionOf(std::u16string_view extension, const ExtensionOptions& options) {
  if (options.ExtensionKind == ExtensionChoice::ChangeExtension) {
    // Old ".jpg" selects "IMG.JPG" too, but new ".jpg" still renames it: selecting
    // ignores case, replacing does not.
    if (!options.ReplaceAllTypes && !EqualsIgnoringLetterCase(extension, options.OldExtension)) {
      return std::nullopt;
    }
    if (options.NewExtension == extension) return std::nullopt;
    return options.NewExtension;
  }
  std::u16string converted = ToLetterCase(extension, options.ExtensionUpper);
  if (converted == extension) return std::nullopt;
  return converted;
}

}  // namespace renamora

// The Extension panel's operation on one file's extension text.
#include "core/ops/ExtensionOperations.h"

#include "core/text/AsciiCase.h"

namespace renamora {

// Extensions are matched and converted in ASCII only: "É" in "d.JpÉG" is left alone.
std::optional<std::u16string> ChangeExtensionOf(std::u16string_view extension, const ExtensionOptions& options) {
  if (options.ExtensionKind == ExtensionChoice::ChangeExtension) {
    // Old ".jpg" selects "IMG.JPG" too, but new ".jpg" still renames it: selecting
    // ignores case, replacing does not.
    if (!options.ReplaceAllTypes && !EqualsIgnoringAsciiCase(extension, options.OldExtension)) {
      return std::nullopt;
    }
    if (options.NewExtension == extension) return std::nullopt;
    return options.NewExtension;
  }
  std::u16string converted = ToAsciiCase(extension, options.ExtensionUpper);
  if (converted == extension) return std::nullopt;
  return converted;
}

}  // namespace renamora

// The Extension panel's operation on one file's extension text.
#include "core/ops/ExtensionOperations.h"

namespace renamora {
namespace {

// Extensions are matched and converted in ASCII only: "É" in "d.JpÉG" is left alone.
std::u16string AsciiCase(std::u16string_view text, bool upper) {
  std::u16string out(text);
  for (char16_t& c : out) {
    if (upper && c >= u'a' && c <= u'z') c = static_cast<char16_t>(c - u'a' + u'A');
    if (!upper && c >= u'A' && c <= u'Z') c = static_cast<char16_t>(c - u'A' + u'a');
  }
  return out;
}

}  // namespace

std::optional<std::u16string> ChangeExtensionOf(std::u16string_view extension, const ExtensionOptions& options) {
  if (options.ExtensionKind == ExtensionChoice::ChangeExtension) {
    // Old ".jpg" selects "IMG.JPG" too, but new ".jpg" still renames it: selecting
    // ignores case, replacing does not.
    if (!options.ReplaceAllTypes && AsciiCase(extension, false) != AsciiCase(options.OldExtension, false)) {
      return std::nullopt;
    }
    if (options.NewExtension == extension) return std::nullopt;
    return options.NewExtension;
  }
  std::u16string converted = AsciiCase(extension, options.ExtensionUpper);
  if (converted == extension) return std::nullopt;
  return converted;
}

}  // namespace renamora

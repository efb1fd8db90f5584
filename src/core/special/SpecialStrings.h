// The template language: sequence numbers and letters, folder names, random text,
// file dates and sizes put into the texts an edit inserts into names.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "base/text/NumberText.h"
#include "core/ops/TemplateExpander.h"
#include "core/special/Sequences.h"
#include "platform/FileSystem.h"
#include "platform/Locale.h"

namespace renamora {

// What an expansion reads. The expansion changes nothing but the random seed base.
struct SpecialStringServices {
  const SpecialStringSettings& settings;
  SequenceState& sequences;
  FileSystem& fs;      // the item's last-write time and size
  const Clock& clock;  // last-write time to local time
  const Locale& locale;  // the decimal separator of sizes
};

// text expanded for the item at itemPath (folder, separator, full name; a folder
// without a trailing separator). With the special strings off, text unchanged.
std::u16string ExpandSpecialStrings(std::u16string_view text, std::u16string_view itemPath,
                                    const SpecialStringServices& services);

// count characters drawn from the enabled classes (digits, upper, lower); reseeds
// from the random seed base, which moves on by one. count <= 0: empty.
std::u16string RandomText(int count, const SpecialStringSettings& settings, SequenceState& sequences);

// The name of the folder holding the item ("" for an item in a root).
std::u16string ParentFolderName(std::u16string_view itemPath);

// yyyymmdd, the year without leading zeros.
std::u16string DateText(const LocalTime& time);

// Binds the services to one item so that the name operations can ask for the text
// of a template without knowing the template language.
class ItemTemplates final : public TemplateExpander {
 public:
  ItemTemplates(const SpecialStringServices& services, std::u16string_view itemPath)
      : services_(services), itemPath_(itemPath) {}
  std::u16string Expand(std::u16string_view text) override {
    return ExpandSpecialStrings(text, itemPath_, services_);
  }

 private:
  const SpecialStringServices& services_;
  std::u16string_view itemPath_;
};

}  // namespace renamora

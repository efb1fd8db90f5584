// The seam between the name operations and the template language: an operation
// asks for a template's text for the item it works on, at the moment it needs it.
#pragma once

#include <string>
#include <string_view>

namespace renamora {

class TemplateExpander {
 public:
  virtual ~TemplateExpander() = default;
  // The template expanded for the current item. Each call may give a different
  // text (random strings), so an operation calls it once per template and item.
  virtual std::u16string Expand(std::u16string_view text) = 0;
};

}  // namespace renamora

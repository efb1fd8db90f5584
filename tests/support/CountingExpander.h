// A template expander for operation tests: a "#" in a template becomes the number
// of the expansion, so a test can tell how often and in which order templates were
// expanded; other templates come back as they are.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "base/text/Utf.h"
#include "core/ops/TemplateExpander.h"

namespace renamora::test {

class CountingExpander final : public TemplateExpander {
 public:
  std::u16string Expand(std::u16string_view text) override {
    asked.emplace_back(text);
    std::u16string out(text);
    if (const auto at = out.find(u'#'); at != std::u16string::npos) {
      out.replace(at, 1, U16(std::to_string(asked.size())));
    }
    return out;
  }
  std::vector<std::u16string> asked;
};

}  // namespace renamora::test

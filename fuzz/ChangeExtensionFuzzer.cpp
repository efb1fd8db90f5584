// Fuzzes the Change panel's operations (new name, case conversions) and the Extension panel's operation.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "FuzzSupport.h"
#include "core/InputChecks.h"
#include "core/ops/ChangeOperations.h"
#include "core/ops/ExtensionOperations.h"
#include "core/text/AsciiCase.h"

namespace renamora::fuzz {
namespace {

class EchoExpander final : public TemplateExpander {
 public:
  std::u16string Expand(std::u16string_view text) override {
    ++calls;
    return std::u16string(text) + u"!";
  }
  int calls = 0;
};

// The conversions touch ASCII letters only and keep every other unit in place.
void CheckSameButAsciiCase(std::u16string_view out, std::u16string_view name) {
  FUZZ_CHECK(out.size() == name.size());
  FUZZ_CHECK(EqualsIgnoringAsciiCase(out, name));
  for (std::size_t i = 0; i < out.size(); ++i) {
    if (!IsAsciiLetter(name[i])) FUZZ_CHECK(out[i] == name[i]);
  }
}

void CheckChange(std::u16string_view name, const ChangeOptions& o) {
  EchoExpander expander;
  const std::u16string out = Change(name, o, expander);
  if (o.ChangeKind == ChangeChoice::NewName) {
    FUZZ_CHECK(expander.calls == 1);
    FUZZ_CHECK(out == o.NewNameTemplate + u"!");
    return;
  }
  // Case conversions never expand the template.
  FUZZ_CHECK(expander.calls == 0);
  switch (o.CaseKind) {
    case CaseChoice::Lower: {
      std::u16string_view rest = name;
      if (o.CapitalizeFirst) {
        while (!rest.empty() && rest.front() <= u' ') rest.remove_prefix(1);
      }
      CheckSameButAsciiCase(out, rest);
      for (std::size_t i = 0; i < out.size(); ++i) {
        if (i == 0 && o.CapitalizeFirst) {
          FUZZ_CHECK(!IsAsciiLower(out[0]));
        } else {
          FUZZ_CHECK(!IsAsciiUpper(out[i]));
        }
      }
      break;
    }
    case CaseChoice::Upper:
      CheckSameButAsciiCase(out, name);
      for (char16_t c : out) FUZZ_CHECK(!IsAsciiLower(c));
      break;
    case CaseChoice::CapitalizeWords:
      CheckSameButAsciiCase(out, name);
      // Only lower-case letters are ever changed, and the first is always a capital.
      for (std::size_t i = 0; i < out.size(); ++i) {
        if (out[i] != name[i]) FUZZ_CHECK(IsAsciiLower(name[i]) && IsAsciiUpper(out[i]));
      }
      if (!out.empty()) FUZZ_CHECK(!IsAsciiLower(out[0]));
      // Not excluding small words, every letter after a blank starts a word.
      if (!o.ExcludeSmallWords) {
        for (std::size_t i = 1; i + 1 < out.size(); ++i) {
          if (name[i - 1] == u' ' && IsAsciiLetter(name[i])) FUZZ_CHECK(IsAsciiUpper(out[i]));
        }
      }
      break;
  }
}

// What follows a file's last dot, with that dot, or nothing.
std::u16string ExtensionText(FuzzInput& in) {
  if (!in.Usually()) return {};
  std::u16string rest = in.Text(8);
  std::erase(rest, u'.');
  return u"." + rest;
}

void CheckExtension(std::u16string_view extension, const ExtensionOptions& o) {
  const std::optional<std::u16string> out = ChangeExtensionOf(extension, o);
  // Nothing means the file keeps its extension; a change is never to the same text.
  if (out) FUZZ_CHECK(*out != extension);
  if (o.ExtensionKind == ExtensionChoice::ChangeExtension) {
    if (!out) return;
    FUZZ_CHECK(*out == o.NewExtension);
    // Selecting ignores case: only an extension that matches the old one changes.
    if (!o.ReplaceAllTypes) FUZZ_CHECK(EqualsIgnoringAsciiCase(extension, o.OldExtension));
    return;
  }
  const std::u16string converted = ToAsciiCase(extension, o.ExtensionUpper);
  FUZZ_CHECK(out.has_value() == (converted != extension));
  if (out) {
    CheckSameButAsciiCase(*out, extension);
    for (char16_t c : *out) FUZZ_CHECK(o.ExtensionUpper ? !IsAsciiLower(c) : !IsAsciiUpper(c));
  }
}

}  // namespace
}  // namespace renamora::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace renamora;
  using namespace renamora::fuzz;
  FuzzInput in(data, size);
  const std::u16string name = in.Text(80);

  ChangeOptions change;
  change.ChangeKind = in.Choice<ChangeChoice>(2);
  change.NewNameTemplate = in.Text(12);
  change.CaseKind = in.Choice<CaseChoice>(3);
  change.CapitalizeFirst = in.Bool();
  change.IncludeExtension = in.Bool();
  change.ExcludeSmallWords = in.Bool();
  CheckChange(name, change);

  // The boxes as the Rename command prepares them: empty, or starting with ".".
  ExtensionOptions extension;
  extension.ExtensionKind = in.Choice<ExtensionChoice>(2);
  extension.OldExtension = PrepareOldExtension(in.Text(8));
  extension.NewExtension = PrepareNewExtension(in.Text(8));
  extension.ReplaceAllTypes = in.Bool();
  extension.ExtensionUpper = in.Bool();
  FUZZ_CHECK(extension.OldExtension.empty() || extension.OldExtension.front() == u'.');
  FUZZ_CHECK(extension.NewExtension.empty() || extension.NewExtension.front() == u'.');
  CheckExtension(ExtensionText(in), extension);
  return 0;
}

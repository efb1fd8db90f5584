// Fuzzes the Change panel's operations (new name, case conversions) and the Extension panel's operation.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "FuzzSupport.h"
#include "base/text/LetterCase.h"
#include "base/text/NameOrder.h"
#include "core/InputChecks.h"
#include "core/ops/ChangeOperations.h"
#include "core/ops/ExtensionOperations.h"

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

// The conversions change letters only, one unit for one, and never so that the
// file system would see another name: each unit upper-cases as before.
void CheckSameButCase(std::u16string_view out, std::u16string_view name) {
  FUZZ_CHECK(out.size() == name.size());
  for (std::size_t i = 0; i < out.size(); ++i) {
    FUZZ_CHECK(UpcaseUnit(out[i]) == UpcaseUnit(name[i]));
    if (!IsCasedLetter(name[i])) FUZZ_CHECK(out[i] == name[i]);
  }
}

bool IsUpperAlready(char16_t c) { return UpcaseUnit(c) == c; }
bool IsLowerAlready(char16_t c) { return LowcaseUnit(c) == c; }

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
      CheckSameButCase(out, rest);
      for (std::size_t i = 0; i < out.size(); ++i) {
        if (i == 0 && o.CapitalizeFirst) {
          FUZZ_CHECK(IsUpperAlready(out[0]));
        } else {
          FUZZ_CHECK(IsLowerAlready(out[i]));
        }
      }
      break;
    }
    case CaseChoice::Upper:
      CheckSameButCase(out, name);
      for (char16_t c : out) FUZZ_CHECK(IsUpperAlready(c));
      break;
    case CaseChoice::CapitalizeWords:
      CheckSameButCase(out, name);
      // Only lower-case letters are ever changed, each to its capital, and the first
      // is always a capital; the last unit changes only when it is the first.
      for (std::size_t i = 0; i < out.size(); ++i) {
        if (out[i] != name[i]) FUZZ_CHECK(IsLowercaseLetter(name[i]) && IsUpperAlready(out[i]));
      }
      if (!out.empty()) FUZZ_CHECK(!IsLowercaseLetter(out[0]));
      // A letter right after another letter is inside a word and stays.
      for (std::size_t i = 1; i < out.size(); ++i) {
        if (IsCasedLetter(name[i - 1])) FUZZ_CHECK(out[i] == name[i]);
      }
      if (out.size() > 1) FUZZ_CHECK(out.back() == name.back());
      // Not excluding small words, every letter after a blank starts a word.
      if (!o.ExcludeSmallWords) {
        for (std::size_t i = 1; i + 1 < out.size(); ++i) {
          if (name[i - 1] == u' ' && IsCasedLetter(name[i])) FUZZ_CHECK(!IsLowercaseLetter(out[i]));
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
    if (!o.ReplaceAllTypes) FUZZ_CHECK(EqualsIgnoringLetterCase(extension, o.OldExtension));
    return;
  }
  // No change exactly when every unit is in the wanted case already.
  bool inCase = true;
  for (char16_t c : extension) inCase = inCase && (o.ExtensionUpper ? IsUpperAlready(c) : IsLowerAlready(c));
  FUZZ_CHECK(out.has_value() == !inCase);
  if (out) {
    CheckSameButCase(*out, extension);
    for (char16_t c : *out) FUZZ_CHECK(o.ExtensionUpper ? IsUpperAlready(c) : IsLowerAlready(c));
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

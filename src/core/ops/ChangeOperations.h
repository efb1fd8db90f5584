// The Change panel's operations: a new name from a template, or a case conversion.
// Case conversions map the ASCII letters only; every other character stays.
#pragma once

#include <string>
#include <string_view>

#include "core/EditRequest.h"
#include "core/ops/TemplateExpander.h"

namespace renamora {

// The new working name by options.ChangeKind (and CaseKind). The template of
// NewName is expanded once through expander; case conversions never call it.
std::u16string Change(std::u16string_view name, const ChangeOptions& options, TemplateExpander& expander);

// "A".."Z" to lower case; with capitalizeFirst, leading characters up to U+0020 go
// and a first "a".."z" becomes upper case.
std::u16string ToLowerCase(std::u16string_view name, bool capitalizeFirst);
// "a".."z" to upper case.
std::u16string ToUpperCase(std::u16string_view name);
// A capital at the start of every word; excludeSmallWords keeps the small English
// words (a, an, of, the, ...) in lower case where enough of the name follows them.
std::u16string CapitalizeWords(std::u16string_view name, bool excludeSmallWords);

}  // namespace renamora

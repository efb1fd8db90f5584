// The Replace and Insert panels' operations on one working name. Their new texts
// are templates, expanded through the expander once per template and item.
#pragma once

#include <string>
#include <string_view>

#include "core/EditRequest.h"
#include "core/ops/TemplateExpander.h"

namespace renamora {

class Locale;

// selectionLength is the sample selection length captured when the run started.
std::u16string Replace(std::u16string_view name, const ReplaceOptions& options, const SampleSelection& sample,
                       int selectionLength, const Locale& locale, TemplateExpander& expander);

std::u16string Insert(std::u16string_view name, const InsertOptions& options, const SampleSelection& sample,
                      const Locale& locale, TemplateExpander& expander);

}  // namespace renamora

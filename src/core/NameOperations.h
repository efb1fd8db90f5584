// The operation of each edit mode applied to one item's name parts.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "core/EditRequest.h"
#include "core/NameParts.h"
#include "core/special/SpecialStrings.h"

namespace renamora {

class Locale;

struct OperationContext {
  const Locale& locale;
  int selectionLength;  // the sample selection length captured at the run's start
  const SpecialStringServices& special;
};

// "Convert full name case" with the extension included works on the whole name:
// base and old base become the full name and the extension is empty.
bool WorksOnWholeName(const EditRequest& request);

// Edits parts.Base by the operation of request.Mode (all modes but "Changexten").
void ApplyNameOperation(const EditRequest& request, NameParts& parts, std::u16string_view itemPath,
                        const OperationContext& context);

// "Changexten": the extension to give the file, or nothing when it keeps its own.
std::optional<std::u16string> NewExtensionFor(const EditRequest& request, const NameParts& parts);

}  // namespace renamora

// Dispatch from the edit mode to its name operation.
#include "core/NameOperations.h"

#include "core/ops/RemoveOperations.h"

namespace renamora {

void ApplyNameOperation(const EditRequest& request, NameParts& parts, std::u16string_view /*itemPath*/,
                        const OperationContext& context) {
  if (request.Mode == EditMode::kRemove) {
    parts.Base = Remove(parts.Base, request.Remove, request.Sample, context.selectionLength, context.locale);
  }
  // The replace, insert and change operations plug in here as they are built; until
  // then their modes leave every name as it is, which the run reports as nothing renamed.
}

std::optional<std::u16string> NewExtensionFor(const EditRequest& /*request*/, const NameParts& /*parts*/,
                                              const OperationContext& /*context*/) {
  // The extension operations plug in here; until then every file keeps its extension.
  return std::nullopt;
}

}  // namespace renamora

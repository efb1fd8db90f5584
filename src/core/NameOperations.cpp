// Dispatch from the edit mode to its name operation.
#include "core/NameOperations.h"

#include "core/ops/ChangeOperations.h"
#include "core/ops/ExtensionOperations.h"
#include "core/ops/RemoveOperations.h"
#include "core/ops/ReplaceInsertOperations.h"

namespace renamora {

bool WorksOnWholeName(const EditRequest& request) {
  return request.Mode == EditMode::kChange && request.Change.ChangeKind == ChangeChoice::ConvertCase &&
         request.Change.IncludeExtension;
}

void ApplyNameOperation(const EditRequest& request, NameParts& parts, std::u16string_view itemPath,
                        const OperationContext& context) {
  const std::u16string_view mode = request.Mode;
  if (mode == EditMode::kRemove) {
    parts.Base = Remove(parts.Base, request.Remove, request.Sample, context.selectionLength, context.locale);
    return;
  }
  ItemTemplates templates(context.special, itemPath);
  if (mode == EditMode::kReplace) {
    parts.Base = Replace(parts.Base, request.Replace, request.Sample, context.selectionLength, context.locale,
                         templates);
  } else if (mode == EditMode::kInsert) {
    parts.Base = Insert(parts.Base, request.Insert, request.Sample, context.locale, templates);
  } else if (mode == EditMode::kChange) {
    parts.Base = Change(parts.Base, request.Change, templates);
  }
}

std::optional<std::u16string> NewExtensionFor(const EditRequest& request, const NameParts& parts) {
  return ChangeExtensionOf(parts.Extension, request.Extension);
}

}  // namespace renamora

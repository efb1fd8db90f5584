// Preview rows and their numbering.
#include "core/PreviewRows.h"

#include "core/text/Utf.h"

#include <algorithm>
#include <string>

namespace renamora {

std::u16string NumberedName::Text() const {
  if (Number <= 0) return Before + After;
  return Before + u"(" + U16(std::to_string(Number)) + u")" + After;
}

void PreviewRows::Clear() {
  rows_.clear();
  byNewName_.clear();
}

void PreviewRows::NumberAgainstRows(std::u16string_view columnPrefix, NumberedName& name) const {
  std::size_t next = 0;  // the first row the pass has not reached yet
  std::u16string column = std::u16string(columnPrefix) + name.Text();
  for (;;) {
    auto it = byNewName_.find(column);
    if (it == byNewName_.end()) return;
    const auto& indexes = it->second;  // ascending, rows are only appended
    auto at = std::lower_bound(indexes.begin(), indexes.end(), next);
    if (at == indexes.end()) return;
    if (name.Number == 0) {
      // A name numbered for the first time here takes its number before its first dot.
      const std::u16string whole = name.Before + name.After;
      const std::size_t dot = whole.find(u'.');
      name.Before = whole.substr(0, dot);
      name.After = dot == std::u16string::npos ? std::u16string() : whole.substr(dot);
    }
    ++name.Number;
    next = *at + 1;
    column = std::u16string(columnPrefix) + name.Text();
  }
}

void PreviewRows::AddRow(std::u16string oldName, std::u16string newNameColumn) {
  byNewName_[newNameColumn].push_back(rows_.size());
  rows_.push_back({std::move(oldName), std::move(newNameColumn), false});
}

void PreviewRows::AddInformation(std::u16string text) { rows_.push_back({std::move(text), {}, true}); }

}  // namespace renamora

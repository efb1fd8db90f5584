// Preview rows and their numbering.
#include "core/PreviewRows.h"

#include "base/text/Utf.h"

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
  passEnds_.clear();
}

std::u16string PreviewRows::PassKey(std::u16string_view columnPrefix, const NumberedName& name) {
  // The text alone does not tell where a number stands ("a(1)" + "(1)" or "a" +
  // "(1)(1)"): the length before it is part of the key.
  std::u16string key(columnPrefix);
  key += name.Text();
  key += u'\0';
  if (name.Number > 0) key += U16(std::to_string(name.Before.size()));
  return key;
}

void PreviewRows::NumberAgainstRows(std::u16string_view columnPrefix, NumberedName& name) const {
  std::size_t next = 0;  // the first row the pass has not reached yet
  const std::u16string start = PassKey(columnPrefix, name);
  if (auto known = passEnds_.find(start); known != passEnds_.end()) {
    name = known->second.name;
    next = known->second.next;
  }
  std::u16string column = std::u16string(columnPrefix) + name.Text();
  for (;;) {
    auto it = byNewName_.find(column);
    if (it == byNewName_.end()) break;
    const auto& indexes = it->second;  // ascending, rows are only appended
    auto at = std::lower_bound(indexes.begin(), indexes.end(), next);
    if (at == indexes.end()) break;
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
  passEnds_[start] = {name, next};
}

void PreviewRows::AddRow(std::u16string oldName, std::u16string newNameColumn) {
  byNewName_[newNameColumn].push_back(rows_.size());
  rows_.push_back({std::move(oldName), std::move(newNameColumn), false});
}

void PreviewRows::AddInformation(std::u16string text) { rows_.push_back({std::move(text), {}, true}); }

}  // namespace renamora

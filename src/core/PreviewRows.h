// The rows of the preview window, indexed by their new-name column so that a new
// row is numbered against earlier ones without rescanning the list.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace renamora {

struct PreviewRow {
  std::u16string OldName;
  std::u16string NewName;  // empty on an information row
  bool IsInformation = false;
};

// A candidate new name with the place of its "(j)" number: when Number > 0 the
// name reads Before + "(" + Number + ")" + After, else Before + After.
struct NumberedName {
  std::u16string Before;
  int Number = 0;
  std::u16string After;
  std::u16string Text() const;
};

class PreviewRows {
 public:
  void Clear();
  std::size_t Count() const { return rows_.size(); }
  const PreviewRow& Row(std::size_t i) const { return rows_[i]; }
  const std::vector<PreviewRow>& Rows() const { return rows_; }

  // Raises the number of name exactly as one pass over the rows from first to last
  // would: each row whose new-name column equals the current column text (prefix +
  // name) raises it once, and rows already passed are not looked at again.
  void NumberAgainstRows(std::u16string_view columnPrefix, NumberedName& name) const;

  void AddRow(std::u16string oldName, std::u16string newNameColumn);
  void AddInformation(std::u16string text);

 private:
  // Where the pass of a start (its column and the place of its number) ended: a
  // later pass of the same start goes the same way over the same rows, since
  // rows are only appended, and resumes there. Many items wanting one name then
  // cost one step each, not one per earlier row.
  struct PassEnd {
    NumberedName name;
    std::size_t next = 0;
  };
  static std::u16string PassKey(std::u16string_view columnPrefix, const NumberedName& name);

  std::vector<PreviewRow> rows_;
  std::unordered_map<std::u16string, std::vector<std::size_t>> byNewName_;
  mutable std::unordered_map<std::u16string, PassEnd> passEnds_;
};

}  // namespace renamora

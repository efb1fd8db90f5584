// An item path split into folder, base and extension.
#pragma once

#include <string>
#include <string_view>

namespace renamora {

// The text a name operation edits: a file's base, or a folder's whole name.
using WorkingName = std::u16string;

struct NameParts {
  std::u16string Folder;     // up to and including the last separator
  WorkingName Base;          // the working name the operations edit
  std::u16string Extension;  // from the last "." on, dot included; empty for folders
  std::u16string OldBase;    // the base as split, to tell whether anything changed
};

// A folder's base is its whole name (a trailing separator removed first) and its
// extension is empty. A file's base is its name up to its last "."; a name whose
// only dot is its first character (".profile") has an empty base.
NameParts SplitPath(std::u16string_view path, bool isFolder);
// The same into parts whose strings are reused: a run splits every item.
void SplitPathInto(std::u16string_view path, bool isFolder, NameParts& parts);

// The extension of a file name by the same rule, dot included.
std::u16string ExtensionOf(std::u16string_view name);

}  // namespace renamora

// One item of a run: split its path, let the mode's operation work, then clean,
// number, check and apply the new name (or add a preview row).
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <unordered_set>

#include "core/NameParts.h"
#include "core/TakenNames.h"
#include "core/RenameEngine.h"

namespace renamora {

enum class ItemOutcome { Renamed, Failed, Refused, EmptyName, Unchanged, Previewed, PreviewFull, Skipped, Stopped };

class ItemProcessor {
 public:
  ItemProcessor(RunServices& services, const EditRequest& request) : s_(services), request_(request) {}

  ItemOutcome ProcessItem(const TargetItem& item);

 private:
  ItemOutcome ApplyNewName(const TargetItem& item, const std::u16string& folder, const std::u16string& extension,
                           std::u16string newBase);
  // The number the disk gives a preview's candidate (see ApplyNewName).
  int PreviewDiskNumber(const std::u16string& folder, const std::u16string& cleanBase,
                        const std::u16string& extension, int ownNumber);
  // Whether a preview's candidate name is taken in its folder.
  bool PreviewNameTaken(const std::u16string& folder);
  ItemOutcome AddPreviewRow(const TargetItem& item, const std::u16string& folder, const std::u16string& cleanBase,
                            const std::u16string& extension, int number);
  // The rename to newName_ / newPath_ is done: records, lists and counts it. The
  // family and number of the new name, where the run keeps what it learns of them.
  ItemOutcome Renamed(const TargetItem& item, NumberFamily* family, int number);
  ItemOutcome Fail(const TargetItem& item, std::u16string_view newName, RenameStatus status);
  ItemOutcome Unchanged(const TargetItem& item);
  // A new name longer than the system takes; nothing when it fits.
  static std::optional<RenameStatus> LengthRefusal(std::u16string_view newName);
  // "The new name is empty", counted as a failure.
  ItemOutcome EmptyName(const TargetItem& item);
  // The journal could not take the item's record: the run stops before it.
  ItemOutcome UndoRecordRefused(const TargetItem& item);
  // Adds the item to the main window's list where a direct start without a target
  // folder shows every item it handled.
  void ListUnhandled(const TargetItem& item, bool alsoWithThisFolderScope);

  RunServices& s_;
  const EditRequest& request_;
  // Reused from item to item; a run splits every item and makes a name for it.
  NameParts parts_;
  std::u16string newName_, newPath_;
  bool itemIsFolder_ = false;
  TakenNames taken_;
  // A preview's view of a folder: after the first few lookups one reading of the
  // folder answers for the names none of its entries has, in any letter case.
  struct PreviewFolder {
    int lookups = 0;
    bool listed = false;
    bool unreadable = false;
    std::unordered_set<std::u16string> upcasedNames;
  };
  std::unordered_map<std::u16string, PreviewFolder> previewFolders_;
};

// Leading blanks, then leading dots, go; a name left empty becomes "(none)".
std::u16string CleanNewBase(std::u16string base);

}  // namespace renamora

// Walks the sources of an edit and hands every accepted item to the item
// processor at once, folder batch by folder batch.
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "core/ItemProcessing.h"
#include "core/RenameEngine.h"

namespace renamora {

class TargetCollector {
 public:
  TargetCollector(RunServices& services, const EditRequest& request)
      : s_(services), request_(request), processor_(services, request) {}

  // Collect and process: the choice of source, in the order of the rules.
  void CollectAndProcess();
  void FolderWalk(const std::u16string& folder);
  void ProcessBatch(const std::vector<TargetItem>& batch);

 private:
  bool ItemFilterPasses(const std::u16string& path);
  // Where a path stands to the program's data folder: the run's journal and undo
  // log live there, and renaming it, or a folder that holds it, would take them
  // away from under the run.
  enum class DataFolderPlace { Apart, Inside, Holds };
  DataFolderPlace PlaceOf(std::u16string_view path) const;
  // False for an item that must be left alone for the data folder's sake; says so
  // once per run.
  bool MayProcess(std::u16string_view path);
  // False for a folder that must not be entered (the data folder or one inside it).
  bool MayEnter(std::u16string_view folder);
  void TellDataFolderLeftAlone();
  // Message 133, or what else keeps a folder from being listed.
  std::u16string WhyNotListed(const std::u16string& folder);

  RunServices& s_;
  const EditRequest& request_;
  ItemProcessor processor_;
  bool toldDataFolder_ = false;
};

// The attribute rule: hidden and system items only when the request includes them.
bool AttributeRulePasses(const EditRequest& request, std::uint32_t attributes);
// The type rule for a file name (never applied in the mode "Changexten").
bool TypeRulePasses(const EditRequest& request, std::u16string_view fileName, const Locale& locale);
// A web page's companion folder ("page_files", "page.files"), never entered.
bool IsWebpageCompanion(std::u16string_view folderName, const Locale& locale);

// Whether a folder walk takes a subfolder entry at all: links (never folders to
// the walk) and web-page companion folders never, hidden and system folders by the
// attribute rule. A subfolder it does not take is neither entered nor collected.
bool WalkTakesFolder(const EditRequest& request, const DirEntry& entry, const Locale& locale);

// Which subfolders a search may look into: the entry and its full path.
using FolderRule = std::function<bool(const DirEntry& entry, const std::u16string& path)>;

// A file somewhere in the tree of folder, in the subfolders the rule lets in, or
// empty. It stops at the first file it finds: each folder is first asked for one
// file only (cheap in a huge flat folder), and listed only when it has none, to
// go on into its subfolders in listing order.
std::u16string FirstFileInTree(FileSystem& fs, const std::u16string& folder, const FolderRule& enters);

// The probe's enumerations. FirstFile also counts the files it met, at most 6.
std::u16string FirstFile(FileSystem& fs, const std::u16string& folder, int* fileCount = nullptr);
// A file of the folder in the file system's own order, and the files met, at most
// 6: what the probe and the small-run rule need, at the same cost for any size.
std::u16string AnyFile(FileSystem& fs, const std::u16string& folder, int* fileCount);
std::u16string FirstSubfolder(FileSystem& fs, const std::u16string& folder);

}  // namespace renamora

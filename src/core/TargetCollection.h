// Walks the sources of an edit and hands every accepted item to the item
// processor at once, folder batch by folder batch.
#pragma once

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
  RunServices& s_;
  const EditRequest& request_;
  ItemProcessor processor_;
};

// The attribute rule: hidden and system items only when the request includes them.
bool AttributeRulePasses(const EditRequest& request, std::uint32_t attributes);
// The type rule for a file name (never applied in the mode "Changexten").
bool TypeRulePasses(const EditRequest& request, std::u16string_view fileName, const Locale& locale);
// A web page's companion folder ("page_files", "page.files"), never entered.
bool IsWebpageCompanion(std::u16string_view folderName, const Locale& locale);

// The probe's enumerations. FirstFile also counts the files it met, at most 6.
std::u16string FirstFile(FileSystem& fs, const std::u16string& folder, int* fileCount = nullptr);
// A file of the folder in the file system's own order, and the files met, at most
// 6: what the probe and the small-run rule need, at the same cost for any size.
std::u16string AnyFile(FileSystem& fs, const std::u16string& folder, int* fileCount);
std::u16string FirstSubfolder(FileSystem& fs, const std::u16string& folder);
std::u16string FirstFileOneLevelDown(FileSystem& fs, const std::u16string& folder);

}  // namespace renamora

// A fresh folder under the system's temporary folder, removed with everything in
// it when the test ends; all access goes through the backend under test.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "platform/FileSystem.h"

namespace renamora::test {

class TempFolder {
 public:
  explicit TempFolder(FileSystem& fs);
  ~TempFolder();
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;

  // The folder's path, without a trailing separator.
  const std::u16string& Path() const { return path_; }
  // Path() + separator + relative (relative may hold separators).
  std::u16string operator/(std::u16string_view relative) const;

  // Creates a file (and any missing folders on its way) holding content.
  void MakeFile(std::u16string_view relative, std::string_view content = {});
  void MakeFolder(std::u16string_view relative);
  std::string Read(std::u16string_view relative) const;
  // Names directly in the given subfolder ("" for the folder itself), in listing order.
  std::vector<std::u16string> Names(std::u16string_view relative = {}) const;

 private:
  FileSystem& fs_;
  std::u16string path_;
};

// Removes a folder tree without following links.
void RemoveTree(FileSystem& fs, std::u16string_view path);

}  // namespace renamora::test

// Temporary test folders on the backend under test.
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <string>

#include "base/Paths.h"
#include "base/text/Utf.h"

namespace renamora::test {

TempFolder::TempFolder(FileSystem& fs) : fs_(fs) {
  static std::atomic<unsigned> serial{0};
  const auto stamp = std::chrono::steady_clock::now().time_since_epoch().count();
  for (int attempt = 0; attempt < 100; ++attempt) {
    std::u16string candidate = SystemTempFolder() + u"renamora-test-" +
                               U16(std::to_string(stamp)) + u"-" + U16(std::to_string(serial++));
    if (fs_.CreateFolder(candidate)) {
      path_ = candidate;
      return;
    }
  }
  ADD_FAILURE() << "cannot create a temporary folder";
}

TempFolder::~TempFolder() {
  if (!path_.empty()) RemoveTree(fs_, path_);
}

std::u16string TempFolder::operator/(std::u16string_view relative) const {
  std::u16string out = path_;
  out += kPathSeparator;
  for (char16_t c : relative) out += (c == u'/' || c == u'\\') ? kPathSeparator : c;
  return out;
}

void TempFolder::MakeFolder(std::u16string_view relative) {
  const std::u16string full = *this / relative;
  std::u16string part;
  for (std::size_t i = path_.size() + 1; i <= full.size(); ++i) {
    if (i == full.size() || full[i] == kPathSeparator) {
      part = full.substr(0, i);
      if (!fs_.IsFolder(part)) {
        ASSERT_TRUE(fs_.CreateFolder(part)) << ToUtf8Lossy(part);
      }
    }
  }
}

void TempFolder::MakeFile(std::u16string_view relative, std::string_view content) {
  const std::u16string full = *this / relative;
  const std::size_t end = full.rfind(kPathSeparator);
  if (end > path_.size()) MakeFolder(std::u16string_view(full).substr(path_.size() + 1, end - path_.size() - 1));
  ASSERT_TRUE(fs_.WriteFile(full, content)) << ToUtf8Lossy(full);
}

std::string TempFolder::Read(std::u16string_view relative) const {
  auto bytes = fs_.ReadFile(*this / relative);
  return bytes ? *bytes : std::string("<missing>");
}

std::vector<std::u16string> TempFolder::Names(std::u16string_view relative) const {
  std::vector<std::u16string> out;
  auto entries = fs_.ListFolder(relative.empty() ? path_ : *this / relative);
  if (!entries) return out;
  for (const auto& e : *entries) out.push_back(e.name);
  return out;
}

void RemoveTree(FileSystem& fs, std::u16string_view path) {
  const std::u16string folder(path);
  if (auto entries = fs.ListFolder(folder)) {
    for (const auto& e : *entries) {
      const std::u16string child = folder + kPathSeparator + e.name;
      // Clean-up does what it can: a test's temporary folder left behind harms no result.
      static_cast<void>(fs.SetAttributes(child, e.attributes & ~std::uint32_t(kAttrReadOnly)));
      if (e.isFolder && !e.isLink) {
        RemoveTree(fs, child);
      } else if (!fs.DeleteFile(child)) {
        static_cast<void>(fs.DeleteFolder(child));  // a junction or folder link is removed as a folder
      }
    }
  }
  static_cast<void>(fs.DeleteFolder(folder));
}

}  // namespace renamora::test

// Stand-ins for the app tests: a code page that cannot hold Chinese, and a file system with locked folders.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "base/Paths.h"
#include "platform/FileSystem.h"
#include "support/ForwardingFileSystem.h"
#include "support/TableLocale.h"

namespace renamora::test {

// A code page that holds ASCII only, as a Western code page holds no Chinese.
class AsciiLocale : public TableLocale {
 public:
  AsciiLocale() : TableLocale(CodePage::Ascii) {}
};

// The real backend, except that nothing can be created, changed or deleted
// inside the locked folders and the unreadable files cannot be read: access
// rights that hold even for a test run as root, and on every backend.
class LockingFileSystem final : public ForwardingFileSystem {
 public:
  using ForwardingFileSystem::ForwardingFileSystem;

  std::vector<std::u16string> lockedFolders;
  std::vector<std::u16string> unreadableFiles;

  RenameStatus Rename(std::u16string_view from, std::u16string_view to, RenameSteps* steps) override {
    return Locked(from) || Locked(to) ? RenameStatus::Failed : Inner().Rename(from, to, steps);
  }
  bool CreateFolder(std::u16string_view path) override { return !Locked(path) && Inner().CreateFolder(path); }
  bool DeleteFolder(std::u16string_view path) override { return !Locked(path) && Inner().DeleteFolder(path); }
  bool DeleteFile(std::u16string_view path) override { return !Locked(path) && Inner().DeleteFile(path); }
  bool SetAttributes(std::u16string_view path, std::uint32_t attributes) override {
    return !Locked(path) && Inner().SetAttributes(path, attributes);
  }
  std::optional<std::string> ReadFile(std::u16string_view path) override {
    for (const auto& f : unreadableFiles) {
      if (path == f) return std::nullopt;
    }
    return Inner().ReadFile(path);
  }
  bool WriteFile(std::u16string_view path, std::string_view bytes) override {
    return !Locked(path) && Inner().WriteFile(path, bytes);
  }

 private:
  bool Locked(std::u16string_view path) const {
    for (const auto& folder : lockedFolders) {
      const std::u16string prefix = WithTrailingSeparator(folder);
      if (path.starts_with(prefix)) return true;
    }
    return false;
  }
};

}  // namespace renamora::test

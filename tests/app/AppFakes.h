// Stand-ins for the app tests: a code page that cannot hold Chinese, and a file system with locked folders.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/Paths.h"
#include "platform/FileSystem.h"
#include "platform/Locale.h"
#include "support/TableLocale.h"

namespace renamora::test {

// A code page that holds ASCII only, as a Western code page holds no Chinese.
class AsciiLocale final : public Locale {
 public:
  char16_t UpperUnit(char16_t c) const override { return inner.UpperUnit(c); }
  std::u16string DecimalSeparator() const override { return u"."; }
  std::u16string ShortDateFormat() const override { return u"yyyy-MM-dd"; }
  std::u16string LongTimeFormat() const override { return u"HH:mm:ss"; }
  std::uint16_t SystemLanguageId() const override { return 1033; }
  std::optional<std::string> ToCodePage(std::u16string_view text) const override {
    std::string out;
    for (char16_t c : text) {
      if (c >= 0x80) return std::nullopt;
      out.push_back(static_cast<char>(c));
    }
    return out;
  }
  std::u16string FromCodePage(std::string_view bytes) const override {
    std::u16string out;
    for (char b : bytes) out.push_back(static_cast<char16_t>(static_cast<unsigned char>(b)));
    return out;
  }
  TableLocale inner;
};

// The real backend, except that nothing can be created, changed or deleted
// inside the locked folders and the unreadable files cannot be read: access
// rights that hold even for a test run as root, and on every backend.
class LockingFileSystem final : public FileSystem {
 public:
  explicit LockingFileSystem(FileSystem& real) : real_(real) {}

  std::vector<std::u16string> lockedFolders;
  std::vector<std::u16string> unreadableFiles;

  using FileSystem::ListFolder;
  std::optional<std::vector<DirEntry>> ListFolder(std::u16string_view folder, ListDetail detail) override {
    return real_.ListFolder(folder, detail);
  }
  std::optional<std::vector<DirEntry>> SomeFiles(std::u16string_view folder, std::size_t maxFiles) override {
    return real_.SomeFiles(folder, maxFiles);
  }
  std::optional<DirEntry> Stat(std::u16string_view path) override { return real_.Stat(path); }
  RenameStatus Rename(std::u16string_view from, std::u16string_view to) override {
    return Locked(from) || Locked(to) ? RenameStatus::Failed : real_.Rename(from, to);
  }
  bool CreateFolder(std::u16string_view path) override { return !Locked(path) && real_.CreateFolder(path); }
  bool DeleteFolder(std::u16string_view path) override { return !Locked(path) && real_.DeleteFolder(path); }
  bool DeleteFile(std::u16string_view path) override { return !Locked(path) && real_.DeleteFile(path); }
  bool SetAttributes(std::u16string_view path, std::uint32_t attributes) override {
    return !Locked(path) && real_.SetAttributes(path, attributes);
  }
  std::optional<std::string> ReadFile(std::u16string_view path) override {
    for (const auto& f : unreadableFiles) {
      if (path == f) return std::nullopt;
    }
    return real_.ReadFile(path);
  }
  bool WriteFile(std::u16string_view path, std::string_view bytes) override {
    return !Locked(path) && real_.WriteFile(path, bytes);
  }

 private:
  bool Locked(std::u16string_view path) const {
    for (const auto& folder : lockedFolders) {
      const std::u16string prefix = WithTrailingSeparator(folder);
      if (path.starts_with(prefix)) return true;
    }
    return false;
  }
  FileSystem& real_;
};

}  // namespace renamora::test

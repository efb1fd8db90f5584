// A file system that hands every call on to another one, as the base of stand-ins
// that change one or two calls of a real backend and leave the rest to it.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/FileSystem.h"

namespace renamora::test {

class ForwardingFileSystem : public FileSystem {
 public:
  explicit ForwardingFileSystem(FileSystem& inner) : inner_(inner) {}

  using FileSystem::ListFolder;
  std::optional<std::vector<DirEntry>> ListFolder(std::u16string_view folder, ListDetail detail) override {
    return inner_.ListFolder(folder, detail);
  }
  std::optional<std::vector<DirEntry>> SomeFiles(std::u16string_view folder, std::size_t maxFiles) override {
    return inner_.SomeFiles(folder, maxFiles);
  }
  std::optional<DirEntry> Stat(std::u16string_view path) override { return inner_.Stat(path); }
  using FileSystem::Rename;
  RenameStatus Rename(std::u16string_view from, std::u16string_view to, RenameSteps* steps) override {
    return inner_.Rename(from, to, steps);
  }
  bool CreateFolder(std::u16string_view path) override { return inner_.CreateFolder(path); }
  bool DeleteFolder(std::u16string_view path) override { return inner_.DeleteFolder(path); }
  bool DeleteFile(std::u16string_view path) override { return inner_.DeleteFile(path); }
  bool SetAttributes(std::u16string_view path, std::uint32_t attributes) override {
    return inner_.SetAttributes(path, attributes);
  }
  std::optional<std::string> ReadFile(std::u16string_view path) override { return inner_.ReadFile(path); }
  bool WriteFile(std::u16string_view path, std::string_view bytes) override { return inner_.WriteFile(path, bytes); }
  std::unique_ptr<MappedFile> CreateMappedFile(std::u16string_view path) override {
    return inner_.CreateMappedFile(path);
  }
  bool HeldByMappedFile(std::u16string_view path) override { return inner_.HeldByMappedFile(path); }
  FileHold HoldFile(std::u16string_view path) override { return inner_.HoldFile(path); }

 protected:
  // The wrapped backend, for looking past this stand-in's own changes.
  FileSystem& Inner() const { return inner_; }

 private:
  FileSystem& inner_;
};

}  // namespace renamora::test

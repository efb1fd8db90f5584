// The FileSystem backend for Windows, on the wide-character Win32 API.
#pragma once

#include "platform/FileSystem.h"

namespace renamora {

class Win32FileSystem final : public FileSystem {
 public:
  using FileSystem::ListFolder;
  // Windows reports every detail with the name, so both levels of detail cost the same.
  std::optional<std::vector<DirEntry>> ListFolder(std::u16string_view folder, ListDetail detail) override;
  bool VisitFolder(std::u16string_view folder, ListDetail detail,
                   const std::function<bool(const DirEntry&)>& onEntry) override;
  std::optional<std::vector<DirEntry>> SomeFiles(std::u16string_view folder, std::size_t maxFiles) override;
  std::optional<DirEntry> Stat(std::u16string_view path) override;
  using FileSystem::Rename;
  RenameStatus Rename(std::u16string_view from, std::u16string_view to, RenameSteps* steps) override;
  bool CreateFolder(std::u16string_view path) override;
  bool DeleteFolder(std::u16string_view path) override;
  bool DeleteFile(std::u16string_view path) override;
  bool SetAttributes(std::u16string_view path, std::uint32_t attributes) override;
  std::optional<std::string> ReadFile(std::u16string_view path) override;
  bool WriteFile(std::u16string_view path, std::string_view bytes) override;
  std::unique_ptr<MappedFile> CreateMappedFile(std::u16string_view path) override;
  bool HeldByMappedFile(std::u16string_view path) override;
  FileHold HoldFile(std::u16string_view path) override;

 private:
  RenameStatus RenameCaseOnly(std::u16string_view from, std::u16string_view to, RenameSteps* steps);
};

}  // namespace renamora

// Chosen calls fail with the backend's own failure values; all others pass through.
#include "support/FaultyFileSystem.h"

#include "base/Paths.h"

namespace renamora::test {
namespace {

class LimitedMappedFile final : public MappedFile {
 public:
  LimitedMappedFile(std::unique_ptr<MappedFile> inner, std::uint64_t limit) : inner_(std::move(inner)), limit_(limit) {}
  bool WriteAt(std::uint64_t offset, std::string_view bytes) override {
    return offset + bytes.size() <= limit_ && inner_->WriteAt(offset, bytes);
  }

 private:
  std::unique_ptr<MappedFile> inner_;
  std::uint64_t limit_;
};

}  // namespace

void FaultyFileSystem::Arm(FaultyCall kind, Fault fault) { Slot(kind) = Armed{std::move(fault), 0, {}}; }

void FaultyFileSystem::Disarm(FaultyCall kind) { Slot(kind).fault.reset(); }

void FaultyFileSystem::DisarmAll() {
  for (Armed& slot : slots_) slot.fault.reset();
}

bool FaultyFileSystem::Hits(FaultyCall kind, std::u16string_view path) {
  Armed& slot = Slot(kind);
  if (!slot.fault) return false;
  const std::u16string bare = WithoutTrailingSeparators(path);
  if (!std::u16string_view(bare).ends_with(slot.fault->pathEnd)) return false;
  const int call = ++slot.matching;
  const bool hit = slot.fault->onward ? call >= slot.fault->first : call == slot.fault->first;
  if (hit) slot.failed.emplace_back(path);
  return hit;
}

std::optional<std::vector<DirEntry>> FaultyFileSystem::ListFolder(std::u16string_view folder, ListDetail detail) {
  if (Hits(FaultyCall::Listing, folder)) return std::nullopt;
  return ForwardingFileSystem::ListFolder(folder, detail);
}

std::optional<std::vector<DirEntry>> FaultyFileSystem::SomeFiles(std::u16string_view folder, std::size_t maxFiles) {
  if (Hits(FaultyCall::Listing, folder)) return std::nullopt;
  return ForwardingFileSystem::SomeFiles(folder, maxFiles);
}

RenameStatus FaultyFileSystem::Rename(std::u16string_view from, std::u16string_view to, RenameSteps* steps) {
  if (Hits(FaultyCall::Rename, from)) return RenameStatus::Failed;
  return ForwardingFileSystem::Rename(from, to, steps);
}

bool FaultyFileSystem::WriteFile(std::u16string_view path, std::string_view bytes) {
  if (Hits(FaultyCall::Write, path)) return false;
  return ForwardingFileSystem::WriteFile(path, bytes);
}

std::unique_ptr<MappedFile> FaultyFileSystem::CreateMappedFile(std::u16string_view path) {
  if (Hits(FaultyCall::MappedFile, path)) return nullptr;
  std::unique_ptr<MappedFile> file = ForwardingFileSystem::CreateMappedFile(path);
  if (file && mappedLimit_) return std::make_unique<LimitedMappedFile>(std::move(file), *mappedLimit_);
  return file;
}

}  // namespace renamora::test

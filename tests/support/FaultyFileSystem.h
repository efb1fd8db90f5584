// A file system that makes chosen renames, folder listings, whole-file writes or
// mapped files fail the way the real backend reports a failure, without touching
// the disk.
#pragma once

#include <array>
#include <cstddef>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "support/ForwardingFileSystem.h"

namespace renamora::test {

// The calls a fault can hit. ListFolder and SomeFiles are one kind: both are the
// reading of a folder, and a folder the system refuses to read refuses both.
// MappedFile is the making of a file written through shared memory.
enum class FaultyCall { Rename, Listing, Write, MappedFile };

// Which calls of one kind fail. Calls are counted from the moment the fault is
// armed, from 1, among those whose path matches.
struct Fault {
  int first = 1;        // the first matching call that fails
  bool onward = false;  // every matching call from first on fails, not just that one
  // Only calls on a path ending so count (trailing separators of the path are
  // ignored, so a folder matches with or without them); empty: every call counts.
  // For a rename, the old path is the one matched.
  std::u16string pathEnd;

  // The k-th matching call fails, and no other.
  static Fault Call(int k, std::u16string pathEnd = {}) { return {k, false, std::move(pathEnd)}; }
  // Every matching call from the k-th on fails: a disk that went away or filled up.
  static Fault From(int k, std::u16string pathEnd = {}) { return {k, true, std::move(pathEnd)}; }
};

class FaultyFileSystem : public ForwardingFileSystem {
 public:
  using ForwardingFileSystem::ForwardingFileSystem;

  // Replaces any fault of the same kind and restarts its count.
  void Arm(FaultyCall kind, Fault fault);
  void Disarm(FaultyCall kind);
  void DisarmAll();

  // The paths of the calls that were failed since the kind was armed (a rename's
  // old path), in order.
  const std::vector<std::u16string>& FailedPaths(FaultyCall kind) const { return Slot(kind).failed; }
  // Matching calls of the kind since it was armed, failed or not.
  int MatchingCalls(FaultyCall kind) const { return Slot(kind).matching; }

  // Mapped files made from now on cannot grow past this many bytes: a disk that
  // fills up while a journal grows. None: no limit.
  void LimitMappedFiles(std::optional<std::uint64_t> bytes) { mappedLimit_ = bytes; }

  using ForwardingFileSystem::ListFolder;
  std::optional<std::vector<DirEntry>> ListFolder(std::u16string_view folder, ListDetail detail) override;
  std::optional<std::vector<DirEntry>> SomeFiles(std::u16string_view folder, std::size_t maxFiles) override;
  using FileSystem::Rename;
  RenameStatus Rename(std::u16string_view from, std::u16string_view to, RenameSteps* steps) override;
  bool WriteFile(std::u16string_view path, std::string_view bytes) override;
  std::unique_ptr<MappedFile> CreateMappedFile(std::u16string_view path) override;

 private:
  struct Armed {
    std::optional<Fault> fault;
    int matching = 0;
    std::vector<std::u16string> failed;
  };
  Armed& Slot(FaultyCall kind) { return slots_[static_cast<std::size_t>(kind)]; }
  const Armed& Slot(FaultyCall kind) const { return slots_[static_cast<std::size_t>(kind)]; }
  // Counts the call and tells whether it is to fail.
  bool Hits(FaultyCall kind, std::u16string_view path);

  std::array<Armed, 4> slots_;
  std::optional<std::uint64_t> mappedLimit_;
};

}  // namespace renamora::test

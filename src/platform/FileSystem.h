// The file-system services the engine needs, behind one interface per backend.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace renamora {

// Attribute bits use the Win32 values so that settings, logs and tests mean the
// same thing on every backend.
enum FileAttribute : std::uint32_t {
  kAttrReadOnly = 0x1,
  kAttrHidden = 0x2,
  kAttrSystem = 0x4,
  kAttrDirectory = 0x10,
  kAttrArchive = 0x20,
  kAttrDevice = 0x40,  // neither file, folder nor link: a device, a pipe or a socket
  kAttrReparsePoint = 0x400,
};

// Time stamps are FILETIME ticks: 100 ns units since 1601-01-01 UTC.
using FileTime = std::int64_t;

struct DirEntry {
  std::u16string name;            // the entry's own name, no folder part
  bool isFolder = false;          // a real folder (never a link to one)
  bool isLink = false;            // symbolic link, junction or other reparse point
  std::uint32_t attributes = 0;   // FileAttribute bits
  std::uint64_t size = 0;         // 0 for folders
  FileTime lastWrite = 0;
};

enum class RenameStatus {
  Ok,
  TargetExists,   // something already has the new name; nothing was changed
  SourceMissing,  // the old path is gone
  Failed,         // any other refusal (access, in use, read-only medium, bad name)
  // Refusals of the engine's own, no rename tried:
  LineBreak,    // a line break in the old path or the new name, which the undo log cannot keep
  NameTooLong,  // the new name is longer than the system takes (255 bytes of UTF-8 on POSIX)
};

// How much a listing must tell of each entry. NamesAndKinds promises only the name,
// isFolder, isLink and the hidden and system attributes, which is all a folder walk
// reads; a backend may then skip looking up every entry's details.
enum class ListDetail { Full, NamesAndKinds };

// A file written in place through memory it shares with the system: what a write
// puts there belongs to the system as soon as the call returns, so it survives the
// process being killed. Closing it cuts the file to the bytes written.
class MappedFile {
 public:
  virtual ~MappedFile() = default;
  // Writes bytes at offset, growing the file as needed; false when it cannot grow
  // (the disk is full), and nothing is written then.
  [[nodiscard]] virtual bool WriteAt(std::uint64_t offset, std::string_view bytes) = 0;
};

// Told of each step of a rename that goes through a temporary name (a change of
// letter case where the file system ignores case), so that a process killed
// between the steps leaves a record of where the item is.
class RenameSteps {
 public:
  virtual ~RenameSteps() = default;
  // Before the item at previousPath moves to currentPath; false: the step must not
  // be taken, since its record could not be kept.
  [[nodiscard]] virtual bool StepStarting(std::u16string_view currentPath, std::u16string_view previousPath) = 0;
  // The step happened.
  virtual void StepDone(std::u16string_view currentPath, std::u16string_view previousPath) = 0;
};

// A file held for as long as this lives: nobody else can hold it meanwhile, and a
// process that dies lets go of it.
class HeldFile {
 public:
  virtual ~HeldFile() = default;
};

enum class HoldStatus {
  Held,
  Busy,    // another process (or another holder in this one) holds it
  Failed,  // the file cannot be made or opened
};

struct FileHold {
  std::unique_ptr<HeldFile> file;
  HoldStatus status = HoldStatus::Failed;
};

class FileSystem {
 public:
  virtual ~FileSystem() = default;

  // Lists a folder's entries without "." and "..", sorted by CompareNtfsOrder of
  // their names whatever order the file system returns. Links are reported, never
  // followed. Returns nothing when the folder cannot be read.
  virtual std::optional<std::vector<DirEntry>> ListFolder(std::u16string_view folder, ListDetail detail) = 0;
  std::optional<std::vector<DirEntry>> ListFolder(std::u16string_view folder) {
    return ListFolder(folder, ListDetail::Full);
  }

  // Hands the folder's entries one by one to onEntry, in the file system's own order
  // and without "." and "..", so that a caller can show progress or stop between
  // entries instead of waiting for the whole listing; onEntry answers whether to go
  // on. False when the folder cannot be read (or its reading broke off); a stop
  // asked by onEntry is no failure. This fallback lists the folder first, so a
  // backend that can enumerate lazily should do so.
  [[nodiscard]] virtual bool VisitFolder(std::u16string_view folder, ListDetail detail,
                                         const std::function<bool(const DirEntry&)>& onEntry) {
    auto entries = ListFolder(folder, detail);
    if (!entries) return false;
    for (const DirEntry& e : *entries) {
      if (!onEntry(e)) break;
    }
    return true;
  }

  // The first files (not folders) the file system returns for a folder, in its own
  // order and with names and kinds only, stopping after maxFiles: enough to tell
  // whether a folder of any size holds files, and whether it holds more than a few.
  virtual std::optional<std::vector<DirEntry>> SomeFiles(std::u16string_view folder, std::size_t maxFiles) = 0;

  // Looks up one path without following a final link.
  virtual std::optional<DirEntry> Stat(std::u16string_view path) = 0;

  // Renames without ever replacing an existing item. A change of letter case
  // only is carried out even on case-insensitive file systems, through a temporary
  // name where needed; steps, when given, is told of each step of that way.
  [[nodiscard]] virtual RenameStatus Rename(std::u16string_view from, std::u16string_view to, RenameSteps* steps) = 0;
  [[nodiscard]] RenameStatus Rename(std::u16string_view from, std::u16string_view to) {
    return Rename(from, to, nullptr);
  }

  [[nodiscard]] virtual bool CreateFolder(std::u16string_view path) = 0;
  [[nodiscard]] virtual bool DeleteFolder(std::u16string_view path) = 0;  // empty folders only
  [[nodiscard]] virtual bool DeleteFile(std::u16string_view path) = 0;
  [[nodiscard]] virtual bool SetAttributes(std::u16string_view path, std::uint32_t attributes) = 0;

  virtual std::optional<std::string> ReadFile(std::u16string_view path) = 0;
  // Replaces the file as a whole: a temporary file beside it is written and then
  // moved over the target, so a crash leaves either the old or the new content.
  [[nodiscard]] virtual bool WriteFile(std::u16string_view path, std::string_view bytes) = 0;

  // Creates (or empties) a file to be written through a MappedFile; nothing where
  // the file cannot be made or the backend has no such files. The file is held
  // for as long as the MappedFile lives: nothing is made while another holds it.
  virtual std::unique_ptr<MappedFile> CreateMappedFile(std::u16string_view /*path*/) { return nullptr; }
  // Whether a MappedFile of another process (or another one of this process)
  // holds the file: a journal that a live run is writing is not left over.
  virtual bool HeldByMappedFile(std::u16string_view /*path*/) { return false; }

  // Creates (or opens) a file and holds it, the lock of a data folder. A stand-in
  // file system that lives in one process has nobody to hold it against.
  [[nodiscard]] virtual FileHold HoldFile(std::u16string_view /*path*/) { return {std::make_unique<HeldFile>(), HoldStatus::Held}; }

  bool Exists(std::u16string_view path) { return Stat(path).has_value(); }
  bool IsFile(std::u16string_view path) {
    auto e = Stat(path);
    return e && !e->isFolder;
  }
  bool IsFolder(std::u16string_view path) {
    auto e = Stat(path);
    return e && e->isFolder;
  }
};

// The backend of the system this build runs on.
std::unique_ptr<FileSystem> MakeSystemFileSystem();

// Folder for temporary files of this user, ending with the path separator.
std::u16string SystemTempFolder();

// Whether ResolvePath follows a final component that is a link.
enum class FinalLink { Keep, Follow };

// The full path that a path names, as the system itself resolves it. POSIX (the
// path must start with "/"): the links on the way are followed before "." and ".."
// are applied, so "link/.." is the parent of the link's target, not the folder
// holding the link; a final component is kept as it is (unless it is "." or "..",
// ends with a separator, or Follow is asked), so a link named as a target stays
// the link. Windows resolves "." and ".." by name, as the system does, gives a
// path without a drive the current one, and leaves a "\\?\" path as it is.
// Nothing when the path cannot be resolved: on POSIX when a folder on the way is
// missing or cannot be searched.
std::optional<std::u16string> ResolvePath(std::u16string_view path, FinalLink finalLink = FinalLink::Keep);

}  // namespace renamora

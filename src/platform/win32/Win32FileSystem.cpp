// The Win32 FileSystem backend: every path goes through WithLongPathPrefix into a ...W call.
#include "platform/win32/Win32FileSystem.h"

#include <algorithm>
#include <atomic>
#include <cstddef>
#include <utility>

#include "base/Paths.h"
#include "base/text/NameOrder.h"
#include "platform/win32/IncludeWindows.h"
#include "platform/win32/LongPath.h"
#include "platform/win32/UniqueHandle.h"
#include "platform/win32/WideText.h"

namespace renamora {
namespace {

// Attempts at finding a free temporary name before giving up; a clash needs another
// process using the same process id and counter, so a few are plenty.
constexpr int kTempNameAttempts = 100;

// Attributes SetFileAttributesW accepts; the others (folder, reparse point,
// compression...) describe the item and are changed by other means.
constexpr DWORD kSettableAttributes = FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN |
                                      FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_ARCHIVE |
                                      FILE_ATTRIBUTE_TEMPORARY | FILE_ATTRIBUTE_OFFLINE |
                                      FILE_ATTRIBUTE_NOT_CONTENT_INDEXED;

std::wstring SystemPath(std::u16string_view path) { return ToWide(WithLongPathPrefix(path)); }

// "C:" alone names the current folder of drive C; as a whole path handed to this
// backend it means the drive's root (it is what the folder part of "C:\x" gives).
std::u16string AsWholePath(std::u16string_view path) {
  std::u16string out(path);
  if (out.size() == 2 && out[1] == u':') out += u'\\';
  return out;
}

std::u16string FolderPart(std::u16string_view path) {
  const std::size_t end = LastFolderEnd(path);
  return end == std::u16string_view::npos ? std::u16string()
                                          : std::u16string(path.substr(0, end + 1));
}

FileTime ToFileTime(const FILETIME& time) {
  return static_cast<FileTime>((std::uint64_t{time.dwHighDateTime} << 32) | time.dwLowDateTime);
}

DirEntry MakeEntry(std::u16string name, DWORD attributes, DWORD sizeHigh, DWORD sizeLow,
                   const FILETIME& lastWrite) {
  DirEntry entry;
  entry.name = std::move(name);
  entry.attributes = attributes;
  // A junction or folder symlink carries the folder bit too; reporting it as a link
  // only is what keeps walks from entering it.
  entry.isLink = (attributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0;
  entry.isFolder = (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0 && !entry.isLink;
  if ((attributes & FILE_ATTRIBUTE_DIRECTORY) == 0) {
    entry.size = (std::uint64_t{sizeHigh} << 32) | sizeLow;
  }
  entry.lastWrite = ToFileTime(lastWrite);
  return entry;
}

std::u16string Hex(std::uint32_t value) {
  std::u16string out;
  do {
    out.insert(out.begin(), u"0123456789abcdef"[value & 0xF]);
    value >>= 4;
  } while (value != 0);
  return out;
}

// A name in the same folder as path that nothing else of ours uses; the caller still
// has to create it exclusively, since another program may hold it.
std::u16string TempSibling(std::u16string_view path) {
  static std::atomic<std::uint32_t> serial{0};
  return FolderPart(path) + u"~rnm" + Hex(::GetCurrentProcessId()) + u"-" + Hex(serial++) + u".tmp";
}

bool PathExists(std::u16string_view path) {
  return ::GetFileAttributesW(SystemPath(path).c_str()) != INVALID_FILE_ATTRIBUTES;
}

// False for a reparse point that this system cannot open as itself: Wine follows the
// host's symbolic links even when asked for the link (FILE_FLAG_OPEN_REPARSE_POINT),
// so a rename, deletion or attribute change would hit the link's target, which may
// lie outside the tree the user chose. Windows opens the link itself.
bool ReachesLinkItself(std::u16string_view path) {
  const std::wstring system = SystemPath(path);
  const DWORD attributes = ::GetFileAttributesW(system.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_REPARSE_POINT) == 0) {
    return true;
  }
  FileHandle item(::CreateFileW(
      system.c_str(), FILE_READ_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
      nullptr, OPEN_EXISTING, FILE_FLAG_OPEN_REPARSE_POINT | FILE_FLAG_BACKUP_SEMANTICS, nullptr));
  FILE_ATTRIBUTE_TAG_INFO info;
  return item &&
         ::GetFileInformationByHandleEx(item.Get(), FileAttributeTagInfo, &info, sizeof info) &&
         (info.FileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0;
}

RenameStatus StatusOfFailedMove(DWORD error, std::u16string_view from) {
  switch (error) {
    case ERROR_ALREADY_EXISTS:
    case ERROR_FILE_EXISTS:
      return RenameStatus::TargetExists;
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
      // The same codes come back when the target's folder is missing, and that is
      // no reason to drop the item as gone.
      return PathExists(from) ? RenameStatus::Failed : RenameStatus::SourceMissing;
    default:
      return RenameStatus::Failed;
  }
}

RenameStatus Move(std::u16string_view from, std::u16string_view to) {
  if (::MoveFileW(SystemPath(from).c_str(), SystemPath(to).c_str())) return RenameStatus::Ok;
  return StatusOfFailedMove(::GetLastError(), from);
}

// The name under which the folder lists the item at path, with its letter case as
// stored; Windows looks names up ignoring case, so this is how a case change shows.
std::optional<std::u16string> ListedName(std::u16string_view path) {
  WIN32_FIND_DATAW data;
  FindHandle find(::FindFirstFileExW(SystemPath(path).c_str(), FindExInfoBasic, &data,
                                     FindExSearchNameMatch, nullptr, 0));
  if (!find) return std::nullopt;
  return FromWide(data.cFileName);
}

}  // namespace

namespace {

enum class Walked { Unreadable, CutShort, Complete };

// Enumerates a folder's entries ("." and ".." skipped) in the file system's order
// and hands each to visit, which answers whether to go on.
template <class Visit>
Walked EnumerateFolder(FileSystem& fs, std::u16string_view folder, DWORD flags, Visit visit) {
  const std::u16string pattern = WithTrailingSeparator(AsWholePath(folder)) + u'*';
  WIN32_FIND_DATAW data;
  FindHandle find(::FindFirstFileExW(SystemPath(pattern).c_str(), FindExInfoBasic, &data,
                                     FindExSearchNameMatch, nullptr, flags));
  if (!find) {
    // A drive's root has no "." entry, so an empty root reports no match at all.
    return ::GetLastError() == ERROR_FILE_NOT_FOUND && fs.IsFolder(folder) ? Walked::Complete : Walked::Unreadable;
  }
  do {
    std::u16string name = FromWide(data.cFileName);
    if (name == u"." || name == u"..") continue;
    if (!visit(MakeEntry(std::move(name), data.dwFileAttributes, data.nFileSizeHigh, data.nFileSizeLow,
                         data.ftLastWriteTime))) {
      return Walked::Complete;
    }
  } while (::FindNextFileW(find.Get(), &data));
  return ::GetLastError() == ERROR_NO_MORE_FILES ? Walked::Complete : Walked::CutShort;
}

}  // namespace

std::optional<std::vector<DirEntry>> Win32FileSystem::ListFolder(std::u16string_view folder, ListDetail) {
  std::vector<DirEntry> entries;
  const Walked walked = EnumerateFolder(*this, folder, FIND_FIRST_EX_LARGE_FETCH, [&](DirEntry e) {
    entries.push_back(std::move(e));
    return true;
  });
  // A listing cut short would shift every sequence number after the gap.
  if (walked != Walked::Complete) return std::nullopt;
  // Names that differ only in case can sit side by side on a case-sensitive folder
  // (Wine on Linux); the sort's ordinal tie-break keeps their order stable.
  SortNtfsOrder(entries, [](const DirEntry& e) -> const std::u16string& { return e.name; });
  return entries;
}

bool Win32FileSystem::VisitFolder(std::u16string_view folder, ListDetail,
                                  const std::function<bool(const DirEntry&)>& onEntry) {
  const Walked walked =
      EnumerateFolder(*this, folder, FIND_FIRST_EX_LARGE_FETCH, [&](DirEntry e) { return onEntry(e); });
  return walked == Walked::Complete;
}

std::optional<std::vector<DirEntry>> Win32FileSystem::SomeFiles(std::u16string_view folder,
                                                                std::size_t maxFiles) {
  std::vector<DirEntry> files;
  if (maxFiles == 0) return files;
  const Walked walked = EnumerateFolder(*this, folder, 0, [&](DirEntry e) {
    // A junction carries the folder bit as well; it is no file to count.
    if (!e.isFolder && (e.attributes & FILE_ATTRIBUTE_DIRECTORY) == 0) files.push_back(std::move(e));
    return files.size() < maxFiles;
  });
  if (walked == Walked::Unreadable) return std::nullopt;
  return files;
}

std::optional<DirEntry> Win32FileSystem::Stat(std::u16string_view path) {
  const std::u16string whole = AsWholePath(path);
  WIN32_FILE_ATTRIBUTE_DATA data;
  if (!::GetFileAttributesExW(SystemPath(whole).c_str(), GetFileExInfoStandard, &data)) {
    return std::nullopt;
  }
  std::u16string name = NameOf(whole);
  if (name.empty()) name = whole;  // a root has no name of its own
  return MakeEntry(std::move(name), data.dwFileAttributes, data.nFileSizeHigh, data.nFileSizeLow,
                   data.ftLastWriteTime);
}

RenameStatus Win32FileSystem::Rename(std::u16string_view from, std::u16string_view to, RenameSteps* steps) {
  if (!ReachesLinkItself(from)) return RenameStatus::Failed;
  const std::u16string fromName = NameOf(from);
  const std::u16string toName = NameOf(to);
  const bool caseOnly = fromName != toName && CompareNtfsOrder(fromName, toName) == 0 &&
                        CompareNtfsOrder(FolderPart(from), FolderPart(to)) == 0;
  return caseOnly ? RenameCaseOnly(from, to, steps) : Move(from, to);
}

// Windows carries out a case-only MoveFileW. Wine on a case-sensitive host finds the
// old name under the new one, reports success and changes nothing, so the result is
// checked in the listing and, when needed, reached through a temporary name.
RenameStatus Win32FileSystem::RenameCaseOnly(std::u16string_view from, std::u16string_view to, RenameSteps* steps) {
  const std::u16string wanted = NameOf(to);
  const RenameStatus direct = Move(from, to);
  if (direct != RenameStatus::Ok && direct != RenameStatus::TargetExists) return direct;
  const std::optional<std::u16string> listed = ListedName(to);
  if (listed == wanted) return direct;  // done, or another item truly holds the new name
  if (!listed) return RenameStatus::Failed;

  // Each step is recorded before it is taken, so that a process killed between
  // them leaves a record of the temporary name the item has.
  std::u16string temp;
  bool parked = false;
  for (int attempt = 0; attempt < kTempNameAttempts && !parked; ++attempt) {
    temp = TempSibling(from);
    if (steps && !steps->StepStarting(temp, from)) return RenameStatus::Failed;
    const RenameStatus step = Move(from, temp);
    if (step == RenameStatus::Ok) {
      parked = true;
    } else if (step != RenameStatus::TargetExists) {
      return step;
    }
  }
  if (!parked) return RenameStatus::Failed;
  if (steps) steps->StepDone(temp, from);

  RenameStatus second = RenameStatus::Failed;
  if (!steps || steps->StepStarting(to, temp)) second = Move(temp, to);
  if (second != RenameStatus::Ok) {
    const bool recorded = !steps || steps->StepStarting(from, temp);
    if (Move(temp, from) == RenameStatus::Ok && steps && recorded) steps->StepDone(from, temp);
    return second == RenameStatus::TargetExists ? second : RenameStatus::Failed;
  }
  if (steps) steps->StepDone(to, temp);
  return ListedName(to) == wanted ? RenameStatus::Ok : RenameStatus::Failed;
}

bool Win32FileSystem::CreateFolder(std::u16string_view path) {
  return ::CreateDirectoryW(SystemPath(path).c_str(), nullptr) != FALSE;
}

bool Win32FileSystem::DeleteFolder(std::u16string_view path) {
  return ReachesLinkItself(path) && ::RemoveDirectoryW(SystemPath(path).c_str()) != FALSE;
}

bool Win32FileSystem::DeleteFile(std::u16string_view path) {
  return ReachesLinkItself(path) && ::DeleteFileW(SystemPath(path).c_str()) != FALSE;
}

bool Win32FileSystem::SetAttributes(std::u16string_view path, std::uint32_t attributes) {
  if (!ReachesLinkItself(path)) return false;
  DWORD settable = attributes & kSettableAttributes;
  // 0 would mean "leave unchanged" to the file system; NORMAL clears them all.
  if (settable == 0) settable = FILE_ATTRIBUTE_NORMAL;
  return ::SetFileAttributesW(SystemPath(path).c_str(), settable) != FALSE;
}

std::optional<std::string> Win32FileSystem::ReadFile(std::u16string_view path) {
  FileHandle file(::CreateFileW(SystemPath(path).c_str(), GENERIC_READ,
                                FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
  if (!file) return std::nullopt;
  std::string bytes;
  LARGE_INTEGER size;
  if (::GetFileSizeEx(file.Get(), &size) && size.QuadPart > 0) {
    bytes.reserve(static_cast<std::size_t>(size.QuadPart));
  }
  // Read to the end rather than to the size seen above, in case the file grows.
  char buffer[64 * 1024];
  for (;;) {
    DWORD got = 0;
    if (!::ReadFile(file.Get(), buffer, sizeof buffer, &got, nullptr)) return std::nullopt;
    if (got == 0) break;
    bytes.append(buffer, got);
  }
  return bytes;
}

bool Win32FileSystem::WriteFile(std::u16string_view path, std::string_view bytes) {
  // The replacement keeps the old file's hidden and system marks, which MoveFileExW
  // would otherwise drop along with the old file.
  DWORD attributes = ::GetFileAttributesW(SystemPath(path).c_str());
  attributes =
      attributes == INVALID_FILE_ATTRIBUTES
          ? FILE_ATTRIBUTE_NORMAL
          : (attributes & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM)) | FILE_ATTRIBUTE_ARCHIVE;

  std::u16string temp;
  FileHandle file;
  for (int attempt = 0; attempt < kTempNameAttempts && !file; ++attempt) {
    temp = TempSibling(path);
    file.Reset(::CreateFileW(SystemPath(temp).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                             attributes, nullptr));
    if (!file && ::GetLastError() != ERROR_FILE_EXISTS) return false;
  }
  if (!file) return false;

  bool ok = true;
  // WriteFile takes a 32-bit count; large contents go in pieces.
  constexpr std::size_t kChunk = 1u << 30;
  for (std::size_t done = 0; ok && done < bytes.size();) {
    const DWORD want = static_cast<DWORD>(std::min(kChunk, bytes.size() - done));
    DWORD wrote = 0;
    ok = ::WriteFile(file.Get(), bytes.data() + done, want, &wrote, nullptr) && wrote == want;
    done += wrote;
  }
  ok = ok && ::FlushFileBuffers(file.Get());
  file.Reset();
  const std::wstring systemTemp = SystemPath(temp);
  ok = ok && ::MoveFileExW(systemTemp.c_str(), SystemPath(path).c_str(),
                           MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH);
  if (!ok) ::DeleteFileW(systemTemp.c_str());
  return ok;
}

namespace {

// Grown in steps by setting the file's end, which gives it its clusters at once: a
// write into a mapped page the disk has no room for would raise an exception
// instead of failing.
class Win32MappedFile final : public MappedFile {
 public:
  explicit Win32MappedFile(FileHandle file) : file_(std::move(file)) {}
  Win32MappedFile(const Win32MappedFile&) = delete;
  Win32MappedFile& operator=(const Win32MappedFile&) = delete;
  ~Win32MappedFile() override {
    Unmap();
    LARGE_INTEGER end;
    end.QuadPart = static_cast<LONGLONG>(used_);
    if (::SetFilePointerEx(file_.Get(), end, nullptr, FILE_BEGIN)) ::SetEndOfFile(file_.Get());
  }

  bool WriteAt(std::uint64_t offset, std::string_view bytes) override {
    const std::uint64_t end = offset + bytes.size();
    if (end > capacity_ && !Grow(end)) return false;
    std::copy(bytes.begin(), bytes.end(), view_ + offset);
    used_ = std::max(used_, end);
    return true;
  }

 private:
  bool Grow(std::uint64_t needed) {
    constexpr std::uint64_t kFirstSize = 1u << 20;
    std::uint64_t size = std::max(capacity_ * 2, kFirstSize);
    while (size < needed) size *= 2;
    // The old view goes first: a file cannot be grown under a mapping of it.
    Unmap();
    auto extend = [&](std::uint64_t to) {
      LARGE_INTEGER end;
      end.QuadPart = static_cast<LONGLONG>(to);
      return ::SetFilePointerEx(file_.Get(), end, nullptr, FILE_BEGIN) && ::SetEndOfFile(file_.Get());
    };
    // A disk without room for a whole step may still hold what is needed now.
    constexpr std::uint64_t kSmallStep = 64u << 10;
    bool grown = extend(size);
    if (!grown) {
      size = (needed + kSmallStep - 1) / kSmallStep * kSmallStep;
      grown = extend(size);
    }
    const std::uint64_t mapSize = grown ? size : capacity_;
    if (mapSize == 0) return false;
    mapping_.Reset(::CreateFileMappingW(file_.Get(), nullptr, PAGE_READWRITE, static_cast<DWORD>(mapSize >> 32),
                                        static_cast<DWORD>(mapSize & 0xFFFFFFFF), nullptr));
    if (mapping_) view_ = static_cast<char*>(::MapViewOfFile(mapping_.Get(), FILE_MAP_WRITE, 0, 0, 0));
    capacity_ = view_ ? mapSize : 0;
    return grown && view_ != nullptr;
  }

  void Unmap() {
    if (view_) ::UnmapViewOfFile(view_);
    view_ = nullptr;
    mapping_.Reset();
  }

  FileHandle file_;
  MappingHandle mapping_;
  char* view_ = nullptr;
  std::uint64_t capacity_ = 0;
  std::uint64_t used_ = 0;
};

}  // namespace

std::unique_ptr<MappedFile> Win32FileSystem::CreateMappedFile(std::u16string_view path) {
  FileHandle file(::CreateFileW(SystemPath(path).c_str(), GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                                CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) return nullptr;
  return std::make_unique<Win32MappedFile>(std::move(file));
}

namespace {
class Win32HeldFile final : public HeldFile {
 public:
  explicit Win32HeldFile(FileHandle file) : file_(std::move(file)) {}

 private:
  FileHandle file_;
};
}  // namespace

FileHold Win32FileSystem::HoldFile(std::u16string_view path) {
  // No sharing at all: a second open fails with a sharing violation for as long as
  // this handle lives, and the system closes it when the process ends.
  FileHandle file(::CreateFileW(SystemPath(path).c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_ALWAYS,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) return {nullptr, ::GetLastError() == ERROR_SHARING_VIOLATION ? HoldStatus::Busy : HoldStatus::Failed};
  return {std::make_unique<Win32HeldFile>(std::move(file)), HoldStatus::Held};
}

bool Win32FileSystem::HeldByMappedFile(std::u16string_view path) {
  // A mapped file is opened without delete sharing: asking for delete access is
  // refused exactly while one holds the file.
  FileHandle file(::CreateFileW(SystemPath(path).c_str(), DELETE,
                                FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                                FILE_FLAG_OPEN_REPARSE_POINT, nullptr));
  return !file && ::GetLastError() == ERROR_SHARING_VIOLATION;
}

std::unique_ptr<FileSystem> MakeSystemFileSystem() { return std::make_unique<Win32FileSystem>(); }

std::u16string SystemTempFolder() {
  std::wstring folder(::GetTempPathW(0, nullptr), L'\0');
  const DWORD length = ::GetTempPathW(static_cast<DWORD>(folder.size()), folder.data());
  if (length == 0 || length >= folder.size()) return u".\\";
  folder.resize(length);
  // GetTempPathW may give 8.3 names ("RUNNER~1"); the long form is what users and
  // logs recognise.
  std::wstring longForm(::GetLongPathNameW(folder.c_str(), nullptr, 0), L'\0');
  if (!longForm.empty()) {
    const DWORD longLength =
        ::GetLongPathNameW(folder.c_str(), longForm.data(), static_cast<DWORD>(longForm.size()));
    if (longLength > 0 && longLength < longForm.size()) folder = longForm.substr(0, longLength);
  }
  return WithTrailingSeparator(FromWide(folder));
}

}  // namespace renamora

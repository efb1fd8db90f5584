// POSIX backend of the file system: byte names mapped to UTF-16 without loss,
// renames that never replace, walks that never follow links.
#include <dirent.h>
#include <fcntl.h>
#include <stdio.h>
#include <sys/file.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <sys/types.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <random>

#include "base/Paths.h"
#include "base/text/NameOrder.h"
#include "base/text/Utf.h"
#include "platform/FileSystem.h"

#ifndef RENAME_NOREPLACE
#define RENAME_NOREPLACE (1 << 0)
#endif

namespace renamora {
namespace {

// FILETIME ticks between 1601-01-01 and 1970-01-01.
constexpr std::int64_t kUnixEpochTicks = 116444736000000000LL;

FileTime ToFileTime(const struct timespec& t) {
  return kUnixEpochTicks + std::int64_t(t.tv_sec) * 10000000 + t.tv_nsec / 100;
}

// A name is hidden when it starts with "."; there are no system files; read-only
// means nobody may write it.
DirEntry MakeEntry(std::u16string name, const struct stat& st) {
  DirEntry e;
  e.isLink = S_ISLNK(st.st_mode);
  e.isFolder = S_ISDIR(st.st_mode);
  e.attributes = 0;
  if (e.isFolder) e.attributes |= kAttrDirectory;
  if (e.isLink) e.attributes |= kAttrReparsePoint;
  if (!name.empty() && name[0] == u'.') e.attributes |= kAttrHidden;
  if (!e.isLink && (st.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0) e.attributes |= kAttrReadOnly;
  // A pipe or a device is no file: reading it may never end.
  if (S_ISREG(st.st_mode)) e.attributes |= kAttrArchive;
  if (!S_ISREG(st.st_mode) && !e.isFolder && !e.isLink) e.attributes |= kAttrDevice;
  e.size = e.isFolder ? 0 : std::uint64_t(st.st_size);
  e.lastWrite = ToFileTime(st.st_mtim);
  e.name = std::move(name);
  return e;
}

DirEntry MakeKindEntry(std::u16string name, unsigned char type) {
  DirEntry e;
  e.isLink = type == DT_LNK;
  e.isFolder = type == DT_DIR;
  if (e.isFolder) e.attributes |= kAttrDirectory;
  if (e.isLink) e.attributes |= kAttrReparsePoint;
  if (!name.empty() && name[0] == u'.') e.attributes |= kAttrHidden;
  e.name = std::move(name);
  return e;
}

std::mt19937_64& TempNameSource() {
  static std::mt19937_64 gen{std::random_device{}()};
  return gen;
}

std::string SiblingTempName(const std::string& target) {
  const std::size_t slash = target.rfind('/');
  const std::string folder = slash == std::string::npos ? std::string() : target.substr(0, slash + 1);
  return folder + ".renamora-" + std::to_string(TempNameSource()()) + ".tmp";
}

// The same in UTF-16, for a path whose folder part may hold bytes that are not UTF-8.
std::u16string SiblingTempName(std::u16string_view target) {
  return std::u16string(FolderView(target)) + u".renamora-" + Utf8ToUtf16(std::to_string(TempNameSource()())) + u".tmp";
}

// Whether both paths name the same object, as a case-insensitive file system
// reports for two spellings of one name.
bool SameObject(const std::string& a, const std::string& b) {
  struct stat sa, sb;
  return ::lstat(a.c_str(), &sa) == 0 && ::lstat(b.c_str(), &sb) == 0 && sa.st_dev == sb.st_dev &&
         sa.st_ino == sb.st_ino;
}

RenameStatus FromErrno(int err) {
  switch (err) {
    case EEXIST:
    case ENOTEMPTY:
      return RenameStatus::TargetExists;
    case ENOENT:
      return RenameStatus::SourceMissing;
    default:
      return RenameStatus::Failed;
  }
}

// The errors of a file system (or kernel) that cannot rename without replacing.
bool LacksNoReplace(int err) { return err == EINVAL || err == ENOSYS || err == ENOTSUP; }

// Moves from to to only if to does not exist. RENAME_NOREPLACE makes that atomic;
// where the file system lacks it, files go through link + unlink (link refuses an
// existing target), and folders are moved only after a check that the target is
// absent: rename(2) on a folder can replace only an empty folder, so nothing the
// user owns can be lost even in that narrow window.
RenameStatus RenameNoReplace(const std::string& from, const std::string& to) {
  if (::renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0) {
    return RenameStatus::Ok;
  }
  const int err = errno;
  if (!LacksNoReplace(err)) return FromErrno(err);

  struct stat st;
  if (::lstat(from.c_str(), &st) != 0) return RenameStatus::SourceMissing;
  if (S_ISDIR(st.st_mode)) {
    struct stat existing;
    if (::lstat(to.c_str(), &existing) == 0) return RenameStatus::TargetExists;
    if (::rename(from.c_str(), to.c_str()) == 0) return RenameStatus::Ok;
    return FromErrno(errno);
  }
  if (::link(from.c_str(), to.c_str()) != 0) return FromErrno(errno);
  if (::unlink(from.c_str()) != 0) {
    const int unlinkErr = errno;
    ::unlink(to.c_str());
    return FromErrno(unlinkErr);
  }
  return RenameStatus::Ok;
}

// An open folder read entry by entry, "." and ".." skipped; never follows a link
// at the folder's own path.
class FolderReader {
 public:
  explicit FolderReader(std::u16string_view folder) {
    auto path = Utf16ToUtf8(folder);
    if (!path) return;
    fd_ = ::open(path->c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    if (fd_ < 0) return;
    dir_ = ::fdopendir(fd_);
    if (!dir_) ::close(fd_);
  }
  ~FolderReader() {
    if (dir_) ::closedir(dir_);  // closes fd_ too
  }
  FolderReader(const FolderReader&) = delete;
  FolderReader& operator=(const FolderReader&) = delete;

  bool IsOpen() const { return dir_ != nullptr; }
  struct dirent* Next() {
    while (struct dirent* d = ::readdir(dir_)) {
      const std::string_view name(d->d_name);
      if (name != "." && name != "..") return d;
    }
    return nullptr;
  }
  // About as many entries as the folder holds, from the size of the folder itself
  // (a few dozen bytes per entry on common file systems): a large listing then
  // grows its vector once instead of copying it over and over.
  std::size_t EntryEstimate() const {
    struct stat st;
    if (::fstat(fd_, &st) != 0 || st.st_size <= 0) return 0;
    constexpr std::size_t kMostReserved = std::size_t(1) << 22;
    return std::min(std::size_t(st.st_size) / 24, kMostReserved);
  }
  bool StatOf(const struct dirent* d, struct stat& st) const {
    return ::fstatat(fd_, d->d_name, &st, AT_SYMLINK_NOFOLLOW) == 0;
  }

 private:
  int fd_ = -1;
  DIR* dir_ = nullptr;
};

// Reads the folder's entries in the file system's order and hands each to visit,
// which answers whether to go on. An entry that vanished before it could be looked
// up is left out.
template <class Visit>
void EnumerateEntries(FolderReader& reader, ListDetail detail, Visit visit) {
  while (struct dirent* d = reader.Next()) {
    // The entry's type comes with the name on most file systems; a walk needs no more.
    if (detail == ListDetail::NamesAndKinds && d->d_type != DT_UNKNOWN) {
      if (!visit(MakeKindEntry(Utf8ToUtf16(d->d_name), d->d_type))) return;
      continue;
    }
    struct stat st;
    if (!reader.StatOf(d, st)) continue;  // vanished
    if (!visit(MakeEntry(Utf8ToUtf16(d->d_name), st))) return;
  }
}

// The file is grown in steps with its blocks reserved at once: a write into a
// mapped page the disk has no room for would kill the process instead of failing.
// One mapping of a large span is made at the start, so that growing never moves
// it, and each new step is faulted in with one call instead of one trap per page.
class PosixMappedFile final : public MappedFile {
 public:
  explicit PosixMappedFile(int fd) : fd_(fd) {}
  PosixMappedFile(const PosixMappedFile&) = delete;
  PosixMappedFile& operator=(const PosixMappedFile&) = delete;
  ~PosixMappedFile() override {
    if (base_) ::munmap(base_, kSpan);
    if (::ftruncate(fd_, off_t(used_)) != 0) {
      // The zeros beyond the written bytes end every reader's scan; nothing is lost.
    }
    ::close(fd_);
  }

  bool WriteAt(std::uint64_t offset, std::string_view bytes) override {
    const std::uint64_t end = offset + bytes.size();
    if (end > capacity_ && !Grow(end)) return false;
    std::memcpy(base_ + offset, bytes.data(), bytes.size());
    used_ = std::max(used_, end);
    return true;
  }

 private:
  static constexpr std::uint64_t kSpan = std::uint64_t(1) << 34;
  static constexpr std::uint64_t kFirstSize = 1u << 20;
  static constexpr std::uint64_t kLargestStep = 16u << 20;
  static constexpr std::uint64_t kSmallStep = 64u << 10;

  bool Grow(std::uint64_t needed) {
    if (needed > kSpan) return false;
    if (!base_) {
      void* mapped = ::mmap(nullptr, kSpan, PROT_READ | PROT_WRITE, MAP_SHARED, fd_, 0);
      if (mapped == MAP_FAILED) return false;
      base_ = static_cast<char*>(mapped);
    }
    std::uint64_t size = std::max(capacity_, kFirstSize);
    while (size < needed) size += std::min(size, kLargestStep);
    size = std::min(size, kSpan);
    // A disk without room for a whole step may still hold what is needed now, in
    // small steps: the caller meets the full disk only when even that fails.
    if (::posix_fallocate(fd_, 0, off_t(size)) != 0) {
      size = (needed + kSmallStep - 1) / kSmallStep * kSmallStep;
      if (::posix_fallocate(fd_, 0, off_t(size)) != 0) return false;
    }
#ifdef MADV_POPULATE_WRITE
    // Only a saving: an older kernel refuses it and the pages fault in one by one.
    ::madvise(base_ + capacity_, size - capacity_, MADV_POPULATE_WRITE);
#endif
    capacity_ = size;
    return true;
  }

  int fd_;
  char* base_ = nullptr;
  std::uint64_t capacity_ = 0;
  std::uint64_t used_ = 0;
};

// One open handle on the folder the renames happen in. A run renames thousands of
// items of one folder; renaming by name inside the open folder spares the kernel
// walking both full paths for every item, a measurable share of a large run.
class FolderHandle {
 public:
  FolderHandle() = default;
  FolderHandle(const FolderHandle&) = delete;
  FolderHandle& operator=(const FolderHandle&) = delete;
  ~FolderHandle() { Close(); }

  // The handle of folder (its path with the trailing slash), or -1.
  int For(std::string_view folder) {
    if (fd_ >= 0 && folder == folder_) return fd_;
    Close();
    folder_.assign(folder);
    fd_ = ::open(folder_.c_str(), O_PATH | O_DIRECTORY | O_CLOEXEC);
    struct stat st;
    if (fd_ >= 0 && ::fstat(fd_, &st) == 0) {
      device_ = st.st_dev;
      inode_ = st.st_ino;
    } else {
      Close();
    }
    return fd_;
  }

  // Whether a change of letter case in this folder was seen to leave the old
  // spelling leading nowhere: then the folder's file system tells case apart, and
  // later case changes in it need no proof.
  bool TellsCaseApart(std::string_view folder) const { return fd_ >= 0 && caseApart_ && folder == folder_; }
  void SetTellsCaseApart(std::string_view folder) { caseApart_ = fd_ >= 0 && folder == folder_; }

  // Whether the folder's path still leads to the folder the handle holds. Another
  // program may move the folder during a run; a rename through the handle then
  // happens where the folder went, not at the path the run records.
  bool StillAtPath() {
    struct stat st;
    return ::stat(folder_.c_str(), &st) == 0 && st.st_dev == device_ && st.st_ino == inode_;
  }

  // After the folder itself or one above it was renamed or removed, the handle
  // would lead to where the folder went, not to where its path now leads.
  void PathChanged(std::string_view path) {
    while (path.size() > 1 && path.back() == '/') path.remove_suffix(1);
    if (fd_ >= 0 && folder_.size() > path.size() && folder_.starts_with(path) && folder_[path.size()] == '/') {
      Close();
    }
  }

 private:
  void Close() {
    if (fd_ >= 0) ::close(fd_);
    fd_ = -1;
    folder_.clear();
    caseApart_ = false;
  }
  int fd_ = -1;
  std::string folder_;
  bool caseApart_ = false;
  dev_t device_ = 0;
  ino_t inode_ = 0;
};

// A lock file held through flock: the lock goes with the process, however it ends.
class PosixHeldFile final : public HeldFile {
 public:
  explicit PosixHeldFile(int fd) : fd_(fd) {}
  PosixHeldFile(const PosixHeldFile&) = delete;
  PosixHeldFile& operator=(const PosixHeldFile&) = delete;
  ~PosixHeldFile() override { ::close(fd_); }

 private:
  int fd_;
};

class PosixFileSystem final : public FileSystem {
 public:
  using FileSystem::ListFolder;

  std::optional<std::vector<DirEntry>> ListFolder(std::u16string_view folder, ListDetail detail) override {
    FolderReader reader(folder);
    if (!reader.IsOpen()) return std::nullopt;
    std::vector<DirEntry> entries;
    entries.reserve(reader.EntryEstimate());
    EnumerateEntries(reader, detail, [&](DirEntry e) {
      entries.push_back(std::move(e));
      return true;
    });
    SortNtfsOrder(entries, [](const DirEntry& e) -> const std::u16string& { return e.name; });
    return entries;
  }

  bool VisitFolder(std::u16string_view folder, ListDetail detail,
                   const std::function<bool(const DirEntry&)>& onEntry) override {
    FolderReader reader(folder);
    if (!reader.IsOpen()) return false;
    EnumerateEntries(reader, detail, [&](DirEntry e) { return onEntry(e); });
    return true;
  }

  std::optional<std::vector<DirEntry>> SomeFiles(std::u16string_view folder, std::size_t maxFiles) override {
    FolderReader reader(folder);
    if (!reader.IsOpen()) return std::nullopt;
    std::vector<DirEntry> files;
    while (files.size() < maxFiles) {
      struct dirent* d = reader.Next();
      if (!d) break;
      unsigned char type = d->d_type;
      if (type == DT_UNKNOWN) {
        struct stat st;
        if (!reader.StatOf(d, st)) continue;
        type = S_ISDIR(st.st_mode) ? DT_DIR : S_ISLNK(st.st_mode) ? DT_LNK : DT_REG;
      }
      if (type != DT_DIR) files.push_back(MakeKindEntry(Utf8ToUtf16(d->d_name), type));
    }
    return files;
  }

  std::optional<DirEntry> Stat(std::u16string_view path) override {
    auto p = Utf16ToUtf8(path);
    if (!p) return std::nullopt;
    struct stat st;
    if (::lstat(p->c_str(), &st) != 0) return std::nullopt;
    return MakeEntry(NameOf(path), st);
  }

  RenameStatus Rename(std::u16string_view from, std::u16string_view to, RenameSteps* steps) override {
    // Reused buffers: a run renames thousands of items and each conversion would
    // otherwise allocate.
    std::string& f = fromBytes_;
    std::string& t = toBytes_;
    if (!Utf16ToUtf8Into(from, f) || !Utf16ToUtf8Into(to, t)) return RenameStatus::Failed;
    if (f == t) return RenameStatus::Ok;
    const RenameStatus status = RenameInFolder(f, t);
    if (status == RenameStatus::Ok || status == RenameStatus::TargetExists) folder_.PathChanged(f);
    // The case mapping keeps lengths, so names of other lengths skip the comparison.
    const bool caseOnly = NameView(from).size() == NameView(to).size() &&
                          CompareNtfsOrder(NameView(from), NameView(to)) == 0 &&
                          FolderView(from) == FolderView(to);
    if (!caseOnly) return status;
    // A file system that tells letter case apart has carried the change out, and
    // the old spelling leads nowhere now: one lookup proves it. One that ignores
    // case finds the item under both spellings; it may refuse the rename onto the
    // item itself, or report success and keep the old spelling, so the item goes
    // through a temporary name, which always stores the new spelling. Case
    // sensitivity is a property of the folder, so the lookup is made once per
    // folder and not for every item of a run.
    if (status == RenameStatus::Ok) {
      const std::string_view folder = std::string_view(f).substr(0, f.rfind('/') + 1);
      if (folder_.TellsCaseApart(folder)) return RenameStatus::Ok;
      struct stat st;
      if (::lstat(f.c_str(), &st) != 0) {
        folder_.SetTellsCaseApart(folder);
        return RenameStatus::Ok;
      }
      if (!SameObject(f, t)) return RenameStatus::Ok;
    }
    if (status != RenameStatus::Ok && (status != RenameStatus::TargetExists || !SameObject(f, t))) return status;
    return RenameThroughTemporary(from, to, steps);
  }

  bool CreateFolder(std::u16string_view path) override {
    auto p = Utf16ToUtf8(path);
    return p && ::mkdir(p->c_str(), 0777) == 0;
  }

  bool DeleteFolder(std::u16string_view path) override {
    auto p = Utf16ToUtf8(path);
    if (p) folder_.PathChanged(*p);
    return p && ::rmdir(p->c_str()) == 0;
  }

  bool DeleteFile(std::u16string_view path) override {
    auto p = Utf16ToUtf8(path);
    if (!p) return false;
    struct stat st;
    if (::lstat(p->c_str(), &st) != 0 || S_ISDIR(st.st_mode)) return false;
    return ::unlink(p->c_str()) == 0;
  }

  // Only read-only can be set: hidden follows the name and there are no system files.
  bool SetAttributes(std::u16string_view path, std::uint32_t attributes) override {
    auto p = Utf16ToUtf8(path);
    if (!p) return false;
    struct stat st;
    if (::lstat(p->c_str(), &st) != 0) return false;
    if (S_ISLNK(st.st_mode)) return true;
    mode_t mode = st.st_mode & 07777;
    if (attributes & kAttrReadOnly) {
      mode &= ~mode_t(S_IWUSR | S_IWGRP | S_IWOTH);
    } else if ((mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0) {
      mode |= S_IWUSR;
    }
    return ::chmod(p->c_str(), mode) == 0;
  }

  std::optional<std::string> ReadFile(std::u16string_view path) override {
    auto p = Utf16ToUtf8(path);
    if (!p) return std::nullopt;
    const int fd = ::open(p->c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return std::nullopt;
    std::string out;
    char buf[65536];
    for (;;) {
      const ssize_t n = ::read(fd, buf, sizeof buf);
      if (n < 0) {
        if (errno == EINTR) continue;
        ::close(fd);
        return std::nullopt;
      }
      if (n == 0) break;
      out.append(buf, std::size_t(n));
    }
    ::close(fd);
    return out;
  }

  std::unique_ptr<MappedFile> CreateMappedFile(std::u16string_view path) override {
    auto p = Utf16ToUtf8(path);
    if (!p) return nullptr;
    // Emptied only once it is ours: the file may be the journal of a run still
    // going on in another process.
    const int fd = ::open(p->c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0666);
    if (fd < 0) return nullptr;
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0 || ::ftruncate(fd, 0) != 0) {
      ::close(fd);
      return nullptr;
    }
    return std::make_unique<PosixMappedFile>(fd);
  }

  FileHold HoldFile(std::u16string_view path) override {
    auto p = Utf16ToUtf8(path);
    if (!p) return {};
    const int fd = ::open(p->c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0666);
    if (fd < 0) return {};
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
      const bool busy = errno == EWOULDBLOCK;
      ::close(fd);
      return {nullptr, busy ? HoldStatus::Busy : HoldStatus::Failed};
    }
    return {std::make_unique<PosixHeldFile>(fd), HoldStatus::Held};
  }

  bool HeldByMappedFile(std::u16string_view path) override {
    auto p = Utf16ToUtf8(path);
    if (!p) return false;
    const int fd = ::open(p->c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW);
    if (fd < 0) return false;
    // The lock of a process that died went with it.
    const bool held = ::flock(fd, LOCK_SH | LOCK_NB) != 0 && errno == EWOULDBLOCK;
    ::close(fd);
    return held;
  }

  bool WriteFile(std::u16string_view path, std::string_view bytes) override {
    auto p = Utf16ToUtf8(path);
    if (!p) return false;
    const std::string temp = SiblingTempName(*p);
    const int fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd < 0) return false;
    bool ok = true;
    std::size_t done = 0;
    while (ok && done < bytes.size()) {
      const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
      if (n < 0 && errno == EINTR) continue;
      if (n <= 0) ok = false;
      else done += std::size_t(n);
    }
    ok = ::fsync(fd) == 0 && ok;
    ok = ::close(fd) == 0 && ok;
    // Replacing is the point of a whole-file write, so plain rename(2) is right here.
    if (ok) ok = ::rename(temp.c_str(), p->c_str()) == 0;
    if (!ok) ::unlink(temp.c_str());
    return ok;
  }

 private:
  std::string fromBytes_, toBytes_;
  FolderHandle folder_;

  // Moves the item aside under a temporary name and from there to the new
  // spelling, each step recorded first, and back where the second step fails.
  RenameStatus RenameThroughTemporary(std::u16string_view from, std::u16string_view to, RenameSteps* steps) {
    const std::u16string temp = SiblingTempName(from);
    const auto f = Utf16ToUtf8(from), t = Utf16ToUtf8(to), p = Utf16ToUtf8(temp);
    if (!f || !t || !p) return RenameStatus::Failed;
    if (steps && !steps->StepStarting(temp, from)) return RenameStatus::Failed;
    RenameStatus status = RenameNoReplace(*f, *p);
    if (status != RenameStatus::Ok) return status;
    if (steps) steps->StepDone(temp, from);
    if (!steps || steps->StepStarting(to, temp)) {
      status = RenameNoReplace(*p, *t);
      if (status == RenameStatus::Ok) {
        if (steps) steps->StepDone(to, temp);
        return RenameStatus::Ok;
      }
    } else {
      status = RenameStatus::Failed;
    }
    // Back to the old spelling; where even that fails the item keeps the temporary
    // name, and the record of the first step tells where it is.
    const bool recorded = !steps || steps->StepStarting(from, temp);
    if (RenameNoReplace(*p, *f) == RenameStatus::Ok && steps && recorded) steps->StepDone(from, temp);
    return status == RenameStatus::TargetExists ? status : RenameStatus::Failed;
  }

  // A rename between two names of one folder goes through the folder's handle;
  // anything else, or a file system that cannot refuse to replace, by full paths.
  RenameStatus RenameInFolder(const std::string& from, const std::string& to) {
    const std::size_t slash = from.rfind('/');
    if (slash != std::string::npos && to.rfind('/') == slash && from.compare(0, slash + 1, to, 0, slash + 1) == 0) {
      const int fd = folder_.For(std::string_view(from).substr(0, slash + 1));
      if (fd >= 0) {
        const char* fromName = from.c_str() + slash + 1;
        const char* toName = to.c_str() + slash + 1;
        if (::renameat2(fd, fromName, fd, toName, RENAME_NOREPLACE) == 0) {
          if (folder_.StillAtPath()) return RenameStatus::Ok;
          // The folder was moved away: the rename is taken back rather than
          // reported under a path where the item is not.
          const bool takenBack = ::renameat2(fd, toName, fd, fromName, RENAME_NOREPLACE) == 0;
          folder_.PathChanged(std::string_view(from).substr(0, slash));
          return takenBack ? RenameStatus::SourceMissing : RenameStatus::Failed;
        }
        if (!LacksNoReplace(errno)) return FromErrno(errno);
      }
    }
    return RenameNoReplace(from, to);
  }
};

}  // namespace

std::unique_ptr<FileSystem> MakeSystemFileSystem() { return std::make_unique<PosixFileSystem>(); }

std::u16string SystemTempFolder() {
  const char* tmp = std::getenv("TMPDIR");
  std::string folder = (tmp && *tmp) ? tmp : "/tmp";
  if (folder.back() != '/') folder += '/';
  return Utf8ToUtf16(folder);
}

}  // namespace renamora

// Journal records: a header (payload length, state), then four counts and two runs
// of UTF-16 LE units. The counts: how many units the current path shares at its
// start with the current path of the done record before it, how many of its own
// follow (the first run), and how many units the previous path shares with the
// current one at its start and at its end; what lies between is the second run.
// The file starts with its magic. Journals of the first form (both paths whole, a
// zero unit between them) are read as well: a build before this one may have left
// one behind, and its renames must stay undoable.
#include "core/UndoJournal.h"

#include <algorithm>
#include <bit>
#include <cstring>

#include "base/Paths.h"
#include "base/text/NameOrder.h"

namespace renamora {
namespace {

constexpr std::string_view kMagicWholePaths{"RNMJ\x01\x00\x00\x00", 8};
constexpr std::string_view kMagic{"RNMJ\x02\x00\x00\x00", 8};
constexpr std::uint32_t kStarted = 1;
constexpr std::uint32_t kDone = 2;
constexpr std::size_t kHeaderSize = 8;
constexpr std::size_t kCountsSize = 16;
constexpr char kZeroHeader[kHeaderSize] = {};

// Writes four bytes, least significant first; a single store on most machines.
void PutU32(char* at, std::uint32_t value) {
  for (int i = 0; i < 4; ++i) at[i] = static_cast<char>((value >> (8 * i)) & 0xFF);
}

std::uint32_t ReadU32(std::string_view bytes, std::size_t at) {
  std::uint32_t value = 0;
  for (int i = 3; i >= 0; --i) value = (value << 8) | static_cast<unsigned char>(bytes[at + std::size_t(i)]);
  return value;
}

// Writes the units as UTF-16 LE; returns the end.
char* PutUnits(char* at, std::u16string_view text) {
  if constexpr (std::endian::native == std::endian::little) {
    // Every pair of a run passes here: one copy, not one store per byte.
    if (!text.empty()) std::memcpy(at, text.data(), 2 * text.size());
    return at + 2 * text.size();
  } else {
    for (const char16_t c : text) {
      *at++ = static_cast<char>(c & 0xFF);
      *at++ = static_cast<char>(c >> 8);
    }
    return at;
  }
}

// Appends the UTF-16 LE units of an even number of bytes.
void AppendUnits(std::u16string& out, std::string_view bytes) {
  const std::size_t at = out.size();
  out.resize(at + bytes.size() / 2);
  for (std::size_t i = 0; i < bytes.size() / 2; ++i) {
    out[at + i] = static_cast<char16_t>(static_cast<unsigned char>(bytes[2 * i]) |
                                        (static_cast<unsigned char>(bytes[2 * i + 1]) << 8));
  }
}

// The comparisons below go four units at a time: every pair of a run passes
// through them, and its paths share dozens of units (char16_t strings compare one
// unit at a time).
std::uint64_t FourUnits(const char16_t* at) {
  std::uint64_t value;
  std::memcpy(&value, at, sizeof value);
  return value;
}

std::size_t SharedStart(std::u16string_view a, std::u16string_view b) {
  const std::size_t n = std::min(a.size(), b.size());
  std::size_t i = 0;
  while (i + 4 <= n && FourUnits(a.data() + i) == FourUnits(b.data() + i)) i += 4;
  while (i < n && a[i] == b[i]) ++i;
  return i;
}

std::size_t SharedEnd(std::u16string_view a, std::u16string_view b) {
  const std::size_t n = std::min(a.size(), b.size());
  std::size_t i = 0;
  while (i + 4 <= n && FourUnits(a.data() + a.size() - i - 4) == FourUnits(b.data() + b.size() - i - 4)) i += 4;
  while (i < n && a[a.size() - i - 1] == b[b.size() - i - 1]) ++i;
  return i;
}

bool Same(std::u16string_view a, std::u16string_view b) {
  return a.size() == b.size() && (a.empty() || std::memcmp(a.data(), b.data(), 2 * a.size()) == 0);
}

bool Whole(const JournalContent::Pair& pair) {
  return !pair.CurrentPath.empty() && !pair.PreviousPath.empty() &&
         pair.CurrentPath.find(u'\0') == std::u16string::npos && pair.PreviousPath.find(u'\0') == std::u16string::npos;
}

// A payload of the first form: current path, a zero unit, previous path.
std::optional<JournalContent::Pair> DecodeWholePaths(std::string_view payload) {
  std::u16string units;
  AppendUnits(units, payload);
  const std::size_t split = units.find(u'\0');
  if (split == std::u16string::npos) return std::nullopt;
  JournalContent::Pair pair{units.substr(0, split), units.substr(split + 1)};
  if (!Whole(pair)) return std::nullopt;
  return pair;
}

std::optional<JournalContent::Pair> DecodeShared(std::string_view payload, std::u16string_view lastCurrent) {
  if (payload.size() < kCountsSize) return std::nullopt;
  const std::size_t kept = ReadU32(payload, 0), own = ReadU32(payload, 4);
  const std::size_t front = ReadU32(payload, 8), end = ReadU32(payload, 12);
  const std::string_view runs = payload.substr(kCountsSize);
  if (kept > lastCurrent.size() || own > runs.size() / 2) return std::nullopt;
  JournalContent::Pair pair;
  pair.CurrentPath.assign(lastCurrent.substr(0, kept));
  AppendUnits(pair.CurrentPath, runs.substr(0, 2 * own));
  const std::u16string& current = pair.CurrentPath;
  if (front > current.size() || end > current.size() - front) return std::nullopt;
  pair.PreviousPath.assign(current, 0, front);
  AppendUnits(pair.PreviousPath, runs.substr(2 * own));
  pair.PreviousPath.append(current, current.size() - end, end);
  if (!Whole(pair)) return std::nullopt;
  return pair;
}

}  // namespace

std::u16string UndoJournalPath(std::u16string_view dataFolder) {
  return WithTrailingSeparator(dataFolder) + u"Undos" + kPathSeparator + u"rollback.jnl";
}

bool UndoJournal::Open() {
  // The start-up creates the folder, but a user may have removed it since.
  const std::u16string folder = path_.substr(0, LastFolderEnd(path_));
  // A folder that cannot be made makes the journal fail below, which stops the run.
  if (!fs_.IsFolder(folder)) static_cast<void>(fs_.CreateFolder(folder));
  file_ = fs_.CreateMappedFile(path_);
  if (!file_ || !file_->WriteAt(0, kMagic)) {
    failed_ = true;
    file_.reset();
    return false;
  }
  tail_ = kMagic.size();
  lastCurrent_.clear();
  return Write(tail_, std::string_view(kZeroHeader, kHeaderSize));
}

bool UndoJournal::Write(std::uint64_t offset, std::string_view bytes) {
  if (file_->WriteAt(offset, bytes)) return true;
  // What is written so far stays readable; later pairs are kept by the log alone.
  failed_ = true;
  return false;
}

bool UndoJournal::Starting(std::u16string_view currentPath, std::u16string_view previousPath) {
  if (failed_ || (!file_ && !Open())) return false;
  const std::size_t kept = SharedStart(lastCurrent_, currentPath);
  const std::size_t front = SharedStart(currentPath, previousPath);
  const std::size_t end = SharedEnd(currentPath.substr(front), previousPath.substr(front));
  const std::u16string_view own = currentPath.substr(kept);
  const std::u16string_view middle = previousPath.substr(front, previousPath.size() - front - end);
  record_.resize(kHeaderSize + kCountsSize + 2 * (own.size() + middle.size()));
  char* out = record_.data();
  PutU32(out, static_cast<std::uint32_t>(record_.size() - kHeaderSize));
  PutU32(out + 4, kStarted);
  PutU32(out + 8, static_cast<std::uint32_t>(kept));
  PutU32(out + 12, static_cast<std::uint32_t>(own.size()));
  PutU32(out + 16, static_cast<std::uint32_t>(front));
  PutU32(out + 20, static_cast<std::uint32_t>(end));
  PutUnits(PutUnits(out + kHeaderSize + kCountsSize, own), middle);
  const std::string_view record(record_);
  // The end mark after the record goes first: it makes the room for the whole
  // record, so that a full disk is met here, before anything of the record is
  // written, and it is the end mark that Done needs. The header comes last: until
  // it is there the record reads as the journal's end, never as a pair half
  // written over an earlier started one.
  started_ = false;
  if (!Write(tail_ + record.size(), std::string_view(kZeroHeader, kHeaderSize)) ||
      !Write(tail_, std::string_view(kZeroHeader, kHeaderSize)) ||
      !Write(tail_ + kHeaderSize, record.substr(kHeaderSize)) || !Write(tail_, record.substr(0, kHeaderSize))) {
    return false;
  }
  started_ = true;
  pending_ = record.size();
  startedCurrent_.assign(currentPath);
  startedPrevious_.assign(previousPath);
  return true;
}

void UndoJournal::Done(std::u16string_view currentPath, std::u16string_view previousPath) {
  // Only the pair that was started is marked done; any other one is written anew.
  if ((!started_ || !Same(startedCurrent_, currentPath) || !Same(startedPrevious_, previousPath)) &&
      !Starting(currentPath, previousPath)) {
    return;
  }
  if (failed_) return;
  started_ = false;
  char state[4];
  PutU32(state, kDone);
  if (!Write(tail_ + 4, std::string_view(state, sizeof state))) return;
  tail_ += pending_;
  // The next record is written against this one's current path. Starting has
  // already put the end mark here, over whatever a longer replaced record left.
  lastCurrent_.swap(startedCurrent_);
}

void UndoJournal::Discard() {
  if (file_) {
    // Emptied first: a journal that cannot be deleted must not bring pairs the log
    // already holds back at the next start, perhaps after they were undone.
    static_cast<void>(file_->WriteAt(kMagic.size(), std::string_view(kZeroHeader, kHeaderSize)));
    file_.reset();
    static_cast<void>(fs_.DeleteFile(path_));
  }
  failed_ = false;
  started_ = false;
  tail_ = 0;
  lastCurrent_.clear();
}

std::optional<JournalContent> ReadJournal(std::string_view bytes) {
  const bool wholePaths = bytes.starts_with(kMagicWholePaths);
  if (!wholePaths && !bytes.starts_with(kMagic)) return std::nullopt;
  JournalContent content;
  std::size_t at = kMagic.size();
  while (at + kHeaderSize <= bytes.size()) {
    const std::uint32_t length = ReadU32(bytes, at);
    const std::uint32_t state = ReadU32(bytes, at + 4);
    if (length == 0 || length % 2 != 0 || length > bytes.size() - at - kHeaderSize) break;
    if (state != kStarted && state != kDone) break;
    const std::string_view payload = bytes.substr(at + kHeaderSize, length);
    std::optional<JournalContent::Pair> pair =
        wholePaths ? DecodeWholePaths(payload)
                   : DecodeShared(payload, content.Done.empty() ? std::u16string_view()
                                                                : std::u16string_view(content.Done.back().CurrentPath));
    if (!pair) break;
    if (state == kStarted) {
      content.Started = std::move(pair);
      break;
    }
    content.Done.push_back(std::move(*pair));
    at += kHeaderSize + length;
  }
  return content;
}

std::vector<JournalContent::Pair> PairsToUndo(const JournalContent& content, FileSystem& fs) {
  std::vector<JournalContent::Pair> pairs = content.Done;
  if (!content.Started) return pairs;
  const JournalContent::Pair& started = *content.Started;
  bool happened = false;
  if (CompareNtfsOrder(started.CurrentPath, started.PreviousPath) == 0) {
    // A change of letter case: on a file system that ignores case both spellings
    // exist; the folder's listing tells which one the item has.
    const std::size_t end = LastFolderEnd(started.CurrentPath);
    if (end != std::u16string::npos) {
      const std::u16string_view name = NameView(started.CurrentPath);
      if (auto entries = fs.ListFolder(std::u16string_view(started.CurrentPath).substr(0, end + 1),
                                       ListDetail::NamesAndKinds)) {
        for (const DirEntry& e : *entries) happened = happened || e.name == name;
      }
    }
  } else {
    happened = fs.Exists(started.CurrentPath) && !fs.Exists(started.PreviousPath);
  }
  if (happened) pairs.push_back(started);
  return pairs;
}

}  // namespace renamora

// Journal records: a header (payload length, state) and the two paths as UTF-16 LE,
// current then previous, a zero unit between them. The file starts with its magic.
#include "core/UndoJournal.h"

#include <bit>
#include <cstring>

#include "core/Paths.h"
#include "core/text/NameOrder.h"

namespace renamora {
namespace {

constexpr std::string_view kMagic{"RNMJ\x01\x00\x00\x00", 8};
constexpr std::uint32_t kStarted = 1;
constexpr std::uint32_t kDone = 2;
constexpr std::size_t kHeaderSize = 8;
constexpr char kZeroHeader[kHeaderSize] = {};

void AppendU32(std::string& out, std::uint32_t value) {
  for (int shift = 0; shift < 32; shift += 8) out.push_back(static_cast<char>((value >> shift) & 0xFF));
}

std::uint32_t ReadU32(std::string_view bytes, std::size_t at) {
  std::uint32_t value = 0;
  for (int i = 3; i >= 0; --i) value = (value << 8) | static_cast<unsigned char>(bytes[at + std::size_t(i)]);
  return value;
}

void AppendUtf16Le(std::string& out, std::u16string_view text) {
  if constexpr (std::endian::native == std::endian::little) {
    // Every pair of a run passes here: one copy, not two pushes per unit.
    const std::size_t at = out.size();
    out.resize(at + 2 * text.size());
    std::memcpy(out.data() + at, text.data(), 2 * text.size());
  } else {
    for (const char16_t c : text) {
      out.push_back(static_cast<char>(c & 0xFF));
      out.push_back(static_cast<char>(c >> 8));
    }
  }
}

}  // namespace

std::u16string UndoJournalPath(std::u16string_view dataFolder) {
  return WithTrailingSeparator(dataFolder) + u"Undos" + kPathSeparator + u"rollback.jnl";
}

bool UndoJournal::Open() {
  // The start-up creates the folder, but a user may have removed it since.
  const std::u16string folder = path_.substr(0, LastFolderEnd(path_));
  if (!fs_.IsFolder(folder)) fs_.CreateFolder(folder);
  file_ = fs_.CreateMappedFile(path_);
  if (!file_ || !file_->WriteAt(0, kMagic)) {
    failed_ = true;
    file_.reset();
    return false;
  }
  tail_ = kMagic.size();
  return Write(tail_, std::string_view(kZeroHeader, kHeaderSize));
}

bool UndoJournal::Write(std::uint64_t offset, std::string_view bytes) {
  if (file_->WriteAt(offset, bytes)) return true;
  // What is written so far stays readable; later pairs are kept by the log alone.
  failed_ = true;
  return false;
}

void UndoJournal::Starting(std::u16string_view currentPath, std::u16string_view previousPath) {
  if (failed_ || (!file_ && !Open())) return;
  record_.clear();
  AppendUtf16Le(record_, currentPath);
  record_.append(2, '\0');
  AppendUtf16Le(record_, previousPath);
  std::string header;
  AppendU32(header, static_cast<std::uint32_t>(record_.size()));
  AppendU32(header, kStarted);
  // The header comes last: until it is there the record reads as the journal's end,
  // never as a pair half written over an earlier started one.
  if (!Write(tail_, std::string_view(kZeroHeader, kHeaderSize)) || !Write(tail_ + kHeaderSize, record_) ||
      !Write(tail_, header)) {
    started_ = false;
    return;
  }
  started_ = true;
  pending_ = kHeaderSize + record_.size();
}

bool UndoJournal::StartedIs(std::u16string_view currentPath, std::u16string_view previousPath) const {
  if (!started_ || record_.size() != 2 * (currentPath.size() + 1 + previousPath.size())) return false;
  if constexpr (std::endian::native == std::endian::little) {
    return std::memcmp(record_.data(), currentPath.data(), 2 * currentPath.size()) == 0 &&
           std::memcmp(record_.data() + 2 * (currentPath.size() + 1), previousPath.data(), 2 * previousPath.size()) == 0;
  }
  auto unitAt = [&](std::size_t i) {
    return static_cast<char16_t>(static_cast<unsigned char>(record_[2 * i]) |
                                 (static_cast<unsigned char>(record_[2 * i + 1]) << 8));
  };
  for (std::size_t i = 0; i < currentPath.size(); ++i) {
    if (unitAt(i) != currentPath[i]) return false;
  }
  const std::size_t base = currentPath.size() + 1;
  for (std::size_t i = 0; i < previousPath.size(); ++i) {
    if (unitAt(base + i) != previousPath[i]) return false;
  }
  return true;
}

void UndoJournal::Done(std::u16string_view currentPath, std::u16string_view previousPath) {
  // Only the pair that was started is marked done; any other one is written anew.
  if (!StartedIs(currentPath, previousPath)) Starting(currentPath, previousPath);
  if (!started_ || failed_) return;
  started_ = false;
  std::string state;
  AppendU32(state, kDone);
  if (!Write(tail_ + 4, state)) return;
  tail_ += pending_;
  // Bytes of a longer started record that was replaced may follow: a zero header
  // ends the journal here.
  Write(tail_, std::string_view(kZeroHeader, kHeaderSize));
}

void UndoJournal::Discard() {
  if (file_) {
    file_.reset();
    fs_.DeleteFile(path_);
  }
  failed_ = false;
  started_ = false;
  tail_ = 0;
}

std::optional<JournalContent> ReadJournal(std::string_view bytes) {
  if (!bytes.starts_with(kMagic)) return std::nullopt;
  JournalContent content;
  std::size_t at = kMagic.size();
  while (at + kHeaderSize <= bytes.size()) {
    const std::uint32_t length = ReadU32(bytes, at);
    const std::uint32_t state = ReadU32(bytes, at + 4);
    if (length == 0 || length % 2 != 0 || length > bytes.size() - at - kHeaderSize) break;
    if (state != kStarted && state != kDone) break;
    std::u16string units(length / 2, u'\0');
    for (std::size_t i = 0; i < units.size(); ++i) {
      const auto lo = static_cast<unsigned char>(bytes[at + kHeaderSize + 2 * i]);
      const auto hi = static_cast<unsigned char>(bytes[at + kHeaderSize + 2 * i + 1]);
      units[i] = static_cast<char16_t>(lo | (hi << 8));
    }
    const std::size_t split = units.find(u'\0');
    if (split == std::u16string::npos || split == 0 || split + 1 == units.size()) break;
    JournalContent::Pair pair{units.substr(0, split), units.substr(split + 1)};
    if (pair.PreviousPath.find(u'\0') != std::u16string::npos) break;
    if (state == kStarted) {
      content.Started = std::move(pair);
      break;
    }
    content.Done.push_back(std::move(pair));
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

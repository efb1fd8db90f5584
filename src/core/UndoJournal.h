// The journal of a rename run: every pair goes to disk as it happens, so that a run
// that is killed or crashes before its undo log is written can still be undone.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/FileSystem.h"

namespace renamora {

// DataFolder + "Undos" + separator + "rollback.jnl".
std::u16string UndoJournalPath(std::u16string_view dataFolder);

// Writes the journal through a MappedFile, so that each pair costs a copy in memory
// rather than a call into the system. A record is started before its rename and
// marked done after it: a process killed inside the rename call dies on its way
// back, and the started record is what tells the next start about that rename.
// A record holds only what its paths do not share with the pair before it and with
// each other (the folder, an unchanged part of the name), so a large run's journal
// takes a few megabytes of the system's memory rather than tens.
class UndoJournal {
 public:
  UndoJournal(FileSystem& fs, std::u16string path) : fs_(fs), path_(std::move(path)) {}

  // Before a rename: the pair it is about to make. A started record not marked done
  // is replaced by the next one (the rename failed, or a numbered name comes next).
  // False when the record could not be written (the journal cannot be made, or the
  // disk has no room for it to grow): the rename must not happen then, since
  // nothing would tell a later start about it.
  [[nodiscard]] bool Starting(std::u16string_view currentPath, std::u16string_view previousPath);
  // The rename of the pair succeeded (started here before, or now if it was not).
  void Done(std::u16string_view currentPath, std::u16string_view previousPath);
  // The pairs are safe in the undo log: the journal goes.
  void Discard();
  // False once the journal could not be made or grown.
  bool Working() const { return !failed_; }
  const std::u16string& Path() const { return path_; }

 private:
  [[nodiscard]] bool Open();
  [[nodiscard]] bool Write(std::uint64_t offset, std::string_view bytes);

  FileSystem& fs_;
  std::u16string path_;
  std::unique_ptr<MappedFile> file_;
  bool failed_ = false;
  bool started_ = false;
  std::uint64_t tail_ = 0;     // where the next record starts
  std::uint64_t pending_ = 0;  // length of the started record
  std::string record_;         // reused buffer
  // The started pair, and the current path of the last done one, which the next
  // record is written against.
  std::u16string startedCurrent_, startedPrevious_, lastCurrent_;
};

// What a journal holds: the pairs marked done, in order, and the started pair after
// them, if any.
struct JournalContent {
  struct Pair {
    std::u16string CurrentPath, PreviousPath;
    bool operator==(const Pair&) const = default;
  };
  std::vector<Pair> Done;
  std::optional<Pair> Started;
};

// Reads a journal's bytes up to the first record that is not whole; nothing when
// the bytes are no journal at all.
std::optional<JournalContent> ReadJournal(std::string_view bytes);

// The pairs to undo: the done pairs, and the started one where the disk shows that
// its rename happened (the new name is there and the old one is gone).
std::vector<JournalContent::Pair> PairsToUndo(const JournalContent& content, FileSystem& fs);

}  // namespace renamora

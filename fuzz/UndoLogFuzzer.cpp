// Fuzzes the undo-log reader (a fuzzed rollback file taken back), the log's round trip, and the journal of a killed
// run.
#include <algorithm>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "FuzzSupport.h"
#include "MemoryFileSystem.h"
#include "app/StringTable.h"
#include "core/TextFile.h"
#include "core/UndoJournal.h"
#include "core/UndoLog.h"
#include "support/TableLocale.h"

namespace renamora::fuzz {
namespace {

constexpr std::u16string_view kDataFolder = u"/data/";

class ListOfTexts final : public TargetList {
 public:
  std::size_t Count() const override { return items.size(); }
  std::u16string ItemText(std::size_t i) const override { return items[i]; }
  bool IsChecked(std::size_t) const override { return true; }
  bool ShowsCheckBoxes() const override { return false; }
  void SetItemText(std::size_t i, std::u16string_view text) override { items[i] = std::u16string(text); }
  void AddItem(std::u16string_view path) override { items.emplace_back(path); }
  std::vector<std::u16string> items;
};

class QuietMainWindow final : public UndoMainWindow {
 public:
  bool ShowsChosenFiles() const override { return chosenFiles; }
  std::u16string FolderBoxText() const override { return folder; }
  void EmptyList() override {}
  void ReloadList() override {}
  void ShowStatus(std::u16string_view) override {}
  bool chosenFiles = false;
  std::u16string folder;
};

// Cancels the progress window after a number of items, as a user might.
class CancellingObserver final : public RunObserver {
 public:
  explicit CancellingObserver(StopRequest& stop) : stop_(stop) {}
  void ItemRenamed(std::u16string_view, std::u16string_view) override {
    if (++items == stopAfter) stop_.Set();
  }
  int items = 0;
  int stopAfter = -1;

 private:
  StopRequest& stop_;
};

// A path a log line can hold: absolute, and without a line break.
std::u16string LogPath(FuzzInput& in) {
  std::u16string path = u"/" + in.Text(20);
  std::erase_if(path, [](char16_t c) { return c == u'\r' || c == u'\n'; });
  return path;
}

// Pairs written to the log read back as they were: nothing of a run is lost to
// an encoding, whatever the code page.
void CheckWriteAndRead(FuzzInput& in) {
  const test::TableLocale locale(in.Choice<test::CodePage>(3));
  MemoryFileSystem fs;
  fs.AddFolder(kDataFolder);
  UndoLog log(fs, locale, kDataFolder);
  for (int round = in.Int(1, 3); round > 0; --round) {
    std::vector<std::u16string> expected;
    const bool single = in.Bool();
    for (int n = single ? 1 : in.Int(1, 6); n > 0; --n) {
      expected.push_back(LogPath(in));
      expected.push_back(LogPath(in));
    }
    if (single) {
      FUZZ_CHECK(log.RecordSingle(expected[0], expected[1]));
    } else {
      for (std::size_t i = 0; i < expected.size(); i += 2) log.RecordUndoPair(expected[i], expected[i + 1]);
      FUZZ_CHECK(log.PendingUndoPairs() == expected.size() / 2);
      FUZZ_CHECK(log.WritePending());
      FUZZ_CHECK(log.PendingUndoPairs() == 0);
    }
    FUZZ_CHECK(log.UndoLogExists());
    const auto lines = ReadTextLines(fs, log.Path(), locale);
    FUZZ_CHECK(lines && *lines == expected);
    // The log rests read-only between runs.
    FUZZ_CHECK(fs.Find(log.Path())->attributes & kAttrReadOnly);
  }
}

void CheckTakeBack(FuzzInput& in, const std::string& bytes) {
  const test::TableLocale locale(in.Choice<test::CodePage>(3));
  MemoryFileSystem fs;
  fs.AddFolder(kDataFolder);
  UndoLog log(fs, locale, kDataFolder);
  fs.AddFile(log.Path(), bytes, kAttrArchive | kAttrReadOnly);
  const std::vector<std::u16string> lines = *ReadTextLines(fs, log.Path(), locale);

  // Some of the current paths exist, so that some renames back succeed.
  bool touchesData = false;
  ListOfTexts list;
  QuietMainWindow mainWindow;
  mainWindow.chosenFiles = in.Bool();
  for (std::size_t i = 0; i < lines.size(); ++i) {
    const bool inDataFolder = lines[i].starts_with(u"/data");
    touchesData = touchesData || inDataFolder;
    if (i % 2 == 0 && !inDataFolder && in.Bool()) fs.AddFile(lines[i], "x");
    if (in.Bool()) list.items.push_back(std::u16string(mainWindow.chosenFiles ? lines[i] : NameView(lines[i])));
  }

  CountingPrompter prompter;
  prompter.yes = in.Usually();
  StopRequest stop;
  CancellingObserver observer(stop);
  observer.stopAfter = in.Usually() ? -1 : in.Int(0, 80);
  EditHost host;
  const RunOptions options;
  const UndoServices services{prompter, StringTable::BuiltIn(), observer, list, mainWindow, host, stop, options};
  const std::size_t listSize = list.items.size();
  fs.renames.clear();
  const UndoResult result = log.Undo(services);

  FUZZ_CHECK(list.items.size() == listSize);
  if (!prompter.yes) {
    FUZZ_CHECK(result == UndoResult{});
    FUZZ_CHECK(fs.renames.empty());
    FUZZ_CHECK(fs.Find(log.Path()) && fs.Find(log.Path())->bytes == bytes);
    return;
  }
  // Pairs are taken back newest first, each exactly once, until a stop.
  const std::size_t pairs = lines.size() / 2;
  const std::size_t tried = std::size_t(result.Restored + result.Skipped);
  FUZZ_CHECK(tried == fs.renames.size());
  for (std::size_t j = 0; j < tried; ++j) {
    const std::size_t k = pairs - 1 - j;
    FUZZ_CHECK(fs.renames[j].first == lines[2 * k] && fs.renames[j].second == lines[2 * k + 1]);
  }
  FUZZ_CHECK(result.Failures.size() == std::size_t(result.Skipped));
  if (result.Outcome == UndoOutcome::Completed) {
    FUZZ_CHECK(tried == pairs && result.Skipped == 0);
  } else if (result.Outcome == UndoOutcome::Incomplete) {
    FUZZ_CHECK(tried == pairs && result.Skipped > 0);
  } else {
    FUZZ_CHECK(result.Outcome == UndoOutcome::Stopped);
    FUZZ_CHECK(tried < pairs);
  }
  if (touchesData) return;
  // The log keeps exactly the pairs not restored, in their order: the untried ones
  // and those that failed.
  std::vector<std::u16string> left(lines.begin(), lines.begin() + std::ptrdiff_t(2 * (pairs - tried)));
  for (auto failure = result.Failures.rbegin(); failure != result.Failures.rend(); ++failure) {
    left.push_back(failure->CurrentPath);
    left.push_back(failure->PreviousPath);
  }
  if (left.empty()) {
    FUZZ_CHECK(fs.Find(log.Path()) == nullptr);
  } else if (result.Restored == 0) {
    FUZZ_CHECK(fs.Find(log.Path()) && fs.Find(log.Path())->bytes == bytes);
  } else {
    FUZZ_CHECK(ReadTextLines(fs, log.Path(), locale) == std::optional(left));
  }
}

// Any bytes left where the journal goes (a damaged disk, another program's file):
// read as far as they hold whole records, never as pairs with empty or broken paths.
void CheckJournalBytes(const std::string& bytes) {
  const std::optional<JournalContent> content = ReadJournal(bytes);
  // Both forms of the journal are read: paths whole, and paths against the pair before.
  const bool journal = bytes.starts_with(std::string_view("RNMJ\x01\0\0\0", 8)) ||
                       bytes.starts_with(std::string_view("RNMJ\x02\0\0\0", 8));
  FUZZ_CHECK(content.has_value() == journal);
  if (!content) return;
  auto whole = [](const JournalContent::Pair& pair) {
    return !pair.CurrentPath.empty() && !pair.PreviousPath.empty() &&
           pair.CurrentPath.find(u'\0') == std::u16string::npos &&
           pair.PreviousPath.find(u'\0') == std::u16string::npos;
  };
  for (const auto& pair : content->Done) FUZZ_CHECK(whole(pair));
  if (content->Started) FUZZ_CHECK(whole(*content->Started));
  MemoryFileSystem fs;
  const std::vector<JournalContent::Pair> pairs = PairsToUndo(*content, fs);
  FUZZ_CHECK(pairs.size() >= content->Done.size() && pairs.size() <= content->Done.size() + 1);
}

// What the journal file held after the first `count` mapped writes: what a
// process killed at that moment leaves behind.
std::string JournalAfter(const std::vector<MemoryFileSystem::MappedWrite>& writes, std::size_t count,
                         std::u16string_view path) {
  std::string bytes;
  for (std::size_t i = 0; i < count; ++i) {
    if (writes[i].path != path) continue;
    const std::size_t end = std::size_t(writes[i].offset) + writes[i].bytes.size();
    if (bytes.size() < end) bytes.resize(end, '\0');
    bytes.replace(std::size_t(writes[i].offset), writes[i].bytes.size(), writes[i].bytes);
  }
  return bytes;
}

// A path the journal can hold: not empty, and without the zero unit that parts
// its two paths (no system allows one in a name). Outside the data folder, so
// that no path of a pair is the journal or the log.
std::u16string JournalPath(FuzzInput& in) {
  std::u16string path = u"/j" + LogPath(in);
  std::erase(path, u'\0');
  return path;
}

// A run killed at any moment can still be undone: the journal read back holds
// the pairs marked done before the kill, in order, and the next start makes
// them the undo log.
void CheckJournal(FuzzInput& in) {
  const test::TableLocale locale(in.Choice<test::CodePage>(3));
  MemoryFileSystem fs;
  fs.AddFolder(std::u16string(kDataFolder) + u"Undos");
  std::vector<std::pair<std::u16string, std::u16string>> pool(in.Int(1, 4));
  for (auto& pair : pool) pair = {JournalPath(in), JournalPath(in)};

  std::vector<std::pair<std::u16string, std::u16string>> done;
  std::optional<std::pair<std::u16string, std::u16string>> started;
  {
    UndoLog log(fs, locale, kDataFolder);
    for (int steps = in.Int(1, 12); steps > 0; --steps) {
      const auto& pair = pool[in.Int<std::size_t>(0, pool.size() - 1)];
      if (in.Bool()) {
        // The memory file system always has room: a refused record is a fault.
        FUZZ_CHECK(log.RenameStarting(pair.first, pair.second));
        started = pair;
      } else {
        log.RecordUndoPair(pair.first, pair.second);
        done.push_back(pair);
        started.reset();
      }
    }
    // The log is never written: the process dies here.
  }
  const std::u16string path = UndoJournalPath(kDataFolder);
  const std::vector<MemoryFileSystem::MappedWrite> writes = fs.mappedWrites;
  FUZZ_CHECK(JournalAfter(writes, writes.size(), path) == fs.Find(path)->bytes);

  const std::optional<JournalContent> whole = ReadJournal(fs.Find(path)->bytes);
  FUZZ_CHECK(whole.has_value());
  FUZZ_CHECK(whole->Done.size() == done.size());
  for (std::size_t i = 0; i < done.size(); ++i) {
    FUZZ_CHECK(whole->Done[i].CurrentPath == done[i].first && whole->Done[i].PreviousPath == done[i].second);
  }
  FUZZ_CHECK(whole->Started.has_value() == started.has_value());
  if (started)
    FUZZ_CHECK(whole->Started->CurrentPath == started->first && whole->Started->PreviousPath == started->second);

  // Every moment is read back; a few of them (the last, and some the input picks)
  // also go through the next start, which costs far more.
  std::vector<std::size_t> starts = {writes.size()};
  if (in.Bool()) starts.push_back(in.Int<std::size_t>(0, writes.size()));
  std::size_t doneBefore = 0;
  for (std::size_t cut = 0; cut <= writes.size(); ++cut) {
    const std::string bytes = JournalAfter(writes, cut, path);
    const std::optional<JournalContent> content = ReadJournal(bytes);
    if (!content) {
      FUZZ_CHECK(bytes.size() < 8);  // killed before the journal had its magic
      continue;
    }
    FUZZ_CHECK(content->Done.size() >= doneBefore && content->Done.size() <= done.size());
    doneBefore = content->Done.size();
    for (std::size_t i = 0; i < content->Done.size(); ++i) {
      FUZZ_CHECK(content->Done[i].CurrentPath == done[i].first && content->Done[i].PreviousPath == done[i].second);
    }
    if (content->Started) {
      const std::pair<std::u16string, std::u16string> s{content->Started->CurrentPath, content->Started->PreviousPath};
      FUZZ_CHECK(std::find(pool.begin(), pool.end(), s) != pool.end());
    }

    // The next start turns the journal into the undo log. None of the paths
    // exists here, so a started rename shows as not having happened.
    if (std::find(starts.begin(), starts.end(), cut) == starts.end()) continue;
    MemoryFileSystem next;
    next.AddFolder(std::u16string(kDataFolder) + u"Undos");
    next.AddFile(path, bytes);
    UndoLog log(next, locale, kDataFolder);
    std::size_t recovered = 0;
    const UndoLog::Recovery recovery = log.RecoverJournal(&recovered);
    FUZZ_CHECK(recovered == content->Done.size());
    FUZZ_CHECK(recovery == (recovered == 0 ? UndoLog::Recovery::NoJournal : UndoLog::Recovery::Recovered));
    FUZZ_CHECK(next.Find(path) == nullptr);
    if (recovered == 0) continue;
    const auto lines = ReadTextLines(next, log.Path(), locale);
    FUZZ_CHECK(lines && lines->size() == 2 * recovered);
    for (std::size_t i = 0; i < recovered; ++i) {
      FUZZ_CHECK((*lines)[2 * i] == done[i].first && (*lines)[2 * i + 1] == done[i].second);
    }
  }
}

}  // namespace
}  // namespace renamora::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace renamora;
  using namespace renamora::fuzz;
  FuzzInput in(data, size);
  // The log's bytes first, so that a seed rollback file is read as one.
  const std::string bytes = in.Bytes(16384);
  CheckTakeBack(in, bytes);
  CheckJournalBytes(bytes);
  // One of the two writers per input: each log holds large blocks of memory, and
  // making fewer of them keeps the runs per second up.
  if (in.Bool()) {
    CheckWriteAndRead(in);
  } else {
    CheckJournal(in);
  }
  return 0;
}

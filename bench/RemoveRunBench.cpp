// Times a real "Removpart" run over many files in one folder against a raw rename
// loop over the same number of files, in the same process, and prints the ratio.
// With "journal", times the same run with its crash journal against the run
// without it instead, which is what the journal costs.
// Usage: renamora_bench_remove [files=20000] [rounds=3] [insert|journal]
#include <fcntl.h>
#include <stdio.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <string>
#include <vector>

#include "app/StringTable.h"
#include "base/Paths.h"
#include "base/text/Utf.h"
#include "core/RenameEngine.h"
#include "core/UndoJournal.h"
#include "core/UndoLog.h"

using namespace renamora;

namespace {

class SilentPrompter : public Prompter {
 public:
  PromptAnswer Show(PromptIcon, PromptButtons, std::u16string_view, std::u16string_view) override {
    ++shown;
    return PromptAnswer::Ok;
  }
  int shown = 0;
};

class NoList : public TargetList {
 public:
  std::size_t Count() const override { return 0; }
  std::u16string ItemText(std::size_t) const override { return {}; }
  bool IsChecked(std::size_t) const override { return false; }
  bool ShowsCheckBoxes() const override { return false; }
  void SetItemText(std::size_t, std::u16string_view) override {}
  void AddItem(std::u16string_view) override {}
};

// Keeps the pairs in memory as the undo log does until it is written, and with a
// journal also on disk as the undo log does during a run.
class PairSink : public RunSink {
 public:
  explicit PairSink(UndoJournal* journal) : journal_(journal) {}
  bool RenameStarting(std::u16string_view c, std::u16string_view p) override {
    if (!journal_) return true;
    const auto t0 = std::chrono::steady_clock::now();
    const bool kept = journal_->Starting(c, p);
    inJournal += std::chrono::steady_clock::now() - t0;
    return kept;
  }
  void RecordUndoPair(std::u16string_view c, std::u16string_view p) override {
    if (journal_) {
      const auto t0 = std::chrono::steady_clock::now();
      journal_->Done(c, p);
      inJournal += std::chrono::steady_clock::now() - t0;
    }
    pairs.Add(c, p);
  }
  std::size_t PendingUndoPairs() const override { return pairs.size(); }
  void FlushNow() override {}
  void ScheduleFlush() override {}
  void RenameFailed(std::u16string_view, std::u16string_view, RenameStatus) override { ++failed; }
  UndoPairLines pairs;
  int failed = 0;
  // Time spent inside the journal's calls, which wall-clock rounds cannot resolve
  // from the noise of the renames themselves.
  std::chrono::steady_clock::duration inJournal{};

 private:
  UndoJournal* journal_;
};

std::u16string FileName(int i) {
  char buf[32];
  snprintf(buf, sizeof buf, "x%06d.dat", i);
  return U16(buf);
}

// Plain creation without the whole-file write's flush, which would dominate a profile.
void MakeFiles(FileSystem& fs, const std::u16string& folder, int n) {
  if (!fs.CreateFolder(folder)) fprintf(stderr, "cannot make the folder of the files\n");
  for (int i = 0; i < n; ++i) {
    const int fd = ::open(Utf16ToUtf8(folder + kPathSeparator + FileName(i))->c_str(), O_WRONLY | O_CREAT, 0644);
    if (fd >= 0) ::close(fd);
  }
}

void RemoveAll(FileSystem& fs, const std::u16string& folder) {
  if (auto entries = fs.ListFolder(folder)) {
    // What cannot be removed stays in the system's temporary folder.
    for (const auto& e : *entries) static_cast<void>(fs.DeleteFile(folder + kPathSeparator + e.name));
  }
  static_cast<void>(fs.DeleteFolder(folder));
}

double Seconds(std::chrono::steady_clock::duration d) { return std::chrono::duration<double>(d).count(); }

}  // namespace

int main(int argc, char** argv) {
  const int n = argc > 1 ? std::atoi(argv[1]) : 20000;
  const int rounds = argc > 2 ? std::atoi(argv[2]) : 3;
  // "insert": an Addnewnum run with a numbering template instead of a removal, to
  // see what the template expansion costs per item.
  const bool insert = argc > 3 && std::string(argv[3]) == "insert";
  const bool journalCost = argc > 3 && std::string(argv[3]) == "journal";
  auto fs = MakeSystemFileSystem();
  auto locale = MakeSystemLocale();
  auto clock = MakeSystemClock();
  const std::u16string base = SystemTempFolder() + u"renamora-bench-" + U16(std::to_string(::time(nullptr)));
  if (!fs->CreateFolder(base)) {
    fprintf(stderr, "cannot make the benchmark's folder\n");
    return 1;
  }
  std::vector<double> raw, engine, journalShares;
  auto timeRun = [&](bool withJournal) {
    const std::u16string runFolder = base + kPathSeparator + u"run";
    MakeFiles(*fs, runFolder, n);
    StringTable texts;
    SilentPrompter prompter;
    RunObserver observer;
    NoList list;
    UndoJournal journal(*fs, base + kPathSeparator + u"rollback.jnl");
    PairSink sink(withJournal ? &journal : nullptr);
    EditHost host;
    ProgramState program;
    RunState run;
    PreviewRows preview;
    SequenceState sequences;
    SpecialStringSettings special;
    RunOptions options;
    program.TargetFolder = WithTrailingSeparator(runFolder);
    EditRequest request;
    request.Mode = std::u16string(EditMode::kRemove);
    request.Remove.Strings = {u"x", u"", u""};
    if (insert) {
      request.Mode = std::u16string(EditMode::kInsert);
      request.Insert.AtEnd = true;
      request.Insert.EndTemplate = u"_$$$$$";
    }
    RenameEngine eng(RunServices{*fs, *locale, *clock, texts, prompter, observer, list, sink, host, program, run, preview,
                                 sequences, special, options});
    // Nothing left to write back from making the files: the timed step pays for its own work only.
    ::sync();
    const auto t0 = std::chrono::steady_clock::now();
    eng.RenameCommand(request);
    // The journal's life ends with the run, as when the undo log has been written.
    const auto t1 = std::chrono::steady_clock::now();
    journal.Discard();
    const auto t2 = std::chrono::steady_clock::now();
    (withJournal || !journalCost ? engine : raw).push_back(Seconds(t2 - t0));
    if (withJournal) journalShares.push_back(Seconds(sink.inJournal + (t2 - t1)) / Seconds(t2 - t0));
    RemoveAll(*fs, runFolder);
    return run.Counters.Renamed == n && sink.failed == 0;
  };
  auto timeRaw = [&] {
    if (journalCost) return timeRun(false);
    // Baseline: the names are known in advance and each is renamed by one system call.
    const std::u16string rawFolder = base + kPathSeparator + u"raw";
    MakeFiles(*fs, rawFolder, n);
    std::vector<std::string> from, to;
    for (int i = 0; i < n; ++i) {
      const std::u16string name = FileName(i);
      from.push_back(*Utf16ToUtf8(rawFolder + kPathSeparator + name));
      to.push_back(*Utf16ToUtf8(rawFolder + kPathSeparator + name.substr(1)));
    }
    ::sync();
    const auto t0 = std::chrono::steady_clock::now();
    for (int i = 0; i < n; ++i) ::rename(from[i].c_str(), to[i].c_str());
    raw.push_back(Seconds(std::chrono::steady_clock::now() - t0));
    RemoveAll(*fs, rawFolder);
    return true;
  };
  for (int round = 0; round < rounds; ++round) {
    // Alternate which goes first, so that neither always meets the disk as the other
    // left it.
    if ((round % 2 == 1 && !timeRaw()) || !timeRun(true) || (round % 2 == 0 && !timeRaw())) {
      fprintf(stderr, "the run did not rename all %d files\n", n);
      return 1;
    }
  }
  static_cast<void>(fs->DeleteFolder(base));
  // Each round times both back to back, so the ratio of a round sees one state of
  // the disk; the median of the rounds' ratios is the figure to compare.
  std::vector<double> ratios;
  for (std::size_t i = 0; i < raw.size(); ++i) ratios.push_back(engine[i] / raw[i]);
  std::sort(raw.begin(), raw.end());
  std::sort(engine.begin(), engine.end());
  std::sort(ratios.begin(), ratios.end());
  std::sort(journalShares.begin(), journalShares.end());
  const char* kind = insert ? "Addnewnum" : "Removpart";
  printf("files %d, rounds %d: %s %.3f s, %s run%s %.3f s (medians), ratio %.3f (median of rounds)\n", n, rounds,
         journalCost ? "run without journal" : "raw rename loop", raw[raw.size() / 2], kind,
         journalCost ? " with journal" : "", engine[engine.size() / 2], ratios[ratios.size() / 2]);
  printf("time inside the journal's calls: %.1f %% of the run (median of rounds)\n",
         100 * journalShares[journalShares.size() / 2]);
  return 0;
}

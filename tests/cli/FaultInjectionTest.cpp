// renamora-cli when the system refuses a rename, a folder listing or the undo log's
// write in the middle of a run: nothing is lost, what failed is told, and undo
// takes back exactly what was done. Under Wine the same faults hit the Win32 backend.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <string>
#include <vector>

#include "base/Paths.h"
#include "base/text/Utf.h"
#include "cli/CliHarness.h"
#include "core/UndoJournal.h"
#include "core/UndoLog.h"
#include "support/FaultyFileSystem.h"
#include "support/TempFolder.h"

namespace renamora::cli {
namespace {

using test::Fault;
using test::FaultyCall;
using test::TempFolder;

// Every file under a folder by its path below it ("/"-separated) with its content;
// a folder is listed as well, so that a lost or added folder shows.
using Tree = std::map<std::u16string, std::string>;
constexpr const char* kFolderMark = "<folder>";

void AddTree(FileSystem& fs, const std::u16string& folder, const std::u16string& below, Tree& tree) {
  auto entries = fs.ListFolder(folder);
  ASSERT_TRUE(entries.has_value()) << ToUtf8Lossy(folder);
  for (const DirEntry& e : *entries) {
    const std::u16string path = folder + kPathSeparator + e.name;
    const std::u16string key = below.empty() ? e.name : below + u"/" + e.name;
    if (e.isFolder) {
      tree[key] = kFolderMark;
      AddTree(fs, path, key, tree);
    } else {
      auto bytes = fs.ReadFile(path);
      tree[key] = bytes ? *bytes : "<unreadable>";
    }
  }
}

Tree TreeOf(FileSystem& fs, const TempFolder& folder) {
  Tree tree;
  AddTree(fs, folder.Path(), u"", tree);
  return tree;
}

// A full path below the folder as a key of its Tree.
std::u16string KeyOf(const TempFolder& folder, std::u16string_view path) {
  std::u16string key(path.substr(folder.Path().size() + 1));
  for (char16_t& c : key) {
    if (c == kPathSeparator) c = u'/';
  }
  return key;
}

// The file name at the end of a Tree key.
std::u16string NameOfKey(const std::u16string& key) { return key.substr(key.rfind(u'/') + 1); }

// The edit of these tests puts "x_" before every file name: no two items want the
// same name, so where each file goes does not depend on which others failed.
std::u16string Renamed(const std::u16string& key) {
  return key.substr(0, key.size() - NameOfKey(key).size()) + u"x_" + NameOfKey(key);
}

// The tree after the edit, with the files at the given keys left where they were.
Tree RenamedExcept(const Tree& before, const std::vector<std::u16string>& keptKeys) {
  Tree after;
  for (const auto& [key, content] : before) {
    const bool kept = content == kFolderMark || std::find(keptKeys.begin(), keptKeys.end(), key) != keptKeys.end();
    after[kept ? key : Renamed(key)] = content;
  }
  return after;
}

std::string StatusLine(int renamed, int failed) {
  return std::to_string(renamed) + " renamed successfully," + std::to_string(failed) + " failed.\n";
}

enum class Layout {
  Flat,    // 30 files in the target folder
  Nested,  // 10 files in the target folder and 10 in each of its subfolders s1 and s2
  Deep,    // Nested, and 8 more files in s1/deep
};

// Files with contents that tell them apart, so that a file that took another's
// name (or lost its own) shows in the Tree.
void MakeLayout(TempFolder& folder, Layout layout) {
  auto make = [&](const std::u16string& prefix, int count) {
    for (int i = 0; i < count; ++i) {
      const std::string name = (i < 10 ? "0" : "") + std::to_string(i) + ".txt";
      const std::u16string path = prefix + U16(name);
      folder.MakeFile(path, "content of " + ToUtf8Lossy(path));
    }
  };
  if (layout == Layout::Flat) {
    make(u"f", 30);
    return;
  }
  make(u"a", 10);
  make(u"s1/b", 10);
  make(u"s2/c", 10);
  if (layout == Layout::Deep) make(u"s1/deep/d", 8);
}

class FaultInjection : public CliHarness {
 protected:
  FileSystem& CallFileSystem() override { return faulty; }

  // A real rename run of the edit over the folder, with the fault armed for the
  // run only.
  CliResult RenameWith(const TempFolder& folder, Layout layout, FaultyCall kind, const Fault& fault) {
    Args args{u"--head", u"x_", u"--yes", u"--format", u"tsv"};
    if (layout != Layout::Flat) args.push_back(u"--subfolders");
    args.push_back(folder.Path());
    faulty.Arm(kind, fault);
    CliResult r = Command(u"rename", args);
    faulty.Disarm(kind);
    return r;
  }
  std::vector<std::u16string> FailedKeys(const TempFolder& folder, FaultyCall kind) {
    std::vector<std::u16string> keys;
    for (const auto& path : faulty.FailedPaths(kind)) keys.push_back(KeyOf(folder, path));
    return keys;
  }

  test::FaultyFileSystem faulty{*fs};
};

TEST_F(FaultInjection, ARunGoesOnPastFailedRenamesAndUndoTakesBackTheRest) {
  struct Row {
    const char* label;
    Layout layout;
    Fault fault;
    int failed;
  };
  const Row rows[] = {
      {"the first rename", Layout::Flat, Fault::Call(1), 1},
      {"a rename in the middle", Layout::Flat, Fault::Call(15), 1},
      {"the last rename", Layout::Flat, Fault::Call(30), 1},
      {"every rename from the 20th on", Layout::Flat, Fault::From(20), 11},
      {"every rename", Layout::Flat, Fault::From(1), 30},
      {"the first rename, with subfolders", Layout::Nested, Fault::Call(1), 1},
      {"the 11th rename, the first of the second folder", Layout::Nested, Fault::Call(11), 1},
      {"the last rename, with subfolders", Layout::Nested, Fault::Call(30), 1},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.label);
    TempFolder folder(*fs);
    MakeLayout(folder, row.layout);
    const Tree before = TreeOf(*fs, folder);
    ASSERT_EQ(before.size(), row.layout == Layout::Flat ? 30u : 32u);

    const CliResult r = RenameWith(folder, row.layout, FaultyCall::Rename, row.fault);
    const std::vector<std::u16string> failedKeys = FailedKeys(folder, FaultyCall::Rename);
    ASSERT_EQ(int(failedKeys.size()), row.failed);
    const int renamed = 30 - row.failed;
    EXPECT_EQ(r.status, kExitSomeFailed) << r.err;
    EXPECT_TRUE(r.out.ends_with(StatusLine(renamed, row.failed))) << r.out;
    // Each failed item is named, so that the user can see to it.
    for (const std::u16string& key : failedKeys) {
      const std::string told = "'" + ToUtf8Lossy(NameOfKey(key)) + "' was not renamed";
      EXPECT_NE(r.err.find(told), std::string::npos) << told << "\nstandard error: " << r.err;
    }
    // Every file not failed has its new name, each failed one its old name, and no
    // content is lost, doubled or swapped.
    EXPECT_EQ(TreeOf(*fs, folder), RenamedExcept(before, failedKeys));

    const CliResult undone = Command(u"undo", {u"--yes"});
    EXPECT_EQ(undone.status, renamed > 0 ? kExitDone : kExitNothingToDo) << undone.err;
    EXPECT_EQ(TreeOf(*fs, folder), before);
  }
}

TEST_F(FaultInjection, AnUndoGoesOnPastFailedRenames) {
  // The undo renames newest first: its first rename is the run's last.
  struct Row {
    const char* label;
    int first;
  };
  const Row rows[] = {{"the first pair taken back", 1}, {"a pair in the middle", 15}, {"the last pair", 30}};
  for (const Row& row : rows) {
    SCOPED_TRACE(row.label);
    TempFolder folder(*fs);
    MakeLayout(folder, Layout::Flat);
    const Tree before = TreeOf(*fs, folder);
    ASSERT_EQ(Command(u"rename", {u"--head", u"x_", u"--yes", folder.Path()}).status, kExitDone);
    const Tree renamed = TreeOf(*fs, folder);

    faulty.Arm(FaultyCall::Rename, Fault::Call(row.first));
    const CliResult undone = Command(u"undo", {u"--yes"});
    faulty.Disarm(FaultyCall::Rename);
    const std::vector<std::u16string> failedKeys = FailedKeys(folder, FaultyCall::Rename);
    ASSERT_EQ(failedKeys.size(), 1u);
    EXPECT_EQ(undone.status, kExitSomeFailed) << undone.err;
    // The pair that failed stays at its new name; every other file is back.
    Tree expected = before;
    const std::u16string failedKey = failedKeys[0];
    ASSERT_TRUE(failedKey.starts_with(u"x_")) << ToUtf8Lossy(failedKey);
    expected.erase(failedKey.substr(2));
    expected[failedKey] = renamed.at(failedKey);
    EXPECT_EQ(TreeOf(*fs, folder), expected);
    // It is named, and no completion is claimed; the log keeps that pair alone,
    // so the next undo finishes the job.
    EXPECT_NE(undone.err.find(ToUtf8Lossy(failedKey) + "' was not renamed back"), std::string::npos) << undone.err;
    EXPECT_EQ(undone.out.find("UNDO COMPLETED"), std::string::npos) << undone.out;
    const CliResult again = Command(u"undo", {u"--yes"});
    EXPECT_EQ(again.status, kExitDone) << again.err;
    EXPECT_NE(again.out.find("UNDO COMPLETED"), std::string::npos) << again.out;
    EXPECT_EQ(TreeOf(*fs, folder), before);
  }
}

// A folder the system refuses to list holds items the run never saw: they keep
// their names, everything else is renamed, and undo takes back exactly that.
TEST_F(FaultInjection, AFolderThatCannotBeListedLosesNothing) {
  struct Row {
    const char* label;
    Layout layout;
    std::u16string folder;  // below the target, "" for the target itself
    int renamed;
  };
  const Row rows[] = {
      {"a subfolder", Layout::Nested, u"s2", 20},
      {"a folder two levels down", Layout::Deep, u"s1/deep", 30},
      {"a folder with a subfolder", Layout::Deep, u"s1", 20},
      {"the target folder itself", Layout::Nested, u"", 0},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.label);
    TempFolder folder(*fs);
    MakeLayout(folder, row.layout);
    const Tree before = TreeOf(*fs, folder);
    const std::u16string unlisted = row.folder.empty() ? folder.Path() : folder / row.folder;

    const CliResult r = RenameWith(folder, row.layout, FaultyCall::Listing, Fault::From(1, unlisted));
    EXPECT_FALSE(faulty.FailedPaths(FaultyCall::Listing).empty());
    // The files directly in the unlisted folder are the ones left alone; a folder
    // below it was never reached either.
    const std::u16string unlistedKey = row.folder.empty() ? u"" : row.folder + u"/";
    std::vector<std::u16string> keptKeys;
    for (const auto& [key, content] : before) {
      if (key.starts_with(unlistedKey)) keptKeys.push_back(key);
    }
    EXPECT_EQ(TreeOf(*fs, folder), RenamedExcept(before, keptKeys));
    if (row.renamed > 0) {
      EXPECT_NE(r.out.find(std::to_string(row.renamed) + " renamed successfully,"), std::string::npos) << r.out;
    }

    const CliResult undone = Command(u"undo", {u"--yes"});
    EXPECT_EQ(undone.status, row.renamed > 0 ? kExitDone : kExitNothingToDo) << undone.err;
    EXPECT_EQ(TreeOf(*fs, folder), before);
  }
}

// A user who renames a tree must learn that part of it could not be read: the run
// counts the unread folder as one failed item, names it on standard error and
// ends with "some items failed".
TEST_F(FaultInjection, AFolderThatCannotBeListedIsReported) {
  struct Row {
    const char* label;
    Layout layout;
    std::u16string folder;
    int renamed;
  };
  const Row rows[] = {
      {"a subfolder", Layout::Nested, u"s2", 20},
      {"a folder two levels down", Layout::Deep, u"s1/deep", 30},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.label);
    TempFolder folder(*fs);
    MakeLayout(folder, row.layout);
    const std::u16string unlisted = folder / row.folder;
    const CliResult r = RenameWith(folder, row.layout, FaultyCall::Listing, Fault::From(1, unlisted));
    EXPECT_EQ(r.status, kExitSomeFailed) << r.err;
    EXPECT_TRUE(r.out.ends_with(StatusLine(row.renamed, 1))) << r.out;
    EXPECT_NE(r.err.find(ToUtf8Lossy(unlisted)), std::string::npos) << r.err;
    Command(u"undo", {u"--yes"});
  }
}

// The renames are done when the undo log is written. If that write fails the user
// must be told at once, and the run's journal must let the next call take it back.
TEST_F(FaultInjection, AnUndoLogThatCannotBeWrittenIsReported) {
  struct Row {
    const char* label;
    bool earlierLog;  // a run before this one left its log
    bool journal;     // the run's journal can be made
  };
  const Row rows[] = {
      {"no earlier log", false, true},
      {"an earlier run's log", true, true},
  };
  const std::u16string logEnd = std::u16string(u"Undos") + kPathSeparator + u"rollback.rbk";
  for (const Row& row : rows) {
    SCOPED_TRACE(row.label);
    TempFolder earlier(*fs);
    if (row.earlierLog) {
      MakeLayout(earlier, Layout::Flat);
      ASSERT_EQ(Command(u"rename", {u"--remove", u"f", u"--yes", earlier.Path()}).status, kExitDone);
      ASSERT_TRUE(fs->Exists(UndoLogPath(data.Path())));
    }
    const Tree earlierAfterItsRun = TreeOf(*fs, earlier);
    TempFolder folder(*fs);
    MakeLayout(folder, Layout::Flat);
    const Tree before = TreeOf(*fs, folder);

    if (!row.journal) faulty.Arm(FaultyCall::MappedFile, Fault::From(1));
    const CliResult r = RenameWith(folder, Layout::Flat, FaultyCall::Write, Fault::From(1, logEnd));
    faulty.Disarm(FaultyCall::MappedFile);
    EXPECT_FALSE(faulty.FailedPaths(FaultyCall::Write).empty()) << "the run did not write its undo log";
    // The renames themselves stand: nothing is lost.
    EXPECT_EQ(TreeOf(*fs, folder), RenamedExcept(before, {}));
    EXPECT_TRUE(r.out.ends_with(StatusLine(30, 0))) << r.out;
    EXPECT_EQ(r.status, kExitSomeFailed);
    EXPECT_NE(r.err.find("rollback.rbk"), std::string::npos) << "standard error: " << r.err;
    // A message may send the user to the journal only where there is one.
    const std::u16string journal = UndoJournalPath(data.Path());
    const bool journalThere = fs->Exists(journal);
    EXPECT_EQ(journalThere, row.journal);
    if (!journalThere) {
      EXPECT_EQ(r.err.find("rollback.jnl"), std::string::npos) << "standard error: " << r.err;
    }

    // The next call turns the journal into the log, and undo takes this run back;
    // without a journal the run cannot be undone, and the earlier run is not taken
    // back in its place.
    const CliResult undone = Command(u"undo", {u"--yes"});
    EXPECT_EQ(TreeOf(*fs, folder), row.journal ? before : RenamedExcept(before, {})) << undone.err;
    EXPECT_EQ(TreeOf(*fs, earlier), earlierAfterItsRun);
    Command(u"undo", {u"--yes"});
  }
}

TEST_F(FaultInjection, AJournalThatCannotTakeARecordStopsTheRunBeforeThatItem) {
  struct Row {
    const char* label;
    bool journalMade;
    std::uint64_t room;  // bytes the journal may grow to
  };
  const Row rows[] = {
      {"the journal cannot be made", false, 0},
      {"the disk fills up part-way", true, 400},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.label);
    TempFolder folder(*fs);
    MakeLayout(folder, Layout::Flat);
    const Tree before = TreeOf(*fs, folder);
    if (!row.journalMade) faulty.Arm(FaultyCall::MappedFile, Fault::From(1));
    faulty.LimitMappedFiles(row.room);
    const CliResult r = Command(u"rename", {u"--head", u"x_", u"--yes", u"--format", u"tsv", folder.Path()});
    faulty.LimitMappedFiles(std::nullopt);
    faulty.DisarmAll();

    // The files renamed are the first ones in order, and no other: the run stopped
    // at the first item whose record could not be kept.
    const Tree after = TreeOf(*fs, folder);
    const std::size_t renamed = std::size_t(
        std::count_if(before.begin(), before.end(), [&](const auto& file) { return after.contains(Renamed(file.first)); }));
    std::vector<std::u16string> kept;
    for (auto it = std::next(before.begin(), std::ptrdiff_t(renamed)); it != before.end(); ++it) {
      kept.push_back(it->first);
    }
    EXPECT_EQ(after, RenamedExcept(before, kept));
    if (row.journalMade) {
      EXPECT_GT(renamed, 0u);
      EXPECT_LT(renamed, before.size());
    } else {
      EXPECT_EQ(renamed, 0u);
    }
    EXPECT_EQ(r.status, kExitSomeFailed);
    EXPECT_NE(r.err.find("stopped before"), std::string::npos) << r.err;

    // Everything that was renamed comes back.
    if (renamed > 0) {
      EXPECT_EQ(Command(u"undo", {u"--yes"}).status, kExitDone);
    }
    EXPECT_EQ(TreeOf(*fs, folder), before);
  }
}

}  // namespace
}  // namespace renamora::cli

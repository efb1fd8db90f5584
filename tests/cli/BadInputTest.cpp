// renamora-cli given bad input: broken request files and fields, data folders that
// cannot hold the undo log, folders that vanish while a run goes on, very long
// paths. A refusal must say what was wrong, and the disk must be left exactly as it
// was except for what the run itself renamed.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <iostream>
#include <memory>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#ifndef _WIN32
#include <sys/stat.h>
#include <unistd.h>
#endif

#include "base/Paths.h"
#include "base/text/Utf.h"
#include "cli/CliApp.h"
#include "cli/CliHarness.h"
#include "core/UndoJournal.h"
#include "core/UndoLog.h"
#include "support/ForwardingFileSystem.h"
#include "support/TempFolder.h"

namespace renamora::cli {
namespace {

using test::TempFolder;
using Lines = std::vector<std::string>;

void SnapshotInto(FileSystem& fs, const std::u16string& folder, const std::string& prefix, Lines& out) {
  auto entries = fs.ListFolder(folder);
  if (!entries) {
    out.push_back(prefix + "<unreadable>");
    return;
  }
  for (const DirEntry& e : *entries) {
    const std::u16string path = folder + kPathSeparator + e.name;
    const std::string rel = prefix + ToUtf8Lossy(e.name);
    if (e.isFolder) {
      out.push_back(rel + "/");
      SnapshotInto(fs, path, rel + "/", out);
    } else {
      out.push_back(rel + "=" + fs.ReadFile(path).value_or("<unreadable>"));
    }
  }
}

// Every entry under root with the content of every file, in byte order: a moved,
// renamed, created or rewritten item anywhere shows as a changed line.
Lines Snapshot(FileSystem& fs, const std::u16string& root) {
  Lines out;
  SnapshotInto(fs, root, "", out);
  std::sort(out.begin(), out.end());
  return out;
}

bool IsInside(std::u16string_view path, std::u16string_view folder) {
  return path.starts_with(folder) && (path.size() == folder.size() || path[folder.size()] == kPathSeparator);
}

// A folder that refuses every change, as one on a read-only medium or without
// write rights does, for every account (root included) and on both backends.
// With a name given, only changes of items of that name are refused.
class RefusingFileSystem final : public test::ForwardingFileSystem {
 public:
  RefusingFileSystem(FileSystem& inner, std::u16string folder, std::u16string name = {})
      : ForwardingFileSystem(inner), folder_(std::move(folder)), name_(std::move(name)) {}

  RenameStatus Rename(std::u16string_view from, std::u16string_view to, RenameSteps* steps) override {
    return Refused(from) || Refused(to) ? RenameStatus::Failed : Inner().Rename(from, to, steps);
  }
  bool CreateFolder(std::u16string_view path) override { return !Refused(path) && Inner().CreateFolder(path); }
  bool DeleteFolder(std::u16string_view path) override { return !Refused(path) && Inner().DeleteFolder(path); }
  bool DeleteFile(std::u16string_view path) override { return !Refused(path) && Inner().DeleteFile(path); }
  bool SetAttributes(std::u16string_view path, std::uint32_t attributes) override {
    return !Refused(path) && Inner().SetAttributes(path, attributes);
  }
  bool WriteFile(std::u16string_view path, std::string_view bytes) override {
    return !Refused(path) && Inner().WriteFile(path, bytes);
  }
  std::unique_ptr<MappedFile> CreateMappedFile(std::u16string_view path) override {
    return Refused(path) ? nullptr : Inner().CreateMappedFile(path);
  }

 private:
  bool Refused(std::u16string_view path) const {
    return IsInside(path, folder_) && (name_.empty() || NameView(path) == name_);
  }
  std::u16string folder_;
  std::u16string name_;
};

// Files that exist but cannot be read: locked by another program (the desktop
// program holds its files open on Windows) or without read rights.
class UnreadableFilesFileSystem final : public test::ForwardingFileSystem {
 public:
  UnreadableFilesFileSystem(FileSystem& inner, std::vector<std::u16string> paths)
      : ForwardingFileSystem(inner), paths_(std::move(paths)) {}

  std::optional<std::string> ReadFile(std::u16string_view path) override {
    if (std::find(paths_.begin(), paths_.end(), path) != paths_.end()) return std::nullopt;
    return Inner().ReadFile(path);
  }

 private:
  std::vector<std::u16string> paths_;
};

// Something else at work on the same disk: right after the run's k-th successful
// rename it moves a folder away; a folder can also be unreadable from the start.
class VanishingFileSystem final : public test::ForwardingFileSystem {
 public:
  using ForwardingFileSystem::ForwardingFileSystem;
  using ForwardingFileSystem::ListFolder;

  RenameStatus Rename(std::u16string_view from, std::u16string_view to, RenameSteps* steps) override {
    const RenameStatus status = Inner().Rename(from, to, steps);
    if (status == RenameStatus::Ok && ++renames == afterRenames && whenDue) whenDue();
    return status;
  }
  std::optional<std::vector<DirEntry>> ListFolder(std::u16string_view folder, ListDetail detail) override {
    if (Unreadable(folder)) return std::nullopt;
    return Inner().ListFolder(folder, detail);
  }
  std::optional<std::vector<DirEntry>> SomeFiles(std::u16string_view folder, std::size_t maxFiles) override {
    if (Unreadable(folder)) return std::nullopt;
    return Inner().SomeFiles(folder, maxFiles);
  }

  int afterRenames = 0;
  int renames = 0;
  std::function<void()> whenDue;
  std::u16string unreadable;

 private:
  bool Unreadable(std::u16string_view folder) const {
    return !unreadable.empty() && WithoutTrailingSeparators(folder) == unreadable;
  }
};

class BadInput : public CliHarness {
 protected:
  FileSystem& CallFileSystem() override { return wrapper ? *wrapper : *fs; }

  // A call with the program's own choice of data folder, from these folders.
  CliResult CliIn(const FolderEnvironment& folders, const Args& args) {
    std::ostringstream out, err;
    CliEnvironment env = Environment(out, err);
    env.folders = folders;
    CliResult result;
    result.status = RunCli(args, env);
    result.out = out.str();
    result.err = err.str();
    return result;
  }

  // The surroundings of a call from dir, writing to out and err; a test changes
  // what its row needs.
  CliEnvironment Environment(std::ostream& out, std::ostream& err) {
    CliEnvironment env{out,
                       err,
                       false,
                       false,
                       [] { return std::optional<std::string>(); },
                       CallFileSystem(),
                       *locale,
                       *clock,
                       {},
                       WithTrailingSeparator(dir.Path())};
    env.folders.programFile = dir / u"renamora-cli";
    return env;
  }

  // A call with the given data folder.
  CliResult CommandIn(const TempFolder& dataFolder, const std::u16string& command, const Args& rest) {
    Args args{command, u"--data-folder", dataFolder.Path()};
    args.insert(args.end(), rest.begin(), rest.end());
    return Cli(args);
  }

  // An earlier run whose undo log a refused call must leave as it is.
  void EarlierRun(TempFolder& work, const TempFolder& dataFolder) {
    work.MakeFile(u"earlier/xa.txt", "a");
    ASSERT_EQ(CommandIn(dataFolder, u"rename", {u"--remove", u"x", u"--yes", work / u"earlier"}).status, kExitDone);
    ASSERT_TRUE(fs->Exists(dataFolder / u"Undos/rollback.rbk"));
  }

  // The earlier run is still the one an undo takes back.
  void ExpectEarlierRunUndone(const TempFolder& work, const TempFolder& dataFolder) {
    const CliResult undone = CommandIn(dataFolder, u"undo", {u"--yes"});
    EXPECT_EQ(undone.status, kExitDone) << undone.err;
    EXPECT_EQ(work.Names(u"earlier"), (std::vector<std::u16string>{u"xa.txt"}));
  }

  std::unique_ptr<FileSystem> wrapper;
};

void ExpectErrHas(const CliResult& r, const std::string& piece) {
  EXPECT_NE(r.err.find(piece), std::string::npos) << "standard error lacks \"" << piece.substr(0, 80) << "\":\n"
                                                  << r.err.substr(0, 2000);
}

// Bytes no editor would save as text: NULs, control characters, stray high bytes,
// and not one line break, "[", "=" or ";" a lenient reader could take for a line.
std::string Garbage() {
  std::string bytes;
  std::uint32_t x = 12345;
  while (bytes.size() < 4096) {
    x = x * 1103515245u + 12345u;
    const char c = static_cast<char>((x >> 16) & 0xFF);
    const unsigned char u = static_cast<unsigned char>(c);
    if (u == '\r' || u == '\n' || u == '[' || u == '=' || u == ';' || (u >= 0x20 && u < 0x7F)) continue;
    bytes += c;
  }
  bytes[0] = '\0';  // no byte-order mark either
  return bytes;
}

TEST_F(BadInput, BrokenRequestIsRefusedBeforeAnythingChanges) {
  auto makeTarget = [](TempFolder& work) {
    work.MakeFile(u"T/IMG_1.jpg", "1");
    work.MakeFile(u"T/IMG_2.jpg", "2");
    work.MakeFile(u"T/sub/IMG_3.jpg", "3");
  };
  TempFolder requests(*fs);
  // Each file is a complete request but for its fault, so a reader that passes
  // over the fault renames something.
  const std::string remove = "[EditRequest]\r\nMode=remove\r\n[RemoveOptions]\r\nStrings1=IMG_\r\n";
  requests.MakeFile(u"garbage.ini", Garbage());
  requests.MakeFile(u"cut.ini", remove + "[InsertOpt");
  requests.MakeFile(u"open.ini", "[EditRequest]\r\nMode=remove\r\n[RemoveOptions\r\nStrings1=IMG_\r\n");
  requests.MakeFile(u"noequals.ini",
                    "[EditRequest]\r\nMode=remove\r\nIncludeSubfolders 1\r\n[RemoveOptions]\r\n"
                    "Strings1=IMG_\r\n");
  requests.MakeFile(u"huge.ini",
                    "[EditRequest]\r\nMode=insert\r\n[InsertOptions]\r\nInsertKind=ToPosition\r\n"
                    "AtHead=1\r\nHeadTemplate=" +
                        std::string(1 << 16, 'h') + "\r\n");
  // A whole request but for a comment that makes the file larger than any request.
  requests.MakeFile(u"over1mib.ini", remove + ";" + std::string(1 << 20, 'c') + "\r\n");
  requests.MakeFile(u"group.ini", remove + "[Nope]\r\nMode=remove\r\n");
  requests.MakeFile(u"field.ini", remove + "Strings9=x\r\n");
  requests.MakeFile(u"enum.ini", remove + "RemoveKind=Sideways\r\n");
  requests.MakeFile(u"bool.ini", remove + "CaseSensitive=yes\r\n");
  requests.MakeFile(u"scope.ini", "[EditRequest]\r\nMode=remove\r\nScope=4\r\n[RemoveOptions]\r\nStrings1=IMG_\r\n");
  requests.MakeFolder(u"folder.ini");

  struct Row {
    const char* label;
    Args args;
    int status;
    std::string errHas;  // names the bad file, line or field
  };
  auto file = [&](std::u16string_view name) { return requests / name; };
  const Row rows[] = {
      {"binary garbage", {u"--request", file(u"garbage.ini"), u"--remove", u"IMG_"}, kExitRefused, "garbage.ini"},
      {"section header cut off", {u"--request", file(u"cut.ini")}, kExitRefused, "line 5"},
      {"section header without ]", {u"--request", file(u"open.ini")}, kExitRefused, "line 3"},
      {"line without =", {u"--request", file(u"noequals.ini")}, kExitRefused, "line 3"},
      // Longer than any name or path: no field can use it.
      {"a line of 64 KB", {u"--request", file(u"huge.ini")}, kExitRefused, "InsertOptions.HeadTemplate"},
      {"a file over 1 MiB", {u"--request", file(u"over1mib.ini")}, kExitRefused, "1 MiB"},
      {"no such file", {u"--request", file(u"none.ini"), u"--remove", u"IMG_"}, kExitRefused, "none.ini"},
      {"a folder as the file", {u"--request", file(u"folder.ini"), u"--remove", u"IMG_"}, kExitRefused, "folder.ini"},
      {"unknown group in the file", {u"--request", file(u"group.ini")}, kExitRefused, "line 5"},
      {"unknown field in the file", {u"--request", file(u"field.ini")}, kExitRefused, "RemoveOptions.Strings9"},
      {"bad choice in the file", {u"--request", file(u"enum.ini")}, kExitRefused, "RemoveOptions.RemoveKind"},
      {"bad boolean in the file", {u"--request", file(u"bool.ini")}, kExitRefused, "RemoveOptions.CaseSensitive"},
      {"scope out of range in the file", {u"--request", file(u"scope.ini")}, kExitRefused, "EditRequest.Scope"},
      {"unknown group", {u"--remove", u"IMG_", u"--set", u"Nope.Mode=remove"}, kExitRefused, "Nope.Mode"},
      {"unknown field",
       {u"--remove", u"IMG_", u"--set", u"RemoveOptions.Strings9=x"},
       kExitRefused,
       "RemoveOptions.Strings9"},
      {"bad choice",
       {u"--remove", u"IMG_", u"--set", u"RemoveOptions.RemoveKind=Sideways"},
       kExitRefused,
       "RemoveOptions.RemoveKind"},
      {"bad boolean",
       {u"--remove", u"IMG_", u"--set", u"RemoveOptions.CaseSensitive=yes"},
       kExitRefused,
       "RemoveOptions.CaseSensitive"},
      {"scope 4", {u"--remove", u"IMG_", u"--set", u"EditRequest.Scope=4"}, kExitRefused, "EditRequest.Scope"},
      {"scope -1", {u"--remove", u"IMG_", u"--set", u"EditRequest.Scope=-1"}, kExitRefused, "EditRequest.Scope"},
      {"scope beyond 64 bits",
       {u"--remove", u"IMG_", u"--set", u"EditRequest.Scope=99999999999999999999"},
       kExitRefused,
       "EditRequest.Scope"},
      {"a line break in a value",
       {u"--remove", u"IMG_", u"--set", u"RemoveOptions.Strings2=a\nb"},
       kExitRefused,
       "RemoveOptions.Strings2"},
      {"--set without =",
       {u"--remove", u"IMG_", u"--set", u"RemoveOptions.Strings2"},
       kExitRefused,
       "RemoveOptions.Strings2"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.label);
    TempFolder work(*fs);
    TempFolder rowData(*fs);
    makeTarget(work);
    EarlierRun(work, rowData);
    const Lines tree = Snapshot(*fs, work.Path());
    const Lines dataTree = Snapshot(*fs, rowData.Path());
    Args args = row.args;
    args.insert(args.end(), {u"--yes", u"--format", u"tsv", work / u"T"});
    const CliResult r = CommandIn(rowData, u"rename", args);
    EXPECT_EQ(r.status, row.status) << r.err.substr(0, 2000);
    ExpectErrHas(r, row.errHas);
    // A message that repeats a megabyte of input is no clear message.
    EXPECT_LT(r.err.size(), 4096u);
    EXPECT_EQ(Snapshot(*fs, work.Path()), tree);
    EXPECT_EQ(Snapshot(*fs, rowData.Path()), dataTree);
    ExpectEarlierRunUndone(work, rowData);
  }

  // What a request file may hold without fault: a byte-order mark, comments,
  // blank lines and blanks around names and values.
  requests.MakeFile(u"fine.ini",
                    "\xEF\xBB\xBF; my edit\r\n\r\n[EditRequest]\r\n Mode = remove \r\n\r\n"
                    "[RemoveOptions]\r\n;Strings1=x\r\nStrings1=IMG_\r\n");
  makeTarget(dir);
  const CliResult fine = Command(u"preview", {u"--request", file(u"fine.ini"), u"--format", u"tsv", dir / u"T"});
  EXPECT_EQ(fine.status, kExitDone) << fine.err;
  EXPECT_EQ(fine.out, "IMG_1.jpg\t1.jpg\nIMG_2.jpg\t2.jpg\n");
}

TEST_F(BadInput, DataFolderThatCannotHoldTheUndoLogIsRefusedBeforeAnyRename) {
  dir.MakeFile(u"data.txt", "not a folder");
  dir.MakeFile(u"undosfile/Undos", "not a folder");
  dir.MakeFolder(u"locked/Undos");
  dir.MakeFolder(u"readonly");

  struct Row {
    const char* label;
    std::u16string dataFolder;
    bool refusesEveryWrite;  // through a stand-in, so that root sees the refusal too
    bool mode0555;
  };
  const Row rows[] = {
      {"a file", dir / u"data.txt", false, false},
      {"under a folder that does not exist", dir / u"no/such/data", false, false},
      {"its Undos is a file", dir / u"undosfile", false, false},
      {"it refuses every write", dir / u"locked", true, false},
      {"mode 0555", dir / u"readonly", false, true},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.label);
#ifdef _WIN32
    // A folder's read-only attribute does not stop writing on Windows; the row of
    // the stand-in covers such a folder there.
    if (row.mode0555) continue;
#else
    if (row.mode0555) {
      const std::string path = ToUtf8Lossy(row.dataFolder);
      ASSERT_EQ(::chmod(path.c_str(), 0555), 0);
      if (IsWritableFolder(*fs, row.dataFolder)) {
        ::chmod(path.c_str(), 0755);
        std::cout << "[ SKIP ROW ] " << row.label << ": "
                  << (::geteuid() == 0 ? "running as root, which writes whatever the mode says"
                                       : "this file system ignores the mode")
                  << "\n";
        continue;
      }
    }
#endif
    TempFolder work(*fs);
    work.MakeFile(u"T/xa.txt", "a");
    work.MakeFile(u"T/xb.txt", "b");
    if (row.refusesEveryWrite) wrapper = std::make_unique<RefusingFileSystem>(*fs, row.dataFolder);
    const Lines tree = Snapshot(*fs, dir.Path());
    const Lines workTree = Snapshot(*fs, work.Path());
    const CliResult r = Cli({u"rename", u"--data-folder", row.dataFolder, u"--remove", u"x", u"--yes", work / u"T"});
    wrapper.reset();
#ifndef _WIN32
    if (row.mode0555) ::chmod(ToUtf8Lossy(row.dataFolder).c_str(), 0755);
#endif
    EXPECT_EQ(r.status, kExitRefused) << r.err;
    ExpectErrHas(r, ToUtf8Lossy(row.dataFolder));
    EXPECT_EQ(Snapshot(*fs, dir.Path()), tree);
    EXPECT_EQ(Snapshot(*fs, work.Path()), workTree);
  }
}

TEST_F(BadInput, UndoLogThatCannotBeWrittenAfterTheRunIsReported) {
  // The log's folder takes the probe of a start-up check but not the log itself,
  // as a full disk or a quota does.
  dir.MakeFile(u"earlier/xa.txt", "a");
  ASSERT_EQ(Command(u"rename", {u"--remove", u"x", u"--yes", dir / u"earlier"}).status, kExitDone);
  const auto earlierLog = fs->ReadFile(data / u"Undos/rollback.rbk");
  ASSERT_TRUE(earlierLog.has_value());
  dir.MakeFile(u"T/xb.txt", "b");
  wrapper = std::make_unique<RefusingFileSystem>(*fs, data / u"Undos", u"rollback.rbk");
  const CliResult r = Command(u"rename", {u"--remove", u"x", u"--yes", dir / u"T"});
  wrapper.reset();
  // A log written before the renames refuses the run; one written after them
  // leaves a run without undo, which the user must hear of and a script must see.
  if (r.status == kExitRefused) {
    EXPECT_EQ(dir.Names(u"T"), (std::vector<std::u16string>{u"xb.txt"}));
  } else {
    EXPECT_EQ(r.status, kExitSomeFailed) << r.err;
    EXPECT_EQ(dir.Names(u"T"), (std::vector<std::u16string>{u"b.txt"}));
  }
  ExpectErrHas(r, "undo");
  ExpectErrHas(r, ToUtf8Lossy(data / u"Undos"));
  // The earlier log is not damaged by the failed write.
  EXPECT_EQ(fs->ReadFile(data / u"Undos/rollback.rbk"), earlierLog);
}

TEST_F(BadInput, DataFilesThatCannotBeReadAreNeverReplaced) {
  // What the desktop program keeps there: a reader that takes an unreadable file
  // for an empty one would write back only this call's part of it.
  const std::string settings = "[Form]\r\nTotalfiles=7\r\nFolder0=C:\\Photos\r\n[Option]\r\nListnum=20\r\n";
  const std::string history = "old-$$\r\nolder-##\r\n";
  ASSERT_TRUE(fs->WriteFile(data / u"Settings.ini", settings));
  ASSERT_TRUE(fs->WriteFile(data / u"Newname.txt", history));
  dir.MakeFile(u"T/a.txt", "a");
  wrapper = std::make_unique<UnreadableFilesFileSystem>(
      *fs, std::vector<std::u16string>{data / u"Settings.ini", data / u"Newname.txt"});
  const CliResult r = Command(u"rename", {u"--head", u"N-", u"--yes", dir / u"T"});
  wrapper.reset();
  EXPECT_EQ(fs->ReadFile(data / u"Settings.ini"), settings);
  EXPECT_EQ(fs->ReadFile(data / u"Newname.txt"), history);
  // Refused, or renamed with an undo log that takes the run back.
  if (r.status == kExitDone) {
    EXPECT_EQ(dir.Names(u"T"), (std::vector<std::u16string>{u"N-a.txt"}));
    const CliResult undone = Command(u"undo", {u"--yes"});
    EXPECT_EQ(undone.status, kExitDone) << undone.err;
  } else {
    const bool named =
        r.err.find("Newname.txt") != std::string::npos || r.err.find("Settings.ini") != std::string::npos;
    EXPECT_TRUE(named) << r.err;
  }
  EXPECT_EQ(dir.Names(u"T"), (std::vector<std::u16string>{u"a.txt"}));
}

TEST_F(BadInput, ProgramFolderThatCannotHoldTheUndoLogMovesTheDataFolderToTheUser) {
  dir.MakeFolder(u"prog/Undos");
  dir.MakeFolder(u"user");
  dir.MakeFile(u"T/xa.txt", "a");
  FolderEnvironment folders;
  folders.programFile = dir / u"prog/renamora-cli";
  folders.appData = dir / u"user";
  folders.xdgDataHome = dir / u"user";
  folders.home = dir / u"user";
  wrapper = std::make_unique<RefusingFileSystem>(*fs, dir / u"prog");

  const CliResult renamed = CliIn(folders, {u"rename", u"--remove", u"x", u"--yes", dir / u"T"});
  EXPECT_EQ(renamed.status, kExitDone) << renamed.err;
  EXPECT_EQ(dir.Names(u"T"), (std::vector<std::u16string>{u"a.txt"}));
  EXPECT_TRUE(fs->IsFile(dir / u"user/Altomira/Renamora/Undos/rollback.rbk"));
  EXPECT_EQ(Snapshot(*fs, dir / u"prog"), (Lines{"Undos/"}));

  const CliResult undone = CliIn(folders, {u"undo", u"--yes"});
  EXPECT_EQ(undone.status, kExitDone) << undone.err;
  EXPECT_EQ(dir.Names(u"T"), (std::vector<std::u16string>{u"xa.txt"}));
}

TEST_F(BadInput, FolderThatVanishesMidRunFailsTheRestAndUndoTakesBackWhatItCan) {
  enum class Away { Target, Walked, NotYetWalked, Unreadable };
  struct Row {
    const char* label;
    std::vector<std::u16string> files;  // under T, each holding its own name
    Away away;
    int afterRenames;
    std::string summary;  // the status line; empty where the count is the program's to choose
    std::string errHas;   // an item or folder that was not renamed
    Lines afterRun;       // the whole temporary folder
    bool putBack;         // the vanished folder comes back before the undo
    int undoStatus;
    Lines afterUndo;
  };
  const Row rows[] = {
      {"target moved away after 2 of 5",
       {u"f1", u"f2", u"f3", u"f4", u"f5"},
       Away::Target,
       2,
       "2 renamed successfully,3 failed.",
       "f3",
       {"away/", "away/f3=f3", "away/f4=f4", "away/f5=f5", "away/x-f1=f1", "away/x-f2=f2"},
       true,
       kExitDone,
       {"T/", "T/f1=f1", "T/f2=f2", "T/f3=f3", "T/f4=f4", "T/f5=f5"}},
      {"subfolder moved away while it is walked",
       {u"Alpha/a1", u"Alpha/a2", u"Alpha/a3", u"Beta/b1", u"Beta/b2", u"t1"},
       Away::Walked,
       1,
       "4 renamed successfully,2 failed.",
       "a2",
       {"T/", "T/Beta/", "T/Beta/x-b1=Beta/b1", "T/Beta/x-b2=Beta/b2", "T/x-t1=t1", "away/", "away/a2=Alpha/a2",
        "away/a3=Alpha/a3", "away/x-a1=Alpha/a1"},
       false,
       kExitSomeFailed,
       {"T/", "T/Beta/", "T/Beta/b1=Beta/b1", "T/Beta/b2=Beta/b2", "T/t1=t1", "away/", "away/a2=Alpha/a2",
        "away/a3=Alpha/a3", "away/x-a1=Alpha/a1"}},
      {"subfolder moved away before the walk reaches it",
       {u"Alpha/a1", u"Alpha/a2", u"Beta/b1", u"t1"},
       Away::NotYetWalked,
       1,
       "",
       "Beta",
       {"T/", "T/Alpha/", "T/Alpha/x-a1=Alpha/a1", "T/Alpha/x-a2=Alpha/a2", "T/x-t1=t1", "away/", "away/b1=Beta/b1"},
       false,
       kExitDone,
       {"T/", "T/Alpha/", "T/Alpha/a1=Alpha/a1", "T/Alpha/a2=Alpha/a2", "T/t1=t1", "away/", "away/b1=Beta/b1"}},
      {"subfolder that cannot be read",
       {u"Alpha/a1", u"Beta/b1", u"t1"},
       Away::Unreadable,
       0,
       "",
       "Beta",
       {"T/", "T/Alpha/", "T/Alpha/x-a1=Alpha/a1", "T/Beta/", "T/Beta/b1=Beta/b1", "T/x-t1=t1"},
       false,
       kExitDone,
       {"T/", "T/Alpha/", "T/Alpha/a1=Alpha/a1", "T/Beta/", "T/Beta/b1=Beta/b1", "T/t1=t1"}},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.label);
    TempFolder root(*fs);
    for (const auto& f : row.files) root.MakeFile(u"T/" + f, ToUtf8Lossy(f));
    const std::u16string target = root / u"T";
    const std::u16string gone = row.away == Away::Target   ? target
                                : row.away == Away::Walked ? root / u"T/Alpha"
                                                           : root / u"T/Beta";
    auto owned = std::make_unique<VanishingFileSystem>(*fs);
    VanishingFileSystem* vanishing = owned.get();
    wrapper = std::move(owned);
    if (row.away == Away::Unreadable) {
      vanishing->unreadable = gone;
    } else {
      vanishing->afterRenames = row.afterRenames;
      // Another program moves it: nothing in this process learns of the move.
      vanishing->whenDue = [&] { ASSERT_EQ(MakeSystemFileSystem()->Rename(gone, root / u"away"), RenameStatus::Ok); };
    }

    const CliResult r = Command(u"rename", {u"--head", u"x-", u"--subfolders", u"--yes", u"--format", u"tsv", target});
    wrapper.reset();
    EXPECT_EQ(r.status, kExitSomeFailed) << r.err;
    if (!row.summary.empty()) {
      EXPECT_NE(r.out.find(row.summary), std::string::npos) << r.out;
    }
    ExpectErrHas(r, row.errHas);
    EXPECT_EQ(Snapshot(*fs, root.Path()), row.afterRun);

    if (row.putBack) {
      ASSERT_EQ(fs->Rename(root / u"away", gone), RenameStatus::Ok);
    }
    const CliResult undone = Command(u"undo", {u"--yes"});
    EXPECT_EQ(undone.status, row.undoStatus) << undone.err;
    EXPECT_EQ(Snapshot(*fs, root.Path()), row.afterUndo);
  }
}

TEST_F(BadInput, LongPathsWorkWhereTheSystemTakesThemAndAreRefusedWhereNot) {
  // About 1000 characters of folders, no name longer than 50: a path every
  // system takes (POSIX up to 4096, the Win32 backend through "\\?\").
  std::u16string deep = u"T";
  while ((dir / deep).size() < 1000) deep += u"/" + std::u16string(48, u'd') + U16(std::to_string(deep.size() % 10));
  dir.MakeFile(deep + u"/bottom.txt", "bottom");
  dir.MakeFile(u"T/top.txt", "top");
  ASSERT_GE((dir / deep).size(), 1000u);
  const Lines before = Snapshot(*fs, dir.Path());

  const CliResult renamed = Command(u"rename", {u"--head", u"x-", u"--subfolders", u"--yes", dir / u"T"});
  EXPECT_EQ(renamed.status, kExitDone) << renamed.err;
  EXPECT_EQ(dir.Read(deep + u"/x-bottom.txt"), "bottom");
  EXPECT_EQ(dir.Read(u"T/x-top.txt"), "top");
  const CliResult undone = Command(u"undo", {u"--yes"});
  EXPECT_EQ(undone.status, kExitDone) << undone.err;
  EXPECT_EQ(Snapshot(*fs, dir.Path()), before);

  // No system takes a single name of 1000 characters.
  const std::u16string longName(1000, u'n');
  struct Row {
    const char* label;
    Args args;
    int status;
    std::string errHas;
  };
  const Row rows[] = {
      {"a target named with 1000 characters", {u"--head", u"x-", dir / longName}, kExitRefused, ToUtf8Lossy(longName)},
      {"a file inside such a folder",
       {u"--head", u"x-", dir / (longName + u"/a.txt"), dir / u"T/top.txt"},
       kExitRefused,
       ToUtf8Lossy(longName)},
      {"new names of 1000 characters", {u"--head", longName, dir / u"T"}, kExitSomeFailed, "too long"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.label);
    Args args = row.args;
    args.insert(args.begin(), u"--yes");
    const CliResult r = Command(u"rename", args);
    EXPECT_EQ(r.status, row.status) << r.err;
    ExpectErrHas(r, row.errHas);
    EXPECT_EQ(Snapshot(*fs, dir.Path()), before);
  }
}

// A run or undo while another one works over the same data folder would write into
// its journal and log and take its undo away: rename and undo are refused before
// anything changes, whether the other one holds the data folder's lock (from its
// start, before its journal exists) or, as a build without the lock did, only its
// live journal. Preview changes nothing and goes ahead.
TEST_F(BadInput, RunWhileAnotherRunHoldsTheDataFolderIsRefused) {
  enum class Holder { Lock, LiveJournal };
  for (const Holder holder : {Holder::Lock, Holder::LiveJournal}) {
    SCOPED_TRACE(holder == Holder::Lock ? "lock" : "live journal");
    TempFolder work(*fs);
    work.MakeFile(u"T/xa.txt", "a");
    work.MakeFile(u"T/xb.txt", "b");
    ASSERT_EQ(Command(u"rename", {u"--remove", u"x", u"--yes", work / u"T"}).status, kExitDone);
    FileHold lock;
    std::unique_ptr<MappedFile> live;
    if (holder == Holder::Lock) {
      lock = fs->HoldFile(RunLockPath(data.Path()));
      ASSERT_EQ(lock.status, HoldStatus::Held);
      EXPECT_EQ(fs->HoldFile(RunLockPath(data.Path())).status, HoldStatus::Busy);
    } else {
      live = fs->CreateMappedFile(UndoJournalPath(data.Path()));
      ASSERT_NE(live, nullptr);
      ASSERT_TRUE(live->WriteAt(0, "a live run"));
    }
    const Lines workTree = Snapshot(*fs, work.Path());
    const Lines dataTree = Snapshot(*fs, data.Path());

    const Args rows[] = {{u"rename", u"--head", u"y", u"--yes", work / u"T"}, {u"undo", u"--yes"}};
    for (const Args& row : rows) {
      SCOPED_TRACE(ToUtf8Lossy(row[0]));
      const CliResult r = Command(row[0], Args(row.begin() + 1, row.end()));
      EXPECT_EQ(r.status, kExitRefused) << r.err;
      ExpectErrHas(r, "another rename run");
      EXPECT_EQ(Snapshot(*fs, work.Path()), workTree);
      EXPECT_EQ(Snapshot(*fs, data.Path()), dataTree);
    }
    EXPECT_EQ(Command(u"preview", {u"--head", u"y", work / u"T"}).status, kExitDone);

    // Once the other one has gone, the next run goes ahead.
    live.reset();
    lock = {};
    EXPECT_EQ(Command(u"rename", {u"--head", u"y", u"--yes", work / u"T"}).status, kExitDone);
    EXPECT_EQ(work.Names(u"T"), (std::vector<std::u16string>{u"ya.txt", u"yb.txt"}));
    EXPECT_EQ(Command(u"undo", {u"--yes"}).status, kExitDone);
  }
}

// Paths that name nothing usable: relative ones without a working folder (removed
// while the shell sat in it, or too deep for the system to tell), and listing
// files that cannot be written where asked. Each is refused before anything is
// written, naming what is wrong.
TEST_F(BadInput, PathsThatNameNothingAreRefusedBeforeAnythingIsWritten) {
  dir.MakeFile(u"T/xa.txt", "a");
  dir.MakeFolder(u"T/sub");
  dir.MakeFile(u"edit.ini", "[EditRequest]\r\nMode=remove\r\n[RemoveOptions]\r\nStrings1=x\r\n");
  dir.MakeFolder(u"listing.txt");
  data.MakeFolder(u"Undos");
  struct Row {
    const char* label;
    bool workingFolderKnown;
    Args args;  // after the command
    std::string errHas;
  };
  const std::u16string t = dir / u"T";
  const Row rows[] = {
      {"relative target", false, {u"rename", u"--remove", u"x", u"T"}, "working folder"},
      {"relative request file", false, {u"rename", u"--request", u"edit.ini", t}, "working folder"},
      {"relative data folder", false, {u"rename", u"--remove", u"x", u"--data-folder", u"D", t}, "working folder"},
      {"relative listing", false, {u"save", u"--output", u"names.txt", t}, "working folder"},
      {"listing in a folder that does not exist",
       true,
       {u"save", u"--output", dir / u"none/names.txt", t},
       "does not exist"},
      {"listing named as a folder", true, {u"save", u"--output", dir / u"T/sub", t}, "is a folder"},
      {"listing whose .txt name is a folder", true, {u"save", u"--output", dir / u"listing", t}, "is a folder"},
      {"empty listing name", true, {u"save", u"--output", u"", t}, "empty path"},
      {"empty target", true, {u"rename", u"--remove", u"x", u""}, "empty path"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.label);
    const Lines tree = Snapshot(*fs, dir.Path());
    const Lines dataTree = Snapshot(*fs, data.Path());
    Args args = row.args;
    args.insert(args.begin() + 1, {u"--data-folder", data.Path(), u"--yes"});
    std::ostringstream out, err;
    CliEnvironment env = Environment(out, err);
    if (!row.workingFolderKnown) env.currentFolder.clear();
    const int status = RunCli(args, env);
    const CliResult r{status, out.str(), err.str()};
    EXPECT_EQ(r.status, kExitRefused) << r.err;
    ExpectErrHas(r, row.errHas);
    EXPECT_EQ(Snapshot(*fs, dir.Path()), tree);
    EXPECT_EQ(Snapshot(*fs, data.Path()), dataTree);
  }
}

// Standard error that gives up after 64 KB: a question asked again and again
// fails the test instead of filling memory.
class CappedText final : public std::streambuf {
 public:
  std::string text;

 protected:
  int_type overflow(int_type c) override {
    if (text.size() >= 64 * 1024) throw std::length_error("standard error runs on without end");
    if (!traits_type::eq_int_type(c, traits_type::eof())) text += traits_type::to_char_type(c);
    return traits_type::not_eof(c);
  }
};

TEST_F(BadInput, DeclinedReplaceOfTheListingEndsTheCallWithoutWriting) {
  dir.MakeFile(u"T/a.mp3");
  dir.MakeFile(u"names.txt", "kept");
  struct Row {
    const char* label;
    Args flags;
    bool terminal;
    std::vector<std::string> typed;  // one answer a line; then the end of input
  };
  const Row rows[] = {
      {"--no", {u"--no"}, false, {}},
      {"no flag and no terminal", {}, false, {}},
      // A second question would be answered yes and replace the file.
      {"no typed on the terminal", {}, true, {"no", "yes"}},
      {"end of input on the terminal", {}, true, {}},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.label);
    Args args{u"save", u"--data-folder", data.Path(), u"--output", dir / u"names.txt"};
    args.insert(args.end(), row.flags.begin(), row.flags.end());
    args.push_back(dir / u"T");
    std::ostringstream out;
    CappedText errText;
    std::ostream err(&errText);
    err.exceptions(std::ios::badbit);
    std::size_t next = 0;
    const auto readLine = [&]() -> std::optional<std::string> {
      if (next < row.typed.size()) return row.typed[next++];
      return std::nullopt;
    };
    CliEnvironment env = Environment(out, err);
    env.inIsTerminal = row.terminal;
    env.readLine = readLine;
    EXPECT_EQ(RunCli(args, env), kExitRefused) << errText.text.substr(0, 2000);
    EXPECT_EQ(dir.Read(u"names.txt"), "kept");
    EXPECT_EQ(Snapshot(*fs, data.Path()), (Lines{"Undos/"}));
    EXPECT_LE(next, 1u);
  }
}

// Names may hold escape sequences and line breaks; a message quoting one must not
// hand them to the terminal, nor let one message look like several.
TEST_F(BadInput, NamesInMessagesCannotSendControlSequences) {
  const std::u16string hostile = u"e\x1B]0;owned\x07\x1B[2J\nfake line\r";
  struct Row {
    const char* label;
    Args args;
    std::string errHas;
    long lines;      // every message one line
    bool posixOnly;  // Windows names cannot hold control characters
  };
  const Row rows[] = {
      {"a target that does not exist", {u"preview", u"--head", u"x", dir / hostile}, "no such file", 1, false},
      {"an unknown option", {u"preview", u"--" + hostile, dir.Path()}, "unknown option", 1, false},
      {"a bad field value",
       {u"preview", u"--set", u"RemoveOptions.RemoveKind=" + hostile, dir.Path()},
       "bad value",
       1,
       false},
      // The failed item, then the message that nothing was renamed.
      {"a rename the system refuses", {u"rename", u"--head", u"x", u"--yes", dir / u"T"}, "was not renamed", 2, true},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.label);
#ifdef _WIN32
    if (row.posixOnly) continue;
#endif
    TempFolder rowData(*fs);
    if (row.posixOnly) {
      dir.MakeFile(u"T/" + hostile + u".txt", "x");
      wrapper = std::make_unique<RefusingFileSystem>(*fs, dir / u"T");
    }
    Args args = row.args;
    args.insert(args.begin() + 1, {u"--data-folder", rowData.Path()});
    const CliResult r = Cli(args);
    wrapper.reset();
    EXPECT_NE(r.status, kExitDone);
    ExpectErrHas(r, row.errHas);
    for (const char c : r.err) {
      if (static_cast<unsigned char>(c) < 0x20 && c != '\n') ADD_FAILURE() << "control character " << int(c);
    }
    EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), row.lines) << r.err;
  }
}

// A script must not take a cut-off listing for the whole one: when standard output
// cannot be written (a full disk, a closed pipe) the call fails, after doing its
// work, and says so.
TEST_F(BadInput, OutputThatCannotBeWrittenFailsTheCall) {
  struct Row {
    const char* label;
    Args args;  // the target folder follows, unless the call is --help
    std::vector<std::u16string> namesAfter;
  };
  const Row rows[] = {
      {"preview", {u"preview", u"--head", u"x-"}, {u"a.txt"}},
      {"rename", {u"rename", u"--head", u"x-", u"--yes"}, {u"x-a.txt"}},
      {"help", {u"--help"}, {u"a.txt"}},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.label);
    TempFolder work(*fs);
    TempFolder rowData(*fs);
    work.MakeFile(u"T/a.txt", "a");
    Args args = row.args;
    if (args[0] != u"--help") {
      args.insert(args.begin() + 1, {u"--data-folder", rowData.Path()});
      args.push_back(work / u"T");
    }
    std::ostream out(nullptr);  // every write fails
    std::ostringstream err;
    CliEnvironment env = Environment(out, err);
    EXPECT_EQ(RunCli(args, env), kExitSomeFailed) << err.str();
    ExpectErrHas(CliResult{0, {}, err.str()}, "standard output");
    EXPECT_EQ(work.Names(u"T"), row.namesAfter);
    // The run that went ahead can still be taken back.
    EXPECT_EQ(fs->Exists(rowData / u"Undos/rollback.rbk"), row.namesAfter[0] != u"a.txt");
  }
}

}  // namespace
}  // namespace renamora::cli

// What every FileSystem backend must guarantee, on real temporary folders.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "base/Paths.h"
#include "base/text/NameOrder.h"
#include "base/text/Utf.h"
#include "platform/FileSystem.h"
#include "support/Links.h"
#include "support/TempFolder.h"

namespace renamora {
namespace {

using test::TempFolder;

class FileSystemContract : public testing::Test {
 protected:
  std::unique_ptr<FileSystem> fs = MakeSystemFileSystem();
  TempFolder dir{*fs};
};

TEST_F(FileSystemContract, RenameNeverReplacesAnExistingItem) {
  struct Row {
    const char* name;
    bool targetIsFolder;
    bool sourceIsFolder;
  };
  const Row rows[] = {{"file onto file", false, false},
                      {"file onto folder", true, false},
                      {"folder onto file", false, true},
                      {"folder onto empty folder", true, true}};
  int n = 0;
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    const std::u16string from = U16("from" + std::to_string(n));
    const std::u16string to = U16("to" + std::to_string(n++));
    if (row.sourceIsFolder) {
      dir.MakeFile(from + u"/inside.txt", "source content");
    } else {
      dir.MakeFile(from, "source content");
    }
    if (row.targetIsFolder) {
      dir.MakeFolder(to);
    } else {
      dir.MakeFile(to, "target content");
    }
    EXPECT_EQ(fs->Rename(dir / from, dir / to), RenameStatus::TargetExists);
    if (row.sourceIsFolder) {
      EXPECT_EQ(dir.Read(from + u"/inside.txt"), "source content");
    } else {
      EXPECT_EQ(dir.Read(from), "source content");
    }
    if (row.targetIsFolder) {
      EXPECT_TRUE(fs->IsFolder(dir / to));
      EXPECT_TRUE(dir.Names(to).empty());
    } else {
      EXPECT_EQ(dir.Read(to), "target content");
    }
  }
}

TEST_F(FileSystemContract, RenameReportsAMissingSource) {
  EXPECT_EQ(fs->Rename(dir / u"absent.txt", dir / u"new.txt"), RenameStatus::SourceMissing);
  EXPECT_TRUE(dir.Names().empty());
}

TEST_F(FileSystemContract, RenameMovesFilesAndFoldersWithTheirContent) {
  dir.MakeFile(u"a.txt", "alpha");
  dir.MakeFile(u"sub/inner.txt", "inner");
  ASSERT_EQ(fs->Rename(dir / u"a.txt", dir / u"b.txt"), RenameStatus::Ok);
  ASSERT_EQ(fs->Rename(dir / u"sub", dir / u"renamed"), RenameStatus::Ok);
  EXPECT_EQ(dir.Names(), (std::vector<std::u16string>{u"b.txt", u"renamed"}));
  EXPECT_EQ(dir.Read(u"b.txt"), "alpha");
  EXPECT_EQ(dir.Read(u"renamed/inner.txt"), "inner");
}

// A backend may keep the folder of recent renames open; after that folder (or one
// above it) moves or goes, its old path must lead to whatever holds it now.
TEST_F(FileSystemContract, RenamesFollowPathsAfterTheirFolderMoved) {
  struct Row {
    const char* name;
    std::u16string moved;  // what is moved away, relative to the temporary folder
  };
  const Row rows[] = {{"the folder itself", u"top/sub"}, {"a folder above it", u"top"}};
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    dir.MakeFile(u"top/sub/a.txt", "first");
    ASSERT_EQ(fs->Rename(dir / u"top/sub/a.txt", dir / u"top/sub/b.txt"), RenameStatus::Ok);
    ASSERT_EQ(fs->Rename(dir / row.moved, dir / u"away"), RenameStatus::Ok);
    dir.MakeFile(u"top/sub/a.txt", "second");
    ASSERT_EQ(fs->Rename(dir / u"top/sub/a.txt", dir / u"top/sub/c.txt"), RenameStatus::Ok);
    EXPECT_EQ(dir.Names(u"top/sub"), (std::vector<std::u16string>{u"c.txt"}));
    EXPECT_EQ(dir.Read(u"top/sub/c.txt"), "second");
    const std::u16string movedFile = row.moved == u"top" ? u"away/sub/b.txt" : u"away/b.txt";
    EXPECT_EQ(dir.Read(movedFile), "first");
    EXPECT_EQ(fs->Rename(dir / u"top/sub/b.txt", dir / u"top/sub/d.txt"), RenameStatus::SourceMissing);
    ASSERT_TRUE(fs->DeleteFile(dir / movedFile));
    ASSERT_TRUE(fs->DeleteFile(dir / u"top/sub/c.txt"));
    ASSERT_TRUE(fs->DeleteFolder(dir / u"top/sub"));
    ASSERT_TRUE(fs->DeleteFolder(dir / u"top"));
    if (row.moved == u"top") {
      ASSERT_TRUE(fs->DeleteFolder(dir / u"away/sub"));
    }
    ASSERT_TRUE(fs->DeleteFolder(dir / u"away"));
  }
  // A folder removed and made again is a new folder too.
  dir.MakeFile(u"gone/a.txt", "one");
  ASSERT_EQ(fs->Rename(dir / u"gone/a.txt", dir / u"gone/b.txt"), RenameStatus::Ok);
  ASSERT_TRUE(fs->DeleteFile(dir / u"gone/b.txt"));
  ASSERT_TRUE(fs->DeleteFolder(dir / u"gone"));
  dir.MakeFile(u"gone/a.txt", "two");
  ASSERT_EQ(fs->Rename(dir / u"gone/a.txt", dir / u"gone/c.txt"), RenameStatus::Ok);
  EXPECT_EQ(dir.Read(u"gone/c.txt"), "two");
}

TEST_F(FileSystemContract, ChangeOfLetterCaseOnlyIsCarriedOutAndListed) {
  struct Row {
    std::u16string from, to;
    bool folder;
  };
  const Row rows[] = {{u"photo.JPG", u"photo.jpg", false},
                      {u"Photo", u"PHOTO", true},
                      {u"straße.txt", u"STRASSE.txt", false},  // not a case change: plain rename
                      {u"émile.txt", u"Émile.txt", false}};
  for (const Row& row : rows) {
    SCOPED_TRACE(ToUtf8Lossy(row.from));
    if (row.folder) {
      dir.MakeFolder(row.from);
    } else {
      dir.MakeFile(row.from, "content");
    }
    ASSERT_EQ(fs->Rename(dir / row.from, dir / row.to), RenameStatus::Ok);
    const auto names = dir.Names();
    EXPECT_NE(std::find(names.begin(), names.end(), row.to), names.end());
    EXPECT_EQ(std::find(names.begin(), names.end(), row.from), names.end());
    if (!row.folder) {
      EXPECT_EQ(dir.Read(row.to), "content");
    }
  }
}

TEST_F(FileSystemContract, PathsOf300CharactersWork) {
  std::u16string relative;
  for (int i = 0; i < 6; ++i) {
    if (!relative.empty()) relative += u"/";
    relative += U16(std::string(48, char('a' + i)));
  }
  dir.MakeFolder(relative);
  const std::u16string file = relative + u"/" + U16(std::string(20, 'f')) + u".txt";
  dir.MakeFile(file, "deep");
  ASSERT_GE((dir / file).size(), 300u);
  EXPECT_EQ(dir.Read(file), "deep");
  auto entry = fs->Stat(dir / file);
  ASSERT_TRUE(entry.has_value());
  EXPECT_EQ(entry->size, 4u);
  const std::u16string renamed = relative + u"/renamed.txt";
  ASSERT_EQ(fs->Rename(dir / file, dir / renamed), RenameStatus::Ok);
  EXPECT_EQ(dir.Names(relative), (std::vector<std::u16string>{u"renamed.txt"}));
  EXPECT_EQ(dir.Read(renamed), "deep");
}

TEST_F(FileSystemContract, ListingIsSortedAsNtfsOrdersNames) {
  // Created in the reverse of the expected order, so a backend that passes the
  // file system's own order through fails.
  const std::vector<std::u16string> expected = {u"1.txt", u"a.txt", u"B.txt", u"b1.txt", u"c",
                                                u"Z.txt", u"zz", u"_x.txt", u"é.txt"};
  for (auto it = expected.rbegin(); it != expected.rend(); ++it) dir.MakeFile(*it, "x");
  EXPECT_EQ(dir.Names(), expected);
}

TEST_F(FileSystemContract, LinksAreReportedNeverFollowed) {
  dir.MakeFile(u"target/secret.txt", "keep");
  const bool made = test::MakeFolderLink(dir / u"target", dir / u"link");
  ASSERT_TRUE(made) << "the system refused to create a folder link";
  auto entries = fs->ListFolder(dir.Path());
  ASSERT_TRUE(entries.has_value());
  auto link = std::find_if(entries->begin(), entries->end(), [](const DirEntry& e) { return e.name == u"link"; });
  ASSERT_NE(link, entries->end());
  EXPECT_TRUE(link->isLink);
  EXPECT_FALSE(link->isFolder);
  auto stat = fs->Stat(dir / u"link");
  ASSERT_TRUE(stat.has_value());
  EXPECT_TRUE(stat->isLink);
  EXPECT_FALSE(stat->isFolder);
}

TEST_F(FileSystemContract, SomeFilesStopsAfterTheFilesAskedFor) {
  struct Row {
    int files, folders;
    std::size_t limit, expected;
  };
  const Row rows[] = {{10, 2, 6, 6}, {3, 4, 6, 3}, {0, 3, 6, 0}, {0, 0, 6, 0}, {5, 0, 1, 1}};
  for (const auto& row : rows) {
    SCOPED_TRACE(std::to_string(row.files) + " files, " + std::to_string(row.folders) + " folders");
    TempFolder t(*fs);
    for (int i = 0; i < row.folders; ++i) t.MakeFolder(U16("folder" + std::to_string(i)));
    for (int i = 0; i < row.files; ++i) t.MakeFile(U16("file" + std::to_string(i)));
    auto files = fs->SomeFiles(t.Path(), row.limit);
    ASSERT_TRUE(files.has_value());
    EXPECT_EQ(files->size(), row.expected);
    for (const auto& f : *files) {
      EXPECT_FALSE(f.isFolder);
      EXPECT_EQ(f.name.substr(0, 4), u"file");
    }
  }
  EXPECT_FALSE(fs->SomeFiles(dir / u"missing", 6).has_value());
}

TEST_F(FileSystemContract, VisitFolderHandsOutEveryEntryUntilToldToStop) {
  struct Row {
    const char* name;
    int files, folders;
    std::size_t stopAfter;  // onEntry answers false on this entry; 0: never
    std::size_t expectedVisits;
  };
  const Row rows[] = {{"whole folder", 3, 2, 0, 5},
                      {"stopped at the second entry", 3, 2, 2, 2},
                      {"stopped at the last entry", 2, 1, 3, 3},
                      {"empty folder", 0, 0, 0, 0}};
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    TempFolder t(*fs);
    for (int i = 0; i < row.folders; ++i) t.MakeFolder(U16("folder" + std::to_string(i)));
    for (int i = 0; i < row.files; ++i) t.MakeFile(U16("file" + std::to_string(i)), std::string(std::size_t(i) + 1, 'x'));
    std::vector<DirEntry> seen;
    const bool read = fs->VisitFolder(t.Path(), ListDetail::Full, [&](const DirEntry& e) {
      seen.push_back(e);
      return seen.size() != row.stopAfter;
    });
    EXPECT_TRUE(read);
    EXPECT_EQ(seen.size(), row.expectedVisits);
    for (const DirEntry& e : seen) {
      SCOPED_TRACE(Utf16ToUtf8(e.name).value_or("?"));
      const bool isFile = e.name.substr(0, 4) == u"file";
      EXPECT_EQ(e.isFolder, !isFile);
      // file0 holds one byte, file1 two, ...: the details come with the entry.
      if (isFile) {
        EXPECT_EQ(e.size, std::uint64_t(std::stoi(Utf16ToUtf8(e.name.substr(4)).value_or("0")) + 1));
      }
      EXPECT_EQ(std::count_if(seen.begin(), seen.end(), [&](const DirEntry& o) { return o.name == e.name; }), 1);
    }
  }
  bool called = false;
  EXPECT_FALSE(fs->VisitFolder(dir / u"missing", ListDetail::Full, [&](const DirEntry&) { return called = true; }));
  EXPECT_FALSE(called);
}

TEST_F(FileSystemContract, WholeFileWritesReplaceAndLeaveNoTemporaryFile) {
  dir.MakeFile(u"log.txt", "old content that is longer");
  ASSERT_TRUE(fs->WriteFile(dir / u"log.txt", "new"));
  EXPECT_EQ(dir.Read(u"log.txt"), "new");
  EXPECT_EQ(dir.Names(), (std::vector<std::u16string>{u"log.txt"}));
  EXPECT_FALSE(fs->ReadFile(dir / u"missing.txt").has_value());
}

// A journal being written is held: nothing else empties or replaces it, and it
// is known as held exactly until it is closed.
TEST_F(FileSystemContract, MappedFileIsHeldWhileItIsOpen) {
  const std::u16string path = dir / u"run.jnl";
  EXPECT_FALSE(fs->HeldByMappedFile(path));
  std::unique_ptr<MappedFile> first = fs->CreateMappedFile(path);
  ASSERT_NE(first, nullptr);
  ASSERT_TRUE(first->WriteAt(0, "pairs"));
  EXPECT_TRUE(fs->HeldByMappedFile(path));
  EXPECT_EQ(fs->CreateMappedFile(path), nullptr);
  EXPECT_EQ(fs->ReadFile(path).value_or("").substr(0, 5), "pairs");
  first.reset();
  EXPECT_FALSE(fs->HeldByMappedFile(path));
  EXPECT_EQ(dir.Read(u"run.jnl"), "pairs");
  std::unique_ptr<MappedFile> second = fs->CreateMappedFile(path);
  ASSERT_NE(second, nullptr);
  EXPECT_TRUE(fs->HeldByMappedFile(path));
}

TEST_F(FileSystemContract, AttributesReadOnlyAndHidden) {
  dir.MakeFile(u"plain.txt", "x");
  dir.MakeFile(u".secret", "x");
  ASSERT_TRUE(fs->SetAttributes(dir / u"plain.txt", kAttrReadOnly));
  ASSERT_TRUE(fs->SetAttributes(dir / u".secret", kAttrHidden));
  auto plain = fs->Stat(dir / u"plain.txt");
  auto secret = fs->Stat(dir / u".secret");
  ASSERT_TRUE(plain && secret);
  EXPECT_TRUE(plain->attributes & kAttrReadOnly);
  EXPECT_FALSE(plain->attributes & kAttrHidden);
  EXPECT_TRUE(secret->attributes & kAttrHidden);
  EXPECT_FALSE(secret->attributes & kAttrSystem);
  ASSERT_TRUE(fs->SetAttributes(dir / u"plain.txt", kAttrArchive));
  EXPECT_FALSE(fs->Stat(dir / u"plain.txt")->attributes & kAttrReadOnly);
}

TEST_F(FileSystemContract, StatGivesSizeTimeAndKind) {
  dir.MakeFile(u"five.bin", "12345");
  dir.MakeFolder(u"folder");
  auto file = fs->Stat(dir / u"five.bin");
  auto folder = fs->Stat(dir / u"folder");
  ASSERT_TRUE(file && folder);
  EXPECT_EQ(file->name, u"five.bin");
  EXPECT_EQ(file->size, 5u);
  EXPECT_FALSE(file->isFolder);
  EXPECT_TRUE(folder->isFolder);
  EXPECT_EQ(folder->size, 0u);
  // FILETIME ticks of the years 2000 to 2200: a unit or epoch mistake lands far outside.
  EXPECT_GT(file->lastWrite, 125911584000000000LL);
  EXPECT_LT(file->lastWrite, 189023328000000000LL);
  EXPECT_FALSE(fs->Stat(dir / u"nothing").has_value());
}

}  // namespace
}  // namespace renamora

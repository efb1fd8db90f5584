// What only the Win32 backend has to do: long paths, Wine's case-only renames, unpaired
// surrogates in names, reparse points, error mapping and whole-file writes.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "base/text/Utf.h"
#include "platform/FileSystem.h"
#include "platform/win32/IncludeWindows.h"
#include "support/Links.h"
#include "support/TempFolder.h"

namespace renamora {
namespace {

bool RunningUnderWine() {
  HMODULE ntdll = ::GetModuleHandleW(L"ntdll.dll");
  return ntdll && ::GetProcAddress(ntdll, "wine_get_version") != nullptr;
}

class Win32Backend : public testing::Test {
 protected:
  // A path below dir with exactly total characters in all: folders of 40 characters
  // and a file name that makes up the rest.
  std::u16string RelativePathOfLength(std::size_t total) const {
    const std::size_t wanted = total - dir.Path().size() - 1;
    std::u16string relative;
    char16_t letter = u'a';
    while (wanted - relative.size() > 50) relative += std::u16string(40, letter++) + u"\\";
    return relative + std::u16string(wanted - relative.size() - 4, u'n') + u".txt";
  }

  std::unique_ptr<FileSystem> fs = MakeSystemFileSystem();
  test::TempFolder dir{*fs};
};

TEST_F(Win32Backend, EveryOperationWorksAroundAndBeyondThePathLimits) {
  // 248 is where CreateDirectoryW stops taking plain paths, 260 is MAX_PATH.
  const std::size_t lengths[] = {200, 247, 248, 249, 259, 260, 261, 300, 400};
  for (const std::size_t length : lengths) {
    SCOPED_TRACE("path of " + std::to_string(length) + " characters");
    const std::u16string relative = RelativePathOfLength(length);
    const std::size_t split = relative.rfind(u'\\');
    const std::u16string folder = split == std::u16string::npos ? u"" : relative.substr(0, split);
    const std::u16string name = relative.substr(split + 1);
    ASSERT_EQ((dir / relative).size(), length);

    dir.MakeFile(relative, "deep");
    EXPECT_EQ(dir.Read(relative), "deep");
    const auto entry = fs->Stat(dir / relative);
    ASSERT_TRUE(entry.has_value());
    EXPECT_EQ(entry->name, name);
    EXPECT_EQ(entry->size, 4u);
    EXPECT_FALSE(entry->isFolder);
    EXPECT_EQ(dir.Names(folder), std::vector<std::u16string>{name});

    std::u16string renamed = relative;
    renamed[renamed.size() - 5] = u'r';  // same length, other name
    ASSERT_EQ(fs->Rename(dir / relative, dir / renamed), RenameStatus::Ok);
    EXPECT_EQ(dir.Names(folder), std::vector<std::u16string>{renamed.substr(split + 1)});
    EXPECT_TRUE(fs->SetAttributes(dir / renamed, kAttrReadOnly));
    EXPECT_TRUE(fs->Stat(dir / renamed)->attributes & kAttrReadOnly);
    EXPECT_TRUE(fs->SetAttributes(dir / renamed, 0));
    EXPECT_TRUE(fs->DeleteFile(dir / renamed));
    EXPECT_FALSE(fs->Exists(dir / renamed));
    if (!folder.empty()) {
      EXPECT_TRUE(fs->DeleteFolder(dir / folder));
      EXPECT_FALSE(fs->Exists(dir / folder));
    }
  }
}

// Wine finds the old name under the new one, reports success and changes nothing;
// only the listing shows whether the case really changed, and no temporary name may
// be left behind on the way.
TEST_F(Win32Backend, CaseOnlyRenameShowsInTheListingWithNothingLeftOver) {
  struct Row {
    const char* name;
    std::u16string folder;  // where the item lives, below dir
    std::u16string from, to;
    bool isFolder;
  };
  const std::u16string deep = std::u16string(120, u'd') + u"\\" + std::u16string(120, u'e');
  const Row rows[] = {
      {"file", u"f1", u"report.TXT", u"report.txt", false},
      {"folder with content", u"f2", u"Photos", u"PHOTOS", true},
      {"letter outside ASCII", u"f3", u"\u00e9t\u00e9.txt", u"\u00c9T\u00c9.txt", false},
      {"in a path past the limit", u"f4\\" + deep, u"long.txt", u"LONG.txt", false},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    const std::u16string from = row.folder + u"\\" + row.from;
    const std::u16string to = row.folder + u"\\" + row.to;
    if (row.isFolder) {
      dir.MakeFile(from + u"\\inside.txt", "content");
    } else {
      dir.MakeFile(from, "content");
    }
    ASSERT_EQ(fs->Rename(dir / from, dir / to), RenameStatus::Ok);
    EXPECT_EQ(dir.Names(row.folder), std::vector<std::u16string>{row.to});
    EXPECT_EQ(dir.Read(row.isFolder ? to + u"\\inside.txt" : to), "content");
  }
}

TEST_F(Win32Backend, NamesWithUnpairedSurrogatesSurviveListingAndRenaming) {
  if (RunningUnderWine()) {
    GTEST_SKIP() << "Wine keeps names as UTF-8 on the host and cannot store an unpaired surrogate";
  }
  struct Row {
    const char* name;
    std::u16string from, to;
  };
  const Row rows[] = {
      {"high surrogate alone",
       u"a\xD800"
       u"b.txt",
       u"c\xD800"
       u"d.txt"},
      {"low surrogate alone",
       u"\xDC80"
       u"x.txt",
       u"\xDC80"
       u"y.txt"},
      {"pair in the wrong order",
       u"\xDC00\xD800"
       u".txt",
       u"z\xDC00\xD800"
       u".txt"},
      {"high surrogate at the end", u"end\xDBFF", u"END\xDBFF"},
  };
  int n = 0;
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    const std::u16string folder = U16("s" + std::to_string(n++));
    dir.MakeFile(folder + u"\\" + row.from, "content");
    EXPECT_EQ(dir.Names(folder), std::vector<std::u16string>{row.from});
    ASSERT_EQ(fs->Rename(dir / (folder + u"\\" + row.from), dir / (folder + u"\\" + row.to)),
              RenameStatus::Ok);
    EXPECT_EQ(dir.Names(folder), std::vector<std::u16string>{row.to});
    EXPECT_EQ(dir.Read(folder + u"\\" + row.to), "content");
  }
}

// A junction or folder symlink carries the folder bit as well; a walk that trusted
// it would enter the link and rename what lies outside the chosen tree.
TEST_F(Win32Backend, FolderLinksAreReportedAsLinksAndRenamedThemselves) {
  struct Row {
    const char* name;
    std::u16string folder;
  };
  const Row rows[] = {
      {"ordinary path", u"l1"},
      {"path past the limit",
       u"l2\\" + std::u16string(120, u'p') + u"\\" + std::u16string(120, u'q')},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    dir.MakeFile(row.folder + u"\\target\\secret.txt", "keep");
    ASSERT_TRUE(
        test::MakeFolderLink(dir / (row.folder + u"\\target"), dir / (row.folder + u"\\link")));

    const auto entries = fs->ListFolder(dir / row.folder);
    ASSERT_TRUE(entries.has_value());
    ASSERT_EQ(entries->size(), 2u);
    const DirEntry& link = (*entries)[0];
    EXPECT_EQ(link.name, u"link");
    EXPECT_TRUE(link.isLink);
    EXPECT_FALSE(link.isFolder);
    EXPECT_EQ(link.attributes & (kAttrReparsePoint | kAttrDirectory),
              kAttrReparsePoint | kAttrDirectory);
    EXPECT_EQ(link.size, 0u);
    const auto stat = fs->Stat(dir / (row.folder + u"\\link"));
    ASSERT_TRUE(stat.has_value());
    EXPECT_TRUE(stat->isLink);
    EXPECT_FALSE(stat->isFolder);

    // Wine can only reach the link's target, so there the rename must be refused.
    const bool wine = RunningUnderWine();
    ASSERT_EQ(fs->Rename(dir / (row.folder + u"\\link"), dir / (row.folder + u"\\moved")),
              wine ? RenameStatus::Failed : RenameStatus::Ok);
    const std::u16string linkName = wine ? u"link" : u"moved";
    EXPECT_EQ(dir.Names(row.folder), (std::vector<std::u16string>{linkName, u"target"}));
    EXPECT_EQ(dir.Names(row.folder + u"\\target"), std::vector<std::u16string>{u"secret.txt"});
    EXPECT_EQ(dir.Read(row.folder + u"\\" + linkName + u"\\secret.txt"), "keep");
  }
}

// Windows acts on a link itself; where only the target can be reached (Wine and the
// host's symbolic links) the change has to be refused, since the target may lie
// outside the tree being worked on.
TEST_F(Win32Backend, ChangesToAFolderLinkNeverReachItsTarget) {
  using Change = void (*)(FileSystem & system, const std::u16string& link);
  struct Row {
    const char* name;
    Change change;
  };
  const Row rows[] = {
      {"deleted as a file",
       [](FileSystem& system, const std::u16string& link) { static_cast<void>(system.DeleteFile(link)); }},
      {"deleted as a folder",
       [](FileSystem& system, const std::u16string& link) { static_cast<void>(system.DeleteFolder(link)); }},
      {"marked hidden",
       [](FileSystem& system, const std::u16string& link) {
         static_cast<void>(system.SetAttributes(link, kAttrHidden));
       }},
  };
  int n = 0;
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    const std::u16string folder = U16("c" + std::to_string(n++));
    dir.MakeFolder(folder + u"\\empty");  // an empty target is what a folder deletion would take
    ASSERT_TRUE(test::MakeFolderLink(dir / (folder + u"\\empty"), dir / (folder + u"\\link")));
    row.change(*fs, dir / (folder + u"\\link"));
    const auto target = fs->Stat(dir / (folder + u"\\empty"));
    ASSERT_TRUE(target.has_value());
    EXPECT_TRUE(target->isFolder);
    EXPECT_EQ(target->attributes & kAttrHidden, 0u);
  }
}

TEST_F(Win32Backend, RenameFailuresAreMappedToWhatHappened) {
  struct Row {
    const char* name;
    std::u16string from, to;
    RenameStatus status;
  };
  const Row rows[] = {
      {"source missing", u"absent.txt", u"new.txt", RenameStatus::SourceMissing},
      {"folder of the source missing", u"nowhere\\a.txt", u"new.txt", RenameStatus::SourceMissing},
      {"folder of the target missing", u"present.txt", u"nowhere\\b.txt", RenameStatus::Failed},
      {"target exists in other letter case", u"present.txt", u"OTHER.txt",
       RenameStatus::TargetExists},
      {"target name Windows refuses", u"present.txt", u"bad|name.txt", RenameStatus::Failed},
  };
  dir.MakeFile(u"present.txt", "present");
  dir.MakeFile(u"other.txt", "other");
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    EXPECT_EQ(fs->Rename(dir / row.from, dir / row.to), row.status);
    EXPECT_EQ(dir.Names(), (std::vector<std::u16string>{u"other.txt", u"present.txt"}));
    EXPECT_EQ(dir.Read(u"present.txt"), "present");
    EXPECT_EQ(dir.Read(u"other.txt"), "other");
  }
}

TEST_F(Win32Backend, WholeFileWritesKeepTheHiddenMarkAndLeaveNoTemporaryFile) {
  struct Row {
    const char* name;
    bool exists;
    std::uint32_t attributes;  // of the old file
  };
  const Row rows[] = {
      {"new file", false, 0},
      {"plain file replaced", true, 0},
      {"hidden file replaced", true, kAttrHidden},
  };
  int n = 0;
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    const std::u16string folder = U16("w" + std::to_string(n++));
    const std::u16string file = folder + u"\\data.txt";
    dir.MakeFolder(folder);
    if (row.exists) {
      dir.MakeFile(file, "old content, longer than the new");
      ASSERT_TRUE(fs->SetAttributes(dir / file, row.attributes));
    }
    ASSERT_TRUE(fs->WriteFile(dir / file, "new"));
    EXPECT_EQ(dir.Read(file), "new");
    EXPECT_EQ(dir.Names(folder), std::vector<std::u16string>{u"data.txt"});
    EXPECT_EQ(fs->Stat(dir / file)->attributes & kAttrHidden, row.attributes & kAttrHidden);
  }
}

// Callers pass attributes back as they were listed, folder bit included, and 0
// means "none" to them while the file system reads it as "leave as they are".
TEST_F(Win32Backend, SetAttributesTakesListedAttributesAndZero) {
  struct Row {
    const char* name;
    bool isFolder;
    std::uint32_t before, set, expected;  // expected among read-only and hidden
  };
  const Row rows[] = {
      {"folder with its folder bit", true, 0, kAttrDirectory | kAttrHidden, kAttrHidden},
      {"zero clears read-only and hidden", false, kAttrReadOnly | kAttrHidden, 0, 0},
      {"file with the reparse bit", false, 0, kAttrReparsePoint | kAttrReadOnly, kAttrReadOnly},
  };
  int n = 0;
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    const std::u16string item = U16("a" + std::to_string(n++));
    if (row.isFolder) {
      dir.MakeFolder(item);
    } else {
      dir.MakeFile(item, "x");
    }
    if (row.before != 0) {
      ASSERT_TRUE(fs->SetAttributes(dir / item, row.before));
    }
    EXPECT_TRUE(fs->SetAttributes(dir / item, row.set));
    EXPECT_EQ(fs->Stat(dir / item)->attributes & (kAttrReadOnly | kAttrHidden), row.expected);
    EXPECT_TRUE(fs->SetAttributes(dir / item, 0));
  }
}

TEST_F(Win32Backend, ListingAndLookupOfRootsAndMissingFolders) {
  const std::u16string drive = dir.Path().substr(0, 2);  // "C:"
  dir.MakeFile(u"file.txt", "x");
  dir.MakeFolder(u"empty");
  struct Row {
    const char* name;
    std::u16string path;
    bool listed;  // ListFolder gives a list
    bool found;   // Stat finds it
    bool isFolder;
  };
  const Row rows[] = {
      {"drive root", drive + u"\\", true, true, true},
      {"drive without separator means its root", drive, true, true, true},
      {"empty folder", dir / u"empty", true, true, true},
      {"missing folder", dir / u"missing", false, false, false},
      {"a file is no folder", dir / u"file.txt", false, true, false},
      {"below a missing folder", dir / u"missing\\deeper", false, false, false},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    EXPECT_EQ(fs->ListFolder(row.path).has_value(), row.listed);
    const auto entry = fs->Stat(row.path);
    ASSERT_EQ(entry.has_value(), row.found);
    if (entry) {
      EXPECT_EQ(entry->isFolder, row.isFolder);
      EXPECT_FALSE(entry->name.empty());
    }
  }
  EXPECT_EQ(fs->ListFolder(dir / u"empty")->size(), 0u);
}

}  // namespace
}  // namespace renamora

// Which items a run takes, in which order, from folders, checked list items and
// chosen files; and the probe that tells whether there is anything to do.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "base/Paths.h"
#include "base/text/Utf.h"
#include "support/Fakes.h"
#include "support/ForwardingFileSystem.h"
#include "support/Links.h"
#include "support/TempFolder.h"

namespace renamora {
namespace {

using test::TempFolder;
using Names = std::vector<std::u16string>;

// One folder that can no longer be listed: another program took the read rights
// (it is still there), or moved it away (gone: it cannot be looked up either).
// The probe's quick look still finds files, as it did before.
class UnlistableFolder final : public test::ForwardingFileSystem {
 public:
  UnlistableFolder(FileSystem& inner, std::u16string folder, bool gone)
      : ForwardingFileSystem(inner), folder_(std::move(folder)), gone_(gone) {}
  using ForwardingFileSystem::ListFolder;
  std::optional<std::vector<DirEntry>> ListFolder(std::u16string_view folder, ListDetail detail) override {
    if (WithoutTrailingSeparators(folder) == folder_) return std::nullopt;
    return Inner().ListFolder(folder, detail);
  }
  std::optional<DirEntry> Stat(std::u16string_view path) override {
    if (gone_ && WithoutTrailingSeparators(path) == folder_) return std::nullopt;
    return Inner().Stat(path);
  }

 private:
  std::u16string folder_;
  bool gone_;
};

// Puts the stand-in between the engine and the disk for as long as it lives.
class UnlistableWhile {
 public:
  UnlistableWhile(std::unique_ptr<FileSystem>& slot, std::u16string folder, bool gone = false)
      : slot_(slot), real_(std::move(slot)) {
    slot_ = std::make_unique<UnlistableFolder>(*real_, std::move(folder), gone);
  }
  ~UnlistableWhile() { slot_ = std::move(real_); }
  UnlistableWhile(const UnlistableWhile&) = delete;
  UnlistableWhile& operator=(const UnlistableWhile&) = delete;

 private:
  std::unique_ptr<FileSystem>& slot_;
  std::unique_ptr<FileSystem> real_;
};

class Collection : public testing::Test {
 protected:
  Collection() {
    request.Mode = std::u16string(EditMode::kRemove);
    request.Remove.Strings = {u"x", u"", u""};
    request.Remove.CaseSensitive = true;
  }

  // The standard tree: files and folders whose names lose their "x" when renamed.
  void MakeTree(TempFolder& t) {
    t.MakeFile(u"xa.txt");
    t.MakeFile(u"._xhid.txt");
    t.MakeFile(u"xsub/xc.txt");
    t.MakeFile(u"xsub/xdeep/xd.txt");
    t.MakeFile(u"xpage_files/xe.txt");
    t.MakeFile(u"xpage.files/xe.txt");
    t.MakeFile(u".xhdir/xf.txt");
    EXPECT_TRUE(world.fs->SetAttributes(t / u"._xhid.txt", kAttrHidden));
    EXPECT_TRUE(world.fs->SetAttributes(t / u".xhdir", kAttrHidden));
  }

  // Every path below the folder, folders included, in walk order.
  Names Tree(const std::u16string& folder, const std::u16string& prefix = {}) {
    Names out;
    if (auto entries = world.fs->ListFolder(folder)) {
      for (const auto& e : *entries) {
        out.push_back(prefix + e.name);
        if (e.isFolder) {
          Names inner = Tree(folder + kPathSeparator + e.name, prefix + e.name + u"/");
          out.insert(out.end(), inner.begin(), inner.end());
        }
      }
    }
    return out;
  }

  void Run(const std::u16string& targetFolder) {
    world.program.TargetFolder = targetFolder.empty() ? std::u16string() : WithTrailingSeparator(targetFolder);
    world.Engine().RenameCommand(request);
  }

  test::EngineWorld world;
  TempFolder dir{*world.fs};
  EditRequest request;
};

TEST_F(Collection, FolderWalksByScopeSubfoldersAndHiddenItems) {
  struct Row {
    const char* name;
    TargetScope scope;
    bool subfolders, hidden;
    Names after;
  };
  const Row rows[] = {
      {"one layer of files", TargetScope::AllFiles, false, false,
       {u".xhdir", u".xhdir/xf.txt", u"._xhid.txt", u"a.txt", u"xpage.files", u"xpage.files/xe.txt", u"xpage_files",
        u"xpage_files/xe.txt", u"xsub", u"xsub/xc.txt", u"xsub/xdeep", u"xsub/xdeep/xd.txt"}},
      {"files at every depth, companions and hidden folders left alone", TargetScope::AllFiles, true, false,
       {u".xhdir", u".xhdir/xf.txt", u"._xhid.txt", u"a.txt", u"xpage.files", u"xpage.files/xe.txt", u"xpage_files",
        u"xpage_files/xe.txt", u"xsub", u"xsub/c.txt", u"xsub/xdeep", u"xsub/xdeep/d.txt"}},
      {"hidden items included", TargetScope::AllFiles, true, true,
       {u".xhdir", u".xhdir/f.txt", u"a.txt", u"xpage.files", u"xpage.files/xe.txt", u"xpage_files",
        u"xpage_files/xe.txt", u"xsub", u"xsub/c.txt", u"xsub/xdeep", u"xsub/xdeep/d.txt", u"_hid.txt"}},
      {"folders of one layer", TargetScope::Folders, false, false,
       {u".xhdir", u".xhdir/xf.txt", u"._xhid.txt", u"sub", u"sub/xc.txt", u"sub/xdeep", u"sub/xdeep/xd.txt",
        u"xa.txt", u"xpage.files", u"xpage.files/xe.txt", u"xpage_files", u"xpage_files/xe.txt"}},
      {"folders at every depth", TargetScope::Folders, true, false,
       {u".xhdir", u".xhdir/xf.txt", u"._xhid.txt", u"sub", u"sub/deep", u"sub/deep/xd.txt", u"sub/xc.txt",
        u"xa.txt", u"xpage.files", u"xpage.files/xe.txt", u"xpage_files", u"xpage_files/xe.txt"}},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    TempFolder t(*world.fs);
    MakeTree(t);
    request.Scope = row.scope;
    request.IncludeSubfolders = row.subfolders;
    request.IncludeHidden = row.hidden;
    Run(t.Path());
    EXPECT_EQ(Tree(t.Path()), row.after);
  }
}

// What a folder that cannot be listed holds is not renamed; the run says so and
// counts it as failed, whether it is the target, a walked subfolder or a checked one.
TEST_F(Collection, FolderThatCannotBeListedIsReportedAndCountedAsFailed) {
  struct Row {
    const char* name;
    TargetScope scope;
    bool checkedItems;
    std::u16string unlistable;  // under the tree; empty: the target folder
    bool gone;                  // moved away rather than unreadable
    Names after;
    bool noneRenamed;  // the end of the run says so too
  };
  const Row rows[] = {
      {"a subfolder of the walk", TargetScope::AllFiles, false, u"xsub", false,
       {u"a.txt", u"xother", u"xother/b.txt", u"xsub", u"xsub/xc.txt"}, false},
      {"a subfolder of the walk that went away", TargetScope::AllFiles, false, u"xsub", true,
       {u"a.txt", u"xother", u"xother/b.txt", u"xsub", u"xsub/xc.txt"}, false},
      {"the target folder", TargetScope::AllFiles, false, u"", false,
       {u"xa.txt", u"xother", u"xother/xb.txt", u"xsub", u"xsub/xc.txt"}, true},
      {"a checked folder", TargetScope::CheckedFiles, true, u"xsub", false,
       {u"a.txt", u"xother", u"xother/xb.txt", u"xsub", u"xsub/xc.txt"}, false},
      // The folder itself is an item of the listing above it.
      {"a subfolder with the folders scope", TargetScope::Folders, false, u"xsub", false,
       {u"other", u"other/xb.txt", u"sub", u"sub/xc.txt", u"xa.txt"}, false},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    TempFolder t(*world.fs);
    t.MakeFile(u"xa.txt");
    t.MakeFile(u"xother/xb.txt");
    t.MakeFile(u"xsub/xc.txt");
    const std::u16string unlistable = row.unlistable.empty() ? t.Path() : t / row.unlistable;
    world.prompter.shown.clear();
    world.sink.pending.clear();
    world.list.checkBoxes = row.checkedItems;
    world.list.items.clear();
    if (row.checkedItems) world.list.items = {{u"xa.txt", true}, {u"xother", false}, {u"xsub", true}};
    request.Scope = row.scope;
    request.IncludeSubfolders = true;
    {
      UnlistableWhile standIn(world.fs, unlistable, row.gone);
      Run(t.Path());
    }
    EXPECT_EQ(Tree(t.Path()), row.after);
    EXPECT_EQ(world.run.Counters.Failed, 1);
    const std::u16string why = row.gone ? u"The targeted folder has been modified or deleted!"
                                        : u"The folder cannot be read (no right to list it)!";
    Names messages{why + u" - '" + unlistable + u"'"};
    if (row.noneRenamed) {
      messages.push_back(
          u"No filename has been changed. Please check input text and make sure that the targeted files can be "
          u"renamed.");
    }
    EXPECT_EQ(world.prompter.Texts(), messages);
  }
}

TEST_F(Collection, FoldersAreRenamedDeepestFirst) {
  MakeTree(dir);
  request.Scope = TargetScope::Folders;
  request.IncludeSubfolders = true;
  Run(dir.Path());
  ASSERT_EQ(world.sink.pending.size(), 2u);
  EXPECT_EQ(world.sink.pending[0].second, dir / u"xsub/xdeep");
  EXPECT_EQ(world.sink.pending[1].second, dir / u"xsub");
}

TEST_F(Collection, ThisFolderScopeRenamesOnlyTheTargetFolder) {
  MakeTree(dir);
  request.Scope = TargetScope::ThisFolder;
  Run(dir / u"xsub");
  EXPECT_EQ(Tree(dir.Path()),
            (Names{u".xhdir", u".xhdir/xf.txt", u"._xhid.txt", u"sub", u"sub/xc.txt", u"sub/xdeep", u"sub/xdeep/xd.txt",
                   u"xa.txt", u"xpage.files", u"xpage.files/xe.txt", u"xpage_files", u"xpage_files/xe.txt"}));
}

TEST_F(Collection, CheckedListItems) {
  struct Row {
    const char* name;
    TargetScope scope;
    bool subfolders;
    Names after;
  };
  const Row rows[] = {
      {"checked files only", TargetScope::CheckedFiles, false,
       {u"a.txt", u"xb.txt", u"xsub", u"xsub/xc.txt", u"xsub/xdeep", u"xsub/xdeep/xd.txt"}},
      {"a checked folder is walked, not renamed", TargetScope::CheckedFiles, true,
       {u"a.txt", u"xb.txt", u"xsub", u"xsub/c.txt", u"xsub/xdeep", u"xsub/xdeep/d.txt"}},
      {"checked folders", TargetScope::Folders, false,
       {u"sub", u"sub/xc.txt", u"sub/xdeep", u"sub/xdeep/xd.txt", u"xa.txt", u"xb.txt"}},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    TempFolder t(*world.fs);
    t.MakeFile(u"xa.txt");
    t.MakeFile(u"xb.txt");
    t.MakeFile(u"xsub/xc.txt");
    t.MakeFile(u"xsub/xdeep/xd.txt");
    world.list.checkBoxes = true;
    world.list.items = {{u"xa.txt", true}, {u"xb.txt", false}, {u"xsub", true}};
    request.Scope = row.scope;
    request.IncludeSubfolders = row.subfolders;
    Run(t.Path());
    EXPECT_EQ(Tree(t.Path()), row.after);
  }
}

TEST_F(Collection, ChosenFilesPassUnlessAFilterBoxIsOn) {
  struct Row {
    const char* name;
    bool includeSystem;
    Names after;
  };
  const Row rows[] = {
      {"no filter box: hidden chosen files are renamed", false, {u"a.txt", u"_hid.txt"}},
      {"a filter box on: the attribute rule applies", true, {u"._xhid.txt", u"a.txt"}},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    TempFolder t(*world.fs);
    t.MakeFile(u"xa.txt");
    t.MakeFile(u"._xhid.txt");
    EXPECT_TRUE(world.fs->SetAttributes(t / u"._xhid.txt", kAttrHidden));
    world.list.checkBoxes = false;
    world.list.items = {{t / u"._xhid.txt", true}, {t / u"xa.txt", true}};
    request.IncludeSystem = row.includeSystem;
    Run({});
    EXPECT_EQ(Tree(t.Path()), row.after);
  }
}

TEST_F(Collection, PickedPathsOfADirectStart) {
  dir.MakeFile(u"xa.txt");
  dir.MakeFile(u"xb.txt");
  world.program.DirectEditStart = true;
  world.program.PickedPaths = {dir / u"xb.txt"};
  Run({});
  EXPECT_EQ(Tree(dir.Path()), (Names{u"b.txt", u"xa.txt"}));
  // A direct start lists what it renamed, as there is no folder view to update.
  ASSERT_EQ(world.list.items.size(), 1u);
  EXPECT_EQ(world.list.items[0].text, dir / u"b.txt");
}

TEST_F(Collection, TypeFilterIsASubstringTestOfTheExtension) {
  for (auto name : {u"xa.JPG", u"xb.jpeg", u"xc.png", u"xd", u"xe.peg", u"xf.pg"}) dir.MakeFile(name);
  request.TypeFilterOn = true;
  request.TypeFilter = u"  jpg,jpeg\t";
  Run(dir.Path());
  // "jpeg," holds "peg," and "pg," too; a file without extension is tested with "," alone.
  EXPECT_EQ(Tree(dir.Path()), (Names{u"a.JPG", u"b.jpeg", u"d", u"e.peg", u"f.pg", u"xc.png"}));
  EXPECT_EQ(request.TypeFilter, u"jpg,jpeg");  // trimmed and written back
}

TEST_F(Collection, EmptyTypeFilterSwitchesTheFilterOff) {
  dir.MakeFile(u"xa.png");
  request.TypeFilterOn = true;
  request.TypeFilter = u"   ";
  Run(dir.Path());
  EXPECT_FALSE(request.TypeFilterOn);
  EXPECT_EQ(Tree(dir.Path()), (Names{u"a.png"}));
}

TEST_F(Collection, WalksNeverEnterLinks) {
  TempFolder outside(*world.fs);
  outside.MakeFile(u"xsecret.txt", "keep");
  dir.MakeFile(u"xa.txt");
  ASSERT_TRUE(test::MakeFolderLink(outside.Path(), dir / u"link"));
  request.IncludeSubfolders = true;
  Run(dir.Path());
  EXPECT_EQ(outside.Names(), (Names{u"xsecret.txt"}));
  EXPECT_EQ(outside.Read(u"xsecret.txt"), "keep");
  request.Scope = TargetScope::Folders;
  Run(dir.Path());
  EXPECT_EQ(outside.Names(), (Names{u"xsecret.txt"}));
}

TEST_F(Collection, SequenceFollowsNamesNotCreationOrder) {
  for (auto name : {u"xc.txt", u"xb.txt", u"xa.txt"}) dir.MakeFile(name, std::string(1, char(name[1])));
  request.Remove.Strings = {u"a", u"b", u"c"};
  Run(dir.Path());
  EXPECT_EQ(dir.Read(u"x.txt"), "a");
  EXPECT_EQ(dir.Read(u"x(1).txt"), "b");
  EXPECT_EQ(dir.Read(u"x(2).txt"), "c");
}

// The program's data folder holds the run's own journal and undo log: a run never
// renames it, anything in it or a folder that holds it, and says so once.
TEST_F(Collection, TheDataFolderIsNeverATarget) {
  struct Row {
    const char* name;
    TargetScope scope;
    std::u16string data;    // relative to the tree
    std::u16string target;  // relative to the tree; "*": chosen files
    Names after;
    bool told;  // the information line
    Names checked = {};
  };
  const Row rows[] = {
      {"files of every depth", TargetScope::AllFiles, u"xdata", u"",
       {u"a.txt", u"xdata", u"xdata/xj.txt", u"xdata/xsub", u"xdata/xsub/xk.txt", u"xdatab", u"xdatab/m.txt",
        u"xouter", u"xouter/xin", u"xouter/xin/n.txt"},
       true},
      {"folders of every depth", TargetScope::Folders, u"xdata", u"",
       {u"datab", u"datab/xm.txt", u"outer", u"outer/in", u"outer/in/xn.txt", u"xa.txt", u"xdata", u"xdata/xj.txt",
        u"xdata/xsub", u"xdata/xsub/xk.txt"},
       true},
      {"a folder that holds the data folder", TargetScope::Folders, u"xouter/xin", u"",
       {u"data", u"data/sub", u"data/sub/xk.txt", u"data/xj.txt", u"datab", u"datab/xm.txt", u"xa.txt", u"xouter",
        u"xouter/xin", u"xouter/xin/xn.txt"},
       true},
      {"the path written with a trailing separator", TargetScope::AllFiles, u"xdata/", u"",
       {u"a.txt", u"xdata", u"xdata/xj.txt", u"xdata/xsub", u"xdata/xsub/xk.txt", u"xdatab", u"xdatab/m.txt",
        u"xouter", u"xouter/xin", u"xouter/xin/n.txt"},
       true},
      {"the data folder as the target", TargetScope::AllFiles, u"xdata", u"xdata",
       {u"xa.txt", u"xdata", u"xdata/xj.txt", u"xdata/xsub", u"xdata/xsub/xk.txt", u"xdatab", u"xdatab/xm.txt",
        u"xouter", u"xouter/xin", u"xouter/xin/xn.txt"},
       true},
      {"this folder scope on the data folder", TargetScope::ThisFolder, u"xdata", u"xdata",
       {u"xa.txt", u"xdata", u"xdata/xj.txt", u"xdata/xsub", u"xdata/xsub/xk.txt", u"xdatab", u"xdatab/xm.txt",
        u"xouter", u"xouter/xin", u"xouter/xin/xn.txt"},
       true},
      {"checked: the data folder and a file", TargetScope::CheckedFiles, u"xdata", u"",
       {u"a.txt", u"xdata", u"xdata/xj.txt", u"xdata/xsub", u"xdata/xsub/xk.txt", u"xdatab", u"xdatab/xm.txt",
        u"xouter", u"xouter/xin", u"xouter/xin/xn.txt"},
       true, {u"xdata", u"xa.txt"}},
      {"chosen files inside the data folder", TargetScope::AllFiles, u"xdata", u"*",
       {u"a.txt", u"xdata", u"xdata/xj.txt", u"xdata/xsub", u"xdata/xsub/xk.txt", u"xdatab", u"xdatab/xm.txt",
        u"xouter", u"xouter/xin", u"xouter/xin/xn.txt"},
       true},
      {"a data folder elsewhere", TargetScope::AllFiles, u"../elsewhere", u"",
       {u"a.txt", u"xdata", u"xdata/j.txt", u"xdata/xsub", u"xdata/xsub/k.txt", u"xdatab", u"xdatab/m.txt",
        u"xouter", u"xouter/xin", u"xouter/xin/n.txt"},
       false},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    TempFolder t(*world.fs);
    for (auto f : {u"xa.txt", u"xdata/xj.txt", u"xdata/xsub/xk.txt", u"xdatab/xm.txt", u"xouter/xin/xn.txt"}) {
      t.MakeFile(f);
    }
    std::u16string data = t / row.data;
    for (auto& c : data) c = c == u'/' ? kPathSeparator : c;
    world.protectedFolder = data;
    world.prompter.shown.clear();
    world.list.checkBoxes = !row.checked.empty();
    world.list.items.clear();
    for (const auto& c : row.checked) world.list.items.push_back({c, true});
    request.Scope = row.scope;
    request.IncludeSubfolders = true;
    if (row.target == u"*") {
      world.list.items = {{t / u"xdata/xj.txt", true}, {t / u"xa.txt", true}, {t / u"xdata", true}};
      Run({});
    } else {
      Run(row.target.empty() ? t.Path() : t / row.target);
    }
    EXPECT_EQ(Tree(t.Path()), row.after);
    const Names shown = world.prompter.Texts();
    const std::u16string told = u"The program's data folder, what it holds and the folders that hold it are never "
                                u"renamed - '" + WithoutTrailingSeparators(data) + u"'";
    EXPECT_EQ(std::count(shown.begin(), shown.end(), told), row.told ? 1 : 0);
  }
  world.protectedFolder.clear();
}

TEST_F(Collection, ProbeFindsSomethingOrSaysWhyNot) {
  struct Row {
    const char* name;
    std::u16string mode;
    TargetScope scope;
    bool subfolders;
    Names files;
    bool found;
    Names messages;
    Names folders = {};  // empty ones, besides those of the files
    SaveContent content = SaveContent::OneLayer;
  };
  const std::u16string remove(EditMode::kRemove), save(EditMode::kSaveAll);
  const Names noFile{u"There is no file (one layer) now!"};
  const Row rows[] = {
      {"empty folder", remove, TargetScope::AllFiles, false, {}, false, noFile},
      {"only a subfolder", remove, TargetScope::AllFiles, true, {u"sub/a.txt"}, true, {}},
      {"only a subfolder, subfolders off", remove, TargetScope::AllFiles, false, {u"sub/a.txt"}, false, noFile},
      {"year folders, the first empty, files two levels down", remove, TargetScope::AllFiles, true,
       {u"2020/01/a.txt"}, true, {}, {u"2019", u"2020/02"}},
      {"subfolders without a file", remove, TargetScope::AllFiles, true, {}, false, noFile, {u"2019/01", u"2020"}},
      {"files only where the walk never goes", remove, TargetScope::AllFiles, true,
       {u"page_files/a.txt", u"page.files/b.txt"}, false, noFile},
      {"a file", remove, TargetScope::AllFiles, false, {u"a.txt"}, true, {}},
      {"no subfolder", remove, TargetScope::Folders, false, {u"a.txt"}, false, {u"There is no subfolder now!"}},
      {"a subfolder", remove, TargetScope::Folders, false, {u"sub/a.txt"}, true, {}},
      {"save: one level down", save, TargetScope::AllFiles, true, {u"sub/a.txt"}, true, {}},
      {"save: first subfolder empty, files deeper", save, TargetScope::AllFiles, true, {u"b/c/a.txt"}, true, {},
       {u"a"}},
      {"save: all layers, subfolders box off", save, TargetScope::AllFiles, false, {u"2019/a.txt"}, true, {}, {},
       SaveContent::AllLayers},
      {"save: all layers, subfolders without a file", save, TargetScope::AllFiles, false, {}, true, {}, {u"2019"},
       SaveContent::AllLayers},
      {"save: all layers, a companion folder left out", save, TargetScope::AllFiles, false, {u"page_files/a.txt"},
       true, {}, {}, SaveContent::AllLayers},
      {"save: nothing anywhere", save, TargetScope::AllFiles, true, {}, false, {u"There is no file and subfolder now!"}},
      {"save: one layer, nothing", save, TargetScope::AllFiles, false, {u"sub/a.txt"}, false, {}},
      {"this folder", remove, TargetScope::ThisFolder, false, {}, true, {}},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    TempFolder t(*world.fs);
    for (const auto& f : row.files) t.MakeFile(f);
    for (const auto& f : row.folders) t.MakeFolder(f);
    world.prompter.shown.clear();
    world.program.TargetFolder = WithTrailingSeparator(t.Path());
    request.Mode = row.mode;
    request.Scope = row.scope;
    request.IncludeSubfolders = row.subfolders;
    request.Save.Content = row.content;
    EXPECT_EQ(!world.Engine().Probe(request).empty(), row.found);
    EXPECT_EQ(world.prompter.Texts(), row.messages);
  }
}

TEST_F(Collection, ProbeOfAVanishedTargetFolder) {
  world.program.TargetFolder = WithTrailingSeparator(dir / u"gone");
  request.Scope = TargetScope::ThisFolder;
  world.Engine().RenameCommand(request);
  EXPECT_EQ(world.prompter.Texts(), (Names{u"The targeted folder has been modified or deleted!"}));
  EXPECT_EQ(world.host.events, std::vector<std::string>{});  // the command ended before any run
}

TEST_F(Collection, ProbeOfCheckedItemsLooksIntoFoldersWithSubfolders) {
  dir.MakeFile(u"one/a.txt");
  dir.MakeFolder(u"two");
  world.program.TargetFolder = WithTrailingSeparator(dir.Path());
  world.list.checkBoxes = true;
  world.list.items = {{u"one", true}, {u"two", true}};
  request.Scope = TargetScope::CheckedFiles;
  EXPECT_EQ(world.Engine().Probe(request), u"");  // no checked file, subfolders off
  request.IncludeSubfolders = true;
  struct Row {
    const char* name;
    std::vector<test::ListItem> items;
    std::u16string found;
  };
  const std::u16string inOne = dir / u"one" + kPathSeparator + u"a.txt";
  const Row rows[] = {
      {"a folder with a file, then an empty one", {{u"one", true}, {u"two", true}}, inOne},
      {"an empty folder, then one with a file", {{u"two", true}, {u"one", true}}, inOne},
      {"a file two levels down", {{u"two", true}, {u"three", true}}, dir / u"three/deep/b.txt"},
      {"the folder with the file unchecked", {{u"one", false}, {u"two", true}}, u""},
  };
  dir.MakeFile(u"three/deep/b.txt");
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    world.list.items = row.items;
    EXPECT_EQ(world.Engine().Probe(request), row.found);
  }
  EXPECT_TRUE(world.prompter.shown.empty());
}

}  // namespace
}  // namespace renamora

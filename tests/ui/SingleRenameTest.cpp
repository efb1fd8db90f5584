// The single-item rename dialog on real folders: what it opens with, what OK does
// to the disk, the messages it refuses with, and the undo log it leaves.
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/StringTable.h"
#include "base/Paths.h"
#include "base/text/NameOrder.h"
#include "base/text/Utf.h"
#include "core/NameChecks.h"
#include "core/TextFile.h"
#include "core/UndoLog.h"
#include "support/Fakes.h"
#include "support/ForwardingFileSystem.h"
#include "support/TempFolder.h"
#include "ui/ControlIds.h"
#include "ui/frame/SingleRename.h"

namespace renamora::ui {
namespace {

using Names = std::vector<std::u16string>;

// The real backend, looking names up ignoring letter case as NTFS does (so the
// rules hold on a POSIX build too), or refusing renames as a file in use refuses them.
class RefusingFs final : public test::ForwardingFileSystem {
 public:
  using ForwardingFileSystem::ForwardingFileSystem;
  std::optional<DirEntry> Stat(std::u16string_view path) override {
    if (auto entry = Inner().Stat(path)) return entry;
    const auto entries = Inner().ListFolder(WithoutTrailingSeparators(FolderView(path)), ListDetail::NamesAndKinds);
    if (!entries) return std::nullopt;
    for (const DirEntry& entry : *entries) {
      if (CompareNtfsOrder(entry.name, NameView(path)) == 0) return Inner().Stat(std::u16string(FolderView(path)) + entry.name);
    }
    return std::nullopt;
  }
  using FileSystem::Rename;
  RenameStatus Rename(std::u16string_view from, std::u16string_view to, RenameSteps* steps) override {
    return refusal ? *refusal : Inner().Rename(from, to, steps);
  }
  std::optional<RenameStatus> refusal;
};

struct World {
  std::unique_ptr<FileSystem> real = MakeSystemFileSystem();
  RefusingFs disk{*real};
  FileSystem* fs = &disk;
  std::unique_ptr<Locale> locale = MakeSystemLocale();
  test::TempFolder items{*fs};
  test::TempFolder data{*fs};
  StringTable texts;
  test::RecordingPrompter prompter;
  UndoLog log{*fs, *locale, data.Path()};
  SingleRenameController dialog{{*fs, prompter, texts, log, data.Path()}};

  std::u16string T(MessageId id) const { return texts.Lookup(id); }
  std::optional<std::vector<std::u16string>> LogLines() { return ReadTextLines(*fs, log.Path(), *locale); }
};

TEST(SingleRename, OpensWithTheItemsNameAsItIsOnDisk) {
  struct Row {
    const char* label;
    std::u16string item;  // made as a file unless it ends with "/"; "-" prefix: not made at all
    FileListMode mode;
    std::u16string name, extension;
    MessageId caption;
    bool extensionShown;
  };
  const Row rows[] = {
      {"file", u"report.final.txt", FileListMode::FolderView, u"report.final", u".txt", 306, true},
      {"dot file", u".htaccess", FileListMode::FolderView, u"", u".htaccess", 306, true},
      {"file without dot", u"README", FileListMode::FolderView, u"README", u"", 306, true},
      {"folder with a dot", u"my.photos/", FileListMode::FolderView, u"my.photos", u"", 307, false},
      {"vanished item", u"-gone.txt", FileListMode::FolderView, u"gone.txt", u"", 306, false},
      {"chosen file", u"notes.md", FileListMode::ChosenFiles, u"notes", u".md", 306, true},
      {"chosen folder", u"album.2020/", FileListMode::ChosenFiles, u"album.2020", u"", 307, false},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.label);
    World w;
    std::u16string name = row.item;
    const bool folder = name.back() == u'/';
    const bool made = name.front() != u'-';
    if (folder) name.pop_back();
    if (!made) name.erase(0, 1);
    if (made && folder) w.items.MakeFolder(name);
    if (made && !folder) w.items.MakeFile(name);
    const std::u16string itemText = row.mode == FileListMode::ChosenFiles ? w.items / name : name;
    w.dialog.Open(itemText, row.mode, w.items.Path());
    EXPECT_EQ(w.dialog.State(IDC_REN_NAME).text, row.name);
    EXPECT_EQ(w.dialog.State(IDC_REN_EXT).text, row.extension);
    EXPECT_EQ(w.dialog.State(IDC_REN_EXT).visible, row.extensionShown);
    EXPECT_EQ(w.dialog.State(IDC_REN_EXT_LABEL).visible, row.extensionShown);
    EXPECT_EQ(w.dialog.Caption(), w.T(row.caption));
    const auto focus = w.dialog.TakeFocusRequest();
    ASSERT_TRUE(focus.has_value());
    EXPECT_EQ(focus->controlId, IDC_REN_NAME);
    EXPECT_TRUE(focus->selectAll);
  }
}

// How the dialog ends, what the disk holds then, the message it showed (295
// caption, information icon) and what the boxes show afterwards.
TEST(SingleRename, OkRenamesOrRefusesWithItsMessage) {
  enum Way { Ok, Enter, Esc, Cancel };
  struct Row {
    const char* label;
    Names files;  // in the folder before; "x/" makes a folder
    std::u16string item;
    bool chosen;  // chosen-files list (the item text is a full path)
    std::u16string name, ext;  // typed; "=" keeps the box
    Way way;
    Names after;
    MessageId message;  // 0: none; -1: the forbidden-characters text; -2: the reserved-name text
    std::optional<int> closeResult;
    std::u16string nameBoxAfter;  // the new item text (relative) after a rename
    bool deleteItem = false;
    std::optional<RenameStatus> refusal = std::nullopt;
  };
  const Row rows[] = {
      {"dot file at once", {u".htaccess"}, u".htaccess", false, u"=", u"=", Ok, {u".htaccess"}, 284, {}, u""},
      {"blanks only", {u"a.txt"}, u"a.txt", false, u"   ", u"=", Ok, {u"a.txt"}, 284, {}, u""},
      {"unchanged", {u"readme.txt"}, u"readme.txt", false, u"=", u"=", Enter, {u"readme.txt"}, 285, {}, u"readme"},
      {"letter case only", {u"readme.txt"}, u"readme.txt", false, u"README", u"=", Enter, {u"README.txt"}, 0, 1,
       u"README.txt"},
      {"taken", {u"a.txt", u"b.txt"}, u"a.txt", false, u"b", u"=", Ok, {u"a.txt", u"b.txt"}, 285, {}, u"b"},
      {"extension without dot", {u"a.doc"}, u"a.doc", false, u"b", u"txt", Ok, {u"b.txt"}, 0, 1, u"b.txt"},
      {"extension emptied", {u"a.txt"}, u"a.txt", false, u"=", u"", Ok, {u"a"}, 0, 1, u"a"},
      {"leading blanks go, trailing stay", {u"a.txt"}, u"a.txt", false, u"  b ", u"=", Ok, {u"b .txt"}, 0, 1,
       u"b .txt"},
      {"forbidden character", {u"a.txt"}, u"a.txt", false, u"a:b", u"=", Ok, {u"a.txt"}, -1, {}, u"a:b"},
      {"reserved name", {u"a"}, u"a", false, u"con", u"=", Ok, {u"a"}, -2, {}, u"con"},
      {"folder keeps no extension", {u"my.photos/"}, u"my.photos", false, u"p.2020", u"=", Ok, {u"p.2020"}, 0, 1,
       u"p.2020"},
      {"chosen file", {u"a.txt"}, u"a.txt", true, u"c", u"=", Ok, {u"c.txt"}, 0, 1, u"c.txt"},
      {"Esc", {u"a.txt"}, u"a.txt", false, u"b", u"=", Esc, {u"a.txt"}, 0, 0, u"b"},
      {"Cancel", {u"a.txt"}, u"a.txt", false, u"b", u"=", Cancel, {u"a.txt"}, 0, 0, u"b"},
      // A failed rename shows the item as it is now; a name taken since the check does not.
      {"file deleted", {u"a.txt"}, u"a.txt", false, u"b", u"=", Ok, {}, 286, {}, u"a.txt", true},
      {"chosen file deleted", {u"a.txt"}, u"a.txt", true, u"b", u"=", Ok, {}, 286, {}, u"a.txt", true},
      {"file in use", {u"a.txt"}, u"a.txt", false, u"b", u"=", Ok, {u"a.txt"}, 286, {}, u"a", false,
       RenameStatus::Failed},
      {"taken since the check", {u"a.txt"}, u"a.txt", false, u"b", u"=", Ok, {u"a.txt"}, 285, {}, u"b", false,
       RenameStatus::TargetExists},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.label);
    World w;
    for (std::u16string f : row.files) {
      if (f.back() != u'/') {
        w.items.MakeFile(f, "x");
        continue;
      }
      f.pop_back();
      w.items.MakeFolder(f);
    }
    // The path box as the user may leave it: without its final separator.
    w.dialog.Open(row.chosen ? w.items / row.item : row.item,
                  row.chosen ? FileListMode::ChosenFiles : FileListMode::FolderView, row.chosen ? u"" : w.items.Path());
    if (row.name != u"=") w.dialog.TextChanged(IDC_REN_NAME, row.name);
    if (row.ext != u"=") w.dialog.TextChanged(IDC_REN_EXT, row.ext);
    EXPECT_TRUE(!row.deleteItem || w.fs->DeleteFile(w.items / row.item));
    w.disk.refusal = row.refusal;
    static_cast<void>(w.dialog.TakeFocusRequest());
    if (row.way == Ok) w.dialog.Command(IDC_REN_OK);
    if (row.way == Cancel) w.dialog.Command(IDC_REN_CANCEL);
    EXPECT_TRUE(row.way == Enter ? w.dialog.Accept() : row.way == Esc ? w.dialog.CancelDialog() : true);

    EXPECT_EQ(w.items.Names(), row.after);
    Names messages;
    if (row.message > 0) messages.push_back(w.T(row.message));
    if (row.message == -1) messages.push_back(ForbiddenCharactersText(w.texts));
    if (row.message == -2) messages.push_back(w.T(238) + u": 'con' " + w.T(127));
    EXPECT_EQ(w.prompter.Texts(), messages);
    for (const auto& shown : w.prompter.shown) {
      EXPECT_EQ(shown.caption, w.T(295));
      EXPECT_EQ(shown.icon, PromptIcon::Information);
    }
    EXPECT_EQ(w.dialog.CloseResult(), row.closeResult);
    if (row.closeResult == 1) {
      const std::u16string newPath = w.items / row.nameBoxAfter;
      EXPECT_EQ(w.dialog.NewItemText(), row.chosen ? newPath : row.nameBoxAfter);
      EXPECT_EQ(w.LogLines(), (Names{newPath, w.items / row.item}));
      continue;
    }
    EXPECT_EQ(w.dialog.State(IDC_REN_NAME).text, row.nameBoxAfter);
    EXPECT_EQ(w.dialog.NewItemText(), std::nullopt);
    EXPECT_FALSE(w.log.UndoLogExists());
    if (row.message != 0) {
      const auto focus = w.dialog.TakeFocusRequest();
      ASSERT_TRUE(focus.has_value());
      EXPECT_EQ(focus->controlId, IDC_REN_NAME);
    }
  }
}

// The log ends up holding this rename alone, also when a batch run's pairs were
// still waiting for their deferred write; and nothing is renamed while another run
// holds the data folder.
TEST(SingleRename, TheUndoLogHoldsJustThisRename) {
  struct Row {
    const char* label;
    bool batchPending;
    bool dataFolderBusy;
    Names after;
    std::optional<Names> logAfterTimer;  // relative to the items folder
  };
  const Row rows[] = {
      {"alone", false, false, {u"B.txt"}, Names{u"B.txt", u"b.txt"}},
      {"after a batch whose write is due", true, false, {u"B.txt"}, Names{u"B.txt", u"b.txt"}},
      {"another run holds the data folder", false, true, {u"b.txt"}, std::nullopt},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.label);
    World w;
    w.items.MakeFile(u"b.txt");
    if (row.batchPending) w.log.RecordUndoPair(w.items / u"b.txt", w.items / u"a.txt");
    FileHold other;
    if (row.dataFolderBusy) {
      w.data.MakeFolder(u"Undos");
      other = w.fs->HoldFile(RunLockPath(w.data.Path()));
      ASSERT_EQ(other.status, HoldStatus::Held);
    }
    w.dialog.Open(u"b.txt", FileListMode::FolderView, w.items.Path());
    w.dialog.TextChanged(IDC_REN_NAME, u"B");
    EXPECT_TRUE(w.dialog.Accept());
    // The edit window's timer of the batch's deferred write fires afterwards.
    w.log.FlushTimerElapsed();
    EXPECT_EQ(w.items.Names(), row.after);
    std::optional<Names> expected;
    if (row.logAfterTimer) {
      expected.emplace();
      for (const auto& name : *row.logAfterTimer) expected->push_back(w.items / name);
    }
    EXPECT_EQ(w.LogLines(), expected);
    EXPECT_EQ(w.prompter.shown.size(), row.dataFolderBusy ? 1u : 0u);
  }
}

}  // namespace
}  // namespace renamora::ui

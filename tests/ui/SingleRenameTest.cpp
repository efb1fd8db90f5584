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

TEST(SingleRename, OkRenamesOrRefusesWithItsMessage) {
  struct Row {
    const char* label;
    Names files;           // in the folder before; "x/" makes a folder
    std::u16string item;   // the list item's name
    FileListMode mode;
    std::u16string typedName, typedExtension;  // "=" keeps what the box shows
    Names after;           // names in the folder afterwards
    std::function<Names(const World&)> messages;
    std::optional<int> closeResult;
    std::u16string newItemText;  // relative to the folder for chosen files
  };
  auto none = [](const World&) { return Names{}; };
  auto text = [](MessageId id) { return [id](const World& w) { return Names{w.T(id)}; }; };
  const Row rows[] = {
      {"dot file pressed at once", {u".htaccess"}, u".htaccess", FileListMode::FolderView, u"=", u"=",
       {u".htaccess"}, text(284), std::nullopt, u""},
      {"blanks only", {u"a.txt"}, u"a.txt", FileListMode::FolderView, u"   ", u"=", {u"a.txt"}, text(284),
       std::nullopt, u""},
      {"unchanged", {u"readme.txt"}, u"readme.txt", FileListMode::FolderView, u"=", u"=", {u"readme.txt"}, text(285),
       std::nullopt, u""},
      {"letter case only", {u"readme.txt"}, u"readme.txt", FileListMode::FolderView, u"README", u"=",
       {u"README.txt"}, none, 1, u"README.txt"},
      {"taken by another item", {u"a.txt", u"b.txt"}, u"a.txt", FileListMode::FolderView, u"b", u"=",
       {u"a.txt", u"b.txt"}, text(285), std::nullopt, u""},
      {"extension without dot", {u"a.doc"}, u"a.doc", FileListMode::FolderView, u"b", u"txt", {u"b.txt"}, none, 1,
       u"b.txt"},
      {"extension emptied", {u"a.txt"}, u"a.txt", FileListMode::FolderView, u"=", u"", {u"a"}, none, 1, u"a"},
      {"leading blanks dropped, trailing kept", {u"a.txt"}, u"a.txt", FileListMode::FolderView, u"  b ", u"=",
       {u"b .txt"}, none, 1, u"b .txt"},
      {"forbidden character", {u"a.txt"}, u"a.txt", FileListMode::FolderView, u"a:b", u"=", {u"a.txt"},
       [](const World& w) { return Names{ForbiddenCharactersText(w.texts)}; }, std::nullopt, u""},
      {"reserved name", {u"a"}, u"a", FileListMode::FolderView, u"con", u"=", {u"a"},
       [](const World& w) { return Names{w.T(238) + u": 'con' " + w.T(127)}; }, std::nullopt, u""},
      {"folder keeps no extension", {u"my.photos/"}, u"my.photos", FileListMode::FolderView, u"pics.2020", u"=",
       {u"pics.2020"}, none, 1, u"pics.2020"},
      {"chosen file gets its new path", {u"a.txt"}, u"a.txt", FileListMode::ChosenFiles, u"c", u"=", {u"c.txt"}, none,
       1, u"c.txt"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.label);
    World w;
    for (std::u16string f : row.files) {
      if (f.back() == u'/') {
        f.pop_back();
        w.items.MakeFolder(f);
      } else {
        w.items.MakeFile(f, "x");
      }
    }
    const bool chosen = row.mode == FileListMode::ChosenFiles;
    // The path box as the user may leave it: without its final separator.
    w.dialog.Open(chosen ? w.items / row.item : row.item, row.mode, chosen ? u"" : w.items.Path());
    if (row.typedName != u"=") w.dialog.TextChanged(IDC_REN_NAME, row.typedName);
    if (row.typedExtension != u"=") w.dialog.TextChanged(IDC_REN_EXT, row.typedExtension);
    static_cast<void>(w.dialog.TakeFocusRequest());
    w.dialog.Command(IDC_REN_OK);

    EXPECT_EQ(w.items.Names(), row.after);
    EXPECT_EQ(w.prompter.Texts(), row.messages(w));
    for (const auto& shown : w.prompter.shown) {
      EXPECT_EQ(shown.caption, w.T(295));
      EXPECT_EQ(shown.icon, PromptIcon::Information);
    }
    EXPECT_EQ(w.dialog.CloseResult(), row.closeResult);
    if (row.closeResult) {
      const std::u16string oldPath = w.items / row.item;
      const std::u16string newPath = w.items / row.newItemText;
      EXPECT_EQ(w.dialog.NewItemText(), chosen ? newPath : row.newItemText);
      EXPECT_EQ(w.LogLines(), (Names{newPath, oldPath}));
      if (!chosen) {
        EXPECT_EQ(w.dialog.FolderBoxText(), WithTrailingSeparator(w.items.Path()));
      }
    } else {
      EXPECT_EQ(w.dialog.NewItemText(), std::nullopt);
      EXPECT_FALSE(w.log.UndoLogExists());
      const auto focus = w.dialog.TakeFocusRequest();
      ASSERT_TRUE(focus.has_value());
      EXPECT_EQ(focus->controlId, IDC_REN_NAME);
    }
  }
}

// The item changed or could not be renamed: a failed rename says so and shows the
// item as it is now; a name taken since the check says that instead.
TEST(SingleRename, AFailedRenameSaysWhyAndRefills) {
  struct Row {
    const char* label;
    FileListMode mode;
    bool deleteItem;
    std::optional<RenameStatus> refusal;
    MessageId message;
    std::u16string name, extension;
    bool extensionShown;
  };
  const Row rows[] = {
      {"file deleted", FileListMode::FolderView, true, std::nullopt, 286, u"a.txt", u"", false},
      {"chosen file deleted", FileListMode::ChosenFiles, true, std::nullopt, 286, u"a.txt", u"", false},
      {"file in use", FileListMode::FolderView, false, RenameStatus::Failed, 286, u"a", u".txt", true},
      {"name taken since the check", FileListMode::FolderView, false, RenameStatus::TargetExists, 285, u"b", u".txt",
       true},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.label);
    World w;
    w.items.MakeFile(u"a.txt");
    const bool chosen = row.mode == FileListMode::ChosenFiles;
    w.dialog.Open(chosen ? w.items / u"a.txt" : u"a.txt", row.mode, chosen ? u"" : w.items.Path());
    if (row.deleteItem) {
      ASSERT_TRUE(w.fs->DeleteFile(w.items / u"a.txt"));
    }
    w.disk.refusal = row.refusal;
    w.dialog.TextChanged(IDC_REN_NAME, u"b");
    static_cast<void>(w.dialog.TakeFocusRequest());
    w.dialog.Command(IDC_REN_OK);
    EXPECT_EQ(w.prompter.Texts(), Names{w.T(row.message)});
    EXPECT_EQ(w.dialog.CloseResult(), std::nullopt);
    EXPECT_EQ(w.dialog.State(IDC_REN_NAME).text, row.name);
    EXPECT_EQ(w.dialog.State(IDC_REN_EXT).text, row.extension);
    EXPECT_EQ(w.dialog.State(IDC_REN_EXT).visible, row.extensionShown);
    EXPECT_EQ(w.dialog.Caption(), w.T(306));
    EXPECT_FALSE(w.log.UndoLogExists());
    const auto focus = w.dialog.TakeFocusRequest();
    ASSERT_TRUE(focus.has_value());
    EXPECT_EQ(focus->controlId, IDC_REN_NAME);
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

TEST(SingleRename, EscAndCancelCloseWithoutChange) {
  struct Row {
    const char* label;
    std::function<void(SingleRenameController&)> close;
  };
  const Row rows[] = {
      {"Esc", [](SingleRenameController& d) { EXPECT_TRUE(d.CancelDialog()); }},
      {"Cancel button", [](SingleRenameController& d) { d.Command(IDC_REN_CANCEL); }},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.label);
    World w;
    w.items.MakeFile(u"a.txt");
    w.dialog.Open(u"a.txt", FileListMode::FolderView, w.items.Path());
    w.dialog.TextChanged(IDC_REN_NAME, u"b");
    row.close(w.dialog);
    EXPECT_EQ(w.dialog.CloseResult(), 0);
    EXPECT_EQ(w.items.Names(), Names{u"a.txt"});
    EXPECT_EQ(w.dialog.NewItemText(), std::nullopt);
  }
}

}  // namespace
}  // namespace renamora::ui

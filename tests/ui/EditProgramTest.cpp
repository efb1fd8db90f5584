// Whole edits as a user makes them: main window, edit window, engine and undo, on a real folder.
#include "ui/edit/EditProgram.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/StringTable.h"
#include "base/Paths.h"
#include "support/Fakes.h"
#include "support/TableLocale.h"
#include "support/TempFolder.h"
#include "ui/ControlIds.h"

namespace renamora::ui {
namespace {

using Names = std::vector<std::u16string>;

class ScriptedTimers final : public WindowTimers {
 public:
  void Start(int id, unsigned) override {
    if (!Running(id)) running.push_back(id);
  }
  void Stop(int id) override { std::erase(running, id); }
  bool Running(int id) const { return std::find(running.begin(), running.end(), id) != running.end(); }
  std::vector<int> running;
};

// The main window's dialogs, as far as an edit reaches them: the edit button opens the edit window.
class MainWindowHost final : public BrowserHost {
 public:
  int ShowAddOptionDialog() override { return 0; }
  std::u16string BrowseForFolder(std::u16string_view) override { return {}; }
  std::vector<std::u16string> ChooseFiles(std::u16string_view, std::u16string_view) override { return {}; }
  void ShowOptions() override {}
  void ShowAbout() override {}
  void SetBusyCursor(bool) override {}
  void PumpDuringListing() override {}
  void CloseProgram() override {}
  void ShowQuickStart() override {}
  void CloseQuickStart() override {}
  bool QuickStartShown() const override { return true; }
  bool QuickStartClosedByUser() const override { return false; }
  bool RenameItem(std::size_t) override { return false; }
  void OpenItem(std::u16string_view) override {}
  void OpenPath(std::u16string_view) override {}
  void ShowProperties(std::u16string_view) override {}
  bool Recycle(std::u16string_view) override { return false; }
  void CopyText(std::u16string_view) override {}
  bool StartInstance(std::u16string_view) override { return false; }
  void SetAlwaysOnTop(bool) override {}
  std::u16string SpecialFolderPath(SpecialFolder) override { return {}; }
  void ShowHelp() override {}
  void PlayEndSound() override {}
  void OpenEditWindow(bool needsProbe) override {
    if (openEdit) openEdit(needsProbe);
  }
  std::function<void(bool)> openEdit;
};

class NoChooser final : public SaveFileChooser {
 public:
  std::optional<std::u16string> ChooseSaveFile(std::u16string_view) override { return answer; }
  std::optional<std::u16string> answer;
};

class NoOpener final : public FileOpener {
 public:
  void OpenFile(std::u16string_view) override {}
};

// The desktop program without its views: every window is its controller.
struct Program {
  Program() {
    data.MakeFolder(u"Undos");
    mainHost.openEdit = [this](bool needsProbe) {
      edit.ProbeSample(needsProbe);
      window.Open();
    };
    edit.Bind(window, commands);
    commands.SetOptions(browser.Options());
  }
  std::u16string DataFolder() const { return WithTrailingSeparator(data.Path()); }
  Names Disk() const {
    Names names;
    for (const DirEntry& e : fs->ListFolder(work.Path()).value_or(std::vector<DirEntry>{})) names.push_back(e.name);
    std::sort(names.begin(), names.end());
    return names;
  }
  void List() {
    browser.TextChanged(IDC_MAIN_PATHBOX, work.Path());
    browser.Accept();
  }

  std::unique_ptr<FileSystem> fs = MakeSystemFileSystem();
  std::unique_ptr<Clock> clock = MakeSystemClock();
  test::TableLocale locale;
  test::TempFolder data{*fs};
  test::TempFolder work{*fs};
  test::RecordingPrompter prompter;
  SettingsFile settings{*fs, locale, data / u"Settings.ini"};
  ScriptedTimers mainTimers, editTimers;
  MainWindowHost mainHost;
  ProgramState program;
  RunSession session{*fs, locale, *clock, DataFolder()};
  BrowserController browser{{*fs, locale, *clock, StringTable::BuiltIn(), prompter, settings, mainTimers, mainHost,
                             program, session, DataFolder()}};
  test::RecordingObserver progress;
  SpecialStringSettings special;
  NoChooser chooser;
  NoOpener opener;
  EditCommands commands{{*fs, locale, *clock, StringTable::BuiltIn(), prompter, progress, browser.List(), edit,
                         program, session, special, chooser, opener}};
  EditProgram edit{browser, session, settings, program, {}};
  EditWindowController window{{*fs, StringTable::BuiltIn(), prompter, editTimers, edit, program, session.Run()}};
};

TEST(EditProgram, AWholeEditOfEachModeRenamesPreviewsAndUndoes) {
  struct Row {
    const char* label;
    int button;
    std::function<void(EditWindowController&)> fill;
    Names renamed;
  };
  const Names before{u"IMG_01.jpg", u"IMG_02.jpg"};
  const Row rows[] = {
      {"remove", IDC_MAIN_REMOVE,
       [](EditWindowController& w) { w.TextChanged(IDC_EDIT_REMOVE_STRING1, u"IMG_"); }, {u"01.jpg", u"02.jpg"}},
      {"replace", IDC_MAIN_REPLACE,
       [](EditWindowController& w) {
         w.TextChanged(IDC_EDIT_REPLACE_OLD, u"IMG");
         w.TextChanged(IDC_EDIT_REPLACE_NEW, u"Photo");
       },
       {u"Photo_01.jpg", u"Photo_02.jpg"}},
      {"insert", IDC_MAIN_INSERT,
       [](EditWindowController& w) {
         w.Checked(IDC_EDIT_INSERT_HEAD, true);
         w.TextChanged(IDC_EDIT_INSERT_HEAD_TEXT, u"x_");
       },
       {u"x_IMG_01.jpg", u"x_IMG_02.jpg"}},
      {"change", IDC_MAIN_CHANGE,
       [](EditWindowController& w) { w.TextChanged(IDC_EDIT_CHANGE_NEW_NAME_TEXT, u"trip$$"); },
       {u"trip01.jpg", u"trip02.jpg"}},
      {"extension", IDC_MAIN_EXTENSION,
       [](EditWindowController& w) { w.TextChanged(IDC_EDIT_EXT_NEW, u"png"); }, {u"IMG_01.png", u"IMG_02.png"}},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.label);
    Program p;
    for (const auto& name : before) p.work.MakeFile(name);
    p.List();
    p.browser.Command(row.button);
    ASSERT_TRUE(p.window.IsOpen());
    row.fill(p.window);

    p.window.Command(IDC_EDIT_PREVIEW);
    ASSERT_EQ(p.session.Preview().Count(), 2u);
    EXPECT_EQ(p.session.Preview().Row(0).OldName, before[0]);
    EXPECT_EQ(p.Disk(), before);

    p.window.Command(IDC_EDIT_RENAME);
    EXPECT_EQ(p.Disk(), row.renamed);
    EXPECT_FALSE(p.window.IsOpen());
    EXPECT_EQ(p.browser.TotalText(), u"2 renamed successfully,0 failed.");
    // The main list was read again and shows the new names.
    ASSERT_EQ(p.browser.List().Count(), 2u);
    EXPECT_EQ(p.browser.List().Item(0).text, row.renamed[0]);

    // The deferred write puts the pairs into the undo log; Undo takes them back.
    ASSERT_TRUE(p.editTimers.Running(IDT_UNDO_LOG));
    p.window.TimerFired(IDT_UNDO_LOG);
    p.prompter.answers = {PromptAnswer::Yes};
    p.browser.Command(IDC_MAIN_UNDO);
    EXPECT_EQ(p.Disk(), before);
    EXPECT_TRUE(p.prompter.shown.size() >= 1u);
  }
}

TEST(EditProgram, BackAfterAPreviewLeavesDiskListAndUndoLogAlone) {
  Program p;
  p.work.MakeFile(u"a_x.txt");
  p.List();
  p.browser.Command(IDC_MAIN_REMOVE);
  p.window.TextChanged(IDC_EDIT_REMOVE_STRING1, u"_x");
  p.window.Command(IDC_EDIT_PREVIEW);
  p.window.Command(IDC_EDIT_BACK);
  EXPECT_FALSE(p.window.IsOpen());
  EXPECT_EQ(p.Disk(), (Names{u"a_x.txt"}));
  EXPECT_FALSE(p.session.Undo().UndoLogExists());
  EXPECT_EQ(p.browser.TotalText().find(u"renamed"), std::u16string::npos);
  EXPECT_EQ(p.program.CurrentMode, u"Browsefile");
}

TEST(EditProgram, ARunThatRenamesNothingKeepsTheWindowOpenWithMessage129) {
  Program p;
  p.work.MakeFile(u"a.txt");
  p.List();
  p.browser.Command(IDC_MAIN_REMOVE);
  p.window.TextChanged(IDC_EDIT_REMOVE_STRING1, u"zzz");
  p.window.Command(IDC_EDIT_RENAME);
  EXPECT_TRUE(p.window.IsOpen());
  ASSERT_FALSE(p.prompter.shown.empty());
  EXPECT_EQ(p.prompter.shown.back().text, StringTable::BuiltIn().Lookup(129));
  EXPECT_EQ(p.Disk(), (Names{u"a.txt"}));
}

}  // namespace
}  // namespace renamora::ui

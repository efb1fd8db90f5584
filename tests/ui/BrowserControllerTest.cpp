// The main window's rules with a scripted host: navigation, hand-over, recycling,
// nested listings and the popup menu, on real folders.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "app/RunSession.h"
#include "app/SettingsFile.h"
#include "app/StartUp.h"
#include "app/StringTable.h"
#include "base/Paths.h"
#include "support/Fakes.h"
#include "support/TempFolder.h"
#include "ui/ControlIds.h"
#include "ui/browser/MainWindow.h"

namespace renamora::ui {
namespace {

using Names = std::vector<std::u16string>;

class ScriptedTimers final : public WindowTimers {
 public:
  void Start(int id, unsigned) override { running.push_back(id); }
  void Stop(int id) override { std::erase(running, id); }
  std::vector<int> running;
};

class ScriptedHost final : public BrowserHost {
 public:
  int ShowAddOptionDialog() override { return ++addOptionCalls, addOptionAnswer; }
  std::u16string BrowseForFolder(std::u16string_view) override { return browseAnswer; }
  std::vector<std::u16string> ChooseFiles(std::u16string_view, std::u16string_view) override { return files; }
  void ShowOptions() override {}
  void ShowAbout() override {}
  void SetBusyCursor(bool) override {}
  void PumpDuringListing() override {
    if (duringListing) std::exchange(duringListing, nullptr)();
  }
  void CloseProgram() override {}
  void ShowQuickStart() override {}
  void CloseQuickStart() override {}
  bool QuickStartShown() const override { return true; }
  bool QuickStartClosedByUser() const override { return false; }
  bool RenameItem(std::size_t) override { return false; }
  void OpenItem(std::u16string_view) override {}
  void OpenPath(std::u16string_view) override {}
  void ShowProperties(std::u16string_view) override {}
  bool Recycle(std::u16string_view path) override {
    if (path == refusedRecycle) return false;
    return fs->DeleteFile(path);
  }
  void CopyText(std::u16string_view) override {}
  bool StartInstance(std::u16string_view mode) override {
    started.emplace_back(mode);
    return startWorks;
  }
  void SetAlwaysOnTop(bool) override {}
  std::u16string SpecialFolderPath(SpecialFolder) override { return {}; }
  void ShowHelp() override {}
  void PlayEndSound() override {}
  void OpenEditWindow(bool needsProbe) override { opened.push_back(needsProbe); }
  void SaveChosenFiles() override { ++savesOfChosenFiles; }

  FileSystem* fs = nullptr;
  std::vector<bool> opened;
  int savesOfChosenFiles = 0;
  int addOptionAnswer = 0;
  int addOptionCalls = 0;
  std::u16string browseAnswer;
  std::vector<std::u16string> files;
  std::u16string refusedRecycle;
  bool startWorks = true;
  std::vector<std::u16string> started;
  std::function<void()> duringListing;
};

struct World {
  std::unique_ptr<FileSystem> fs = MakeSystemFileSystem();
  std::unique_ptr<Locale> locale = MakeSystemLocale();
  std::unique_ptr<Clock> clock = MakeSystemClock();
  test::TempFolder data{*fs};
  test::TempFolder work{*fs};
  test::RecordingPrompter prompter;
  SettingsFile settings{*fs, *locale, data / u"Settings.ini"};
  ScriptedTimers timers;
  ScriptedHost host;
  ProgramState program;
  RunSession session{*fs, *locale, *clock, WithTrailingSeparator(data.Path())};
  BrowserController browser{{*fs, *locale, *clock, StringTable::BuiltIn(), prompter, settings, timers, host, program,
                             session, WithTrailingSeparator(data.Path())}};

  World() { host.fs = fs.get(); }
  void Make(const Names& files) {
    for (const auto& f : files) work.MakeFile(f);
  }
  void List(std::u16string_view folder) {
    browser.TextChanged(IDC_MAIN_PATHBOX, folder);
    browser.Accept();
  }
  Names Texts() const {
    Names texts;
    for (std::size_t i = 0; i < browser.List().Count(); ++i) texts.push_back(browser.List().Item(i).text);
    return texts;
  }
  void Select(std::initializer_list<std::size_t> rows) {
    for (std::size_t i = 0; i < browser.List().Count(); ++i) browser.List().SetSelected(i, false);
    for (auto r : rows) browser.List().SetSelected(r, true);
  }
};

TEST(BrowserController, EnterListsTheTypedPathAndRefusesOneThatNamesNothing) {
  World w;
  w.Make({u"b.txt", u"a.txt"});
  w.List(w.work.Path() + u"  ");
  EXPECT_EQ(w.Texts(), (Names{u"a.txt", u"b.txt"}));
  EXPECT_EQ(w.browser.PathBoxText(), WithTrailingSeparator(w.work.Path()));
  w.List(w.work / u"missing");
  EXPECT_EQ(w.Texts(), (Names{u"a.txt", u"b.txt"}));
  EXPECT_EQ(w.prompter.Texts(), (Names{u"The selected folder is invalid!"}));
}

TEST(BrowserController, HandOverTakesTheSelectedItemsOnlyWhenTheOtherInstanceStarts) {
  struct Row {
    const char* label;
    bool startWorks;
    Names left;
  };
  const Row rows[] = {{"started", true, {u"1.txt", u"3.txt", u"5.txt"}},
                      {"start fails", false, {u"1.txt", u"2.txt", u"3.txt", u"4.txt", u"5.txt"}}};
  for (const Row& row : rows) {
    SCOPED_TRACE(row.label);
    World w;
    w.Make({u"1.txt", u"2.txt", u"3.txt", u"4.txt", u"5.txt"});
    w.List(w.work.Path());
    w.Select({1, 3});
    w.host.startWorks = row.startWorks;
    w.browser.Command(IDM_OTHER_SAVE);
    EXPECT_EQ(w.host.started, (Names{u"Savesomes"}));
    EXPECT_EQ(w.Texts(), row.left);
    // The other instance reads the hand-over file; none is left when it did not start.
    const auto handed = TakeHandOverFile(*w.fs, *w.locale, WithTrailingSeparator(w.data.Path()));
    EXPECT_EQ(handed.has_value(), row.startWorks);
    if (handed) {
      EXPECT_EQ(*handed, (Names{w.work / u"2.txt", w.work / u"4.txt"}));
    }
    EXPECT_EQ(w.prompter.shown.size(), row.startWorks ? 0u : 1u);
  }
}

TEST(BrowserController, EditButtonsOpenTheEditWindowOnlyForSomethingToEdit) {
  enum class Before { Nothing, Folder, MissingFolder, ChosenFiles };
  struct Row {
    const char* label;
    Before before;
    int button;
    std::vector<bool> opened;  // the needsProbe of each opening
    int saves;
    Names messages;
    std::u16string modeAfter;
  };
  const std::u16string notChosen = StringTable::BuiltIn().Lookup(27);
  const std::u16string missing = StringTable::BuiltIn().Lookup(28);
  const Row rows[] = {
      {"nothing chosen", Before::Nothing, IDC_MAIN_REMOVE, {}, 0, {notChosen}, u"Browsefile"},
      {"a folder, nothing selected", Before::Folder, IDC_MAIN_INSERT, {true}, 0, {}, u"Addnewnum"},
      {"a folder that went away", Before::MissingFolder, IDC_MAIN_CHANGE, {}, 0, {missing}, u"Browsefile"},
      {"chosen files, Save", Before::ChosenFiles, IDC_MAIN_SAVE, {}, 1, {}, u"Browsefile"},
      {"chosen files, Extension", Before::ChosenFiles, IDC_MAIN_EXTENSION, {false}, 0, {}, u"Changexten"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.label);
    World w;
    w.Make({u"a.txt", u"b.txt"});
    if (row.before == Before::Folder || row.before == Before::MissingFolder) w.List(w.work.Path());
    if (row.before == Before::MissingFolder) w.browser.TextChanged(IDC_MAIN_PATHBOX, w.work / u"gone");
    if (row.before == Before::ChosenFiles) {
      w.host.files = {w.work / u"b.txt"};
      w.browser.Command(IDC_MAIN_FILES);
    }
    EXPECT_TRUE(w.browser.State(row.button).enabled);
    w.browser.Command(row.button);
    EXPECT_EQ(w.host.opened, row.opened);
    EXPECT_EQ(w.host.savesOfChosenFiles, row.saves);
    EXPECT_EQ(w.prompter.Texts(), row.messages);
    if (row.before == Before::MissingFolder) {
      EXPECT_EQ(w.browser.List().Count(), 0u);
    }
    // The program state is what the edit window (or the listing) works on.
    if (!row.opened.empty() && row.before == Before::Folder) {
      EXPECT_EQ(w.program.TargetFolder, WithTrailingSeparator(w.work.Path()));
    }
    if (row.before == Before::ChosenFiles) {
      EXPECT_EQ(w.program.PickedPaths, (Names{w.work / u"b.txt"}));
    }
    EXPECT_EQ(w.program.CurrentMode, row.modeAfter);
  }
}

TEST(BrowserController, TheEditTimerOfAStartWithAModeOpensTheEditOrSavesTheNames) {
  struct Row {
    std::u16string_view mode;
    std::vector<bool> opened;
    int saves;
  };
  const Row rows[] = {{EditMode::kRemove, {false}, 0}, {EditMode::kSaveSome, {}, 1}, {EditMode::kBrowse, {}, 0}};
  for (const Row& row : rows) {
    SCOPED_TRACE(std::string(row.mode.begin(), row.mode.end()));
    World w;
    w.program.CurrentMode = std::u16string(row.mode);
    w.browser.StartEditSoon();
    ASSERT_NE(std::find(w.timers.running.begin(), w.timers.running.end(), IDT_EDIT), w.timers.running.end());
    w.browser.TimerFired(IDT_EDIT);
    EXPECT_EQ(w.host.opened, row.opened);
    EXPECT_EQ(w.host.savesOfChosenFiles, row.saves);
    // One shot: it does not fire again.
    EXPECT_EQ(std::find(w.timers.running.begin(), w.timers.running.end(), IDT_EDIT), w.timers.running.end());
  }
}

TEST(BrowserController, AFolderPutFirstLeavesNoEqualEntryBelow) {
  World w;
  const std::u16string a = WithTrailingSeparator(w.work / u"a"), b = WithTrailingSeparator(w.work / u"b");
  w.browser.PutFolderFirst(a);
  w.browser.PutFolderFirst(b);
  w.browser.PutFolderFirst(a);
  w.browser.PutFolderFirst(a);
  EXPECT_EQ(w.browser.History(), (Names{a, b}));
  EXPECT_EQ(w.browser.PathBoxText(), a);
}

TEST(BrowserController, AnItemTheRecycleBinRefusesStaysAndIsNamed) {
  World w;
  w.Make({u"a.txt", u"b.txt", u"c.txt"});
  w.List(w.work.Path());
  w.Select({0, 1, 2});
  w.host.refusedRecycle = w.work / u"b.txt";
  w.prompter.answers = {PromptAnswer::Yes};
  w.browser.Command(IDM_RECYCLE);
  EXPECT_EQ(w.Texts(), (Names{u"b.txt"}));
  EXPECT_FALSE(w.fs->Exists(w.work / u"a.txt"));
  ASSERT_EQ(w.prompter.Texts().size(), 2u);
  EXPECT_NE(w.prompter.Texts()[1].find(w.work / u"b.txt"), std::u16string::npos);
}

TEST(BrowserController, FilesThenBackReturnsToTheFolderAndUpperAtARootAsksForAFolder) {
  World w;
  w.Make({u"a.txt", u"b.txt"});
  w.List(w.work.Path());
  w.host.files = {w.work / u"b.txt", w.work / u"a.txt"};
  w.browser.Command(IDC_MAIN_FILES);
  EXPECT_EQ(w.browser.List().Mode(), FileListMode::ChosenFiles);
  EXPECT_EQ(w.Texts(), (Names{w.work / u"b.txt", w.work / u"a.txt"}));
  EXPECT_TRUE(w.browser.State(IDC_MAIN_BACK).enabled);
  w.browser.Command(IDC_MAIN_BACK);
  EXPECT_EQ(w.browser.List().Mode(), FileListMode::FolderView);
  EXPECT_EQ(w.Texts(), (Names{u"a.txt", u"b.txt"}));
  EXPECT_FALSE(w.browser.State(IDC_MAIN_BACK).enabled);

  w.List(std::u16string(1, kPathSeparator));
#ifdef _WIN32
  w.List(w.work.Path().substr(0, 3));
#endif
  w.browser.Command(IDC_MAIN_UPPER);
  EXPECT_EQ(w.host.addOptionCalls, 1);
}

TEST(BrowserController, AListingAskedForDuringAListingWaitsAndWins) {
  World w;
  w.work.MakeFile(u"old/1.txt");
  w.work.MakeFile(u"new/2.txt");
  // While the first folder is read, the user picks another one.
  w.host.duringListing = [&] { w.List(w.work / u"new"); };
  w.List(w.work / u"old");
  ASSERT_NE(std::find(w.timers.running.begin(), w.timers.running.end(), IDT_DEFERRED_LISTING), w.timers.running.end());
  w.browser.TimerFired(IDT_DEFERRED_LISTING);
  EXPECT_EQ(w.Texts(), (Names{u"2.txt"}));
  EXPECT_EQ(w.browser.List().CurrentFolder(), WithTrailingSeparator(w.work / u"new"));
}

TEST(BrowserController, PopupMenuEntriesFollowModeSelectionAndCheckBoxes) {
  World w;
  w.Make({u"a.txt", u"b.txt"});
  w.List(w.work.Path());
  struct Row {
    const char* label;
    std::initializer_list<std::size_t> selected;
    bool checkBoxes;
    int id;
    bool enabled, visible;
  };
  const Row rows[] = {
      {"rename needs one selected", {0, 1}, true, IDM_RENAME, false, true},
      {"rename with one", {0}, true, IDM_RENAME, true, true},
      {"new folder in a folder view", {}, true, IDM_NEW_FOLDER, true, true},
      {"add more only for chosen files", {}, true, IDM_ADD_MORE, false, true},
      {"check selected hidden without a selection", {}, true, IDM_CHECK_SELECTED, true, false},
      {"select all only without check boxes", {0}, true, IDM_SELECT_ALL, true, false},
      {"select all without check boxes", {0}, false, IDM_SELECT_ALL, true, true},
      {"check all hidden without check boxes", {0}, false, IDM_CHECK_ALL, true, false},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.label);
    OptionSettings options;
    options.Checkbox = row.checkBoxes;
    w.browser.SetOptions(options);
    w.Select(row.selected);
    const ControlState state = w.browser.MenuState(row.id);
    EXPECT_EQ(state.enabled, row.enabled);
    EXPECT_EQ(state.visible, row.visible);
    EXPECT_EQ(w.browser.State(IDC_MAIN_CHECKALL).visible, row.checkBoxes);
  }
}

}  // namespace
}  // namespace renamora::ui

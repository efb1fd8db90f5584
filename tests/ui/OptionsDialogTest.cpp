// The options dialog's rules, driven as the view would, against a real Settings.ini.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "app/LanguageFiles.h"
#include "base/text/Utf.h"
#include "support/Fakes.h"
#include "support/TableLocale.h"
#include "support/TempFolder.h"
#include "ui/ControlIds.h"
#include "ui/frame/OptionsDialog.h"

namespace renamora::ui {
namespace {

std::string Utf8(std::u16string_view text) { return Utf16ToUtf8(text).value_or("?"); }

class RecordingOptionsHost final : public OptionsHost {
 public:
  const TextLookup& Texts() const override { return table; }
  std::u16string LanguageName() const override { return languageName; }
  std::u16string LanguageInUse() const override { return {}; }
  std::u16string ActiveIconSet() const override { return activeIconSet; }
  void ApplyCheckBoxes(bool on) override { Note("checkboxes " + std::to_string(on)); }
  void LoadFolderHistoryIfEmpty(int foldernum) override { Note("folders " + std::to_string(foldernum)); }
  void ShowQuickStartIfListEmpty() override { Note("show guide"); }
  void HideQuickStart() override { Note("hide guide"); }
  void RegisterContextMenu(bool on) override { Note("register " + std::to_string(on)); }
  void ApplyIconSet(const std::optional<std::u16string>& name) override {
    Note("icons " + (name ? Utf8(*name) : std::string("default")));
  }
  void ApplyLanguage(std::u16string_view name) override {
    languageName = name;
    table = ChooseStringTable(*fs, locale, programFolder, name).table;
    Note("language " + Utf8(name));
  }
  void ChangeNewNameMaximum(int maximum) override { Note("newnames " + std::to_string(maximum)); }
  void PlaceEditWindowsAnew() override { Note("place"); }
  void ClearNewNameHistory() override { Note("clear newnames"); }
  void EditNewNameHistory() override { Note("edit newnames"); }
  void ClearFolderHistory() override { Note("clear folders"); }
  void CreateDesktopShortcut() override { Note("shortcut"); }
  void StopStatusTimer() override { Note("stop timer"); }
  void StartStatusTimer() override { Note("start timer"); }
  void ProcessPendingEvents() override { Note("pump"); }

  void Note(std::string event) { events.push_back(std::move(event)); }

  FileSystem* fs = nullptr;
  test::TableLocale locale;
  std::u16string programFolder;
  StringTable table;
  std::u16string languageName;
  std::u16string activeIconSet;
  std::vector<std::string> events;
};

// A program folder in a temp folder with the data folder's Settings.ini in it.
struct DialogWorld {
  explicit DialogWorld(const char* settings = nullptr) {
    if (settings != nullptr) temp.MakeFile(u"Settings.ini", settings);
    host.fs = fs.get();
    host.programFolder = temp.Path();
  }
  std::string Stored() const { return temp.Read(u"Settings.ini"); }

  std::unique_ptr<FileSystem> fs = MakeSystemFileSystem();
  test::TempFolder temp{*fs};
  RecordingOptionsHost host;
  test::RecordingPrompter prompter;
  SettingsFile file{*fs, host.locale, temp / u"Settings.ini"};
  OptionsController dialog{{*fs, host.locale, prompter, file, host, temp.Path()}};
};

std::string Text(const OptionsController& dialog, int id) { return Utf8(dialog.State(id).text); }

TEST(OptionsDialog, NumberBoxesKeepToTheirRanges) {
  struct Row {
    int box;
    const char* key;
    const char* typed;
    const char* shown;
    const char* warning;
  };
  const Row rows[] = {
      {IDC_OPT_PREVIEW_NUMBER, "Prenum", "1500", "1000", "Sorry! Maximum is 1000."},
      {IDC_OPT_PREVIEW_NUMBER, "Prenum", "0", "1", ""},
      {IDC_OPT_PREVIEW_NUMBER, "Prenum", "1000", "1000", ""},
      {IDC_OPT_NEWNAME_NUMBER, "Listnum", "101", "100", "Sorry! Maximum is 100."},
      {IDC_OPT_NEWNAME_NUMBER, "Listnum", "0", "0", ""},
      {IDC_OPT_FOLDERS_NUMBER, "Foldernum", "31", "30", "Sorry! Maximum is 30."},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.typed);
    DialogWorld world;
    OptionsController& dialog = world.dialog;
    dialog.Show();
    dialog.TextChanged(row.box, U16(row.typed));
    EXPECT_EQ(Text(dialog, row.box), row.shown);
    EXPECT_EQ(world.prompter.Texts(),
              (*row.warning ? std::vector<std::u16string>{U16(row.warning)} : std::vector<std::u16string>{}));
    if (*row.warning) {
      EXPECT_EQ(world.prompter.shown[0].caption, u"Information");
      EXPECT_EQ(world.prompter.shown[0].icon, PromptIcon::Warning);
    }
    dialog.Command(IDC_OPT_OK);
    EXPECT_NE(world.Stored().find(std::string(row.key) + "=" + row.shown + "\r\n"), std::string::npos);
  }
}

TEST(OptionsDialog, ATextThatIsNoNumberKeepsTheLastValueAndOkSaysWhy) {
  struct Row {
    int box;
    const char* typed;
    const char* message;
    int page;
  };
  const Row rows[] = {
      {IDC_OPT_PREVIEW_NUMBER, "", "Preview files number: 1 - 1000", OptionsController::Rename},
      {IDC_OPT_PREVIEW_NUMBER, "12a", "Preview files number: 1 - 1000", OptionsController::Rename},
      {IDC_OPT_PREVIEW_NUMBER, "-3", "Preview files number: 1 - 1000", OptionsController::Rename},
      {IDC_OPT_NEWNAME_NUMBER, "99999999999", "New name number: 0 - 100", OptionsController::History},
      {IDC_OPT_FOLDERS_NUMBER, " 7", "Used folder list history, Max Number of list: 0 - 30",
       OptionsController::History},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.typed);
    DialogWorld world("[Option]\r\nPrenum=9\r\nListnum=9\r\nFoldernum=9\r\n");
    OptionsController& dialog = world.dialog;
    dialog.LoadSettings();
    dialog.Show();
    dialog.TextChanged(row.box, u"5");
    dialog.TextChanged(row.box, U16(row.typed));
    EXPECT_EQ(Text(dialog, row.box), row.typed);
    EXPECT_TRUE(world.prompter.shown.empty());  // typing is never interrupted

    dialog.FocusMoved(row.box, IDC_OPT_OK);
    dialog.Command(IDC_OPT_OK);
    EXPECT_EQ(world.prompter.Texts(), std::vector<std::u16string>{U16(row.message)});
    EXPECT_FALSE(dialog.CloseResult().has_value());
    EXPECT_EQ(dialog.ActivePage(), row.page);
    const auto focus = dialog.TakeFocusRequest();
    ASSERT_TRUE(focus.has_value());
    EXPECT_EQ(focus->controlId, row.box);
    EXPECT_EQ(world.Stored(), "[Option]\r\nPrenum=9\r\nListnum=9\r\nFoldernum=9\r\n");

    // Leaving the box for anything but OK shows the value that stands.
    dialog.FocusMoved(row.box, IDC_OPT_CAP_EVERY);
    EXPECT_EQ(Text(dialog, row.box), "5");
    dialog.Command(IDC_OPT_OK);
    EXPECT_EQ(dialog.CloseResult(), kOptionsOk);
    EXPECT_NE(world.Stored().find("=5\r\n"), std::string::npos);
  }
}

TEST(OptionsDialog, DefaultThenCancelLeavesFileAndBoxesAsBefore) {
  const char* const files[] = {"[Option]\r\nOptions1=1\r\nOptions3=0\r\nConfirm=1\r\nCheckbox=0\r\nPrenum=77\r\n",
                               nullptr};
  for (const char* settings : files) {
    SCOPED_TRACE(settings ? "with a settings file" : "without one");
    DialogWorld world(settings);
    OptionsController& dialog = world.dialog;
    dialog.LoadSettings();
    dialog.Show();
    std::vector<ControlState> before;
    for (const int id : dialog.ControlIds()) before.push_back(dialog.State(id));

    dialog.Command(IDC_OPT_DEFAULT);
    dialog.Checked(IDC_OPT_CONFIRM, true);
    dialog.TextChanged(IDC_OPT_NEWNAME_NUMBER, u"3");
    dialog.Command(IDC_OPT_CANCEL);

    EXPECT_EQ(dialog.CloseResult(), kOptionsCancel);
    std::vector<ControlState> after;
    for (const int id : dialog.ControlIds()) after.push_back(dialog.State(id));
    EXPECT_EQ(after, before);
    EXPECT_EQ(world.fs->IsFile(world.temp / u"Settings.ini"), settings != nullptr);
    if (settings) {
      EXPECT_EQ(world.Stored(), settings);
    }
  }
}

TEST(OptionsDialog, ExitAfterRenameAndShowResultsExcludeEachOther) {
  struct Row {
    int box;
    bool checked;
    bool exitAfter;
    bool showResults;
  };
  // Applied in turn to one dialog.
  const Row rows[] = {
      {IDC_OPT_EXIT_AFTER, true, true, false},
      {IDC_OPT_EXIT_AFTER, false, false, true},
      {IDC_OPT_EXIT_AFTER, true, true, false},
      {IDC_OPT_SHOW_RESULTS, true, false, true},
  };
  DialogWorld world;
  OptionsController& dialog = world.dialog;
  for (const Row& row : rows) {
    SCOPED_TRACE(std::to_string(row.box) + (row.checked ? " on" : " off"));
    dialog.Checked(row.box, row.checked);
    EXPECT_EQ(dialog.State(IDC_OPT_EXIT_AFTER).checked, row.exitAfter);
    EXPECT_EQ(dialog.State(IDC_OPT_SHOW_RESULTS).checked, row.showResults);
  }
}

TEST(OptionsDialog, OkStoresTheKeysInOrderAndTellsTheProgram) {
  struct Row {
    const char* name;
    bool changeThings;
    const char* stored;
    std::vector<std::string> events;
  };
  const Row rows[] = {
      {"as loaded",
       false,
       "[Option]\r\nOptions1=0\r\nOptions2=0\r\nOptions3=1\r\nAutocopy=1\r\nCapevery=1\r\nConfirm=0\r\nPrenum=20\r\n"
       "Listnum=20\r\nFoldernum=10\r\nContextmenu=1\r\nEndsound=1\r\nPreviewMax=0\r\nCheckbox=1\r\nShowguide=1\r\n"
       "Showhiddenfile=0\r\nShowsysfile=0\r\nAutoPreview=0\r\n",
       {"checkboxes 1", "place", "show guide", "register 1", "pump", "pump", "start timer"}},
      {"changed",
       true,
       "[Option]\r\nOptions1=0\r\nOptions2=0\r\nOptions3=1\r\nAutocopy=1\r\nCapevery=1\r\nConfirm=0\r\nPrenum=20\r\n"
       "Listnum=5\r\nFoldernum=10\r\nContextmenu=0\r\nEndsound=1\r\nPreviewMax=0\r\nCheckbox=0\r\nShowguide=0\r\n"
       "Showhiddenfile=0\r\nShowsysfile=0\r\nAutoPreview=0\r\n",
       {"checkboxes 0", "place", "hide guide", "register 0", "pump", "newnames 5", "pump", "shortcut", "start timer"}},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    DialogWorld world;
    OptionsController& dialog = world.dialog;
    dialog.Show();
    if (row.changeThings) {
      dialog.Checked(IDC_OPT_CHECKBOXES, false);
      dialog.Checked(IDC_OPT_SHOW_GUIDE, false);
      dialog.Checked(IDC_OPT_CONTEXT_MENU, false);
      dialog.Checked(IDC_OPT_SHORTCUT, true);
      dialog.TextChanged(IDC_OPT_NEWNAME_NUMBER, u"5");
    }
    world.host.events.clear();
    dialog.Command(IDC_OPT_OK);
    EXPECT_EQ(dialog.CloseResult(), kOptionsOk);
    EXPECT_EQ(world.Stored(), row.stored);
    EXPECT_EQ(world.host.events, row.events);
  }
}

TEST(OptionsDialog, LoadingTellsTheMainWindow) {
  struct Row {
    const char* settings;
    std::vector<std::string> events;
    bool checkboxes;
    const char* preview;
  };
  const Row rows[] = {
      {"[Option]\r\nCheckbox=0\r\nFoldernum=4\r\n", {"checkboxes 0", "folders 4"}, false, "20"},
      {"[Option]\r\nPrenum=0\r\n", {"checkboxes 1", "folders 10"}, true, "1"},
      {nullptr, {}, true, "20"},  // no file: nothing is loaded
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.settings ? row.settings : "no file");
    DialogWorld world(row.settings);
    world.dialog.LoadSettings();
    EXPECT_EQ(world.host.events, row.events);
    EXPECT_EQ(world.dialog.State(IDC_OPT_CHECKBOXES).checked, row.checkboxes);
    EXPECT_EQ(Text(world.dialog, IDC_OPT_PREVIEW_NUMBER), row.preview);
  }
}

TEST(OptionsDialog, OkAppliesAChosenIconSetOrLanguage) {
  struct Row {
    const char* name;
    const char16_t* activeSet;
    int list;
    int index;
    std::optional<std::u16string> icon;  // the stored keys after OK
    const char16_t* language;
    std::vector<std::string> applied;
    std::vector<std::u16string> messages;
    const char16_t* caption;
  };
  const Row rows[] = {
      {"back to the default",
       u"Blue",
       IDC_OPT_ICON_SETS,
       0,
       std::nullopt,
       u"",
       {"icons default"},
       {u"Please restart program to make selected icons display"},
       u"Options"},
      {"a language", u"Blue", IDC_OPT_LANGUAGES, 0, u"Blue", u"Deutsch", {"language Deutsch"}, {}, u"Optionen"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    DialogWorld world("[Option]\r\nIcon=Blue\r\n");
    world.temp.MakeFolder(u"Icons/Blue");
    world.temp.MakeFile(u"Languages/de.lng", "Language=Deutsch\r\n[012]Optionen\r\n");
    world.host.activeIconSet = row.activeSet;
    OptionsController& dialog = world.dialog;
    dialog.Show();
    EXPECT_EQ(dialog.IconSets(), (std::vector<std::u16string>{u"Zidov (default)", u"Blue"}));
    dialog.SelectionChanged(row.list, row.index);
    world.host.events.clear();
    dialog.Command(IDC_OPT_OK);

    std::vector<std::string> applied;
    for (const std::string& e : world.host.events) {
      if (e.starts_with("icons") || e.starts_with("language")) applied.push_back(e);
    }
    EXPECT_EQ(applied, row.applied);
    EXPECT_EQ(world.prompter.Texts(), row.messages);
    const OptionSettings stored = LoadOptionSettings(world.file.Read());
    EXPECT_EQ(stored.Icon, row.icon);
    EXPECT_EQ(stored.Language, row.language);
    EXPECT_EQ(dialog.Caption(), row.caption);  // the dialog's own texts follow at once
  }
}

}  // namespace
}  // namespace renamora::ui

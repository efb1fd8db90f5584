// The edit window's rules with a scripted host: the scope box and mode buttons with
// their refusals, the target line, the sample box's selection and automatic copy,
// the CURSOR position, and what closing leaves in the main window.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "app/StringTable.h"
#include "base/Paths.h"
#include "support/Fakes.h"
#include "support/TempFolder.h"
#include "ui/ControlIds.h"
#include "ui/edit/EditWindow.h"

namespace renamora::ui {
namespace {

using Texts = std::vector<std::u16string>;

class ScriptedTimers final : public WindowTimers {
 public:
  void Start(int id, unsigned) override { running.push_back(id); }
  void Stop(int id) override { std::erase(running, id); }
  std::vector<int> running;
};

class ScriptedHost final : public EditWindowHost {
 public:
  std::u16string MainStatusText() const override { return status1; }
  void SetMainStatusText(std::u16string_view text) override { status1 = text; }
  void SetMainSecondStatusText(std::u16string_view text) override { status2 = text; }
  bool ListShowsCheckBoxes() const override { return checkBoxes; }
  std::size_t ListItemCount() const override { return itemCount; }
  void EmptyList() override { ++listEmptied; }
  void ReloadList() override { ++reloads; }
  void PutFolderFirst(std::u16string_view folder) override { historyFirst = folder; }
  void SetPathBox(std::u16string_view folder) override { pathBox = folder; }
  void SetFileListMode(FileListMode) override {}
  void AddChosenFiles(const std::vector<std::u16string>& paths) override { chosenAdded = paths; }
  void RestoreMainWindow() override {}
  void StopMainStatusTimer() override {}
  void StartMainStatusTimer() override {}
  std::u16string Probe(const EditRequest& request) override {
    probedScopes.push_back(static_cast<int>(request.Scope));
    return probeAnswers[request.Scope];
  }
  std::optional<FocusBox> Rename(EditRequest& request) override {
    renames.push_back(request);
    if (onRename) onRename();
    if (checks) return checks(request);
    return std::nullopt;
  }
  std::optional<FocusBox> Preview(EditRequest& request) override {
    previews.push_back(request);
    if (checks) return checks(request);
    return std::nullopt;
  }
  std::u16string PickSpecialString(int targetCount) override {
    specialCounts.push_back(targetCount);
    return specialToken;
  }
  void ClosePreviewWindowIfVisible() override {}
  void ShowHelp(std::u16string_view topic) override { helpTopic = topic; }
  void OpenVendorPage(std::u16string_view) override {}
  void CopyToClipboard(std::u16string_view text) override { clipboard = text; }
  bool Autocopy() const override { return autocopy; }
  void SetAutocopy(bool on) override { autocopy = on; }
  bool ShowResultsAfterRename() const override { return options3; }
  void LoadSettings() override {}
  std::vector<std::u16string> NewNameHistory() const override { return {}; }
  void WriteUndoLog() override { ++undoLogWrites; }

  std::u16string status1 = u"3 items", status2, pathBox, historyFirst, helpTopic, clipboard;
  std::u16string specialToken;
  bool checkBoxes = true, autocopy = true, options3 = true;
  std::size_t itemCount = 0;
  int listEmptied = 0, reloads = 0, undoLogWrites = 0;
  std::vector<std::u16string> chosenAdded;
  std::map<TargetScope, std::u16string> probeAnswers;
  std::vector<int> probedScopes, specialCounts;
  std::vector<EditRequest> renames, previews;
  std::function<void()> onRename;
  // The input checks of a command: what they write back into the request, and the box they refuse.
  std::function<std::optional<FocusBox>(EditRequest&)> checks;
};

std::u16string Folder(std::u16string_view name) {
  return u"C:" + std::u16string(1, kPathSeparator) + std::u16string(name) + std::u16string(1, kPathSeparator);
}

struct World {
  std::unique_ptr<FileSystem> fs = MakeSystemFileSystem();
  StringTable texts;
  test::RecordingPrompter prompter;
  ScriptedTimers timers;
  ScriptedHost host;
  ProgramState program;
  RunState run;
  EditWindowController window{{*fs, texts, prompter, timers, host, program, run}};

  World() { host.probeAnswers[TargetScope::AllFiles] = Folder(u"photos") + u"abcdef.jpg"; }
  std::u16string T(MessageId id) const { return texts.Lookup(id); }
  // An edit of a folder's files in the given mode, opened as the main window does.
  void OpenOnFolder(std::u16string_view mode, std::u16string folder = Folder(u"photos")) {
    program.CurrentMode = mode;
    program.TargetFolder = std::move(folder);
    program.SamplePath = host.probeAnswers[TargetScope::AllFiles];
    window.Open();
  }
  void Drag(int start, int length) {
    window.SampleMousePressed(start);
    window.SampleSelectionChanged(start, length);
  }
};

TEST(EditWindow, ScopeBoxRefusesWhatCannotBeEdited) {
  struct Row {
    const char* label;
    std::u16string_view mode;
    std::u16string folder;
    bool checkBoxes, direct;
    int chosen;
    std::vector<PromptAnswer> answers;
    Texts messages;  // message numbers as looked up below
    int scope;       // the box afterwards
    bool closed;
    std::u16string sample;
  };
  World w;
  const Row rows[] = {
      {"checked files without check boxes", EditMode::kRemove, Folder(u"photos"), false, false, 1, {},
       {w.T(322)}, 0, false, u"abcdef"},
      {"checked files with check boxes", EditMode::kRemove, Folder(u"photos"), true, false, 1, {}, {}, 1, false,
       u"checked"},
      {"direct start, OK clears the folder choice", EditMode::kRemove, Folder(u"photos"), true, true, 1,
       {PromptAnswer::Ok}, {w.T(404) + u"|" + w.T(233)}, 1, true, u""},
      {"direct start, Cancel keeps all files", EditMode::kRemove, Folder(u"photos"), true, true, 1,
       {PromptAnswer::Cancel}, {w.T(404) + u"|" + w.T(233)}, 0, false, u"abcdef"},
      {"folders in an extension edit", EditMode::kExtension, Folder(u"photos"), true, false, 2, {}, {w.T(212)}, 0,
       false, u"abcdef.jpg"},
      {"this folder in an extension edit", EditMode::kExtension, Folder(u"photos"), true, false, 3, {},
       {w.T(212)}, 0, false, u"abcdef.jpg"},
      {"this folder of a drive root", EditMode::kRemove, u"C:\\", true, false, 3, {}, {w.T(178)}, 0, false,
       u"abcdef"},
      {"this folder", EditMode::kRemove, Folder(u"photos"), true, false, 3, {}, {}, 3, false, u"photos"},
      {"folders", EditMode::kRemove, Folder(u"photos"), true, false, 2, {}, {}, 2, false, u"2004"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.label);
    World world;
    world.host.checkBoxes = row.checkBoxes;
    world.host.probeAnswers[TargetScope::CheckedFiles] = Folder(u"photos") + u"checked.png";
    world.host.probeAnswers[TargetScope::Folders] = Folder(u"photos") + u"2004";
    world.OpenOnFolder(row.mode, row.folder);
    world.program.DirectEditStart = row.direct;
    world.prompter.answers.assign(row.answers.begin(), row.answers.end());
    world.window.SelectionChanged(IDC_EDIT_SCOPE, row.chosen);
    Texts shown;
    for (const auto& record : world.prompter.shown) {
      shown.push_back(record.caption == world.T(295) ? record.text : record.caption + u"|" + record.text);
    }
    EXPECT_EQ(shown, row.messages);
    EXPECT_EQ(world.window.ScopeBoxIndex(), row.scope);
    EXPECT_EQ(world.window.CloseResult().has_value(), row.closed);
    if (!row.closed) {
      EXPECT_EQ(world.window.State(IDC_EDIT_SAMPLE).text, row.sample);
      EXPECT_EQ(world.window.State(IDC_EDIT_SUBFOLDERS).visible, row.scope != 3);
    }
  }
}

TEST(EditWindow, ModeButtonsSwitchThePanelUnlessTheScopeForbids) {
  struct Row {
    const char* label;
    int scope;
    int button;
    std::u16string_view modeAfter;
    std::size_t messages;
  };
  const Row rows[] = {
      {"extension over files", 0, IDC_EDIT_MODE_EXTENSION, EditMode::kExtension, 0},
      {"extension over folders", 2, IDC_EDIT_MODE_EXTENSION, EditMode::kRemove, 1},
      {"extension over this folder", 3, IDC_EDIT_MODE_EXTENSION, EditMode::kRemove, 1},
      {"insert over folders", 2, IDC_EDIT_MODE_INSERT, EditMode::kInsert, 0},
      {"the current mode's own button", 0, IDC_EDIT_MODE_REMOVE, EditMode::kRemove, 0},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.label);
    World w;
    w.OpenOnFolder(EditMode::kRemove);
    w.window.SelectionChanged(IDC_EDIT_SCOPE, row.scope);
    w.timers.running.clear();
    w.window.Command(row.button);
    EXPECT_EQ(w.program.CurrentMode, row.modeAfter);
    EXPECT_EQ(w.prompter.shown.size(), row.messages);
    if (row.messages) {
      EXPECT_EQ(w.prompter.Texts(), Texts{w.T(212)});
    }
    // Setting up again starts the first-focus timer; a refused or idle button does not.
    const bool setUp = row.modeAfter != EditMode::kRemove;
    EXPECT_EQ(w.timers.running, setUp ? std::vector<int>{IDT_FIRST_FOCUS} : std::vector<int>{});
  }
}

TEST(EditWindow, TargetLineShortensLongFolderPaths) {
  struct Row {
    const char* label;
    std::size_t length;     // of the target folder, separator included
    std::size_t tailIndex;  // 0-based start of the tail shown after " ... "; 0: shown whole
  };
  const Row rows[] = {{"83 characters", 83, 0}, {"84 characters", 84, 38}, {"100 characters", 100, 54}};
  for (const Row& row : rows) {
    SCOPED_TRACE(row.label);
    std::u16string folder;
    for (std::size_t i = 1; i < row.length; ++i) folder += static_cast<char16_t>(u'0' + i % 10);
    folder += kPathSeparator;
    World w;
    w.OpenOnFolder(EditMode::kRemove, folder);
    const std::u16string expected =
        row.tailIndex ? folder.substr(0, 38) + u" ... " + folder.substr(row.tailIndex, 26) : folder;
    EXPECT_EQ(w.window.State(IDC_EDIT_TARGET).text, expected);
    EXPECT_EQ(w.window.Hint(IDC_EDIT_TARGET), folder);
    EXPECT_EQ(w.window.State(IDC_EDIT_TARGET_LABEL).text, w.T(37));
  }
}

TEST(EditWindow, TargetLineOfChosenFiles) {
  struct Row {
    const char* label;
    bool direct, checkBoxes;
    std::u16string sample;  // below the temp folder; ending "/" makes a folder
    std::u16string target, sampleText;
  };
  const Row rows[] = {
      {"direct start", true, true, u"a.b.txt", u"total 3 Items", u"a.b"},
      {"no check boxes", false, false, u"a.b.txt", u"total 3 Items", u"a.b"},
      {"check boxes: the main window's status", false, true, u"a.b.txt", u"3 items", u"a.b"},
      {"a folder keeps its dotted name", false, false, u"v1.2/", u"total 3 Items", u"v1.2"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.label);
    World w;
    test::TempFolder disk{*w.fs};
    const bool folder = row.sample.back() == u'/';
    const std::u16string name = folder ? row.sample.substr(0, row.sample.size() - 1) : row.sample;
    folder ? disk.MakeFolder(name) : disk.MakeFile(name);
    w.program.CurrentMode = EditMode::kChange;
    w.program.PickedPaths = {disk / name, disk / u"x", disk / u"y"};
    w.program.SamplePath = disk / name;
    w.program.DirectEditStart = row.direct;
    w.host.checkBoxes = row.checkBoxes;
    w.window.Open();
    EXPECT_EQ(w.window.State(IDC_EDIT_TARGET_LABEL).text, w.T(276));
    EXPECT_EQ(w.window.State(IDC_EDIT_TARGET).text, row.target);
    EXPECT_EQ(w.window.State(IDC_EDIT_SAMPLE).text, row.sampleText);
    EXPECT_EQ(w.window.Hint(IDC_EDIT_SAMPLE), disk / name);
    EXPECT_FALSE(w.window.State(IDC_EDIT_SCOPE_GROUP).visible);
  }
}

TEST(EditWindow, MouseSelectionIsCopiedIntoTheBoxThePanelNeeds) {
  struct Row {
    const char* label;
    bool autocopy;
    int pressedBox;  // 0: none
    bool mouseLeft;  // the pointer left the sample box before the selection changed
    std::u16string string1, string3;
  };
  const Row rows[] = {
      {"first remove string", true, 0, false, u"cd", u""},
      {"after a press in the third", true, IDC_EDIT_REMOVE_STRING3, false, u"", u"cd"},
      {"autocopy off", false, 0, false, u"", u""},
      {"selected without the mouse", true, 0, true, u"", u""},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.label);
    World w;
    w.host.autocopy = row.autocopy;
    w.OpenOnFolder(EditMode::kRemove);
    if (row.pressedBox) w.window.InputBoxPressed(row.pressedBox);
    w.window.SampleMousePressed(2);
    if (row.mouseLeft) w.window.SampleMouseLeft();
    w.window.SampleSelectionChanged(2, 2);
    EXPECT_EQ(w.window.Panels().Text(IDC_EDIT_REMOVE_STRING1), row.string1);
    EXPECT_EQ(w.window.Panels().Text(IDC_EDIT_REMOVE_STRING3), row.string3);
    // Copied or not, the mark is what a run reads.
    const EditRequest request = w.window.ReadRequest();
    EXPECT_EQ(request.Sample.SampleText, u"abcdef");
    EXPECT_EQ(request.Sample.SelectionStart, 2);
    EXPECT_EQ(request.Sample.SelectionLength, 2);
  }
}

TEST(EditWindow, PressInAnInputBoxClearsTheMark) {
  struct Row {
    const char* label;
    int box;
    int lengthAfter;
  };
  const Row rows[] = {
      {"Left:", IDC_EDIT_ANYTHING_LEFT, 0},
      {"Remove String 2", IDC_EDIT_REMOVE_STRING2, 0},
      {"a check box is no input box", IDC_EDIT_REMOVE_CASE_SENSITIVE, 3},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.label);
    World w;
    w.host.autocopy = false;
    w.OpenOnFolder(EditMode::kRemove);
    w.window.Command(IDC_EDIT_REMOVE_ANYTHING);
    w.Drag(1, 3);
    const auto version = w.window.SelectionVersion();
    w.window.InputBoxPressed(row.box);
    EXPECT_EQ(w.window.ReadRequest().Sample.SelectionLength, row.lengthAfter);
    // The view must be told to take the mark off the box, and only then.
    EXPECT_EQ(w.window.SelectionVersion() != version, row.lengthAfter == 0);
    EXPECT_EQ(w.window.SelectionToShow(), (SampleSpan{1, row.lengthAfter}));
  }
}

TEST(EditWindow, CursorPositionComesFromAClickInTheInsertPanelOnly) {
  struct Row {
    const char* label;
    std::u16string_view mode;
    int radio;  // a choice made before the click; 0: the default
    bool reopen;
    int position;
  };
  const Row rows[] = {
      {"insert to position", EditMode::kInsert, 0, false, 4},
      {"insert to string", EditMode::kInsert, IDC_EDIT_INSERT_TO_STRING, false, 0},
      {"remove panel", EditMode::kRemove, 0, false, 0},
      {"closed and opened again", EditMode::kInsert, 0, true, 0},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.label);
    World w;
    w.host.probeAnswers[TargetScope::AllFiles] = Folder(u"photos") + u"photo.jpg";
    w.OpenOnFolder(row.mode);
    if (row.radio) w.window.Command(row.radio);
    w.window.SampleMousePressed(3);  // after "pho"
    if (row.reopen) {
      w.window.Command(IDC_EDIT_BACK);
      w.OpenOnFolder(row.mode);
    }
    EXPECT_EQ(w.window.ReadRequest().Sample.CursorPosition, row.position);
  }
}

TEST(EditWindow, ClosingReportsTheRunInTheMainWindow) {
  struct Row {
    const char* label;
    std::u16string_view mode;
    int scope;
    bool run;        // the engine renamed or saved something and closed the window
    bool options3;
    std::u16string status;
    int reloads, emptied;
  };
  const std::u16string summary = u"12 renamed successfully,0 failed.";
  const Row rows[] = {
      {"run", EditMode::kRemove, 0, true, true, summary, 1, 0},
      {"run without showing results", EditMode::kRemove, 0, true, false, summary, 1, 1},
      {"run over checked files keeps the checks", EditMode::kRemove, 1, true, true, summary, 0, 0},
      {"save", EditMode::kSaveAll, 0, true, true, u"", 1, 0},
      {"back after a preview", EditMode::kRemove, 0, false, true, u"", 0, 0},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.label);
    World w;
    w.host.options3 = row.options3;
    w.program.ScopeIndex = static_cast<TargetScope>(row.scope);
    w.OpenOnFolder(row.mode);
    w.host.onRename = [&w] {
      w.run.Counters = {12, 0, 0};
      w.run.EditDone = true;
      w.window.Close();
    };
    w.window.Command(IDC_EDIT_PREVIEW);
    if (row.run) {
      w.window.Command(row.mode == EditMode::kSaveAll ? IDC_EDIT_SAVE : IDC_EDIT_RENAME);
    } else {
      w.window.Command(IDC_EDIT_BACK);
    }
    EXPECT_EQ(w.window.CloseResult(), std::optional<int>(kEditWindowClosed));
    EXPECT_EQ(w.host.status2, row.status);
    EXPECT_EQ(w.host.reloads, row.reloads);
    EXPECT_EQ(w.host.listEmptied, row.emptied);
    EXPECT_EQ(w.host.historyFirst, row.run ? Folder(u"photos") : u"");
    EXPECT_EQ(w.program.CurrentMode, EditMode::kBrowse);
    EXPECT_EQ(w.program.SamplePath, u"");
  }
}

TEST(EditWindow, SpecialStringReplacesWhatWasMarkedInItsBox) {
  struct Row {
    const char* label;
    int reportedBox;  // the box whose selection the view reported; 0: none
    int start, length;
    std::u16string token, text;
  };
  const Row rows[] = {
      {"marked span", IDC_EDIT_INSERT_HEAD_TEXT, 2, 3, u"$$", u"ab$$fg"},
      {"caret only", IDC_EDIT_INSERT_HEAD_TEXT, 1, 0, u"$$", u"a$$bcdefg"},
      {"span past the end", IDC_EDIT_INSERT_HEAD_TEXT, 5, 9, u"@@", u"abcde@@"},
      {"nothing reported: at the end", 0, 0, 0, u"##", u"abcdefg##"},
      {"another box's span: at the end", IDC_EDIT_INSERT_END_TEXT, 0, 2, u"##", u"abcdefg##"},
      {"dialog cancelled", IDC_EDIT_INSERT_HEAD_TEXT, 0, 7, u"", u"abcdefg"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.label);
    World w;
    w.host.itemCount = 150;
    w.host.specialToken = row.token;
    w.OpenOnFolder(EditMode::kInsert);
    w.window.Panels().SetText(IDC_EDIT_INSERT_HEAD_TEXT, u"abcdefg");
    if (row.reportedBox) w.window.TemplateBoxSelection(row.reportedBox, row.start, row.length);
    w.window.Command(IDC_EDIT_INSERT_HEAD_SPECIAL);
    EXPECT_EQ(w.window.Panels().Text(IDC_EDIT_INSERT_HEAD_TEXT), row.text);
    EXPECT_EQ(w.host.specialCounts, std::vector<int>{150});
  }
}

TEST(EditWindow, ARefusedCommandPutsTheFocusIntoItsBoxAndShowsWhatTheChecksMadeOfIt) {
  struct Row {
    const char* label;
    bool preview;
  };
  for (const Row row : {Row{"rename", false}, Row{"preview", true}}) {
    SCOPED_TRACE(row.label);
    World w;
    w.OpenOnFolder(EditMode::kExtension);
    static_cast<void>(w.window.TakeFocusRequest());
    w.window.TextChanged(IDC_EDIT_EXT_NEW, u"..jpg");
    w.host.checks = [](EditRequest& request) -> std::optional<FocusBox> {
      request.Extension.NewExtension = u"jpg";
      return FocusBox::NewExtension;
    };
    w.window.Command(row.preview ? IDC_EDIT_PREVIEW : IDC_EDIT_RENAME);
    EXPECT_EQ(w.window.State(IDC_EDIT_EXT_NEW).text, u"jpg");
    const auto focus = w.window.TakeFocusRequest();
    ASSERT_TRUE(focus.has_value());
    EXPECT_EQ(focus->controlId, IDC_EDIT_EXT_NEW);
    EXPECT_TRUE(focus->selectAll);
  }
}

TEST(EditWindow, ShowOnMakesAnotherNameTheSampleWithoutAMark) {
  World w;
  w.OpenOnFolder(EditMode::kRemove);
  w.Drag(1, 2);
  const auto before = w.window.SelectionVersion();
  w.window.ShowOn(u"holiday.photo", u"holiday.photo.jpg");
  EXPECT_EQ(w.window.State(IDC_EDIT_SAMPLE).text, u"holiday.photo");
  EXPECT_EQ(w.window.Hint(IDC_EDIT_SAMPLE), u"holiday.photo.jpg");
  EXPECT_NE(w.window.SelectionVersion(), before);
  EXPECT_EQ(w.window.SelectionToShow().length, 0);
  const EditRequest request = w.window.ReadRequest();
  EXPECT_EQ(request.Sample.SampleText, u"holiday.photo");
  EXPECT_EQ(request.Sample.SelectionLength, 0);
}

TEST(EditWindow, AChangeOfLanguageReachesThePanelsAtTheNextOpening) {
  World w;
  w.OpenOnFolder(EditMode::kRemove);
  w.window.Close();
  w.texts = StringTable({u"[103]Entfernen 1:"});
  w.window.LanguageChanged();
  w.OpenOnFolder(EditMode::kRemove);
  EXPECT_EQ(w.window.State(IDC_EDIT_REMOVE_STRING1_LABEL).text, u"Entfernen 1:");
}

TEST(EditWindow, RunReadsTrimmedFiltersAndWritesThemBack) {
  struct Row {
    const char* label;
    std::u16string typeFilter, otherTypes;
    std::u16string typeFilterAfter, otherTypesAfter;
    bool filterOnAfter;
  };
  const Row rows[] = {
      {"blanks and tabs", u" \tjpg,png \r\n", u"  mp3,ogg\t", u"jpg,png", u"mp3,ogg", true},
      {"only blanks turn the filter off", u"   ", u"", u"", u"", false},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.label);
    World w;
    w.OpenOnFolder(EditMode::kRemove);
    w.window.Checked(IDC_EDIT_TYPE_FILTER_ON, true);
    w.window.TextChanged(IDC_EDIT_TYPE_FILTER, row.typeFilter);
    w.window.Panels().SetText(IDC_EDIT_SAVE_OTHER_TEXT, row.otherTypes);
    w.window.Command(IDC_EDIT_RENAME);
    ASSERT_EQ(w.host.renames.size(), 1u);
    EXPECT_EQ(w.host.renames[0].TypeFilter, row.typeFilterAfter);
    EXPECT_EQ(w.host.renames[0].TypeFilterOn, row.filterOnAfter);
    EXPECT_EQ(w.host.renames[0].Save.OtherTypes, row.otherTypesAfter);
    EXPECT_EQ(w.window.State(IDC_EDIT_TYPE_FILTER).text, row.typeFilterAfter);
    EXPECT_EQ(w.window.State(IDC_EDIT_TYPE_FILTER_ON).checked, row.filterOnAfter);
    EXPECT_EQ(w.window.Panels().Text(IDC_EDIT_SAVE_OTHER_TEXT), row.otherTypesAfter);
  }
}

TEST(EditWindow, HotKeysAndTheAboutPanelsButtons) {
  struct Row {
    const char* label;
    std::u16string_view mode;
    bool about;
    int action;  // a hot key id (0 to 2) or a command id
    std::size_t renames, previews;
    bool closed, editAreaShown;
  };
  const Row rows[] = {
      {"Ctrl+R in an edit", EditMode::kRemove, false, 0, 1, 0, false, true},
      {"Ctrl+P in an edit", EditMode::kChange, false, 1, 0, 1, false, true},
      {"Ctrl+P in a save: Preview is off", EditMode::kSaveAll, false, 1, 0, 0, false, true},
      {"Ctrl+E in an edit", EditMode::kRemove, false, 2, 0, 0, true, true},
      {"Ctrl+R on the about panel", EditMode::kBrowse, true, 0, 0, 0, false, false},
      {"Ctrl+E on the about panel", EditMode::kBrowse, true, 2, 0, 0, true, true},
      {"Close of the about panel", EditMode::kBrowse, true, IDC_EDIT_ABOUT_CLOSE, 0, 0, true, true},
      {"Back of the about panel over an edit", EditMode::kRemove, true, IDC_EDIT_ABOUT_BACK, 0, 0, false, true},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.label);
    World w;
    if (row.about) {
      w.program.CurrentMode = row.mode;
      w.window.OpenAbout();
    } else {
      w.OpenOnFolder(row.mode);
    }
    row.action < 3 ? w.window.HotKey(row.action) : w.window.Command(row.action);
    EXPECT_EQ(w.host.renames.size(), row.renames);
    EXPECT_EQ(w.host.previews.size(), row.previews);
    EXPECT_EQ(w.window.CloseResult().has_value(), row.closed);
    EXPECT_EQ(w.window.State(IDC_EDIT_AREA).visible, row.editAreaShown);
    EXPECT_EQ(w.window.State(IDC_EDIT_ABOUT).visible, !row.editAreaShown);
  }
}

TEST(EditWindow, AboutPanelTakesThePlaceOfEveryOtherControl) {
  struct Row {
    const char* label;
    bool about;
    int id;
    bool visible;
  };
  const Row rows[] = {
      {"edit: a panel's box", false, IDC_EDIT_REMOVE_STRING1, true},
      {"edit: the scope box", false, IDC_EDIT_SCOPE, true},
      {"edit: the toolbar's Rename", false, IDC_EDIT_RENAME, true},
      {"edit: the about panel's Back", false, IDC_EDIT_ABOUT_BACK, false},
      {"edit: the about panel's picture", false, IDC_EDIT_ABOUT_VERSION_PICTURE, false},
      {"about: a panel's box", true, IDC_EDIT_REMOVE_STRING1, false},
      {"about: the scope box", true, IDC_EDIT_SCOPE, false},
      {"about: the sample box", true, IDC_EDIT_SAMPLE, false},
      {"about: the toolbar's Rename", true, IDC_EDIT_RENAME, false},
      {"about: its Back", true, IDC_EDIT_ABOUT_BACK, true},
      {"about: its contact picture", true, IDC_EDIT_ABOUT_CONTACT_PICTURE, true},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.label);
    World w;
    w.program.TargetFolder = Folder(u"photos");
    w.program.SamplePath = w.host.probeAnswers[TargetScope::AllFiles];
    w.program.CurrentMode = std::u16string(EditMode::kRemove);
    row.about ? w.window.OpenAbout() : w.window.Open();
    EXPECT_EQ(w.window.State(row.id).visible, row.visible);
  }
}

TEST(EditWindow, TimersActOnceWhenTheyFire) {
  struct Row {
    const char* label;
    std::u16string_view mode;
    int timer;
    int focus;  // 0: none asked for
    int undoLogWrites;
  };
  const Row rows[] = {
      {"first focus, remove panel", EditMode::kRemove, IDT_FIRST_FOCUS, IDC_EDIT_REMOVE_STRING1, 0},
      {"first focus, extension panel", EditMode::kExtension, IDT_FIRST_FOCUS, IDC_EDIT_EXT_NEW, 0},
      {"deferred undo log", EditMode::kRemove, IDT_UNDO_LOG, 0, 1},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.label);
    World w;
    w.OpenOnFolder(row.mode);
    w.window.StartUndoLogTimer();
    w.window.TimerFired(row.timer);
    const auto focus = w.window.TakeFocusRequest();
    EXPECT_EQ(focus ? focus->controlId : 0, row.focus);
    EXPECT_EQ(w.host.undoLogWrites, row.undoLogWrites);
    EXPECT_EQ(std::count(w.timers.running.begin(), w.timers.running.end(), row.timer), 0);
  }
}

TEST(EditWindow, CaptionAndHelpTopicFollowTheMode) {
  struct Row {
    std::u16string_view mode;
    std::u16string caption, topic;
  };
  const Row rows[] = {
      {EditMode::kRemove, u"Remove - Renamora", u"Remove.htm"},
      {EditMode::kReplace, u"Replace - Renamora", u"Replace.htm"},
      {EditMode::kInsert, u"Insert - Renamora", u"Insert.htm"},
      {EditMode::kChange, u"Change - Renamora", u"Change.htm"},
      {EditMode::kExtension, u"Extension - Renamora", u"Change ext.htm"},
      {EditMode::kSaveAll, u"Save - Renamora", u"Save.htm"},
      {EditMode::kBrowse, u"Renamora", u"How to use.htm"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(testing::Message() << "topic row " << (&row - rows));
    World w;
    w.OpenOnFolder(row.mode);
    w.window.Help();
    EXPECT_EQ(w.window.Caption(), row.caption);
    EXPECT_EQ(w.host.helpTopic, row.topic);
  }
}

}  // namespace
}  // namespace renamora::ui

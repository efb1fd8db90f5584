// The edit window's option panels: choices, interlocks, automatic copies and the request table.
#include <gtest/gtest.h>

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "app/RequestFields.h"
#include "base/text/Utf.h"
#include "ui/ControlIds.h"
#include "ui/edit/EditPanels.h"

namespace renamora::ui {
namespace {

// Each text names its number, so a control that took the wrong one shows it.
class NumberedTexts final : public TextLookup {
 public:
  std::u16string Lookup(MessageId id) const override { return U16("#" + std::to_string(id)); }
};

std::string Utf8(std::u16string_view text) { return ToUtf8Lossy(text); }

// The panels opened on a mode after the given radios were chosen, in order.
EditPanels Opened(std::u16string_view mode, std::initializer_list<int> radios = {}) {
  EditPanels panels;
  panels.ShowPanelOf(mode);
  for (const int radio : radios) static_cast<void>(panels.Command(radio));
  return panels;
}

TEST(EditPanelsTest, AChoiceShowsItsPartHidesItsSiblingsAndMovesFocus) {
  struct Row {
    const char* name;
    std::u16string_view mode;
    std::vector<int> before;  // radios chosen first
    int radio;
    std::vector<int> shown;
    std::vector<int> hidden;
    std::optional<int> focus;
    bool clearsSelection;
  };
  const Row rows[] = {
      {"remove strings", EditMode::kRemove, {IDC_EDIT_CLEAN_SYMBOLS}, IDC_EDIT_REMOVE_STRINGS,
       {IDC_EDIT_REMOVE_STRING1, IDC_EDIT_REMOVE_STRING3, IDC_EDIT_REMOVE_CASE_SENSITIVE, IDC_EDIT_REMOVE_CLEAR_ALL},
       {IDC_EDIT_REMOVE_ANYTHING_GROUP, IDC_EDIT_KEEP_GROUP, IDC_EDIT_CLEAN_GROUP, IDC_EDIT_CLEAN_HYPHEN},
       IDC_EDIT_REMOVE_STRING1, true},
      {"remove anything", EditMode::kRemove, {}, IDC_EDIT_REMOVE_ANYTHING,
       {IDC_EDIT_REMOVE_ANYTHING_GROUP, IDC_EDIT_ANYTHING_SELECTED, IDC_EDIT_ANYTHING_FROM_END},
       {IDC_EDIT_REMOVE_STRING1, IDC_EDIT_KEEP_GROUP, IDC_EDIT_CLEAN_GROUP}, std::nullopt, true},
      {"keep something", EditMode::kRemove, {}, IDC_EDIT_KEEP_SOMETHING,
       {IDC_EDIT_KEEP_GROUP, IDC_EDIT_KEEP_SELECTED, IDC_EDIT_KEEP_FROM_HEAD},
       {IDC_EDIT_REMOVE_STRINGS_GROUP, IDC_EDIT_REMOVE_ANYTHING_GROUP, IDC_EDIT_CLEAN_GROUP}, std::nullopt, true},
      {"clean symbols", EditMode::kRemove, {}, IDC_EDIT_CLEAN_SYMBOLS,
       {IDC_EDIT_CLEAN_MARKS_GROUP, IDC_EDIT_CLEAN_HYPHEN, IDC_EDIT_CLEAN_OPTION_GROUP, IDC_EDIT_CLEAN_ERASE_TEXT},
       {IDC_EDIT_REMOVE_STRING2, IDC_EDIT_ANYTHING_LEFT, IDC_EDIT_KEEP_STRING1}, std::nullopt, true},
      {"remove the selected part", EditMode::kRemove, {IDC_EDIT_REMOVE_ANYTHING, IDC_EDIT_ANYTHING_BETWEEN},
       IDC_EDIT_ANYTHING_SELECTED,
       {IDC_EDIT_ANYTHING_DIRECTION, IDC_EDIT_ANYTHING_FROM_HEAD, IDC_EDIT_ANYTHING_FROM_END},
       {IDC_EDIT_ANYTHING_LEFT, IDC_EDIT_ANYTHING_RIGHT_LABEL, IDC_EDIT_ANYTHING_ALSO_BOUNDS}, std::nullopt, true},
      {"remove between strings", EditMode::kRemove, {IDC_EDIT_REMOVE_ANYTHING}, IDC_EDIT_ANYTHING_BETWEEN,
       {IDC_EDIT_ANYTHING_LEFT_LABEL, IDC_EDIT_ANYTHING_LEFT, IDC_EDIT_ANYTHING_RIGHT, IDC_EDIT_ANYTHING_ALSO_BOUNDS},
       {IDC_EDIT_ANYTHING_DIRECTION, IDC_EDIT_ANYTHING_FROM_HEAD}, std::nullopt, true},
      {"remove all numbers", EditMode::kRemove, {IDC_EDIT_REMOVE_ANYTHING}, IDC_EDIT_ANYTHING_NUMBERS,
       {IDC_EDIT_ANYTHING_NUMBERS},
       {IDC_EDIT_ANYTHING_FROM_END, IDC_EDIT_ANYTHING_LEFT, IDC_EDIT_ANYTHING_RIGHT}, std::nullopt, true},
      {"keep the selected part", EditMode::kRemove, {IDC_EDIT_KEEP_SOMETHING, IDC_EDIT_KEEP_STRINGS},
       IDC_EDIT_KEEP_SELECTED, {IDC_EDIT_KEEP_DIRECTION, IDC_EDIT_KEEP_FROM_END},
       {IDC_EDIT_KEEP_STRING1, IDC_EDIT_KEEP_STRING2_LABEL, IDC_EDIT_KEEP_ONLY_LEFTEST}, std::nullopt, true},
      {"keep strings", EditMode::kRemove, {IDC_EDIT_KEEP_SOMETHING}, IDC_EDIT_KEEP_STRINGS,
       {IDC_EDIT_KEEP_STRING1_LABEL, IDC_EDIT_KEEP_STRING1, IDC_EDIT_KEEP_STRING2, IDC_EDIT_KEEP_ONLY_LEFTEST},
       {IDC_EDIT_KEEP_DIRECTION, IDC_EDIT_KEEP_FROM_HEAD}, std::nullopt, false},
      {"replace string", EditMode::kReplace, {IDC_EDIT_REPLACE_SELECTED}, IDC_EDIT_REPLACE_STRING,
       {IDC_EDIT_REPLACE_OLD, IDC_EDIT_REPLACE_CASE_SENSITIVE, IDC_EDIT_REPLACE_ONLY_LEFTEST, IDC_EDIT_REPLACE_NEW},
       {IDC_EDIT_REPLACE_DIRECTION, IDC_EDIT_REPLACE_FROM_END}, IDC_EDIT_REPLACE_OLD, true},
      {"replace the selected length", EditMode::kReplace, {}, IDC_EDIT_REPLACE_SELECTED,
       {IDC_EDIT_REPLACE_FROM_HEAD, IDC_EDIT_REPLACE_NEW, IDC_EDIT_REPLACE_SPECIAL},
       {IDC_EDIT_REPLACE_OLD_LABEL, IDC_EDIT_REPLACE_OLD, IDC_EDIT_REPLACE_CASE_SENSITIVE},
       IDC_EDIT_REPLACE_NEW, true},
      {"insert to position", EditMode::kInsert, {IDC_EDIT_INSERT_TO_STRING}, IDC_EDIT_INSERT_TO_POSITION,
       {IDC_EDIT_INSERT_HEAD, IDC_EDIT_INSERT_END_TEXT, IDC_EDIT_INSERT_CURSOR_SPECIAL},
       {IDC_EDIT_INSERT_STRING_GROUP, IDC_EDIT_INSERT_EXISTING, IDC_EDIT_INSERT_STRING},
       IDC_EDIT_INSERT_HEAD_TEXT, false},
      {"insert to string", EditMode::kInsert, {}, IDC_EDIT_INSERT_TO_STRING,
       {IDC_EDIT_INSERT_WHERE, IDC_EDIT_INSERT_EXISTING, IDC_EDIT_INSERT_STRING, IDC_EDIT_INSERT_STRING_SPECIAL},
       {IDC_EDIT_INSERT_POSITION_GROUP, IDC_EDIT_INSERT_HEAD, IDC_EDIT_INSERT_END_TEXT},
       IDC_EDIT_INSERT_EXISTING, true},
      {"change to a new name", EditMode::kChange, {IDC_EDIT_CHANGE_CASE}, IDC_EDIT_CHANGE_NEW_NAME,
       {IDC_EDIT_CHANGE_NEW_NAME_LABEL, IDC_EDIT_CHANGE_NEW_NAME_TEXT, IDC_EDIT_CHANGE_SPECIAL},
       {IDC_EDIT_CHANGE_LOWER, IDC_EDIT_CHANGE_CAPITALIZE_FIRST, IDC_EDIT_CHANGE_INCLUDE_EXTENSION},
       IDC_EDIT_CHANGE_NEW_NAME_TEXT, true},
      {"convert the case", EditMode::kChange, {}, IDC_EDIT_CHANGE_CASE,
       {IDC_EDIT_CHANGE_LOWER, IDC_EDIT_CHANGE_UPPER, IDC_EDIT_CHANGE_CAPITALIZE_WORDS,
        IDC_EDIT_CHANGE_CAPITALIZE_FIRST, IDC_EDIT_CHANGE_INCLUDE_EXTENSION},
       {IDC_EDIT_CHANGE_NEW_NAME_LABEL, IDC_EDIT_CHANGE_NEW_NAME_TEXT, IDC_EDIT_CHANGE_SPECIAL}, std::nullopt, false},
      {"change the extension", EditMode::kExtension, {IDC_EDIT_EXT_CASE}, IDC_EDIT_EXT_CHANGE,
       {IDC_EDIT_EXT_OLD, IDC_EDIT_EXT_NEW, IDC_EDIT_EXT_REPLACE_ALL},
       {IDC_EDIT_EXT_CASE_GROUP, IDC_EDIT_EXT_LOWER, IDC_EDIT_EXT_UPPER}, IDC_EDIT_EXT_NEW, false},
      {"convert the extension's case", EditMode::kExtension, {}, IDC_EDIT_EXT_CASE,
       {IDC_EDIT_EXT_LOWER, IDC_EDIT_EXT_UPPER, IDC_EDIT_EXT_CHANGE},
       {IDC_EDIT_EXT_CHANGE_GROUP, IDC_EDIT_EXT_OLD, IDC_EDIT_EXT_NEW}, std::nullopt, false},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    EditPanels panels = Opened(row.mode);
    for (const int radio : row.before) static_cast<void>(panels.Command(radio));
    const PanelEffect effect = panels.Command(row.radio);
    for (const int id : row.shown) EXPECT_TRUE(panels.State(id).visible) << "control " << id;
    for (const int id : row.hidden) EXPECT_FALSE(panels.State(id).visible) << "control " << id;
    EXPECT_EQ(effect.focus, row.focus);
    EXPECT_EQ(effect.clearSampleSelection, row.clearsSelection);
  }
}

TEST(EditPanelsTest, OnlyThePanelOfTheModeShows) {
  struct Row {
    std::u16string_view mode;
    int panel;  // 0: none
    int inside; // a control of that panel that shows with it
  };
  const int panelIds[] = {IDC_EDIT_PANEL_REMOVE, IDC_EDIT_PANEL_REPLACE,   IDC_EDIT_PANEL_INSERT,
                          IDC_EDIT_PANEL_CHANGE, IDC_EDIT_PANEL_EXTENSION, IDC_EDIT_PANEL_SAVE};
  const Row rows[] = {
      {EditMode::kRemove, IDC_EDIT_PANEL_REMOVE, IDC_EDIT_REMOVE_STRING1},
      {EditMode::kReplace, IDC_EDIT_PANEL_REPLACE, IDC_EDIT_REPLACE_OLD},
      {EditMode::kInsert, IDC_EDIT_PANEL_INSERT, IDC_EDIT_INSERT_HEAD_TEXT},
      {EditMode::kChange, IDC_EDIT_PANEL_CHANGE, IDC_EDIT_CHANGE_NEW_NAME_TEXT},
      {EditMode::kExtension, IDC_EDIT_PANEL_EXTENSION, IDC_EDIT_EXT_NEW},
      {EditMode::kSaveAll, IDC_EDIT_PANEL_SAVE, IDC_EDIT_SAVE_ONE_LAYER},
      {EditMode::kBrowse, 0, 0},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(Utf8(row.mode));
    const EditPanels panels = Opened(row.mode);
    for (const int panel : panelIds) EXPECT_EQ(panels.State(panel).visible, panel == row.panel) << panel;
    if (row.inside != 0) {
      EXPECT_TRUE(panels.State(row.inside).visible);
    }
    // A control of a hidden panel is hidden too, whatever its own choice says.
    EXPECT_EQ(panels.State(IDC_EDIT_REMOVE_STRING1).visible, row.panel == IDC_EDIT_PANEL_REMOVE);
  }
}

TEST(EditPanelsTest, TheChosenRadioOfEveryGroupIsBold) {
  struct Row {
    const char* name;
    std::u16string_view mode;
    std::vector<int> group;
    int chosen;
  };
  const Row rows[] = {
      {"remove kind", EditMode::kRemove,
       {IDC_EDIT_REMOVE_STRINGS, IDC_EDIT_REMOVE_ANYTHING, IDC_EDIT_KEEP_SOMETHING, IDC_EDIT_CLEAN_SYMBOLS},
       IDC_EDIT_KEEP_SOMETHING},
      {"anything kind", EditMode::kRemove,
       {IDC_EDIT_ANYTHING_SELECTED, IDC_EDIT_ANYTHING_BETWEEN, IDC_EDIT_ANYTHING_NUMBERS}, IDC_EDIT_ANYTHING_NUMBERS},
      {"direction", EditMode::kReplace, {IDC_EDIT_REPLACE_FROM_HEAD, IDC_EDIT_REPLACE_FROM_END},
       IDC_EDIT_REPLACE_FROM_END},
      {"case", EditMode::kChange, {IDC_EDIT_CHANGE_LOWER, IDC_EDIT_CHANGE_UPPER, IDC_EDIT_CHANGE_CAPITALIZE_WORDS},
       IDC_EDIT_CHANGE_UPPER},
      {"save content", EditMode::kSaveAll,
       {IDC_EDIT_SAVE_ONE_LAYER, IDC_EDIT_SAVE_ALL_LAYERS, IDC_EDIT_SAVE_NAMES_ONLY}, IDC_EDIT_SAVE_NAMES_ONLY},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    EditPanels panels = Opened(row.mode);
    // The default is bold before any click.
    EXPECT_TRUE(panels.State(row.group.front()).bold);
    static_cast<void>(panels.Command(row.chosen));
    for (const int id : row.group) {
      EXPECT_EQ(panels.State(id).bold, id == row.chosen) << "control " << id;
      EXPECT_EQ(panels.State(id).checked, id == row.chosen) << "control " << id;
    }
  }
}

TEST(EditPanelsTest, InterlocksFollowTheCurrentChoices) {
  struct Row {
    const char* name;
    std::u16string_view mode;
    std::function<void(EditPanels&)> act;
    int id;
    bool visible;
  };
  const Row rows[] = {
      {"capitalize first letter with lower case", EditMode::kChange,
       [](EditPanels& p) { static_cast<void>(p.Command(IDC_EDIT_CHANGE_CASE)); }, IDC_EDIT_CHANGE_CAPITALIZE_FIRST,
       true},
      {"capitalize first letter with UPPER case", EditMode::kChange,
       [](EditPanels& p) {
         static_cast<void>(p.Command(IDC_EDIT_CHANGE_CASE));
         static_cast<void>(p.Command(IDC_EDIT_CHANGE_UPPER));
       },
       IDC_EDIT_CHANGE_CAPITALIZE_FIRST, false},
      {"capitalize first letter with every word", EditMode::kChange,
       [](EditPanels& p) {
         static_cast<void>(p.Command(IDC_EDIT_CHANGE_CASE));
         static_cast<void>(p.Command(IDC_EDIT_CHANGE_CAPITALIZE_WORDS));
       },
       IDC_EDIT_CHANGE_CAPITALIZE_FIRST, false},
      {"capitalize first letter back with lower case", EditMode::kChange,
       [](EditPanels& p) {
         static_cast<void>(p.Command(IDC_EDIT_CHANGE_CASE));
         static_cast<void>(p.Command(IDC_EDIT_CHANGE_UPPER));
         static_cast<void>(p.Command(IDC_EDIT_CHANGE_LOWER));
       },
       IDC_EDIT_CHANGE_CAPITALIZE_FIRST, true},
      {"second string before", EditMode::kInsert,
       [](EditPanels& p) { static_cast<void>(p.Command(IDC_EDIT_INSERT_TO_STRING)); }, IDC_EDIT_INSERT_SECOND, false},
      {"second string behind", EditMode::kInsert,
       [](EditPanels& p) {
         static_cast<void>(p.Command(IDC_EDIT_INSERT_TO_STRING));
         static_cast<void>(p.SelectionChanged(IDC_EDIT_INSERT_WHERE, 1));
       },
       IDC_EDIT_INSERT_SECOND_LABEL, false},
      {"second string between", EditMode::kInsert,
       [](EditPanels& p) {
         static_cast<void>(p.Command(IDC_EDIT_INSERT_TO_STRING));
         static_cast<void>(p.SelectionChanged(IDC_EDIT_INSERT_WHERE, 2));
       },
       IDC_EDIT_INSERT_SECOND_LABEL, true},
      {"second string of a hidden group", EditMode::kInsert,
       [](EditPanels& p) { static_cast<void>(p.SelectionChanged(IDC_EDIT_INSERT_WHERE, 2)); }, IDC_EDIT_INSERT_SECOND,
       false},
      {"cursor direction unticked", EditMode::kInsert, [](EditPanels&) {}, IDC_EDIT_INSERT_FROM_END, false},
      {"cursor direction ticked", EditMode::kInsert,
       [](EditPanels& p) { static_cast<void>(p.Checked(IDC_EDIT_INSERT_CURSOR, true)); }, IDC_EDIT_INSERT_FROM_END,
       true},
      {"cursor direction ticked and unticked", EditMode::kInsert,
       [](EditPanels& p) {
         static_cast<void>(p.Checked(IDC_EDIT_INSERT_CURSOR, true));
         static_cast<void>(p.Checked(IDC_EDIT_INSERT_CURSOR, false));
       },
       IDC_EDIT_INSERT_DIRECTION, false},
      {"webpage folders with one layer", EditMode::kSaveAll, [](EditPanels&) {}, IDC_EDIT_SAVE_WEBPAGE, false},
      {"webpage folders with all layers", EditMode::kSaveAll,
       [](EditPanels& p) { static_cast<void>(p.Command(IDC_EDIT_SAVE_ALL_LAYERS)); }, IDC_EDIT_SAVE_WEBPAGE, true},
      {"webpage folders with names only", EditMode::kSaveAll,
       [](EditPanels& p) {
         static_cast<void>(p.Command(IDC_EDIT_SAVE_ALL_LAYERS));
         static_cast<void>(p.Command(IDC_EDIT_SAVE_NAMES_ONLY));
       },
       IDC_EDIT_SAVE_WEBPAGE, false},
      {"other types unticked", EditMode::kSaveAll, [](EditPanels&) {}, IDC_EDIT_SAVE_OTHER_TEXT, false},
      {"other types ticked", EditMode::kSaveAll,
       [](EditPanels& p) { static_cast<void>(p.Checked(IDC_EDIT_SAVE_OTHER, true)); }, IDC_EDIT_SAVE_OTHER_TEXT, true},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    EditPanels panels = Opened(row.mode);
    row.act(panels);
    EXPECT_EQ(panels.State(row.id).visible, row.visible);
  }
}

TEST(EditPanelsTest, TickingAnInsertPositionFocusesItsBox) {
  struct Row {
    int check;
    bool ticked;
    std::optional<int> focus;
  };
  const Row rows[] = {
      {IDC_EDIT_INSERT_HEAD, true, IDC_EDIT_INSERT_HEAD_TEXT},
      {IDC_EDIT_INSERT_END, true, IDC_EDIT_INSERT_END_TEXT},
      {IDC_EDIT_INSERT_CURSOR, true, IDC_EDIT_INSERT_CURSOR_TEXT},
      {IDC_EDIT_INSERT_HEAD, false, std::nullopt},
      {IDC_EDIT_INSERT_CURSOR, false, std::nullopt},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(std::to_string(row.check) + (row.ticked ? " ticked" : " unticked"));
    EditPanels panels = Opened(EditMode::kInsert);
    EXPECT_EQ(panels.Checked(row.check, row.ticked).focus, row.focus);
    EXPECT_EQ(panels.State(row.check).checked, row.ticked);
  }
}

TEST(EditPanelsTest, ClearAllEmptiesTheRemoveStringsAndStartsCopiesInTheFirst) {
  EditPanels panels = Opened(EditMode::kRemove);
  for (const int box : {IDC_EDIT_REMOVE_STRING1, IDC_EDIT_REMOVE_STRING2, IDC_EDIT_REMOVE_STRING3}) {
    static_cast<void>(panels.TextChanged(box, u"x"));
  }
  static_cast<void>(panels.TextChanged(IDC_EDIT_KEEP_STRING1, u"kept"));
  ASSERT_TRUE(panels.InputBoxPressed(IDC_EDIT_REMOVE_STRING3));

  const PanelEffect effect = panels.Command(IDC_EDIT_REMOVE_CLEAR_ALL);

  EXPECT_EQ(effect.focus, IDC_EDIT_REMOVE_STRING1);
  EXPECT_TRUE(effect.clearSampleSelection);
  EXPECT_EQ(panels.LastInputBox(), InputBox::RemoveString1);
  EXPECT_EQ(panels.AutoCopyTarget(), IDC_EDIT_REMOVE_STRING1);
  for (const int box : {IDC_EDIT_REMOVE_STRING1, IDC_EDIT_REMOVE_STRING2, IDC_EDIT_REMOVE_STRING3}) {
    EXPECT_EQ(Utf8(panels.Text(box)), "") << box;
  }
  EXPECT_EQ(Utf8(panels.Text(IDC_EDIT_KEEP_STRING1)), "kept");
}

TEST(EditPanelsTest, AutomaticCopiesGoToTheBoxOfTheChoiceAndTheLastPressedBox) {
  struct Row {
    const char* name;
    std::u16string_view mode;
    std::vector<int> radios;
    int where;          // -1: left as it is
    int pressed;        // a box pressed last; 0: none
    std::optional<int> target;
  };
  const Row rows[] = {
      {"remove strings, first box", EditMode::kRemove, {}, -1, 0, IDC_EDIT_REMOVE_STRING1},
      {"remove strings, third box", EditMode::kRemove, {}, -1, IDC_EDIT_REMOVE_STRING3, IDC_EDIT_REMOVE_STRING3},
      {"remove strings, second box", EditMode::kRemove, {}, -1, IDC_EDIT_REMOVE_STRING2, IDC_EDIT_REMOVE_STRING2},
      {"remove strings after a press in Left", EditMode::kRemove, {}, -1, IDC_EDIT_ANYTHING_LEFT,
       IDC_EDIT_REMOVE_STRING1},
      {"between strings, left", EditMode::kRemove, {IDC_EDIT_REMOVE_ANYTHING, IDC_EDIT_ANYTHING_BETWEEN}, -1, 0,
       IDC_EDIT_ANYTHING_LEFT},
      {"between strings, right", EditMode::kRemove, {IDC_EDIT_REMOVE_ANYTHING, IDC_EDIT_ANYTHING_BETWEEN}, -1,
       IDC_EDIT_ANYTHING_RIGHT, IDC_EDIT_ANYTHING_RIGHT},
      {"selected part", EditMode::kRemove, {IDC_EDIT_REMOVE_ANYTHING}, -1, IDC_EDIT_ANYTHING_RIGHT, std::nullopt},
      {"all numbers", EditMode::kRemove, {IDC_EDIT_REMOVE_ANYTHING, IDC_EDIT_ANYTHING_NUMBERS}, -1, 0, std::nullopt},
      {"clean symbols, other symbols", EditMode::kRemove, {IDC_EDIT_CLEAN_SYMBOLS}, -1, 0,
       IDC_EDIT_CLEAN_KEEP_OTHER_TEXT},
      {"clean symbols, also erase", EditMode::kRemove, {IDC_EDIT_CLEAN_SYMBOLS}, -1, IDC_EDIT_CLEAN_ERASE_TEXT,
       IDC_EDIT_CLEAN_ERASE_TEXT},
      {"keep strings, first", EditMode::kRemove, {IDC_EDIT_KEEP_SOMETHING, IDC_EDIT_KEEP_STRINGS}, -1, 0,
       IDC_EDIT_KEEP_STRING1},
      {"keep strings, second", EditMode::kRemove, {IDC_EDIT_KEEP_SOMETHING, IDC_EDIT_KEEP_STRINGS}, -1,
       IDC_EDIT_KEEP_STRING2, IDC_EDIT_KEEP_STRING2},
      {"keep the selected part", EditMode::kRemove, {IDC_EDIT_KEEP_SOMETHING}, -1, IDC_EDIT_KEEP_STRING2,
       std::nullopt},
      {"replace string", EditMode::kReplace, {}, -1, 0, IDC_EDIT_REPLACE_OLD},
      {"replace the selected length", EditMode::kReplace, {IDC_EDIT_REPLACE_SELECTED}, -1, 0, std::nullopt},
      {"change to a new name", EditMode::kChange, {}, -1, 0, IDC_EDIT_CHANGE_NEW_NAME_TEXT},
      {"convert the case", EditMode::kChange, {IDC_EDIT_CHANGE_CASE}, -1, 0, std::nullopt},
      {"insert to position", EditMode::kInsert, {}, -1, 0, std::nullopt},
      {"insert to string, before", EditMode::kInsert, {IDC_EDIT_INSERT_TO_STRING}, 0, IDC_EDIT_INSERT_SECOND,
       IDC_EDIT_INSERT_EXISTING},
      {"insert between, second box", EditMode::kInsert, {IDC_EDIT_INSERT_TO_STRING}, 2, IDC_EDIT_INSERT_SECOND,
       IDC_EDIT_INSERT_SECOND},
      {"insert between, existing box", EditMode::kInsert, {IDC_EDIT_INSERT_TO_STRING}, 2, IDC_EDIT_INSERT_EXISTING,
       IDC_EDIT_INSERT_EXISTING},
      {"extension", EditMode::kExtension, {}, -1, 0, std::nullopt},
      {"save", EditMode::kSaveAll, {}, -1, 0, std::nullopt},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    EditPanels panels = Opened(row.mode);
    for (const int radio : row.radios) static_cast<void>(panels.Command(radio));
    if (row.where >= 0) static_cast<void>(panels.SelectionChanged(IDC_EDIT_INSERT_WHERE, row.where));
    if (row.pressed != 0) {
      EXPECT_TRUE(panels.InputBoxPressed(row.pressed));
    }
    EXPECT_EQ(panels.AutoCopyTarget(), row.target);
  }
}

TEST(EditPanelsTest, PressesIntoBoxesSetTheLastInputBoxAndClearTheSelection) {
  struct Row {
    int id;
    std::optional<InputBox> box;  // none: no LastInputBox
    bool clears;
  };
  const Row rows[] = {
      {IDC_EDIT_INSERT_EXISTING, InputBox::ExistingString, true},
      {IDC_EDIT_REMOVE_STRING2, InputBox::RemoveString2, true},
      {IDC_EDIT_ANYTHING_RIGHT, InputBox::Right, true},
      {IDC_EDIT_INSERT_SECOND, InputBox::SecondString, true},
      {IDC_EDIT_CLEAN_ERASE_TEXT, InputBox::AlsoErase, true},
      {IDC_EDIT_CLEAN_KEEP_OTHER_TEXT, InputBox::KeepOther, true},
      {IDC_EDIT_KEEP_STRING2, InputBox::KeepString2, true},
      {IDC_EDIT_CHANGE_NEW_NAME_TEXT, std::nullopt, true},
      {IDC_EDIT_REPLACE_OLD, std::nullopt, false},
      {IDC_EDIT_INSERT_HEAD_TEXT, std::nullopt, false},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.id);
    EditPanels panels;
    panels.SetLastInputBox(InputBox::KeepString1);
    EXPECT_EQ(panels.InputBoxPressed(row.id), row.box.has_value());
    EXPECT_EQ(panels.LastInputBox(), row.box.value_or(InputBox::KeepString1));
    EXPECT_EQ(panels.ClickClearsSelection(row.id), row.clears);
  }
}

TEST(EditPanelsTest, FirstFocusGoesToThePanelsFirstInput) {
  struct Row {
    const char* name;
    std::u16string_view mode;
    std::vector<int> radios;
    std::optional<int> focus;
  };
  const Row rows[] = {
      {"remove strings", EditMode::kRemove, {}, IDC_EDIT_REMOVE_STRING1},
      {"clean symbols", EditMode::kRemove, {IDC_EDIT_CLEAN_SYMBOLS}, std::nullopt},
      {"replace string", EditMode::kReplace, {}, IDC_EDIT_REPLACE_OLD},
      {"replace the selected length", EditMode::kReplace, {IDC_EDIT_REPLACE_SELECTED}, IDC_EDIT_REPLACE_NEW},
      {"insert to position", EditMode::kInsert, {}, IDC_EDIT_INSERT_HEAD_TEXT},
      {"insert to string", EditMode::kInsert, {IDC_EDIT_INSERT_TO_STRING}, IDC_EDIT_INSERT_EXISTING},
      {"new name", EditMode::kChange, {}, IDC_EDIT_CHANGE_NEW_NAME_TEXT},
      {"convert the case", EditMode::kChange, {IDC_EDIT_CHANGE_CASE}, std::nullopt},
      {"change the extension", EditMode::kExtension, {}, IDC_EDIT_EXT_NEW},
      {"convert the extension's case", EditMode::kExtension, {IDC_EDIT_EXT_CASE}, std::nullopt},
      {"save", EditMode::kSaveAll, {}, std::nullopt},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    EditPanels panels = Opened(row.mode);
    for (const int radio : row.radios) static_cast<void>(panels.Command(radio));
    panels.SetLastInputBox(InputBox::Right);
    EXPECT_EQ(panels.FirstFocus(), row.focus);
    // Opening on the Remove panel starts the copies in the first remove string.
    EXPECT_EQ(panels.LastInputBox(), row.mode == EditMode::kRemove ? InputBox::RemoveString1 : InputBox::Right);
  }
}

TEST(EditPanelsTest, SpecialButtonsFillTheirOwnTemplateBox) {
  struct Row {
    int button;
    std::optional<int> box;
  };
  const Row rows[] = {
      {IDC_EDIT_INSERT_HEAD_SPECIAL, IDC_EDIT_INSERT_HEAD_TEXT},
      {IDC_EDIT_INSERT_END_SPECIAL, IDC_EDIT_INSERT_END_TEXT},
      {IDC_EDIT_INSERT_CURSOR_SPECIAL, IDC_EDIT_INSERT_CURSOR_TEXT},
      {IDC_EDIT_INSERT_STRING_SPECIAL, IDC_EDIT_INSERT_STRING},
      {IDC_EDIT_REPLACE_SPECIAL, IDC_EDIT_REPLACE_NEW},
      {IDC_EDIT_CHANGE_SPECIAL, IDC_EDIT_CHANGE_NEW_NAME_TEXT},
      {IDC_EDIT_REMOVE_CLEAR_ALL, std::nullopt},
  };
  const EditPanels panels;
  for (const Row& row : rows) {
    SCOPED_TRACE(row.button);
    EXPECT_EQ(panels.SpecialTarget(row.button), row.box);
    if (row.box) {
      EXPECT_EQ(panels.Kind(*row.box), PanelControlKind::TemplateCombo);
    }
  }
}

TEST(EditPanelsTest, TemplateBoxesOfferTheHistoryAndTheStringToInsertDropsTheSelection) {
  EditPanels panels = Opened(EditMode::kInsert, {IDC_EDIT_INSERT_TO_STRING});
  const std::uint64_t before = panels.HistoryVersion();
  panels.SetHistory({u"_$$", u"A_"});
  EXPECT_NE(panels.HistoryVersion(), before);

  struct Row {
    const char* name;
    std::function<PanelEffect(EditPanels&)> act;
    int box;
    const char* text;
    bool clears;
  };
  const Row rows[] = {
      {"typing into the string to insert", [](EditPanels& p) { return p.TextChanged(IDC_EDIT_INSERT_STRING, u"x"); },
       IDC_EDIT_INSERT_STRING, "x", true},
      {"picking the string to insert", [](EditPanels& p) { return p.SelectionChanged(IDC_EDIT_INSERT_STRING, 1); },
       IDC_EDIT_INSERT_STRING, "A_", true},
      {"picking a HEAD template", [](EditPanels& p) { return p.SelectionChanged(IDC_EDIT_INSERT_HEAD_TEXT, 0); },
       IDC_EDIT_INSERT_HEAD_TEXT, "_$$", false},
      {"picking past the list", [](EditPanels& p) { return p.SelectionChanged(IDC_EDIT_INSERT_END_TEXT, 2); },
       IDC_EDIT_INSERT_END_TEXT, "", false},
      {"typing into the existing string", [](EditPanels& p) { return p.TextChanged(IDC_EDIT_INSERT_EXISTING, u"y"); },
       IDC_EDIT_INSERT_EXISTING, "y", false},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    const PanelEffect effect = row.act(panels);
    EXPECT_EQ(Utf8(panels.Text(row.box)), row.text);
    EXPECT_EQ(effect.clearSampleSelection, row.clears);
  }
}

TEST(EditPanelsTest, PanelsStandBelowTheScopeGroupOrWhereItWouldStand) {
  struct Row {
    std::u16string_view mode;
    bool scopeShown;
    bool chosenFiles;
    int top;
  };
  const Row rows[] = {
      {EditMode::kRemove, true, false, EditPanels::kScopeGroupBottom + 3},
      {EditMode::kChange, true, false, EditPanels::kScopeGroupBottom + 3},
      {EditMode::kRemove, false, true, 137},
      {EditMode::kExtension, false, true, 137},
      {EditMode::kChange, false, true, 140},
      {EditMode::kSaveAll, false, false, 88},
      {EditMode::kSaveAll, false, true, 88},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(Utf8(row.mode) + (row.chosenFiles ? " chosen files" : " folder"));
    EXPECT_EQ(Opened(row.mode).PanelTop(row.scopeShown, row.chosenFiles), row.top);
  }
}

// The groups whose every field a panel control holds.
bool PanelField(const std::string& name) {
  for (const char* group : {"RemoveOptions.", "ReplaceOptions.", "InsertOptions.", "ChangeOptions.",
                            "ExtensionOptions.", "SaveOptions."}) {
    if (name.rfind(group, 0) == 0) return name != "ChangeOptions.ExcludeSmallWords";
  }
  return false;
}

TEST(EditPanelsTest, EveryOptionFieldHasAControlAndNoOtherFieldHasOne) {
  int panelFields = 0;
  for (const std::u16string& name : FieldNames()) {
    const std::string n = Utf8(name);
    SCOPED_TRACE(n);
    const std::optional<int> control = EditPanels::ControlOfField(name);
    EXPECT_EQ(control.has_value(), PanelField(n));
    if (control) {
      EXPECT_TRUE(EditPanels().Owns(*control));
      ++panelFields;
    }
  }
  EXPECT_GT(panelFields, 60);
}

// A value other than the field's default: texts named after the field, flags
// turned, choices at their last value.
std::u16string ChangedValue(const std::string& name, const std::u16string& current) {
  if (current == u"0") return u"1";
  if (current == u"1") return u"0";
  const std::vector<std::pair<std::string, const char16_t*>> lastChoices = {
      {"RemoveOptions.RemoveKind", u"CleanSymbols"},      {"RemoveOptions.AnythingKind", u"AllNumbers"},
      {"RemoveOptions.KeepKind", u"GivenStrings"},        {"ReplaceOptions.ReplaceKind", u"ReplaceSelected"},
      {"InsertOptions.InsertKind", u"ToString"},          {"InsertOptions.Where", u"BETWEEN"},
      {"ChangeOptions.ChangeKind", u"ConvertCase"},       {"ChangeOptions.CaseKind", u"CapitalizeWords"},
      {"ExtensionOptions.ExtensionKind", u"ConvertExtensionCase"}, {"SaveOptions.Content", u"NamesOnly"},
  };
  for (const auto& [field, value] : lastChoices) {
    if (field == name) return value;
  }
  return U16(name.substr(name.find('.') + 1) + " text");
}

TEST(EditPanelsTest, ARequestWithEveryOptionChangedSurvivesShowAndReadBack) {
  CliRequest original;
  for (const std::u16string& name : FieldNames()) {
    const std::string n = Utf8(name);
    if (!PanelField(n)) continue;
    const std::u16string changed = ChangedValue(n, FieldValue(original, name).value_or(u""));
    ASSERT_EQ(Utf8(SetField(original, name, changed).value_or(u"")), "") << n;
    ASSERT_NE(FieldValue(original, name), FieldValue(CliRequest{}, name)) << n;
  }

  EditPanels panels;
  panels.Show(original.request);
  CliRequest readBack;
  panels.ReadInto(readBack.request);

  // Every field on its own, so that a failure names it.
  for (const std::u16string& name : FieldNames()) {
    const std::string n = Utf8(name);
    if (!PanelField(n)) continue;
    SCOPED_TRACE(n);
    EXPECT_EQ(Utf8(FieldValue(readBack, name).value_or(u"(none)")),
              Utf8(FieldValue(original, name).value_or(u"(none)")));
  }
}

TEST(EditPanelsTest, ReadingLeavesWhatNoPanelHoldsAlone) {
  EditRequest request;
  request.Mode = EditMode::kChange;
  request.Scope = TargetScope::Folders;
  request.IncludeSubfolders = true;
  request.TypeFilter = u"jpg";
  request.Sample.SampleText = u"photo";
  request.Sample.SelectionLength = 2;
  request.Change.ExcludeSmallWords = false;

  EditPanels panels;
  panels.Show(EditRequest{});
  panels.ReadInto(request);

  EXPECT_EQ(Utf8(request.Mode), "Changnew");
  EXPECT_EQ(request.Scope, TargetScope::Folders);
  EXPECT_TRUE(request.IncludeSubfolders);
  EXPECT_EQ(Utf8(request.TypeFilter), "jpg");
  EXPECT_EQ(Utf8(request.Sample.SampleText), "photo");
  EXPECT_EQ(request.Sample.SelectionLength, 2);
  EXPECT_FALSE(request.Change.ExcludeSmallWords);
}

TEST(EditPanelsTest, ShowPutsEachFieldIntoItsOwnControl) {
  struct Row {
    const char* field;
    const char16_t* value;
    int id;
    bool checked;      // for check boxes and radios
    const char* text;  // for boxes; nullptr: not a box
  };
  const Row rows[] = {
      {"RemoveOptions.Strings1", u"one", IDC_EDIT_REMOVE_STRING1, false, "one"},
      {"RemoveOptions.Strings2", u"two", IDC_EDIT_REMOVE_STRING2, false, "two"},
      {"RemoveOptions.Strings3", u"three", IDC_EDIT_REMOVE_STRING3, false, "three"},
      {"RemoveOptions.KeepStrings2", u"k2", IDC_EDIT_KEEP_STRING2, false, "k2"},
      {"RemoveOptions.CleanKeepOtherText", u"#", IDC_EDIT_CLEAN_KEEP_OTHER_TEXT, false, "#"},
      {"RemoveOptions.CleanEraseText", u"~", IDC_EDIT_CLEAN_ERASE_TEXT, false, "~"},
      {"RemoveOptions.SelectionFromEnd", u"1", IDC_EDIT_ANYTHING_FROM_END, true, nullptr},
      {"RemoveOptions.SelectionFromEnd", u"1", IDC_EDIT_ANYTHING_FROM_HEAD, false, nullptr},
      {"RemoveOptions.KeepFromEnd", u"1", IDC_EDIT_KEEP_FROM_END, true, nullptr},
      {"RemoveOptions.KeepFromEnd", u"1", IDC_EDIT_ANYTHING_FROM_END, false, nullptr},
      {"RemoveOptions.CleanKeepHyphen", u"0", IDC_EDIT_CLEAN_HYPHEN, false, nullptr},
      {"InsertOptions.CursorFromEnd", u"1", IDC_EDIT_INSERT_FROM_END, true, nullptr},
      {"InsertOptions.HeadTemplate", u"h", IDC_EDIT_INSERT_HEAD_TEXT, false, "h"},
      {"InsertOptions.EndTemplate", u"e", IDC_EDIT_INSERT_END_TEXT, false, "e"},
      {"InsertOptions.ExistingString", u"x", IDC_EDIT_INSERT_EXISTING, false, "x"},
      {"InsertOptions.SecondString", u"s", IDC_EDIT_INSERT_SECOND, false, "s"},
      {"ReplaceOptions.OnlyLeftest", u"1", IDC_EDIT_REPLACE_ONLY_LEFTEST, true, nullptr},
      {"ReplaceOptions.OnlyLeftest", u"1", IDC_EDIT_REMOVE_ONLY_LEFTEST, false, nullptr},
      {"ExtensionOptions.ExtensionUpper", u"1", IDC_EDIT_EXT_UPPER, true, nullptr},
      {"ExtensionOptions.OldExtension", u"jpg", IDC_EDIT_EXT_OLD, false, "jpg"},
      {"SaveOptions.SpecialTypes", u"1", IDC_EDIT_SAVE_SPECIAL_TYPES, true, nullptr},
      {"SaveOptions.Film", u"1", IDC_EDIT_SAVE_FILM, true, nullptr},
      {"SaveOptions.Document", u"1", IDC_EDIT_SAVE_FILM, false, nullptr},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(std::string(row.field) + " -> " + std::to_string(row.id));
    CliRequest cli;
    ASSERT_EQ(Utf8(SetField(cli, U16(row.field), row.value).value_or(u"")), "");
    EditPanels panels;
    panels.Show(cli.request);
    EXPECT_EQ(panels.State(row.id).checked, row.checked);
    if (row.text != nullptr) {
      EXPECT_EQ(Utf8(panels.Text(row.id)), row.text);
    }
  }
}

TEST(EditPanelsTest, TheStringTablesTextsReplaceTheDesignTexts) {
  struct Row {
    int id;
    const char* design;
    const char* applied;
    const char* hint;
  };
  const Row rows[] = {
      {IDC_EDIT_REMOVE_STRING1_LABEL, "Remove String 1: ", "#103", ""},
      {IDC_EDIT_INSERT_HEAD_SPECIAL, "Special", "#121", "#347"},
      {IDC_EDIT_INSERT_END_SPECIAL, "Special", "#121", "#347"},
      {IDC_EDIT_INSERT_CURSOR_SPECIAL, "Special", "#121", "#347"},
      {IDC_EDIT_INSERT_STRING_SPECIAL, "Special", "#121", "#347"},
      {IDC_EDIT_REPLACE_SPECIAL, "Special", "#121", "#347"},
      {IDC_EDIT_CHANGE_SPECIAL, "Special string", "#41", "#347"},
      {IDC_EDIT_INSERT_TO_STRING, "Insert to string", "#333", ""},
      {IDC_EDIT_INSERT_STRING_GROUP, "Insert to string", "#113", ""},
      {IDC_EDIT_ANYTHING_NUMBERS, "Remove all numbers ", "#360", ""},
      {IDC_EDIT_KEEP_ONLY_LEFTEST, "Only Leftest", "#87", "#350"},
      {IDC_EDIT_REMOVE_ONLY_LEFTEST, "Only Leftest", "#87", "#349"},
      {IDC_EDIT_REPLACE_ONLY_LEFTEST, "Only Leftest", "#87", "#361"},
      {IDC_EDIT_REPLACE_CASE_SENSITIVE, "Case sensitive", "#106", "#348"},
      {IDC_EDIT_EXT_UPPER, "UPPER case", "#44", ""},
      {IDC_EDIT_KEEP_FROM_END, "From End", "#86", ""},
      {IDC_EDIT_SAVE_OTHER_TEXT, "", "", "#358"},
      {IDC_EDIT_CLEAN_HYPHEN, " - ", " - ", ""},
  };
  EditPanels panels;
  std::vector<std::string> designs;
  for (const Row& row : rows) designs.push_back(Utf8(panels.State(row.id).text));
  panels.ApplyTexts(NumberedTexts());
  for (std::size_t i = 0; i < std::size(rows); ++i) {
    const Row& row = rows[i];
    SCOPED_TRACE(row.id);
    EXPECT_EQ(designs[i], row.design);
    EXPECT_EQ(Utf8(panels.State(row.id).text), row.applied);
    EXPECT_EQ(Utf8(panels.Hint(row.id)), row.hint);
  }
}

TEST(EditPanelsTest, ThePositionListTakesItsItemsAndStartsOnTheFirst) {
  EditPanels panels = Opened(EditMode::kInsert, {IDC_EDIT_INSERT_TO_STRING});
  static_cast<void>(panels.SelectionChanged(IDC_EDIT_INSERT_WHERE, 2));
  ASSERT_TRUE(panels.State(IDC_EDIT_INSERT_SECOND).visible);

  panels.ApplyTexts(NumberedTexts());

  std::vector<std::string> items;
  for (const auto& item : panels.Items(IDC_EDIT_INSERT_WHERE)) items.push_back(Utf8(item));
  EXPECT_EQ(items, (std::vector<std::string>{"#118", "#119", "#120"}));
  EXPECT_EQ(panels.SelectedIndex(IDC_EDIT_INSERT_WHERE), 0);
  EXPECT_FALSE(panels.State(IDC_EDIT_INSERT_SECOND).visible);
  // An index outside the list changes nothing.
  static_cast<void>(panels.SelectionChanged(IDC_EDIT_INSERT_WHERE, 3));
  EXPECT_EQ(panels.SelectedIndex(IDC_EDIT_INSERT_WHERE), 0);
}

}  // namespace
}  // namespace renamora::ui

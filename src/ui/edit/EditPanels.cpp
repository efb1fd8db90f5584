// The six option panels of the edit window: their controls, choices and request table.
#include "ui/edit/EditPanels.h"

#include <algorithm>
#include <span>

#include "app/RequestFields.h"
#include "base/text/AsciiCase.h"
#include "ui/ControlIds.h"

namespace renamora::ui {
namespace {

using K = PanelControlKind;

struct ControlDef {
  int id;
  K kind;
  int parent;                  // the panel or group it stands in; 0 for a panel
  std::u16string_view design;  // the text the control carries until the string table's
  MessageId text = 0;          // 0: the design text stays
  MessageId hint = 0;
};

// Every control, panel by panel, each after the one it stands in.
constexpr ControlDef kControls[] = {
    {IDC_EDIT_PANEL_REMOVE, K::Panel, 0, u""},
    {IDC_EDIT_REMOVE_STRINGS, K::Radio, IDC_EDIT_PANEL_REMOVE, u"Remove strings", 77},
    {IDC_EDIT_REMOVE_ANYTHING, K::Radio, IDC_EDIT_PANEL_REMOVE, u"Remove anything", 78},
    {IDC_EDIT_KEEP_SOMETHING, K::Radio, IDC_EDIT_PANEL_REMOVE, u"Keep something", 79},
    {IDC_EDIT_CLEAN_SYMBOLS, K::Radio, IDC_EDIT_PANEL_REMOVE, u"Clean symbols", 80},

    {IDC_EDIT_REMOVE_STRINGS_GROUP, K::Group, IDC_EDIT_PANEL_REMOVE, u"Remove strings", 77},
    {IDC_EDIT_REMOVE_STRING1_LABEL, K::Label, IDC_EDIT_REMOVE_STRINGS_GROUP, u"Remove String 1: ", 103},
    {IDC_EDIT_REMOVE_STRING1, K::Edit, IDC_EDIT_REMOVE_STRINGS_GROUP, u""},
    {IDC_EDIT_REMOVE_STRING2_LABEL, K::Label, IDC_EDIT_REMOVE_STRINGS_GROUP, u"Remove String 2: ", 104},
    {IDC_EDIT_REMOVE_STRING2, K::Edit, IDC_EDIT_REMOVE_STRINGS_GROUP, u""},
    {IDC_EDIT_REMOVE_STRING3_LABEL, K::Label, IDC_EDIT_REMOVE_STRINGS_GROUP, u"Remove String 3: ", 105},
    {IDC_EDIT_REMOVE_STRING3, K::Edit, IDC_EDIT_REMOVE_STRINGS_GROUP, u""},
    {IDC_EDIT_REMOVE_CASE_SENSITIVE, K::CheckBox, IDC_EDIT_REMOVE_STRINGS_GROUP, u"Case sensitive", 106, 348},
    {IDC_EDIT_REMOVE_ONLY_LEFTEST, K::CheckBox, IDC_EDIT_REMOVE_STRINGS_GROUP, u"Only Leftest", 87, 349},
    {IDC_EDIT_REMOVE_CLEAR_ALL, K::Button, IDC_EDIT_REMOVE_STRINGS_GROUP, u"Clear all", 107},

    {IDC_EDIT_REMOVE_ANYTHING_GROUP, K::Group, IDC_EDIT_PANEL_REMOVE, u"Remove anything", 78},
    {IDC_EDIT_ANYTHING_SELECTED, K::Radio, IDC_EDIT_REMOVE_ANYTHING_GROUP, u"Remove the part selected by mouse", 98},
    {IDC_EDIT_ANYTHING_BETWEEN, K::Radio, IDC_EDIT_REMOVE_ANYTHING_GROUP, u"Remove the part between two strings", 99},
    {IDC_EDIT_ANYTHING_NUMBERS, K::Radio, IDC_EDIT_REMOVE_ANYTHING_GROUP, u"Remove all numbers ", 360},
    {IDC_EDIT_ANYTHING_DIRECTION, K::Label, IDC_EDIT_REMOVE_ANYTHING_GROUP, u"Direction:", 84},
    {IDC_EDIT_ANYTHING_FROM_HEAD, K::Radio, IDC_EDIT_REMOVE_ANYTHING_GROUP, u"From Head", 85},
    {IDC_EDIT_ANYTHING_FROM_END, K::Radio, IDC_EDIT_REMOVE_ANYTHING_GROUP, u"From End", 86},
    {IDC_EDIT_ANYTHING_LEFT_LABEL, K::Label, IDC_EDIT_REMOVE_ANYTHING_GROUP, u"Left:", 100},
    {IDC_EDIT_ANYTHING_LEFT, K::Edit, IDC_EDIT_REMOVE_ANYTHING_GROUP, u""},
    {IDC_EDIT_ANYTHING_RIGHT_LABEL, K::Label, IDC_EDIT_REMOVE_ANYTHING_GROUP, u"Right:", 101},
    {IDC_EDIT_ANYTHING_RIGHT, K::Edit, IDC_EDIT_REMOVE_ANYTHING_GROUP, u""},
    {IDC_EDIT_ANYTHING_ALSO_BOUNDS, K::CheckBox, IDC_EDIT_REMOVE_ANYTHING_GROUP, u"Also remove the two strings", 102,
     351},

    {IDC_EDIT_KEEP_GROUP, K::Group, IDC_EDIT_PANEL_REMOVE, u"Keep something", 81},
    {IDC_EDIT_KEEP_SELECTED, K::Radio, IDC_EDIT_KEEP_GROUP, u"KEEP the part selected by mouse", 82},
    {IDC_EDIT_KEEP_STRINGS, K::Radio, IDC_EDIT_KEEP_GROUP, u"KEEP strings(remove others)", 83},
    {IDC_EDIT_KEEP_DIRECTION, K::Label, IDC_EDIT_KEEP_GROUP, u"Direction:", 84},
    {IDC_EDIT_KEEP_FROM_HEAD, K::Radio, IDC_EDIT_KEEP_GROUP, u"From Head", 85},
    {IDC_EDIT_KEEP_FROM_END, K::Radio, IDC_EDIT_KEEP_GROUP, u"From End", 86},
    {IDC_EDIT_KEEP_STRING1_LABEL, K::Label, IDC_EDIT_KEEP_GROUP, u"String 1:", 88},
    {IDC_EDIT_KEEP_STRING1, K::Edit, IDC_EDIT_KEEP_GROUP, u""},
    {IDC_EDIT_KEEP_STRING2_LABEL, K::Label, IDC_EDIT_KEEP_GROUP, u"String 2:", 89},
    {IDC_EDIT_KEEP_STRING2, K::Edit, IDC_EDIT_KEEP_GROUP, u""},
    {IDC_EDIT_KEEP_ONLY_LEFTEST, K::CheckBox, IDC_EDIT_KEEP_GROUP, u"Only Leftest", 87, 350},

    {IDC_EDIT_CLEAN_GROUP, K::Group, IDC_EDIT_PANEL_REMOVE, u"Clean symbols", 92},
    {IDC_EDIT_CLEAN_MARKS_GROUP, K::Group, IDC_EDIT_CLEAN_GROUP, u"Don't erase these", 93},
    {IDC_EDIT_CLEAN_HYPHEN, K::CheckBox, IDC_EDIT_CLEAN_MARKS_GROUP, u" - "},
    {IDC_EDIT_CLEAN_UNDERSCORE, K::CheckBox, IDC_EDIT_CLEAN_MARKS_GROUP, u" _ "},
    {IDC_EDIT_CLEAN_PARENTHESES, K::CheckBox, IDC_EDIT_CLEAN_MARKS_GROUP, u" ( ) "},
    {IDC_EDIT_CLEAN_BRACKETS, K::CheckBox, IDC_EDIT_CLEAN_MARKS_GROUP, u" [ ] "},
    {IDC_EDIT_CLEAN_OPTION_GROUP, K::Group, IDC_EDIT_CLEAN_GROUP, u"Option", 94},
    {IDC_EDIT_CLEAN_KEEP_OTHER, K::CheckBox, IDC_EDIT_CLEAN_OPTION_GROUP, u"Don't erase other symbols:", 95},
    {IDC_EDIT_CLEAN_KEEP_OTHER_TEXT, K::Edit, IDC_EDIT_CLEAN_OPTION_GROUP, u""},
    {IDC_EDIT_CLEAN_WITH_SPACE, K::CheckBox, IDC_EDIT_CLEAN_OPTION_GROUP, u"Replace the erased symbols with space", 96},
    {IDC_EDIT_CLEAN_ALSO_ERASE, K::CheckBox, IDC_EDIT_CLEAN_OPTION_GROUP, u"Also erase string:", 97},
    {IDC_EDIT_CLEAN_ERASE_TEXT, K::Edit, IDC_EDIT_CLEAN_OPTION_GROUP, u""},

    {IDC_EDIT_PANEL_REPLACE, K::Panel, 0, u""},
    {IDC_EDIT_REPLACE_STRING, K::Radio, IDC_EDIT_PANEL_REPLACE, u"Replace string", 108},
    {IDC_EDIT_REPLACE_SELECTED, K::Radio, IDC_EDIT_PANEL_REPLACE, u" Replace length selected by mouse", 109},
    {IDC_EDIT_REPLACE_OLD_LABEL, K::Label, IDC_EDIT_PANEL_REPLACE, u"Old string:     ", 110},
    {IDC_EDIT_REPLACE_OLD, K::Edit, IDC_EDIT_PANEL_REPLACE, u""},
    {IDC_EDIT_REPLACE_CASE_SENSITIVE, K::CheckBox, IDC_EDIT_PANEL_REPLACE, u"Case sensitive", 106, 348},
    {IDC_EDIT_REPLACE_ONLY_LEFTEST, K::CheckBox, IDC_EDIT_PANEL_REPLACE, u"Only Leftest", 87, 361},
    {IDC_EDIT_REPLACE_DIRECTION, K::Label, IDC_EDIT_PANEL_REPLACE, u"Direction:", 84},
    {IDC_EDIT_REPLACE_FROM_HEAD, K::Radio, IDC_EDIT_PANEL_REPLACE, u"From Head", 85},
    {IDC_EDIT_REPLACE_FROM_END, K::Radio, IDC_EDIT_PANEL_REPLACE, u"From End", 86},
    {IDC_EDIT_REPLACE_NEW_LABEL, K::Label, IDC_EDIT_PANEL_REPLACE, u"New String:", 111},
    {IDC_EDIT_REPLACE_NEW, K::TemplateCombo, IDC_EDIT_PANEL_REPLACE, u""},
    {IDC_EDIT_REPLACE_SPECIAL, K::Button, IDC_EDIT_PANEL_REPLACE, u"Special", 121, 347},

    {IDC_EDIT_PANEL_INSERT, K::Panel, 0, u""},
    {IDC_EDIT_INSERT_TO_POSITION, K::Radio, IDC_EDIT_PANEL_INSERT, u"Insert to position      ", 112},
    {IDC_EDIT_INSERT_TO_STRING, K::Radio, IDC_EDIT_PANEL_INSERT, u"Insert to string", 333},
    {IDC_EDIT_INSERT_POSITION_GROUP, K::Group, IDC_EDIT_PANEL_INSERT, u""},
    {IDC_EDIT_INSERT_HEADER, K::Label, IDC_EDIT_INSERT_POSITION_GROUP, u"Position  --------  Specify the string", 122},
    {IDC_EDIT_INSERT_HEAD, K::CheckBox, IDC_EDIT_INSERT_POSITION_GROUP, u"HEAD", 123, 344},
    {IDC_EDIT_INSERT_HEAD_TEXT, K::TemplateCombo, IDC_EDIT_INSERT_POSITION_GROUP, u""},
    {IDC_EDIT_INSERT_HEAD_SPECIAL, K::Button, IDC_EDIT_INSERT_POSITION_GROUP, u"Special", 121, 347},
    {IDC_EDIT_INSERT_END, K::CheckBox, IDC_EDIT_INSERT_POSITION_GROUP, u"END", 124, 345},
    {IDC_EDIT_INSERT_END_TEXT, K::TemplateCombo, IDC_EDIT_INSERT_POSITION_GROUP, u""},
    {IDC_EDIT_INSERT_END_SPECIAL, K::Button, IDC_EDIT_INSERT_POSITION_GROUP, u"Special", 121, 347},
    {IDC_EDIT_INSERT_CURSOR, K::CheckBox, IDC_EDIT_INSERT_POSITION_GROUP, u"CURSOR", 125, 346},
    {IDC_EDIT_INSERT_CURSOR_TEXT, K::TemplateCombo, IDC_EDIT_INSERT_POSITION_GROUP, u""},
    {IDC_EDIT_INSERT_CURSOR_SPECIAL, K::Button, IDC_EDIT_INSERT_POSITION_GROUP, u"Special", 121, 347},
    {IDC_EDIT_INSERT_DIRECTION, K::Label, IDC_EDIT_INSERT_POSITION_GROUP, u"Direction:", 84},
    {IDC_EDIT_INSERT_FROM_HEAD, K::Radio, IDC_EDIT_INSERT_POSITION_GROUP, u"From Head", 85},
    {IDC_EDIT_INSERT_FROM_END, K::Radio, IDC_EDIT_INSERT_POSITION_GROUP, u"From End", 86},
    {IDC_EDIT_INSERT_STRING_GROUP, K::Group, IDC_EDIT_PANEL_INSERT, u"Insert to string", 113},
    {IDC_EDIT_INSERT_WHERE_LABEL, K::Label, IDC_EDIT_INSERT_STRING_GROUP, u"Position to insert:", 117},
    {IDC_EDIT_INSERT_WHERE, K::DropDownList, IDC_EDIT_INSERT_STRING_GROUP, u""},
    {IDC_EDIT_INSERT_EXISTING_LABEL, K::Label, IDC_EDIT_INSERT_STRING_GROUP, u"The existing string: ", 114},
    {IDC_EDIT_INSERT_EXISTING, K::Edit, IDC_EDIT_INSERT_STRING_GROUP, u""},
    {IDC_EDIT_INSERT_SECOND_LABEL, K::Label, IDC_EDIT_INSERT_STRING_GROUP, u"The second string: ", 115, 352},
    {IDC_EDIT_INSERT_SECOND, K::Edit, IDC_EDIT_INSERT_STRING_GROUP, u""},
    {IDC_EDIT_INSERT_STRING_LABEL, K::Label, IDC_EDIT_INSERT_STRING_GROUP, u"String to insert: ", 116},
    {IDC_EDIT_INSERT_STRING, K::TemplateCombo, IDC_EDIT_INSERT_STRING_GROUP, u""},
    {IDC_EDIT_INSERT_STRING_SPECIAL, K::Button, IDC_EDIT_INSERT_STRING_GROUP, u"Special", 121, 347},

    {IDC_EDIT_PANEL_CHANGE, K::Panel, 0, u""},
    {IDC_EDIT_CHANGE_NEW_NAME, K::Radio, IDC_EDIT_PANEL_CHANGE, u"Change full name to new:", 39},
    {IDC_EDIT_CHANGE_NEW_NAME_LABEL, K::Label, IDC_EDIT_PANEL_CHANGE, u"New name:", 40},
    {IDC_EDIT_CHANGE_NEW_NAME_TEXT, K::TemplateCombo, IDC_EDIT_PANEL_CHANGE, u""},
    {IDC_EDIT_CHANGE_SPECIAL, K::Button, IDC_EDIT_PANEL_CHANGE, u"Special string", 41, 347},
    {IDC_EDIT_CHANGE_CASE, K::Radio, IDC_EDIT_PANEL_CHANGE, u"Convert full name case to:", 42},
    {IDC_EDIT_CHANGE_LOWER, K::Radio, IDC_EDIT_PANEL_CHANGE, u"Lower case", 43},
    {IDC_EDIT_CHANGE_UPPER, K::Radio, IDC_EDIT_PANEL_CHANGE, u"UPPER case", 44},
    {IDC_EDIT_CHANGE_CAPITALIZE_WORDS, K::Radio, IDC_EDIT_PANEL_CHANGE, u"Capitalize every words", 47},
    {IDC_EDIT_CHANGE_CAPITALIZE_FIRST, K::CheckBox, IDC_EDIT_PANEL_CHANGE, u"Capitalize first letter", 45},
    {IDC_EDIT_CHANGE_INCLUDE_EXTENSION, K::CheckBox, IDC_EDIT_PANEL_CHANGE, u"Include extension part", 46},

    {IDC_EDIT_PANEL_EXTENSION, K::Panel, 0, u""},
    {IDC_EDIT_EXT_CHANGE, K::Radio, IDC_EDIT_PANEL_EXTENSION, u"Change extention part", 72},
    {IDC_EDIT_EXT_CHANGE_GROUP, K::Group, IDC_EDIT_PANEL_EXTENSION, u"Change extention part", 72},
    {IDC_EDIT_EXT_OLD_LABEL, K::Label, IDC_EDIT_EXT_CHANGE_GROUP, u"Old extention part :   ", 74},
    {IDC_EDIT_EXT_OLD, K::Edit, IDC_EDIT_EXT_CHANGE_GROUP, u""},
    {IDC_EDIT_EXT_NEW_LABEL, K::Label, IDC_EDIT_EXT_CHANGE_GROUP, u"New extention part : ", 75},
    {IDC_EDIT_EXT_NEW, K::Edit, IDC_EDIT_EXT_CHANGE_GROUP, u""},
    {IDC_EDIT_EXT_REPLACE_ALL, K::CheckBox, IDC_EDIT_EXT_CHANGE_GROUP, u"replace ALL types of old extention part", 76},
    {IDC_EDIT_EXT_CASE, K::Radio, IDC_EDIT_PANEL_EXTENSION, u"Convert extention case", 73},
    {IDC_EDIT_EXT_CASE_GROUP, K::Group, IDC_EDIT_PANEL_EXTENSION, u"Convert extention case", 73},
    {IDC_EDIT_EXT_LOWER, K::Radio, IDC_EDIT_EXT_CASE_GROUP, u"Lower case", 43},
    {IDC_EDIT_EXT_UPPER, K::Radio, IDC_EDIT_EXT_CASE_GROUP, u"UPPER case", 44},

    {IDC_EDIT_PANEL_SAVE, K::Panel, 0, u""},
    {IDC_EDIT_SAVE_CONTENT_GROUP, K::Group, IDC_EDIT_PANEL_SAVE, u"Save contained filenames", 48},
    {IDC_EDIT_SAVE_ONE_LAYER, K::Radio, IDC_EDIT_SAVE_CONTENT_GROUP, u"Subfolders names and filenames", 49},
    {IDC_EDIT_SAVE_ONE_LAYER_NOTE, K::Label, IDC_EDIT_SAVE_CONTENT_GROUP, u"(ONE layer)", 50},
    {IDC_EDIT_SAVE_ALL_LAYERS, K::Radio, IDC_EDIT_SAVE_CONTENT_GROUP, u"All filenames in subfolders", 51},
    {IDC_EDIT_SAVE_ALL_LAYERS_NOTE, K::Label, IDC_EDIT_SAVE_CONTENT_GROUP, u"(ALL layers)", 52},
    {IDC_EDIT_SAVE_WEBPAGE, K::CheckBox, IDC_EDIT_SAVE_CONTENT_GROUP, u"Include webpage folder", 53},
    {IDC_EDIT_SAVE_NAMES_ONLY, K::Radio, IDC_EDIT_SAVE_CONTENT_GROUP, u"Only subfolders name", 54},
    {IDC_EDIT_SAVE_NAMES_ONLY_NOTE, K::Label, IDC_EDIT_SAVE_CONTENT_GROUP, u"(without files)", 55},
    {IDC_EDIT_SAVE_FILE_SIZE, K::CheckBox, IDC_EDIT_SAVE_CONTENT_GROUP, u"File size", 56, 353},
    {IDC_EDIT_SAVE_FILE_TIME, K::CheckBox, IDC_EDIT_SAVE_CONTENT_GROUP, u"File time", 57, 354},
    {IDC_EDIT_SAVE_TYPES_GROUP, K::Group, IDC_EDIT_PANEL_SAVE, u"File types", 58, 357},
    {IDC_EDIT_SAVE_ALL_TYPES, K::Radio, IDC_EDIT_SAVE_TYPES_GROUP, u"All types", 59, 355},
    {IDC_EDIT_SAVE_SPECIAL_TYPES, K::Radio, IDC_EDIT_SAVE_TYPES_GROUP, u"Special types", 60, 356},
    {IDC_EDIT_SAVE_MUSIC, K::CheckBox, IDC_EDIT_SAVE_TYPES_GROUP, u"Music", 61},
    {IDC_EDIT_SAVE_FILM, K::CheckBox, IDC_EDIT_SAVE_TYPES_GROUP, u"Film", 62},
    {IDC_EDIT_SAVE_DOCUMENT, K::CheckBox, IDC_EDIT_SAVE_TYPES_GROUP, u"Document", 63},
    {IDC_EDIT_SAVE_PICTURE, K::CheckBox, IDC_EDIT_SAVE_TYPES_GROUP, u"Picture", 64},
    {IDC_EDIT_SAVE_PROGRAM, K::CheckBox, IDC_EDIT_SAVE_TYPES_GROUP, u"Program", 65},
    {IDC_EDIT_SAVE_OTHER, K::CheckBox, IDC_EDIT_SAVE_TYPES_GROUP, u"Other", 66},
    {IDC_EDIT_SAVE_OTHER_TEXT, K::Edit, IDC_EDIT_SAVE_TYPES_GROUP, u"", 0, 358},
};

// The one design hint the Parts give; the rest come with the string table.
constexpr std::u16string_view kOtherTypesHint = u"Use comma(,) to seperate types, no space included.";

const ControlDef* Def(int id) {
  for (const ControlDef& c : kControls) {
    if (c.id == id) return &c;
  }
  return nullptr;
}

// How a control holds its field's value.
enum class Bind {
  Check,      // a flag: ticked is 1
  Text,       // the box's text
  Choice,     // a radio button: chosen when the field holds `value`
  ListIndex,  // the drop-down list: the item's index in `items`
};

constexpr std::u16string_view kWhereNames[] = {u"BEFORE", u"BEHIND", u"BETWEEN"};

struct FieldBinding {
  int id;
  std::u16string_view field;  // the command line's Group.Field
  Bind kind;
  std::u16string_view value = {};
  std::span<const std::u16string_view> items = {};
};

// Each option control and the request field it stands for, by the name the
// command line sets it with, so that the window and the command line cannot
// drift apart. Radios that share a field are one group of choices.
constexpr FieldBinding kBindings[] = {
    {IDC_EDIT_REMOVE_STRINGS, u"RemoveOptions.RemoveKind", Bind::Choice, u"RemoveStrings"},
    {IDC_EDIT_REMOVE_ANYTHING, u"RemoveOptions.RemoveKind", Bind::Choice, u"RemoveAnything"},
    {IDC_EDIT_KEEP_SOMETHING, u"RemoveOptions.RemoveKind", Bind::Choice, u"KeepSomething"},
    {IDC_EDIT_CLEAN_SYMBOLS, u"RemoveOptions.RemoveKind", Bind::Choice, u"CleanSymbols"},
    {IDC_EDIT_REMOVE_STRING1, u"RemoveOptions.Strings1", Bind::Text},
    {IDC_EDIT_REMOVE_STRING2, u"RemoveOptions.Strings2", Bind::Text},
    {IDC_EDIT_REMOVE_STRING3, u"RemoveOptions.Strings3", Bind::Text},
    {IDC_EDIT_REMOVE_CASE_SENSITIVE, u"RemoveOptions.CaseSensitive", Bind::Check},
    {IDC_EDIT_REMOVE_ONLY_LEFTEST, u"RemoveOptions.OnlyLeftest", Bind::Check},
    {IDC_EDIT_ANYTHING_SELECTED, u"RemoveOptions.AnythingKind", Bind::Choice, u"SelectedPart"},
    {IDC_EDIT_ANYTHING_BETWEEN, u"RemoveOptions.AnythingKind", Bind::Choice, u"BetweenStrings"},
    {IDC_EDIT_ANYTHING_NUMBERS, u"RemoveOptions.AnythingKind", Bind::Choice, u"AllNumbers"},
    {IDC_EDIT_ANYTHING_FROM_HEAD, u"RemoveOptions.SelectionFromEnd", Bind::Choice, u"0"},
    {IDC_EDIT_ANYTHING_FROM_END, u"RemoveOptions.SelectionFromEnd", Bind::Choice, u"1"},
    {IDC_EDIT_ANYTHING_LEFT, u"RemoveOptions.LeftString", Bind::Text},
    {IDC_EDIT_ANYTHING_RIGHT, u"RemoveOptions.RightString", Bind::Text},
    {IDC_EDIT_ANYTHING_ALSO_BOUNDS, u"RemoveOptions.AlsoRemoveBounds", Bind::Check},
    {IDC_EDIT_KEEP_SELECTED, u"RemoveOptions.KeepKind", Bind::Choice, u"SelectedPart"},
    {IDC_EDIT_KEEP_STRINGS, u"RemoveOptions.KeepKind", Bind::Choice, u"GivenStrings"},
    {IDC_EDIT_KEEP_FROM_HEAD, u"RemoveOptions.KeepFromEnd", Bind::Choice, u"0"},
    {IDC_EDIT_KEEP_FROM_END, u"RemoveOptions.KeepFromEnd", Bind::Choice, u"1"},
    {IDC_EDIT_KEEP_STRING1, u"RemoveOptions.KeepStrings1", Bind::Text},
    {IDC_EDIT_KEEP_STRING2, u"RemoveOptions.KeepStrings2", Bind::Text},
    {IDC_EDIT_KEEP_ONLY_LEFTEST, u"RemoveOptions.KeepOnlyLeftest", Bind::Check},
    {IDC_EDIT_CLEAN_HYPHEN, u"RemoveOptions.CleanKeepHyphen", Bind::Check},
    {IDC_EDIT_CLEAN_UNDERSCORE, u"RemoveOptions.CleanKeepUnderscore", Bind::Check},
    {IDC_EDIT_CLEAN_PARENTHESES, u"RemoveOptions.CleanKeepParentheses", Bind::Check},
    {IDC_EDIT_CLEAN_BRACKETS, u"RemoveOptions.CleanKeepBrackets", Bind::Check},
    {IDC_EDIT_CLEAN_KEEP_OTHER, u"RemoveOptions.CleanKeepOther", Bind::Check},
    {IDC_EDIT_CLEAN_KEEP_OTHER_TEXT, u"RemoveOptions.CleanKeepOtherText", Bind::Text},
    {IDC_EDIT_CLEAN_WITH_SPACE, u"RemoveOptions.CleanReplaceWithSpace", Bind::Check},
    {IDC_EDIT_CLEAN_ALSO_ERASE, u"RemoveOptions.CleanAlsoErase", Bind::Check},
    {IDC_EDIT_CLEAN_ERASE_TEXT, u"RemoveOptions.CleanEraseText", Bind::Text},

    {IDC_EDIT_REPLACE_STRING, u"ReplaceOptions.ReplaceKind", Bind::Choice, u"ReplaceString"},
    {IDC_EDIT_REPLACE_SELECTED, u"ReplaceOptions.ReplaceKind", Bind::Choice, u"ReplaceSelected"},
    {IDC_EDIT_REPLACE_OLD, u"ReplaceOptions.OldString", Bind::Text},
    {IDC_EDIT_REPLACE_CASE_SENSITIVE, u"ReplaceOptions.CaseSensitive", Bind::Check},
    {IDC_EDIT_REPLACE_ONLY_LEFTEST, u"ReplaceOptions.OnlyLeftest", Bind::Check},
    {IDC_EDIT_REPLACE_FROM_HEAD, u"ReplaceOptions.SelectionFromEnd", Bind::Choice, u"0"},
    {IDC_EDIT_REPLACE_FROM_END, u"ReplaceOptions.SelectionFromEnd", Bind::Choice, u"1"},
    {IDC_EDIT_REPLACE_NEW, u"ReplaceOptions.NewTemplate", Bind::Text},

    {IDC_EDIT_INSERT_TO_POSITION, u"InsertOptions.InsertKind", Bind::Choice, u"ToPosition"},
    {IDC_EDIT_INSERT_TO_STRING, u"InsertOptions.InsertKind", Bind::Choice, u"ToString"},
    {IDC_EDIT_INSERT_HEAD, u"InsertOptions.AtHead", Bind::Check},
    {IDC_EDIT_INSERT_HEAD_TEXT, u"InsertOptions.HeadTemplate", Bind::Text},
    {IDC_EDIT_INSERT_END, u"InsertOptions.AtEnd", Bind::Check},
    {IDC_EDIT_INSERT_END_TEXT, u"InsertOptions.EndTemplate", Bind::Text},
    {IDC_EDIT_INSERT_CURSOR, u"InsertOptions.AtCursor", Bind::Check},
    {IDC_EDIT_INSERT_CURSOR_TEXT, u"InsertOptions.CursorTemplate", Bind::Text},
    {IDC_EDIT_INSERT_FROM_HEAD, u"InsertOptions.CursorFromEnd", Bind::Choice, u"0"},
    {IDC_EDIT_INSERT_FROM_END, u"InsertOptions.CursorFromEnd", Bind::Choice, u"1"},
    {IDC_EDIT_INSERT_EXISTING, u"InsertOptions.ExistingString", Bind::Text},
    {IDC_EDIT_INSERT_WHERE, u"InsertOptions.Where", Bind::ListIndex, {}, kWhereNames},
    {IDC_EDIT_INSERT_SECOND, u"InsertOptions.SecondString", Bind::Text},
    {IDC_EDIT_INSERT_STRING, u"InsertOptions.InsertTemplate", Bind::Text},

    {IDC_EDIT_CHANGE_NEW_NAME, u"ChangeOptions.ChangeKind", Bind::Choice, u"NewName"},
    {IDC_EDIT_CHANGE_CASE, u"ChangeOptions.ChangeKind", Bind::Choice, u"ConvertCase"},
    {IDC_EDIT_CHANGE_NEW_NAME_TEXT, u"ChangeOptions.NewNameTemplate", Bind::Text},
    {IDC_EDIT_CHANGE_LOWER, u"ChangeOptions.CaseKind", Bind::Choice, u"Lower"},
    {IDC_EDIT_CHANGE_UPPER, u"ChangeOptions.CaseKind", Bind::Choice, u"Upper"},
    {IDC_EDIT_CHANGE_CAPITALIZE_WORDS, u"ChangeOptions.CaseKind", Bind::Choice, u"CapitalizeWords"},
    {IDC_EDIT_CHANGE_CAPITALIZE_FIRST, u"ChangeOptions.CapitalizeFirst", Bind::Check},
    {IDC_EDIT_CHANGE_INCLUDE_EXTENSION, u"ChangeOptions.IncludeExtension", Bind::Check},

    {IDC_EDIT_EXT_CHANGE, u"ExtensionOptions.ExtensionKind", Bind::Choice, u"ChangeExtension"},
    {IDC_EDIT_EXT_CASE, u"ExtensionOptions.ExtensionKind", Bind::Choice, u"ConvertExtensionCase"},
    {IDC_EDIT_EXT_OLD, u"ExtensionOptions.OldExtension", Bind::Text},
    {IDC_EDIT_EXT_NEW, u"ExtensionOptions.NewExtension", Bind::Text},
    {IDC_EDIT_EXT_REPLACE_ALL, u"ExtensionOptions.ReplaceAllTypes", Bind::Check},
    {IDC_EDIT_EXT_LOWER, u"ExtensionOptions.ExtensionUpper", Bind::Choice, u"0"},
    {IDC_EDIT_EXT_UPPER, u"ExtensionOptions.ExtensionUpper", Bind::Choice, u"1"},

    {IDC_EDIT_SAVE_ONE_LAYER, u"SaveOptions.Content", Bind::Choice, u"OneLayer"},
    {IDC_EDIT_SAVE_ALL_LAYERS, u"SaveOptions.Content", Bind::Choice, u"AllLayers"},
    {IDC_EDIT_SAVE_NAMES_ONLY, u"SaveOptions.Content", Bind::Choice, u"NamesOnly"},
    {IDC_EDIT_SAVE_WEBPAGE, u"SaveOptions.IncludeWebpageFolders", Bind::Check},
    {IDC_EDIT_SAVE_ALL_TYPES, u"SaveOptions.SpecialTypes", Bind::Choice, u"0"},
    {IDC_EDIT_SAVE_SPECIAL_TYPES, u"SaveOptions.SpecialTypes", Bind::Choice, u"1"},
    {IDC_EDIT_SAVE_MUSIC, u"SaveOptions.Music", Bind::Check},
    {IDC_EDIT_SAVE_DOCUMENT, u"SaveOptions.Document", Bind::Check},
    {IDC_EDIT_SAVE_FILM, u"SaveOptions.Film", Bind::Check},
    {IDC_EDIT_SAVE_PICTURE, u"SaveOptions.Picture", Bind::Check},
    {IDC_EDIT_SAVE_PROGRAM, u"SaveOptions.Program", Bind::Check},
    {IDC_EDIT_SAVE_OTHER, u"SaveOptions.Other", Bind::Check},
    {IDC_EDIT_SAVE_OTHER_TEXT, u"SaveOptions.OtherTypes", Bind::Text},
    {IDC_EDIT_SAVE_FILE_SIZE, u"SaveOptions.FileSize", Bind::Check},
    {IDC_EDIT_SAVE_FILE_TIME, u"SaveOptions.FileTime", Bind::Check},
};

const FieldBinding* BindingOf(int id) {
  for (const FieldBinding& b : kBindings) {
    if (b.id == id) return &b;
  }
  return nullptr;
}

struct PanelMode {
  int panel;
  std::u16string_view mode;
};

constexpr PanelMode kPanels[] = {
    {IDC_EDIT_PANEL_REMOVE, EditMode::kRemove},       {IDC_EDIT_PANEL_REPLACE, EditMode::kReplace},
    {IDC_EDIT_PANEL_INSERT, EditMode::kInsert},       {IDC_EDIT_PANEL_CHANGE, EditMode::kChange},
    {IDC_EDIT_PANEL_EXTENSION, EditMode::kExtension}, {IDC_EDIT_PANEL_SAVE, EditMode::kSaveAll},
};

struct PressedBox {
  int id;
  InputBox box;
};

constexpr PressedBox kInputBoxes[] = {
    {IDC_EDIT_INSERT_EXISTING, InputBox::ExistingString}, {IDC_EDIT_REMOVE_STRING1, InputBox::RemoveString1},
    {IDC_EDIT_REMOVE_STRING2, InputBox::RemoveString2},   {IDC_EDIT_REMOVE_STRING3, InputBox::RemoveString3},
    {IDC_EDIT_ANYTHING_LEFT, InputBox::Left},             {IDC_EDIT_ANYTHING_RIGHT, InputBox::Right},
    {IDC_EDIT_INSERT_SECOND, InputBox::SecondString},     {IDC_EDIT_CLEAN_ERASE_TEXT, InputBox::AlsoErase},
    {IDC_EDIT_CLEAN_KEEP_OTHER_TEXT, InputBox::KeepOther}, {IDC_EDIT_KEEP_STRING1, InputBox::KeepString1},
    {IDC_EDIT_KEEP_STRING2, InputBox::KeepString2},
};

struct SpecialButton {
  int button;
  int box;
};

constexpr SpecialButton kSpecialButtons[] = {
    {IDC_EDIT_INSERT_HEAD_SPECIAL, IDC_EDIT_INSERT_HEAD_TEXT},
    {IDC_EDIT_INSERT_END_SPECIAL, IDC_EDIT_INSERT_END_TEXT},
    {IDC_EDIT_INSERT_CURSOR_SPECIAL, IDC_EDIT_INSERT_CURSOR_TEXT},
    {IDC_EDIT_INSERT_STRING_SPECIAL, IDC_EDIT_INSERT_STRING},
    {IDC_EDIT_REPLACE_SPECIAL, IDC_EDIT_REPLACE_NEW},
    {IDC_EDIT_CHANGE_SPECIAL, IDC_EDIT_CHANGE_NEW_NAME_TEXT},
};

// What choosing a radio does beyond showing its own part: where the focus goes
// and whether the sample's mouse selection is dropped. Radios not listed (the
// Direction pairs, the case and Save choices) do neither.
struct ChoiceEffect {
  int radio;
  bool clearsSelection;
  int focus;  // 0: unchanged
};

constexpr ChoiceEffect kChoiceEffects[] = {
    {IDC_EDIT_REMOVE_STRINGS, true, IDC_EDIT_REMOVE_STRING1},
    {IDC_EDIT_REMOVE_ANYTHING, true, 0},
    {IDC_EDIT_KEEP_SOMETHING, true, 0},
    {IDC_EDIT_CLEAN_SYMBOLS, true, 0},
    {IDC_EDIT_ANYTHING_SELECTED, true, 0},
    {IDC_EDIT_ANYTHING_BETWEEN, true, 0},
    {IDC_EDIT_ANYTHING_NUMBERS, true, 0},
    {IDC_EDIT_KEEP_SELECTED, true, 0},
    // Keeping given strings needs no marked part, and a marked one is the
    // likeliest source of the string to keep.
    {IDC_EDIT_KEEP_STRINGS, false, 0},
    {IDC_EDIT_REPLACE_STRING, true, IDC_EDIT_REPLACE_OLD},
    {IDC_EDIT_REPLACE_SELECTED, true, IDC_EDIT_REPLACE_NEW},
    {IDC_EDIT_INSERT_TO_POSITION, false, IDC_EDIT_INSERT_HEAD_TEXT},
    {IDC_EDIT_INSERT_TO_STRING, true, IDC_EDIT_INSERT_EXISTING},
    {IDC_EDIT_CHANGE_NEW_NAME, true, IDC_EDIT_CHANGE_NEW_NAME_TEXT},
    {IDC_EDIT_CHANGE_CASE, false, 0},
    {IDC_EDIT_EXT_CHANGE, false, IDC_EDIT_EXT_NEW},
    {IDC_EDIT_EXT_CASE, false, 0},
};

}  // namespace

EditPanels::EditPanels() {
  for (const ControlDef& c : kControls) {
    Slot& slot = slots_[c.id];
    slot.text = c.design;
  }
  slots_[IDC_EDIT_SAVE_OTHER_TEXT].hint = kOtherTypesHint;
  whereItems_ = {u"BEFORE existing string", u"BEHIND existing string", u"BETWEEN two strings"};
  Show(EditRequest{});
}

EditPanels::Slot& EditPanels::At(int controlId) { return slots_[controlId]; }

bool EditPanels::IsChecked(int controlId) const {
  const auto it = slots_.find(controlId);
  return it != slots_.end() && it->second.checked;
}

std::vector<int> EditPanels::ControlIds() const {
  std::vector<int> ids;
  for (const ControlDef& c : kControls) ids.push_back(c.id);
  return ids;
}

bool EditPanels::Owns(int controlId) const { return Def(controlId) != nullptr; }

PanelControlKind EditPanels::Kind(int controlId) const {
  const ControlDef* c = Def(controlId);
  return c ? c->kind : K::Label;
}

// Whether the control's own rule shows it; its panel and groups count too (Visible).
bool EditPanels::OwnVisible(int id) const {
  for (const PanelMode& p : kPanels) {
    if (p.panel == id) return p.mode == mode_;
  }
  switch (id) {
    case IDC_EDIT_REMOVE_STRINGS_GROUP:
      return IsChecked(IDC_EDIT_REMOVE_STRINGS);
    case IDC_EDIT_REMOVE_ANYTHING_GROUP:
      return IsChecked(IDC_EDIT_REMOVE_ANYTHING);
    case IDC_EDIT_KEEP_GROUP:
      return IsChecked(IDC_EDIT_KEEP_SOMETHING);
    case IDC_EDIT_CLEAN_GROUP:
      return IsChecked(IDC_EDIT_CLEAN_SYMBOLS);
    case IDC_EDIT_ANYTHING_DIRECTION:
    case IDC_EDIT_ANYTHING_FROM_HEAD:
    case IDC_EDIT_ANYTHING_FROM_END:
      return IsChecked(IDC_EDIT_ANYTHING_SELECTED);
    case IDC_EDIT_ANYTHING_LEFT_LABEL:
    case IDC_EDIT_ANYTHING_LEFT:
    case IDC_EDIT_ANYTHING_RIGHT_LABEL:
    case IDC_EDIT_ANYTHING_RIGHT:
    case IDC_EDIT_ANYTHING_ALSO_BOUNDS:
      return IsChecked(IDC_EDIT_ANYTHING_BETWEEN);
    case IDC_EDIT_KEEP_DIRECTION:
    case IDC_EDIT_KEEP_FROM_HEAD:
    case IDC_EDIT_KEEP_FROM_END:
      return IsChecked(IDC_EDIT_KEEP_SELECTED);
    case IDC_EDIT_KEEP_STRING1_LABEL:
    case IDC_EDIT_KEEP_STRING1:
    case IDC_EDIT_KEEP_STRING2_LABEL:
    case IDC_EDIT_KEEP_STRING2:
    case IDC_EDIT_KEEP_ONLY_LEFTEST:
      return IsChecked(IDC_EDIT_KEEP_STRINGS);
    case IDC_EDIT_REPLACE_OLD_LABEL:
    case IDC_EDIT_REPLACE_OLD:
    case IDC_EDIT_REPLACE_CASE_SENSITIVE:
    case IDC_EDIT_REPLACE_ONLY_LEFTEST:
      return IsChecked(IDC_EDIT_REPLACE_STRING);
    case IDC_EDIT_REPLACE_DIRECTION:
    case IDC_EDIT_REPLACE_FROM_HEAD:
    case IDC_EDIT_REPLACE_FROM_END:
      return IsChecked(IDC_EDIT_REPLACE_SELECTED);
    case IDC_EDIT_INSERT_POSITION_GROUP:
      return IsChecked(IDC_EDIT_INSERT_TO_POSITION);
    case IDC_EDIT_INSERT_STRING_GROUP:
      return IsChecked(IDC_EDIT_INSERT_TO_STRING);
    case IDC_EDIT_INSERT_DIRECTION:
    case IDC_EDIT_INSERT_FROM_HEAD:
    case IDC_EDIT_INSERT_FROM_END:
      return IsChecked(IDC_EDIT_INSERT_CURSOR);
    case IDC_EDIT_INSERT_SECOND_LABEL:
    case IDC_EDIT_INSERT_SECOND:
      return SelectedIndex(IDC_EDIT_INSERT_WHERE) == int(InsertPosition::BETWEEN);
    case IDC_EDIT_CHANGE_NEW_NAME_LABEL:
    case IDC_EDIT_CHANGE_NEW_NAME_TEXT:
    case IDC_EDIT_CHANGE_SPECIAL:
      return IsChecked(IDC_EDIT_CHANGE_NEW_NAME);
    case IDC_EDIT_CHANGE_LOWER:
    case IDC_EDIT_CHANGE_UPPER:
    case IDC_EDIT_CHANGE_CAPITALIZE_WORDS:
    case IDC_EDIT_CHANGE_INCLUDE_EXTENSION:
      return IsChecked(IDC_EDIT_CHANGE_CASE);
    case IDC_EDIT_CHANGE_CAPITALIZE_FIRST:
      return IsChecked(IDC_EDIT_CHANGE_CASE) && IsChecked(IDC_EDIT_CHANGE_LOWER);
    case IDC_EDIT_EXT_CHANGE_GROUP:
      return IsChecked(IDC_EDIT_EXT_CHANGE);
    case IDC_EDIT_EXT_CASE_GROUP:
      return IsChecked(IDC_EDIT_EXT_CASE);
    case IDC_EDIT_SAVE_WEBPAGE:
      return IsChecked(IDC_EDIT_SAVE_ALL_LAYERS);
    case IDC_EDIT_SAVE_OTHER_TEXT:
      return IsChecked(IDC_EDIT_SAVE_OTHER);
    default:
      return true;
  }
}

// The view may place every control straight on the window, so a control shows
// only while everything it stands in shows too.
bool EditPanels::Visible(int id) const {
  for (const ControlDef* c = Def(id); c != nullptr; c = Def(c->parent)) {
    if (!OwnVisible(c->id)) return false;
  }
  return true;
}

ControlState EditPanels::State(int controlId) const {
  ControlState state;
  const auto it = slots_.find(controlId);
  if (it == slots_.end()) return state;
  state.visible = Visible(controlId);
  state.checked = it->second.checked;
  state.bold = Kind(controlId) == K::Radio && it->second.checked;
  state.text = it->second.text;
  if (controlId == IDC_EDIT_INSERT_WHERE) {
    const int index = it->second.index;
    state.text = index >= 0 && index < int(whereItems_.size()) ? whereItems_[std::size_t(index)] : u"";
  }
  return state;
}

std::u16string EditPanels::Hint(int controlId) const {
  const auto it = slots_.find(controlId);
  return it == slots_.end() ? std::u16string() : it->second.hint;
}

std::vector<std::u16string> EditPanels::Items(int controlId) const {
  return controlId == IDC_EDIT_INSERT_WHERE ? whereItems_ : std::vector<std::u16string>{};
}

int EditPanels::SelectedIndex(int controlId) const {
  if (controlId != IDC_EDIT_INSERT_WHERE) return -1;
  const auto it = slots_.find(controlId);
  return it == slots_.end() ? -1 : it->second.index;
}

void EditPanels::ShowPanelOf(std::u16string_view mode) { mode_ = mode; }

int EditPanels::PanelTop(bool scopeGroupShown, bool chosenFiles) const {
  constexpr int kSavePanelTop = 88;
  constexpr int kChosenFilesTop = 137;
  constexpr int kChosenFilesChangeTop = 140;
  constexpr int kBelowScopeGroup = 3;
  if (mode_ == EditMode::kSaveAll) return kSavePanelTop;
  if (chosenFiles || !scopeGroupShown) return mode_ == EditMode::kChange ? kChosenFilesChangeTop : kChosenFilesTop;
  return kScopeGroupBottom + kBelowScopeGroup;
}

void EditPanels::Choose(int radioId) {
  const FieldBinding* chosen = BindingOf(radioId);
  if (chosen == nullptr || chosen->kind != Bind::Choice) return;
  for (const FieldBinding& b : kBindings) {
    if (b.kind == Bind::Choice && b.field == chosen->field) At(b.id).checked = b.id == radioId;
  }
}

PanelEffect EditPanels::RadioEffect(int radioId) {
  PanelEffect effect;
  for (const ChoiceEffect& e : kChoiceEffects) {
    if (e.radio != radioId) continue;
    effect.clearSampleSelection = e.clearsSelection;
    if (e.focus != 0) effect.focus = e.focus;
  }
  if (radioId == IDC_EDIT_REMOVE_STRINGS) lastInputBox_ = InputBox::RemoveString1;
  return effect;
}

PanelEffect EditPanels::Command(int controlId) {
  if (Kind(controlId) == K::Radio && Owns(controlId)) {
    Choose(controlId);
    return RadioEffect(controlId);
  }
  if (controlId == IDC_EDIT_REMOVE_CLEAR_ALL) {
    for (const int box : {IDC_EDIT_REMOVE_STRING1, IDC_EDIT_REMOVE_STRING2, IDC_EDIT_REMOVE_STRING3}) {
      At(box).text.clear();
    }
    lastInputBox_ = InputBox::RemoveString1;
    return {true, IDC_EDIT_REMOVE_STRING1};
  }
  return {};
}

PanelEffect EditPanels::Checked(int controlId, bool checked) {
  const K kind = Kind(controlId);
  if (!Owns(controlId)) return {};
  if (kind == K::Radio) return checked ? Command(controlId) : PanelEffect{};
  if (kind != K::CheckBox) return {};
  At(controlId).checked = checked;
  if (!checked) return {};
  switch (controlId) {
    case IDC_EDIT_INSERT_HEAD:
      return {false, IDC_EDIT_INSERT_HEAD_TEXT};
    case IDC_EDIT_INSERT_END:
      return {false, IDC_EDIT_INSERT_END_TEXT};
    case IDC_EDIT_INSERT_CURSOR:
      return {false, IDC_EDIT_INSERT_CURSOR_TEXT};
    default:
      return {};
  }
}

PanelEffect EditPanels::TextChanged(int controlId, std::u16string_view text) {
  const K kind = Kind(controlId);
  if (!Owns(controlId) || (kind != K::Edit && kind != K::TemplateCombo)) return {};
  At(controlId).text = text;
  // The text to insert is often typed after marking where it goes; a marked
  // part left standing would be taken for a selected-part edit's input.
  if (controlId == IDC_EDIT_INSERT_STRING) return {true, std::nullopt};
  return {};
}

PanelEffect EditPanels::SelectionChanged(int controlId, int index) {
  if (controlId == IDC_EDIT_INSERT_WHERE) {
    if (index >= 0 && index < int(whereItems_.size())) At(controlId).index = index;
    return {};
  }
  if (Kind(controlId) == K::TemplateCombo && Owns(controlId) && index >= 0 && index < int(history_.size())) {
    return TextChanged(controlId, history_[std::size_t(index)]);
  }
  return {};
}

bool EditPanels::InputBoxPressed(int controlId) {
  for (const PressedBox& p : kInputBoxes) {
    if (p.id == controlId) {
      lastInputBox_ = p.box;
      return true;
    }
  }
  return false;
}

bool EditPanels::ClickClearsSelection(int controlId) const {
  if (controlId == IDC_EDIT_CHANGE_NEW_NAME_TEXT) return true;
  return std::any_of(std::begin(kInputBoxes), std::end(kInputBoxes),
                     [controlId](const PressedBox& p) { return p.id == controlId; });
}

std::optional<int> EditPanels::AutoCopyTarget() const {
  const InputBox last = lastInputBox_;
  if (mode_ == EditMode::kRemove) {
    if (IsChecked(IDC_EDIT_REMOVE_STRINGS)) {
      if (last == InputBox::RemoveString2) return IDC_EDIT_REMOVE_STRING2;
      if (last == InputBox::RemoveString3) return IDC_EDIT_REMOVE_STRING3;
      return IDC_EDIT_REMOVE_STRING1;
    }
    if (IsChecked(IDC_EDIT_REMOVE_ANYTHING) && IsChecked(IDC_EDIT_ANYTHING_BETWEEN)) {
      return last == InputBox::Right ? IDC_EDIT_ANYTHING_RIGHT : IDC_EDIT_ANYTHING_LEFT;
    }
    if (IsChecked(IDC_EDIT_CLEAN_SYMBOLS)) {
      return last == InputBox::AlsoErase ? IDC_EDIT_CLEAN_ERASE_TEXT : IDC_EDIT_CLEAN_KEEP_OTHER_TEXT;
    }
    if (IsChecked(IDC_EDIT_KEEP_SOMETHING) && IsChecked(IDC_EDIT_KEEP_STRINGS)) {
      return last == InputBox::KeepString2 ? IDC_EDIT_KEEP_STRING2 : IDC_EDIT_KEEP_STRING1;
    }
    return std::nullopt;
  }
  if (mode_ == EditMode::kReplace && IsChecked(IDC_EDIT_REPLACE_STRING)) return IDC_EDIT_REPLACE_OLD;
  if (mode_ == EditMode::kChange && IsChecked(IDC_EDIT_CHANGE_NEW_NAME)) return IDC_EDIT_CHANGE_NEW_NAME_TEXT;
  if (mode_ == EditMode::kInsert && IsChecked(IDC_EDIT_INSERT_TO_STRING)) {
    const bool between = SelectedIndex(IDC_EDIT_INSERT_WHERE) == int(InsertPosition::BETWEEN);
    return between && last == InputBox::SecondString ? IDC_EDIT_INSERT_SECOND : IDC_EDIT_INSERT_EXISTING;
  }
  return std::nullopt;
}

void EditPanels::SetText(int controlId, std::u16string_view text) {
  const K kind = Kind(controlId);
  if (Owns(controlId) && (kind == K::Edit || kind == K::TemplateCombo)) At(controlId).text = text;
}

std::u16string EditPanels::Text(int controlId) const {
  const auto it = slots_.find(controlId);
  return it == slots_.end() ? std::u16string() : it->second.text;
}

std::optional<int> EditPanels::FirstFocus() {
  if (mode_ == EditMode::kRemove) {
    // Opening on the Remove panel starts the automatic copies afresh in the
    // first remove string, whatever box took them last time.
    lastInputBox_ = InputBox::RemoveString1;
    if (IsChecked(IDC_EDIT_REMOVE_STRINGS)) return IDC_EDIT_REMOVE_STRING1;
    return std::nullopt;
  }
  if (mode_ == EditMode::kReplace) {
    return IsChecked(IDC_EDIT_REPLACE_STRING) ? IDC_EDIT_REPLACE_OLD : IDC_EDIT_REPLACE_NEW;
  }
  if (mode_ == EditMode::kInsert) {
    return IsChecked(IDC_EDIT_INSERT_TO_POSITION) ? IDC_EDIT_INSERT_HEAD_TEXT : IDC_EDIT_INSERT_EXISTING;
  }
  if (mode_ == EditMode::kChange && IsChecked(IDC_EDIT_CHANGE_NEW_NAME)) return IDC_EDIT_CHANGE_NEW_NAME_TEXT;
  if (mode_ == EditMode::kExtension && IsChecked(IDC_EDIT_EXT_CHANGE)) return IDC_EDIT_EXT_NEW;
  return std::nullopt;
}

std::optional<int> EditPanels::SpecialTarget(int buttonId) const {
  for (const SpecialButton& s : kSpecialButtons) {
    if (s.button == buttonId) return s.box;
  }
  return std::nullopt;
}

void EditPanels::SetHistory(std::vector<std::u16string> entries) {
  history_ = std::move(entries);
  ++historyVersion_;
}

void EditPanels::ReadInto(EditRequest& request) const {
  CliRequest cli;
  cli.request = request;
  for (const FieldBinding& b : kBindings) {
    std::optional<std::u16string> value;
    switch (b.kind) {
      case Bind::Check:
        value = IsChecked(b.id) ? u"1" : u"0";
        break;
      case Bind::Text:
        value = Text(b.id);
        break;
      case Bind::Choice:
        if (IsChecked(b.id)) value = std::u16string(b.value);
        break;
      case Bind::ListIndex: {
        const int index = SelectedIndex(b.id);
        if (index >= 0 && index < int(b.items.size())) value = std::u16string(b.items[std::size_t(index)]);
        break;
      }
    }
    // A refused value (a text longer than any name, or a pasted line break)
    // leaves the field as the request held it; the input checks judge the rest.
    if (value) static_cast<void>(SetField(cli, b.field, *value));
  }
  request = std::move(cli.request);
}

void EditPanels::Show(const EditRequest& request) {
  CliRequest cli;
  cli.request = request;
  for (const FieldBinding& b : kBindings) {
    const std::optional<std::u16string> value = FieldValue(cli, b.field);
    if (!value) continue;
    Slot& slot = At(b.id);
    switch (b.kind) {
      case Bind::Check:
        slot.checked = *value == u"1";
        break;
      case Bind::Text:
        slot.text = *value;
        break;
      case Bind::Choice:
        slot.checked = EqualsIgnoringAsciiCase(*value, b.value);
        break;
      case Bind::ListIndex:
        for (std::size_t i = 0; i < b.items.size(); ++i) {
          if (EqualsIgnoringAsciiCase(*value, b.items[i])) slot.index = int(i);
        }
        break;
    }
  }
}

std::optional<int> EditPanels::ControlOfField(std::u16string_view fieldName) {
  for (const FieldBinding& b : kBindings) {
    if (EqualsIgnoringAsciiCase(b.field, fieldName)) return b.id;
  }
  return std::nullopt;
}

void EditPanels::ApplyTexts(const TextLookup& texts) {
  for (const ControlDef& c : kControls) {
    if (c.text != 0) At(c.id).text = texts.Lookup(c.text);
    if (c.hint != 0) At(c.id).hint = texts.Lookup(c.hint);
  }
  whereItems_ = {texts.Lookup(118), texts.Lookup(119), texts.Lookup(120)};
  // Filling the list anew leaves it on its first item, as it always has.
  At(IDC_EDIT_INSERT_WHERE).index = int(InsertPosition::BEFORE);
}

}  // namespace renamora::ui

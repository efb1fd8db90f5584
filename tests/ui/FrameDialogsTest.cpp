// The folder add option dialog and the quick start window: choices, results, texts,
// the step split, the place rule and the "Show next time" setting.
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/Settings.h"
#include "app/SettingsFile.h"
#include "app/StringTable.h"
#include "support/TempFolder.h"
#include "ui/ControlIds.h"
#include "ui/frame/AddOptionDialog.h"
#include "ui/frame/QuickStart.h"

namespace renamora::ui {
namespace {

// A table whose texts are marked by the language, so a re-applied text shows.
class TaggedTexts final : public TextLookup {
 public:
  std::u16string Lookup(MessageId id) const override { return tag + StringTable::BuiltIn().Lookup(id); }
  std::u16string tag;
};

TEST(AddOptionDialog, ResultsAndTheBoldChoice) {
  using Steps = std::function<void(AddOptionController&)>;
  struct Row {
    const char* label;
    Steps steps;
    std::optional<int> result;
    bool option1Bold;
  };
  const Row rows[] = {
      {"OK at once", [](AddOptionController& d) { d.Command(IDC_ADD_OK); }, 1, true},
      {"second option, Enter",
       [](AddOptionController& d) {
         d.Command(IDC_ADD_OPTION2);
         d.Accept();
       },
       2, false},
      {"double-click on the second option", [](AddOptionController& d) { d.DoubleClicked(IDC_ADD_OPTION2); }, 2,
       false},
      {"double-click on the note does nothing", [](AddOptionController& d) { d.DoubleClicked(IDC_ADD_NOTE); },
       std::nullopt, true},
      {"Cancel after a choice",
       [](AddOptionController& d) {
         d.Command(IDC_ADD_OPTION2);
         d.Command(IDC_ADD_CANCEL);
       },
       0, false},
      {"close box", [](AddOptionController& d) { d.CancelDialog(); }, 0, true},
      {"back to the first", [](AddOptionController& d) {
         d.Command(IDC_ADD_OPTION2);
         d.Command(IDC_ADD_OPTION1);
         d.Command(IDC_ADD_OK);
       },
       1, true},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.label);
    StringTable texts;
    AddOptionController dialog(texts);
    dialog.Showing();
    row.steps(dialog);
    EXPECT_EQ(dialog.CloseResult(), row.result);
    EXPECT_EQ(dialog.State(IDC_ADD_OPTION1).bold, row.option1Bold);
    EXPECT_EQ(dialog.State(IDC_ADD_OPTION1).checked, row.option1Bold);
    EXPECT_EQ(dialog.State(IDC_ADD_OPTION2).bold, !row.option1Bold);
    EXPECT_EQ(dialog.State(IDC_ADD_OPTION2).checked, !row.option1Bold);
  }
}

// Texts are applied at a showing only while the applied flag is clear; a new
// showing forgets the last result but keeps the choice.
TEST(AddOptionDialog, TextsFollowTheAppliedFlag) {
  TaggedTexts texts;
  AddOptionController dialog(texts);
  struct Row {
    const char* label;
    std::u16string language;
    bool languageChanged;
    std::u16string expectedPrefix;
  };
  const Row rows[] = {
      {"first showing", u"A:", false, u"A:"},
      {"language switched, flag still set", u"B:", false, u"A:"},
      {"flag cleared by the change", u"B:", true, u"B:"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.label);
    texts.tag = row.language;
    if (row.languageChanged) dialog.LanguageChanged();
    dialog.Command(IDC_ADD_OPTION2);
    dialog.Command(IDC_ADD_OK);
    dialog.Showing();
    EXPECT_EQ(dialog.CloseResult(), std::nullopt);
    EXPECT_EQ(dialog.SelectedOption(), 2);
    EXPECT_EQ(dialog.Caption(), row.expectedPrefix + StringTable::BuiltIn().Lookup(225));
    const std::pair<int, MessageId> controls[] = {{IDC_ADD_OPTION1, 226}, {IDC_ADD_OPTION2, 227}, {IDC_ADD_NOTE, 228},
                                                  {IDC_ADD_OK, 34},       {IDC_ADD_CANCEL, 224}};
    for (const auto& [id, message] : controls) {
      EXPECT_EQ(dialog.State(id).text, row.expectedPrefix + StringTable::BuiltIn().Lookup(message));
    }
  }
}

TEST(QuickStart, StepTextSplit) {
  struct Row {
    const char* label;
    std::u16string text;
    StepText expected;
  };
  const std::u16string step1 = StringTable::BuiltIn().Lookup(17);
  const Row rows[] = {
      {"message 017", step1, {u"STEP 1:", step1.substr(step1.find(u"Click"))}},
      {"blanks around the body", u"STEP 2:   Do it  ", {u"STEP 2:", u"Do it"}},
      {"full-width colon", u"步骤1\uFF1A 点击", {u"步骤1\uFF1A", u"点击"}},
      {"ASCII colon first", u"A\uFF1AB: C", {u"A\uFF1AB:", u"C"}},
      {"no separator", u"Just do it", {u"STEP 1", u"Just do it"}},
      {"separator at the start", u": body", {u"STEP 1", u": body"}},
      {"separator second", u"S: body", {u"S:", u"body"}},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.label);
    EXPECT_EQ(SplitStepText(row.text, u"STEP 1"), row.expected);
  }
}

TEST(QuickStart, PlaceRules) {
  struct Row {
    const char* label;
    ScreenRect main, panel, list;
    int width, height;
    ScreenPoint expected;
  };
  const Row rows[] = {
      {"even", {100, 50, 800, 600}, {120, 40, 600, 500}, {0, 30, 600, 470}, 400, 270, {320, 220}},
      {"odd difference rounds down", {0, 0, 800, 600}, {10, 10, 0, 0}, {0, 0, 401, 301}, 200, 100, {110, 110}},
      {"wider than the list rounds toward zero", {0, 0, 800, 600}, {10, 10, 0, 0}, {0, 0, 101, 101}, 200, 200,
       {10 - 49, 10 - 49}},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.label);
    EXPECT_EQ(QuickStartCentredPlace(row.main, row.panel, row.list, row.width, row.height), row.expected);
  }
  EXPECT_EQ(QuickStartInitialPlace({100, 50, 800, 600}, 120, 60), (ScreenPoint{350, 180}));
}

// Placed and given its texts at the first showing only; the box's state goes to
// the settings file and to the options dialog.
TEST(QuickStart, ShownOnceAndShowNextTimeStored) {
  StringTable texts;
  auto fs = MakeSystemFileSystem();
  auto locale = MakeSystemLocale();
  test::TempFolder data(*fs);
  SettingsFile settings(*fs, *locale, data / u"Settings.ini");
  QuickStartController window(texts, settings);
  std::vector<bool> told;
  window.onShowNextTime = [&](bool on) { told.push_back(on); };
  EXPECT_EQ(std::vector<bool>({window.Showing(), window.Showing()}), (std::vector<bool>{true, false}));
  const std::pair<int, std::u16string> controls[] = {{IDC_QS_HEADER1, u"STEP 1:"},
                                                     {IDC_QS_HEADER3, u"STEP 3:"},
                                                     {IDC_QS_BODY2, u"Make your favorite editing choice"},
                                                     {IDC_QS_SHOW_NEXT, texts.Lookup(327)}};
  for (const auto& [id, text] : controls) EXPECT_EQ(window.State(id).text, text);
  EXPECT_TRUE(window.State(IDC_QS_SHOW_NEXT).checked);
  for (const bool checked : {false, true}) {
    SCOPED_TRACE(checked);
    window.Checked(IDC_QS_SHOW_NEXT, checked);
    EXPECT_EQ(settings.Read().Value(SettingsKey::kOption, SettingsKey::kShowguide), checked ? u"1" : u"0");
    EXPECT_EQ(window.State(IDC_QS_SHOW_NEXT).checked, checked);
  }
  EXPECT_EQ(told, (std::vector<bool>{false, true}));
}

}  // namespace
}  // namespace renamora::ui

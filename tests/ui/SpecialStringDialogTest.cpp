// The special-string dialog: tokens, what Cancel keeps and restores, the box rules and the token's insertion.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "app/StringTable.h"
#include "base/text/NumberText.h"
#include "support/Fakes.h"
#include "ui/ControlIds.h"
#include "ui/edit/SpecialStringDialog.h"

namespace renamora::ui {
namespace {

using test::RecordingPrompter;

// Today is always 5 March 2024 here.
class FixedClock final : public Clock {
 public:
  FileTime Now() const override { return 1234; }
  std::int64_t UnixSeconds() const override { return 0; }
  LocalTime ToLocalTime(FileTime utc) const override {
    return utc == 1234 ? LocalTime{2024, 3, 5, 9, 0, 0} : LocalTime{1999, 12, 31, 0, 0, 0};
  }
};

struct Dialog {
  Dialog() : controller({texts, prompter, clock, [this] { ++helps; }}) {}
  std::u16string Text(MessageId id) const { return StringTable::BuiltIn().Lookup(id); }

  StringTable texts;
  RecordingPrompter prompter;
  FixedClock clock;
  int helps = 0;
  SpecialStringController controller;
};

using Steps = std::function<void(SpecialStringController&)>;

TEST(SpecialStringDialog, TokenOfTheChoice) {
  struct Row {
    const char* label;
    Steps steps;
    int targetCount;
    std::u16string token;
  };
  auto choose = [](int id) {
    return [id](SpecialStringController& d) {
      d.Checked(id, true);
      d.Command(IDC_SS_OK);
    };
  };
  const Row rows[] = {
      {"numbers, 250 items", choose(IDC_SS_NUMBERS), 250, u"$$$"},
      {"numbers, 40 items", choose(IDC_SS_NUMBERS), 40, u"$$"},
      {"numbers, 1000 items", choose(IDC_SS_NUMBERS), 1000, u"$$$$"},
      {"numbers, 999 items", choose(IDC_SS_NUMBERS), 999, u"$$$"},
      {"numbers, 100 items", choose(IDC_SS_NUMBERS), 100, u"$$$"},
      {"numbers, 99 items", choose(IDC_SS_NUMBERS), 99, u"$$"},
      {"numbers, 1 item", choose(IDC_SS_NUMBERS), 1, u"$$"},
      {"numbers, empty list", choose(IDC_SS_NUMBERS), 0, u"$$$"},
      {"today, first format", choose(IDC_SS_TODAY), 5, u"20240305"},
      {"today, fifth format",
       [](SpecialStringController& d) {
         d.Checked(IDC_SS_TODAY, true);
         d.SelectionChanged(IDC_SS_DATES, 4);
         d.Command(IDC_SS_OK);
       },
       5, u"03-05-2024"},
      {"random", choose(IDC_SS_RANDOM), 5, u"%6%"},
      {"file date", choose(IDC_SS_FILE_DATE), 5, u"@@"},
      {"file size", choose(IDC_SS_FILE_SIZE), 5, u"##"},
      {"folder name", choose(IDC_SS_FOLDER), 5, u"%%"},
      {"letters", choose(IDC_SS_LETTERS), 5, u"{a}"},
      {"capital letters",
       [](SpecialStringController& d) {
         d.Checked(IDC_SS_LETTERS, true);
         d.Checked(IDC_SS_LETTER_UPPER, true);
         d.Command(IDC_SS_OK);
       },
       5, u"{A}"},
      {"Enter acts as OK",
       [](SpecialStringController& d) {
         d.Checked(IDC_SS_FILE_SIZE, true);
         d.Accept();
       },
       5, u"##"},
      {"Cancel inserts nothing",
       [](SpecialStringController& d) {
         d.Checked(IDC_SS_FILE_SIZE, true);
         d.Command(IDC_SS_CANCEL);
       },
       5, u""},
      {"close box inserts nothing", [](SpecialStringController& d) { d.CancelDialog(); }, 5, u""},
      {"OK queued behind Cancel changes nothing",
       [](SpecialStringController& d) {
         d.Command(IDC_SS_CANCEL);
         d.Command(IDC_SS_OK);
       },
       5, u""},
      {"switched off at OK",
       [](SpecialStringController& d) {
         d.Checked(IDC_SS_ENABLED, false);
         d.Command(IDC_SS_OK);
       },
       5, u""},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.label);
    Dialog dialog;
    dialog.controller.Showing();
    row.steps(dialog.controller);
    EXPECT_EQ(dialog.controller.Token(row.targetCount), row.token);
  }
}

// Across two showings: what Cancel brings back, what it keeps, and what OK keeps.
TEST(SpecialStringDialog, CancelRestoresTheSwitchAndTheStartNumber) {
  struct Row {
    const char* label;
    Steps first;   // the first showing
    Steps second;  // the second showing
    int start;
    bool enabled;
    SpecialChoice choice;
    std::u16string token;  // for 40 items
  };
  auto typeFifty = [](SpecialStringController& d) { d.TextChanged(IDC_SS_START, u"50"); };
  const Row rows[] = {
      {"Cancel after 1 -> 50",
       [&](SpecialStringController& d) {
         typeFifty(d);
         d.Command(IDC_SS_CANCEL);
       },
       [](SpecialStringController& d) { d.Command(IDC_SS_OK); }, 1, true, SpecialChoice::SequentialNumbers, u"$$"},
      {"Esc after 1 -> 50",
       [&](SpecialStringController& d) {
         typeFifty(d);
         d.CancelDialog();
       },
       [](SpecialStringController& d) { d.Command(IDC_SS_OK); }, 1, true, SpecialChoice::SequentialNumbers, u"$$"},
      {"OK after 1 -> 50",
       [&](SpecialStringController& d) {
         typeFifty(d);
         d.Command(IDC_SS_OK);
       },
       [](SpecialStringController& d) { d.Command(IDC_SS_OK); }, 50, true, SpecialChoice::SequentialNumbers, u"$$"},
      {"OK keeps 50, a later Cancel keeps it too",
       [&](SpecialStringController& d) {
         typeFifty(d);
         d.Command(IDC_SS_OK);
       },
       [](SpecialStringController& d) {
         d.TextChanged(IDC_SS_START, u"7");
         d.Command(IDC_SS_CANCEL);
       },
       50, true, SpecialChoice::None, u""},
      {"Cancel after another choice keeps the choice for the next OK",
       [](SpecialStringController& d) {
         d.Checked(IDC_SS_FOLDER, true);
         d.Command(IDC_SS_CANCEL);
       },
       [](SpecialStringController& d) { d.Command(IDC_SS_OK); }, 1, true, SpecialChoice::FolderName, u"%%"},
      {"Cancel after switching off",
       [](SpecialStringController& d) {
         d.Checked(IDC_SS_ENABLED, false);
         d.Command(IDC_SS_CANCEL);
       },
       [](SpecialStringController& d) { d.Command(IDC_SS_OK); }, 1, true, SpecialChoice::SequentialNumbers, u"$$"},
      {"OK switched off stays off",
       [](SpecialStringController& d) {
         d.Checked(IDC_SS_ENABLED, false);
         d.Command(IDC_SS_OK);
       },
       [](SpecialStringController& d) { d.Command(IDC_SS_OK); }, 1, false, SpecialChoice::NotUsed, u""},
      {"Cancel keeps the random classes",
       [](SpecialStringController& d) {
         d.Checked(IDC_SS_RANDOM, true);
         d.Checked(IDC_SS_RANDOM_DIGITS, false);
         d.Command(IDC_SS_CANCEL);
       },
       [](SpecialStringController& d) { d.Command(IDC_SS_OK); }, 1, true, SpecialChoice::Random, u"%6%"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.label);
    Dialog dialog;
    SpecialStringController& d = dialog.controller;
    d.Showing();
    row.first(d);
    d.Showing();
    row.second(d);
    EXPECT_EQ(d.CloseResult().has_value(), true);
    EXPECT_EQ(d.Settings().StartNumber, row.start);
    EXPECT_EQ(d.State(IDC_SS_START).text, NumberText(row.start, 1));
    EXPECT_EQ(d.Settings().Enabled, row.enabled);
    EXPECT_EQ(d.State(IDC_SS_ENABLED).checked, row.enabled);
    EXPECT_EQ(d.DialogChoice(), row.choice);
    EXPECT_EQ(d.Token(40), row.token);
  }
  Dialog dialog;
  dialog.controller.Showing();
  dialog.controller.Checked(IDC_SS_RANDOM, true);
  dialog.controller.Checked(IDC_SS_RANDOM_DIGITS, false);
  dialog.controller.Command(IDC_SS_CANCEL);
  EXPECT_EQ(dialog.controller.Settings().RandomDigits, false);
}

TEST(SpecialStringDialog, StartNumberBox) {
  struct Row {
    const char* label;
    std::u16string typed;
    std::u16string shown;
    int value;
    std::vector<std::u16string> messages;  // caption, then text
    PromptIcon icon;
    bool focus;
  };
  const Dialog texts;
  const std::u16string maximum = texts.Text(277) + u" 10000.";
  const Row rows[] = {
      {"a number", u"50", u"50", 50, {}, PromptIcon::Warning, false},
      {"zero", u"0", u"0", 0, {}, PromptIcon::Warning, false},
      {"the maximum", u"10000", u"10000", 10000, {}, PromptIcon::Warning, false},
      {"above the maximum", u"20000", u"10000", 10000, {texts.Text(295), maximum}, PromptIcon::Warning, false},
      {"one above", u"10001", u"10000", 10000, {texts.Text(295), maximum}, PromptIcon::Warning, false},
      {"more digits than an int", u"99999999999999", u"10000", 10000, {texts.Text(295), maximum},
       PromptIcon::Warning, false},
      {"a letter", u"a", u"7", 7, {texts.Text(296), texts.Text(278)}, PromptIcon::Warning, true},
      {"a letter after digits", u"7a", u"7", 7, {texts.Text(296), texts.Text(278)}, PromptIcon::Warning, true},
      {"empty", u"", u"7", 7, {texts.Text(296), texts.Text(278)}, PromptIcon::Warning, true},
      {"a sign", u"-3", u"7", 7, {texts.Text(296), texts.Text(278)}, PromptIcon::Warning, true},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.label);
    Dialog dialog;
    SpecialStringController& d = dialog.controller;
    d.Showing();
    d.TextChanged(IDC_SS_START, u"7");
    d.TakeFocusRequest();
    d.TextChanged(IDC_SS_START, row.typed);
    EXPECT_EQ(d.State(IDC_SS_START).text, row.shown);
    EXPECT_EQ(d.Settings().StartNumber, row.value);
    std::vector<std::u16string> shown;
    for (const auto& record : dialog.prompter.shown) {
      shown.push_back(record.caption);
      shown.push_back(record.text);
      EXPECT_EQ(record.icon, row.icon);
    }
    EXPECT_EQ(shown, row.messages);
    const auto focus = d.TakeFocusRequest();
    EXPECT_EQ(focus.has_value(), row.focus);
    if (focus) {
      EXPECT_EQ(focus->controlId, IDC_SS_START);
    }
  }
}

TEST(SpecialStringDialog, StartNumberArrows) {
  struct Row {
    const char* label;
    std::u16string start;
    int delta;
    std::u16string shown;
    std::size_t messages;
  };
  const Row rows[] = {
      {"up", u"1", 1, u"2", 0},          {"down", u"1", -1, u"0", 0},
      {"not below 0", u"0", -1, u"0", 0}, {"not above the maximum", u"10000", 1, u"10000", 0},
      {"up to the maximum", u"9999", 1, u"10000", 0},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.label);
    Dialog dialog;
    SpecialStringController& d = dialog.controller;
    d.Showing();
    d.TextChanged(IDC_SS_START, row.start);
    d.StepStartNumber(row.delta);
    EXPECT_EQ(d.State(IDC_SS_START).text, row.shown);
    EXPECT_EQ(dialog.prompter.shown.size(), row.messages);
  }
}

TEST(SpecialStringDialog, RandomClassesKeepOneOn) {
  struct Row {
    const char* label;
    std::vector<std::pair<int, bool>> clicks;
    bool upper, lower, digits;
    std::size_t messages;
  };
  const Row rows[] = {
      {"one off", {{IDC_SS_RANDOM_UPPER, false}}, false, true, true, 0},
      {"two off", {{IDC_SS_RANDOM_UPPER, false}, {IDC_SS_RANDOM_LOWER, false}}, false, false, true, 0},
      {"the last one comes back",
       {{IDC_SS_RANDOM_UPPER, false}, {IDC_SS_RANDOM_LOWER, false}, {IDC_SS_RANDOM_DIGITS, false}},
       false,
       false,
       true,
       1},
      {"off and on again",
       {{IDC_SS_RANDOM_UPPER, false}, {IDC_SS_RANDOM_LOWER, false}, {IDC_SS_RANDOM_LOWER, true},
        {IDC_SS_RANDOM_DIGITS, false}},
       false,
       true,
       false,
       0},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.label);
    Dialog dialog;
    SpecialStringController& d = dialog.controller;
    d.Showing();
    d.Checked(IDC_SS_RANDOM, true);
    for (const auto& [id, on] : row.clicks) d.Checked(id, on);
    EXPECT_EQ(d.Settings().RandomUpper, row.upper);
    EXPECT_EQ(d.Settings().RandomLower, row.lower);
    EXPECT_EQ(d.Settings().RandomDigits, row.digits);
    EXPECT_EQ(d.State(IDC_SS_RANDOM_DIGITS).checked, row.digits);
    ASSERT_EQ(dialog.prompter.shown.size(), row.messages);
    if (row.messages == 1) {
      EXPECT_EQ(dialog.prompter.shown[0].icon, PromptIcon::Information);
      EXPECT_EQ(dialog.prompter.shown[0].caption, dialog.Text(295));
      EXPECT_EQ(dialog.prompter.shown[0].text, dialog.Text(283));
    }
  }
}

// The chosen kind is bold and checked, and only its own boxes are enabled.
TEST(SpecialStringDialog, ChoiceBoldAndItsBoxes) {
  const int radios[] = {IDC_SS_NUMBERS, IDC_SS_TODAY,  IDC_SS_FILE_DATE, IDC_SS_FILE_SIZE,
                        IDC_SS_FOLDER,  IDC_SS_RANDOM, IDC_SS_LETTERS};
  struct Row {
    const char* label;
    int chosen;
    bool dates, random, letterUpper;
  };
  const Row rows[] = {
      {"numbers", IDC_SS_NUMBERS, false, false, false}, {"today", IDC_SS_TODAY, true, false, false},
      {"file date", IDC_SS_FILE_DATE, false, false, false}, {"random", IDC_SS_RANDOM, false, true, false},
      {"letters", IDC_SS_LETTERS, false, false, true},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.label);
    Dialog dialog;
    SpecialStringController& d = dialog.controller;
    d.Showing();
    d.Checked(IDC_SS_TODAY, true);  // a choice before, which the row's replaces
    d.Checked(row.chosen, true);
    for (const int id : radios) {
      EXPECT_EQ(d.State(id).bold, id == row.chosen) << id;
      EXPECT_EQ(d.State(id).checked, id == row.chosen) << id;
    }
    EXPECT_EQ(d.State(IDC_SS_DATES).enabled, row.dates);
    for (const int id : {IDC_SS_RANDOM_UPPER, IDC_SS_RANDOM_LOWER, IDC_SS_RANDOM_DIGITS}) {
      EXPECT_EQ(d.State(id).enabled, row.random) << id;
    }
    EXPECT_EQ(d.State(IDC_SS_LETTER_UPPER).enabled, row.letterUpper);
    EXPECT_EQ(d.State(IDC_SS_START).enabled, true);
  }
}

TEST(SpecialStringDialog, DateRenderings) {
  struct Row {
    const char* label;
    LocalTime date;
    std::vector<std::u16string> expected;
  };
  const Row rows[] = {
      {"5 March 2024",
       {2024, 3, 5},
       {u"20240305", u"2024-03-05", u"2024.03.05", u"03052024", u"03-05-2024", u"03.05.2024", u"05032024",
        u"05-03-2024", u"05.03.2024"}},
      {"31 December 1999",
       {1999, 12, 31},
       {u"19991231", u"1999-12-31", u"1999.12.31", u"12311999", u"12-31-1999", u"12.31.1999", u"31121999",
        u"31-12-1999", u"31.12.1999"}},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.label);
    EXPECT_EQ(DateRenderings(row.date), row.expected);
  }
}

// The list holds today's dates from the clock, filled at the first showing only.
TEST(SpecialStringDialog, DateListFilledOnce) {
  Dialog dialog;
  SpecialStringController& d = dialog.controller;
  EXPECT_EQ(d.Dates().empty(), true);
  d.Showing();
  ASSERT_EQ(d.Dates().size(), 9u);
  EXPECT_EQ(d.Dates()[0], u"20240305");
  EXPECT_EQ(d.Dates()[8], u"05.03.2024");
  EXPECT_EQ(d.DateSelection(), 0);
  d.SelectionChanged(IDC_SS_DATES, 2);
  d.Command(IDC_SS_OK);
  d.Showing();
  EXPECT_EQ(d.Dates().size(), 9u);
  EXPECT_EQ(d.DateSelection(), 2);
}

// Texts: the built-in design texts first, the active table's from the first showing.
TEST(SpecialStringDialog, TextsAtTheFirstShowing) {
  class Tagged final : public TextLookup {
   public:
    std::u16string Lookup(MessageId id) const override { return u"T:" + StringTable::BuiltIn().Lookup(id); }
  };
  struct Row {
    const char* label;
    int id;
    std::u16string text;
  };
  const std::u16string tag = u"T:";
  const StringTable builtIn;
  const Row rows[] = {
      {"switch", IDC_SS_ENABLED, tag + builtIn.Lookup(188)},
      {"first mark", IDC_SS_MARK1, u"1."},
      {"last mark", IDC_SS_MARK7, u"7."},
      {"letters' case box", IDC_SS_LETTER_UPPER, tag + builtIn.Lookup(44)},
      {"random upper", IDC_SS_RANDOM_UPPER, tag + builtIn.Lookup(44)},
      {"date note", IDC_SS_DATE_NOTE, tag + builtIn.Lookup(187)},
      {"OK", IDC_SS_OK, tag + builtIn.Lookup(34)},
      {"start box", IDC_SS_START, u"1"},
  };
  Tagged texts;
  RecordingPrompter prompter;
  FixedClock clock;
  SpecialStringController d({texts, prompter, clock, nullptr});
  EXPECT_EQ(d.Caption(), builtIn.Lookup(41));
  d.Showing();
  EXPECT_EQ(d.Caption(), tag + builtIn.Lookup(41));
  for (const Row& row : rows) {
    SCOPED_TRACE(row.label);
    EXPECT_EQ(d.State(row.id).text, row.text);
  }
  EXPECT_EQ(d.State(IDC_SS_HELP).visible, false);
  d.Command(IDC_SS_HELP);  // no help command: nothing happens
}

TEST(SpecialStringDialog, HelpButtonRunsTheHelpCommand) {
  Dialog dialog;
  dialog.controller.Showing();
  dialog.controller.Command(IDC_SS_HELP);
  EXPECT_EQ(dialog.helps, 1);
  EXPECT_EQ(dialog.controller.CloseResult().has_value(), false);
}

TEST(SpecialStringDialog, InsertToken) {
  struct Row {
    const char* label;
    std::u16string box;
    std::size_t start, length;
    std::u16string token;
    std::u16string text;
    std::size_t caret;
  };
  const Row rows[] = {
      {"at the caret", u"IMG_", 4, 0, u"$$$", u"IMG_$$$", 7},
      {"at the start", u"IMG", 0, 0, u"@@", u"@@IMG", 2},
      {"in the middle", u"ab", 1, 0, u"##", u"a##b", 3},
      {"over the selection", u"photo-old", 6, 3, u"{a}", u"photo-{a}", 9},
      {"over all", u"xyz", 0, 3, u"%%", u"%%", 2},
      {"into an empty box", u"", 0, 0, u"%6%", u"%6%", 3},
      {"selection past the end", u"abc", 2, 10, u"$$", u"ab$$", 4},
      {"caret past the end", u"abc", 9, 0, u"$$", u"abc$$", 5},
      {"empty token keeps the selected text", u"abc", 1, 1, u"", u"abc", 1},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.label);
    const TokenInsertion result = InsertToken(row.box, row.start, row.length, row.token);
    EXPECT_EQ(result.text, row.text);
    EXPECT_EQ(result.caret, row.caret);
  }
}

}  // namespace
}  // namespace renamora::ui

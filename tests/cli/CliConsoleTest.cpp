// Tests of the console's message boxes and progress line.
#include "cli/CliConsole.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

namespace renamora::cli {
namespace {

const char* Name(PromptAnswer answer) {
  static const char* const kNames[] = {"Ok", "Cancel", "Yes", "No"};
  return kNames[static_cast<int>(answer)];
}

// A terminal whose user types the given lines, then ends the input.
struct TypedLines {
  std::vector<std::string> lines;
  std::size_t read = 0;
  std::function<std::optional<std::string>()> Reader() {
    return [this]() -> std::optional<std::string> {
      if (read >= lines.size()) {
        ++read;
        return std::nullopt;
      }
      return lines[read++];
    };
  }
};

TEST(ConsolePrompterTest, AnswersByPolicyWithoutReading) {
  using P = PromptButtons;
  using A = PromptAnswer;
  struct Row {
    AnswerPolicy policy;
    bool interactive;
    PromptButtons buttons;
    PromptAnswer answer;
    std::string err;
  };
  const Row rows[] = {
      {AnswerPolicy::Yes, false, P::Ok, A::Ok, "Note: Go?\n"},
      {AnswerPolicy::No, false, P::Ok, A::Ok, "Note: Go?\n"},
      {AnswerPolicy::Ask, true, P::Ok, A::Ok, "Note: Go?\n"},
      {AnswerPolicy::Yes, false, P::OkCancel, A::Ok, "Note: Go? [OK]\n"},
      {AnswerPolicy::Yes, true, P::YesNo, A::Yes, "Note: Go? [Yes]\n"},
      {AnswerPolicy::Yes, false, P::YesNoCancel, A::Yes, "Note: Go? [Yes]\n"},
      {AnswerPolicy::No, true, P::OkCancel, A::Cancel, "Note: Go? [Cancel]\n"},
      {AnswerPolicy::No, false, P::YesNo, A::No, "Note: Go? [No]\n"},
      // The No of Yes/No/Cancel goes ahead without saving; declining changes nothing.
      {AnswerPolicy::No, false, P::YesNoCancel, A::Cancel, "Note: Go? [Cancel]\n"},
      {AnswerPolicy::Ask, false, P::OkCancel, A::Cancel, "Note: Go? [Cancel]\n"},
      {AnswerPolicy::Ask, false, P::YesNo, A::No, "Note: Go? [No]\n"},
      {AnswerPolicy::Ask, false, P::YesNoCancel, A::Cancel, "Note: Go? [Cancel]\n"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.err);
    std::ostringstream err;
    int reads = 0;
    ConsolePrompter prompter(err, row.policy, row.interactive, [&]() -> std::optional<std::string> {
      ++reads;
      return "y";
    });
    EXPECT_EQ(Name(prompter.Show(PromptIcon::Question, row.buttons, u"Note", u"Go?")), Name(row.answer));
    EXPECT_EQ(err.str(), row.err);
    EXPECT_EQ(reads, 0);
    const bool question = row.buttons != P::Ok;
    EXPECT_EQ(prompter.Questions(), question ? 1 : 0);
    EXPECT_EQ(prompter.Declined(), row.answer == A::Cancel || row.answer == A::No ? 1 : 0);
  }
}

TEST(ConsolePrompterTest, ReadsTheAnswerOnATerminalUntilItIsOne) {
  using P = PromptButtons;
  using A = PromptAnswer;
  struct Row {
    PromptButtons buttons;
    std::vector<std::string> typed;
    PromptAnswer answer;
    std::string err;
  };
  const Row rows[] = {
      {P::OkCancel, {"y"}, A::Ok, "Q: Go? [ok/cancel] "},
      {P::OkCancel, {" OK "}, A::Ok, "Q: Go? [ok/cancel] "},
      {P::OkCancel, {"n"}, A::Cancel, "Q: Go? [ok/cancel] "},
      {P::OkCancel, {"Cancel"}, A::Cancel, "Q: Go? [ok/cancel] "},
      {P::YesNo, {"o"}, A::Yes, "Q: Go? [yes/no] "},
      {P::YesNo, {"c"}, A::No, "Q: Go? [yes/no] "},
      {P::YesNoCancel, {"NO"}, A::No, "Q: Go? [yes/no/cancel] "},
      {P::YesNoCancel, {"c"}, A::Cancel, "Q: Go? [yes/no/cancel] "},
      {P::YesNo, {"maybe", "", "Yes"}, A::Yes, "Q: Go? [yes/no] Please answer [yes/no] Please answer [yes/no] "},
      // An end of input echoes nothing, so its answer is written out.
      {P::OkCancel, {}, A::Cancel, "Q: Go? [ok/cancel] [Cancel]\n"},
      {P::YesNo, {}, A::No, "Q: Go? [yes/no] [No]\n"},
      {P::YesNoCancel, {"yess"}, A::Cancel, "Q: Go? [yes/no/cancel] Please answer [yes/no/cancel] [Cancel]\n"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.err);
    std::ostringstream err;
    TypedLines terminal{row.typed};
    ConsolePrompter prompter(err, AnswerPolicy::Ask, true, terminal.Reader());
    EXPECT_EQ(Name(prompter.Show(PromptIcon::Question, row.buttons, u"Q", u"Go?")), Name(row.answer));
    EXPECT_EQ(err.str(), row.err);
    EXPECT_EQ(terminal.read, row.typed.size() + (row.err.back() == '\n' ? 1 : 0));
    EXPECT_EQ(prompter.Declined(), row.answer == A::Cancel || row.answer == A::No ? 1 : 0);
  }
}

TEST(ConsolePrompterTest, WritesEachMessageAsOneUtf8Line) {
  struct Row {
    std::u16string caption;
    std::u16string text;
    std::string err;
  };
  const Row rows[] = {
      {u"Error", u"Line one\r\nLine two\n\nend\n", "Error: Line one Line two end\n"},
      {u"", u"Only text", "Only text\n"},
      {u"Fehler \u00e4", u"\U0001F600 x", "Fehler \xC3\xA4: \xF0\x9F\x98\x80 x\n"},
      {u"Bad", u"name \xDCE9", "Bad: name \xEF\xBF\xBD\n"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.err);
    std::ostringstream err;
    ConsolePrompter prompter(err, AnswerPolicy::Ask, false, nullptr);
    prompter.Inform(row.caption, row.text);
    EXPECT_EQ(err.str(), row.err);
  }
}

TEST(ConsoleProgressTest, DisabledWritesNothingAndStillRunsTheJob) {
  std::ostringstream err;
  ConsoleProgress progress(err, false);
  bool ran = false;
  progress.RunProgressJob([&] {
    progress.BatchStarted(2);
    progress.ItemRenamed(u"a", u"b");
    progress.ItemRenamed(u"c", u"d");
    ran = true;
  });
  EXPECT_TRUE(ran);
  EXPECT_EQ(err.str(), "");
}

TEST(ConsoleProgressTest, RedrawsOneLineAndClearsItWhenTheJobEnds) {
  struct Row {
    const char* label;
    std::vector<std::u16string> names;
    std::string err;
  };
  const std::string longName(100, 'a');
  const Row rows[] = {
      {"shorter line padded over the longer", {u"b.txt", u"c"},
       "\r[1/2] b.txt\r[2/2] c    \r" + std::string(11, ' ') + "\r"},
      {"cut to the line's width", {std::u16string(100, u'a')},
       "\r[1/1] " + std::string(61, 'a') + "...\r" + std::string(70, ' ') + "\r"},
      {"non-BMP counts as one column", {u"\U0001F600\U0001F600", u"x"},
       "\r[1/2] \xF0\x9F\x98\x80\xF0\x9F\x98\x80\r[2/2] x \r" + std::string(8, ' ') + "\r"},
      {"control characters cannot move the cursor", {u"a\nb\x1b"}, "\r[1/1] a?b?\r" + std::string(10, ' ') + "\r"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.label);
    std::ostringstream err;
    ConsoleProgress progress(err, true);
    progress.RunProgressJob([&] {
      progress.BatchStarted(row.names.size());
      for (const auto& name : row.names) progress.ItemRenamed(u"old", name);
    });
    EXPECT_EQ(err.str(), row.err);
  }
}

TEST(ConsoleProgressTest, AMessageWipesTheProgressLineFirst) {
  std::ostringstream err;
  ConsoleProgress progress(err, true);
  ConsolePrompter prompter(err, AnswerPolicy::No, false, nullptr);
  progress.RunProgressJob([&] {
    progress.BatchStarted(2);
    progress.ItemRenamed(u"a", u"b");
    prompter.Inform(u"Rename error", u"c");
    progress.ItemRenamed(u"c", u"d");
  });
  EXPECT_EQ(err.str(), "\r[1/2] b\r       \rRename error: c\n\r[2/2] d\r       \r");
}

TEST(ConsoleProgressTest, ABigBatchIsRedrawnOncePerThousandth) {
  std::ostringstream err;
  ConsoleProgress progress(err, true);
  progress.RunProgressJob([&] {
    progress.BatchStarted(3000);
    for (int i = 0; i < 3000; ++i) progress.ItemRenamed(u"a", u"b");
  });
  const std::string out = err.str();
  std::size_t redraws = 0;
  for (std::size_t at = out.find("\r["); at != std::string::npos; at = out.find("\r[", at + 1)) ++redraws;
  EXPECT_EQ(redraws, 1001u);
  EXPECT_NE(out.find("\r[3000/3000] b"), std::string::npos);
}

}  // namespace
}  // namespace renamora::cli

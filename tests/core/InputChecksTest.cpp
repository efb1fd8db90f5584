// The checks and confirmations of each edit with the built-in English texts, and
// their place in a real run.
#include "core/InputChecks.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "base/Paths.h"
#include "base/text/Utf.h"
#include "core/NameChecks.h"
#include "support/Fakes.h"
#include "support/TempFolder.h"

namespace renamora {
namespace {

using Names = std::vector<std::u16string>;
using Fill = std::function<void(EditRequest&)>;
constexpr std::u16string_view kScope = u"and changes will affect: All files names(oen layer), continue?";

Fill Mode(std::u16string_view mode, Fill more) {
  return [mode, more](EditRequest& r) {
    r.Mode = std::u16string(mode);
    more(r);
  };
}

class InputChecksTest : public testing::Test {
 protected:
  InputChecksTest() { program.TargetFolder = u"C:\\Photos\\"; }

  // A fresh command on a fresh request; nothing of the last row carries over.
  bool Check(const Fill& setup, bool preview = false) {
    request = EditRequest{};
    request.Sample = {u"Holiday 2020", 8, 4, 0};
    setup(request);
    prompter.shown.clear();
    run.PreviewMode = preview;
    return checks.CheckAndConfirm(request, run, program);
  }

  StringTable texts;
  test::RecordingPrompter prompter;
  RunOptions options;
  SpecialStringSettings special;
  std::vector<EditRequest> listings;
  RenameInputChecks checks{texts, prompter, options, special, [this](const EditRequest& r) { listings.push_back(r); }};
  EditRequest request;
  RunState run;
  ProgramState program;
};

TEST(ScopeClauseText, FolderScopeSubfoldersAndPreview) {
  struct Row {
    std::u16string folder;
    TargetScope scope;
    bool subfolders, preview;
    std::u16string expected;
  };
  const Row rows[] = {
      {u"C:\\P\\", TargetScope::AllFiles, false, false, std::u16string(kScope)},
      {u"C:\\P\\", TargetScope::CheckedFiles, true, false,
       u"and changes will affect: Only Checked files names(Include Subfolders), continue?"},
      {u"C:\\P\\", TargetScope::Folders, false, true, u"and changes will affect: Only folders names, continue Preview?"},
      {u"", TargetScope::AllFiles, false, false, u"continue?"},
      {u"", TargetScope::AllFiles, true, false, u"(Include Subfolders)continue?"},
  };
  StringTable texts;
  for (const Row& row : rows) {
    SCOPED_TRACE(ToUtf8Lossy(row.expected));
    EditRequest r;
    r.Scope = row.scope;
    r.IncludeSubfolders = row.subfolders;
    ProgramState p;
    p.TargetFolder = row.folder;
    EXPECT_EQ(ScopeClause(r, p, row.preview, texts), row.expected);
  }
}

TEST_F(InputChecksTest, RefusedInputShowsItsMessagesFocusesItsBoxAndRunsNothing) {
  const std::u16string kSymbols = u"Please select or input special symbols ";
  const std::u16string kForbidden = ForbiddenCharactersText(texts);
  struct Row {
    const char* name;
    Fill setup;
    Names messages;
    std::optional<FocusBox> focus;
  };
  const Row rows[] = {
      {"remove strings all empty", Mode(EditMode::kRemove, [](EditRequest&) {}),
       {u"Please select or input string to be removed."}, FocusBox::RemoveString1},
      {"remove selected nothing", Mode(EditMode::kRemove, [](EditRequest& r) {
         r.Remove.RemoveKind = RemoveChoice::RemoveAnything;
         r.Sample.SelectionLength = 0;
       }),
       {u"You have not selected anything, please mouse-select the part you want to remove."}, std::nullopt},
      {"between without left", Mode(EditMode::kRemove, [](EditRequest& r) {
         r.Remove.RemoveKind = RemoveChoice::RemoveAnything;
         r.Remove.AnythingKind = AnythingChoice::BetweenStrings;
         r.Remove.RightString = u"]";
       }),
       {u"Please select or input strings to define limitation."}, FocusBox::LeftString},
      {"between without right", Mode(EditMode::kRemove, [](EditRequest& r) {
         r.Remove.RemoveKind = RemoveChoice::RemoveAnything;
         r.Remove.AnythingKind = AnythingChoice::BetweenStrings;
         r.Remove.LeftString = u"[";
       }),
       {u"Please select or input strings to define limitation."}, FocusBox::RightString},
      {"clean: erase box empty", Mode(EditMode::kRemove, [](EditRequest& r) {
         r.Remove.RemoveKind = RemoveChoice::CleanSymbols;
         r.Remove.CleanAlsoErase = true;
       }),
       {kSymbols + u"to be removed"}, FocusBox::CleanErase},
      {"clean: keep box empty", Mode(EditMode::kRemove, [](EditRequest& r) {
         r.Remove.RemoveKind = RemoveChoice::CleanSymbols;
         r.Remove.CleanKeepOther = true;
       }),
       {kSymbols + u"not to be removed"}, FocusBox::CleanKeepOther},
      {"clean: erase box filled, keep box empty", Mode(EditMode::kRemove, [](EditRequest& r) {
         r.Remove.RemoveKind = RemoveChoice::CleanSymbols;
         r.Remove.CleanAlsoErase = true;
         r.Remove.CleanEraseText = u"~";
         r.Remove.CleanKeepOther = true;
       }),
       {kSymbols + u"not to be removed"}, FocusBox::CleanKeepOther},
      {"keep selected nothing", Mode(EditMode::kRemove, [](EditRequest& r) {
         r.Remove.RemoveKind = RemoveChoice::KeepSomething;
         r.Sample.SelectionLength = 0;
       }),
       {u"You have not selected anything, please mouse-select the part you want to keep."}, std::nullopt},
      {"keep strings both empty", Mode(EditMode::kRemove, [](EditRequest& r) {
         r.Remove.RemoveKind = RemoveChoice::KeepSomething;
         r.Remove.KeepKind = KeepChoice::GivenStrings;
       }),
       {u"Please select or input strings to define limitation."}, FocusBox::KeepString1},
      {"replace without old string", Mode(EditMode::kReplace, [](EditRequest& r) { r.Replace.NewTemplate = u"y"; }),
       {u"Please input the old part of file name"}, FocusBox::OldString},
      {"replace: forbidden new string", Mode(EditMode::kReplace, [](EditRequest& r) {
         r.Replace.OldString = u"x";
         r.Replace.NewTemplate = u"a/b";
       }),
       {kForbidden}, std::nullopt},
      {"replace selected nothing", Mode(EditMode::kReplace, [](EditRequest& r) {
         r.Replace.ReplaceKind = ReplaceChoice::ReplaceSelected;
         r.Sample.SelectionLength = 0;
       }),
       {u"You have not selected anything, please mouse-select the part you want to replace."}, std::nullopt},
      {"replace selected: forbidden new string", Mode(EditMode::kReplace, [](EditRequest& r) {
         r.Replace.ReplaceKind = ReplaceChoice::ReplaceSelected;
         r.Replace.NewTemplate = u"a|b";
       }),
       {kForbidden}, std::nullopt},
      {"insert at cursor without cursor", Mode(EditMode::kInsert, [](EditRequest& r) {
         r.Insert.AtCursor = true;
         r.Insert.CursorTemplate = u"x";
       }),
       {u"You selected CURSOR position, so mouse-point the position (in old filename) you want to insert."},
       std::nullopt},
      {"insert without position", Mode(EditMode::kInsert, [](EditRequest&) {}),
       {u"You have not selected insert position, please select one or more checkboxs."}, std::nullopt},
      {"insert: head and cursor boxes empty", Mode(EditMode::kInsert, [](EditRequest& r) {
         r.Insert.AtHead = r.Insert.AtEnd = r.Insert.AtCursor = true;
         r.Insert.EndTemplate = u"e";
         r.Sample.CursorPosition = 3;
       }),
       {u"Please type text in HEAD box to insert string.", u"Please type text in CURSOR box to insert string."},
       FocusBox::CursorTemplate},
      {"insert: random token too big", Mode(EditMode::kInsert, [](EditRequest& r) {
         r.Insert.AtEnd = true;
         r.Insert.EndTemplate = u"%200%";
       }),
       {u"200 is too big. Max random string digits is 100."}, std::nullopt},
      {"insert to string without existing", Mode(EditMode::kInsert, [](EditRequest& r) {
         r.Insert.InsertKind = InsertChoice::ToString;
         r.Insert.InsertTemplate = u"x";
       }),
       {u"Please specify the existing string"}, FocusBox::ExistingString},
      {"insert between without second", Mode(EditMode::kInsert, [](EditRequest& r) {
         r.Insert.InsertKind = InsertChoice::ToString;
         r.Insert.ExistingString = u"a";
         r.Insert.Where = InsertPosition::BETWEEN;
         r.Insert.InsertTemplate = u"x";
       }),
       {u"Please specify the second string"}, FocusBox::SecondString},
      {"insert to string without text", Mode(EditMode::kInsert, [](EditRequest& r) {
         r.Insert.InsertKind = InsertChoice::ToString;
         r.Insert.ExistingString = u"a";
       }),
       {u"Please specify the string which you want to insert"}, FocusBox::InsertTemplate},
      {"change without new name", Mode(EditMode::kChange, [](EditRequest&) {}), {u"Please input new name"},
       FocusBox::NewName},
      {"change: forbidden new name", Mode(EditMode::kChange, [](EditRequest& r) { r.Change.NewNameTemplate = u"a*b"; }),
       {kForbidden}, std::nullopt},
      {"extension of folders", Mode(EditMode::kExtension, [](EditRequest& r) { r.Scope = TargetScope::Folders; }),
       {u"folder or subfolder name have no extension."}, std::nullopt},
      {"extension of this folder", Mode(EditMode::kExtension, [](EditRequest& r) { r.Scope = TargetScope::ThisFolder; }),
       {u"folder or subfolder name have no extension."}, std::nullopt},
      {"extension: forbidden new", Mode(EditMode::kExtension, [](EditRequest& r) { r.Extension.NewExtension = u"j<g"; }),
       {kForbidden}, std::nullopt},
  };
  for (const Row& row : rows) {
    for (bool preview : {false, true}) {
      SCOPED_TRACE(std::string(row.name) + (preview ? " (preview)" : ""));
      EXPECT_FALSE(Check(row.setup, preview));
      EXPECT_EQ(prompter.Texts(), row.messages);
      for (const auto& shown : prompter.shown) {
        EXPECT_EQ(shown.caption, u"Information");
        EXPECT_EQ(shown.icon, PromptIcon::Information);
        EXPECT_EQ(shown.buttons, PromptButtons::Ok);
      }
      EXPECT_EQ(checks.LastFocus(), row.focus);
    }
  }
}

TEST_F(InputChecksTest, ConfirmationTextsAndWhenTheyAreAsked) {
  const std::u16string scope(kScope);
  struct Row {
    const char* name;
    Fill setup;
    std::u16string text;
  };
  const Row rows[] = {
      {"remove strings", Mode(EditMode::kRemove, [](EditRequest& r) { r.Remove.Strings = {u"abc", u"", u"def"}; }),
       u"It will remove the strings of 'abc' and 'def'(case insensitive), " + scope},
      {"remove strings, case sensitive", Mode(EditMode::kRemove, [](EditRequest& r) {
         r.Remove.Strings = {u"", u"b", u""};
         r.Remove.CaseSensitive = true;
       }),
       u"It will remove the strings of 'b'(case sensitive), " + scope},
      {"remove selected", Mode(EditMode::kRemove, [](EditRequest& r) {
         r.Remove.RemoveKind = RemoveChoice::RemoveAnything;
         r.Remove.SelectionFromEnd = true;
       }),
       u"It will remove the part at the position(From End) - '2020' " + scope},
      {"remove between", Mode(EditMode::kRemove, [](EditRequest& r) {
         r.Remove.RemoveKind = RemoveChoice::RemoveAnything;
         r.Remove.AnythingKind = AnythingChoice::BetweenStrings;
         r.Remove.LeftString = u"[";
         r.Remove.RightString = u"]";
       }),
       u"It will remove the strings of between '[' and ']' " + scope},
      {"remove numbers", Mode(EditMode::kRemove, [](EditRequest& r) {
         r.Remove.RemoveKind = RemoveChoice::RemoveAnything;
         r.Remove.AnythingKind = AnythingChoice::AllNumbers;
       }),
       u"Remove all numbers, " + scope},
      {"clean", Mode(EditMode::kRemove, [](EditRequest& r) { r.Remove.RemoveKind = RemoveChoice::CleanSymbols; }),
       u"It will clean symbols, continue?"},
      {"keep selected", Mode(EditMode::kRemove, [](EditRequest& r) {
         r.Remove.RemoveKind = RemoveChoice::KeepSomething;
         r.Sample.SelectionStart = 0;
       }),
       u"It will KEEP the part at the position(From Head) - 'Holi' " + scope},
      {"keep second string only", Mode(EditMode::kRemove, [](EditRequest& r) {
         r.Remove.RemoveKind = RemoveChoice::KeepSomething;
         r.Remove.KeepKind = KeepChoice::GivenStrings;
         r.Remove.KeepStrings = {u"", u"b"};
       }),
       u"It will KEEP the string of 'b' " + scope},
      {"keep both strings", Mode(EditMode::kRemove, [](EditRequest& r) {
         r.Remove.RemoveKind = RemoveChoice::KeepSomething;
         r.Remove.KeepKind = KeepChoice::GivenStrings;
         r.Remove.KeepStrings = {u"a", u"b"};
       }),
       u"It will KEEP the string of 'a' and 'b' " + scope},
      {"replace string", Mode(EditMode::kReplace, [](EditRequest& r) {
         r.Replace.OldString = u"x";
         r.Replace.NewTemplate = u"y";
         r.Replace.CaseSensitive = true;
       }),
       u"It will replace the old strings 'x'(Case sensitive) by new string 'y' " + scope},
      {"replace selected from end", Mode(EditMode::kReplace, [](EditRequest& r) {
         r.Replace.ReplaceKind = ReplaceChoice::ReplaceSelected;
         r.Replace.SelectionFromEnd = true;
         r.Replace.NewTemplate = u"y";
       }),
       u"It will replace the part at the position (from End) of '2020' " + scope},
      {"insert head and end", Mode(EditMode::kInsert, [](EditRequest& r) {
         r.Insert.AtHead = r.Insert.AtEnd = true;
         r.Insert.HeadTemplate = u"A";
         r.Insert.EndTemplate = u"B";
       }),
       u"It will insert 'A' to the HEAD of all filenames,\n 'B' to the END of all filenames,\n" + scope},
      {"insert at cursor 1 from head", Mode(EditMode::kInsert, [](EditRequest& r) {
         r.Insert.AtCursor = true;
         r.Insert.CursorTemplate = u"X";
         r.Sample.CursorPosition = 1;
       }),
       u"It will insert 'X' to the HEAD of all filenames,\n" + scope},
      {"insert after the last character from end", Mode(EditMode::kInsert, [](EditRequest& r) {
         r.Insert.AtCursor = r.Insert.CursorFromEnd = true;
         r.Insert.CursorTemplate = u"X";
         r.Sample.CursorPosition = 13;
       }),
       u"It will insert 'X' to the END of all filenames,\n" + scope},
      {"insert at cursor from head", Mode(EditMode::kInsert, [](EditRequest& r) {
         r.Insert.AtCursor = true;
         r.Insert.CursorTemplate = u"X";
         r.Sample.CursorPosition = 5;
       }),
       u"It will insert 'X' to the position BEHIND the part of 'Holi'\n" + scope},
      {"insert at cursor from end", Mode(EditMode::kInsert, [](EditRequest& r) {
         r.Insert.AtCursor = r.Insert.CursorFromEnd = true;
         r.Insert.CursorTemplate = u"X";
         r.Sample.CursorPosition = 5;
       }),
       u"It will insert 'X' to the position BEFORE the part of 'day 2020'\n" + scope},
      {"insert to string", Mode(EditMode::kInsert, [](EditRequest& r) {
         r.Insert.InsertKind = InsertChoice::ToString;
         r.Insert.ExistingString = u"day";
         r.Insert.Where = InsertPosition::BEHIND;
         r.Insert.InsertTemplate = u"X";
       }),
       u"It will insert 'X' to the position \nBEHIND existing string of 'day',\n" + scope},
      {"change name", Mode(EditMode::kChange, [](EditRequest& r) { r.Change.NewNameTemplate = u"pic$$"; }),
       u"It will change filenames to 'pic$$' " + scope},
      {"convert case", Mode(EditMode::kChange, [](EditRequest& r) {
         r.Change.ChangeKind = ChangeChoice::ConvertCase;
         r.Change.CaseKind = CaseChoice::CapitalizeWords;
       }),
       u"It will convert full name to Capitalize every word, " + scope},
      {"change extension", Mode(EditMode::kExtension, [](EditRequest& r) {
         r.Extension.OldExtension = u"jpg";
         r.Extension.NewExtension = u"png";
       }),
       u"This will change filenames extention, from 'jpg' to 'png',\n" + scope},
      {"change all extensions", Mode(EditMode::kExtension, [](EditRequest& r) {
         r.Extension.NewExtension = u"png";
         r.Extension.ReplaceAllTypes = true;
       }),
       u"It will change ALL extention part to 'png',\n" + scope},
      {"convert extension case", Mode(EditMode::kExtension, [](EditRequest& r) {
         r.Extension.ExtensionKind = ExtensionChoice::ConvertExtensionCase;
         r.Extension.ExtensionUpper = true;
       }),
       u"This will convert filenames extention case to 'UPPERCASE',\n" + scope},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    options.Confirm = true;
    EXPECT_TRUE(Check(row.setup));
    ASSERT_EQ(prompter.shown.size(), 1u);
    EXPECT_EQ(prompter.shown[0].text, row.text);
    EXPECT_EQ(prompter.shown[0].caption, u"Confirmation");
    EXPECT_EQ(prompter.shown[0].icon, PromptIcon::Question);
    EXPECT_EQ(prompter.shown[0].buttons, PromptButtons::OkCancel);

    prompter.answers = {PromptAnswer::Cancel};
    EXPECT_FALSE(Check(row.setup));
    EXPECT_EQ(prompter.shown.size(), 1u);

    EXPECT_TRUE(Check(row.setup, true));  // a preview asks no confirmation
    EXPECT_TRUE(prompter.shown.empty());
    options.Confirm = false;
    EXPECT_TRUE(Check(row.setup));
    EXPECT_TRUE(prompter.shown.empty());
  }
}

TEST_F(InputChecksTest, EmptyReplacementIsAskedWhateverTheOptions) {
  const std::u16string scope(kScope);
  const Fill replaceString = Mode(EditMode::kReplace, [](EditRequest& r) { r.Replace.OldString = u"x"; });
  const Fill replaceCaseSensitive = Mode(EditMode::kReplace, [](EditRequest& r) {
    r.Replace.OldString = u"x";
    r.Replace.CaseSensitive = true;
  });
  const Fill replaceSelected =
      Mode(EditMode::kReplace, [](EditRequest& r) { r.Replace.ReplaceKind = ReplaceChoice::ReplaceSelected; });
  const Fill noExtension = Mode(EditMode::kExtension, [](EditRequest& r) { r.Extension.NewExtension = u"..."; });
  const std::u16string replaced = u"The 'New part' box is empty, this will REMOVE the old part ";
  const std::u16string removed = u"The 'New extention' box is empty, this will REMOVE extention from original filenames,\n";
  struct Row {
    const char* name;
    Fill setup;
    bool confirm, preview;
    PromptAnswer answer;
    std::u16string question;
    bool runs;
    std::optional<FocusBox> focus;
  };
  const Row rows[] = {
      {"replace, OK", replaceString, false, false, PromptAnswer::Ok, replaced + u"'x'(case insensitive), " + scope,
       true, std::nullopt},
      {"replace, OK with Confirm on", replaceString, true, false, PromptAnswer::Ok,
       replaced + u"'x'(case insensitive), " + scope, true, std::nullopt},
      {"replace, Cancel", replaceString, true, false, PromptAnswer::Cancel,
       replaced + u"'x'(case insensitive), " + scope, false, FocusBox::NewString},
      {"replace in a preview", replaceString, true, true, PromptAnswer::Ok,
       replaced + u"'x'(case insensitive), and changes will affect: All files names(oen layer), continue Preview?",
       true, std::nullopt},
      {"replace, case sensitive", replaceCaseSensitive, false, false, PromptAnswer::Ok,
       replaced + u"'x'(Case sensitive), continue?", true, std::nullopt},
      {"replace selected, OK", replaceSelected, true, false, PromptAnswer::Ok, replaced + u"'2020', continue?", true,
       std::nullopt},
      {"replace selected, Cancel in a preview", replaceSelected, false, true, PromptAnswer::Cancel,
       replaced + u"'2020', continue?", false, FocusBox::NewString},
      {"extension, OK", noExtension, true, false, PromptAnswer::Ok, removed + scope, true, std::nullopt},
      {"extension, Cancel", noExtension, false, false, PromptAnswer::Cancel, removed + scope, false,
       FocusBox::NewExtension},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    options.Confirm = row.confirm;
    prompter.answers = {row.answer};
    EXPECT_EQ(Check(row.setup, row.preview), row.runs);
    EXPECT_EQ(prompter.Texts(), Names{row.question});  // the only question
    EXPECT_EQ(checks.LastFocus(), row.focus);
    EXPECT_EQ(request.Extension.NewExtension, u"");  // "..." means no extension
  }
}

TEST(ExtensionBoxes, PreparedAsTheRunReadsThem) {
  struct Row {
    std::u16string typed, box, run;  // typed; shown after the check; read by the run
  };
  const Row rows[] = {{u"..jpg", u"jpg", u".jpg"},   {u"jpg..", u"jpg", u".jpg"},  {u"..txt.", u"txt", u".txt"},
                      {u"...", u".", u""},           {u"..", u".", u""},           {u".", u".", u""},
                      {u"", u"", u""},               {u".png", u".png", u".png"},  {u"...jpg", u".jpg", u".jpg"},
                      {u"....jpg", u"jpg", u".jpg"}, {u"tar.gz", u"tar.gz", u".tar.gz"}};
  for (const Row& row : rows) {
    SCOPED_TRACE(ToUtf8Lossy(row.typed));
    EXPECT_EQ(NormaliseNewExtension(row.typed), row.box);
    EXPECT_EQ(PrepareNewExtension(row.typed), row.run);
  }
  EXPECT_EQ(PrepareOldExtension(u"jpg"), u".jpg");
  EXPECT_EQ(PrepareOldExtension(u".gif"), u".gif");
  EXPECT_EQ(PrepareOldExtension(u""), u"");
}

TEST_F(InputChecksTest, ExtensionBoxesGetTheirDotOnlyWhenTheRunGoesAhead) {
  struct Row {
    const char* name;
    bool confirm;
    PromptAnswer answer;
    bool runs;
    std::u16string oldBox, newBox;
    std::optional<FocusBox> focus;
  };
  const Row rows[] = {
      {"no confirmation", false, PromptAnswer::Ok, true, u".JPG", u".png", std::nullopt},
      {"confirmed", true, PromptAnswer::Ok, true, u".JPG", u".png", std::nullopt},
      {"declined", true, PromptAnswer::Cancel, false, u"JPG", u"png", FocusBox::NewExtension},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    options.Confirm = row.confirm;
    prompter.answers = {row.answer};
    EXPECT_EQ(Check(Mode(EditMode::kExtension,
                         [](EditRequest& r) {
                           r.Extension.OldExtension = u"JPG";
                           r.Extension.NewExtension = u"..png.";
                         })),
              row.runs);
    EXPECT_EQ(request.Extension.OldExtension, row.oldBox);
    EXPECT_EQ(request.Extension.NewExtension, row.newBox);
    EXPECT_EQ(checks.LastFocus(), row.focus);
  }
}

TEST_F(InputChecksTest, SaveStartsTheListingWithPreviewOff) {
  struct Row {
    const char* name;
    Fill setup;
    bool preview;
    Names messages;
    bool listed;
    std::optional<FocusBox> focus;
  };
  const Row rows[] = {
      {"all types", Mode(EditMode::kSaveAll, [](EditRequest&) {}), false, {}, true, std::nullopt},
      {"preview saves", Mode(EditMode::kSaveAll, [](EditRequest&) {}), true, {}, true, std::nullopt},
      {"subfolder names ignore the types", Mode(EditMode::kSaveAll, [](EditRequest& r) {
         r.Save.Content = SaveContent::NamesOnly;
         r.Save.SpecialTypes = true;
       }),
       false, {}, true, std::nullopt},
      {"special types, none ticked", Mode(EditMode::kSaveAll, [](EditRequest& r) { r.Save.SpecialTypes = true; }), true,
       {u"You selected to save special types filename, please select at least one box of file types."}, false,
       std::nullopt},
      {"other types without a list", Mode(EditMode::kSaveAll, [](EditRequest& r) {
         r.Save.SpecialTypes = r.Save.Music = r.Save.Other = true;
       }),
       false, {u"You selected to save other types filename, please define file types in edit box."}, false,
       FocusBox::OtherTypes},
      {"special types", Mode(EditMode::kSaveAll, [](EditRequest& r) { r.Save.SpecialTypes = r.Save.Picture = true; }),
       false, {}, true, std::nullopt},
  };
  options.Confirm = true;  // Save asks nothing all the same
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    listings.clear();
    EXPECT_FALSE(Check(row.setup, row.preview));  // the listing replaces the rename run
    EXPECT_FALSE(run.PreviewMode);
    EXPECT_EQ(prompter.Texts(), row.messages);
    EXPECT_EQ(listings.size(), row.listed ? 1u : 0u);
    EXPECT_EQ(checks.LastFocus(), row.focus);
  }
}

class InputChecksRun : public testing::Test {
 protected:
  InputChecksRun() {
    world.program.TargetFolder = WithTrailingSeparator(dir.Path());
    world.checks = &checks;
    dir.MakeFile(u"xa.jpg");
  }
  test::EngineWorld world;
  test::TempFolder dir{*world.fs};
  int listings = 0;
  RenameInputChecks checks{world.texts, world.prompter, world.options, world.special,
                           [this](const EditRequest&) { ++listings; }};
};

TEST_F(InputChecksRun, OnlyAcceptedRequestsReachTheDisk) {
  struct Row {
    const char* name;
    Fill setup;
    bool confirm;
    PromptAnswer answer;
    Names names;
  };
  const Row rows[] = {
      {"refused", Mode(EditMode::kRemove, [](EditRequest&) {}), true, PromptAnswer::Ok, {u"xa.jpg"}},
      {"declined", Mode(EditMode::kRemove, [](EditRequest& r) { r.Remove.Strings[1] = u"x"; }), true,
       PromptAnswer::Cancel, {u"xa.jpg"}},
      {"confirmed", Mode(EditMode::kRemove, [](EditRequest& r) { r.Remove.Strings[1] = u"x"; }), true, PromptAnswer::Ok,
       {u"a.jpg"}},
      {"prepared extension", Mode(EditMode::kExtension, [](EditRequest& r) {
         r.Extension.OldExtension = u"JPG";
         r.Extension.NewExtension = u"..png";
       }),
       false, PromptAnswer::Ok, {u"a.png"}},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    world.options.Confirm = row.confirm;
    world.prompter.answers = {row.answer};
    EditRequest request;
    row.setup(request);
    world.Engine().RenameCommand(request);
    EXPECT_EQ(dir.Names(), row.names);
  }
  ASSERT_FALSE(world.prompter.shown.empty());
  EXPECT_EQ(world.prompter.shown[0].text, u"Please select or input string to be removed.");
}

TEST_F(InputChecksRun, APreviewOfRefusedOrSavedRequestsShowsNoRow) {
  EditRequest request;
  request.Mode = std::u16string(EditMode::kRemove);
  world.Engine().Preview(request);
  EXPECT_EQ(world.prompter.Texts(), Names{u"Please select or input string to be removed."});
  EXPECT_EQ(world.preview.Count(), 0u);

  request.Mode = std::u16string(EditMode::kSaveAll);
  world.Engine().Preview(request);
  EXPECT_EQ(listings, 1);
  EXPECT_EQ(world.preview.Count(), 0u);
  EXPECT_EQ(dir.Names(), Names{u"xa.jpg"});
}

}  // namespace
}  // namespace renamora

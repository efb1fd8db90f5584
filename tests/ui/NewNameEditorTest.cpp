// The new-name list editor: Save and its effect on the list, the file and Listnum;
// the question on closing; and the options dialog's number after a save.
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/NewNameHistory.h"
#include "app/SettingsFile.h"
#include "app/StringTable.h"
#include "base/text/Utf.h"
#include "support/Fakes.h"
#include "support/TableLocale.h"
#include "support/TempFolder.h"
#include "ui/ControlIds.h"
#include "ui/frame/NewNameEditor.h"
#include "ui/frame/OptionsDialog.h"

namespace renamora::ui {
namespace {

// A data folder with Newname.txt and Settings.ini, and the editor over them.
struct EditorWorld {
  explicit EditorWorld(int listnum = 20, const char* newNames = nullptr) : maximum(listnum) {
    if (newNames != nullptr) temp.MakeFile(u"Newname.txt", newNames);
    editor.onMaximumChanged = [this](int m) { reported.push_back(m); };
  }
  bool HasFile(std::u16string_view name) const { return fs->Exists(temp / name); }
  std::string Stored(std::u16string_view name) const { return HasFile(name) ? temp.Read(name) : "(none)"; }
  void Type(std::string_view text) { editor.TextChanged(IDC_NNE_TEXT, U16(text)); }

  int maximum;
  std::unique_ptr<FileSystem> fs = MakeSystemFileSystem();
  test::TempFolder temp{*fs};
  test::TableLocale locale;
  test::RecordingPrompter prompter;
  StringTable texts;
  SettingsFile settings{*fs, locale, temp / u"Settings.ini"};
  NewNameHistory names{*fs, locale, temp / u"Newname.txt", maximum};
  NewNameEditorController editor{{prompter, texts, settings, names}};
  std::vector<int> reported;
};

std::string Utf8(std::u16string_view text) { return Utf16ToUtf8(text).value_or("?"); }

TEST(NewNameEditor, SaveStoresTheNonEmptyLinesAndTheirCountBecomesTheMaximum) {
  struct Row {
    const char* label;
    int maximum;
    const char* typed;
    const char* file;      // Newname.txt afterwards
    const char* shown;     // the text box afterwards
    const char* settings;  // Settings.ini afterwards
    std::vector<int> reported;
  };
  const Row rows[] = {
      {"blank lines between entries are dropped", 3, "a\r\n\r\nb\r\n\r\n\r\nc\r\n", "a\r\nb\r\nc\r\n", "a\r\nb\r\nc",
       "(none)", {}},
      {"five lines set the maximum to five", 20, "1\r\n2\r\n3\r\n4\r\n5", "1\r\n2\r\n3\r\n4\r\n5\r\n",
       "1\r\n2\r\n3\r\n4\r\n5", "[Option]\r\nListnum=5\r\n", {5}},
      {"nothing left deletes the file and switches the history off", 20, "\r\n\r\n", "(none)", "",
       "[Option]\r\nListnum=0\r\n", {0}},
      {"line feeds alone end lines too", 2, "x\n\ny", "x\r\ny\r\n", "x\r\ny", "(none)", {}},
      {"blanks make no empty line; order and case stay", 3, "$$_B\r\n  \r\n$$_b", "$$_B\r\n  \r\n$$_b\r\n",
       "$$_B\r\n  \r\n$$_b", "(none)", {}},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.label);
    EditorWorld world(row.maximum, "old\r\n");
    world.editor.Open();
    world.Type(row.typed);
    world.editor.Command(IDC_NNE_SAVE);
    EXPECT_EQ(world.Stored(u"Newname.txt"), row.file);
    EXPECT_EQ(Utf8(world.editor.State(IDC_NNE_TEXT).text), row.shown);
    EXPECT_EQ(world.Stored(u"Settings.ini"), row.settings);
    EXPECT_EQ(world.reported, row.reported);
    EXPECT_FALSE(world.editor.Changed());
    EXPECT_FALSE(world.editor.CloseResult().has_value());
    // The template boxes take the list from the history.
    std::string entries;
    for (const auto& entry : world.names.Entries()) entries += (entries.empty() ? "" : "\r\n") + Utf8(entry);
    EXPECT_EQ(entries, row.shown);
  }
}

TEST(NewNameEditor, ClosingAsksOnlyAfterAChange) {
  enum class How { CloseButton, EscOrCloseBox };
  struct Row {
    const char* label;
    const char* typed;  // nullptr: nothing typed
    How how;
    std::optional<PromptAnswer> answer;  // nothing: no question expected
    bool closed;
    const char* shown;
    const char* file;
  };
  const Row rows[] = {
      {"no change closes at once", nullptr, How::CloseButton, std::nullopt, true, "a\r\nb", "a\r\nb\r\n"},
      {"a change undone by hand asks nothing", "a\r\nb", How::CloseButton, std::nullopt, true, "a\r\nb",
       "a\r\nb\r\n"},
      {"Yes saves and closes", "a\r\n\r\nz", How::CloseButton, PromptAnswer::Yes, true, "a\r\nz", "a\r\nz\r\n"},
      {"No empties the text and closes", "a\r\nz", How::CloseButton, PromptAnswer::No, true, "", "a\r\nb\r\n"},
      {"Cancel keeps it open with the text", "a\r\nz", How::CloseButton, PromptAnswer::Cancel, false, "a\r\nz",
       "a\r\nb\r\n"},
      {"Esc asks the same", "z", How::EscOrCloseBox, PromptAnswer::Cancel, false, "z", "a\r\nb\r\n"},
      {"Esc, Yes", "z", How::EscOrCloseBox, PromptAnswer::Yes, true, "z", "z\r\n"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.label);
    EditorWorld world(2, "a\r\nb\r\n");
    world.editor.Open();
    if (row.typed != nullptr) world.Type(row.typed);
    if (row.answer) world.prompter.answers = {*row.answer};
    if (row.how == How::CloseButton) {
      world.editor.Command(IDC_NNE_CLOSE);
    } else {
      EXPECT_TRUE(world.editor.CancelDialog());
    }
    ASSERT_EQ(world.prompter.shown.size(), row.answer ? 1u : 0u);
    if (row.answer) {
      const test::PromptRecord& asked = world.prompter.shown[0];
      EXPECT_EQ(Utf8(asked.caption), "Save Confirmation");
      EXPECT_EQ(Utf8(asked.text), "The content changed, do you want to save?");
      EXPECT_EQ(asked.buttons, PromptButtons::YesNoCancel);
      EXPECT_EQ(asked.icon, PromptIcon::Question);
    }
    EXPECT_EQ(world.editor.CloseResult().has_value(), row.closed);
    EXPECT_EQ(Utf8(world.editor.State(IDC_NNE_TEXT).text), row.shown);
    EXPECT_EQ(world.Stored(u"Newname.txt"), row.file);
  }
}

// Opening loads the file when there is one; without one the text of the last
// showing stays. Either way the text counts as unchanged.
TEST(NewNameEditor, OpeningLoadsTheFileOrKeepsTheLastText) {
  struct Row {
    const char* label;
    std::function<void(EditorWorld&)> between;  // after a first showing closed
    const char* shown;
  };
  const Row rows[] = {
      {"the file changed meanwhile", [](EditorWorld& w) { w.temp.MakeFile(u"Newname.txt", "new\r\nlist\r\n"); },
       "new\r\nlist"},
      {"the file went away", [](EditorWorld& w) { ASSERT_TRUE(w.fs->DeleteFile(w.temp / u"Newname.txt")); },
       "first"},
      {"closed with No, no file", [](EditorWorld& w) {
         ASSERT_TRUE(w.fs->DeleteFile(w.temp / u"Newname.txt"));
         w.editor.Open();
         w.Type("typed");
         w.prompter.answers = {PromptAnswer::No};
         w.editor.Command(IDC_NNE_CLOSE);
       },
       ""},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.label);
    EditorWorld world(20, "first\r\n");
    world.editor.Open();
    EXPECT_EQ(Utf8(world.editor.State(IDC_NNE_TEXT).text), "first");
    world.editor.Command(IDC_NNE_CLOSE);
    row.between(world);
    world.editor.Open();
    EXPECT_FALSE(world.editor.CloseResult().has_value());
    EXPECT_FALSE(world.editor.Changed());
    EXPECT_EQ(Utf8(world.editor.State(IDC_NNE_TEXT).text), row.shown);
  }
}

// The options dialog whose Edit button runs the editor, as the program wires them.
class EditingOptionsHost final : public OptionsHost {
 public:
  const TextLookup& Texts() const override { return table; }
  std::u16string LanguageName() const override { return {}; }
  std::u16string LanguageInUse() const override { return {}; }
  std::u16string ActiveIconSet() const override { return {}; }
  void ApplyCheckBoxes(bool) override {}
  void LoadFolderHistoryIfEmpty(int) override {}
  void ShowQuickStartIfListEmpty() override {}
  void HideQuickStart() override {}
  void RegisterContextMenu(bool) override {}
  void ApplyIconSet(const std::optional<std::u16string>&) override {}
  void ApplyLanguage(std::u16string_view) override {}
  void ChangeNewNameMaximum(int maximum) override { changedTo.push_back(maximum); }
  void PlaceEditWindowsAnew() override {}
  void ClearNewNameHistory() override {}
  void EditNewNameHistory() override { edit(); }
  void ClearFolderHistory() override {}
  void CreateDesktopShortcut() override {}
  void StopStatusTimer() override {}
  void StartStatusTimer() override {}
  void ProcessPendingEvents() override {}

  StringTable table;
  std::function<void()> edit;
  std::vector<int> changedTo;
};

TEST(NewNameEditor, TheOptionsDialogShowsTheMaximumASaveSet) {
  struct Row {
    const char* label;
    bool settingsWritable;
    int closeCommand;  // how the options dialog closes after the edit
  };
  const Row rows[] = {
      {"OK", true, IDC_OPT_OK},
      {"Cancel", true, IDC_OPT_CANCEL},
      {"Cancel, settings not writable", false, IDC_OPT_CANCEL},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.label);
    EditorWorld world(20, "a\r\n");
    // A settings file in a folder that does not exist cannot be written.
    SettingsFile settings(*world.fs, world.locale,
                          row.settingsWritable ? world.temp / u"Settings.ini" : world.temp / u"gone/Settings.ini");
    NewNameEditorController editor({world.prompter, world.texts, settings, world.names});
    EditingOptionsHost host;
    OptionsController options({*world.fs, world.locale, world.prompter, settings, host, world.temp.Path()});
    editor.onMaximumChanged = [&](int maximum) { options.SetNewNameMaximum(maximum); };
    host.edit = [&] {
      editor.Open();
      editor.TextChanged(IDC_NNE_TEXT, u"1\r\n2\r\n3\r\n4\r\n5");
      editor.Command(IDC_NNE_SAVE);
      editor.Command(IDC_NNE_CLOSE);
    };
    options.Show();
    options.Command(IDC_OPT_NEWNAME_EDIT);
    EXPECT_EQ(Utf8(options.State(IDC_OPT_NEWNAME_NUMBER).text), "5");
    options.Command(row.closeCommand);
    EXPECT_EQ(options.Options().Listnum, 5);
    // The history has the new maximum already: OK has nothing to cut.
    EXPECT_EQ(host.changedTo, std::vector<int>{});
    EXPECT_EQ(world.names.Maximum(), 5);
    options.Show();
    EXPECT_EQ(Utf8(options.State(IDC_OPT_NEWNAME_NUMBER).text), "5");
  }
}

}  // namespace
}  // namespace renamora::ui

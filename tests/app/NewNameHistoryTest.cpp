// Tests of the new-name history: order, duplicates, the maximum, the file, the editor.
#include "app/NewNameHistory.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "app/StringTable.h"
#include "base/text/Utf.h"
#include "core/TextFile.h"
#include "support/Fakes.h"
#include "support/ForwardingFileSystem.h"
#include "support/TableLocale.h"
#include "support/TempFolder.h"

namespace renamora {
namespace {

using Lines = std::vector<std::u16string>;

// A history file that is there but cannot be read while `locked` is set, as when
// another program holds it open or it lacks read rights.
class LockableFile final : public test::ForwardingFileSystem {
 public:
  LockableFile(FileSystem& inner, std::u16string path) : ForwardingFileSystem(inner), path_(std::move(path)) {}
  std::optional<std::string> ReadFile(std::u16string_view path) override {
    if (locked && path == path_) return std::nullopt;
    return Inner().ReadFile(path);
  }
  bool locked = false;

 private:
  std::u16string path_;
};

class HistoryTest : public testing::Test {
 protected:
  NewNameHistory Make(int maximum) { return NewNameHistory(*fs, locale, file, maximum); }
  Lines OnDisk() const {
    auto bytes = fs->ReadFile(file);
    if (!bytes) return {u"<no file>"};
    Lines lines;
    std::u16string text = Utf8ToUtf16(*bytes);
    for (std::size_t start = 0, end; (end = text.find(u"\r\n", start)) != std::u16string::npos; start = end + 2) {
      lines.push_back(text.substr(start, end - start));
    }
    return lines;
  }

  std::unique_ptr<FileSystem> fs = MakeSystemFileSystem();
  test::TableLocale locale;
  test::TempFolder dir{*fs};
  std::u16string file = dir / u"Newname.txt";
};

TEST_F(HistoryTest, AddPutsTheTextOnTopWithoutCaseDuplicatesAndCutsToTheMaximum) {
  struct Row {
    const char* label;
    int maximum;
    Lines before;
    std::u16string added;
    Lines after;
  };
  const Row rows[] = {
      {"new text on top", 20, {u"b", u"c"}, u"a", {u"a", u"b", u"c"}},
      {"same text but for case moves up", 20, {u"x", u"photo_$$", u"y"}, u"Photo_$$", {u"Photo_$$", u"x", u"y"}},
      {"the oldest drops out at the maximum", 3, {u"a", u"b", u"c"}, u"d", {u"d", u"a", u"b"}},
      {"non-ASCII case is ignored too", 20, {u"\u00e9t\u00e9"}, u"\u00c9T\u00c9", {u"\u00c9T\u00c9"}},
      {"a lowered maximum cuts older entries", 1, {u"a", u"b"}, u"c", {u"c"}},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.label);
    ASSERT_TRUE(WriteTextLines(*fs, file, row.before, locale));
    NewNameHistory history = Make(row.maximum);
    history.Load();
    history.Add(row.added);
    EXPECT_EQ(history.Entries(), row.after);
    EXPECT_EQ(OnDisk(), row.after);
  }
}

// Each change starts from what the file holds at that moment; a file that exists
// but cannot be read is never replaced by this session's part of the list.
TEST_F(HistoryTest, ChangesStartFromTheFileAndNeverReplaceOneThatCannotBeRead) {
  enum class Change { Add, LowerMaximum };
  struct Row {
    const char* label;
    bool lockedAtLoad;
    bool lockedAtChange;
    Lines writtenBetween;  // another instance's file between the load and the change; empty: none
    Change change;
    Lines onDisk;
    Lines entries;
  };
  const Lines old{u"old-$$", u"older-##", u"oldest"};
  const Row rows[] = {
      {"adding while the file cannot be read", true, true, {}, Change::Add, old, {u"N-"}},
      {"cutting while the file cannot be read", false, true, {}, Change::LowerMaximum, old, {u"old-$$"}},
      {"unreadable at the load, readable at the add", true, false, {}, Change::Add,
       {u"N-", u"old-$$", u"older-##"}, {u"N-", u"old-$$", u"older-##"}},
      {"another instance added since the load", false, false, {u"other", u"old-$$", u"older-##"}, Change::Add,
       {u"N-", u"other", u"old-$$"}, {u"N-", u"other", u"old-$$"}},
      {"another instance added since, then a cut", false, false, {u"other", u"old-$$"}, Change::LowerMaximum,
       {u"other"}, {u"other"}},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.label);
    ASSERT_TRUE(WriteTextLines(*fs, file, old, locale));
    LockableFile lockable(*fs, file);
    NewNameHistory history(lockable, locale, file, 3);
    lockable.locked = row.lockedAtLoad;
    history.Load();
    if (!row.writtenBetween.empty()) {
      ASSERT_TRUE(WriteTextLines(*fs, file, row.writtenBetween, locale));
    }
    lockable.locked = row.lockedAtChange;
    if (row.change == Change::Add) {
      history.Add(u"N-");
    } else {
      history.ChangeMaximum(1);
    }
    EXPECT_EQ(OnDisk(), row.onDisk);
    EXPECT_EQ(history.Entries(), row.entries);
  }
}

TEST_F(HistoryTest, MaximumZeroSwitchesTheHistoryOff) {
  ASSERT_TRUE(WriteTextLines(*fs, file, {u"a", u"b"}, locale));
  NewNameHistory history = Make(0);
  history.Load();
  history.Add(u"c");
  EXPECT_TRUE(history.Entries().empty());
  EXPECT_FALSE(fs->Exists(file));
}

TEST_F(HistoryTest, TheLastTextOfARunEndsOnTop) {
  NewNameHistory history = Make(20);
  history.Add(u"A_");
  history.Add(u"_Z");
  EXPECT_EQ(history.Entries(), (Lines{u"_Z", u"A_"}));
  // A missing file leaves the list as it is.
  EXPECT_TRUE(fs->DeleteFile(file));
  history.Load();
  EXPECT_EQ(history.Entries(), (Lines{u"_Z", u"A_"}));
}

TEST_F(HistoryTest, LoweringTheMaximumInTheOptionsCutsAndStores) {
  NewNameHistory history = Make(5);
  for (auto t : {u"a", u"b", u"c", u"d"}) history.Add(t);
  history.ChangeMaximum(2);
  EXPECT_EQ(OnDisk(), (Lines{u"d", u"c"}));
  history.ChangeMaximum(10);  // raising keeps what there is
  EXPECT_EQ(history.Entries(), (Lines{u"d", u"c"}));
}

TEST_F(HistoryTest, ClearAsksFirst) {
  StringTable texts;
  for (const bool yes : {false, true}) {
    SCOPED_TRACE(yes);
    NewNameHistory history = Make(20);
    history.Add(u"a");
    test::RecordingPrompter prompter;
    prompter.answers = {yes ? PromptAnswer::Yes : PromptAnswer::No};
    EXPECT_EQ(history.Clear(prompter, texts), yes);
    ASSERT_EQ(prompter.shown.size(), 1u);
    EXPECT_EQ(ToUtf8Lossy(prompter.shown[0].caption), "Clear Confirmation");
    EXPECT_EQ(ToUtf8Lossy(prompter.shown[0].text), "Do you want to clear the new name list?");
    EXPECT_EQ(fs->Exists(file), !yes);
    EXPECT_EQ(history.Entries().empty(), yes);
  }
}

TEST_F(HistoryTest, EditorSaveDropsEmptyLinesAndSetsTheMaximum) {
  struct Row {
    const char* label;
    std::u16string text;
    Lines stored;  // {"<no file>"} when the file is deleted
    int maximum;
    bool maximumChanged;
  };
  const Row rows[] = {
      {"blank lines between entries go", u"a\r\n\r\nb\r\n\r\n", {u"a", u"b"}, 2, true},
      {"order and duplicates are kept", u"b\na\nB", {u"b", u"a", u"B"}, 3, true},
      {"an empty text deletes the file", u"\r\n\r\n", {u"<no file>"}, 0, true},
      {"as many lines as the maximum", u"1\n2\n3\n4\n5", {u"1", u"2", u"3", u"4", u"5"}, 5, false},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.label);
    NewNameHistory history = Make(5);
    history.Add(u"old");
    EXPECT_EQ(history.SaveEditorText(row.text), row.maximumChanged);
    EXPECT_EQ(OnDisk(), row.stored);
    EXPECT_EQ(history.Maximum(), row.maximum);
    if (row.stored != Lines{u"<no file>"}) {
      EXPECT_EQ(history.Entries(), row.stored);
    }
  }
}

TEST_F(HistoryTest, EditorTextIsTheFileAndClosingAsksAboutChanges) {
  NewNameHistory history = Make(20);
  EXPECT_FALSE(history.EditorText().has_value());
  history.Add(u"b");
  history.Add(u"a");
  EXPECT_EQ(history.EditorText(), std::u16string(u"a\r\nb"));

  StringTable texts;
  const std::pair<PromptAnswer, EditorCloseChoice> rows[] = {{PromptAnswer::Yes, EditorCloseChoice::Save},
                                                             {PromptAnswer::No, EditorCloseChoice::Discard},
                                                             {PromptAnswer::Cancel, EditorCloseChoice::StayOpen}};
  for (const auto& [answer, choice] : rows) {
    test::RecordingPrompter prompter;
    prompter.answers = {answer};
    EXPECT_EQ(AskEditorClose(prompter, texts), choice);
    EXPECT_EQ(ToUtf8Lossy(prompter.Texts().at(0)), "The content changed, do you want to save?");
    EXPECT_EQ(ToUtf8Lossy(prompter.shown[0].caption), "Save Confirmation");
  }
}

}  // namespace
}  // namespace renamora

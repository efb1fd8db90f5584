// The preview window: caption, row cells, the context menu, the buttons, the texts
// after a language change, the first place, and the rows of a real preview run.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "app/StringTable.h"
#include "base/Paths.h"
#include "base/text/Utf.h"
#include "core/RenameEngine.h"
#include "support/Fakes.h"
#include "support/TempFolder.h"
#include "ui/ControlIds.h"
#include "ui/edit/PreviewWindow.h"

namespace renamora::ui {
namespace {

std::string U8(std::u16string_view text) { return ToUtf8Lossy(text); }

class RecordingPreviewHost final : public PreviewHost {
 public:
  void RenameFromPreview() override { calls.push_back("rename"); }
  void ShowOnSample(std::u16string_view text, std::u16string_view hint) override {
    calls.push_back("show on " + U8(text) + " | " + U8(hint));
  }
  void CopyText(std::u16string_view text) override { calls.push_back("copy " + U8(text)); }
  void ShowHelp(std::u16string_view topic) override { calls.push_back("help " + U8(topic)); }
  std::vector<std::string> calls;
};

// A table whose texts carry a tag, so that a re-applied text shows.
class TaggedTexts final : public TextLookup {
 public:
  std::u16string Lookup(MessageId id) const override { return tag + StringTable::BuiltIn().Lookup(id); }
  std::u16string tag;
};

struct PreviewWorld {
  PreviewWorld() {
    rows.AddRow(u"holiday.photo.jpg", u"holiday.photo_1.jpg");
    rows.AddRow(u"C:\\x\\a.txt", u"C:\\x\\a_2.txt");
    rows.AddRow(u"/home/u/readme", u"/home/u/readme_3");
    rows.AddInformation(u"By default only 20 names are shown");
  }
  PreviewRows rows;
  TaggedTexts texts;
  RecordingPreviewHost host;
  PreviewController preview{rows, texts, host};
};

TEST(PreviewWindow, CaptionIsTheButtonAndTheKindOfEdit) {
  struct Row {
    const char* label;
    std::u16string button, edit, expected;
  };
  const Row rows[] = {
      {"usual edit caption", u"Preview", u"Remove - Renamora", u"Preview - Remove"},
      {"cut at the first ' -'", u"Preview", u"Insert - a - b", u"Preview - Insert"},
      {"no ' -': taken whole", u"Vorschau", u"Entfernen", u"Vorschau - Entfernen"},
      {"a hyphen without a blank before it stays", u"Preview", u"Re-name - Renamora", u"Preview - Re-name"},
      {"empty edit caption", u"Preview", u"", u"Preview - "},
      {"' -' at the start", u"Preview", u" -x", u"Preview - "},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.label);
    PreviewWorld world;
    world.preview.SetCaptionFrom(row.button, row.edit);
    EXPECT_EQ(world.preview.Caption(), row.expected);
  }
}

TEST(PreviewWindow, CellsShowTheRowsAndAnInformationRowHasNoSecondColumn) {
  struct Row {
    std::size_t row;
    int column;
    std::u16string expected;
  };
  const Row rows[] = {
      {0, 0, u"holiday.photo.jpg"},
      {0, 1, u"holiday.photo_1.jpg"},
      {2, 1, u"/home/u/readme_3"},
      {3, 0, u"By default only 20 names are shown"},
      {3, 1, u""},
      {4, 0, u""},  // past the last row
      {0, 2, u""},  // no third column
  };
  PreviewWorld world;
  EXPECT_EQ(world.preview.RowCount(), 4u);
  for (const auto& row : rows) {
    SCOPED_TRACE(std::to_string(row.row) + "/" + std::to_string(row.column));
    EXPECT_EQ(std::u16string(world.preview.CellText(row.row, row.column)), row.expected);
  }
}

TEST(PreviewWindow, MenuEntriesActOnTheFirstSelectedRowOnly) {
  using Steps = std::function<void(PreviewController&, PreviewRows&)>;
  struct Row {
    const char* label;
    Steps steps;
    bool enabled;
    std::vector<std::string> calls;  // after Show On, then Copy Filename
  };
  const Row rows[] = {
      {"nothing selected", [](PreviewController&, PreviewRows&) {}, false, {}},
      {"first row", [](PreviewController& p, PreviewRows&) { p.SelectionChanged(IDC_PREVIEW_LIST, 0); }, true,
       {"show on holiday.photo | holiday.photo.jpg", "copy holiday.photo.jpg"}},
      {"a Windows path", [](PreviewController& p, PreviewRows&) { p.SelectionChanged(IDC_PREVIEW_LIST, 1); }, true,
       {"show on C:\\x\\a | C:\\x\\a.txt", "copy a.txt"}},
      {"a name without a dot", [](PreviewController& p, PreviewRows&) { p.SelectionChanged(IDC_PREVIEW_LIST, 2); },
       true, {"show on /home/u/readme | /home/u/readme", "copy readme"}},
      {"selection cleared again",
       [](PreviewController& p, PreviewRows&) {
         p.SelectionChanged(IDC_PREVIEW_LIST, 1);
         p.SelectionChanged(IDC_PREVIEW_LIST, -1);
       },
       false, {}},
      {"new rows forget the selection",
       [](PreviewController& p, PreviewRows& previewRows) {
         p.SelectionChanged(IDC_PREVIEW_LIST, 1);
         previewRows.Clear();
         previewRows.AddRow(u"z.txt", u"y.txt");
         p.RowsChanged();
       },
       false, {}},
      {"a selection past the rows",
       [](PreviewController& p, PreviewRows&) { p.SelectionChanged(IDC_PREVIEW_LIST, 9); }, false, {}},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.label);
    PreviewWorld world;
    row.steps(world.preview, world.rows);
    EXPECT_EQ(world.preview.MenuState(IDM_PREVIEW_SHOW_ON).enabled, row.enabled);
    EXPECT_EQ(world.preview.MenuState(IDM_PREVIEW_COPY_NAME).enabled, row.enabled);
    world.preview.Command(IDM_PREVIEW_SHOW_ON);
    world.preview.Command(IDM_PREVIEW_COPY_NAME);
    EXPECT_EQ(world.host.calls, row.calls);
  }
}

TEST(PreviewWindow, ButtonsKeysAndHelp) {
  using Steps = std::function<void(PreviewController&)>;
  struct Row {
    const char* label;
    Steps steps;
    bool visible;
    std::vector<std::string> calls;
  };
  const Row rows[] = {
      {"shown", [](PreviewController&) {}, true, {}},
      {"Rename hides, then renames", [](PreviewController& p) { p.Command(IDC_PREVIEW_RENAME); }, false, {"rename"}},
      {"Close hides", [](PreviewController& p) { p.Command(IDC_PREVIEW_CLOSE); }, false, {}},
      {"Esc hides", [](PreviewController& p) { EXPECT_TRUE(p.CancelDialog()); }, false, {}},
      {"the edit window closes", [](PreviewController& p) { p.Hide(); }, false, {}},
      {"F1", [](PreviewController& p) { p.HelpRequested(); }, true, {"help Preview.htm"}},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.label);
    PreviewWorld world;
    world.preview.Showing(false);
    row.steps(world.preview);
    EXPECT_EQ(world.preview.Visible(), row.visible);
    EXPECT_EQ(world.host.calls, row.calls);
  }
  // The rows stay for the next showing.
  PreviewWorld world;
  world.preview.Showing(true);
  world.preview.Command(IDC_PREVIEW_CLOSE);
  EXPECT_EQ(world.preview.RowCount(), 4u);
}

TEST(PreviewWindow, TextsAtTheFirstShowingAndAfterALanguageChange) {
  struct Row {
    const char* label;
    bool visibleAtChange;
    std::u16string renameAfterChange;  // before the next showing
    std::u16string renameAfterShowing;
  };
  const Row rows[] = {
      {"visible: at once", true, u"de:Rename", u"de:Rename"},
      {"hidden: at the next showing", false, u"en:Rename", u"de:Rename"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.label);
    PreviewWorld world;
    EXPECT_EQ(world.preview.State(IDC_PREVIEW_RENAME).text, u"");  // nothing before the first showing
    world.texts.tag = u"en:";
    world.preview.Showing(false);
    EXPECT_EQ(world.preview.State(IDC_PREVIEW_CLOSE).text, u"en:Close");
    EXPECT_EQ(world.preview.HintText(IDC_PREVIEW_RENAME), u"en:Finish edit and execute rename");
    EXPECT_EQ(world.preview.HintText(IDC_PREVIEW_CLOSE), u"en:Close en:Preview");
    EXPECT_EQ(world.preview.ColumnTitle(1), u"en:New filenames preview");
    if (!row.visibleAtChange) world.preview.Command(IDC_PREVIEW_CLOSE);
    world.texts.tag = u"de:";
    world.preview.LanguageChanged();
    EXPECT_EQ(world.preview.State(IDC_PREVIEW_RENAME).text, row.renameAfterChange);
    world.preview.Showing(false);
    EXPECT_EQ(world.preview.State(IDC_PREVIEW_RENAME).text, row.renameAfterShowing);
    EXPECT_EQ(world.preview.ColumnTitle(0), u"de:Old filenames");
    // Without a language change a showing keeps what was applied.
    world.texts.tag = u"fr:";
    world.preview.Showing(false);
    EXPECT_EQ(world.preview.State(IDC_PREVIEW_RENAME).text, u"de:Rename");
  }
}

TEST(PreviewWindow, MaximizedAsTheOptionSaysAtEveryShowing) {
  const bool options[] = {true, false, true};
  PreviewWorld world;
  for (bool maximized : options) {
    SCOPED_TRACE(maximized);
    world.preview.Showing(maximized);
    EXPECT_EQ(world.preview.Maximized(), maximized);
  }
}

TEST(PreviewWindow, FirstPlaceCentresTheDesignedSizeThenWidens) {
  struct Row {
    const char* label;
    PreviewRect workArea;
    int windowWidth, windowHeight;
    PreviewRect expected;
  };
  const Row rows[] = {
      {"1280x1024", {0, 0, 1280, 1024}, 684 + 16, 535 + 39, {290, 225, 700, 574}},
      {"1366x728", {0, 0, 1366, 728}, 684 + 16, 535 + 39, {333, 77, 700, 574}},
      {"odd differences truncate", {0, 0, 1366, 728}, 684 + 9, 535 + 30, {336, 81, 700, 565}},
      {"task bar on the left", {60, 0, 1220, 1024}, 684 + 16, 535 + 39, {320, 225, 700, 574}},
      // A work area lower than the window: the half of -61 is -30, not -31.
      {"toward zero when negative", {0, 0, 1280, 513}, 684 + 16, 535 + 39, {290, -30, 700, 574}},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.label);
    const PreviewRect place = PreviewFirstPlace(row.workArea, row.windowWidth, row.windowHeight, 700);
    EXPECT_EQ(place.left, row.expected.left);
    EXPECT_EQ(place.top, row.expected.top);
    EXPECT_EQ(place.width, row.expected.width);
    EXPECT_EQ(place.height, row.expected.height);
  }
}

// A real preview run fills the rows the controller shows: 50 files and a limit of 20
// give 20 item rows and message 175; 20 files give no message row.
TEST(PreviewWindow, ShowsTheRowsOfARealPreviewRun) {
  struct Row {
    int files;
    std::size_t rows;
    std::u16string lastOld, lastNew;
  };
  const Row rows[] = {
      {50, 21, u"By default only 20 names are shown ('Preview file number' can be changed in 'Options')", u""},
      {20, 20, u"f19.txt", u"f19_x.txt"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.files);
    test::EngineWorld world;
    test::TempFolder dir(*world.fs);
    for (int i = 0; i < row.files; ++i) {
      // Two digits, so that the name order is the number order.
      const std::string name = "f" + std::string(i < 10 ? "0" : "") + std::to_string(i) + ".txt";
      dir.MakeFile(Utf8ToUtf16(name));
    }
    world.program.TargetFolder = WithTrailingSeparator(dir.Path());
    world.options.Prenum = 20;
    EditRequest request;
    request.Mode = std::u16string(EditMode::kInsert);
    world.program.CurrentMode = request.Mode;
    request.Insert.AtEnd = true;
    request.Insert.EndTemplate = u"_x";

    RecordingPreviewHost host;
    PreviewController preview(world.preview, world.texts, host);
    const std::uint64_t version = preview.RowsVersion();
    world.Engine().Preview(request);
    preview.RowsChanged();
    EXPECT_NE(preview.RowsVersion(), version);
    ASSERT_EQ(preview.RowCount(), row.rows);
    EXPECT_EQ(std::u16string(preview.CellText(0, 0)), u"f00.txt");
    EXPECT_EQ(std::u16string(preview.CellText(0, 1)), u"f00_x.txt");
    EXPECT_EQ(std::u16string(preview.CellText(19, 1)), u"f19_x.txt");
    EXPECT_EQ(std::u16string(preview.CellText(row.rows - 1, 0)), row.lastOld);
    EXPECT_EQ(std::u16string(preview.CellText(row.rows - 1, 1)), row.lastNew);
  }
}

}  // namespace
}  // namespace renamora::ui

// The preview window's view: rows through the list's own display requests, the
// buttons, the layout after a resize, and the context menu's commands.
#include "platform/win32/IncludeWindows.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "app/StringTable.h"
#include "platform/win32/WideText.h"
#include "ui/ControlIds.h"
#include "ui/edit/win32/PreviewView.h"
#include "ui/win32/ProgramFixture.h"

namespace renamora::ui::win {
namespace {

class PreviewViewTest : public testing::Test {
 protected:
  PreviewViewTest() {
    owner_ = CreateWindowExW(0, L"STATIC", L"owner", WS_OVERLAPPEDWINDOW, 0, 0, 300, 200, nullptr, nullptr,
                             GetModuleHandleW(nullptr), nullptr);
    host_.rename = [this] {
      renames_.push_back(IsWindowVisible(view_.Handle()) ? "rename while shown" : "rename after hiding");
    };
    host_.showOn = [this](std::u16string_view text, std::u16string_view hint) {
      renames_.push_back(ToUtf8(text) + " | " + ToUtf8(hint));
    };
    EXPECT_TRUE(view_.Create(owner_));
    host_.Bind(view_.Handle());
  }
  ~PreviewViewTest() override { DestroyWindow(owner_); }

  static std::string ToUtf8(std::u16string_view text) {
    std::string out;
    for (char16_t c : text) out += c < 0x80 ? static_cast<char>(c) : '?';
    return out;
  }
  void Fill(const std::vector<std::pair<std::u16string, std::u16string>>& items, const char16_t* information) {
    rows_.Clear();
    for (const auto& [oldName, newName] : items) rows_.AddRow(oldName, newName);
    if (information) rows_.AddInformation(information);
    controller_.RowsChanged();
    view_.SyncRows();
  }
  std::u16string Cell(int row, int column) {
    wchar_t buffer[300] = {};
    LVITEMW item{};
    item.iSubItem = column;
    item.pszText = buffer;
    item.cchTextMax = 300;
    SendMessageW(view_.List(), LVM_GETITEMTEXTW, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
    return FromWide(buffer);
  }
  void Click(HWND button) { SendMessageW(button, BM_CLICK, 0, 0); }
  void Select(int row) { ListView_SetItemState(view_.List(), row, LVIS_SELECTED, LVIS_SELECTED); }
  void Menu(int id) { SendMessageW(view_.Handle(), WM_COMMAND, MAKEWPARAM(id, 0), 0); }
  std::u16string Clipboard() {
    std::u16string text;
    if (!OpenClipboard(view_.Handle())) return u"<no clipboard>";
    if (HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
      text = FromWide(static_cast<const wchar_t*>(GlobalLock(data)));
      GlobalUnlock(data);
    }
    CloseClipboard();
    return text;
  }

  HWND owner_ = nullptr;
  PreviewRows rows_;
  Win32PreviewHost host_;
  PreviewController controller_{rows_, StringTable::BuiltIn(), host_};
  PreviewView view_{controller_};
  std::vector<std::string> renames_;
};

TEST_F(PreviewViewTest, TheListShowsTheRowsThroughItsDisplayRequests) {
  struct Row {
    const char* label;
    std::vector<std::pair<std::u16string, std::u16string>> items;
    const char16_t* information;
    std::vector<std::u16string> cells;  // old, new of each row
  };
  const std::u16string longName(400, u'x');
  const Row rows[] = {
      {"items and the limit row",
       {{u"a.txt", u"a_1.txt"}, {u"b.txt", u"b_2.txt"}},
       u"By default only 20 names are shown",
       {u"a.txt", u"a_1.txt", u"b.txt", u"b_2.txt", u"By default only 20 names are shown", u""}},
      {"no rows: the message alone", {}, u"No filename will be edited", {u"No filename will be edited", u""}},
      // A name longer than the list's buffer is cut, never written past it.
      {"a name longer than the buffer", {{longName, u"n"}}, nullptr, {longName.substr(0, 299), u"n"}},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.label);
    Fill(row.items, row.information);
    ASSERT_EQ(static_cast<std::size_t>(SendMessageW(view_.List(), LVM_GETITEMCOUNT, 0, 0)), row.cells.size() / 2);
    std::vector<std::u16string> cells;
    for (std::size_t i = 0; i < row.cells.size() / 2; ++i) {
      cells.push_back(Cell(static_cast<int>(i), 0));
      cells.push_back(Cell(static_cast<int>(i), 1));
    }
    EXPECT_EQ(cells, row.cells);
  }
}

TEST_F(PreviewViewTest, ButtonsCloseAndRenameHideTheWindow) {
  struct Row {
    const char* label;
    int button;
    std::vector<std::string> calls;
  };
  const Row rows[] = {
      {"Close", IDC_PREVIEW_CLOSE, {}},
      {"Rename hides first, then renames", IDC_PREVIEW_RENAME, {"rename after hiding"}},
  };
  Fill({{u"a.txt", u"b.txt"}}, nullptr);
  for (const auto& row : rows) {
    SCOPED_TRACE(row.label);
    renames_.clear();
    view_.Show(false);
    ASSERT_TRUE(IsWindowVisible(view_.Handle()));
    EXPECT_EQ(GetWindowTextLengthW(view_.RenameButton()), 6);  // "Rename" from the table
    Click(GetDlgItem(view_.Handle(), row.button));
    EXPECT_FALSE(IsWindowVisible(view_.Handle()));
    EXPECT_FALSE(controller_.Visible());
    EXPECT_EQ(renames_, row.calls);
    // The rows stay for the next look.
    EXPECT_EQ(SendMessageW(view_.List(), LVM_GETITEMCOUNT, 0, 0), 1);
  }
}

TEST_F(PreviewViewTest, CloseKeepsToThePanelsRightEdgeAndTheColumnsFillTheList) {
  struct Row {
    int width, height;
  };
  const Row rows[] = {{900, 600}, {520, 400}, {1200, 700}};
  view_.Show(false);
  for (const auto& row : rows) {
    SCOPED_TRACE(std::to_string(row.width) + "x" + std::to_string(row.height));
    SetWindowPos(view_.Handle(), nullptr, 0, 0, row.width, row.height, SWP_NOZORDER | SWP_NOMOVE);
    const RECT panel = view_.ButtonPanel();
    RECT close, rename, client, list;
    GetWindowRect(view_.CloseButton(), &close);
    GetWindowRect(view_.RenameButton(), &rename);
    MapWindowPoints(nullptr, view_.Handle(), reinterpret_cast<POINT*>(&close), 2);
    MapWindowPoints(nullptr, view_.Handle(), reinterpret_cast<POINT*>(&rename), 2);
    GetClientRect(view_.Handle(), &client);
    EXPECT_EQ(close.right, panel.right);
    EXPECT_EQ(rename.left, panel.left);
    EXPECT_EQ(panel.bottom, client.bottom);
    GetClientRect(view_.List(), &list);
    EXPECT_EQ(ListView_GetColumnWidth(view_.List(), 0) + ListView_GetColumnWidth(view_.List(), 1), list.right);
  }
}

TEST_F(PreviewViewTest, MenuCommandsActOnTheFirstSelectedRow) {
  struct Row {
    const char* label;
    std::vector<int> selected;
    int command;
    std::vector<std::string> calls;
    std::u16string clipboard;
  };
  const Row rows[] = {
      {"Show On", {1}, IDM_PREVIEW_SHOW_ON, {"holiday.photo | holiday.photo.jpg"}, u"before"},
      {"Copy Filename of a path", {0}, IDM_PREVIEW_COPY_NAME, {}, u"a.txt"},
      {"the first of several", {2, 1}, IDM_PREVIEW_COPY_NAME, {}, u"holiday.photo.jpg"},
      {"nothing selected", {}, IDM_PREVIEW_COPY_NAME, {}, u"before"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.label);
    Fill({{u"C:\\x\\a.txt", u"C:\\x\\b.txt"}, {u"holiday.photo.jpg", u"h.jpg"}, {u"c.txt", u"d.txt"}}, nullptr);
    renames_.clear();
    host_.CopyText(u"before");
    for (int i : row.selected) Select(i);
    Menu(row.command);
    EXPECT_EQ(renames_, row.calls);
    EXPECT_EQ(Clipboard(), row.clipboard);
  }
}

TEST_F(PreviewViewTest, EveryShowingIsMaximizedOrNormalAsTheOptionSays) {
  const bool options[] = {true, false, true, false};
  for (bool maximized : options) {
    SCOPED_TRACE(maximized);
    view_.Show(maximized);
    EXPECT_EQ(IsZoomed(view_.Handle()) != FALSE, maximized);
    view_.Hide();
  }
}

TEST_F(PreviewViewTest, TheFirstPlaceIsCentredAndSevenHundredWide) {
  RECT work;
  SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
  RECT designed;
  GetWindowRect(view_.Handle(), &designed);  // made with the designed client size
  view_.PlaceAtFirstShowing();
  view_.Show(false);
  RECT placed;
  GetWindowRect(view_.Handle(), &placed);
  EXPECT_EQ(placed.right - placed.left, 700);
  EXPECT_EQ(placed.left, work.left + (work.right - work.left - (designed.right - designed.left)) / 2);
  EXPECT_EQ(placed.top, work.top + (work.bottom - work.top - (designed.bottom - designed.top)) / 2);
  EXPECT_EQ(placed.bottom - placed.top, designed.bottom - designed.top);
}

// The program's own preview window: made at start, hidden, owned by the main window
// until the edit window exists; its keys come through the program's loop.
class ProgramPreviewTest : public ProgramFixture {};

TEST_F(ProgramPreviewTest, EscAndTheCloseBoxHideTheProgramsPreview) {
  struct Row {
    const char* label;
    std::function<void(HWND preview)> close;
  };
  const Row rows[] = {
      {"Esc in the list", [](HWND preview) {
         PostMessageW(GetDlgItem(preview, IDC_PREVIEW_LIST), WM_KEYDOWN, VK_ESCAPE, 0);
       }},
      {"Esc on the Rename button", [](HWND preview) {
         PostMessageW(GetDlgItem(preview, IDC_PREVIEW_RENAME), WM_KEYDOWN, VK_ESCAPE, 0);
       }},
      {"the close box", [](HWND preview) { PostMessageW(preview, WM_CLOSE, 0, 0); }},
  };
  HWND preview = program_->Preview().Handle();
  wchar_t className[16] = {};
  GetClassNameW(preview, className, 16);
  EXPECT_STREQ(className, L"TForm6");
  // It stands beside the edit window, which owns it.
  EXPECT_EQ(GetWindow(preview, GW_OWNER), program_->EditWindow().Handle());
  EXPECT_FALSE(IsWindowVisible(preview));
  for (const auto& row : rows) {
    SCOPED_TRACE(row.label);
    program_->Preview().Show(false);
    ASSERT_TRUE(IsWindowVisible(preview));
    row.close(preview);
    Pump();
    EXPECT_FALSE(IsWindowVisible(preview));
    EXPECT_FALSE(program_->PreviewWindow().Visible());
  }
}

}  // namespace
}  // namespace renamora::ui::win

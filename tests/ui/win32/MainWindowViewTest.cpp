// The main window as a user drives it: real windows, real messages, real folders.
#include "platform/win32/IncludeWindows.h"

#include <commctrl.h>
#include <gtest/gtest.h>
#include <shellapi.h>
#include <shlobj.h>

#include "core/UndoLog.h"
#include "platform/win32/WideText.h"
#include "support/Fakes.h"
#include "support/TempFolder.h"
#include "ui/ControlIds.h"
#include "ui/frame/win32/DesktopProgram.h"
#include "ui/win32/ProgramFixture.h"
#include "ui/win/Window.h"

namespace renamora::ui::win {
namespace {

using test::RecordingPrompter;
using test::TempFolder;

// One program over a fresh program folder (which is then its data folder too).
class MainWindowViewTest : public ProgramFixture {
 protected:
  HWND Item(int id) { return GetDlgItem(Main(), id); }
  HWND List() { return Item(IDC_MAIN_LIST); }
  // Types a path into the path box and presses Enter in it.
  void EnterPath(std::u16string_view path) {
    HWND box = Item(IDC_MAIN_PATHBOX);
    SetWindowTextW(box, ToWide(path).c_str());
    SendMessageW(Main(), WM_COMMAND, MAKEWPARAM(IDC_MAIN_PATHBOX, CBN_EDITCHANGE), reinterpret_cast<LPARAM>(box));
    SetFocus(box);
    HWND edit = GetWindow(box, GW_CHILD);
    MSG enter{edit ? edit : box, WM_KEYDOWN, VK_RETURN, 0, 0, {}};
    program_->Dispatch(enter);
    Pump();
  }
  void Click(int id) {
    SendMessageW(Item(id), BM_CLICK, 0, 0);
    Pump();
  }
  void Menu(int id) {
    SendMessageW(Main(), WM_COMMAND, MAKEWPARAM(id, 0), 0);
    Pump();
  }
  // The rows as the list view shows them, through its owner-data path.
  std::vector<std::u16string> Column(int column) {
    std::vector<std::u16string> cells;
    const int count = ListView_GetItemCount(List());
    for (int i = 0; i < count; ++i) {
      wchar_t buffer[512] = {};
      LVITEMW item{};
      item.iSubItem = column;
      item.pszText = buffer;
      item.cchTextMax = 512;
      SendMessageW(List(), LVM_GETITEMTEXTW, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&item));
      cells.push_back(FromWide(buffer));
    }
    return cells;
  }
  std::u16string StatusPanel(int part) {
    wchar_t buffer[512] = {};
    SendMessageW(Item(IDC_MAIN_STATUS), SB_GETTEXTW, static_cast<WPARAM>(part), reinterpret_cast<LPARAM>(buffer));
    return FromWide(buffer);
  }
  std::u16string Caption() {
    wchar_t buffer[256] = {};
    GetWindowTextW(Main(), buffer, 256);
    return FromWide(buffer);
  }
  void Select(std::initializer_list<int> rows) {
    ListView_SetItemState(List(), -1, 0, LVIS_SELECTED);
    for (int row : rows) ListView_SetItemState(List(), row, LVIS_SELECTED, LVIS_SELECTED);
    Pump();
  }
  // Files dropped from Explorer, as the shell packs them.
  void Drop(const std::vector<std::u16string>& paths) {
    std::wstring names;
    for (const auto& p : paths) names += ToWide(p) + L'\0';
    names += L'\0';
    HGLOBAL memory = GlobalAlloc(GHND, sizeof(DROPFILES) + names.size() * sizeof(wchar_t));
    auto* drop = static_cast<DROPFILES*>(GlobalLock(memory));
    drop->pFiles = sizeof(DROPFILES);
    drop->fWide = TRUE;
    memcpy(reinterpret_cast<char*>(drop) + sizeof(DROPFILES), names.data(), names.size() * sizeof(wchar_t));
    GlobalUnlock(memory);
    SendMessageW(Main(), WM_DROPFILES, reinterpret_cast<WPARAM>(memory), 0);
    Pump();
  }

};

TEST_F(MainWindowViewTest, EnterInThePathBoxListsFoldersFirstThenFilesInNameOrder) {
  work_.MakeFolder(u"b");
  work_.MakeFolder(u"A");
  work_.MakeFile(u"z.txt", "zz");
  work_.MakeFile(u"B.TXT", std::string(1100, 'x'));
  EnterPath(work_.Path());
  EXPECT_EQ(Column(0), (std::vector<std::u16string>{u"A", u"b", u"B.TXT", u"z.txt"}));
  EXPECT_EQ(Column(2), (std::vector<std::u16string>{u"", u"", u"1.1 KB", u"2 Byte"}));
  EXPECT_EQ(Column(3), (std::vector<std::u16string>{u"Folder", u"Folder", u"TXT", u"txt"}));
  EXPECT_EQ(StatusPanel(1), u"4 Items");
  EXPECT_EQ(Caption(), u"Renamora - rename all files in folder");
  EXPECT_TRUE(prompter_.shown.empty());

  // A path that names nothing: the list stays, and the user is told.
  EnterPath(work_ / u"missing");
  EXPECT_EQ(Column(0).size(), 4u);
  ASSERT_EQ(prompter_.Texts().size(), 1u);
  EXPECT_EQ(prompter_.Texts()[0], u"The selected folder is invalid!");
}

TEST_F(MainWindowViewTest, SortingAndCheckingThroughTheListAndItsMenu) {
  work_.MakeFolder(u"folder");
  work_.MakeFile(u"a.bin", std::string(2048, 'x'));
  work_.MakeFile(u"b.bin", std::string(900, 'x'));
  work_.MakeFile(u"c.bin", std::string(1536 * 1024, 'x'));
  EnterPath(work_.Path());
  NMLISTVIEW click{};
  click.hdr = {List(), IDC_MAIN_LIST, LVN_COLUMNCLICK};
  click.iSubItem = 2;
  SendMessageW(Main(), WM_NOTIFY, IDC_MAIN_LIST, reinterpret_cast<LPARAM>(&click));
  Pump();
  EXPECT_EQ(Column(0), (std::vector<std::u16string>{u"folder", u"b.bin", u"a.bin", u"c.bin"}));

  // The check-all box unchecks every row; Only Check selected keeps the chosen two.
  Click(IDC_MAIN_CHECKALL);
  EXPECT_EQ(StatusPanel(1), u"Select 0, total 4");
  Click(IDC_MAIN_CHECKALL);
  Select({1, 3});
  Menu(IDM_ONLY_CHECK_SELECTED);
  EXPECT_EQ(StatusPanel(1), u"Select 2, total 4");
  EXPECT_EQ(SendMessageW(Item(IDC_MAIN_CHECKALL), BM_GETCHECK, 0, 0), BST_UNCHECKED);
  std::vector<bool> checks;
  for (int i = 0; i < 4; ++i) {
    checks.push_back((ListView_GetItemState(List(), i, LVIS_STATEIMAGEMASK) >> 12) == 2);
  }
  EXPECT_EQ(checks, (std::vector<bool>{false, true, false, true}));
}

TEST_F(MainWindowViewTest, BackBringsDroppedFilesBackInReverseOrder) {
  for (auto name : {u"A.txt", u"B.txt", u"C.txt"}) work_.MakeFile(name);
  Drop({work_ / u"A.txt", work_ / u"B.txt", work_ / u"C.txt", work_ / u"A.txt"});
  EXPECT_EQ(Column(0), (std::vector<std::u16string>{work_ / u"A.txt", work_ / u"B.txt", work_ / u"C.txt"}));
  EXPECT_EQ(Caption(), u"Renamora - Rename Files");

  // The quick access menu lists at once, leaving the chosen files on the Back stack.
  Menu(IDM_QUICK_DESKTOP);
  EXPECT_EQ(Caption(), u"Renamora - rename all files in folder");
  EXPECT_TRUE(IsWindowEnabled(Item(IDC_MAIN_BACK)));
  Click(IDC_MAIN_BACK);
  EXPECT_EQ(Column(0), (std::vector<std::u16string>{work_ / u"C.txt", work_ / u"B.txt", work_ / u"A.txt"}));
  EXPECT_FALSE(IsWindowEnabled(Item(IDC_MAIN_BACK)));
}

TEST_F(MainWindowViewTest, NewFolderTwiceMakesNewFolderAndNewFolder1) {
  EnterPath(work_.Path());
  // Each new folder opens the rename dialog for itself; the user keeps the name.
  HWND rename = program_->SingleRename().Handle();
  for (int i = 0; i < 2; ++i) {
    PostMessageW(rename, WM_COMMAND, IDC_REN_CANCEL, reinterpret_cast<LPARAM>(GetDlgItem(rename, IDC_REN_CANCEL)));
    Menu(IDM_NEW_FOLDER);
  }
  EXPECT_TRUE(fs_->IsFolder(work_ / u"New Folder"));
  EXPECT_TRUE(fs_->IsFolder(work_ / u"New Folder 1"));
  EXPECT_EQ(Column(0), (std::vector<std::u16string>{u"New Folder", u"New Folder 1"}));
}

TEST_F(MainWindowViewTest, TheUndoButtonFollowsTheLogAndTakesTheRenameBack) {
  work_.MakeFile(u"new.txt", "x");
  {
    // A rename recorded as the single-item rename records it.
    const auto locale = MakeSystemLocale();
    UndoLog log(*fs_, *locale, home_.Path() + u"\\");
    ASSERT_TRUE(log.RecordSingle(work_ / u"new.txt", work_ / u"old.txt"));
  }
  EnterPath(work_.Path());
  SendMessageW(Main(), WM_TIMER, IDT_STATUS, 0);
  Pump();
  ASSERT_TRUE(IsWindowEnabled(Item(IDC_MAIN_UNDO)));
  prompter_.answers = {PromptAnswer::Yes};
  Click(IDC_MAIN_UNDO);
  EXPECT_TRUE(fs_->IsFile(work_ / u"old.txt"));
  EXPECT_FALSE(fs_->Exists(work_ / u"new.txt"));
  EXPECT_EQ(Column(0), (std::vector<std::u16string>{u"old.txt"}));
  EXPECT_EQ(StatusPanel(2), u"UNDO COMPLETED! Previous filenames have been restored.");
  SendMessageW(Main(), WM_TIMER, IDT_STATUS, 0);
  Pump();
  EXPECT_FALSE(IsWindowEnabled(Item(IDC_MAIN_UNDO)));
}

}  // namespace
}  // namespace renamora::ui::win

// The single rename, folder add option and quick start windows as the main window opens them.
#include "platform/win32/IncludeWindows.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <deque>
#include <functional>

#include "platform/win32/WideText.h"
#include "support/Fakes.h"
#include "support/TempFolder.h"
#include "ui/ControlIds.h"
#include "ui/frame/win32/DesktopProgram.h"
#include "ui/win32/ModalSteps.h"
#include "ui/win32/ProgramFixture.h"

namespace renamora::ui::win {
namespace {

using test::RecordingPrompter;
using test::TempFolder;

class FrameDialogViewTest : public ProgramFixture {
 protected:
  HWND List() { return GetDlgItem(Main(), IDC_MAIN_LIST); }
  // The folder listed as the path box's Enter would list it.
  void ListFolder(std::u16string_view path) {
    HWND box = GetDlgItem(Main(), IDC_MAIN_PATHBOX);
    SetWindowTextW(box, ToWide(path).c_str());
    SendMessageW(Main(), WM_COMMAND, MAKEWPARAM(IDC_MAIN_PATHBOX, CBN_EDITCHANGE), reinterpret_cast<LPARAM>(box));
    SetFocus(box);
    SendMessageW(Main(), WM_COMMAND, IDOK, 0);
    Pump();
  }
  std::vector<std::u16string> Names() {
    std::vector<std::u16string> cells;
    for (int i = 0; i < ListView_GetItemCount(List()); ++i) {
      wchar_t buffer[512] = {};
      ListView_GetItemText(List(), i, 0, buffer, 512);
      cells.push_back(FromWide(buffer));
    }
    return cells;
  }
  // Types into a box of a dialog as an edit control reports it.
  static void Type(HWND dialog, int id, std::u16string_view text) {
    HWND box = GetDlgItem(dialog, id);
    SetWindowTextW(box, ToWide(text).c_str());
    SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, EN_CHANGE), reinterpret_cast<LPARAM>(box));
  }
  static void PostCommand(HWND dialog, int id, int code = BN_CLICKED) {
    PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, code), reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
  }

};

TEST_F(FrameDialogViewTest, F2RenamesTheSelectedFileAndTheRowShowsTheNewName) {
  struct Row {
    const char* what;
    std::u16string oldName, newBase, newExtension, newName;
  };
  const Row rows[] = {
      {"new name and extension", u"a.txt", u"b", u"log", u"b.log"},
      // Wine's MoveFileW reports success for a case-only rename and changes nothing.
      {"letter case only", u"readme.txt", u"README", u".txt", u"README.txt"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.what);
    work_.MakeFile(u"other.dat");
    work_.MakeFile(row.oldName, "x");
    ListFolder(work_.Path());
    const auto names = Names();
    const int item = static_cast<int>(std::find(names.begin(), names.end(), row.oldName) - names.begin());
    ASSERT_LT(item, static_cast<int>(names.size()));
    ListView_SetItemState(List(), -1, 0, LVIS_SELECTED);
    ListView_SetItemState(List(), item, LVIS_SELECTED, LVIS_SELECTED);
    Pump();

    HWND dialog = program_->SingleRename().Handle();
    ModalSteps steps;
    steps.Then([&] {
      EXPECT_TRUE(IsWindowVisible(GetDlgItem(dialog, IDC_REN_EXT)));
      Type(dialog, IDC_REN_NAME, row.newBase);
      Type(dialog, IDC_REN_EXT, row.newExtension);
    });
    PostCommand(dialog, IDC_REN_OK);
    // Should OK not close the dialog, this ends it and the checks below fail instead of hanging.
    PostCommand(dialog, IDC_REN_CANCEL);
    SendMessageW(List(), WM_KEYDOWN, VK_F2, 0);
    Pump();

    EXPECT_FALSE(IsWindowVisible(dialog));
    EXPECT_TRUE(prompter_.shown.empty());
    auto disk = work_.Names();
    std::sort(disk.begin(), disk.end());
    std::vector<std::u16string> expected{row.newName, u"other.dat"};
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(disk, expected);
    EXPECT_EQ(Names()[static_cast<std::size_t>(item)], row.newName);
    fs_->DeleteFile(work_ / row.newName);
    fs_->DeleteFile(work_ / u"other.dat");
  }
}

TEST_F(FrameDialogViewTest, FolderButtonFollowsTheAddOptionChoice) {
  struct Row {
    const char* what;
    int control;
    int code;
    std::size_t questions;  // the add-files choice over a folder view asks first
  };
  const Row rows[] = {
      {"Cancel", IDC_ADD_CANCEL, BN_CLICKED, 0},
      {"double-click on the second option", IDC_ADD_OPTION2, BN_DOUBLECLICKED, 1},
  };
  work_.MakeFile(u"a.txt");
  ListFolder(work_.Path());
  for (const Row& row : rows) {
    SCOPED_TRACE(row.what);
    prompter_.shown.clear();
    prompter_.answers = {PromptAnswer::Cancel};
    HWND dialog = program_->AddOption().Handle();
    PostCommand(dialog, row.control, row.code);
    PostCommand(dialog, IDC_ADD_CANCEL);
    SendMessageW(GetDlgItem(Main(), IDC_MAIN_FOLDER), BM_CLICK, 0, 0);
    Pump();
    EXPECT_FALSE(IsWindowVisible(dialog));
    EXPECT_EQ(prompter_.shown.size(), row.questions);
    EXPECT_EQ(Names(), (std::vector<std::u16string>{u"a.txt"}));
  }
}

TEST_F(FrameDialogViewTest, QuickStartShowsOverAnEmptyListAndClosesWhenAFolderIsListed) {
  HWND guide = program_->QuickStart().Handle();
  EXPECT_FALSE(IsWindowVisible(guide));
  SendMessageW(Main(), WM_TIMER, IDT_STATUS, 0);
  EXPECT_TRUE(IsWindowVisible(guide));
  wchar_t header[64] = {};
  GetWindowTextW(GetDlgItem(guide, IDC_QS_HEADER1), header, 64);
  EXPECT_EQ(FromWide(header), u"STEP 1:");

  work_.MakeFile(u"a.txt");
  ListFolder(work_.Path());
  EXPECT_FALSE(IsWindowVisible(guide));
  // Hidden, not gone: the window lives for the run.
  EXPECT_TRUE(IsWindow(guide));
}

TEST_F(FrameDialogViewTest, TheQuickStartsCloseBoxHidesItForTheRun) {
  HWND guide = program_->QuickStart().Handle();
  SendMessageW(Main(), WM_TIMER, IDT_STATUS, 0);
  ASSERT_TRUE(IsWindowVisible(guide));
  SendMessageW(guide, WM_SYSCOMMAND, SC_CLOSE, 0);
  Pump();
  EXPECT_FALSE(IsWindowVisible(guide));
  EXPECT_TRUE(IsWindow(guide));
  SendMessageW(Main(), WM_TIMER, IDT_STATUS, 0);
  EXPECT_FALSE(IsWindowVisible(guide));
}

}  // namespace
}  // namespace renamora::ui::win

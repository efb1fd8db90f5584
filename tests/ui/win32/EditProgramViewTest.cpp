// Whole edits in the running program, driven only by window messages: the main
// window's buttons, the edit window's boxes, the preview, the progress window's
// Cancel, the Undo button, and a start with a mode argument and a hand-over file.
#include "platform/win32/IncludeWindows.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "base/Paths.h"
#include "base/text/Utf.h"
#include "platform/win32/WideText.h"
#include "ui/ControlIds.h"
#include "ui/win32/ModalSteps.h"
#include "ui/win32/ProgramFixture.h"

namespace renamora::ui::win {
namespace {

using Names = std::vector<std::u16string>;

// Types into a box as the control itself reports it: an edit with EN_CHANGE, a
// combo box's edit with CBN_EDITCHANGE.
void Type(HWND window, int id, std::u16string_view text) {
  HWND box = GetDlgItem(window, id);
  SetWindowTextW(box, ToWide(text).c_str());
  wchar_t kind[32] = {};
  GetClassNameW(box, kind, 32);
  const WORD code = lstrcmpiW(kind, L"ComboBox") == 0 ? CBN_EDITCHANGE : EN_CHANGE;
  SendMessageW(window, WM_COMMAND, MAKEWPARAM(id, code), reinterpret_cast<LPARAM>(box));
}

void Click(HWND window, int id) { SendMessageW(GetDlgItem(window, id), BM_CLICK, 0, 0); }

class EditProgramViewTest : public ProgramFixture {
 protected:
  HWND Edit() { return program_->EditWindow().Handle(); }
  HWND PreviewList() { return GetDlgItem(program_->Preview().Handle(), IDC_PREVIEW_LIST); }
  void ListFolder() {
    HWND box = GetDlgItem(Main(), IDC_MAIN_PATHBOX);
    SetWindowTextW(box, ToWide(work_.Path()).c_str());
    SendMessageW(Main(), WM_COMMAND, MAKEWPARAM(IDC_MAIN_PATHBOX, CBN_EDITCHANGE), reinterpret_cast<LPARAM>(box));
    SetFocus(box);
    SendMessageW(Main(), WM_COMMAND, IDOK, 0);
    Pump();
  }
  Names Disk() {
    Names names;
    for (const DirEntry& e : fs_->ListFolder(work_.Path()).value_or(std::vector<DirEntry>{})) names.push_back(e.name);
    std::sort(names.begin(), names.end());
    return names;
  }
  Names ListTexts() {
    HWND list = GetDlgItem(Main(), IDC_MAIN_LIST);
    Names texts;
    for (int i = 0; i < ListView_GetItemCount(list); ++i) {
      wchar_t buffer[512] = {};
      ListView_GetItemText(list, i, 0, buffer, 512);
      texts.push_back(FromWide(buffer));
    }
    return texts;
  }
  // The deferred write of the undo log, without waiting its three seconds.
  void UndoLogTimerFires() { SendMessageW(Edit(), WM_TIMER, IDT_UNDO_LOG, 0); }
  void UndoFromTheMainWindow() {
    prompter_.answers = {PromptAnswer::Yes};
    Click(Main(), IDC_MAIN_UNDO);
    Pump();
  }
};

TEST_F(EditProgramViewTest, EveryModeRenamesFromTheMainWindowAfterAPreviewAndIsUndone) {
  struct Row {
    const char* label;
    int button;
    std::function<void(HWND)> fill;
    Names renamed;
  };
  const Names before{u"IMG_01.jpg", u"IMG_02.jpg"};
  const Row rows[] = {
      {"remove", IDC_MAIN_REMOVE, [](HWND e) { Type(e, IDC_EDIT_REMOVE_STRING1, u"IMG_"); }, {u"01.jpg", u"02.jpg"}},
      {"replace", IDC_MAIN_REPLACE,
       [](HWND e) {
         Type(e, IDC_EDIT_REPLACE_OLD, u"IMG");
         Type(e, IDC_EDIT_REPLACE_NEW, u"Photo");
       },
       {u"Photo_01.jpg", u"Photo_02.jpg"}},
      {"insert", IDC_MAIN_INSERT,
       [](HWND e) {
         Click(e, IDC_EDIT_INSERT_HEAD);
         Type(e, IDC_EDIT_INSERT_HEAD_TEXT, u"x_");
       },
       {u"x_IMG_01.jpg", u"x_IMG_02.jpg"}},
      {"change", IDC_MAIN_CHANGE, [](HWND e) { Type(e, IDC_EDIT_CHANGE_NEW_NAME_TEXT, u"trip$$"); },
       {u"trip01.jpg", u"trip02.jpg"}},
      {"extension", IDC_MAIN_EXTENSION, [](HWND e) { Type(e, IDC_EDIT_EXT_NEW, u"png"); },
       {u"IMG_01.png", u"IMG_02.png"}},
  };
  for (const auto& name : before) work_.MakeFile(name);
  for (const Row& row : rows) {
    SCOPED_TRACE(row.label);
    ListFolder();
    bool shown = false, previewShown = false;
    int previewRows = 0;
    Names diskAfterPreview;
    ModalSteps steps;
    steps.Then([&] {
      shown = IsWindowVisible(Edit()) != FALSE;
      row.fill(Edit());
      Click(Edit(), IDC_EDIT_PREVIEW);
      previewShown = IsWindowVisible(program_->Preview().Handle()) != FALSE;
      previewRows = ListView_GetItemCount(PreviewList());
      diskAfterPreview = Disk();
      Click(Edit(), IDC_EDIT_RENAME);
    });
    Click(Main(), row.button);  // returns when the edit window has closed
    Pump();
    EXPECT_TRUE(shown);
    EXPECT_TRUE(previewShown);
    EXPECT_EQ(previewRows, 2);
    EXPECT_EQ(diskAfterPreview, before);
    EXPECT_EQ(Disk(), row.renamed);
    EXPECT_FALSE(IsWindowVisible(Edit()));
    EXPECT_FALSE(IsWindowVisible(program_->Preview().Handle()));
    EXPECT_EQ(ListTexts(), row.renamed);

    UndoLogTimerFires();
    UndoFromTheMainWindow();
    EXPECT_EQ(Disk(), before);
  }
}

TEST_F(EditProgramViewTest, ACancelledLargeRunKeepsWhatItRenamedAndIsUndoneWhole) {
  constexpr int kFiles = 1500;
  Names before;
  for (int i = 0; i < kFiles; ++i) {
    before.push_back(u"f" + U16(std::to_string(1000 + i)) + u"_x.txt");
    work_.MakeFile(before.back());
  }
  std::sort(before.begin(), before.end());
  ListFolder();
  bool progressShown = false, cancelled = false;
  ModalSteps steps;
  // Waits (each step behind the messages of the loop that runs it) until the run
  // has renamed something inside the progress window, then cancels; gives up once
  // the window has come and gone.
  std::function<void()> cancelOnceStarted = [&] {
    HWND progress = program_->ProgressWindow().Handle();
    if (!IsWindowVisible(progress)) {
      if (!progressShown) steps.After(5, cancelOnceStarted);
      return;
    }
    progressShown = true;
    if (SendMessageW(GetDlgItem(progress, IDC_PROG_BAR), PBM_GETPOS, 0, 0) == 0) {
      steps.After(5, cancelOnceStarted);
      return;
    }
    cancelled = true;
    prompter_.answers = {PromptAnswer::No, PromptAnswer::Yes};
    Click(progress, IDC_PROG_CANCEL);  // No: the run goes on
    Click(progress, IDC_PROG_CANCEL);  // Yes: it stops before the next item
  };
  steps.Then([&] {
    Type(Edit(), IDC_EDIT_REMOVE_STRING1, u"_x");
    steps.Then(cancelOnceStarted);
    Click(Edit(), IDC_EDIT_RENAME);
  });
  Click(Main(), IDC_MAIN_REMOVE);
  Pump();
  ASSERT_TRUE(progressShown);
  ASSERT_TRUE(cancelled);
  const Names after = Disk();
  const auto renamed = std::count_if(after.begin(), after.end(),
                                     [](const std::u16string& n) { return n.find(u"_x") == std::u16string::npos; });
  EXPECT_GT(renamed, 0);
  EXPECT_LT(renamed, kFiles);
  EXPECT_FALSE(IsWindowVisible(program_->ProgressWindow().Handle()));

  UndoLogTimerFires();
  UndoFromTheMainWindow();
  EXPECT_EQ(Disk(), before);
}

// A second instance or Explorer hands the items over in fn000.tmp and starts the
// program with the mode: the edit window is the program until it closes.
TEST(EditProgramStart, AModeArgumentOpensTheEditOnTheHandedOverFolderAndBringsTheMainWindowBack) {
  auto fs = MakeSystemFileSystem();
  test::TempFolder home(*fs), work(*fs);
  work.MakeFile(u"a_x.txt");
  work.MakeFile(u"b_x.txt");
  home.MakeFile(u"fn000.tmp", ToUtf8Lossy(work.Path()) + "\r\n");
  test::RecordingPrompter prompter;
  DesktopSetup setup;
  setup.arguments = {u"Renamora.exe", u"Removpart"};
  setup.prompter = &prompter;
  setup.programFile = home / u"Renamora.exe";
  DesktopProgram program(std::move(setup));
  ASSERT_TRUE(program.Start());
  auto pump = [&] {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) program.Dispatch(msg);
  };
  HWND edit = program.EditWindow().Handle();
  for (int i = 0; i < 300 && !IsWindowVisible(edit); ++i) {
    pump();
    Sleep(10);
  }
  ASSERT_TRUE(IsWindowVisible(edit));
  EXPECT_FALSE(fs->Exists(home / u"fn000.tmp"));
  RECT main{};
  GetWindowRect(program.MainWindow().Handle(), &main);
  EXPECT_GT(main.top, GetSystemMetrics(SM_CYSCREEN));

  Type(edit, IDC_EDIT_REMOVE_STRING1, u"_x");
  Click(edit, IDC_EDIT_RENAME);
  pump();
  EXPECT_TRUE(fs->IsFile(work / u"a.txt"));
  EXPECT_TRUE(fs->IsFile(work / u"b.txt"));
  EXPECT_FALSE(IsWindowVisible(edit));
  GetWindowRect(program.MainWindow().Handle(), &main);
  EXPECT_LT(main.top, GetSystemMetrics(SM_CYSCREEN));
  EXPECT_EQ(program.Browser().PathBoxText(), WithTrailingSeparator(work.Path()));
  program.Close();
  pump();
}

}  // namespace
}  // namespace renamora::ui::win

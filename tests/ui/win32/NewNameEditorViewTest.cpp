// The new-name list editor opened from the options dialog, and the listing's save
// dialog, driven with window messages while their modal loops run.
#include "platform/win32/IncludeWindows.h"

#include <gtest/gtest.h>

#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "app/StringTable.h"
#include "platform/win32/WideText.h"
#include "support/Fakes.h"
#include "support/TempFolder.h"
#include "ui/ControlIds.h"
#include "ui/frame/win32/DesktopProgram.h"
#include "ui/win/SaveFileDialog.h"
#include "ui/win32/ProgramFixture.h"

namespace renamora::ui::win {
namespace {

// Steps that run one per timer tick, so that what a step posts is handled by the
// modal loop that is running before the next step starts.
std::deque<std::function<void()>> g_steps;

void CALLBACK RunNextStep(HWND, UINT, UINT_PTR timer, DWORD) {
  if (g_steps.empty()) {
    KillTimer(nullptr, timer);
    return;
  }
  auto step = std::move(g_steps.front());
  g_steps.pop_front();
  step();
}

void QueueSteps(std::vector<std::function<void()>> steps) {
  for (auto& step : steps) g_steps.push_back(std::move(step));
  SetTimer(nullptr, 0, 10, &RunNextStep);
}

std::u16string Text(HWND window) {
  const int length = GetWindowTextLengthW(window);
  std::wstring buffer(static_cast<std::size_t>(length) + 1, L'\0');
  GetWindowTextW(window, buffer.data(), length + 1);
  buffer.resize(static_cast<std::size_t>(length));
  return FromWide(buffer);
}

std::wstring ClassOf(HWND window) {
  wchar_t name[64] = {};
  GetClassNameW(window, name, 64);
  return name;
}

class NewNameEditorViewTest : public ProgramFixture {
 protected:
  void TearDown() override {
    g_steps.clear();
    ProgramFixture::TearDown();
  }
  HWND Options() { return program_->OptionsDialog().Handle(); }
  HWND Editor() { return program_->NewNameEditor().Handle(); }
  HWND EditorItem(int id) { return GetDlgItem(Editor(), id); }
  void TypeInEditor(std::u16string_view text) {
    SetWindowTextW(EditorItem(IDC_NNE_TEXT), ToWide(text).c_str());
    SendMessageW(Editor(), WM_COMMAND, MAKEWPARAM(IDC_NNE_TEXT, EN_CHANGE),
                 reinterpret_cast<LPARAM>(EditorItem(IDC_NNE_TEXT)));
  }
  void ClickInEditor(int id) { SendMessageW(EditorItem(id), BM_CLICK, 0, 0); }
  // The Options button, then the steps: the first runs in the options dialog,
  // and whatever the steps open runs its own loop under them.
  void WithOptions(std::vector<std::function<void()>> steps) {
    QueueSteps(std::move(steps));
    SendMessageW(GetDlgItem(Main(), IDC_MAIN_OPTIONS), BM_CLICK, 0, 0);
    Pump();
  }
  void ClickEdit() { SendMessageW(GetDlgItem(Options(), IDC_OPT_NEWNAME_EDIT), BM_CLICK, 0, 0); }
};

TEST_F(NewNameEditorViewTest, EditShowsTheFileAndSaveStoresTheTypedLinesAndTheNewMaximum) {
  home_.MakeFile(u"Newname.txt", "alpha\r\nbeta\r\n");
  std::u16string caption, shown, afterSave, saveText, closeText, numberAfter;
  std::wstring className;
  bool visible = false, optionsDisabled = false, closedAfter = false;
  WithOptions({
      [&] { ClickEdit(); },  // runs the editor's loop until the last step closes it
      [&] {
        visible = IsWindowVisible(Editor()) != FALSE;
        optionsDisabled = IsWindowEnabled(Options()) == FALSE;
        className = ClassOf(Editor());
        caption = Text(Editor());
        shown = Text(EditorItem(IDC_NNE_TEXT));
        saveText = Text(EditorItem(IDC_NNE_SAVE));
        closeText = Text(EditorItem(IDC_NNE_CLOSE));
        TypeInEditor(u"one\r\n\r\ntwo\r\nthree\r\n");
        ClickInEditor(IDC_NNE_SAVE);
        afterSave = Text(EditorItem(IDC_NNE_TEXT));
        ClickInEditor(IDC_NNE_CLOSE);
      },
      [&] {
        closedAfter = !IsWindowVisible(Editor());
        numberAfter = Text(GetDlgItem(Options(), IDC_OPT_NEWNAME_NUMBER));
        SendMessageW(GetDlgItem(Options(), IDC_OPT_CANCEL), BM_CLICK, 0, 0);
      },
  });
  EXPECT_TRUE(visible);
  EXPECT_TRUE(optionsDisabled);
  EXPECT_EQ(className, L"TForm8");
  EXPECT_EQ(caption, u"new name list");
  EXPECT_EQ(saveText, u"Save");
  EXPECT_EQ(closeText, u"Close");
  EXPECT_EQ(shown, u"alpha\r\nbeta");
  EXPECT_EQ(afterSave, u"one\r\ntwo\r\nthree");
  EXPECT_EQ(home_.Read(u"Newname.txt"), "one\r\ntwo\r\nthree\r\n");
  EXPECT_TRUE(closedAfter);
  EXPECT_EQ(numberAfter, u"3");
  EXPECT_NE(home_.Read(u"Settings.ini").find("Listnum=3\r\n"), std::string::npos);
  EXPECT_TRUE(prompter_.shown.empty());
  EXPECT_FALSE(IsWindowVisible(Options()));
}

// Resizing keeps Save at the left and Close at the right edge, the text between
// the top and the buttons.
TEST_F(NewNameEditorViewTest, CloseStaysAtTheRightEdgeWhenResized) {
  const int widths[] = {300, 520, 900};
  std::vector<int> rightGaps, saveLefts, textGaps;
  for (int width : widths) {
    SCOPED_TRACE(width);
    SetWindowPos(Editor(), nullptr, 0, 0, width, 400, SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOMOVE);
    RECT client, close, save, text;
    GetClientRect(Editor(), &client);
    auto place = [this](int id, RECT& r) {
      GetWindowRect(EditorItem(id), &r);
      MapWindowPoints(nullptr, Editor(), reinterpret_cast<POINT*>(&r), 2);
    };
    place(IDC_NNE_CLOSE, close);
    place(IDC_NNE_SAVE, save);
    place(IDC_NNE_TEXT, text);
    rightGaps.push_back(client.right - close.right);
    saveLefts.push_back(save.left);
    textGaps.push_back(client.right - text.right);
    EXPECT_LT(text.bottom, close.top);
    EXPECT_EQ(save.top, close.top);
  }
  EXPECT_EQ(rightGaps, std::vector<int>(3, rightGaps[0]));
  EXPECT_EQ(saveLefts, std::vector<int>(3, saveLefts[0]));
  EXPECT_EQ(textGaps, std::vector<int>(3, textGaps[0]));
}

// Keys as the user presses them: Enter in the text breaks the line and leaves the
// editor open; Esc after a change asks message 300, and No empties the text.
TEST_F(NewNameEditorViewTest, EnterBreaksTheLineAndEscAsksBeforeClosing) {
  home_.MakeFile(u"Newname.txt", "ab\r\n");
  prompter_.answers = {PromptAnswer::Cancel, PromptAnswer::No};
  std::u16string afterEnter;
  bool openAfterEnter = false, openAfterCancel = false, closedAfterNo = false;
  std::u16string reopened;
  // Posted, so that the editor's loop takes the key as it takes a typed one: the
  // dialog manager first, then TranslateMessage makes the character.
  auto key = [this](WPARAM vk) { PostMessageW(EditorItem(IDC_NNE_TEXT), WM_KEYDOWN, vk, 1); };
  WithOptions({
      [&] { ClickEdit(); },
      [&] {
        HWND text = EditorItem(IDC_NNE_TEXT);
        SetFocus(text);
        SendMessageW(text, EM_SETSEL, 1, 1);
        key(VK_RETURN);
      },
      [&] {
        afterEnter = Text(EditorItem(IDC_NNE_TEXT));
        openAfterEnter = IsWindowVisible(Editor()) != FALSE;
        key(VK_ESCAPE);
      },
      [&] {
        openAfterCancel = IsWindowVisible(Editor()) != FALSE;
        key(VK_ESCAPE);
      },
      [&] {
        closedAfterNo = !IsWindowVisible(Editor());
        ClickEdit();
      },
      [&] {
        reopened = Text(EditorItem(IDC_NNE_TEXT));
        ClickInEditor(IDC_NNE_CLOSE);
      },
      [&] { SendMessageW(GetDlgItem(Options(), IDC_OPT_CANCEL), BM_CLICK, 0, 0); },
  });
  EXPECT_EQ(afterEnter, u"a\r\nb");
  EXPECT_TRUE(openAfterEnter);
  EXPECT_TRUE(openAfterCancel);
  EXPECT_TRUE(closedAfterNo);
  EXPECT_EQ(prompter_.Texts(), (std::vector<std::u16string>{u"The content changed, do you want to save?",
                                                            u"The content changed, do you want to save?"}));
  // No empties the text; the file is still there, so the next Edit loads it.
  EXPECT_EQ(reopened, u"ab");
  EXPECT_EQ(home_.Read(u"Newname.txt"), "ab\r\n");
}

// The shell's save dialog: found by its title, a name typed into it and confirmed.
HWND FindSaveDialog() { return FindWindowW(L"#32770", ToWide(kSaveDialogTitle).c_str()); }

HWND FindNameBox(HWND dialog) {
  struct Search {
    HWND found = nullptr;
  } search;
  EnumChildWindows(
      dialog,
      [](HWND child, LPARAM data) -> BOOL {
        auto* s = reinterpret_cast<Search*>(data);
        if (ClassOf(child) == L"Edit" && IsWindowVisible(child)) {
          s->found = child;
          return FALSE;
        }
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&search));
  return search.found;
}

TEST_F(NewNameEditorViewTest, SaveDialogAsksBeforeATakenNameAndStaysOpenOnCancel) {
  work_.MakeFile(u"list.txt", "old");
  StringTable texts;
  SaveFileDialog dialog(*fs_, prompter_, texts);
  dialog.SetOwner(Main());
  prompter_.answers = {PromptAnswer::Cancel};
  const std::u16string names[] = {work_ / u"list", work_ / u"fresh"};
  std::size_t confirmed = 0;
  int ticks = 0;
  bool openAfterCancel = false;
  std::u16string title;
  // One tick at a time: wait for the dialog, type the next name and confirm it.
  // After a few seconds without a dialog to drive, it is cancelled, so that the
  // test fails instead of hanging.
  std::function<void()> drive = [&] {
    HWND window = FindSaveDialog();
    HWND box = window ? FindNameBox(window) : nullptr;
    if (!box) {
      if (++ticks < 300) g_steps.push_back(drive);
      else if (window) PostMessageW(window, WM_COMMAND, IDCANCEL, 0);
      return;
    }
    if (confirmed == 1) openAfterCancel = true;
    title = Text(window);
    SetWindowTextW(box, ToWide(names[confirmed]).c_str());
    SendMessageW(window, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(window, IDOK)));
    if (++confirmed < std::size(names)) g_steps.push_back(drive);
  };
  QueueSteps({drive});
  const std::optional<std::u16string> chosen = dialog.ChooseSaveFile(u"");
  ASSERT_GT(confirmed, 0u) << "the save dialog did not open or has no name box";
  EXPECT_EQ(title, u"Select file to save filenames");
  EXPECT_EQ(prompter_.Texts(), std::vector<std::u16string>{u"The file already exists, replace it?"});
  EXPECT_TRUE(openAfterCancel);
  EXPECT_EQ(chosen, std::optional<std::u16string>(work_ / u"fresh.txt"));
}

}  // namespace
}  // namespace renamora::ui::win

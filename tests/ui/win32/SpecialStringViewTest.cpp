// The special-string dialog's window: the bold choice, the token it gives, and what Esc and a refused number bring back.
#include "platform/win32/IncludeWindows.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <utility>

#include "app/StringTable.h"
#include "base/text/NumberText.h"
#include "platform/win32/WideText.h"
#include "support/Fakes.h"
#include "ui/ControlIds.h"
#include "ui/edit/win32/SpecialStringView.h"

namespace renamora::ui::win {
namespace {

// Runs a step from inside the dialog's modal loop: PickSpecialString returns only
// when the dialog closes, so what the user does in it is posted before the call.
class PostedStep {
 public:
  explicit PostedStep(std::function<void()> step) : step_(std::move(step)) {
    WNDCLASSW wc{};
    wc.lpfnWndProc = &PostedStep::Proc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = L"SpecialStringTestStep";
    RegisterClassW(&wc);
    hwnd_ = CreateWindowW(L"SpecialStringTestStep", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, wc.hInstance, nullptr);
    SetWindowLongPtrW(hwnd_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    PostMessageW(hwnd_, WM_APP, 0, 0);
  }
  ~PostedStep() { DestroyWindow(hwnd_); }
  PostedStep(const PostedStep&) = delete;
  PostedStep& operator=(const PostedStep&) = delete;

 private:
  static LRESULT CALLBACK Proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* self = reinterpret_cast<PostedStep*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (message == WM_APP && self) {
      self->step_();
      return 0;
    }
    return DefWindowProcW(hwnd, message, wParam, lParam);
  }
  std::function<void()> step_;
  HWND hwnd_ = nullptr;
};

class SpecialStringViewTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(view_.Create(nullptr)); }
  void TearDown() override { DestroyWindow(Dialog()); }

 public:
  // Public: the rows' steps take the fixture as a parameter.
  HWND Dialog() const { return view_.Handle(); }
  HWND Item(int id) const { return GetDlgItem(Dialog(), id); }
  std::u16string Text(int id) const {
    wchar_t buffer[256] = {};
    GetWindowTextW(Item(id), buffer, 256);
    return FromWide(buffer);
  }
  bool Bold(int id) const {
    LOGFONTW font{};
    GetObjectW(reinterpret_cast<HFONT>(SendMessageW(Item(id), WM_GETFONT, 0, 0)), sizeof(font), &font);
    return font.lfWeight >= FW_BOLD;
  }
  // Types into a box as an edit control reports it.
  void Type(int id, std::u16string_view text) {
    SetWindowTextW(Item(id), ToWide(text).c_str());
    SendMessageW(Dialog(), WM_COMMAND, MAKEWPARAM(id, EN_CHANGE), reinterpret_cast<LPARAM>(Item(id)));
  }
  // The click that would have ended a dialog left open must not end the next one.
  static void DropSafetyClose() {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, WM_COMMAND, WM_COMMAND, PM_REMOVE)) {
    }
  }
  void PostClick(int id) {
    PostMessageW(Dialog(), WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(Item(id)));
  }

  StringTable texts_;
  test::RecordingPrompter prompter_;
  std::unique_ptr<Clock> clock_ = MakeSystemClock();
  SpecialStringController controller_{{texts_, prompter_, *clock_, nullptr}};
  SpecialStringView view_{controller_};
};

TEST_F(SpecialStringViewTest, ClickedKindTurnsBoldAndEnablesItsBoxes) {
  const int kinds[] = {IDC_SS_NUMBERS, IDC_SS_TODAY,  IDC_SS_FILE_DATE, IDC_SS_FILE_SIZE,
                       IDC_SS_FOLDER,  IDC_SS_RANDOM, IDC_SS_LETTERS};
  struct Row {
    const char* label;
    int clicked;
    bool dates, random, letterUpper;
  };
  const Row rows[] = {
      {"today", IDC_SS_TODAY, true, false, false},
      {"random", IDC_SS_RANDOM, false, true, false},
      {"letters", IDC_SS_LETTERS, false, false, true},
      {"back to numbers", IDC_SS_NUMBERS, false, false, false},
  };
  EXPECT_EQ(Bold(IDC_SS_NUMBERS), true);
  EXPECT_EQ(Bold(IDC_SS_TODAY), false);
  for (const Row& row : rows) {
    SCOPED_TRACE(row.label);
    SendMessageW(Item(row.clicked), BM_CLICK, 0, 0);
    for (const int id : kinds) {
      EXPECT_EQ(Bold(id), id == row.clicked) << id;
      EXPECT_EQ(SendMessageW(Item(id), BM_GETCHECK, 0, 0) == BST_CHECKED, id == row.clicked) << id;
    }
    EXPECT_EQ(IsWindowEnabled(Item(IDC_SS_DATES)) != FALSE, row.dates);
    EXPECT_EQ(IsWindowEnabled(Item(IDC_SS_RANDOM_LOWER)) != FALSE, row.random);
    EXPECT_EQ(IsWindowEnabled(Item(IDC_SS_LETTER_UPPER)) != FALSE, row.letterUpper);
  }
}

TEST_F(SpecialStringViewTest, PickGivesTheTokenOfHowTheDialogCloses) {
  struct Row {
    const char* label;
    std::function<void(SpecialStringViewTest&)> close;
    int targetCount;
    std::u16string token;
  };
  const Row rows[] = {
      {"OK, 40 items", [](SpecialStringViewTest& t) { t.PostClick(IDC_SS_OK); }, 40, u"$$"},
      {"OK, 250 items", [](SpecialStringViewTest& t) { t.PostClick(IDC_SS_OK); }, 250, u"$$$"},
      {"Enter", [](SpecialStringViewTest& t) { PostMessageW(t.Dialog(), WM_COMMAND, IDOK, 0); }, 40, u"$$"},
      {"Cancel", [](SpecialStringViewTest& t) { t.PostClick(IDC_SS_CANCEL); }, 40, u""},
      {"file size, then OK",
       [](SpecialStringViewTest& t) {
         PostMessageW(t.Item(IDC_SS_FILE_SIZE), BM_CLICK, 0, 0);
         t.PostClick(IDC_SS_OK);
       },
       40, u"##"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.label);
    row.close(*this);
    // Should the step not close the dialog, this ends it and the check fails instead of hanging.
    PostClick(IDC_SS_CANCEL);
    EXPECT_EQ(view_.PickSpecialString(nullptr, row.targetCount), row.token);
    EXPECT_EQ(IsWindowVisible(Dialog()), FALSE);
    DropSafetyClose();
    SendMessageW(Item(IDC_SS_NUMBERS), BM_CLICK, 0, 0);
  }
}

// The start number typed while the dialog is open (keys into the box), then the dialog closed.
TEST_F(SpecialStringViewTest, ClosingWithoutOkRestoresTheStartNumber) {
  struct Row {
    const char* label;
    std::function<void(SpecialStringViewTest&)> close;
    std::u16string start;
  };
  const Row rows[] = {
      {"Esc in the box",
       [](SpecialStringViewTest& t) { PostMessageW(t.Item(IDC_SS_START), WM_KEYDOWN, VK_ESCAPE, 0); }, u"1"},
      {"Cancel", [](SpecialStringViewTest& t) { t.PostClick(IDC_SS_CANCEL); }, u"1"},
      {"close box", [](SpecialStringViewTest& t) { PostMessageW(t.Dialog(), WM_CLOSE, 0, 0); }, u"1"},
      {"OK", [](SpecialStringViewTest& t) { t.PostClick(IDC_SS_OK); }, u"50"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.label);
    Type(IDC_SS_START, u"1");
    std::u16string typed;
    PostedStep step([&] {
      Type(IDC_SS_START, u"50");
      typed = Text(IDC_SS_START);
      row.close(*this);
      PostClick(IDC_SS_OK);  // ends the dialog should the step not
    });
    view_.PickSpecialString(nullptr, 40);
    DropSafetyClose();
    EXPECT_EQ(typed, u"50");
    EXPECT_EQ(Text(IDC_SS_START), row.start);
    EXPECT_EQ(NumberText(controller_.Settings().StartNumber, 1), row.start);
  }
}

TEST_F(SpecialStringViewTest, RefusedStartNumberShowsTheControllersText) {
  struct Row {
    const char* label;
    std::u16string typed;
    std::u16string shown;
    MessageId message;
  };
  const Row rows[] = {
      {"a letter is taken back", u"a", u"7", 278},
      {"empty is taken back", u"", u"7", 278},
      {"above the maximum", u"20000", u"10000", 277},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.label);
    Type(IDC_SS_START, u"7");
    prompter_.shown.clear();
    Type(IDC_SS_START, row.typed);
    EXPECT_EQ(Text(IDC_SS_START), row.shown);
    ASSERT_EQ(prompter_.shown.size(), 1u);
    EXPECT_EQ(prompter_.shown[0].text.substr(0, texts_.Lookup(row.message).size()), texts_.Lookup(row.message));
  }
}

}  // namespace
}  // namespace renamora::ui::win

// The edit window's view driven by window messages over a recording host: the
// panel of each mode, typed and chosen texts in the request, the sample box's
// mouse selection and press, the window's keys and the mode buttons.
#include "platform/win32/IncludeWindows.h"

#include <commctrl.h>
#include <gtest/gtest.h>
#include <richedit.h>

#include <deque>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/StringTable.h"
#include "base/Paths.h"
#include "platform/win32/WideText.h"
#include "support/Fakes.h"
#include "support/TempFolder.h"
#include "ui/ControlIds.h"
#include "ui/edit/win32/EditWindowView.h"
#include "ui/win32/ModalSteps.h"

namespace renamora::ui::win {
namespace {

class RecordingEditHost final : public EditWindowHost {
 public:
  std::u16string MainStatusText() const override { return u"2 Items"; }
  void SetMainStatusText(std::u16string_view) override {}
  void SetMainSecondStatusText(std::u16string_view) override {}
  bool ListShowsCheckBoxes() const override { return true; }
  std::size_t ListItemCount() const override { return 2; }
  void EmptyList() override {}
  void ReloadList() override {}
  void PutFolderFirst(std::u16string_view) override {}
  void SetPathBox(std::u16string_view) override {}
  void SetFileListMode(FileListMode) override {}
  void AddChosenFiles(const std::vector<std::u16string>&) override {}
  void RestoreMainWindow() override {}
  void StopMainStatusTimer() override {}
  void StartMainStatusTimer() override {}
  std::u16string Probe(const EditRequest&) override { return probeAnswer; }
  std::optional<FocusBox> Rename(EditRequest& request) override {
    renames.push_back(request);
    return std::nullopt;
  }
  std::optional<FocusBox> Preview(EditRequest& request) override {
    previews.push_back(request);
    return std::nullopt;
  }
  std::u16string PickSpecialString(int) override { return {}; }
  void ClosePreviewWindowIfVisible() override {}
  void ShowHelp(std::u16string_view topic) override { helpTopics.emplace_back(topic); }
  void OpenVendorPage(std::u16string_view) override {}
  void CopyToClipboard(std::u16string_view) override {}
  bool Autocopy() const override { return autocopy; }
  void SetAutocopy(bool on) override { autocopy = on; }
  bool ShowResultsAfterRename() const override { return true; }
  void LoadSettings() override {}
  std::vector<std::u16string> NewNameHistory() const override { return {u"first_", u"second_"}; }
  void WriteUndoLog() override {}

  std::u16string probeAnswer;
  bool autocopy = true;
  std::vector<EditRequest> renames, previews;
  std::vector<std::u16string> helpTopics;
};

class EditWindowViewTest : public ::testing::Test {
 protected:
  EditWindowViewTest() : fs_(MakeSystemFileSystem()), work_(*fs_) {}
  void SetUp() override {
    work_.MakeFile(u"abcdef.txt");
    work_.MakeFile(u"photo.jpg");
    ASSERT_TRUE(view_.Create(nullptr));
  }
  void TearDown() override { DestroyWindow(view_.Handle()); }

  // An edit of the work folder in the given mode, its sample the given file.
  void StartEdit(std::u16string_view mode, std::u16string_view sampleName) {
    program_.CurrentMode = mode;
    program_.TargetFolder = work_.Path() + std::u16string(1, kPathSeparator);
    program_.SamplePath = work_ / sampleName;
    host_.probeAnswer = program_.SamplePath;
  }
  HWND Window() { return view_.Handle(); }
  HWND Item(int id) { return GetDlgItem(Window(), id); }
  std::u16string TextOf(HWND hwnd) {
    wchar_t buffer[512] = {};
    GetWindowTextW(hwnd, buffer, 512);
    return FromWide(buffer);
  }
  void Type(int id, std::u16string_view text) {
    SetWindowTextW(Item(id), ToWide(text).c_str());
    wchar_t className[32] = {};
    GetClassNameW(Item(id), className, 32);
    const WORD code = lstrcmpiW(className, L"ComboBox") == 0 ? CBN_EDITCHANGE : EN_CHANGE;
    SendMessageW(Window(), WM_COMMAND, MAKEWPARAM(id, code), reinterpret_cast<LPARAM>(Item(id)));
  }
  void Choose(int id, int index) {
    SendMessageW(Item(id), CB_SETCURSEL, static_cast<WPARAM>(index), 0);
    SendMessageW(Window(), WM_COMMAND, MAKEWPARAM(id, CBN_SELCHANGE), reinterpret_cast<LPARAM>(Item(id)));
  }
  void Click(int id) { SendMessageW(Item(id), BM_CLICK, 0, 0); }
  // A real left click in the sample box in front of the character at `index`.
  void PressSampleAt(int index) {
    HWND sample = Item(IDC_EDIT_SAMPLE);
    POINTL at{};
    SendMessageW(sample, EM_POSFROMCHAR, reinterpret_cast<WPARAM>(&at), index);
    const LPARAM where = MAKELPARAM(at.x + 1, at.y + 3);
    SendMessageW(sample, WM_LBUTTONDOWN, MK_LBUTTON, where);
    SendMessageW(sample, WM_LBUTTONUP, 0, where);
  }
  static void SetControlKey(bool down) {
    BYTE keys[256] = {};
    GetKeyboardState(keys);
    keys[VK_CONTROL] = keys[VK_LCONTROL] = down ? 0x80 : 0;
    SetKeyboardState(keys);
  }
  // Opens the window modally; `steps` run inside it, then Back closes it (unless a
  // step closed it already). Gives what the modal call returned.
  int RunModal(ModalSteps& steps) {
    steps.Then([this] {
      if (IsWindowVisible(Window())) Click(IDC_EDIT_BACK);
    });
    return view_.Open(nullptr, true);
  }
  std::u16string T(MessageId id) const { return texts_.Lookup(id); }

  std::unique_ptr<FileSystem> fs_;
  test::TempFolder work_;
  StringTable texts_;
  test::RecordingPrompter prompter_;
  Win32Timers timers_;
  RecordingEditHost host_;
  ProgramState program_;
  RunState run_;
  EditWindowController controller_{{*fs_, texts_, prompter_, timers_, host_, program_, run_}};
  EditWindowView view_{controller_, timers_};
};

// One control that only its own panel shows, per mode.
struct PanelOfMode {
  const char* label;
  std::u16string_view mode;
  int control;
};
constexpr PanelOfMode kPanels[] = {
    {"remove", EditMode::kRemove, IDC_EDIT_REMOVE_STRINGS},
    {"replace", EditMode::kReplace, IDC_EDIT_REPLACE_STRING},
    {"insert", EditMode::kInsert, IDC_EDIT_INSERT_TO_POSITION},
    {"change", EditMode::kChange, IDC_EDIT_CHANGE_NEW_NAME},
    {"extension", EditMode::kExtension, IDC_EDIT_EXT_CHANGE},
    {"save", EditMode::kSaveAll, IDC_EDIT_SAVE_ONE_LAYER},
};

TEST_F(EditWindowViewTest, OpensOnThePanelOfItsModeOnly) {
  for (const PanelOfMode& row : kPanels) {
    SCOPED_TRACE(row.label);
    StartEdit(row.mode, u"abcdef.txt");
    ModalSteps steps;
    steps.Then([&] {
      for (const PanelOfMode& other : kPanels) {
        EXPECT_EQ(IsWindowVisible(Item(other.control)) != FALSE, other.control == row.control)
            << "control " << other.control;
      }
      EXPECT_EQ(IsWindowVisible(Item(IDC_EDIT_RENAME)) != FALSE, row.mode != EditMode::kSaveAll);
      EXPECT_EQ(IsWindowVisible(Item(IDC_EDIT_ABOUT_BACK)), FALSE);
    });
    EXPECT_EQ(RunModal(steps), kEditWindowClosed);
    EXPECT_FALSE(IsWindowVisible(Window()));
  }
}

TEST_F(EditWindowViewTest, TypedAndChosenTextsReachTheRequest) {
  struct Row {
    const char* label;
    std::u16string_view mode;
    int control;
    std::u16string typed;  // typed into the box, or else
    int chosen;            // the list's item chosen
    std::function<std::u16string(const EditRequest&)> field;
    std::u16string expected;
  };
  const Row rows[] = {
      {"typed into a plain box", EditMode::kRemove, IDC_EDIT_REMOVE_STRING1, u"x", -1,
       [](const EditRequest& r) { return r.Remove.Strings[0]; }, u"x"},
      {"typed into a template box", EditMode::kInsert, IDC_EDIT_INSERT_HEAD_TEXT, u"pre_", -1,
       [](const EditRequest& r) { return r.Insert.HeadTemplate; }, u"pre_"},
      {"chosen from a template box's history", EditMode::kInsert, IDC_EDIT_INSERT_HEAD_TEXT, u"", 1,
       [](const EditRequest& r) { return r.Insert.HeadTemplate; }, u"second_"},
      {"chosen from the change box's history", EditMode::kChange, IDC_EDIT_CHANGE_NEW_NAME_TEXT, u"", 0,
       [](const EditRequest& r) { return r.Change.NewNameTemplate; }, u"first_"},
      {"chosen from the type filter", EditMode::kRemove, IDC_EDIT_TYPE_FILTER, u"", 1,
       [](const EditRequest& r) { return r.TypeFilter; }, u"txt,doc"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.label);
    host_.renames.clear();
    StartEdit(row.mode, u"abcdef.txt");
    ModalSteps steps;
    steps.Then([&] {
      row.chosen >= 0 ? Choose(row.control, row.chosen) : Type(row.control, row.typed);
      Click(IDC_EDIT_RENAME);
    });
    RunModal(steps);
    ASSERT_EQ(host_.renames.size(), 1u);
    EXPECT_EQ(row.field(host_.renames[0]), row.expected);
  }
}

TEST_F(EditWindowViewTest, MouseOnTheSampleBox) {
  struct Row {
    const char* label;
    std::u16string_view mode;
    std::u16string_view sample;
    int pressAt;
    int selectFrom, selectTo;  // an EM_SETSEL after the press; -1: none
    int box;                   // the box the selection is copied into; 0: none
    std::u16string boxText;
    int pressedBox;      // a box pressed afterwards; 0: none
    int cursorPosition;  // the request's after Rename
    int selectionLength;
  };
  const Row rows[] = {
      {"a selection is copied into Remove String 1", EditMode::kRemove, u"abcdef.txt", 2, 2, 4,
       IDC_EDIT_REMOVE_STRING1, u"cd", 0, 0, 2},
      {"a selection is copied into the New name template box", EditMode::kChange, u"abcdef.txt", 2, 2, 4,
       IDC_EDIT_CHANGE_NEW_NAME_TEXT, u"cd", 0, 0, 2},
      {"a press in an input box takes the mark away", EditMode::kRemove, u"abcdef.txt", 2, 2, 4,
       IDC_EDIT_REMOVE_STRING1, u"cd", IDC_EDIT_REMOVE_STRING2, 0, 0},
      {"a click after 'pho' is the CURSOR position 4", EditMode::kInsert, u"photo.jpg", 3, -1, -1, 0, u"", 0, 4, 0},
      // Pressed elsewhere than the last row: two presses at one place are a double click.
      {"a click in another panel sets no position", EditMode::kReplace, u"photo.jpg", 1, -1, -1, 0, u"", 0, 0, 0},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.label);
    host_.renames.clear();
    StartEdit(row.mode, row.sample);
    ModalSteps steps;
    steps.Then([&] {
      PressSampleAt(row.pressAt);
      if (row.selectFrom >= 0) SendMessageW(Item(IDC_EDIT_SAMPLE), EM_SETSEL, row.selectFrom, row.selectTo);
      if (row.box != 0) {
        EXPECT_EQ(TextOf(Item(row.box)), row.boxText);
      }
      if (row.pressedBox != 0) {
        SendMessageW(Item(row.pressedBox), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(3, 3));
        SendMessageW(Item(row.pressedBox), WM_LBUTTONUP, 0, MAKELPARAM(3, 3));
      }
      // The box shows the mark the controller holds.
      CHARRANGE shown{};
      SendMessageW(Item(IDC_EDIT_SAMPLE), EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&shown));
      EXPECT_EQ(shown.cpMax - shown.cpMin, row.selectionLength);
      Click(IDC_EDIT_RENAME);
    });
    RunModal(steps);
    ASSERT_EQ(host_.renames.size(), 1u);
    EXPECT_EQ(host_.renames[0].Sample.CursorPosition, row.cursorPosition);
    EXPECT_EQ(host_.renames[0].Sample.SelectionLength, row.selectionLength);
  }
}

TEST_F(EditWindowViewTest, CtrlKeysActOnlyWhileTheEditWindowIsActive) {
  struct Row {
    const char* label;
    WPARAM key;
    bool control;
    bool otherWindowActive;
    std::size_t renames, previews, helps;
    bool closedByKey;
  };
  const Row rows[] = {
      {"Ctrl+R renames", 'R', true, false, 1, 0, 0, false},
      {"Ctrl+P previews", 'P', true, false, 0, 1, 0, false},
      {"Ctrl+E goes back", 'E', true, false, 0, 0, 0, true},
      {"R alone is no command", 'R', false, false, 0, 0, 0, false},
      {"F1 opens the help", VK_F1, false, false, 0, 0, 1, false},
      {"Ctrl+R in another window does nothing", 'R', true, true, 0, 0, 0, false},
      {"Ctrl+P in another window does nothing", 'P', true, true, 0, 0, 0, false},
  };
  HWND other = CreateWindowExW(0, L"STATIC", L"another program", WS_OVERLAPPEDWINDOW, 0, 0, 200, 100, nullptr,
                               nullptr, GetModuleHandleW(nullptr), nullptr);
  for (const Row& row : rows) {
    SCOPED_TRACE(row.label);
    host_.renames.clear();
    host_.previews.clear();
    host_.helpTopics.clear();
    StartEdit(EditMode::kRemove, u"abcdef.txt");
    bool stillOpen = false;
    ModalSteps steps;
    steps.Then([&] {
      HWND target = Window();
      if (row.otherWindowActive) {
        ShowWindow(other, SW_SHOW);
        SetActiveWindow(other);
        target = other;
      }
      EXPECT_EQ(GetActiveWindow(), target);
      SetControlKey(row.control);
      PostMessageW(target, WM_KEYDOWN, row.key, 1);
      // Behind the key; the window's loop never runs it when the key closed it.
      steps.Then([&] {
        stillOpen = true;
        Click(IDC_EDIT_BACK);
      });
    });
    EXPECT_EQ(view_.Open(nullptr, true), kEditWindowClosed);
    SetControlKey(false);
    ShowWindow(other, SW_HIDE);
    EXPECT_EQ(host_.renames.size(), row.renames);
    EXPECT_EQ(host_.previews.size(), row.previews);
    EXPECT_EQ(host_.helpTopics.size(), row.helps);
    EXPECT_EQ(!stillOpen, row.closedByKey);
  }
  DestroyWindow(other);
}

TEST_F(EditWindowViewTest, ShownWithoutItsOwnLoopItTakesItsKeysFromTheProgramsLoop) {
  struct Row {
    const char* label;
    WPARAM key;
    bool control;
    std::size_t renames;
    bool shownAfterKey;
  };
  const Row rows[] = {
      {"Ctrl+R renames", 'R', true, 1, true},
      {"Esc goes back and the window hides", VK_ESCAPE, false, 0, false},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.label);
    host_.renames.clear();
    StartEdit(EditMode::kRemove, u"abcdef.txt");
    EXPECT_EQ(view_.Open(nullptr, false), 0);
    ASSERT_TRUE(IsWindowVisible(Window()));
    SetFocus(Item(IDC_EDIT_REMOVE_STRING1));
    SetControlKey(row.control);
    MSG msg{GetFocus(), WM_KEYDOWN, row.key, 1, 0, {}};
    EXPECT_TRUE(view_.PreTranslate(msg));
    SetControlKey(false);
    EXPECT_EQ(host_.renames.size(), row.renames);
    EXPECT_EQ(IsWindowVisible(Window()) != FALSE, row.shownAfterKey);
    // The end of a run closes the edit from outside: the window follows.
    controller_.Close();
    view_.Refresh();
    EXPECT_FALSE(IsWindowVisible(Window()));
  }
}

TEST_F(EditWindowViewTest, ModeButtonsSwitchThePanelAndTheCaption) {
  struct Row {
    int button;
    MessageId caption;
    int panelControl;
  };
  const Row rows[] = {
      {IDC_EDIT_MODE_REPLACE, 1, IDC_EDIT_REPLACE_STRING},  {IDC_EDIT_MODE_INSERT, 2, IDC_EDIT_INSERT_TO_POSITION},
      {IDC_EDIT_MODE_CHANGE, 3, IDC_EDIT_CHANGE_NEW_NAME},  {IDC_EDIT_MODE_EXTENSION, 4, IDC_EDIT_EXT_CHANGE},
      {IDC_EDIT_MODE_REMOVE, 0, IDC_EDIT_REMOVE_STRINGS},
  };
  StartEdit(EditMode::kSaveAll, u"abcdef.txt");
  ModalSteps steps;
  steps.Then([&] {
    for (const Row& row : rows) {
      SCOPED_TRACE(row.button);
      Click(row.button);
      EXPECT_EQ(TextOf(Window()), T(row.caption) + u" - Renamora");
      EXPECT_TRUE(IsWindowVisible(Item(row.panelControl)));
      EXPECT_FALSE(IsWindowVisible(Item(IDC_EDIT_SAVE_ONE_LAYER)));
      // Every panel but the Save panel stands below the scope group.
      RECT box{};
      GetWindowRect(Item(row.panelControl), &box);
      RECT scope{};
      GetWindowRect(Item(IDC_EDIT_SCOPE), &scope);
      EXPECT_GT(box.top, scope.bottom);
    }
  });
  RunModal(steps);
}

TEST_F(EditWindowViewTest, EveryControlOfThePanelsIsAWindowOfItsKind) {
  struct Expected {
    PanelControlKind kind;
    const wchar_t* className;
    LONG typeStyle;  // the class's own type bits
    LONG typeMask;
  };
  const Expected table[] = {
      {PanelControlKind::Edit, L"Edit", 0, 0},
      {PanelControlKind::TemplateCombo, L"ComboBox", CBS_DROPDOWN, 3},
      {PanelControlKind::DropDownList, L"ComboBox", CBS_DROPDOWNLIST, 3},
      {PanelControlKind::Radio, L"Button", BS_RADIOBUTTON, BS_TYPEMASK},
      {PanelControlKind::CheckBox, L"Button", BS_AUTOCHECKBOX, BS_TYPEMASK},
      {PanelControlKind::Group, L"Button", BS_GROUPBOX, BS_TYPEMASK},
      {PanelControlKind::Button, L"Button", BS_PUSHBUTTON, BS_TYPEMASK},
      {PanelControlKind::Label, L"Static", 0, 0},
  };
  const EditPanels& panels = controller_.Panels();
  for (const int id : panels.ControlIds()) {
    if (panels.Kind(id) == PanelControlKind::Panel) continue;
    SCOPED_TRACE(id);
    HWND control = Item(id);
    ASSERT_NE(control, nullptr);
    for (const Expected& e : table) {
      if (e.kind != panels.Kind(id)) continue;
      wchar_t className[32] = {};
      GetClassNameW(control, className, 32);
      EXPECT_EQ(lstrcmpiW(className, e.className), 0);
      EXPECT_EQ(GetWindowLongW(control, GWL_STYLE) & e.typeMask, e.typeStyle);
    }
  }
}

}  // namespace
}  // namespace renamora::ui::win

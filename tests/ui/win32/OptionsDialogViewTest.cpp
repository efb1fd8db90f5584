// The options dialog as a user drives it from the main window: real windows,
// messages sent while its modal loop runs, Settings.ini on disk.
#include "platform/win32/IncludeWindows.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <string>

#include "platform/win32/WideText.h"
#include "support/Fakes.h"
#include "support/TempFolder.h"
#include "ui/ControlIds.h"
#include "ui/frame/win32/DesktopProgram.h"
#include "ui/win32/ProgramFixture.h"

namespace renamora::ui::win {
namespace {

using test::RecordingPrompter;
using test::TempFolder;

// What a test does while the dialog is open; it must close the dialog.
std::function<void()> g_whileOpen;

void CALLBACK RunWhileOpen(HWND, UINT, UINT_PTR timer, DWORD) {
  KillTimer(nullptr, timer);
  auto steps = std::move(g_whileOpen);
  g_whileOpen = nullptr;
  if (steps) steps();
}

// A 24-bit bitmap file of 2 by 2 pixels: red, with a blue bottom-left pixel,
// the colour a glyph bitmap leaves transparent.
std::string RedGlyphBitmap() {
  auto le = [](std::string& out, std::uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) out += static_cast<char>((value >> (8 * i)) & 0xFF);
  };
  std::string file = "BM";
  le(file, 14 + 40 + 16, 4);
  le(file, 0, 4);
  le(file, 14 + 40, 4);
  le(file, 40, 4);
  le(file, 2, 4);
  le(file, 2, 4);
  le(file, 1, 2);
  le(file, 24, 2);
  for (int i = 0; i < 6; ++i) le(file, 0, 4);
  // Rows bottom-up, blue green red, each padded to four bytes.
  file += std::string("\xFF\x00\x00\x00\x00\xFF\x00\x00", 8);
  file += std::string("\x00\x00\xFF\x00\x00\xFF\x00\x00", 8);
  return file;
}

// The colour at the middle of a button's glyph, drawn on white.
COLORREF GlyphCentre(HWND button) {
  BUTTON_IMAGELIST list{};
  if (!SendMessageW(button, BCM_GETIMAGELIST, 0, reinterpret_cast<LPARAM>(&list)) || !list.himl) return CLR_INVALID;
  int width = 0, height = 0;
  ImageList_GetIconSize(list.himl, &width, &height);
  HDC screen = GetDC(nullptr);
  HDC dc = CreateCompatibleDC(screen);
  HBITMAP canvas = CreateCompatibleBitmap(screen, width, height);
  HGDIOBJ old = SelectObject(dc, canvas);
  RECT all{0, 0, width, height};
  FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
  ImageList_Draw(list.himl, 0, dc, 0, 0, ILD_NORMAL);
  const COLORREF colour = GetPixel(dc, width / 2, height / 2);
  SelectObject(dc, old);
  DeleteObject(canvas);
  DeleteDC(dc);
  ReleaseDC(nullptr, screen);
  return colour;
}

class OptionsDialogViewTest : public ProgramFixture {
 protected:
  HWND Dialog() { return program_->OptionsDialog().Handle(); }
  HWND Item(int id) { return GetDlgItem(Dialog(), id); }
  // The Options button of the main window; `steps` run inside the dialog's loop.
  void OpenOptions(std::function<void()> steps) {
    g_whileOpen = std::move(steps);
    SetTimer(nullptr, 0, 10, &RunWhileOpen);
    SendMessageW(GetDlgItem(Main(), IDC_MAIN_OPTIONS), BM_CLICK, 0, 0);
    Pump();
  }
  void Click(int id) { SendMessageW(Item(id), BM_CLICK, 0, 0); }
  void Type(int id, std::u16string_view text) {
    SetWindowTextW(Item(id), ToWide(text).c_str());
    SendMessageW(Dialog(), WM_COMMAND, MAKEWPARAM(id, EN_CHANGE), reinterpret_cast<LPARAM>(Item(id)));
  }
  void Arrow(int spinId, int delta) {
    NMUPDOWN step{};
    step.hdr = {Item(spinId), static_cast<UINT_PTR>(spinId), UDN_DELTAPOS};
    step.iDelta = delta;
    SendMessageW(Dialog(), WM_NOTIFY, static_cast<WPARAM>(spinId), reinterpret_cast<LPARAM>(&step));
  }
  std::u16string Text(HWND window) {
    wchar_t buffer[512] = {};
    GetWindowTextW(window, buffer, 512);
    return FromWide(buffer);
  }
  static bool HasVisibleStyle(HWND window) { return (GetWindowLongW(window, GWL_STYLE) & WS_VISIBLE) != 0; }
  std::u16string MissingLibraryMessage() { return u"Can not find " + (home_ / u"Renamorashell.dll"); }

};

TEST_F(OptionsDialogViewTest, OptionsButtonShowsTheDialogModallyWithTheGeneralPage) {
  bool ownerDisabled = false;
  bool shown = false;
  int tabs = 0;
  std::u16string caption;
  bool generalShown = false, renameShown = true;
  OpenOptions([&] {
    shown = IsWindowVisible(Dialog()) != FALSE;
    ownerDisabled = IsWindowEnabled(Main()) == FALSE;
    caption = Text(Dialog());
    tabs = static_cast<int>(SendMessageW(Item(IDC_OPT_TABS), TCM_GETITEMCOUNT, 0, 0));
    generalShown = HasVisibleStyle(Item(IDC_OPT_EXIT_AFTER));
    renameShown = HasVisibleStyle(Item(IDC_OPT_PREVIEW_NUMBER));
    Click(IDC_OPT_CANCEL);
  });
  EXPECT_TRUE(shown);
  EXPECT_TRUE(ownerDisabled);
  EXPECT_EQ(caption, u"Options");
  EXPECT_EQ(tabs, 5);
  EXPECT_TRUE(generalShown);
  EXPECT_FALSE(renameShown);
  EXPECT_FALSE(IsWindowVisible(Dialog()));
  EXPECT_TRUE(IsWindowEnabled(Main()));
  wchar_t className[16] = {};
  GetClassNameW(Dialog(), className, 16);
  EXPECT_EQ(std::wstring(className), L"TForm7");
  EXPECT_TRUE(prompter_.shown.empty());
}

TEST_F(OptionsDialogViewTest, PreviewNumberKeepsToItsRangeWhenTypedAndWithTheArrows) {
  struct Row {
    const char* name;
    std::u16string typed;
    int arrow;  // 0: none
    std::u16string shown;
    std::vector<std::u16string> messages;
  };
  const std::vector<Row> rows = {
      {"typed over the maximum", u"1500", 0, u"1000", {u"Sorry! Maximum is 1000."}},
      {"arrow up", u"20", +1, u"21", {}},
      {"arrow up at the maximum", u"1000", +1, u"1000", {}},
      {"arrow down at the minimum", u"1", -1, u"1", {}},
      {"arrow on an empty box", u"", +1, u"1", {}},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    prompter_.shown.clear();
    std::u16string shown;
    OpenOptions([&] {
      Type(IDC_OPT_PREVIEW_NUMBER, row.typed);
      if (row.arrow != 0) Arrow(IDC_OPT_PREVIEW_SPIN, row.arrow);
      shown = Text(Item(IDC_OPT_PREVIEW_NUMBER));
      Click(IDC_OPT_CANCEL);
    });
    EXPECT_EQ(shown, row.shown);
    EXPECT_EQ(prompter_.Texts(), row.messages);
  }
}

TEST_F(OptionsDialogViewTest, FirstStatusTickLoadsTheDialogAndDefaultThenCancelStoresNothing) {
  home_.MakeFile(u"Settings.ini", "[Option]\r\nOptions1=1\r\nOptions3=0\r\nPrenum=55\r\n");
  const std::string before = home_.Read(u"Settings.ini");
  SendMessageW(Main(), WM_TIMER, IDT_STATUS, 0);
  std::u16string loaded, afterDefault;
  bool exitCheckedAfterDefault = true;
  OpenOptions([&] {
    loaded = Text(Item(IDC_OPT_PREVIEW_NUMBER));
    Click(IDC_OPT_DEFAULT);
    afterDefault = Text(Item(IDC_OPT_PREVIEW_NUMBER));
    exitCheckedAfterDefault = SendMessageW(Item(IDC_OPT_EXIT_AFTER), BM_GETCHECK, 0, 0) == BST_CHECKED;
    Click(IDC_OPT_CANCEL);
  });
  EXPECT_EQ(loaded, u"55");
  EXPECT_EQ(afterDefault, u"20");
  EXPECT_FALSE(exitCheckedAfterDefault);
  EXPECT_EQ(home_.Read(u"Settings.ini"), before);
  EXPECT_EQ(Text(Item(IDC_OPT_PREVIEW_NUMBER)), u"55");
  EXPECT_EQ(SendMessageW(Item(IDC_OPT_EXIT_AFTER), BM_GETCHECK, 0, 0), BST_CHECKED);
}

TEST_F(OptionsDialogViewTest, CheckBoxesOffAndOkHidesTheCheckAllBoxAndStoresTheOtherSettingsDespiteTheMissingLibrary) {
  ASSERT_TRUE(HasVisibleStyle(GetDlgItem(Main(), IDC_MAIN_CHECKALL)));
  OpenOptions([&] {
    Click(IDC_OPT_CHECKBOXES);
    Click(IDC_OPT_OK);
  });
  EXPECT_FALSE(HasVisibleStyle(GetDlgItem(Main(), IDC_MAIN_CHECKALL)));
  const std::string stored = home_.Read(u"Settings.ini");
  EXPECT_NE(stored.find("Checkbox=0"), std::string::npos) << stored;
  EXPECT_NE(stored.find("Prenum=20"), std::string::npos) << stored;
  // The Explorer library is not there: the user is told, the rest is stored.
  EXPECT_EQ(prompter_.Texts(), (std::vector<std::u16string>{MissingLibraryMessage()}));
  EXPECT_EQ(stored.find("Registereddll"), std::string::npos) << stored;
}

TEST_F(OptionsDialogViewTest, ChosenIconSetIsStoredAndItsBitmapsReplaceOnlyTheirButtonsGlyphs) {
  home_.MakeFolder(u"Icons");
  home_.MakeFolder(u"Icons\\Red");
  home_.MakeFile(u"Icons\\Red\\Remove.bmp", RedGlyphBitmap());
  home_.MakeFile(u"Icons\\Red\\OK.bmp", RedGlyphBitmap());
  HWND remove = GetDlgItem(Main(), IDC_MAIN_REMOVE);
  HWND replace = GetDlgItem(Main(), IDC_MAIN_REPLACE);
  const COLORREF replaceBefore = GlyphCentre(replace);
  ASSERT_NE(replaceBefore, CLR_INVALID);
  ASSERT_NE(GlyphCentre(remove), RGB(255, 0, 0));
  std::vector<std::u16string> offered;
  OpenOptions([&] {
    HWND sets = Item(IDC_OPT_ICON_SETS);
    for (int i = 0; i < static_cast<int>(SendMessageW(sets, LB_GETCOUNT, 0, 0)); ++i) {
      wchar_t text[64] = {};
      SendMessageW(sets, LB_GETTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(text));
      offered.push_back(FromWide(text));
    }
    SendMessageW(sets, LB_SETCURSEL, 1, 0);
    SendMessageW(Dialog(), WM_COMMAND, MAKEWPARAM(IDC_OPT_ICON_SETS, LBN_SELCHANGE), reinterpret_cast<LPARAM>(sets));
    Click(IDC_OPT_OK);
  });
  EXPECT_EQ(offered, (std::vector<std::u16string>{u"Zidov (default)", u"Red"}));
  EXPECT_NE(home_.Read(u"Settings.ini").find("Icon=Red"), std::string::npos);
  EXPECT_EQ(GlyphCentre(remove), RGB(255, 0, 0));
  EXPECT_EQ(GlyphCentre(replace), replaceBefore);
  // The edit window's buttons of the same names, its OK on Rename, and the
  // preview's Rename take the set's pictures too.
  HWND edit = program_->EditWindow().Handle();
  EXPECT_EQ(GlyphCentre(GetDlgItem(edit, IDC_EDIT_MODE_REMOVE)), RGB(255, 0, 0));
  EXPECT_EQ(GlyphCentre(GetDlgItem(edit, IDC_EDIT_RENAME)), RGB(255, 0, 0));
  EXPECT_NE(GlyphCentre(GetDlgItem(edit, IDC_EDIT_MODE_REPLACE)), RGB(255, 0, 0));
  EXPECT_EQ(GlyphCentre(program_->Preview().RenameButton()), RGB(255, 0, 0));
}

TEST_F(OptionsDialogViewTest, EnterActsAsOkOnlyFromTheControlsThatTakeIt) {
  struct Row {
    const char* name;
    int focused;
    bool closesWithOk;
  };
  const Row rows[] = {
      {"number box", IDC_OPT_PREVIEW_NUMBER, true},
      {"Exit program after rename", IDC_OPT_EXIT_AFTER, true},
      {"Play sound after rename", IDC_OPT_END_SOUND, false},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    static_cast<void>(fs_->DeleteFile(home_ / u"Settings.ini"));
    bool stillOpen = false;
    OpenOptions([&] {
      HWND control = Item(row.focused);
      SetFocus(control);
      PostMessageW(control, WM_KEYDOWN, VK_RETURN, 0);
      // Runs after the key: the dialog either closed or stays for Cancel.
      g_whileOpen = [&] {
        stillOpen = IsWindowVisible(Dialog()) != FALSE;
        if (stillOpen) Click(IDC_OPT_CANCEL);
      };
      SetTimer(nullptr, 0, 10, &RunWhileOpen);
    });
    // After an OK the second step finds no dialog to look at.
    g_whileOpen = nullptr;
    EXPECT_EQ(fs_->IsFile(home_ / u"Settings.ini"), row.closesWithOk);
    EXPECT_EQ(stillOpen, !row.closesWithOk);
  }
}

}  // namespace
}  // namespace renamora::ui::win

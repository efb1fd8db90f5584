// Shows the desktop program's windows one after another for scripts/screenshots.sh:
// for each window it writes "<name>.ready" holding the window's caption into the
// exchange folder and waits for "<name>.done" from the script, which photographs
// the window in between. Usage: renamora_screenshots EXCHANGE_FOLDER DEMO_FOLDER
#include "platform/win32/IncludeWindows.h"

#include <commctrl.h>
#include <objbase.h>
#include <shellapi.h>

#include <functional>
#include <string>
#include <vector>

#include "platform/win32/WideText.h"
#include "ui/ControlIds.h"
#include "ui/frame/win32/DesktopProgram.h"

namespace {

using namespace renamora;

std::wstring g_exchange;

// Tells the script that a window is ready and waits (pumping messages, so the
// window paints) until it has been photographed, or 20 seconds have passed.
void Photograph(const std::wstring& name, HWND window) {
  RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN | RDW_FRAME);
  const DWORD settle = GetTickCount();
  while (GetTickCount() - settle < 400) {
    ui::win::PumpPending();
    Sleep(20);
  }
  wchar_t caption[256] = {};
  GetWindowTextW(window, caption, 256);
  std::string text;
  for (const wchar_t* c = caption; *c; ++c) text += *c < 0x80 ? static_cast<char>(*c) : '?';
  const std::wstring readyPath = g_exchange + L"\\" + name + L".ready";
  HANDLE ready = CreateFileW(readyPath.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  if (ready != INVALID_HANDLE_VALUE) {
    DWORD written = 0;
    WriteFile(ready, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
    CloseHandle(ready);
  }
  const std::wstring done = g_exchange + L"\\" + name + L".done";
  const DWORD start = GetTickCount();
  while (GetFileAttributesW(done.c_str()) == INVALID_FILE_ATTRIBUTES && GetTickCount() - start < 20000) {
    ui::win::PumpPending();
    Sleep(50);
  }
}

// A modal dialog is photographed from inside its own loop: a timer fires once
// it shows, and then its Cancel button is pressed.
struct ModalShot {
  std::wstring name;
  HWND window = nullptr;
  int cancelId = 0;
};
ModalShot g_modal;

void PhotographModal(std::wstring name, HWND window, int cancelId, const std::function<void()>& open) {
  g_modal = {std::move(name), window, cancelId};
  SetTimer(nullptr, 0, 300, [](HWND, UINT, UINT_PTR id, DWORD) {
    KillTimer(nullptr, id);
    Photograph(g_modal.name, g_modal.window);
    PostMessageW(g_modal.window, WM_COMMAND, MAKEWPARAM(g_modal.cancelId, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(g_modal.window, g_modal.cancelId)));
  });
  open();
}

// Steps run from inside a modal window's own loop: a timer starts them once the
// window shows.
std::function<void()> g_script;

void RunInModal(std::function<void()> script, const std::function<void()>& open) {
  g_script = std::move(script);
  SetTimer(nullptr, 0, 300, [](HWND, UINT, UINT_PTR id, DWORD) {
    KillTimer(nullptr, id);
    auto steps = std::move(g_script);
    g_script = nullptr;
    if (steps) steps();
  });
  open();
}

// Types into a box as the control itself reports it.
void Type(HWND window, int id, const wchar_t* text) {
  HWND box = GetDlgItem(window, id);
  SetWindowTextW(box, text);
  wchar_t kind[32] = {};
  GetClassNameW(box, kind, 32);
  const WORD code = lstrcmpiW(kind, L"ComboBox") == 0 ? CBN_EDITCHANGE : EN_CHANGE;
  SendMessageW(window, WM_COMMAND, MAKEWPARAM(id, code), reinterpret_cast<LPARAM>(box));
}

void Click(HWND window, int id) { SendMessageW(GetDlgItem(window, id), BM_CLICK, 0, 0); }

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
  INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES | ICC_TAB_CLASSES};
  InitCommonControlsEx(&controls);
  int argc = 0;
  LPWSTR* argv = CommandLineToArgvW(GetCommandLineW(), &argc);
  if (!argv || argc < 3) return 2;
  g_exchange = argv[1];
  const std::wstring demo = argv[2];
  LocalFree(argv);

  ui::win::DesktopSetup setup;
  setup.arguments = {u"Renamora.exe"};
  // The exchange folder is the program's data folder: no settings of earlier runs.
  setup.programFile = FromWide(g_exchange) + u"\\Renamora.exe";
  ui::win::DesktopProgram program(std::move(setup));
  if (!program.Start()) return 1;
  HWND main = program.MainWindow().Handle();

  // The quick start window over the empty main window, as at a first start.
  SendMessageW(main, WM_TIMER, IDT_STATUS, 0);
  Photograph(L"quick-start", program.QuickStart().Handle());

  // The main window listing the demo folder, two items selected.
  HWND box = GetDlgItem(main, IDC_MAIN_PATHBOX);
  SetWindowTextW(box, demo.c_str());
  SendMessageW(main, WM_COMMAND, MAKEWPARAM(IDC_MAIN_PATHBOX, CBN_EDITCHANGE), reinterpret_cast<LPARAM>(box));
  program.Browser().ListPathBox();
  program.MainWindow().Refresh();
  HWND list = GetDlgItem(main, IDC_MAIN_LIST);
  ListView_SetItemState(list, 3, LVIS_SELECTED, LVIS_SELECTED);
  ListView_SetItemState(list, 4, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
  SetFocus(list);
  Photograph(L"main-window", main);

  PhotographModal(L"add-option", program.AddOption().Handle(), IDC_ADD_CANCEL,
                  [&] { program.Browser().Command(IDC_MAIN_FOLDER); program.MainWindow().Refresh(); });
  ListView_SetItemState(list, -1, 0, LVIS_SELECTED);
  ListView_SetItemState(list, 3, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
  PhotographModal(L"options", program.OptionsDialog().Handle(), IDC_OPT_CANCEL,
                  [&] { program.Browser().Command(IDC_MAIN_OPTIONS); });
  PhotographModal(L"single-rename", program.SingleRename().Handle(), IDC_REN_CANCEL, [&] {
    SendMessageW(main, WM_COMMAND, MAKEWPARAM(IDM_RENAME, 0), 0);
  });
  // The new-name list editor with the templates the script left in Newname.txt.
  PhotographModal(L"new-name-editor", program.NewNameEditor().Handle(), IDC_NNE_CLOSE,
                  [&] { program.NewNameEditor().Edit(main); });

  // The edit window on each of its panels, filled in as a user would, with the
  // preview of the first and the special-string dialog of the Insert panel.
  ListView_SetItemState(list, -1, 0, LVIS_SELECTED);
  HWND edit = program.EditWindow().Handle();
  RunInModal(
      [&] {
        Type(edit, IDC_EDIT_REMOVE_STRING1, L"IMG_");
        Photograph(L"edit-remove", edit);
        Click(edit, IDC_EDIT_PREVIEW);
        Photograph(L"preview", program.Preview().Handle());
        Click(program.Preview().Handle(), IDC_PREVIEW_CLOSE);
        Click(edit, IDC_EDIT_MODE_REPLACE);
        Type(edit, IDC_EDIT_REPLACE_OLD, L"IMG");
        Type(edit, IDC_EDIT_REPLACE_NEW, L"Beach");
        Photograph(L"edit-replace", edit);
        Click(edit, IDC_EDIT_MODE_INSERT);
        Click(edit, IDC_EDIT_INSERT_HEAD);
        Type(edit, IDC_EDIT_INSERT_HEAD_TEXT, L"Holiday_");
        Photograph(L"edit-insert", edit);
        PhotographModal(L"special-string", program.SpecialString().Handle(), IDC_SS_CANCEL,
                        [&] { Click(edit, IDC_EDIT_INSERT_HEAD_SPECIAL); });
        Click(edit, IDC_EDIT_MODE_CHANGE);
        Type(edit, IDC_EDIT_CHANGE_NEW_NAME_TEXT, L"Holiday_$$$");
        Photograph(L"edit-change", edit);
        Click(edit, IDC_EDIT_MODE_EXTENSION);
        Type(edit, IDC_EDIT_EXT_NEW, L"jpg");
        Photograph(L"edit-extension", edit);
        Click(edit, IDC_EDIT_BACK);
      },
      [&] { program.Browser().Command(IDC_MAIN_REMOVE); });
  RunInModal(
      [&] {
        Photograph(L"edit-save", edit);
        Click(edit, IDC_EDIT_BACK);
      },
      [&] { program.Browser().Command(IDC_MAIN_SAVE); });

  // The progress window part of the way through a run.
  program.Progress().RunProgressJob([&] {
    program.Progress().BatchStarted(9);
    const wchar_t* names[] = {L"0412", L"0413", L"0414", L"0415"};
    for (const wchar_t* n : names) {
      Sleep(40);  // the window shows the newest name every few hundredths of a second
      program.Progress().ItemRenamed(u"IMG_" + FromWide(n) + u".JPG", u"Holiday_" + FromWide(n) + u".JPG");
    }
    Sleep(40);
    program.Progress().PumpEvents();
    Photograph(L"progress", program.ProgressWindow().Handle());
  });
  // The rename error window, as a run shows it for a file another program holds.
  PhotographModal(L"rename-error", program.RenameErrorWindow().Handle(), IDC_RENERR_OK, [&] {
    program.RenameError().Show(FromWide(demo) + u"\\IMG_0412.JPG", u"Holiday_0412.JPG");
  });

  program.Close();
  ui::win::PumpPending();
  CoUninitialize();
  return 0;
}

// Renamora.exe: the desktop program's entry point.
#include "platform/win32/IncludeWindows.h"

#include <commctrl.h>
#include <objbase.h>
#include <shellapi.h>

#include "platform/win32/WideText.h"
#include "ui/frame/win32/DesktopProgram.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  using namespace renamora;
  const HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
  INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES | ICC_TAB_CLASSES};
  InitCommonControlsEx(&controls);

  ui::win::DesktopSetup setup;
  int argc = 0;
  if (LPWSTR* argv = CommandLineToArgvW(GetCommandLineW(), &argc)) {
    for (int i = 0; i < argc; ++i) setup.arguments.push_back(FromWide(argv[i]));
    LocalFree(argv);
  }
  int code = 1;
  try {
    ui::win::DesktopProgram program(std::move(setup));
    if (program.Start()) code = program.Run();
  } catch (const std::exception& e) {
    MessageBoxA(nullptr, e.what(), "Renamora", MB_ICONERROR | MB_TASKMODAL);
  } catch (...) {
    MessageBoxW(nullptr, L"An unexpected error ended the program.", L"Renamora", MB_ICONERROR | MB_TASKMODAL);
  }
  if (SUCCEEDED(com)) CoUninitialize();
  return code;
}

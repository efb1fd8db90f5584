// Times the main window over a large folder under Wine, against a raw
// FindFirstFileW/FindNextFileW loop over the same folder in the same process:
// listing to a painted list, sorting by size and date, the working set, and how
// soon a double-click on a subfolder during a listing lists that subfolder.
// Usage: renamora_bench_listing FOLDER SUBFOLDER ROUNDS   (run by scripts/bench-listing.sh)
#include "platform/win32/IncludeWindows.h"

#include <commctrl.h>
#include <objbase.h>
#include <psapi.h>
#include <shellapi.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "platform/win32/WideText.h"
#include "ui/ControlIds.h"
#include "ui/frame/win32/DesktopProgram.h"

#include "WineBench.h"

namespace {

using namespace renamora;
using bench::Median;
using bench::Now;

// The raw pass over the folder, saying so when it found nothing.
double RawLoop(const std::wstring& folder) {
  std::size_t count = 0;
  const double seconds = bench::RawLoop(folder, &count);
  if (count == 0) std::fprintf(stderr, "empty folder\n");
  return seconds;
}

void Paint(HWND list) {
  InvalidateRect(list, nullptr, FALSE);
  UpdateWindow(list);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES};
  InitCommonControlsEx(&controls);
  int argc = 0;
  LPWSTR* argv = CommandLineToArgvW(GetCommandLineW(), &argc);
  if (!argv || argc < 4) return 2;
  const std::wstring folder = argv[1];
  const std::wstring subfolder = argv[2];
  const int rounds = std::max(1, _wtoi(argv[3]));

  ui::win::DesktopSetup setup;
  setup.arguments = {u"Renamora.exe"};
  wchar_t temp[MAX_PATH];
  GetTempPathW(MAX_PATH, temp);
  setup.programFile = FromWide(temp) + u"renamora-bench\\Renamora.exe";
  CreateDirectoryW((std::wstring(temp) + L"renamora-bench").c_str(), nullptr);
  ui::win::DesktopProgram program(std::move(setup));
  const double startBegin = Now();
  if (!program.Start()) return 1;
  HWND main = program.MainWindow().Handle();
  HWND list = GetDlgItem(main, IDC_MAIN_LIST);
  UpdateWindow(main);
  ui::win::PumpPending();
  const double startSeconds = Now() - startBegin;
  FILETIME created, exited, kernel, user, now;
  GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user);
  GetSystemTimeAsFileTime(&now);
  const auto ticks = [](FILETIME t) { return (static_cast<ULONGLONG>(t.dwHighDateTime) << 32) | t.dwLowDateTime; };
  const double sinceProcessStart = static_cast<double>(ticks(now) - ticks(created)) / 1e7;

  auto& browser = program.Browser();
  std::vector<double> raws, lists, ratios, bySize, byDate;
  std::size_t items = 0;
  for (int round = 0; round < rounds; ++round) {
    const bool rawFirst = round % 2 == 0;
    double raw = rawFirst ? RawLoop(folder) : 0;
    const double t0 = Now();
    browser.TextChanged(IDC_MAIN_PATHBOX, FromWide(folder));
    browser.ListPathBox(ui::BrowserController::ListingReason::Refresh);
    program.MainWindow().SyncList();
    Paint(list);
    const double listed = Now() - t0;
    items = browser.List().Count();
    if (!rawFirst) raw = RawLoop(folder);
    raws.push_back(raw);
    lists.push_back(listed);
    ratios.push_back(listed / raw);

    double t = Now();
    browser.ColumnClicked(2);
    program.MainWindow().SyncList();
    Paint(list);
    bySize.push_back(Now() - t);
    t = Now();
    browser.ColumnClicked(1);
    program.MainWindow().SyncList();
    Paint(list);
    byDate.push_back(Now() - t);
    browser.Command(IDM_SORT_BY_NAME);
  }
  PROCESS_MEMORY_COUNTERS memory{};
  GetProcessMemoryInfo(GetCurrentProcess(), &memory, sizeof(memory));

  // A double-click on a subfolder while the big folder is being listed: the
  // moment the double-click is handled to the moment the subfolder's list is shown.
  static double clickAt = 0;
  static std::u16string clickTarget;
  clickTarget = FromWide(subfolder);
  static ui::BrowserController* target = &browser;
  SetTimer(nullptr, 0, 60, [](HWND, UINT, UINT_PTR id, DWORD) {
    KillTimer(nullptr, id);
    clickAt = Now();
    target->RequestListing(clickTarget);
  });
  browser.TextChanged(IDC_MAIN_PATHBOX, FromWide(folder));
  browser.ListPathBox(ui::BrowserController::ListingReason::Refresh);
  while (browser.List().CurrentFolder() != clickTarget + u"\\" || browser.ListingRunning()) {
    MSG msg;
    if (!GetMessageW(&msg, nullptr, 0, 0)) break;
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
  program.MainWindow().SyncList();
  Paint(list);
  const double answer = Now() - clickAt;

  std::printf("items %zu\n", items);
  std::printf("rounds %d\n", rounds);
  std::printf("raw FindFirstFileW loop   median %.3f s\n", Median(raws));
  std::printf("listing to a painted list median %.3f s\n", Median(lists));
  std::printf("ratio (listing / raw)     median %.2f\n", Median(ratios));
  std::printf("sort by size              median %.3f s\n", Median(bySize));
  std::printf("sort by date              median %.3f s\n", Median(byDate));
  std::printf("working set %.1f MB, peak %.1f MB\n", memory.WorkingSetSize / 1048576.0,
              memory.PeakWorkingSetSize / 1048576.0);
  std::printf("double-click during a listing answered in %.0f ms\n", answer * 1000);
  std::printf("start to a painted main window: %.3f s in the program, %.3f s since the process was made\n",
              startSeconds, sinceProcessStart);
  std::fflush(stdout);
  program.Close();
  return 0;
}

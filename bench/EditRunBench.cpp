// Times a rename run from the edit window under Wine (an insert edit, HEAD "x",
// with the progress window) against a raw MoveFileW loop giving the same files the
// same new names in the same process, each round alternating which goes first.
// Usage: renamora_bench_edit_run FOLDER PROGRAMFOLDER ROUNDS   (run by scripts/bench-edit-run.sh)
#include "platform/win32/IncludeWindows.h"

#include <commctrl.h>
#include <objbase.h>
#include <shellapi.h>

#include <algorithm>
#include <cstdio>
#include <deque>
#include <functional>
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

// The process's CPU seconds so far, in user mode and in the kernel: under Wine the
// kernel part is the host's file system calls.
struct Cpu {
  double user = 0, kernel = 0;
};
Cpu CpuNow() {
  FILETIME created, exited, kernel, user;
  GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user);
  const auto seconds = [](FILETIME t) {
    return static_cast<double>((static_cast<ULONGLONG>(t.dwHighDateTime) << 32) | t.dwLowDateTime) / 1e7;
  };
  return {seconds(user), seconds(kernel)};
}

// The folder's file names in name order.
std::vector<std::wstring> Names(const std::wstring& folder) {
  std::vector<std::wstring> names;
  WIN32_FIND_DATAW data;
  HANDLE find = FindFirstFileW((folder + L"\\*").c_str(), &data);
  if (find == INVALID_HANDLE_VALUE) return names;
  do {
    if (!(data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) names.emplace_back(data.cFileName);
  } while (FindNextFileW(find, &data));
  FindClose(find);
  std::sort(names.begin(), names.end());
  return names;
}

// Every name given the prefix (or, with `back`, the prefix taken off again); the
// seconds the loop took, negative when a rename failed; `cpu` the CPU it took.
double MoveAll(const std::wstring& folder, const std::vector<std::wstring>& names, const std::wstring& prefix,
               bool back, Cpu* cpu = nullptr) {
  std::vector<std::wstring> from, to;
  from.reserve(names.size());
  to.reserve(names.size());
  for (const std::wstring& name : names) {
    const std::wstring renamed = prefix + name;
    from.push_back(folder + L"\\" + (back ? renamed : name));
    to.push_back(folder + L"\\" + (back ? name : renamed));
  }
  const Cpu cpuStart = CpuNow();
  const double start = Now();
  bool failed = false;
  for (std::size_t i = 0; i < from.size(); ++i) {
    if (!MoveFileW(from[i].c_str(), to[i].c_str())) failed = true;
  }
  const double seconds = Now() - start;
  const Cpu cpuEnd = CpuNow();
  if (cpu) *cpu = {cpuEnd.user - cpuStart.user, cpuEnd.kernel - cpuStart.kernel};
  return failed ? -1 : seconds;
}

std::vector<std::wstring> Prefixed(const std::vector<std::wstring>& names, const std::wstring& prefix) {
  std::vector<std::wstring> out;
  out.reserve(names.size());
  for (const std::wstring& name : names) out.push_back(prefix + name);
  return out;
}

// Answers Yes/OK to every question and counts them, so that the run never waits
// on a person; a message in the timed part would show in the report.
class AnsweringPrompter final : public Prompter {
 public:
  PromptAnswer Show(PromptIcon, PromptButtons buttons, std::u16string_view, std::u16string_view text) override {
    ++shown;
    std::string ascii;
    for (char16_t c : text) ascii += c < 0x80 ? static_cast<char>(c) : '?';
    std::fprintf(stderr, "message: %s\n", ascii.c_str());
    return buttons == PromptButtons::Ok ? PromptAnswer::Ok : PromptAnswer::Yes;
  }
  int shown = 0;
};

// Steps run from inside the modal loops (the edit window's, the progress
// window's): whatever loop is running dispatches this window's messages.
class Steps {
 public:
  Steps() {
    WNDCLASSW wc{};
    wc.lpfnWndProc = &Steps::Proc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = L"RenamoraBenchSteps";
    RegisterClassW(&wc);
    hwnd_ = CreateWindowW(L"RenamoraBenchSteps", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, wc.hInstance, nullptr);
    SetWindowLongPtrW(hwnd_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
  }
  ~Steps() { DestroyWindow(hwnd_); }
  void Then(std::function<void()> step) {
    steps_.push_back(std::move(step));
    PostMessageW(hwnd_, WM_APP, 0, 0);
  }

 private:
  static LRESULT CALLBACK Proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* self = reinterpret_cast<Steps*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (message == WM_APP && self && !self->steps_.empty()) {
      auto step = std::move(self->steps_.front());
      self->steps_.pop_front();
      step();
      return 0;
    }
    return DefWindowProcW(hwnd, message, wParam, lParam);
  }
  HWND hwnd_ = nullptr;
  std::deque<std::function<void()>> steps_;
};

// Between the progress controller and its view: the time the run spends painting
// the window and letting messages through, which is all the window costs a run.
class TimedProgressHost final : public ui::ProgressHost {
 public:
  explicit TimedProgressHost(ui::win::ProgressView& view) : view_(view) {}
  void ShowModal() override { view_.ShowModal(); }
  void Refresh() override {
    const double start = Now();
    view_.Refresh();
    refreshSeconds += Now() - start;
    ++refreshes;
  }
  void Pump() override {
    const double start = Now();
    view_.Pump();
    pumpSeconds += Now() - start;
  }
  void SetBusyCursor(bool busy) override { view_.SetBusyCursor(busy); }

  double refreshSeconds = 0, pumpSeconds = 0;
  int refreshes = 0;

 private:
  ui::win::ProgressView& view_;
};

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
  CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES};
  InitCommonControlsEx(&controls);
  int argc = 0;
  LPWSTR* argv = CommandLineToArgvW(GetCommandLineW(), &argc);
  if (!argv || argc < 4) return 2;
  const std::wstring folder = argv[1];
  const std::wstring home = argv[2];
  const int rounds = std::max(1, _wtoi(argv[3]));
  const std::wstring prefix = L"x";

  // A program folder of its own, so the settings and the undo log are private.
  AnsweringPrompter prompter;
  ui::win::DesktopSetup setup;
  setup.arguments = {u"Renamora.exe"};
  setup.prompter = &prompter;
  setup.programFile = FromWide(home) + u"\\Renamora.exe";
  ui::win::DesktopProgram program(std::move(setup));
  if (!program.Start()) return 1;
  HWND main = program.MainWindow().Handle();
  HWND edit = program.EditWindow().Handle();
  HWND progress = program.ProgressWindow().Handle();
  const auto pump = [&] {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
      if (msg.message == WM_QUIT) break;
      program.Dispatch(msg);
    }
  };
  pump();
  TimedProgressHost progressHost(program.ProgressWindow());
  program.Progress().BindHost(&progressHost);

  const std::vector<std::wstring> before = Names(folder);
  const std::vector<std::wstring> after = Prefixed(before, prefix);
  std::printf("files %zu, rounds %d\n", before.size(), rounds);
  if (before.empty()) return 3;

  std::vector<double> raws, runs, ratios, clicks, closes, toProgress, logWrites, undos;
  std::vector<double> rawUser, rawKernel, runUser, runKernel, paints, pumps, paintCounts;
  bool allRenamed = true, editEveryRound = true, progressEveryRound = true;
  int messagesInRuns = 0;
  for (int round = 0; round < rounds; ++round) {
    if (Names(folder) != before) {
      std::fprintf(stderr, "round %d does not start from the same names\n", round + 1);
      return 4;
    }
    // (a) the raw loop, in name order; renamed back untimed.
    const auto rawLoop = [&] {
      Cpu cpu;
      const double seconds = MoveAll(folder, before, prefix, false, &cpu);
      rawUser.push_back(cpu.user);
      rawKernel.push_back(cpu.kernel);
      if (seconds < 0 || Names(folder) != after) allRenamed = false;
      if (MoveAll(folder, before, prefix, true) < 0) allRenamed = false;
      return seconds;
    };
    const bool rawFirst = round % 2 == 0;
    double raw = rawFirst ? rawLoop() : 0;

    // (b) the edit run: the folder listed in the main window (untimed), the insert
    // edit opened with its button, HEAD "x" typed, then Rename timed until the edit
    // window has closed and the main window's call has returned.
    HWND box = GetDlgItem(main, IDC_MAIN_PATHBOX);
    SetWindowTextW(box, folder.c_str());
    SendMessageW(main, WM_COMMAND, MAKEWPARAM(IDC_MAIN_PATHBOX, CBN_EDITCHANGE), reinterpret_cast<LPARAM>(box));
    SetFocus(box);
    SendMessageW(main, WM_COMMAND, IDOK, 0);
    pump();
    const std::size_t listed = program.Browser().List().Count();
    if (listed != before.size()) std::fprintf(stderr, "the main window lists %zu items\n", listed);

    bool editShown = false, progressShown = false;
    double t0 = 0, tClick = 0, tProgress = 0;
    Cpu cpu0;
    int messagesBefore = 0;
    Steps steps;
    steps.Then([&] {
      editShown = IsWindowVisible(edit) != FALSE;
      if (SendMessageW(GetDlgItem(edit, IDC_EDIT_INSERT_HEAD), BM_GETCHECK, 0, 0) != BST_CHECKED) {
        Click(edit, IDC_EDIT_INSERT_HEAD);
      }
      Type(edit, IDC_EDIT_INSERT_HEAD_TEXT, prefix.c_str());
      // Dispatched by the first pump inside the run: the progress window is up then.
      steps.Then([&] {
        tProgress = Now();
        progressShown = IsWindowVisible(progress) != FALSE;
      });
      messagesBefore = prompter.shown;
      progressHost.refreshSeconds = progressHost.pumpSeconds = 0;
      progressHost.refreshes = 0;
      cpu0 = CpuNow();
      t0 = Now();
      Click(edit, IDC_EDIT_RENAME);
      tClick = Now();
    });
    Click(main, IDC_MAIN_INSERT);  // returns when the edit window has closed
    const double t1 = Now();
    const Cpu cpu1 = CpuNow();
    runUser.push_back(cpu1.user - cpu0.user);
    runKernel.push_back(cpu1.kernel - cpu0.kernel);
    paints.push_back(progressHost.refreshSeconds);
    pumps.push_back(progressHost.pumpSeconds);
    paintCounts.push_back(progressHost.refreshes);
    messagesInRuns += prompter.shown - messagesBefore;
    pump();
    if (!editShown || IsWindowVisible(edit)) editEveryRound = false;
    if (!progressShown) progressEveryRound = false;
    if (Names(folder) != after) allRenamed = false;
    const double run = t1 - t0;

    // The undo log's deferred write, then the main window's Undo (both untimed for
    // the ratio, reported apart).
    double t = Now();
    SendMessageW(edit, WM_TIMER, IDT_UNDO_LOG, 0);
    logWrites.push_back(Now() - t);
    t = Now();
    Click(main, IDC_MAIN_UNDO);
    pump();
    undos.push_back(Now() - t);
    if (Names(folder) != before) {
      std::fprintf(stderr, "the undo did not bring the names back; renaming back by hand\n");
      MoveAll(folder, before, prefix, true);
    }

    if (!rawFirst) raw = rawLoop();
    raws.push_back(raw);
    runs.push_back(run);
    ratios.push_back(run / raw);
    clicks.push_back(tClick - t0);
    closes.push_back(t1 - tClick);
    toProgress.push_back(tProgress - t0);
    std::printf("round %d (%s first): raw %.3f s, edit run %.3f s, ratio %.2f\n", round + 1,
                rawFirst ? "raw" : "edit", raw, run, run / raw);
    std::fflush(stdout);
  }

  std::printf("raw MoveFileW loop            median %.3f s\n", Median(raws));
  std::printf("edit run, Rename to closed    median %.3f s\n", Median(runs));
  std::printf("  progress window up after   median %.3f s\n", Median(toProgress));
  std::printf("  Rename click returned       median %.3f s\n", Median(clicks));
  std::printf("    progress window painted   median %.3f s (%.0f times)\n", Median(paints), Median(paintCounts));
  std::printf("    messages pumped           median %.3f s\n", Median(pumps));
  std::printf("  then edit window closed     median %.3f s\n", Median(closes));
  std::printf("ratio (edit run / raw)        median %.2f (target 1.2)\n", Median(ratios));
  std::printf("CPU of the raw loop           median user %.3f s, kernel %.3f s\n", Median(rawUser),
              Median(rawKernel));
  std::printf("CPU of the edit run           median user %.3f s, kernel %.3f s\n", Median(runUser),
              Median(runKernel));
  std::printf("undo log written (untimed)    median %.3f s\n", Median(logWrites));
  std::printf("undo from the main window     median %.3f s\n", Median(undos));
  std::printf("every file renamed the same way both times: %s\n", allRenamed ? "yes" : "NO");
  std::printf("edit window shown and closed in every run: %s\n", editEveryRound ? "yes" : "NO");
  std::printf("progress window shown in every run: %s\n", progressEveryRound ? "yes" : "NO");
  std::printf("messages during the timed runs: %d\n", messagesInRuns);
  std::fflush(stdout);
  program.Progress().BindHost(&program.ProgressWindow());
  program.Close();
  pump();
  return allRenamed && editEveryRound && progressEveryRound ? 0 : 5;
}

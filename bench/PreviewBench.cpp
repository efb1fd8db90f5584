// Times a preview under Wine: the engine's preview run over a large folder (an
// insert edit, a row limit), then the preview window's list filled and painted,
// against a raw FindFirstFileW/FindNextFileW loop over the same folder.
// Usage: renamora_bench_preview FOLDER DATAFOLDER ROUNDS LIMIT   (run by scripts/bench-preview.sh)
#include "platform/win32/IncludeWindows.h"

#include <commctrl.h>
#include <objbase.h>
#include <shellapi.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "app/RunSession.h"
#include "app/StringTable.h"
#include "base/Paths.h"
#include "core/RenameEngine.h"
#include "platform/win32/WideText.h"
#include "ui/edit/win32/PreviewView.h"

#include "WineBench.h"

namespace {

using namespace renamora;
using bench::Median;
using bench::Now;
using bench::RawLoop;

// What the preview's numbering asks of the disk: one lookup of each new name,
// every one of them free.
double RawProbes(const std::wstring& folder, int count) {
  const double start = Now();
  for (int i = 0; i < count; ++i) {
    const std::wstring path = folder + L"\\IMG_" + std::to_wstring(i) + L"_free.JPG";
    if (GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES) std::fprintf(stderr, "name taken\n");
  }
  return Now() - start;
}

class SilentPrompter final : public Prompter {
 public:
  PromptAnswer Show(PromptIcon, PromptButtons, std::u16string_view, std::u16string_view text) override {
    std::fprintf(stderr, "message: %s\n", ToUtf8ForConsole(text).c_str());
    return PromptAnswer::Ok;
  }
  static std::string ToUtf8ForConsole(std::u16string_view text) {
    std::string out;
    for (char16_t c : text) out += c < 0x80 ? static_cast<char>(c) : '?';
    return out;
  }
};

class NoList final : public TargetList {
 public:
  std::size_t Count() const override { return 0; }
  std::u16string ItemText(std::size_t) const override { return {}; }
  bool IsChecked(std::size_t) const override { return false; }
  bool ShowsCheckBoxes() const override { return false; }
  void SetItemText(std::size_t, std::u16string_view) override {}
  void AddItem(std::u16string_view) override {}
};

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES};
  InitCommonControlsEx(&controls);
  int argc = 0;
  LPWSTR* argv = CommandLineToArgvW(GetCommandLineW(), &argc);
  if (!argv || argc < 5) return 2;
  const std::wstring folder = argv[1];
  const std::u16string dataFolder = WithTrailingSeparator(FromWide(argv[2]));
  const int rounds = std::max(1, _wtoi(argv[3]));
  const int limit = std::clamp(_wtoi(argv[4]), 1, 1000);

  auto fs = MakeSystemFileSystem();
  auto locale = MakeSystemLocale();
  auto clock = MakeSystemClock();
  RunSession session(*fs, *locale, *clock, dataFolder);
  const TextLookup& texts = StringTable::BuiltIn();
  SilentPrompter prompter;
  RunObserver observer;
  NoList list;
  EditHost host;
  ProgramState program;
  program.TargetFolder = WithTrailingSeparator(FromWide(folder));
  SpecialStringSettings special;
  RunOptions options;
  options.Prenum = limit;
  EditRequest request;
  request.Mode = std::u16string(EditMode::kInsert);
  program.CurrentMode = request.Mode;
  request.Insert.AtEnd = true;
  request.Insert.EndTemplate = u"_$$$";

  ui::win::Win32PreviewHost previewHost;
  ui::PreviewController preview(session.Preview(), texts, previewHost);
  ui::win::PreviewView view(preview);
  if (!view.Create(nullptr)) return 1;
  previewHost.Bind(view.Handle());
  preview.SetCaptionFrom(texts.Lookup(35), u"Insert - Renamora");
  view.Show(false);
  ui::win::PumpPending();

  std::vector<double> raws, probes, runs, fills, totals;
  std::size_t rows = 0;
  for (int round = 0; round < rounds; ++round) {
    const bool rawFirst = round % 2 == 0;
    double raw = rawFirst ? RawLoop(folder) : 0;
    const double t0 = Now();
    RenameEngine(session.Services(RunWindows{texts, prompter, observer, list, host, program, special, options}))
        .Preview(request);
    const double t1 = Now();
    preview.RowsChanged();
    view.SyncRows();
    UpdateWindow(view.List());
    const double t2 = Now();
    if (!rawFirst) raw = RawLoop(folder);
    rows = preview.RowCount();
    probes.push_back(RawProbes(folder, limit));
    raws.push_back(raw);
    runs.push_back(t1 - t0);
    fills.push_back(t2 - t1);
    totals.push_back(t2 - t0);
  }
  std::printf("rows %zu (limit %d), rounds %d\n", rows, limit, rounds);
  std::printf("raw FindFirstFileW loop   median %.4f s\n", Median(raws));
  std::printf("raw lookups of %d names  median %.4f s\n", limit, Median(probes));
  std::printf("engine preview run        median %.4f s\n", Median(runs));
  std::printf("list filled and painted   median %.4f s\n", Median(fills));
  std::printf("preview total             median %.4f s (target 0.3 s), ratio to raw loop %.2f\n", Median(totals),
              Median(totals) / Median(raws));
  return 0;
}

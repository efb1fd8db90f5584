// Fuzzes the hand-over file reader and the start with a mode argument that takes the file.
#include <algorithm>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "FuzzSupport.h"
#include "MemoryFileSystem.h"
#include "app/StartUp.h"
#include "app/StringTable.h"
#include "core/EditRequest.h"
#include "core/TextFile.h"
#include "support/TableLocale.h"

namespace renamora::fuzz {
namespace {

constexpr std::u16string_view kDataFolder = u"/data/";
constexpr std::u16string_view kProgramFolder = u"/opt/renamora/";
constexpr std::u16string_view kModes[] = {EditMode::kRemove,   EditMode::kReplace,   EditMode::kInsert,
                                          EditMode::kChange,   EditMode::kExtension, EditMode::kSaveAll,
                                          EditMode::kSaveSome, EditMode::kBrowse};

std::u16string HandOverPath(std::u16string_view folder) {
  return std::u16string(folder) + std::u16string(StartUpName::kHandOverFile);
}

std::vector<std::u16string> WithoutEmptyLines(std::vector<std::u16string> lines) {
  std::erase_if(lines, [](const std::u16string& line) { return line.empty(); });
  return lines;
}

// Paths written for the next instance come back to it as they were; a path that
// no line can hold (a POSIX name with a line break) is refused, never split.
void CheckRoundTrip(MemoryFileSystem& fs, const Locale& locale, FuzzInput& in) {
  std::vector<std::u16string> paths(in.Int(0, 6));
  bool lineBreak = false;
  for (auto& path : paths) {
    path = u"/home/u/" + in.Text(16);
    lineBreak = lineBreak || path.find_first_of(u"\r\n") != std::u16string::npos;
  }
  FUZZ_CHECK(WriteHandOverFile(fs, locale, kDataFolder, paths) == !lineBreak);
  const auto taken = TakeHandOverFile(fs, locale, kDataFolder);
  if (lineBreak) {
    FUZZ_CHECK(!taken.has_value());
  } else {
    FUZZ_CHECK(taken && *taken == paths);
  }
  FUZZ_CHECK(fs.Find(HandOverPath(kDataFolder)) == nullptr);
}

void CheckStart(MemoryFileSystem& fs, const Locale& locale, FuzzInput& in, const std::string& bytes) {
  const std::u16string mode =
      in.Usually() ? std::u16string(kModes[in.Int<std::size_t>(0, std::size(kModes) - 1)]) : in.Text(12);
  const bool inProgramFolder = in.Bool();
  fs.AddFile(HandOverPath(inProgramFolder ? kProgramFolder : kDataFolder), bytes);
  const std::vector<std::u16string> lines = WithoutEmptyLines(SplitLines(DecodeText(bytes, locale)));
  // A single handed-over folder is the target folder, with or without files.
  if (lines.size() == 1 && in.Bool() && lines[0].starts_with(u"/")) {
    fs.AddFolder(lines[0]);
    for (int i = in.Int(0, 8); i > 0; --i) fs.AddFile(WithTrailingSeparator(lines[0]) + in.Text(6), {});
  }

  CountingPrompter prompter;
  prompter.yes = in.Bool();
  const StartServices services{fs, locale, prompter, StringTable::BuiltIn()};
  ProgramFolders folders{std::u16string(kProgramFolder), std::u16string(kDataFolder)};
  ProgramState state;
  std::optional<std::u16string> installDir;
  if (in.Bool()) installDir = in.Bool() ? std::u16string(kProgramFolder) : in.Text(10);
  const StartDecision decision = StartProgram(mode, installDir, services, folders, state);

  if (mode.empty()) {
    FUZZ_CHECK(state.CurrentMode == EditMode::kBrowse);
    FUZZ_CHECK(decision.showMainWindow);
    return;
  }
  FUZZ_CHECK(state.CurrentMode == mode);
  // The file is taken: it cannot hand its paths to a later start.
  FUZZ_CHECK(fs.Find(HandOverPath(kDataFolder)) == nullptr);
  if (!inProgramFolder || folders.programFolder == kProgramFolder) {
    FUZZ_CHECK(fs.Find(HandOverPath(kProgramFolder)) == nullptr);
  }
  FUZZ_CHECK(!(decision.openEditWindow && decision.saveChosenFiles));
  if (decision.closeSoon) FUZZ_CHECK(!decision.openEditWindow && !decision.saveChosenFiles);
  FUZZ_CHECK(decision.folderFileCount >= 0 && decision.folderFileCount <= 6);
  FUZZ_CHECK(prompter.shown <= 1);
  if (!state.PickedPaths.empty()) {
    FUZZ_CHECK(state.SamplePath == state.PickedPaths.front());
    FUZZ_CHECK(state.PickedPaths == lines);
  }
  FUZZ_CHECK(state.TargetFolder.empty() || state.TargetFolder.back() == u'/');
}

}  // namespace
}  // namespace renamora::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace renamora;
  using namespace renamora::fuzz;
  FuzzInput in(data, size);
  // The file first, so that a seed hand-over file is read as one.
  const std::string bytes = in.Bytes(16384);
  const test::TableLocale locale(in.Choice<test::CodePage>(3));

  MemoryFileSystem fs;
  fs.AddFolder(kDataFolder);
  fs.AddFolder(kProgramFolder);
  FUZZ_CHECK(!TakeHandOverFile(fs, locale, kDataFolder).has_value());
  fs.AddFile(HandOverPath(kDataFolder), bytes);
  const auto taken = TakeHandOverFile(fs, locale, kDataFolder);
  FUZZ_CHECK(taken.has_value());
  FUZZ_CHECK(*taken == WithoutEmptyLines(SplitLines(DecodeText(bytes, locale))));
  for (const auto& line : *taken) {
    FUZZ_CHECK(!line.empty());
    FUZZ_CHECK(line.find_first_of(u"\r\n") == std::u16string::npos);
  }
  FUZZ_CHECK(fs.Find(HandOverPath(kDataFolder)) == nullptr);

  CheckRoundTrip(fs, locale, in);
  CheckStart(fs, locale, in, bytes);
  return 0;
}

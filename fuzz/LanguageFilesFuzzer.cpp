// Fuzzes the language-file reader: a Languages folder of fuzzed files, the string table chosen from it, its lookups.
#include <algorithm>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "FuzzSupport.h"
#include "MemoryFileSystem.h"
#include "app/LanguageFiles.h"
#include "app/StringTable.h"
#include "core/TextFile.h"
#include "support/TableLocale.h"

namespace renamora::fuzz {
namespace {

constexpr std::u16string_view kProgramFolder = u"/opt/renamora/";

bool IsTrimmed(std::u16string_view text) { return text.empty() || (text.front() > u' ' && text.back() > u' '); }

void CheckLookups(const StringTable& table, FuzzInput& in) {
  // The numbers the program uses, and any other: a lookup never fails and never
  // gives an untrimmed or empty text.
  const MessageId ids[] = {0, 1, 6, 29, 126, 235, 295, 299, 371, 999, in.Int(-2000, 2000), in.Any<int>()};
  for (const MessageId id : ids) {
    const std::u16string text = table.Lookup(id);
    FUZZ_CHECK(!text.empty());
    FUZZ_CHECK(IsTrimmed(text));
  }
}

void CheckLines(const std::vector<std::u16string>& lines) {
  for (const std::u16string& line : lines) {
    if (const std::optional<MessageId> n = EntryNumber(line)) FUZZ_CHECK(*n >= 0 && *n <= 999);
    FUZZ_CHECK(IsTrimmed(EntryText(line)));
    FUZZ_CHECK(IsTrimmed(TrimBlanks(line)));
  }
}

}  // namespace
}  // namespace renamora::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace renamora;
  using namespace renamora::fuzz;
  FuzzInput in(data, size);
  test::TableLocale locale(in.Choice<test::CodePage>(3));
  locale.languageId = in.Bool() ? in.Any<std::uint16_t>() : 2052;
  std::u16string languageName;
  if (in.Bool()) languageName = in.Text(24);

  // One to three files; all but the last end where the input says, the last takes
  // the rest, so that a seed file is one language file as it stands.
  MemoryFileSystem fs;
  const std::u16string folder = LanguageFolder(kProgramFolder);
  fs.AddFolder(folder);
  const int files = in.Int(1, 3);
  std::vector<std::u16string> paths;
  for (int i = 0; i < files; ++i) {
    std::u16string path = folder + u"lang" + char16_t(u'0' + i) + u".lng";
    fs.AddFile(path, i + 1 < files ? in.Bytes(4096) : in.Rest());
    paths.push_back(std::move(path));
  }
  if (!languageName.empty()) fs.AddFolder(folder + u"sub");  // folders are no language files

  const TableChoice choice = ChooseStringTable(fs, locale, kProgramFolder, languageName);
  if (choice.filePath.empty()) {
    // The built-in English: the same lines (compared by their ends, as a whole
    // comparison would cost more than the rest of the input).
    const std::vector<std::u16string>& builtIn = BuiltInTable();
    FUZZ_CHECK(choice.table.Lines().size() == builtIn.size());
    FUZZ_CHECK(choice.table.Lines().front() == builtIn.front() && choice.table.Lines().back() == builtIn.back());
    FUZZ_CHECK(choice.languageInUse.empty());
    // Only a named language that is missing says so.
    FUZZ_CHECK(choice.status.empty() == languageName.empty());
  } else {
    FUZZ_CHECK(choice.status.empty());
    FUZZ_CHECK(std::find(paths.begin(), paths.end(), choice.filePath) != paths.end());
    // The table holds the file's lines exactly as read.
    const auto lines = ReadTextLines(fs, choice.filePath, locale);
    FUZZ_CHECK(lines && *lines == choice.table.Lines());
    FUZZ_CHECK(choice.languageInUse == ListedLanguageName(*lines).value_or(std::u16string()));
  }
  // The built-in lines are the same for every input; only a file's are worth the time.
  if (!choice.filePath.empty()) CheckLines(choice.table.Lines());
  CheckLookups(choice.table, in);

  const std::vector<LanguageListEntry> list = ListLanguages(fs, locale, kProgramFolder);
  FUZZ_CHECK(list.size() <= paths.size());
  for (std::size_t i = 0; i < list.size(); ++i) {
    if (i > 0) FUZZ_CHECK(locale.CompareNoCase(list[i - 1].name, list[i].name) <= 0);
    const auto lines = ReadTextLines(fs, list[i].path, locale);
    FUZZ_CHECK(lines && ListedLanguageName(*lines) == list[i].name);
  }
  const std::optional<std::size_t> initial = InitialLanguageSelection(list, languageName, choice.languageInUse);
  if (initial) {
    FUZZ_CHECK(*initial < list.size());
    // OK on the entry the dialog opened on keeps a chosen language as it is.
    if (!languageName.empty()) FUZZ_CHECK(!ChangedLanguageName(list, initial, languageName));
  }
  const std::optional<std::size_t> picked =
      list.empty() ? std::nullopt : std::optional<std::size_t>(in.Int<std::size_t>(0, list.size()));
  if (const auto changed = ChangedLanguageName(list, picked, languageName)) {
    FUZZ_CHECK(IsTrimmed(*changed));
    FUZZ_CHECK(*changed != TrimBlanks(languageName));
  }
  return 0;
}

// Fuzzes the settings reader and its rewrites: a fuzzed settings file, typed loads, and changes that must read back.
#include <algorithm>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "FuzzSupport.h"
#include "MemoryFileSystem.h"
#include "app/Settings.h"
#include "app/SettingsFile.h"
#include "app/StartUp.h"
#include "base/text/AsciiCase.h"
#include "core/TextFile.h"
#include "support/TableLocale.h"

namespace renamora::fuzz {
namespace {

constexpr std::u16string_view kPath = u"/data/Settings.ini";

constexpr std::u16string_view kNames[] = {u"Option",  u"Form",    u"option",   u"Prenum", u"Folder0",
                                          u"Folder1", u"LastDir", u"Language", u"Left",   u"Totalfiles"};

std::u16string Name(FuzzInput& in) {
  if (in.Usually()) return std::u16string(kNames[in.Int<std::size_t>(0, std::size(kNames) - 1)]);
  return in.Text(12);
}

bool SameName(std::u16string_view a, std::u16string_view b) { return EqualsIgnoringAsciiCase(a, b); }

bool InRange(NumberBox box, int value) {
  const NumberRange r = RangeOf(box);
  return value >= r.minimum && value <= r.maximum;
}

bool IsPlainName(std::u16string_view name) {
  if (name.empty()) return false;
  for (char16_t c : name) {
    if (!IsAsciiLetter(c) && !(c >= u'0' && c <= u'9')) return false;
  }
  return true;
}

bool HasLineBreak(std::u16string_view s) { return s.find_first_of(u"\r\n") != std::u16string_view::npos; }

void CheckLoads(const IniDocument& doc) {
  const OptionSettings options = LoadOptionSettings(doc);
  FUZZ_CHECK(InRange(NumberBox::PreviewFiles, options.Prenum));
  FUZZ_CHECK(InRange(NumberBox::NewNames, options.Listnum));
  FUZZ_CHECK(InRange(NumberBox::UsedFolders, options.Foldernum));
  LoadFormSettings(doc);
  const std::vector<std::u16string> history = LoadFolderHistory(doc, options.Foldernum);
  FUZZ_CHECK(history.size() <= std::size_t(options.Foldernum));
  for (std::size_t i = 0; i < history.size(); ++i) {
    FUZZ_CHECK(!history[i].empty());
    FUZZ_CHECK(std::find(history.begin(), history.begin() + std::ptrdiff_t(i), history[i]) ==
               history.begin() + std::ptrdiff_t(i));
  }
}

// A change of one key must read back as made and leave every other key alone, in
// memory and after the rewrite of the file.
void CheckChange(MemoryFileSystem& fs, SettingsFile& file, FuzzInput& in) {
  const IniDocument doc = file.Read();
  const std::u16string section = Name(in);
  const std::u16string key = Name(in);
  const std::u16string value = in.Text(40);
  const std::u16string otherSection = Name(in);
  const std::u16string otherKey = Name(in);
  const bool sameKey = SameName(section, otherSection) && SameName(key, otherKey);
  const std::optional<std::u16string> other = doc.Value(otherSection, otherKey);

  IniDocument changed = doc;
  const bool set = changed.SetText(section, key, value);
  if (IsPlainName(section) && IsPlainName(key) && !HasLineBreak(value)) FUZZ_CHECK(set);
  if (set) {
    FUZZ_CHECK(changed.Value(section, key) == value);
    if (!sameKey) FUZZ_CHECK(changed.Value(otherSection, otherKey) == other);
  } else {
    FUZZ_CHECK(changed.Lines() == doc.Lines());
  }

  const std::string bytesBefore = *fs.ReadFile(kPath);
  FUZZ_CHECK(file.WriteText(section, key, value) == set);
  const IniDocument reread = file.Read();
  if (set) {
    FUZZ_CHECK(reread.Value(section, key) == value);
    if (!sameKey) FUZZ_CHECK(reread.Value(otherSection, otherKey) == other);
  } else {
    FUZZ_CHECK(*fs.ReadFile(kPath) == bytesBefore);
  }

  const std::int64_t number = in.Any<std::int64_t>();
  if (file.WriteInteger(section, key, number)) FUZZ_CHECK(file.ReadInteger(section, key, number ^ 1) == number);

  FUZZ_CHECK(file.DeleteKey(section, key));
  const IniDocument removed = file.Read();
  FUZZ_CHECK(!removed.Value(section, key).has_value());
  if (!sameKey) FUZZ_CHECK(removed.Value(otherSection, otherKey) == other);
}

// The used folders come back as saved: the first foldernum entries that a line
// can hold, without empty ones and repeats.
void CheckFolderHistory(SettingsFile& file, FuzzInput& in) {
  const int foldernum = ClampToRange(NumberBox::UsedFolders, in.Int(-2, 60));
  std::vector<std::u16string> history(in.Int(0, 8));
  for (auto& entry : history) entry = in.Bool() ? u"/home/u/" + in.Text(10) : in.Text(10);
  FUZZ_CHECK(SaveFolderHistory(file, history, foldernum));
  std::vector<std::u16string> expected;
  std::size_t written = 0;
  for (const auto& entry : history) {
    if (written == std::size_t(foldernum)) break;
    if (entry.empty() || HasLineBreak(entry)) continue;
    ++written;
    if (std::find(expected.begin(), expected.end(), entry) == expected.end()) expected.push_back(entry);
  }
  FUZZ_CHECK(LoadFolderHistory(file.Read(), foldernum) == expected);
}

}  // namespace
}  // namespace renamora::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace renamora;
  using namespace renamora::fuzz;
  FuzzInput in(data, size);
  MemoryFileSystem fs;
  fs.AddFolder(u"/data");
  // The file first, so that a seed settings file is read as one.
  const std::string bytes = in.Bytes(16384);
  fs.AddFile(kPath, bytes);
  const test::TableLocale locale(in.Choice<test::CodePage>(3));

  SettingsFile file(fs, locale, std::u16string(kPath));
  const IniDocument doc = file.Read();
  FUZZ_CHECK(doc.Lines() == SplitLines(DecodeText(bytes, locale)));
  CheckLoads(doc);
  CheckChange(fs, file, in);
  CheckFolderHistory(file, in);
  CheckLoads(file.Read());
  return 0;
}

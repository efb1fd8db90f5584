// Reading the Languages folder and choosing which table the texts come from.
#include "app/LanguageFiles.h"

#include <algorithm>
#include <utility>

#include "base/Paths.h"
#include "core/TextFile.h"

namespace renamora {
namespace {

constexpr std::u16string_view kLanguageKey = u"Language=";
constexpr std::u16string_view kLangIdKey = u"LangID=";

std::u16string DecimalText(unsigned value) {
  const std::string digits = std::to_string(value);
  return std::u16string(digits.begin(), digits.end());
}

// The file's first lines, fewer when it is shorter.
std::vector<std::u16string>::const_iterator EndOfFirst(const std::vector<std::u16string>& lines, std::size_t count) {
  return lines.begin() + static_cast<std::ptrdiff_t>(std::min(count, lines.size()));
}

// Calls visit for each readable file of the folder, in listing order, until it
// returns true. Folders are skipped, and so is anything too large to be a
// translation; an unreadable file is no language file.
template <class Visit>
void VisitLanguageFiles(FileSystem& fs, const Locale& locale, std::u16string_view programFolder, Visit visit) {
  const std::u16string folder = LanguageFolder(programFolder);
  const auto entries = fs.ListFolder(folder, ListDetail::Full);
  if (!entries) return;
  for (const DirEntry& entry : *entries) {
    if (entry.isFolder || entry.size > kMaxLanguageFileBytes) continue;
    std::u16string path = folder + entry.name;
    auto lines = ReadTextLines(fs, path, locale);
    if (!lines) continue;
    if (visit(LanguageFile{std::move(path), *std::move(lines)})) return;
  }
}

// The list offers names exactly as a "Language=" line gives them, and the settings
// may hand them back with the surrounding blanks dropped.
bool IsExactlyNamed(std::u16string_view line, std::u16string_view name) {
  return line.starts_with(kLanguageKey) && TrimBlanks(line.substr(kLanguageKey.size())) == TrimBlanks(name);
}

}  // namespace

std::u16string LanguageFolder(std::u16string_view programFolder) {
  return WithTrailingSeparator(programFolder) + u"Languages" + kPathSeparator;
}

bool DeclaresLanguageId(std::u16string_view line, std::u16string_view idText) {
  if (line.find(kLangIdKey) == std::u16string_view::npos) return false;
  std::u16string terminated(line);
  terminated += u';';
  std::u16string wanted = u"=";
  wanted += idText;
  wanted += u';';
  return terminated.find(wanted) != std::u16string::npos;
}

bool MentionsLanguageName(std::u16string_view line, std::u16string_view name) {
  return line.find(kLanguageKey) != std::u16string_view::npos && line.find(name) != std::u16string_view::npos;
}

std::optional<std::u16string> ListedLanguageName(const std::vector<std::u16string>& lines) {
  for (auto it = lines.begin(); it != EndOfFirst(lines, kListedNameLines); ++it) {
    if (it->starts_with(kLanguageKey)) return it->substr(kLanguageKey.size());
  }
  return std::nullopt;
}

std::optional<LanguageFile> FindLanguageFileById(FileSystem& fs, const Locale& locale,
                                                 std::u16string_view programFolder, std::u16string_view idText) {
  std::optional<LanguageFile> found;
  VisitLanguageFiles(fs, locale, programFolder, [&](LanguageFile&& file) {
    const auto end = EndOfFirst(file.lines, kDeclarationLines);
    if (std::none_of(file.lines.cbegin(), end, [&](const auto& line) { return DeclaresLanguageId(line, idText); })) {
      return false;
    }
    found = std::move(file);
    return true;
  });
  return found;
}

std::optional<LanguageFile> FindLanguageFileByName(FileSystem& fs, const Locale& locale,
                                                   std::u16string_view programFolder, std::u16string_view name) {
  // Mentioning the name is not enough on its own: "English" is also part of
  // "English (UK)", and the user who picked "English" from the list must get it
  // whichever file the folder happens to list first.
  std::optional<LanguageFile> exact;
  std::optional<LanguageFile> mentioning;
  VisitLanguageFiles(fs, locale, programFolder, [&](LanguageFile&& file) {
    const auto end = EndOfFirst(file.lines, kDeclarationLines);
    if (std::any_of(file.lines.cbegin(), end, [&](const auto& line) { return IsExactlyNamed(line, name); })) {
      exact = std::move(file);
      return true;
    }
    if (!mentioning &&
        std::any_of(file.lines.cbegin(), end, [&](const auto& line) { return MentionsLanguageName(line, name); })) {
      mentioning = std::move(file);
    }
    return false;
  });
  return exact ? std::move(exact) : std::move(mentioning);
}

std::vector<LanguageListEntry> ListLanguages(FileSystem& fs, const Locale& locale, std::u16string_view programFolder) {
  std::vector<LanguageListEntry> list;
  VisitLanguageFiles(fs, locale, programFolder, [&](LanguageFile&& file) {
    if (auto name = ListedLanguageName(file.lines)) list.push_back({*std::move(name), std::move(file.path)});
    return false;
  });
  std::stable_sort(list.begin(), list.end(), [&](const LanguageListEntry& a, const LanguageListEntry& b) {
    return locale.CompareNoCase(a.name, b.name) < 0;
  });
  return list;
}

std::optional<std::size_t> InitialLanguageSelection(const std::vector<LanguageListEntry>& list,
                                                    std::u16string_view languageName,
                                                    std::u16string_view languageInUse) {
  // Selecting the first entry for a language that follows the system would make
  // OK switch to whichever language sorts first.
  const std::u16string_view wanted = TrimBlanks(languageName.empty() ? languageInUse : languageName);
  if (wanted.empty()) return std::nullopt;
  for (std::size_t i = 0; i < list.size(); ++i) {
    if (TrimBlanks(list[i].name) == wanted) return i;
  }
  return std::nullopt;
}

std::optional<std::u16string> ChangedLanguageName(const std::vector<LanguageListEntry>& list,
                                                  std::optional<std::size_t> selected,
                                                  std::u16string_view languageName) {
  if (!selected || *selected >= list.size()) return std::nullopt;
  const std::u16string_view name = TrimBlanks(list[*selected].name);
  if (name == TrimBlanks(languageName)) return std::nullopt;
  return std::u16string(name);
}

TableChoice ChooseStringTable(FileSystem& fs, const Locale& locale, std::u16string_view programFolder,
                              std::u16string_view languageName) {
  TableChoice choice;
  std::optional<LanguageFile> file;
  if (languageName.empty()) {
    file = FindLanguageFileById(fs, locale, programFolder, DecimalText(locale.SystemLanguageId()));
  } else {
    file = FindLanguageFileByName(fs, locale, programFolder, languageName);
    // The setting stays as it is, so the language returns once its file does.
    if (!file) choice.status = std::u16string(languageName) + u" Language file is lost!";
  }
  if (!file) {
    choice.table = StringTable::BuiltIn();
    return choice;
  }
  choice.languageInUse = ListedLanguageName(file->lines).value_or(std::u16string());
  choice.filePath = std::move(file->path);
  choice.table = StringTable(std::move(file->lines));
  return choice;
}

}  // namespace renamora

// Language files in the program's Languages folder: finding, listing and choosing the string table.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "app/StringTable.h"
#include "platform/FileSystem.h"
#include "platform/Locale.h"

namespace renamora {

// Larger files are never read as language files: a complete translation is a few
// tens of kilobytes, and a stray video or archive dropped into the folder must not
// be read into memory whole at every start.
inline constexpr std::uint64_t kMaxLanguageFileBytes = 1 << 20;

// Only this many lines at the top of a file are examined for its declarations.
inline constexpr std::size_t kDeclarationLines = 8;
// The options dialog has always looked at one line fewer for the display name.
inline constexpr std::size_t kListedNameLines = 7;

// ProgramFolder + "Languages" + separator.
std::u16string LanguageFolder(std::u16string_view programFolder);

// Whether a header line declares the identifier (decimal text such as "2052"): a
// line holding "LangID=" in which an "=" is followed by exactly the identifier and
// then ";" or the line's end. So "LangID=1033;2052" declares 1033 only; each
// identifier has a line of its own.
bool DeclaresLanguageId(std::u16string_view line, std::u16string_view idText);
// Whether a line is a "Language=" line that holds the name anywhere, so that the
// name "Chinese" finds "Language=Chinese (Simplified)".
bool MentionsLanguageName(std::u16string_view line, std::u16string_view name);
// The display name of a file: the rest of the first of its first seven lines
// that begins with "Language=", untrimmed; nothing when there is none.
std::optional<std::u16string> ListedLanguageName(const std::vector<std::u16string>& lines);

struct LanguageFile {
  std::u16string path;
  std::vector<std::u16string> lines;  // as read, one per line
};

// The first file, in listing order, that declares the identifier in one of its
// first eight lines.
std::optional<LanguageFile> FindLanguageFileById(FileSystem& fs, const Locale& locale,
                                                 std::u16string_view programFolder, std::u16string_view idText);
// The first file whose "Language=" line is exactly the name (as the options dialog
// lists it); failing that, the first file one of whose first eight lines mentions
// the name, which keeps a hand-written shorter name working.
std::optional<LanguageFile> FindLanguageFileByName(FileSystem& fs, const Locale& locale,
                                                   std::u16string_view programFolder, std::u16string_view name);

struct LanguageListEntry {
  std::u16string name;  // as the file's "Language=" line gives it
  std::u16string path;
};

// The languages the options dialog offers, sorted by name ignoring letter case.
std::vector<LanguageListEntry> ListLanguages(FileSystem& fs, const Locale& locale, std::u16string_view programFolder);

// The entry to select when the dialog opens: the one of the chosen language, or,
// when the language follows the system, the one of the file in use. Nothing when
// neither is listed, so that OK alone never switches the language.
std::optional<std::size_t> InitialLanguageSelection(const std::vector<LanguageListEntry>& list,
                                                    std::u16string_view languageName,
                                                    std::u16string_view languageInUse);

// The new LanguageName when the dialog's OK must change the language; nothing when
// no entry is selected or the selected one is the language already chosen.
std::optional<std::u16string> ChangedLanguageName(const std::vector<LanguageListEntry>& list,
                                                  std::optional<std::size_t> selected,
                                                  std::u16string_view languageName);

struct TableChoice {
  StringTable table;
  std::u16string filePath;       // empty when the built-in English is in use
  std::u16string languageInUse;  // the file's listed name; empty for the built-in table
  // For the first panel of the main window's status bar; empty when all is well.
  std::u16string status;
};

// The string table for the LanguageName of the settings: an empty name follows
// the system's default language, a set one names a file; a named file that is
// missing falls back to the built-in English and says so in `status`.
TableChoice ChooseStringTable(FileSystem& fs, const Locale& locale, std::u16string_view programFolder,
                              std::u16string_view languageName);

}  // namespace renamora

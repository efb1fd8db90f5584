// Finding, listing and choosing language files, and the texts looked up from them.
#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <memory>
#include <string>
#include <vector>

#include "app/LanguageFiles.h"
#include "base/Paths.h"
#include "base/text/Utf.h"
#include "support/TableLocale.h"
#include "support/TempFolder.h"

namespace renamora {
namespace {

using Lines = std::vector<std::u16string>;

// A Western 8-bit code page (Latin-1), so that a file without byte-order mark is
// told apart from UTF-8, and a system language the test chooses.
test::TableLocale WesternLocale(std::uint16_t languageId = 1033) {
  test::TableLocale locale(test::CodePage::Latin1);
  locale.languageId = languageId;
  return locale;
}

// ASCII lines, each ended by CR LF.
std::string Text(std::initializer_list<const char*> lines) {
  std::string out;
  for (const char* line : lines) {
    out += line;
    out += "\r\n";
  }
  return out;
}

std::string Utf16(std::u16string_view text, bool bigEndian) {
  std::string out = bigEndian ? "\xFE\xFF" : "\xFF\xFE";
  for (char16_t c : text) {
    const char high = static_cast<char>(c >> 8);
    const char low = static_cast<char>(c & 0xFF);
    out += bigEndian ? high : low;
    out += bigEndian ? low : high;
  }
  return out;
}

std::u16string Joined(const Lines& lines, std::u16string_view end) {
  std::u16string out;
  for (const auto& line : lines) {
    out += line;
    out += end;
  }
  return out;
}

// Seven header lines, so that the next line is the eighth.
std::string SevenLinesThen(const char* line) { return Text({";1", ";2", ";3", ";4", ";5", ";6", ";7", line}); }
std::string EightLinesThen(const char* line) { return Text({";1", ";2", ";3", ";4", ";5", ";6", ";7", ";8", line}); }

// A name ending with "/" is made a folder.
struct File {
  std::u16string name;
  std::string bytes;
};

class LanguageFilesTest : public ::testing::Test {
 protected:
  // A fresh program folder holding the files in its Languages folder (none at all
  // when `files` is empty), ending with the separator as ProgramFolder does.
  std::u16string MakeProgramFolder(const std::vector<File>& files) {
    folder = std::make_unique<test::TempFolder>(*fs);
    for (const File& file : files) {
      if (file.name.ends_with(u'/')) {
        folder->MakeFolder(u"Languages/" + file.name.substr(0, file.name.size() - 1));
      } else {
        folder->MakeFile(u"Languages/" + file.name, file.bytes);
      }
    }
    return folder->Path() + kPathSeparator;
  }
  std::u16string Path(std::u16string_view name) const { return *folder / (u"Languages/" + std::u16string(name)); }

  std::unique_ptr<FileSystem> fs = MakeSystemFileSystem();
  std::unique_ptr<test::TempFolder> folder;
};

TEST(LanguageEntryLineTest, NumberAndTextOfALine) {
  struct Row {
    const char* line;
    std::optional<MessageId> number;
    const char* text;
  };
  const Row rows[] = {
      {"[000]Remove", 0, "Remove"},
      {"[412] Uncheck selected \t", 412, "Uncheck selected"},
      {"[999]", 999, ""},
      {"[001", 1, ""},
      {"(001)Eins", 1, "Eins"},
      {"[1000]Tausend", 100, "]Tausend"},
      {"", std::nullopt, ""},
      {"[", std::nullopt, ""},
      {"[00", std::nullopt, ""},
      {"[0a1]x", std::nullopt, "x"},
      {"[-01]x", std::nullopt, "x"},
      {"[ 12]x", std::nullopt, "x"},
      {"Language=Deutsch", std::nullopt, "age=Deutsch"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.line);
    EXPECT_EQ(EntryNumber(U16(row.line)), row.number);
    EXPECT_EQ(EntryText(U16(row.line)), U16(row.text));
  }
}

TEST_F(LanguageFilesTest, EncodingsAndLineEndsOfAFile) {
  const Lines lines = {u"LangID=1031", u"[000]Entfernen", u"", u"[012]Zw\u00F6lf"};
  struct Row {
    const char* label;
    std::string bytes;
  };
  const Row rows[] = {
      {"UTF-8 byte-order mark, CR LF", "\xEF\xBB\xBF" + ToUtf8Lossy(Joined(lines, u"\r\n"))},
      {"UTF-16 LE, CR LF", Utf16(Joined(lines, u"\r\n"), false)},
      {"UTF-16 BE, CR LF", Utf16(Joined(lines, u"\r\n"), true)},
      {"UTF-16 LE, CR", Utf16(Joined(lines, u"\r"), false)},
      {"code page, CR LF", "LangID=1031\r\n[000]Entfernen\r\n\r\n[012]Zw\xF6lf\r\n"},
      {"code page, LF", "LangID=1031\n[000]Entfernen\n\n[012]Zw\xF6lf\n"},
      {"code page, CR", "LangID=1031\r[000]Entfernen\r\r[012]Zw\xF6lf\r"},
      {"code page, mixed ends, no final one", "LangID=1031\n[000]Entfernen\r\n\r[012]Zw\xF6lf"},
  };
  const test::TableLocale german = WesternLocale(1031);
  for (const Row& row : rows) {
    SCOPED_TRACE(row.label);
    const std::u16string program = MakeProgramFolder({{u"de.lng", row.bytes}});
    const TableChoice choice = ChooseStringTable(*fs, german, program, u"");
    EXPECT_EQ(choice.filePath, Path(u"de.lng"));
    EXPECT_EQ(choice.table.Lines(), lines);
    EXPECT_EQ(choice.table.Lookup(0), u"Entfernen");
    EXPECT_EQ(choice.table.Lookup(12), u"Zw\u00F6lf");
    EXPECT_EQ(choice.table.Lookup(1), u"Replace");
  }
}

TEST_F(LanguageFilesTest, FindingByLanguageId) {
  const std::string big = Text({"LangID=1031"}) + std::string(kMaxLanguageFileBytes, ';');
  struct Row {
    const char* label;
    std::vector<File> files;
    const char* id;
    const char16_t* expected;  // file name, or nothing
  };
  const Row rows[] = {
      {"the declaring file",
       {{u"en.lng", Text({"LangID=1033"})}, {u"de.lng", Text({"LangID=1031"})}},
       "1031",
       u"de.lng"},
      {"two declare it: the first listed wins",
       {{u"b.lng", Text({"LangID=1031"})}, {u"a.lng", Text({"LangID=1031"})}},
       "1031",
       u"a.lng"},
      {"on the eighth line", {{u"de.lng", SevenLinesThen("LangID=1031")}}, "1031", u"de.lng"},
      {"on the ninth line", {{u"de.lng", EightLinesThen("LangID=1031")}}, "1031", nullptr},
      {"second LangID line", {{u"zh.lng", Text({"LangID=1033", "LangID=2052"})}}, "2052", u"zh.lng"},
      {"first of a list", {{u"zh.lng", Text({"LangID=1033;2052"})}}, "1033", u"zh.lng"},
      {"later of a list", {{u"zh.lng", Text({"LangID=1033;2052"})}}, "2052", nullptr},
      {"longer identifier", {{u"de.lng", Text({"LangID=10311"})}}, "1031", nullptr},
      {"shorter identifier", {{u"de.lng", Text({"LangID=1031"})}}, "103", nullptr},
      {"value without LangID=", {{u"de.lng", Text({"Language=1031"})}}, "1031", nullptr},
      {"LangID= anywhere in the line", {{u"de.lng", Text({"; LangID=1031"})}}, "1031", u"de.lng"},
      {"folders are passed over", {{u"a/", ""}, {u"b.lng", Text({"LangID=1031"})}}, "1031", u"b.lng"},
      {"too large to be a language file", {{u"a.lng", big}, {u"b.lng", Text({"LangID=1031"})}}, "1031", u"b.lng"},
      {"empty file", {{u"a.lng", ""}}, "1031", nullptr},
      {"no Languages folder", {}, "1031", nullptr},
  };
  const test::TableLocale locale = WesternLocale();
  for (const Row& row : rows) {
    SCOPED_TRACE(row.label);
    const std::u16string program = MakeProgramFolder(row.files);
    const auto found = FindLanguageFileById(*fs, locale, program, U16(row.id));
    EXPECT_EQ(found ? found->path : u"", row.expected ? Path(row.expected) : u"");
  }
}

TEST_F(LanguageFilesTest, FindingByLanguageName) {
  struct Row {
    const char* label;
    std::vector<File> files;
    const char* name;
    const char16_t* expected;
  };
  const Row rows[] = {
      {"exact name", {{u"de.lng", Text({";NOTE", "Language=Deutsch"})}}, "Deutsch", u"de.lng"},
      {"part of the name", {{u"zh.lng", Text({"Language=Chinese (Simplified)"})}}, "Chinese", u"zh.lng"},
      {"the exact name wins over a longer one listed first",
       {{u"a.lng", Text({"Language=English (UK)"})}, {u"b.lng", Text({"Language=English"})}},
       "English",
       u"b.lng"},
      {"else the first listed that mentions it",
       {{u"a.lng", Text({"Language=Chinese (Traditional)"})}, {u"b.lng", Text({"Language=Chinese (Simplified)"})}},
       "Chinese",
       u"a.lng"},
      {"blanks around the listed name", {{u"de.lng", Text({"Language= Deutsch "})}}, "Deutsch", u"de.lng"},
      {"letter case counts", {{u"de.lng", Text({"Language=Deutsch"})}}, "deutsch", nullptr},
      {"on the eighth line", {{u"de.lng", SevenLinesThen("Language=Deutsch")}}, "Deutsch", u"de.lng"},
      {"on the ninth line", {{u"de.lng", EightLinesThen("Language=Deutsch")}}, "Deutsch", nullptr},
      {"Language= anywhere in the line", {{u"de.lng", Text({";Language=Deutsch"})}}, "Deutsch", u"de.lng"},
      {"the name on another line",
       {{u"de.lng", Text({";Deutsch by a translator", "Language=German"})}},
       "Deutsch",
       nullptr},
      {"no Languages folder", {}, "Deutsch", nullptr},
  };
  const test::TableLocale locale = WesternLocale();
  for (const Row& row : rows) {
    SCOPED_TRACE(row.label);
    const std::u16string program = MakeProgramFolder(row.files);
    const auto found = FindLanguageFileByName(*fs, locale, program, U16(row.name));
    EXPECT_EQ(found ? found->path : u"", row.expected ? Path(row.expected) : u"");
  }
}

TEST_F(LanguageFilesTest, ListingTheLanguages) {
  struct Row {
    const char* label;
    std::vector<File> files;
    Lines names;
  };
  const Row rows[] = {
      {"sorted ignoring letter case",
       {{u"a.lng", Text({"Language=deutsch"})},
        {u"b.lng", Text({"Language=English"})},
        {u"c.lng", Text({"Language=Chinese"})}},
       {u"Chinese", u"deutsch", u"English"}},
      {"the rest of the line, untrimmed", {{u"de.lng", Text({"Language= Deutsch "})}}, {u" Deutsch "}},
      {"the first such line", {{u"de.lng", Text({"Language=Deutsch", "Language=German"})}}, {u"Deutsch"}},
      {"an empty name is listed", {{u"x.lng", Text({"Language="})}}, {u""}},
      {"the seventh line counts",
       {{u"de.lng", Text({";1", ";2", ";3", ";4", ";5", ";6", "Language=Deutsch"})}},
       {u"Deutsch"}},
      {"the eighth line does not", {{u"de.lng", SevenLinesThen("Language=Deutsch")}}, {}},
      {"only at the start of a line",
       {{u"a.lng", Text({";Language=Deutsch"})}, {u"b.lng", Text({"Language =Deutsch"})}},
       {}},
      {"files without a name and folders are left out",
       {{u"a/", ""}, {u"b.lng", Text({"LangID=1031"})}, {u"c.lng", Text({"Language=Deutsch"})}},
       {u"Deutsch"}},
      {"the same name twice",
       {{u"a.lng", Text({"Language=Deutsch"})}, {u"b.lng", Text({"Language=Deutsch"})}},
       {u"Deutsch", u"Deutsch"}},
      {"no Languages folder", {}, {}},
  };
  const test::TableLocale locale = WesternLocale();
  for (const Row& row : rows) {
    SCOPED_TRACE(row.label);
    const std::u16string program = MakeProgramFolder(row.files);
    Lines names;
    for (const auto& entry : ListLanguages(*fs, locale, program)) names.push_back(entry.name);
    EXPECT_EQ(names, row.names);
  }
}

TEST(LanguageSelectionTest, EntrySelectedWhenTheDialogOpens) {
  const std::vector<LanguageListEntry> list = {{u"Chinese", u""}, {u"Deutsch ", u""}, {u"English", u""}};
  struct Row {
    const char* label;
    const char16_t* languageName;
    const char16_t* inUse;
    std::optional<std::size_t> expected;
  };
  const Row rows[] = {
      {"the chosen language", u"English", u"English", 2},
      {"the chosen language, blanks aside", u"Deutsch", u"Deutsch", 1},
      {"following the system: the language in use", u"", u"Deutsch", 1},
      {"following the system with the built-in table", u"", u"", std::nullopt},
      {"a chosen language whose file is lost", u"Italiano", u"", std::nullopt},
      {"the chosen name counts, not the file it found", u"Chinese", u"Chinese (Simplified)", 0},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.label);
    EXPECT_EQ(InitialLanguageSelection(list, row.languageName, row.inUse), row.expected);
  }
  EXPECT_EQ(InitialLanguageSelection({}, u"", u""), std::nullopt);
}

TEST(LanguageSelectionTest, NameWrittenWhenTheDialogClosesWithOk) {
  const std::vector<LanguageListEntry> list = {{u"Chinese", u""}, {u"Deutsch ", u""}};
  struct Row {
    const char* label;
    std::optional<std::size_t> selected;
    const char16_t* languageName;
    std::optional<std::u16string> expected;
  };
  const Row rows[] = {
      {"another language", 0, u"Deutsch", u"Chinese"},
      {"from following the system", 0, u"", u"Chinese"},
      {"the same language", 0, u"Chinese", std::nullopt},
      {"the same language, blanks aside", 1, u"Deutsch", std::nullopt},
      {"a listed name is stored trimmed", 1, u"Chinese", u"Deutsch"},
      {"nothing selected", std::nullopt, u"Deutsch", std::nullopt},
      {"a selection past the list", 2, u"Deutsch", std::nullopt},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.label);
    EXPECT_EQ(ChangedLanguageName(list, row.selected, row.languageName), row.expected);
  }
}

TEST_F(LanguageFilesTest, ChoosingTheTable) {
  const std::vector<File> installed = {
      {u"de.lng", Text({";NOTE", "Language=Deutsch", "LangID=1031", "Version=7.0", "", "[000]Entfernen", "[001]",
                        "[037]Zielordner, "})},
      {u"zh.lng", Text({"Language=Chinese (Simplified)", "LangID=2052", "[000]Shanchu"})},
  };
  struct Lookup {
    MessageId id;
    const char* text;
  };
  struct Row {
    const char* label;
    std::vector<File> files;
    std::uint16_t systemId;
    const char16_t* languageName;
    const char16_t* file;  // nothing for the built-in table
    const char16_t* inUse;
    const char16_t* status;
    std::vector<Lookup> lookups;
  };
  const Row rows[] = {
      {"the system language's file",
       installed,
       1031,
       u"",
       u"de.lng",
       u"Deutsch",
       u"",
       {{0, "Entfernen"}, {1, "Replace"}, {37, "Zielordner,"}, {139, "Please select or input string to be removed."}}},
      {"a system language without a file", installed, 1036, u"", nullptr, u"", u"", {{0, "Remove"}, {5, "Save"}}},
      {"a set name, whatever the system language",
       installed,
       1031,
       u"Chinese",
       u"zh.lng",
       u"Chinese (Simplified)",
       u"",
       {{0, "Shanchu"}, {1, "Replace"}}},
      {"a set name whose file is lost",
       installed,
       1031,
       u"Italiano",
       nullptr,
       u"",
       u"Italiano Language file is lost!",
       {{0, "Remove"}}},
      {"no Languages folder, following the system", {}, 1031, u"", nullptr, u"", u"", {{0, "Remove"}}},
      {"no Languages folder, a set name",
       {},
       1031,
       u"Deutsch",
       nullptr,
       u"",
       u"Deutsch Language file is lost!",
       {{0, "Remove"}}},
      {"numbers no table holds",
       installed,
       1031,
       u"Deutsch",
       u"de.lng",
       u"Deutsch",
       u"",
       {{8, "L{missing text 008}"},
        {413, "L{missing text 413}"},
        {999, "L{missing text 999}"},
        {1000, "L{missing text 1000}"},
        {INT_MAX, "L{missing text 2147483647}"},
        {-1, "L{missing text -1}"},
        {INT_MIN, "L{missing text -2147483648}"}}},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.label);
    const std::u16string program = MakeProgramFolder(row.files);
    const TableChoice choice = ChooseStringTable(*fs, WesternLocale(row.systemId), program, row.languageName);
    EXPECT_EQ(choice.filePath, row.file ? Path(row.file) : u"");
    EXPECT_FALSE(choice.table.Lines().empty());
    EXPECT_EQ(choice.languageInUse, row.inUse);
    EXPECT_EQ(choice.status, row.status);
    for (const Lookup& lookup : row.lookups) {
      SCOPED_TRACE(lookup.id);
      EXPECT_EQ(choice.table.Lookup(lookup.id), U16(lookup.text));
    }
  }
}

// A complete translation wherever its entries stand: near line N + 5 as usual,
// pushed down by a long comment, or in reverse order.
TEST_F(LanguageFilesTest, EveryTextOfACompleteTranslation) {
  Lines entries;
  std::vector<MessageId> ids;
  for (const auto& line : BuiltInTable()) {
    if (const auto id = EntryNumber(line)) {
      ids.push_back(*id);
      entries.push_back(line.substr(0, 5) + u" Text " + line.substr(1, 3) + u" ");
    }
  }
  const Lines header = {u"Language=Test", u"LangID=1031"};
  struct Row {
    const char* label;
    Lines lines;
  };
  Row rows[] = {{"in number order", header}, {"after 300 comment lines", header}, {"reversed", header}};
  rows[0].lines.insert(rows[0].lines.end(), {u"", u"", u""});
  rows[0].lines.insert(rows[0].lines.end(), entries.begin(), entries.end());
  rows[1].lines.insert(rows[1].lines.end(), 300, u";");
  rows[1].lines.insert(rows[1].lines.end(), entries.begin(), entries.end());
  rows[2].lines.insert(rows[2].lines.end(), entries.rbegin(), entries.rend());

  for (const Row& row : rows) {
    SCOPED_TRACE(row.label);
    const std::u16string program = MakeProgramFolder({{u"test.lng", Utf16(Joined(row.lines, u"\r\n"), false)}});
    const TableChoice choice = ChooseStringTable(*fs, WesternLocale(1031), program, u"");
    ASSERT_EQ(choice.filePath, Path(u"test.lng"));
    for (MessageId id = 0; id <= 412; ++id) {
      const bool held = std::find(ids.begin(), ids.end(), id) != ids.end();
      std::string key = std::to_string(id);
      key.insert(0, 3 - key.size(), '0');
      SCOPED_TRACE(key);
      EXPECT_EQ(choice.table.Lookup(id), U16((held ? "Text " : "L{missing text ") + key + (held ? "" : "}")));
    }
  }
}

// What the options dialog lists is what choosing it loads, also when one name is
// part of another.
TEST_F(LanguageFilesTest, EveryListedLanguageLoadsItsOwnFile) {
  const std::u16string program = MakeProgramFolder({
      {u"a.lng", Text({"Language=English (UK)", "[000]Remove (UK)"})},
      {u"b.lng", Text({"Language=English", "[000]Remove (US)"})},
      {u"c.lng", Text({"Language=Chinese (Traditional)", "[000]Traditional"})},
      {u"d.lng", Text({"Language=Chinese", "[000]Simplified"})},
      {u"e.lng", Text({"Language= Deutsch ", "[000]Entfernen"})},
  });
  const test::TableLocale locale = WesternLocale();
  const auto list = ListLanguages(*fs, locale, program);
  ASSERT_EQ(list.size(), 5u);
  for (std::size_t i = 0; i < list.size(); ++i) {
    SCOPED_TRACE(ToUtf8Lossy(list[i].name));
    const auto name = ChangedLanguageName(list, i, u"Italiano");
    ASSERT_TRUE(name.has_value());
    const TableChoice choice = ChooseStringTable(*fs, locale, program, *name);
    EXPECT_EQ(choice.filePath, list[i].path);
    EXPECT_EQ(InitialLanguageSelection(list, *name, choice.languageInUse), i);
  }
}

}  // namespace
}  // namespace renamora

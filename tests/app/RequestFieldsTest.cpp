// Tests of the request's named fields: names, values, request files and presets.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "app/AppFakes.h"
#include "app/RequestFields.h"
#include "app/Settings.h"
#include "base/text/Utf.h"

namespace renamora {
namespace {

using ::testing::HasSubstr;

// Lines joined into one UTF-8 text, so that a failure shows both sides readably.
std::string Joined(const std::vector<std::u16string>& lines) {
  std::string out;
  for (const auto& line : lines) out += ToUtf8Lossy(line) + "\n";
  return out;
}

std::vector<std::u16string> Lines(std::initializer_list<const char*> lines) {
  std::vector<std::u16string> out;
  for (const char* line : lines) out.push_back(U16(line));
  return out;
}

std::string Error(const std::optional<std::u16string>& error) { return error ? ToUtf8Lossy(*error) : ""; }

std::string Flag(bool b) { return b ? "1" : "0"; }
std::string Number(int n) { return std::to_string(n); }
std::string Text(const std::u16string& s) { return ToUtf8Lossy(s); }
template <class E>
std::string Index(E e) {
  return std::to_string(static_cast<int>(e));
}

std::string OverrideOf(const CliRequest& c, const char* key) {
  for (const auto& [k, v] : c.optionOverrides) {
    if (k == U16(key)) return ToUtf8Lossy(v);
  }
  return "(none)";
}

TEST(RequestFieldsTest, GroupsComeInPresetOrderAndListEveryOptionKey) {
  std::vector<std::string> groups;
  std::vector<std::string> optionKeys;
  for (const auto& name : FieldNames()) {
    const std::string n = ToUtf8Lossy(name);
    const std::string group = n.substr(0, n.find('.'));
    if (groups.empty() || groups.back() != group) groups.push_back(group);
    if (group == "Option") optionKeys.push_back(n.substr(n.find('.') + 1));
  }
  EXPECT_EQ(groups, (std::vector<std::string>{"EditRequest", "SampleSelection", "RemoveOptions", "ReplaceOptions",
                                              "InsertOptions", "ChangeOptions", "ExtensionOptions", "SaveOptions",
                                              "SpecialStringSettings", "Option"}));
  using namespace SettingsKey;
  std::vector<std::string> expected;
  for (const auto key : {kOptions1, kOptions2,   kOptions3,  kAutocopy,  kCapevery,       kConfirm,      kContextmenu,
                         kEndsound, kPreviewMax, kCheckbox,  kShowguide, kShowhiddenfile, kShowsysfile,  kAutoPreview,
                         kPrenum,   kListnum,    kFoldernum, kLanguage,  kIcon,           kRegistereddll}) {
    expected.push_back(ToUtf8Lossy(key));
  }
  EXPECT_EQ(optionKeys, expected);
}

// Each listed field, set alone to a value other than its default, writes its
// own line and no other: two names bound to one member, or a name bound to the
// wrong group's member, show up here.
TEST(RequestFieldsTest, EveryListedFieldSetsItsOwnValueOnly) {
  for (const auto& help : FieldHelpLines()) {
    SCOPED_TRACE(ToUtf8Lossy(help));
    const std::u16string name = help.substr(0, help.find(u'='));
    const std::u16string values = help.substr(help.find(u'=') + 1);
    std::vector<std::u16string> candidates;
    if (const auto range = values.find(u".."); range != std::u16string::npos) {
      candidates = {values.substr(0, range), values.substr(range + 2)};
    } else if (values == u"text") {
      candidates = {u"x y"};
    } else {
      for (std::size_t from = 0; from <= values.size();) {
        const auto bar = std::min(values.find(u'|', from), values.size());
        candidates.push_back(values.substr(from, bar - from));
        from = bar + 1;
      }
    }
    std::vector<std::u16string> preset;
    for (const auto& value : candidates) {
      CliRequest c;
      ASSERT_EQ(Error(SetField(c, name, value)), "");
      preset = PresetLines(c);
      if (!preset.empty()) break;
    }
    const std::u16string group = name.substr(0, name.find(u'.'));
    const std::u16string key = name.substr(name.find(u'.') + 1);
    ASSERT_EQ(preset.size(), 2u) << Joined(preset);
    EXPECT_EQ(Text(preset[0]), "[" + Text(group) + "]");
    EXPECT_EQ(Text(preset[1].substr(0, key.size() + 1)), Text(key) + "=");
  }
}

TEST(RequestFieldsTest, GoodValuesReachTheirMember) {
  struct Row {
    const char* name;
    const char* value;
    std::function<std::string(const CliRequest&)> read;
    std::string expected;
  };
  const Row rows[] = {
      {"RemoveOptions.CaseSensitive", "1", [](auto& c) { return Flag(c.request.Remove.CaseSensitive); }, "1"},
      {"ReplaceOptions.CaseSensitive", "true", [](auto& c) { return Flag(c.request.Replace.CaseSensitive); }, "1"},
      {"ChangeOptions.CapitalizeFirst", "0", [](auto& c) { return Flag(c.request.Change.CapitalizeFirst); }, "0"},
      {"RemoveOptions.CleanKeepHyphen", "FALSE", [](auto& c) { return Flag(c.request.Remove.CleanKeepHyphen); }, "0"},
      {"EditRequest.IncludeHidden", "1", [](auto& c) { return Flag(c.request.IncludeHidden); }, "1"},
      {"SpecialStringSettings.RandomDigits", "0", [](auto& c) { return Flag(c.special.RandomDigits); }, "0"},
      {"SpecialStringSettings.StartNumber", "0", [](auto& c) { return Number(c.special.StartNumber); }, "0"},
      {"SpecialStringSettings.StartNumber", "10000", [](auto& c) { return Number(c.special.StartNumber); }, "10000"},
      {"SampleSelection.SelectionStart", "3", [](auto& c) { return Number(c.request.Sample.SelectionStart); }, "3"},
      {"SampleSelection.SelectionLength", "32767", [](auto& c) { return Number(c.request.Sample.SelectionLength); },
       "32767"},
      {"SampleSelection.CursorPosition", "5", [](auto& c) { return Number(c.request.Sample.CursorPosition); }, "5"},
      {"ReplaceOptions.OldString", "IMG", [](auto& c) { return Text(c.request.Replace.OldString); }, "IMG"},
      {"InsertOptions.HeadTemplate", " a ", [](auto& c) { return Text(c.request.Insert.HeadTemplate); }, " a "},
      {"RemoveOptions.Strings1", "a", [](auto& c) { return Text(c.request.Remove.Strings[0]); }, "a"},
      {"RemoveOptions.Strings3", "\xE6\x97\xA5\xE6\x9C\xAC", [](auto& c) { return Text(c.request.Remove.Strings[2]); },
       "\xE6\x97\xA5\xE6\x9C\xAC"},
      {"RemoveOptions.KeepStrings2", "k", [](auto& c) { return Text(c.request.Remove.KeepStrings[1]); }, "k"},
      {"EditRequest.TypeFilter", "jpg,png", [](auto& c) { return Text(c.request.TypeFilter); }, "jpg,png"},
      {"SampleSelection.SampleText", "", [](auto& c) { return Flag(c.sampleTextSet); }, "1"},
      {"RemoveOptions.RemoveKind", "CleanSymbols", [](auto& c) { return Index(c.request.Remove.RemoveKind); }, "3"},
      {"RemoveOptions.AnythingKind", "BetweenStrings", [](auto& c) { return Index(c.request.Remove.AnythingKind); },
       "1"},
      {"RemoveOptions.KeepKind", "GivenStrings", [](auto& c) { return Index(c.request.Remove.KeepKind); }, "1"},
      {"ReplaceOptions.ReplaceKind", "ReplaceSelected", [](auto& c) { return Index(c.request.Replace.ReplaceKind); },
       "1"},
      {"InsertOptions.InsertKind", "ToString", [](auto& c) { return Index(c.request.Insert.InsertKind); }, "1"},
      {"InsertOptions.Where", "BETWEEN", [](auto& c) { return Index(c.request.Insert.Where); }, "2"},
      {"InsertOptions.Where", "behind", [](auto& c) { return Index(c.request.Insert.Where); }, "1"},
      {"ChangeOptions.ChangeKind", "ConvertCase", [](auto& c) { return Index(c.request.Change.ChangeKind); }, "1"},
      {"ChangeOptions.CaseKind", "CapitalizeWords", [](auto& c) { return Index(c.request.Change.CaseKind); }, "2"},
      {"ExtensionOptions.ExtensionKind", "ConvertExtensionCase",
       [](auto& c) { return Index(c.request.Extension.ExtensionKind); }, "1"},
      {"SaveOptions.Content", "NamesOnly", [](auto& c) { return Index(c.request.Save.Content); }, "2"},
      {"EditRequest.Scope", "3", [](auto& c) { return Index(c.request.Scope); }, "3"},
      {"EditRequest.Scope", "0", [](auto& c) { return Index(c.request.Scope); }, "0"},
      {"EditRequest.Scope", "AllFiles", [](auto& c) { return Index(c.request.Scope); }, "0"},
      {"EditRequest.Scope", "checkedfiles", [](auto& c) { return Index(c.request.Scope); }, "1"},
      {"EditRequest.Scope", "FOLDERS", [](auto& c) { return Index(c.request.Scope); }, "2"},
      {"EditRequest.Scope", "ThisFolder", [](auto& c) { return Index(c.request.Scope); }, "3"},
      {"EditRequest.Mode", "Removpart", [](auto& c) { return Text(c.request.Mode); }, "Removpart"},
      {"EditRequest.Mode", "replace", [](auto& c) { return Text(c.request.Mode); }, "Replapart"},
      {"EditRequest.Mode", "INSERT", [](auto& c) { return Text(c.request.Mode); }, "Addnewnum"},
      {"EditRequest.Mode", "change", [](auto& c) { return Text(c.request.Mode); }, "Changnew"},
      {"EditRequest.Mode", "extension", [](auto& c) { return Text(c.request.Mode); }, "Changexten"},
      {"EditRequest.Mode", "save", [](auto& c) { return Text(c.request.Mode); }, "Savealls"},
      {"EditRequest.Mode", "savealls", [](auto& c) { return Text(c.request.Mode); }, "Savealls"},
      {"replaceoptions.OLDSTRING", "x", [](auto& c) { return Text(c.request.Replace.OldString); }, "x"},
      {"Option.Confirm", "true", [](auto& c) { return OverrideOf(c, "Confirm"); }, "1"},
      {"Option.Endsound", "0", [](auto& c) { return OverrideOf(c, "Endsound"); }, "0"},
      {"Option.Prenum", "1000", [](auto& c) { return OverrideOf(c, "Prenum"); }, "1000"},
      {"Option.Prenum", "1", [](auto& c) { return OverrideOf(c, "Prenum"); }, "1"},
      {"Option.Listnum", "0", [](auto& c) { return OverrideOf(c, "Listnum"); }, "0"},
      {"Option.Foldernum", "30", [](auto& c) { return OverrideOf(c, "Foldernum"); }, "30"},
      {"option.icon", "", [](auto& c) { return OverrideOf(c, "Icon"); }, ""},
      {"Option.Language", "Deutsch", [](auto& c) { return OverrideOf(c, "Language"); }, "Deutsch"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(std::string(row.name) + "=" + row.value);
    CliRequest c;
    EXPECT_EQ(Error(SetField(c, U16(row.name), U16(row.value))), "");
    EXPECT_EQ(row.read(c), row.expected);
  }
}

TEST(RequestFieldsTest, UnknownNamesAreRefusedByName) {
  const char* const names[] = {
      "RemoveOptions.Strings0",
      "RemoveOptions.Strings4",
      "RemoveOptions.KeepStrings0",
      "RemoveOptions.KeepStrings3",
      "RemoveOptions.Strings",
      "RemoveOptions.Strings01",
      "ReplaceOptions.",
      "OldString",
      "Foo.OldString",
      "EditRequest.Sample",
      "EditRequest.Remove",
      "Option.Nokey",
      "Option.Form",
      "Form.Left",
      "SpecialStringSettings.SequenceCounter",
      "",
      " ReplaceOptions.OldString",
  };
  for (const char* name : names) {
    SCOPED_TRACE(name);
    CliRequest c;
    EXPECT_THAT(Error(SetField(c, U16(name), u"1")), HasSubstr(std::string("unknown field \"") + name + "\""));
    EXPECT_EQ(Joined(PresetLines(c)), "");
  }
}

TEST(RequestFieldsTest, BadValuesAreRefusedNamingFieldAndValue) {
  struct Row {
    const char* name;
    const char* value;
  };
  const Row rows[] = {
      {"RemoveOptions.CaseSensitive", "2"},
      {"RemoveOptions.CaseSensitive", "yes"},
      {"RemoveOptions.CaseSensitive", ""},
      {"RemoveOptions.CaseSensitive", " 1"},
      {"SpecialStringSettings.StartNumber", "-1"},
      {"SpecialStringSettings.StartNumber", "10001"},
      {"SpecialStringSettings.StartNumber", "abc"},
      {"SpecialStringSettings.StartNumber", "1.5"},
      {"SpecialStringSettings.StartNumber", "99999999999999999999"},
      {"SampleSelection.SelectionStart", "-1"},
      {"SampleSelection.SelectionLength", "32768"},
      {"SampleSelection.CursorPosition", "2147483647"},
      {"InsertOptions.Where", "Middle"},
      {"InsertOptions.Where", "1"},
      {"RemoveOptions.RemoveKind", "RemoveString"},
      {"RemoveOptions.AnythingKind", "GivenStrings"},
      {"EditRequest.Mode", "Savesomes"},
      {"EditRequest.Mode", "Browsefile"},
      {"EditRequest.Mode", "rename"},
      {"EditRequest.Mode", ""},
      {"EditRequest.Scope", "4"},
      {"EditRequest.Scope", "-1"},
      {"EditRequest.Scope", "AllFolders"},
      {"Option.Prenum", "0"},
      {"Option.Prenum", "1001"},
      {"Option.Listnum", "101"},
      {"Option.Foldernum", "31"},
      {"Option.Confirm", "2"},
      {"Option.Registereddll", "on"},
      {"Option.Language", "a\nb"},
      {"ReplaceOptions.OldString", "a\r\nb"},
      {"SampleSelection.SampleText", "a\rb"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(std::string(row.name) + "=" + row.value);
    CliRequest c;
    const std::string error = Error(SetField(c, U16(row.name), U16(row.value)));
    EXPECT_THAT(error, HasSubstr(std::string("\"") + row.value + "\" for " + row.name));
    // A refused value leaves the request as it was.
    EXPECT_EQ(Joined(PresetLines(c)), "");
    EXPECT_FALSE(c.sampleTextSet);
  }
}

TEST(RequestFieldsTest, AnOptionOverriddenTwiceKeepsTheLastValueAndReachesTheSettings) {
  CliRequest c;
  ASSERT_EQ(Error(SetField(c, u"Option.Prenum", u"50")), "");
  ASSERT_EQ(Error(SetField(c, u"Option.Confirm", u"1")), "");
  ASSERT_EQ(Error(SetField(c, u"option.PRENUM", u"+70")), "");
  EXPECT_EQ(c.optionOverrides,
            (std::vector<std::pair<std::u16string, std::u16string>>{{u"Prenum", u"70"}, {u"Confirm", u"1"}}));
  IniDocument settings({u"[Option]", u"Prenum=20", u"Confirm=0", u"Endsound=0"});
  ApplyOptionOverrides(c, settings);
  const OptionSettings loaded = LoadOptionSettings(settings);
  EXPECT_EQ(loaded.Prenum, 70);
  EXPECT_EQ(loaded.Confirm, true);
  EXPECT_EQ(loaded.Endsound, false);
}

TEST(RequestFieldsTest, RequestFilesFollowTheSettingsFileRules) {
  struct Row {
    const char* label;
    std::vector<std::u16string> lines;
    std::string error;   // empty: none
    std::string preset;  // what was applied
  };
  const Row rows[] = {
      {"sections are groups",
       Lines({"[ReplaceOptions]", "OldString=IMG", "NewTemplate=Photo", "", "[EditRequest]", "Mode=replace"}), "",
       "[EditRequest]\nMode=Replapart\n[ReplaceOptions]\nOldString=IMG\nNewTemplate=Photo\n"},
      {"names ignore case, blanks and one pair of quotes go",
       Lines({" [ replaceoptions ] ", "  oldstring =  \" a \"  ", "casesensitive= 1 "}), "",
       "[ReplaceOptions]\nOldString=\" a \"\nCaseSensitive=1\n"},
      {"comments and blank lines are skipped",
       Lines({"; a preset", "# made by hand", "", " \t ", "[InsertOptions]", "  ; AtEnd=0", "#AtHead=1", "AtEnd=1"}),
       "", "[InsertOptions]\nAtEnd=1\n"},
      {"the first of a key given twice wins",
       Lines({"[RemoveOptions]", "Strings1=a", "[ChangeOptions]", "CaseKind=Upper", "[RemoveOptions]", "strings1=b"}),
       "", "[RemoveOptions]\nStrings1=a\n[ChangeOptions]\nCaseKind=Upper\n"},
      {"the scope by its name is kept as its number", Lines({"[EditRequest]", "Scope=ThisFolder"}), "",
       "[EditRequest]\nScope=3\n"},
      {"a key before any section", Lines({"; x", "Mode=remove", "[EditRequest]"}),
       "line 2: \"Mode\" is outside a section", ""},
      {"an unknown section", Lines({"[EditRequest]", "Mode=remove", "[RemoveOption]", "Strings1=a"}),
       "line 3: unknown section [RemoveOption]", "[EditRequest]\nMode=Removpart\n"},
      {"an empty section name", Lines({"[]", "Strings1=a"}), "line 1: unknown section []", ""},
      {"an unknown key", Lines({"[ReplaceOptions]", "OldString=a", "Old=b"}),
       "line 3: unknown field \"ReplaceOptions.Old\"", "[ReplaceOptions]\nOldString=a\n"},
      {"a list index out of range", Lines({"[RemoveOptions]", "Strings4=a"}),
       "line 2: unknown field \"RemoveOptions.Strings4\"", ""},
      {"a bad value", Lines({"", "[SpecialStringSettings]", "StartNumber=10001"}),
       "line 3: bad value \"10001\" for SpecialStringSettings.StartNumber: takes 0..10000", ""},
      {"a key naming its group again", Lines({"[EditRequest]", "EditRequest.Mode=remove"}),
       "line 2: unknown field \"EditRequest.EditRequest.Mode\"", ""},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.label);
    CliRequest c;
    EXPECT_EQ(Error(ApplyRequestLines(c, row.lines)), row.error);
    EXPECT_EQ(Joined(PresetLines(c)), row.preset);
  }
}

// A line the settings rules would pass over means the file is not the request its
// writer meant: the run it describes is refused, naming the line.
TEST(RequestFieldsTest, LinesTheSettingsRulesPassOverAreRefusedByLine) {
  using namespace std::string_literals;
  struct Row {
    const char* label;
    std::vector<std::u16string> lines;
    std::string error;
    std::string preset;  // the fields before the fault are applied
  };
  const Row rows[] = {
      {"a line without \"=\"", Lines({"[EditRequest]", "Mode=remove", "IncludeSubfolders 1"}),
       "line 3: \"IncludeSubfolders 1\" is no Field=value line", "[EditRequest]\nMode=Removpart\n"},
      {"a section without \"]\"", Lines({"[EditRequest]", "Mode=remove", " [RemoveOptions ", "Strings1=a"}),
       "line 3: section [RemoveOptions lacks its \"]\"", "[EditRequest]\nMode=Removpart\n"},
      {"a section cut off at the end", Lines({"[RemoveOptions]", "Strings1=a", "[InsertOpt"}),
       "line 3: section [InsertOpt lacks its \"]\"", "[RemoveOptions]\nStrings1=a\n"},
      {"text after a section", Lines({"[RemoveOptions] ; the strings", "Strings1=a"}),
       "line 1: text after the section name: [RemoveOptions] ; the strings", ""},
      {"no name before \"=\"", Lines({"[RemoveOptions]", " =a"}), "line 2: \"=a\" names no field", ""},
      {"a NUL in a value", {u"[RemoveOptions]", u"Strings1=a\0b"s}, "line 2: control character U+0000: not a text file",
       ""},
      {"an escape in a comment", {u"; \x1B[1m bold"}, "line 1: control character U+001B: not a text file", ""},
      {"DEL", {u"[RemoveOptions]", u"Strings1=a\x7F"}, "line 2: control character U+007F: not a text file", ""},
      {"a C1 control", {u"[RemoveOptions]", u"Strings1=\u0085"}, "line 2: control character U+0085: not a text file",
       ""},
      {"a line break inside a line", {u"[RemoveOptions]", u"Strings1=a\nb"},
       "line 2: control character U+000A: not a text file", ""},
      {"a long line is shown shortened", {std::u16string(5000, u'z')},
       "line 1: \"" + std::string(40, 'z') + "...\" is no Field=value line", ""},
      {"a long unknown section is shown shortened", {u"[" + std::u16string(5000, u'g') + u"]"},
       "line 1: unknown section [" + std::string(40, 'g') + "...]", ""},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.label);
    CliRequest c;
    EXPECT_EQ(Error(ApplyRequestLines(c, row.lines)), row.error);
    EXPECT_EQ(Joined(PresetLines(c)), row.preset);
  }
}

// Nothing the engine does takes a text longer than the longest name; a message
// that repeated such a value would bury what it says.
TEST(RequestFieldsTest, ValuesLongerThanTheLongestNameAreRefusedShortened) {
  const std::string tail = ": longer than the longest name (32767 characters)";
  // A pair of surrogates across the cut is shown whole or not at all.
  const std::u16string pairAtCut = std::u16string(39, u'p') + u"\U0001F600" + std::u16string(40000, u'p');
  struct Row {
    const char* label;
    std::u16string name;
    std::u16string value;
    std::string error;  // empty: accepted
  };
  const Row rows[] = {
      {"a template as long as the longest name", u"InsertOptions.HeadTemplate", std::u16string(32767, u'h'), ""},
      {"one character more", u"InsertOptions.HeadTemplate", std::u16string(32768, u'h'),
       "bad value \"" + std::string(40, 'h') + "...\" for InsertOptions.HeadTemplate" + tail},
      {"a megabyte", u"RemoveOptions.Strings1", std::u16string(1 << 20, u's'),
       "bad value \"" + std::string(40, 's') + "...\" for RemoveOptions.Strings1" + tail},
      {"an option text", u"Option.Language", std::u16string(40000, u'l'),
       "bad value \"" + std::string(40, 'l') + "...\" for Option.Language" + tail},
      {"a boolean", u"RemoveOptions.CaseSensitive", std::u16string(40000, u'1'),
       "bad value \"" + std::string(40, '1') + "...\" for RemoveOptions.CaseSensitive" + tail},
      {"a surrogate pair at the cut", u"ReplaceOptions.NewTemplate", pairAtCut,
       "bad value \"" + std::string(39, 'p') + "...\" for ReplaceOptions.NewTemplate" + tail},
      {"a short bad value is shown whole", u"RemoveOptions.RemoveKind", std::u16string(40, u'k'),
       "bad value \"" + std::string(40, 'k') + "\" for RemoveOptions.RemoveKind: takes RemoveStrings|RemoveAnything|"
       "KeepSomething|CleanSymbols"},
      {"a long unknown name", std::u16string(50000, u'n'), u"1",
       "unknown field \"" + std::string(40, 'n') + "...\""},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.label);
    CliRequest c;
    EXPECT_EQ(Error(SetField(c, row.name, row.value)), row.error);
    EXPECT_EQ(PresetLines(c).empty(), !row.error.empty());
  }

  // The same through a request file, with the line it is on.
  CliRequest c;
  const auto lines = Lines({"[InsertOptions]", "AtHead=1"});
  std::vector<std::u16string> file = lines;
  file.push_back(u"HeadTemplate=" + std::u16string(1 << 20, u'h'));
  EXPECT_EQ(Error(ApplyRequestLines(c, file)),
            "line 3: bad value \"" + std::string(40, 'h') + "...\" for InsertOptions.HeadTemplate" + tail);
}

TEST(RequestFieldsTest, RequestFileBytesAreDecodedAsTextFiles) {
  test::AsciiLocale locale;
  CliRequest c;
  const std::string bytes = "\xEF\xBB\xBF[InsertOptions]\r\nEndTemplate=_\xE6\x97\xA5\r\nAtEnd=true\r\n";
  EXPECT_EQ(Error(ApplyRequestFile(c, bytes, locale)), "");
  EXPECT_EQ(Text(c.request.Insert.EndTemplate), "_\xE6\x97\xA5");
  EXPECT_EQ(c.request.Insert.AtEnd, true);
}

TEST(RequestFieldsTest, FieldValueReadsWhatSetFieldWrote) {
  struct Row {
    const char* name;
    const char* set;       // nullptr: the field is left as it is
    const char* expected;  // "(none)": no value
  };
  const Row rows[] = {
      {"RemoveOptions.CaseSensitive", nullptr, "0"},
      {"RemoveOptions.CaseSensitive", "true", "1"},
      {"RemoveOptions.CleanKeepHyphen", nullptr, "1"},
      {"RemoveOptions.Strings2", "a b", "a b"},
      {"RemoveOptions.AnythingKind", "betweenstrings", "BetweenStrings"},
      {"InsertOptions.Where", nullptr, "BEFORE"},
      {"InsertOptions.Where", "between", "BETWEEN"},
      {"EditRequest.Scope", "Folders", "2"},
      {"EditRequest.Mode", "insert", "Addnewnum"},
      {"EditRequest.Mode", nullptr, ""},
      {"saveoptions.content", "AllLayers", "AllLayers"},
      {"SampleSelection.CursorPosition", "7", "7"},
      {"SampleSelection.SampleText", nullptr, "(none)"},
      {"SampleSelection.SampleText", "", ""},
      {"Option.Prenum", nullptr, "(none)"},
      {"Option.Prenum", "50", "50"},
      {"RemoveOptions.NoSuchField", nullptr, "(none)"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(std::string(row.name) + " = " + (row.set ? row.set : "(unset)"));
    CliRequest cli;
    if (row.set != nullptr) {
      ASSERT_EQ(Error(SetField(cli, U16(row.name), U16(row.set))), "");
    }
    const auto value = FieldValue(cli, U16(row.name));
    EXPECT_EQ(value ? ToUtf8Lossy(*value) : "(none)", row.expected);
  }
}

TEST(RequestFieldsTest, PresetWritesChangedFieldsInFixedOrder) {
  CliRequest c;
  // Set out of order, and with values that equal the defaults, which are not written.
  for (const auto& [name, value] : std::vector<std::pair<std::u16string, std::u16string>>{
           {u"Option.Confirm", u"1"},
           {u"SpecialStringSettings.StartNumber", u"7"},
           {u"RemoveOptions.Strings2", u"x"},
           {u"RemoveOptions.CleanKeepHyphen", u"1"},
           {u"EditRequest.Mode", u"remove"},
           {u"RemoveOptions.RemoveKind", u"KeepSomething"},
           {u"ChangeOptions.CaseKind", u"Lower"},
           {u"Option.Prenum", u"20"},
           {u"SampleSelection.SampleText", u""},
       }) {
    ASSERT_EQ(Error(SetField(c, name, value)), "");
  }
  EXPECT_EQ(Joined(PresetLines(c)),
            "[EditRequest]\nMode=Removpart\n"
            "[SampleSelection]\nSampleText=\n"
            "[RemoveOptions]\nRemoveKind=KeepSomething\nStrings2=x\n"
            "[SpecialStringSettings]\nStartNumber=7\n"
            "[Option]\nConfirm=1\nPrenum=20\n");
  EXPECT_EQ(Joined(PresetLines(CliRequest{})), "");
}

TEST(RequestFieldsTest, PresetReadsBackToTheSameRequest) {
  CliRequest c;
  EditRequest& r = c.request;
  r.Mode = std::u16string(EditMode::kInsert);
  r.Scope = TargetScope::Folders;
  r.IncludeSubfolders = true;
  r.TypeFilterOn = true;
  r.TypeFilter = u"jpg,png";
  r.Sample = {u"  holiday 01.jpg", 2, 7, 9};
  c.sampleTextSet = true;
  r.Remove.RemoveKind = RemoveChoice::RemoveAnything;
  r.Remove.Strings = {u"a", u"", u"\"quoted\""};
  r.Remove.AnythingKind = AnythingChoice::AllNumbers;
  r.Remove.LeftString = u"[";
  r.Remove.RightString = u"] ";
  r.Remove.KeepStrings = {u"", u"'k'"};
  r.Remove.CleanKeepHyphen = false;
  r.Remove.CleanKeepOtherText = u"=;#";
  r.Replace.ReplaceKind = ReplaceChoice::ReplaceSelected;
  r.Replace.OldString = u"\u65E5\u672C";
  r.Replace.NewTemplate = u"<n>";
  r.Insert.InsertKind = InsertChoice::ToString;
  r.Insert.Where = InsertPosition::BETWEEN;
  r.Insert.SecondString = u"\t";
  r.Change.ChangeKind = ChangeChoice::ConvertCase;
  r.Change.CaseKind = CaseChoice::CapitalizeWords;
  r.Change.ExcludeSmallWords = false;
  r.Extension.ExtensionKind = ExtensionChoice::ConvertExtensionCase;
  r.Extension.ExtensionUpper = true;
  r.Save.Content = SaveContent::AllLayers;
  r.Save.OtherTypes = u"iso,bin";
  r.Save.FileTime = true;
  c.special.StartNumber = 10000;
  c.special.RandomLower = false;
  c.optionOverrides = {{u"Language", u" Deutsch "}, {u"Prenum", u"1000"}, {u"Icon", u""}};

  const std::vector<std::u16string> preset = PresetLines(c);
  CliRequest back;
  ASSERT_EQ(Error(ApplyRequestLines(back, preset)), "") << Joined(preset);
  EXPECT_EQ(Joined(PresetLines(back)), Joined(preset));
  EXPECT_EQ(Text(back.request.Sample.SampleText), "  holiday 01.jpg");
  EXPECT_EQ(Text(back.request.Remove.Strings[2]), "\"quoted\"");
  EXPECT_EQ(Text(back.request.Remove.RightString), "] ");
  EXPECT_EQ(Text(back.request.Insert.SecondString), "\t");
  EXPECT_EQ(OverrideOf(back, "Language"), " Deutsch ");
  EXPECT_EQ(OverrideOf(back, "Icon"), "");
}

}  // namespace
}  // namespace renamora

// Tests of the typed settings: defaults, stored forms, the engine's options and the dialog's rules.
#include "app/Settings.h"

#include <gtest/gtest.h>

#include <cctype>
#include <string>
#include <vector>

#include "app/AppFakes.h"
#include "app/StringTable.h"
#include "base/text/Utf.h"
#include "support/TempFolder.h"

namespace renamora {
namespace {

IniDocument OptionDoc(const std::u16string& line) { return IniDocument({u"[Option]", line}); }

struct BoolRow {
  const char* key;
  bool OptionSettings::*member;
  bool defaultValue;
};

const BoolRow kBoolRows[] = {
    {"Options1", &OptionSettings::Options1, false},       {"Options2", &OptionSettings::Options2, false},
    {"Options3", &OptionSettings::Options3, true},        {"Autocopy", &OptionSettings::Autocopy, true},
    {"Capevery", &OptionSettings::Capevery, true},        {"Confirm", &OptionSettings::Confirm, false},
    {"Contextmenu", &OptionSettings::Contextmenu, true},  {"Endsound", &OptionSettings::Endsound, true},
    {"PreviewMax", &OptionSettings::PreviewMax, false},   {"Checkbox", &OptionSettings::Checkbox, true},
    {"Showguide", &OptionSettings::Showguide, true},      {"Showhiddenfile", &OptionSettings::Showhiddenfile, false},
    {"Showsysfile", &OptionSettings::Showsysfile, false}, {"Registereddll", &OptionSettings::Registereddll, false},
};

TEST(SettingsTest, EveryOptionBoolHasItsDefaultAndReadsItsKey) {
  for (const BoolRow& row : kBoolRows) {
    SCOPED_TRACE(row.key);
    EXPECT_EQ(LoadOptionSettings(IniDocument()).*row.member, row.defaultValue);
    EXPECT_EQ(LoadOptionSettings(OptionDoc(U16(row.key) + u"=on")).*row.member, row.defaultValue);
    const std::u16string flipped = row.defaultValue ? u"=0" : u"=1";
    EXPECT_EQ(LoadOptionSettings(OptionDoc(U16(row.key) + flipped)).*row.member, !row.defaultValue);
    // Keys are matched ignoring case.
    std::string lower = row.key;
    for (char& c : lower) c = char(std::tolower(static_cast<unsigned char>(c)));
    EXPECT_EQ(LoadOptionSettings(OptionDoc(U16(lower) + flipped)).*row.member, !row.defaultValue);
  }
}

TEST(SettingsTest, NumbersHaveDefaultsAndStayInTheirRanges) {
  struct Row {
    const char* line;
    int prenum, listnum, foldernum;
  };
  const Row rows[] = {
      {"", 20, 20, 10},
      {"Prenum=abc", 20, 20, 10},
      {"Prenum=5000", 1000, 20, 10},
      {"Prenum=0", 1, 20, 10},
      {"Listnum=-3", 20, 0, 10},
      {"Listnum=100", 20, 100, 10},
      {"Foldernum=31", 20, 20, 30},
      {"Foldernum=0", 20, 20, 0},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.line);
    const OptionSettings s = LoadOptionSettings(OptionDoc(U16(row.line)));
    EXPECT_EQ(s.Prenum, row.prenum);
    EXPECT_EQ(s.Listnum, row.listnum);
    EXPECT_EQ(s.Foldernum, row.foldernum);
  }
}

TEST(SettingsTest, TextKeysAndTheWindowPlace) {
  const OptionSettings none = LoadOptionSettings(IniDocument());
  EXPECT_EQ(none.Language, u"");
  EXPECT_EQ(none.Icon, std::nullopt);
  const OptionSettings some = LoadOptionSettings(IniDocument({u"[Option]", u"Language=Deutsch", u"Icon="}));
  EXPECT_EQ(some.Language, u"Deutsch");
  EXPECT_EQ(some.Icon, std::optional<std::u16string>(u""));

  struct Row {
    std::vector<std::u16string> lines;
    FormSettings expected;
  };
  const Row rows[] = {
      {{}, {false, 299, 172, 626, 513, u"", 0}},
      {{u"[Form]", u"Maximize=1", u"Left=-8", u"Top=x", u"Width=99999999999", u"Height=700", u"LastDir=C:\\a",
        u"Totalfiles=5000000000"},
       {true, -8, 172, 626, 700, u"C:\\a", 5000000000u}},
      {{u"[Form]", u"Totalfiles=-4"}, {false, 299, 172, 626, 513, u"", 0}},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.lines.size());
    const FormSettings f = LoadFormSettings(IniDocument(row.lines));
    EXPECT_EQ(f.Maximize, row.expected.Maximize);
    EXPECT_EQ(f.Left, row.expected.Left);
    EXPECT_EQ(f.Top, row.expected.Top);
    EXPECT_EQ(f.Width, row.expected.Width);
    EXPECT_EQ(f.Height, row.expected.Height);
    EXPECT_EQ(f.LastDir, row.expected.LastDir);
    EXPECT_EQ(f.Totalfiles, row.expected.Totalfiles);
  }
}

TEST(SettingsTest, OkStoresEveryDialogValueInOneFile) {
  std::unique_ptr<FileSystem> fs = MakeSystemFileSystem();
  test::AsciiLocale locale;
  test::TempFolder temp(*fs);
  temp.MakeFile(u"Settings.ini", "[Option]\r\nLanguage=Deutsch\r\nIcon=Blue\r\n");
  SettingsFile file(*fs, locale, temp / u"Settings.ini");

  OptionSettings s;
  s.Confirm = true;
  s.Prenum = 5000;  // a value the box never lets through is stored in range
  const OptionsSaveResult result = SaveDialogOptions(file, s);
  EXPECT_TRUE(result.written);
  EXPECT_TRUE(result.autoPreviewChanged);  // nothing stored reads as 1; the box writes 0
  EXPECT_EQ(temp.Read(u"Settings.ini"),
            "[Option]\r\nLanguage=Deutsch\r\nIcon=Blue\r\nOptions1=0\r\nOptions2=0\r\nOptions3=1\r\nAutocopy=1\r\n"
            "Capevery=1\r\nConfirm=1\r\nPrenum=1000\r\nListnum=20\r\nFoldernum=10\r\nContextmenu=1\r\n"
            "Endsound=1\r\nPreviewMax=0\r\nCheckbox=1\r\nShowguide=1\r\nShowhiddenfile=0\r\nShowsysfile=0\r\n"
            "AutoPreview=0\r\n");
  EXPECT_FALSE(SaveDialogOptions(file, s).autoPreviewChanged);

  const OptionSettings back = LoadOptionSettings(file.Read());
  EXPECT_TRUE(back.Confirm);
  EXPECT_EQ(back.Prenum, 1000);
  EXPECT_EQ(back.Language, u"Deutsch");
}

TEST(SettingsTest, ClosingWritesTheTotalOnlyWhenThereIsOne) {
  struct Row {
    std::uint64_t total;
    const char* expected;
  };
  const Row rows[] = {
      {0, "[Form]\r\nTotalfiles=7\r\nMaximize=0\r\nTop=172\r\nLeft=299\r\nHeight=513\r\nWidth=626\r\n"},
      {5000000000u, "[Form]\r\nTotalfiles=5000000000\r\nMaximize=0\r\nTop=172\r\nLeft=299\r\nHeight=513\r\nWidth=626\r\n"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.total);
    std::unique_ptr<FileSystem> fs = MakeSystemFileSystem();
    test::AsciiLocale locale;
    test::TempFolder temp(*fs);
    temp.MakeFile(u"Settings.ini", "[Form]\r\nTotalfiles=7\r\n");
    SettingsFile file(*fs, locale, temp / u"Settings.ini");
    FormSettings form;
    form.Totalfiles = row.total;
    EXPECT_TRUE(SaveFormOnClose(file, form));
    EXPECT_EQ(temp.Read(u"Settings.ini"), row.expected);
  }
}

TEST(SettingsTest, DefaultResetsTheBoxesButNotLanguageIconOrStoredOnlyKeys) {
  OptionSettings s;
  for (const BoolRow& row : kBoolRows) s.*row.member = !row.defaultValue;
  s.Prenum = 7;
  s.Listnum = 3;
  s.Foldernum = 1;
  s.Language = u"Deutsch";
  s.Icon = u"Blue";
  ApplyDialogDefaults(s);
  for (const BoolRow& row : kBoolRows) {
    SCOPED_TRACE(row.key);
    // Registereddll has no box in the dialog.
    EXPECT_EQ(s.*row.member, std::string(row.key) == "Registereddll" ? !row.defaultValue : row.defaultValue);
  }
  EXPECT_EQ(s.Prenum, 20);
  EXPECT_EQ(s.Listnum, 20);
  EXPECT_EQ(s.Foldernum, 10);
  EXPECT_EQ(s.Language, u"Deutsch");
  EXPECT_EQ(s.Icon, std::optional<std::u16string>(u"Blue"));
}

TEST(SettingsTest, NumberBoxesKeepToTheirLimits) {
  struct Row {
    NumberBox box;
    const char* text;
    int value;
    bool replaceText;
    const char* warning;
  };
  const Row rows[] = {
      {NumberBox::PreviewFiles, "1500", 1000, true, "Sorry! Maximum is 1000."},
      {NumberBox::PreviewFiles, "99999999999999999999999", 1000, true, "Sorry! Maximum is 1000."},
      {NumberBox::PreviewFiles, "1000", 1000, false, ""},
      {NumberBox::PreviewFiles, "0", 1, true, ""},
      {NumberBox::PreviewFiles, "-5", 1, true, ""},
      {NumberBox::PreviewFiles, "", 33, false, ""},  // still typing: the last value stays
      {NumberBox::PreviewFiles, "4x", 33, false, ""},
      {NumberBox::NewNames, "0", 0, false, ""},
      {NumberBox::NewNames, "101", 100, true, "Sorry! Maximum is 100."},
      {NumberBox::UsedFolders, "31", 30, true, "Sorry! Maximum is 30."},
      {NumberBox::UsedFolders, "30", 30, false, ""},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.text);
    const NumberBoxCheck c = CheckNumberBox(row.box, U16(row.text), 33, StringTable::BuiltIn());
    EXPECT_EQ(c.value, row.value);
    EXPECT_EQ(c.replaceText, row.replaceText);
    EXPECT_EQ(c.warning, U16(row.warning));
  }
}

}  // namespace
}  // namespace renamora

// Tests of the settings file: reading rules, whole-file rewrites and encodings that lose nothing.
#include "app/SettingsFile.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

#include "app/AppFakes.h"
#include "base/text/Utf.h"
#include "support/TempFolder.h"

namespace renamora {
namespace {

constexpr const char* kChinesePath = "D:\xE7\x85\xA7\xE7\x89\x87\\\xE6\x97\x85\xE8\xA1\x8C";  // D:\照片\旅行

struct SettingsWorld {
  std::unique_ptr<FileSystem> fs = MakeSystemFileSystem();
  test::AsciiLocale locale;
  test::TempFolder temp{*fs};
  std::u16string path = temp / u"Settings.ini";
  SettingsFile file{*fs, locale, path};
};

TEST(SettingsFileTest, IntegerTexts) {
  struct Row {
    const char* text;
    std::optional<std::int64_t> expected;
  };
  const Row rows[] = {
      {"20", 20},
      {" 20\t", 20},
      {"+5", 5},
      {"-5", -5},
      {"", std::nullopt},
      {"-", std::nullopt},
      {"20abc", std::nullopt},
      {"1.5", std::nullopt},
      {"0x10", std::nullopt},
      {"9223372036854775807", INT64_MAX},
      {"9223372036854775808", std::nullopt},
      {"-9223372036854775808", INT64_MIN},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.text);
    EXPECT_EQ(ParseSettingsInteger(U16(row.text)), row.expected);
  }
}

TEST(SettingsFileTest, ReadingFindsTheValueAsTheProfileFunctionsDo) {
  struct Row {
    const char* label;
    std::string bytes;
    const char* section;
    const char* key;
    std::optional<std::u16string> expected;
  };
  const Row rows[] = {
      {"plain", "[Option]\r\nLanguage=English\r\n", "Option", "Language", u"English"},
      {"names ignore ASCII case", "[OPTION]\r\nlanguage=English\r\n", "option", "LANGUAGE", u"English"},
      {"blanks around names and value", "  [ Option ]\r\n  Language =  English  \r\n", "Option", "Language",
       u"English"},
      {"to the end of the line", "[Option]\r\nLanguage=a=b ; c\r\n", "Option", "Language", u"a=b ; c"},
      {"one pair of quotes goes", "[Form]\r\nLastDir=\" C:\\x \"\r\n", "Form", "LastDir", u" C:\\x "},
      {"comment is no key", "[Option]\r\n;Language=x\r\n", "Option", "Language", std::nullopt},
      {"other section", "[Form]\r\nLanguage=x\r\n", "Option", "Language", std::nullopt},
      {"before any section", "Language=x\r\n[Option]\r\n", "Option", "Language", std::nullopt},
      {"first section holding it", "[Option]\r\nA=1\r\n[Option]\r\nLanguage=x\r\nLanguage=y\r\n", "Option",
       "Language", u"x"},
      {"LF line ends", "[Option]\nLanguage=English\n", "Option", "Language", u"English"},
      {"UTF-8 mark", "\xEF\xBB\xBF[Form]\r\nFolder0=D:\xE7\x85\xA7\r\n", "Form", "Folder0", u"D:\u7167"},
      {"UTF-16 LE mark", std::string("\xFF\xFE[\0F\0]\0\r\0\n\0K\0=\0\x67q\r\0\n\0", 22), "F", "K", u"\u7167"},
      {"UTF-16 BE mark", std::string("\xFE\xFF\0[\0F\0]\0\r\0\n\0K\0=q\x67\0\r\0\n", 22), "F", "K", u"\u7167"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.label);
    SettingsWorld w;
    w.temp.MakeFile(u"Settings.ini", row.bytes);
    EXPECT_EQ(w.file.Read().Value(U16(row.section), U16(row.key)), row.expected);
  }
}

TEST(SettingsFileTest, TypedReadsFallBackOnMissingAndBadValues) {
  struct Row {
    const char* value;  // nullptr: no such key
    bool fallback;
    bool expectedBool;
    std::int64_t expectedInteger;  // read with fallback 7
  };
  const Row rows[] = {
      {"1", false, true, 1},     {"0", true, false, 0},       {"2", false, true, 2},
      {"-1", false, true, -1},   {"yes", true, true, 7},      {"yes", false, false, 7},
      {"", true, true, 7},       {nullptr, true, true, 7},    {nullptr, false, false, 7},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.value ? row.value : "<missing>");
    IniDocument doc(row.value ? std::vector<std::u16string>{u"[Option]", u"Key=" + U16(row.value)}
                              : std::vector<std::u16string>{u"[Option]"});
    EXPECT_EQ(doc.Bool(u"Option", u"Key", row.fallback), row.expectedBool);
    EXPECT_EQ(doc.Integer(u"Option", u"Key", 7), row.expectedInteger);
  }
}

TEST(SettingsFileTest, WritesRewriteTheWholeFileKeepingWhatTheyDoNotChange) {
  struct Row {
    const char* label;
    std::optional<std::string> before;  // nothing: no file yet
    std::function<bool(SettingsFile&)> write;
    std::optional<std::string> after;  // nothing: still no file
  };
  const Row rows[] = {
      {"the first write creates the file", std::nullopt,
       [](SettingsFile& f) { return f.WriteBool(u"Option", u"Confirm", true); }, "[Option]\r\nConfirm=1\r\n"},
      {"a key is changed in place, matched ignoring case", "[Option]\r\nCONFIRM=1\r\nEndsound=1\r\n",
       [](SettingsFile& f) { return f.WriteBool(u"option", u"Confirm", false); },
       "[Option]\r\nConfirm=0\r\nEndsound=1\r\n"},
      {"a new key closes its section, before the blank line", "[Option]\r\nA=1\r\n\r\n[Form]\r\nB=2\r\n",
       [](SettingsFile& f) { return f.WriteInteger(u"Option", u"Prenum", 50); },
       "[Option]\r\nA=1\r\nPrenum=50\r\n\r\n[Form]\r\nB=2\r\n"},
      {"comments and unknown sections stay; LF becomes CR LF", "; made by hand\n[Other]\nX = y \n",
       [](SettingsFile& f) { return f.WriteInteger(u"Form", u"Left", -20); },
       "; made by hand\r\n[Other]\r\nX = y \r\n[Form]\r\nLeft=-20\r\n"},
      {"blanks at the ends are kept by quotes", std::nullopt,
       [](SettingsFile& f) { return f.WriteText(u"Form", u"LastDir", u" a "); }, "[Form]\r\nLastDir=\" a \"\r\n"},
      {"delete removes every line of the key only", "[Form]\r\nFolder1=a\r\nTop=1\r\nfolder1=b\r\n",
       [](SettingsFile& f) { return f.DeleteKey(u"Form", u"Folder1"); }, "[Form]\r\nTop=1\r\n"},
      {"deleting from no file creates none", std::nullopt,
       [](SettingsFile& f) { return f.DeleteKey(u"Form", u"Folder1"); }, std::nullopt},
      {"a line break cannot smuggle in a key", "[Form]\r\nTop=1\r\n",
       [](SettingsFile& f) { return !f.WriteText(u"Form", u"LastDir", u"x\r\n[Option]\r\nConfirm=1"); },
       "[Form]\r\nTop=1\r\n"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.label);
    SettingsWorld w;
    if (row.before) w.temp.MakeFile(u"Settings.ini", *row.before);
    EXPECT_TRUE(row.write(w.file));
    EXPECT_EQ(w.fs->ReadFile(w.path), row.after);
  }
}

TEST(SettingsFileTest, TextValuesReadBackUnchanged) {
  const std::u16string values[] = {
      u"", u" lead", u"trail ", u"\"quoted\"", u"'single'", u"\"", u"a=b", u"x ; y", U16(kChinesePath),
      std::u16string(u"bad\xD800unit"),  // Windows names may hold an unpaired surrogate
  };
  for (const auto& value : values) {
    SCOPED_TRACE(ToUtf8Lossy(value));
    SettingsWorld w;
    ASSERT_TRUE(w.file.WriteText(u"Form", u"Folder0", value));
    ASSERT_TRUE(w.file.WriteText(u"Form", u"Top", u"1"));
    EXPECT_EQ(w.file.Read().Value(u"Form", u"Folder0"), std::optional<std::u16string>(value));
  }
}

TEST(SettingsFileTest, CodePageWhileEverythingFitsElseUtf8WithMark) {
  SettingsWorld w;
  ASSERT_TRUE(w.file.WriteText(u"Form", u"Top", u"1"));
  EXPECT_EQ(w.temp.Read(u"Settings.ini"), "[Form]\r\nTop=1\r\n");

  // The code page cannot hold the path: the whole file moves to UTF-8.
  ASSERT_TRUE(w.file.WriteText(u"Form", u"Folder0", U16(kChinesePath)));
  EXPECT_EQ(w.temp.Read(u"Settings.ini"), std::string("\xEF\xBB\xBF[Form]\r\nTop=1\r\nFolder0=") + kChinesePath + "\r\n");
  EXPECT_EQ(w.file.ReadText(u"Form", u"Folder0"), U16(kChinesePath));

  ASSERT_TRUE(w.file.DeleteKey(u"Form", u"Folder0"));
  EXPECT_EQ(w.temp.Read(u"Settings.ini"), "[Form]\r\nTop=1\r\n");
}

TEST(SettingsFileTest, EveryReadSeesTheFileAsItIsNow) {
  SettingsWorld w;
  SettingsFile other(*w.fs, w.locale, w.path);  // another instance of the program
  ASSERT_TRUE(w.file.WriteInteger(u"Option", u"Prenum", 30));
  EXPECT_EQ(other.ReadInteger(u"Option", u"Prenum", 20), 30);
  ASSERT_TRUE(other.WriteInteger(u"Option", u"Listnum", 5));
  ASSERT_TRUE(w.file.WriteInteger(u"Option", u"Prenum", 40));
  EXPECT_EQ(w.temp.Read(u"Settings.ini"), "[Option]\r\nPrenum=40\r\nListnum=5\r\n");
}

TEST(SettingsFileTest, AFileThatCannotBeReadIsNeverOverwritten) {
  SettingsWorld w;
  w.temp.MakeFile(u"Settings.ini", "[Option]\r\nLanguage=Deutsch\r\n");
  test::LockingFileSystem locking(*w.fs);
  locking.unreadableFiles.push_back(w.path);
  SettingsFile file(locking, w.locale, w.path);
  EXPECT_FALSE(file.WriteBool(u"Option", u"Confirm", true));
  EXPECT_EQ(w.temp.Read(u"Settings.ini"), "[Option]\r\nLanguage=Deutsch\r\n");
}

}  // namespace
}  // namespace renamora

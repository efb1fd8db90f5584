// Name listings of folder trees and chosen files: their lines, the file they go to,
// the stop request and the fallback when the chosen file cannot be written.
#include <gtest/gtest.h>

#include <algorithm>
#include <deque>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/StringTable.h"
#include "base/Paths.h"
#include "base/text/Utf.h"
#include "core/NameListing.h"
#include "support/Fakes.h"
#include "support/Links.h"
#include "support/TableLocale.h"
#include "support/TempFolder.h"

namespace renamora {
namespace {

using test::TempFolder;
using Lines = std::vector<std::string>;

std::string Show(std::u16string_view text) { return ToUtf8Lossy(text); }

Lines Show(const std::vector<std::u16string>& lines) {
  Lines out;
  for (const auto& line : lines) out.push_back(Show(line));
  return out;
}

// The lines of a written listing; every line must end with CR LF.
Lines FileLines(const std::string& bytes) {
  Lines out;
  std::size_t start = 0;
  while (start < bytes.size()) {
    const std::size_t end = bytes.find("\r\n", start);
    if (end == std::string::npos) {
      ADD_FAILURE() << "last line without CR LF: " << bytes.substr(start);
      break;
    }
    out.push_back(bytes.substr(start, end - start));
    start = end + 2;
  }
  return out;
}

constexpr FileTime kNowTicks = 133490000000000000;
const LocalTime kNow{2024, 1, 5, 9, 7, 33};
const LocalTime kFileTime{2023, 1, 30, 7, 5, 0};

// The current time is kNow; every other time stands for a file's and reads kFileTime.
class FakeClock final : public Clock {
 public:
  FileTime Now() const override { return kNowTicks; }
  std::int64_t UnixSeconds() const override { return 0; }
  LocalTime ToLocalTime(FileTime utc) const override {
    if (utc == kNowTicks) return kNow;
    converted.push_back(utc);
    return kFileTime;
  }
  mutable std::vector<FileTime> converted;
};

class ListingObserver final : public RunObserver {
 public:
  void RunProgressJob(const std::function<void()>& job) override {
    ++progressJobs;
    job();
  }
  void SetBusyCursor(bool busy) override { cursor.push_back(busy); }
  // Simulates the Cancel button, pressed while the events of entry stopAt are let through.
  void PumpEvents() override {
    if (++pumps == stopAt && stop) stop->Set();
  }
  int progressJobs = 0;
  std::vector<bool> cursor;
  int pumps = 0;
  int stopAt = 0;
  StopRequest* stop = nullptr;
};

class ScriptedChooser final : public SaveFileChooser {
 public:
  std::optional<std::u16string> ChooseSaveFile(std::u16string_view suggested) override {
    suggestions.emplace_back(suggested);
    if (answers.empty()) return std::nullopt;
    auto answer = answers.front();
    answers.pop_front();
    return answer;
  }
  bool AsksBeforeReplacing() const override { return asks; }
  std::deque<std::optional<std::u16string>> answers;
  std::vector<std::u16string> suggestions;
  bool asks = false;
};

class RecordingOpener final : public FileOpener {
 public:
  void OpenFile(std::u16string_view path) override { opened.push_back(Show(path)); }
  Lines opened;
};

class RecordingPanel final : public SearchPanel {
 public:
  void ShowSearching(std::u16string_view text, int barMaximum) override {
    shown.push_back(Show(text));
    maximum = barMaximum;
  }
  void SetBarPosition(int position) override { positions.push_back(position); }
  Lines shown;
  int maximum = 0;
  std::vector<int> positions;
};

class Listing : public testing::Test {
 protected:
  Listing() { observer.stop = &run.Stop; }

  NameListingSaver Saver() {
    return NameListingSaver({*fs, locale, clock, texts, prompter, observer, host, chooser, opener, &panel}, settings);
  }

  std::u16string Root() const { return dir.Path() + kPathSeparator; }
  std::string RootText() const { return Show(Root()); }

  // Files and folders of every kind a listing treats differently.
  void MakeTree() {
    dir.MakeFile(u"b.txt", std::string(512, 'b'));
    dir.MakeFile(u"a.mp3", std::string(1536, 'a'));
    dir.MakeFile(u".hidden.txt");
    EXPECT_TRUE(fs->SetAttributes(dir / u".hidden.txt", kAttrHidden));
    dir.MakeFolder(u"Empty");
    dir.MakeFile(u"Sub/c.txt");
    dir.MakeFile(u"Sub/Deep/d.txt");
    dir.MakeFile(u"Page_files/x.htm");
    dir.MakeFile(u"Page.files/y.htm");
  }

  std::unique_ptr<FileSystem> fs = MakeSystemFileSystem();
  TempFolder dir{*fs};
  test::TableLocale locale;
  FakeClock clock;
  StringTable texts;
  test::RecordingPrompter prompter;
  ListingObserver observer;
  test::RecordingHost host;
  ScriptedChooser chooser;
  RecordingOpener opener;
  RecordingPanel panel;
  ListingSettings settings;
  RunState run;
};

TEST(FormatTimePictureTest, WindowsPictures) {
  struct Row {
    const char16_t* picture;
    LocalTime time;
    const char* expected;
  };
  const LocalTime morning{2024, 1, 5, 9, 7, 33};
  const Row rows[] = {
      {u"dd/MM/yyyy", morning, "05/01/2024"},
      {u"d.M.yy", {2004, 3, 9, 0, 0, 0}, "9.3.04"},
      {u"y", {2004, 3, 9, 0, 0, 0}, "4"},
      {u"dddd, MMMM d, yyyy", morning, "Friday, January 5, 2024"},
      {u"ddd dd MMM", {2024, 2, 29, 0, 0, 0}, "Thu 29 Feb"},
      {u"h:mm:ss tt", morning, "9:07:33 AM"},
      {u"h:mm:ss tt", {2024, 1, 5, 21, 7, 33}, "9:07:33 PM"},
      {u"hh:mm t", {2024, 1, 5, 0, 30, 0}, "12:30 A"},
      {u"HH:mm:ss", morning, "09:07:33"},
      {u"H:m:s", {2024, 1, 5, 9, 7, 3}, "9:7:3"},
      {u"HH'h'mm", morning, "09h07"},
      {u"'o''clock' H", morning, "o'clock 9"},
      {u"yyyy'年'M'月'd'日'", morning, "2024年1月5日"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(Show(row.picture));
    EXPECT_EQ(Show(FormatTimePicture(row.picture, row.time)), row.expected);
  }
}

TEST(ListingPartsTest, SizeText) {
  struct Row {
    std::uint64_t bytes;
    const char16_t* separator;
    const char* expected;
  };
  const Row rows[] = {
      {0, u".", "0Byte"},
      {1023, u".", "1023Byte"},
      {1024, u".", "1KB"},
      {1536, u".", "1.5KB"},
      {1536, u",", "1,5KB"},
      {1280, u".", "1.2KB"},  // 1.25 KB: the tie goes to the even digit
      {1792, u".", "1.8KB"},  // 1.75 KB
      {1047552, u".", "1023KB"},
      {1048000, u".", "1MB"},
      {3565158, u".", "3.4MB"},
      {5ULL << 30, u".", "5GB"},
      {(5ULL << 30) + (5ULL << 20) * 3 / 2, u".", "5.01GB"},
      {~0ULL, u".", "17179869184GB"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.bytes);
    EXPECT_EQ(Show(ListingSizeText(row.bytes, row.separator)), row.expected);
  }
}

TEST(ListingPartsTest, TypeFilter) {
  struct Row {
    const char* name;
    SaveOptions options;
    const char16_t* file;
    bool passes;
  };
  auto special = [](auto tick) {
    SaveOptions o;
    o.SpecialTypes = true;
    tick(o);
    return o;
  };
  auto other = [&](const char16_t* list) {
    return special([&](SaveOptions& o) {
      o.Other = true;
      o.OtherTypes = list;
    });
  };
  const SaveOptions music = special([](SaveOptions& o) { o.Music = true; });
  const SaveOptions pictures = special([](SaveOptions& o) { o.Picture = true; });
  const SaveOptions programs = special([](SaveOptions& o) { o.Program = true; });
  const SaveOptions nothingTicked = special([](SaveOptions&) {});
  const Row rows[] = {
      {"all types", SaveOptions{}, u"anything", true},
      {"music", music, u"song.mp3", true},
      {"music, upper-case extension", music, u"SONG.MP3", true},
      {"music refuses pictures", music, u"a.jpg", false},
      {"a part of a group entry is no match", pictures, u"a.jp", false},
      {"a part of a group entry is no match, either side", programs, u"a.ex", false},
      {"tiff is a picture", pictures, u"scan.TIFF", true},
      {"only the last extension counts", programs, u"backup.zip.part", false},
      {"no group ticked", nothingTicked, u"a.mp3", false},
      {"no extension never matches a group", music, u"README", false},
      {"other, lower case without dot", other(u"jpg,raw"), u"a.JPG", true},
      {"other, upper case without dot", other(u"JPG"), u"a.jpg", false},
      {"other, non-ASCII letters lower-cased too", other(u"j\u00e9g"), u"a.J\u00c9G", true},
      {"other, dotted entry in its own case", other(u".JPG"), u"a.JPG", true},
      {"other, dotted entry in another case", other(u".JPG"), u"a.jpg", false},
      {"other, surrounding blanks removed", other(u"  raw  "), u"a.raw", true},
      {"other, empty list", other(u"   "), u"a.raw", false},
      {"other, no extension against a dotted list", other(u".raw"), u"README", false},
      {"other, an empty entry takes files without extension", other(u"raw,,nef"), u"README", true},
      {"groups and other together", special([](SaveOptions& o) {
         o.Film = true;
         o.Other = true;
         o.OtherTypes = u"srt";
       }),
       u"movie.srt", true},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    EXPECT_EQ(ListingTypePasses(row.options, row.file), row.passes);
  }
}

TEST(ListingPartsTest, TxtRule) {
  struct Row {
    std::u16string chosen;
    std::u16string written;
  };
  const std::u16string sep(1, kPathSeparator);
  const Row rows[] = {
      {u"list", u"list.txt"},
      {u"list.txt", u"list.txt"},
      {u"list.TXT", u"list.TXT"},
      {u"list.doc", u"list.doc.txt"},
      {u"list.txt.bak", u"list.txt.bak.txt"},
      {u"notes.txt" + sep + u"list", u"notes.txt" + sep + u"list.txt"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(Show(row.chosen));
    EXPECT_EQ(Show(ListingFilePath(row.chosen)), Show(row.written));
  }
}

TEST_F(Listing, FolderListingsByContent) {
  MakeTree();
  struct Row {
    const char* name;
    SaveContent content;
    bool webpages;
    Lines body;  // after the head lines
  };
  const Row rows[] = {
      {"one layer", SaveContent::OneLayer, true, {"  <Empty>", "  <Sub>", "  .hidden.txt", "  a.mp3", "  b.txt"}},
      {"all layers",
       SaveContent::AllLayers,
       false,
       {"  <Empty>", "  <Sub>", "    <Deep>", "      d.txt", "    c.txt", "  .hidden.txt", "  a.mp3", "  b.txt"}},
      {"all layers with webpage folders",
       SaveContent::AllLayers,
       true,
       {"  <Empty>", "  <Page.files>", "    y.htm", "  <Page_files>", "    x.htm", "  <Sub>", "    <Deep>",
        "      d.txt", "    c.txt", "  .hidden.txt", "  a.mp3", "  b.txt"}},
      {"names only leaves webpage folders out", SaveContent::NamesOnly, true, {"  <Empty>", "  <Sub>", "    <Deep>"}},
  };
  const char* heads[] = {"File names (ONE layer) in folder, ", "File names (ALL layers) in folder, ",
                         "All subfolder names in folder, "};
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    SaveOptions options;
    options.Content = row.content;
    options.IncludeWebpageFolders = row.webpages;
    Lines expected{heads[int(row.content)] + RootText(), "[2024-01-05 09:07:33]"};
    expected.insert(expected.end(), row.body.begin(), row.body.end());
    EXPECT_EQ(Show(Saver().FolderListing(options, Root(), run)), expected);
  }
}

TEST_F(Listing, FileLinesWithSizeDateAndTypes) {
  MakeTree();
  SaveOptions options;
  options.FileSize = true;
  options.FileTime = true;
  options.SpecialTypes = true;
  options.Music = true;
  options.Document = true;
  locale.decimal = u",";
  const Lines expected{"File names (ONE layer) in folder, " + RootText(),
                       "[2024-01-05 09:07:33]",
                       "  <Empty>",
                       "  <Sub>",
                       "  .hidden.txt  0Byte  20230130 7:05",
                       "  a.mp3  1,5KB  20230130 7:05",
                       "  b.txt  512Byte  20230130 7:05"};
  EXPECT_EQ(Show(Saver().FolderListing(options, Root(), run)), expected);
  // The date part is the file's own last-write time, converted to local time.
  const auto stamp = fs->Stat(dir / u"a.mp3");
  ASSERT_TRUE(stamp.has_value());
  EXPECT_NE(std::find(clock.converted.begin(), clock.converted.end(), stamp->lastWrite), clock.converted.end());
}

TEST_F(Listing, EmptyOrUnreadableFolderGivesHeadLinesOnly) {
  locale.shortDate = u"dd/MM/yyyy";
  for (const std::u16string& folder : {Root(), dir / u"missing"}) {
    SCOPED_TRACE(Show(folder));
    SaveOptions options;
    options.Content = SaveContent::AllLayers;
    const Lines lines = Show(Saver().FolderListing(options, folder, run));
    EXPECT_EQ(lines, (Lines{"File names (ALL layers) in folder, " + Show(WithTrailingSeparator(folder)),
                            "[05/01/2024 09:07:33]"}));
  }
}

TEST_F(Listing, NeverFollowsLinks) {
  dir.MakeFile(u"Sub/c.txt");
  if (!test::MakeFolderLink(dir.Path(), dir / u"Sub/Loop")) GTEST_SKIP() << "this system refuses folder links";
  SaveOptions options;
  options.Content = SaveContent::AllLayers;
  const Lines lines = Show(Saver().FolderListing(options, Root(), run));
  // The link is named once, as a folder where the system calls it one, and its
  // target (this very tree) is never listed again below it.
  const Lines asFolder{"File names (ALL layers) in folder, " + RootText(), "[2024-01-05 09:07:33]", "  <Sub>",
                       "    <Loop>", "    c.txt"};
  const Lines asFile{"File names (ALL layers) in folder, " + RootText(), "[2024-01-05 09:07:33]", "  <Sub>",
                     "    c.txt", "    Loop"};
  EXPECT_TRUE(lines == asFolder || lines == asFile) << testing::PrintToString(lines);
}

TEST_F(Listing, WritesTheFileAndEndsTheEdit) {
  MakeTree();
  struct Row {
    const char* name;
    bool options1, options2;
    bool opened;
    std::vector<std::string> hostEvents;
    bool editDone;
  };
  const Row rows[] = {
      {"open, then close the edit window", false, false, true, {"close edit"}, true},
      {"don't open", false, true, false, {"close edit"}, true},
      {"exit after one operation", true, false, true, {"close main"}, false},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    settings.Options1 = row.options1;
    settings.Options2 = row.options2;
    host.events.clear();
    opener.opened.clear();
    run.EditDone = false;
    chooser.answers = {dir / u"list.doc"};
    EditRequest request;
    ProgramState program;
    program.TargetFolder = Root();
    const SaveOutcome outcome = Saver().Save(request, program, run);
    const std::u16string written = dir / u"list.doc.txt";
    EXPECT_EQ(outcome.Status, SaveStatus::Saved);
    EXPECT_EQ(Show(outcome.WrittenPath), Show(written));
    EXPECT_FALSE(fs->Exists(dir / u"list.doc"));
    EXPECT_EQ(FileLines(dir.Read(u"list.doc.txt")),
              (Lines{"File names (ONE layer) in folder, " + RootText(), "[2024-01-05 09:07:33]", "  <Empty>", "  <Sub>",
                     "  .hidden.txt", "  a.mp3", "  b.txt"}));
    EXPECT_EQ(opener.opened, row.opened ? Lines{Show(written)} : Lines{});
    EXPECT_EQ(host.events, row.hostEvents);
    EXPECT_EQ(run.EditDone, row.editDone);
    EXPECT_TRUE(prompter.shown.empty());
    EXPECT_TRUE(fs->DeleteFile(written));
  }
}

TEST_F(Listing, ChoosingTheFile) {
  dir.MakeFile(u"taken.txt", "old");
  dir.MakeFile(u"only.doc", "doc");
  struct Row {
    const char* name;
    std::deque<std::optional<std::u16string>> answers;
    std::deque<PromptAnswer> questionAnswers;
    int questions;
    SaveStatus status;
    const char16_t* written;  // relative to the folder; nullptr when nothing is written
  };
  const Row rows[] = {
      {"cancelled dialog", {std::nullopt}, {}, 0, SaveStatus::Cancelled, nullptr},
      {"replace confirmed", {dir / u"taken"}, {PromptAnswer::Ok}, 1, SaveStatus::Saved, u"taken.txt"},
      {"replace refused, another name",
       {dir / u"taken", dir / u"fresh"},
       {PromptAnswer::Cancel},
       1,
       SaveStatus::Saved,
       u"fresh.txt"},
      {"replace refused, then cancelled",
       {dir / u"taken.txt", std::nullopt},
       {PromptAnswer::Cancel},
       1,
       SaveStatus::Cancelled,
       nullptr},
      // only.doc would not be replaced, so there is nothing to ask about.
      {"a name whose file stays untouched", {dir / u"only.doc"}, {}, 0, SaveStatus::Saved, u"only.doc.txt"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    chooser.answers = row.answers;
    chooser.suggestions.clear();
    prompter.answers = row.questionAnswers;
    prompter.shown.clear();
    host.events.clear();
    opener.opened.clear();
    if (fs->Exists(dir / u"taken.txt")) {
      EXPECT_TRUE(fs->DeleteFile(dir / u"taken.txt"));
    }
    dir.MakeFile(u"taken.txt", "old");
    NameListingSaver saver = Saver();
    const SaveOutcome outcome = saver.SaveChosenFiles({dir / u"only.doc"}, run);
    EXPECT_EQ(outcome.Status, row.status);
    ASSERT_EQ(int(prompter.shown.size()), row.questions);
    for (const auto& shown : prompter.shown) {
      EXPECT_EQ(shown.icon, PromptIcon::Question);
      EXPECT_EQ(shown.buttons, PromptButtons::OkCancel);
      EXPECT_EQ(Show(shown.caption), "Confirmation");
      EXPECT_EQ(Show(shown.text), "The file already exists, replace it?");
    }
    // A refused name comes back in the dialog for another try.
    if (chooser.suggestions.size() > 1) {
      EXPECT_EQ(Show(chooser.suggestions[1]), Show(*row.answers.front()));
    }
    if (row.written) {
      EXPECT_EQ(Show(outcome.WrittenPath), Show(dir / row.written));
      EXPECT_EQ(FileLines(dir.Read(row.written)).size(), 4u);
      EXPECT_TRUE(fs->DeleteFile(dir / row.written));
    } else {
      EXPECT_TRUE(host.events.empty());
      EXPECT_TRUE(opener.opened.empty());
      EXPECT_EQ(dir.Read(u"taken.txt"), "old");
    }
  }
}

// The dialog's question: the confirmed name or that name plus ".txt" is a file.
TEST_F(Listing, ReplaceQuestionForATakenName) {
  dir.MakeFile(u"list.txt", "old");
  dir.MakeFile(u"notes.doc", "old");
  dir.MakeFolder(u"folder");
  dir.MakeFolder(u"box.txt");
  struct Row {
    const char16_t* chosen;
    bool asks;
  };
  const Row rows[] = {
      {u"list", true},      {u"list.txt", true}, {u"notes.doc", true},
      {u"notes", false},    {u"other", false},   {u"folder", false},    {u"box", false},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(Show(row.chosen));
    EXPECT_EQ(NeedsReplaceQuestion(dir / row.chosen, *fs), row.asks);
  }
  EXPECT_FALSE(NeedsReplaceQuestion(u"", *fs));
}

// A dialog that asked already is not followed by a second question.
TEST_F(Listing, NoSecondQuestionAfterTheDialogAsked) {
  dir.MakeFile(u"taken.txt", "old");
  chooser.asks = true;
  chooser.answers = {dir / u"taken"};
  const SaveOutcome outcome = Saver().SaveChosenFiles({dir / u"only.doc"}, run);
  EXPECT_EQ(outcome.Status, SaveStatus::Saved);
  EXPECT_EQ(prompter.shown.size(), 0u);
  EXPECT_EQ(Show(outcome.WrittenPath), Show(dir / u"taken.txt"));
}

TEST_F(Listing, DialogStartsWithTheNameChosenLastTime) {
  NameListingSaver saver = Saver();
  chooser.answers = {dir / u"first", std::nullopt, dir / u"second.txt"};
  saver.SaveChosenFiles({dir / u"a"}, run);
  saver.SaveChosenFiles({dir / u"a"}, run);
  saver.SaveChosenFiles({dir / u"a"}, run);
  EXPECT_EQ(Show(chooser.suggestions), (Lines{"", Show(dir / u"first"), Show(dir / u"first")}));
  EXPECT_EQ(Show(saver.LastChosen()), Show(dir / u"second.txt"));
}

TEST_F(Listing, ChosenFiles) {
  dir.MakeFile(u"A/x.txt");
  dir.MakeFolder(u"A/Sub");
  dir.MakeFile(u"B/y.txt");
  dir.MakeFile(u"A/z.txt");
  const std::string a = Show(dir / u"A") + Show(std::u16string(1, kPathSeparator));
  const std::string b = Show(dir / u"B") + Show(std::u16string(1, kPathSeparator));
  chooser.answers = {dir / u"chosen"};
  ProgramState program;
  program.CurrentMode = EditMode::kSaveSome;
  program.PickedPaths = {dir / u"A/x.txt", dir / u"A/Sub", dir / u"A/gone.txt", dir / u"B/y.txt", dir / u"A/z.txt"};
  const SaveOutcome outcome = Saver().Save(EditRequest{}, program, run);
  EXPECT_EQ(outcome.Status, SaveStatus::Saved);
  EXPECT_EQ(FileLines(dir.Read(u"chosen.txt")),
            (Lines{"[2024-01-05 09:07:33]", "Selected file names:", "In folder, <" + a + ">", "  x.txt", "  <Sub>",
                   "  gone.txt", "In folder, <" + b + ">", "  y.txt", "In folder, <" + a + ">", "  z.txt"}));
  EXPECT_EQ(host.events, (std::vector<std::string>{"close edit"}));
  EXPECT_TRUE(run.EditDone);
}

TEST_F(Listing, ChosenFilesWithoutAnyPath) {
  ProgramState program;
  const SaveOutcome outcome = Saver().Save(EditRequest{}, program, run);
  EXPECT_EQ(outcome.Status, SaveStatus::NothingToList);
  EXPECT_EQ(prompter.Texts(), (std::vector<std::u16string>{u"No filename will be edited"}));
  EXPECT_TRUE(chooser.suggestions.empty());
  EXPECT_TRUE(host.events.empty());
  EXPECT_FALSE(run.EditDone);
}

TEST_F(Listing, FallbackWhenTheChosenFileCannotBeWritten) {
  struct Row {
    const char* name;
    std::vector<std::u16string> taken;  // fallback names that already exist
    bool dataFolderExists;
    const char16_t* fallback;  // nullptr: nothing can be written
  };
  const Row rows[] = {
      {"first fallback", {}, true, u"filenames.txt"},
      {"numbered when taken", {u"filenames.txt", u"filenames(1).txt"}, true, u"filenames(2).txt"},
      {"no fallback either", {}, false, nullptr},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    TempFolder data{*fs};
    for (const auto& name : row.taken) data.MakeFile(name, "keep");
    settings.DataFolder = row.dataFolderExists ? data.Path() + kPathSeparator : data / u"missing/";
    prompter.shown.clear();
    host.events.clear();
    opener.opened.clear();
    run.EditDone = false;
    // A file in a folder that does not exist can be written by nobody.
    const std::u16string unwritable = dir / u"no such folder/list.txt";
    chooser.answers = {unwritable};
    const SaveOutcome outcome = Saver().SaveChosenFiles({dir / u"a.txt"}, run);
    EXPECT_FALSE(fs->Exists(unwritable));
    if (row.fallback) {
      const std::u16string fallback = data / row.fallback;
      EXPECT_EQ(outcome.Status, SaveStatus::SavedToFallback);
      EXPECT_EQ(Show(outcome.WrittenPath), Show(fallback));
      EXPECT_EQ(FileLines(data.Read(row.fallback)).size(), 4u);
      for (const auto& name : row.taken) EXPECT_EQ(data.Read(name), "keep");
      ASSERT_EQ(prompter.shown.size(), 1u);
      EXPECT_EQ(prompter.shown[0].icon, PromptIcon::Information);
      EXPECT_EQ(Show(prompter.shown[0].caption), "Information");
      EXPECT_EQ(Show(prompter.shown[0].text), "Filename/s saved to:" + Show(fallback));
      EXPECT_EQ(opener.opened, Lines{Show(fallback)});
      EXPECT_EQ(host.events, (std::vector<std::string>{"close edit"}));
      EXPECT_TRUE(run.EditDone);
    } else {
      // Never a "saved to" for a file that does not exist; the edit stays open.
      EXPECT_EQ(outcome.Status, SaveStatus::NotWritten);
      EXPECT_TRUE(outcome.WrittenPath.empty());
      ASSERT_EQ(prompter.shown.size(), 1u);
      EXPECT_EQ(prompter.shown[0].icon, PromptIcon::Error);
      EXPECT_EQ(Show(prompter.shown[0].caption), "Error");
      EXPECT_EQ(Show(prompter.shown[0].text).find("Filename/s saved to"), std::string::npos);
      EXPECT_NE(Show(prompter.shown[0].text).find(Show(unwritable)), std::string::npos);
      EXPECT_TRUE(opener.opened.empty());
      EXPECT_TRUE(host.events.empty());
      EXPECT_FALSE(run.EditDone);
    }
  }
}

TEST_F(Listing, StopEndsOnlyAnAllLayersListing) {
  MakeTree();
  struct Row {
    const char* name;
    SaveContent content;
    bool stopped;
    Lines body;
  };
  // The eighth entry read is Sub's first, c.txt: the listing ends before its line.
  const Row rows[] = {
      {"all layers stops", SaveContent::AllLayers, true, {"  <Empty>", "  <Sub>"}},
      {"one layer cannot be stopped",
       SaveContent::OneLayer,
       false,
       {"  <Empty>", "  <Sub>", "  .hidden.txt", "  a.mp3", "  b.txt"}},
      {"names only cannot be stopped", SaveContent::NamesOnly, false, {"  <Empty>", "  <Sub>", "    <Deep>"}},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    observer.pumps = 0;
    observer.stopAt = 8;
    host.events.clear();
    run.EditDone = false;
    chooser.answers = {dir / u"stopped"};
    SaveOptions options;
    options.Content = row.content;
    const SaveOutcome outcome = Saver().SaveFolderList(options, Root(), run);
    EXPECT_EQ(outcome.Stopped, row.stopped);
    EXPECT_FALSE(run.Stop.IsSet());
    // What was gathered is written, opened and ends the edit as usual.
    EXPECT_EQ(outcome.Status, SaveStatus::Saved);
    Lines lines = FileLines(dir.Read(u"stopped.txt"));
    ASSERT_GE(lines.size(), 2u);
    EXPECT_EQ(Lines(lines.begin() + 2, lines.end()), row.body);
    EXPECT_EQ(host.events, (std::vector<std::string>{"close edit"}));
    EXPECT_TRUE(fs->DeleteFile(dir / u"stopped.txt"));
  }
}

TEST_F(Listing, AllLayersRunsInTheProgressWindow) {
  // 301 entries read twice: the bar passes its maximum once. Empty folders are
  // entered but add no reads.
  for (int i = 0; i < 301; ++i) dir.MakeFolder(U16("f" + std::to_string(1000 + i)));
  SaveOptions options;
  options.Content = SaveContent::AllLayers;
  run.Stop.Set();  // left over from an earlier command
  const Lines lines = Show(Saver().FolderListing(options, Root(), run));
  EXPECT_EQ(lines.size(), 2u + 301u);
  EXPECT_EQ(observer.progressJobs, 1);
  EXPECT_TRUE(observer.cursor.empty());
  EXPECT_EQ(panel.shown, Lines{"Searching... please wait"});
  EXPECT_EQ(panel.maximum, 600);
  ASSERT_EQ(panel.positions.size(), 602u);
  EXPECT_EQ(panel.positions[0], 1);
  EXPECT_EQ(panel.positions[598], 599);
  EXPECT_EQ(panel.positions[599], 0);
  EXPECT_EQ(panel.positions[601], 2);
  EXPECT_EQ(observer.pumps, 602);

  observer.progressJobs = 0;
  panel.positions.clear();
  options.Content = SaveContent::OneLayer;
  Saver().FolderListing(options, Root(), run);
  EXPECT_EQ(observer.progressJobs, 0);
  EXPECT_EQ(observer.cursor, (std::vector<bool>{true, false}));
  EXPECT_TRUE(panel.positions.empty());
}

}  // namespace
}  // namespace renamora

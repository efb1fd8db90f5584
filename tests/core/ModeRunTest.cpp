// Every edit mode from request to disk: a preview and a real run over real folders,
// with the templates expanded per item and the sequences restarting per folder.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "base/Paths.h"
#include "base/text/NameOrder.h"
#include "base/text/Utf.h"
#include "core/InputChecks.h"
#include "core/NameListing.h"
#include "core/TextFile.h"
#include "core/special/SpecialStrings.h"
#include "support/Fakes.h"
#include "support/ForwardingFileSystem.h"
#include "support/TableLocale.h"
#include "support/TempFolder.h"

namespace renamora {
namespace {

using test::TempFolder;
using Names = std::vector<std::u16string>;

class ModeRun : public testing::Test {
 protected:
  ModeRun() { Target(dir.Path()); }
  void Target(std::u16string_view folder) { world.program.TargetFolder = WithTrailingSeparator(folder); }
  void Mode(std::u16string_view mode) {
    request.Mode = std::u16string(mode);
    world.program.CurrentMode = request.Mode;
  }
  void Rename() { world.Engine().RenameCommand(request); }
  void Preview() { world.Engine().Preview(request); }

  test::EngineWorld world;
  TempFolder dir{*world.fs};
  EditRequest request;
};

TEST_F(ModeRun, KeepAndCleanRenameOnDisk) {
  dir.MakeFile(u"xab9yab.txt", "1");
  dir.MakeFile(u"My_Song (Live) [2010]!.mp3", "2");
  Mode(EditMode::kRemove);
  request.Remove.RemoveKind = RemoveChoice::KeepSomething;
  request.Remove.KeepKind = KeepChoice::GivenStrings;
  request.Remove.KeepStrings = {u"ab", u"9"};
  Rename();
  EXPECT_EQ(dir.Read(u"ab9ab.txt"), "1");

  request.Remove.RemoveKind = RemoveChoice::CleanSymbols;
  Preview();
  EXPECT_EQ(world.PreviewNewNames(), (Names{u"MySong Live 2010.mp3"}));
  Rename();
  EXPECT_EQ(dir.Names(), (Names{u"ab9ab.txt", u"MySong Live 2010.mp3"}));
  EXPECT_EQ(dir.Read(u"MySong Live 2010.mp3"), "2");
}

TEST_F(ModeRun, ReplaceNumbersOnlyTheItemsItRenames) {
  dir.MakeFile(u"IMG_a.jpg", "a");
  dir.MakeFile(u"b.jpg", "b");  // no "IMG": keeps its name and its number
  dir.MakeFile(u"IMG_c.jpg", "c");
  Mode(EditMode::kReplace);
  request.Replace.OldString = u"img";
  request.Replace.NewTemplate = u"Photo$$$";
  Preview();
  EXPECT_EQ(world.PreviewNewNames(), (Names{u"Photo001_a.jpg", u"Photo002_c.jpg"}));
  EXPECT_EQ(dir.Names(), (Names{u"b.jpg", u"IMG_a.jpg", u"IMG_c.jpg"}));

  Rename();
  EXPECT_EQ(dir.Names(), (Names{u"b.jpg", u"Photo001_a.jpg", u"Photo002_c.jpg"}));
  EXPECT_EQ(dir.Read(u"Photo002_c.jpg"), "c");
  EXPECT_EQ(world.run.Counters.Renamed, 2);
}

TEST_F(ModeRun, InsertRestartsTheSequencesInEveryFolder) {
  dir.MakeFile(u"a.txt", "a");
  dir.MakeFile(u"b.txt", "b");
  dir.MakeFile(u"sub/c.txt", "c");
  dir.MakeFile(u"sub/d.txt", "d");
  dir.MakeFile(u"sub/e.txt", "e");
  Mode(EditMode::kInsert);
  request.IncludeSubfolders = true;
  request.Insert.AtEnd = true;
  request.Insert.EndTemplate = u"_$${a}";
  world.special.StartNumber = 7;

  Preview();
  const std::u16string top = WithTrailingSeparator(dir.Path());
  const std::u16string sub = WithTrailingSeparator(dir / u"sub");
  EXPECT_EQ(world.PreviewNewNames(), (Names{sub + u"c_07a.txt", sub + u"d_08b.txt", sub + u"e_09c.txt",
                                            top + u"a_07a.txt", top + u"b_08b.txt"}));
  Rename();
  EXPECT_EQ(dir.Names(), (Names{u"a_07a.txt", u"b_08b.txt", u"sub"}));
  EXPECT_EQ(dir.Names(u"sub"), (Names{u"c_07a.txt", u"d_08b.txt", u"e_09c.txt"}));
  EXPECT_EQ(dir.Read(u"sub/e_09c.txt"), "e");
}

TEST_F(ModeRun, ChangeGivesEveryItemTheTemplatesName) {
  dir.MakeFile(u"Trip/x.jpg", "x");
  dir.MakeFile(u"Trip/y.png", "y");
  dir.MakeFile(u"Trip/z.jpg", "z");
  Target(dir / u"Trip");
  Mode(EditMode::kChange);
  request.Change.ChangeKind = ChangeChoice::NewName;
  request.Change.NewNameTemplate = u"%%-$";
  Rename();
  EXPECT_EQ(dir.Names(u"Trip"), (Names{u"Trip-1.jpg", u"Trip-2.png", u"Trip-3.jpg"}));

  // Without a special string every item wants one name: the disk numbering settles it.
  request.Change.NewNameTemplate = u"same";
  Rename();
  EXPECT_EQ(dir.Names(u"Trip"), (Names{u"same(1).jpg", u"same.jpg", u"same.png"}));
  EXPECT_EQ(dir.Read(u"Trip/same.jpg"), "x");
  EXPECT_EQ(dir.Read(u"Trip/same(1).jpg"), "z");
}

TEST_F(ModeRun, CaseConversionWithAndWithoutTheExtension) {
  struct Row {
    const char* label;
    CaseChoice kind;
    bool includeExtension;
    std::u16string before, after;
  };
  const Row rows[] = {
      {"upper with the extension", CaseChoice::Upper, true, u"my file.txt", u"MY FILE.TXT"},
      {"capitals, extension included", CaseChoice::CapitalizeWords, true, u"my file.txt", u"My File.Txt"},
      {"capitals, extension kept", CaseChoice::CapitalizeWords, false, u"my file.txt", u"My File.txt"},
      {"lower, extension kept", CaseChoice::Lower, false, u"PHOTO.JPG", u"Photo.JPG"},
      {"a dot file as a whole", CaseChoice::Upper, true, u".profile", u".PROFILE"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.label);
    TempFolder folder(*world.fs);
    folder.MakeFile(row.before, "data");
    Target(folder.Path());
    Mode(EditMode::kChange);
    request.Change.ChangeKind = ChangeChoice::ConvertCase;
    request.Change.CaseKind = row.kind;
    request.Change.IncludeExtension = row.includeExtension;
    request.IncludeHidden = true;  // a dot file is hidden on POSIX
    Preview();
    EXPECT_EQ(world.PreviewNewNames(), (Names{row.after}));
    Rename();
    EXPECT_EQ(folder.Names(), (Names{row.after}));
    EXPECT_EQ(folder.Read(row.after), "data");
    EXPECT_EQ(world.run.Counters.Renamed, 1);
  }
}

// A locale with Turkish upper case ("i" to "İ") and no other letters: name case
// conversions must not take the system's mapping, or results would differ by machine.
class DottedILocale : public test::TableLocale {
 public:
  char16_t UpperUnit(char16_t c) const override { return c == u'i' ? u'\u0130' : c; }
};

// The real file system, but a name is found in any letter case, as on NTFS.
class CaseBlindFileSystem final : public test::ForwardingFileSystem {
 public:
  using ForwardingFileSystem::ForwardingFileSystem;
  std::optional<DirEntry> Stat(std::u16string_view path) override {
    if (auto entry = Inner().Stat(path)) return entry;
    const auto listed = Inner().ListFolder(path.substr(0, LastFolderEnd(path)), ListDetail::NamesAndKinds);
    if (!listed) return std::nullopt;
    for (const DirEntry& entry : *listed) {
      if (CompareNtfsOrder(entry.name, NameView(path)) == 0) return entry;
    }
    return std::nullopt;
  }
};

TEST_F(ModeRun, CaseConversionUsesTheBuiltInTablesWhateverTheLocale) {
  world.locale = std::make_unique<DottedILocale>();
  // As on Windows, the converted name "exists" already: the old name holds it. Only a
  // change that is not case-only by the built-in table would be numbered for it.
  std::unique_ptr<FileSystem> system = std::move(world.fs);
  world.fs = std::make_unique<CaseBlindFileSystem>(*system);
  struct Row {
    const char* label;
    CaseChoice kind;
    bool includeExtension;
    std::u16string before, after;
  };
  const Row rows[] = {
      {"upper with the extension", CaseChoice::Upper, true, u"istanbul \u00e4rger.j\u00e9g",
       u"ISTANBUL \u00c4RGER.J\u00c9G"},
      {"capitals, extension kept", CaseChoice::CapitalizeWords, false, u"stra\u00dfe \u00fcber.\u00e9x",
       u"Stra\u00dfe \u00dcber.\u00e9x"},
      {"lower, capital first, with the extension", CaseChoice::Lower, true, u"\u041c\u0418\u0420.\u00c9X",
       u"\u041c\u0438\u0440.\u00e9x"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.label);
    TempFolder folder(*world.fs);
    folder.MakeFile(row.before, "data");
    Target(folder.Path());
    Mode(EditMode::kChange);
    request.Change.ChangeKind = ChangeChoice::ConvertCase;
    request.Change.CaseKind = row.kind;
    request.Change.IncludeExtension = row.includeExtension;
    Preview();
    EXPECT_EQ(world.PreviewNewNames(), (Names{row.after}));
    Rename();
    EXPECT_EQ(folder.Names(), (Names{row.after}));
    EXPECT_EQ(folder.Read(row.after), "data");
  }
  world.fs = std::move(system);  // the fixture's folder goes with the system's backend
}

TEST_F(ModeRun, ExtensionChangesFilesAndLeavesFoldersAlone) {
  dir.MakeFile(u"a.JPG", "a");
  dir.MakeFile(u"b.gif", "b");
  dir.MakeFolder(u"c.jpg");
  dir.MakeFile(u"d.jpg", "d");
  Mode(EditMode::kExtension);
  request.Extension.OldExtension = u".jpg";
  request.Extension.NewExtension = u".png";
  Preview();
  EXPECT_EQ(world.PreviewNewNames(), (Names{u"a.png", u"d.png"}));
  Rename();
  EXPECT_EQ(dir.Names(), (Names{u"a.png", u"b.gif", u"c.jpg", u"d.png"}));
  EXPECT_EQ(dir.Read(u"a.png"), "a");

  request.Extension.ExtensionKind = ExtensionChoice::ConvertExtensionCase;
  request.Extension.ExtensionUpper = true;
  Rename();
  EXPECT_EQ(dir.Names(), (Names{u"a.PNG", u"b.GIF", u"c.jpg", u"d.PNG"}));
}

TEST_F(ModeRun, DateAndSizeComeFromTheItemOnDisk) {
  dir.MakeFile(u"a", std::string(2048, 'x'));
  dir.MakeFile(u"b", std::string(100, 'y'));
  const auto entry = world.fs->Stat(dir / u"a");
  ASSERT_TRUE(entry.has_value());
  const std::u16string date = DateText(world.clock->ToLocalTime(entry->lastWrite));
  Mode(EditMode::kInsert);
  request.Insert.AtEnd = true;
  request.Insert.EndTemplate = u"_##_@@";
  Rename();
  // Both files were written just now, so they share the date.
  EXPECT_EQ(dir.Names(), (Names{u"a_2KB_" + date, u"b_100Bytes_" + date}));
}

class FixedChooser final : public SaveFileChooser {
 public:
  explicit FixedChooser(std::u16string path) : path_(std::move(path)) {}
  std::optional<std::u16string> ChooseSaveFile(std::u16string_view) override { return path_; }

 private:
  std::u16string path_;
};

class NoOpener final : public FileOpener {
 public:
  void OpenFile(std::u16string_view path) override { opened.emplace_back(path); }
  Names opened;
};

TEST_F(ModeRun, SaveModeWritesTheListingThroughTheCommandAndRenamesNothing) {
  dir.MakeFile(u"Music/b.mp3", "b");
  dir.MakeFile(u"Music/a.mp3", "a");
  Target(dir / u"Music");
  TempFolder out(*world.fs);
  FixedChooser chooser(out / u"names");
  NoOpener opener;
  NameListingSaver saver({*world.fs, *world.locale, *world.clock, world.texts, world.prompter, world.observer,
                          world.host, chooser, opener},
                         {.DataFolder = WithTrailingSeparator(out.Path())});
  RenameInputChecks checks(world.texts, world.prompter, world.options, world.special,
                           [&](const EditRequest& r) { saver.Save(r, world.program, world.run); });
  world.checks = &checks;
  Mode(EditMode::kSaveAll);
  // Preview on the Save panel saves as well.
  Preview();
  EXPECT_TRUE(world.preview.Rows().empty());
  const auto lines = ReadTextLines(*world.fs, out / u"names.txt", *world.locale);
  ASSERT_TRUE(lines.has_value());
  EXPECT_EQ(Names(lines->end() - 2, lines->end()), (Names{u"  a.mp3", u"  b.mp3"}));
  EXPECT_EQ(opener.opened, (Names{out / u"names.txt"}));
  EXPECT_EQ(dir.Names(u"Music"), (Names{u"a.mp3", u"b.mp3"}));
}

}  // namespace
}  // namespace renamora

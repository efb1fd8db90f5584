// Seeded property tests of rename runs and their undo through renamora-cli: random
// folder trees meet random edits, and whatever an edit does, the run may lose,
// duplicate or overwrite nothing, the preview must name what the run does wherever
// the disk check lets it know that, and undo must bring the tree back exactly.
//
// Environment (read by the property test only):
//   RENAMORA_PROPERTY_SEED=N    base seed, default kDefaultSeed; case k has seed N + k
//   RENAMORA_PROPERTY_CASES=M   number of cases, default kDefaultCases
// A failing case prints its seed and request; RENAMORA_PROPERTY_SEED=<that seed>
// RENAMORA_PROPERTY_CASES=1 runs it alone.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdlib>
#include <functional>
#include <iostream>
#include <map>
#include <optional>
#include <random>
#include <set>
#include <string>
#include <vector>

#include "base/Paths.h"
#include "base/text/NameOrder.h"
#include "base/text/Utf.h"
#include "cli/CliHarness.h"
#include "core/NameChecks.h"
#include "support/TempFolder.h"

namespace renamora::cli {
namespace {

using test::TempFolder;

// Wine is slow at file work and at folders of many entries, so its trees are small;
// small trees are quick, so it runs more of them. Both take some seconds.
#ifdef _WIN32
constexpr bool kPosix = false;
constexpr int kMostEntries = 15;
constexpr int kDefaultCases = 300;
#else
constexpr bool kPosix = true;
constexpr int kMostEntries = 60;
constexpr int kDefaultCases = 150;
#endif
constexpr std::uint64_t kDefaultSeed = 20261209;
// After this many failing cases the rest would only repeat them.
constexpr int kMostFailingCases = 3;

std::uint64_t EnvNumber(const char* name, std::uint64_t fallback) {
  const char* text = std::getenv(name);
  if (!text || !*text) return fallback;
  char* end = nullptr;
  const unsigned long long value = std::strtoull(text, &end, 10);
  return *end == '\0' ? value : fallback;
}

// Names as a failure message can show them: a lone surrogate (a POSIX byte that is
// not UTF-8) as \uXXXX instead of a replacement character that hides which it was.
std::string Show(std::u16string_view text) {
  std::string out;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char16_t c = text[i];
    const bool high = c >= 0xD800 && c <= 0xDBFF;
    if (high && i + 1 < text.size() && text[i + 1] >= 0xDC00 && text[i + 1] <= 0xDFFF) {
      out += ToUtf8Lossy(text.substr(i, 2));
      ++i;
    } else if (c >= 0xD800 && c <= 0xDFFF) {
      static constexpr char kHex[] = "0123456789ABCDEF";
      out += "\\u";
      for (int shift = 12; shift >= 0; shift -= 4) out += kHex[(c >> shift) & 0xF];
    } else {
      out += ToUtf8Lossy(text.substr(i, 1));
    }
  }
  return out;
}

// A path as the file system stores it, so that comparisons see what is on disk.
// POSIX names are bytes: two lone surrogates that a rename writes as the bytes of
// one valid UTF-8 sequence read back as that character. Windows drops the blanks
// and dots a name ends with, although the run reports the name it asked for (see
// TheRunReportsTheNamesOnDisk).
std::u16string Canonical(std::u16string_view path) {
  if (kPosix) {
    const auto bytes = Utf16ToUtf8(path);
    return bytes ? Utf8ToUtf16(*bytes) : std::u16string(path);
  }
  std::u16string out;
  std::size_t start = 0;
  for (;;) {
    const std::size_t end = std::min(path.find(kPathSeparator, start), path.size());
    std::u16string_view part = path.substr(start, end - start);
    if (part != u"." && part != u"..") {
      while (!part.empty() && (part.back() == u' ' || part.back() == u'.')) part.remove_suffix(1);
    }
    out += part;
    if (end == path.size()) return out;
    out += kPathSeparator;
    start = end + 1;
  }
}

std::u16string FolderOf(std::u16string_view path) {
  const std::size_t end = LastFolderEnd(path);
  return end == std::u16string_view::npos ? std::u16string() : std::u16string(path.substr(0, end + 1));
}

// The folder holding path, without the separator.
std::u16string ParentOf(std::u16string_view path) {
  const std::size_t end = LastFolderEnd(path);
  return end == std::u16string_view::npos ? std::u16string() : std::u16string(path.substr(0, end));
}

// Whether the file system takes the two paths for the same name.
bool SameOnDisk(std::u16string_view a, std::u16string_view b) { return kPosix ? a == b : CompareNtfsOrder(a, b) == 0; }

struct Node {
  bool folder = false;
  std::string content;
  bool hidden = false;
  bool operator==(const Node&) const = default;
};
using Tree = std::map<std::u16string, Node>;  // full path -> entry

void AddTree(FileSystem& fs, const std::u16string& folder, Tree& tree) {
  const auto entries = fs.ListFolder(folder);
  if (!entries) return;
  for (const DirEntry& e : *entries) {
    const std::u16string path = folder + kPathSeparator + e.name;
    Node node{e.isFolder, {}, (e.attributes & kAttrHidden) != 0};
    if (e.isFolder) {
      AddTree(fs, path, tree);
    } else {
      node.content = fs.ReadFile(path).value_or("<unreadable>");
    }
    tree[Canonical(path)] = std::move(node);
  }
}

Tree Snapshot(FileSystem& fs, const std::u16string& root) {
  Tree tree;
  AddTree(fs, root, tree);
  return tree;
}

// One line per entry, paths below root: what a failure shows of two trees.
std::vector<std::string> Lines(const Tree& tree, std::u16string_view root, bool withHidden) {
  std::vector<std::string> lines;
  for (const auto& [path, node] : tree) {
    std::string line = Show(std::u16string_view(path).substr(root.size() + 1));
    line += node.folder ? "/" : " = " + node.content;
    if (withHidden && node.hidden) line += " (hidden)";
    lines.push_back(std::move(line));
  }
  return lines;
}

std::multiset<std::string> Contents(const Tree& tree) {
  std::multiset<std::string> contents;
  for (const auto& [path, node] : tree) {
    if (!node.folder) contents.insert(node.content);
  }
  return contents;
}

std::size_t FolderCount(const Tree& tree) {
  return std::count_if(tree.begin(), tree.end(), [](const auto& entry) { return entry.second.folder; });
}

// ---------------------------------------------------------------------------
// Random trees.

using Rng = std::mt19937_64;

std::size_t Below(Rng& rng, std::size_t n) { return n == 0 ? 0 : std::size_t(rng() % n); }
bool Chance(Rng& rng, int percent) { return int(rng() % 100) < percent; }
template <class T, std::size_t N>
const T& PickOf(Rng& rng, const T (&items)[N]) {
  return items[Below(rng, N)];
}

std::u16string Lone(char16_t unit) { return std::u16string(1, unit); }

// A POSIX name byte that is not UTF-8, as the backend reads it.
std::u16string Byte(unsigned char b) { return Lone(char16_t(0xDC00 + b)); }

std::u16string RandomStem(Rng& rng) {
  static const std::u16string kAscii[] = {u"a",       u"b",      u"x",     u"IMG_0012", u"photo", u"Report 2024",
                                          u"my file", u"a b  c", u"DSC-1", u"z_9",      u"notes", u"Read.Me",
                                          u"v1.2.3",  u"A",      u"Photo", u"x x"};
  static const std::u16string kOther[] = {u"αβγ",    u"Ωμέγα", u"σοφία",  u"ΣΟΦΊΑ", u"写真",  u"東京タワー",
                                          u"데이터", u"😀",     u"🎉party", u"a😀b",   u"naïve", u"Éclair"};
  switch (Below(rng, 12)) {
    case 0:
    case 1:
    case 2:
    case 3:
    case 4:
      return PickOf(rng, kAscii);
    case 5:
    case 6:
    case 7:
      return PickOf(rng, kOther);
    case 8:
      if (kPosix) {
        // Lone lead and trail bytes too: an edit that joins them makes valid UTF-8.
        static const unsigned char kBytes[] = {0xFF, 0x80, 0xC3, 0xA9, 0xFE};
        return u"b" + Byte(PickOf(rng, kBytes)) + (Chance(rng, 50) ? u"d" + Byte(PickOf(rng, kBytes)) : u"");
      }
      return u"Ünï";
    case 9:
      // Rare, so that most trees leave every "(j)" of a new name to the numbering.
      if (Chance(rng, 25)) return Chance(rng, 50) ? u"x(1)" : u"copy (2)";
      return PickOf(rng, kAscii);
    case 10:
      // Characters a Windows name cannot hold; on POSIX they may appear, and an edit
      // that keeps them is refused. Rare, or most runs would have such an item.
      if (kPosix && Chance(rng, 15)) return Chance(rng, 50) ? u"a?b" : u"c:d";
      return u"semi;colon";
    default:
      return PickOf(rng, kAscii) + PickOf(rng, kOther);
  }
}

std::u16string RandomExtension(Rng& rng) {
  static const std::u16string kExtensions[] = {u"",        u".txt", u".TXT", u".jpg", u".JPG",  u".jpeg",
                                               u".tar.gz", u".Md",  u".mp3", u".x.y", u"..txt", u".λ"};
  if (kPosix && Chance(rng, 4)) return u".";  // Windows drops a trailing dot
  return PickOf(rng, kExtensions);
}

// Names Windows keeps exactly as given, and that no file system refuses.
bool UsableName(const std::u16string& name) {
  if (name.empty() || name == u"." || name == u"..") return false;
  if (name.find(kPathSeparator) != std::u16string::npos || name.find(u'/') != std::u16string::npos) return false;
  if (kPosix) return Utf16ToUtf8(name).value_or(std::string(300, 'x')).size() <= 255;
  if (name.back() == u' ' || name.back() == u'.') return false;
  return name.find_first_of(kForbiddenNameChars) == std::u16string::npos;
}

// ASCII and Greek letters with their case turned over; on a case-sensitive file
// system the result is another name.
std::u16string CaseVariant(std::u16string name) {
  for (char16_t& c : name) {
    if (c >= u'a' && c <= u'z') {
      c = char16_t(c - 32);
    } else if (c >= u'A' && c <= u'Z') {
      c = char16_t(c + 32);
    } else if (c >= 0x3B1 && c <= 0x3C9 && c != 0x3C2) {
      c = char16_t(c - 32);
    } else if (c >= 0x391 && c <= 0x3A9 && c != 0x3A2) {
      c = char16_t(c + 32);
    }
  }
  return name;
}

// What the tree holds that an edit can be aimed at.
struct TreeHints {
  std::vector<std::u16string> names;       // every entry's name
  std::vector<std::u16string> topVisible;  // top-level names the list of the CLI shows
  std::u16string chainPrefix;              // names that a head insert of it turns into a chain
  bool sizeNames = false;                  // files named by the sizes of others, for "##"
};

class TreeMaker {
 public:
  TreeMaker(Rng& rng, FileSystem& fs, std::u16string root) : rng_(rng), fs_(fs), root_(std::move(root)) {}

  TreeHints Make(int mostEntries) {
    EXPECT_TRUE(fs_.CreateFolder(root_));
    folders_.push_back(root_);
    const int entries = 1 + int(Below(rng_, std::size_t(mostEntries)));
    int made = 0;
    const int folderCount = entries < 4 ? 0 : int(Below(rng_, 4));
    for (int i = 0; i < folderCount && made < entries; ++i) {
      const std::u16string level1 = NewEntry(root_, true);
      if (level1.empty()) continue;
      ++made;
      if (Chance(rng_, 40) && made < entries && !NewEntry(level1, true).empty()) ++made;
    }
    if (Chance(rng_, 20)) made += Chain(AnyOf(folders_));
    if (Chance(rng_, 15)) made += SizeNamed(AnyOf(folders_));
    while (made < entries) {
      const std::u16string folder = Chance(rng_, 50) ? root_ : AnyOf(folders_);
      if (!NewEntry(folder, false).empty()) ++made;
      if (kPosix && made < entries && Chance(rng_, 10) && !lastFile_.empty()) {
        // Names equal but for case sit side by side only on a case-sensitive system.
        const std::u16string variant = CaseVariant(NameOf(lastFile_));
        if (AddFile(ParentOf(lastFile_), variant, RandomLength())) ++made;
      }
    }
    TreeHints hints = hints_;
    for (const auto& [path, node] : Snapshot(fs_, root_)) {
      hints.names.push_back(NameOf(path));
      if (FolderOf(path) == root_ + kPathSeparator && !node.hidden) hints.topVisible.push_back(NameOf(path));
    }
    return hints;
  }

 private:
  template <class T>
  const T& AnyOf(const std::vector<T>& items) {
    return items[Below(rng_, items.size())];
  }

  std::size_t RandomLength() { return 1 + Below(rng_, Chance(rng_, 50) ? 4 : 40); }

  // Every content differs from every other: a base-62 count, then dots to the length.
  std::string Content(std::size_t length) {
    static constexpr char kDigits[] = "0123456789abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ";
    std::string text;
    int n = serial_++;
    do {
      text += kDigits[n % 62];
      n /= 62;
    } while (n > 0);
    if (text.size() < length) text.append(length - text.size(), '.');
    return text;
  }

  // The name with folder, or nothing when the name is taken or unusable here.
  std::u16string Place(const std::u16string& folder, const std::u16string& name) {
    if (!UsableName(name)) return {};
    const std::u16string path = folder + kPathSeparator + name;
    for (const auto& taken : taken_) {
      if (SameOnDisk(taken, path)) return {};
    }
    taken_.push_back(path);
    return path;
  }

  void MaybeHide(const std::u16string& path) {
    // POSIX hides by the leading dot alone; Windows by the attribute.
    if (!kPosix && Chance(rng_, 12)) {
      EXPECT_TRUE(fs_.SetAttributes(path, kAttrHidden | (fs_.IsFolder(path) ? 0u : std::uint32_t(kAttrArchive))));
    }
  }

  bool AddFile(const std::u16string& folder, const std::u16string& name, std::size_t length) {
    const std::u16string path = Place(folder, name);
    if (path.empty() || !fs_.WriteFile(path, Content(length))) return false;
    lastFile_ = path;
    MaybeHide(path);
    return true;
  }

  std::u16string NewEntry(const std::u16string& folder, bool isFolder) {
    std::u16string name = RandomStem(rng_);
    if (Chance(rng_, 25)) name += AnyOf(std::vector<std::u16string>{u" ", u".", u"_", u"-"}) + RandomStem(rng_);
    if (Chance(rng_, 12)) name = u"." + name;
    if (isFolder) {
      if (Chance(rng_, 8)) name += u"_files";  // a web page's companion folder, which walks pass by
    } else {
      name += RandomExtension(rng_);
    }
    if (!isFolder) return AddFile(folder, name, RandomLength()) ? lastFile_ : std::u16string();
    const std::u16string path = Place(folder, name);
    if (path.empty() || !fs_.CreateFolder(path)) return {};
    folders_.push_back(path);
    MaybeHide(path);
    return path;
  }

  // "x", "0x", "00x" ...: a head insert of "0" renames the longest first, and each
  // later item takes the name the one before has just given up.
  int Chain(const std::u16string& folder) {
    static const std::u16string kPrefixes[] = {u"0", u"A-", u"_"};
    static const std::u16string kStems[] = {u"x.txt", u"photo", u"Ωmega.jpg", u"写真.txt"};
    const std::u16string prefix = PickOf(rng_, kPrefixes);
    const std::u16string stem = PickOf(rng_, kStems);
    int made = 0;
    std::u16string name = stem;
    for (int level = 0; level < 4; ++level, name = prefix + name) {
      if (Chance(rng_, 75) && AddFile(folder, name, RandomLength())) ++made;
    }
    if (made > 0) hints_.chainPrefix = prefix;
    return made;
  }

  // "1Bytes.txt" holding 2 bytes, "2Bytes.txt" holding 3, ...: renamed to their
  // sizes they swap names, which only the numbering can settle.
  int SizeNamed(const std::u16string& folder) {
    const std::size_t count = 2 + Below(rng_, 3);
    const std::size_t shift = 1 + Below(rng_, count - 1);
    int made = 0;
    for (std::size_t i = 0; i < count; ++i) {
      const std::size_t size = (i + shift) % count + 1;
      if (AddFile(folder, U16(std::to_string(i + 1)) + u"Bytes.txt", size)) ++made;
    }
    hints_.sizeNames = made > 1;
    return made;
  }

  Rng& rng_;
  FileSystem& fs_;
  std::u16string root_;
  std::vector<std::u16string> folders_;
  std::vector<std::u16string> taken_;
  std::u16string lastFile_;
  TreeHints hints_;
  int serial_ = 0;
};

// ---------------------------------------------------------------------------
// Random edits.

struct Edit {
  Args args;  // --set fields and --checked names
  int scope = 0;
  bool subfolders = false;
  bool hidden = false;
  bool checkBoxes = true;
  std::vector<std::u16string> checked;
  // Some listed item is left unchecked, which turns "all files" into "checked files";
  // hidden items are not listed at all.
  bool checkedOnly = false;
  bool sequences = false;  // a template counts the items it renames
  bool random = false;     // random text, which differs from call to call
};

class EditMaker {
 public:
  EditMaker(Rng& rng, const TreeHints& hints) : rng_(rng), hints_(hints) {}

  Edit Make() {
    Scope();
    if (!hints_.chainPrefix.empty() && Chance(rng_, 30)) {
      Set(u"EditRequest.Mode", u"insert");
      Set(u"InsertOptions.InsertKind", u"ToPosition");
      Set(u"InsertOptions.AtHead", u"1");
      Set(u"InsertOptions.HeadTemplate", hints_.chainPrefix);
    } else if (hints_.sizeNames && Chance(rng_, 30)) {
      Set(u"EditRequest.Mode", u"change");
      Set(u"ChangeOptions.ChangeKind", u"NewName");
      Set(u"ChangeOptions.NewNameTemplate", u"##");
    } else {
      switch (Below(rng_, 5)) {
        case 0:
          Remove();
          break;
        case 1:
          Replace();
          break;
        case 2:
          Insert();
          break;
        case 3:
          Change();
          break;
        default:
          Extension();
          break;
      }
    }
    if (Chance(rng_, 15)) Set(u"SpecialStringSettings.StartNumber", U16(std::to_string(Below(rng_, 12))));
    if (Chance(rng_, 15)) Set(u"SpecialStringSettings.LetterUpper", u"1");
    if (Chance(rng_, 5)) Set(u"SpecialStringSettings.Enabled", u"0");
    return edit_;
  }

 private:
  void Set(std::u16string_view field, std::u16string_view value) {
    edit_.args.push_back(u"--set");
    edit_.args.push_back(std::u16string(field) + u"=" + std::u16string(value));
  }
  void Flag(std::u16string_view field) { Set(field, Chance(rng_, 50) ? u"1" : u"0"); }
  std::u16string Number(std::size_t below, std::size_t from = 0) {
    return U16(std::to_string(from + Below(rng_, below)));
  }

  void Scope() {
    static constexpr int kScopes[] = {0, 0, 0, 0, 0, 0, 1, 1, 2, 2, 2, 3};
    edit_.scope = PickOf(rng_, kScopes);
    edit_.subfolders = Chance(rng_, 50);
    edit_.hidden = Chance(rng_, 40);
    Set(u"EditRequest.Scope", U16(std::to_string(edit_.scope)));
    Set(u"EditRequest.IncludeSubfolders", edit_.subfolders ? u"1" : u"0");
    Set(u"EditRequest.IncludeHidden", edit_.hidden ? u"1" : u"0");
    if (Chance(rng_, 8)) {
      edit_.checkBoxes = false;
      Set(u"Option.Checkbox", u"0");
    }
    if (!hints_.topVisible.empty() && Chance(rng_, 15)) {
      const std::size_t count = 1 + Below(rng_, std::min<std::size_t>(3, hints_.topVisible.size()));
      for (std::size_t i = 0; i < count; ++i) {
        const std::u16string& name = hints_.topVisible[Below(rng_, hints_.topVisible.size())];
        if (std::find(edit_.checked.begin(), edit_.checked.end(), name) != edit_.checked.end()) continue;
        edit_.checked.push_back(name);
        edit_.args.push_back(u"--checked");
        edit_.args.push_back(name);
      }
      edit_.checkedOnly = edit_.checkBoxes && edit_.checked.size() < hints_.topVisible.size();
    }
  }

  // A piece of some name in the tree, so that searches find something; whole code
  // points, as a user would type them.
  std::u16string Piece() {
    if (hints_.names.empty() || Chance(rng_, 20)) {
      static const std::u16string kCommon[] = {u"a", u".", u" ", u"IMG_", u"x", u"α", u"😀", u"1", u"-", u"Bytes"};
      return PickOf(rng_, kCommon);
    }
    const std::u16string& name = hints_.names[Below(rng_, hints_.names.size())];
    std::size_t start = Below(rng_, name.size());
    if (start > 0 && name[start] >= 0xDC00 && name[start] <= 0xDFFF && name[start - 1] >= 0xD800 &&
        name[start - 1] <= 0xDBFF) {
      --start;
    }
    std::size_t end = std::min(name.size(), start + 1 + Below(rng_, 3));
    if (end < name.size() && name[end] >= 0xDC00 && name[end] <= 0xDFFF && name[end - 1] >= 0xD800 &&
        name[end - 1] <= 0xDBFF) {
      ++end;
    }
    return name.substr(start, end - start);
  }

  std::u16string Template() {
    static const std::u16string kPieces[] = {u"x",  u"New ", u"-",   u"_",   u"é",  u"Ω",  u"写",  u"😀", u".",    u"$",
                                             u"$$", u"$$$",  u"{a}", u"{A}", u"%%", u"##", u"@$@", u" ", u"same", u"0"};
    std::u16string text;
    const std::size_t pieces = 1 + Below(rng_, 3);
    for (std::size_t i = 0; i < pieces; ++i) text += PickOf(rng_, kPieces);
    if (Chance(rng_, 4)) {
      text += u"%2%";
      edit_.random = true;
    }
    if (Chance(rng_, 3)) text += u":";  // refused by the input check
    if (text.find(u'$') != std::u16string::npos || text.find(u"{a}") != std::u16string::npos ||
        text.find(u"{A}") != std::u16string::npos) {
      edit_.sequences = true;
    }
    return text;
  }

  void Selection() {
    Set(u"SampleSelection.SelectionStart", Number(6));
    Set(u"SampleSelection.SelectionLength", Number(4, Chance(rng_, 95) ? 1 : 0));
  }

  void Remove() {
    Set(u"EditRequest.Mode", u"remove");
    switch (Below(rng_, 4)) {
      case 0:
        Set(u"RemoveOptions.RemoveKind", u"RemoveStrings");
        Set(u"RemoveOptions.Strings1", Piece());
        if (Chance(rng_, 40)) Set(u"RemoveOptions.Strings2", Piece());
        if (Chance(rng_, 20)) Set(u"RemoveOptions.Strings3", Piece());
        Flag(u"RemoveOptions.CaseSensitive");
        Flag(u"RemoveOptions.OnlyLeftest");
        break;
      case 1: {
        Set(u"RemoveOptions.RemoveKind", u"RemoveAnything");
        static const std::u16string kKinds[] = {u"SelectedPart", u"BetweenStrings", u"AllNumbers"};
        const std::u16string& kind = PickOf(rng_, kKinds);
        Set(u"RemoveOptions.AnythingKind", kind);
        if (kind == u"SelectedPart") {
          Selection();
          Flag(u"RemoveOptions.SelectionFromEnd");
        } else if (kind == u"BetweenStrings") {
          Set(u"RemoveOptions.LeftString", Piece());
          Set(u"RemoveOptions.RightString", Piece());
          Flag(u"RemoveOptions.AlsoRemoveBounds");
        }
        break;
      }
      case 2:
        Set(u"RemoveOptions.RemoveKind", u"KeepSomething");
        if (Chance(rng_, 50)) {
          Set(u"RemoveOptions.KeepKind", u"SelectedPart");
          Selection();
          Flag(u"RemoveOptions.KeepFromEnd");
        } else {
          Set(u"RemoveOptions.KeepKind", u"GivenStrings");
          Set(u"RemoveOptions.KeepStrings1", Piece());
          if (Chance(rng_, 40)) Set(u"RemoveOptions.KeepStrings2", Piece());
          Flag(u"RemoveOptions.KeepOnlyLeftest");
        }
        break;
      default:
        Set(u"RemoveOptions.RemoveKind", u"CleanSymbols");
        Flag(u"RemoveOptions.CleanKeepHyphen");
        Flag(u"RemoveOptions.CleanKeepUnderscore");
        Flag(u"RemoveOptions.CleanKeepParentheses");
        Flag(u"RemoveOptions.CleanKeepBrackets");
        Flag(u"RemoveOptions.CleanReplaceWithSpace");
        if (Chance(rng_, 30)) {
          Set(u"RemoveOptions.CleanKeepOther", u"1");
          Set(u"RemoveOptions.CleanKeepOtherText", Chance(rng_, 90) ? u"." : u"");
        }
        if (Chance(rng_, 30)) {
          Set(u"RemoveOptions.CleanAlsoErase", u"1");
          Set(u"RemoveOptions.CleanEraseText", Piece());
        }
        break;
    }
  }

  void Replace() {
    Set(u"EditRequest.Mode", u"replace");
    if (Chance(rng_, 70)) {
      Set(u"ReplaceOptions.ReplaceKind", u"ReplaceString");
      Set(u"ReplaceOptions.OldString", Piece());
      Flag(u"ReplaceOptions.CaseSensitive");
      Flag(u"ReplaceOptions.OnlyLeftest");
    } else {
      Set(u"ReplaceOptions.ReplaceKind", u"ReplaceSelected");
      Selection();
      Flag(u"ReplaceOptions.SelectionFromEnd");
    }
    Set(u"ReplaceOptions.NewTemplate", Chance(rng_, 10) ? u"" : Template());
  }

  void Insert() {
    Set(u"EditRequest.Mode", u"insert");
    if (Chance(rng_, 65)) {
      Set(u"InsertOptions.InsertKind", u"ToPosition");
      bool any = false;
      if (Chance(rng_, 60)) {
        Set(u"InsertOptions.AtHead", u"1");
        Set(u"InsertOptions.HeadTemplate", Template());
        any = true;
      }
      if (Chance(rng_, 50) || !any) {
        Set(u"InsertOptions.AtEnd", u"1");
        Set(u"InsertOptions.EndTemplate", Template());
      }
      if (Chance(rng_, 30)) {
        Set(u"InsertOptions.AtCursor", u"1");
        Set(u"InsertOptions.CursorTemplate", Template());
        Set(u"SampleSelection.CursorPosition", Number(8, 1));
        Flag(u"InsertOptions.CursorFromEnd");
      }
    } else {
      static const std::u16string kWhere[] = {u"BEFORE", u"BEHIND", u"BETWEEN"};
      Set(u"InsertOptions.InsertKind", u"ToString");
      Set(u"InsertOptions.ExistingString", Piece());
      const std::u16string& where = PickOf(rng_, kWhere);
      Set(u"InsertOptions.Where", where);
      if (where == u"BETWEEN") Set(u"InsertOptions.SecondString", Piece());
      Set(u"InsertOptions.InsertTemplate", Template());
    }
  }

  void Change() {
    Set(u"EditRequest.Mode", u"change");
    if (Chance(rng_, 45)) {
      Set(u"ChangeOptions.ChangeKind", u"NewName");
      // A template without a counter gives every item the same name, and the disk
      // check numbers them.
      Set(u"ChangeOptions.NewNameTemplate", Chance(rng_, 25) ? u"same" : Template());
    } else {
      static const std::u16string kCases[] = {u"Lower", u"Upper", u"CapitalizeWords"};
      Set(u"ChangeOptions.ChangeKind", u"ConvertCase");
      Set(u"ChangeOptions.CaseKind", PickOf(rng_, kCases));
      Flag(u"ChangeOptions.CapitalizeFirst");
      Flag(u"ChangeOptions.IncludeExtension");
      Flag(u"Option.Capevery");
    }
  }

  void Extension() {
    Set(u"EditRequest.Mode", u"extension");
    if (Chance(rng_, 60)) {
      static const std::u16string kOld[] = {u"txt", u".jpg", u"JPEG", u"gz", u"", u"md"};
      static const std::u16string kNew[] = {u"png", u".TXT", u"jpg", u"", u"..", u"tar.gz", u"λ", u"a b"};
      Set(u"ExtensionOptions.ExtensionKind", u"ChangeExtension");
      const bool all = Chance(rng_, 30);
      Set(u"ExtensionOptions.ReplaceAllTypes", all ? u"1" : u"0");
      if (!all) Set(u"ExtensionOptions.OldExtension", PickOf(rng_, kOld));
      Set(u"ExtensionOptions.NewExtension", PickOf(rng_, kNew));
    } else {
      Set(u"ExtensionOptions.ExtensionKind", u"ConvertExtensionCase");
      Flag(u"ExtensionOptions.ExtensionUpper");
    }
  }

  Rng& rng_;
  const TreeHints& hints_;
  Edit edit_;
};

std::string Described(const Args& args) {
  std::string out;
  for (const auto& a : args) {
    if (!out.empty()) out += ' ';
    const bool quote = a.empty() || a.find_first_of(u" \"'") != std::u16string::npos;
    out += quote ? "'" + Show(a) + "'" : Show(a);
  }
  return out;
}

// ---------------------------------------------------------------------------
// Reading the output.

struct Pair {
  std::u16string from, to;
};

std::vector<std::string> OutputLines(const std::string& out) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  while (start < out.size()) {
    std::size_t end = out.find('\n', start);
    if (end == std::string::npos) end = out.size();
    lines.push_back(out.substr(start, end - start));
    start = end + 1;
  }
  return lines;
}

// The name rows of a TSV listing; information rows have nothing after the tab.
std::vector<Pair> TsvPairs(const std::string& out) {
  std::vector<Pair> pairs;
  for (const std::string& line : OutputLines(out)) {
    const std::size_t tab = line.find('\t');
    if (tab == std::string::npos || tab + 1 == line.size()) continue;
    pairs.push_back({Utf8ToUtf16(line.substr(0, tab)), Utf8ToUtf16(line.substr(tab + 1))});
  }
  return pairs;
}

// "N renamed successfully,M failed." -> {N, M}; {-1, -1} when it is not there.
std::pair<int, int> StatusCounts(const std::string& out) {
  for (const std::string& line : OutputLines(out)) {
    if (line.find('\t') != std::string::npos || line.empty()) continue;
    const std::size_t comma = line.find(',');
    if (comma == std::string::npos) continue;
    return {std::atoi(line.c_str()), std::atoi(line.c_str() + comma + 1)};
  }
  return {-1, -1};
}

// ---------------------------------------------------------------------------
// The run as the pairs tell it, played on the tree as it was.

class RunModel {
 public:
  explicit RunModel(Tree tree) : tree_(std::move(tree)) {}
  const Tree& Entries() const { return tree_; }
  const Node* Find(const std::u16string& path) const {
    const auto it = tree_.find(path);
    return it == tree_.end() ? nullptr : &it->second;
  }

  // Some entry other than self holds the name, as the file system compares names.
  bool HeldByOther(const std::u16string& name, const std::u16string& self) const {
    const std::u16string path = Canonical(name);
    const std::u16string folder = FolderOf(path);
    for (auto it = tree_.lower_bound(folder); it != tree_.end() && it->first.starts_with(folder); ++it) {
      if (it->first != self && FolderOf(it->first) == folder && SameOnDisk(it->first, path)) return true;
    }
    return false;
  }

  // Renames one entry (a folder with everything in it); what was wrong, or nothing.
  std::string Apply(const std::u16string& from, const std::u16string& to) {
    if (!Find(from)) return "renamed an item that was not there: " + Show(from);
    if (FolderOf(from) != FolderOf(to)) return "moved an item to another folder: " + Show(to);
    if (from == to) return {};
    if (HeldByOther(to, from)) return "renamed onto an existing item: " + Show(from) + " -> " + Show(to);
    const std::u16string prefix = from + kPathSeparator;
    Tree moved;
    for (auto it = tree_.begin(); it != tree_.end();) {
      if (it->first == from || it->first.starts_with(prefix)) {
        moved[to + it->first.substr(from.size())] = std::move(it->second);
        it = tree_.erase(it);
      } else {
        ++it;
      }
    }
    tree_.merge(moved);
    return {};
  }

 private:
  Tree tree_;
};

// ---------------------------------------------------------------------------
// The property test.

// What the cases came to, printed at the end so that a change of the generators
// that leaves most cases with nothing to do shows.
struct CaseTally {
  int refused = 0, nothingToDo = 0, renamedSome = 0, someFailed = 0;
  std::size_t pairs = 0, comparedWithPreview = 0, numbersChecked = 0;
};

class PropertyRun : public CliHarness {
 protected:
  CliResult Call(const TempFolder& dataFolder, const std::u16string& command, const Args& rest) {
    Args args{command, u"--data-folder", dataFolder.Path()};
    args.insert(args.end(), rest.begin(), rest.end());
    return Cli(args);
  }

  void RunCase(std::uint64_t seed);
  CaseTally tally_;

  // Every renamed item was in the edit's scope.
  void ExpectInScope(const Edit& edit, const RunModel& model, const std::u16string& target, const Pair& pair);
  // Where the preview and the run must agree, they do. Gives the number of listed
  // items the run did not rename, where the two stayed comparable to the end.
  std::optional<int> ExpectPreviewKept(const Edit& edit, const std::vector<Pair>& previewed,
                                       const std::vector<Pair>& renamed, const Tree& before, bool numbersAreMarks);
};

// A new name the system can create: a POSIX name whose bytes fit, a Windows name
// without lone surrogates (Wine cannot create one). Selections count UTF-16 units
// and may split a surrogate pair; the output shows such a name with U+FFFD, which
// no generated name holds.
bool Creatable(std::u16string_view path) {
  const std::u16string_view name = NameView(path);
  if (name.find(u'\uFFFD') != std::u16string_view::npos) return false;
  if (kPosix) {
    const auto bytes = Utf16ToUtf8(name);
    return bytes && bytes->size() <= 255;
  }
  for (std::size_t i = 0; i < name.size(); ++i) {
    const char16_t c = name[i];
    if (c >= 0xD800 && c <= 0xDBFF && i + 1 < name.size() && name[i + 1] >= 0xDC00 && name[i + 1] <= 0xDFFF) {
      ++i;
    } else if (c >= 0xD800 && c <= 0xDFFF) {
      return false;
    }
  }
  return true;
}

void PropertyRun::ExpectInScope(const Edit& edit, const RunModel& model, const std::u16string& target,
                                const Pair& pair) {
  const Node* node = model.Find(pair.from);
  if (!node) return;  // reported by the model
  const bool folderScope = edit.scope == 2 || edit.scope == 3;
  EXPECT_EQ(node->folder, folderScope) << "kind of " << Show(pair.from);
  if (edit.scope == 3) {
    EXPECT_EQ(Show(pair.from), Show(target));
    return;
  }
  const std::u16string below = target + kPathSeparator;
  ASSERT_TRUE(pair.from.starts_with(below)) << Show(pair.from);
  const std::u16string relative = pair.from.substr(below.size());
  const std::size_t firstEnd = relative.find(kPathSeparator);
  if (firstEnd != std::u16string::npos) {
    EXPECT_TRUE(edit.subfolders) << "below the folder: " << Show(pair.from);
  }
  if (edit.checkedOnly) {
    const std::u16string top = relative.substr(0, firstEnd);
    EXPECT_NE(std::find(edit.checked.begin(), edit.checked.end(), top), edit.checked.end())
        << "not checked: " << Show(pair.from);
  }
  if (!edit.hidden) {
    // Neither the item nor a folder on its way below the target may be hidden.
    EXPECT_FALSE(node->hidden) << "hidden: " << Show(pair.from);
    for (std::size_t end = pair.from.find(kPathSeparator, below.size()); end != std::u16string::npos;
         end = pair.from.find(kPathSeparator, end + 1)) {
      const Node* folder = model.Find(pair.from.substr(0, end));
      EXPECT_FALSE(folder && folder->hidden) << "in a hidden folder: " << Show(pair.from);
    }
  }
}

// A "(j)" in a name, as the numbering puts one in: where it opens and closes.
struct NumberMark {
  std::size_t open, close;
  int number;
};

std::vector<NumberMark> NumberMarks(std::u16string_view name) {
  std::vector<NumberMark> marks;
  for (std::size_t open = name.find(u'('); open != std::u16string_view::npos; open = name.find(u'(', open + 1)) {
    std::size_t close = open + 1;
    int number = 0;
    while (close < name.size() && close - open <= 6 && name[close] >= u'0' && name[close] <= u'9') {
      number = number * 10 + (name[close++] - u'0');
    }
    if (close > open + 1 && close < name.size() && name[close] == u')') marks.push_back({open, close, number});
  }
  return marks;
}

bool HasNumberMark(std::u16string_view path) { return !NumberMarks(NameView(path)).empty(); }

// The names a numbered name can have come from: the name with one of its "(j)" taken out.
std::vector<std::u16string> Unnumbered(const std::u16string& path) {
  const std::u16string folder = FolderOf(path);
  const std::u16string name = path.substr(folder.size());
  std::vector<std::u16string> out;
  for (const NumberMark& m : NumberMarks(name))
    out.push_back(folder + name.substr(0, m.open) + name.substr(m.close + 1));
  return out;
}

using Held = std::function<bool(const std::u16string& path)>;

// Whether got's name holds a "(j)" at a place where every smaller number there
// (the name without it for 0) was held: a number is only ever given to step past
// names that are taken. With wanted, only a place whose removal leaves wanted counts.
bool NumberedPastHeldNames(const std::u16string& got, const std::optional<std::u16string>& wanted, const Held& held) {
  const std::u16string folder = FolderOf(got);
  const std::u16string name = got.substr(folder.size());
  for (const NumberMark& m : NumberMarks(name)) {
    const std::u16string before = folder + name.substr(0, m.open);
    const std::u16string after = name.substr(m.close + 1);
    if (wanted && Canonical(before + after) != Canonical(*wanted)) continue;
    bool allHeld = m.number > 0;
    for (int j = 0; j < m.number && allHeld; ++j) {
      allHeld = held(j == 0 ? before + after : before + u"(" + U16(std::to_string(j)) + u")" + after);
    }
    if (allHeld) return true;
  }
  return false;
}

// The preview numbers a name against the disk as it was and against its own earlier
// rows; the run numbers against the disk as it is at that item. Both start from the
// same name: the preview's name with its number taken out (where a "(" can only be
// a number), or the preview's name itself where it has no "(". From there the run
// keeps that name where no other item holds it at that moment and otherwise gives
// it the first free number; it fails only on a change of case (never numbered) onto
// a name held at that moment, or on a name the system cannot create. Sequence
// numbers and letters move on only with renamed (run) or listed (preview) items, so
// once the two part, a counting template makes every later comparison void; random
// text always does.
std::optional<int> PropertyRun::ExpectPreviewKept(const Edit& edit, const std::vector<Pair>& previewed,
                                                  const std::vector<Pair>& renamed, const Tree& before,
                                                  bool numbersAreMarks) {
  if (edit.random) return std::nullopt;
  RunModel model(before);
  bool countersAgree = true;
  int notRenamed = 0;
  std::size_t next = 0;  // the first preview row not yet met
  auto startsOf = [&](const std::u16string& previewName) -> std::vector<std::u16string> {
    if (!HasNumberMark(previewName)) return {previewName};
    return numbersAreMarks ? Unnumbered(previewName) : std::vector<std::u16string>();
  };
  auto unrenamed = [&](const Pair& row) {
    ++notRenamed;
    const std::u16string from = Canonical(row.from);
    const std::u16string previewName = Canonical(row.to);
    const auto starts = startsOf(previewName);
    if (countersAgree && Creatable(row.to) && !starts.empty()) {
      const bool explained = std::any_of(starts.begin(), starts.end(), [&](const std::u16string& start) {
        const std::u16string name = Canonical(start);
        return FolderOf(name) == FolderOf(from) && locale->CompareNoCase(NameView(name), NameView(from)) == 0 &&
               model.HeldByOther(name, from);
      });
      EXPECT_TRUE(explained) << "previewed as " << Show(previewName) << " but not renamed: " << Show(from);
    }
    if (edit.sequences) countersAgree = false;
  };
  for (const Pair& pair : renamed) {
    const std::u16string from = Canonical(pair.from);
    const std::u16string to = Canonical(pair.to);
    std::size_t at = next;
    while (at < previewed.size() && Canonical(previewed[at].from) != from) ++at;
    if (at == previewed.size()) {
      EXPECT_FALSE(countersAgree) << "renamed but not previewed: " << Show(from) << " -> " << Show(to);
      if (edit.sequences) countersAgree = false;
      model.Apply(from, to);
      continue;
    }
    for (; next < at; ++next) unrenamed(previewed[next]);
    const std::u16string previewName = Canonical(previewed[next++].to);
    const auto starts = startsOf(previewName);
    if (countersAgree && !starts.empty()) {
      const Held heldNow = [&](const std::u16string& path) { return model.HeldByOther(path, from); };
      const bool kept = std::any_of(starts.begin(), starts.end(), [&](const std::u16string& start) {
        return heldNow(start) ? NumberedPastHeldNames(to, start, heldNow) : to == Canonical(start);
      });
      EXPECT_TRUE(kept) << Show(from) << " previewed as " << Show(previewName) << ", renamed to " << Show(to);
      ++tally_.comparedWithPreview;
    }
    model.Apply(from, to);
  }
  for (; next < previewed.size(); ++next) unrenamed(previewed[next]);
  return countersAgree ? std::optional<int>(notRenamed) : std::nullopt;
}

void PropertyRun::RunCase(std::uint64_t seed) {
  Rng rng(seed);
  TempFolder sandbox(*fs);
  TempFolder caseData(*fs);
  const std::u16string target = sandbox / u"t";
  const TreeHints hints = TreeMaker(rng, *fs, target).Make(kMostEntries);
  const Edit edit = EditMaker(rng, hints).Make();
  const Tree before = Snapshot(*fs, sandbox.Path());
  const std::u16string& root = sandbox.Path();
  SCOPED_TRACE("seed " + std::to_string(seed) + ": " + Described(edit.args) +
               "\n  rerun: RENAMORA_PROPERTY_SEED=" + std::to_string(seed) + " RENAMORA_PROPERTY_CASES=1");
  const auto failuresBefore = testing::UnitTest::GetInstance()->current_test_info()->result()->total_part_count();

  // Questions are answered alike for both, so that both see the same request.
  Args previewArgs = edit.args;
  previewArgs.insert(previewArgs.end(), {u"--all", u"--yes", u"--format", u"tsv", target});
  const CliResult preview = Call(caseData, u"preview", previewArgs);
  EXPECT_EQ(Lines(Snapshot(*fs, root), root, true), Lines(before, root, true)) << "the preview changed the disk";

  Args renameArgs = edit.args;
  renameArgs.insert(renameArgs.end(), {u"--yes", u"--format", u"tsv", target});
  const CliResult run = Call(caseData, u"rename", renameArgs);
  const Tree after = Snapshot(*fs, root);

  const std::vector<Pair> renamed = TsvPairs(run.out);
  tally_.pairs += renamed.size();
  switch (run.status) {
    case kExitRefused:
      ++tally_.refused;
      break;
    case kExitNothingToDo:
      ++tally_.nothingToDo;
      break;
    case kExitSomeFailed:
      ++tally_.someFailed;
      break;
    default:
      ++tally_.renamedSome;
      break;
  }
  // The preview's rows: old names alone, new names with their folder when subfolders
  // are included; the folder of the old name is the same.
  std::vector<Pair> previewed;
  const std::u16string listed = edit.scope == 3 ? root + kPathSeparator : target + kPathSeparator;
  for (const Pair& row : TsvPairs(preview.out)) {
    const std::u16string folder = edit.subfolders ? FolderOf(row.to) : listed;
    previewed.push_back({folder + row.from, edit.subfolders ? row.to : folder + row.to});
  }

  // The outcome as the exit status tells it.
  EXPECT_EQ(preview.status == kExitRefused, run.status == kExitRefused) << preview.err << run.err;
  const auto [renamedCount, failedCount] = StatusCounts(run.out);
  if (run.status == kExitRefused || renamedCount < 0) {
    // Refused by the checks, or the probe found nothing: no run, no status line.
    if (run.status != kExitRefused) {
      EXPECT_EQ(run.status, kExitNothingToDo) << run.err;
    }
    EXPECT_TRUE(renamed.empty());
  } else {
    EXPECT_EQ(renamedCount, int(renamed.size())) << run.out;
    const int expectedStatus = failedCount > 0 ? kExitSomeFailed : renamedCount > 0 ? kExitDone : kExitNothingToDo;
    EXPECT_EQ(run.status, expectedStatus) << run.err;
    if (previewed.empty()) {
      EXPECT_TRUE(renamed.empty()) << "renamed what the preview did not list";
    }
  }

  // Where no name of the tree holds a "(", and no template brings one, every "(j)"
  // of a new name is a number, given only to step past names that were taken: in
  // the preview by the disk as it was or by an earlier row, in the run by the disk
  // at that moment.
  const bool numbersAreMarks = std::none_of(before.begin(), before.end(), [](const auto& e) {
    return NameView(e.first).find(u'(') != std::u16string_view::npos;
  });
  if (numbersAreMarks) {
    const RunModel disk(before);
    std::set<std::u16string> earlierRows;
    for (const Pair& row : previewed) {
      const std::u16string to = Canonical(row.to);
      const Held held = [&](const std::u16string& path) {
        return disk.HeldByOther(path, {}) || earlierRows.count(path);
      };
      if (HasNumberMark(to)) {
        EXPECT_TRUE(NumberedPastHeldNames(to, std::nullopt, held))
            << "previewed with a number for nothing: " << Show(to);
        ++tally_.numbersChecked;
      }
      earlierRows.insert(to);
    }
  }

  // Nothing lost, nothing doubled, nothing overwritten: the pairs, played in order
  // on the tree as it was, give the tree as it is.
  RunModel model(before);
  for (const Pair& pair : renamed) {
    const std::u16string from = Canonical(pair.from);
    const std::u16string to = Canonical(pair.to);
    ExpectInScope(edit, model, target, {from, to});
    if (numbersAreMarks && HasNumberMark(to)) {
      const Held held = [&](const std::u16string& path) { return model.HeldByOther(path, from); };
      EXPECT_TRUE(NumberedPastHeldNames(to, std::nullopt, held)) << "renamed with a number for nothing: " << Show(to);
      ++tally_.numbersChecked;
    }
    EXPECT_EQ(model.Apply(from, to), "");
  }
  EXPECT_EQ(Contents(after), Contents(before));
  EXPECT_EQ(after.size(), before.size());
  EXPECT_EQ(FolderCount(after), FolderCount(before));
  EXPECT_EQ(Lines(after, root, false), Lines(model.Entries(), root, false));

  // A listed item the run leaves alone is one it could not rename, never one it
  // passed over in silence.
  const std::optional<int> notRenamed = ExpectPreviewKept(edit, previewed, renamed, before, numbersAreMarks);
  if (notRenamed && failedCount >= 0) {
    EXPECT_GE(failedCount, *notRenamed) << "listed items left alone without a failure";
  }

  const CliResult undone = Call(caseData, u"undo", {u"--yes"});
  EXPECT_EQ(undone.status, renamed.empty() ? kExitNothingToDo : kExitDone) << undone.err;
  EXPECT_EQ(Lines(Snapshot(*fs, root), root, true), Lines(before, root, true)) << "undo did not restore the tree";

  if (testing::UnitTest::GetInstance()->current_test_info()->result()->total_part_count() != failuresBefore) {
    std::cout << "---- failing case, seed " << seed << "\nrequest: " << Described(edit.args) << "\ntree before:\n";
    for (const std::string& line : Lines(before, root, true)) std::cout << "  " << line << "\n";
    std::cout << "preview (" << preview.status << "):\n"
              << preview.out << preview.err << "rename (" << run.status << "):\n"
              << run.out << run.err << "undo (" << undone.status << "):\n"
              << undone.out << undone.err << "----\n";
  }
}

TEST_F(PropertyRun, RandomEditsLoseNothingAndUndoRestoresTheTree) {
  const std::uint64_t base = EnvNumber("RENAMORA_PROPERTY_SEED", kDefaultSeed);
  const std::uint64_t cases = EnvNumber("RENAMORA_PROPERTY_CASES", kDefaultCases);
  std::cout << "property cases: " << cases << " from seed " << base
            << " (RENAMORA_PROPERTY_SEED, RENAMORA_PROPERTY_CASES)\n";
  const auto start = std::chrono::steady_clock::now();
  int failing = 0;
  for (std::uint64_t k = 0; k < cases && failing < kMostFailingCases; ++k) {
    const auto failures = testing::UnitTest::GetInstance()->current_test_info()->result()->total_part_count();
    RunCase(base + k);
    if (testing::UnitTest::GetInstance()->current_test_info()->result()->total_part_count() != failures) ++failing;
  }
  const auto seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  std::cout << "property cases took " << seconds << " s: " << tally_.renamedSome << " renamed, " << tally_.someFailed
            << " with failed items, " << tally_.nothingToDo << " with nothing to do, " << tally_.refused << " refused; "
            << tally_.pairs << " items renamed, " << tally_.comparedWithPreview << " compared with the preview, "
            << tally_.numbersChecked << " numbers checked\n";
}

// ---------------------------------------------------------------------------
// Focused cases: chains, swaps and several runs.

using Entries = std::vector<std::pair<std::u16string, std::string>>;  // relative path, content

class RenameAndUndo : public PropertyRun {
 protected:
  std::vector<std::string> Now(const TempFolder& folder) {
    return Lines(Snapshot(*fs, folder.Path()), folder.Path(), false);
  }
  static std::vector<std::string> Expected(const TempFolder& folder, const Entries& entries) {
    Tree tree;
    for (const auto& [relative, content] : entries) {
      const std::u16string path = folder / relative;
      tree[path] = {false, content, false};
      for (std::size_t end = path.rfind(kPathSeparator); end > folder.Path().size();
           end = path.rfind(kPathSeparator, end - 1)) {
        tree[path.substr(0, end)] = {true, {}, false};
      }
    }
    return Lines(tree, folder.Path(), false);
  }
};

TEST_F(RenameAndUndo, ChainsAndSwapsOfOneRunAreTakenBack) {
  struct Row {
    const char* label;
    Entries before;
    Args edit;
    Entries after;
  };
  const Row rows[] = {
      // Each item takes the name that the item before it has just given up.
      {"chain by a head insert",
       {{u"AAx.txt", "2"}, {u"Ax.txt", "1"}, {u"x.txt", "0"}},
       {u"--head", u"A"},
       {{u"AAAx.txt", "2"}, {u"AAx.txt", "1"}, {u"Ax.txt", "0"}}},
      {"chain with a gap",
       {{u"AAAx.txt", "3"}, {u"Ax.txt", "1"}, {u"x.txt", "0"}},
       {u"--head", u"A"},
       {{u"AAAAx.txt", "3"}, {u"AAx.txt", "1"}, {u"Ax.txt", "0"}}},
      // The first would take a name still held; the number settles it, and the
      // second then takes the name the first gave up.
      {"swap settled by the number",
       {{u"1Bytes.txt", "ab"}, {u"2Bytes.txt", "a"}},
       {u"--new-name", u"##"},
       {{u"1Bytes.txt", "a"}, {u"2Bytes(1).txt", "ab"}}},
      {"cycle of three",
       {{u"1Bytes.txt", "bb"}, {u"2Bytes.txt", "ccc"}, {u"3Bytes.txt", "a"}},
       {u"--new-name", u"##"},
       {{u"1Bytes.txt", "a"}, {u"2Bytes(1).txt", "bb"}, {u"3Bytes(1).txt", "ccc"}}},
      {"equal names numbered against the disk",
       {{u"a.txt", "0"}, {u"b.txt", "1"}, {u"same.txt", "2"}},
       {u"--new-name", u"same"},
       {{u"same(1).txt", "0"}, {u"same(2).txt", "1"}, {u"same.txt", "2"}}},
      {"chain of folders",
       {{u"AAd/f.txt", "2"}, {u"Ad/f.txt", "1"}, {u"d/f.txt", "0"}},
       {u"--head", u"A", u"--set", u"EditRequest.Scope=2"},
       {{u"AAAd/f.txt", "2"}, {u"AAd/f.txt", "1"}, {u"Ad/f.txt", "0"}}},
      // The inner folder is renamed under the outer one's old path; undo must free
      // the outer one first.
      {"folders inside renamed folders",
       {{u"p/q/f.txt", "0"}, {u"p/g.txt", "1"}},
       {u"--head", u"x", u"--set", u"EditRequest.Scope=2", u"--subfolders"},
       {{u"xp/xq/f.txt", "0"}, {u"xp/g.txt", "1"}}},
      {"files in subfolders, chains in each",
       {{u"s/0y", "1"}, {u"s/y", "0"}, {u"0y", "3"}, {u"y", "2"}},
       {u"--head", u"0", u"--subfolders"},
       {{u"s/00y", "1"}, {u"s/0y", "0"}, {u"00y", "3"}, {u"0y", "2"}}},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.label);
    TempFolder folder(*fs);
    TempFolder rowData(*fs);
    for (const auto& [relative, content] : row.before) folder.MakeFile(relative, content);
    const std::vector<std::string> before = Now(folder);
    Args args = row.edit;
    args.insert(args.end(), {u"--yes", folder.Path()});
    const CliResult renamed = Call(rowData, u"rename", args);
    EXPECT_EQ(renamed.status, kExitDone) << renamed.err;
    EXPECT_EQ(Now(folder), Expected(folder, row.after));
    const CliResult undone = Call(rowData, u"undo", {u"--yes"});
    EXPECT_EQ(undone.status, kExitDone) << undone.err;
    EXPECT_EQ(Now(folder), before);
  }
}

// The undo log holds one level: the last run that renamed something. Undo takes
// that run back and deletes the log, so a second undo has nothing to do.
TEST_F(RenameAndUndo, UndoTakesBackTheLastRunOnly) {
  struct Step {
    std::u16string command;  // rename or undo
    Args edit;
    int status;
    Entries after;
  };
  struct Row {
    const char* label;
    Entries before;
    std::vector<Step> steps;
  };
  const Row rows[] = {
      {"each run undone in turn",
       {{u"xa.txt", "0"}, {u"xb.txt", "1"}},
       {{u"rename", {u"--remove", u"x"}, kExitDone, {{u"a.txt", "0"}, {u"b.txt", "1"}}},
        {u"undo", {}, kExitDone, {{u"xa.txt", "0"}, {u"xb.txt", "1"}}},
        {u"rename", {u"--head", u"y"}, kExitDone, {{u"yxa.txt", "0"}, {u"yxb.txt", "1"}}},
        {u"undo", {}, kExitDone, {{u"xa.txt", "0"}, {u"xb.txt", "1"}}},
        {u"undo", {}, kExitNothingToDo, {{u"xa.txt", "0"}, {u"xb.txt", "1"}}}}},
      {"three runs, then undo twice",
       {{u"a", "0"}},
       {{u"rename", {u"--head", u"1"}, kExitDone, {{u"1a", "0"}}},
        {u"rename", {u"--head", u"2"}, kExitDone, {{u"21a", "0"}}},
        {u"rename", {u"--head", u"3"}, kExitDone, {{u"321a", "0"}}},
        {u"undo", {}, kExitDone, {{u"21a", "0"}}},
        {u"undo", {}, kExitNothingToDo, {{u"21a", "0"}}}}},
      // An empty log would take away the undo of the run before and undo nothing.
      {"a run that renamed nothing keeps the log",
       {{u"a", "0"}},
       {{u"rename", {u"--head", u"1"}, kExitDone, {{u"1a", "0"}}},
        {u"rename", {u"--remove", u"zzz"}, kExitNothingToDo, {{u"1a", "0"}}},
        {u"undo", {}, kExitDone, {{u"a", "0"}}}}},
      // The second run's chain moves the first run's names on; undo of the second
      // brings back exactly the first run's result.
      {"chains in two runs",
       {{u"0x", "1"}, {u"x", "0"}},
       {{u"rename", {u"--head", u"0"}, kExitDone, {{u"00x", "1"}, {u"0x", "0"}}},
        {u"rename", {u"--head", u"0"}, kExitDone, {{u"000x", "1"}, {u"00x", "0"}}},
        {u"undo", {}, kExitDone, {{u"00x", "1"}, {u"0x", "0"}}}}},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.label);
    TempFolder folder(*fs);
    TempFolder stepData(*fs);
    for (const auto& [relative, content] : row.before) folder.MakeFile(relative, content);
    int index = 0;
    for (const Step& step : row.steps) {
      SCOPED_TRACE("step " + std::to_string(++index));
      Args args = step.edit;
      args.push_back(u"--yes");
      if (step.command != u"undo") args.push_back(folder.Path());
      const CliResult r = Call(stepData, step.command, args);
      EXPECT_EQ(r.status, step.status) << r.err;
      EXPECT_EQ(Now(folder), Expected(folder, step.after));
    }
  }
}

// Found by the property test (seed 1000880): a name that is nothing but its
// extension (a dot file) loses all of it when the extension is removed. That must
// be refused as an empty name is in every other mode. The disk check takes the
// folder itself for the holder of the empty name, so the preview promises "(1)";
// on POSIX the run then fails the item as "no longer there", on Windows it names
// the file "(1)".
TEST_F(RenameAndUndo, AnItemIsNeverGivenAnEmptyName) {
  struct Row {
    const char* label;
    std::vector<std::u16string> before;
    Args edit;
    std::vector<std::string> previewRows;  // old TAB new
    std::vector<std::u16string> after;
  };
  const Row rows[] = {
      {"the whole base removed", {u"ab.txt", u"c.txt"}, {u"--remove", u"ab"}, {}, {u"ab.txt", u"c.txt"}},
      {"the extension of a dot file removed",
       {u".photo", u"b.txt"},
       {u"--set", u"EditRequest.IncludeHidden=1", u"--extension", u"*", u""},
       {"b.txt\tb"},
       {u".photo", u"b"}},
      {"the extension of a dot file removed by \"..\"",
       {u".photo", u"b.txt"},
       {u"--set", u"EditRequest.IncludeHidden=1", u"--extension", u"*", u".."},
       {"b.txt\tb"},
       {u".photo", u"b"}},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.label);
    TempFolder folder(*fs);
    TempFolder rowData(*fs);
    for (const auto& name : row.before) folder.MakeFile(name, ToUtf8Lossy(name));
    Args preview = row.edit;
    preview.insert(preview.end(), {u"--yes", u"--format", u"tsv", folder.Path()});
    std::vector<std::string> shown;
    for (const Pair& p : TsvPairs(Call(rowData, u"preview", preview).out)) {
      shown.push_back(Show(p.from) + "\t" + Show(p.to));
    }
    EXPECT_EQ(shown, row.previewRows);
    Args rename = row.edit;
    rename.insert(rename.end(), {u"--yes", folder.Path()});
    Call(rowData, u"rename", rename);
    EXPECT_EQ(folder.Names(), row.after);
    // Each row lists the names after the run in the order of the names before.
    for (std::size_t i = 0; i < row.before.size() && i < row.after.size(); ++i) {
      EXPECT_EQ(folder.Read(row.after[i]), ToUtf8Lossy(row.before[i]));
    }
  }
}

// A dot file without another dot has an empty base and its whole name for an
// extension. An edit that leaves such a name as it is must neither rename it nor
// count it failed ("the new name is empty"), which would make every run over
// hidden files end with "some items failed".
TEST_F(RenameAndUndo, ANameTheEditLeavesAsItIsIsNoFailure) {
  struct Row {
    const char* label;
    std::vector<std::u16string> before;
    Args edit;
    int status;
    std::vector<std::u16string> after;
  };
  const Row rows[] = {
      {"an ordinary name", {u"a.txt", u"xb.txt"}, {u"--replace", u"x", u"y"}, kExitDone, {u"a.txt", u"yb.txt"}},
      {"a dot file, with nothing to remove",
       {u".bashrc", u"b.txt"},
       {u"--set", u"EditRequest.IncludeHidden=1", u"--remove", u"zzz"},
       kExitNothingToDo,
       {u".bashrc", u"b.txt"}},
      {"a dot file beside a file that is renamed",
       {u".bashrc", u"xb.txt"},
       {u"--set", u"EditRequest.IncludeHidden=1", u"--replace", u"x", u"y"},
       kExitDone,
       {u".bashrc", u"yb.txt"}},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.label);
    TempFolder folder(*fs);
    TempFolder rowData(*fs);
    for (const auto& name : row.before) folder.MakeFile(name, "0");
    Args rename = row.edit;
    rename.insert(rename.end(), {u"--yes", folder.Path()});
    const CliResult r = Call(rowData, u"rename", rename);
    EXPECT_EQ(r.status, row.status) << r.err;
    EXPECT_EQ(folder.Names(), row.after);
  }
}

// Found by the property test under Wine (seeds 7000008, 7000141): Windows drops the
// blanks and dots a new name ends with, while the run reports, and the undo log
// keeps, the name it asked for. What the run reports must be what is on disk.
TEST_F(RenameAndUndo, TheRunReportsTheNamesOnDisk) {
#ifdef _WIN32
  // Unsettled: Wine drops trailing blanks and dots from a new name even on paths
  // given as \\?\ paths, while Windows keeps them there; the engine reports the name
  // it asked for. Left open until it is checked on Windows itself.
  GTEST_SKIP() << "trailing blanks and dots: Wine and Windows differ";
#endif
  struct Row {
    const char* label;
    std::u16string before;
    bool folder;
    Args edit;
  };
  const Row rows[] = {
      {"a blank at the end", u"ab", false, {u"--end", u" "}},
      {"blanks at the end of a folder name", u"cd", true, {u"--end", u"  ", u"--set", u"EditRequest.Scope=2"}},
      {"a dot at the end", u"ab", false, {u"--end", u"."}},
      {"a blank before a removed extension", u"a .txt", false, {u"--extension", u"*", u""}},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.label);
    TempFolder folder(*fs);
    TempFolder rowData(*fs);
    if (row.folder) {
      folder.MakeFolder(row.before);
    } else {
      folder.MakeFile(row.before, "0");
    }
    Args rename = row.edit;
    rename.insert(rename.end(), {u"--yes", u"--format", u"tsv", folder.Path()});
    const CliResult r = Call(rowData, u"rename", rename);
    std::vector<std::u16string> reported;
    for (const Pair& p : TsvPairs(r.out)) reported.push_back(NameOf(p.to));
    EXPECT_EQ(folder.Names(), reported) << r.err;
    EXPECT_EQ(Call(rowData, u"undo", {u"--yes"}).status, kExitDone);
    EXPECT_EQ(folder.Names(), std::vector<std::u16string>{row.before});
  }
}

}  // namespace
}  // namespace renamora::cli

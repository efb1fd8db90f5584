// Everything one batch edit needs, as the edit window fills it in.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace renamora {

// The edit identifiers, compared exactly (case-sensitive).
namespace EditMode {
inline constexpr std::u16string_view kRemove = u"Removpart";
inline constexpr std::u16string_view kReplace = u"Replapart";
inline constexpr std::u16string_view kInsert = u"Addnewnum";
inline constexpr std::u16string_view kChange = u"Changnew";
inline constexpr std::u16string_view kExtension = u"Changexten";
inline constexpr std::u16string_view kSaveAll = u"Savealls";
// Further values of CurrentMode that are not edits of their own.
inline constexpr std::u16string_view kSaveSome = u"Savesomes";
inline constexpr std::u16string_view kBrowse = u"Browsefile";
}  // namespace EditMode

// The "Edit:" box of the edit window.
enum class TargetScope : int {
  AllFiles = 0,     // the files of the target folder
  CheckedFiles = 1, // the checked files of the main window's list
  Folders = 2,      // subfolders (the checked ones when the list has check boxes)
  ThisFolder = 3,   // the target folder itself
};

// The sample name and the mouse selection in it. Counts are UTF-16 units.
struct SampleSelection {
  std::u16string SampleText;
  int SelectionStart = 0;   // characters in front of the selection
  int SelectionLength = 0;  // 0 = nothing selected
  int CursorPosition = 0;   // 1-based insert position; 0 = none taken
};

enum class RemoveChoice { RemoveStrings, RemoveAnything, KeepSomething, CleanSymbols };
enum class AnythingChoice { SelectedPart, BetweenStrings, AllNumbers };
enum class KeepChoice { SelectedPart, GivenStrings };

struct RemoveOptions {
  RemoveChoice RemoveKind = RemoveChoice::RemoveStrings;
  std::array<std::u16string, 3> Strings;
  bool CaseSensitive = false;
  bool OnlyLeftest = false;
  AnythingChoice AnythingKind = AnythingChoice::SelectedPart;
  bool SelectionFromEnd = false;
  std::u16string LeftString;
  std::u16string RightString;
  bool AlsoRemoveBounds = false;
  KeepChoice KeepKind = KeepChoice::SelectedPart;
  bool KeepFromEnd = false;
  std::array<std::u16string, 2> KeepStrings;
  bool KeepOnlyLeftest = false;
  bool CleanKeepHyphen = true;
  bool CleanKeepUnderscore = false;
  bool CleanKeepParentheses = false;
  bool CleanKeepBrackets = false;
  bool CleanKeepOther = false;
  std::u16string CleanKeepOtherText;
  bool CleanReplaceWithSpace = false;
  bool CleanAlsoErase = false;
  std::u16string CleanEraseText;
};

enum class ReplaceChoice { ReplaceString, ReplaceSelected };

struct ReplaceOptions {
  ReplaceChoice ReplaceKind = ReplaceChoice::ReplaceString;
  std::u16string OldString;
  bool CaseSensitive = false;
  bool OnlyLeftest = false;
  bool SelectionFromEnd = false;
  std::u16string NewTemplate;
};

enum class InsertChoice { ToPosition, ToString };
// Box index 0, 1, 2 of "Position to insert:".
enum class InsertPosition : int { BEFORE = 0, BEHIND = 1, BETWEEN = 2 };

struct InsertOptions {
  InsertChoice InsertKind = InsertChoice::ToPosition;
  bool AtHead = false;
  std::u16string HeadTemplate;
  bool AtEnd = false;
  std::u16string EndTemplate;
  bool AtCursor = false;
  std::u16string CursorTemplate;
  bool CursorFromEnd = false;
  std::u16string ExistingString;
  InsertPosition Where = InsertPosition::BEFORE;
  std::u16string SecondString;
  std::u16string InsertTemplate;
};

enum class ChangeChoice { NewName, ConvertCase };
enum class CaseChoice { Lower, Upper, CapitalizeWords };

struct ChangeOptions {
  ChangeChoice ChangeKind = ChangeChoice::NewName;
  std::u16string NewNameTemplate;
  CaseChoice CaseKind = CaseChoice::Lower;
  bool CapitalizeFirst = true;
  bool IncludeExtension = true;
  bool ExcludeSmallWords = true;  // settings key Capevery
};

enum class ExtensionChoice { ChangeExtension, ConvertExtensionCase };

struct ExtensionOptions {
  ExtensionChoice ExtensionKind = ExtensionChoice::ChangeExtension;
  std::u16string OldExtension;
  std::u16string NewExtension;
  bool ReplaceAllTypes = false;
  bool ExtensionUpper = false;  // false: "Lower case"
};

// The Save panel ("Savealls"): what a name listing holds.
enum class SaveContent { OneLayer, AllLayers, NamesOnly };

struct SaveOptions {
  SaveContent Content = SaveContent::OneLayer;
  bool IncludeWebpageFolders = false;
  bool SpecialTypes = false;  // false: "All types"
  bool Music = false;
  bool Document = false;
  bool Film = false;
  bool Picture = false;
  bool Program = false;
  bool Other = false;
  std::u16string OtherTypes;  // comma-separated extensions without blanks
  bool FileSize = false;
  bool FileTime = false;
};

struct EditRequest {
  // Scope bar.
  std::u16string Mode;  // an EditMode identifier
  TargetScope Scope = TargetScope::AllFiles;
  bool IncludeSubfolders = false;
  bool IncludeHidden = false;
  bool IncludeSystem = false;
  bool TypeFilterOn = false;
  std::u16string TypeFilter;  // comma-separated extensions without dots

  SampleSelection Sample;
  RemoveOptions Remove;
  ReplaceOptions Replace;
  InsertOptions Insert;
  ChangeOptions Change;
  ExtensionOptions Extension;
  SaveOptions Save;
};

// Options of other windows that the command and the run read (settings "Option").
struct RunOptions {
  bool Confirm = false;     // ask before running
  bool Options1 = false;    // exit after one operation
  bool Endsound = true;     // play the end sound
  bool Options3 = true;     // display the result after renaming
  int Prenum = 20;          // preview row limit, 1 to 1000
  bool PreviewMax = false;  // maximize the preview window
};

}  // namespace renamora

// Every key of the settings file with its type and default, and the options dialog's pure rules.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "app/SettingsFile.h"
#include "core/EditRequest.h"
#include "core/Messages.h"

namespace renamora {

namespace SettingsKey {
inline constexpr std::u16string_view kFileName = u"Settings.ini";

inline constexpr std::u16string_view kOption = u"Option";
inline constexpr std::u16string_view kOptions1 = u"Options1";
inline constexpr std::u16string_view kOptions2 = u"Options2";
inline constexpr std::u16string_view kOptions3 = u"Options3";
inline constexpr std::u16string_view kAutocopy = u"Autocopy";
inline constexpr std::u16string_view kCapevery = u"Capevery";
inline constexpr std::u16string_view kConfirm = u"Confirm";
inline constexpr std::u16string_view kContextmenu = u"Contextmenu";
inline constexpr std::u16string_view kEndsound = u"Endsound";
inline constexpr std::u16string_view kPreviewMax = u"PreviewMax";
inline constexpr std::u16string_view kCheckbox = u"Checkbox";
inline constexpr std::u16string_view kShowguide = u"Showguide";
inline constexpr std::u16string_view kShowhiddenfile = u"Showhiddenfile";
inline constexpr std::u16string_view kShowsysfile = u"Showsysfile";
inline constexpr std::u16string_view kAutoPreview = u"AutoPreview";
inline constexpr std::u16string_view kPrenum = u"Prenum";
inline constexpr std::u16string_view kListnum = u"Listnum";
inline constexpr std::u16string_view kFoldernum = u"Foldernum";
inline constexpr std::u16string_view kLanguage = u"Language";
inline constexpr std::u16string_view kIcon = u"Icon";
inline constexpr std::u16string_view kRegistereddll = u"Registereddll";

inline constexpr std::u16string_view kForm = u"Form";
inline constexpr std::u16string_view kMaximize = u"Maximize";
inline constexpr std::u16string_view kLeft = u"Left";
inline constexpr std::u16string_view kTop = u"Top";
inline constexpr std::u16string_view kWidth = u"Width";
inline constexpr std::u16string_view kHeight = u"Height";
inline constexpr std::u16string_view kLastDir = u"LastDir";
inline constexpr std::u16string_view kFolderPrefix = u"Folder";  // Folder0, Folder1, ...
inline constexpr std::u16string_view kTotalfiles = u"Totalfiles";
}  // namespace SettingsKey

// Section "Option". The member initializers are the defaults a missing or
// unreadable key takes.
struct OptionSettings {
  bool Options1 = false;  // exit after a rename
  bool Options2 = false;  // do not open a name listing after saving it
  bool Options3 = true;   // display the result after renaming
  bool Autocopy = true;
  bool Capevery = true;
  bool Confirm = false;
  bool Contextmenu = true;
  bool Endsound = true;
  bool PreviewMax = false;
  bool Checkbox = true;
  bool Showguide = true;
  bool Showhiddenfile = false;
  bool Showsysfile = false;
  // The hidden dialog box is never checked and its stored value is never
  // loaded: this is the box's state, which OK writes.
  bool AutoPreview = false;
  int Prenum = 20;
  int Listnum = 20;
  int Foldernum = 10;
  std::u16string Language;          // empty: chosen by the system's language
  std::optional<std::u16string> Icon;  // missing: the default icon set
  bool Registereddll = false;
};

// Section "Form", except the used-folder keys (see StartUp.h).
struct FormSettings {
  bool Maximize = false;
  int Left = 299;
  int Top = 172;
  int Width = 626;
  int Height = 513;
  std::u16string LastDir;
  std::uint64_t Totalfiles = 0;
};

// Every key of the section; numbers outside their dialog range are brought into
// it, so that no part of the program ever sees, say, a preview limit of 0.
OptionSettings LoadOptionSettings(const IniDocument& doc);
FormSettings LoadFormSettings(const IniDocument& doc);

struct OptionsSaveResult {
  bool written = false;
  // The stored AutoPreview (1 when missing) differed from the one written: the
  // edit window places itself and the preview window anew when it next opens.
  bool autoPreviewChanged = false;
};
// What OK stores, in one rewrite: every bool and number of the dialog, not the
// language, the icon set or Registereddll, which have writers of their own.
OptionsSaveResult SaveDialogOptions(SettingsFile& file, const OptionSettings& options);

// The window place when the main window closes, and the renamed-files total
// when it is not 0 (a 0 never overwrites a total another instance stored).
[[nodiscard]] bool SaveFormOnClose(SettingsFile& file, const FormSettings& form);

// The options the engine's command and run read.
RunOptions RunOptionsFrom(const OptionSettings& options);

// The dialog's Default button: every check box and number box back to its
// default; the language, the icon set and the stored-only keys stay.
void ApplyDialogDefaults(OptionSettings& options);

// The two linked check boxes: exiting after a rename and showing its result
// exclude each other, and unchecking "exit" brings the result display back.
void SetExitAfterRename(OptionSettings& options, bool checked);
void SetDisplayResults(OptionSettings& options, bool checked);

enum class NumberBox { PreviewFiles, NewNames, UsedFolders };

struct NumberRange {
  int minimum = 0;
  int maximum = 0;
};
NumberRange RangeOf(NumberBox box);
// A stored or typed value brought into the box's range.
int ClampToRange(NumberBox box, std::int64_t value);

struct NumberBoxCheck {
  int value = 0;             // what the box stands for now; OK stores it
  bool replaceText = false;  // the box must show value's text instead of what was typed
  std::u16string warning;    // not empty: show it (caption 295, warning icon)
};
// The check on every change of a number box's text. Above the maximum the box
// takes the maximum and warns with message 277 and the maximum; below the
// minimum it takes the minimum. A text that is not a whole number yet (an empty
// box while the user types) keeps `lastValue`, so no invalid value is stored.
NumberBoxCheck CheckNumberBox(NumberBox box, std::u16string_view text, int lastValue, const TextLookup& texts);

}  // namespace renamora

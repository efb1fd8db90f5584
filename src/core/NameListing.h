// The Save mode: name listings of a folder tree or of chosen files, written to a text file.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "core/EditRequest.h"
#include "core/Messages.h"
#include "core/ProgramState.h"
#include "platform/FileSystem.h"
#include "platform/Locale.h"
#include "platform/Prompter.h"
#include "platform/RunCallbacks.h"

namespace renamora {

// What the save dialog shows; the dialog itself belongs to the window layer.
inline constexpr std::u16string_view kSaveDialogTitle = u"Select file to save filenames";
inline constexpr std::u16string_view kSaveDialogFilter = u"text file(*.txt)|*.txt";
inline constexpr std::u16string_view kSaveDialogDefaultExtension = u"txt";

// The string table has no text for a listing that could be written nowhere; until
// it has one, this fixed text is shown with the paths that were tried.
inline constexpr std::u16string_view kListingNotSavedText = u"Filename/s could not be saved to";

// The progress bar of an ALL layers listing wraps around at this value.
inline constexpr int kListingBarMaximum = 600;

// Message numbers of the listing, beside the shared ones of Msg.
namespace ListingMsg {
inline constexpr MessageId kNoFileToList = 174;
inline constexpr MessageId kSavedTo = 176;
inline constexpr MessageId kReplaceExistingFile = 185;
inline constexpr MessageId kHeadAllLayers = 245;
inline constexpr MessageId kHeadOneLayer = 246;
inline constexpr MessageId kHeadNamesOnly = 247;
inline constexpr MessageId kHeadChosenFiles = 248;
inline constexpr MessageId kError = 296;
inline constexpr MessageId kSearching = 302;
}  // namespace ListingMsg

// The save dialog: the name the user confirmed, nothing when the dialog was cancelled.
class SaveFileChooser {
 public:
  virtual ~SaveFileChooser() = default;
  virtual std::optional<std::u16string> ChooseSaveFile(std::u16string_view suggested) = 0;
  // True when the dialog itself asked message 185 for a name that is taken (by
  // NeedsReplaceQuestion) before giving it back, so the listing does not ask again.
  virtual bool AsksBeforeReplacing() const { return false; }
};

// Whether confirming this name in the save dialog asks message 185: a file of the
// name or of the name plus ".txt" exists (one of the two is what gets written).
bool NeedsReplaceQuestion(std::u16string_view chosen, FileSystem& fs);

// Opens a written listing with the program the shell associates with it; failures
// are not the listing's concern.
class FileOpener {
 public:
  virtual ~FileOpener() = default;
  virtual void OpenFile(std::u16string_view path) = 0;
};

// The progress window's searching panel, which replaces its name fields while an
// ALL layers listing runs inside the window.
class SearchPanel {
 public:
  virtual ~SearchPanel() = default;
  virtual void ShowSearching(std::u16string_view text, int barMaximum) = 0;
  virtual void SetBarPosition(int position) = 0;
};

struct ListingSettings {
  bool Options1 = false;  // exit after one operation
  bool Options2 = false;  // don't open the file after saving
  // Where a listing goes when the chosen file cannot be written; ends with the separator.
  std::u16string DataFolder;
};

// References must outlive the saver.
struct ListingServices {
  FileSystem& fs;
  const Locale& locale;
  const Clock& clock;
  const TextLookup& texts;
  Prompter& prompter;
  RunObserver& observer;
  EditHost& host;
  SaveFileChooser& chooser;
  FileOpener& opener;
  SearchPanel* searchPanel = nullptr;  // none: no progress display
};

enum class SaveStatus {
  Saved,            // written to the chosen file
  SavedToFallback,  // the chosen file could not be written; a file in the data folder holds the list
  Cancelled,        // the dialog was cancelled; nothing changed
  NothingToList,    // chosen files without any path
  NotWritten,       // no file could be written; the error was shown
};

struct SaveOutcome {
  SaveStatus Status = SaveStatus::Cancelled;
  std::u16string WrittenPath;  // empty unless something was written
  std::size_t LineCount = 0;
  bool Stopped = false;  // an ALL layers listing ended early at the user's request
};

// Formats a local time by a Windows date or time picture ("dd/MM/yyyy", "h:mm:ss tt"):
// d dd ddd dddd, M MM MMM MMMM, y yy yyyy, g, h hh H HH, m mm, s ss, t tt, text in
// single quotes ('' for a quote); any other character stands for itself. Day and
// month names and the AM/PM markers are English: the Locale offers no others.
std::u16string FormatTimePicture(std::u16string_view picture, const LocalTime& time);

// "[" short date, blank, long time "]" of the current local time.
std::u16string ListingDateLine(const Locale& locale, const Clock& clock);

// The size part without its leading blanks: "512Byte", "1.5KB", "1MB", "5GB".
std::u16string ListingSizeText(std::uint64_t bytes, std::u16string_view decimalSeparator);

// The date part without its leading blanks: "20240105 9:07".
std::u16string ListingDateText(const LocalTime& time);

// Whether a file name passes the file types of the Save panel.
bool ListingTypePasses(const SaveOptions& options, std::u16string_view fileName);

// Whether a listing shows a subfolder (and, listing more than one layer, enters
// it): web-page companion folders only in an ALL layers listing that asks for them.
bool ListingShowsFolder(const SaveOptions& options, std::u16string_view folderName, const Locale& locale);

// The name of the file a listing is written to: the dialog's name, with ".txt"
// appended unless it already ends so (in any letter case).
std::u16string ListingFilePath(std::u16string_view chosen);

// The lines of a chosen-files listing after its head lines.
std::vector<std::u16string> ChosenFilesLines(FileSystem& fs, const std::vector<std::u16string>& paths);

class NameListingSaver {
 public:
  NameListingSaver(ListingServices services, ListingSettings settings) : s_(services), settings_(std::move(settings)) {}

  // The Save command: a folder listing of the TargetFolder, or of the PickedPaths
  // when there is no target folder; the end of the edit follows a written list.
  SaveOutcome Save(const EditRequest& request, const ProgramState& program, RunState& run);
  SaveOutcome SaveFolderList(const SaveOptions& options, std::u16string_view folder, RunState& run);
  SaveOutcome SaveChosenFiles(const std::vector<std::u16string>& paths, RunState& run);

  // The folder listing (head lines included) as it would be written.
  std::vector<std::u16string> FolderListing(const SaveOptions& options, std::u16string_view folder, RunState& run,
                                            bool* stopped = nullptr);

  // The name the dialog starts with: the one confirmed last time.
  const std::u16string& LastChosen() const { return lastChosen_; }
  const ListingSettings& Settings() const { return settings_; }
  void SetSettings(ListingSettings settings) { settings_ = std::move(settings); }

 private:
  std::optional<std::u16string> ChooseTarget();
  SaveOutcome WriteAndFinish(const std::u16string& target, const std::vector<std::u16string>& lines, RunState& run);
  std::optional<std::u16string> WriteFallback(const std::vector<std::u16string>& lines, std::u16string* tried);

  ListingServices s_;
  ListingSettings settings_;
  std::u16string lastChosen_;
};

}  // namespace renamora

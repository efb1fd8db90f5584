// The main window's list of files and folders: items, folder listing, sort order, checks.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/Messages.h"
#include "platform/FileSystem.h"
#include "platform/Locale.h"
#include "platform/RunCallbacks.h"

namespace renamora {

enum class FileListMode { FolderView, ChosenFiles };

// One row. The date and size texts are made when the view asks for them: a folder
// of 100,000 entries would otherwise hold two more strings per row.
struct FileListItem {
  std::u16string text;      // the entry's name in FolderView, its full path in ChosenFiles
  std::u16string typeText;  // column 3
  std::uint64_t size = 0;
  FileTime lastWrite = 0;  // UTC ticks
  bool hasDate = false;    // false: date text empty
  bool hasSize = false;    // false: size text empty (folders, items added without a lookup)
  bool isFolder = false;
  bool checked = true;
  bool selected = false;
  // The system image list's index plus one; 0 until the view asks the shell. (The
  // shell's own index 0 is a real icon, so it cannot also mean "not asked yet".)
  int iconIndex = 0;
};

struct ListingRules {
  bool showHidden = false;
  bool showSystem = false;
  std::u16string folderTypeText;  // the Folder button's caption, the type of listed folders
};

enum class ListingEnd { Listed, Aborted, Unreadable };

class FileList final : public TargetList {
 public:
  FileList(FileSystem& fs, const Clock& clock, const Locale& locale);

  FileListMode Mode() const { return mode_; }
  void SetMode(FileListMode mode) { mode_ = mode; }
  // Ends with the separator; empty until the first listing.
  const std::u16string& CurrentFolder() const { return currentFolder_; }

  std::size_t Count() const override { return items_.size(); }
  const FileListItem& Item(std::size_t i) const { return items_[i]; }
  FileListItem& Item(std::size_t i) { return items_[i]; }
  // CurrentFolder + text in FolderView, the text itself in ChosenFiles.
  std::u16string FullPath(std::size_t i) const;
  // "2009/03/07 08:05:09" in local time; empty when the item has no date.
  std::u16string DateText(std::size_t i) const;
  // "1.5 KB" and the like; empty when the item has no size.
  std::u16string SizeText(std::size_t i) const;

  // Lists a folder (a path ending with the separator) into the list and switches
  // to FolderView: folders first, then files, each group in name order, hidden and
  // system entries by the rules. keepGoing is asked after every entry read and
  // before every item added; false stops the listing (Aborted), which leaves the
  // items added so far. An unreadable folder leaves the list empty.
  ListingEnd ListFolder(std::u16string_view folder, const ListingRules& rules, const std::function<bool()>& keepGoing);
  // Files (not folders) met by the last listing.
  int FilesCount() const { return filesCount_; }
  void ResetFilesCount() { filesCount_ = 0; }

  // Adds an item for a full path with its date and size looked up, checked; nothing
  // when the path does not exist (false). typeText "ft" stands for the
  // folderTypeText when the path is a folder, else the extension text of the path;
  // any other typeText is used as it is.
  [[nodiscard]] bool AddPath(std::u16string_view path, std::u16string_view typeText,
                             const std::u16string& folderTypeText);
  // Adds an item with the text only, no date, size or type (a folder just made).
  void AddNamed(std::u16string_view text, bool checked);
  // Exact comparison of the texts, as the duplicate checks of chosen and dropped files want.
  bool HasItemText(std::u16string_view text) const;
  void Clear();
  void RemoveSelected();
  // Removes the items whose full path names nothing any more; how many went.
  std::size_t RemoveMissing();

  // Sort state: column 0 name, 1 date, 2 size, 3 type.
  void ClickColumn(int column);
  void SortByName();
  void Sort();
  int SortColumn() const { return sortColumn_; }
  bool SortAscending() const { return ascending_; }

  // What a check command leaves for the window: the number the selection status
  // shows, and what becomes of the check-all box (unchecking it from the program
  // must go with the suppression flag, so that the other items keep their marks).
  struct CheckOutcome {
    int statusCount = 0;
    bool uncheckBox = false;
    bool checkBox = false;
  };
  CheckOutcome CheckAll();
  CheckOutcome UncheckAll();
  CheckOutcome InverseChecks();
  CheckOutcome OnlyCheckSelected();
  CheckOutcome OnlyUncheckSelected();
  CheckOutcome CheckSelected();
  CheckOutcome UncheckSelected();
  void SelectAll();
  void InverseSelection();
  void SetSelected(std::size_t i, bool selected) { items_[i].selected = selected; }
  void SetChecked(std::size_t i, bool checked) { items_[i].checked = checked; }
  int CheckedCount() const;
  int SelectedCount() const;
  std::optional<std::size_t> FirstSelected() const;

  // TargetList: a run reads and updates the list through these.
  bool ShowsCheckBoxes() const override { return checkBoxes_; }
  void SetShowsCheckBoxes(bool shows) { checkBoxes_ = shows; }
  std::u16string ItemText(std::size_t i) const override { return items_[i].text; }
  // Every item counts as checked while the list shows no check boxes.
  bool IsChecked(std::size_t i) const override { return !checkBoxes_ || items_[i].checked; }
  void SetItemText(std::size_t i, std::u16string_view text) override { items_[i].text = std::u16string(text); }
  void AddItem(std::u16string_view path) override;

 private:
  bool AnyUnchecked() const;
  bool AnySelected() const;

  FileSystem& fs_;
  const Clock& clock_;
  const Locale& locale_;
  FileListMode mode_ = FileListMode::ChosenFiles;
  std::u16string currentFolder_;
  std::vector<FileListItem> items_;
  int filesCount_ = 0;
  int sortColumn_ = 0;
  bool ascending_ = true;
  bool checkBoxes_ = true;
};

// "Select N, total M" (messages 036 and 293).
std::u16string SelectionStatusText(const TextLookup& texts, int n, std::size_t total);
// "N Items" (message 389).
std::u16string ItemCountText(const TextLookup& texts, std::size_t count);
// The type column of a file: "photo.JPG" gives "JPG", "x." gives ".", no dot gives "".
std::u16string ExtensionText(std::u16string_view path);
// The size column: "0 Byte", "1.1 KB", "1 MB", "5 GB".
std::u16string FileSizeText(std::uint64_t bytes, std::u16string_view decimalSeparator);
// The date column: "2009/03/07 08:05:09".
std::u16string FileDateText(const LocalTime& time);

// The Back button's stack of views left behind: a folder view, or the chosen files
// of a list, newest on top.
class BackStack {
 public:
  struct View {
    bool isFolder = false;
    std::u16string folder;
    // In the order Back adds them again: the reverse of the list they came from.
    std::vector<std::u16string> paths;
  };
  void PushFolderView(std::u16string_view folder);
  void PushChosenFiles(const std::vector<std::u16string>& paths);
  bool Empty() const { return views_.empty(); }
  std::optional<View> Pop();

 private:
  std::vector<View> views_;
};

}  // namespace renamora

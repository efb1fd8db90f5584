// The main window's list of files and folders, independent of any window.
#include "app/FileList.h"

#include <algorithm>

#include "base/Paths.h"
#include "base/text/AsciiCase.h"
#include "base/text/NameOrder.h"
#include "base/text/NumberText.h"

namespace renamora {
namespace {

constexpr MessageId kSelectMessage = 36;
constexpr MessageId kTotalMessage = 293;
constexpr MessageId kItemsMessage = 389;

// FILETIME ticks per second: the date column shows whole seconds, so items within
// one second are equal to its sort.
constexpr FileTime kTicksPerSecond = 10'000'000;

// The name and type columns ignore the case of a to z only (as capitals, so "_"
// sorts after the letters) and compare every other unit by its code.
int CompareIgnoringAsciiCase(std::u16string_view a, std::u16string_view b) {
  const std::size_t n = std::min(a.size(), b.size());
  for (std::size_t i = 0; i < n; ++i) {
    const char16_t x = AsciiUpper(a[i]);
    const char16_t y = AsciiUpper(b[i]);
    if (x != y) return x < y ? -1 : 1;
  }
  return a.size() == b.size() ? 0 : (a.size() < b.size() ? -1 : 1);
}

// Whether a sorts before b in ascending order of the column. A strict weak order:
// items without a date or a size (folders) come before every item that has one.
bool AscendingBefore(int column, const FileListItem& a, const FileListItem& b) {
  switch (column) {
    case 1:
      if (a.hasDate != b.hasDate) return !a.hasDate;
      return a.lastWrite / kTicksPerSecond < b.lastWrite / kTicksPerSecond;
    case 2:
      if (a.hasSize != b.hasSize) return !a.hasSize;
      return a.size < b.size;
    case 3:
      return CompareIgnoringAsciiCase(a.typeText, b.typeText) < 0;
    default:
      return CompareIgnoringAsciiCase(a.text, b.text) < 0;
  }
}

std::u16string TwoDigits(int value) { return NumberText(value, 2); }

}  // namespace

FileList::FileList(FileSystem& fs, const Clock& clock, const Locale& locale)
    : fs_(fs), clock_(clock), locale_(locale) {}

std::u16string FileList::FullPath(std::size_t i) const {
  return mode_ == FileListMode::FolderView ? currentFolder_ + items_[i].text : items_[i].text;
}

std::u16string FileList::DateText(std::size_t i) const {
  if (!items_[i].hasDate) return {};
  return FileDateText(clock_.ToLocalTime(items_[i].lastWrite));
}

std::u16string FileList::SizeText(std::size_t i) const {
  if (!items_[i].hasSize) return {};
  return FileSizeText(items_[i].size, locale_.DecimalSeparator());
}

ListingEnd FileList::ListFolder(std::u16string_view folder, const ListingRules& rules,
                                const std::function<bool()>& keepGoing) {
  currentFolder_ = WithTrailingSeparator(folder);
  filesCount_ = 0;
  mode_ = FileListMode::FolderView;
  // Gathered apart and sorted before anything is added, so that the list is filled
  // once, in its final order.
  std::vector<FileListItem> folders;
  std::vector<FileListItem> files;
  bool aborted = false;
  const bool read = fs_.VisitFolder(currentFolder_, ListDetail::Full, [&](const DirEntry& e) {
    const bool hidden = (e.attributes & kAttrHidden) != 0 && !rules.showHidden;
    const bool system = (e.attributes & kAttrSystem) != 0 && !rules.showSystem;
    if (!hidden && !system) {
      FileListItem item;
      item.text = e.name;
      item.lastWrite = e.lastWrite;
      item.hasDate = true;
      item.isFolder = e.isFolder;
      if (e.isFolder) {
        item.typeText = rules.folderTypeText;
        folders.push_back(std::move(item));
      } else {
        item.size = e.size;
        item.hasSize = true;
        item.typeText = ExtensionText(e.name);
        files.push_back(std::move(item));
        ++filesCount_;
      }
    }
    aborted = !keepGoing();
    return !aborted;
  });
  items_.clear();
  if (!read) return ListingEnd::Unreadable;
  if (aborted) return ListingEnd::Aborted;
  // Name order is the order NTFS keeps (case ignored by the built-in Unicode
  // table), so that the list reads the same on every system and backend.
  const auto nameOf = [](const FileListItem& item) -> const std::u16string& { return item.text; };
  SortNtfsOrder(folders, nameOf);
  SortNtfsOrder(files, nameOf);
  items_.reserve(folders.size() + files.size());
  for (std::vector<FileListItem>* group : {&folders, &files}) {
    for (FileListItem& item : *group) {
      if (!keepGoing()) return ListingEnd::Aborted;
      items_.push_back(std::move(item));
    }
    *group = {};
  }
  if (!items_.empty() && (sortColumn_ != 0 || !ascending_)) Sort();
  return ListingEnd::Listed;
}

bool FileList::AddPath(std::u16string_view path, std::u16string_view typeText, const std::u16string& folderTypeText) {
  const auto entry = fs_.Stat(path);
  if (!entry) return false;
  FileListItem item;
  item.text = std::u16string(path);
  item.lastWrite = entry->lastWrite;
  item.hasDate = true;
  // A folder added by its path shows "0 Byte", unlike a listed one.
  item.size = entry->size;
  item.hasSize = true;
  item.isFolder = entry->isFolder;
  if (typeText == u"ft") {
    item.typeText = entry->isFolder ? folderTypeText : ExtensionText(path);
  } else {
    item.typeText = std::u16string(typeText);
  }
  items_.push_back(std::move(item));
  return true;
}

void FileList::AddNamed(std::u16string_view text, bool checked) {
  FileListItem item;
  item.text = std::u16string(text);
  item.checked = checked;
  items_.push_back(std::move(item));
}

void FileList::AddItem(std::u16string_view path) { static_cast<void>(AddPath(path, u"", u"")); }

bool FileList::HasItemText(std::u16string_view text) const {
  return std::any_of(items_.begin(), items_.end(), [&](const FileListItem& item) { return item.text == text; });
}

void FileList::Clear() { items_.clear(); }

void FileList::RemoveSelected() {
  std::erase_if(items_, [](const FileListItem& item) { return item.selected; });
}

std::size_t FileList::RemoveMissing() {
  return std::erase_if(items_, [&](const FileListItem& item) {
    return !fs_.Exists(mode_ == FileListMode::FolderView ? currentFolder_ + item.text : item.text);
  });
}

void FileList::ClickColumn(int column) {
  if (column == sortColumn_) {
    ascending_ = !ascending_;
  } else {
    sortColumn_ = column;
    ascending_ = true;
  }
  Sort();
}

void FileList::SortByName() {
  sortColumn_ = 0;
  ascending_ = true;
  Sort();
}

void FileList::Sort() {
  // Indexes are sorted, not the rows: a row is about a hundred bytes with two
  // strings, and a stable sort of 100,000 of them would need as many again.
  std::vector<std::uint32_t> order(items_.size());
  for (std::size_t i = 0; i < order.size(); ++i) order[i] = static_cast<std::uint32_t>(i);
  const int column = sortColumn_;
  // Descending is the ascending order reversed with ties kept in their place.
  if (ascending_) {
    std::stable_sort(order.begin(), order.end(),
                     [&](std::uint32_t a, std::uint32_t b) { return AscendingBefore(column, items_[a], items_[b]); });
  } else {
    std::stable_sort(order.begin(), order.end(),
                     [&](std::uint32_t a, std::uint32_t b) { return AscendingBefore(column, items_[b], items_[a]); });
  }
  // Row at position p comes from order[p]; applied cycle by cycle, in place.
  for (std::size_t start = 0; start < order.size(); ++start) {
    if (order[start] == start) continue;
    FileListItem held = std::move(items_[start]);
    std::size_t at = start;
    while (order[at] != start) {
      const std::size_t from = order[at];
      items_[at] = std::move(items_[from]);
      order[at] = static_cast<std::uint32_t>(at);
      at = from;
    }
    items_[at] = std::move(held);
    order[at] = static_cast<std::uint32_t>(at);
  }
}

bool FileList::AnyUnchecked() const {
  return std::any_of(items_.begin(), items_.end(), [](const FileListItem& item) { return !item.checked; });
}

bool FileList::AnySelected() const {
  return std::any_of(items_.begin(), items_.end(), [](const FileListItem& item) { return item.selected; });
}

FileList::CheckOutcome FileList::CheckAll() {
  for (FileListItem& item : items_) item.checked = true;
  return {static_cast<int>(items_.size()), false, true};
}

FileList::CheckOutcome FileList::UncheckAll() {
  for (FileListItem& item : items_) item.checked = false;
  return {0, true, false};
}

FileList::CheckOutcome FileList::InverseChecks() {
  for (FileListItem& item : items_) item.checked = !item.checked;
  return {CheckedCount(), false, false};
}

FileList::CheckOutcome FileList::OnlyCheckSelected() {
  for (FileListItem& item : items_) item.checked = item.selected;
  return {CheckedCount(), AnyUnchecked(), false};
}

FileList::CheckOutcome FileList::OnlyUncheckSelected() {
  for (FileListItem& item : items_) item.checked = !item.selected;
  return {CheckedCount(), AnySelected(), false};
}

FileList::CheckOutcome FileList::CheckSelected() {
  for (FileListItem& item : items_) item.checked = item.checked || item.selected;
  return {CheckedCount(), AnyUnchecked(), false};
}

FileList::CheckOutcome FileList::UncheckSelected() {
  for (FileListItem& item : items_) item.checked = item.checked && !item.selected;
  return {CheckedCount(), AnySelected(), false};
}

void FileList::SelectAll() {
  for (FileListItem& item : items_) item.selected = true;
}

void FileList::InverseSelection() {
  for (FileListItem& item : items_) item.selected = !item.selected;
}

int FileList::CheckedCount() const {
  return static_cast<int>(std::count_if(items_.begin(), items_.end(), [](const FileListItem& i) { return i.checked; }));
}

int FileList::SelectedCount() const {
  return static_cast<int>(
      std::count_if(items_.begin(), items_.end(), [](const FileListItem& i) { return i.selected; }));
}

std::optional<std::size_t> FileList::FirstSelected() const {
  const auto it = std::find_if(items_.begin(), items_.end(), [](const FileListItem& i) { return i.selected; });
  if (it == items_.end()) return std::nullopt;
  return static_cast<std::size_t>(it - items_.begin());
}

std::u16string SelectionStatusText(const TextLookup& texts, int n, std::size_t total) {
  return texts.Lookup(kSelectMessage) + u" " + NumberText(n, 0) + u", " + texts.Lookup(kTotalMessage) + u" " +
         NumberText(static_cast<std::int64_t>(total), 0);
}

std::u16string ItemCountText(const TextLookup& texts, std::size_t count) {
  return NumberText(static_cast<std::int64_t>(count), 0) + u" " + texts.Lookup(kItemsMessage);
}

std::u16string ExtensionText(std::u16string_view path) {
  const std::u16string_view name = NameView(path);
  const std::size_t dot = name.rfind(u'.');
  if (dot == std::u16string_view::npos) return {};
  const std::u16string_view extension = name.substr(dot);
  return std::u16string(extension.size() > 1 ? extension.substr(1) : extension);
}

std::u16string FileSizeText(std::uint64_t bytes, std::u16string_view decimalSeparator) {
  // The unit is chosen before rounding: 1048575 bytes are "1024 KB", not "1 MB".
  const double kilobytes = static_cast<double>(bytes) / 1024.0;
  if (kilobytes < 1.0) return NumberText(static_cast<std::int64_t>(bytes), 0) + u" Byte";
  if (kilobytes < 1024.0) return ShortestDecimalText(RoundHalfEven(kilobytes, 1), decimalSeparator) + u" KB";
  if (kilobytes < 1048576.0) {
    return ShortestDecimalText(RoundHalfEven(kilobytes / 1024.0, 1), decimalSeparator) + u" MB";
  }
  return ShortestDecimalText(RoundHalfEven(kilobytes / 1048576.0, 2), decimalSeparator) + u" GB";
}

std::u16string FileDateText(const LocalTime& time) {
  return NumberText(time.year, 0) + u"/" + TwoDigits(time.month) + u"/" + TwoDigits(time.day) + u" " +
         TwoDigits(time.hour) + u":" + TwoDigits(time.minute) + u":" + TwoDigits(time.second);
}

void BackStack::PushFolderView(std::u16string_view folder) {
  views_.push_back({.isFolder = true, .folder = std::u16string(folder), .paths = {}});
}

void BackStack::PushChosenFiles(const std::vector<std::u16string>& paths) {
  views_.push_back(
      {.isFolder = false, .folder = {}, .paths = std::vector<std::u16string>(paths.rbegin(), paths.rend())});
}

std::optional<BackStack::View> BackStack::Pop() {
  if (views_.empty()) return std::nullopt;
  View top = std::move(views_.back());
  views_.pop_back();
  return top;
}

}  // namespace renamora

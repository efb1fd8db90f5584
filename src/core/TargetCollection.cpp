// Target collection and the target probe.
#include "core/TargetCollection.h"

#include "base/Paths.h"
#include "core/NameChecks.h"
#include "core/NameParts.h"
#include "core/PathCompare.h"

namespace renamora {
namespace {

// Fixed texts: the string table has no message for these.
constexpr std::u16string_view kFolderUnreadableText = u"The folder cannot be read (no right to list it)!";
constexpr std::u16string_view kFolderPathTooLongText = u"The folder's path is longer than the system allows!";
constexpr std::u16string_view kDataFolderLeftAloneText =
    u"The program's data folder, what it holds and the folders that hold it are never renamed";

}  // namespace

bool AttributeRulePasses(const EditRequest& request, std::uint32_t attributes) {
  if ((attributes & kAttrHidden) && !request.IncludeHidden) return false;
  if ((attributes & kAttrSystem) && !request.IncludeSystem) return false;
  return true;
}

bool TypeRulePasses(const EditRequest& request, std::u16string_view fileName, const Locale& locale) {
  if (!request.TypeFilterOn || request.Mode == EditMode::kExtension) return true;
  std::u16string extension = ExtensionOf(fileName);
  if (!extension.empty()) extension.erase(0, 1);
  // Plain substring search, as users have always typed it: "jpeg" also accepts
  // ".peg", and a file without extension is tested with "," alone.
  const std::u16string needle = locale.ToUpper(extension) + u",";
  const std::u16string haystack = locale.ToUpper(request.TypeFilter) + u",";
  return haystack.find(needle) != std::u16string::npos;
}

bool IsWebpageCompanion(std::u16string_view folderName, const Locale& locale) {
  const std::u16string upper = locale.ToUpper(folderName);
  auto endsWith = [&](std::u16string_view tail) {
    return upper.size() >= tail.size() && std::u16string_view(upper).substr(upper.size() - tail.size()) == tail;
  };
  return endsWith(u".FILES") || endsWith(u"_FILES");
}

bool WalkTakesFolder(const EditRequest& request, const DirEntry& entry, const Locale& locale) {
  return entry.isFolder && AttributeRulePasses(request, entry.attributes) && !IsWebpageCompanion(entry.name, locale);
}

std::u16string FirstFileInTree(FileSystem& fs, const std::u16string& folder, const FolderRule& enters) {
  // A stack of its own, not recursion: a tree may be as deep as paths allow.
  std::vector<std::u16string> pending{WithTrailingSeparator(folder)};
  while (!pending.empty()) {
    const std::u16string f = std::move(pending.back());
    pending.pop_back();
    if (auto files = fs.SomeFiles(f, 1); files && !files->empty()) return f + files->front().name;
    auto entries = fs.ListFolder(f, ListDetail::NamesAndKinds);
    if (!entries) continue;
    // Pushed last to first, so that the first subfolder is looked into first.
    for (auto e = entries->rbegin(); e != entries->rend(); ++e) {
      if (!e->isFolder) continue;
      std::u16string path = f + e->name;
      if (!enters(*e, path)) continue;
      path += kPathSeparator;
      pending.push_back(std::move(path));
    }
  }
  return {};
}

std::u16string AnyFile(FileSystem& fs, const std::u16string& folder, int* fileCount) {
  const std::u16string f = WithTrailingSeparator(folder);
  auto files = fs.SomeFiles(f, 6);
  *fileCount = files ? int(files->size()) : 0;
  return files && !files->empty() ? f + files->front().name : std::u16string();
}

std::u16string FirstFile(FileSystem& fs, const std::u16string& folder, int* fileCount) {
  const std::u16string f = WithTrailingSeparator(folder);
  std::u16string first;
  int count = 0;
  if (auto entries = fs.ListFolder(f, ListDetail::NamesAndKinds)) {
    for (const auto& e : *entries) {
      if (e.isFolder) continue;
      if (first.empty()) first = f + e.name;
      if (++count == 6) break;
    }
  }
  if (fileCount) *fileCount = count;
  return first;
}

std::u16string FirstSubfolder(FileSystem& fs, const std::u16string& folder) {
  const std::u16string f = WithTrailingSeparator(folder);
  if (auto entries = fs.ListFolder(f, ListDetail::NamesAndKinds)) {
    for (const auto& e : *entries) {
      if (e.isFolder) return f + e.name;
    }
  }
  return {};
}

bool TargetCollector::ItemFilterPasses(const std::u16string& path) {
  if (!request_.IncludeHidden && !request_.IncludeSystem && !request_.TypeFilterOn) return true;
  const auto entry = s_.fs.Stat(path);
  if (request_.TypeFilterOn && entry && !entry->isFolder && request_.Mode != EditMode::kExtension &&
      !TypeRulePasses(request_, NameOf(path), s_.locale)) {
    return false;
  }
  // An item that can no longer be found has no attributes to refuse it by; it
  // goes on and its rename fails, so the user sees it counted as failed.
  return AttributeRulePasses(request_, entry ? entry->attributes : 0);
}

TargetCollector::DataFolderPlace TargetCollector::PlaceOf(std::u16string_view path) const {
  const std::u16string& data = s_.protectedFolder;
  if (data.empty()) return DataFolderPlace::Apart;
  if (IsSameOrInside(path, data)) return DataFolderPlace::Inside;
  if (IsSameOrInside(data, path)) return DataFolderPlace::Holds;
  return DataFolderPlace::Apart;
}

void TargetCollector::TellDataFolderLeftAlone() {
  if (toldDataFolder_) return;
  toldDataFolder_ = true;
  const MessageContext messages{s_.texts, s_.prompter};
  messages.Inform(std::u16string(kDataFolderLeftAloneText) + u" - '" + WithoutTrailingSeparators(s_.protectedFolder) +
                  u"'");
}

bool TargetCollector::MayProcess(std::u16string_view path) {
  if (PlaceOf(path) == DataFolderPlace::Apart) return true;
  TellDataFolderLeftAlone();
  return false;
}

bool TargetCollector::MayEnter(std::u16string_view folder) {
  if (PlaceOf(folder) != DataFolderPlace::Inside) return true;
  TellDataFolderLeftAlone();
  return false;
}

std::u16string TargetCollector::WhyNotListed(const std::u16string& folder) {
  const std::u16string path = WithoutTrailingSeparators(folder);
  // Checked first: the system cannot even look such a path up.
  if (SystemLength(path) > kMostPathUnits) return std::u16string(kFolderPathTooLongText);
  if (s_.fs.IsFolder(path)) return std::u16string(kFolderUnreadableText);
  return s_.texts.Lookup(133);
}

void TargetCollector::CollectAndProcess() {
  const ProgramState& program = s_.program;
  if (program.DirectEditStart) {
    FolderWalk(program.TargetFolder);
    return;
  }
  if (program.TargetFolder.empty()) {
    for (std::size_t i = 0; i < s_.list.Count(); ++i) {
      if (s_.run.Stop.IsSet()) return;
      if (s_.list.ShowsCheckBoxes() && !s_.list.IsChecked(i)) continue;
      const std::u16string path = s_.list.ItemText(i);
      if (ItemFilterPasses(path) && MayProcess(path)) processor_.ProcessItem({path, int(i)});
    }
    return;
  }
  const bool checkedScope =
      request_.Scope == TargetScope::CheckedFiles || request_.Scope == TargetScope::Folders;
  if (checkedScope && s_.list.ShowsCheckBoxes()) {
    for (std::size_t i = 0; i < s_.list.Count(); ++i) {
      if (s_.run.Stop.IsSet()) return;
      if (!s_.list.IsChecked(i)) continue;
      const std::u16string path = program.TargetFolder + s_.list.ItemText(i);
      if (!ItemFilterPasses(path)) continue;
      if (s_.fs.IsFolder(path)) {
        if (request_.IncludeSubfolders && MayEnter(path)) FolderWalk(path);
        if (request_.Scope == TargetScope::Folders && MayProcess(path)) processor_.ProcessItem({path, int(i), 1});
      } else if (request_.Scope == TargetScope::CheckedFiles && MayProcess(path)) {
        processor_.ProcessItem({path, int(i), 0});
      }
    }
    return;
  }
  FolderWalk(program.TargetFolder);
}

void TargetCollector::FolderWalk(const std::u16string& folder) {
  if (s_.program.TargetFolder.empty()) {
    std::vector<TargetItem> batch;
    for (const auto& p : s_.program.PickedPaths) {
      if (MayProcess(p)) batch.push_back({p});
    }
    ProcessBatch(batch);
    return;
  }
  if (request_.Scope == TargetScope::ThisFolder) {
    const std::u16string target = WithoutTrailingSeparators(s_.program.TargetFolder);
    ProcessBatch(MayProcess(target) ? std::vector<TargetItem>{{target, -1, 1}} : std::vector<TargetItem>{});
    return;
  }
  const std::u16string f = WithTrailingSeparator(folder);
  std::vector<TargetItem> batch;
  if (!MayEnter(f)) {
    ProcessBatch(batch);
    return;
  }
  auto entries = s_.fs.ListFolder(f, ListDetail::NamesAndKinds);
  if (!entries) {
    // Moved away, deleted or without read rights since it was chosen or listed:
    // what it holds is not renamed, and the user must hear of it, as of any item
    // that fails, rather than find a run that looks complete.
    const MessageContext messages{s_.texts, s_.prompter};
    messages.Inform(WhyNotListed(f) + u" - '" + WithoutTrailingSeparators(f) + u"'");
    ++s_.run.Counters.Failed;
  } else {
    // Only a folder on the way to the data folder can hold it: elsewhere no
    // subfolder needs the comparison.
    const bool nearDataFolder = PlaceOf(f) != DataFolderPlace::Apart;
    batch.reserve(entries->size());
    for (const auto& e : *entries) {
      if (s_.run.Stop.IsSet()) break;
      if (e.isFolder) {
        if (!WalkTakesFolder(request_, e, s_.locale)) continue;
        std::u16string sub = f + e.name;
        const DataFolderPlace place = nearDataFolder ? PlaceOf(sub) : DataFolderPlace::Apart;
        if (place == DataFolderPlace::Inside) {
          TellDataFolderLeftAlone();
          continue;
        }
        // The subfolder's own batch is done before this enumeration goes on, so
        // folders renamed with the folders scope go deepest first.
        if (request_.IncludeSubfolders) FolderWalk(sub);
        if (request_.Scope != TargetScope::Folders) continue;
        if (place == DataFolderPlace::Holds) {
          TellDataFolderLeftAlone();
          continue;
        }
        batch.push_back({std::move(sub), -1, 1});
      } else if (request_.Scope != TargetScope::Folders && AttributeRulePasses(request_, e.attributes) &&
                 TypeRulePasses(request_, e.name, s_.locale)) {
        batch.push_back({f + e.name, -1, 0});
      }
    }
  }
  // The listing is done with: its memory goes to what the renames record. A large
  // run is slowed by every megabyte it touches for the first time.
  entries.reset();
  ProcessBatch(batch);
}

void TargetCollector::ProcessBatch(const std::vector<TargetItem>& batch) {
  s_.sequences.ResetNumber(s_.special);
  if (batch.empty()) return;
  s_.sequences.ResetLetter(s_.special);
  if (s_.run.InProgressJob) s_.observer.BatchStarted(batch.size());
  for (const auto& item : batch) {
    if (s_.run.Stop.IsSet()) return;
    processor_.ProcessItem(item);
  }
}

}  // namespace renamora

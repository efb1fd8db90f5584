// Computing and applying one new name.
#include "core/ItemProcessing.h"

#include <string>

#include "base/Paths.h"
#include "base/text/NameOrder.h"
#include "base/text/Utf.h"
#include "core/NameChecks.h"
#include "core/NameOperations.h"
#include "core/PathCompare.h"

namespace renamora {
namespace {
bool HasLineBreak(std::u16string_view text) { return text.find_first_of(u"\r\n") != std::u16string_view::npos; }

// The candidate of a wanted name with a number; 0 is the name itself.
void NameWith(const std::u16string& base, int number, const std::u16string& extension, std::u16string& out) {
  out.assign(base);
  if (number > 0) out.append(u"(").append(U16(std::to_string(number))).append(u")");
  out.append(extension);
}
}  // namespace

std::u16string CleanNewBase(std::u16string base) {
  std::u16string w = std::move(base);
  if (!w.empty() && w[0] == u' ') {
    w.erase(0, w.find_first_not_of(u' '));
    if (w.empty()) return u"(none)";
  }
  if (!w.empty() && w[0] == u'.') {
    w.erase(0, w.find_first_not_of(u'.'));
    if (w.empty()) return u"(none)";
  }
  return w;
}

ItemOutcome ItemProcessor::ProcessItem(const TargetItem& item) {
  bool isFolder = item.KnownFolder == 1;
  if (item.KnownFolder < 0) isFolder = s_.fs.IsFolder(item.Path);
  itemIsFolder_ = isFolder;
  NameParts& parts = parts_;
  SplitPathInto(item.Path, isFolder, parts);

  if (request_.Mode == EditMode::kExtension) {
    if (isFolder) return ItemOutcome::Skipped;
    if (auto extension = NewExtensionFor(request_, parts)) {
      // A dot file (".photo") is all extension: removing it would leave no name.
      if (parts.Base.empty() && extension->empty()) return EmptyName(item);
      return ApplyNewName(item, parts.Folder, *extension, std::move(parts.Base));
    }
    ListUnhandled(item, true);
    return ItemOutcome::Unchanged;
  }

  const bool wholeName = WorksOnWholeName(request_) && !parts.Extension.empty();
  if (wholeName) {
    parts.Base += parts.Extension;
    parts.OldBase = parts.Base;
    parts.Extension.clear();
  }
  const SpecialStringServices special{s_.special, s_.sequences, s_.fs, s_.clock, s_.locale};
  const OperationContext context{s_.locale, s_.run.SelectionLength, special};
  ApplyNameOperation(request_, parts, item.Path, context);
  // A base that was empty before the edit (".bashrc") and still is, is a name the
  // edit left alone, not one it emptied.
  if (parts.Base.empty() && !parts.OldBase.empty()) return EmptyName(item);
  if (!parts.Base.empty() && parts.Base != parts.OldBase) {
    // The dots in front of a dot file's whole name are the name, not debris an edit
    // left there: a case conversion must not turn ".profile" into "PROFILE".
    if (wholeName && parts.Base[0] == u'.') return ApplyNewName(item, parts.Folder, parts.Base, u"");
    return ApplyNewName(item, parts.Folder, parts.Extension, std::move(parts.Base));
  }
  ListUnhandled(item, false);
  return ItemOutcome::Unchanged;
}

ItemOutcome ItemProcessor::EmptyName(const TargetItem& item) {
  const MessageContext messages{s_.texts, s_.prompter};
  messages.Inform(s_.texts.Lookup(284) + u" - '" + item.Path + u"'");
  ++s_.run.Counters.Failed;
  return ItemOutcome::EmptyName;
}

ItemOutcome ItemProcessor::UndoRecordRefused(const TargetItem& item) {
  // Renaming on without a record would leave renames that nothing can take back:
  // the run ends here, and what it renamed so far stays undoable.
  s_.run.UndoRecordRefusedAt = item.Path;
  s_.run.Stop.Set();
  ListUnhandled(item, true);
  return ItemOutcome::Stopped;
}

void ItemProcessor::ListUnhandled(const TargetItem& item, bool alsoWithThisFolderScope) {
  if (s_.run.PreviewMode || !s_.program.DirectEditStart || !s_.program.TargetFolder.empty()) return;
  if (!alsoWithThisFolderScope && request_.Scope == TargetScope::ThisFolder) return;
  s_.list.AddItem(item.Path);
}

ItemOutcome ItemProcessor::Unchanged(const TargetItem& item) {
  ListUnhandled(item, false);
  return ItemOutcome::Unchanged;
}

ItemOutcome ItemProcessor::Fail(const TargetItem& item, std::u16string_view newName, RenameStatus status) {
  s_.sink.RenameFailed(NameView(item.Path), newName, status);
  ListUnhandled(item, true);
  ++s_.run.Counters.Failed;
  return ItemOutcome::Failed;
}

std::optional<RenameStatus> ItemProcessor::LengthRefusal(std::u16string_view newName) {
  // At most three bytes of UTF-8 a unit: shorter names need no count. (A long path
  // is no reason: the backend renames through the folder's handle.)
  if (newName.size() * 3 > kMostNameUnits && SystemLength(newName) > kMostNameUnits) return RenameStatus::NameTooLong;
  return std::nullopt;
}

int ItemProcessor::PreviewDiskNumber(const std::u16string& folder, const std::u16string& cleanBase,
                                     const std::u16string& extension, int ownNumber) {
  // What one disk lookup per candidate from 0 upward would give, where the item's
  // own name ends the search as a free one would (the item may keep it). A preview
  // changes nothing on the disk, so what it has learned stays true.
  NumberFamily* family = taken_.Find(folder, cleanBase, extension);
  int number = family ? family->FirstUnknown() : 0;
  for (;;) {
    if (ownNumber >= 0 && ownNumber <= number) return ownNumber;
    NameWith(cleanBase, number, extension, newName_);
    newPath_.assign(folder).append(newName_);
    if (!PreviewNameTaken(folder)) return number;
    if (!family) family = &taken_.Get(folder, cleanBase, extension);
    taken_.Taken(*family, folder, newName_, number);
    number = family->FirstUnknown();
  }
}

namespace {

// Lookups of a preview in one folder before the folder is read as a whole: a
// short preview stays a few lookups, a long one in a large folder reads the folder
// once instead of searching it for every row (some systems' lookup of a missing
// name costs a search of the whole folder).
constexpr int kLookupsBeforeListing = 16;

std::u16string Upcased(std::u16string_view name) {
  std::u16string out(name);
  for (char16_t& c : out) c = UpcaseUnit(c);
  return out;
}

}  // namespace

bool ItemProcessor::PreviewNameTaken(const std::u16string& folder) {
  PreviewFolder& seen = previewFolders_[folder];
  if (!seen.listed && !seen.unreadable && ++seen.lookups > kLookupsBeforeListing) {
    if (auto entries = s_.fs.ListFolder(folder, ListDetail::NamesAndKinds)) {
      for (const DirEntry& e : *entries) seen.upcasedNames.insert(Upcased(e.name));
      seen.listed = true;
    } else {
      seen.unreadable = true;  // the disk answers every lookup, as before
    }
  }
  // No entry equal even ignoring case: free on every file system. Otherwise the
  // disk decides, by its own rule of letter case.
  if (seen.listed && !seen.upcasedNames.contains(Upcased(newName_))) return false;
  return s_.fs.Exists(newPath_);
}

ItemOutcome ItemProcessor::ApplyNewName(const TargetItem& item, const std::u16string& folder,
                                        const std::u16string& extension, std::u16string newBase) {
  const std::u16string_view oldName = NameView(item.Path);
  const std::u16string cleanBase = CleanNewBase(std::move(newBase));
  // A change of letter case only is never numbered: the item itself would count as
  // holding the name. Case-only means equal by the built-in upper-case table, the one
  // the case conversions and the Windows backend's case-only rename use; the
  // locale's own mapping could call such a change a new name and number it.
  const bool numbered = oldName.size() != cleanBase.size() + extension.size() ||
                        CompareNtfsOrder(cleanBase, oldName.substr(0, cleanBase.size())) != 0 ||
                        CompareNtfsOrder(extension, oldName.substr(cleanBase.size())) != 0;
  const MessageContext messages{s_.texts, s_.prompter};
  auto refuse = [&](const std::u16string& newName) {
    CheckNewName(newName, messages);
    ++s_.run.Counters.Failed;
    ListUnhandled(item, true);
    return ItemOutcome::Refused;
  };

  // The undo log holds one path per line: a path with a line break in it would be
  // read back as two wrong ones, and an undo would rename the wrong items. Such an
  // item is left as it is (POSIX names may hold line breaks; Windows names cannot).
  const bool lineBreak =
      !s_.run.PreviewMode && (HasLineBreak(item.Path) || HasLineBreak(cleanBase) || HasLineBreak(extension));

  // Reused: a run makes a name and a path for every item.
  std::u16string& newName = newName_;
  std::u16string& newPath = newPath_;
  // The number of the item's own name among the candidates: numbering stops there,
  // and the item keeps its name.
  const int own = numbered ? CandidateNumber(oldName, cleanBase, extension) : -1;

  if (!numbered || s_.run.PreviewMode) {
    const int number = numbered ? PreviewDiskNumber(folder, cleanBase, extension, own) : 0;
    if (number == own) return Unchanged(item);
    NameWith(cleanBase, number, extension, newName);
    // A name that is the old one to the letter changes nothing.
    if (newName == oldName) return Unchanged(item);
    // A line break is the undo log's limit, and says more than "a character
    // Windows refuses".
    if (lineBreak) return Fail(item, newName, RenameStatus::LineBreak);
    if (NewNameRefusal(newName) != 0) return refuse(newName);
    if (s_.run.PreviewMode) return AddPreviewRow(item, folder, cleanBase, extension, number);
    newPath.assign(folder).append(newName);
    if (auto refusal = LengthRefusal(newName)) return Fail(item, newName, *refusal);
    if (!s_.sink.RenameStarting(newPath, item.Path)) return UndoRecordRefused(item);
    const RenameStatus status = s_.fs.Rename(item.Path, newPath, s_.sink.Steps());
    if (status != RenameStatus::Ok) return Fail(item, newName, status);
    return Renamed(item, nullptr, 0);
  }

  // The rename itself tells whether a name is taken (it never replaces), so the
  // numbering asks the disk once per candidate and cannot be overtaken by another
  // program between a check and the rename. What the run has learned is not asked
  // again: the candidates earlier items found taken or took, less the names that
  // items renamed since have left. The result is the one a check of every
  // candidate from 0 upward would give.
  NumberFamily* family = taken_.Find(folder, cleanBase, extension);
  int number = family ? family->FirstUnknown() : 0;
  for (;;) {
    if (own >= 0 && own <= number) {
      if (!family) family = &taken_.Get(folder, cleanBase, extension);
      taken_.Taken(*family, folder, oldName, own);
      return Unchanged(item);
    }
    NameWith(cleanBase, number, extension, newName);
    newPath.assign(folder).append(newName);
    if (lineBreak) {
      return Fail(item, newName, RenameStatus::LineBreak);
    } else if (NewNameRefusal(newName) != 0) {
      if (!s_.fs.Exists(newPath)) return refuse(newName);
    } else if (auto refusal = LengthRefusal(newName)) {
      // Nothing on the disk can hold such a name: numbering on would not help.
      return Fail(item, newName, *refusal);
    } else {
      if (!s_.sink.RenameStarting(newPath, item.Path)) return UndoRecordRefused(item);
      const RenameStatus status = s_.fs.Rename(item.Path, newPath, s_.sink.Steps());
      // A family the run knows nothing of yet is learned when a later item meets
      // its first name taken; one item alone costs no record.
      if (status == RenameStatus::Ok) return Renamed(item, family, number);
      // A refusal that claims a taken name while nothing holds it would number on
      // for ever; it is a failure like any other.
      if (status != RenameStatus::TargetExists || !s_.fs.Exists(newPath)) return Fail(item, newName, status);
    }
    if (!family) family = &taken_.Get(folder, cleanBase, extension);
    taken_.Taken(*family, folder, newName, number);
    number = family->FirstUnknown();
  }
}

ItemOutcome ItemProcessor::Renamed(const TargetItem& item, NumberFamily* family, int number) {
  const std::u16string_view oldName = NameView(item.Path);
  const std::u16string& newName = newName_;
  const std::u16string& newPath = newPath_;
  // The old name is free from now on, and the new one taken; in this order, since
  // a change of letter case leaves one name where the system ignores case.
  taken_.Freed(item.Path, itemIsFolder_);
  if (family) taken_.Taken(*family, newPath.substr(0, newPath.size() - newName.size()), newName, number);
  if (s_.run.InProgressJob) {
    s_.observer.ItemRenamed(oldName, newName);
    s_.observer.PumpEvents();
  }
  s_.sink.RecordUndoPair(newPath, item.Path);
  if (s_.program.DirectEditStart) {
    if (s_.program.TargetFolder.empty()) s_.list.AddItem(newPath);
  } else if (item.ListIndex >= 0) {
    s_.list.SetItemText(std::size_t(item.ListIndex), s_.program.TargetFolder.empty() ? newPath : newName);
  }
  s_.sequences.Advance(s_.special);
  ++s_.run.Counters.Renamed;
  ++s_.program.RenamedTotal;
  return ItemOutcome::Renamed;
}

ItemOutcome ItemProcessor::AddPreviewRow(const TargetItem& item, const std::u16string& folder,
                                         const std::u16string& cleanBase, const std::u16string& extension,
                                         int number) {
  if (s_.run.Counters.PreviewRows >= s_.options.Prenum) {
    s_.run.Stop.Set();
    return ItemOutcome::PreviewFull;
  }
  // A number put on by the disk check stands right before the extension.
  NumberedName name{cleanBase, number, extension};
  const std::u16string prefix = request_.IncludeSubfolders ? folder : std::u16string();
  s_.preview.NumberAgainstRows(prefix, name);
  std::u16string text = name.Text();
  // Raised by earlier rows to the name the item has: the run leaves it as it is.
  if (text == NameView(item.Path)) return Unchanged(item);
  s_.preview.AddRow(std::u16string(NameView(item.Path)), prefix + text);
  ++s_.run.Counters.PreviewRows;
  s_.sequences.Advance(s_.special);
  return ItemOutcome::Previewed;
}

}  // namespace renamora

// Computing and applying one new name.
#include "core/ItemProcessing.h"

#include <string>

#include "core/NameChecks.h"
#include "core/NameOperations.h"
#include "core/Paths.h"
#include "core/text/NameOrder.h"
#include "core/text/Utf.h"

namespace renamora {
namespace {
bool HasLineBreak(std::u16string_view text) { return text.find_first_of(u"\r\n") != std::u16string_view::npos; }
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
  auto nameWith = [&](int number) {
    return number == 0 ? cleanBase + extension : cleanBase + u"(" + U16(std::to_string(number)) + u")" + extension;
  };
  auto refuse = [&](const std::u16string& newName) {
    CheckNewName(newName, messages);
    ++s_.run.Counters.Failed;
    ListUnhandled(item, true);
    return ItemOutcome::Refused;
  };

  // The undo log holds one path per line: a path with a line break in it would be
  // read back as two wrong ones, and an undo would rename the wrong items. Such an
  // item is left as it is (POSIX names may hold line breaks; Windows names cannot).
  if (!s_.run.PreviewMode && (HasLineBreak(item.Path) || HasLineBreak(cleanBase) || HasLineBreak(extension))) {
    s_.sink.RenameFailed(oldName, cleanBase + extension, RenameStatus::Failed);
    ListUnhandled(item, true);
    ++s_.run.Counters.Failed;
    return ItemOutcome::Failed;
  }

  int number = 0;
  // Reused: a run makes a name and a path for every item.
  std::u16string& newName = newName_;
  std::u16string& newPath = newPath_;
  newName.assign(cleanBase).append(extension);
  RenameStatus status = RenameStatus::Ok;
  if (s_.run.PreviewMode || !numbered) {
    while (numbered && s_.fs.Exists(folder + newName)) newName = nameWith(++number);
    if (NewNameRefusal(newName) != 0) return refuse(newName);
    if (s_.run.PreviewMode) return AddPreviewRow(std::u16string(oldName), folder, cleanBase, extension, number);
    newPath.assign(folder).append(newName);
    if (!s_.sink.RenameStarting(newPath, item.Path)) return UndoRecordRefused(item);
    status = s_.fs.Rename(item.Path, newPath, s_.sink.Steps());
  } else {
    // The rename itself tells whether a name is taken (it never replaces), so the
    // numbering asks the disk once per candidate and cannot be overtaken by another
    // program between the check and the rename. The result is the one a check of
    // every candidate before renaming would give.
    for (;;) {
      newPath.assign(folder).append(newName);
      if (NewNameRefusal(newName) != 0) {
        if (!s_.fs.Exists(newPath)) return refuse(newName);
      } else {
        if (!s_.sink.RenameStarting(newPath, item.Path)) return UndoRecordRefused(item);
        status = s_.fs.Rename(item.Path, newPath, s_.sink.Steps());
        // A refusal that claims a taken name while nothing holds it would number on
        // for ever; it is a failure like any other.
        if (status != RenameStatus::TargetExists || !s_.fs.Exists(newPath)) break;
      }
      newName = nameWith(++number);
    }
  }

  if (status != RenameStatus::Ok) {
    s_.sink.RenameFailed(oldName, newName, status);
    ListUnhandled(item, true);
    ++s_.run.Counters.Failed;
    return ItemOutcome::Failed;
  }
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

ItemOutcome ItemProcessor::AddPreviewRow(const std::u16string& oldName, const std::u16string& folder,
                                         std::u16string cleanBase, const std::u16string& extension, int number) {
  if (s_.run.Counters.PreviewRows >= s_.options.Prenum) {
    s_.run.Stop.Set();
    return ItemOutcome::PreviewFull;
  }
  // A number put on by the disk check stands right before the extension.
  NumberedName name{std::move(cleanBase), number, extension};
  const std::u16string prefix = request_.IncludeSubfolders ? folder : std::u16string();
  s_.preview.NumberAgainstRows(prefix, name);
  s_.preview.AddRow(oldName, prefix + name.Text());
  ++s_.run.Counters.PreviewRows;
  s_.sequences.Advance(s_.special);
  return ItemOutcome::Previewed;
}

}  // namespace renamora

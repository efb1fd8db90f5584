// The Rename command, the preview entry, the run and its end.
#include "core/RenameEngine.h"

#include "base/Paths.h"
#include "base/text/Utf.h"
#include "core/NameChecks.h"
#include "core/NameListing.h"
#include "core/PathCompare.h"
#include "core/TargetCollection.h"

namespace renamora {

std::u16string TrimBlanksAndControls(std::u16string_view text) {
  std::size_t begin = 0;
  std::size_t end = text.size();
  while (begin < end && text[begin] <= u' ') ++begin;
  while (end > begin && text[end - 1] <= u' ') --end;
  return std::u16string(text.substr(begin, end - begin));
}

std::u16string RunSummaryText(const RunCounters& counters, const TextLookup& texts) {
  return U16(std::to_string(counters.Renamed)) + u" " + texts.Lookup(291) + U16(std::to_string(counters.Failed)) +
         u" " + texts.Lookup(292);
}

void RenameEngine::Preview(EditRequest& request) {
  s_.run.PreviewMode = true;
  s_.preview.Clear();
  RenameCommand(request);
  s_.run.PreviewMode = false;
}

void RenameEngine::RenameCommand(EditRequest& request) {
  request.Save.OtherTypes = TrimBlanksAndControls(request.Save.OtherTypes);
  request.TypeFilter = TrimBlanksAndControls(request.TypeFilter);
  s_.program.ScopeIndex = request.Scope;
  if (request.TypeFilter.empty()) request.TypeFilterOn = false;
  if (!s_.program.TargetFolder.empty() && Probe(request).empty()) return;
  s_.run.Counters.Renamed = 0;
  s_.run.Counters.Failed = 0;
  if (s_.checks && !s_.checks->CheckAndConfirm(request, s_.run, s_.program)) return;
  Run(request);
}

std::u16string RenameEngine::Probe(const EditRequest& request) {
  const MessageContext messages{s_.texts, s_.prompter};
  const std::u16string& folder = s_.program.TargetFolder;
  s_.run.ProbeFileCount = -1;
  switch (request.Scope) {
    case TargetScope::ThisFolder:
      if (s_.fs.IsFolder(folder)) return folder;
      messages.Inform(s_.texts.Lookup(133));
      return {};
    case TargetScope::CheckedFiles: {
      auto considered = [&](std::size_t i) { return !s_.list.ShowsCheckBoxes() || s_.list.IsChecked(i); };
      for (std::size_t i = 0; i < s_.list.Count(); ++i) {
        if (!considered(i)) continue;
        const std::u16string path = folder + s_.list.ItemText(i);
        if (s_.fs.IsFile(path)) return path;
      }
      if (!request.IncludeSubfolders) return {};
      // The run walks every checked folder: the first one whose tree holds a file
      // tells that there is work, whatever the folders after it hold.
      for (std::size_t i = 0; i < s_.list.Count(); ++i) {
        if (!considered(i)) continue;
        const std::u16string path = folder + s_.list.ItemText(i);
        if (!s_.fs.IsFolder(path) || IsSameOrInside(path, s_.protectedFolder)) continue;
        std::u16string result = FirstFileInTree(s_.fs, path, WalkRule(request));
        if (!result.empty()) return result;
      }
      return {};
    }
    case TargetScope::AllFiles: {
      std::u16string result = AnyFile(s_.fs, folder, &s_.run.ProbeFileCount);
      if (!result.empty()) return result;
      const bool save = request.Mode == EditMode::kSaveAll;
      // A folder of year folders holds no file itself: with subfolders (or a
      // listing of every layer) the whole tree is what the edit works on.
      const bool wholeTree = request.IncludeSubfolders || (save && request.Save.Content != SaveContent::OneLayer);
      if (wholeTree) {
        const FolderRule rule = save ? FolderRule([&](const DirEntry& e, const std::u16string&) {
          return ListingShowsFolder(request.Save, e.name, s_.locale);
        })
                                     : WalkRule(request);
        result = FirstFileInTree(s_.fs, folder, rule);
        // A listing has lines to write for subfolders without any file.
        if (result.empty() && save) result = FirstSubfolder(s_.fs, folder);
      }
      if (!result.empty()) return result;
      if (!save) {
        messages.Inform(s_.texts.Lookup(130));
      } else if (wholeTree) {
        messages.Inform(s_.texts.Lookup(131));
      }
      return {};
    }
    case TargetScope::Folders: {
      std::u16string result = FirstSubfolder(s_.fs, folder);
      if (result.empty()) messages.Inform(s_.texts.Lookup(132));
      return result;
    }
  }
  return {};
}

FolderRule RenameEngine::WalkRule(const EditRequest& request) const {
  return [this, &request](const DirEntry& entry, const std::u16string& path) {
    return WalkTakesFolder(request, entry, s_.locale) && !IsSameOrInside(path, s_.protectedFolder);
  };
}

bool RenameEngine::IsSmallRun(const EditRequest& request) {
  if (request.IncludeSubfolders || s_.program.PickedPaths.size() > 5) return false;
  int files = 0;
  if (s_.program.TargetFolder.empty()) return true;
  // The probe's count serves, as the folder listing's does for the main window.
  if (s_.run.ProbeFileCount >= 0) return s_.run.ProbeFileCount <= 5;
  AnyFile(s_.fs, s_.program.TargetFolder, &files);
  return files <= 5;
}

void RenameEngine::RecordTemplates(const EditRequest& request) {
  if (!s_.history) return;
  auto add = [&](const std::u16string& text) {
    if (!text.empty()) s_.history->Add(text);
  };
  if (request.Mode == EditMode::kInsert) {
    const InsertOptions& o = request.Insert;
    if (o.InsertKind == InsertChoice::ToPosition) {
      if (o.AtHead) add(o.HeadTemplate);
      if (o.AtEnd) add(o.EndTemplate);
      if (o.AtCursor) add(o.CursorTemplate);
    } else {
      add(o.InsertTemplate);
    }
  } else if (request.Mode == EditMode::kReplace) {
    add(request.Replace.NewTemplate);
  } else if (request.Mode == EditMode::kChange) {
    add(request.Change.NewNameTemplate);
  }
}

void RenameEngine::Run(const EditRequest& request) {
  s_.run.UndoRecordRefusedAt.clear();
  s_.run.SelectionLength = request.Sample.SelectionLength;
  s_.sequences.Reset(s_.special);
  TargetCollector collector(s_, request);
  if (s_.run.PreviewMode) {
    s_.observer.SetBusyCursor(true);
    s_.run.Counters.PreviewRows = 0;
    collector.CollectAndProcess();
    s_.run.PreviewMaximized = s_.options.PreviewMax;
    if (s_.preview.Count() == 0) {
      s_.preview.AddInformation(s_.texts.Lookup(174));
    } else if (s_.run.Stop.IsSet()) {
      s_.preview.AddInformation(s_.texts.Lookup(175));
    }
    s_.observer.SetBusyCursor(false);
  } else {
    RecordTemplates(request);
    if (!IsSmallRun(request)) {
      if (!s_.program.DirectEditStart) s_.host.HideEditWindow();
      s_.observer.RunProgressJob([&] {
        s_.run.InProgressJob = true;
        collector.CollectAndProcess();
        s_.run.InProgressJob = false;
      });
    } else {
      s_.observer.SetBusyCursor(true);
      collector.CollectAndProcess();
      s_.observer.SetBusyCursor(false);
    }
    s_.observer.PumpEvents();
    EndOfRun();
  }
  s_.run.Stop.Clear();
}

void RenameEngine::EndOfRun() {
  if (!s_.run.UndoRecordRefusedAt.empty()) {
    // Said before anything else: the user must learn that the run is not whole.
    s_.prompter.Show(PromptIcon::Warning, PromptButtons::Ok, s_.texts.Lookup(Msg::kInformation),
                     u"The run stopped before '" + s_.run.UndoRecordRefusedAt +
                         u"': the record that lets its rename be undone could not be written (the disk of the "
                         u"data folder may be full). Every item renamed before it can be undone.");
  }
  if (s_.sink.PendingUndoPairs() > 0) {
    s_.observer.PumpEvents();
    if (s_.options.Options1) {
      s_.sink.FlushNow();
      s_.host.CloseMainWindow();
    } else {
      s_.sink.ScheduleFlush();
      s_.run.EditDone = true;
      s_.host.CloseEditWindow();
    }
    if (s_.options.Endsound) s_.host.PlayEndSound();
    return;
  }
  s_.host.ShowEditWindow();
  const MessageContext messages{s_.texts, s_.prompter};
  messages.Inform(s_.texts.Lookup(129));
}

}  // namespace renamora

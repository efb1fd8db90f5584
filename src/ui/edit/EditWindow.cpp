// The edit window's own rules: setting up for a mode, the scope box, showing and
// closing, the about panel, the sample box's selection and automatic copy, and the
// commands that hand a filled-in request to the engine.
#include "ui/edit/EditWindow.h"

#include <algorithm>
#include <string>

#include "base/Paths.h"
#include "base/text/Utf.h"
#include "core/NameParts.h"
#include "core/RenameEngine.h"
#include "ui/ControlIds.h"

namespace renamora::ui {
namespace {

constexpr unsigned kFirstFocusMs = 100;
constexpr unsigned kUndoLogDelayMs = 3000;

// A target path this long is shortened on the target line: its head, " ... " and
// 26 characters from 1-based position n - 45 on, leaving the last 20 out.
constexpr std::size_t kShortenFrom = 84;
constexpr std::size_t kShownHead = 38;
constexpr std::size_t kShownTail = 26;
constexpr std::size_t kTailIndexFromEnd = 46;

// The scope group's three movable controls, hidden-options panel hidden / shown.
constexpr ScopeTops kTopsCompact{45, 43, 45};
constexpr ScopeTops kTopsWithOptions{69, 68, 71};

struct ModeButton {
  int id;
  std::u16string_view mode;
  MessageId caption;
  MessageId hint;  // the main window's button says the same
};
constexpr ModeButton kModeButtons[] = {
    {IDC_EDIT_MODE_REMOVE, EditMode::kRemove, 0, 256},      {IDC_EDIT_MODE_REPLACE, EditMode::kReplace, 1, 257},
    {IDC_EDIT_MODE_INSERT, EditMode::kInsert, 2, 258},      {IDC_EDIT_MODE_CHANGE, EditMode::kChange, 3, 259},
    {IDC_EDIT_MODE_EXTENSION, EditMode::kExtension, 4, 260},
};

const ModeButton* ModeButtonOf(int id) {
  for (const ModeButton& button : kModeButtons) {
    if (button.id == id) return &button;
  }
  return nullptr;
}

// A drive root ("C:\") or the POSIX root ("/"): a folder whose own name cannot
// be changed.
bool IsRootFolder(std::u16string_view folder) {
  while (!folder.empty() && (folder.back() == u'\\' || folder.back() == u'/')) folder.remove_suffix(1);
  return folder.empty() || (folder.size() == 2 && folder[1] == u':');
}

std::u16string ShortenedTarget(const std::u16string& folder) {
  const std::size_t n = folder.size();
  if (n < kShortenFrom) return folder;
  return folder.substr(0, kShownHead) + u" ... " + folder.substr(n - kTailIndexFromEnd, kShownTail);
}

bool ShowsWholeName(std::u16string_view mode) { return mode == EditMode::kExtension || mode == EditMode::kSaveAll; }

}  // namespace

EditWindowController::EditWindowController(const EditWindowServices& services) : s_(services) {}

// ---- Showing and closing ----------------------------------------------------------

void EditWindowController::Open() {
  open_ = true;
  closeResult_.reset();
  s_.host.StopMainStatusTimer();
  s_.run.PreviewMode = false;
  s_.run.EditDone = false;
  ProgramState& program = s_.program;
  const bool direct = program.DirectEditStart;
  if (Mode() != EditMode::kBrowse) {
    if (program.TargetFolder.empty()) {
      s_.host.SetFileListMode(FileListMode::ChosenFiles);
    } else {
      program.TargetFolder = WithTrailingSeparator(program.TargetFolder);
      s_.host.SetFileListMode(FileListMode::FolderView);
    }
    if (direct) {
      s_.host.LoadSettings();
      s_.host.SetPathBox(program.TargetFolder);
    }
    panels_.SetHistory(s_.host.NewNameHistory());
  }
  // The first showing, and the first after a change of language.
  if (!textsApplied_) {
    // A start with a mode argument may have chosen "Only THIS folder name" for
    // an empty folder; the texts must not take that choice back.
    const TargetScope scope = program.ScopeIndex;
    ApplyTexts();
    if (direct) program.ScopeIndex = scope;
  }
  if (Mode() != EditMode::kBrowse && !aboutShown_) SetUp();
}

void EditWindowController::OpenAbout() {
  aboutShown_ = true;
  Open();
}

void EditWindowController::Close() {
  if (!open_) return;
  ProgramState& program = s_.program;
  EditWindowHost& host = s_.host;
  const bool direct = program.DirectEditStart;
  const bool done = s_.run.EditDone;
  if (direct) host.RestoreMainWindow();
  if (done) {
    if (!host.ShowResultsAfterRename()) host.EmptyList();
    if (Mode() != EditMode::kSaveAll && Mode() != EditMode::kSaveSome) {
      host.SetMainSecondStatusText(RunSummaryText(s_.run.Counters, s_.texts));
    }
  } else if (direct) {
    if (EditsFolder()) {
      host.SetFileListMode(FileListMode::FolderView);
      host.SetPathBox(program.TargetFolder);
    } else {
      host.AddChosenFiles(program.PickedPaths);
    }
  }
  host.ClosePreviewWindowIfVisible();
  program.PickedPaths.clear();
  if (EditsFolder()) {
    if (done) host.PutFolderFirst(program.TargetFolder);
    // Only checked items were renamed: the list still shows them rightly, and a
    // new listing would lose the user's check marks.
    if (direct || (done && program.ScopeIndex != TargetScope::CheckedFiles)) host.ReloadList();
  } else {
    host.SetMainStatusText(U16(std::to_string(host.ListItemCount())) + u" " + T(389));
  }
  program.CurrentMode = std::u16string(EditMode::kBrowse);
  sampleText_.clear();
  sampleHint_.clear();
  selection_ = {};
  ++selectionVersion_;
  mouseInSample_ = false;
  cursorPosition_ = 0;
  s_.run.ProbeFileCount = -1;
  program.SamplePath.clear();
  s_.timers.Stop(IDT_FIRST_FOCUS);
  host.StartMainStatusTimer();
  aboutShown_ = false;
  open_ = false;
  closeResult_ = kEditWindowClosed;
}

void EditWindowController::ApplyTexts() {
  panels_.ApplyTexts(s_.texts);
  // Filling the scope box anew leaves it on its first item, or on the checked
  // files when those are the scope.
  if (s_.program.ScopeIndex != TargetScope::CheckedFiles) s_.program.ScopeIndex = TargetScope::AllFiles;
  textsApplied_ = true;
}

void EditWindowController::StartUndoLogTimer() { s_.timers.Start(IDT_UNDO_LOG, kUndoLogDelayMs); }

// ---- Setting up -------------------------------------------------------------------

void EditWindowController::SetUp() {
  SetTargetLine();
  panels_.ShowPanelOf(Mode());
  const ProgramState& program = s_.program;
  if (Mode() == EditMode::kExtension) {
    typeFilterShown_ = false;
    std::u16string extension = ExtensionOf(NameView(program.SamplePath));
    if (!extension.empty()) extension.erase(0, 1);
    panels_.SetText(IDC_EDIT_EXT_OLD, extension);
  }
  s_.timers.Start(IDT_FIRST_FOCUS, kFirstFocusMs);
}

void EditWindowController::SetTargetLine() {
  const ProgramState& program = s_.program;
  if (!EditsFolder()) {
    if (program.DirectEditStart || !s_.host.ListShowsCheckBoxes()) {
      targetText_ = T(293) + u" " + U16(std::to_string(program.PickedPaths.size())) + u" " + T(389);
    } else {
      targetText_ = s_.host.MainStatusText();
    }
    targetHint_.clear();
    SetSample(program.SamplePath);
    return;
  }
  targetText_ = ShortenedTarget(program.TargetFolder);
  targetHint_ = program.TargetFolder;
  typeFilterShown_ = true;
  SetSample(program.ScopeIndex == TargetScope::ThisFolder ? program.TargetFolder : program.SamplePath);
}

void EditWindowController::SetSample(std::u16string_view path) {
  sampleText_ = SampleTextOf(path);
  sampleHint_ = std::u16string(path);
  s_.program.SamplePath = std::u16string(path);
  // A new name in the box: no old mark may stand on it.
  selection_ = {};
  ++selectionVersion_;
}

std::u16string EditWindowController::SampleTextOf(std::u16string_view path) const {
  if (path.empty()) return {};
  const TargetScope scope = s_.program.ScopeIndex;
  const bool folderScope = EditsFolder() && (scope == TargetScope::Folders || scope == TargetScope::ThisFolder);
  if (folderScope || ShowsWholeName(Mode())) return NameOf(path);
  // Chosen files may hold folders, whose whole name is the working name.
  const bool isFolder = !EditsFolder() && s_.fs.IsFolder(path);
  return SplitPath(path, isFolder).Base;
}

void EditWindowController::ChooseMode(std::u16string_view mode) {
  if (mode == Mode()) return;
  const TargetScope scope = s_.program.ScopeIndex;
  if (mode == EditMode::kExtension && EditsFolder() &&
      (scope == TargetScope::Folders || scope == TargetScope::ThisFolder)) {
    Inform(212);
    return;
  }
  s_.program.CurrentMode = std::u16string(mode);
  SetUp();
}

void EditWindowController::ChooseScope(int index) {
  ProgramState& program = s_.program;
  if (index < 0 || index > 3) return;
  if (index == 1 && !s_.host.ListShowsCheckBoxes()) {
    Inform(322);
    index = 0;
  }
  if (index == 1 && program.DirectEditStart) {
    const PromptAnswer answer = s_.prompter.Show(PromptIcon::Question, PromptButtons::OkCancel, T(404), T(233));
    if (answer == PromptAnswer::Ok) {
      // The box keeps the choice, so the next edit started from the main window
      // works on the items the user checks there.
      program.ScopeIndex = TargetScope::CheckedFiles;
      Back();
      return;
    }
    index = 0;
  }
  if (Mode() == EditMode::kExtension && index >= 2) {
    Inform(212);
    program.ScopeIndex = TargetScope::AllFiles;
    return;
  }
  program.ScopeIndex = static_cast<TargetScope>(index);
  std::u16string sample;
  if (program.ScopeIndex == TargetScope::ThisFolder) {
    sample = program.TargetFolder;
    if (IsRootFolder(program.TargetFolder)) {
      Inform(178);
      program.ScopeIndex = TargetScope::AllFiles;
      sample = s_.host.Probe(ScopeRequest());
    }
  } else {
    sample = s_.host.Probe(ScopeRequest());
  }
  SetSample(sample);
}

EditRequest EditWindowController::ScopeRequest() const {
  EditRequest request;
  request.Mode = Mode();
  request.Scope = s_.program.ScopeIndex;
  request.IncludeSubfolders = includeSubfolders_;
  request.IncludeHidden = includeHidden_;
  request.IncludeSystem = includeSystem_;
  request.TypeFilter = TrimBlanksAndControls(typeFilter_);
  request.TypeFilterOn = typeFilterOn_ && !request.TypeFilter.empty();
  panels_.ReadInto(request);
  return request;
}

EditRequest EditWindowController::ReadRequest() {
  typeFilter_ = TrimBlanksAndControls(typeFilter_);
  if (typeFilter_.empty()) typeFilterOn_ = false;
  EditRequest request = ScopeRequest();
  request.Sample.SampleText = sampleText_;
  request.Sample.SelectionStart = selection_.start;
  request.Sample.SelectionLength = selection_.length;
  request.Sample.CursorPosition = cursorPosition_;
  const std::u16string other = TrimBlanksAndControls(request.Save.OtherTypes);
  if (other != request.Save.OtherTypes) {
    panels_.SetText(IDC_EDIT_SAVE_OTHER_TEXT, other);
    request.Save.OtherTypes = other;
  }
  return request;
}

// ---- State ------------------------------------------------------------------------

bool EditWindowController::ScopeGroupShown() const { return EditsFolder() && Mode() != EditMode::kSaveAll; }

std::u16string EditWindowController::Caption() const {
  for (const ModeButton& button : kModeButtons) {
    if (Mode() == button.mode) return T(button.caption) + u" - Renamora";
  }
  if (Mode() == EditMode::kSaveAll) return T(5) + u" - Renamora";
  return u"Renamora";
}

std::vector<int> EditWindowController::ControlIds() const {
  std::vector<int> ids = {IDC_EDIT_AREA,
                          IDC_EDIT_TARGET_LABEL,
                          IDC_EDIT_TARGET,
                          IDC_EDIT_SAMPLE_LABEL,
                          IDC_EDIT_SAMPLE,
                          IDC_EDIT_SCOPE_GROUP,
                          IDC_EDIT_SCOPE_LABEL,
                          IDC_EDIT_SCOPE,
                          IDC_EDIT_TOGGLE_OPTIONS,
                          IDC_EDIT_SUBFOLDERS,
                          IDC_EDIT_MORE_OPTIONS,
                          IDC_EDIT_HIDDEN,
                          IDC_EDIT_SYSTEM,
                          IDC_EDIT_TYPE_FILTER_ON,
                          IDC_EDIT_TYPE_FILTER,
                          IDC_EDIT_OPTIONS_LABEL,
                          IDC_EDIT_TOOLBAR,
                          IDC_EDIT_RENAME,
                          IDC_EDIT_SAVE,
                          IDC_EDIT_PREVIEW,
                          IDC_EDIT_MODE_REMOVE,
                          IDC_EDIT_MODE_REPLACE,
                          IDC_EDIT_MODE_INSERT,
                          IDC_EDIT_MODE_CHANGE,
                          IDC_EDIT_MODE_EXTENSION,
                          IDC_EDIT_BACK,
                          IDC_EDIT_ABOUT,
                          IDC_EDIT_ABOUT_VERSION_GROUP,
                          IDC_EDIT_ABOUT_VERSION_PICTURE,
                          IDC_EDIT_ABOUT_CONTACT_GROUP,
                          IDC_EDIT_ABOUT_CONTACT_PICTURE,
                          IDC_EDIT_ABOUT_BAR,
                          IDC_EDIT_ABOUT_HOMEPAGE,
                          IDC_EDIT_ABOUT_BACK,
                          IDC_EDIT_ABOUT_CLOSE};
  const std::vector<int> panelIds = panels_.ControlIds();
  ids.insert(ids.end(), panelIds.begin(), panelIds.end());
  return ids;
}

ControlState EditWindowController::State(int id) const {
  ControlState state = OwnState(id);
  // The about panel takes the place of everything else, toolbar included: a view
  // places each control straight on the window, so no container hides them for it.
  const bool menuEntry = id >= IDM_EDIT_SAMPLE_COPY && id <= IDM_EDIT_SAMPLE_AUTOCOPY;
  const bool onAboutPanel = id >= IDC_EDIT_ABOUT && id <= IDC_EDIT_ABOUT_CLOSE;
  if (!menuEntry && onAboutPanel != aboutShown_) state.visible = false;
  return state;
}

ControlState EditWindowController::OwnState(int id) const {
  if (panels_.Owns(id)) return panels_.State(id);
  ControlState state;
  const bool scopeShown = ScopeGroupShown();
  const bool saving = Mode() == EditMode::kSaveAll;
  if (const ModeButton* button = ModeButtonOf(id)) {
    state.text = T(button->caption);
    return state;
  }
  switch (id) {
    case IDC_EDIT_AREA: state.visible = !aboutShown_; break;
    case IDC_EDIT_TARGET_LABEL: state.text = T(EditsFolder() ? 37 : 276); break;
    case IDC_EDIT_TARGET: state.text = targetText_; break;
    case IDC_EDIT_SAMPLE_LABEL: state.text = T(38); break;
    case IDC_EDIT_SAMPLE: state.text = sampleText_; break;
    case IDC_EDIT_SCOPE_GROUP: state.visible = scopeShown; break;
    case IDC_EDIT_SCOPE_LABEL: state.visible = scopeShown; state.text = T(67); break;
    case IDC_EDIT_SCOPE: state.visible = scopeShown; break;
    case IDC_EDIT_TOGGLE_OPTIONS: state.visible = scopeShown; state.text = T(393); break;
    case IDC_EDIT_SUBFOLDERS:
      state.visible = scopeShown && s_.program.ScopeIndex != TargetScope::ThisFolder;
      state.checked = includeSubfolders_;
      state.text = T(386);
      break;
    case IDC_EDIT_MORE_OPTIONS: state.visible = scopeShown && moreOptionsShown_; break;
    case IDC_EDIT_HIDDEN:
      state.visible = scopeShown && moreOptionsShown_;
      state.checked = includeHidden_;
      state.text = T(383);
      break;
    case IDC_EDIT_SYSTEM:
      state.visible = scopeShown && moreOptionsShown_;
      state.checked = includeSystem_;
      state.text = T(384);
      break;
    case IDC_EDIT_TYPE_FILTER_ON:
      state.visible = scopeShown && moreOptionsShown_ && typeFilterShown_;
      state.checked = typeFilterOn_;
      state.text = T(390);
      break;
    case IDC_EDIT_TYPE_FILTER:
      state.visible = scopeShown && moreOptionsShown_ && typeFilterShown_;
      state.text = typeFilter_;
      break;
    case IDC_EDIT_OPTIONS_LABEL: state.visible = scopeShown; state.text = u"Options"; break;
    case IDC_EDIT_TOOLBAR: break;
    case IDC_EDIT_RENAME: state.visible = !saving; state.text = T(204); break;
    case IDC_EDIT_SAVE: state.visible = saving; state.text = T(5); break;
    case IDC_EDIT_PREVIEW: state.enabled = !saving; state.text = T(35); break;
    case IDC_EDIT_BACK: state.text = T(274); break;
    case IDC_EDIT_ABOUT: state.visible = aboutShown_; break;
    case IDC_EDIT_ABOUT_VERSION_GROUP: state.text = T(280); break;
    case IDC_EDIT_ABOUT_CONTACT_GROUP: state.text = T(282); break;
    case IDC_EDIT_ABOUT_VERSION_PICTURE:
    case IDC_EDIT_ABOUT_CONTACT_PICTURE:
    case IDC_EDIT_ABOUT_BAR: break;
    case IDC_EDIT_ABOUT_HOMEPAGE: state.text = T(272); break;
    case IDC_EDIT_ABOUT_BACK: state.text = T(274); break;
    case IDC_EDIT_ABOUT_CLOSE: state.text = T(205); break;
    case IDM_EDIT_SAMPLE_COPY:
      state.enabled = selection_.length > 0;
      state.text = u"Copy(&C)";
      break;
    case IDM_EDIT_SAMPLE_SELECT_ALL:
      state.enabled = !(selection_.start == 0 && selection_.length == static_cast<int>(sampleText_.size()));
      state.text = u"Select All(&A)";
      break;
    case IDM_EDIT_SAMPLE_AUTOCOPY: state.text = T(s_.host.Autocopy() ? 311 : 312); break;
    default: break;
  }
  return state;
}

std::u16string EditWindowController::Hint(int id) const {
  if (panels_.Owns(id)) return panels_.Hint(id);
  if (const ModeButton* button = ModeButtonOf(id)) return T(button->hint);
  switch (id) {
    case IDC_EDIT_TARGET: return targetHint_;
    case IDC_EDIT_SAMPLE: return sampleHint_;
    case IDC_EDIT_SCOPE: return T(343);
    case IDC_EDIT_SUBFOLDERS: return T(397);
    case IDC_EDIT_TOGGLE_OPTIONS: return T(moreOptionsShown_ ? 395 : 394);
    case IDC_EDIT_RENAME: return T(336) + u"(Ctrl+R)";
    case IDC_EDIT_SAVE: return T(380);
    case IDC_EDIT_PREVIEW: return T(337) + u"(Ctrl+P)";
    case IDC_EDIT_BACK: return T(338);
    case IDC_EDIT_ABOUT_VERSION_PICTURE: return u"download the latest version now";
    case IDC_EDIT_ABOUT_CONTACT_PICTURE: return T(288);
    case IDC_EDIT_ABOUT_HOMEPAGE: return T(340);
    case IDC_EDIT_ABOUT_BACK: return T(342);
    default: return {};
  }
}

std::vector<std::u16string> EditWindowController::ScopeItems() const { return {T(68), T(69), T(70), T(71)}; }

std::vector<std::u16string> EditWindowController::TypeFilterItems() const { return {u"jpg,jpeg", u"txt,doc"}; }

ScopeTops EditWindowController::ScopeControlTops() const {
  return moreOptionsShown_ ? kTopsWithOptions : kTopsCompact;
}

int EditWindowController::PanelTop() const { return panels_.PanelTop(ScopeGroupShown(), !EditsFolder()); }

std::u16string EditWindowController::HelpTopic() const {
  struct Topic {
    std::u16string_view mode;
    std::u16string_view topic;
  };
  static constexpr Topic kTopics[] = {
      {EditMode::kRemove, u"Remove.htm"}, {EditMode::kReplace, u"Replace.htm"},
      {EditMode::kInsert, u"Insert.htm"}, {EditMode::kChange, u"Change.htm"},
      {EditMode::kExtension, u"Change ext.htm"}, {EditMode::kSaveAll, u"Save.htm"},
  };
  for (const Topic& t : kTopics) {
    if (t.mode == Mode()) return std::u16string(t.topic);
  }
  return u"How to use.htm";
}

void EditWindowController::Help() { s_.host.ShowHelp(HelpTopic()); }

// ---- Commands ---------------------------------------------------------------------

void EditWindowController::Inform(MessageId id) { s_.prompter.Inform(T(Msg::kInformation), T(id)); }

void EditWindowController::Command(int id) {
  if (const ModeButton* button = ModeButtonOf(id)) {
    ChooseMode(button->mode);
    return;
  }
  if (panels_.Owns(id)) {
    if (auto box = panels_.SpecialTarget(id)) {
      InsertSpecialString(*box);
      return;
    }
    ApplyPanelEffect(panels_.Command(id));
    return;
  }
  switch (id) {
    case IDC_EDIT_RENAME:
    case IDC_EDIT_SAVE: RunRename(); break;
    case IDC_EDIT_PREVIEW: RunPreview(); break;
    case IDC_EDIT_BACK: Back(); break;
    case IDC_EDIT_TOGGLE_OPTIONS: moreOptionsShown_ = !moreOptionsShown_; break;
    case IDC_EDIT_ABOUT_VERSION_PICTURE:
    case IDC_EDIT_ABOUT_HOMEPAGE: s_.host.OpenVendorPage(u"index"); break;
    case IDC_EDIT_ABOUT_CONTACT_PICTURE: s_.host.OpenVendorPage(u"contact"); break;
    case IDC_EDIT_ABOUT_BACK:
    case IDC_EDIT_ABOUT_CLOSE: AboutBack(); break;
    case IDM_EDIT_SAMPLE_COPY:
      if (selection_.length > 0) {
        s_.host.CopyToClipboard(std::u16string_view(sampleText_).substr(
            static_cast<std::size_t>(selection_.start), static_cast<std::size_t>(selection_.length)));
      }
      break;
    case IDM_EDIT_SAMPLE_SELECT_ALL:
      selection_ = {0, static_cast<int>(sampleText_.size())};
      ++selectionVersion_;
      AutoCopy();
      break;
    case IDM_EDIT_SAMPLE_AUTOCOPY: s_.host.SetAutocopy(!s_.host.Autocopy()); break;
    default: break;
  }
}

void EditWindowController::Checked(int id, bool checked) {
  if (panels_.Owns(id)) {
    ApplyPanelEffect(panels_.Checked(id, checked));
    return;
  }
  switch (id) {
    case IDC_EDIT_SUBFOLDERS: includeSubfolders_ = checked; break;
    case IDC_EDIT_HIDDEN: includeHidden_ = checked; break;
    case IDC_EDIT_SYSTEM: includeSystem_ = checked; break;
    case IDC_EDIT_TYPE_FILTER_ON: typeFilterOn_ = checked; break;
    default: break;
  }
}

void EditWindowController::TextChanged(int id, std::u16string_view text) {
  if (panels_.Owns(id)) {
    ApplyPanelEffect(panels_.TextChanged(id, text));
    return;
  }
  if (id == IDC_EDIT_TYPE_FILTER) typeFilter_ = std::u16string(text);
}

void EditWindowController::SelectionChanged(int id, int index) {
  if (panels_.Owns(id)) {
    ApplyPanelEffect(panels_.SelectionChanged(id, index));
    return;
  }
  if (id == IDC_EDIT_SCOPE) {
    ChooseScope(index);
  } else if (id == IDC_EDIT_TYPE_FILTER) {
    const auto items = TypeFilterItems();
    if (index >= 0 && index < static_cast<int>(items.size())) typeFilter_ = items[static_cast<std::size_t>(index)];
  }
}

void EditWindowController::TimerFired(int timerId) {
  if (timerId == IDT_FIRST_FOCUS) {
    s_.timers.Stop(IDT_FIRST_FOCUS);
    if (const auto box = panels_.FirstFocus()) RequestFocus(*box);
  } else if (timerId == IDT_UNDO_LOG) {
    s_.timers.Stop(IDT_UNDO_LOG);
    s_.host.WriteUndoLog();
  }
}

bool EditWindowController::CancelDialog() {
  if (!open_) return false;
  if (aboutShown_) {
    AboutBack();
  } else {
    Back();
  }
  return true;
}

void EditWindowController::HotKey(int hotKeyId) {
  // The keys are registered for the window's whole life; they act only while an
  // edit is shown in it (not on the about panel, not while it is closed).
  if (!open_) return;
  const bool editing = !aboutShown_ && Mode() != EditMode::kBrowse;
  switch (hotKeyId) {
    case 0:
      if (editing) RunRename();
      break;
    case 1:
      if (editing) RunPreview();
      break;
    case 2:
      if (aboutShown_) {
        AboutBack();
      } else {
        Back();
      }
      break;
    default: break;
  }
}

void EditWindowController::RunRename() {
  EditRequest request = ReadRequest();
  AfterRun(request, s_.host.Rename(request));
}

void EditWindowController::RunPreview() {
  if (Mode() == EditMode::kSaveAll) return;
  EditRequest request = ReadRequest();
  AfterRun(request, s_.host.Preview(request));
}

void EditWindowController::AfterRun(const EditRequest& request, std::optional<FocusBox> refused) {
  // The checks write back what they made of a box (a New extension of "..jpg"
  // reads "jpg" afterwards), and a refusal sends the focus to its box.
  panels_.Show(request);
  if (refused) RequestFocus(ControlOf(*refused), true);
}

void EditWindowController::Back() { Close(); }

int ControlOf(FocusBox box) {
  switch (box) {
    case FocusBox::RemoveString1: return IDC_EDIT_REMOVE_STRING1;
    case FocusBox::LeftString: return IDC_EDIT_ANYTHING_LEFT;
    case FocusBox::RightString: return IDC_EDIT_ANYTHING_RIGHT;
    case FocusBox::CleanKeepOther: return IDC_EDIT_CLEAN_KEEP_OTHER_TEXT;
    case FocusBox::CleanErase: return IDC_EDIT_CLEAN_ERASE_TEXT;
    case FocusBox::KeepString1: return IDC_EDIT_KEEP_STRING1;
    case FocusBox::KeepString2: return IDC_EDIT_KEEP_STRING2;
    case FocusBox::OldString: return IDC_EDIT_REPLACE_OLD;
    case FocusBox::NewString: return IDC_EDIT_REPLACE_NEW;
    case FocusBox::HeadTemplate: return IDC_EDIT_INSERT_HEAD_TEXT;
    case FocusBox::EndTemplate: return IDC_EDIT_INSERT_END_TEXT;
    case FocusBox::CursorTemplate: return IDC_EDIT_INSERT_CURSOR_TEXT;
    case FocusBox::ExistingString: return IDC_EDIT_INSERT_EXISTING;
    case FocusBox::SecondString: return IDC_EDIT_INSERT_SECOND;
    case FocusBox::InsertTemplate: return IDC_EDIT_INSERT_STRING;
    case FocusBox::NewName: return IDC_EDIT_CHANGE_NEW_NAME_TEXT;
    case FocusBox::NewExtension: return IDC_EDIT_EXT_NEW;
    case FocusBox::OtherTypes: return IDC_EDIT_SAVE_OTHER_TEXT;
  }
  return 0;
}

void EditWindowController::AboutBack() {
  aboutShown_ = false;
  if (Mode() == EditMode::kBrowse) {
    Close();
  } else {
    SetUp();
  }
}

void EditWindowController::ApplyPanelEffect(const PanelEffect& effect) {
  if (effect.clearSampleSelection) ClearSampleSelection();
  if (effect.focus) RequestFocus(*effect.focus);
}

void EditWindowController::InsertSpecialString(int boxId) {
  // The dialog sizes its sequence-number token by the items the edit works on:
  // the listed folder's items, or the chosen ones.
  const int targets = EditsFolder() ? static_cast<int>(s_.host.ListItemCount())
                                    : static_cast<int>(s_.program.PickedPaths.size());
  const std::u16string token = s_.host.PickSpecialString(targets);
  const bool spanKnown = templateBox_ == boxId;
  templateBox_.reset();
  if (token.empty()) return;
  std::u16string text = panels_.Text(boxId);
  std::size_t start = text.size();
  std::size_t length = 0;
  if (spanKnown) {
    start = std::min(static_cast<std::size_t>(std::max(templateSelection_.start, 0)), text.size());
    length = std::min(static_cast<std::size_t>(std::max(templateSelection_.length, 0)), text.size() - start);
  }
  text.replace(start, length, token);
  panels_.SetText(boxId, text);
  RequestFocus(boxId);
}

void EditWindowController::TemplateBoxSelection(int boxId, int start, int length) {
  templateBox_ = boxId;
  templateSelection_ = {start, length};
}

// ---- The sample box ---------------------------------------------------------------

void EditWindowController::SampleSelectionChanged(int start, int length) {
  const int size = static_cast<int>(sampleText_.size());
  start = std::clamp(start, 0, size);
  selection_ = {start, std::clamp(length, 0, size - start)};
  AutoCopy();
}

void EditWindowController::SampleMousePressed(int caretPosition) {
  mouseInSample_ = true;
  if (Mode() != EditMode::kInsert) return;
  EditRequest request;
  panels_.ReadInto(request);
  if (request.Insert.InsertKind == InsertChoice::ToPosition) cursorPosition_ = caretPosition + 1;
}

void EditWindowController::SampleMouseMoved() { AutoCopy(); }

void EditWindowController::SampleEnterPressed() {
  if (open_ && !aboutShown_) RunRename();
}

void EditWindowController::InputBoxPressed(int controlId) {
  const bool clears = panels_.ClickClearsSelection(controlId);
  panels_.InputBoxPressed(controlId);
  if (clears) ClearSampleSelection();
}

void EditWindowController::ShowOn(std::u16string_view text, std::u16string_view hint) {
  sampleText_ = std::u16string(text);
  sampleHint_ = std::u16string(hint);
  // The mark belonged to the old sample; the user marks a stretch of this one now.
  selection_ = {};
  ++selectionVersion_;
}

void EditWindowController::ClearSampleSelection() {
  if (selection_.length == 0) return;
  selection_.length = 0;
  ++selectionVersion_;
}

void EditWindowController::AutoCopy() {
  if (!s_.host.Autocopy() || !mouseInSample_ || selection_.length == 0) return;
  const auto target = panels_.AutoCopyTarget();
  if (!target) return;
  panels_.SetText(*target, std::u16string_view(sampleText_).substr(static_cast<std::size_t>(selection_.start),
                                                                    static_cast<std::size_t>(selection_.length)));
}

}  // namespace renamora::ui

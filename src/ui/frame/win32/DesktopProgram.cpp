// The program's start, its windows and its end.
#include "ui/frame/win32/DesktopProgram.h"

#include <mmsystem.h>
#include <shlobj.h>

#include "app/Settings.h"
#include "platform/win32/WideText.h"
#include "ui/ControlIds.h"
#include "ui/win/Shell.h"
#include "ui/win/Win32Prompter.h"

namespace renamora::ui::win {
namespace {

// The registry's InstallDir, which an installer may write; the program never does.
std::optional<std::u16string> InstallDirFromRegistry() {
  HKEY key = nullptr;
  if (RegOpenKeyExW(HKEY_CURRENT_USER, L"Software\\Altomira\\renamora", 0, KEY_READ, &key) != ERROR_SUCCESS) {
    return std::nullopt;
  }
  wchar_t value[32768] = {};
  DWORD bytes = sizeof(value) - sizeof(wchar_t);
  DWORD type = 0;
  std::optional<std::u16string> result;
  if (RegQueryValueExW(key, L"InstallDir", nullptr, &type, reinterpret_cast<BYTE*>(value), &bytes) == ERROR_SUCCESS &&
      (type == REG_SZ || type == REG_EXPAND_SZ)) {
    result = FromWide(value);
  }
  RegCloseKey(key);
  return result;
}

}  // namespace

DesktopProgram::DesktopProgram(DesktopSetup setup) : setup_(std::move(setup)) {}

DesktopProgram::~DesktopProgram() = default;

MainWindowDialogs DesktopProgram::Dialogs() {
  MainWindowDialogs d;
  d.about = [this] {
    editView_->OpenAbout(mainView_->Handle());
    mainView_->Refresh();
  };
  d.openEdit = [this](bool needsProbe) { OpenEditWindow(needsProbe); };
  d.saveChosenFiles = [this] { editHost_->SaveChosenFiles(); };
  d.help = [this] {
    const bool previewShown = preview_ && preview_->Visible();
    ShowHelpTopic(folders_.programFolder + u"renamora.chm", previewShown ? u"Preview.htm" : u"How to use.htm");
  };
  d.close = [this] { Close(); };
  d.renameItem = [this](std::size_t index) { return RenameListItem(index); };
  d.addOption = [this] { return addOptionView_->Choose(mainView_->Handle()); };
  d.showQuickStart = [this] { quickStartView_->Show(); };
  d.closeQuickStart = [this] { quickStartView_->Close(); };
  d.quickStartShown = [this] { return quickStart_->ShownOnce(); };
  d.quickStartClosedByUser = [this] { return quickStart_->WasClosedByUser(); };
  d.options = [this] {
    optionsView_->Open(mainView_->Handle());
    mainView_->Refresh();
  };
  d.settingsLoaded = [this] { options_->LoadSettings(); };
  return d;
}

// The dialogs the main window opens, each made once and kept for the run.
bool DesktopProgram::CreateFrameDialogs() {
  HWND owner = mainView_->Handle();
  rename_ = std::make_unique<SingleRenameController>(
      SingleRenameServices{*fs_, *prompter_, choice_.table, session_->Undo(), folders_.dataFolder});
  renameView_ = std::make_unique<SingleRenameView>(*rename_);
  if (!renameView_->Create(owner)) return false;

  addOption_ = std::make_unique<AddOptionController>(choice_.table);
  addOptionView_ = std::make_unique<AddOptionView>(*addOption_);
  if (!addOptionView_->Create(owner)) return false;

  quickStart_ = std::make_unique<QuickStartController>(choice_.table, *settings_);
  quickStart_->onShowNextTime = [this](bool on) {
    if (showGuideChanged) showGuideChanged(on);
  };
  quickStartView_ = std::make_unique<QuickStartView>(*quickStart_);
  if (!quickStartView_->Create(*mainView_)) return false;

  // The preview window over the session's preview rows; owned by the main window
  // until the edit window, its real owner, exists.
  previewHost_ = std::make_unique<Win32PreviewHost>();
  previewHost_->helpFile = folders_.programFolder + u"renamora.chm";
  preview_ = std::make_unique<PreviewController>(session_->Preview(), choice_.table, *previewHost_);
  previewView_ = std::make_unique<PreviewView>(*preview_);
  if (!previewView_->Create(owner)) return false;
  previewHost_->Bind(previewView_->Handle());

  // The new-name list editor opens over the options dialog, whose number box
  // follows a save that changed the maximum.
  newNameEditor_ = std::make_unique<NewNameEditorController>(
      NewNameEditorServices{*prompter_, choice_.table, *settings_, *session_->History()});
  newNameEditor_->onMaximumChanged = [this](int maximum) { options_->SetNewNameMaximum(maximum); };
  newNameEditorView_ = std::make_unique<NewNameEditorView>(*newNameEditor_);
  if (!newNameEditorView_->Create(optionsView_->Handle())) return false;
  optionsHost_->editNewNames = [this] { newNameEditorView_->Edit(optionsView_->Handle()); };
  optionsHost_->newNamesCleared = [this] { newNameEditor_->HistoryCleared(); };
  // Each window takes the new texts when it next shows; the preview at once if it shows.
  optionsHost_->languageChanged = [this] {
    newNameEditor_->LanguageChanged();
    if (edit_) edit_->LanguageChanged();
    if (special_) special_->LanguageChanged();
    if (previewView_) previewView_->LanguageChanged();
  };
  return true;
}

// The progress and rename error windows, made once and kept for the run of the program.
bool DesktopProgram::CreateRunWindows() {
  HWND owner = mainView_->Handle();
  progress_ = std::make_unique<ProgressController>(choice_.table, *prompter_, session_->Run().Stop);
  progressView_ = std::make_unique<ProgressView>(*progress_);
  if (!progressView_->Create(owner)) return false;
  progress_->BindHost(progressView_.get());
  browser_->SetProgressWindow(progress_.get());

  renameError_ = std::make_unique<RenameErrorController>(choice_.table);
  renameErrorView_ = std::make_unique<RenameErrorView>(*renameError_);
  if (!renameErrorView_->Create(owner)) return false;
  renameError_->BindHost(renameErrorView_.get());
  session_->Undo().onRenameFailed = renameError_->FailureHandler();
  return true;
}

// What the edit window reaches in other windows.
EditWindowHooks DesktopProgram::EditHooks() {
  EditWindowHooks h;
  h.hideEditWindow = [this] { ShowWindow(editView_->Handle(), SW_HIDE); };
  h.showEditWindow = [this] {
    ShowWindow(editView_->Handle(), SW_SHOW);
    SetForegroundWindow(editView_->Handle());
  };
  h.restoreMainWindow = [this] {
    HWND main = mainView_->Handle();
    RECT r;
    GetWindowRect(main, &r);
    SetWindowPos(main, nullptr, r.left, savedTop_, 0, 0, SWP_NOZORDER | SWP_NOSIZE | SWP_NOACTIVATE);
    if (setup_.showWindows) ShowWindow(main, SW_SHOW);
    browser_->StartStatusTimer();
  };
  h.refreshMainWindow = [this] { mainView_->Refresh(); };
  h.closeMainWindow = [this] { Close(); };
  h.pickSpecialString = [this](int count) { return specialView_->PickSpecialString(editView_->Handle(), count); };
  h.showPreview = [this] { ShowPreview(); };
  h.closePreviewIfVisible = [this] {
    if (preview_->Visible()) previewView_->Hide();
  };
  h.showHelp = [this](std::u16string_view topic) {
    ShowHelpTopic(folders_.programFolder + u"renamora.chm", topic);
  };
  // The vendor's web address is not known to this build: its pages open nothing.
  h.openVendorPage = [](std::u16string_view) {};
  h.copyToClipboard = [this](std::u16string_view text) { PutTextOnClipboard(editView_->Handle(), text); };
  h.playEndSound = [this] { host_.PlayEndSound(); };
  h.options = [this] { return options_->Options(); };
  h.setAutocopy = [this](bool on) { options_->SetAutocopy(on); };
  h.loadSettings = [this] {
    options_->LoadSettings();
    browser_->SetOptions(options_->Options());
  };
  return h;
}

// The edit window and what an edit reaches: the special-string dialog, the save
// dialog of name listings, and the commands over the engine.
bool DesktopProgram::CreateEditWindows() {
  HWND owner = mainView_->Handle();
  special_ = std::make_unique<SpecialStringController>(SpecialStringController::Services{
      choice_.table, *prompter_, *clock_,
      [this] { ShowHelpTopic(folders_.programFolder + u"renamora.chm", u"Special string.htm"); }});
  specialView_ = std::make_unique<SpecialStringView>(*special_);
  if (!specialView_->Create(owner)) return false;

  saveDialog_ = std::make_unique<SaveFileDialog>(*fs_, *prompter_, choice_.table);
  opener_ = std::make_unique<ShellFileOpener>();
  editHost_ = std::make_unique<EditProgram>(*browser_, *session_, *settings_, program_, EditHooks());
  editCommands_ = std::make_unique<EditCommands>(EditCommandServices{
      *fs_, *locale_, *clock_, choice_.table, *prompter_, *progress_, browser_->List(), *editHost_, program_,
      *session_, special_->Settings(), *saveDialog_, *opener_, progress_.get()});
  edit_ = std::make_unique<EditWindowController>(EditWindowServices{
      *fs_, choice_.table, *prompter_, editTimers_, *editHost_, program_, session_->Run()});
  editHost_->Bind(*edit_, *editCommands_);
  editView_ = std::make_unique<EditWindowView>(*edit_, editTimers_);
  if (!editView_->Create(owner)) return false;
  saveDialog_->SetOwner(editView_->Handle());

  // The preview stands beside the edit window and belongs to it.
  previewView_->SetOwner(editView_->Handle());
  editView_->SetPreviewPlacer([this] { previewView_->PlaceAtFirstShowing(); });
  editView_->SetPreviewWindow([this] { return previewView_->Handle(); });
  previewHost_->rename = [this] {
    edit_->Command(IDC_EDIT_RENAME);
    editView_->Refresh();
  };
  previewHost_->showOn = [this](std::u16string_view text, std::u16string_view hint) {
    edit_->ShowOn(text, hint);
    editView_->Refresh();
  };

  // The icon set's pictures on their buttons: the set chosen at start, and any later one.
  optionsHost_->iconSetLoaded = [this](std::u16string_view folder) {
    editView_->LoadGlyphFiles(folder);
    previewView_->LoadGlyphFiles(folder);
  };
  if (const std::u16string folder = optionsHost_->ActiveIconSetFolder(); !folder.empty()) {
    optionsHost_->iconSetLoaded(folder);
  }
  return true;
}

void DesktopProgram::ShowPreview() {
  preview_->SetCaptionFrom(edit_->State(IDC_EDIT_PREVIEW).text, edit_->Caption());
  preview_->RowsChanged();
  previewView_->Show(session_->Run().PreviewMaximized);
}

void DesktopProgram::OpenEditWindow(bool needsProbe) {
  if (optionsHost_->EditWindowsToBePlaced()) {
    edit_->PlaceAnew();
    optionsHost_->EditWindowsPlaced();
  }
  editHost_->ProbeSample(needsProbe);
  // A start with a mode argument shows the window without a loop of its own: the
  // main window stays below the screen and the program's loop runs the edit.
  editView_->Open(mainView_->Handle(), !program_.DirectEditStart);
  mainView_->Refresh();
}

bool DesktopProgram::RenameListItem(std::size_t index) {
  FileList& list = browser_->List();
  if (index >= list.Count()) return false;
  rename_->Open(list.Item(index).text, list.Mode(), browser_->PathBoxText());
  if (renameView_->ShowModal(mainView_->Handle()) != 1 || !rename_->NewItemText()) return false;
  // OK may have completed the folder path with its separator.
  if (list.Mode() == FileListMode::FolderView) browser_->TextChanged(IDC_MAIN_PATHBOX, rename_->FolderBoxText());
  browser_->ItemRenamed(index, *rename_->NewItemText());
  mainView_->Refresh();
  return true;
}

bool DesktopProgram::Start() {
  fs_ = MakeSystemFileSystem();
  locale_ = MakeSystemLocale();
  clock_ = MakeSystemClock();
  if (setup_.prompter) {
    prompter_ = setup_.prompter;
  } else {
    ownPrompter_ = std::make_unique<Win32Prompter>();
    prompter_ = ownPrompter_.get();
  }

  // 1. The folders.
  FolderEnvironment environment;
  environment.programFile = setup_.programFile.empty() ? ProgramFilePath() : setup_.programFile;
  environment.appData = SpecialFolder(CSIDL_APPDATA);
  folders_ = ResolveFolders(*fs_, environment);

  // 2. The settings.
  settings_ = std::make_unique<SettingsFile>(*fs_, *locale_, folders_.dataFolder + std::u16string(SettingsKey::kFileName));
  const bool settingsExist = settings_->Exists();
  const IniDocument doc = settings_->Read();
  const OptionSettings options = LoadOptionSettings(doc);
  const FormSettings form = LoadFormSettings(doc);
  program_.RenamedTotal = form.Totalfiles;

  // 7 (needed by everything shown). The texts.
  choice_ = ChooseStringTable(*fs_, *locale_, folders_.programFolder, options.Language);

  // The undo log, and a journal left by a run that was killed: it becomes the log
  // now, while nothing else runs. A live run of another process keeps it; the
  // Undo command tries again under the data folder's lock.
  session_ = std::make_unique<RunSession>(*fs_, *locale_, *clock_, folders_.dataFolder);
  static_cast<void>(session_->HoldDataFolder());
  session_->ReleaseDataFolder();

  browser_ = std::make_unique<BrowserController>(BrowserServices{*fs_, *locale_, *clock_, choice_.table, *prompter_,
                                                                 *settings_, timers_, host_, program_, *session_,
                                                                 folders_.dataFolder});
  mainView_ = std::make_unique<MainWindowView>(*browser_, timers_);
  if (!mainView_->Create()) return false;

  // The options dialog, made now and shown whenever the Options button asks.
  // One new-name history for the runs, the options dialog and the list editor.
  session_->LoadHistory(options.Listnum);
  optionsHost_ = std::make_unique<DesktopOptionsHost>(
      DesktopOptionsServices{*fs_, *locale_, *prompter_, *settings_, choice_, *browser_, *mainView_, *session_->History(),
                             folders_.programFolder, environment.programFile, folders_.dataFolder},
      options.Language);
  optionsHost_->showQuickStart = [this] {
    if (dialogs_.showQuickStart) dialogs_.showQuickStart();
  };
  optionsHost_->hideQuickStart = [this] {
    if (dialogs_.closeQuickStart) dialogs_.closeQuickStart();
  };
  options_ = std::make_unique<OptionsController>(OptionsController::Services{
      *fs_, *locale_, *prompter_, *settings_, *optionsHost_, folders_.programFolder});
  optionsHost_->Bind(options_.get());
  optionsView_ = std::make_unique<OptionsDialogView>(*options_, folders_.programFolder + u"renamora.chm");
  if (!optionsView_->Create(mainView_->Handle())) return false;
  optionsHost_->LoadIconSetAtStart(options.Icon.value_or(u""));

  dialogs_ = Dialogs();
  host_.Bind(mainView_.get(), dialogs_);
  // "Show next time" in the quick start window is the options dialog's box too.
  showGuideChanged = [this](bool on) { options_->SetShowGuide(on); };

  // The window's place.
  HWND hwnd = mainView_->Handle();
  RECT designed;
  GetWindowRect(hwnd, &designed);
  const int screenHeight = GetSystemMetrics(SM_CYSCREEN);
  const MainWindowPlace place = PlaceMainWindow(settingsExist, form, screenHeight, designed.top);
  int show = SW_SHOWNORMAL;
  if (place.maximized) {
    show = SW_SHOWMAXIMIZED;
  } else if (place.useStoredPlace) {
    SetWindowPos(hwnd, nullptr, place.left, place.top, place.width, place.height, SWP_NOZORDER | SWP_NOACTIVATE);
  } else {
    // Centred on the desktop.
    RECT work;
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    const int width = designed.right - designed.left;
    const int height = designed.bottom - designed.top;
    SetWindowPos(hwnd, nullptr, work.left + (work.right - work.left - width) / 2,
                 work.top + (work.bottom - work.top - height) / 2, 0, 0, SWP_NOZORDER | SWP_NOSIZE | SWP_NOACTIVATE);
  }

  // The dialogs after the main window, which owns them; the quick start's first
  // place follows the main window's.
  if (!CreateFrameDialogs() || !CreateRunWindows() || !CreateEditWindows()) return false;

  // 3. The command line: a start with a mode goes straight into the edit (or the
  // listing of the handed-over names) once the start is over.
  savedTop_ = place.savedTop;
  const std::u16string mode = ModeArgument(setup_.arguments);
  const StartDecision decision = StartProgram(mode, mode.empty() ? std::nullopt : InstallDirFromRegistry(),
                                              StartServices{*fs_, *locale_, *prompter_, choice_.table}, folders_,
                                              program_);
  if (!choice_.status.empty()) browser_->ShowLanguageStatus(choice_.status);
  if (decision.scopeThisFolder) program_.ScopeIndex = TargetScope::ThisFolder;
  if (decision.openEditWindow) {
    // The main window runs below the screen while the edit window is the program.
    program_.DirectEditStart = true;
    RECT r;
    GetWindowRect(hwnd, &r);
    SetWindowPos(hwnd, nullptr, r.left, GetSystemMetrics(SM_CYSCREEN) + 200, 0, 0,
                 SWP_NOZORDER | SWP_NOSIZE | SWP_NOACTIVATE);
    if (setup_.showWindows) ShowWindow(hwnd, SW_SHOWNOACTIVATE);
    browser_->Start(false);
  } else {
    program_.DirectEditStart = false;
    if (setup_.showWindows) ShowWindow(hwnd, show);
    browser_->Start(true);
    if (decision.saveChosenFiles) browser_->AddChosenFiles(program_.PickedPaths);
  }
  if (decision.openEditWindow || decision.saveChosenFiles) browser_->StartEditSoon();
  if (decision.closeSoon) timers_.Start(IDT_CLOSE, 1000);
  mainView_->Refresh();
  return true;
}

void DesktopProgram::Dispatch(MSG& msg) {
  if (editView_ && editView_->PreTranslate(msg)) return;
  if (previewView_ && previewView_->PreTranslate(msg)) return;
  if (mainView_ && mainView_->Handle() && mainView_->PreTranslate(msg)) return;
  if (mainView_ && mainView_->Handle() && IsDialogMessageW(mainView_->Handle(), &msg)) return;
  TranslateMessage(&msg);
  DispatchMessageW(&msg);
}

int DesktopProgram::Run() {
  MSG msg;
  while (GetMessageW(&msg, nullptr, 0, 0) > 0) Dispatch(msg);
  return static_cast<int>(msg.wParam);
}

void DesktopProgram::Close() {
  if (closed_) return;
  closed_ = true;
  HWND hwnd = mainView_->Handle();
  // The window's place and the used folders; a settings file that cannot be
  // written does not keep the program from ending.
  WINDOWPLACEMENT placement{};
  placement.length = sizeof(placement);
  if (IsWindowVisible(hwnd) && GetWindowPlacement(hwnd, &placement)) {
    const RECT& r = placement.rcNormalPosition;
    const bool maximized = placement.showCmd == SW_SHOWMAXIMIZED;
    static_cast<void>(settings_->Update([&](IniDocument& doc) {
      using namespace SettingsKey;
      doc.SetBool(kForm, kMaximize, maximized);
      doc.SetInteger(kForm, kTop, r.top);
      doc.SetInteger(kForm, kLeft, r.left);
      doc.SetInteger(kForm, kHeight, r.bottom - r.top);
      doc.SetInteger(kForm, kWidth, r.right - r.left);
      if (program_.RenamedTotal != 0) doc.SetInteger(kForm, kTotalfiles, static_cast<std::int64_t>(program_.RenamedTotal));
      return true;
    }));
    browser_->SaveHistory();
    optionsHost_->RegisterOnExit();
  }
  // Pairs of a run that ended moments ago go to the log before the program ends.
  if (editCommands_) {
    editCommands_->FlushBeforeExit();
  } else {
    session_->Undo().FlushNow();
  }
  DestroyWindow(hwnd);
  PostQuitMessage(0);
}

}  // namespace renamora::ui::win

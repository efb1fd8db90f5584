// The desktop program: decides its folders, reads its settings, chooses its texts,
// creates its windows in their order, and runs the message loop.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/LanguageFiles.h"
#include "app/RunSession.h"
#include "app/SettingsFile.h"
#include "app/StartUp.h"
#include "core/ProgramState.h"
#include "core/UndoLog.h"
#include "platform/FileSystem.h"
#include "platform/Locale.h"
#include "platform/Prompter.h"
#include "ui/browser/MainWindow.h"
#include "ui/browser/win32/MainWindowView.h"
#include "ui/edit/ProgressWindow.h"
#include "ui/edit/RenameErrorDialog.h"
#include "ui/edit/win32/ProgressView.h"
#include "ui/edit/win32/RenameErrorView.h"
#include "ui/frame/AddOptionDialog.h"
#include "ui/frame/NewNameEditor.h"
#include "ui/frame/QuickStart.h"
#include "ui/frame/SingleRename.h"
#include "ui/frame/win32/AddOptionView.h"
#include "ui/frame/win32/NewNameEditorView.h"
#include "ui/frame/win32/QuickStartView.h"
#include "ui/frame/win32/SingleRenameView.h"
#include "ui/frame/OptionsDialog.h"
#include "ui/frame/win32/DesktopOptionsHost.h"
#include "ui/frame/win32/OptionsDialogView.h"
#include "ui/edit/EditCommands.h"
#include "ui/edit/EditProgram.h"
#include "ui/edit/EditWindow.h"
#include "ui/edit/PreviewWindow.h"
#include "ui/edit/SpecialStringDialog.h"
#include "ui/edit/win32/EditWindowView.h"
#include "ui/edit/win32/PreviewView.h"
#include "ui/edit/win32/SpecialStringView.h"
#include "ui/win/SaveFileDialog.h"

namespace renamora::ui::win {

struct DesktopSetup {
  std::vector<std::u16string> arguments;  // as argv: the program file first
  // Tests answer the message boxes and keep the windows hidden.
  Prompter* prompter = nullptr;
  bool showWindows = true;
  // Where the program file is; empty: the running one.
  std::u16string programFile;
};

class DesktopProgram {
 public:
  explicit DesktopProgram(DesktopSetup setup);
  ~DesktopProgram();

  // Construction of the main window and the start; false when no window could be made.
  bool Start();
  // The message loop, until the main window closes; the exit code.
  int Run();
  // The main loop's handling of one message (tests pump through it too).
  void Dispatch(MSG& msg);

  MainWindowView& MainWindow() { return *mainView_; }
  BrowserController& Browser() { return *browser_; }
  OptionsDialogView& OptionsDialog() { return *optionsView_; }
  OptionsController& Options() { return *options_; }
  const ProgramFolders& Folders() const { return folders_; }
  const TextLookup& Texts() const { return choice_.table; }
  FileSystem& Files() { return *fs_; }
  RunSession& Session() { return *session_; }
  // Closing the main window: its place and the folder history are saved.
  void Close();

  SingleRenameView& SingleRename() { return *renameView_; }
  AddOptionView& AddOption() { return *addOptionView_; }
  QuickStartView& QuickStart() { return *quickStartView_; }
  PreviewView& Preview() { return *previewView_; }
  PreviewController& PreviewWindow() { return *preview_; }
  // The windows around a run: the progress window is the run's observer and the
  // listing's search panel; the error window's handler goes to the undo log.
  ProgressController& Progress() { return *progress_; }
  ProgressView& ProgressWindow() { return *progressView_; }
  RenameErrorController& RenameError() { return *renameError_; }
  RenameErrorView& RenameErrorWindow() { return *renameErrorView_; }
  EditWindowController& Edit() { return *edit_; }
  EditWindowView& EditWindow() { return *editView_; }
  SpecialStringView& SpecialString() { return *specialView_; }
  NewNameEditorView& NewNameEditor() { return *newNameEditorView_; }
  NewNameEditorController& NewNameEditorState() { return *newNameEditor_; }
  // Told the new state of the quick start's "Show next time", so that the options
  // dialog's matching box shows the same.
  std::function<void(bool)> showGuideChanged;

 private:
  MainWindowDialogs Dialogs();
  bool CreateFrameDialogs();
  bool CreateRunWindows();
  bool CreateEditWindows();
  EditWindowHooks EditHooks();
  // The edit window for the edit the program state describes.
  void OpenEditWindow(bool needsProbe);
  void ShowPreview();
  bool RenameListItem(std::size_t index);

  DesktopSetup setup_;
  std::unique_ptr<FileSystem> fs_;
  std::unique_ptr<Locale> locale_;
  std::unique_ptr<Clock> clock_;
  std::unique_ptr<Prompter> ownPrompter_;
  Prompter* prompter_ = nullptr;
  ProgramFolders folders_;
  std::unique_ptr<SettingsFile> settings_;
  TableChoice choice_;
  ProgramState program_;
  std::unique_ptr<RunSession> session_;
  Win32Timers timers_;
  Win32BrowserHost host_;
  std::unique_ptr<BrowserController> browser_;
  std::unique_ptr<MainWindowView> mainView_;
  std::unique_ptr<SingleRenameController> rename_;
  std::unique_ptr<SingleRenameView> renameView_;
  std::unique_ptr<AddOptionController> addOption_;
  std::unique_ptr<AddOptionView> addOptionView_;
  std::unique_ptr<QuickStartController> quickStart_;
  std::unique_ptr<QuickStartView> quickStartView_;
  std::unique_ptr<Win32PreviewHost> previewHost_;
  std::unique_ptr<PreviewController> preview_;
  std::unique_ptr<PreviewView> previewView_;
  std::unique_ptr<ProgressController> progress_;
  std::unique_ptr<ProgressView> progressView_;
  std::unique_ptr<RenameErrorController> renameError_;
  std::unique_ptr<RenameErrorView> renameErrorView_;
  std::unique_ptr<NewNameEditorController> newNameEditor_;
  std::unique_ptr<NewNameEditorView> newNameEditorView_;
  std::unique_ptr<SpecialStringController> special_;
  std::unique_ptr<SpecialStringView> specialView_;
  std::unique_ptr<SaveFileDialog> saveDialog_;
  std::unique_ptr<ShellFileOpener> opener_;
  std::unique_ptr<EditProgram> editHost_;
  std::unique_ptr<EditCommands> editCommands_;
  Win32Timers editTimers_;
  std::unique_ptr<EditWindowController> edit_;
  std::unique_ptr<EditWindowView> editView_;
  // Where the main window comes back to after a start with an edit mode.
  int savedTop_ = 0;
  MainWindowDialogs dialogs_;
  std::unique_ptr<DesktopOptionsHost> optionsHost_;
  std::unique_ptr<OptionsController> options_;
  std::unique_ptr<OptionsDialogView> optionsView_;
  bool closed_ = false;
};

}  // namespace renamora::ui::win

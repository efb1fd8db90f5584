// The desktop program: decides its folders, reads its settings, chooses its texts,
// creates its windows in their order, and runs the message loop.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "app/LanguageFiles.h"
#include "app/SettingsFile.h"
#include "app/StartUp.h"
#include "core/ProgramState.h"
#include "core/UndoLog.h"
#include "platform/FileSystem.h"
#include "platform/Locale.h"
#include "platform/Prompter.h"
#include "ui/browser/MainWindow.h"
#include "ui/browser/win32/MainWindowView.h"
#include "ui/frame/OptionsDialog.h"
#include "ui/frame/win32/DesktopOptionsHost.h"
#include "ui/frame/win32/OptionsDialogView.h"

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
  // Closing the main window: its place and the folder history are saved.
  void Close();

 private:
  MainWindowDialogs Dialogs();

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
  std::unique_ptr<UndoLog> undo_;
  Win32Timers timers_;
  Win32BrowserHost host_;
  std::unique_ptr<BrowserController> browser_;
  std::unique_ptr<MainWindowView> mainView_;
  MainWindowDialogs dialogs_;
  std::unique_ptr<NewNameHistory> newNames_;
  std::unique_ptr<DesktopOptionsHost> optionsHost_;
  std::unique_ptr<OptionsController> options_;
  std::unique_ptr<OptionsDialogView> optionsView_;
  bool closed_ = false;
};

}  // namespace renamora::ui::win

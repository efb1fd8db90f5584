// The program around the edit window: the main window it reports to, the commands
// that run the engine, and the other windows of an edit, reached through hooks the
// desktop program fills in (tests fill in their own).
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "app/RunSession.h"
#include "app/Settings.h"
#include "app/SettingsFile.h"
#include "core/ProgramState.h"
#include "platform/RunCallbacks.h"
#include "ui/browser/MainWindow.h"
#include "ui/edit/EditCommands.h"
#include "ui/edit/EditWindow.h"

namespace renamora::ui {

// What lives in windows of their own; an empty hook does nothing.
struct EditWindowHooks {
  // The edit window's view: hidden while a long run shows its progress, shown
  // again when a run renamed nothing.
  std::function<void()> hideEditWindow;
  std::function<void()> showEditWindow;
  // The main window: back on the screen after a start with a mode argument,
  // repainted after a command changed its list, closed (the program ends).
  std::function<void()> restoreMainWindow;
  std::function<void()> refreshMainWindow;
  std::function<void()> closeMainWindow;
  // The special-string dialog: the token to insert, empty when none.
  std::function<std::u16string(int targetCount)> pickSpecialString;
  // The preview window: shown after a preview; closed when the edit window closes.
  std::function<void()> showPreview;
  std::function<void()> closePreviewIfVisible;
  std::function<void(std::u16string_view topic)> showHelp;
  std::function<void(std::u16string_view page)> openVendorPage;
  std::function<void(std::u16string_view text)> copyToClipboard;
  std::function<void()> playEndSound;
  // The options as the options dialog holds them, its Autocopy box switched, and
  // the settings read into it and the windows (a start with a mode argument).
  std::function<OptionSettings()> options;
  std::function<void(bool on)> setAutocopy;
  std::function<void()> loadSettings;
};

class EditProgram final : public EditWindowHost, public EditHost {
 public:
  EditProgram(BrowserController& browser, RunSession& session, SettingsFile& settings, ProgramState& program,
              EditWindowHooks hooks);
  // The window the host serves and the commands that run its edits (they report
  // to this host in turn); the run's deferred undo-log write starts the window's timer.
  void Bind(EditWindowController& window, EditCommands& commands);
  // An edit button of the main window, before the window opens on the program
  // state: the sample comes from the target probe when no list item gave one.
  void ProbeSample(bool needsProbe);
  // The main window's Save over chosen files: their names go to a text file.
  void SaveChosenFiles();

  // EditWindowHost.
  std::u16string MainStatusText() const override { return browser_.StatusText(); }
  void SetMainStatusText(std::u16string_view text) override { browser_.SetStatusText(text); }
  void SetMainSecondStatusText(std::u16string_view text) override { browser_.SetSecondStatusText(text); }
  bool ListShowsCheckBoxes() const override { return browser_.List().ShowsCheckBoxes(); }
  std::size_t ListItemCount() const override { return browser_.List().Count(); }
  void EmptyList() override { browser_.ClearListForEdit(); }
  void ReloadList() override;
  void PutFolderFirst(std::u16string_view folder) override { browser_.PutFolderFirst(folder); }
  void SetPathBox(std::u16string_view folder) override;
  void SetFileListMode(FileListMode mode) override { browser_.SetListMode(mode); }
  void AddChosenFiles(const std::vector<std::u16string>& paths) override { browser_.AddChosenFiles(paths); }
  void RestoreMainWindow() override { Call(hooks_.restoreMainWindow); }
  void StopMainStatusTimer() override { browser_.StopStatusTimer(); }
  void StartMainStatusTimer() override { browser_.StartStatusTimer(); }
  std::u16string Probe(const EditRequest& request) override { return commands_->Probe(request); }
  std::optional<FocusBox> Rename(EditRequest& request) override;
  std::optional<FocusBox> Preview(EditRequest& request) override;
  std::u16string PickSpecialString(int targetCount) override;
  void ClosePreviewWindowIfVisible() override { Call(hooks_.closePreviewIfVisible); }
  void ShowHelp(std::u16string_view topic) override;
  void OpenVendorPage(std::u16string_view page) override;
  void CopyToClipboard(std::u16string_view text) override;
  bool Autocopy() const override { return Options().Autocopy; }
  void SetAutocopy(bool on) override;
  bool ShowResultsAfterRename() const override { return Options().Options3; }
  void LoadSettings() override { Call(hooks_.loadSettings); }
  std::vector<std::u16string> NewNameHistory() const override;
  void WriteUndoLog() override { commands_->UndoLogTimerFired(); }

  // EditHost: what the end of a run does to the windows.
  void HideEditWindow() override { Call(hooks_.hideEditWindow); }
  void ShowEditWindow() override { Call(hooks_.showEditWindow); }
  void CloseEditWindow() override;
  void CloseMainWindow() override { Call(hooks_.closeMainWindow); }
  void PlayEndSound() override { Call(hooks_.playEndSound); }

 private:
  static void Call(const std::function<void()>& hook) {
    if (hook) hook();
  }
  OptionSettings Options() const { return hooks_.options ? hooks_.options() : browser_.Options(); }

  BrowserController& browser_;
  EditCommands* commands_ = nullptr;
  RunSession& session_;
  SettingsFile& settings_;
  ProgramState& program_;
  EditWindowHooks hooks_;
  EditWindowController* window_ = nullptr;
};

}  // namespace renamora::ui

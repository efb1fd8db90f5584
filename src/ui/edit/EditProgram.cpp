// The edit window's host in the program: main window, engine commands and the windows of an edit.
#include "ui/edit/EditProgram.h"

#include <utility>

#include "ui/ControlIds.h"

namespace renamora::ui {

EditProgram::EditProgram(BrowserController& browser, RunSession& session, SettingsFile& settings,
                         ProgramState& program, EditWindowHooks hooks)
    : browser_(browser),
      session_(session),
      settings_(settings),
      program_(program),
      hooks_(std::move(hooks)) {}

void EditProgram::Bind(EditWindowController& window, EditCommands& commands) {
  window_ = &window;
  commands_ = &commands;
  session_.Undo().onFlushScheduled = [this] {
    if (window_) window_->StartUndoLogTimer();
  };
}

void EditProgram::ProbeSample(bool needsProbe) {
  if (!window_ || !needsProbe) return;
  // The probe looks where the window's scope bar says; it may explain why it
  // found nothing, and the window opens all the same.
  commands_->SetOptions(Options());
  program_.SamplePath = commands_->Probe(window_->ReadRequest());
}

void EditProgram::SaveChosenFiles() {
  commands_->SetOptions(Options());
  commands_->SaveChosenFiles();
  Call(hooks_.refreshMainWindow);
}

void EditProgram::ReloadList() {
  browser_.ListPathBox(BrowserController::ListingReason::AfterRename);
  Call(hooks_.refreshMainWindow);
}

void EditProgram::SetPathBox(std::u16string_view folder) {
  browser_.TextChanged(IDC_MAIN_PATHBOX, folder);
}

std::optional<FocusBox> EditProgram::Rename(EditRequest& request) {
  // The options dialog may have changed them since the last command.
  commands_->SetOptions(Options());
  commands_->Rename(request);
  Call(hooks_.refreshMainWindow);
  return commands_->LastFocus();
}

std::optional<FocusBox> EditProgram::Preview(EditRequest& request) {
  commands_->SetOptions(Options());
  commands_->Preview(request);
  // The preview window shows whatever the command left in it: the rows, the row
  // that says nothing changes, or nothing after a refused input.
  Call(hooks_.showPreview);
  return commands_->LastFocus();
}

std::u16string EditProgram::PickSpecialString(int targetCount) {
  return hooks_.pickSpecialString ? hooks_.pickSpecialString(targetCount) : std::u16string{};
}

void EditProgram::ShowHelp(std::u16string_view topic) {
  if (hooks_.showHelp) hooks_.showHelp(topic);
}

void EditProgram::OpenVendorPage(std::u16string_view page) {
  if (hooks_.openVendorPage) hooks_.openVendorPage(page);
}

void EditProgram::CopyToClipboard(std::u16string_view text) {
  if (hooks_.copyToClipboard) hooks_.copyToClipboard(text);
}

void EditProgram::SetAutocopy(bool on) {
  if (hooks_.setAutocopy) hooks_.setAutocopy(on);
  // A preference switched from the menu is kept like every other setting: at once.
  static_cast<void>(settings_.Update([on](IniDocument& doc) {
    doc.SetBool(SettingsKey::kOption, SettingsKey::kAutocopy, on);
    return true;
  }));
}

std::vector<std::u16string> EditProgram::NewNameHistory() const {
  const auto* history = session_.History();
  return history ? history->Entries() : std::vector<std::u16string>{};
}

void EditProgram::CloseEditWindow() {
  if (window_) window_->Close();
}

}  // namespace renamora::ui

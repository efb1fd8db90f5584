// The new-name list editor (TForm8): the history's lines as one text to edit, Save and Close.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "app/NewNameHistory.h"
#include "app/SettingsFile.h"
#include "core/Messages.h"
#include "platform/Prompter.h"
#include "ui/WindowController.h"

namespace renamora::ui {

struct NewNameEditorServices {
  Prompter& prompter;
  const TextLookup& texts;
  SettingsFile& settings;  // Listnum is written here when a save changes it
  NewNameHistory& history;
};

class NewNameEditorController final : public WindowController {
 public:
  // The modal result once the editor closed, whichever way.
  static constexpr int kClosed = 1;

  explicit NewNameEditorController(NewNameEditorServices services) : s_(services) {}

  // The options dialog's Edit: the file's lines when there is a file (otherwise
  // the text it showed last), unchanged from here on. Call before showing modally.
  void Open();
  // The texts are applied again at the next opening.
  void LanguageChanged() { textsApplied_ = false; }
  // The history was cleared: the editor shows nothing either.
  void HistoryCleared();

  const std::u16string& Text() const { return text_; }
  bool Changed() const { return text_ != savedText_; }

  // A save gave the list another length, which is now the maximum (Listnum is
  // written already); the options dialog shows it.
  std::function<void(int maximum)> onMaximumChanged;

  std::u16string Caption() const override { return caption_; }
  std::vector<int> ControlIds() const override;
  ControlState State(int controlId) const override;
  void Command(int controlId) override;
  void TextChanged(int controlId, std::u16string_view text) override;
  // Enter in the text is a line break; the editor has no default button.
  bool Accept() override { return false; }
  // Esc and the close box close as the Close button does.
  bool CancelDialog() override;
  std::optional<int> CloseResult() const override { return closeResult_; }

 private:
  void ApplyTexts();
  void Save();
  void Close();

  NewNameEditorServices s_;
  bool textsApplied_ = false;
  std::u16string caption_, saveText_, closeText_;
  std::u16string text_;
  std::u16string savedText_;  // as loaded or saved last; a difference is a change
  std::optional<int> closeResult_;
};

}  // namespace renamora::ui

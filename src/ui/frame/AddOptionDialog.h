// The folder add option dialog: show a folder, or add the files of one folder to the chosen files.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "core/Messages.h"
#include "ui/WindowController.h"

namespace renamora::ui {

class AddOptionController final : public WindowController {
 public:
  // The dialog's results.
  static constexpr int kCancelled = 0;
  static constexpr int kShowFolder = 1;
  static constexpr int kAddFolderFiles = 2;

  explicit AddOptionController(const TextLookup& texts) : texts_(texts) {}

  // Before each modal showing. The texts are applied at the first showing and
  // again after a language change; the choice stays as the user left it.
  void Showing();
  void LanguageChanged() { textsApplied_ = false; }

  std::u16string Caption() const override { return caption_; }
  std::vector<int> ControlIds() const override;
  ControlState State(int controlId) const override;
  void Command(int controlId) override;
  // A double-click on an option chooses it and closes the dialog, as OK would.
  void DoubleClicked(int controlId);
  bool Accept() override;
  bool CancelDialog() override;
  std::optional<int> CloseResult() const override { return closeResult_; }

  int SelectedOption() const { return selected_; }

 private:
  const TextLookup& texts_;
  bool textsApplied_ = false;
  std::u16string caption_;
  std::array<std::u16string, 5> controlTexts_;  // option 1, option 2, note, OK, Cancel
  int selected_ = kShowFolder;
  std::optional<int> closeResult_;
};

}  // namespace renamora::ui

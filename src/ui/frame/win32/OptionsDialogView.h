// The options dialog's Win32 view (TForm7): a tab control over five pages of
// sibling controls, number boxes with arrows, the language and icon-set lists.
#pragma once

#include <map>
#include <string>

#include "platform/win32/IncludeWindows.h"
#include "ui/frame/OptionsDialog.h"
#include "ui/win/ControllerView.h"
#include "ui/win/Controls.h"

namespace renamora::ui::win {

class OptionsDialogView final : public ControllerView {
 public:
  // helpFile: the compiled help file whose "Options.htm" topic F1 opens.
  OptionsDialogView(OptionsController& controller, std::u16string helpFile);

  // Creates the window hidden, owned by the main window.
  bool Create(HWND owner);
  // The Options button: fills the dialog from the controller, shows it modally
  // over the owner and returns kOptionsOk or kOptionsCancel.
  int Open(HWND owner);

 protected:
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
  void AfterCommand() override;
  bool PreTranslateModal(MSG& msg) override;

 private:
  void CreateControls();
  void Layout();
  void FillFromController();
  void SyncSelections();
  void ApplyHint();
  void CentreOnScreen();
  void FocusChanged();
  LRESULT OnNotify(NMHDR* header);
  [[nodiscard]] bool StepNumber(int spinId, int delta);

  OptionsController& c_;
  std::u16string helpFile_;
  TabControl tabs_;
  std::map<int, Control> controls_;  // every other control, by id
  std::map<int, UpDown> spins_;
  ListBox languages_, iconSets_;
  HWND tooltip_ = nullptr;
  HWND savedFocus_ = nullptr;
  int focusedId_ = 0;
  int shownPage_ = -1;
  UINT dpi_ = 96;
};

}  // namespace renamora::ui::win

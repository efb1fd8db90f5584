// The folder add option dialog's Win32 view (TForm9): two options, a note, OK and Cancel.
#pragma once

#include "platform/win32/IncludeWindows.h"
#include "ui/frame/AddOptionDialog.h"
#include "ui/win/ControllerView.h"

namespace renamora::ui::win {

class AddOptionView final : public ControllerView {
 public:
  explicit AddOptionView(AddOptionController& controller) : ControllerView(controller), c_(controller) {}

  // Creates the dialog hidden, owned by owner and centred on the screen.
  bool Create(HWND owner);
  // Shows it modally; 0 cancelled, 1 show a folder, 2 add a folder's files.
  int Choose(HWND owner);

 protected:
  bool OnCommand(int id, int code, HWND control) override;

 private:
  AddOptionController& c_;
};

}  // namespace renamora::ui::win

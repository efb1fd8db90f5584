// The special-string dialog's Win32 view (TForm3): the seven kinds as radio buttons, their boxes, OK and Cancel.
#pragma once

#include <string>

#include "platform/win32/IncludeWindows.h"
#include "ui/edit/SpecialStringDialog.h"
#include "ui/win/ControllerView.h"
#include "ui/win/Controls.h"

namespace renamora::ui::win {

class SpecialStringView final : public ControllerView {
 public:
  explicit SpecialStringView(SpecialStringController& controller) : ControllerView(controller), c_(controller) {}

  // Creates the dialog hidden, owned by owner and centred on the screen.
  bool Create(HWND owner);
  // A Special button of the edit window: shows the dialog modally and gives the
  // token to put into the template box (empty: the box stays as it is).
  // targetCount: the number of items in the current target list.
  std::u16string PickSpecialString(HWND owner, int targetCount);

 protected:
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
  bool OnCommand(int id, int code, HWND control) override;

 private:
  void Layout();
  void FillDates();

  SpecialStringController& c_;
  ComboBox dates_;
  UpDown arrows_;
  Edit start_;
  bool writingStart_ = false;
  UINT dpi_ = 96;
};

}  // namespace renamora::ui::win

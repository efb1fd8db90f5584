// The single-item rename dialog's Win32 view (TForm2): the name box, the extension box and OK/Cancel.
#pragma once

#include "platform/win32/IncludeWindows.h"
#include "ui/frame/SingleRename.h"
#include "ui/win/ControllerView.h"

namespace renamora::ui::win {

class SingleRenameView final : public ControllerView {
 public:
  explicit SingleRenameView(SingleRenameController& controller) : ControllerView(controller) {}

  // Creates the dialog hidden, owned by owner and centred on the screen.
  bool Create(HWND owner);
};

}  // namespace renamora::ui::win

// The rename error window's Win32 view (TForm11): the refused rename's names, the
// reason, "do not show again" and Ok.
#pragma once

#include "platform/win32/IncludeWindows.h"
#include "ui/edit/RenameErrorDialog.h"
#include "ui/win/ControllerView.h"

namespace renamora::ui::win {

class RenameErrorView final : public ControllerView, public RenameErrorHost {
 public:
  explicit RenameErrorView(RenameErrorController& controller) : ControllerView(controller) {}

  // Creates the window hidden; owner is the window it is modal to when no other of
  // ours is active.
  bool Create(HWND owner);

  // RenameErrorHost: modal to the active window (the progress window during a
  // long run), centred on it.
  using ControllerView::ShowModal;
  void ShowModal() override;

 private:
  HWND owner_ = nullptr;
};

}  // namespace renamora::ui::win

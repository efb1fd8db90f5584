// The progress window's Win32 view (TForm5): name fields, searching panel, bar, Cancel.
#pragma once

#include "platform/win32/IncludeWindows.h"
#include "ui/edit/ProgressWindow.h"
#include "ui/win/ControllerView.h"

namespace renamora::ui::win {

class ProgressView final : public ControllerView, public ProgressHost {
 public:
  // Posted to itself once shown: the job starts from the window's own loop, so the
  // window is up before the first item.
  static constexpr UINT kStartJobMessage = WM_USER + 100;

  explicit ProgressView(ProgressController& controller) : ControllerView(controller), c_(controller) {}

  // Creates the window hidden, centred on the screen; owner is the window it is
  // modal to when no other of ours is active.
  bool Create(HWND owner);

  // ProgressHost.
  using ControllerView::ShowModal;
  void ShowModal() override;
  void Refresh() override;
  void Pump() override;
  void SetBusyCursor(bool busy) override;

 protected:
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  void SyncBar();

  ProgressController& c_;
  HWND owner_ = nullptr;
  bool busy_ = false;
  int shownPosition_ = -1;
  int shownMaximum_ = -1;
};

}  // namespace renamora::ui::win

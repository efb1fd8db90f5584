// The quick start window's Win32 view (TForm12): a translucent window beside the main window's list.
#pragma once

#include "platform/win32/IncludeWindows.h"
#include "ui/browser/win32/MainWindowView.h"
#include "ui/frame/QuickStart.h"
#include "ui/win/ControllerView.h"

namespace renamora::ui::win {

class QuickStartView final : public ControllerView {
 public:
  explicit QuickStartView(QuickStartController& controller) : ControllerView(controller), c_(controller) {}

  // Creates the window hidden, owned by the main window, at its initial place
  // beside the list's top left corner.
  bool Create(const MainWindowView& main);
  // Shows it without taking the focus from the main window; the first showing of
  // the run centres it over the list.
  void Show();
  // Hides it; only the close box counts as the user's closing.
  void Close();
  bool Visible() const { return Handle() && IsWindowVisible(Handle()); }

 protected:
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  QuickStartController& c_;
  const MainWindowView* main_ = nullptr;
};

}  // namespace renamora::ui::win

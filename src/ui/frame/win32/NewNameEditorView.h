// The new-name list editor's Win32 view (TForm8): a resizable window with the text above Save and Close.
#pragma once

#include "platform/win32/IncludeWindows.h"
#include "ui/frame/NewNameEditor.h"
#include "ui/win/ControllerView.h"

namespace renamora::ui::win {

class NewNameEditorView final : public ControllerView {
 public:
  explicit NewNameEditorView(NewNameEditorController& controller) : ControllerView(controller), c_(controller) {}

  // Creates the window hidden, owned by owner and centred on the screen.
  bool Create(HWND owner);
  // The options dialog's Edit: the file's lines, shown modally over owner.
  void Edit(HWND owner);

 protected:
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
  bool PreTranslateModal(MSG& msg) override;

 private:
  void Layout();

  NewNameEditorController& c_;
  UINT dpi_ = 96;
};

}  // namespace renamora::ui::win

// MessageBoxW behind the Prompter interface.
#include "ui/win/Win32Prompter.h"

#include "platform/win32/IncludeWindows.h"
#include "platform/win32/WideText.h"

namespace renamora::ui::win {

PromptAnswer Win32Prompter::Show(PromptIcon icon, PromptButtons buttons, std::u16string_view caption,
                                 std::u16string_view text) {
  UINT style = MB_TASKMODAL | MB_SETFOREGROUND;
  switch (icon) {
    case PromptIcon::Information: style |= MB_ICONINFORMATION; break;
    case PromptIcon::Warning: style |= MB_ICONWARNING; break;
    case PromptIcon::Error: style |= MB_ICONERROR; break;
    case PromptIcon::Question: style |= MB_ICONQUESTION; break;
  }
  switch (buttons) {
    case PromptButtons::Ok: style |= MB_OK; break;
    case PromptButtons::OkCancel: style |= MB_OKCANCEL; break;
    case PromptButtons::YesNo: style |= MB_YESNO; break;
    case PromptButtons::YesNoCancel: style |= MB_YESNOCANCEL; break;
  }
  const std::wstring wideText = ToWide(text);
  const std::wstring wideCaption = ToWide(caption);
  switch (MessageBoxW(nullptr, wideText.c_str(), wideCaption.c_str(), style)) {
    case IDOK: return PromptAnswer::Ok;
    case IDYES: return PromptAnswer::Yes;
    case IDNO: return PromptAnswer::No;
    default: return PromptAnswer::Cancel;
  }
}

}  // namespace renamora::ui::win

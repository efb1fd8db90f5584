// The program's message boxes: task-modal, without an owner window.
#pragma once

#include "platform/Prompter.h"

namespace renamora::ui::win {

class Win32Prompter final : public Prompter {
 public:
  PromptAnswer Show(PromptIcon icon, PromptButtons buttons, std::u16string_view caption,
                    std::u16string_view text) override;
};

}  // namespace renamora::ui::win

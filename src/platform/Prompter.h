// The program's message boxes: task-modal, no owner window.
#pragma once

#include <string_view>

namespace renamora {

enum class PromptIcon { Information, Warning, Error, Question };
enum class PromptButtons { Ok, OkCancel, YesNo, YesNoCancel };
enum class PromptAnswer { Ok, Cancel, Yes, No };

class Prompter {
 public:
  virtual ~Prompter() = default;
  virtual PromptAnswer Show(PromptIcon icon, PromptButtons buttons, std::u16string_view caption,
                            std::u16string_view text) = 0;

  void Inform(std::u16string_view caption, std::u16string_view text) {
    Show(PromptIcon::Information, PromptButtons::Ok, caption, text);
  }
};

}  // namespace renamora

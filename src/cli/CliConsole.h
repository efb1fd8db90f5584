// The command line's stand-ins for the message boxes and the progress window.
#pragma once

#include <cstddef>
#include <functional>
#include <iosfwd>
#include <optional>
#include <string>
#include <string_view>

#include "platform/Prompter.h"
#include "platform/RunCallbacks.h"

namespace renamora::cli {

// How questions are answered: --yes, --no, or neither (ask on the terminal).
enum class AnswerPolicy { Yes, No, Ask };

// Writes every message box to err as one line "Caption: text" and answers the
// questions by the policy. The answer that declines is the one that changes
// nothing: Cancel for OK/Cancel and Yes/No/Cancel (whose No goes ahead without
// saving), No for Yes/No.
class ConsolePrompter final : public Prompter {
 public:
  ConsolePrompter(std::ostream& err, AnswerPolicy policy, bool interactive,
                  std::function<std::optional<std::string>()> readLine);

  PromptAnswer Show(PromptIcon icon, PromptButtons buttons, std::u16string_view caption,
                    std::u16string_view text) override;

  int Questions() const { return questions_; }
  int Declined() const { return declined_; }

 private:
  PromptAnswer AskOnTerminal(PromptButtons buttons, const std::string& line);

  std::ostream& err_;
  AnswerPolicy policy_;
  bool interactive_;
  std::function<std::optional<std::string>()> readLine_;
  int questions_ = 0;
  int declined_ = 0;
};

// A one-line progress display "[done/total] name" redrawn in place; enabled only
// when err is a terminal, since a log file would collect every redraw.
class ConsoleProgress final : public RunObserver {
 public:
  ConsoleProgress(std::ostream& err, bool enabled);

  void RunProgressJob(const std::function<void()>& job) override;
  void BatchStarted(std::size_t items) override;
  void ItemRenamed(std::u16string_view oldName, std::u16string_view newName) override;

 private:
  std::ostream& err_;
  bool enabled_;
  std::size_t total_ = 0;
  std::size_t done_ = 0;
  std::size_t lastStep_ = static_cast<std::size_t>(-1);
};

}  // namespace renamora::cli

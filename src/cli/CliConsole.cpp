// The command line's stand-ins for the message boxes and the progress window.
#include "cli/CliConsole.h"

#include <algorithm>
#include <cctype>
#include <ostream>
#include <utility>

#include "base/text/Utf.h"
#include "cli/CliOutput.h"

namespace renamora::cli {
namespace {

// A message written while the progress line stands would be glued to its end, so
// the width of the line on screen is kept with the stream, where the prompter
// writing to the same stream finds it and wipes the line first.
int LiveLineSlot() {
  static const int slot = std::ios_base::xalloc();
  return slot;
}

void EraseLiveLine(std::ostream& err) {
  long& width = err.iword(LiveLineSlot());
  if (width <= 0) return;
  err << '\r' << std::string(static_cast<std::size_t>(width), ' ') << '\r';
  width = 0;
  err.flush();
}

bool IsLineBreak(char16_t c) { return c == u'\n' || c == u'\r'; }

// Message texts hold line breaks for the dialog's layout; on one console line a
// run of them reads as one blank, and none is left at either end.
std::u16string OneLine(std::u16string_view text) {
  std::u16string line;
  bool pendingBlank = false;
  for (char16_t c : text) {
    if (IsLineBreak(c)) {
      pendingBlank = !line.empty();
      continue;
    }
    if (pendingBlank) line += u' ';
    pendingBlank = false;
    line += c;
  }
  return line;
}

const char* AnswerTag(PromptAnswer answer) {
  switch (answer) {
    case PromptAnswer::Ok:
      return "[OK]";
    case PromptAnswer::Cancel:
      return "[Cancel]";
    case PromptAnswer::Yes:
      return "[Yes]";
    case PromptAnswer::No:
      return "[No]";
  }
  return "";
}

PromptAnswer Accepting(PromptButtons buttons) {
  return buttons == PromptButtons::OkCancel ? PromptAnswer::Ok : PromptAnswer::Yes;
}

PromptAnswer Declining(PromptButtons buttons) {
  return buttons == PromptButtons::YesNo ? PromptAnswer::No : PromptAnswer::Cancel;
}

const char* Choices(PromptButtons buttons) {
  switch (buttons) {
    case PromptButtons::OkCancel:
      return "[ok/cancel]";
    case PromptButtons::YesNo:
      return "[yes/no]";
    default:
      return "[yes/no/cancel]";
  }
}

// The typed answer, or nothing for a word that is not one of the answers.
std::optional<PromptAnswer> ParseAnswer(PromptButtons buttons, std::string typed) {
  const auto notBlank = [](unsigned char c) { return !std::isspace(c); };
  typed.erase(typed.begin(), std::find_if(typed.begin(), typed.end(), notBlank));
  typed.erase(std::find_if(typed.rbegin(), typed.rend(), notBlank).base(), typed.end());
  std::transform(typed.begin(), typed.end(), typed.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  if (typed == "y" || typed == "yes" || typed == "o" || typed == "ok") return Accepting(buttons);
  if (typed == "n" || typed == "no") {
    return buttons == PromptButtons::OkCancel ? PromptAnswer::Cancel : PromptAnswer::No;
  }
  if (typed == "c" || typed == "cancel") return Declining(buttons);
  return std::nullopt;
}

}  // namespace

ConsolePrompter::ConsolePrompter(std::ostream& err, AnswerPolicy policy, bool interactive,
                                 std::function<std::optional<std::string>()> readLine)
    : err_(err), policy_(policy), interactive_(interactive), readLine_(std::move(readLine)) {}

PromptAnswer ConsolePrompter::Show(PromptIcon /*icon*/, PromptButtons buttons, std::u16string_view caption,
                                   std::u16string_view text) {
  EraseLiveLine(err_);
  // Messages quote names, which may hold any character but "/".
  std::string line = ConsoleText(OneLine(caption));
  if (!line.empty()) line += ": ";
  line += ConsoleText(OneLine(text));
  if (buttons == PromptButtons::Ok) {
    err_ << line << '\n';
    err_.flush();
    return PromptAnswer::Ok;
  }

  ++questions_;
  PromptAnswer answer;
  if (policy_ == AnswerPolicy::Yes) {
    answer = Accepting(buttons);
  } else if (policy_ == AnswerPolicy::Ask && interactive_) {
    answer = AskOnTerminal(buttons, line);
  } else {
    answer = Declining(buttons);
  }
  if (answer == PromptAnswer::Cancel || answer == PromptAnswer::No) ++declined_;
  if (policy_ != AnswerPolicy::Ask || !interactive_) err_ << line << ' ' << AnswerTag(answer) << '\n';
  err_.flush();
  return answer;
}

// The typed answer stays on the terminal's line after the question; only an end
// of input, which echoes nothing, has its answer written out.
PromptAnswer ConsolePrompter::AskOnTerminal(PromptButtons buttons, const std::string& line) {
  err_ << line << ' ' << Choices(buttons) << ' ';
  for (;;) {
    err_.flush();
    std::optional<std::string> typed = readLine_ ? readLine_() : std::nullopt;
    if (!typed) {
      const PromptAnswer answer = Declining(buttons);
      err_ << AnswerTag(answer) << '\n';
      return answer;
    }
    if (auto answer = ParseAnswer(buttons, *typed)) return *answer;
    err_ << "Please answer " << Choices(buttons) << ' ';
  }
}

namespace {

constexpr std::size_t kProgressColumns = 70;
constexpr std::u16string_view kEllipsis = u"...";

// Counts code points, taking a surrogate pair as one.
std::size_t CodePoints(std::u16string_view text) {
  std::size_t count = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (i + 1 < text.size() && text[i] >= 0xD800 && text[i] <= 0xDBFF && text[i + 1] >= 0xDC00 &&
        text[i + 1] <= 0xDFFF) {
      ++i;
    }
    ++count;
  }
  return count;
}

// The first count code points of text, never splitting a surrogate pair.
std::u16string_view FirstCodePoints(std::u16string_view text, std::size_t count) {
  std::size_t i = 0;
  for (std::size_t taken = 0; taken < count && i < text.size(); ++taken) {
    const bool pair =
        i + 1 < text.size() && text[i] >= 0xD800 && text[i] <= 0xDBFF && text[i + 1] >= 0xDC00 && text[i + 1] <= 0xDFFF;
    i += pair ? 2 : 1;
  }
  return text.substr(0, i);
}

}  // namespace

ConsoleProgress::ConsoleProgress(std::ostream& err, bool enabled) : err_(err), enabled_(enabled) {}

void ConsoleProgress::RunProgressJob(const std::function<void()>& job) {
  // Cleared however the job ends, so the shell's prompt never lands after it.
  struct ClearAtEnd {
    ConsoleProgress& progress;
    ~ClearAtEnd() {
      if (progress.enabled_) EraseLiveLine(progress.err_);
    }
  } clearAtEnd{*this};
  job();
}

void ConsoleProgress::BatchStarted(std::size_t items) {
  total_ = items;
  done_ = 0;
  lastStep_ = static_cast<std::size_t>(-1);
}

void ConsoleProgress::ItemRenamed(std::u16string_view /*oldName*/, std::u16string_view newName) {
  if (!enabled_) return;
  ++done_;
  // A terminal draws far slower than small files rename: a big batch is redrawn
  // once per thousandth, a small one on every item.
  if (total_ > 0 && done_ < total_) {
    const std::size_t step = done_ * 1000 / total_;
    if (step == lastStep_) return;
    lastStep_ = step;
  }

  std::u16string line = u"[" + U16(std::to_string(done_));
  if (total_ > 0) line += u"/" + U16(std::to_string(total_));
  line += u"] ";
  // A control character in a name would move the cursor off the line being redrawn.
  std::u16string name(newName);
  std::replace_if(
      name.begin(), name.end(), [](char16_t c) { return c < 0x20 || c == 0x7F; }, u'?');
  const std::size_t room = kProgressColumns > CodePoints(line) ? kProgressColumns - CodePoints(line) : 0;
  if (CodePoints(name) > room && room > kEllipsis.size()) {
    line += FirstCodePoints(name, room - kEllipsis.size());
    line += kEllipsis;
  } else {
    line += name;
  }

  long& drawn = err_.iword(LiveLineSlot());
  const std::size_t width = CodePoints(line);
  const std::size_t previous = drawn > 0 ? static_cast<std::size_t>(drawn) : 0;
  err_ << '\r' << ToUtf8Lossy(line);
  if (previous > width) err_ << std::string(previous - width, ' ');
  drawn = static_cast<long>(std::max(width, previous));
  err_.flush();
}

}  // namespace renamora::cli

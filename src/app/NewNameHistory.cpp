// The new-name history: adding, cutting to the maximum, clearing and the editor's save.
#include "app/NewNameHistory.h"

#include <algorithm>

#include "core/TextFile.h"

namespace renamora {

NewNameHistory::NewNameHistory(FileSystem& fs, const Locale& locale, std::u16string filePath, int maximum)
    : fs_(fs), locale_(locale), path_(std::move(filePath)), maximum_(std::clamp(maximum, 0, 100)) {}

void NewNameHistory::Load() {
  if (auto lines = ReadTextLines(fs_, path_, locale_)) entries_ = *std::move(lines);
}

void NewNameHistory::Store() {
  if (maximum_ == 0) {
    entries_.clear();
    // The history only offers earlier texts: a file that cannot go or be written
    // costs the offer, never a run.
    if (fs_.Exists(path_)) static_cast<void>(fs_.DeleteFile(path_));
    return;
  }
  if (entries_.size() > std::size_t(maximum_)) entries_.resize(std::size_t(maximum_));
  // A file that is there but cannot be read (another program holds it, or it has
  // no read rights) would be replaced by this session's few entries: it stays as
  // it is, and the list in memory serves this session.
  if (!fs_.ReadFile(path_) && fs_.Exists(path_)) return;
  static_cast<void>(WriteTextLines(fs_, path_, entries_, locale_));
}

void NewNameHistory::Add(std::u16string_view text) {
  // From what the file holds now: another instance may have added to it, and a
  // file that could not be read when the list was loaded may be readable now.
  Load();
  std::erase_if(entries_, [&](const std::u16string& e) { return locale_.CompareNoCase(e, text) == 0; });
  entries_.insert(entries_.begin(), std::u16string(text));
  Store();
  // The boxes show what the file holds; when it could not be written the list in
  // memory still serves this session.
  Load();
}

void NewNameHistory::ChangeMaximum(int maximum) {
  const int lower = std::clamp(maximum, 0, 100);
  const bool cut = lower < maximum_;
  maximum_ = lower;
  if (!cut) return;
  Load();
  Store();
}

bool NewNameHistory::Clear(Prompter& prompter, const TextLookup& texts) {
  const std::u16string caption = texts.Lookup(221) + u" " + texts.Lookup(Msg::kConfirmation);
  if (prompter.Show(PromptIcon::Question, PromptButtons::YesNo, caption, texts.Lookup(298)) != PromptAnswer::Yes) {
    return false;
  }
  // A file that cannot be deleted would bring the list back at the next start.
  if (fs_.Exists(path_) && !fs_.DeleteFile(path_)) return false;
  entries_.clear();
  return true;
}

std::optional<std::u16string> NewNameHistory::EditorText() const {
  auto lines = ReadTextLines(fs_, path_, locale_);
  if (!lines) return std::nullopt;
  std::u16string text;
  for (const auto& line : *lines) {
    if (!text.empty()) text += u"\r\n";
    text += line;
  }
  return text;
}

bool NewNameHistory::SaveEditorText(std::u16string_view text) {
  std::vector<std::u16string> lines = SplitLines(text);
  std::erase_if(lines, [](const std::u16string& line) { return line.empty(); });
  if (lines.empty()) {
    if (fs_.Exists(path_)) static_cast<void>(fs_.DeleteFile(path_));
  } else {
    static_cast<void>(WriteTextLines(fs_, path_, lines, locale_));
  }
  entries_ = std::move(lines);
  // A saved list of five entries limits the history to five from now on, and an
  // empty one switches it off.
  const int count = static_cast<int>(std::min<std::size_t>(entries_.size(), 100));
  if (count == maximum_) return false;
  maximum_ = count;
  return true;
}

EditorCloseChoice AskEditorClose(Prompter& prompter, const TextLookup& texts) {
  const std::u16string caption = texts.Lookup(5) + u" " + texts.Lookup(Msg::kConfirmation);
  switch (prompter.Show(PromptIcon::Question, PromptButtons::YesNoCancel, caption, texts.Lookup(300))) {
    case PromptAnswer::Yes:
      return EditorCloseChoice::Save;
    case PromptAnswer::No:
      return EditorCloseChoice::Discard;
    default:
      return EditorCloseChoice::StayOpen;
  }
}

}  // namespace renamora

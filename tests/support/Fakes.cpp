// Scripted stand-ins for the windows around a run.
#include "support/Fakes.h"

namespace renamora::test {

PromptAnswer RecordingPrompter::Show(PromptIcon icon, PromptButtons buttons, std::u16string_view caption,
                                     std::u16string_view text) {
  shown.push_back({icon, buttons, std::u16string(caption), std::u16string(text)});
  if (!answers.empty()) {
    const PromptAnswer a = answers.front();
    answers.pop_front();
    return a;
  }
  return buttons == PromptButtons::YesNo || buttons == PromptButtons::YesNoCancel ? PromptAnswer::Yes
                                                                                  : PromptAnswer::Ok;
}

std::vector<std::u16string> RecordingPrompter::Texts() const {
  std::vector<std::u16string> out;
  for (const auto& s : shown) out.push_back(s.text);
  return out;
}

EngineWorld::EngineWorld() {
  observer.stop = &run.Stop;
  // As at a program start: random strings differ from one start to the next.
  sequences.RandomSeedBase = static_cast<std::uint32_t>(clock->UnixSeconds());
}

RunServices EngineWorld::Services() {
  RunSink& runSink = sinkOverride ? *sinkOverride : sink;
  return RunServices{*fs,     *locale, *clock, texts,    prompter,  observer, list,    runSink, host,
                     program, run,     preview,  sequences, special,  options, checks, history, protectedFolder};
}

std::vector<std::u16string> EngineWorld::PreviewNewNames() const {
  std::vector<std::u16string> out;
  for (const auto& r : preview.Rows()) out.push_back(r.IsInformation ? u"<info> " + r.OldName : r.NewName);
  return out;
}

std::vector<std::u16string> EngineWorld::PreviewOldNames() const {
  std::vector<std::u16string> out;
  for (const auto& r : preview.Rows()) {
    if (!r.IsInformation) out.push_back(r.OldName);
  }
  return out;
}

}  // namespace renamora::test

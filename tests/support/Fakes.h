// Scripted stand-ins for the windows around a run: message boxes, the main
// window's list, the undo sink and the edit window.
#pragma once

#include <deque>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "app/StringTable.h"
#include "core/RenameEngine.h"
#include "platform/Locale.h"
#include "platform/Prompter.h"
#include "platform/RunCallbacks.h"

namespace renamora::test {

struct PromptRecord {
  PromptIcon icon;
  PromptButtons buttons;
  std::u16string caption;
  std::u16string text;
};

class RecordingPrompter : public Prompter {
 public:
  PromptAnswer Show(PromptIcon icon, PromptButtons buttons, std::u16string_view caption,
                    std::u16string_view text) override;
  // Answers for the next questions, in order; when none is left, OK / Yes.
  std::deque<PromptAnswer> answers;
  std::vector<PromptRecord> shown;
  std::vector<std::u16string> Texts() const;
};

struct ListItem {
  std::u16string text;
  bool checked = true;
};

class FakeTargetList : public TargetList {
 public:
  std::size_t Count() const override { return items.size(); }
  std::u16string ItemText(std::size_t i) const override { return items[i].text; }
  bool IsChecked(std::size_t i) const override { return items[i].checked; }
  bool ShowsCheckBoxes() const override { return checkBoxes; }
  void SetItemText(std::size_t i, std::u16string_view text) override { items[i].text = std::u16string(text); }
  void AddItem(std::u16string_view path) override { items.push_back({std::u16string(path), true}); }

  std::vector<ListItem> items;
  bool checkBoxes = false;
};

class RecordingSink : public RunSink {
 public:
  void RecordUndoPair(std::u16string_view current, std::u16string_view previous) override {
    pending.emplace_back(current, previous);
  }
  std::size_t PendingUndoPairs() const override { return pending.size(); }
  void FlushNow() override {
    ++flushes;
    written = std::move(pending);
    pending.clear();
  }
  void ScheduleFlush() override { ++scheduled; }
  void RenameFailed(std::u16string_view oldName, std::u16string_view newName, RenameStatus status) override {
    failures.push_back({std::u16string(oldName), std::u16string(newName), status});
  }

  struct Failure {
    std::u16string oldName, newName;
    RenameStatus status;
  };
  std::vector<std::pair<std::u16string, std::u16string>> pending, written;
  std::vector<Failure> failures;
  int flushes = 0, scheduled = 0;
};

class RecordingHost : public EditHost {
 public:
  void HideEditWindow() override { events.push_back("hide edit"); }
  void ShowEditWindow() override { events.push_back("show edit"); }
  void CloseEditWindow() override { events.push_back("close edit"); }
  void CloseMainWindow() override { events.push_back("close main"); }
  void PlayEndSound() override { events.push_back("sound"); }
  std::vector<std::string> events;
};

class RecordingObserver : public RunObserver {
 public:
  void RunProgressJob(const std::function<void()>& job) override {
    ++progressJobs;
    job();
  }
  void BatchStarted(std::size_t items) override { batches.push_back(items); }
  void ItemRenamed(std::u16string_view, std::u16string_view newName) override {
    renamed.emplace_back(newName);
    if (stopAfter > 0 && int(renamed.size()) >= stopAfter && stop) stop->Set();
  }
  int progressJobs = 0;
  std::vector<std::size_t> batches;
  std::vector<std::u16string> renamed;
  // Simulates a Cancel in the progress window after this many renames.
  int stopAfter = 0;
  StopRequest* stop = nullptr;
};

// Everything a RenameEngine needs, with the real backend of this system.
struct EngineWorld {
  EngineWorld();
  RenameEngine Engine() { return RenameEngine(Services()); }
  RunServices Services();

  std::unique_ptr<FileSystem> fs = MakeSystemFileSystem();
  std::unique_ptr<Locale> locale = MakeSystemLocale();
  std::unique_ptr<Clock> clock = MakeSystemClock();
  StringTable texts;
  RecordingPrompter prompter;
  RecordingObserver observer;
  FakeTargetList list;
  RecordingSink sink;
  RunSink* sinkOverride = nullptr;  // set: the run's pairs go there instead of sink
  RecordingHost host;
  ProgramState program;
  RunState run;
  PreviewRows preview;
  SequenceState sequences;
  SpecialStringSettings special;
  RunOptions options;
  InputChecks* checks = nullptr;
  TemplateHistory* history = nullptr;
  std::u16string protectedFolder;  // the data folder a run must leave alone

  std::vector<std::u16string> PreviewNewNames() const;
  std::vector<std::u16string> PreviewOldNames() const;
};

}  // namespace renamora::test

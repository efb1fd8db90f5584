// What a rename run needs from the windows around it: progress, the main window's
// list, and where undo pairs and refused renames go.
#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>

#include "platform/FileSystem.h"

namespace renamora {

// Process-wide stop flag: set by a Cancel (or the preview row limit), read by the
// loops between items. Single-threaded, so a plain flag.
class StopRequest {
 public:
  void Set() { set_ = true; }
  void Clear() { set_ = false; }
  bool IsSet() const { return set_; }

 private:
  bool set_ = false;
};

class RunObserver {
 public:
  virtual ~RunObserver() = default;

  // Runs a long job inside the modal progress window; the window calls job from its
  // own message loop and closes when it returns. Without a window the job runs at once.
  virtual void RunProgressJob(const std::function<void()>& job) { job(); }
  virtual void SetBusyCursor(bool /*busy*/) {}
  // Progress display while a progress job runs.
  virtual void BatchStarted(std::size_t /*items*/) {}
  virtual void ItemRenamed(std::u16string_view /*oldName*/, std::u16string_view /*newName*/) {}
  // Lets pending window messages through, so that Cancel can set the stop request.
  virtual void PumpEvents() {}
};

// The main window's file list as a run sees it.
class TargetList {
 public:
  virtual ~TargetList() = default;
  virtual std::size_t Count() const = 0;
  virtual std::u16string ItemText(std::size_t index) const = 0;
  virtual bool IsChecked(std::size_t index) const = 0;
  virtual bool ShowsCheckBoxes() const = 0;
  virtual void SetItemText(std::size_t index, std::u16string_view text) = 0;
  // Adds an item for a path (date and size looked up, empty type, checked).
  virtual void AddItem(std::u16string_view path) = 0;
};

// Receives what a real run must remember or report.
class RunSink {
 public:
  virtual ~RunSink() = default;
  // Just before a real rename: the pair it will make if it succeeds. False: the
  // pair's record could not be kept, and the rename must not happen.
  [[nodiscard]] virtual bool RenameStarting(std::u16string_view /*currentPath*/,
                                            std::u16string_view /*previousPath*/) {
    return true;
  }
  // Told of the steps of a rename through a temporary name; none: nobody asks.
  virtual RenameSteps* Steps() { return nullptr; }
  virtual void RecordUndoPair(std::u16string_view currentPath, std::u16string_view previousPath) = 0;
  virtual std::size_t PendingUndoPairs() const = 0;
  // Writes the pending pairs to the undo log now (program closing, or exit after a run).
  virtual void FlushNow() = 0;
  // Writes the pending pairs after the usual delay (the edit window's 3000 ms timer).
  virtual void ScheduleFlush() = 0;
  // The platform refused a rename; the rename error window, unless suppressed.
  virtual void RenameFailed(std::u16string_view oldName, std::u16string_view newName,
                            RenameStatus status) = 0;
};

// The windows that the end of a run opens and closes, and its sound.
class EditHost {
 public:
  virtual ~EditHost() = default;
  virtual void HideEditWindow() {}
  virtual void ShowEditWindow() {}
  virtual void CloseEditWindow() {}
  virtual void CloseMainWindow() {}
  virtual void PlayEndSound() {}
};

}  // namespace renamora

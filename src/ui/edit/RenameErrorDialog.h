// The rename error window (TForm11): which rename the system refused, and a check
// box that keeps the window away for the rest of the program's life.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/Messages.h"
#include "platform/FileSystem.h"
#include "ui/WindowController.h"

namespace renamora::ui {

class RenameErrorHost {
 public:
  virtual ~RenameErrorHost() = default;
  // Shows the window modally; returns when the controller has a close result.
  virtual void ShowModal() = 0;
};

class RenameErrorController final : public WindowController {
 public:
  static constexpr int kClosed = 1;

  explicit RenameErrorController(const TextLookup& texts) : texts_(texts) {}
  void BindHost(RenameErrorHost* host) { host_ = host; }

  // A refused rename: the window with the item's name (the path's last part) and
  // the name it should have had, unless an earlier showing's check box was ticked.
  void Show(std::u16string_view oldPath, std::u16string_view newName);
  // What the undo log calls for every refused rename (UndoLog::onRenameFailed).
  std::function<void(std::u16string_view, std::u16string_view, RenameStatus)> FailureHandler();
  // The check box's state; never saved, so it holds until the program ends.
  bool Suppressed() const { return suppressed_; }

  std::u16string Caption() const override { return caption_; }
  std::vector<int> ControlIds() const override;
  ControlState State(int controlId) const override;
  void Command(int controlId) override;
  void Checked(int controlId, bool checked) override;
  bool Accept() override;
  bool CancelDialog() override;
  std::optional<int> CloseResult() const override { return closeResult_; }

 private:
  const TextLookup& texts_;
  RenameErrorHost* host_ = nullptr;
  std::u16string caption_;
  std::u16string label_, toLabel_, reason_, suppressText_, okText_;
  std::u16string oldName_, newName_;
  bool suppressed_ = false;
  std::optional<int> closeResult_;
};

}  // namespace renamora::ui

// The portable side of a window: its state, its rules and its commands. The Win32
// view creates the controls, forwards what the user does, and after every call
// mirrors State() of each control; so every rule is tested without a window.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace renamora::ui {

// What one control shows.
struct ControlState {
  bool visible = true;
  bool enabled = true;
  bool checked = false;  // check boxes, radio buttons, check menu entries
  bool bold = false;
  std::u16string text;   // caption, box text or label; empty for controls whose text the view owns
  friend bool operator==(const ControlState&, const ControlState&) = default;
};

// Where the keyboard focus must go after a command (a refused input puts it into the
// box concerned), and whether the box's whole text is selected then.
struct FocusRequest {
  int controlId = 0;
  bool selectAll = false;
};

// The window's timers: the view runs them with SetTimer, tests fire them by hand.
class WindowTimers {
 public:
  virtual ~WindowTimers() = default;
  virtual void Start(int timerId, unsigned milliseconds) = 0;
  virtual void Stop(int timerId) = 0;
};

class WindowController {
 public:
  virtual ~WindowController() = default;

  virtual std::u16string Caption() const = 0;
  // The controls whose state the view mirrors.
  virtual std::vector<int> ControlIds() const = 0;
  virtual ControlState State(int controlId) const = 0;

  // A button, check box, radio button or menu entry was used. A check box's own
  // click has already flipped it: the view passes the new state through Checked.
  virtual void Command(int /*controlId*/) {}
  virtual void Checked(int /*controlId*/, bool /*checked*/) {}
  // The user edited a box; the view sends the whole new text.
  virtual void TextChanged(int /*controlId*/, std::u16string_view /*text*/) {}
  // A list or combo box selection changed; -1 for none.
  virtual void SelectionChanged(int /*controlId*/, int /*index*/) {}
  virtual void TimerFired(int /*timerId*/) {}

  // Enter and Esc in a dialog; false when the key is not the dialog's to take.
  virtual bool Accept() { return false; }
  virtual bool CancelDialog() { return false; }

  // A modal dialog ends when this has a value (its result); the view hides it.
  virtual std::optional<int> CloseResult() const { return std::nullopt; }
  // The focus the last command asked for, given once.
  std::optional<FocusRequest> TakeFocusRequest() {
    auto request = focusRequest_;
    focusRequest_.reset();
    return request;
  }

 protected:
  void RequestFocus(int controlId, bool selectAll = false) { focusRequest_ = FocusRequest{controlId, selectAll}; }

 private:
  std::optional<FocusRequest> focusRequest_;
};

}  // namespace renamora::ui

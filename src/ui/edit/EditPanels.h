// The six option panels of the edit window (Remove, Replace, Insert, Change,
// Extension, Save): their controls, the choices that show and hide parts of them,
// and the one table that maps each option control to the request field of the
// same name the command line sets, read both ways.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/EditRequest.h"
#include "core/Messages.h"
#include "ui/WindowController.h"

namespace renamora::ui {

// Which plain input box the user last pressed the mouse in; the automatic copy of
// a sample selection goes by it. Numbered as the settings and help texts know them.
enum class InputBox : int {
  ExistingString = 0,
  RemoveString1 = 1,
  RemoveString2 = 2,
  RemoveString3 = 3,
  Left = 4,
  Right = 5,
  SecondString = 6,
  AlsoErase = 7,
  KeepOther = 8,
  KeepString1 = 9,
  KeepString2 = 10,
};

// What a panel command did beyond its own controls; the window acts on it.
struct PanelEffect {
  bool clearSampleSelection = false;
  std::optional<int> focus;  // a control id
};

class EditPanels {
 public:
  EditPanels();

  // Every control of the six panels whose state the view mirrors.
  std::vector<int> ControlIds() const;
  ControlState State(int controlId) const;
  // True when the id belongs to the panels.
  bool Owns(int controlId) const;

  // The panel shown: one of the EditMode identifiers of an edit; any other mode
  // shows none.
  void ShowPanelOf(std::u16string_view mode);
  const std::u16string& Mode() const { return mode_; }
  // Top of the shown panel in the window's 96-DPI client coordinates; `chosenFiles`
  // puts it where the hidden scope group would stand.
  int PanelTop(bool scopeGroupShown, bool chosenFiles) const;

  // Commands of the panel controls; the effect says what the window must do too.
  PanelEffect Command(int controlId);
  PanelEffect Checked(int controlId, bool checked);
  PanelEffect TextChanged(int controlId, std::u16string_view text);
  PanelEffect SelectionChanged(int controlId, int index);
  // A mouse press in one of the plain input boxes (it sets LastInputBox and the
  // window clears the sample selection). False when the id is no such box.
  bool InputBoxPressed(int controlId);
  InputBox LastInputBox() const { return lastInputBox_; }
  void SetLastInputBox(InputBox box) { lastInputBox_ = box; }

  // The box an automatic copy of the sample selection goes into under the current
  // panel and choice; none when this choice takes no copy.
  std::optional<int> AutoCopyTarget() const;
  // Puts a text into a box (automatic copy, a special-string token, the old
  // extension at setting up).
  void SetText(int controlId, std::u16string_view text);
  std::u16string Text(int controlId) const;

  // The box the focus goes to 100 ms after setting up; none for choices without one.
  std::optional<int> FirstFocus() const;
  // The template box a Special button fills; none when the id is no Special button.
  std::optional<int> SpecialTarget(int buttonId) const;

  // The six template boxes' shared drop-down list (most recent first).
  void SetHistory(std::vector<std::u16string> entries);
  const std::vector<std::u16string>& History() const { return history_; }
  std::uint64_t HistoryVersion() const { return historyVersion_; }

  // The options of the request as the controls hold them (mode and scope bar
  // excluded: the window owns those), through the command line's field table.
  void ReadInto(EditRequest& request) const;
  // The request's options into the controls.
  void Show(const EditRequest& request);

  // The string table's texts on the panels' controls; design texts stand until then.
  void ApplyTexts(const TextLookup& texts);

 private:
  std::u16string mode_;
  InputBox lastInputBox_ = InputBox::RemoveString1;
  std::vector<std::u16string> history_;
  std::uint64_t historyVersion_ = 0;
  // The rest is the implementer's.
};

}  // namespace renamora::ui

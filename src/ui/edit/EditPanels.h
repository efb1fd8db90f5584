// The six option panels of the edit window (Remove, Replace, Insert, Change,
// Extension, Save): their controls, the choices that show and hide parts of them,
// and the one table that maps each option control to the request field of the
// same name the command line sets, read both ways.
#pragma once

#include <cstdint>
#include <map>
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

// What kind of control an id stands for, so that the view creates the right one.
enum class PanelControlKind {
  Panel,         // the container of one panel
  Group,         // a framed sub-area; hiding it hides what stands in it
  Label,
  Button,        // "Clear all" and the Special buttons
  CheckBox,
  Radio,
  Edit,          // a plain one-line input box
  TemplateCombo, // a drop-down box (CBS_DROPDOWN) offering the new-name history
  DropDownList,  // a drop-down list (CBS_DROPDOWNLIST)
};

// What a panel command did beyond its own controls; the window acts on it.
struct PanelEffect {
  bool clearSampleSelection = false;
  std::optional<int> focus;  // a control id
};

class EditPanels {
 public:
  // The scope group stands at 88, where the Save panel (which replaces it) stands,
  // and is 100 px tall: the scope row at its lowest (71 + 22 px) plus a margin. The
  // panels of a folder edit stand 3 px below it.
  static constexpr int kScopeGroupTop = 88;
  static constexpr int kScopeGroupBottom = 188;

  EditPanels();

  // Every control of the six panels whose state the view mirrors.
  std::vector<int> ControlIds() const;
  ControlState State(int controlId) const;
  // True when the id belongs to the panels.
  bool Owns(int controlId) const;
  PanelControlKind Kind(int controlId) const;
  // The control's hint (tooltip); empty until the string table gives one, except
  // where the design carries one.
  std::u16string Hint(int controlId) const;
  // The items of the drop-down list ("Position to insert:"); the template boxes
  // list History() instead. Empty for any other id.
  std::vector<std::u16string> Items(int controlId) const;
  // The chosen item of the drop-down list; -1 for any other id.
  int SelectedIndex(int controlId) const;

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
  // True when a mouse press into this box clears the sample selection: the boxes
  // InputBoxPressed takes and also "New name:", which is no LastInputBox. The
  // window calls both on every press into a panel box.
  bool ClickClearsSelection(int controlId) const;
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
  // Opening on the Remove panel also makes "Remove String 1" the box that receives
  // automatic copies, so this is no mere query.
  std::optional<int> FirstFocus();
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
  // The control that holds a request field (`RemoveOptions.Strings1`), so that a
  // refused input can put the focus into its box; for a choice, its first radio.
  // None for fields no panel holds (the scope bar, the sample, the settings').
  static std::optional<int> ControlOfField(std::u16string_view fieldName);

  // The string table's texts on the panels' controls; design texts stand until then.
  void ApplyTexts(const TextLookup& texts);

 private:
  std::u16string mode_;
  InputBox lastInputBox_ = InputBox::RemoveString1;
  std::vector<std::u16string> history_;
  std::uint64_t historyVersion_ = 0;
  struct Slot {
    bool checked = false;
    std::u16string text;  // the design or applied caption, or the box's text
    std::u16string hint;
    int index = 0;        // the drop-down list's chosen item
  };
  Slot& At(int controlId);
  bool IsChecked(int controlId) const;
  bool OwnVisible(int controlId) const;
  bool Visible(int controlId) const;
  void Choose(int radioId);
  PanelEffect RadioEffect(int radioId);

  std::map<int, Slot> slots_;
  std::vector<std::u16string> whereItems_;
};

}  // namespace renamora::ui

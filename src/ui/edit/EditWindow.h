// The edit window (TForm1): target and sample lines, scope group, toolbar, about
// panel and the sample box's mouse selection around the six option panels, which
// it composes and forwards to.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "app/FileList.h"
#include "core/EditRequest.h"
#include "core/InputChecks.h"
#include "core/Messages.h"
#include "core/ProgramState.h"
#include "platform/FileSystem.h"
#include "platform/Prompter.h"
#include "ui/WindowController.h"
#include "ui/edit/EditPanels.h"

namespace renamora::ui {

// Everything outside the window that it reads or drives: the main window, the
// engine, the other windows of an edit, the options and the shell. One interface,
// so that the program and a test implement it in one place each.
class EditWindowHost {
 public:
  virtual ~EditWindowHost() = default;

  // The main window.
  virtual std::u16string MainStatusText() const = 0;  // first panel of the status bar
  virtual void SetMainStatusText(std::u16string_view text) = 0;
  virtual void SetMainSecondStatusText(std::u16string_view text) = 0;
  virtual bool ListShowsCheckBoxes() const = 0;
  virtual std::size_t ListItemCount() const = 0;
  virtual void EmptyList() = 0;
  // Lists the folder of the path box again.
  virtual void ReloadList() = 0;
  // The folder goes first in the used-folder history and into the path box.
  virtual void PutFolderFirst(std::u16string_view folder) = 0;
  virtual void SetPathBox(std::u16string_view folder) = 0;
  virtual void SetFileListMode(FileListMode mode) = 0;
  virtual void AddChosenFiles(const std::vector<std::u16string>& paths) = 0;
  // The end of a start with a mode argument: back onto the screen, visible.
  virtual void RestoreMainWindow() = 0;
  virtual void StopMainStatusTimer() = 0;
  virtual void StartMainStatusTimer() = 0;

  // The engine: the first item the request would work on (empty after the
  // probe's own message), the Rename command, and the preview entry followed by
  // showing the preview window.
  virtual std::u16string Probe(const EditRequest& request) = 0;
  // Both give the box a refused input named, for the focus.
  virtual std::optional<FocusBox> Rename(EditRequest& request) = 0;
  virtual std::optional<FocusBox> Preview(EditRequest& request) = 0;

  // The special-string dialog, shown modally; the token to insert, empty when
  // cancelled. targetCount sizes the sequence-number token it offers.
  virtual std::u16string PickSpecialString(int targetCount) = 0;
  virtual void ClosePreviewWindowIfVisible() = 0;
  virtual void ShowHelp(std::u16string_view topic) = 0;
  virtual void OpenVendorPage(std::u16string_view page) = 0;
  virtual void CopyToClipboard(std::u16string_view text) = 0;

  // Options: Autocopy (read and switched, as the options dialog's check box) and
  // Options3, "Display result after rename files".
  virtual bool Autocopy() const = 0;
  virtual void SetAutocopy(bool on) = 0;
  virtual bool ShowResultsAfterRename() const = 0;
  // A start with a mode argument reads the settings when the window first shows.
  virtual void LoadSettings() = 0;
  virtual std::vector<std::u16string> NewNameHistory() const = 0;
  // The deferred write of the pending undo pairs.
  virtual void WriteUndoLog() = 0;
};

struct EditWindowServices {
  FileSystem& fs;
  const TextLookup& texts;
  Prompter& prompter;
  WindowTimers& timers;
  EditWindowHost& host;
  ProgramState& program;
  RunState& run;
};

// The box of the edit window that a refused input names.
int ControlOf(FocusBox box);

// The modal result once the window has closed.
inline constexpr int kEditWindowClosed = 2;

// Tops of the scope group's movable controls, in 96-DPI pixels from the group's top.
struct ScopeTops {
  int label = 0;
  int box = 0;
  int subfolders = 0;
  friend bool operator==(const ScopeTops&, const ScopeTops&) = default;
};

struct SampleSpan {
  int start = 0;   // characters in front of the selection (the caret when empty)
  int length = 0;
  friend bool operator==(const SampleSpan&, const SampleSpan&) = default;
};

class EditWindowController final : public WindowController {
 public:
  explicit EditWindowController(const EditWindowServices& services);

  EditPanels& Panels() { return panels_; }
  const EditPanels& Panels() const { return panels_; }

  // Shows the window for the edit the program state describes (or, after
  // OpenAbout, the about panel). The view shows it after this call.
  void Open();
  // The main window's About: the about panel instead of the edit area, then Open.
  void OpenAbout();
  // Back, the close box, and the end of a run or a save.
  void Close();
  bool IsOpen() const { return open_; }

  // The window and the preview window are placed on the first showing and after
  // the options dialog asked for it; the view calls Placed once it has.
  bool NeedsPlacing() const { return needsPlacing_; }
  void Placed() { needsPlacing_ = false; }
  void PlaceAnew() { needsPlacing_ = true; }

  // The string table's texts: the view calls this when the main window's text
  // timer fires; a change of language asks for it again.
  void ApplyTexts();
  void LanguageChanged() { textsApplied_ = false; }
  bool TextsApplied() const { return textsApplied_; }

  // The run's deferred undo-log write (3000 ms).
  void StartUndoLogTimer();

  std::u16string Caption() const override;
  std::vector<int> ControlIds() const override;
  ControlState State(int controlId) const override;
  // A control's tooltip; empty for none.
  std::u16string Hint(int controlId) const;
  void Command(int controlId) override;
  void Checked(int controlId, bool checked) override;
  void TextChanged(int controlId, std::u16string_view text) override;
  void SelectionChanged(int controlId, int index) override;
  void TimerFired(int timerId) override;
  // Esc: Back (of the about panel while it shows).
  bool CancelDialog() override;
  std::optional<int> CloseResult() const override { return closeResult_; }

  // The three hot keys: 0 Rename (Ctrl+R), 1 Preview (Ctrl+P), 2 Back (Ctrl+E).
  void HotKey(int hotKeyId);
  // F1.
  std::u16string HelpTopic() const;
  void Help();

  // Scope group.
  std::vector<std::u16string> ScopeItems() const;
  int ScopeBoxIndex() const { return static_cast<int>(s_.program.ScopeIndex); }
  std::vector<std::u16string> TypeFilterItems() const;
  ScopeTops ScopeControlTops() const;
  // Top of the shown option panel in the window's 96-DPI client coordinates.
  int PanelTop() const;

  // The sample box. The view reports the selection after every change, the
  // mouse presses and moves; the controller's own changes of the selection bump
  // SelectionVersion, and the view then shows SelectionToShow.
  void SampleSelectionChanged(int start, int length);
  void SampleMousePressed(int caretPosition);
  void SampleMouseMoved();
  void SampleMouseLeft() { mouseInSample_ = false; }
  void SampleEnterPressed();
  // The preview's "Show On": another item's name becomes the sample, unmarked.
  void ShowOn(std::u16string_view text, std::u16string_view hint);
  std::uint64_t SelectionVersion() const { return selectionVersion_; }
  SampleSpan SelectionToShow() const { return selection_; }
  int CursorPosition() const { return cursorPosition_; }
  // A mouse press in an input box of the panels; some of them take the sample's
  // selection away, so that a run does not use a stale mark.
  void InputBoxPressed(int controlId);
  // The selection of a template box, reported before its Special button's
  // command: the token replaces that span. Without it, it goes at the end.
  void TemplateBoxSelection(int boxId, int start, int length);

  // The edit request as the window holds it; the scope bar's filters are
  // trimmed and written back on the way, as a run does.
  EditRequest ReadRequest();

 private:
  std::u16string T(MessageId id) const { return s_.texts.Lookup(id); }
  // A control's state by its own rule, before the about panel hides the rest.
  ControlState OwnState(int controlId) const;
  void Inform(MessageId id);
  void SetUp();
  void SetTargetLine();
  void ChooseScope(int index);
  void SetSample(std::u16string_view path);
  std::u16string SampleTextOf(std::u16string_view path) const;
  void ChooseMode(std::u16string_view mode);
  void RunRename();
  void RunPreview();
  void AfterRun(const EditRequest& request, std::optional<FocusBox> refused);
  void Back();
  void AboutBack();
  void ApplyPanelEffect(const PanelEffect& effect);
  void ClearSampleSelection();
  void AutoCopy();
  void InsertSpecialString(int boxId);
  EditRequest ScopeRequest() const;
  bool ScopeGroupShown() const;
  bool EditsFolder() const { return !s_.program.TargetFolder.empty(); }
  const std::u16string& Mode() const { return s_.program.CurrentMode; }

  EditWindowServices s_;
  EditPanels panels_;
  bool open_ = false;
  std::optional<int> closeResult_;
  bool aboutShown_ = false;
  bool needsPlacing_ = true;
  bool textsApplied_ = false;

  std::u16string targetText_;
  std::u16string targetHint_;
  bool typeFilterShown_ = true;
  bool moreOptionsShown_ = false;
  bool includeSubfolders_ = false;
  bool includeHidden_ = false;
  bool includeSystem_ = false;
  bool typeFilterOn_ = false;
  std::u16string typeFilter_;

  std::u16string sampleText_;
  std::u16string sampleHint_;
  SampleSpan selection_;
  std::uint64_t selectionVersion_ = 0;
  bool mouseInSample_ = false;
  int cursorPosition_ = 0;
  std::optional<int> templateBox_;
  SampleSpan templateSelection_;
};

}  // namespace renamora::ui

// The preview window: old and new names of the last preview run, the Rename and
// Close buttons, and the list's context menu.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "core/Messages.h"
#include "core/PreviewRows.h"
#include "ui/WindowController.h"

namespace renamora::ui {

// What the preview window asks of the windows around it.
class PreviewHost {
 public:
  virtual ~PreviewHost() = default;
  // The edit window's Rename command, exactly as its own button runs it.
  virtual void RenameFromPreview() = 0;
  // Makes text the edit window's sample name and hint the sample box's hint.
  virtual void ShowOnSample(std::u16string_view text, std::u16string_view hint) = 0;
  virtual void CopyText(std::u16string_view text) = 0;
  virtual void ShowHelp(std::u16string_view topic) = 0;
};

// The designed client area; the window is made 700 pixels wide when it is first
// placed beside the edit window.
inline constexpr int kPreviewClientWidth = 684;
inline constexpr int kPreviewClientHeight = 535;
inline constexpr int kPreviewPlacedWidth = 700;

struct PreviewRect {
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;
  friend bool operator==(const PreviewRect&, const PreviewRect&) = default;
};

// The preview's place at the edit window's first showing: the window of its
// designed size (windowWidth x windowHeight, frame included) centred in the work
// area, halves truncated toward zero, then made placedWidth wide with its left edge
// kept where the centring put it.
PreviewRect PreviewFirstPlace(PreviewRect workArea, int windowWidth, int windowHeight, int placedWidth);

// The preview window's caption: the Preview button's caption, " - ", and the edit
// window's caption up to its first " -" (the kind of edit; a caption without " -"
// is taken whole).
std::u16string PreviewCaption(std::u16string_view previewButtonCaption, std::u16string_view editWindowCaption);

// The text a row's first column gives the sample box: cut at its last "." (whole
// when it has none).
std::u16string SampleTextOf(std::u16string_view oldName);
// The name part of a row's first column: after its last "\" or "/".
std::u16string FileNameOf(std::u16string_view oldName);

class PreviewController final : public WindowController {
 public:
  // rows are the run's own preview rows; the controller reads them where they are.
  PreviewController(const PreviewRows& rows, const TextLookup& texts, PreviewHost& host);

  // Before every showing: the texts at the first one (and after a language
  // change), maximized or normal as the option asks.
  void Showing(bool maximized);
  bool Visible() const { return visible_; }
  bool Maximized() const { return maximized_; }
  // The edit window closes: the preview goes with it.
  void Hide() { visible_ = false; }
  // Another language: applied at once while the window shows, else at its next showing.
  void LanguageChanged();

  void SetCaptionFrom(std::u16string_view previewButtonCaption, std::u16string_view editWindowCaption);
  // The rows were emptied or filled: the view sets its row count again when the
  // version differs from the one it shows.
  // The list view forgets its selection with the old rows, and so does the menu.
  void RowsChanged() {
    ++rowsVersion_;
    firstSelected_ = -1;
  }
  std::uint64_t RowsVersion() const { return rowsVersion_; }
  std::size_t RowCount() const { return rows_.Count(); }
  // Column 0 the old name, column 1 the new one (empty on an information row).
  std::u16string_view CellText(std::size_t row, int column) const;
  // A message row: the view lets its text run across both columns.
  bool IsInformationRow(std::size_t row) const { return row < rows_.Count() && rows_.Row(row).IsInformation; }
  std::u16string ColumnTitle(int column) const;
  std::u16string HintText(int controlId) const;
  std::u16string MenuText(int menuId) const;
  ControlState MenuState(int menuId) const;

  std::u16string Caption() const override { return caption_; }
  std::vector<int> ControlIds() const override;
  ControlState State(int controlId) const override;
  void Command(int controlId) override;
  // The list tells its first selected row; -1 when none is selected.
  void SelectionChanged(int controlId, int index) override;
  // Esc and the close box hide the window.
  bool CancelDialog() override;
  // F1.
  void HelpRequested();

 private:
  void ApplyTexts();
  bool HasSelection() const;

  const PreviewRows& rows_;
  const TextLookup& texts_;
  PreviewHost& host_;
  std::u16string caption_;
  std::u16string renameText_, closeText_, renameHint_, closeHint_, oldTitle_, newTitle_;
  bool textsApplied_ = false;
  bool visible_ = false;
  bool maximized_ = false;
  int firstSelected_ = -1;
  std::uint64_t rowsVersion_ = 0;
};

}  // namespace renamora::ui

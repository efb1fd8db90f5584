// The preview window's rules: caption, texts, row cells, menu and buttons.
#include "ui/edit/PreviewWindow.h"

#include "ui/ControlIds.h"

namespace renamora::ui {
namespace {

constexpr int kControls[] = {IDC_PREVIEW_LIST, IDC_PREVIEW_RENAME, IDC_PREVIEW_CLOSE};
constexpr MessageId kOldTitle = 202;
constexpr MessageId kNewTitle = 203;
constexpr MessageId kRename = 204;
constexpr MessageId kClose = 205;
constexpr MessageId kRenameHint = 336;
constexpr MessageId kPreview = 35;
constexpr char16_t kHelpTopic[] = u"Preview.htm";

}  // namespace

PreviewRect PreviewFirstPlace(PreviewRect workArea, int windowWidth, int windowHeight, int placedWidth) {
  // Integer division truncates toward zero, also where the window is larger than
  // the work area and the difference is negative.
  return PreviewRect{workArea.left + (workArea.width - windowWidth) / 2,
                     workArea.top + (workArea.height - windowHeight) / 2, placedWidth, windowHeight};
}

std::u16string PreviewCaption(std::u16string_view previewButtonCaption, std::u16string_view editWindowCaption) {
  const std::size_t cut = editWindowCaption.find(u" -");
  return std::u16string(previewButtonCaption) + u" - " + std::u16string(editWindowCaption.substr(0, cut));
}

std::u16string SampleTextOf(std::u16string_view oldName) {
  return std::u16string(oldName.substr(0, oldName.rfind(u'.')));
}

std::u16string FileNameOf(std::u16string_view oldName) {
  const std::size_t separator = oldName.find_last_of(u"\\/");
  return std::u16string(separator == std::u16string_view::npos ? oldName : oldName.substr(separator + 1));
}

PreviewController::PreviewController(const PreviewRows& rows, const TextLookup& texts, PreviewHost& host)
    : rows_(rows), texts_(texts), host_(host) {}

void PreviewController::Showing(bool maximized) {
  visible_ = true;
  maximized_ = maximized;
  if (!textsApplied_) ApplyTexts();
}

void PreviewController::LanguageChanged() {
  textsApplied_ = false;
  if (visible_) ApplyTexts();
}

void PreviewController::ApplyTexts() {
  oldTitle_ = texts_.Lookup(kOldTitle);
  newTitle_ = texts_.Lookup(kNewTitle);
  renameText_ = texts_.Lookup(kRename);
  closeText_ = texts_.Lookup(kClose);
  renameHint_ = texts_.Lookup(kRenameHint);
  closeHint_ = closeText_ + u" " + texts_.Lookup(kPreview);
  textsApplied_ = true;
}

void PreviewController::SetCaptionFrom(std::u16string_view previewButtonCaption,
                                       std::u16string_view editWindowCaption) {
  caption_ = PreviewCaption(previewButtonCaption, editWindowCaption);
}

std::u16string_view PreviewController::CellText(std::size_t row, int column) const {
  if (row >= rows_.Count()) return {};
  const PreviewRow& r = rows_.Row(row);
  if (column == 0) return r.OldName;
  if (column == 1 && !r.IsInformation) return r.NewName;
  return {};
}

std::u16string PreviewController::ColumnTitle(int column) const {
  if (column == 0) return oldTitle_;
  if (column == 1) return newTitle_;
  return {};
}

std::u16string PreviewController::HintText(int controlId) const {
  if (controlId == IDC_PREVIEW_RENAME) return renameHint_;
  if (controlId == IDC_PREVIEW_CLOSE) return closeHint_;
  return {};
}

// These two entries have no message number: every language shows them in English.
std::u16string PreviewController::MenuText(int menuId) const {
  if (menuId == IDM_PREVIEW_SHOW_ON) return u"Show On";
  if (menuId == IDM_PREVIEW_COPY_NAME) return u"Copy Filename";
  return {};
}

ControlState PreviewController::MenuState(int menuId) const {
  ControlState state;
  state.text = MenuText(menuId);
  state.enabled = HasSelection();
  return state;
}

bool PreviewController::HasSelection() const {
  return firstSelected_ >= 0 && static_cast<std::size_t>(firstSelected_) < rows_.Count();
}

std::vector<int> PreviewController::ControlIds() const { return {std::begin(kControls), std::end(kControls)}; }

ControlState PreviewController::State(int controlId) const {
  ControlState state;
  if (controlId == IDC_PREVIEW_RENAME) state.text = renameText_;
  if (controlId == IDC_PREVIEW_CLOSE) state.text = closeText_;
  return state;
}

void PreviewController::Command(int controlId) {
  switch (controlId) {
    case IDC_PREVIEW_RENAME:
      // Hidden first: the run's own windows (progress, errors, the edit window
      // coming back with message 129) must not stand behind a stale preview.
      visible_ = false;
      host_.RenameFromPreview();
      break;
    case IDC_PREVIEW_CLOSE:
      visible_ = false;
      break;
    case IDM_PREVIEW_SHOW_ON:
      if (HasSelection()) {
        const std::u16string_view name = rows_.Row(static_cast<std::size_t>(firstSelected_)).OldName;
        host_.ShowOnSample(SampleTextOf(name), name);
      }
      break;
    case IDM_PREVIEW_COPY_NAME:
      if (HasSelection()) host_.CopyText(FileNameOf(rows_.Row(static_cast<std::size_t>(firstSelected_)).OldName));
      break;
    default:
      break;
  }
}

void PreviewController::SelectionChanged(int controlId, int index) {
  if (controlId == IDC_PREVIEW_LIST) firstSelected_ = index;
}

bool PreviewController::CancelDialog() {
  visible_ = false;
  return true;
}

void PreviewController::HelpRequested() { host_.ShowHelp(kHelpTopic); }

}  // namespace renamora::ui

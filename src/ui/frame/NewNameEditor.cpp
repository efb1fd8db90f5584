// The new-name list editor's rules: loading, saving with its effect on Listnum, and closing.
#include "ui/frame/NewNameEditor.h"

#include "app/Settings.h"
#include "ui/ControlIds.h"

namespace renamora::ui {
namespace {

constexpr MessageId kCaption = 297;
constexpr MessageId kSave = 5;  // the main window's Save button says the same
constexpr MessageId kClose = 205;

std::u16string JoinLines(const std::vector<std::u16string>& lines) {
  std::u16string text;
  for (const auto& line : lines) {
    if (!text.empty()) text += u"\r\n";
    text += line;
  }
  return text;
}

}  // namespace

void NewNameEditorController::ApplyTexts() {
  caption_ = s_.texts.Lookup(kCaption);
  saveText_ = s_.texts.Lookup(kSave);
  closeText_ = s_.texts.Lookup(kClose);
  textsApplied_ = true;
}

void NewNameEditorController::Open() {
  closeResult_.reset();
  if (!textsApplied_) ApplyTexts();
  if (auto fileText = s_.history.EditorText()) text_ = *std::move(fileText);
  savedText_ = text_;
  RequestFocus(IDC_NNE_TEXT);
}

void NewNameEditorController::HistoryCleared() {
  text_.clear();
  savedText_.clear();
}

std::vector<int> NewNameEditorController::ControlIds() const { return {IDC_NNE_TEXT, IDC_NNE_SAVE, IDC_NNE_CLOSE}; }

ControlState NewNameEditorController::State(int controlId) const {
  ControlState state;
  switch (controlId) {
    case IDC_NNE_TEXT:
      state.text = text_;
      break;
    case IDC_NNE_SAVE:
      state.text = saveText_;
      break;
    case IDC_NNE_CLOSE:
      state.text = closeText_;
      break;
    default:
      break;
  }
  return state;
}

void NewNameEditorController::Command(int controlId) {
  switch (controlId) {
    case IDC_NNE_SAVE:
      Save();
      break;
    case IDC_NNE_CLOSE:
      Close();
      break;
    default:
      break;
  }
}

void NewNameEditorController::TextChanged(int controlId, std::u16string_view text) {
  if (controlId == IDC_NNE_TEXT) text_ = std::u16string(text);
}

bool NewNameEditorController::CancelDialog() {
  Close();
  return true;
}

void NewNameEditorController::Save() {
  const bool maximumChanged = s_.history.SaveEditorText(text_);
  // The box shows what was stored: the blank lines are gone from it too.
  text_ = JoinLines(s_.history.Entries());
  savedText_ = text_;
  if (!maximumChanged) return;
  const int maximum = s_.history.Maximum();
  // A settings file that cannot be written leaves the new maximum in force for
  // this session; the list itself is stored already.
  static_cast<void>(s_.settings.WriteInteger(SettingsKey::kOption, SettingsKey::kListnum, maximum));
  if (onMaximumChanged) onMaximumChanged(maximum);
}

void NewNameEditorController::Close() {
  if (Changed()) {
    switch (AskEditorClose(s_.prompter, s_.texts)) {
      case EditorCloseChoice::Save:
        Save();
        break;
      case EditorCloseChoice::Discard:
        text_.clear();
        savedText_.clear();
        break;
      case EditorCloseChoice::StayOpen:
        return;
    }
  }
  closeResult_ = kClosed;
}

}  // namespace renamora::ui

// The folder add option dialog's rules.
#include "ui/frame/AddOptionDialog.h"

#include "ui/ControlIds.h"

namespace renamora::ui {
namespace {

constexpr int kControls[] = {IDC_ADD_OPTION1, IDC_ADD_OPTION2, IDC_ADD_NOTE, IDC_ADD_OK, IDC_ADD_CANCEL};
constexpr MessageId kTexts[] = {226, 227, 228, 34, 224};
constexpr MessageId kCaption = 225;

}  // namespace

void AddOptionController::Showing() {
  closeResult_.reset();
  if (textsApplied_) return;
  caption_ = texts_.Lookup(kCaption);
  for (std::size_t i = 0; i < controlTexts_.size(); ++i) controlTexts_[i] = texts_.Lookup(kTexts[i]);
  textsApplied_ = true;
}

std::vector<int> AddOptionController::ControlIds() const { return {std::begin(kControls), std::end(kControls)}; }

ControlState AddOptionController::State(int controlId) const {
  ControlState state;
  for (std::size_t i = 0; i < controlTexts_.size(); ++i) {
    if (kControls[i] == controlId) state.text = controlTexts_[i];
  }
  if (controlId == IDC_ADD_OPTION1 || controlId == IDC_ADD_OPTION2) {
    const int option = controlId == IDC_ADD_OPTION1 ? kShowFolder : kAddFolderFiles;
    // The chosen option stands out in bold, so the choice reads at a glance.
    state.checked = state.bold = option == selected_;
  }
  return state;
}

void AddOptionController::Command(int controlId) {
  switch (controlId) {
    case IDC_ADD_OPTION1:
      selected_ = kShowFolder;
      break;
    case IDC_ADD_OPTION2:
      selected_ = kAddFolderFiles;
      break;
    case IDC_ADD_OK:
      closeResult_ = selected_;
      break;
    case IDC_ADD_CANCEL:
      closeResult_ = kCancelled;
      break;
    default:
      break;
  }
}

void AddOptionController::DoubleClicked(int controlId) {
  if (controlId != IDC_ADD_OPTION1 && controlId != IDC_ADD_OPTION2) return;
  Command(controlId);
  Command(IDC_ADD_OK);
}

bool AddOptionController::Accept() {
  Command(IDC_ADD_OK);
  return true;
}

bool AddOptionController::CancelDialog() {
  Command(IDC_ADD_CANCEL);
  return true;
}

}  // namespace renamora::ui

// The rename error window's rules.
#include "ui/edit/RenameErrorDialog.h"

#include "base/Paths.h"
#include "ui/ControlIds.h"

namespace renamora::ui {
namespace {

constexpr MessageId kCaption = 398;
constexpr MessageId kLabel = 399;
constexpr MessageId kToLabel = 400;
constexpr MessageId kReason = 401;
constexpr MessageId kSuppress = 402;
// The button's one fixed English text.
constexpr char16_t kOkText[] = u"Ok";

constexpr int kControls[] = {IDC_RENERR_LABEL,  IDC_RENERR_OLD_NAME, IDC_RENERR_TO_LABEL, IDC_RENERR_NEW_NAME,
                             IDC_RENERR_REASON, IDC_RENERR_SUPPRESS, IDC_RENERR_OK};

}  // namespace

void RenameErrorController::Show(std::u16string_view oldPath, std::u16string_view newName) {
  if (suppressed_) return;
  // Every showing, so that a language chosen since the last one is used.
  caption_ = texts_.Lookup(kCaption);
  label_ = texts_.Lookup(kLabel);
  toLabel_ = texts_.Lookup(kToLabel);
  reason_ = texts_.Lookup(kReason);
  suppressText_ = texts_.Lookup(kSuppress);
  okText_ = kOkText;
  oldName_ = NameView(oldPath);
  newName_ = NameView(newName);
  closeResult_.reset();
  RequestFocus(IDC_RENERR_OK);
  if (host_) host_->ShowModal();
}

std::function<void(std::u16string_view, std::u16string_view, RenameStatus)> RenameErrorController::FailureHandler() {
  return [this](std::u16string_view oldName, std::u16string_view newName, RenameStatus) { Show(oldName, newName); };
}

std::vector<int> RenameErrorController::ControlIds() const { return {std::begin(kControls), std::end(kControls)}; }

ControlState RenameErrorController::State(int controlId) const {
  ControlState state;
  switch (controlId) {
    case IDC_RENERR_LABEL:
      state.text = label_;
      break;
    case IDC_RENERR_OLD_NAME:
      state.text = oldName_;
      break;
    case IDC_RENERR_TO_LABEL:
      state.text = toLabel_;
      break;
    case IDC_RENERR_NEW_NAME:
      state.text = newName_;
      break;
    case IDC_RENERR_REASON:
      state.text = reason_;
      break;
    case IDC_RENERR_SUPPRESS:
      state.text = suppressText_;
      state.checked = suppressed_;
      break;
    case IDC_RENERR_OK:
      state.text = okText_;
      break;
    default:
      break;
  }
  return state;
}

void RenameErrorController::Command(int controlId) {
  if (controlId == IDC_RENERR_OK) closeResult_ = kClosed;
}

void RenameErrorController::Checked(int controlId, bool checked) {
  if (controlId == IDC_RENERR_SUPPRESS) suppressed_ = checked;
}

bool RenameErrorController::Accept() {
  closeResult_ = kClosed;
  return true;
}

bool RenameErrorController::CancelDialog() {
  closeResult_ = kClosed;
  return true;
}

}  // namespace renamora::ui

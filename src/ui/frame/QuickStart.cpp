// The quick start window's rules: its step texts, its place and the "Show next time" setting.
#include "ui/frame/QuickStart.h"

#include "app/Settings.h"
#include "ui/ControlIds.h"

namespace renamora::ui {
namespace {

constexpr MessageId kCaption = 279;
constexpr MessageId kStepMessages[] = {17, 18, 19};
constexpr MessageId kShowNextTime = 327;
constexpr int kHeaderIds[] = {IDC_QS_HEADER1, IDC_QS_HEADER2, IDC_QS_HEADER3};
constexpr int kBodyIds[] = {IDC_QS_BODY1, IDC_QS_BODY2, IDC_QS_BODY3};

std::u16string_view TrimmedBlanks(std::u16string_view text) {
  const std::size_t first = text.find_first_not_of(u' ');
  if (first == std::u16string_view::npos) return {};
  return text.substr(first, text.find_last_not_of(u' ') - first + 1);
}

}  // namespace

StepText SplitStepText(std::u16string_view text, std::u16string_view defaultHeader) {
  // Translations in East Asian languages write the full-width colon.
  std::size_t separator = text.find(u':');
  if (separator == std::u16string_view::npos) separator = text.find(u'\uFF1A');
  if (separator == std::u16string_view::npos || separator == 0) {
    return {std::u16string(defaultHeader), std::u16string(text)};
  }
  return {std::u16string(text.substr(0, separator + 1)), std::u16string(TrimmedBlanks(text.substr(separator + 1)))};
}

ScreenPoint QuickStartInitialPlace(ScreenRect mainWindow, int listPanelLeft, int toolbarHeight) {
  return {mainWindow.left + listPanelLeft + 130, mainWindow.top + toolbarHeight + 70};
}

ScreenPoint QuickStartCentredPlace(ScreenRect mainWindow, ScreenRect listPanel, ScreenRect list, int ownWidth,
                                   int ownHeight) {
  // Integer division in C++ rounds toward zero, which is the rounding wanted here.
  return {mainWindow.left + listPanel.left + list.left + (list.width - ownWidth) / 2,
          mainWindow.top + listPanel.top + list.top + (list.height - ownHeight) / 2};
}

bool QuickStartController::Showing() {
  if (shownOnce_) return false;
  shownOnce_ = true;
  if (!textsApplied_) ApplyTexts();
  return true;
}

void QuickStartController::ApplyTexts() {
  caption_ = texts_.Lookup(kCaption);
  for (std::size_t k = 0; k < steps_.size(); ++k) {
    steps_[k] = SplitStepText(texts_.Lookup(kStepMessages[k]), steps_[k].header);
  }
  showNextText_ = texts_.Lookup(kShowNextTime);
  textsApplied_ = true;
}

std::vector<int> QuickStartController::ControlIds() const {
  return {IDC_QS_HEADER1, IDC_QS_BODY1, IDC_QS_HEADER2, IDC_QS_BODY2, IDC_QS_HEADER3, IDC_QS_BODY3, IDC_QS_SHOW_NEXT};
}

ControlState QuickStartController::State(int controlId) const {
  ControlState state;
  for (std::size_t k = 0; k < steps_.size(); ++k) {
    if (controlId == kHeaderIds[k]) {
      state.text = steps_[k].header;
      state.bold = true;
    }
    if (controlId == kBodyIds[k]) state.text = steps_[k].body;
  }
  if (controlId == IDC_QS_SHOW_NEXT) {
    state.text = showNextText_;
    state.checked = showNextTime_;
  }
  return state;
}

void QuickStartController::Checked(int controlId, bool checked) {
  if (controlId != IDC_QS_SHOW_NEXT) return;
  showNextTime_ = checked;
  // A settings file that cannot be written only loses the choice for the next
  // start; the box and the options dialog still show it for this run.
  static_cast<void>(settings_.WriteBool(SettingsKey::kOption, SettingsKey::kShowguide, checked));
  if (onShowNextTime) onShowNextTime(checked);
}

}  // namespace renamora::ui

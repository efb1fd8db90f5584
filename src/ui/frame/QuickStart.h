// The quick start window: three steps for a first-time user and the "Show next time" box.
#pragma once

#include <array>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "app/SettingsFile.h"
#include "core/Messages.h"
#include "ui/WindowController.h"

namespace renamora::ui {

// One step's header line and body text.
struct StepText {
  std::u16string header;
  std::u16string body;
  bool operator==(const StepText&) const = default;
};

// Splits a step's message at its first ":" (else its first full-width colon): the
// header ends with the separator, the body is the rest without blanks around it. A
// text without a separator past its first character keeps the given header and
// gives all of itself to the body.
StepText SplitStepText(std::u16string_view text, std::u16string_view defaultHeader);

struct ScreenPoint {
  int x = 0;
  int y = 0;
  bool operator==(const ScreenPoint&) const = default;
};

struct ScreenRect {
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;
};

// Where the window stands when it is created: beside the list's top left corner,
// clear of the toolbar.
ScreenPoint QuickStartInitialPlace(ScreenRect mainWindow, int listPanelLeft, int toolbarHeight);

// Centred over the main window's list at its first showing. listPanel is relative
// to the main window, list to the panel; halves round toward zero, so a window
// wider than the list stands as far out on the left as on the right.
ScreenPoint QuickStartCentredPlace(ScreenRect mainWindow, ScreenRect listPanel, ScreenRect list, int ownWidth,
                                   int ownHeight);

class QuickStartController final : public WindowController {
 public:
  QuickStartController(const TextLookup& texts, SettingsFile& settings) : texts_(texts), settings_(settings) {}

  // Called before every showing: true only on the first one of the run, when the
  // view must place the window (QuickStartCentredPlace); the texts are applied then.
  bool Showing();
  void LanguageChanged() { textsApplied_ = false; }
  // The close box was used: the status timer leaves the window closed for this run.
  void ClosedByUser() { closedByUser_ = true; }

  bool ShownOnce() const { return shownOnce_; }
  bool WasClosedByUser() const { return closedByUser_; }

  std::u16string Caption() const override { return caption_; }
  std::vector<int> ControlIds() const override;
  ControlState State(int controlId) const override;
  void Checked(int controlId, bool checked) override;

  // Told the new state of "Show next time", so the options dialog's matching box
  // shows the same.
  std::function<void(bool)> onShowNextTime;

 private:
  void ApplyTexts();

  const TextLookup& texts_;
  SettingsFile& settings_;
  bool shownOnce_ = false;
  bool textsApplied_ = false;
  bool closedByUser_ = false;
  bool showNextTime_ = true;
  std::u16string caption_;
  std::array<StepText, 3> steps_{StepText{u"STEP 1", {}}, StepText{u"STEP 2", {}}, StepText{u"STEP3", {}}};
  std::u16string showNextText_;
};

}  // namespace renamora::ui

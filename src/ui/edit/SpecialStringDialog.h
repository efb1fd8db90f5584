// The special-string dialog (TForm3): the special-string settings, the seven kinds of token and the token to insert.
#pragma once

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/Messages.h"
#include "core/special/Sequences.h"
#include "platform/Locale.h"
#include "platform/Prompter.h"
#include "ui/WindowController.h"

namespace renamora::ui {

// What the last showing of the dialog ended with. None: closed without OK;
// NotUsed: OK with the special strings switched off; otherwise the chosen kind.
enum class SpecialChoice {
  None,
  NotUsed,
  SequentialNumbers,
  Today,
  Random,
  FileDate,
  FileSize,
  FolderName,
  SequentialLetters,
};

// A box's text after a token went in, and where the caret stands then (after the token).
struct TokenInsertion {
  std::u16string text;
  std::size_t caret = 0;
};

// The token replaces the selected text, or goes in at the caret when nothing is
// selected. Positions are UTF-16 units, clamped to the text. An empty token
// changes nothing, not even the selected text.
TokenInsertion InsertToken(std::u16string_view boxText, std::size_t selStart, std::size_t selLength,
                           std::u16string_view token);

// The nine renderings of a date the dialog offers, in the list's order:
// yyyymmdd, yyyy-mm-dd, yyyy.mm.dd, mmddyyyy, mm-dd-yyyy, mm.dd.yyyy, ddmmyyyy,
// dd-mm-yyyy, dd.mm.yyyy.
std::vector<std::u16string> DateRenderings(const LocalTime& date);

class SpecialStringController final : public WindowController {
 public:
  struct Services {
    const TextLookup& texts;  // the active string table
    Prompter& prompter;
    const Clock& clock;
    std::function<void()> help;  // the main window's help command
  };

  // The modal results, numbered as the system's IDOK and IDCANCEL.
  static constexpr int kOk = 1;
  static constexpr int kCancel = 2;
  static constexpr int kMaximumStart = 10000;

  explicit SpecialStringController(Services services);

  // The settings every run expands its templates with; they live as long as the program.
  const SpecialStringSettings& Settings() const { return settings_; }

  // Before each modal showing.
  void Showing();
  // The next showing applies the active table's texts again.
  void LanguageChanged() { textsApplied_ = false; }

  SpecialChoice DialogChoice() const { return dialogChoice_; }
  SpecialChoice ChosenKind() const { return chosen_; }
  // The token the last showing's result puts into a template box, for a target
  // list of targetCount items; empty when nothing goes in.
  std::u16string Token(int targetCount) const;

  const std::vector<std::u16string>& Dates() const { return dates_; }
  int DateSelection() const { return dateSelection_; }
  // An arrow of the start-number box: one step up (+1) or down (-1), kept in range.
  void StepStartNumber(int delta);

  std::u16string Caption() const override { return caption_; }
  std::vector<int> ControlIds() const override;
  ControlState State(int controlId) const override;
  void Command(int controlId) override;
  void Checked(int controlId, bool checked) override;
  void TextChanged(int controlId, std::u16string_view text) override;
  void SelectionChanged(int controlId, int index) override;
  bool Accept() override;
  bool CancelDialog() override;
  std::optional<int> CloseResult() const override { return closeResult_; }

 private:
  void ApplyTexts(const TextLookup& texts);
  void Choose(SpecialChoice kind);
  void RandomClassChecked(int controlId, bool checked);
  void Ok();
  void Close(int result);

  Services services_;
  SpecialStringSettings settings_;
  std::u16string startText_;  // what the start-number box shows
  SpecialChoice chosen_ = SpecialChoice::SequentialNumbers;
  SpecialChoice dialogChoice_ = SpecialChoice::None;
  bool enabledAtShow_ = true;
  int startAtShow_ = 1;
  std::u16string startTextAtShow_;
  std::vector<std::u16string> dates_;
  int dateSelection_ = -1;
  bool textsApplied_ = false;
  std::u16string caption_;
  std::vector<std::u16string> texts_;  // by row of the control table
  std::optional<int> closeResult_;
};

}  // namespace renamora::ui

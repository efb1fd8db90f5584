// The special-string dialog's rules: the choice, the boxes that go with it, the start number and the token.
#include "ui/edit/SpecialStringDialog.h"

#include <algorithm>
#include <utility>

#include "app/StringTable.h"
#include "base/text/NumberText.h"
#include "ui/ControlIds.h"

namespace renamora::ui {
namespace {

constexpr MessageId kNoText = -1;
constexpr MessageId kCaption = 41;
constexpr MessageId kMaximumIs = 277;
constexpr MessageId kInputANumber = 278;
constexpr MessageId kOneChoiceAtLeast = 283;
constexpr MessageId kError = 296;

struct ControlRow {
  int id;
  MessageId text;
  const char16_t* fixed = nullptr;  // the choices' numbers are no words to translate
  bool hidden = false;
};

// Every control the view mirrors, with the message of its text.
constexpr ControlRow kControls[] = {
    {IDC_SS_ENABLED, 188},
    {IDC_SS_MARK1, kNoText, u"1."},
    {IDC_SS_NUMBERS, 189},
    {IDC_SS_START_LABEL, 190},
    {IDC_SS_START, kNoText},
    {IDC_SS_START_SPIN, kNoText},
    {IDC_SS_NUMBERS_EXAMPLE, 191},
    {IDC_SS_MARK2, kNoText, u"2."},
    {IDC_SS_TODAY, 192},
    {IDC_SS_DATE_LABEL, 186},
    {IDC_SS_DATE_NOTE, 187},
    {IDC_SS_DATES, kNoText},
    {IDC_SS_MARK3, kNoText, u"3."},
    {IDC_SS_FILE_DATE, 57},
    {IDC_SS_FILE_DATE_NOTE, 194},
    {IDC_SS_MARK4, kNoText, u"4."},
    {IDC_SS_FILE_SIZE, 56},
    {IDC_SS_FILE_SIZE_NOTE, 196},
    {IDC_SS_MARK5, kNoText, u"5."},
    {IDC_SS_FOLDER, 197},
    {IDC_SS_FOLDER_NOTE, 198},
    {IDC_SS_MARK6, kNoText, u"6."},
    {IDC_SS_RANDOM, 199},
    {IDC_SS_RANDOM_UPPER, 44},
    {IDC_SS_RANDOM_LOWER, 43},
    {IDC_SS_RANDOM_DIGITS, 200},
    {IDC_SS_RANDOM_EXAMPLE, 201},
    {IDC_SS_MARK7, kNoText, u"7."},
    {IDC_SS_LETTERS, 255},
    // The same word as the random strings' UPPERCASE box, so both read alike.
    {IDC_SS_LETTER_UPPER, 44},
    {IDC_SS_LETTERS_EXAMPLE, 254},
    {IDC_SS_OK, 34},
    {IDC_SS_CANCEL, 224},
    // Help comes with the main window's command; the button stays for the layout.
    {IDC_SS_HELP, 13, nullptr, true},
};

struct ChoiceRow {
  int id;
  SpecialChoice kind;
};
constexpr ChoiceRow kChoices[] = {
    {IDC_SS_NUMBERS, SpecialChoice::SequentialNumbers}, {IDC_SS_TODAY, SpecialChoice::Today},
    {IDC_SS_FILE_DATE, SpecialChoice::FileDate},        {IDC_SS_FILE_SIZE, SpecialChoice::FileSize},
    {IDC_SS_FOLDER, SpecialChoice::FolderName},         {IDC_SS_RANDOM, SpecialChoice::Random},
    {IDC_SS_LETTERS, SpecialChoice::SequentialLetters},
};

const ChoiceRow* ChoiceOf(int id) {
  for (const ChoiceRow& row : kChoices) {
    if (row.id == id) return &row;
  }
  return nullptr;
}

struct CheckRow {
  int id;
  bool SpecialStringSettings::*member;
};
constexpr CheckRow kChecks[] = {
    {IDC_SS_ENABLED, &SpecialStringSettings::Enabled},
    {IDC_SS_RANDOM_UPPER, &SpecialStringSettings::RandomUpper},
    {IDC_SS_RANDOM_LOWER, &SpecialStringSettings::RandomLower},
    {IDC_SS_RANDOM_DIGITS, &SpecialStringSettings::RandomDigits},
    {IDC_SS_LETTER_UPPER, &SpecialStringSettings::LetterUpper},
};

const CheckRow* CheckOf(int id) {
  for (const CheckRow& row : kChecks) {
    if (row.id == id) return &row;
  }
  return nullptr;
}

bool IsRandomClass(int id) {
  return id == IDC_SS_RANDOM_UPPER || id == IDC_SS_RANDOM_LOWER || id == IDC_SS_RANDOM_DIGITS;
}

// The box's text as a start number. Only plain digits count: the range starts at
// 0, so a sign never makes a start, and a blank is no digit. Anything above the
// maximum (also a run of digits no int holds) comes back as the maximum + 1.
std::optional<int> StartValue(std::u16string_view text) {
  if (text.empty()) return std::nullopt;
  int value = 0;
  for (const char16_t c : text) {
    if (c < u'0' || c > u'9') return std::nullopt;
    value = std::min(value * 10 + (c - u'0'), SpecialStringController::kMaximumStart + 1);
  }
  return value;
}

std::u16string SequenceToken(int targetCount) {
  // Wide enough for the last item's number; an empty list is numbered like a
  // hundred, as most folders hold fewer.
  if (targetCount >= 1000) return u"$$$$";
  if (targetCount >= 100 || targetCount <= 0) return u"$$$";
  return u"$$";
}

}  // namespace

TokenInsertion InsertToken(std::u16string_view boxText, std::size_t selStart, std::size_t selLength,
                           std::u16string_view token) {
  const std::size_t start = std::min(selStart, boxText.size());
  if (token.empty()) return {std::u16string(boxText), start};
  const std::size_t length = std::min(selLength, boxText.size() - start);
  std::u16string text(boxText.substr(0, start));
  text += token;
  text += boxText.substr(start + length);
  return {std::move(text), start + token.size()};
}

std::vector<std::u16string> DateRenderings(const LocalTime& date) {
  const std::u16string y = NumberText(date.year, 1);
  const std::u16string m = NumberText(date.month, 2);
  const std::u16string d = NumberText(date.day, 2);
  return {y + m + d,           y + u"-" + m + u"-" + d, y + u"." + m + u"." + d,
          m + d + y,           m + u"-" + d + u"-" + y, m + u"." + d + u"." + y,
          d + m + y,           d + u"-" + m + u"-" + y, d + u"." + m + u"." + y};
}

SpecialStringController::SpecialStringController(Services services)
    : services_(std::move(services)), startText_(NumberText(settings_.StartNumber, 1)) {
  texts_.resize(std::size(kControls));
  // The designed texts, until the dialog first shows with the active table.
  ApplyTexts(StringTable::BuiltIn());
}

void SpecialStringController::Showing() {
  closeResult_.reset();
  dialogChoice_ = SpecialChoice::None;
  enabledAtShow_ = settings_.Enabled;
  startAtShow_ = settings_.StartNumber;
  startTextAtShow_ = startText_;
  // Filled once: the dates stay those of the first showing for the program's life.
  if (dates_.empty()) {
    dates_ = DateRenderings(services_.clock.ToLocalTime(services_.clock.Now()));
    dateSelection_ = 0;
  }
  if (!textsApplied_) {
    ApplyTexts(services_.texts);
    textsApplied_ = true;
  }
  // On the chosen kind, so that Enter takes it at once and the arrows move between kinds.
  for (const ChoiceRow& row : kChoices) {
    if (row.kind == chosen_) RequestFocus(row.id);
  }
}

std::u16string SpecialStringController::Token(int targetCount) const {
  if (!settings_.Enabled) return {};
  switch (dialogChoice_) {
    case SpecialChoice::SequentialNumbers:
      return SequenceToken(targetCount);
    case SpecialChoice::Today:
      // The date as text now: it does not follow the day of a later run.
      if (dateSelection_ < 0 || std::size_t(dateSelection_) >= dates_.size()) return {};
      return dates_[std::size_t(dateSelection_)];
    case SpecialChoice::Random:
      return u"%6%";
    case SpecialChoice::FileDate:
      return u"@@";
    case SpecialChoice::FileSize:
      return u"##";
    case SpecialChoice::FolderName:
      return u"%%";
    case SpecialChoice::SequentialLetters:
      return settings_.LetterUpper ? u"{A}" : u"{a}";
    case SpecialChoice::None:
    case SpecialChoice::NotUsed:
      break;
  }
  return {};
}

void SpecialStringController::StepStartNumber(int delta) {
  const std::optional<int> shown = StartValue(startText_);
  const int from = shown ? std::min(*shown, kMaximumStart) : settings_.StartNumber;
  const int to = std::clamp(from + delta, 0, kMaximumStart);
  if (shown && to == *shown) return;
  TextChanged(IDC_SS_START, NumberText(to, 1));
}

std::vector<int> SpecialStringController::ControlIds() const {
  std::vector<int> ids;
  for (const ControlRow& row : kControls) ids.push_back(row.id);
  return ids;
}

ControlState SpecialStringController::State(int controlId) const {
  ControlState state;
  for (std::size_t i = 0; i < std::size(kControls); ++i) {
    if (kControls[i].id != controlId) continue;
    state.text = texts_[i];
    state.visible = !kControls[i].hidden;
  }
  if (const ChoiceRow* choice = ChoiceOf(controlId)) {
    // The chosen kind stands out in bold, so the choice reads at a glance.
    state.checked = state.bold = choice->kind == chosen_;
  }
  if (const CheckRow* check = CheckOf(controlId)) state.checked = settings_.*check->member;
  if (controlId == IDC_SS_START) state.text = startText_;
  if (controlId == IDC_SS_DATES) state.enabled = chosen_ == SpecialChoice::Today;
  if (IsRandomClass(controlId)) state.enabled = chosen_ == SpecialChoice::Random;
  if (controlId == IDC_SS_LETTER_UPPER) state.enabled = chosen_ == SpecialChoice::SequentialLetters;
  return state;
}

void SpecialStringController::Command(int controlId) {
  if (const ChoiceRow* choice = ChoiceOf(controlId)) {
    Choose(choice->kind);
    return;
  }
  switch (controlId) {
    case IDC_SS_OK:
      Ok();
      break;
    case IDC_SS_CANCEL:
      Close(kCancel);
      break;
    case IDC_SS_HELP:
      if (services_.help) services_.help();
      break;
    default:
      break;
  }
}

void SpecialStringController::Checked(int controlId, bool checked) {
  if (const ChoiceRow* choice = ChoiceOf(controlId)) {
    if (checked) Choose(choice->kind);
    return;
  }
  if (IsRandomClass(controlId)) {
    RandomClassChecked(controlId, checked);
    return;
  }
  if (const CheckRow* row = CheckOf(controlId)) settings_.*row->member = checked;
}

void SpecialStringController::TextChanged(int controlId, std::u16string_view text) {
  if (controlId != IDC_SS_START) return;
  const TextLookup& texts = services_.texts;
  const std::optional<int> value = StartValue(text);
  if (!value) {
    // Also the empty box: the start number never goes without a value.
    services_.prompter.Show(PromptIcon::Warning, PromptButtons::Ok, texts.Lookup(kError), texts.Lookup(kInputANumber));
    RequestFocus(IDC_SS_START);
    return;
  }
  if (*value > kMaximumStart) {
    settings_.StartNumber = kMaximumStart;
    startText_ = NumberText(kMaximumStart, 1);
    services_.prompter.Show(PromptIcon::Warning, PromptButtons::Ok, texts.Lookup(Msg::kInformation),
                            texts.Lookup(kMaximumIs) + u" " + startText_ + u".");
    return;
  }
  settings_.StartNumber = *value;
  startText_ = std::u16string(text);
}

void SpecialStringController::SelectionChanged(int controlId, int index) {
  if (controlId != IDC_SS_DATES) return;
  if (index >= 0 && std::size_t(index) < dates_.size()) dateSelection_ = index;
}

bool SpecialStringController::Accept() {
  Ok();
  return true;
}

bool SpecialStringController::CancelDialog() {
  Close(kCancel);
  return true;
}

void SpecialStringController::ApplyTexts(const TextLookup& texts) {
  caption_ = texts.Lookup(kCaption);
  for (std::size_t i = 0; i < std::size(kControls); ++i) {
    const ControlRow& row = kControls[i];
    texts_[i] = row.fixed ? std::u16string(row.fixed) : row.text == kNoText ? std::u16string() : texts.Lookup(row.text);
  }
}

void SpecialStringController::Choose(SpecialChoice kind) { chosen_ = kind; }

void SpecialStringController::RandomClassChecked(int controlId, bool checked) {
  const CheckRow* row = CheckOf(controlId);
  settings_.*row->member = checked;
  if (settings_.RandomUpper || settings_.RandomLower || settings_.RandomDigits) return;
  // A random string needs a class to draw from.
  settings_.*row->member = true;
  services_.prompter.Inform(services_.texts.Lookup(Msg::kInformation), services_.texts.Lookup(kOneChoiceAtLeast));
}

void SpecialStringController::Ok() {
  // A click queued behind the one that closed the dialog changes nothing.
  if (closeResult_) return;
  dialogChoice_ = settings_.Enabled ? chosen_ : SpecialChoice::NotUsed;
  Close(kOk);
}

void SpecialStringController::Close(int result) {
  if (closeResult_) return;
  if (dialogChoice_ == SpecialChoice::None) {
    // Closed without OK: the switch and the start number are as they were; the
    // other boxes and the chosen kind stay as the user left them.
    settings_.Enabled = enabledAtShow_;
    settings_.StartNumber = startAtShow_;
    startText_ = startTextAtShow_;
  }
  closeResult_ = result;
}

}  // namespace renamora::ui

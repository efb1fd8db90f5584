// The options dialog's rules: loading and storing the settings, the number boxes, the linked boxes and OK's steps.
#include "ui/frame/OptionsDialog.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <limits>
#include <utility>

#include "app/StringTable.h"
#include "base/Paths.h"
#include "base/text/NumberText.h"
#include "ui/ControlIds.h"

namespace renamora::ui {
namespace {

constexpr MessageId kNoText = -1;
constexpr int kNoPage = -1;

constexpr MessageId kCaption = 12;
constexpr MessageId kAutoCopyHint = 90;
constexpr MessageId kClear = 221;
constexpr MessageId kUsedFolderHistory = 222;
constexpr MessageId kRestartForIcons = 364;
constexpr std::array<MessageId, OptionsController::PageCount> kPageTitles = {206, 204, 250, 251, 365};

struct ControlRow {
  int id;
  int page;
  MessageId text;
  bool hidden = false;
};

// Every control the view mirrors, its page and the message of its text.
constexpr ControlRow kControls[] = {
    {IDC_OPT_TABS, kNoPage, kNoText},
    {IDC_OPT_SHORTCUT, OptionsController::General, 294},
    {IDC_OPT_EXIT_AFTER, OptionsController::General, 208},
    {IDC_OPT_END_SOUND, OptionsController::General, 209},
    {IDC_OPT_CONFIRM, OptionsController::General, 211},
    {IDC_OPT_CONTEXT_MENU, OptionsController::General, 210},
    {IDC_OPT_CHECKBOXES, OptionsController::General, 396},
    {IDC_OPT_AUTO_PREVIEW, OptionsController::General, 407, true},
    {IDC_OPT_NO_OPEN_LISTING, OptionsController::Rename, 213},
    {IDC_OPT_CAP_EVERY, OptionsController::Rename, 214},
    {IDC_OPT_AUTO_COPY, OptionsController::Rename, 215},
    {IDC_OPT_PREVIEW_GROUP, OptionsController::Rename, 35},
    {IDC_OPT_PREVIEW_LABEL, OptionsController::Rename, 216},
    {IDC_OPT_PREVIEW_NUMBER, OptionsController::Rename, kNoText},
    {IDC_OPT_PREVIEW_SPIN, OptionsController::Rename, kNoText},
    {IDC_OPT_PREVIEW_MAX, OptionsController::Rename, 217},
    {IDC_OPT_NEWNAME_GROUP, OptionsController::History, 218},
    {IDC_OPT_NEWNAME_LABEL, OptionsController::History, 219},
    {IDC_OPT_NEWNAME_NUMBER, OptionsController::History, kNoText},
    {IDC_OPT_NEWNAME_SPIN, OptionsController::History, kNoText},
    {IDC_OPT_NEWNAME_EDIT, OptionsController::History, 220},
    {IDC_OPT_NEWNAME_CLEAR, OptionsController::History, kClear},
    {IDC_OPT_FOLDERS_GROUP, OptionsController::History, kUsedFolderHistory},
    {IDC_OPT_FOLDERS_LABEL, OptionsController::History, 326},
    {IDC_OPT_FOLDERS_NUMBER, OptionsController::History, kNoText},
    {IDC_OPT_FOLDERS_SPIN, OptionsController::History, kNoText},
    {IDC_OPT_FOLDERS_CLEAR, OptionsController::History, kClear},
    {IDC_OPT_LANGUAGES, OptionsController::Language, kNoText},
    {IDC_OPT_SHOW_RESULTS, OptionsController::Display, 207},
    {IDC_OPT_SHOW_GUIDE, OptionsController::Display, 253},
    {IDC_OPT_SHOW_HIDDEN, OptionsController::Display, 381},
    {IDC_OPT_SHOW_SYSTEM, OptionsController::Display, 382},
    {IDC_OPT_ICONS_LABEL, OptionsController::Display, 368},
    {IDC_OPT_ICON_SETS, OptionsController::Display, kNoText},
    {IDC_OPT_DEFAULT, kNoPage, 223},
    {IDC_OPT_OK, kNoPage, 34},
    {IDC_OPT_CANCEL, kNoPage, 224},
    // Help comes with F1; the button is kept for the layout only.
    {IDC_OPT_HELP, kNoPage, 13, true},
};

const ControlRow* RowOf(int id) {
  for (const ControlRow& row : kControls) {
    if (row.id == id) return &row;
  }
  return nullptr;
}

std::size_t RowIndex(int id) { return std::size_t(RowOf(id) - kControls); }

// The check boxes that stand for a setting. The desktop shortcut box stands for
// none: it is never stored.
struct CheckRow {
  int id;
  bool OptionSettings::*member;
};
constexpr CheckRow kChecks[] = {
    {IDC_OPT_EXIT_AFTER, &OptionSettings::Options1},
    {IDC_OPT_END_SOUND, &OptionSettings::Endsound},
    {IDC_OPT_CONFIRM, &OptionSettings::Confirm},
    {IDC_OPT_CONTEXT_MENU, &OptionSettings::Contextmenu},
    {IDC_OPT_CHECKBOXES, &OptionSettings::Checkbox},
    {IDC_OPT_AUTO_PREVIEW, &OptionSettings::AutoPreview},
    {IDC_OPT_NO_OPEN_LISTING, &OptionSettings::Options2},
    {IDC_OPT_CAP_EVERY, &OptionSettings::Capevery},
    {IDC_OPT_AUTO_COPY, &OptionSettings::Autocopy},
    {IDC_OPT_PREVIEW_MAX, &OptionSettings::PreviewMax},
    {IDC_OPT_SHOW_RESULTS, &OptionSettings::Options3},
    {IDC_OPT_SHOW_GUIDE, &OptionSettings::Showguide},
    {IDC_OPT_SHOW_HIDDEN, &OptionSettings::Showhiddenfile},
    {IDC_OPT_SHOW_SYSTEM, &OptionSettings::Showsysfile},
};

const CheckRow* CheckOf(int id) {
  for (const CheckRow& row : kChecks) {
    if (row.id == id) return &row;
  }
  return nullptr;
}

struct NumberRow {
  int id;
  int spinId;
  NumberBox box;
  int OptionSettings::*member;
  // The texts that name the box when OK refuses its text: the used-folder box's
  // own label would not tell which list it limits.
  std::array<MessageId, 2> name;
};
constexpr NumberRow kNumbers[] = {
    {IDC_OPT_PREVIEW_NUMBER, IDC_OPT_PREVIEW_SPIN, NumberBox::PreviewFiles, &OptionSettings::Prenum, {216, kNoText}},
    {IDC_OPT_NEWNAME_NUMBER, IDC_OPT_NEWNAME_SPIN, NumberBox::NewNames, &OptionSettings::Listnum, {219, kNoText}},
    {IDC_OPT_FOLDERS_NUMBER,
     IDC_OPT_FOLDERS_SPIN,
     NumberBox::UsedFolders,
     &OptionSettings::Foldernum,
     {kUsedFolderHistory, 326}},
};

const NumberRow* NumberOf(int id) {
  for (const NumberRow& row : kNumbers) {
    if (row.id == id) return &row;
  }
  return nullptr;
}

// Enter and Esc close the dialog from these; elsewhere the key is the control's
// (or the dialog manager's) to handle.
constexpr int kEnterEscControls[] = {
    IDC_OPT_PREVIEW_NUMBER,  IDC_OPT_NEWNAME_NUMBER, IDC_OPT_FOLDERS_NUMBER, IDC_OPT_EXIT_AFTER,
    IDC_OPT_NO_OPEN_LISTING, IDC_OPT_SHOW_RESULTS,   IDC_OPT_AUTO_COPY,      IDC_OPT_CAP_EVERY,
};

bool TakesEnterAndEsc(int id) { return std::ranges::find(kEnterEscControls, id) != std::end(kEnterEscControls); }

// A box's text counts only as plain decimal digits that fit an int: a sign, a
// blank or a value no int holds is a text the user has not finished (or a
// paste gone wrong), never a value to clamp and store.
bool IsBoxNumber(std::u16string_view text) {
  if (text.empty() || text.size() > 10) return false;
  std::int64_t value = 0;
  for (const char16_t c : text) {
    if (c < u'0' || c > u'9') return false;
    value = value * 10 + (c - u'0');
  }
  return value <= std::numeric_limits<int>::max();
}

std::u16string Decimal(int value) { return NumberText(value, 1); }

std::optional<std::size_t> ListIndex(int index, std::size_t size) {
  if (index < 0 || std::size_t(index) >= size) return std::nullopt;
  return std::size_t(index);
}

}  // namespace

OptionsController::OptionsController(Services services) : services_(std::move(services)) {
  texts_.resize(std::size(kControls));
  // The designed texts, until the dialog first shows with the active table.
  ApplyTexts(StringTable::BuiltIn());
  ShowNumbers();
}

void OptionsController::LoadSettings() {
  if (!services_.settings.Exists()) return;
  const OptionSettings loaded = LoadOptionSettings(services_.settings.Read());
  // Language, Icon and Registereddll have owners of their own; the hidden box is
  // never loaded.
  const bool autoPreview = options_.AutoPreview;
  options_ = loaded;
  options_.AutoPreview = autoPreview;
  ShowNumbers();
  services_.host.ApplyCheckBoxes(options_.Checkbox);
  services_.host.LoadFolderHistoryIfEmpty(options_.Foldernum);
}

void OptionsController::Show() {
  closeResult_.reset();
  services_.host.StopStatusTimer();
  newNameMaximumAtOpen_ = options_.Listnum;
  optionsAtShow_ = options_;
  FillLanguages();
  if (!textsApplied_) {
    ApplyTexts(services_.host.Texts());
    textsApplied_ = true;
  }
  FillIconSets();
  if (activePage_ == Display) RequestFocus(IDC_OPT_ICON_SETS);
}

void OptionsController::SetNewNameMaximum(int maximum) {
  options_.Listnum = ClampToRange(NumberBox::NewNames, maximum);
  newNameMaximumAtOpen_ = options_.Listnum;
  // The list is stored with this maximum already: a Cancel of the dialog around
  // the editor must not bring the old one back, also when no settings file could
  // be read back.
  optionsAtShow_.Listnum = options_.Listnum;
  newNameBox_ = {Decimal(options_.Listnum), true};
}

void OptionsController::FocusMoved(int fromId, int toId) {
  focusedId_ = toId;
  const NumberRow* row = NumberOf(fromId);
  if (row == nullptr || toId == IDC_OPT_OK) return;
  NumberBoxState& box = BoxState(fromId);
  if (!box.valid) box = {Decimal(options_.*row->member), true};
}

std::vector<std::u16string> OptionsController::PageTitles() const { return pageTitles_; }

NumberRange OptionsController::SpinRange(int spinId) const {
  for (const NumberRow& row : kNumbers) {
    // The arrows stop where typing would: an arrow that steps past the maximum
    // would only bring up the warning.
    if (row.spinId == spinId) return RangeOf(row.box);
  }
  return {};
}

std::u16string OptionsController::Hint(int controlId) const {
  return controlId == IDC_OPT_AUTO_COPY ? autoCopyHint_ : std::u16string();
}

std::u16string OptionsController::Caption() const { return caption_; }

std::vector<int> OptionsController::ControlIds() const {
  std::vector<int> ids;
  for (const ControlRow& row : kControls) ids.push_back(row.id);
  return ids;
}

ControlState OptionsController::State(int controlId) const {
  ControlState state;
  const ControlRow* row = RowOf(controlId);
  if (row == nullptr) return state;
  state.visible = !row->hidden && (row->page == kNoPage || row->page == activePage_);
  state.text = texts_[RowIndex(controlId)];
  if (const CheckRow* check = CheckOf(controlId)) state.checked = options_.*check->member;
  if (controlId == IDC_OPT_SHORTCUT) state.checked = createShortcut_;
  if (NumberOf(controlId) != nullptr) state.text = BoxState(controlId).text;
  return state;
}

void OptionsController::Command(int controlId) {
  switch (controlId) {
    case IDC_OPT_OK:
      Ok();
      break;
    case IDC_OPT_CANCEL:
      Cancel();
      break;
    case IDC_OPT_DEFAULT:
      ApplyDialogDefaults(options_);
      ShowNumbers();
      break;
    case IDC_OPT_NEWNAME_EDIT:
      services_.host.EditNewNameHistory();
      break;
    case IDC_OPT_NEWNAME_CLEAR:
      services_.host.ClearNewNameHistory();
      break;
    case IDC_OPT_FOLDERS_CLEAR:
      ClearUsedFolders();
      break;
    default:
      break;
  }
}

void OptionsController::Checked(int controlId, bool checked) {
  switch (controlId) {
    case IDC_OPT_SHORTCUT:
      createShortcut_ = checked;
      break;
    case IDC_OPT_EXIT_AFTER:
      SetExitAfterRename(options_, checked);
      break;
    case IDC_OPT_SHOW_RESULTS:
      SetDisplayResults(options_, checked);
      break;
    default:
      if (const CheckRow* row = CheckOf(controlId)) options_.*row->member = checked;
      break;
  }
}

void OptionsController::TextChanged(int controlId, std::u16string_view text) {
  const NumberRow* row = NumberOf(controlId);
  if (row == nullptr) return;
  NumberBoxState& box = BoxState(controlId);
  if (!IsBoxNumber(text)) {
    // Kept as typed without a word: an empty box is a normal step of typing.
    box = {std::u16string(text), false};
    return;
  }
  const TextLookup& texts = services_.host.Texts();
  const NumberBoxCheck check = CheckNumberBox(row->box, text, options_.*row->member, texts);
  options_.*row->member = check.value;
  box = {check.replaceText ? Decimal(check.value) : std::u16string(text), true};
  if (!check.warning.empty()) {
    services_.prompter.Show(PromptIcon::Warning, PromptButtons::Ok, texts.Lookup(Msg::kInformation), check.warning);
  }
}

void OptionsController::SelectionChanged(int controlId, int index) {
  switch (controlId) {
    case IDC_OPT_TABS:
      if (ListIndex(index, PageCount)) activePage_ = index;
      break;
    case IDC_OPT_LANGUAGES:
      languageSelection_ = ListIndex(index, languages_.size());
      break;
    case IDC_OPT_ICON_SETS:
      iconSetSelection_ = ListIndex(index, iconSets_.size());
      break;
    default:
      break;
  }
}

bool OptionsController::Accept() {
  if (!TakesEnterAndEsc(focusedId_)) return false;
  Ok();
  return true;
}

bool OptionsController::CancelDialog() {
  if (!TakesEnterAndEsc(focusedId_)) return false;
  Cancel();
  return true;
}

void OptionsController::ApplyTexts(const TextLookup& texts) {
  caption_ = texts.Lookup(kCaption);
  for (std::size_t i = 0; i < std::size(kControls); ++i) {
    texts_[i] = kControls[i].text == kNoText ? std::u16string() : texts.Lookup(kControls[i].text);
  }
  pageTitles_.clear();
  for (const MessageId id : kPageTitles) pageTitles_.push_back(texts.Lookup(id));
  autoCopyHint_ = texts.Lookup(kAutoCopyHint);
}

void OptionsController::FillLanguages() {
  languages_ = ListLanguages(services_.fs, services_.locale, services_.programFolder);
  languageSelection_ =
      InitialLanguageSelection(languages_, services_.host.LanguageName(), services_.host.LanguageInUse());
}

void OptionsController::FillIconSets() {
  iconSets_.assign(1, std::u16string(kDefaultIconSetEntry));
  const std::u16string folder = WithTrailingSeparator(services_.programFolder) + u"Icons";
  if (const auto entries = services_.fs.ListFolder(folder, ListDetail::NamesAndKinds)) {
    for (const DirEntry& entry : *entries) {
      if (entry.isFolder && !entry.isLink) iconSets_.push_back(entry.name);
    }
  }
  // The active set's own entry, so that OK alone never changes the glyphs; a set
  // whose folder is gone has none.
  const std::u16string active = services_.host.ActiveIconSet();
  iconSetSelection_.reset();
  if (active.empty()) {
    iconSetSelection_ = 0;
    return;
  }
  const auto found = std::ranges::find(iconSets_, active);
  if (found != iconSets_.end()) iconSetSelection_ = std::size_t(found - iconSets_.begin());
}

void OptionsController::ShowNumbers() {
  for (const NumberRow& row : kNumbers) BoxState(row.id) = {Decimal(options_.*row.member), true};
}

bool OptionsController::NumbersValid() {
  for (const NumberRow& row : kNumbers) {
    if (BoxState(row.id).valid) continue;
    const TextLookup& texts = services_.host.Texts();
    std::u16string message;
    for (const MessageId id : row.name) {
      if (id == kNoText) continue;
      if (!message.empty()) message += u", ";
      message += texts.Lookup(id);
    }
    const NumberRange range = RangeOf(row.box);
    message += u" " + Decimal(range.minimum) + u" - " + Decimal(range.maximum);
    services_.prompter.Show(PromptIcon::Warning, PromptButtons::Ok, texts.Lookup(Msg::kInformation), message);
    activePage_ = RowOf(row.id)->page;
    RequestFocus(row.id, true);
    return false;
  }
  return true;
}

void OptionsController::Ok() {
  if (!NumbersValid()) return;
  OptionsHost& host = services_.host;
  // A file that cannot be written still leaves the choices in force for this run.
  const OptionsSaveResult saved = SaveDialogOptions(services_.settings, options_);
  host.ApplyCheckBoxes(options_.Checkbox);
  if (saved.autoPreviewChanged) host.PlaceEditWindowsAnew();
  if (options_.Showguide) {
    host.ShowQuickStartIfListEmpty();
  } else {
    host.HideQuickStart();
  }
  // On every OK, also unchanged: a registration that another program undid is mended.
  host.RegisterContextMenu(options_.Contextmenu);
  ApplyIconSetChoice();
  host.ProcessPendingEvents();
  ApplyLanguageChoice();
  if (options_.Listnum != newNameMaximumAtOpen_) {
    host.ChangeNewNameMaximum(options_.Listnum);
    newNameMaximumAtOpen_ = options_.Listnum;
  }
  host.ProcessPendingEvents();
  if (createShortcut_) host.CreateDesktopShortcut();
  closeResult_ = kOptionsOk;
  host.StartStatusTimer();
}

void OptionsController::Cancel() {
  // The values of the opening come back even without a settings file to load
  // them from; a file another instance changed meanwhile wins.
  options_ = optionsAtShow_;
  ShowNumbers();
  LoadSettings();
  closeResult_ = kOptionsCancel;
  services_.host.StartStatusTimer();
}

void OptionsController::ApplyIconSetChoice() {
  if (!iconSetSelection_) return;
  const std::size_t selected = *iconSetSelection_;
  const std::u16string active = services_.host.ActiveIconSet();
  if (iconSets_[selected] == active || (active.empty() && selected == 0)) return;
  if (selected != 0) {
    if (services_.settings.WriteText(SettingsKey::kOption, SettingsKey::kIcon, iconSets_[selected])) {
      options_.Icon = iconSets_[selected];
    }
    services_.host.ApplyIconSet(iconSets_[selected]);
    return;
  }
  if (services_.settings.DeleteKey(SettingsKey::kOption, SettingsKey::kIcon)) options_.Icon.reset();
  const TextLookup& texts = services_.host.Texts();
  services_.prompter.Show(PromptIcon::Information, PromptButtons::Ok, texts.Lookup(Msg::kConfirmation),
                          texts.Lookup(kRestartForIcons));
  services_.host.ApplyIconSet(std::nullopt);
}

void OptionsController::ApplyLanguageChoice() {
  const auto name = ChangedLanguageName(languages_, languageSelection_, services_.host.LanguageName());
  if (!name) return;
  if (services_.settings.WriteText(SettingsKey::kOption, SettingsKey::kLanguage, *name)) options_.Language = *name;
  services_.host.ApplyLanguage(*name);
  // At once for this opening, and again at the next one.
  ApplyTexts(services_.host.Texts());
  textsApplied_ = false;
}

void OptionsController::ClearUsedFolders() {
  const TextLookup& texts = services_.host.Texts();
  const std::u16string caption = texts.Lookup(kClear) + u" " + texts.Lookup(Msg::kConfirmation);
  const std::u16string question = texts.Lookup(kClear) + u" " + texts.Lookup(kUsedFolderHistory) + u"?";
  if (services_.prompter.Show(PromptIcon::Question, PromptButtons::YesNo, caption, question) == PromptAnswer::Yes) {
    services_.host.ClearFolderHistory();
  }
}

OptionsController::NumberBoxState& OptionsController::BoxState(int controlId) {
  return controlId == IDC_OPT_PREVIEW_NUMBER   ? previewBox_
         : controlId == IDC_OPT_NEWNAME_NUMBER ? newNameBox_
                                               : foldersBox_;
}

const OptionsController::NumberBoxState& OptionsController::BoxState(int controlId) const {
  return const_cast<OptionsController*>(this)->BoxState(controlId);
}

}  // namespace renamora::ui

// One table of the request's named fields, and the setting, listing and preset writing it drives.
#include "app/RequestFields.h"

#include <span>
#include <variant>

#include "app/Settings.h"
#include "base/text/AsciiCase.h"
#include "base/text/Utf.h"
#include "core/TextFile.h"

namespace renamora {
namespace {

bool SameName(std::u16string_view a, std::u16string_view b) { return EqualsIgnoringAsciiCase(a, b); }

std::u16string DecimalText(std::int64_t value) { return U16(std::to_string(value)); }

// No name, and so no sample, is longer than the longest Windows path; the
// engine adds these counts, and the cap keeps every such sum inside an int.
constexpr int kLongestName = 32767;

using Names = std::span<const std::u16string_view>;

// The scope is stored as its number, as the settings and presets of the desktop
// program hold it; the names say what each number means.
constexpr std::u16string_view kScopes[] = {u"0", u"1", u"2", u"3"};
constexpr std::u16string_view kScopeNames[] = {u"AllFiles", u"CheckedFiles", u"Folders", u"ThisFolder"};
constexpr std::u16string_view kRemoveChoices[] = {u"RemoveStrings", u"RemoveAnything", u"KeepSomething",
                                                  u"CleanSymbols"};
constexpr std::u16string_view kAnythingChoices[] = {u"SelectedPart", u"BetweenStrings", u"AllNumbers"};
constexpr std::u16string_view kKeepChoices[] = {u"SelectedPart", u"GivenStrings"};
constexpr std::u16string_view kReplaceChoices[] = {u"ReplaceString", u"ReplaceSelected"};
constexpr std::u16string_view kInsertChoices[] = {u"ToPosition", u"ToString"};
constexpr std::u16string_view kInsertPositions[] = {u"BEFORE", u"BEHIND", u"BETWEEN"};
constexpr std::u16string_view kChangeChoices[] = {u"NewName", u"ConvertCase"};
constexpr std::u16string_view kCaseChoices[] = {u"Lower", u"Upper", u"CapitalizeWords"};
constexpr std::u16string_view kExtensionChoices[] = {u"ChangeExtension", u"ConvertExtensionCase"};
constexpr std::u16string_view kSaveContents[] = {u"OneLayer", u"AllLayers", u"NamesOnly"};

// Each enum's names in the order of its values, which all run 0, 1, 2, ...
Names NamesOf(TargetScope) { return kScopes; }
Names NamesOf(RemoveChoice) { return kRemoveChoices; }
Names NamesOf(AnythingChoice) { return kAnythingChoices; }
Names NamesOf(KeepChoice) { return kKeepChoices; }
Names NamesOf(ReplaceChoice) { return kReplaceChoices; }
Names NamesOf(InsertChoice) { return kInsertChoices; }
Names NamesOf(InsertPosition) { return kInsertPositions; }
Names NamesOf(ChangeChoice) { return kChangeChoices; }
Names NamesOf(CaseChoice) { return kCaseChoices; }
Names NamesOf(ExtensionChoice) { return kExtensionChoices; }
Names NamesOf(SaveContent) { return kSaveContents; }

// The edits a call can run; the other CurrentMode values are no edits of their own.
constexpr std::u16string_view kModes[] = {EditMode::kRemove, EditMode::kReplace,   EditMode::kInsert,
                                          EditMode::kChange, EditMode::kExtension, EditMode::kSaveAll};
constexpr std::u16string_view kModeAliases[] = {u"remove", u"replace", u"insert", u"change", u"extension", u"save"};

struct IntRef {
  int* value;
  int minimum;
  int maximum;
};

struct TextRef {
  std::u16string* value;
  bool* given;  // when set, a field that counts as given only once it is set
};

// A field that takes one of a list of names, stored as the name's index.
struct ChoiceRef {
  void* value;
  Names names;
  Names aliases;            // empty, or one further name for each of `names`
  int (*get)(const void*);  // -1: none of the names
  void (*set)(void*, int);
};

enum class OptionType { Bool, Number, Text };

// A key of the settings file overridden for this call; missing from the
// overrides until it is set.
struct OptionRef {
  std::vector<std::pair<std::u16string, std::u16string>>* overrides;
  OptionType type;
  NumberRange range;
  std::u16string_view key;  // filled in from the field's name
};

using FieldRef = std::variant<bool*, IntRef, TextRef, ChoiceRef, OptionRef>;

FieldRef Ref(bool& value) { return &value; }
FieldRef Ref(int& value, int minimum, int maximum) { return IntRef{&value, minimum, maximum}; }
FieldRef Ref(std::u16string& value, bool* given = nullptr) { return TextRef{&value, given}; }

// Further names of an enum's values, one for each or none.
template <class E>
Names AliasesOf(E) {
  return {};
}
Names AliasesOf(TargetScope) { return kScopeNames; }

// Any other type has no NamesOf and so no choice field.
template <class E>
FieldRef Ref(E& value) {
  return ChoiceRef{&value, NamesOf(E{}), AliasesOf(E{}),
                   [](const void* p) { return static_cast<int>(*static_cast<const E*>(p)); },
                   [](void* p, int index) { *static_cast<E*>(p) = static_cast<E>(index); }};
}

FieldRef ModeRef(std::u16string& mode) {
  return ChoiceRef{&mode, kModes, kModeAliases,
                   [](const void* p) {
                     const auto& m = *static_cast<const std::u16string*>(p);
                     for (std::size_t i = 0; i < std::size(kModes); ++i) {
                       if (m == kModes[i]) return int(i);
                     }
                     return -1;
                   },
                   [](void* p, int index) { *static_cast<std::u16string*>(p) = kModes[index]; }};
}

FieldRef OptionBool(CliRequest& c) { return OptionRef{&c.optionOverrides, OptionType::Bool, {}, {}}; }
FieldRef OptionNumber(CliRequest& c, NumberBox box) {
  return OptionRef{&c.optionOverrides, OptionType::Number, RangeOf(box), {}};
}
FieldRef OptionText(CliRequest& c) { return OptionRef{&c.optionOverrides, OptionType::Text, {}, {}}; }

struct Field {
  std::u16string_view name;  // Group.Field; the groups in preset order
  FieldRef (*at)(CliRequest&);
};

constexpr Field kFields[] = {
    {u"EditRequest.Mode", [](CliRequest& c) { return ModeRef(c.request.Mode); }},
    {u"EditRequest.Scope", [](CliRequest& c) { return Ref(c.request.Scope); }},
    {u"EditRequest.IncludeSubfolders", [](CliRequest& c) { return Ref(c.request.IncludeSubfolders); }},
    {u"EditRequest.IncludeHidden", [](CliRequest& c) { return Ref(c.request.IncludeHidden); }},
    {u"EditRequest.IncludeSystem", [](CliRequest& c) { return Ref(c.request.IncludeSystem); }},
    {u"EditRequest.TypeFilterOn", [](CliRequest& c) { return Ref(c.request.TypeFilterOn); }},
    {u"EditRequest.TypeFilter", [](CliRequest& c) { return Ref(c.request.TypeFilter); }},

    {u"SampleSelection.SampleText", [](CliRequest& c) { return Ref(c.request.Sample.SampleText, &c.sampleTextSet); }},
    {u"SampleSelection.SelectionStart",
     [](CliRequest& c) { return Ref(c.request.Sample.SelectionStart, 0, kLongestName); }},
    {u"SampleSelection.SelectionLength",
     [](CliRequest& c) { return Ref(c.request.Sample.SelectionLength, 0, kLongestName); }},
    {u"SampleSelection.CursorPosition",
     [](CliRequest& c) { return Ref(c.request.Sample.CursorPosition, 0, kLongestName); }},

    {u"RemoveOptions.RemoveKind", [](CliRequest& c) { return Ref(c.request.Remove.RemoveKind); }},
    {u"RemoveOptions.Strings1", [](CliRequest& c) { return Ref(c.request.Remove.Strings[0]); }},
    {u"RemoveOptions.Strings2", [](CliRequest& c) { return Ref(c.request.Remove.Strings[1]); }},
    {u"RemoveOptions.Strings3", [](CliRequest& c) { return Ref(c.request.Remove.Strings[2]); }},
    {u"RemoveOptions.CaseSensitive", [](CliRequest& c) { return Ref(c.request.Remove.CaseSensitive); }},
    {u"RemoveOptions.OnlyLeftest", [](CliRequest& c) { return Ref(c.request.Remove.OnlyLeftest); }},
    {u"RemoveOptions.AnythingKind", [](CliRequest& c) { return Ref(c.request.Remove.AnythingKind); }},
    {u"RemoveOptions.SelectionFromEnd", [](CliRequest& c) { return Ref(c.request.Remove.SelectionFromEnd); }},
    {u"RemoveOptions.LeftString", [](CliRequest& c) { return Ref(c.request.Remove.LeftString); }},
    {u"RemoveOptions.RightString", [](CliRequest& c) { return Ref(c.request.Remove.RightString); }},
    {u"RemoveOptions.AlsoRemoveBounds", [](CliRequest& c) { return Ref(c.request.Remove.AlsoRemoveBounds); }},
    {u"RemoveOptions.KeepKind", [](CliRequest& c) { return Ref(c.request.Remove.KeepKind); }},
    {u"RemoveOptions.KeepFromEnd", [](CliRequest& c) { return Ref(c.request.Remove.KeepFromEnd); }},
    {u"RemoveOptions.KeepStrings1", [](CliRequest& c) { return Ref(c.request.Remove.KeepStrings[0]); }},
    {u"RemoveOptions.KeepStrings2", [](CliRequest& c) { return Ref(c.request.Remove.KeepStrings[1]); }},
    {u"RemoveOptions.KeepOnlyLeftest", [](CliRequest& c) { return Ref(c.request.Remove.KeepOnlyLeftest); }},
    {u"RemoveOptions.CleanKeepHyphen", [](CliRequest& c) { return Ref(c.request.Remove.CleanKeepHyphen); }},
    {u"RemoveOptions.CleanKeepUnderscore", [](CliRequest& c) { return Ref(c.request.Remove.CleanKeepUnderscore); }},
    {u"RemoveOptions.CleanKeepParentheses", [](CliRequest& c) { return Ref(c.request.Remove.CleanKeepParentheses); }},
    {u"RemoveOptions.CleanKeepBrackets", [](CliRequest& c) { return Ref(c.request.Remove.CleanKeepBrackets); }},
    {u"RemoveOptions.CleanKeepOther", [](CliRequest& c) { return Ref(c.request.Remove.CleanKeepOther); }},
    {u"RemoveOptions.CleanKeepOtherText", [](CliRequest& c) { return Ref(c.request.Remove.CleanKeepOtherText); }},
    {u"RemoveOptions.CleanReplaceWithSpace", [](CliRequest& c) { return Ref(c.request.Remove.CleanReplaceWithSpace); }},
    {u"RemoveOptions.CleanAlsoErase", [](CliRequest& c) { return Ref(c.request.Remove.CleanAlsoErase); }},
    {u"RemoveOptions.CleanEraseText", [](CliRequest& c) { return Ref(c.request.Remove.CleanEraseText); }},

    {u"ReplaceOptions.ReplaceKind", [](CliRequest& c) { return Ref(c.request.Replace.ReplaceKind); }},
    {u"ReplaceOptions.OldString", [](CliRequest& c) { return Ref(c.request.Replace.OldString); }},
    {u"ReplaceOptions.CaseSensitive", [](CliRequest& c) { return Ref(c.request.Replace.CaseSensitive); }},
    {u"ReplaceOptions.OnlyLeftest", [](CliRequest& c) { return Ref(c.request.Replace.OnlyLeftest); }},
    {u"ReplaceOptions.SelectionFromEnd", [](CliRequest& c) { return Ref(c.request.Replace.SelectionFromEnd); }},
    {u"ReplaceOptions.NewTemplate", [](CliRequest& c) { return Ref(c.request.Replace.NewTemplate); }},

    {u"InsertOptions.InsertKind", [](CliRequest& c) { return Ref(c.request.Insert.InsertKind); }},
    {u"InsertOptions.AtHead", [](CliRequest& c) { return Ref(c.request.Insert.AtHead); }},
    {u"InsertOptions.HeadTemplate", [](CliRequest& c) { return Ref(c.request.Insert.HeadTemplate); }},
    {u"InsertOptions.AtEnd", [](CliRequest& c) { return Ref(c.request.Insert.AtEnd); }},
    {u"InsertOptions.EndTemplate", [](CliRequest& c) { return Ref(c.request.Insert.EndTemplate); }},
    {u"InsertOptions.AtCursor", [](CliRequest& c) { return Ref(c.request.Insert.AtCursor); }},
    {u"InsertOptions.CursorTemplate", [](CliRequest& c) { return Ref(c.request.Insert.CursorTemplate); }},
    {u"InsertOptions.CursorFromEnd", [](CliRequest& c) { return Ref(c.request.Insert.CursorFromEnd); }},
    {u"InsertOptions.ExistingString", [](CliRequest& c) { return Ref(c.request.Insert.ExistingString); }},
    {u"InsertOptions.Where", [](CliRequest& c) { return Ref(c.request.Insert.Where); }},
    {u"InsertOptions.SecondString", [](CliRequest& c) { return Ref(c.request.Insert.SecondString); }},
    {u"InsertOptions.InsertTemplate", [](CliRequest& c) { return Ref(c.request.Insert.InsertTemplate); }},

    {u"ChangeOptions.ChangeKind", [](CliRequest& c) { return Ref(c.request.Change.ChangeKind); }},
    {u"ChangeOptions.NewNameTemplate", [](CliRequest& c) { return Ref(c.request.Change.NewNameTemplate); }},
    {u"ChangeOptions.CaseKind", [](CliRequest& c) { return Ref(c.request.Change.CaseKind); }},
    {u"ChangeOptions.CapitalizeFirst", [](CliRequest& c) { return Ref(c.request.Change.CapitalizeFirst); }},
    {u"ChangeOptions.IncludeExtension", [](CliRequest& c) { return Ref(c.request.Change.IncludeExtension); }},
    {u"ChangeOptions.ExcludeSmallWords", [](CliRequest& c) { return Ref(c.request.Change.ExcludeSmallWords); }},

    {u"ExtensionOptions.ExtensionKind", [](CliRequest& c) { return Ref(c.request.Extension.ExtensionKind); }},
    {u"ExtensionOptions.OldExtension", [](CliRequest& c) { return Ref(c.request.Extension.OldExtension); }},
    {u"ExtensionOptions.NewExtension", [](CliRequest& c) { return Ref(c.request.Extension.NewExtension); }},
    {u"ExtensionOptions.ReplaceAllTypes", [](CliRequest& c) { return Ref(c.request.Extension.ReplaceAllTypes); }},
    {u"ExtensionOptions.ExtensionUpper", [](CliRequest& c) { return Ref(c.request.Extension.ExtensionUpper); }},

    {u"SaveOptions.Content", [](CliRequest& c) { return Ref(c.request.Save.Content); }},
    {u"SaveOptions.IncludeWebpageFolders", [](CliRequest& c) { return Ref(c.request.Save.IncludeWebpageFolders); }},
    {u"SaveOptions.SpecialTypes", [](CliRequest& c) { return Ref(c.request.Save.SpecialTypes); }},
    {u"SaveOptions.Music", [](CliRequest& c) { return Ref(c.request.Save.Music); }},
    {u"SaveOptions.Document", [](CliRequest& c) { return Ref(c.request.Save.Document); }},
    {u"SaveOptions.Film", [](CliRequest& c) { return Ref(c.request.Save.Film); }},
    {u"SaveOptions.Picture", [](CliRequest& c) { return Ref(c.request.Save.Picture); }},
    {u"SaveOptions.Program", [](CliRequest& c) { return Ref(c.request.Save.Program); }},
    {u"SaveOptions.Other", [](CliRequest& c) { return Ref(c.request.Save.Other); }},
    {u"SaveOptions.OtherTypes", [](CliRequest& c) { return Ref(c.request.Save.OtherTypes); }},
    {u"SaveOptions.FileSize", [](CliRequest& c) { return Ref(c.request.Save.FileSize); }},
    {u"SaveOptions.FileTime", [](CliRequest& c) { return Ref(c.request.Save.FileTime); }},

    {u"SpecialStringSettings.Enabled", [](CliRequest& c) { return Ref(c.special.Enabled); }},
    {u"SpecialStringSettings.StartNumber", [](CliRequest& c) { return Ref(c.special.StartNumber, 0, 10000); }},
    {u"SpecialStringSettings.LetterUpper", [](CliRequest& c) { return Ref(c.special.LetterUpper); }},
    {u"SpecialStringSettings.RandomUpper", [](CliRequest& c) { return Ref(c.special.RandomUpper); }},
    {u"SpecialStringSettings.RandomLower", [](CliRequest& c) { return Ref(c.special.RandomLower); }},
    {u"SpecialStringSettings.RandomDigits", [](CliRequest& c) { return Ref(c.special.RandomDigits); }},

    {u"Option.Options1", OptionBool},
    {u"Option.Options2", OptionBool},
    {u"Option.Options3", OptionBool},
    {u"Option.Autocopy", OptionBool},
    {u"Option.Capevery", OptionBool},
    {u"Option.Confirm", OptionBool},
    {u"Option.Contextmenu", OptionBool},
    {u"Option.Endsound", OptionBool},
    {u"Option.PreviewMax", OptionBool},
    {u"Option.Checkbox", OptionBool},
    {u"Option.Showguide", OptionBool},
    {u"Option.Showhiddenfile", OptionBool},
    {u"Option.Showsysfile", OptionBool},
    {u"Option.AutoPreview", OptionBool},
    {u"Option.Prenum", [](CliRequest& c) { return OptionNumber(c, NumberBox::PreviewFiles); }},
    {u"Option.Listnum", [](CliRequest& c) { return OptionNumber(c, NumberBox::NewNames); }},
    {u"Option.Foldernum", [](CliRequest& c) { return OptionNumber(c, NumberBox::UsedFolders); }},
    {u"Option.Language", OptionText},
    {u"Option.Icon", OptionText},
    {u"Option.Registereddll", OptionBool},
};

std::u16string_view GroupOf(const Field& f) { return f.name.substr(0, f.name.find(u'.')); }
std::u16string_view KeyOf(const Field& f) { return f.name.substr(f.name.find(u'.') + 1); }

FieldRef At(const Field& f, CliRequest& c) {
  FieldRef ref = f.at(c);
  if (auto* option = std::get_if<OptionRef>(&ref)) option->key = KeyOf(f);
  return ref;
}

const Field* FindField(std::u16string_view name) {
  for (const Field& f : kFields) {
    if (SameName(f.name, name)) return &f;
  }
  return nullptr;
}

std::optional<bool> ParseBool(std::u16string_view text) {
  if (text == u"1" || SameName(text, u"true")) return true;
  if (text == u"0" || SameName(text, u"false")) return false;
  return std::nullopt;
}

std::optional<int> ParseNumber(std::u16string_view text, int minimum, int maximum) {
  const auto n = ParseSettingsInteger(text);
  if (!n || *n < minimum || *n > maximum) return std::nullopt;
  return int(*n);
}

// A preset line cannot hold a line break, and no name can either.
bool StorableText(std::u16string_view text) { return text.find_first_of(u"\r\n") == std::u16string_view::npos; }

std::u16string Joined(Names names, std::u16string_view separator) {
  std::u16string out;
  for (const auto name : names) {
    if (!out.empty()) out += separator;
    out += name;
  }
  return out;
}

std::u16string Range(int minimum, int maximum) { return DecimalText(minimum) + u".." + DecimalText(maximum); }

std::u16string ValuesOf(const FieldRef& ref) {
  struct {
    std::u16string operator()(bool*) const { return u"1|0"; }
    std::u16string operator()(const IntRef& r) const { return Range(r.minimum, r.maximum); }
    std::u16string operator()(const TextRef&) const { return u"text"; }
    std::u16string operator()(const ChoiceRef& r) const {
      std::u16string out = Joined(r.names, u"|");
      if (!r.aliases.empty()) out += u"|" + Joined(r.aliases, u"|");
      return out;
    }
    std::u16string operator()(const OptionRef& r) const {
      switch (r.type) {
        case OptionType::Bool:
          return u"1|0";
        case OptionType::Number:
          return Range(r.range.minimum, r.range.maximum);
        case OptionType::Text:
          break;
      }
      return u"text";
    }
  } values;
  return std::visit(values, ref);
}

int ChoiceIndex(const ChoiceRef& r, std::u16string_view text) {
  for (const Names list : {r.names, r.aliases}) {
    for (std::size_t i = 0; i < list.size(); ++i) {
      if (SameName(list[i], text)) return int(i);
    }
  }
  return -1;
}

// The value in the form a preset stores it; nothing while a field that must be
// given (an Option key, the sample) has not been.
std::optional<std::u16string> Current(const FieldRef& ref) {
  struct {
    std::optional<std::u16string> operator()(bool* b) const { return *b ? u"1" : u"0"; }
    std::optional<std::u16string> operator()(const IntRef& r) const { return DecimalText(*r.value); }
    std::optional<std::u16string> operator()(const TextRef& r) const {
      if (r.given && !*r.given) return std::nullopt;
      return *r.value;
    }
    std::optional<std::u16string> operator()(const ChoiceRef& r) const {
      const int index = r.get(r.value);
      return index < 0 ? std::u16string() : std::u16string(r.names[std::size_t(index)]);
    }
    std::optional<std::u16string> operator()(const OptionRef& r) const {
      for (const auto& [key, value] : *r.overrides) {
        if (key == r.key) return value;
      }
      return std::nullopt;
    }
  } current;
  return std::visit(current, ref);
}

// Nothing is changed unless the whole value is good.
bool Assign(const FieldRef& ref, std::u16string_view text) {
  struct {
    std::u16string_view text;
    bool operator()(bool* b) const {
      const auto v = ParseBool(text);
      if (v) *b = *v;
      return v.has_value();
    }
    bool operator()(const IntRef& r) const {
      const auto v = ParseNumber(text, r.minimum, r.maximum);
      if (v) *r.value = *v;
      return v.has_value();
    }
    bool operator()(const TextRef& r) const {
      if (!StorableText(text)) return false;
      r.value->assign(text);
      if (r.given) *r.given = true;
      return true;
    }
    bool operator()(const ChoiceRef& r) const {
      const int index = ChoiceIndex(r, text);
      if (index >= 0) r.set(r.value, index);
      return index >= 0;
    }
    bool operator()(const OptionRef& r) const {
      std::optional<std::u16string> stored;
      switch (r.type) {
        case OptionType::Bool:
          if (const auto v = ParseBool(text)) stored = *v ? u"1" : u"0";
          break;
        case OptionType::Number:
          if (const auto v = ParseNumber(text, r.range.minimum, r.range.maximum)) stored = DecimalText(*v);
          break;
        case OptionType::Text:
          if (StorableText(text)) stored = std::u16string(text);
          break;
      }
      if (!stored) return false;
      for (auto& [key, value] : *r.overrides) {
        if (key == r.key) {
          value = *std::move(stored);
          return true;
        }
      }
      r.overrides->emplace_back(r.key, *std::move(stored));
      return true;
    }
  } assign{text};
  return std::visit(assign, ref);
}

std::vector<std::u16string_view> Groups() {
  std::vector<std::u16string_view> groups;
  for (const Field& f : kFields) {
    if (groups.empty() || groups.back() != GroupOf(f)) groups.push_back(GroupOf(f));
  }
  return groups;
}

// Values and lines are echoed shortened: a refused megabyte must not flood the
// terminal, and its first characters are enough to find it.
constexpr std::size_t kShownLength = 40;

std::u16string Shown(std::u16string_view text) {
  if (text.size() <= kShownLength) return std::u16string(text);
  std::size_t cut = kShownLength;
  // Half a surrogate pair would print as a broken character.
  if (text[cut - 1] >= 0xD800 && text[cut - 1] <= 0xDBFF) --cut;
  return std::u16string(text.substr(0, cut)) + u"...";
}

std::u16string CodePointText(char16_t c) {
  constexpr std::u16string_view kDigits = u"0123456789ABCDEF";
  std::u16string out = u"U+";
  for (int shift = 12; shift >= 0; shift -= 4) out += kDigits[(c >> shift) & 0xF];
  return out;
}

bool IsBlank(char16_t c) { return c == u' ' || c == u'\t'; }

// C0 and C1 controls and DEL; a tab is a blank. No editor saves them in text,
// so a line holding one is binary data or a damaged file.
bool IsControl(char16_t c) { return (c < 0x20 && c != u'\t') || (c >= 0x7F && c <= 0x9F); }

std::u16string_view Trimmed(std::u16string_view s) {
  while (!s.empty() && IsBlank(s.front())) s.remove_prefix(1);
  while (!s.empty() && IsBlank(s.back())) s.remove_suffix(1);
  return s;
}

struct RequestLine {
  enum class Kind { Nothing, Section, Key, Fault };
  Kind kind = Kind::Nothing;
  std::u16string_view name;  // the section's or key's, blanks around it removed
  std::u16string fault;      // what is wrong with the line
};

// The settings rules pass over every line they cannot read, as the desktop's
// profile functions do. A request is written by hand or by a script, and a line
// passed over would run another edit than the one asked for, so here every such
// line is a fault. Lines these rules accept are read exactly as the settings
// rules read them: the values still come from IniDocument.
RequestLine ReadRequestLine(std::u16string_view line) {
  using Kind = RequestLine::Kind;
  for (const char16_t c : line) {
    if (IsControl(c)) return {Kind::Fault, {}, u"control character " + CodePointText(c) + u": not a text file"};
  }
  const std::u16string_view s = Trimmed(line);
  if (s.empty() || s.front() == u';' || s.front() == u'#') return {};
  if (s.front() == u'[') {
    const auto close = s.find(u']');
    if (close == std::u16string_view::npos) return {Kind::Fault, {}, u"section " + Shown(s) + u" lacks its \"]\""};
    if (close + 1 != s.size()) {
      return {Kind::Fault, {}, u"text after the section name: " + Shown(s)};
    }
    return {Kind::Section, Trimmed(s.substr(1, close - 1)), {}};
  }
  const auto eq = s.find(u'=');
  if (eq == std::u16string_view::npos) return {Kind::Fault, {}, u"\"" + Shown(s) + u"\" is no Field=value line"};
  const std::u16string_view key = Trimmed(s.substr(0, eq));
  if (key.empty()) return {Kind::Fault, {}, u"\"" + Shown(s) + u"\" names no field"};
  return {Kind::Key, key, {}};
}

std::optional<std::u16string_view> GroupNamed(std::u16string_view name) {
  for (const auto group : Groups()) {
    if (SameName(group, name)) return group;
  }
  return std::nullopt;
}

}  // namespace

std::optional<std::u16string> SetField(CliRequest& cli, std::u16string_view name, std::u16string_view value) {
  const Field* f = FindField(name);
  if (!f) return u"unknown field \"" + Shown(name) + u"\"";
  const FieldRef ref = At(*f, cli);
  std::u16string error = u"bad value \"" + Shown(value) + u"\" for " + std::u16string(f->name) + u": ";
  // No field has a use for more: every text ends up in a name or is matched
  // against one.
  if (value.size() > std::size_t(kLongestName)) {
    return error + u"longer than the longest name (" + DecimalText(kLongestName) + u" characters)";
  }
  if (Assign(ref, value)) return std::nullopt;
  if (std::holds_alternative<TextRef>(ref) || std::holds_alternative<OptionRef>(ref)) {
    if (!StorableText(value)) return error + u"a line break is not allowed";
  }
  return error + u"takes " + ValuesOf(ref);
}

std::optional<std::u16string> FieldValue(const CliRequest& cli, std::u16string_view name) {
  const Field* f = FindField(name);
  if (!f) return std::nullopt;
  // The accessors hand out references to change, so they work on a copy.
  CliRequest copy = cli;
  return Current(At(*f, copy));
}

std::optional<std::u16string> ApplyRequestLines(CliRequest& cli, const std::vector<std::u16string>& lines) {
  const IniDocument doc(lines);
  std::optional<std::u16string_view> group;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    const std::u16string where = u"line " + DecimalText(std::int64_t(i) + 1) + u": ";
    const RequestLine line = ReadRequestLine(lines[i]);
    switch (line.kind) {
      case RequestLine::Kind::Nothing:
        continue;
      case RequestLine::Kind::Fault:
        return where + line.fault;
      case RequestLine::Kind::Section:
        group = GroupNamed(line.name);
        if (!group) return where + u"unknown section [" + Shown(line.name) + u"]";
        continue;
      case RequestLine::Kind::Key:
        break;
    }
    if (!group) return where + u"\"" + Shown(line.name) + u"\" is outside a section";
    // The value the settings rules read: of a key given twice, the first.
    const std::u16string value = doc.Text(*group, line.name, {});
    if (auto error = SetField(cli, std::u16string(*group) + u"." + std::u16string(line.name), value)) {
      return where + *error;
    }
  }
  return std::nullopt;
}

std::optional<std::u16string> ApplyRequestFile(CliRequest& cli, std::string_view bytes, const Locale& locale) {
  return ApplyRequestLines(cli, SplitLines(DecodeText(bytes, locale)));
}

std::vector<std::u16string> PresetLines(const CliRequest& cli) {
  // The accessors hand out references to change, so both sides are copies.
  CliRequest current = cli;
  CliRequest defaults;
  IniDocument doc;
  for (const Field& f : kFields) {
    const auto value = Current(At(f, current));
    // A value with a line break cannot be a preset line; SetField refuses such
    // values, so none reaches here.
    if (value && value != Current(At(f, defaults))) static_cast<void>(doc.SetText(GroupOf(f), KeyOf(f), *value));
  }
  return doc.Lines();
}

std::vector<std::u16string> FieldNames() {
  std::vector<std::u16string> names;
  for (const Field& f : kFields) names.emplace_back(f.name);
  return names;
}

std::vector<std::u16string> FieldHelpLines() {
  CliRequest scratch;
  std::vector<std::u16string> lines;
  for (const Field& f : kFields) lines.push_back(std::u16string(f.name) + u"=" + ValuesOf(At(f, scratch)));
  return lines;
}

void ApplyOptionOverrides(const CliRequest& cli, IniDocument& settings) {
  // SetField refuses the line breaks that no settings line can hold.
  for (const auto& [key, value] : cli.optionOverrides) {
    static_cast<void>(settings.SetText(SettingsKey::kOption, key, value));
  }
}

}  // namespace renamora

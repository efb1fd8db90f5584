// Loading and storing the typed settings, and the options dialog's number and check box rules.
#include "app/Settings.h"

#include <iterator>
#include <limits>

#include "base/text/Utf.h"

namespace renamora {
namespace {

using namespace SettingsKey;

constexpr MessageId kSorryMaximumIs = 277;

struct BoolKey {
  std::u16string_view name;
  bool OptionSettings::*member;
};

// The check boxes of the dialog: loaded, stored by OK and reset by Default alike.
constexpr BoolKey kDialogBools[] = {
    {kOptions1, &OptionSettings::Options1},       {kOptions2, &OptionSettings::Options2},
    {kOptions3, &OptionSettings::Options3},       {kAutocopy, &OptionSettings::Autocopy},
    {kCapevery, &OptionSettings::Capevery},       {kConfirm, &OptionSettings::Confirm},
    {kContextmenu, &OptionSettings::Contextmenu}, {kEndsound, &OptionSettings::Endsound},
    {kPreviewMax, &OptionSettings::PreviewMax},   {kCheckbox, &OptionSettings::Checkbox},
    {kShowguide, &OptionSettings::Showguide},     {kShowhiddenfile, &OptionSettings::Showhiddenfile},
    {kShowsysfile, &OptionSettings::Showsysfile},
};

// OK writes the first six (Options1 to Confirm) before the numbers.
constexpr std::size_t kBoolsBeforeNumbers = 6;

struct NumberKey {
  std::u16string_view name;
  int OptionSettings::*member;
  NumberBox box;
};

constexpr NumberKey kDialogNumbers[] = {
    {kPrenum, &OptionSettings::Prenum, NumberBox::PreviewFiles},
    {kListnum, &OptionSettings::Listnum, NumberBox::NewNames},
    {kFoldernum, &OptionSettings::Foldernum, NumberBox::UsedFolders},
};

int IntegerOf(const IniDocument& doc, std::u16string_view key, int fallback) {
  const std::int64_t v = doc.Integer(kForm, key, fallback);
  return v < std::numeric_limits<int>::min() || v > std::numeric_limits<int>::max() ? fallback : int(v);
}

bool IsDigits(std::u16string_view s) {
  if (s.empty()) return false;
  for (const char16_t c : s) {
    if (c < u'0' || c > u'9') return false;
  }
  return true;
}

}  // namespace

OptionSettings LoadOptionSettings(const IniDocument& doc) {
  const OptionSettings defaults;
  OptionSettings s;
  for (const BoolKey& k : kDialogBools) s.*k.member = doc.Bool(kOption, k.name, defaults.*k.member);
  for (const NumberKey& k : kDialogNumbers) {
    s.*k.member = ClampToRange(k.box, doc.Integer(kOption, k.name, defaults.*k.member));
  }
  s.Language = doc.Text(kOption, kLanguage, {});
  s.Icon = doc.Value(kOption, kIcon);
  s.Registereddll = doc.Bool(kOption, kRegistereddll, defaults.Registereddll);
  return s;
}

FormSettings LoadFormSettings(const IniDocument& doc) {
  const FormSettings defaults;
  FormSettings f;
  f.Maximize = doc.Bool(kForm, kMaximize, defaults.Maximize);
  f.Left = IntegerOf(doc, kLeft, defaults.Left);
  f.Top = IntegerOf(doc, kTop, defaults.Top);
  f.Width = IntegerOf(doc, kWidth, defaults.Width);
  f.Height = IntegerOf(doc, kHeight, defaults.Height);
  f.LastDir = doc.Text(kForm, kLastDir, {});
  const std::int64_t total = doc.Integer(kForm, kTotalfiles, 0);
  f.Totalfiles = total < 0 ? 0 : std::uint64_t(total);
  return f;
}

OptionsSaveResult SaveDialogOptions(SettingsFile& file, const OptionSettings& options) {
  OptionsSaveResult result;
  result.written = file.Update([&](IniDocument& doc) {
    result.autoPreviewChanged = doc.Bool(kOption, kAutoPreview, true) != options.AutoPreview;
    // Keys new to the file are appended, so this order is the file's layout: the
    // rename options, the numbers, then the display and integration options.
    for (std::size_t i = 0; i < kBoolsBeforeNumbers; ++i) {
      doc.SetBool(kOption, kDialogBools[i].name, options.*kDialogBools[i].member);
    }
    for (const NumberKey& k : kDialogNumbers) doc.SetInteger(kOption, k.name, ClampToRange(k.box, options.*k.member));
    for (std::size_t i = kBoolsBeforeNumbers; i < std::size(kDialogBools); ++i) {
      doc.SetBool(kOption, kDialogBools[i].name, options.*kDialogBools[i].member);
    }
    doc.SetBool(kOption, kAutoPreview, options.AutoPreview);
    return true;
  });
  if (!result.written) result.autoPreviewChanged = false;
  return result;
}

bool SaveFormOnClose(SettingsFile& file, const FormSettings& form) {
  return file.Update([&](IniDocument& doc) {
    doc.SetBool(kForm, kMaximize, form.Maximize);
    doc.SetInteger(kForm, kTop, form.Top);
    doc.SetInteger(kForm, kLeft, form.Left);
    doc.SetInteger(kForm, kHeight, form.Height);
    doc.SetInteger(kForm, kWidth, form.Width);
    if (form.Totalfiles != 0) {
      const auto cap = std::uint64_t(std::numeric_limits<std::int64_t>::max());
      doc.SetInteger(kForm, kTotalfiles, std::int64_t(form.Totalfiles > cap ? cap : form.Totalfiles));
    }
    return true;
  });
}

RunOptions RunOptionsFrom(const OptionSettings& options) {
  RunOptions r;
  r.Confirm = options.Confirm;
  r.Options1 = options.Options1;
  r.Endsound = options.Endsound;
  r.Options3 = options.Options3;
  r.Prenum = ClampToRange(NumberBox::PreviewFiles, options.Prenum);
  r.PreviewMax = options.PreviewMax;
  return r;
}

void ApplyDialogDefaults(OptionSettings& options) {
  const OptionSettings defaults;
  for (const BoolKey& k : kDialogBools) options.*k.member = defaults.*k.member;
  for (const NumberKey& k : kDialogNumbers) options.*k.member = defaults.*k.member;
}

void SetExitAfterRename(OptionSettings& options, bool checked) {
  options.Options1 = checked;
  options.Options3 = !checked;
}

void SetDisplayResults(OptionSettings& options, bool checked) {
  options.Options3 = checked;
  if (checked) options.Options1 = false;
}

NumberRange RangeOf(NumberBox box) {
  switch (box) {
    case NumberBox::PreviewFiles:
      return {1, 1000};
    case NumberBox::NewNames:
      return {0, 100};
    case NumberBox::UsedFolders:
      return {0, 30};
  }
  return {0, 0};
}

int ClampToRange(NumberBox box, std::int64_t value) {
  const NumberRange r = RangeOf(box);
  if (value < r.minimum) return r.minimum;
  if (value > r.maximum) return r.maximum;
  return int(value);
}

NumberBoxCheck CheckNumberBox(NumberBox box, std::u16string_view text, int lastValue, const TextLookup& texts) {
  const NumberRange range = RangeOf(box);
  NumberBoxCheck check;
  check.value = ClampToRange(box, lastValue);
  const bool negative = !text.empty() && text.front() == u'-';
  const std::u16string_view digits = negative ? text.substr(1) : text;
  if (!IsDigits(digits)) return check;
  // Digits too many for 64 bits are still a number above the maximum.
  const std::int64_t typed = ParseSettingsInteger(text).value_or(negative ? std::numeric_limits<std::int64_t>::min()
                                                                          : std::numeric_limits<std::int64_t>::max());
  check.value = ClampToRange(box, typed);
  check.replaceText = typed != check.value;
  if (typed > range.maximum) {
    check.warning = texts.Lookup(kSorryMaximumIs) + u" " + U16(std::to_string(range.maximum)) + u".";
  }
  return check;
}

}  // namespace renamora

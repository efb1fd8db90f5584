// The Change panel's operations: a new name from a template, or a case conversion.
#include "core/ops/ChangeOperations.h"

#include <initializer_list>

#include "base/text/LetterCase.h"
#include "base/text/NameOrder.h"

namespace renamora {
namespace {

bool IsOneOf(std::u16string_view word, std::initializer_list<std::u16string_view> words) {
  for (const std::u16string_view w : words) {
    if (word == w) return true;
  }
  return false;
}

// Upper case for a word's first letter: only lower-case letters change, so capitals
// and title-case digraphs ("ǅ") stay as they are.
char16_t Capital(char16_t c) { return IsLowercaseLetter(c) ? UpcaseUnit(c) : c; }

// Whether the word starting at 0-based index at stays in lower case. Only words with
// at least five characters after their first letter qualify, so a small word at the
// very end of a title is still capitalised. Exact comparison: "oF" is no small word.
bool IsSmallWordAt(std::u16string_view name, std::size_t at) {
  if (at + 5 >= name.size()) return false;
  const std::u16string_view rest = name.substr(at);
  if (rest[0] == u'a' && !IsCasedLetter(rest[1])) return true;
  if (!IsCasedLetter(rest[2])) {
    return IsOneOf(rest.substr(0, 2), {u"an", u"of", u"in", u"at", u"is", u"to", u"or", u"by", u"on"});
  }
  return !IsCasedLetter(rest[3]) && IsOneOf(rest.substr(0, 3), {u"the", u"and", u"for", u"was"});
}

}  // namespace

std::u16string Change(std::u16string_view name, const ChangeOptions& options, TemplateExpander& expander) {
  if (options.ChangeKind == ChangeChoice::NewName) return expander.Expand(options.NewNameTemplate);
  switch (options.CaseKind) {
    case CaseChoice::Lower:
      return ToLowerCase(name, options.CapitalizeFirst);
    case CaseChoice::Upper:
      return ToUpperCase(name);
    case CaseChoice::CapitalizeWords:
      return CapitalizeWords(name, options.ExcludeSmallWords);
  }
  return std::u16string(name);
}

std::u16string ToLowerCase(std::u16string_view name, bool capitalizeFirst) {
  if (capitalizeFirst) {
    std::size_t first = 0;
    while (first < name.size() && name[first] <= u' ') ++first;
    name = name.substr(first);
  }
  std::u16string out(name);
  for (char16_t& c : out) c = LowcaseUnit(c);
  if (capitalizeFirst && !out.empty()) out[0] = UpcaseUnit(out[0]);
  return out;
}

std::u16string ToUpperCase(std::u16string_view name) {
  std::u16string out(name);
  for (char16_t& c : out) c = UpcaseUnit(c);
  return out;
}

std::u16string CapitalizeWords(std::u16string_view name, bool excludeSmallWords) {
  std::u16string out(name);
  // 0-based i runs from the second character up to, not including, the last one:
  // the last character is never taken as the start of a word. Only lower-case
  // letters are ever changed, and the tests below look at letters without regard to
  // case or at characters not yet reached, so changing out in place is safe.
  for (std::size_t i = 1; i + 1 < out.size(); ++i) {
    if (!IsLowercaseLetter(out[i])) continue;
    const char16_t before = out[i - 1];
    if (before == u'-') {
      // "1-day" starts a word after the hyphen, "well-known" does not.
      if (i >= 2 && !IsCasedLetter(out[i - 2])) out[i] = UpcaseUnit(out[i]);
      continue;
    }
    if (IsCasedLetter(before)) continue;
    if (excludeSmallWords && IsSmallWordAt(out, i)) continue;
    out[i] = UpcaseUnit(out[i]);
  }
  if (!out.empty()) out[0] = Capital(out[0]);
  return out;
}

}  // namespace renamora

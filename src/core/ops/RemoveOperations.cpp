// The Remove panel's operations: remove strings, a marked part, a bracketed part, digits.
#include "core/ops/RemoveOperations.h"

#include "core/TextFunctions.h"

namespace renamora {
namespace {

int Length(std::u16string_view text) { return static_cast<int>(text.size()); }

// Blanks and control characters at either end are what a number at the start or
// the end of the name leaves behind.
bool IsTrimmed(char16_t c) { return c <= u' '; }

std::u16string TrimmedAndFolded(std::u16string_view text) {
  std::size_t first = 0;
  std::size_t last = text.size();
  while (first < last && IsTrimmed(text[first])) ++first;
  while (last > first && IsTrimmed(text[last - 1])) --last;
  text = text.substr(first, last - first);

  // Removing a number between two words leaves a run of spaces; one is enough.
  std::u16string out;
  out.reserve(text.size());
  for (const char16_t c : text) {
    if (c == u' ' && !out.empty() && out.back() == u' ') continue;
    out.push_back(c);
  }
  return out;
}

bool IsAsciiDigit(char16_t c) { return c >= u'0' && c <= u'9'; }

}  // namespace

std::u16string Remove(std::u16string_view name, const RemoveOptions& options,
                      const SampleSelection& sample, int selectionLength, const Locale& locale) {
  switch (options.RemoveKind) {
    case RemoveChoice::RemoveStrings:
      return RemoveStrings(name, options, locale);
    case RemoveChoice::RemoveAnything:
      switch (options.AnythingKind) {
        case AnythingChoice::SelectedPart:
          return RemoveSelectedPart(name, sample, selectionLength, options.SelectionFromEnd);
        case AnythingChoice::BetweenStrings:
          return RemoveBetween(name, options.LeftString, options.RightString,
                               options.AlsoRemoveBounds);
        case AnythingChoice::AllNumbers:
          return RemoveAllNumbers(name);
      }
      break;
    case RemoveChoice::KeepSomething:
      switch (options.KeepKind) {
        case KeepChoice::SelectedPart:
          return KeepSelectedPart(name, sample, selectionLength, options.KeepFromEnd);
        case KeepChoice::GivenStrings:
          return KeepStrings(name, options, locale);
      }
      break;
    case RemoveChoice::CleanSymbols:
      return CleanSymbols(name, options, locale);
  }
  return std::u16string(name);
}

std::u16string RemoveStrings(std::u16string_view name, const RemoveOptions& options,
                             const Locale& locale) {
  std::u16string out;
  std::u16string_view current = name;
  // Each string works on the result of the one before, so String 2 may match text
  // that only came together once String 1 was gone.
  for (const std::u16string& what : options.Strings) {
    if (what.empty()) continue;
    out = ReplaceText(current, what, u"", !options.OnlyLeftest, !options.CaseSensitive, locale);
    current = out;
  }
  return current.data() == name.data() ? std::u16string(name) : out;
}

std::u16string RemoveSelectedPart(std::u16string_view name, const SampleSelection& sample,
                                  int selectionLength, bool fromEnd) {
  // Without a selection the span would be empty anyway; a negative length must not
  // make the two copies overlap and double a character.
  if (selectionLength <= 0) return std::u16string(name);
  const SelectionSpan span = SpanOf(Length(name), sample, selectionLength, fromEnd);
  return CopyText(name, 1, span.Before) + CopyText(name, span.After, Length(name));
}

std::u16string RemoveBetween(std::u16string_view name, std::u16string_view left,
                             std::u16string_view right, bool alsoRemoveBounds) {
  // With equal bounds left in place, the right string of one pair must not serve as
  // the left string of the next, so the search for the next pair skips it.
  const bool sameBounds = left == right && !alsoRemoveBounds;
  const int leftLength = Length(left);
  const int rightLength = Length(right);

  std::u16string rest(name);
  std::u16string kept;
  std::u16string tail;
  std::u16string front;
  int q = 0;
  int p = FindText(name, left);
  while (p > 0) {
    if (q > 0 && sameBounds) p += leftLength;
    front = kept + CopyText(rest, 1, p - 1);
    rest = CopyText(rest, p + leftLength, Length(rest));
    q = FindText(rest, right);
    if (q == 0) break;
    if (alsoRemoveBounds) {
      kept = front;
      tail = CopyText(rest, q + rightLength, Length(rest));
    } else {
      kept = front + std::u16string(left);
      tail = CopyText(rest, q, Length(rest));
    }
    rest = tail;
    if (sameBounds) {
      p = FindText(CopyText(rest, leftLength + 1, Length(rest)), left);
    } else {
      p = FindText(rest, left);
    }
  }
  // A removal that would leave nothing is no removal: the name stays as it was.
  if (kept.empty() && tail.empty()) return std::u16string(name);
  return kept + tail;
}

std::u16string RemoveAllNumbers(std::u16string_view name) {
  // A one-character name stays as it is, even a lone digit.
  if (name.size() < 2) return std::u16string(name);
  std::u16string digitless;
  digitless.reserve(name.size());
  for (const char16_t c : name) {
    if (!IsAsciiDigit(c)) digitless.push_back(c);
  }
  if (digitless.size() == name.size()) return std::u16string(name);
  return TrimmedAndFolded(digitless);
}

}  // namespace renamora

// Replace a string or the marked stretch; insert at head, end, cursor or around strings.
#include "core/ops/ReplaceInsertOperations.h"

#include <algorithm>

#include "core/TextFunctions.h"

namespace renamora {
namespace {

int Length(std::u16string_view text) { return static_cast<int>(text.size()); }

}  // namespace

std::u16string Replace(std::u16string_view name, const ReplaceOptions& options, const SampleSelection& sample,
                       int selectionLength, const Locale& locale, TemplateExpander& expander) {
  // The template is expanded before anything else, whether or not it is used, so
  // that every item moves the random seed on in the same way.
  const std::u16string replacement = expander.Expand(options.NewTemplate);
  if (options.ReplaceKind == ReplaceChoice::ReplaceString) {
    if (options.OldString.empty()) return std::u16string(name);
    return ReplaceText(name, options.OldString, replacement, !options.OnlyLeftest, !options.CaseSensitive, locale);
  }
  // A negative length would make the two copies overlap and double characters.
  const int k = std::max(selectionLength, 0);
  const int length = Length(name);
  const SelectionSpan span = SpanOf(length, sample, k, options.SelectionFromEnd);
  return CopyText(name, 1, span.Before) + replacement + CopyText(name, span.After, length);
}

std::u16string Insert(std::u16string_view name, const InsertOptions& options, const SampleSelection& sample,
                      const Locale& locale, TemplateExpander& expander) {
  std::u16string out(name);
  if (options.InsertKind == InsertChoice::ToPosition) {
    // The cursor comes first so that its position is measured on the name before
    // the head and end texts lengthen it.
    if (options.AtCursor) {
      const std::u16string text = expander.Expand(options.CursorTemplate);
      int at = sample.CursorPosition;
      if (options.CursorFromEnd) at = Length(out) - (Length(sample.SampleText) - sample.CursorPosition);
      out = InsertText(out, text, at);
    }
    if (options.AtHead) out = expander.Expand(options.HeadTemplate) + out;
    if (options.AtEnd) out += expander.Expand(options.EndTemplate);
    return out;
  }

  // An empty existing string finds nothing (ReplaceText leaves the name alone).
  const std::u16string& existing = options.ExistingString;
  const std::u16string text = expander.Expand(options.InsertTemplate);
  switch (options.Where) {
    case InsertPosition::BEFORE:
      return ReplaceText(out, existing, text + existing, true, false, locale);
    case InsertPosition::BEHIND:
      return ReplaceText(out, existing, existing + text, true, false, locale);
    case InsertPosition::BETWEEN:
      return ReplaceText(out, existing + options.SecondString, existing + text + options.SecondString, true, false,
                         locale);
  }
  return out;
}

}  // namespace renamora

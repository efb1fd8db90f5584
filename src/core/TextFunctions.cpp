// The clamped 1-based text functions that the name operations share.
#include "core/TextFunctions.h"

#include <algorithm>
#include <cstdint>

#include "platform/Locale.h"

namespace renamora {

int FindText(std::u16string_view text, std::u16string_view pattern) {
  if (text.empty() || pattern.empty()) return 0;
  const std::size_t at = text.find(pattern);
  return at == std::u16string_view::npos ? 0 : static_cast<int>(at) + 1;
}

std::u16string CopyText(std::u16string_view text, int from, int count) {
  // 64-bit arithmetic: callers pass lengths such as INT_MAX as "to the end".
  const std::int64_t size = static_cast<std::int64_t>(text.size());
  const std::int64_t first = std::max<std::int64_t>(from, 1);
  if (count <= 0 || first > size) return {};
  const std::int64_t n = std::min<std::int64_t>(count, size - first + 1);
  return std::u16string(
      text.substr(static_cast<std::size_t>(first - 1), static_cast<std::size_t>(n)));
}

std::u16string InsertText(std::u16string_view text, std::u16string_view piece, int index) {
  std::u16string out(text);
  if (piece.empty()) return out;
  const std::int64_t size = static_cast<std::int64_t>(text.size());
  const std::int64_t at = std::clamp<std::int64_t>(static_cast<std::int64_t>(index) - 1, 0, size);
  out.insert(static_cast<std::size_t>(at), piece);
  return out;
}

std::u16string ReplaceText(std::u16string_view text, std::u16string_view pattern,
                           std::u16string_view replacement, bool all, bool ignoreCase,
                           const Locale& locale) {
  if (text.empty() || pattern.empty()) return std::u16string(text);

  // Case is folded unit by unit while searching: the locale's mapping keeps the
  // length, so a match found this way has the pattern's length in the original text
  // too, and no upper-cased copy of every name is needed.
  const std::u16string upperPattern = ignoreCase ? locale.ToUpper(pattern) : std::u16string();
  auto find = [&](std::size_t from) -> std::size_t {
    if (!ignoreCase) return text.find(pattern, from);
    for (std::size_t at = from; at + upperPattern.size() <= text.size(); ++at) {
      std::size_t k = 0;
      while (k < upperPattern.size() && locale.UpperUnit(text[at + k]) == upperPattern[k]) ++k;
      if (k == upperPattern.size()) return at;
    }
    return std::u16string_view::npos;
  };

  std::u16string out;
  out.reserve(text.size());
  std::size_t from = 0;
  // Searching the input (never the output) keeps replacements from overlapping and
  // from matching inside text that was just inserted.
  for (;;) {
    const std::size_t at = find(from);
    if (at == std::u16string_view::npos) break;
    out.append(text.substr(from, at - from));
    out.append(replacement);
    from = at + pattern.size();
    if (!all) break;
  }
  out.append(text.substr(from));
  return out;
}

SelectionSpan SpanOf(int length, const SampleSelection& sample, int selectionLength, bool fromEnd) {
  SelectionSpan span;
  if (!fromEnd) {
    span.Before = sample.SelectionStart;
    span.After = sample.SelectionStart + selectionLength + 1;
    return span;
  }
  // Keep the same number of characters after the stretch as the sample has after
  // its selection.
  const int behind =
      static_cast<int>(sample.SampleText.size()) - sample.SelectionStart - selectionLength;
  span.After = length - behind + 1;
  span.Before = span.After - selectionLength - 1;
  return span;
}

}  // namespace renamora

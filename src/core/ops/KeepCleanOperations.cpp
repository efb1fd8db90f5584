// The Remove panel's "Keep something" and "Clean symbols" operations.
#include <string>
#include <string_view>
#include <vector>

#include "core/TextFunctions.h"
#include "core/ops/RemoveOperations.h"

namespace renamora {
namespace {

int Length(std::u16string_view text) { return static_cast<int>(text.size()); }

bool IsAsciiLetterOrDigit(char16_t c) {
  return (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z') || (c >= u'0' && c <= u'9');
}

bool IsHighSurrogate(char16_t c) { return c >= 0xD800 && c <= 0xDBFF; }
bool IsLowSurrogate(char16_t c) { return c >= 0xDC00 && c <= 0xDFFF; }

// Units [at, at + count) of text start and end on character boundaries, so that
// erasing them cannot leave half of a surrogate pair behind.
bool IsWholeCharacters(std::u16string_view text, std::size_t at, std::size_t count) {
  if (at > 0 && IsLowSurrogate(text[at]) && IsHighSurrogate(text[at - 1])) return false;
  const std::size_t end = at + count;
  return !(end < text.size() && IsLowSurrogate(text[end]) && IsHighSurrogate(text[end - 1]));
}

bool IsSpared(std::u16string_view character, const RemoveOptions& options) {
  if (character.size() == 1) {
    const char16_t c = character[0];
    if (c == u' ' || IsAsciiLetterOrDigit(c)) return true;
    if (options.CleanKeepHyphen && c == u'-') return true;
    if (options.CleanKeepParentheses && (c == u'(' || c == u')')) return true;
    if (options.CleanKeepBrackets && (c == u'[' || c == u']')) return true;
    if (options.CleanKeepUnderscore && c == u'_') return true;
  }
  // A character outside the BMP is spared only as a whole pair; matching its units
  // one by one could keep one half of it and leave a broken name.
  return options.CleanKeepOther &&
         std::u16string_view(options.CleanKeepOtherText).find(character) != std::u16string_view::npos;
}

}  // namespace

std::u16string KeepSelectedPart(std::u16string_view name, const SampleSelection& sample, int selectionLength,
                                bool fromEnd) {
  if (selectionLength <= 0) return {};
  const SelectionSpan span = SpanOf(Length(name), sample, selectionLength, fromEnd);
  if (!fromEnd) return CopyText(name, span.Before + 1, selectionLength);
  // A name shorter than the stretch keeps what it has of it from its first character.
  int first = span.After - selectionLength;
  if (first <= 0) first = 1;
  return CopyText(name, first, span.After - first);
}

std::u16string KeepStrings(std::u16string_view name, const RemoveOptions& options, const Locale& /*locale*/) {
  // The occurrences are collected directly rather than through stand-in characters:
  // a name may itself hold any stand-in we could choose, and must not be mistaken for
  // a kept string.
  const std::u16string_view first = options.KeepStrings[0];
  const std::u16string_view second = options.KeepStrings[1];
  const bool onlyLeftest = options.KeepOnlyLeftest;

  std::u16string kept;
  bool found = false;
  bool secondDone = second.empty();
  // String 2 is looked for only between the occurrences of String 1, so it can
  // neither match inside one nor across one.
  auto keepSecondIn = [&](std::u16string_view gap) {
    std::size_t at = 0;
    while (!secondDone && (at = gap.find(second, at)) != std::u16string_view::npos) {
      kept.append(second);
      found = true;
      at += second.size();
      secondDone = onlyLeftest;
    }
  };

  std::size_t from = 0;
  if (!first.empty()) {
    std::size_t at = 0;
    while ((at = name.find(first, from)) != std::u16string_view::npos) {
      keepSecondIn(name.substr(from, at - from));
      kept.append(first);
      found = true;
      from = at + first.size();
      if (onlyLeftest) break;
    }
  }
  keepSecondIn(name.substr(from));
  return found ? kept : std::u16string(name);
}

std::u16string CleanSymbols(std::u16string_view name, const RemoveOptions& options, const Locale& /*locale*/) {
  if (name.size() < 2) return std::u16string(name);
  std::size_t start = 0;
  while (start < name.size() && IsAsciiLetterOrDigit(name[start])) ++start;
  // A name of plain letters and digits is left entirely alone, erase string and all.
  if (start == name.size()) return std::u16string(name);

  // Erased units are flagged beside the name instead of being overwritten with a
  // stand-in character, so that a "?" in the name stays an ordinary symbol and the
  // erase string can only match characters that are really still there.
  std::vector<bool> erased(name.size(), false);
  for (std::size_t i = start; i < name.size();) {
    const std::size_t width = i + 1 < name.size() && IsHighSurrogate(name[i]) && IsLowSurrogate(name[i + 1]) ? 2 : 1;
    if (!IsSpared(name.substr(i, width), options)) {
      for (std::size_t k = 0; k < width; ++k) erased[i + k] = true;
    }
    i += width;
  }

  const std::u16string_view eraseText = options.CleanEraseText;
  if (options.CleanAlsoErase && !eraseText.empty()) {
    for (std::size_t at = name.find(eraseText); at != std::u16string_view::npos;) {
      bool intact = IsWholeCharacters(name, at, eraseText.size());
      for (std::size_t k = 0; intact && k < eraseText.size(); ++k) intact = !erased[at + k];
      if (!intact) {
        at = name.find(eraseText, at + 1);
        continue;
      }
      for (std::size_t k = 0; k < eraseText.size(); ++k) erased[at + k] = true;
      at = name.find(eraseText, at + eraseText.size());
    }
  }

  // Runs of spaces fold into one, so how many units an erased stretch had does not
  // matter: with spaces it always ends up as a single one.
  std::u16string out;
  out.reserve(name.size());
  for (std::size_t i = 0; i < name.size(); ++i) {
    char16_t c = name[i];
    if (erased[i]) {
      if (!options.CleanReplaceWithSpace) continue;
      c = u' ';
    }
    if (c == u' ' && !out.empty() && out.back() == u' ') continue;
    out.push_back(c);
  }
  return out;
}

}  // namespace renamora

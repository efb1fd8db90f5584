// Looking up a message number in the active table and in the built-in fallback.
#include "app/StringTable.h"

#include <algorithm>
#include <cstddef>
#include <string_view>
#include <utility>

namespace renamora {
namespace {

// An entry line is "[NNN]text": the number is characters 2 to 4, the text
// starts at character 6.
constexpr std::size_t kKeyOffset = 1;
constexpr std::size_t kKeyLength = 3;
constexpr std::size_t kTextOffset = 5;

// Three digits with leading zeros, the way the placeholder names the number.
// Larger numbers keep all their digits, and a negative one its sign in front.
std::u16string MakeKey(MessageId id) {
  std::string digits = std::to_string(id);
  if (id >= 0 && digits.size() < kKeyLength) digits.insert(0, kKeyLength - digits.size(), '0');
  return std::u16string(digits.begin(), digits.end());
}

// Trimmed text of the first line in [first, last] (walking by `step`) that
// holds the number; empty when none does. Bounds outside the table are
// clipped, and a number outside 0 to 999 matches no line at all.
std::u16string Search(const std::vector<std::u16string>& lines, MessageId id, std::ptrdiff_t first, std::ptrdiff_t last,
                      std::ptrdiff_t step = 1) {
  const auto count = static_cast<std::ptrdiff_t>(lines.size());
  if (step > 0) {
    first = std::max<std::ptrdiff_t>(first, 0);
    last = std::min(last, count - 1);
  } else {
    first = std::min(first, count - 1);
    last = std::max<std::ptrdiff_t>(last, 0);
  }
  for (std::ptrdiff_t i = first; step > 0 ? i <= last : i >= last; i += step) {
    if (EntryNumber(lines[static_cast<std::size_t>(i)]) == id) {
      return EntryText(lines[static_cast<std::size_t>(i)]);
    }
  }
  return {};
}

}  // namespace

std::optional<MessageId> EntryNumber(std::u16string_view line) {
  if (line.size() < kKeyOffset + kKeyLength) return std::nullopt;
  MessageId number = 0;
  for (const char16_t c : line.substr(kKeyOffset, kKeyLength)) {
    if (c < u'0' || c > u'9') return std::nullopt;
    number = number * 10 + (c - u'0');
  }
  return number;
}

std::u16string EntryText(std::u16string_view line) {
  if (line.size() <= kTextOffset) return {};
  return std::u16string(TrimBlanks(line.substr(kTextOffset)));
}

std::u16string_view TrimBlanks(std::u16string_view text) {
  const auto isSpace = [](char16_t c) { return c <= u' '; };
  while (!text.empty() && isSpace(text.front())) text.remove_prefix(1);
  while (!text.empty() && isSpace(text.back())) text.remove_suffix(1);
  return text;
}

StringTable::StringTable(std::vector<std::u16string> lines) : lines_(std::move(lines)) {}

const StringTable& StringTable::BuiltIn() {
  static const StringTable table(BuiltInTable());
  return table;
}

std::u16string StringTable::Lookup(MessageId id) const {
  const std::ptrdiff_t n = id;
  std::u16string text;
  if (!lines_.empty()) {
    // Language files keep entry N at about line N + 5, so most lookups end
    // within a line or two of `start`; the second pass covers files laid out
    // otherwise.
    const auto count = static_cast<std::ptrdiff_t>(lines_.size());
    const std::ptrdiff_t start = n < count - 5 ? n + 4 : 0;
    text = Search(lines_, id, start, count - 1);
    if (text.empty() && start > 0) text = Search(lines_, id, 0, n + 3);
  }
  if (!text.empty()) return text;

  // High numbers sit near the end of the built-in table, so they are sought
  // from there; its first line is a comment and is never examined that way.
  const std::vector<std::u16string>& builtIn = BuiltInTable();
  const auto last = static_cast<std::ptrdiff_t>(builtIn.size()) - 1;
  text = n > 199 ? Search(builtIn, id, last, 1, -1) : Search(builtIn, id, 0, last);
  if (!text.empty()) return text;
  return u"L{missing text " + MakeKey(id) + u"}";
}

}  // namespace renamora

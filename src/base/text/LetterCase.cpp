// Lower-case table and word letters for names' case conversions.
#include "base/text/LetterCase.h"

#include <algorithm>
#include <cstdint>
#include <iterator>

#include "base/text/NameOrder.h"

namespace renamora {
namespace {

struct CaseRun {
  std::uint16_t first;
  std::uint16_t count;
  std::int32_t delta;
  std::uint16_t stride;
};

constexpr CaseRun kLowcaseRuns[] = {
#include "base/text/LowcaseTable.inc"
};

struct UnitRange {
  std::uint16_t first;
  std::uint16_t last;
};

constexpr UnitRange kCasedRanges[] = {
#include "base/text/CasedRanges.inc"
};

// Both tables are sorted, and no run reaches past the start of the next one.
constexpr bool SortedRuns() {
  for (std::size_t i = 1; i < std::size(kLowcaseRuns); ++i) {
    const CaseRun& before = kLowcaseRuns[i - 1];
    if (before.first + (before.count - 1) * before.stride >= kLowcaseRuns[i].first) return false;
  }
  for (std::size_t i = 1; i < std::size(kCasedRanges); ++i) {
    if (kCasedRanges[i - 1].last >= kCasedRanges[i].first) return false;
  }
  return true;
}
static_assert(SortedRuns());

}  // namespace

char16_t LowcaseUnit(char16_t c) {
  // A few hundred runs: a binary search costs less than a flat table's 128 KiB.
  const auto* next = std::upper_bound(std::begin(kLowcaseRuns), std::end(kLowcaseRuns), c,
                                      [](char16_t unit, const CaseRun& run) { return unit < run.first; });
  if (next == std::begin(kLowcaseRuns)) return c;
  const CaseRun& run = *std::prev(next);
  const std::uint32_t offset = std::uint32_t(c) - run.first;
  if (offset % run.stride != 0 || offset / run.stride >= run.count) return c;
  return char16_t(std::int32_t(c) + run.delta);
}

bool IsCasedLetter(char16_t c) {
  const auto* next = std::upper_bound(std::begin(kCasedRanges), std::end(kCasedRanges), c,
                                      [](char16_t unit, const UnitRange& range) { return unit < range.first; });
  return next != std::begin(kCasedRanges) && c <= std::prev(next)->last;
}

bool IsLowercaseLetter(char16_t c) { return UpcaseUnit(c) != c && LowcaseUnit(c) == c; }

std::u16string ToLetterCase(std::u16string_view text, bool upper) {
  std::u16string out(text);
  for (char16_t& c : out) c = upper ? UpcaseUnit(c) : LowcaseUnit(c);
  return out;
}

bool EqualsIgnoringLetterCase(std::u16string_view a, std::u16string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (LowcaseUnit(a[i]) != LowcaseUnit(b[i])) return false;
  }
  return true;
}

}  // namespace renamora

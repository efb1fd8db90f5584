// Upper-case table and the NTFS name order.
#include "base/text/NameOrder.h"

#include <algorithm>
#include <array>
#include <cstdint>

namespace renamora {
namespace {

struct UpcaseRun {
  std::uint16_t first;
  std::uint16_t count;
  std::int32_t delta;
  std::uint16_t stride;
};

constexpr UpcaseRun kRuns[] = {
#include "base/text/UpcaseTable.inc"
};

// A flat table costs 128 KiB and makes the sort of a 100,000-entry folder cheap.
struct Table {
  std::array<char16_t, 0x10000> upper{};
  Table() {
    for (std::uint32_t c = 0; c < 0x10000; ++c) upper[c] = char16_t(c);
    for (const auto& run : kRuns) {
      for (std::uint32_t k = 0; k < run.count; ++k) {
        const std::uint32_t c = run.first + k * run.stride;
        upper[c] = char16_t(std::int32_t(c) + run.delta);
      }
    }
  }
};

const Table& GetTable() {
  static const Table table;
  return table;
}

}  // namespace

char16_t UpcaseUnit(char16_t c) { return GetTable().upper[c]; }

void AppendNtfsSortKey(std::u16string_view name, std::string& keys) {
  const auto& t = GetTable().upper;
  for (const char16_t c : name) {
    const char16_t u = t[c];
    keys += char(u >> 8);
    keys += char(u & 0xFF);
  }
}

int CompareNtfsOrder(std::u16string_view a, std::u16string_view b) {
  const auto& t = GetTable().upper;
  const std::size_t n = std::min(a.size(), b.size());
  for (std::size_t i = 0; i < n; ++i) {
    const char16_t x = t[a[i]];
    const char16_t y = t[b[i]];
    if (x != y) return x < y ? -1 : 1;
  }
  if (a.size() != b.size()) return a.size() < b.size() ? -1 : 1;
  return 0;
}

}  // namespace renamora

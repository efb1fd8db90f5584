// The one order in which every backend lists a folder: the order NTFS keeps.
#pragma once

#include <algorithm>
#include <cstdint>
#include <numeric>
#include <string>
#include <string_view>
#include <vector>

namespace renamora {

// Upper case of one UTF-16 unit by the built-in one-to-one Unicode mapping; the
// same on every system, so sorting and case folding agree between backends.
char16_t UpcaseUnit(char16_t c);

// Ordinal comparison of the two names after upper-casing each UTF-16 unit, as
// NTFS orders a folder's entries. <0, 0, >0.
int CompareNtfsOrder(std::u16string_view a, std::u16string_view b);

// Puts items in NTFS order of the names that nameOf gives; names equal but for case
// keep one stable order by their code units. Each name is upper-cased once, which
// matters for folders of many names with long common beginnings.
template <class T, class NameOf>
void SortNtfsOrder(std::vector<T>& items, NameOf nameOf);

// Appends the upper-cased name as big-endian bytes: comparing two such keys bytewise
// (memcmp) orders them as comparing the upper-cased UTF-16 units would.
void AppendNtfsSortKey(std::u16string_view name, std::string& keys);

template <class T, class NameOf>
void SortNtfsOrder(std::vector<T>& items, NameOf nameOf) {
  // All keys in one buffer: a folder of many entries costs no allocation per key.
  std::string keys;
  std::vector<std::size_t> starts;
  starts.reserve(items.size() + 1);
  for (const T& item : items) {
    starts.push_back(keys.size());
    AppendNtfsSortKey(nameOf(item), keys);
  }
  starts.push_back(keys.size());
  auto key = [&](std::uint32_t i) {
    return std::string_view(keys).substr(starts[i], starts[i + 1] - starts[i]);
  };
  std::vector<std::uint32_t> order(items.size());
  std::iota(order.begin(), order.end(), 0u);
  std::sort(order.begin(), order.end(), [&](std::uint32_t a, std::uint32_t b) {
    const int c = key(a).compare(key(b));
    return c != 0 ? c < 0 : std::u16string_view(nameOf(items[a])) < std::u16string_view(nameOf(items[b]));
  });
  // The order is applied in place, cycle by cycle: a second vector of every entry
  // would be as large again as the listing.
  for (std::size_t start = 0; start < order.size(); ++start) {
    if (order[start] == start) continue;
    std::size_t at = start;
    T held = std::move(items[start]);
    while (order[at] != start) {
      const std::size_t from = order[at];
      items[at] = std::move(items[from]);
      order[at] = static_cast<std::uint32_t>(at);
      at = from;
    }
    items[at] = std::move(held);
    order[at] = static_cast<std::uint32_t>(at);
  }
}

}  // namespace renamora

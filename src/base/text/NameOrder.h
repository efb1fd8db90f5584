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
  auto key = [&](std::size_t i) {
    return std::string_view(keys).substr(starts[i], starts[i + 1] - starts[i]);
  };
  // The names of one folder often share a long beginning ("IMG_0"). The sort
  // compares the 16 key bytes after what all keys share, held as two integers
  // beside the index, and reads the keys themselves only where those tie. Keys
  // shorter than the window are padded with zero bytes; a padded window never
  // orders two keys otherwise than their bytes do, it can only tie.
  std::size_t common = items.empty() ? 0 : key(0).size();
  for (std::size_t i = 1; i < items.size() && common > 0; ++i) {
    const std::string_view k = key(i).substr(0, common);
    common = static_cast<std::size_t>(std::mismatch(k.begin(), k.end(), keys.begin() + std::ptrdiff_t(starts[0])).first -
                                      k.begin());
  }
  struct Slot {
    std::uint64_t high, low;
    std::uint32_t index;
  };
  auto window = [&](std::string_view k, std::size_t from) {
    std::uint64_t value = 0;
    for (std::size_t b = 0; b < 8; ++b) {
      const std::size_t at = from + b;
      value = (value << 8) | (at < k.size() ? static_cast<unsigned char>(k[at]) : 0u);
    }
    return value;
  };
  std::vector<Slot> order(items.size());
  for (std::size_t i = 0; i < items.size(); ++i) {
    const std::string_view k = key(i);
    order[i] = {window(k, common), window(k, common + 8), static_cast<std::uint32_t>(i)};
  }
  std::sort(order.begin(), order.end(), [&](const Slot& a, const Slot& b) {
    if (a.high != b.high) return a.high < b.high;
    if (a.low != b.low) return a.low < b.low;
    const int c = key(a.index).compare(key(b.index));
    return c != 0 ? c < 0
                  : std::u16string_view(nameOf(items[a.index])) < std::u16string_view(nameOf(items[b.index]));
  });
  std::vector<std::uint32_t> target(items.size());
  for (std::size_t i = 0; i < order.size(); ++i) target[i] = order[i].index;
  order = {};
  // The order is applied in place, cycle by cycle: a second vector of every entry
  // would be as large again as the listing.
  for (std::size_t start = 0; start < target.size(); ++start) {
    if (target[start] == start) continue;
    std::size_t at = start;
    T held = std::move(items[start]);
    while (target[at] != start) {
      const std::size_t from = target[at];
      items[at] = std::move(items[from]);
      target[at] = static_cast<std::uint32_t>(at);
      at = from;
    }
    items[at] = std::move(held);
    target[at] = static_cast<std::uint32_t>(at);
  }
}

}  // namespace renamora

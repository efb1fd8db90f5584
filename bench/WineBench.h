// What the Wine benchmarks share: a clock, the median of rounds, and the raw
// enumeration of a folder that the program's listing is measured against.
#pragma once

#include "platform/win32/IncludeWindows.h"

#include <algorithm>
#include <cstddef>
#include <string>
#include <vector>

namespace renamora::bench {

inline double Now() {
  LARGE_INTEGER frequency, counter;
  QueryPerformanceFrequency(&frequency);
  QueryPerformanceCounter(&counter);
  return static_cast<double>(counter.QuadPart) / static_cast<double>(frequency.QuadPart);
}

inline double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values[values.size() / 2];
}

// Seconds of one FindFirstFileW/FindNextFileW pass over the folder; `count`, when
// given, gets the number of entries met.
inline double RawLoop(const std::wstring& folder, std::size_t* count = nullptr) {
  const double start = Now();
  WIN32_FIND_DATAW data;
  HANDLE find = FindFirstFileW((folder + L"\\*.*").c_str(), &data);
  std::size_t entries = 0;
  if (find != INVALID_HANDLE_VALUE) {
    do {
      ++entries;
    } while (FindNextFileW(find, &data));
    FindClose(find);
  }
  const double seconds = Now() - start;
  if (count) *count = entries;
  return seconds;
}

}  // namespace renamora::bench

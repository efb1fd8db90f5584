// System time and local time from the Win32 API.
#include "platform/win32/Win32Clock.h"

#include "platform/win32/IncludeWindows.h"

namespace renamora {
namespace {

constexpr FileTime kTicksPerSecond = 10'000'000;
// FILETIME ticks from 1601-01-01 to 1970-01-01.
constexpr FileTime kUnixEpochTicks = 116'444'736'000'000'000;

FILETIME ToFiletime(FileTime ticks) {
  const auto value = static_cast<std::uint64_t>(ticks);
  FILETIME out;
  out.dwLowDateTime = static_cast<DWORD>(value & 0xFFFFFFFFu);
  out.dwHighDateTime = static_cast<DWORD>(value >> 32);
  return out;
}

}  // namespace

FileTime Win32Clock::Now() const {
  FILETIME now;
  ::GetSystemTimeAsFileTime(&now);
  return static_cast<FileTime>((std::uint64_t{now.dwHighDateTime} << 32) | now.dwLowDateTime);
}

std::int64_t Win32Clock::UnixSeconds() const { return (Now() - kUnixEpochTicks) / kTicksPerSecond; }

LocalTime Win32Clock::ToLocalTime(FileTime utc) const {
  const FILETIME utcTime = ToFiletime(utc);
  FILETIME localTime;
  SYSTEMTIME parts;
  if (!::FileTimeToLocalFileTime(&utcTime, &localTime) ||
      !::FileTimeToSystemTime(&localTime, &parts)) {
    return LocalTime{};
  }
  return LocalTime{parts.wYear, parts.wMonth,  parts.wDay,
                   parts.wHour, parts.wMinute, parts.wSecond};
}

std::unique_ptr<Clock> MakeSystemClock() { return std::make_unique<Win32Clock>(); }

}  // namespace renamora

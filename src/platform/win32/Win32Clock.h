// The Clock backend for Windows.
#pragma once

#include "platform/Locale.h"

namespace renamora {

class Win32Clock final : public Clock {
 public:
  FileTime Now() const override;
  std::int64_t UnixSeconds() const override;
  LocalTime ToLocalTime(FileTime utc) const override;
};

}  // namespace renamora

// The clocks of the recording window and its timer dialog, replaceable by tests:
// the date and time of day for a timed start the user gives as such, and a count
// of milliseconds that only goes forward for elapsed time and the timed stop, so
// that midnight or a change of the system clock moves neither.
#pragma once

#include <windows.h>

#include <cstdint>

#include "framework/DateTime.h"

struct TRecordingClock {
  static TDateTime SystemNow() { return ::Now(); }
  static std::int64_t SystemTicks() { return static_cast<std::int64_t>(GetTickCount64()); }
  static inline TDateTime (*Now)() = &SystemNow;
  static inline std::int64_t (*Ticks)() = &SystemTicks;
};

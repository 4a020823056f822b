// The wall clock: the one place where the add-in reads the current time. The
// calendars and the astronomy beneath take "now" as an argument, so that a
// result depends only on the call, its settings and the instant passed in.
#pragma once

#include "framework/date.h"

namespace varizav {

// The system's current time (Universal Time) as a JulianDay.
JulianDay wall_clock_jd() noexcept;

}  // namespace varizav

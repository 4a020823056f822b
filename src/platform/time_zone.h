// The local time zone as the runtime knows it.
#pragma once

#include <cstdint>
#include <ctime>

namespace varizav::platform {

// Universal Time minus local time now, in seconds, in the zone that the value
// of the TZ variable names (null: TZ unset). POSIX: Universal Time when TZ is
// unset or empty; Windows: the system's current bias when it is unset, and
// Universal Time when it is empty. Initialises the runtime's time-zone state
// from TZ, as the runtime's own tzset does.
int64_t utc_minus_local_seconds(const char* tz) noexcept;

// The local calendar time of t; false when the runtime cannot give it.
bool local_time(std::time_t t, std::tm& local) noexcept;

}  // namespace varizav::platform

#include "platform/time_zone.h"

#include <windows.h>

namespace varizav::platform {

int64_t utc_minus_local_seconds(const char* tz) noexcept {
  if (tz == nullptr) {
    // The system's zone: its bias in minutes (UT = local + bias), with the
    // daylight bias added while daylight time is in force.
    TIME_ZONE_INFORMATION zone{};
    const DWORD state = GetTimeZoneInformation(&zone);
    if (state == TIME_ZONE_ID_INVALID) return 0;
    LONG bias = zone.Bias;
    if (state == TIME_ZONE_ID_DAYLIGHT) bias += zone.DaylightBias;
    if (state == TIME_ZONE_ID_STANDARD) bias += zone.StandardBias;
    return static_cast<int64_t>(bias) * 60;
  }
  if (tz[0] == '\0') return 0;
  // The runtime reads TZ ("EST5", "CET-1CEST") in _tzset; the local time it
  // then gives, read back as if it were Universal Time, differs from now by
  // the offset, daylight time included.
  _tzset();
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  if (localtime_s(&local, &now) != 0) return 0;
  const std::time_t local_as_utc = _mkgmtime(&local);
  if (local_as_utc == static_cast<std::time_t>(-1)) return 0;
  return static_cast<int64_t>(now) - static_cast<int64_t>(local_as_utc);
}

bool local_time(std::time_t t, std::tm& local) noexcept { return localtime_s(&local, &t) == 0; }

}  // namespace varizav::platform

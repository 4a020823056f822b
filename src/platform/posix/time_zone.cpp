#include "platform/time_zone.h"

namespace varizav::platform {

int64_t utc_minus_local_seconds(const char* tz) noexcept {
  if (tz == nullptr || tz[0] == '\0') return 0;  // "GMT0"
  // tzset reloads the runtime's zone from TZ as it is now; localtime_r alone
  // may keep a zone read earlier.
  tzset();
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  if (localtime_r(&now, &local) == nullptr) return 0;
  return -static_cast<int64_t>(local.tm_gmtoff);  // tm_gmtoff: seconds east of UT
}

bool local_time(std::time_t t, std::tm& local) noexcept { return localtime_r(&t, &local) != nullptr; }

}  // namespace varizav::platform

// Configuration from the environment, applied each time the host asks for
// the function count. Variables that are absent leave their setting alone;
// a variable that is defined but empty counts as present with the value 0.
#pragma once

#include <cstdint>

namespace varizav {

// Reads, in this order: the time-zone offset of the runtime (TZ),
// VARIZAV_CALREFORM, VARIZAV_DELTA_T, VARIZAV_LANGUAGE, VARIZAV_MAX_LOOP,
// VARIZAV_TIMEZONE and the numeric conventions named by LANG. Changes neither
// the environment nor the process's locale.
void apply_environment_configuration() noexcept;

// The decimal separator of the locale that LANG names (a locale name as
// setlocale takes it; "" for the default conventions): '.' for the C locale,
// for a name the runtime does not know, and for a separator longer than one byte.
char locale_decimal_separator(const char* locale_name) noexcept;

// Universal Time minus local time at this moment, in seconds, in the time
// zone that TZ names; 0 (Universal Time) when TZ is unset or empty.
int64_t runtime_utc_minus_local_seconds() noexcept;

}  // namespace varizav

// The bound on the passes of the coincidence searches (VARIZAV_MAX_LOOP).
#pragma once

#include <cstdint>

namespace varizav {

constexpr int32_t kDefaultMaxLoop = 65536;

int32_t max_loop() noexcept;
// Negative values count as 0: every search then fails at once.
void set_max_loop(int32_t passes) noexcept;

}  // namespace varizav

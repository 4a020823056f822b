#include "events/search_limits.h"

#include <atomic>

namespace varizav {
namespace {
// Setting: written only by the configuration read at GetFunctionCount.
std::atomic<int32_t> g_max_loop{kDefaultMaxLoop};
}  // namespace

int32_t max_loop() noexcept { return g_max_loop.load(std::memory_order_relaxed); }
void set_max_loop(int32_t passes) noexcept { g_max_loop.store(passes < 0 ? 0 : passes, std::memory_order_relaxed); }

}  // namespace varizav

#include "platform/standard_streams.h"

namespace varizav::platform {

void set_binary_standard_streams() noexcept {}  // POSIX streams never translate

}  // namespace varizav::platform

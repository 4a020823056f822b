#include "platform/standard_streams.h"

#include <unistd.h>

namespace varizav::platform {

void set_binary_standard_streams() noexcept {}  // POSIX streams never translate

bool standard_output_is_terminal() noexcept { return isatty(STDOUT_FILENO) != 0; }

}  // namespace varizav::platform

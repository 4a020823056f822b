// The version table: entry 0 the table's own version number, entries 1..11
// texts describing this build.
#pragma once

#include <cstdint>

namespace varizav {

constexpr int32_t kVersionEntryCount = 12;
// Entry 0: version of the table layout (1.1), handed out in place of a pointer.
constexpr uintptr_t kVersionTableNumber = 0x10001;

// Entry 1..11 as a text (each shorter than 256 bytes; 4 and 5 are empty),
// null for entry 0 and for any index outside 0..11.
const char* version_text(int32_t entry) noexcept;

}  // namespace varizav

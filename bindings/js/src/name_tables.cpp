// The display names of the worksheet functions in either language, which the
// package accepts as a function's name whatever the language in force. The
// name lists themselves come from the library's varizav/names.h.
#include <cstdint>

#include "host/catalogue.h"
#include "host/function_registry.h"
#include "host/host_text.h"

extern "C" {

// The display name of registry function `number` (0..34) in English (german
// = 0) or German, written into out (256 bytes) as the registration writes it
// (the host's character set); an empty text outside the registry.
__attribute__((used)) void varizav_display_name(int32_t number, int32_t german, char* out) {
  if (number < 0 || number >= varizav::kFunctionCount) {
    out[0] = '\0';
    return;
  }
  const int32_t entry = varizav::function_registry[static_cast<size_t>(number)].name_entry;
  varizav::write_host_registration_text(out, german != 0 ? varizav::catalogue_german(entry)
                                                         : varizav::catalogue_english(entry));
}

}  // extern "C"

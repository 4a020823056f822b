// The registration entry points of the legacy add-in protocol: the host asks
// for the function count (which applies the configuration), then for each
// function's names and type codes and for each argument's name and
// description, and tells the add-in its user-interface language.
#include "framework/date.h"
#include "framework/language.h"
#include "host/configuration.h"
#include "host/function_registry.h"
#include "host/host_text.h"
#include "host/language_switch.h"
#include "varizav/addin.h"

using namespace varizav;

namespace {

// Copies a registration text into a 256-byte host buffer in the host's
// character set: at most 255 bytes of text, and every byte behind it zero,
// since hosts read the whole buffer.
void write_registration_text(char* out, const char* text) { write_host_registration_text(out, text); }

// A registration text in the current language: German exactly when it is 1031.
const char* in_current_language(const Text& text) {
  return current_language() == kLanguageGerman ? text.german : text.english;
}

const FunctionEntry* registry_entry(unsigned short number) {
  return number < kFunctionCount ? &function_registry[number] : nullptr;
}

}  // namespace

extern "C" {

VARIZAV_API void GetFunctionCount(unsigned short* count) {
  apply_environment_configuration();
  // Hosts set their locale before they load add-ins; its character set
  // decides how texts cross the boundary from here on.
  detect_host_charset();
  *count = kFunctionCount;
}

VARIZAV_API void GetFunctionData(const unsigned short* number, char* exported_name, unsigned short* slot_count,
                                 int* type_codes, char* display_name) {
  const FunctionEntry* f = registry_entry(*number);
  if (f == nullptr) {
    // Unknown function: empty names, no slots; the type array is not touched.
    write_registration_text(exported_name, "");
    write_registration_text(display_name, "");
    *slot_count = 0;
    return;
  }
  write_registration_text(exported_name, f->exported_name);
  write_registration_text(display_name, in_current_language(f->name));
  // Slot 0 is the result, slots 1..n the arguments in call order.
  type_codes[0] = f->result_type;
  for (int32_t a = 0; a < f->argument_count; ++a) type_codes[a + 1] = f->arguments[static_cast<size_t>(a)].type;
  *slot_count = static_cast<unsigned short>(f->argument_count + 1);
}

VARIZAV_API void GetParameterDescription(const unsigned short* number, const unsigned short* slot, char* name,
                                         char* description) {
  write_registration_text(name, "");
  write_registration_text(description, "");
  const FunctionEntry* f = registry_entry(*number);
  if (f == nullptr || *slot > f->argument_count) return;
  if (*slot == 0) {
    // The result slot: the function's own description, no name.
    write_registration_text(description, in_current_language(f->description));
    return;
  }
  const ArgumentEntry& arg = f->arguments[static_cast<size_t>(*slot - 1)];
  write_registration_text(name, in_current_language(arg.text.name));
  write_registration_text(description, in_current_language(arg.text.description));
}

VARIZAV_API void SetLanguage(const unsigned short* language) { select_host_language(*language); }

}  // extern "C"

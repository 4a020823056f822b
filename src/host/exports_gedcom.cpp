// The GEDCOM date reader as bindings and the host tool call it.
#include <cstring>
#include <string_view>

#include "formats/gedcom_date.h"
#include "host/error_value.h"
#include "varizav/gedcom.h"

using namespace varizav;

static_assert(kGedcomReasonSize == VARIZAV_TEXT_SIZE);

extern "C" {

VARIZAV_API int32_t varizav_gedcom_date(const char* value, double* first, double* last, char* reason) {
  const std::string_view text = value != nullptr ? std::string_view(value) : std::string_view();
  const GedcomRange r = read_gedcom_date(text, reason);
  const bool valid = r.kind != GedcomKind::kInvalid;
  if (first != nullptr) *first = valid ? r.first : error_value();
  if (last != nullptr) *last = valid ? r.last : error_value();
  return static_cast<int32_t>(r.kind);
}

VARIZAV_API const char* varizav_gedcom_kind_name(int32_t kind) {
  if (kind < static_cast<int32_t>(GedcomKind::kInvalid) || kind > static_cast<int32_t>(GedcomKind::kInterpreted)) {
    return gedcom_kind_name(GedcomKind::kInvalid);
  }
  return gedcom_kind_name(static_cast<GedcomKind>(kind));
}

}  // extern "C"

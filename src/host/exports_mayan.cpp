// Worksheet function of the Mayan long count: the units of a long-count date
// to a serial date.
#include "calendars/mayan.h"
#include "framework/date.h"
#include "framework/numeric.h"
#include "varizav/addin.h"

using namespace varizav;

namespace {

// Keeps the low 8 bits of a truncated unit, as the 8-bit long-count fields hold them.
int8_t unit_byte(double value) noexcept { return static_cast<int8_t>(itrunc(value)); }

}  // namespace

extern "C" {

// No validation: every unit, out of its usual range too, adds its day value;
// the kin's fraction is dropped.
VARIZAV_API void SC_mayan(double* result, const double* baktun, const double* katun, const double* tun,
                          const double* uinal, const double* kin) {
  MayanDate d{};
  d.baktun = unit_byte(*baktun);
  d.katun = unit_byte(*katun);
  d.tun = unit_byte(*tun);
  d.uinal = unit_byte(*uinal);
  d.kin = static_cast<float>(itrunc(*kin));
  *result = jd_to_serial(mayan::to_jd(d));
}

}  // extern "C"

// The astronomical events: the keyword table of the calendar "astronomical"
// and the dispatcher that finds the first event of a kind at or after an
// instant.
#pragma once

#include <cstdint>

#include "astro/planets.h"
#include "astro/sun_crossing.h"
#include "framework/date.h"
#include "framework/keyword.h"

namespace varizav {

// An astronomical event code: top byte 0, astro_sub in bits 16-23 (a signed
// byte: the phase, sign, season or phenomenon slot), astro_kind in bits 0-15.
using AstroEventCode = int32_t;

constexpr int32_t astro_kind(AstroEventCode code) noexcept { return code & 0xFFFF; }
constexpr int32_t astro_sub(AstroEventCode code) noexcept { return static_cast<int8_t>((code >> 16) & 0xFF); }

// Event kinds (astro_kind).
enum AstroKind : int32_t {
  kAstroJulianYear = 1,     // start of a Julian year (epochs 352.25 + 365.25 n)
  kAstroBesselianYear = 2,  // start of a Besselian year
  kAstroMoonPhase = 3,      // sub: 0 new, 1 first quarter, 2 full, 3 last quarter
  kAstroApsis = 4,          // sub 0 perigee, else apogee
  kAstroDeclination = 5,    // sub 0 greatest northern, else southern declination
  kAstroNode = 6,           // sub 0 ascending, else descending node
  kAstroEclipse = 7,        // sub 0 solar, 1 lunar, else either
  kAstroSeason = 8,         // sub 0..3: Sun entering Aries, Cancer, Libra, Capricorn
  kAstroSign = 9,           // sub 0..11: Sun entering Aries .. Pisces
  kAstroAnySign = 10,       // the next entry into any sign
  kAstroMercury = 11,       // 11..17: Mercury .. Neptune, sub = phenomenon slot
  kAstroVenus = 12,
  kAstroMars = 13,
  kAstroJupiter = 14,
  kAstroSaturn = 15,
  kAstroUranus = 16,
  kAstroNeptune = 17,
};
static_assert(kAstroNeptune - kAstroMercury + 1 == kPlanetCount);

// The AstroEventCode of a kind and its sub-kind (a signed byte). A row with
// an impossible part does not compile.
consteval AstroEventCode astro_code(AstroKind kind, int32_t sub = 0) {
  if (kind < kAstroJulianYear || kind > kAstroNeptune) throw "not an astronomical event kind";
  if (sub < -128 || sub > 127) throw "sub-kind outside a signed byte";
  return static_cast<AstroEventCode>((static_cast<uint32_t>(sub) & 0xFFu) << 16 | static_cast<uint32_t>(kind));
}

// Selector flag of kinds 1 and 2: the year start that falls within the year
// beginning at the given instant, instead of the last one at or before it.
constexpr int32_t kAstroYearCentred = 0x10000;

// The 51 events by name (English and German), values AstroEventCodes.
extern const KeywordTable astro_events;

// Given:    jd          start instant (local time for kinds 3-17), finite
//           selector    astro_kind in bits 0-15, kAstroYearCentred flag
//           sub         astro_sub
//           candidates  optional: the number of candidate instants computed
//                       (one for a year start; see astro_event_td) is added
// Returned: kinds 1, 2: the year start (a fixed epoch, no delta T, no time
//           zone); kinds 3-17: the first event at or after jd in local civil
//           time, with its time of day; NaN (no result) for an unknown
//           kind, a non-finite start or a search that fails.
JulianDay astro_event(JulianDay jd, int32_t selector, int32_t sub, int64_t* candidates = nullptr) noexcept;

// The search of astro_event for kinds 3-17 in dynamical time.
// Given:    kind  astro_kind 3-17, te  Julian centuries (TD) from J2000.0,
//           sub   astro_sub
//           candidates  optional: the number of candidate instants the search
//                       computed is added (a few, tens for eclipses far from
//                       J2000.0; a hard limit stops a search that does not end)
// Returned: the first event at or after te, in centuries TD (te itself when
//           an event falls exactly there); NaN for another kind, a non-finite
//           te or a search that fails.
double astro_event_td(int32_t kind, double te, int32_t sub, int64_t* candidates = nullptr) noexcept;

}  // namespace varizav

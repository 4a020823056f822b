#include "events/astro_events.h"

#include <array>
#include <cmath>
#include <cstdint>
#include <limits>

#include "astro/moon.h"
#include "astro/planets.h"
#include "astro/sun_crossing.h"
#include "astro/time_scales.h"
#include "framework/numeric.h"

namespace varizav {
namespace {

// ---- The catalogue ----

struct AstroEventEntry {
  const char* english;
  const char* german;  // Windows-1252
  AstroEventCode code;
};

// 51 entries in lookup order (the first name an abbreviation matches wins).
static constexpr std::array<AstroEventEntry, 51> kAstroEventEntries = {{
    {"New Year's Day", "Neujahr", 0x00000001},           // 1
    {"Julian Year", "Julianisches Jahr", 0x00000001},    // 2
    {"Besselian Year", "Besselsches Jahr", 0x00000002},  // 3
    {"New Moon", "Neumond", 0x00000003},                 // 4
    {"First Quarter", "Erstes Viertel", 0x00010003},     // 5
    {"Full Moon", "Vollmond", 0x00020003},               // 6
    {"Last Quarter", "Letztes Viertel", 0x00030003},     // 7
    {"Perigee", "Perig\xE4um", 0x00000004},              // 8
    {"Apogee", "Apog\xE4um", 0x00010004},                // 9
    {"North Point", "Nordpunkt", 0x00000005},            // 10
    {"South Point",
     "S\xFC"
     "dpunkt",
     0x00010005},                                                               // 11
    {"Ascending Node", "Aufsteigender Knoten", 0x00000006},                     // 12
    {"Descending Node", "Absteigender Knoten", 0x00010006},                     // 13
    {"Solar Eclipse", "Sonnenfinsternis", 0x00000007},                          // 14
    {"Lunar Eclipse", "Mondfinsternis", 0x00010007},                            // 15
    {"Eclipse", "Finsternis", 0x00020007},                                      // 16
    {"Spring", "Fr\xFChlingsanfang", 0x00000008},                               // 17
    {"Summer", "Sommeranfang", 0x00010008},                                     // 18
    {"Autumn", "Herbstanfang", 0x00020008},                                     // 19
    {"Winter", "Winteranfang", 0x00030008},                                     // 20
    {"Aries", "Widder", 0x00000009},                                            // 21
    {"Taurus", "Stier", 0x00010009},                                            // 22
    {"Gemini", "Zwillinge", 0x00020009},                                        // 23
    {"Cancer", "Krebs", 0x00030009},                                            // 24
    {"Leo", "L\xF6we", 0x00040009},                                             // 25
    {"Virgo", "Jungfrau", 0x00050009},                                          // 26
    {"Libra", "Waage", 0x00060009},                                             // 27
    {"Scorpio", "Skorpion", 0x00070009},                                        // 28
    {"Sagittarius", "Sch\xFCtze", 0x00080009},                                  // 29
    {"Capricorn", "Steinbock", 0x00090009},                                     // 30
    {"Aquarius", "Wassermann", 0x000A0009},                                     // 31
    {"Pisces", "Fische", 0x000B0009},                                           // 32
    {"Zodiac", "Sternzeichen", 0x0000000A},                                     // 33
    {"Mercury Inferior Conjunction", "Merkur Untere Konjunktion", 0x0002000B},  // 34
    {"Mercury Superior Conjunction", "Merkur Obere Konjunktion", 0x0003000B},   // 35
    {"Mercury East Elongation", "Merkur \xD6stliche Elongation", 0x0004000B},   // 36
    {"Mercury West Elongation", "Merkur Westliche Elongation", 0x0006000B},     // 37
    {"Venus Inferior Conjunction", "Venus Untere Konjunktion", 0x0002000C},     // 38
    {"Venus Superior Conjunction", "Venus Obere Konjunktion", 0x0003000C},      // 39
    {"Venus East Elongation", "Venus \xD6stliche Elongation", 0x0004000C},      // 40
    {"Venus West Elongation", "Venus Westliche Elongation", 0x0006000C},        // 41
    {"Mars Opposition", "Mars Opposition", 0x0000000D},                         // 42
    {"Mars Conjunction", "Mars Konjunktion", 0x0001000D},                       // 43
    {"Jupiter Opposition", "Jupiter Opposition", 0x0000000E},                   // 44
    {"Jupiter Conjunction", "Jupiter Konjunktion", 0x0001000E},                 // 45
    {"Saturn Opposition", "Saturn Opposition", 0x0000000F},                     // 46
    {"Saturn Conjunction", "Saturn Konjunktion", 0x0001000F},                   // 47
    {"Uranus Opposition", "Uranus Opposition", 0x00000010},                     // 48
    {"Uranus Conjunction", "Uranus Konjunktion", 0x00010010},                   // 49
    {"Neptune Opposition", "Neptun Opposition", 0x00000011},                    // 50
    {"Neptune Conjunction", "Neptun Konjunktion", 0x00010011},                  // 51
}};
static_assert(kAstroEventEntries.size() == 51);

constexpr KeywordColumns<51> kAstroEventColumns = split_columns(kAstroEventEntries);

// ---- Family searches ----

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

// Mean frequencies of the families, cycles per Julian century: they give the
// start index from T and the jumps of first_at_or_after.
constexpr double kAnomalisticMonthsPerCentury = 1325.552418;
constexpr double kTropicalMonthsPerCentury = 1336.855226;
constexpr double kDraconicMonthsPerCentury = 1342.227826;
constexpr double kTropicalYearsPerCentury = 100.0021384;
constexpr double kSignsPerCentury = 1200.0256608;  // 12 per tropical year

// No search evaluates more candidates than this, jumping, stepping back and
// forward together, so none can run without end. Near the present a search
// needs one to three; at remote dates the estimates drift by up to about 4,500
// cycles (perigee and apogee at the lower limit, JulianDay -76715589), which
// the jumps of first_at_or_after cross in a few candidates (eclipse searches,
// whose lunations without an eclipse give no instant to jump by, step through
// the lunations of their drift: some 650 at the range ends).
constexpr int32_t kMaxCandidates = 32768;

// The event of one index of a family: absent for a lunation without an
// eclipse of the kind examined; t in centuries TD, NaN when it cannot be
// computed.
struct Candidate {
  bool exists;
  double t;
};

constexpr bool fits_cycle(int64_t k) noexcept {
  return k >= std::numeric_limits<int32_t>::min() && k <= std::numeric_limits<int32_t>::max();
}

// Jumps of the start index by whole mean cycles (see first_at_or_after).
constexpr int32_t kMaxJumps = 8;
// Largest jump, in indices: far more than any drift within the accepted range.
constexpr double kMaxJumpCycles = 1.0e6;

// The first existing candidate at or after te (centuries TD), indices
// stepping by one from index. Far from J2000 the estimated index drifts from
// the answer by up to thousands of cycles (the polynomial terms of the
// theories outgrow the mean motion), so the index first jumps by the remaining
// distance in mean cycles (indices_per_century, the family's mean frequency)
// while that is two or more; a jump that lands on an incomputable candidate is
// not taken. Near the present the estimate is within a cycle and no jump is
// made. The index can still lie past the answer (and does for the signs of
// January and February, whose year index counts from the March equinox), so it
// then steps back while the candidate is at or after te. A NaN candidate stops
// the stepping back and ends the search forward with NaN.
// The number of candidates computed is added to *candidates when given.
template <class Family>
double first_at_or_after(int64_t index, double te, double indices_per_century, const Family& family,
                         int64_t* candidates) noexcept {
  int32_t evaluated = 0;
  const auto candidate_at = [&family, &evaluated](int64_t k) {
    ++evaluated;
    return family(k);
  };
  const auto done = [&evaluated, candidates](double t) {
    if (candidates != nullptr) *candidates += evaluated;
    return t;
  };
  int32_t budget = kMaxCandidates;
  Candidate c = candidate_at(index);
  for (int32_t jump = 0; jump < kMaxJumps && c.exists && std::isfinite(c.t); ++jump) {
    const double cycles = std::trunc((te - c.t) * indices_per_century);
    if (!(std::fabs(cycles) >= 2.0)) break;
    const int64_t target = index + static_cast<int64_t>(std::fmax(-kMaxJumpCycles, std::fmin(cycles, kMaxJumpCycles)));
    if (--budget <= 0) return done(kNaN);
    const Candidate landed = candidate_at(target);
    if (!landed.exists || !std::isfinite(landed.t)) break;
    index = target;
    c = landed;
  }
  while (!c.exists || c.t >= te) {
    if (--budget <= 0) return done(kNaN);
    c = candidate_at(--index);
  }
  while (!c.exists || !(c.t >= te)) {
    if (c.exists && std::isnan(c.t)) return done(kNaN);
    if (--budget <= 0) return done(kNaN);
    c = candidate_at(++index);
  }
  return done(c.t);
}

double moon_phase_search(double te, int32_t phase, int64_t* candidates) noexcept {
  const auto candidate = [phase](int64_t k) -> Candidate {
    if (!fits_cycle(k)) return {true, kNaN};
    return {true, moon_phase(static_cast<int32_t>(k), phase)};
  };
  return first_at_or_after(ifloor(te * kLunationsPerCentury), te, kLunationsPerCentury, candidate, candidates);
}

// The first event at or after te of a lunar cycle with two events half a cycle
// apart (perigee and apogee, northern and southern declination, ascending and
// descending node): event(k, which) is the instant in cycle k.
template <class Which>
double half_cycle_search(double te, double cycles_per_century, double (*event)(int32_t, Which) noexcept,
                         Which which, int64_t* candidates) noexcept {
  const auto candidate = [event, which](int64_t k) -> Candidate {
    if (!fits_cycle(k)) return {true, kNaN};
    return {true, event(static_cast<int32_t>(k), which)};
  };
  return first_at_or_after(int64_t{ifloor(te * cycles_per_century)} - 1, te, cycles_per_century, candidate,
                           candidates);
}

Candidate eclipse_candidate(int64_t k, EclipseType type) noexcept {
  if (!fits_cycle(k)) return {true, kNaN};
  const Eclipse e = eclipse_at(static_cast<int32_t>(k), type);
  return {e.found, e.t_td};
}

// Sub 0 solar eclipses only, sub 1 lunar only, any other sub both in their
// order in time: lunar at k, solar at k + 1, lunar at k + 1, ...
double eclipse_search(double te, int32_t sub, int64_t* candidates) noexcept {
  const int64_t k0 = int64_t{ifloor(te * kLunationsPerCentury)} - 1;
  if (sub == 0 || sub == 1) {
    const EclipseType type = sub == 0 ? EclipseType::solar : EclipseType::lunar;
    return first_at_or_after(
        k0, te, kLunationsPerCentury, [type](int64_t k) { return eclipse_candidate(k, type); }, candidates);
  }
  // Index 2k: the new moon of lunation k, 2k + 1: its full moon.
  const auto either = [](int64_t i) {
    const FloorDiv d = floor_div(i, 2);
    return eclipse_candidate(d.quot, d.rem == 0 ? EclipseType::solar : EclipseType::lunar);
  };
  return first_at_or_after(2 * k0 + 1, te, 2.0 * kLunationsPerCentury, either, candidates);
}

// Entry into sign `sign` (unsigned; 12 and more are the following years'),
// indexed by years from 2000.
double sign_search(double te, int32_t sign, int64_t* candidates) noexcept {
  const auto candidate = [sign](int64_t k) -> Candidate {
    return {true, sun_longitude_crossing(static_cast<double>(k), sign)};
  };
  return first_at_or_after(ifloor(te * kTropicalYearsPerCentury), te, kTropicalYearsPerCentury, candidate,
                           candidates);
}

// The next entry into any sign, indexed by signs from the March equinox of 2000.
double any_sign_search(double te, int64_t* candidates) noexcept {
  const auto candidate = [](int64_t n) -> Candidate {
    const FloorDiv d = floor_div(n, 12);
    return {true, sun_longitude_crossing(static_cast<double>(d.quot), static_cast<int32_t>(d.rem))};
  };
  return first_at_or_after(int64_t{ifloor(te * kSignsPerCentury)} - 2, te, kSignsPerCentury, candidate, candidates);
}

// Start of the year of `epoch_jd + n * year_days` that is the last at or before jd.
double year_start(JulianDay jd, double epoch_jd, double years_per_day, double year_days) noexcept {
  return std::floor((jd - epoch_jd) * years_per_day) * year_days + epoch_jd;
}

}  // namespace

const KeywordTable astro_events = table_of(kAstroEventColumns);

double astro_event_td(int32_t kind, double te, int32_t sub, int64_t* candidates) noexcept {
  if (!std::isfinite(te)) return kNaN;
  switch (kind) {
    case kAstroMoonPhase:
      return moon_phase_search(te, sub, candidates);
    case kAstroApsis:
      return half_cycle_search(te, kAnomalisticMonthsPerCentury, lunar_apsis,
                               sub == 0 ? Apsis::perigee : Apsis::apogee, candidates);
    case kAstroDeclination:
      return half_cycle_search(te, kTropicalMonthsPerCentury, lunar_extreme,
                               sub == 0 ? Declination::north : Declination::south, candidates);
    case kAstroNode:
      return half_cycle_search(te, kDraconicMonthsPerCentury, lunar_node,
                               sub == 0 ? Node::ascending : Node::descending, candidates);
    case kAstroEclipse:
      return eclipse_search(te, sub, candidates);
    case kAstroSeason:
      // Seasons begin at the signs Aries, Cancer, Libra, Capricorn (3 x season).
      return sign_search(te, static_cast<int32_t>(static_cast<uint32_t>(sub) * 3u), candidates);
    case kAstroSign:
      return sign_search(te, sub, candidates);
    case kAstroAnySign:
      return any_sign_search(te, candidates);
    default:
      if (kind < kAstroMercury || kind > kAstroNeptune) return kNaN;
      return next_planet_event(static_cast<Planet>(kind - kAstroMercury), te, sub, candidates);
  }
}

JulianDay astro_event(JulianDay jd, int32_t selector, int32_t sub, int64_t* candidates) noexcept {
  const int32_t kind = selector & 0xFFFF;
  // Half a year forward: the year start within the year beginning at jd.
  const JulianDay centred = (selector & kAstroYearCentred) != 0 ? jd + 182.0 : jd;
  if ((kind == kAstroJulianYear || kind == kAstroBesselianYear) && candidates != nullptr) ++*candidates;
  if (kind == kAstroJulianYear) {
    // Julian epochs 352.25 + 365.25 n; J2000.0 is one of them.
    return year_start(centred, 352.25, 0.0027378507871321013, 365.25);
  }
  if (kind == kAstroBesselianYear) {
    // Besselian epochs, tropical years of 365.24219878 days (B1900.0 = JD 2415020.3135).
    return year_start(centred, 38.8951886398718, 0.0027379092649760877, 365.24219878);
  }
  if (kind < kAstroMoonPhase || kind > kAstroNeptune || !std::isfinite(jd)) return kNaN;

  // Delta T is evaluated once, at the start, and serves both ways.
  const double t = jd_to_centuries(jd);
  const double dt = delta_t(t);
  const double te = t + dt;
  const double event = astro_event_td(kind, te, sub, candidates);
  if (std::isnan(event)) return kNaN;
  return centuries_to_jd(event - dt - tz_offset_centuries());
}

}  // namespace varizav

#include "events/astro_events.h"

#include <array>
#include <cmath>
#include <cstdint>

#include "astro/moon.h"
#include "astro/planets.h"
#include "astro/sun_crossing.h"
#include "astro/time_scales.h"
#include "framework/constants.h"
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
    {"New Year's Day", "Neujahr", astro_code(kAstroJulianYear)},              // 1
    {"Julian Year", "Julianisches Jahr", astro_code(kAstroJulianYear)},       // 2
    {"Besselian Year", "Besselsches Jahr", astro_code(kAstroBesselianYear)},  // 3
    {"New Moon", "Neumond", astro_code(kAstroMoonPhase)},                     // 4
    {"First Quarter", "Erstes Viertel", astro_code(kAstroMoonPhase, 1)},      // 5
    {"Full Moon", "Vollmond", astro_code(kAstroMoonPhase, 2)},                // 6
    {"Last Quarter", "Letztes Viertel", astro_code(kAstroMoonPhase, 3)},      // 7
    {"Perigee", "Perig\xE4um", astro_code(kAstroApsis)},                      // 8
    {"Apogee", "Apog\xE4um", astro_code(kAstroApsis, 1)},                     // 9
    {"North Point", "Nordpunkt", astro_code(kAstroDeclination)},              // 10
    {"South Point",
     "S\xFC"
     "dpunkt",
     astro_code(kAstroDeclination, 1)},                                     // 11
    {"Ascending Node", "Aufsteigender Knoten", astro_code(kAstroNode)},     // 12
    {"Descending Node", "Absteigender Knoten", astro_code(kAstroNode, 1)},  // 13
    {"Solar Eclipse", "Sonnenfinsternis", astro_code(kAstroEclipse)},       // 14
    {"Lunar Eclipse", "Mondfinsternis", astro_code(kAstroEclipse, 1)},      // 15
    {"Eclipse", "Finsternis", astro_code(kAstroEclipse, 2)},                // 16
    {"Spring", "Fr\xFChlingsanfang", astro_code(kAstroSeason)},             // 17
    {"Summer", "Sommeranfang", astro_code(kAstroSeason, 1)},                // 18
    {"Autumn", "Herbstanfang", astro_code(kAstroSeason, 2)},                // 19
    {"Winter", "Winteranfang", astro_code(kAstroSeason, 3)},                // 20
    {"Aries", "Widder", astro_code(kAstroSign)},                            // 21
    {"Taurus", "Stier", astro_code(kAstroSign, 1)},                         // 22
    {"Gemini", "Zwillinge", astro_code(kAstroSign, 2)},                     // 23
    {"Cancer", "Krebs", astro_code(kAstroSign, 3)},                         // 24
    {"Leo", "L\xF6we", astro_code(kAstroSign, 4)},                          // 25
    {"Virgo", "Jungfrau", astro_code(kAstroSign, 5)},                       // 26
    {"Libra", "Waage", astro_code(kAstroSign, 6)},                          // 27
    {"Scorpio", "Skorpion", astro_code(kAstroSign, 7)},                     // 28
    {"Sagittarius", "Sch\xFCtze", astro_code(kAstroSign, 8)},               // 29
    {"Capricorn", "Steinbock", astro_code(kAstroSign, 9)},                  // 30
    {"Aquarius", "Wassermann", astro_code(kAstroSign, 10)},                 // 31
    {"Pisces", "Fische", astro_code(kAstroSign, 11)},                       // 32
    {"Zodiac", "Sternzeichen", astro_code(kAstroAnySign)},                  // 33
    {"Mercury Inferior Conjunction", "Merkur Untere Konjunktion",
     astro_code(kAstroMercury, kInferiorConjunction)},  // 34
    {"Mercury Superior Conjunction", "Merkur Obere Konjunktion",
     astro_code(kAstroMercury, kSuperiorConjunction)},                                                            // 35
    {"Mercury East Elongation", "Merkur \xD6stliche Elongation", astro_code(kAstroMercury, kEasternElongation)},  // 36
    {"Mercury West Elongation", "Merkur Westliche Elongation", astro_code(kAstroMercury, kWesternElongation)},    // 37
    {"Venus Inferior Conjunction", "Venus Untere Konjunktion", astro_code(kAstroVenus, kInferiorConjunction)},    // 38
    {"Venus Superior Conjunction", "Venus Obere Konjunktion", astro_code(kAstroVenus, kSuperiorConjunction)},     // 39
    {"Venus East Elongation", "Venus \xD6stliche Elongation", astro_code(kAstroVenus, kEasternElongation)},       // 40
    {"Venus West Elongation", "Venus Westliche Elongation", astro_code(kAstroVenus, kWesternElongation)},         // 41
    {"Mars Opposition", "Mars Opposition", astro_code(kAstroMars, kOpposition)},                                  // 42
    {"Mars Conjunction", "Mars Konjunktion", astro_code(kAstroMars, kConjunction)},                               // 43
    {"Jupiter Opposition", "Jupiter Opposition", astro_code(kAstroJupiter, kOpposition)},                         // 44
    {"Jupiter Conjunction", "Jupiter Konjunktion", astro_code(kAstroJupiter, kConjunction)},                      // 45
    {"Saturn Opposition", "Saturn Opposition", astro_code(kAstroSaturn, kOpposition)},                            // 46
    {"Saturn Conjunction", "Saturn Konjunktion", astro_code(kAstroSaturn, kConjunction)},                         // 47
    {"Uranus Opposition", "Uranus Opposition", astro_code(kAstroUranus, kOpposition)},                            // 48
    {"Uranus Conjunction", "Uranus Konjunktion", astro_code(kAstroUranus, kConjunction)},                         // 49
    {"Neptune Opposition", "Neptun Opposition", astro_code(kAstroNeptune, kOpposition)},                          // 50
    {"Neptune Conjunction", "Neptun Konjunktion", astro_code(kAstroNeptune, kConjunction)},                       // 51
}};
static_assert(kAstroEventEntries.size() == 51);

constexpr auto kAstroEventColumns = split_columns(kAstroEventEntries);

// ---- Family searches ----

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
    if (!in_int32_range(k)) return {true, kNaN};
    return {true, moon_phase(static_cast<int32_t>(k), phase)};
  };
  return first_at_or_after(ifloor(te * kLunationsPerCentury), te, kLunationsPerCentury, candidate, candidates);
}

// The first event at or after te of a lunar cycle with two events half a cycle
// apart (perigee and apogee, northern and southern declination, ascending and
// descending node): event(k, which) is the instant in cycle k.
template <class Which>
double half_cycle_search(double te, double cycles_per_century, double (*event)(int32_t, Which) noexcept, Which which,
                         int64_t* candidates) noexcept {
  const auto candidate = [event, which](int64_t k) -> Candidate {
    if (!in_int32_range(k)) return {true, kNaN};
    return {true, event(static_cast<int32_t>(k), which)};
  };
  return first_at_or_after(int64_t{ifloor(te * cycles_per_century)} - 1, te, cycles_per_century, candidate, candidates);
}

Candidate eclipse_candidate(int64_t k, EclipseType type) noexcept {
  if (!in_int32_range(k)) return {true, kNaN};
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
  return first_at_or_after(ifloor(te * kTropicalYearsPerCentury), te, kTropicalYearsPerCentury, candidate, candidates);
}

// The next entry into any sign, indexed by signs from the March equinox of 2000.
double any_sign_search(double te, int64_t* candidates) noexcept {
  const auto candidate = [](int64_t n) -> Candidate {
    const FloorDiv d = floor_div(n, 12);
    return {true, sun_longitude_crossing(static_cast<double>(d.quot), static_cast<int32_t>(d.rem))};
  };
  return first_at_or_after(int64_t{ifloor(te * kSignsPerCentury)} - 2, te, kSignsPerCentury, candidate, candidates);
}

// Epochs of the year starts, the JulianDay of year start 0: the Julian ones
// lie at 352.25 + 365.25 n (J2000.0 is one of them), the Besselian ones
// at 38.8951886398718 + 365.24219878 n (B1900.0 = JulianDay 2415020.3135).
constexpr double kJulianEpochJd = 352.25;
constexpr double kBesselianEpochJd = 38.8951886398718;

// Start of the year of `epoch_jd + n * year_days` that is the last at or before jd.
double year_start(JulianDay jd, double epoch_jd, double years_per_day, double year_days) noexcept {
  return std::floor((jd - epoch_jd) * years_per_day) * year_days + epoch_jd;
}

}  // namespace

const KeywordTable astro_events = table_of(kAstroEventColumns);

double astro_event_td(int32_t kind, double te, int32_t sub, int64_t* candidates) noexcept {
  if (!std::isfinite(te)) return kNaN;
  switch (kind) {
    case kAstroMoonPhase: return moon_phase_search(te, sub, candidates);
    case kAstroApsis:
      return half_cycle_search(te, kAnomalisticMonthsPerCentury, lunar_apsis, sub == 0 ? Apsis::perigee : Apsis::apogee,
                               candidates);
    case kAstroDeclination:
      return half_cycle_search(te, kTropicalMonthsPerCentury, lunar_extreme,
                               sub == 0 ? Declination::north : Declination::south, candidates);
    case kAstroNode:
      return half_cycle_search(te, kDraconicMonthsPerCentury, lunar_node, sub == 0 ? Node::ascending : Node::descending,
                               candidates);
    case kAstroEclipse: return eclipse_search(te, sub, candidates);
    case kAstroSeason:
      // Seasons begin at the signs Aries, Cancer, Libra, Capricorn (3 x season).
      return sign_search(te, static_cast<int32_t>(static_cast<uint32_t>(sub) * 3u), candidates);
    case kAstroSign: return sign_search(te, sub, candidates);
    case kAstroAnySign: return any_sign_search(te, candidates);
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
    return year_start(centred, kJulianEpochJd, kDaysToJulianYears, kJulianYearDays);
  }
  if (kind == kAstroBesselianYear) {
    return year_start(centred, kBesselianEpochJd, kDaysToBesselianYears, kBesselianYearDays);
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

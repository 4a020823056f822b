// Term tables of the lunar event series (Meeus, Astronomical Algorithms,
// chapters 49-52 and 54), with every coefficient converted from days to
// Julian centuries and made an integer in the unit named above each table
// (the phase terms truncated toward zero, the others rounded). Each row lists
// the multiples of the fundamental arguments in the column order named in its
// table's comment.
//
// Back to the published days: a coefficient in 1e-12 centuries times
// 3.6525e-8, one in 1e-10 centuries times 3.6525e-6. The first rows of each
// table are checked against the published values below.
#pragma once

#include <array>
#include <cstdint>

#include "astro/series.h"
#include "framework/constants.h"

namespace varizav::moon_detail {

constexpr double kDaysPerE12Centuries = kDaysPerJulianCentury * 1e-12;  // 3.6525e-8 days
constexpr double kDaysPerE10Centuries = kDaysPerJulianCentury * 1e-10;  // 3.6525e-6 days

// True when the stored coefficient, times days_per_unit, gives the published
// coefficient (days) to its last decimal place (last_place days).
constexpr bool is_published(int32_t stored, double days_per_unit, double published_days, double last_place) {
  const double d = stored * days_per_unit - published_days;
  return (d < 0.0 ? -d : d) < 0.5 * last_place;
}

// Periodic terms of the four phases: multiples of (M', M, F) and the
// coefficients of sin(theta) for new moon, first quarter, full moon and last
// quarter, in 1e-12 Julian centuries (times 3.6525e-8: days). 25 terms.
struct PhaseTerm {
  std::array<int32_t, 3> m;
  std::array<int32_t, 4> c;
};
// clang-format off
inline constexpr std::array<PhaseTerm, 25> kPhaseTerms = {{
    {{1, 0, 0}, {-11148528, -17193976, -11119507, -17193976}},  // 1
    {{0, 1, 0}, {4720328, 4701437, 4737029, 4701437}},          // 2
    {{2, 0, 0}, {440246, 236002, 441889, 236002}},              // 3
    {{0, 0, 2}, {284462, 220123, 285557, 220123}},              // 4
    {{1, -1, 0}, {202327, 124298, 200958, 124298}},             // 5
    {{1, 1, 0}, {-140725, -323887, -140999, -323887}},          // 6
    {{0, 2, 0}, {56947, 55852, 57221, 55852}},                  // 7
    {{1, 0, -2}, {-30390, -49281, -30390, -49281}},             // 8
    {{1, 0, 2}, {-15605, -19164, -15605, -19164}},              // 9
    {{2, 1, 0}, {15331, 7392, 15331, 7392}},                    // 10
    {{3, 0, 0}, {-11498, -10951, -11498, -10951}},              // 11
    {{0, 1, 2}, {11498, 8761, 11498, 8761}},                    // 12
    {{0, 1, -2}, {10403, 8761, 10403, 8761}},                   // 13
    {{2, -1, 0}, {-6570, -9308, -6570, -9308}},                 // 14
    {{1, 2, 0}, {-1916, -7665, -1916, -7665}},                  // 15
    {{2, 0, -2}, {1095, 547, 1095, 547}},                       // 16
    {{0, 3, 0}, {1095, 821, 1095, 821}},                        // 17
    {{1, 1, -2}, {821, 821, 821, 821}},                         // 18
    {{2, 0, 2}, {821, 1095, 821, 1095}},                        // 19
    {{1, 1, 2}, {-821, -1095, -821, -1095}},                    // 20
    {{1, -1, 2}, {821, 547, 821, 547}},                         // 21
    {{1, -1, -2}, {-547, -1368, -547, -1368}},                  // 22
    {{3, 1, 0}, {-547, -547, -547, -547}},                      // 23
    {{4, 0, 0}, {547, 0, 547, 0}},                              // 24
    {{1, -2, 0}, {0, 1095, 0, 1095}},                           // 25
}};
// clang-format on
static_assert(kPhaseTerms.size() == 25);
// Meeus 49: -0.40720 sin M' (new), -0.62801 (quarters), -0.40614 (full);
// 0.17241 E sin M (new), 0.17172 (quarters), 0.17302 (full).
static_assert(is_published(kPhaseTerms[0].c[0], kDaysPerE12Centuries, -0.40720, 1e-5) &&
              is_published(kPhaseTerms[0].c[1], kDaysPerE12Centuries, -0.62801, 1e-5) &&
              is_published(kPhaseTerms[0].c[2], kDaysPerE12Centuries, -0.40614, 1e-5) &&
              is_published(kPhaseTerms[1].c[0], kDaysPerE12Centuries, 0.17241, 1e-5) &&
              is_published(kPhaseTerms[1].c[1], kDaysPerE12Centuries, 0.17172, 1e-5) &&
              is_published(kPhaseTerms[1].c[2], kDaysPerE12Centuries, 0.17302, 1e-5));

// Additional terms of all phases, from the planetary arguments: c sin(phi +
// nu T0), c in 1e-12 Julian centuries (times 3.6525e-8: days), phi in
// radians, nu in radians per century. phi and nu are kept in single
// precision, as published. 14 terms.
struct PhaseExtraTerm {
  int32_t c;
  float phi;
  float nu;
};
// clang-format off
inline constexpr std::array<PhaseExtraTerm, 14> kPhaseExtraTerms = {{
    {8898, 5.23165f, 2.318633f},    // 1
    {4517, 4.396086f, 0.352321f},   // 2
    {4490, 4.314965f, 575.3385f},   // 3
    {3449, 5.988825f, 786.04193f},  // 4
    {3011, 1.422743f, 393.02097f},  // 5
    {1697, 2.313234f, 1150.677f},   // 6
    {1642, 3.607882f, 52.969097f},  // 7
    {1533, 2.680453f, 157.73436f},  // 8
    {1286, 0.520354f, 588.4927f},   // 9
    {1149, 3.615781f, 2.629832f},   // 10
    {1095, 5.079285f, 39.8149f},    // 11
    {1013, 2.749641f, 522.3694f},   // 12
    {958, 4.104244f, 550.7553f},    // 13
    {629, 5.775815f, 77.55226f},    // 14
}};
// clang-format on
static_assert(kPhaseExtraTerms.size() == 14);
static_assert(is_published(kPhaseExtraTerms[0].c, kDaysPerE12Centuries, 0.000325, 1e-6));  // Meeus 49: 0.000325 sin A1

// Periodic terms of the instant of greatest eclipse: multiples of (M', M, F1)
// and the coefficient of sin(theta) in 1e-10 Julian centuries (times 3.6525e-6: days). 14 terms.
// clang-format off
inline constexpr std::array<SineTerm<3>, 14> kEclipseTerms = {{
    {{1, 0, 0}, -111567},  // 1
    {{0, 1, 0}, 47118},    // 2
    {{2, 0, 0}, 4408},     // 3
    {{0, 0, 2}, -2656},    // 4
    {{1, -1, 0}, 1999},    // 5
    {{1, 1, 0}, -1369},    // 6
    {{1, 0, -2}, -630},    // 7
    {{0, 2, 0}, 575},      // 8
    {{1, 0, 2}, 329},      // 9
    {{2, 1, 0}, 164},      // 10
    {{3, 0, 0}, -110},     // 11
    {{0, 1, 2}, -82},      // 12
    {{0, 1, -2}, -55},     // 13
    {{2, -1, 0}, -55},     // 14
}};
// clang-format on
static_assert(kEclipseTerms.size() == 14);
static_assert(is_published(kEclipseTerms[0].c, kDaysPerE10Centuries, -0.4075, 1e-4));  // Meeus 54: -0.4075 sin M'

// Perigee terms: multiples of (D, M, F), coefficient of sin(theta) in 1e-10
// Julian centuries (times 3.6525e-6: days). 60 terms.
// clang-format off
inline constexpr std::array<SineTerm<3>, 60> kPerigeeTerms = {{
    {{2, 0, 0}, -459110},  // 1
    {{4, 0, 0}, 125639},   // 2
    {{6, 0, 0}, -50814},   // 3
    {{8, 0, 0}, 24175},    // 4
    {{2, -1, 0}, -21163},  // 5
    {{0, 1, 0}, 13744},    // 6
    {{10, 0, 0}, -12594},  // 7
    {{4, -1, 0}, 11553},   // 8
    {{6, -1, 0}, -7008},   // 9
    {{12, 0, 0}, 6926},    // 10
    {{1, 0, 0}, 6488},     // 11
    {{8, -1, 0}, 4435},    // 12
    {{14, 0, 0}, -3969},   // 13
    {{0, 0, 2}, 3531},     // 14
    {{3, 0, 0}, -3066},    // 15
    {{10, -1, 0}, -2847},  // 16
    {{16, 0, 0}, 2354},    // 17
    {{12, -1, 0}, 1889},   // 18
    {{5, 0, 0}, 1806},     // 19
    {{2, 0, 2}, -1451},    // 20
    {{18, 0, 0}, -1423},   // 21
    {{14, -1, 0}, -1259},  // 22
    {{7, 0, 0}, -1122},    // 23
    {{2, 1, 0}, 1095},     // 24
    {{20, 0, 0}, 876},     // 25
    {{1, 1, 0}, -876},     // 26
    {{16, -1, 0}, 848},    // 27
    {{4, 1, 0}, -793},     // 28
    {{9, 0, 0}, 739},      // 29
    {{4, 0, 2}, 739},      // 30
    {{2, -2, 0}, -739},    // 31
    {{4, -2, 0}, 657},     // 32
    {{6, -2, 0}, -574},    // 33
    {{22, 0, 0}, -574},    // 34
    {{18, -1, 0}, -574},   // 35
    {{6, 1, 0}, 520},      // 36
    {{11, 0, 0}, -492},    // 37
    {{8, 1, 0}, -383},     // 38
    {{4, 0, -2}, -383},    // 39
    {{6, 0, 2}, -383},     // 40
    {{3, 1, 0}, 383},      // 41
    {{5, 1, 0}, -383},     // 42
    {{13, 0, 0}, 355},     // 43
    {{20, -1, 0}, 355},    // 44
    {{3, 2, 0}, 301},      // 45
    {{4, -2, 2}, -301},    // 46
    {{1, 2, 0}, -273},     // 47
    {{22, -1, 0}, -246},   // 48
    {{0, 0, 4}, -219},     // 49
    {{6, 0, -2}, 219},     // 50
    {{2, 1, -2}, 219},     // 51
    {{0, 2, 0}, 191},      // 52
    {{0, -1, 2}, 191},     // 53
    {{2, 0, 4}, 191},      // 54
    {{0, -2, 2}, -164},    // 55
    {{2, 2, -2}, -164},    // 56
    {{24, 0, 0}, 164},     // 57
    {{4, 0, -4}, 136},     // 58
    {{2, 2, 0}, 136},      // 59
    {{1, -1, 0}, -109},    // 60
}};
// clang-format on
static_assert(kPerigeeTerms.size() == 60);
static_assert(is_published(kPerigeeTerms[0].c, kDaysPerE10Centuries, -1.6769, 1e-4));  // Meeus 50: -1.6769 sin 2D

// Apogee terms, same layout. 32 terms.
// clang-format off
inline constexpr std::array<SineTerm<3>, 32> kApogeeTerms = {{
    {{2, 0, 0}, 120246},  // 1
    {{4, 0, 0}, 18726},   // 2
    {{0, 1, 0}, 12484},   // 3
    {{2, -1, 0}, 11663},  // 4
    {{0, 0, 2}, 5804},    // 5
    {{1, 0, 0}, -5174},   // 6
    {{6, 0, 0}, 3942},    // 7
    {{4, -1, 0}, 3093},   // 8
    {{2, 0, 2}, 1286},    // 9
    {{1, 1, 0}, 985},     // 10
    {{8, 0, 0}, 958},     // 11
    {{6, -1, 0}, 930},    // 12
    {{2, 0, -2}, -930},   // 13
    {{2, -2, 0}, 602},    // 14
    {{3, 0, 0}, -465},    // 15
    {{4, 0, 2}, 355},     // 16
    {{8, -1, 0}, 301},    // 17
    {{4, -2, 0}, 273},    // 18
    {{10, 0, 0}, 246},    // 19
    {{3, 1, 0}, 191},     // 20
    {{0, 2, 0}, 164},     // 21
    {{2, 1, 0}, 136},     // 22
    {{2, 2, 0}, 136},     // 23
    {{6, 0, 2}, 109},     // 24
    {{6, -2, 0}, 109},    // 25
    {{10, -1, 0}, 109},   // 26
    {{5, 0, 0}, -109},    // 27
    {{4, 0, -2}, 109},    // 28
    {{0, 1, 2}, 82},      // 29
    {{12, 0, 0}, 82},     // 30
    {{2, -1, 2}, 82},     // 31
    {{1, -1, 0}, -82},    // 32
}};
// clang-format on
static_assert(kApogeeTerms.size() == 32);
static_assert(is_published(kApogeeTerms[0].c, kDaysPerE10Centuries, 0.4392, 1e-4));  // Meeus 50: 0.4392 sin 2D

// Node terms: multiples of (D, M', M), coefficient of sin(theta) in 1e-10
// Julian centuries (times 3.6525e-6: days), the same for both nodes. 19 terms.
// clang-format off
inline constexpr std::array<SineTerm<3>, 19> kNodeTerms = {{
    {{0, 1, 0}, -129254},  // 1
    {{2, 0, 0}, -45147},   // 2
    {{2, -1, 0}, -23765},  // 3
    {{2, 1, 0}, 2300},     // 4
    {{2, 0, -1}, -2272},   // 5
    {{2, -1, -1}, -1068},  // 6
    {{0, 2, 0}, 931},      // 7
    {{2, -2, 0}, -849},    // 8
    {{2, 0, 1}, 821},      // 9
    {{0, -1, 1}, 767},     // 10
    {{0, 0, 1}, 712},      // 11
    {{4, 0, 0}, 684},      // 12
    {{1, 0, 0}, 657},      // 13
    {{0, 1, 1}, 602},      // 14
    {{4, -1, 0}, 383},     // 15
    {{2, -1, 1}, 137},     // 16
    {{2, 1, -1}, 110},     // 17
    {{2, 0, -2}, -82},     // 18
    {{4, 0, -1}, 82},      // 19
}};
// clang-format on
static_assert(kNodeTerms.size() == 19);
static_assert(is_published(kNodeTerms[0].c, kDaysPerE10Centuries, -0.4721, 1e-4));  // Meeus 51: -0.4721 sin M'

// Extreme-declination terms: multiples of (D, M, M', F) and the
// coefficients a of cos(theta) and b of sin(theta) for the northern and the
// southern extreme, in 1e-10 Julian centuries (times 3.6525e-6: days). 31 terms.
struct ExtremeTerm {
  std::array<int32_t, 4> m;
  int32_t north_a;
  int32_t north_b;
  int32_t south_a;
  int32_t south_b;
};
// clang-format off
inline constexpr std::array<ExtremeTerm, 31> kExtremeTerms = {{
    {{0, 0, 0, 1}, 245722, 848, -245722, -848},   // 1
    {{0, 0, 1, 0}, 355, -129390, -355, -129390},  // 2
    {{0, 0, 0, 2}, 0, -28199, 0, -28199},         // 3
    {{2, 0, -1, 0}, -383, -26721, 383, -26721},   // 4
    {{0, 0, 1, -1}, -12648, 0, 14811, 0},         // 5
    {{0, 0, 1, 1}, -12621, -739, 14127, -739},    // 6
    {{2, 0, 0, 0}, 0, -11991, 0, -11991},         // 7
    {{0, 1, 0, 0}, 0, 4435, 0, 3066},             // 8
    {{0, 0, 0, 3}, -4298, 492, 4298, -492},       // 9
    {{0, 0, 1, 2}, -793, 3969, 793, 629},         // 10
    {{2, 0, 0, -1}, 3723, 0, -3723, 0},           // 11
    {{2, 0, -1, -1}, -2600, 0, 3011, 0},          // 12
    {{2, 0, -1, 1}, -2491, 301, 2491, 301},       // 13
    {{2, 0, 0, 1}, -2436, 0, 2436, 0},            // 14
    {{0, 0, 2, 0}, 465, 2053, 465, 2053},         // 15
    {{0, 0, 1, -2}, -1095, -1861, 1095, -821},    // 16
    {{0, 0, 2, -1}, 1670, 0, -1670, 0},           // 17
    {{0, 0, 1, 3}, 465, -1286, -465, -1286},      // 18
    {{2, -1, -1, 0}, 0, -1177, 0, -1177},         // 19
    {{2, 0, -2, 0}, -301, -1013, 301, -1013},     // 20
    {{2, 0, 1, 0}, 0, 821, 0, 821},               // 21
    {{2, -1, 0, 0}, 0, -793, 0, -793},            // 22
    {{0, 1, -1, 0}, 0, 657, 0, 657},              // 23
    {{0, 0, 1, -3}, 0, -574, 0, -574},            // 24
    {{0, 0, 2, 1}, 191, 520, -191, -520},         // 25
    {{2, 0, -2, -1}, 492, 0, -164, 0},            // 26
    {{2, 0, 1, 1}, 355, 0, -355, 0},              // 27
    {{0, 0, 3, 1}, -191, 328, -191, 328},         // 28
    {{1, 0, 0, 1}, 273, 0, 273, 0},               // 29
    {{0, 1, 1, 0}, 0, 273, 0, 273},               // 30
    {{2, 0, 0, -2}, 0, -246, 0, -246},            // 31
}};
// clang-format on
static_assert(kExtremeTerms.size() == 31);
// Meeus 52, northern extreme: 0.8975 cos F, -0.4726 sin M'.
static_assert(is_published(kExtremeTerms[0].north_a, kDaysPerE10Centuries, 0.8975, 1e-4) &&
              is_published(kExtremeTerms[1].north_b, kDaysPerE10Centuries, -0.4726, 1e-4));

}  // namespace varizav::moon_detail

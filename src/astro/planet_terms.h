// Correction series and cycle constants of the planetary phenomena (Meeus,
// Astronomical Algorithms, 2nd ed., ch. 36), read by the searches in
// planets.cpp. Corrections are in days, T in Julian centuries of dynamical time
// from J2000.0.
#pragma once

#include <array>
#include <cstdint>
#include <span>

#include "astro/planets.h"

namespace varizav::planet_terms {

// What multiplies a correction coefficient: 1, sin or cos of a multiple of the
// Sun's mean anomaly M, or sin or cos of one of the slowly varying arguments
// a .. g of the giant planets.
enum class Factor : uint8_t {
  one,
  sin_m,
  cos_m,
  sin_a,
  cos_a,
  sin_b,
  cos_b,
  sin_c,
  cos_c,
  sin_d,
  cos_d,
  cos_e,
  cos_f,
  cos_g,
};

// A correction term in days: (c0 + c1 T + c2 T^2) times the factor of
// `multiple` times its argument, T the mean instant in centuries.
struct PhenomenonTerm {
  Factor factor;
  int8_t multiple;
  double c0;
  double c1;
  double c2;
};

// Mercury, superior conjunction (slot 3, at T1): 11 terms.
// clang-format off
inline constexpr auto kMercurySuperior = std::to_array<PhenomenonTerm>({
    {Factor::one, 0, -0.0548, -0.0002, 0},
    {Factor::sin_m, 1, 7.3894, -0.0100, -0.00003},
    {Factor::cos_m, 1, 3.2200, 0.0197, -0.00001},
    {Factor::sin_m, 2, 0.8383, -0.0064, -0.00001},
    {Factor::cos_m, 2, 0.9666, 0.0039, -0.00003},
    {Factor::sin_m, 3, 0.0770, -0.0026, 0},
    {Factor::cos_m, 3, 0.2758, 0.0002, -0.00002},
    {Factor::sin_m, 4, -0.0128, -0.0008, 0},
    {Factor::cos_m, 4, 0.0734, -0.0004, -0.00001},
    {Factor::sin_m, 5, -0.0122, -0.0002, 0},
    {Factor::cos_m, 5, 0.0173, -0.0002, 0},
});
// clang-format on
static_assert(kMercurySuperior.size() == 11);

// Mercury, inferior conjunction (slot 2, at T2): 11 terms.
// clang-format off
inline constexpr auto kMercuryInferior = std::to_array<PhenomenonTerm>({
    {Factor::one, 0, 0.0545, 0.0002, 0},
    {Factor::sin_m, 1, -6.2008, 0.0074, 0.00003},
    {Factor::cos_m, 1, -3.2750, -0.0197, 0.00001},
    {Factor::sin_m, 2, 0.4737, -0.0052, -0.00001},
    {Factor::cos_m, 2, 0.8111, 0.0033, -0.00002},
    {Factor::sin_m, 3, 0.0037, 0.0018, 0},
    {Factor::cos_m, 3, -0.1768, 0, 0.00001},
    {Factor::sin_m, 4, -0.0211, -0.0004, 0},
    {Factor::cos_m, 4, 0.0326, -0.0003, 0},
    {Factor::sin_m, 5, 0.0083, 0.0001, 0},
    {Factor::cos_m, 5, -0.0040, 0.0001, 0},
});
// clang-format on
static_assert(kMercuryInferior.size() == 11);

// Mercury, greatest eastern elongation (slot 4, at T2): 11 terms.
// clang-format off
inline constexpr auto kMercuryEastern = std::to_array<PhenomenonTerm>({
    {Factor::one, 0, -21.6101, 0.0002, 0},
    {Factor::sin_m, 1, -1.9803, -0.0060, 0.00001},
    {Factor::cos_m, 1, 1.4151, -0.0072, -0.00001},
    {Factor::sin_m, 2, 0.5528, -0.0005, -0.00001},
    {Factor::cos_m, 2, 0.2905, 0.0034, 0.00001},
    {Factor::sin_m, 3, -0.1121, -0.0001, 0.00001},
    {Factor::cos_m, 3, -0.0098, -0.0015, 0},
    {Factor::sin_m, 4, 0.0192, 0, 0},
    {Factor::cos_m, 4, 0.0111, 0.0004, 0},
    {Factor::sin_m, 5, -0.0061, 0, 0},
    {Factor::cos_m, 5, -0.0032, -0.0001, 0},
});
// clang-format on
static_assert(kMercuryEastern.size() == 11);

// Mercury, greatest western elongation (slot 6, at T2): 11 terms.
// clang-format off
inline constexpr auto kMercuryWestern = std::to_array<PhenomenonTerm>({
    {Factor::one, 0, 21.6249, -0.0002, 0},
    {Factor::sin_m, 1, 0.1306, 0.0065, 0},
    {Factor::cos_m, 1, -2.7661, -0.0011, 0.00001},
    {Factor::sin_m, 2, 0.2438, -0.0024, -0.00001},
    {Factor::cos_m, 2, 0.5767, 0.0023, 0},
    {Factor::sin_m, 3, 0.1041, 0, 0},
    {Factor::cos_m, 3, -0.0184, 0.0007, 0},
    {Factor::sin_m, 4, -0.0051, -0.0001, 0},
    {Factor::cos_m, 4, 0.0048, 0.0001, 0},
    {Factor::sin_m, 5, 0.0026, 0, 0},
    {Factor::cos_m, 5, 0.0037, 0, 0},
});
// clang-format on
static_assert(kMercuryWestern.size() == 11);

// Venus, superior conjunction (slot 3, at T1): 7 terms.
// clang-format off
inline constexpr auto kVenusSuperior = std::to_array<PhenomenonTerm>({
    {Factor::one, 0, 0.0099, -0.0002, -0.00001},
    {Factor::sin_m, 1, 4.1991, -0.0121, -0.00003},
    {Factor::cos_m, 1, -0.6095, 0.0102, -0.00002},
    {Factor::sin_m, 2, 0.2500, -0.0028, -0.00003},
    {Factor::cos_m, 2, 0.0063, 0.0025, -0.00002},
    {Factor::sin_m, 3, 0.0232, -0.0005, -0.00001},
    {Factor::cos_m, 3, 0.0031, 0.0004, 0},
});
// clang-format on
static_assert(kVenusSuperior.size() == 7);

// Venus, inferior conjunction (slot 2, at T2): 7 terms.
// clang-format off
inline constexpr auto kVenusInferior = std::to_array<PhenomenonTerm>({
    {Factor::one, 0, -0.0096, 0.0002, -0.00001},
    {Factor::sin_m, 1, 2.0009, -0.0033, -0.00001},
    {Factor::cos_m, 1, 0.5980, -0.0104, 0.00001},
    {Factor::sin_m, 2, 0.0967, -0.0018, -0.00003},
    {Factor::cos_m, 2, 0.0913, 0.0009, -0.00002},
    {Factor::sin_m, 3, 0.0046, -0.0002, 0},
    {Factor::cos_m, 3, 0.0079, 0.0001, 0},
});
// clang-format on
static_assert(kVenusInferior.size() == 7);

// Venus, greatest eastern elongation (slot 4, at T2): 7 terms.
// clang-format off
inline constexpr auto kVenusEastern = std::to_array<PhenomenonTerm>({
    {Factor::one, 0, -70.7600, 0.0002, -0.00001},
    {Factor::sin_m, 1, 1.0282, -0.0010, -0.00001},
    {Factor::cos_m, 1, 0.2761, -0.0060, 0},
    {Factor::sin_m, 2, -0.0438, -0.0023, 0.00002},
    {Factor::cos_m, 2, 0.1660, -0.0037, -0.00004},
    {Factor::sin_m, 3, 0.0036, 0.0001, 0},
    {Factor::cos_m, 3, -0.0011, 0, 0.00001},
});
// clang-format on
static_assert(kVenusEastern.size() == 7);

// Venus, greatest western elongation (slot 6, at T2): 7 terms.
// clang-format off
inline constexpr auto kVenusWestern = std::to_array<PhenomenonTerm>({
    {Factor::one, 0, 70.7462, 0, -0.00001},
    {Factor::sin_m, 1, 1.1218, -0.0025, -0.00001},
    {Factor::cos_m, 1, 0.4538, -0.0066, 0},
    {Factor::sin_m, 2, 0.1320, 0.0020, -0.00003},
    {Factor::cos_m, 2, -0.0702, 0.0022, 0.00004},
    {Factor::sin_m, 3, 0.0062, -0.0001, 0},
    {Factor::cos_m, 3, 0.0015, 0, -0.00001},
});
// clang-format on
static_assert(kVenusWestern.size() == 7);

// Mars, conjunction (slot 1, at T1): 11 terms.
// clang-format off
inline constexpr auto kMarsConjunction = std::to_array<PhenomenonTerm>({
    {Factor::one, 0, 0.3102, -0.0001, 0.00001},
    {Factor::sin_m, 1, 9.7273, -0.0156, 0.00001},
    {Factor::cos_m, 1, -18.3195, -0.0467, 0.00009},
    {Factor::sin_m, 2, -1.6488, -0.0133, 0.00001},
    {Factor::cos_m, 2, -2.6117, -0.0020, 0.00004},
    {Factor::sin_m, 3, -0.6827, -0.0026, 0.00001},
    {Factor::cos_m, 3, 0.0281, 0.0035, 0.00001},
    {Factor::sin_m, 4, -0.0823, 0.0006, 0.00001},
    {Factor::cos_m, 4, 0.1584, 0.0013, 0},
    {Factor::sin_m, 5, 0.0027, 0.0005, 0},
    {Factor::cos_m, 5, 0.0433, 0, 0},
});
// clang-format on
static_assert(kMarsConjunction.size() == 11);

// Mars, opposition (slot 0, at T2): 11 terms.
// clang-format off
inline constexpr auto kMarsOpposition = std::to_array<PhenomenonTerm>({
    {Factor::one, 0, -0.3088, 0, 0.00002},
    {Factor::sin_m, 1, -17.6965, 0.0363, 0.00005},
    {Factor::cos_m, 1, 18.3131, 0.0467, -0.00006},
    {Factor::sin_m, 2, -0.2162, -0.0198, -0.00001},
    {Factor::cos_m, 2, -4.5028, -0.0019, 0.00007},
    {Factor::sin_m, 3, 0.8987, 0.0058, -0.00002},
    {Factor::cos_m, 3, 0.7666, -0.0050, -0.00003},
    {Factor::sin_m, 4, -0.3636, -0.0001, 0.00002},
    {Factor::cos_m, 4, 0.0402, 0.0032, 0},
    {Factor::sin_m, 5, 0.0737, -0.0008, 0},
    {Factor::cos_m, 5, -0.0980, -0.0011, 0},
});
// clang-format on
static_assert(kMarsOpposition.size() == 11);

// Jupiter, conjunction (slot 1, at T1): 9 terms.
// clang-format off
inline constexpr auto kJupiterConjunction = std::to_array<PhenomenonTerm>({
    {Factor::one, 0, 0.1027, 0.0002, -0.00009},
    {Factor::sin_m, 1, -2.2637, 0.0163, -0.00003},
    {Factor::cos_m, 1, -6.1540, -0.0210, 0.00008},
    {Factor::sin_m, 2, -0.2021, -0.0017, 0.00001},
    {Factor::cos_m, 2, 0.1310, -0.0008, 0},
    {Factor::sin_m, 3, 0.0086, 0, 0},
    {Factor::cos_m, 3, 0.0087, 0.0002, 0},
    {Factor::sin_a, 1, 0, 0.0144, -0.00008},
    {Factor::cos_a, 1, 0.3642, -0.0019, -0.00029},
});
// clang-format on
static_assert(kJupiterConjunction.size() == 9);

// Jupiter, opposition (slot 0, at T2): 9 terms.
// clang-format off
inline constexpr auto kJupiterOpposition = std::to_array<PhenomenonTerm>({
    {Factor::one, 0, -0.1029, 0, -0.00009},
    {Factor::sin_m, 1, -1.9658, -0.0056, 0.00007},
    {Factor::cos_m, 1, 6.1537, 0.0210, -0.00006},
    {Factor::sin_m, 2, -0.2081, -0.0013, 0},
    {Factor::cos_m, 2, -0.1116, -0.0010, 0},
    {Factor::sin_m, 3, 0.0074, 0.0001, 0},
    {Factor::cos_m, 3, -0.0097, -0.0001, 0},
    {Factor::sin_a, 1, 0, 0.0144, -0.00008},
    {Factor::cos_a, 1, 0.3642, -0.0019, -0.00029},
});
// clang-format on
static_assert(kJupiterOpposition.size() == 9);

// Saturn, conjunction (slot 1, at T1): 7 terms.
// clang-format off
inline constexpr auto kSaturnConjunction = std::to_array<PhenomenonTerm>({
    {Factor::one, 0, 0.0172, -0.0006, 0.00023},
    {Factor::sin_m, 1, -8.5885, 0.0411, 0.0002},
    {Factor::cos_m, 1, -1.1470, 0.0352, -0.00011},
    {Factor::sin_m, 2, 0.3331, -0.0034, -0.00001},
    {Factor::cos_m, 2, 0.1145, -0.0045, 0.00002},
    {Factor::sin_m, 3, -0.0169, 0.0002, 0},
    {Factor::cos_m, 3, -0.0109, 0.0004, 0},
});
// clang-format on
static_assert(kSaturnConjunction.size() == 7);

// Saturn, opposition (slot 0, at T2): 7 terms.
// clang-format off
inline constexpr auto kSaturnOpposition = std::to_array<PhenomenonTerm>({
    {Factor::one, 0, -0.0209, 0.0006, 0.00023},
    {Factor::sin_m, 1, 4.5795, -0.0312, -0.00017},
    {Factor::cos_m, 1, 1.1462, -0.0351, 0.00011},
    {Factor::sin_m, 2, 0.0985, -0.0015, 0},
    {Factor::cos_m, 2, 0.0733, -0.0031, 0.00001},
    {Factor::sin_m, 3, 0.0025, -0.0001, 0},
    {Factor::cos_m, 3, 0.0050, -0.0002, 0},
});
// clang-format on
static_assert(kSaturnOpposition.size() == 7);

// Saturn argument terms (both phenomena): 8 terms.
// clang-format off
inline constexpr auto kSaturnArgumentTerms = std::to_array<PhenomenonTerm>({
    {Factor::sin_a, 1, 0, -0.0337, 0.00018},
    {Factor::cos_a, 1, -0.8510, 0.0044, 0.00068},
    {Factor::sin_b, 1, 0, -0.0064, 0.00004},
    {Factor::cos_b, 1, 0.2397, -0.0012, -0.00008},
    {Factor::sin_c, 1, 0, -0.0010, 0},
    {Factor::cos_c, 1, 0.1245, 0.0006, 0},
    {Factor::sin_d, 1, 0, 0.0024, -0.00003},
    {Factor::cos_d, 1, 0.0477, -0.0005, -0.00006},
});
// clang-format on
static_assert(kSaturnArgumentTerms.size() == 8);

// Uranus, conjunction (slot 1, at T1): 8 terms.
// clang-format off
inline constexpr auto kUranusConjunction = std::to_array<PhenomenonTerm>({
    {Factor::one, 0, -0.0859, 0.0003, 0},
    {Factor::sin_m, 1, -3.8179, -0.0148, 0.00003},
    {Factor::cos_m, 1, 5.1228, -0.0105, -0.00002},
    {Factor::sin_m, 2, -0.0803, 0.0011, 0},
    {Factor::cos_m, 2, -0.1905, -0.0006, 0},
    {Factor::sin_m, 3, 0.0088, 0.0001, 0},
    {Factor::cos_e, 1, 0.8850, 0, 0},
    {Factor::cos_f, 1, 0.2153, 0, 0},
});
// clang-format on
static_assert(kUranusConjunction.size() == 8);

// Uranus, opposition (slot 0, at T2): 8 terms.
// clang-format off
inline constexpr auto kUranusOpposition = std::to_array<PhenomenonTerm>({
    {Factor::one, 0, 0.0844, -0.0006, 0},
    {Factor::sin_m, 1, -0.1048, 0.0246, 0},
    {Factor::cos_m, 1, -5.1221, 0.0104, 0.00003},
    {Factor::sin_m, 2, -0.1428, 0.0005, 0},
    {Factor::cos_m, 2, -0.0148, -0.0013, 0},
    {Factor::cos_m, 3, 0.0055, 0, 0},
    {Factor::cos_e, 1, 0.8850, 0, 0},
    {Factor::cos_f, 1, 0.2153, 0, 0},
});
// clang-format on
static_assert(kUranusOpposition.size() == 8);

// Neptune, conjunction (slot 1, at T1): 7 terms.
// clang-format off
inline constexpr auto kNeptuneConjunction = std::to_array<PhenomenonTerm>({
    {Factor::one, 0, 0.0168, 0, 0},
    {Factor::sin_m, 1, -2.5606, 0.0088, 0.00002},
    {Factor::cos_m, 1, -0.8611, -0.0037, 0.00002},
    {Factor::sin_m, 2, 0.0118, -0.0004, 0.00001},
    {Factor::cos_m, 2, 0.0307, -0.0003, 0},
    {Factor::cos_e, 1, -0.5964, 0, 0},
    {Factor::cos_g, 1, 0.0728, 0, 0},
});
// clang-format on
static_assert(kNeptuneConjunction.size() == 7);

// Neptune, opposition (slot 0, at T2): 7 terms.
// clang-format off
inline constexpr auto kNeptuneOpposition = std::to_array<PhenomenonTerm>({
    {Factor::one, 0, -0.0140, 0, 0.00001},
    {Factor::sin_m, 1, -1.3486, 0.0010, 0.00001},
    {Factor::cos_m, 1, 0.8597, 0.0037, 0},
    {Factor::sin_m, 2, -0.0082, -0.0002, 0.00001},
    {Factor::cos_m, 2, 0.0037, -0.0003, 0},
    {Factor::cos_e, 1, -0.5964, 0, 0},
    {Factor::cos_g, 1, 0.0728, 0, 0},
});
// clang-format on
static_assert(kNeptuneOpposition.size() == 7);

// How a planet forms the multiples of M and which slow arguments it reads.
enum class ArgumentSet : uint8_t { inner_or_mars, jupiter, saturn, uranus, neptune };

// One phenomenon: its slot, the mean instant it starts from (the first of the
// cycle, or the second half a period later) and its correction series.
struct PhenomenonSeries {
  int32_t slot;
  bool at_second;
  std::span<const PhenomenonTerm> terms;
  std::span<const PhenomenonTerm> shared_terms;
};

// Cycle constants: N = 36525 / B cycles per century (B the mean synodic period
// in days), A the first mean phenomenon and P = B, H = P / 2, in centuries.
struct PlanetTheory {
  double cycles_per_century;
  double first_mean;
  double period;
  double half_period;
  ArgumentSet arguments;
  int32_t m_multiples;  // highest multiple of M the series use
  std::span<const PhenomenonSeries> phenomena;
};

// clang-format off
inline constexpr std::array<PhenomenonSeries, 4> kMercuryPhenomena = {{
    {kSuperiorConjunction, false, kMercurySuperior, {}},
    {kInferiorConjunction, true, kMercuryInferior, {}},
    {kEasternElongation, true, kMercuryEastern, {}},
    {kWesternElongation, true, kMercuryWestern, {}},
}};
// clang-format on
// clang-format off
inline constexpr std::array<PhenomenonSeries, 4> kVenusPhenomena = {{
    {kSuperiorConjunction, false, kVenusSuperior, {}},
    {kInferiorConjunction, true, kVenusInferior, {}},
    {kEasternElongation, true, kVenusEastern, {}},
    {kWesternElongation, true, kVenusWestern, {}},
}};
// clang-format on
// clang-format off
inline constexpr std::array<PhenomenonSeries, 2> kMarsPhenomena = {{
    {kConjunction, false, kMarsConjunction, {}},
    {kOpposition, true, kMarsOpposition, {}},
}};
// clang-format on
// clang-format off
inline constexpr std::array<PhenomenonSeries, 2> kJupiterPhenomena = {{
    {kConjunction, false, kJupiterConjunction, {}},
    {kOpposition, true, kJupiterOpposition, {}},
}};
// clang-format on
// clang-format off
inline constexpr std::array<PhenomenonSeries, 2> kSaturnPhenomena = {{
    {kConjunction, false, kSaturnConjunction, kSaturnArgumentTerms},
    {kOpposition, true, kSaturnOpposition, kSaturnArgumentTerms},
}};
// clang-format on
// clang-format off
inline constexpr std::array<PhenomenonSeries, 2> kUranusPhenomena = {{
    {kConjunction, false, kUranusConjunction, {}},
    {kOpposition, true, kUranusOpposition, {}},
}};
// clang-format on
// clang-format off
inline constexpr std::array<PhenomenonSeries, 2> kNeptunePhenomena = {{
    {kConjunction, false, kNeptuneConjunction, {}},
    {kOpposition, true, kNeptuneOpposition, {}},
}};
// clang-format on

// The phenomenon at A is the superior conjunction (Mercury, Venus) or the
// conjunction (the others); the second one of a cycle lies half a period later.
// clang-format off
inline constexpr std::array<PlanetTheory, kPlanetCount> kPlanets = {{
    {315.203617849967, 0.000248653581034, 0.003172552418088, 0.001586276209044, ArgumentSet::inner_or_mars, 5,
     kMercuryPhenomena},
    {62.551231130834, 0.004373599324529, 0.015986895572181, 0.00799344778609, ArgumentSet::inner_or_mars, 3,
     kVenusPhenomena},
    {46.8307593013877, 0.004446675356963, 0.021353486787697, 0.010676743393848, ArgumentSet::inner_or_mars, 5,
     kMarsPhenomena},
    {91.5679639838917, 0.003454781625374, 0.01092085000575, 0.005460425002875, ArgumentSet::jupiter, 3,
     kJupiterPhenomena},
    {96.6034966916618, 0.003726890112641, 0.010351592170538, 0.005175796085269, ArgumentSet::saturn, 3,
     kSaturnPhenomena},
    {98.8080715750017, 0.000944270472616, 0.01012063067379, 0.005060315336895, ArgumentSet::uranus, 3,
     kUranusPhenomena},
    {99.3913514274981, 0.000667457358574, 0.0100612375789, 0.00503061878945, ArgumentSet::neptune, 2,
     kNeptunePhenomena},
}};
// clang-format on

}  // namespace varizav::planet_terms

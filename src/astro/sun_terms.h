// Term tables of the solar theory (a VSOP87-type series of the Earth's
// heliocentric coordinates, mean equinox of date, 190 periodic terms), read by
// sun_position. Time variable tau: Julian millennia from J2000.0.
#pragma once

#include <array>
#include <cstdint>
#include <span>

#include "astro/series.h"

namespace varizav::sun_terms {

// Periodic arguments: integer combinations of the mean longitudes of Venus,
// Earth, Mars, Jupiter and Saturn and of three lunar arguments, each a pure
// rate times tau (Julian millennia from J2000.0); the phases are carried by the
// cosine and sine coefficients of every term.

// The planetary arguments of slots 0..4: the rate of each mean longitude, radians
// per Julian millennium, and its largest multiple in the combinations below.
struct PlanetSlot {
  double rate;
  int32_t max_multiple;
};
// clang-format off
inline constexpr std::array<PlanetSlot, 5> kPlanetSlots = {{
    {10213.285546211, 8},   // Venus
    {6283.0758499914, 13},  // Earth
    {3340.6124266998, 19},  // Mars
    {529.6909650946, 4},    // Jupiter
    {213.299095438, 5},     // Saturn
}};
// clang-format on
inline constexpr int32_t kEarthSlot = 1;

// Lunar rates, radians per Julian millennium: mean elongation D, mean anomaly
// l and argument of latitude F of the Moon.
inline constexpr double kRateD = 77713.7714681205;
inline constexpr double kRateL = 83286.9142695536;
inline constexpr double kRateF = 84334.6615813083;

// Argument numbers: theta_0 is the zero argument (unused by the tables),
// theta_1 .. theta_62 the planetary combinations, theta_63 .. theta_68 the
// lunar arguments D, l - D, D - Earth, D + l, D + Earth, F.
inline constexpr int32_t kPlanetaryArguments = 62;
inline constexpr int32_t kArguments = 69;

// Multiples (Venus, Earth, Mars, Jupiter, Saturn) of the planetary arguments
// forming theta_1 .. theta_62 (62 combinations).
// clang-format off
inline constexpr auto kPlanetaryCombinations = std::to_array<std::array<int8_t, 5>>({
    {  0,   1,   0,   0,   0},  // theta_1
    {  0,   2,   0,   0,   0},  // theta_2
    {  0,   4,  -8,   3,   0},  // theta_3
    {  0,   1,   0,  -1,   0},  // theta_4
    {  2,  -2,   0,   0,   0},  // theta_5
    {  1,  -1,   0,   0,   0},  // theta_6
    {  0,   0,   0,   1,   0},  // theta_7
    {  0,   2,   0,  -2,   0},  // theta_8
    {  8, -13,   0,   0,   0},  // theta_9
    {  2,  -3,   0,   0,   0},  // theta_10
    {  0,   1,  -2,   0,   0},  // theta_11
    {  0,   1,   0,  -2,   0},  // theta_12
    {  0,   2,  -2,   0,   0},  // theta_13
    {  3,  -4,   0,   0,   0},  // theta_14
    {  0,   3,   0,   0,   0},  // theta_15
    {  3,  -5,   0,   0,   0},  // theta_16
    {  0,   8, -16,   4,   5},  // theta_17
    {  0,   2,  -4,   0,   0},  // theta_18
    {  0,   3,  -4,   0,   0},  // theta_19
    {  3,  -3,   0,   0,   0},  // theta_20
    {  0,   2,   0,  -3,   0},  // theta_21
    {  0,   2,  -3,   0,   0},  // theta_22
    {  0,   1,   0,   0,  -1},  // theta_23
    {  3,  -7,   4,   0,   0},  // theta_24
    {  0,   0,   0,   0,   1},  // theta_25
    {  0,  10, -19,   0,   3},  // theta_26
    {  0,   1,   0,  -3,   0},  // theta_27
    {  0,   0,   0,   2,  -5},  // theta_28
    {  0,   3,  -5,   0,   0},  // theta_29
    {  0,   1,  -1,   0,   0},  // theta_30
    {  0,   8, -15,   0,   0},  // theta_31
    {  0,   1,   0,   2,  -5},  // theta_32
    {  0,   4,  -6,   0,   0},  // theta_33
    {  4,  -4,   0,   0,   0},  // theta_34
    {  5,  -8,   0,   0,   0},  // theta_35
    {  4,  -6,   0,   0,   0},  // theta_36
    {  0,   2,   0,  -1,   0},  // theta_37
    {  0,   3,   0,  -3,   0},  // theta_38
    {  0,   3,  -8,   3,   0},  // theta_39
    {  5,  -7,   0,   0,   0},  // theta_40
    {  4,  -5,   0,   0,   0},  // theta_41
    {  2,  -1,   0,   0,   0},  // theta_42
    {  0,   3,  -3,   0,   0},  // theta_43
    {  0,   1,   0,   0,  -2},  // theta_44
    {  0,   5,  -8,   3,   0},  // theta_45
    {  0,   4,  -5,   0,   0},  // theta_46
    {  0,   4,  -7,   0,   0},  // theta_47
    {  0,   2,   0,   0,  -2},  // theta_48
    {  0,   3,  -6,   0,   0},  // theta_49
    {  0,   2,   0,  -4,   0},  // theta_50
    {  0,   1,   0,   1,   0},  // theta_51
    {  1,   0,   0,   0,   0},  // theta_52
    {  0,   0,   0,   2,   0},  // theta_53
    {  0,   3,   0,  -2,   0},  // theta_54
    {  1,  -2,   0,   0,   0},  // theta_55
    {  5,  -5,   0,   0,   0},  // theta_56
    {  0,   5,  -9,   0,   0},  // theta_57
    {  0,   4,  -8,   1,   5},  // theta_58
    {  0,   5,  -8,   0,   0},  // theta_59
    {  0,   9, -17,   0,   0},  // theta_60
    {  0,   6, -11,   0,   0},  // theta_61
    {  0,   7, -13,   0,   0},  // theta_62
});
// clang-format on
static_assert(kPlanetaryCombinations.size() == 62);

// R, coefficients of tau^0 (40 terms, AU): {a (cos), b (sin), i}.
// clang-format off
inline constexpr auto kRadius0 = std::to_array<CombinedTerm>({
    {-0.016691460132607, -0.000720335111759, 1},
    {-0.000139040291608, -1.2035576725e-05, 2},
    {6.295281067e-06, -1.5018587122e-05, 4},
    {-1.5076257983e-05, -4.576887314e-06, 5},
    {6.239449482e-06, 6.826022942e-06, 8},
    {-8.01485511e-07, 5.364901704e-06, 6},
    {-4.09845015e-06, 2.343393177e-06, 13},
    {3.049162521e-06, 1.22973036e-06, 12},
    {1.973820599e-06, -2.841558705e-06, 14},
    {-1.73376428e-06, -2.26061619e-07, 15},
    {-1.03340297e-06, 2.201401207e-06, 20},
    {1.920084413e-06, 8.94666626e-07, 10},
    {5.65866136e-07, 1.76923036e-06, 21},
    {3.69097972e-07, 1.034475427e-06, 19},
    {6.21244318e-07, -7.62009897e-07, 23},
    {7.17024272e-07, 4.83822171e-07, 34},
    {3.80270675e-07, -5.01234994e-07, 7},
    {6.25080407e-07, -1.74683789e-07, 38},
    {-4.91201384e-07, 5.0981815e-08, 22},
    {4.09510107e-07, 1.14254081e-07, 32},
    {-3.97010346e-07, 2.50868735e-07, 16},
    {2.35310149e-07, 3.10611713e-07, 27},
    {3.279864e-07, 3.03126069e-07, 41},
    {-3.6978533e-08, -3.54677527e-07, 37},
    {3.1384018e-07, -5.8304076e-08, 33},
    {-6.5439014e-08, 3.11664093e-07, 11},
    {3.22121835e-07, -8.0093997e-08, 40},
    {-2.80084749e-07, -2.60423762e-07, 43},
    {9.9564415e-08, 2.6665869e-07, 39},
    {2.53141135e-07, -2.76531329e-07, 56},
    {6.9319987e-08, 3.63010639e-07, 48},
    {-9.2756827e-08, -3.3268094e-07, 30},
    {-3.2346464e-08, 2.60751354e-07, 50},
    {-1.96544198e-07, 1.47873933e-07, 46},
    {-8.9679137e-08, -2.63064132e-07, 45},
    {1.4405954421e-05, 2.7265387968e-05, 63},
    {2.932021432e-06, 9.02714011e-07, 64},
    {2.53596595e-07, -8.19927942e-07, 66},
    {-2.4454404e-07, -5.15496776e-07, 67},
    {2.81383592e-07, -4.81116871e-07, 65},
});
// clang-format on
static_assert(kRadius0.size() == 40);

// R, coefficients of tau^1 (9 terms, AU): {a (cos), b (sin), i}.
// clang-format off
inline constexpr auto kRadius1 = std::to_array<CombinedTerm>({
    {0.00046039900787, -0.000921583481285, 1},
    {8.348157006e-06, -1.5052385189e-05, 2},
    {1.68821743e-07, -2.75908664e-07, 15},
    {-2.94410593e-07, -9.0444695e-08, 14},
    {6.2197533e-08, -2.41839928e-07, 12},
    {2.6983549e-08, -1.82869928e-07, 10},
    {9.3981677e-08, 3.6387537e-08, 21},
    {8.3178232e-08, -2.3151182e-08, 19},
    {1.2960423e-08, -8.5564005e-08, 32},
});
// clang-format on
static_assert(kRadius1.size() == 9);

// R, coefficients of tau^2 (5 terms, AU): {a (cos), b (sin), i}.
// clang-format off
inline constexpr auto kRadius2 = std::to_array<CombinedTerm>({
    {3.82857169e-05, 2.0847725038e-05, 1},
    {9.42533481e-07, 8.00089062e-07, 2},
    {2.2690764e-08, 2.3974764e-08, 15},
    {-7.7732008e-08, 4.1081155e-08, 63},
    {-1.6746518e-08, 5.436935e-08, 64},
});
// clang-format on
static_assert(kRadius2.size() == 5);

// R, coefficients of tau^3 (2 terms, AU): {a (cos), b (sin), i}.
// clang-format off
inline constexpr auto kRadius3 = std::to_array<CombinedTerm>({
    {-6.14833363e-07, 1.308721261e-06, 1},
    {-4.8055334e-08, 4.7102324e-08, 2},
});
// clang-format on
static_assert(kRadius3.size() == 2);

// R, coefficients of tau^4 (2 terms, AU): {a (cos), b (sin), i}.
// clang-format off
inline constexpr auto kRadius4 = std::to_array<CombinedTerm>({
    {-3.2318244e-08, -2.1070061e-08, 1},
    {-1.964038e-09, -2.346519e-09, 2},
});
// clang-format on
static_assert(kRadius4.size() == 2);

// R, coefficients of tau^5 (1 terms, AU): {a (cos), b (sin), i}.
inline constexpr auto kRadius5 = std::to_array<CombinedTerm>({
    {2.98927e-10, -8.06376e-10, 1},
});
static_assert(kRadius5.size() == 1);

// L, coefficients of tau^0 (64 terms, radians): {a (cos), b (sin), i}.
// clang-format off
inline constexpr auto kLongitude0 = std::to_array<CombinedTerm>({
    {-0.001440882288228, 0.033385485547227, 1},
    {-3.0071722216e-05, 0.000347644551662, 2},
    {-3.2518125825e-05, 1.0514306769e-05, 3},
    {-3.2244306757e-05, -1.3536792399e-05, 4},
    {-7.763046023e-06, 2.561150903e-05, 5},
    {2.3170687684e-05, 3.455064434e-06, 6},
    {-5.723958224e-06, -1.1372399422e-05, 7},
    {9.7574519e-06, -8.953606119e-06, 8},
    {-4.11857845e-06, -8.023188621e-06, 9},
    {5.336213927e-06, -1.0738946425e-05, 10},
    {-8.001698895e-06, -3.075051539e-06, 11},
    {2.978857126e-06, -7.206457577e-06, 12},
    {4.922867392e-06, 8.592140763e-06, 13},
    {-6.18085227e-06, -4.30339422e-06, 14},
    {-6.5230594e-07, 5.010356068e-06, 15},
    {-2.392168215e-06, -4.303630932e-06, 16},
    {-3.478982999e-06, -7.85465591e-07, 17},
    {-9.1502445e-07, 2.6898758e-06, 18},
    {2.285180132e-06, -8.20744402e-07, 19},
    {2.87668072e-06, 1.333838294e-06, 20},
    {2.577124645e-06, -8.39429876e-07, 21},
    {1.93663344e-07, 2.052483634e-06, 22},
    {-1.567735592e-06, -1.277950048e-06, 23},
    {5.91370324e-07, -1.114684406e-06, 24},
    {1.046022369e-06, -1.150808337e-06, 25},
    {9.19708585e-07, 6.92584913e-07, 26},
    {8.27414724e-07, -6.10915456e-07, 27},
    {-4.38421323e-07, -9.17912829e-07, 28},
    {9.89399281e-07, 7.260927e-08, 29},
    {-1.274365221e-06, 3.52128637e-07, 30},
    {7.5834346e-07, -6.14514314e-07, 31},
    {2.28776453e-07, -8.19962788e-07, 32},
    {-1.36798995e-07, -7.33868663e-07, 33},
    {5.71218243e-07, -8.43782449e-07, 34},
    {-2.4356758e-08, 7.35066575e-07, 35},
    {-6.90966688e-07, 2.61346177e-07, 36},
    {-7.83254734e-07, -8.2236097e-08, 37},
    {-1.87068313e-07, -7.74086961e-07, 38},
    {-5.33657018e-07, 1.99219787e-07, 39},
    {-1.49861267e-07, -5.92831672e-07, 40},
    {4.68364615e-07, -5.15195594e-07, 41},
    {-1.79417378e-07, 5.31704759e-07, 42},
    {-4.18659224e-07, 4.63370493e-07, 43},
    {4.91095762e-07, -1.42849765e-07, 44},
    {-5.2605734e-07, 1.79287389e-07, 45},
    {2.50229825e-07, 3.25238934e-07, 46},
    {1.21648059e-07, -5.01507081e-07, 47},
    {5.10646973e-07, -9.7757226e-08, 48},
    {4.3295254e-07, 2.29460449e-07, 49},
    {3.89417258e-07, 4.4924376e-08, 50},
    {-7.2462266e-08, -3.48200022e-07, 51},
    {3.56998956e-07, 8.806268e-08, 52},
    {-3.0769852e-07, -1.98111944e-07, 53},
    {2.76053888e-07, -1.86073423e-07, 54},
    {-4.9446649e-08, 3.56123631e-07, 55},
    {-3.0146156e-07, -2.76970959e-07, 56},
    {-2.76535267e-07, -1.17517944e-07, 57},
    {2.4169246e-07, -5.2741059e-08, 58},
    {-2.53452264e-07, 5.86007e-09, 59},
    {-2.7726713529e-05, 1.4649700652e-05, 63},
    {-6.04367206e-07, 1.962916224e-06, 64},
    {-7.31231318e-07, -4.2766355e-07, 65},
    {8.19717765e-07, 2.5353159e-07, 66},
    {2.74770444e-07, -1.30346374e-07, 67},
});
// clang-format on
static_assert(kLongitude0.size() == 64);

// L, coefficients of tau^1 (33 terms, radians): {a (cos), b (sin), i}.
// clang-format off
inline constexpr auto kLongitude1 = std::to_array<CombinedTerm>({
    {-0.001843313214243, -0.000920989628759, 1},
    {-3.7631954723e-05, -2.0875511016e-05, 2},
    {-8.3658833e-08, 4.251817043e-06, 3},
    {-1.073047057e-06, -1.90180617e-07, 10},
    {-7.971845e-07, -4.88170586e-07, 15},
    {1.053617187e-06, 5.58757045e-07, 9},
    {3.02185315e-07, -6.54860538e-07, 7},
    {-2.02808791e-07, 6.46621046e-07, 11},
    {-2.01026365e-07, 6.42558086e-07, 14},
    {-5.71387206e-07, -1.4810582e-07, 12},
    {-3.17873057e-07, -4.60747194e-07, 31},
    {4.18573555e-07, 1.75999273e-07, 18},
    {3.24870278e-07, 1.63492258e-07, 16},
    {-2.54887501e-07, 1.37437033e-07, 28},
    {-5.194682e-08, -1.83769064e-07, 19},
    {1.22631797e-07, -1.68548735e-07, 26},
    {4.6893705e-08, 1.79040741e-07, 25},
    {1.62246036e-07, -5.220417e-09, 22},
    {-1.7097721e-07, -2.5914834e-08, 32},
    {2.2140041e-08, -1.56764285e-07, 29},
    {5.2232663e-08, -1.36497514e-07, 21},
    {-1.17965537e-07, 1.3800178e-08, 33},
    {-5.5627765e-08, -1.00810572e-07, 27},
    {-4.4296503e-08, 8.6530942e-08, 57},
    {2.6414245e-08, 9.6126915e-08, 39},
    {-8.5435546e-08, 4.0432634e-08, 60},
    {-1.18773628e-07, -3.7689222e-08, 47},
    {6.2863358e-08, -9.9955413e-08, 49},
    {6.8876258e-08, 5.1113148e-08, 61},
    {7.667809e-08, -7.3780476e-08, 62},
    {4.2038903e-08, -6.302625e-08, 55},
    {-5.6299263e-08, -3.0120019e-08, 41},
    {-2.809318e-09, 6.0945286e-08, 59},
});
// clang-format on
static_assert(kLongitude1.size() == 33);

// L, coefficients of tau^2 (17 terms, radians): {a (cos), b (sin), i}.
// clang-format off
inline constexpr auto kLongitude2 = std::to_array<CombinedTerm>({
    {4.170558437e-05, -7.6578064503e-05, 1},
    {1.999720011e-06, -2.357317637e-06, 2},
    {2.73006422e-07, 1.4477077e-08, 3},
    {7.4829159e-08, 1.45191434e-07, 9},
    {-1.34863824e-07, 8.13898e-08, 31},
    {6.9325762e-08, -6.5551559e-08, 15},
    {4.708471e-08, 5.1147439e-08, 16},
    {-2.507868e-09, 5.0577863e-08, 10},
    {2.0886889e-08, 3.4826857e-08, 28},
    {1.438451e-08, -3.1501155e-08, 18},
    {3.0853559e-08, 7.23284e-09, 14},
    {1.1154982e-08, 2.8064326e-08, 60},
    {2.846013e-08, 4.787545e-09, 7},
    {2.5876144e-08, 8.185643e-09, 11},
    {-1.6526824e-08, -1.9261581e-08, 62},
    {-4.1764459e-08, -7.9010929e-08, 63},
    {-3.6410511e-08, -1.1219835e-08, 64},
});
// clang-format on
static_assert(kLongitude2.size() == 17);

// L, coefficients of tau^3 (6 terms, radians): {a (cos), b (sin), i}.
// clang-format off
inline constexpr auto kLongitude3 = std::to_array<CombinedTerm>({
    {2.617585464e-06, 1.230209026e-06, 1},
    {1.17718904e-07, 1.201255e-07, 2},
    {1.3766719e-08, 2.6226358e-08, 31},
    {1.23821e-10, -1.2879405e-08, 3},
    {6.039667e-09, -1.960849e-09, 60},
    {3.960955e-09, 5.940576e-09, 15},
});
// clang-format on
static_assert(kLongitude3.size() == 6);

// L, coefficients of tau^4 (3 terms, radians): {a (cos), b (sin), i}.
// clang-format off
inline constexpr auto kLongitude4 = std::to_array<CombinedTerm>({
    {-4.2156852e-08, 6.4637518e-08, 1},
    {-5.868525e-09, 4.907434e-09, 2},
    {3.836242e-09, -1.70975e-09, 31},
});
// clang-format on
static_assert(kLongitude4.size() == 3);

// L, coefficients of tau^5 (1 terms, radians): {a (cos), b (sin), i}.
inline constexpr auto kLongitude5 = std::to_array<CombinedTerm>({
    {-1.599967e-09, -6.31272e-10, 1},
});
static_assert(kLongitude5.size() == 1);

// B, coefficients of tau^0 (5 terms, radians): {a (cos), b (sin), i}.
// clang-format off
inline constexpr auto kLatitude0 = std::to_array<CombinedTerm>({
    {6.6261833e-07, 7.70757351e-07, 14},
    {-5.94852678e-07, 5.41562641e-07, 12},
    {-3.70482905e-07, -2.33749825e-07, 55},
    {-2.08664282e-07, 2.41724774e-07, 10},
    {-2.791641438e-06, 1.59601137e-07, 68},
});
// clang-format on
static_assert(kLatitude0.size() == 5);

// B, coefficients of tau^1 (2 terms, radians): {a (cos), b (sin), i}.
// clang-format off
inline constexpr auto kLatitude1 = std::to_array<CombinedTerm>({
    {-6.5719713e-08, 6.1927452e-08, 14},
    {-9.816215e-09, -6.0985038e-08, 12},
});
// clang-format on
static_assert(kLatitude1.size() == 2);

// Secular parts, coefficients of tau^0, tau^1, ...
inline constexpr double kRadiusSecular[] = {1.00013988799, -7.02215e-06, -1.2341e-07, 7.74e-09};  // AU
inline constexpr double kLongitudeSecular[] = {1.75347045673, 6283.31966747491, 0.0005291887,
                                               3.4955e-07,    -1.14084e-06,     -8.78e-09};  // radians
inline constexpr double kLatitudeSecular[] = {-1.039e-08, 1.43e-09};                         // radians

using PowerSeries = std::array<std::span<const CombinedTerm>, 6>;
inline constexpr PowerSeries kRadiusSeries = {kRadius0, kRadius1, kRadius2, kRadius3, kRadius4, kRadius5};
inline constexpr PowerSeries kLongitudeSeries = {kLongitude0, kLongitude1, kLongitude2,
                                                 kLongitude3, kLongitude4, kLongitude5};
inline constexpr PowerSeries kLatitudeSeries = {kLatitude0, kLatitude1, {}, {}, {}, {}};

}  // namespace varizav::sun_terms

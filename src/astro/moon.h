// Instants of the Moon's periodic events: the principal phases, perigee and
// apogee, the greatest northern and southern declinations, the passages
// through the nodes, and solar and lunar eclipses.
//
// Each operation takes a 32-bit cycle number k (lunation, anomalistic,
// tropical or draconic month; k = 0 is the first cycle whose event falls in
// January 2000) and returns the instant of that cycle's event as T, Julian
// centuries of dynamical time (TD) from J2000.0. The method is Meeus's
// (Astronomical Algorithms, chapters 49-52 and 54): a mean instant from a
// polynomial in k, the fundamental arguments at that instant and periodic
// corrections, here all expressed in Julian centuries.
#pragma once

#include <cstdint>

namespace varizav {

// Mean lunations per Julian century: 36525 / 29.5305888531, the mean synodic
// month in days at J2000.0 (Chapront-Touze and Chapront).
constexpr double kLunationsPerCentury = 1236.8530875457216;

// Instant of a principal phase of lunation k: 0 new moon, 1 first quarter,
// 2 full moon, 3 last quarter. Another phase number p is phase p mod 4 of
// lunation k + floor(p / 4), so moon_phase(k, 4) == moon_phase(k + 1, 0).
double moon_phase(int32_t k, int32_t phase) noexcept;

// Perigee and apogee of anomalistic cycle k (the apogee half a cycle later).
enum class Apsis : int32_t { perigee = 0, apogee = 1 };
double lunar_apsis(int32_t k, Apsis which) noexcept;

// Greatest northern and southern declination of tropical cycle k (the
// southern half a cycle later).
enum class Declination : int32_t { north = 0, south = 1 };
double lunar_extreme(int32_t k, Declination which) noexcept;

// Passages through the ascending and descending node of draconic cycle k (the
// descending half a cycle later).
enum class Node : int32_t { ascending = 0, descending = 1 };
double lunar_node(int32_t k, Node which) noexcept;

// Eclipse at the new moon (solar) or the full moon (lunar) of lunation k.
// found: whether there is one (penumbral lunar eclipses count); t_td: its
// instant of greatest eclipse, NaN when the Moon is too far from a node for
// the instant to be computed (|sin F| > 0.36).
enum class EclipseType : int32_t { solar = 0, lunar = 1 };
struct Eclipse {
  bool found;
  double t_td;
};
Eclipse eclipse_at(int32_t k, EclipseType type) noexcept;

}  // namespace varizav

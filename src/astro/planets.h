// Phenomena of the planets Mercury to Neptune: conjunctions and greatest
// elongations of the inner planets, oppositions and conjunctions of the outer
// ones, as a mean phenomenon recurring with the mean synodic period plus
// periodic corrections (Meeus, Astronomical Algorithms, ch. 36).
#pragma once

#include <array>
#include <cstdint>

namespace varizav {

// In the order of the astronomical event kinds 11..17 (kind - 11).
enum class Planet : int32_t { mercury, venus, mars, jupiter, saturn, uranus, neptune };
constexpr int32_t kPlanetCount = 7;

// Slots of one synodic cycle's phenomena.
enum PhenomenonSlot : int32_t {
  kOpposition = 0,           // Mars .. Neptune
  kConjunction = 1,          // Mars .. Neptune
  kInferiorConjunction = 2,  // Mercury, Venus
  kSuperiorConjunction = 3,  // Mercury, Venus
  kEasternElongation = 4,    // Mercury, Venus (greatest)
  kWesternElongation = 6,    // Mercury, Venus (greatest)
};

// One cycle's phenomena, instants in Julian centuries of dynamical time from
// J2000.0; slots the planet does not produce (and slots 5 and 7) are NaN.
using PlanetPhenomena = std::array<double, 8>;

// Given:    planet, T  Julian centuries (TD) from J2000.0
// Returned: ifloor(T * cycles per century), the cycle a search starts from.
int32_t planet_cycle_estimate(Planet planet, double t_centuries_td) noexcept;

// The phenomena of synodic cycle k (negative cycles lie before J2000.0).
PlanetPhenomena planet_cycle_phenomena(Planet planet, int32_t k) noexcept;

// Given:    planet, T  Julian centuries (TD) from J2000.0, slot  a PhenomenonSlot
//           candidates  optional: the number of cycles whose phenomenon the
//                       search computed (at most 1000) is added to it
// Returned: the first phenomenon of the slot at or after T (T itself when one
//           falls exactly there), in centuries TD; NaN for a slot the planet
//           does not produce, a non-finite T, an unknown planet, or a search
//           that does not settle within a bounded number of cycles.
double next_planet_event(Planet planet, double t_centuries_td, int32_t slot, int64_t* candidates = nullptr) noexcept;

}  // namespace varizav

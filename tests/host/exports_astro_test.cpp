#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "astro/astro_expect.h"
#include "expect_error.h"
#include "varizav/addin.h"

namespace {

using varizav::testing::near;

double gnomon(double serial) {
  double result = 0.0;
  SC_gnomon(&result, &serial);
  return result;
}

TEST(Gnomon, SundialReading) {
  struct Case {
    double serial;
    double want;
    const char* source;
  };
  const Case cases[] = {
      {36526.0, -0.0021282,
       "independent: the almanacs' equation of time, about -3 minutes; the digits are the series'"},
      {36830.0, 0.0113952, "independent: the almanacs' equation of time, about +16.4 minutes; digits the series'"},
      {36526.5, 0.4977071, "independent: noon plus the equation of time of the first row"},
  };
  for (const Case& c : cases) EXPECT_TRUE(near(gnomon(c.serial), c.want, 6e-8)) << c.source;
  // frac(-1.25) = -0.25 and frac(-1.75) = -0.75 (the time of day keeps the
  // date's sign): the readings differ by 0.5 plus the change of the equation
  // of time in 12 hours, below 3e-4 day (independent: by hand).
  EXPECT_TRUE(near(gnomon(-1.25) - gnomon(-1.75), 0.5, 3e-4));
}

TEST(Gnomon, RangeOfTheEquationOfTime) {
  // Serial dates -3600000 .. 3600000 (7958 BC .. AD 11756) are read; outside,
  // the obliquity and eccentricity polynomials run away (the 3e7 gave
  // 12.9 hours, 1e13 gave -1.15e19).
  constexpr double kInf = std::numeric_limits<double>::infinity();
  struct Case {
    double serial;
    bool accepted;
  };
  const Case cases[] = {
      {-3.6e6, true}, {std::nextafter(-3.6e6, -kInf), false},
      {3.6e6, true},  {std::nextafter(3.6e6, kInf), false},
      {3e7, false},   {-3e7, false},
      {1e13, false},  {kInf, false},
      {-kInf, false}, {std::nan(""), false},
  };
  // independent: the real equation of time stays within +-17 minutes; a bound
  // of 20 minutes leaves room for the slow change of the Earth's orbit.
  constexpr double kTwentyMinutes = 20.0 / 1440.0;
  for (const Case& c : cases) {
    const double got = gnomon(c.serial);
    if (c.accepted) {
      const double time_of_day = c.serial - std::trunc(c.serial);
      EXPECT_LE(std::fabs(got - time_of_day), kTwentyMinutes) << c.serial;
    } else {
      varizav::testing::expect_error(got, "outside the range");
    }
  }
}

}  // namespace

#include <gtest/gtest.h>

#include <cmath>

#include "astro/astro_expect.h"
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
      {36526.0, -0.0021282, "independent: the almanacs' equation of time, about -3 minutes; the digits are the series'"},
      {36830.0, 0.0113952, "independent: the almanacs' equation of time, about +16.4 minutes; digits the series'"},
      {36526.5, 0.4977071, "independent: noon plus the equation of time of the first row"},
  };
  for (const Case& c : cases) EXPECT_TRUE(near(gnomon(c.serial), c.want, 6e-8)) << c.source;
  // frac(-1.25) = -0.25 and frac(-1.75) = -0.75 (the time of day keeps the
  // date's sign): the readings differ by 0.5 plus the change of the equation
  // of time in 12 hours, below 3e-4 day (independent: by hand).
  EXPECT_TRUE(near(gnomon(-1.25) - gnomon(-1.75), 0.5, 3e-4));
  EXPECT_TRUE(std::isnan(gnomon(std::nan(""))));
}

}  // namespace

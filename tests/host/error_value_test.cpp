#include "host/error_value.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstring>

namespace varizav {
namespace {

TEST(ErrorValue, IsTheSinglePrecisionQuietNanWidened) {
  const double e = error_value();
  uint64_t bits = 0;
  std::memcpy(&bits, &e, sizeof bits);
  EXPECT_EQ(bits, 0xFFF8000000000000ull);
  EXPECT_TRUE(std::isnan(e));
}

}  // namespace
}  // namespace varizav

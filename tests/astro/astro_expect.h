// Numeric comparison for the astronomy tests: passes when |got - want| <= tol
// and prints both values with 17 significant digits otherwise.
#pragma once

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>

namespace varizav::testing {

inline ::testing::AssertionResult near(double got, double want, double tol) {
  if (std::fabs(got - want) <= tol) return ::testing::AssertionSuccess();
  char text[160];
  std::snprintf(text, sizeof text, "got %.17g want %.17g (diff %.3g, tol %.3g)", got, want, got - want, tol);
  return ::testing::AssertionFailure() << text;
}

}  // namespace varizav::testing

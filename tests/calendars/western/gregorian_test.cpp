#include "calendars/western/gregorian.h"

#include <gtest/gtest.h>

#include "calendars/western/julian.h"

namespace varizav {
namespace {

TEST(Gregorian, RoundTripsEveryDay) {
  // Property: from_jd inverts to_jd, and day lengths stay within the month.
  for (double jd = -1e6 + 0.5; jd <= 4e6; jd += 1.0) {
    const CalendarDate d = gregorian::from_jd(jd);
    ASSERT_EQ(gregorian::to_jd(d.year, d.month, d.day), jd) << d.year << "-" << d.month << "-" << d.day;
  }
}

}  // namespace
}  // namespace varizav

// Calls of the worksheet functions that return a serial date, written as
// plain functions of their arguments for the tests of the events and of the
// host edge.
#pragma once

#include "varizav/addin.h"

namespace varizav::testing {

inline double holiday(const char* calendar, const char* event, const char* epoch) {
  double result = 0.0;
  SC_holiday(&result, calendar, event, epoch);
  return result;
}

inline double holiday2(const char* calendar, const char* event, double start) {
  double result = 0.0;
  SC_holiday2(&result, calendar, event, &start);
  return result;
}

inline double when(const char* calendar, const char* event, const char* weekday, double day, const char* month,
                   double start) {
  double result = 0.0;
  SC_when(&result, calendar, event, weekday, &day, month, &start);
  return result;
}

inline double when2(const char* calendar1, const char* event1, const char* calendar2, const char* event2,
                    double start) {
  double result = 0.0;
  SC_when2(&result, calendar1, event1, calendar2, event2, &start);
  return result;
}

}  // namespace varizav::testing

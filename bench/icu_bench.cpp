// The ICU 72 peers of calendars_bench.cpp: one Calendar object per calendar,
// reused across calls as a careful caller would, in the GMT zone; date ->
// fields is setTime + get of year, month and day, fields -> date is clear +
// set + getTime.
#include <benchmark/benchmark.h>
#include <unicode/calendar.h>
#include <unicode/gregocal.h>
#include <unicode/timezone.h>

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "bench_support.h"

namespace varizav::bench {
namespace {

// ICU's time: milliseconds since 1970-01-01 0h UT (JulianDay 2440587.5).
UDate udate_of(double jd) { return (jd - 2440587.5) * 86400000.0; }

std::unique_ptr<icu::Calendar> make_calendar(const char* keyword) {
  UErrorCode status = U_ZERO_ERROR;
  const bool julian = std::string(keyword) == "julian";
  const std::string locale = std::string("en@calendar=") + (julian ? "gregorian" : keyword);
  std::unique_ptr<icu::Calendar> calendar(
      icu::Calendar::createInstance(icu::TimeZone::getGMT()->clone(), icu::Locale(locale.c_str()), status));
  if (U_FAILURE(status)) {
    std::fprintf(stderr, "ICU calendar %s: %s\n", keyword, u_errorName(status));
    return nullptr;
  }
  if (julian) {
    // A Gregorian calendar whose reform never comes is the proleptic Julian one.
    UErrorCode change = U_ZERO_ERROR;
    static_cast<icu::GregorianCalendar*>(calendar.get())->setGregorianChange(8.64e18, change);
  }
  return calendar;
}

// The fields ICU reads back for a date: era, year, month, leap month, day.
struct IcuFields {
  int32_t era, year, month, leap, day;
};

void register_icu(const std::string& label, const char* keyword, const std::vector<double>& days) {
  std::shared_ptr<icu::Calendar> calendar = make_calendar(keyword);
  if (!calendar) return;
  std::vector<IcuFields> fields;
  for (const double d : days) {
    UErrorCode s = U_ZERO_ERROR;
    calendar->setTime(udate_of(d), s);
    fields.push_back({calendar->get(UCAL_ERA, s), calendar->get(UCAL_YEAR, s), calendar->get(UCAL_MONTH, s),
                      calendar->get(UCAL_IS_LEAP_MONTH, s), calendar->get(UCAL_DATE, s)});
  }
  std::vector<UDate> times;
  for (const double d : days) times.push_back(udate_of(d));
  benchmark::RegisterBenchmark(("date->fields/" + label + "/icu").c_str(), [calendar, times](benchmark::State& st) {
    size_t i = 0;
    UErrorCode s = U_ZERO_ERROR;
    for (auto _ : st) {
      calendar->setTime(times[i], s);
      benchmark::DoNotOptimize(calendar->get(UCAL_YEAR, s));
      benchmark::DoNotOptimize(calendar->get(UCAL_MONTH, s));
      benchmark::DoNotOptimize(calendar->get(UCAL_DATE, s));
      i = i + 1 == times.size() ? 0 : i + 1;
    }
    if (U_FAILURE(s)) st.SkipWithError(u_errorName(s));
  });
  benchmark::RegisterBenchmark(("fields->date/" + label + "/icu").c_str(), [calendar, fields](benchmark::State& st) {
    size_t i = 0;
    UErrorCode s = U_ZERO_ERROR;
    for (auto _ : st) {
      const IcuFields& f = fields[i];
      calendar->clear();
      calendar->set(UCAL_ERA, f.era);
      calendar->set(UCAL_YEAR, f.year);
      calendar->set(UCAL_MONTH, f.month);
      calendar->set(UCAL_IS_LEAP_MONTH, f.leap);
      calendar->set(UCAL_DATE, f.day);
      benchmark::DoNotOptimize(calendar->getTime(s));
      i = i + 1 == fields.size() ? 0 : i + 1;
    }
    if (U_FAILURE(s)) st.SkipWithError(u_errorName(s));
  });
}

const bool registered = [] {
  struct Peer {
    const char* label;
    const char* keyword;
  };
  static constexpr Peer kPeers[] = {
      {"gregorian", "gregorian"}, {"julian", "julian"},     {"hebrew", "hebrew"},     {"islamic", "islamic-civil"},
      {"persian", "persian"},     {"coptic", "coptic"},     {"ethiopic", "ethiopic"}, {"indian", "indian"},
      {"buddhist", "buddhist"},   {"taiwanese", "roc"},     {"japanese", "japanese"},
  };
  for (const Peer& p : kPeers) register_icu(p.label, p.keyword, random_days());
  register_icu("chinese warm", "chinese", chinese_warm_days());
  register_icu("chinese cold", "chinese", chinese_cold_days());
  register_icu("chinese far", "chinese", chinese_far_days());
  return true;
}();

}  // namespace
}  // namespace varizav::bench

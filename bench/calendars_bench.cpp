// Cost of the calendar conversions: date -> fields (from_jd) and fields ->
// date (to_jd) of each calendar that ICU also has, over random days of
// 1800-2200, and the Chinese calendar with its year cache warm and cold.
// The ICU peers are in icu_bench.cpp under the same names with "/icu".
#include <benchmark/benchmark.h>

#include <cstdio>
#include <string>
#include <vector>

#include "bench_support.h"
#include "calendars/egyptian_type.h"
#include "calendars/hebrew.h"
#include "calendars/indian.h"
#include "calendars/islamic.h"
#include "calendars/lunisolar/chinese.h"
#include "calendars/persian.h"
#include "calendars/western/era_offset.h"
#include "calendars/western/gengou.h"
#include "calendars/western/gregorian.h"
#include "calendars/western/julian.h"

namespace varizav::bench {
namespace {

// The fields a to_jd takes: extra is the leap flag (Chinese) or the era (Japanese).
struct Fields {
  int32_t year;
  int32_t month;
  int32_t extra;
  double day;
};

Fields simple_fields(const CalendarDate& d) { return {d.year, d.month, 0, d.day}; }

template <typename FromJd>
void run_from_jd(benchmark::State& state, const std::vector<double>& days, FromJd from_jd) {
  size_t i = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(from_jd(days[i]));
    i = i + 1 == days.size() ? 0 : i + 1;
  }
}

template <typename ToJd>
void run_to_jd(benchmark::State& state, const std::vector<Fields>& fields, ToJd to_jd) {
  size_t i = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(to_jd(fields[i]));
    i = i + 1 == fields.size() ? 0 : i + 1;
  }
}

// Registers both directions of one calendar and their summary rows. min_ratio
// is the date -> fields target against ICU, to_min_ratio the fields -> date one.
template <typename FromJd, typename ToFields, typename ToJd>
void register_calendar(const std::string& label, const std::vector<double>& days, FromJd from_jd,
                       ToFields to_fields, ToJd to_jd, double min_ratio, double to_min_ratio = 0) {
  std::vector<Fields> fields;
  for (const double d : days) fields.push_back(to_fields(d));
  const std::string from_name = "date->fields/" + label;
  const std::string to_name = "fields->date/" + label;
  benchmark::RegisterBenchmark((from_name + "/varizav").c_str(),
                               [days, from_jd](benchmark::State& s) { run_from_jd(s, days, from_jd); });
  benchmark::RegisterBenchmark((to_name + "/varizav").c_str(),
                               [fields, to_jd](benchmark::State& s) { run_to_jd(s, fields, to_jd); });
  add_summary_row({from_name, from_name + "/varizav", from_name + "/icu", min_ratio, 0});
  add_summary_row({to_name, to_name + "/varizav", to_name + "/icu", to_min_ratio, 0});
}

// The simple calendars: CalendarDate from_jd and to_jd(year, month, day).
template <typename FromJd, typename ToJd>
void register_simple(const char* label, FromJd from_jd, ToJd to_jd, double min_ratio = 10.0) {
  register_calendar(
      label, random_days(), from_jd, [from_jd](double jd) { return simple_fields(from_jd(jd)); },
      [to_jd](const Fields& f) { return to_jd(f.year, f.month, f.day); }, min_ratio);
}

// The era year of a Japanese date, read from the numeric form with fraction
// ("era year month day").
Fields gengou_fields(double jd) {
  char text[256];
  gengou::format_date(text, jd, -1);
  int era = 0;
  long year = 0;
  int month = 0;
  double day = 0;
  std::sscanf(text, "%d %ld %d %lf", &era, &year, &month, &day);
  return {static_cast<int32_t>(year), month, era, day};
}

const bool registered = [] {
  register_simple("gregorian", [](double jd) { return gregorian::from_jd(jd); },
                  [](int32_t y, int32_t m, double d) { return gregorian::to_jd(y, m, d); });
  register_simple("julian", [](double jd) { return julian::from_jd(jd); },
                  [](int32_t y, int32_t m, double d) { return julian::to_jd(y, m, d); });
  register_simple("hebrew", [](double jd) { return hebrew::from_jd(jd); },
                  [](int32_t y, int32_t m, double d) { return hebrew::to_jd(y, m, d); }, 15.0);
  register_simple("islamic", [](double jd) { return islamic::from_jd(jd); },
                  [](int32_t y, int32_t m, double d) { return islamic::to_jd(y, m, d); });
  register_simple("persian", [](double jd) { return persian::from_jd(jd); },
                  [](int32_t y, int32_t m, double d) { return persian::to_jd(y, m, d); });
  register_simple("coptic", [](double jd) { return coptic::from_jd(jd); },
                  [](int32_t y, int32_t m, double d) { return coptic::to_jd(y, m, d); });
  register_simple("ethiopic", [](double jd) { return ethiopic::from_jd(jd); },
                  [](int32_t y, int32_t m, double d) { return ethiopic::to_jd(y, m, d); });
  register_simple("indian", [](double jd) { return indian::from_jd(jd); },
                  [](int32_t y, int32_t m, double d) { return indian::to_jd(y, m, d); });
  register_simple("buddhist", [](double jd) { return buddhist::from_jd(jd); },
                  [](int32_t y, int32_t m, double d) { return buddhist::to_jd(y, m, d); });
  register_simple("taiwanese", [](double jd) { return taiwanese::from_jd(jd); },
                  [](int32_t y, int32_t m, double d) { return taiwanese::to_jd(y, m, d); });
  register_calendar(
      "japanese", random_days(), [](double jd) { return gengou::from_jd(jd); }, gengou_fields,
      [](const Fields& f) {
        return gengou::to_jd({f.year, static_cast<int16_t>(f.month), static_cast<int16_t>(f.extra), f.day});
      },
      10.0);
  const auto chinese_from = [](double jd) { return chinese::from_jd(jd); };
  const auto chinese_fields = [](double jd) {
    const ChineseDate d = chinese::from_jd(jd);
    return Fields{d.year, d.month, d.leap, d.day};
  };
  const auto chinese_to = [](const Fields& f) { return chinese::to_jd(f.year, f.month, f.extra, f.day); };
  // Inside the year table (1600-2400) warm and cold alike; beyond it through
  // the computation and its cache, without a target against ICU.
  register_calendar("chinese warm", chinese_warm_days(), chinese_from, chinese_fields, chinese_to, 50.0, 50.0);
  register_calendar("chinese cold", chinese_cold_days(), chinese_from, chinese_fields, chinese_to, 50.0, 50.0);
  register_calendar("chinese far", chinese_far_days(), chinese_from, chinese_fields, chinese_to, 0.0);
  return true;
}();

}  // namespace
}  // namespace varizav::bench

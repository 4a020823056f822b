// Cost of the worksheet functions as a spreadsheet calls them, through the
// loaded libvarizav.so: SC_calendar text for every calendar, SC_holiday2 and
// the SC_when/SC_when2 searches; and of the name lookup beneath them all.
// A function the library does not export yet is reported as skipped.
#include <benchmark/benchmark.h>

#include <string>

#include "bench_support.h"
#include "calendars/registry.h"
#include "calendars/western/western_names.h"
#include "events/astro_events.h"
#include "framework/date.h"
#include "framework/keyword.h"
#include "host/host_text.h"

namespace varizav::bench {
namespace {

using CalendarFn = void (*)(char*, const char*, const double*, const double*);
using Holiday2Fn = void (*)(double*, const char*, const char*, const double*);
using WhenFn = void (*)(double*, const char*, const char*, const char*, const double*, const char*, const double*);
using When2Fn = void (*)(double*, const char*, const char*, const char*, const char*, const double*);

template <typename Fn>
Fn exported(benchmark::State& state, const char* name) {
  Fn fn = reinterpret_cast<Fn>(addin_symbol(name));
  if (fn == nullptr) state.SkipWithError((std::string(name) + " is not exported yet").c_str());
  return fn;
}

// Serial dates of the random days.
double serial_of(size_t i) { return random_days()[i % random_days().size()] - 2415018.5; }

void run_calendar_text(benchmark::State& state, const std::string& calendar) {
  const CalendarFn fn = exported<CalendarFn>(state, "SC_calendar");
  if (fn == nullptr) return;
  char out[kHostTextSize];
  const double mode = 1.0;
  size_t i = 0;
  for (auto _ : state) {
    const double serial = serial_of(i++);
    fn(out, calendar.c_str(), &serial, &mode);
    benchmark::DoNotOptimize(out);
  }
}

void run_holiday2(benchmark::State& state, const char* calendar, const char* event) {
  const Holiday2Fn fn = exported<Holiday2Fn>(state, "SC_holiday2");
  if (fn == nullptr) return;
  size_t i = 0;
  for (auto _ : state) {
    const double start = serial_of(i++);
    double result = 0;
    fn(&result, calendar, event, &start);
    benchmark::DoNotOptimize(result);
  }
}

// One SC_when search from 1 January 2000 (serial 36526).
void run_when(benchmark::State& state, const char* calendar, const char* event, const char* weekday, double day,
              const char* month) {
  const WhenFn fn = exported<WhenFn>(state, "SC_when");
  if (fn == nullptr) return;
  const double start = 36526;
  for (auto _ : state) {
    double result = 0;
    fn(&result, calendar, event, weekday, &day, month, &start);
    benchmark::DoNotOptimize(result);
  }
}

void run_when2(benchmark::State& state) {
  const When2Fn fn = exported<When2Fn>(state, "SC_when2");
  if (fn == nullptr) return;
  const double start = 36526;
  for (auto _ : state) {
    double result = 0;
    fn(&result, "gregorian", "Easter", "hebrew", "Passover", &start);
    benchmark::DoNotOptimize(result);
  }
}

void run_lookup(benchmark::State& state, const char* text, const KeywordTable& table) {
  for (auto _ : state) benchmark::DoNotOptimize(keyword_lookup(NameText{text, current_language()}, table));
}

void add(const std::string& name, double max_ns = 0) { add_summary_row({name, name, "", 0, max_ns}); }

const bool registered = [] {
  for (int32_t k = 0; k < calendar_names.count; ++k) {
    const std::string calendar = calendar_names.english_names[k];
    const std::string name = "SC_calendar text/" + calendar;
    benchmark::RegisterBenchmark(name.c_str(), [calendar](benchmark::State& s) { run_calendar_text(s, calendar); });
    // Every calendar but the Chinese one, whose years beyond its table are computed.
    add(name, calendar == "chinese" ? 0 : 120);
  }
  struct Holiday {
    const char* label;
    const char* calendar;
    const char* event;
    double max_ns;
  };
  static constexpr Holiday kHolidays[] = {
      {"SC_holiday2/Easter", "gregorian", "Easter", 0},
      {"SC_holiday2/Passover", "hebrew", "Passover", 0},
      {"SC_holiday2/Chinese New Year", "chinese", "New Year's Day", 0},
      {"SC_holiday2/Full Moon", "astronomical", "Full Moon", 2000},
  };
  for (const Holiday& h : kHolidays) {
    benchmark::RegisterBenchmark(h.label, [h](benchmark::State& s) { run_holiday2(s, h.calendar, h.event); });
    add(h.label, h.max_ns);
  }
  benchmark::RegisterBenchmark("SC_when/Full Moon on Friday 13th",
                               [](benchmark::State& s) { run_when(s, "astronomical", "Full Moon", "Friday", 13, ""); })
      ->Unit(benchmark::kMicrosecond);
  add("SC_when/Full Moon on Friday 13th");
  // The 31st of February never comes: every one of the 65536 passes fails.
  benchmark::RegisterBenchmark("SC_when/failing, Easter",
                               [](benchmark::State& s) { run_when(s, "gregorian", "Easter", "", 31, "February"); })
      ->Unit(benchmark::kMillisecond)
      ->Iterations(3);
  add("SC_when/failing, Easter", 0.5e9);
  benchmark::RegisterBenchmark(
      "SC_when/failing, Full Moon",
      [](benchmark::State& s) { run_when(s, "astronomical", "Full Moon", "", 31, "February"); })
      ->Unit(benchmark::kMillisecond)
      ->Iterations(2);
  add("SC_when/failing, Full Moon", 1e9);
  benchmark::RegisterBenchmark("SC_when2/Easter and Passover", run_when2)->Unit(benchmark::kMicrosecond);
  add("SC_when2/Easter and Passover");
  benchmark::RegisterBenchmark("keyword_lookup/month March",
                               [](benchmark::State& s) { run_lookup(s, "March", gregorian_month_names); });
  add("keyword_lookup/month March");
  benchmark::RegisterBenchmark("keyword_lookup/holiday Full Moon",
                               [](benchmark::State& s) { run_lookup(s, "Full Moon", astro_events); });
  add("keyword_lookup/holiday Full Moon");
  return true;
}();

}  // namespace
}  // namespace varizav::bench

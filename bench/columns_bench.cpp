// Cost per row of a worksheet function called over a column
// (VarizavCallColumns) next to one direct call per row, through the loaded
// libvarizav.so, for make bench-data: the same argument values, 1,000,000
// rows, best of five runs of process CPU time. Prints one TSV line per
// function: name, direct ns/row, column ns/row.
#include <dlfcn.h>
#include <time.h>

#include <cstdio>
#include <cstring>
#include <vector>

#include "varizav/columns.h"

#include "standalone_bench.h"

namespace {

using varizav::bench::cpu_nanoseconds;
using varizav::bench::symbol;

constexpr size_t kRows = 1000000;
// Registration numbers (GetFunctionData) of the functions measured.
constexpr unsigned short kCalendar = 4;
constexpr unsigned short kGregorian = 14;
constexpr unsigned short kHebrew = 15;
constexpr unsigned short kJulian = 23;

template <typename Body>
double best_per_row(Body body) {
  double best = 1e300;
  for (int run = 0; run < 5; ++run) {
    const double start = cpu_nanoseconds();
    body();
    const double per_row = (cpu_nanoseconds() - start) / kRows;
    if (per_row < best) best = per_row;
  }
  return best;
}

}  // namespace

int main(int argc, char** argv) {
  void* library = varizav::bench::open_english_library(argc, argv);
  if (library == nullptr) return 1;
  // Texts in UTF-8, as the Python package and the databases set them.
  const char* names[] = {"LANG"};
  const char* values[] = {"C.UTF-8"};
  symbol<decltype(&VarizavConfigure)>(library, "VarizavConfigure")(names, values, 1);
  const auto call_columns = symbol<decltype(&VarizavCallColumns)>(library, "VarizavCallColumns");

  std::vector<double> years(kRows), days(kRows), dates(kRows), out(kRows);
  for (size_t i = 0; i < kRows; ++i) {
    years[i] = 1600 + static_cast<double>(i % 800);
    days[i] = 1 + static_cast<double>(i % 28);
    dates[i] = -100000 + static_cast<double>(i % 200000);
  }
  std::vector<char> storage(kRows * 48 + VARIZAV_TEXT_SIZE);

  using Convert3 = void (*)(double*, const double*, const char*, const double*);
  const auto converter = [&](const char* name, unsigned short number, const char* month) {
    const auto f = symbol<Convert3>(library, name);
    const double direct = best_per_row([&] {
      for (size_t i = 0; i < kRows; ++i) f(&out[i], &years[i], month, &days[i]);
    });
    const char* month_column[] = {month};
    const VarizavColumn columns[] = {{years.data(), nullptr, kRows}, {nullptr, month_column, 1}, {days.data(), nullptr, kRows}};
    VarizavResultColumn result{out.data(), nullptr, 0, nullptr};
    const double column = best_per_row([&] { call_columns(number, columns, 3, 0, kRows, &result); });
    std::printf("%s\t%.2f\t%.2f\n", name, direct, column);
  };
  converter("SC_gregorian", kGregorian, "March");
  converter("SC_julian", kJulian, "3");
  converter("SC_hebrew", kHebrew, "Nisan");

  // Hebrew texts: the direct calls write into one host buffer each, the
  // column call into one storage, one text after another.
  using Calendar = void (*)(char*, const char*, const double*, const double*);
  const auto calendar = symbol<Calendar>(library, "SC_calendar");
  const double mode = 1;
  const double direct = best_per_row([&] {
    char* next = storage.data();
    for (size_t i = 0; i < kRows; ++i) {
      calendar(next, "hebrew", &dates[i], &mode);
      next += std::strlen(next) + 1;
    }
  });
  const char* calendar_column[] = {"hebrew"};
  const VarizavColumn columns[] = {{nullptr, calendar_column, 1}, {dates.data(), nullptr, kRows}, {&mode, nullptr, 1}};
  VarizavResultColumn result{nullptr, storage.data(), storage.size(), nullptr};
  const double column = best_per_row([&] { call_columns(kCalendar, columns, 3, 0, kRows, &result); });
  std::printf("SC_calendar hebrew text\t%.2f\t%.2f\n", direct, column);
  return 0;
}

// Runs every benchmark, then prints the summary table: each operation with its
// ICU peer, the ratio ICU time / our time, and the target it is held to.
#include <benchmark/benchmark.h>
#include <dlfcn.h>

#include <cstdio>
#include <map>
#include <random>

#include "bench_support.h"
#include "varizav/addin.h"

namespace varizav::bench {

const std::vector<double>& random_days() {
  static const std::vector<double> days = [] {
    constexpr double kFirst = 2378496.5;  // 1800-01-01, Gregorian
    constexpr double kLast = 2525008.5;   // 2200-12-31, Gregorian
    std::mt19937_64 random(20240331);
    std::uniform_int_distribution<int64_t> pick(0, static_cast<int64_t>(kLast - kFirst));
    std::vector<double> v(4096);
    for (double& d : v) d = kFirst + static_cast<double>(pick(random));
    return v;
  }();
  return days;
}

const std::vector<double>& chinese_warm_days() {
  static const std::vector<double> days = [] {
    constexpr double kFirst = 2451604.5;  // 2000-03-01, Gregorian
    std::vector<double> v;
    for (const double d : random_days()) v.push_back(kFirst + static_cast<double>(static_cast<int64_t>(d) % 300));
    return v;
  }();
  return days;
}

namespace {

// JulianDay of 1 July 0h of each Gregorian year first..last (Hinnant's
// days_from_civil, shifted from 1970-01-01 = JulianDay 2440587.5).
std::vector<double> july_firsts(int32_t first, int32_t last) {
  std::vector<double> v;
  for (int32_t y = first; y <= last; ++y) {
    const int32_t era = y / 400;  // years here are positive
    const int32_t yoe = y - era * 400;
    const int32_t doy = (153 * (7 - 3) + 2) / 5;  // 1 July counted from 1 March
    const int32_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    v.push_back(2440587.5 + static_cast<double>(era * 146097 + doe - 719468));
  }
  return v;
}

}  // namespace

const std::vector<double>& chinese_cold_days() {
  static const std::vector<double> days = july_firsts(1600, 2400);
  return days;
}

const std::vector<double>& chinese_far_days() {
  static const std::vector<double> days = july_firsts(3000, 3400);
  return days;
}

void* addin_symbol(const char* name) {
  static void* const library = [] {
    void* handle = dlopen(VARIZAV_LIBRARY_PATH, RTLD_NOW | RTLD_LOCAL);
    if (handle == nullptr) {
      std::fprintf(stderr, "cannot load %s: %s\n", VARIZAV_LIBRARY_PATH, dlerror());
      return handle;
    }
    // Registration as a host does it: configuration first, then the language.
    unsigned short count = 0;
    reinterpret_cast<void (*)(unsigned short*)>(dlsym(handle, "GetFunctionCount"))(&count);
    const unsigned short english = 0x0409;
    reinterpret_cast<void (*)(const unsigned short*)>(dlsym(handle, "SetLanguage"))(&english);
    return handle;
  }();
  return library == nullptr ? nullptr : dlsym(library, name);
}

namespace {

std::vector<SummaryRow>& summary_rows() {
  static std::vector<SummaryRow> rows;
  return rows;
}

// The console output as usual, and the CPU time per iteration of every run
// kept for the summary.
class SummaryReporter : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run>& runs) override {
    ConsoleReporter::ReportRuns(runs);
    for (const Run& run : runs) {
      if (run.error_occurred || run.iterations == 0) continue;
      // Kept under the registered name, without the "/iterations:n" that a
      // fixed iteration count appends.
      // CPU time of the calling thread: the machine is shared, and other
      // processes stretch the real time of every run by different amounts.
      ns_[run.run_name.function_name] = run.cpu_accumulated_time * 1e9 / static_cast<double>(run.iterations);
    }
  }
  const double* ns(const std::string& name) const {
    const auto it = ns_.find(name);
    return it == ns_.end() ? nullptr : &it->second;
  }

 private:
  std::map<std::string, double> ns_;
};

void print_time(double ns) {
  if (ns >= 1e6) {
    std::printf(" %11.3f ms", ns / 1e6);
  } else {
    std::printf(" %11.1f ns", ns);
  }
}

void print_summary(const SummaryReporter& reporter) {
  std::printf("\n%-34s %14s %14s %9s  %s\n", "operation", "varizav", "ICU 72", "ICU/ours", "target");
  int missed = 0;
  for (const SummaryRow& row : summary_rows()) {
    const double* ours = reporter.ns(row.ours);
    const double* peer = row.peer.empty() ? nullptr : reporter.ns(row.peer);
    std::printf("%-34s", row.label.c_str());
    if (ours == nullptr) {
      std::printf(" %14s", "not run");
    } else {
      print_time(*ours);
    }
    if (peer == nullptr) {
      std::printf(" %14s %9s", "-", "-");
    } else {
      print_time(*peer);
      std::printf(" %8.1fx", ours == nullptr ? 0.0 : *peer / *ours);
    }
    std::string verdict;
    if (row.min_ratio > 0 && ours != nullptr && peer != nullptr) {
      const bool met = *peer / *ours >= row.min_ratio;
      missed += met ? 0 : 1;
      char ratio[32];
      std::snprintf(ratio, sizeof ratio, "%gx", row.min_ratio);  // 0.5x: within twice the peer's time
      verdict = (met ? ">= " : "MISSED >= ") + std::string(ratio);
    } else if (row.max_ns > 0 && ours != nullptr) {
      const bool met = *ours < row.max_ns;
      missed += met ? 0 : 1;
      char text[64];
      if (row.max_ns >= 1e6) {
        std::snprintf(text, sizeof text, "%s< %g ms", met ? "" : "MISSED ", row.max_ns / 1e6);
      } else {
        std::snprintf(text, sizeof text, "%s< %g us", met ? "" : "MISSED ", row.max_ns / 1e3);
      }
      verdict = text;
    }
    std::printf("  %s\n", verdict.c_str());
  }
  std::printf("%d target(s) missed\n", missed);
}

}  // namespace

void add_summary_row(SummaryRow row) { summary_rows().push_back(std::move(row)); }

}  // namespace varizav::bench

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  varizav::bench::SummaryReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  varizav::bench::print_summary(reporter);
  benchmark::Shutdown();
  return 0;
}

// Shared pieces of the benchmarks: the random days they convert, the
// add-in loaded the way a spreadsheet loads it, and the summary table that
// pairs each of our operations with its ICU peer.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace varizav::bench {

// 4096 midnights (JulianDay, fraction .5) drawn uniformly from
// 1 January 1800 .. 31 December 2200 with a fixed seed.
const std::vector<double>& random_days();

// Days of one Chinese year (1 March 2000 .. 26 December 2000, all in year
// 4636); 1 July of each year 1600..2400 (the years of the Chinese year
// table), a different year each call; and 1 July of each year 3000..3400,
// beyond the table and more years than the Chinese year cache holds.
const std::vector<double>& chinese_warm_days();
const std::vector<double>& chinese_cold_days();
const std::vector<double>& chinese_far_days();

// An exported function of libvarizav.so (loaded once, English texts), or
// null when the library does not export that name.
void* addin_symbol(const char* name);

// One line of the summary: our benchmark, its ICU peer (empty: none) and the
// target (ratio ICU time / our time at least min_ratio, or our time below
// max_ns; 0 for no target).
struct SummaryRow {
  std::string label;
  std::string ours;
  std::string peer;
  double min_ratio;
  double max_ns;
};
void add_summary_row(SummaryRow row);

}  // namespace varizav::bench

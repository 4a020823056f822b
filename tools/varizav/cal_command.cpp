// varizav cal: a month of the civil calendar as a grid of weeks from Monday,
// each day also in the chosen calendars, and below it the month's holidays
// of those calendars and its Moon phases (with --events, every astronomical
// event). Every date comes from the loaded library.

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <map>

#include "commands.h"
#include "month_data.h"
#include "name_lists.h"
#include "platform/standard_streams.h"
#include "platform/time_zone.h"
#include "values.h"

namespace varizav::tool {
namespace {

// The first day of a month in a calendar written as numbers (the day field 1).
bool is_first_of_month(const std::string& numbers) {
  const std::vector<std::string> w = words_of(numbers);
  return w.size() >= 3 && std::all_of(w.begin(), w.end(), is_integer) && w.back() == "1";
}

// A date's text without the weekday in front ("yom shelishi, 15 Nisan 5784").
std::string without_weekday(const std::string& text) {
  const size_t comma = text.find(", ");
  return comma == std::string::npos ? text : text.substr(comma + 2);
}

std::string two_letters(const char* name) { return host_name(std::string(name).substr(0, 2).c_str()); }

std::string time_of_day(double serial) {
  const double fraction = serial - std::floor(serial);
  if (fraction == 0.0) return "     ";
  const int64_t minutes = std::llround(fraction * 1440.0);
  char text[8];
  std::snprintf(text, sizeof text, "%02d:%02d", static_cast<int>(minutes / 60 % 24), static_cast<int>(minutes % 60));
  return text;
}

// The month argument YYYY-MM, or this month; nothing for a malformed one.
std::optional<std::pair<int64_t, int32_t>> month_of(const AddIn& addin, const std::optional<std::string>& month) {
  if (!month) {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    platform::local_time(now, local);
    return std::pair<int64_t, int32_t>{local.tm_year + 1900, local.tm_mon + 1};
  }
  const std::optional<double> first = addin.read_date(*month + "-01");
  if (!first) return std::nullopt;
  const std::optional<VarizavDateTime> d = addin.date_of_serial(*first);
  if (!d) return std::nullopt;
  return std::pair<int64_t, int32_t>{d->year, d->month};
}

// Weeks from Monday, a line per row of the grid; today marked in a terminal.
void print_grid(const Caller& caller, const Grid& grid, const std::vector<Day>& days, const std::string& title) {
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  platform::local_time(now, local);
  const auto today = static_cast<int64_t>(
      caller.addin().serial_of_date(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday).value_or(0.0));
  const bool terminal = platform::standard_output_is_terminal();
  size_t label_width = 0;
  for (const std::string& label : grid.labels) label_width = std::max(label_width, display_width(label));

  std::printf("%s\n", title.c_str());
  std::string header(label_width, ' ');
  for (size_t w = 0; w < 7; ++w) header.append(grid.width - 1, ' ').append(two_letters(weekday_name(caller, w)));
  std::printf("%s\n", header.c_str());
  size_t i = 0;
  while (i < days.size()) {
    std::vector<size_t> week(7, SIZE_MAX);
    size_t column = weekday_of(caller, days[i].serial);
    // A week ends on Sunday; where the civil month skips days (the reform of
    // the calendar) the days after the gap stay in the week they belong to.
    while (i < days.size() && column < 7) {
      week[column] = i;
      ++i;
      if (i < days.size()) {
        const size_t next = weekday_of(caller, days[i].serial);
        if (next <= column) break;
        column = next;
      }
    }
    for (size_t line = 0; line < grid.rows.size(); ++line) {
      std::string text = grid.labels[line];
      text.append(label_width - display_width(text), ' ');
      for (size_t c = 0; c < 7; ++c) {
        const std::string cell = week[c] == SIZE_MAX ? std::string() : grid.rows[line][week[c]];
        text.append(1 + grid.width - std::min(grid.width, display_width(cell)), ' ');
        const bool mark = line == 0 && terminal && week[c] != SIZE_MAX && days[week[c]].serial == today;
        text += mark ? "\x1b[7m" + cell + "\x1b[0m" : cell;
      }
      while (!text.empty() && text.back() == ' ') text.pop_back();
      std::printf("%s\n", text.c_str());
    }
  }
}

// For each calendar row, the day of the month on which each of its months begins.
void print_month_starts(const Caller& caller, const Grid& grid, const std::vector<Day>& days) {
  for (size_t r = 0; r < grid.calendars.size(); ++r) {
    const std::string key = std::to_string(grid.calendars[r] + 1);
    std::string line = grid.labels[r + 1] + ":";
    for (const Day& d : days) {
      const double serial = static_cast<double>(d.serial);
      if (&d != &days.front() && !is_first_of_month(caller.format(key, serial, kNumberMode))) continue;
      line.append(" ").append(std::to_string(d.day)).append(" = ");
      line.append(without_weekday(caller.format(key, serial, kTextMode))).append(";");
    }
    line.pop_back();
    std::printf("%s\n", line.c_str());
  }
}

// The holidays of the calendars and the Moon phases (with events, every
// astronomical event) from the first day to the end of the month, by date.
void print_holidays_and_events(const Caller& caller, const std::vector<int32_t>& ids, bool events,
                               const std::vector<Day>& days) {
  const std::vector<Listed> listed = month_listing(caller, ids, events, days);
  if (!listed.empty()) std::printf("\n");
  for (const Listed& l : listed) {
    const int64_t serial = static_cast<int64_t>(std::floor(l.when));
    const std::optional<CivilDate> d = civil_date(caller, serial);
    std::printf("%s %2d %s  %s%s%s%s\n", two_letters(weekday_name(caller, weekday_of(caller, serial))).c_str(),
                d ? d->day : 0, time_of_day(l.when).c_str(), l.names.c_str(), l.calendar.empty() ? "" : " (",
                l.calendar.c_str(), l.calendar.empty() ? "" : ")");
  }
}

}  // namespace

int command_cal(const AddIn& addin, const std::optional<std::string>& month,
                const std::optional<std::string>& calendars, bool events) {
  const Caller caller(addin);
  if (!caller.usable()) {
    std::fprintf(stderr, "varizav: the library has no usable SC_calendar and SC_holiday2\n");
    return kExitFailure;
  }
  const auto year_month = month_of(addin, month);
  if (!year_month) {
    std::fprintf(stderr, "varizav: cal takes a month YYYY-MM, not '%s'\n", month->c_str());
    return kExitUsage;
  }
  const auto ids = calendars_of(caller, calendars);
  if (!ids) return kExitUsage;
  const auto [year, month_number] = *year_month;
  const std::vector<Day> days = civil_month(caller, year, month_number);
  if (days.empty()) {
    std::fprintf(stderr, "varizav: the library writes no date of %04lld-%02d\n", static_cast<long long>(year),
                 month_number);
    return kExitFailure;
  }
  const Grid grid = grid_of(caller, *ids, days);
  const char* month_name = caller.name(VARIZAV_LIST_MONTHS + caller.calendar_id("gregorian"), month_number);
  print_grid(caller, grid, days, host_name(month_name) + " " + std::to_string(year));
  print_month_starts(caller, grid, days);
  print_holidays_and_events(caller, *ids, events, days);
  return kExitOk;
}

}  // namespace varizav::tool

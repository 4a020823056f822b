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
#include "name_lists.h"
#include "values.h"
#include "platform/standard_streams.h"
#include "platform/time_zone.h"

namespace varizav::tool {
namespace {

// Entries of the astronomical event list: 4..7 the Moon's phases; with
// --events every event from 8 on, except the two that only repeat others
// ("Eclipse" is the solar or the lunar one, "Zodiac" the entry into any sign).
constexpr int32_t kFirstMoonPhase = 4;
constexpr int32_t kLastMoonPhase = 7;
constexpr int32_t kFirstOtherEvent = 8;
constexpr int32_t kEitherEclipse = 16;
constexpr int32_t kAnySign = 33;

// Days the civil month is looked for around the Gregorian month of the same
// number: the Julian calendar runs up to 13 days behind (before 1900 less).
constexpr int64_t kSearchMargin = 20;

constexpr double kTextMode = 1.0;
constexpr double kNumberMode = 0.0;

// A date of the civil calendar as SC_calendar writes it in numbers.
struct CivilDate {
  int64_t year;
  int32_t month;
  int32_t day;
};

struct Day {
  int64_t serial;
  int32_t day;  // civil day of the month
};

struct Listed {
  double when;  // serial date with time of day
  std::string names;
  std::string calendar;  // empty for astronomical events
};

class Caller {
 public:
  explicit Caller(const AddIn& addin)
      : calendar_(addin.find("SC_calendar")),
        holiday2_(addin.find("SC_holiday2")),
        addin_(addin),
        language_(addin.name_language()) {}

  const AddIn& addin() const { return addin_; }

  // Name `entry` of a list of varizav/names.h in the language in force.
  const char* name(int32_t list, int32_t entry) const { return addin_.name(list, entry, language_); }
  // The calendar (0-based) of an English calendar name.
  int32_t calendar_id(const char* english) const {
    return addin_.name_entry(VARIZAV_LIST_CALENDARS, english, kEnglishNames) - 1;
  }
  // The calendar (0-based) that a text selects in the language in force; -1 for none.
  int32_t calendar_of(std::string_view text) const {
    return addin_.name_entry(VARIZAV_LIST_CALENDARS, text, language_) - 1;
  }
  uint16_t language() const { return language_; }

  bool usable() const { return usable(calendar_, 3) && usable(holiday2_, 3); }

  std::string format(const std::string& calendar, double serial, double mode) const {
    std::array<Argument, kMaxArguments> arguments{};
    arguments[0].text = calendar;
    arguments[1].number = serial;
    arguments[2].number = mode;
    return addin_.call(*calendar_, arguments.data()).text;
  }

  double next(const std::string& calendar, int32_t entry, double serial) const {
    const std::string event = std::to_string(entry);
    std::array<Argument, kMaxArguments> arguments{};
    arguments[0].text = calendar;
    arguments[1].text = event;
    arguments[2].number = serial;
    return addin_.call(*holiday2_, arguments.data()).number;
  }

 private:
  static bool usable(const Function* f, size_t arguments) {
    return f != nullptr && f->exported() && f->unusable_reason.empty() && f->parameters.size() == arguments;
  }
  // The language identifier whose names are the English ones.
  static constexpr uint16_t kEnglishNames = 9;
  const Function* calendar_;
  const Function* holiday2_;
  const AddIn& addin_;
  uint16_t language_;
};

std::vector<std::string> words_of(const std::string& text) {
  std::vector<std::string> words;
  size_t i = 0;
  while (i < text.size()) {
    while (i < text.size() && text[i] == ' ') ++i;
    const size_t start = i;
    while (i < text.size() && text[i] != ' ') ++i;
    if (i > start) words.push_back(text.substr(start, i - start));
  }
  return words;
}

bool is_integer(const std::string& word) {
  return !word.empty() && std::all_of(word.begin() + (word[0] == '-' ? 1 : 0), word.end(), [](char c) {
    return c >= '0' && c <= '9';
  });
}

// The civil (year, month, day) of a serial day, as the library's civil
// calendar writes it: Julian up to the reform, Gregorian after it.
std::optional<CivilDate> civil_date(const Caller& caller, int64_t serial) {
  const std::vector<std::string> w = words_of(caller.format("", static_cast<double>(serial), kNumberMode));
  if (w.size() != 3 || !is_integer(w[0]) || !is_integer(w[1]) || !is_integer(w[2])) return std::nullopt;
  return CivilDate{std::stoll(w[0]), std::stoi(w[1]), std::stoi(w[2])};
}

// 0 = Monday .. 6 = Sunday.
size_t weekday_of(const Caller& caller, int64_t serial) {
  return static_cast<size_t>(caller.addin().weekday(static_cast<double>(serial)));
}

// A day's date in a calendar, short enough for a grid cell: the day of the
// month for the calendars written as numbers, else the written form without
// its year.
std::string cell_of(const std::string& numbers) {
  const std::vector<std::string> w = words_of(numbers);
  if (w.size() >= 3 && std::all_of(w.begin(), w.end(), is_integer)) return w.back();
  const size_t colon = numbers.find(':');
  if (colon != std::string::npos) return numbers.substr(0, colon);  // Mayan long count
  const size_t dash = numbers.find('-');
  if (w.size() == 1 && dash != std::string::npos) return numbers.substr(dash + 1);  // ISO week-day
  if (w.size() > 1) {
    std::string without_year;
    for (size_t i = 0; i + 1 < w.size(); ++i) without_year += (i > 0 ? " " : "") + w[i];
    return without_year;  // Roman
  }
  return numbers;
}

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

// Columns a text takes in the terminal (a UTF-8 sequence counts once).
size_t display_width(const std::string& text) {
  return static_cast<size_t>(std::count_if(text.begin(), text.end(), [](char c) { return (c & 0xC0) != 0x80; }));
}

const char* weekday_name(const Caller& caller, size_t monday_based) {
  return caller.name(VARIZAV_LIST_WEEKDAYS, static_cast<int32_t>(monday_based) + 1);
}

const char* calendar_name(const Caller& caller, int32_t id) { return caller.name(VARIZAV_LIST_CALENDARS, id + 1); }

std::string two_letters(const char* name) {
  return host_name(std::string(name).substr(0, 2).c_str());
}

std::string time_of_day(double serial) {
  const double fraction = serial - std::floor(serial);
  if (fraction == 0.0) return "     ";
  const int64_t minutes = std::llround(fraction * 1440.0);
  char text[8];
  std::snprintf(text, sizeof text, "%02d:%02d", static_cast<int>(minutes / 60 % 24), static_cast<int>(minutes % 60));
  return text;
}

// The holidays of one calendar in [first, end): each date once, with every
// name that the table gives it.
void add_holidays(const Caller& caller, int32_t calendar_id, double first, double end, std::vector<Listed>& out) {
  const int32_t list = VARIZAV_LIST_HOLIDAYS + calendar_id;
  const std::string calendar = std::to_string(calendar_id + 1);
  const std::string label = host_name(calendar_name(caller, calendar_id));
  std::map<double, std::string> found;
  for (int32_t k = 1; k <= caller.addin().name_count(list); ++k) {
    const char* name = caller.name(list, k);
    if (is_placeholder_name(name)) continue;
    const double when = caller.next(calendar, k, first);
    if (!(when < end)) continue;
    std::string& names = found[when];
    names += (names.empty() ? "" : ", ") + host_name(name);
  }
  for (const auto& [when, names] : found) out.push_back({when, names, label});
}

// Every occurrence of the astronomical events `entries` in [first, end).
void add_events(const Caller& caller, const std::vector<int32_t>& entries, double first, double end,
                std::vector<Listed>& out) {
  const int32_t astronomical_id = caller.calendar_id("astronomical");
  const std::string astronomical = std::to_string(astronomical_id + 1);
  std::map<double, std::string> found;
  for (int32_t k : entries) {
    const std::string name = host_name(caller.name(VARIZAV_LIST_HOLIDAYS + astronomical_id, k));
    for (double from = first;;) {
      const double when = caller.next(astronomical, k, from);
      if (!(when >= from && when < end)) break;
      std::string& names = found[when];
      names += (names.empty() ? "" : ", ") + name;
      from = when + 1.0;
    }
  }
  for (const auto& [when, names] : found) out.push_back({when, names, ""});
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

// The calendars of a comma-separated list (default: Gregorian, Hebrew,
// Islamic); nothing, with a message, when a name selects no calendar.
std::optional<std::vector<int32_t>> calendars_of(const Caller& caller, const std::optional<std::string>& list) {
  if (!list) {
    return std::vector<int32_t>{caller.calendar_id("gregorian"), caller.calendar_id("hebrew"),
                                caller.calendar_id("islamic")};
  }
  std::vector<int32_t> ids;
  for (const std::string_view name : split_fields(*list, ',')) {
    const int32_t id = caller.calendar_of(name);
    if (id < 0) {
      std::string hint = closest_calendar_names(name, caller.language());
      if (!hint.empty()) hint = "; " + hint;
      std::fprintf(stderr, "varizav: '%.*s' names no calendar%s (varizav names calendars lists them)\n",
                   static_cast<int>(name.size()), name.data(), hint.c_str());
      return std::nullopt;
    }
    ids.push_back(id);
  }
  return ids;
}

// The civil month: the serial days whose civil date lies in it.
std::vector<Day> civil_month(const Caller& caller, int64_t year, int32_t month) {
  // Years of 1 to 9 digits: the 32-bit year of the library's dates holds them.
  const auto gregorian_first =
      static_cast<int64_t>(caller.addin().serial_of_date(static_cast<int32_t>(year), month, 1).value_or(0.0));
  std::vector<Day> days;
  for (int64_t s = gregorian_first - kSearchMargin; s < gregorian_first + 31 + kSearchMargin; ++s) {
    const std::optional<CivilDate> d = civil_date(caller, s);
    if (d && d->year == year && d->month == month) days.push_back({s, d->day});
  }
  return days;
}

// The rows of the grid: the civil days, then each calendar whose dates differ from them.
struct Grid {
  std::vector<int32_t> calendars;              // of rows 1..
  std::vector<std::string> labels;             // row 0 unlabelled
  std::vector<std::vector<std::string>> rows;  // [row][day]
  size_t width = 2;                            // of a cell
};

Grid grid_of(const Caller& caller, const std::vector<int32_t>& ids, const std::vector<Day>& days) {
  Grid grid;
  grid.labels.emplace_back();
  grid.rows.emplace_back();
  for (const Day& d : days) grid.rows[0].push_back(std::to_string(d.day));
  for (int32_t id : ids) {
    const std::string key = std::to_string(id + 1);
    std::vector<std::string> row;
    for (const Day& d : days) row.push_back(cell_of(caller.format(key, static_cast<double>(d.serial), kNumberMode)));
    if (row == grid.rows[0]) continue;
    grid.calendars.push_back(id);
    grid.labels.push_back(host_name(calendar_name(caller, id)));
    grid.rows.push_back(std::move(row));
  }
  for (const auto& row : grid.rows) {
    for (const std::string& cell : row) grid.width = std::max(grid.width, display_width(cell));
  }
  return grid;
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
  const double first = static_cast<double>(days.front().serial);
  const double end = static_cast<double>(days.back().serial + 1);
  std::vector<Listed> listed;
  for (int32_t id : ids) {
    if (id != caller.calendar_id("astronomical")) add_holidays(caller, id, first, end, listed);
  }
  std::vector<int32_t> entries;
  for (int32_t k = kFirstMoonPhase; k <= kLastMoonPhase; ++k) entries.push_back(k);
  if (events) {
    const int32_t event_count = caller.addin().name_count(VARIZAV_LIST_HOLIDAYS + caller.calendar_id("astronomical"));
    for (int32_t k = kFirstOtherEvent; k <= event_count; ++k) {
      if (k != kEitherEclipse && k != kAnySign) entries.push_back(k);
    }
  }
  add_events(caller, entries, first, end, listed);
  std::stable_sort(listed.begin(), listed.end(), [](const Listed& a, const Listed& b) { return a.when < b.when; });
  if (!listed.empty()) std::printf("\n");
  for (const Listed& l : listed) {
    const int64_t serial = static_cast<int64_t>(std::floor(l.when));
    const std::optional<CivilDate> d = civil_date(caller, serial);
    std::printf("%s %2d %s  %s%s%s%s\n", two_letters(weekday_name(caller, weekday_of(caller, serial))).c_str(), d ? d->day : 0,
                time_of_day(l.when).c_str(), l.names.c_str(), l.calendar.empty() ? "" : " (", l.calendar.c_str(),
                l.calendar.empty() ? "" : ")");
  }
}

}  // namespace

int command_cal(const AddIn& addin, const std::optional<std::string>& month, const std::optional<std::string>& calendars,
                bool events) {
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

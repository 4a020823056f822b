#include "month_data.h"

#include <algorithm>
#include <cstdio>
#include <map>

#include "host/host_text.h"
#include "name_lists.h"

namespace varizav::tool {
namespace {

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
  std::map<double, int32_t> phases;
  for (int32_t k : entries) {
    const std::string name = host_name(caller.name(VARIZAV_LIST_HOLIDAYS + astronomical_id, k));
    for (double from = first;;) {
      const double when = caller.next(astronomical, k, from);
      if (!(when >= from && when < end)) break;
      std::string& names = found[when];
      names += (names.empty() ? "" : ", ") + name;
      if (k >= kFirstMoonPhase && k <= kLastMoonPhase) phases[when] = k - kFirstMoonPhase;
      from = when + 1.0;
    }
  }
  for (const auto& [when, names] : found) {
    const auto phase = phases.find(when);
    out.push_back({when, names, "", phase == phases.end() ? -1 : phase->second});
  }
}

}  // namespace

std::string utf8_text(const std::string& host_text) {
  if (host_text_is_utf8()) return host_text;
  std::string out(4 * host_text.size() + 1, '\0');
  out.resize(cp1252_to_utf8(host_text.c_str(), out.data(), out.size()));
  return out;
}

size_t display_width(const std::string& text) {
  return static_cast<size_t>(std::count_if(text.begin(), text.end(), [](char c) { return (c & 0xC0) != 0x80; }));
}

const char* calendar_name(const Caller& caller, int32_t id) { return caller.name(VARIZAV_LIST_CALENDARS, id + 1); }

const char* weekday_name(const Caller& caller, size_t monday_based) {
  return caller.name(VARIZAV_LIST_WEEKDAYS, static_cast<int32_t>(monday_based) + 1);
}

size_t weekday_of(const Caller& caller, int64_t serial) {
  return static_cast<size_t>(caller.addin().weekday(static_cast<double>(serial)));
}

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
  return !word.empty() &&
         std::all_of(word.begin() + (word[0] == '-' ? 1 : 0), word.end(), [](char c) { return c >= '0' && c <= '9'; });
}

std::optional<CivilDate> civil_date(const Caller& caller, int64_t serial) {
  const std::vector<std::string> w = words_of(caller.format("", static_cast<double>(serial), kNumberMode));
  if (w.size() != 3 || !is_integer(w[0]) || !is_integer(w[1]) || !is_integer(w[2])) return std::nullopt;
  return CivilDate{std::stoll(w[0]), std::stoi(w[1]), std::stoi(w[2])};
}

std::optional<std::vector<int32_t>> calendars_of(const Caller& caller, const std::optional<std::string>& list) {
  if (!list) {
    return std::vector<int32_t>{caller.calendar_id("gregorian"), caller.calendar_id("hebrew"),
                                caller.calendar_id("islamic")};
  }
  std::vector<int32_t> ids;
  for (const std::string_view name : split_fields(*list, ',')) {
    const int32_t entry = caller.addin().name_entry(VARIZAV_LIST_CALENDARS, name, caller.language());
    if (entry == 0) {
      std::string hint = closest_calendar_names(name, caller.language());
      if (!hint.empty()) hint = "; " + hint;
      std::fprintf(stderr, "varizav: '%.*s' names no calendar%s (varizav names calendars lists them)\n",
                   static_cast<int>(name.size()), name.data(), hint.c_str());
      return std::nullopt;
    }
    ids.push_back(entry - 1);
  }
  return ids;
}

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

std::vector<Listed> month_listing(const Caller& caller, const std::vector<int32_t>& ids, bool events,
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
  return listed;
}

}  // namespace varizav::tool

// varizav cal --format svg: a civil month (or a year of twelve) as a
// stand-alone SVG page for a printed calendar, A4 landscape in millimetres.
// The days, the other calendars' dates, the holidays and the Moon phases are
// those of the text form (month_data); only the drawing is here.

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <ctime>
#include <string>

#include "commands.h"
#include "month_data.h"
#include "name_lists.h"
#include "platform/time_zone.h"

namespace varizav::tool {
namespace {

// Page: A4 landscape, 297 x 210 mm; the drawing's unit is the millimetre.
constexpr double kPageWidth = 297.0;
constexpr double kPageHeight = 210.0;
constexpr double kMargin = 10.0;

// Colours of the other calendars' rows and of their holidays, in the order
// of the rows; Moon and text colours.
constexpr std::array<const char*, 6> kRowColours = {"#1f5fa8", "#a8321f", "#2e7d32", "#7b3fa0", "#b06a00", "#00796b"};
constexpr const char* kInk = "#222";
constexpr const char* kFaint = "#888";
constexpr const char* kMoonDark = "#333";

// A text of the library or the name tables as XML character data, UTF-8.
std::string xml(const std::string& host_text) {
  std::string out;
  for (const char c : utf8_text(host_text)) {
    switch (c) {
      case '&': out += "&amp;"; break;
      case '<': out += "&lt;"; break;
      case '>': out += "&gt;"; break;
      case '"': out += "&quot;"; break;
      default: out += c;
    }
  }
  return out;
}

std::string number(double value) {
  char text[32];
  std::snprintf(text, sizeof text, "%.2f", value);
  std::string s = text;
  while (s.back() == '0') s.pop_back();
  if (s.back() == '.') s.pop_back();
  return s;
}

void text_at(std::string& svg, double x, double y, double size, const std::string& text, const char* colour,
             const char* extra = "") {
  svg += "<text x=\"" + number(x) + "\" y=\"" + number(y) + "\" font-size=\"" + number(size) + "\" fill=\"" + colour +
         "\"" + extra + ">" + xml(text) + "</text>\n";
}

// The Moon's phase as drawn for the northern hemisphere: new dark, full
// open, first quarter lit on the right, last quarter lit on the left.
void moon_at(std::string& svg, double cx, double cy, double r, int32_t phase) {
  const std::string c = number(cx), y = number(cy), rr = number(r);
  const std::string top = number(cy - r), bottom = number(cy + r);
  svg += "<g class=\"moon\"><circle cx=\"" + c + "\" cy=\"" + y + "\" r=\"" + rr + "\" fill=\"" +
         (phase == 0 ? kMoonDark : "#fff") + "\" stroke=\"" + kMoonDark + "\" stroke-width=\"0.3\"/>";
  if (phase == 1 || phase == 3) {
    const char* sweep = phase == 1 ? "0" : "1";  // dark half: left for the first quarter
    svg += "<path d=\"M" + c + " " + top + " A" + rr + " " + rr + " 0 0 " + sweep + " " + c + " " + bottom +
           " Z\" fill=\"" + kMoonDark + "\"/>";
  }
  svg += "</g>\n";
}

// Rows of weeks from Monday, from each day's weekday (0 = Monday); where the
// civil month skips days (the reform) the days after the gap stay in their week.
std::vector<std::array<int, 7>> weeks_of(const std::vector<size_t>& columns) {
  std::vector<std::array<int, 7>> weeks;
  size_t previous = 7;
  for (size_t i = 0; i < columns.size(); ++i) {
    const size_t column = columns[i];
    if (weeks.empty() || column <= previous) {
      weeks.emplace_back();
      weeks.back().fill(-1);
    }
    weeks.back()[column] = static_cast<int>(i);
    previous = column;
  }
  return weeks;
}

std::string month_title(const Caller& caller, int64_t year, int32_t month) {
  const char* name = caller.name(VARIZAV_LIST_MONTHS + caller.calendar_id("gregorian"), month);
  return host_name(name) + " " + std::to_string(year);
}

std::string page_start() {
  return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
         "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"297mm\" height=\"210mm\" viewBox=\"0 0 297 210\" "
         "font-family=\"DejaVu Sans, Helvetica, Arial, sans-serif\">\n"
         "<rect width=\"297\" height=\"210\" fill=\"#fff\"/>\n";
}

struct MonthView {
  int64_t year;
  int32_t month;
  std::vector<Day> days;
  Grid grid;
  std::vector<Listed> listed;
  std::vector<std::string> calendars;         // names of the chosen calendars, in the order of their colours
  std::vector<std::string> starts;            // per other calendar: the month's first day and each new month
  std::string title;                          // month and year
  std::array<std::string, 7> weekday_labels;  // Monday first
  std::vector<size_t> columns;                // weekday of each day, 0 = Monday
};

MonthView month_view(const Caller& caller, const std::vector<int32_t>& ids, bool events, int64_t year, int32_t month) {
  MonthView v{year, month, civil_month(caller, year, month), {}, {}, {}, {}, month_title(caller, year, month), {}, {}};
  for (const int32_t id : ids) v.calendars.push_back(host_name(calendar_name(caller, id)));
  for (size_t w = 0; w < 7; ++w) v.weekday_labels[w] = host_name(weekday_name(caller, w));
  for (const Day& d : v.days) v.columns.push_back(weekday_of(caller, d.serial));
  if (v.days.empty()) return v;
  v.grid = grid_of(caller, ids, v.days);
  v.listed = month_listing(caller, ids, events, v.days);
  for (size_t r = 1; r < v.grid.labels.size(); ++r) {
    const std::string key = std::to_string(v.grid.calendars[r - 1] + 1);
    std::string line = v.grid.labels[r] + ":";
    for (size_t d = 0; d < v.days.size(); ++d) {
      if (d > 0 && v.grid.rows[r][d] != "1") continue;
      const std::string text = caller.format(key, static_cast<double>(v.days[d].serial), kTextMode);
      const size_t comma = text.find(", ");
      line += " " + v.grid.rows[0][d] + " = " + (comma == std::string::npos ? text : text.substr(comma + 2)) + ";";
    }
    line.pop_back();
    v.starts.push_back(line);
  }
  return v;
}

// The holidays and Moon phases of a day, by the day's serial. A holiday is
// drawn on its civil day: a day that begins at 18:00 (serial fraction .75)
// is kept on the civil day after its eve.
std::vector<const Listed*> listed_on(const MonthView& v, int64_t serial) {
  std::vector<const Listed*> out;
  for (const Listed& l : v.listed) {
    const double shift = l.calendar.empty() ? 0.0 : 0.25;
    if (static_cast<int64_t>(std::floor(l.when + shift)) == serial) out.push_back(&l);
  }
  return out;
}

// The colour of a chosen calendar: its row, its holidays, its legend.
const char* colour_of(const MonthView& v, const std::string& calendar_label) {
  for (size_t i = 0; i < v.calendars.size(); ++i) {
    if (v.calendars[i] == calendar_label) return kRowColours[i % kRowColours.size()];
  }
  return kInk;
}

// The legend: a dot and the name of each chosen calendar in its colour, from
// the right margin leftwards.
void legend(std::string& svg, const MonthView& v, double y, double size) {
  double x = kPageWidth - kMargin;
  for (size_t i = v.calendars.size(); i-- > 0;) {
    text_at(svg, x, y, size, "\xE2\x97\x8F " + v.calendars[i], kRowColours[i % kRowColours.size()],
            " text-anchor=\"end\"");
    x -= size * 3.0 + size * 0.62 * static_cast<double>(display_width(v.calendars[i]));
  }
}

// One month filling the page: weeks of cells, each with the civil day, the
// other calendars' days, the holidays and the Moon's phase with its time.
std::string month_page(const MonthView& v) {
  std::string svg = page_start();
  text_at(svg, kMargin, kMargin + 8, 10, v.title, kInk, " font-weight=\"bold\"");
  legend(svg, v, kMargin + 8, 4);
  for (size_t r = 0; r < v.starts.size(); ++r) {
    text_at(svg, kMargin + 78, kMargin + 2 + 3.8 * static_cast<double>(r), 3.2, v.starts[r],
            colour_of(v, v.grid.labels[r + 1]));
  }
  const std::vector<std::array<int, 7>> weeks = weeks_of(v.columns);
  const double top = kMargin + 20;
  const double cell_w = (kPageWidth - 2 * kMargin) / 7;
  const double cell_h = (kPageHeight - top - kMargin) / static_cast<double>(weeks.size());
  for (size_t c = 0; c < 7; ++c) {
    text_at(svg, kMargin + cell_w * (static_cast<double>(c) + 0.5), top - 3, 4, v.weekday_labels[c], kFaint,
            " text-anchor=\"middle\"");
  }
  for (size_t w = 0; w < weeks.size(); ++w) {
    for (size_t c = 0; c < 7; ++c) {
      const double x = kMargin + cell_w * static_cast<double>(c);
      const double y = top + cell_h * static_cast<double>(w);
      svg += "<rect x=\"" + number(x) + "\" y=\"" + number(y) + "\" width=\"" + number(cell_w) + "\" height=\"" +
             number(cell_h) + "\" fill=\"" + (c >= 5 ? "#f6f6f6" : "#fff") +
             "\" stroke=\"#bbb\" stroke-width=\"0.3\"/>\n";
      const int i = weeks[w][c];
      if (i < 0) continue;
      const auto day = static_cast<size_t>(i);
      text_at(svg, x + 2, y + 8, 7, v.grid.rows[0][day], kInk, " font-weight=\"bold\"");
      double line_y = y + 8;
      for (size_t r = 1; r < v.grid.rows.size(); ++r) {
        line_y += 4.2;
        text_at(svg, x + 2, line_y, 3.4, v.grid.rows[r][day], colour_of(v, v.grid.labels[r]));
      }
      line_y += 1.0;
      for (const Listed* l : listed_on(v, v.days[day].serial)) {
        if (l->moon_phase >= 0) {
          moon_at(svg, x + cell_w - 5, y + 5, 2.6, l->moon_phase);
          const int64_t minutes = std::llround((l->when - std::floor(l->when)) * 1440.0);
          char time[8];
          std::snprintf(time, sizeof time, "%02d:%02d", static_cast<int>(minutes / 60 % 24),
                        static_cast<int>(minutes % 60));
          text_at(svg, x + cell_w - 8.5, y + 6.2, 2.6, time, kFaint, " text-anchor=\"end\"");
          continue;
        }
        if (line_y + 3.6 > y + cell_h) break;  // the cell is full
        line_y += 3.4;
        const char* colour = l->calendar.empty() ? kInk : colour_of(v, l->calendar);
        std::string names = l->names;
        const size_t room = static_cast<size_t>(cell_w / 1.45);  // characters of 2.8 mm type
        if (display_width(names) > room) {
          while (!names.empty() && display_width(names) > room - 1) names.pop_back();
          while (!names.empty() && (names.back() & 0xC0) == 0x80) names.pop_back();  // a whole character
          if (!names.empty()) names.pop_back();
          names += "\xE2\x80\xA6";  // ellipsis
        }
        text_at(svg, x + 2, line_y, 2.8, names, colour);
      }
    }
  }
  svg += "</svg>\n";
  return svg;
}

// Twelve months on one page, 4 across and 3 down: each day's number, a
// coloured dot under a holiday of a calendar and the Moon's quarters.
std::string year_page(const std::vector<MonthView>& months, int64_t year) {
  std::string svg = page_start();
  text_at(svg, kMargin, kMargin + 7, 9, std::to_string(year), kInk, " font-weight=\"bold\"");
  if (!months.empty()) legend(svg, months.front(), kMargin + 7, 3.6);
  const double top = kMargin + 14;
  const double box_w = (kPageWidth - 2 * kMargin) / 4;
  const double box_h = (kPageHeight - top - kMargin) / 3;
  const double col_w = (box_w - 6) / 7;
  const double row_h = (box_h - 12) / 6;
  for (size_t m = 0; m < months.size(); ++m) {
    const MonthView& v = months[m];
    const double bx = kMargin + box_w * static_cast<double>(m % 4);
    const double by = top + box_h * static_cast<double>(m / 4);
    text_at(svg, bx + 2, by + 4.5, 4.2, v.title, kInk, " font-weight=\"bold\"");
    for (size_t c = 0; c < 7; ++c) {
      text_at(svg, bx + 2 + col_w * (static_cast<double>(c) + 0.5), by + 9, 2.4, v.weekday_labels[c].substr(0, 2),
              kFaint, " text-anchor=\"middle\"");
    }
    const std::vector<std::array<int, 7>> weeks = weeks_of(v.columns);
    for (size_t w = 0; w < weeks.size(); ++w) {
      for (size_t c = 0; c < 7; ++c) {
        const int i = weeks[w][c];
        if (i < 0) continue;
        const auto day = static_cast<size_t>(i);
        const double cx = bx + 2 + col_w * (static_cast<double>(c) + 0.5);
        const double cy = by + 9 + row_h * (static_cast<double>(w) + 1);
        text_at(svg, cx, cy, 3.2, v.grid.rows[0][day], c == 6 ? "#a8321f" : kInk, " text-anchor=\"middle\"");
        const std::vector<const Listed*> on_day = listed_on(v, v.days[day].serial);
        const auto holidays =
            std::count_if(on_day.begin(), on_day.end(), [](const Listed* l) { return l->moon_phase < 0; });
        double dot_x = cx - 0.7 * static_cast<double>(holidays - 1);
        for (const Listed* l : on_day) {
          if (l->moon_phase >= 0) {
            moon_at(svg, cx + col_w * 0.42, cy - 2.6, 0.9, l->moon_phase);
          } else if (!l->calendar.empty()) {
            svg += "<circle cx=\"" + number(dot_x) + "\" cy=\"" + number(cy + 1.5) + "\" r=\"0.55\" fill=\"" +
                   colour_of(v, l->calendar) + "\"><title>" + xml(l->names) + "</title></circle>\n";
            dot_x += 1.4;
          }
        }
      }
    }
  }
  svg += "</svg>\n";
  return svg;
}

}  // namespace

int command_cal_svg(const AddIn& addin, const std::optional<std::string>& when,
                    const std::optional<std::string>& calendars, bool events) {
  const Caller caller(addin);
  if (!caller.usable()) {
    std::fprintf(stderr, "varizav: the library has no usable SC_calendar and SC_holiday2\n");
    return kExitFailure;
  }
  const auto ids = calendars_of(caller, calendars);
  if (!ids) return kExitUsage;
  // YYYY: a year; YYYY-MM: a month; nothing: this month.
  const bool whole_year = when && !when->empty() && when->size() <= 5 &&
                          std::all_of(when->begin() + ((*when)[0] == '-' ? 1 : 0), when->end(),
                                      [](char c) { return c >= '0' && c <= '9'; });
  int64_t year = 0;
  int32_t month = 0;
  if (whole_year) {
    year = std::stoll(*when);
  } else if (when) {
    const std::optional<double> first = addin.read_date(*when + "-01");
    const std::optional<VarizavDateTime> d = first ? addin.date_of_serial(*first) : std::nullopt;
    if (!d) {
      std::fprintf(stderr, "varizav: cal takes a month YYYY-MM or a year YYYY, not '%s'\n", when->c_str());
      return kExitUsage;
    }
    year = d->year;
    month = d->month;
  } else {
    std::tm local{};
    platform::local_time(std::time(nullptr), local);
    year = local.tm_year + 1900;
    month = local.tm_mon + 1;
  }
  std::string svg;
  if (whole_year) {
    std::vector<MonthView> months;
    for (int32_t m = 1; m <= 12; ++m) months.push_back(month_view(caller, *ids, events, year, m));
    svg = year_page(months, year);
  } else {
    const MonthView v = month_view(caller, *ids, events, year, month);
    if (v.days.empty()) {
      std::fprintf(stderr, "varizav: the library writes no date of %04lld-%02d\n", static_cast<long long>(year), month);
      return kExitFailure;
    }
    svg = month_page(v);
  }
  return std::fwrite(svg.data(), 1, svg.size(), stdout) == svg.size() ? kExitOk : kExitFailure;
}

}  // namespace varizav::tool

// Month and year pages in any of the 25 calendars: a month of the chosen
// calendar laid out in weeks from Monday, each day with its number, its date
// in a second calendar, the holidays of both calendars and the Moon's
// quarters; a year as its months. Every day, name, month boundary and holiday
// is read from the library (SC_calendar, SC_holiday2, the name tables): the
// page only groups days whose dates share a month and lays them out.
import * as v from './varizav/varizav.js';

const TEXT_ROWS = [
  ['view-heading', 'Month and year pages', 'Monats- und Jahresblätter'],
  ['view-label', 'Page', 'Blatt'],
  ['view-month', 'month', 'Monat'],
  ['view-year', 'year', 'Jahr'],
  ['vcal-label', 'Calendar', 'Kalender'],
  ['vsecond-label', 'Second calendar', 'Zweiter Kalender'],
  ['vdate-label', 'A day of the month (YYYY-MM-DD)', 'Ein Tag des Monats (JJJJ-MM-TT)'],
  ['vyear-label', 'Year of that calendar', 'Jahr dieses Kalenders'],
  ['view-show', 'Show', 'Zeigen'],
  ['view-prev', '◀ Previous', '◀ Zurück'],
  ['view-next', 'Next ▶', 'Weiter ▶'],
  ['view-print', 'Print', 'Drucken'],
  ['view-ics', 'Download .ics', '.ics herunterladen'],
  ['badDay', '“{0}” is not a day: enter it as YYYY-MM-DD.', '„{0}“ ist kein Tag: geben Sie ihn als JJJJ-MM-TT ein.'],
  ['badYear', 'No year “{0}” of this calendar lies within the page\'s range.',
    'Kein Jahr „{0}“ dieses Kalenders liegt im Bereich der Seite.'],
  ['laidOut', 'laid out in the months of {0}', 'in den Monaten von {0} gesetzt'],
  ['moonAt', '{0} at {1}', '{0} um {1}'],
];
const TEXTS = {
  en: Object.fromEntries(TEXT_ROWS.map(([key, en]) => [key, en])),
  de: Object.fromEntries(TEXT_ROWS.map(([key, , de]) => [key, de])),
};

// Calendars by their English names, as the address names them.
const ASTRONOMICAL = 'astronomical';
// Serial day of Monday, 1 January 2024: the weekday names are those the
// library writes for the seven days from it.
const A_MONDAY = 45292;
// The longest month of any calendar, in days, with room to spare: a walk
// along a month's days stops there.
const MAX_MONTH_DAYS = 45;
// Years of a calendar the page finds: serial days from about 290 BC to AD 5100.
const FIRST_SERIAL = -800000;
const LAST_SERIAL = 1170000;
// The Moon's quarters by their English names in the astronomical events;
// the picture of each: new dark, full open, quarters half lit (northern sky).
const QUARTERS = ['New Moon', 'First Quarter', 'Full Moon', 'Last Quarter'];

const $ = (id) => document.getElementById(id);
let texts = TEXTS.en;

function say(key, ...values) {
  return texts[key].replace(/\{(\d)\}/g, (_, i) => values[Number(i)]);
}

const englishCalendars = () => v.calendarNames('en');
const calendarNumber = (english) => englishCalendars().indexOf(english) + 1;

function numbersOf(calendar, serial) {
  return v.call('SC_calendar', String(calendarNumber(calendar)), serial, 0).trim();
}

function textOf(calendar, serial) {
  return v.call('SC_calendar', String(calendarNumber(calendar)), serial, 1);
}

// A date's text without the weekday in front ("yom shelishi, 15 Nisan 5784").
function withoutWeekday(text) {
  const comma = text.indexOf(', ');
  return comma < 0 ? text : text.slice(comma + 2);
}

// Year, month and day of a day as keys of the calendar's number form
// ("5784  1 15", the Chinese "78 41  3 0 15" with its leap flag, the ISO week
// "2024-17-02", the Mayan "13.0.11.9.1: ..."), or null for a form without
// months (the Julian Day, the Roman count).
function partsOf(calendar, serial) {
  const text = numbersOf(calendar, serial);
  const words = text.split(/\s+/);
  if (words.length >= 3 && words.every((w) => /^-?\d+$/.test(w))) {
    return { year: words.slice(0, words.length >= 5 ? 2 : 1).join(' '), month: words.slice(0, -1).join(' '),
      day: String(Number(words.at(-1))) };
  }
  const week = /^(-?\d+)-(\d+)-(\d+)$/.exec(text);
  if (week) return { year: week[1], month: `${week[1]}-${week[2]}`, day: String(Number(week[3])) };
  const count = /^((\d+\.\d+\.\d+)\.\d+)\.(\d+):/.exec(text);
  if (count) return { year: count[2], month: count[1], day: count[3] };
  return null;
}

// The calendar whose months lay out the page: the chosen one, or for the
// Roman count its Julian months, for the Julian Day the Gregorian ones.
function layoutOf(calendar) {
  if (partsOf(calendar, A_MONDAY) !== null) return calendar;
  return calendar === 'latin' ? 'julian' : 'gregorian';
}

// The days [first, last] of the month of `layout` that holds serial.
function monthAround(layout, serial) {
  const key = partsOf(layout, serial).month;
  let first = serial;
  let last = serial;
  while (serial - first < MAX_MONTH_DAYS && partsOf(layout, first - 1).month === key) --first;
  while (last - serial < MAX_MONTH_DAYS && partsOf(layout, last + 1).month === key) ++last;
  return { first, last };
}

// The first day of the year `year` (words of the number form, "5784" or
// "78 41") of `layout`: days are in order of their years in every calendar.
function yearStart(layout, year) {
  // Fields of a year: "5784", the Chinese "78 41" (or "78-41"), the Mayan "13.0.11".
  const fields = (text) => text.trim().split(/\s+|\.|(?<=\d)-/).map(Number);
  const want = fields(year);
  const before = (serial) => {
    const parts = partsOf(layout, serial);
    // A day the calendar writes without a year (before the Mayan count's
    // start) lies outside every year: before it when early.
    if (parts === null) return serial < A_MONDAY;
    const have = fields(parts.year);
    for (let i = 0; i < want.length; ++i) if (have[i] !== want[i]) return have[i] < want[i];
    return false;
  };
  let lo = FIRST_SERIAL;
  let hi = LAST_SERIAL;
  if (!before(lo) || before(hi)) return null;
  while (hi - lo > 1) {
    const mid = Math.floor((lo + hi) / 2);
    if (before(mid)) lo = mid; else hi = mid;
  }
  return fields(partsOf(layout, hi)?.year ?? '').join(' ') === want.join(' ') ? hi : null;
}

// The title of a month: its name and year as the calendar writes its first
// day ("Nisan 5784"), or the first and the last day where the days differ in more.
function monthTitle(calendar, layout, first, last) {
  const [a, b] = [first, last].map((s) => withoutWeekday(textOf(calendar, s)));
  const dayA = partsOf(layout, first).day;
  const dayB = partsOf(layout, last).day;
  // The day in front, as "15 Nisan" or the Julian "15. April" writes it.
  const rest = (text, day) => /^\d+\.? /.test(text) && text.startsWith(day) ? text.replace(/^\d+\.? /, '') : null;
  const restA = rest(a, dayA);
  const restB = rest(b, dayB);
  return restA !== null && restA === restB ? restA : `${a} – ${b}`;
}

// A day's date in the second calendar without its year ("23 April").
function shortDate(calendar, serial) {
  return withoutWeekday(textOf(calendar, serial)).replace(/\s+-?\d+(\s*\(.*\))?$/, '');
}

// The holidays of the calendars and the Moon's quarters whose civil day lies
// in [first, last]: a map from the serial day to its entries. A holiday whose
// day begins at 18:00 (serial fraction .75) is kept on the civil day after
// its eve; a quarter of the Moon on the day of its moment (local time).
function eventsIn(calendars, first, last) {
  const byDay = new Map();
  const add = (day, entry) => byDay.set(day, [...(byDay.get(day) ?? []), entry]);
  calendars.forEach((calendar, index) => {
    const number = String(calendarNumber(calendar));
    for (const { number: entry, name } of v.holidayNames(calendarNumber(calendar))) {
      let from = first - 0.5;
      for (let n = 0; n < 400; ++n) {
        const at = v.call('SC_holiday2', number, String(entry), from);
        const day = Math.floor(at + 0.25);
        if (Number.isNaN(at) || day > last || at < from) break;
        const same = (byDay.get(day) ?? []).find((e) => e.index === index && e.at === at);
        if (same) same.name += `, ${name}`; else add(day, { index, name, at, entry });
        from = at + 1;
      }
    }
  });
  const english = v.holidayNames(ASTRONOMICAL, 'en');
  const local = v.holidayNames(ASTRONOMICAL);
  QUARTERS.forEach((quarter, phase) => {
    const { number } = english.find((h) => h.name === quarter);
    const { name } = local.find((h) => h.number === number);
    let from = first;
    for (let n = 0; n < 400; ++n) {
      const at = v.call('SC_holiday2', String(calendarNumber(ASTRONOMICAL)), String(number), from);
      if (Number.isNaN(at) || at >= last + 1 || at < from) break;
      add(Math.floor(at), { phase, name, at, entry: number });
      from = at + 1;
    }
  });
  return byDay;
}

// The Moon's phase as a small disc drawn by the style sheet: new dark, full
// open, first quarter lit on the right, last quarter on the left (northern sky).
function moonPicture(phase, label) {
  const disc = document.createElement('span');
  disc.className = `moon moon-${phase}`;
  disc.setAttribute('role', 'img');
  disc.setAttribute('aria-label', label);
  disc.title = label;
  return disc;
}

function timeOf(serial) {
  const minutes = Math.round((serial - Math.floor(serial)) * 1440);
  return `${String(Math.floor(minutes / 60) % 24).padStart(2, '0')}:${String(minutes % 60).padStart(2, '0')}`;
}

function element(tag, className, text) {
  const e = document.createElement(tag);
  if (className) e.className = className;
  if (text !== undefined) e.textContent = text;
  return e;
}

function weekdayNames() {
  return Array.from({ length: 7 }, (_, i) => textOf('gregorian', A_MONDAY + i).split(', ')[0]);
}

// Weeks from Monday: rows of seven serial days or null.
function weeksOf(first, last) {
  const weeks = [];
  for (let s = first; s <= last; ++s) {
    const column = (((s + 5) % 7) + 7) % 7;
    if (weeks.length === 0 || column === 0) weeks.push(Array(7).fill(null));
    weeks.at(-1)[column] = s;
  }
  return weeks;
}

// One month as a table of weeks; `full` adds the second calendar's dates and
// the holidays' names to each day, else a dot marks a holiday.
function monthTable(state, month, events, full) {
  const { calendar, layout, second } = state;
  const table = element('table', full ? 'month-grid' : 'month-grid mini');
  const caption = element('caption', 'month-title');
  caption.append(element('span', 'title-main', monthTitle(calendar, layout, month.first, month.last)));
  if (full && second !== calendar) {
    caption.append(element('span', 'title-second',
      `${withoutWeekday(textOf(second, month.first))} – ${withoutWeekday(textOf(second, month.last))}`));
  }
  table.append(caption);
  const head = table.createTHead().insertRow();
  for (const name of weekdayNames()) {
    const th = element('th', '', full ? name : name.slice(0, 2));
    th.scope = 'col';
    th.title = name;
    head.append(th);
  }
  const body = table.createTBody();
  for (const week of weeksOf(month.first, month.last)) {
    const row = body.insertRow();
    week.forEach((serial, column) => {
      const td = row.insertCell();
      if (column >= 5) td.classList.add('weekend');
      if (serial === null) {
        td.classList.add('empty');
        return;
      }
      td.dataset.serial = String(serial);
      const parts = partsOf(layout, serial);
      td.append(element('span', 'day', parts.day));
      const list = events.get(serial) ?? [];
      for (const e of list.filter((x) => x.phase !== undefined)) {
        td.append(moonPicture(e.phase, say('moonAt', e.name, timeOf(e.at))));
      }
      if (full) {
        if (layout !== calendar) td.append(element('span', 'own', withoutWeekday(textOf(calendar, serial))));
        if (second !== calendar) td.append(element('span', 'second', shortDate(second, serial)));
        const feasts = element('ul', 'feasts');
        for (const e of list.filter((x) => x.index !== undefined)) {
          feasts.append(element('li', `feast feast-${e.index}`, e.name));
        }
        if (feasts.childElementCount > 0) td.append(feasts);
      } else {
        const names = list.filter((x) => x.index !== undefined);
        if (names.length > 0) {
          td.classList.add('has-feast', `feast-${names[0].index}`);
          td.title = names.map((e) => e.name).join('; ');
        }
      }
    });
  }
  return table;
}

function holidayCalendars(state) {
  return [...new Set([state.calendar, state.second])].filter((c) => c !== ASTRONOMICAL);
}

// The holidays' calendars in their colours, above the page.
function showLegend(state) {
  $('view-legend').replaceChildren(...holidayCalendars(state).map((calendar, index) =>
    element('li', `feast feast-${index}`, v.calendarNames()[calendarNumber(calendar) - 1])));
}

// Everything the view shows, from the fields; draws it, or names the problem.
function show(state) {
  const out = $('view-out');
  out.replaceChildren();
  $('view-problem').textContent = '';
  state.layout = layoutOf(state.calendar);
  out.dataset.view = state.view;
  showLegend(state);
  const calendars = holidayCalendars(state);
  if (state.view === 'year') {
    const year = state.year.trim();
    const start = /^-?\d{1,6}([\s.-]\d{1,2}){0,2}$/.test(year) ? yearStart(state.layout, year) : null;
    if (start === null) {
      $('view-problem').textContent = say('badYear', year);
      return null;
    }
    const key = partsOf(state.layout, start).year;
    const months = [];
    // At most the 53 weeks of an ISO year, which the page lays out as months.
    for (let s = start; partsOf(state.layout, s)?.year === key && months.length < 54;) {
      const month = monthAround(state.layout, s);
      months.push(month);
      s = month.last + 1;
    }
    const first = months[0].first;
    const last = months.at(-1).last;
    const events = eventsIn(calendars, first, last);
    const title = element('h3', 'page-title', `${v.calendarNames()[calendarNumber(state.calendar) - 1]} ${key}`);
    const grid = element('div', 'year-grid');
    for (const month of months) grid.append(monthTable(state, month, events, false));
    out.append(title, grid);
    return { first, last, events, previous: partsOf(state.layout, first - 1).year,
      next: partsOf(state.layout, last + 1).year };
  }
  const serial = v.serialFromIso(state.date.trim());
  if (serial === null || partsOf(state.layout, serial) === null) {
    $('view-problem').textContent = say('badDay', state.date);
    return null;
  }
  const month = monthAround(state.layout, serial);
  const events = eventsIn(calendars, month.first, month.last);
  const table = monthTable(state, month, events, true);
  out.append(table);
  if (state.layout !== state.calendar) {
    table.caption.append(element('span', 'title-second', say('laidOut', v.calendarNames()[calendarNumber(state.layout) - 1])));
  }
  return { first: month.first, last: month.last, events };
}

// The view's fields and buttons; saveState writes the address, language()
// gives "en" or "de"; download(state, shown) offers the .ics of what is shown.
export function createCalendarView({ saveState, language, download, drawn }) {
  let shown = null;
  const state = () => ({
    view: $('view').value,
    calendar: $('vcal').value,
    second: $('vsecond').value,
    date: $('vdate').value,
    year: $('vyear').value,
  });
  const showFields = () => {
    const year = $('view').value === 'year';
    $('vdate-box').hidden = year;
    $('vyear-box').hidden = !year;
  };
  const draw = () => {
    showFields();
    shown = show(state());
    const iso = (serial) => v.isoFromSerial(serial).slice(0, 10);
    if (shown && $('view').value === 'month') $('vdate').value = iso(shown.first);
    $('view-prev').disabled = shown === null;
    $('view-next').disabled = shown === null;
    drawn();
  };
  const step = (direction) => {
    if (shown === null) return;
    if ($('view').value === 'year') {
      $('vyear').value = (direction < 0 ? shown.previous : shown.next).replace(' ', '-');
    } else {
      $('vdate').value = v.isoFromSerial(direction < 0 ? shown.first - 1 : shown.last + 1).slice(0, 10);
    }
    draw();
    saveState();
  };

  const fill = (params) => {
    const english = englishCalendars();
    const local = v.calendarNames();
    for (const [id, param, fallback] of [['vcal', 'calendar', 'gregorian'], ['vsecond', 'second', 'gregorian']]) {
      const keep = params?.get(param) ?? $(id).value ?? fallback;
      $(id).replaceChildren(...english.map((name, k) => new Option(local[k], name)));
      $(id).value = english.includes(keep) ? keep : fallback;
    }
  };
  const applyTexts = () => {
    texts = TEXTS[language()];
    for (const [id, text] of Object.entries(texts)) {
      const e = $(id);
      if (e && !id.startsWith('view-month') && !id.startsWith('view-year')) e.textContent = text;
    }
    $('view').options[0].textContent = texts['view-month'];
    $('view').options[1].textContent = texts['view-year'];
  };

  return {
    start(params) {
      applyTexts();
      fill(params);
      $('view').value = params.get('view') === 'year' ? 'year' : 'month';
      const today = new Date();
      const todayIso = `${today.getFullYear()}-${String(today.getMonth() + 1).padStart(2, '0')}-${String(today.getDate()).padStart(2, '0')}`;
      $('vdate').value = params.get('date') ?? todayIso;
      const layout = layoutOf($('vcal').value);
      $('vyear').value = params.get('year') ?? partsOf(layout, v.serialFromIso(todayIso)).year.replace(' ', '-');
      draw();
      const submit = (e) => { e.preventDefault(); draw(); saveState(); };
      $('view-form').addEventListener('submit', submit);
      for (const id of ['view', 'vcal', 'vsecond']) $(id).addEventListener('change', submit);
      $('view-prev').addEventListener('click', () => step(-1));
      $('view-next').addEventListener('click', () => step(1));
      $('view-print').addEventListener('click', () => window.print());
      $('view-ics').addEventListener('click', () => shown && download(state(), shown, holidayCalendars(state())));
    },
    // After a change of language or time zone: names and moments anew.
    refresh() {
      applyTexts();
      fill(null);
      draw();
    },
  };
}

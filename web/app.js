// The varizav web page: the npm package's WebAssembly library behind four
// forms. Names, descriptions and calendar tables come from the library; the
// page keeps only its own headings in two languages. Its state is the query
// string: every named field of the page, written back on each change.
import * as v from './varizav/varizav.js';
import { createCalendarView } from './calendar-view.js';
import { createGedcomView } from './gedcom-view.js';
import { downloadText, icsOf } from './ics-download.js';

// Every text of the page, one row each: key, English, German. A text cannot
// lack its translation.
const TEXT_ROWS = [
  ['tagline',
    'Dates in 25 calendars, holidays and astronomical events, computed in your browser.',
    'Daten in 25 Kalendern, Feste und astronomische Ereignisse, berechnet in Ihrem Browser.'],
  ['lang-label', 'Language', 'Sprache'],
  ['tz-label', 'Time zone (minutes east of UT)', 'Zeitzone (Minuten östlich von UT)'],
  ['convert-heading', 'A date in every calendar', 'Ein Datum in allen Kalendern'],
  ['mode-label', 'Date given as', 'Datum gegeben als'],
  ['date-in-label', 'Date', 'Datum'],
  ['converter-legend', 'Calendar date', 'Kalenderdatum'],
  ['converter-label', 'Calendar', 'Kalender'],
  ['convert-button', 'Convert', 'Umrechnen'],
  ['calendars-caption', 'The date in all 25 calendars', 'Das Datum in allen 25 Kalendern'],
  ['th-cal', 'Calendar', 'Kalender'],
  ['th-text', 'Text', 'Text'],
  ['th-num', 'Numbers', 'Zahlen'],
  ['holiday-heading', 'Holidays of a year', 'Feste eines Jahres'],
  ['hcal-label', 'Calendar', 'Kalender'],
  ['hyear-label', 'Year of that calendar', 'Jahr dieses Kalenders'],
  ['holiday-button', 'Show holidays', 'Feste zeigen'],
  ['holidays-caption', 'Holidays', 'Feste'],
  ['th-hname', 'Holiday', 'Fest'],
  ['th-hdate', 'Date', 'Datum'],
  ['th-hday', 'Weekday', 'Wochentag'],
  ['th-htime', 'Time', 'Uhrzeit'],
  ['th-hserial', 'Serial date', 'Seriendatum'],
  ['sky-heading', 'The sky in a month', 'Der Himmel in einem Monat'],
  ['month-label', 'Month (YYYY-MM)', 'Monat (JJJJ-MM)'],
  ['sky-button', 'Show events', 'Ereignisse zeigen'],
  ['sky-caption', 'Astronomical events, local time', 'Astronomische Ereignisse, Ortszeit'],
  ['th-sdate', 'Date and time', 'Datum und Uhrzeit'],
  ['th-sevent', 'Event', 'Ereignis'],
  ['th-sserial', 'Serial date', 'Seriendatum'],
  ['search-heading', 'Searches', 'Suchen'],
  ['when-button', 'Search', 'Suchen'],
  ['when2-button', 'Search', 'Suchen'],
  ['when-cancel', 'Cancel', 'Abbrechen'],
  ['when2-cancel', 'Cancel', 'Abbrechen'],
  ['footer',
    'The page\'s state is in its address: copy it to share a result. Everything runs in your browser; nothing is sent anywhere.',
    'Der Zustand der Seite steht in ihrer Adresse: kopieren Sie sie, um ein Ergebnis zu teilen. Alles läuft in Ihrem Browser; nichts wird gesendet.'],
  ['modes',
    ['ISO date and time', 'serial date', 'Julian Day', 'date of a calendar'],
    ['ISO-Datum und Uhrzeit', 'Seriendatum', 'Julianischer Tag', 'Datum eines Kalenders']],
  ['ready', 'Ready.', 'Bereit.'],
  ['invalid',
    'Not a valid date: the library returns the error value.',
    'Kein gültiges Datum: die Bibliothek liefert den Fehlerwert.'],
  ['badInput',
    '“{0}” is not a date: enter a date YYYY-MM-DD[THH:MM[:SS]], a number, or a calendar date.',
    '„{0}“ ist kein Datum: geben Sie ein Datum JJJJ-MM-TT[THH:MM[:SS]], eine Zahl oder ein Kalenderdatum ein.'],
  ['serial', 'serial date', 'Seriendatum'],
  ['jd', 'Julian Day', 'Julianischer Tag'],
  ['none', 'No holiday of this table falls in that year.', 'Kein Fest dieser Tabelle fällt in dieses Jahr.'],
  ['noEvents', 'No events found.', 'Keine Ereignisse gefunden.'],
  ['notFound',
    'No date found: a name is unknown, or no such date lies within the search limit (error value).',
    'Kein Datum gefunden: ein Name ist unbekannt, oder kein solches Datum liegt innerhalb der Suchgrenze (Fehlerwert).'],
  ['friday', 'Friday', 'Freitag'],
  ['badMonth', '“{0}” is not a month: enter it as YYYY-MM, e.g. 2024-04.',
    '„{0}“ ist kein Monat: geben Sie ihn als JJJJ-MM ein, z. B. 2024-04.'],
  ['notYear', '“{0}” is not a year: enter a whole number, e.g. 2024.',
    '„{0}“ ist kein Jahr: geben Sie eine ganze Zahl ein, z. B. 2024.'],
  ['notCycleYear', '“{0}” is not a Chinese year: enter the cycle and the year in it, e.g. 78-41.',
    '„{0}“ ist kein chinesisches Jahr: geben Sie den Zyklus und das Jahr darin ein, z. B. 78-41.'],
  ['notNumber', '{0}: “{1}” is not a number.', '{0}: „{1}“ ist keine Zahl.'],
  ['tooLong', '{0}: the text is longer than 255 bytes.', '{0}: der Text ist länger als 255 Byte.'],
  ['badLanguage', 'The language “{0}” is not offered; the page is shown in English.',
    'Die Sprache „{0}“ wird nicht angeboten; die Seite wird englisch gezeigt.'],
  ['badZone', 'The time zone “{0}” is not whole minutes east of UT from -1440 to 1440; {1} is used.',
    'Die Zeitzone „{0}“ ist keine ganze Minutenzahl östlich von UT von -1440 bis 1440; {1} gilt.'],
  ['badMode', 'The kind of date “{0}” is unknown; an ISO date is expected.',
    'Die Datumsart „{0}“ ist unbekannt; ein ISO-Datum wird erwartet.'],
  ['badConverter', 'There is no calendar converter “{0}”; {1} is shown.',
    'Es gibt keinen Kalenderumrechner „{0}“; {1} wird gezeigt.'],
  ['badCalendar', 'There is no calendar “{0}”; {1} is shown.', 'Es gibt keinen Kalender „{0}“; {1} wird gezeigt.'],
  ['searching', 'Searching…', 'Suche läuft…'],
  ['cancelled', 'Search cancelled.', 'Suche abgebrochen.'],
  ['searchFailed', 'The search failed: {0}', 'Die Suche ist fehlgeschlagen: {0}'],
  ['scrollHint', 'Scroll sideways to see every column ⇆', 'Seitwärts scrollen, um alle Spalten zu sehen ⇆'],
];
const TEXTS = {
  en: Object.fromEntries(TEXT_ROWS.map(([key, en]) => [key, en])),
  de: Object.fromEntries(TEXT_ROWS.map(([key, , de]) => [key, de])),
};

// Misspellings of the library's catalogue that reach the page's labels; the
// library keeps them as its hosts register them, the page shows them mended.
const SPELLING = [[/\b2st\b/g, '2nd'], [/\boccurence\b/g, 'occurrence'], [/\bNames des\b/g, 'Name des']];

// Positions (0-based) of calendars the page treats specially, as the
// library's calendar table orders them.
const ENGLISH_CALENDAR_NAMES = v.calendarNames('en');
const ASTRONOMICAL = ENGLISH_CALENDAR_NAMES.indexOf('astronomical');
const CHINESE = ENGLISH_CALENDAR_NAMES.indexOf('chinese');
const GREGORIAN = ENGLISH_CALENDAR_NAMES.indexOf('gregorian');
const HEBREW = ENGLISH_CALENDAR_NAMES.indexOf('hebrew');

// Longest text argument the library takes, in UTF-8 bytes (its buffers hold
// 256 with the terminator).
const MAX_TEXT_BYTES = 255;
// Time zones the page accepts, in minutes east of UT: a day either way.
const MAX_ZONE_MINUTES = 1440;
// A year: up to six digits; beyond about a million years the library's
// holiday anchors are not defined.
const YEAR = /^[+-]?\d{1,6}$/;
// A Chinese year: cycle, one separator, year of the cycle (1..60).
const CYCLE_YEAR = /^\d{1,5}[-/. ](?:[1-9]|[1-5]\d|60)$/;
// A decimal number written with a comma, as German users write it.
const DECIMAL_COMMA = /^[+-]?(?:\d+,\d*|,\d+)(?:[eE][+-]?\d+)?$/;

const $ = (id) => document.getElementById(id);
let texts = TEXTS.en;
// Minutes east of UT in force: the time zone field shows it.
let zoneMinutes = 0;

function language() {
  return $('lang').value === 'de' ? 'de' : 'en';
}

// A text of the table with {0}, {1}, ... filled in.
function say(key, ...values) {
  return texts[key].replace(/\{(\d)\}/g, (_, i) => values[Number(i)]);
}

function mended(text) {
  return SPELLING.reduce((t, [wrong, right]) => t.replace(wrong, right), text);
}

// Problems with the settings fields (language, time zone, selects) by field
// id, as [text key, values], shown in the header in the language in force.
const notices = new Map();

function setNotice(id, key, ...values) {
  if (key === undefined) notices.delete(id);
  else notices.set(id, [key, values]);
  showNotices();
}

function showNotices() {
  $('notices').replaceChildren(...[...notices.values()].map(([key, values]) => {
    const item = document.createElement('li');
    item.textContent = say(key, ...values);
    return item;
  }));
}

// A field's value is wrong: marked for assistive technology and by style.
function markField(id, invalid) {
  $(id)?.toggleAttribute('aria-invalid', invalid);
}

// Whole minutes east of UT, or null.
function zoneValue(text) {
  if (!/^[+-]?\d{1,4}$/.test(text.trim())) return null;
  const minutes = Number(text);
  return Math.abs(minutes) <= MAX_ZONE_MINUTES ? minutes : null;
}

// A number field as the library reads a number argument (an ISO date stands
// for its serial date, TRUE/FALSE for 1/0), also with a decimal comma; an
// empty field is 0; NaN when the text is none of these.
function numberValue(text) {
  const trimmed = text.trim();
  if (trimmed === '') return 0;
  return v.parseNumber(DECIMAL_COMMA.test(trimmed) ? trimmed.replace(',', '.') : trimmed) ?? NaN;
}

function todaySerial() {
  const now = new Date();
  return v.serialFromIso(`${now.getFullYear()}-${String(now.getMonth() + 1).padStart(2, '0')}-${String(now.getDate()).padStart(2, '0')}`);
}

function functionInfo(name) {
  return v.functions().find((f) => f.name === name);
}

// Label and field for every parameter of a worksheet function; the fields
// are named prefix0, prefix1, ... so that they go into the address.
function buildArguments(container, f, prefix, defaults, params, resetNames = false) {
  const previous = [...container.querySelectorAll('input')].map((input) => input.value);
  container.replaceChildren();
  f.parameters.forEach((p, i) => {
    const box = document.createElement('div');
    const label = document.createElement('label');
    const input = document.createElement('input');
    input.id = `${prefix}${i}`;
    input.name = input.id;
    input.type = 'text';
    input.autocomplete = 'off';
    if (p.type === 'number') input.inputMode = 'decimal';
    label.htmlFor = input.id;
    label.textContent = mended(p.name);
    input.title = mended(p.description);
    input.setAttribute('aria-description', input.title);
    // Names are language's own: after a change of language the defaults return.
    const keep = resetNames && p.type === 'text' && defaults[i] !== undefined ? undefined : previous[i];
    input.value = params?.get(input.id) ?? keep ?? defaults[i] ?? '';
    box.append(label, input);
    container.append(box);
  });
}

const utf8 = new TextEncoder();

// The arguments of the fields as the function takes them, or the problem of
// the first field that cannot be one.
function argumentValues(f, prefix) {
  const values = [];
  let problem = null;
  f.parameters.forEach((p, i) => {
    const id = `${prefix}${i}`;
    const text = $(id).value;
    const value = p.type === 'number' ? numberValue(text) : text;
    const bad = p.type === 'number' ? Number.isNaN(value) : utf8.encode(text).length > MAX_TEXT_BYTES;
    markField(id, bad);
    if (bad && problem === null) {
      problem = p.type === 'number' ? say('notNumber', mended(p.name), text.trim()) : say('tooLong', mended(p.name));
    }
    values.push(value);
  });
  return problem === null ? { values } : { problem };
}

// The converters: SC_<calendar> for each calendar, SC_astronomy for "astronomical".
function converters() {
  const english = v.calendarNames('en');
  return english.map((name, k) => {
    const f = functionInfo(k === ASTRONOMICAL ? 'SC_astronomy' : `SC_${name}`);
    return f && { calendar: k, f };
  }).filter(Boolean);
}

function cell(row, text, className) {
  const td = document.createElement('td');
  td.textContent = text;
  if (className) td.className = className;
  row.append(td);
  return td;
}

function isoText(serial) {
  const iso = v.isoFromSerial(serial);
  return iso === null ? '' : iso.replace('T', ' ');
}

function gregorianText(serial) {
  return v.SC_calendar(String(GREGORIAN + 1), serial, 1);
}

// The serial date the conversion form gives, or the text that says why not.
function inputSerial() {
  const mode = $('mode').value;
  if (mode === 'cal') {
    const f = functionInfo($('converter').value);
    const args = argumentValues(f, 'c');
    return args.problem === undefined ? { serial: v.call(f.name, ...args.values) } : args;
  }
  const text = $('date-in').value.trim();
  const value = mode === 'iso' ? v.serialFromIso(text) : numberValue(text);
  const bad = value === null || Number.isNaN(value);
  markField('date-in', bad);
  if (bad) return { problem: say('badInput', text) };
  return { serial: mode === 'jd' ? v.SC_astronomy(value) : value };
}

function convert() {
  const body = $('calendars').tBodies[0];
  body.replaceChildren();
  const { serial, problem } = inputSerial();
  if (problem !== undefined) {
    $('convert-summary').textContent = problem;
    return;
  }
  // The library gives the error value or empty texts for a date beyond its range.
  const jd = Number.isFinite(serial) ? v.SC_calendar(String(ASTRONOMICAL + 1), serial, 0) : '';
  const gregorian = jd === '' ? '' : gregorianText(serial);
  if (gregorian === '') {
    $('convert-summary').textContent = texts.invalid;
    return;
  }
  $('convert-summary').textContent =
    `${gregorian} · ${isoText(serial)} · ${texts.serial} ${v.formatNumber(serial)} · ${texts.jd} ${jd}`;
  v.calendarNames().forEach((name, k) => {
    const row = document.createElement('tr');
    const th = document.createElement('th');
    th.scope = 'row';
    th.textContent = name;
    row.append(th);
    cell(row, v.SC_calendar(String(k + 1), serial, 1));
    cell(row, v.SC_calendar(String(k + 1), serial, 0), 'num');
    body.append(row);
  });
}

function holidays() {
  const k = Number($('hcal').value);
  const year = $('hyear').value.trim();
  const body = $('holidays').tBodies[0];
  body.replaceChildren();
  const caption = `${texts['holidays-caption']}: ${v.calendarNames()[k]}`;
  const problem = k === CHINESE ? !CYCLE_YEAR.test(year) && 'notCycleYear' : !YEAR.test(year) && 'notYear';
  markField('hyear', Boolean(problem));
  if (problem) {
    $('holidays-caption').textContent = `${caption} — ${say(problem, year)}`;
    return;
  }
  // The package leaves out the entries that name no holiday.
  const found = v.holidayNames(k + 1)
    .map(({ number, name }) => ({ name, serial: v.SC_holiday(String(k + 1), String(number), year) }))
    .filter((h) => !Number.isNaN(h.serial))
    .sort((a, b) => a.serial - b.serial);
  for (const h of found) {
    const row = document.createElement('tr');
    const th = document.createElement('th');
    th.scope = 'row';
    th.textContent = h.name;
    row.append(th);
    const iso = v.isoFromSerial(h.serial) ?? '';
    cell(row, iso.slice(0, iso.indexOf('T')), 'num');
    cell(row, gregorianText(Math.floor(h.serial)).split(',')[0]);
    cell(row, h.serial === Math.floor(h.serial) ? '' : iso.slice(iso.indexOf('T') + 1, iso.indexOf('T') + 6), 'num');
    cell(row, v.formatNumber(h.serial), 'num');
    body.append(row);
  }
  $('holidays-caption').textContent = `${caption} ${year}` + (found.length === 0 ? ` — ${texts.none}` : '');
}

// Every astronomical event of the table that falls in the month, each event
// searched again from one second after its last occurrence; events that fall
// on the same instant share a row.
function sky() {
  const text = $('month').value.trim();
  const body = $('sky').tBodies[0];
  body.replaceChildren();
  const m = /^([+-]?\d{1,6})-(\d{1,2})$/.exec(text);
  const year = m && Number(m[1]);
  const month = m && Number(m[2]);
  const iso = (y, mo) => `${y < 0 ? '-' : ''}${String(Math.abs(y)).padStart(4, '0')}-${String(mo).padStart(2, '0')}`;
  const start = m && month >= 1 && month <= 12 ? v.serialFromIso(`${iso(year, month)}-01`) : null;
  markField('month', start === null);
  if (start === null) {
    $('sky-caption').textContent = say('badMonth', text);
    return;
  }
  $('month').value = iso(year, month);
  const end = v.serialFromIso(month === 12 ? `${iso(year + 1, 1)}-01` : `${iso(year, month + 1)}-01`);
  const events = new Map();
  const calendar = String(ASTRONOMICAL + 1);
  v.holidayNames(ASTRONOMICAL + 1).forEach(({ number, name }) => {
    let from = start;
    for (let n = 0; n < 40; ++n) {
      const at = v.SC_holiday2(calendar, String(number), from);
      if (Number.isNaN(at) || at >= end || at < start) break;
      events.set(at, [...(events.get(at) ?? []), name]);
      from = at + 1 / 86400;
    }
  });
  for (const at of [...events.keys()].sort((a, b) => a - b)) {
    const row = document.createElement('tr');
    cell(row, isoText(at), 'num');
    cell(row, events.get(at).join(' / '));
    cell(row, v.formatNumber(at), 'num');
    body.append(row);
  }
  $('sky-caption').textContent = `${texts['sky-caption']} (UT${zoneText()}): ${$('month').value}` +
    (events.size === 0 ? ` — ${texts.noEvents}` : '');
}

function zoneText() {
  const sign = zoneMinutes < 0 ? '-' : '+';
  const a = Math.abs(zoneMinutes);
  return `${sign}${String(Math.floor(a / 60)).padStart(2, '0')}:${String(a % 60).padStart(2, '0')}`;
}

function settings() {
  return { language: language(), timezoneSeconds: -60 * zoneMinutes };
}

// The two searches: worksheet function, prefix of its fields. A search can
// take seconds (a combination that never occurs is tried up to the loop
// limit), so each runs in a worker of its own, which Cancel or a newer
// search of the same form terminates.
const SEARCHES = [['SC_when', 'w'], ['SC_when2', 'x']];
const searchers = new Map();

function startWorker(name) {
  let worker = null;
  try {
    worker = new Worker(new URL('search-worker.js', import.meta.url), { type: 'module' });
  } catch {
    return null;  // no module workers: the search runs on the page's thread
  }
  worker.addEventListener('message', ({ data }) => finishSearch(name, data));
  // A worker that cannot run (its module failed to load): this form's
  // searches, the one waiting among them, run on the page's thread.
  worker.addEventListener('error', (event) => {
    event.preventDefault();
    const searcher = searchers.get(name);
    const id = searcher.pending;
    worker.terminate();
    searcher.worker = null;
    searcher.pending = null;
    if (id !== null) search(name, searcher.prefix);
  });
  return worker;
}

function showSearch(name, state, text, serial = '') {
  const id = name.slice(3);
  const result = $(`${id}-result`);
  result.textContent = text;
  result.dataset.state = state;
  result.dataset.serial = serial;
  $(`${id}-form`).setAttribute('aria-busy', String(state === 'searching'));
  $(`${id}-cancel`).hidden = state !== 'searching';
}

// A form per search: legend, description, argument fields, buttons, result.
function buildSearchForms() {
  for (const [name, prefix] of SEARCHES) {
    const id = name.slice(3);
    const form = document.createElement('form');
    form.id = `${id}-form`;
    form.className = 'search';
    form.innerHTML = `<fieldset><legend id="${id}-legend"></legend><p id="${id}-help" class="help"></p>` +
      `<div class="args" id="${id}-args"></div><button type="submit" id="${id}-button"></button>` +
      `<button type="button" class="cancel" id="${id}-cancel" hidden></button>` +
      `<p class="result" id="${id}-result" aria-live="polite"></p></fieldset>`;
    form.addEventListener('submit', (e) => {
      e.preventDefault();
      search(name, prefix);
      saveState();
    });
    form.querySelector('.cancel').addEventListener('click', () => cancelSearch(name));
    $('searches').append(form);
    searchers.set(name, { worker: startWorker(name), prefix, pending: null, next: 1 });
  }
}

function search(name, prefix) {
  const searcher = searchers.get(name);
  if (searcher.pending !== null) cancelSearch(name);
  const args = argumentValues(functionInfo(name), prefix);
  if (args.problem !== undefined) {
    showSearch(name, 'error', args.problem);
    return;
  }
  const id = searcher.next++;
  if (searcher.worker === null) {
    finishSearch(name, { id, serial: v.call(name, ...args.values) });
    return;
  }
  searcher.pending = id;
  showSearch(name, 'searching', texts.searching);
  searcher.worker.postMessage({ id, name, args: args.values, settings: settings() });
}

function finishSearch(name, { id, serial, error }) {
  const searcher = searchers.get(name);
  if (searcher.worker !== null && id !== searcher.pending) return;  // a search since replaced
  searcher.pending = null;
  if (error !== undefined) showSearch(name, 'error', say('searchFailed', error));
  else if (Number.isNaN(serial)) showSearch(name, 'done', texts.notFound, v.formatNumber(serial));
  else {
    showSearch(name, 'done', `${gregorianText(serial)} · ${isoText(serial)} · ${texts.serial} ${v.formatNumber(serial)}`,
      v.formatNumber(serial));
  }
}

// Ends the running search of a form: its worker is terminated and a fresh
// one waits for the next.
function cancelSearch(name) {
  const searcher = searchers.get(name);
  if (searcher.pending === null) return;
  searcher.worker.terminate();
  searcher.worker = startWorker(name);
  searcher.pending = null;
  showSearch(name, 'cancelled', texts.cancelled);
}

// A table wider than its column scrolls sideways in its container; a hint
// above it and shadows at its edges say so.
function showScrollHints() {
  for (const box of document.querySelectorAll('.scroll')) {
    const overflowing = box.scrollWidth > box.clientWidth + 1;
    box.classList.toggle('overflowing', overflowing);
    box.previousElementSibling.hidden = !overflowing;
  }
}

function addScrollHints() {
  const observer = new ResizeObserver(showScrollHints);
  for (const box of document.querySelectorAll('.scroll')) {
    const hint = document.createElement('p');
    hint.className = 'scroll-hint';
    hint.hidden = true;
    box.before(hint);
    observer.observe(box);
    observer.observe(box.firstElementChild);
  }
}

// The address holds every named field; a shared address restores them all.
function saveState() {
  const params = new URLSearchParams();
  for (const field of document.querySelectorAll('input[name], select[name]')) {
    if (field.value !== '' && !field.closest('[hidden]')) params.set(field.name, field.value);
  }
  history.replaceState(null, '', `?${params}`);
}

function applyTexts() {
  document.documentElement.lang = language();
  texts = TEXTS[language()];
  for (const [id, text] of Object.entries(texts)) {
    const element = $(id);
    if (element && typeof text === 'string') element.textContent = text;
  }
  [...$('mode').options].forEach((option, i) => { option.textContent = texts.modes[i]; });
  for (const hint of document.querySelectorAll('.scroll-hint')) hint.textContent = texts.scrollHint;
  for (const [name] of SEARCHES) {
    if (searchers.get(name)?.pending) $(`${name.slice(3)}-result`).textContent = texts.searching;
  }
  showNotices();
}

// Selects and argument fields in the language in force. Returns the names of
// the selects whose value in the address is not one of theirs.
function buildForms(params, resetNames = false) {
  const refused = [];
  const fill = (select, entries) => {
    const keep = params?.get(select.name) ?? select.value;
    select.replaceChildren(...entries.map(([value, text]) => new Option(text, value)));
    if (keep && entries.some(([value]) => value === keep)) select.value = keep;
    else if (params?.has(select.name)) refused.push(select.name);
  };
  const names = v.calendarNames();
  fill($('converter'), converters().map(({ calendar, f }) => [f.name, names[calendar]]));
  fill($('hcal'), names.map((name, k) => [String(k), name]));
  if ((!params?.has('hcal') || refused.includes('hcal')) && !$('hcal').dataset.touched) $('hcal').value = String(GREGORIAN);

  const converter = functionInfo($('converter').value);
  buildArguments($('converter-args'), converter, 'c', [], params);

  // The examples the functions' descriptions give: Full Moon on Friday the
  // 13th; Easter and Passover.
  const event = (calendar, english) => {
    const { number } = v.holidayNames(calendar + 1, 'en').find((h) => h.name === english);
    return v.holidayNames(calendar + 1).find((h) => h.number === number).name;
  };
  const today = v.isoFromSerial(todaySerial()).slice(0, 10);
  const examples = {
    SC_when: [names[ASTRONOMICAL], event(ASTRONOMICAL, 'Full Moon'), texts.friday, '13', '', today],
    SC_when2: [names[GREGORIAN], event(GREGORIAN, 'Easter'), names[HEBREW], event(HEBREW, 'Passover'), today],
  };
  for (const [name, prefix] of SEARCHES) {
    const f = functionInfo(name);
    const id = name.slice(3);
    $(`${id}-legend`).textContent = mended(f.displayName);
    $(`${id}-help`).textContent = mended(f.description);
    buildArguments($(`${id}-args`), f, prefix, examples[name], params, resetNames);
  }
  return refused;
}

async function configure() {
  await v.configure(settings());
}

function showMode() {
  const calendar = $('mode').value === 'cal';
  $('calendar-input').hidden = !calendar;
  $('simple-input').hidden = calendar;
}

function runAll() {
  convert();
  holidays();
  sky();
  for (const [name, prefix] of SEARCHES) search(name, prefix);
  saveState();
}

// Settings from the address: a value the page cannot use is named in the
// header and the default is used instead.
function readSettings(params) {
  const lang = params.get('lang');
  $('lang').value = lang === 'de' ? 'de' : 'en';
  if (lang !== null && lang !== 'de' && lang !== 'en') setNotice('lang', 'badLanguage', lang);
  const browserZone = -new Date().getTimezoneOffset();
  const zone = params.get('tz') ?? '';
  zoneMinutes = zone === '' ? browserZone : zoneValue(zone) ?? browserZone;
  if (zone !== '' && zoneValue(zone) === null) setNotice('tz', 'badZone', zone, String(zoneMinutes));
  $('tz').value = String(zoneMinutes);
  const mode = params.get('mode');
  const modes = [...$('mode').options].map((option) => option.value);
  $('mode').value = modes.includes(mode) ? mode : 'iso';
  if (mode !== null && !modes.includes(mode)) setNotice('mode', 'badMode', mode);
}

async function start() {
  const params = new URLSearchParams(location.search);
  readSettings(params);
  $('date-in').value = params.get('in') ?? v.isoFromSerial(todaySerial()).slice(0, 10);
  const now = new Date();
  $('month').value = params.get('month') ?? `${now.getFullYear()}-${String(now.getMonth() + 1).padStart(2, '0')}`;
  await configure();
  buildSearchForms();
  addScrollHints();
  applyTexts();
  const refused = buildForms(params);
  if (refused.includes('conv')) {
    setNotice('converter', 'badConverter', params.get('conv'), $('converter').selectedOptions[0].text);
  }
  if (refused.includes('hcal')) setNotice('hcal', 'badCalendar', params.get('hcal'), $('hcal').selectedOptions[0].text);
  $('hyear').value = params.get('hyear') ?? String(now.getFullYear());
  showMode();
  runAll();

  const on = (id, event, handler) => $(id).addEventListener(event, handler);
  const submit = (id, handler) => on(id, 'submit', (e) => { e.preventDefault(); handler(); saveState(); });
  submit('convert-form', convert);
  submit('holiday-form', holidays);
  submit('sky-form', sky);
  on('mode', 'change', () => { setNotice('mode'); showMode(); saveState(); });
  on('hcal', 'change', () => { $('hcal').dataset.touched = '1'; setNotice('hcal'); holidays(); saveState(); });
  on('converter', 'change', () => {
    setNotice('converter');
    $('converter-args').replaceChildren();
    buildArguments($('converter-args'), functionInfo($('converter').value), 'c', []);
    saveState();
  });
  // Language and time zone need a library configured anew; the fields keep their texts.
  let views = [];
  const reconfigure = async () => {
    await configure();
    applyTexts();
    buildForms(null, true);
    runAll();
    for (const view of views) view.refresh();
    saveState();
  };
  on('lang', 'change', () => { setNotice('lang'); reconfigure(); });
  on('tz', 'change', () => {
    const minutes = zoneValue($('tz').value);
    if (minutes === null) {
      setNotice('tz', 'badZone', $('tz').value, String(zoneMinutes));
      $('tz').value = String(zoneMinutes);
      return;
    }
    setNotice('tz');
    zoneMinutes = minutes;
    reconfigure();
  });
  // The month and year pages and the GEDCOM date, in modules of their own.
  views = [
    createCalendarView({
      saveState,
      language,
      drawn: showScrollHints,
      download: (state, shown, calendars) => downloadText(icsOf(shown, calendars, language()),
        `varizav-${state.calendar}-${state.view === 'year' ? state.year : state.date.slice(0, 7)}.ics`),
    }),
    createGedcomView({ saveState, language }),
  ];
  for (const view of views) view.start(params);
  $('status').textContent = texts.ready;
  document.body.dataset.ready = '1';
}

start().catch((error) => {
  $('status').textContent = `varizav could not start: ${error.message}`;
  throw error;
});

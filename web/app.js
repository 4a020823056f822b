// The varizav web page: the npm package's WebAssembly library behind four
// forms. Names, descriptions and calendar tables come from the library; the
// page keeps only its own headings in two languages. Its state is the query
// string: every named field of the page, written back on each change.
import * as v from './varizav/varizav.js';

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
    'Enter a date YYYY-MM-DD[THH:MM[:SS]], a number, or a calendar date.',
    'Geben Sie ein Datum JJJJ-MM-TT[THH:MM[:SS]], eine Zahl oder ein Kalenderdatum ein.'],
  ['serial', 'serial date', 'Seriendatum'],
  ['jd', 'Julian Day', 'Julianischer Tag'],
  ['none', 'No holiday of this table falls in that year.', 'Kein Fest dieser Tabelle fällt in dieses Jahr.'],
  ['noEvents', 'No events found.', 'Keine Ereignisse gefunden.'],
  ['notFound',
    'Not found within the search limit (error value).',
    'Innerhalb der Suchgrenze nicht gefunden (Fehlerwert).'],
  ['friday', 'Friday', 'Freitag'],
  ['badMonth', 'Enter a month as YYYY-MM.', 'Geben Sie einen Monat als JJJJ-MM ein.'],
];
const TEXTS = {
  en: Object.fromEntries(TEXT_ROWS.map(([key, en]) => [key, en])),
  de: Object.fromEntries(TEXT_ROWS.map(([key, , de]) => [key, de])),
};

// Calendar entries by position in the library's calendar table (English order).
const ASTRONOMICAL = 1;
const GREGORIAN = 10;
const HEBREW = 11;

const $ = (id) => document.getElementById(id);
let texts = TEXTS.en;

function language() {
  return $('lang').value === 'de' ? 'de' : 'en';
}

// A number field: an ISO date stands for its serial date, TRUE/FALSE for 1/0,
// an empty field for 0.
function numberValue(text) {
  const trimmed = text.trim();
  if (trimmed === '') return 0;
  const iso = v.serialFromIso(trimmed);
  if (iso !== null) return iso;
  if (/^(true|wahr)$/i.test(trimmed)) return 1;
  if (/^(false|falsch)$/i.test(trimmed)) return 0;
  return Number(trimmed.replace(',', '.'));
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
    label.textContent = p.name;
    input.title = p.description;
    input.setAttribute('aria-description', p.description);
    // Names are language's own: after a change of language the defaults return.
    const keep = resetNames && p.type === 'text' && defaults[i] !== undefined ? undefined : previous[i];
    input.value = params?.get(input.id) ?? keep ?? defaults[i] ?? '';
    box.append(label, input);
    container.append(box);
  });
}

function argumentValues(f, prefix) {
  return f.parameters.map((p, i) => {
    const text = $(`${prefix}${i}`).value;
    return p.type === 'number' ? numberValue(text) : text;
  });
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

function convert() {
  const mode = $('mode').value;
  let serial = null;
  if (mode === 'iso') serial = v.serialFromIso($('date-in').value.trim());
  else if (mode === 'serial') serial = numberValue($('date-in').value);
  else if (mode === 'jd') serial = v.SC_astronomy(numberValue($('date-in').value));
  else {
    const f = functionInfo($('converter').value);
    serial = v.call(f.name, ...argumentValues(f, 'c'));
  }
  const body = $('calendars').tBodies[0];
  body.replaceChildren();
  if (serial === null) {
    $('convert-summary').textContent = texts.badInput;
    return;
  }
  if (Number.isNaN(serial)) {
    $('convert-summary').textContent = texts.invalid;
    return;
  }
  const jd = v.SC_calendar(String(ASTRONOMICAL + 1), serial, 0);
  $('convert-summary').textContent =
    `${gregorianText(serial)} · ${isoText(serial)} · ${texts.serial} ${v.formatNumber(serial)} · ${texts.jd} ${jd}`;
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
  const found = v.holidayNames(k + 1).map(({ number, name }) => ({ name, serial: v.SC_holiday(String(k + 1), String(number), year) }))
    .filter((h) => !Number.isNaN(h.serial))
    .sort((a, b) => a.serial - b.serial);
  const body = $('holidays').tBodies[0];
  body.replaceChildren();
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
  $('holidays-caption').textContent = `${texts['holidays-caption']}: ${v.calendarNames()[k]} ${year}` +
    (found.length === 0 ? ` — ${texts.none}` : '');
}

// Every astronomical event of the table that falls in the month, each event
// searched again from one second after its last occurrence; events that fall
// on the same instant share a row.
function sky() {
  const text = $('month').value.trim();
  const body = $('sky').tBodies[0];
  body.replaceChildren();
  const m = /^(-?\d{1,6})-(\d{2})$/.exec(text);
  const start = m && v.serialFromIso(`${m[1]}-${m[2]}-01`);
  if (!m || start === null) {
    $('sky-caption').textContent = texts.badMonth;
    return;
  }
  const month = Number(m[2]);
  const end = v.serialFromIso(month === 12 ? `${Number(m[1]) + 1}-01-01` : `${m[1]}-${String(month + 1).padStart(2, '0')}-01`);
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
  $('sky-caption').textContent = `${texts['sky-caption']} (UT${zoneText()}): ${text}` +
    (events.size === 0 ? ` — ${texts.noEvents}` : '');
}

function zoneText() {
  const minutes = Number($('tz').value) || 0;
  const sign = minutes < 0 ? '-' : '+';
  const a = Math.abs(minutes);
  return `${sign}${String(Math.floor(a / 60)).padStart(2, '0')}:${String(a % 60).padStart(2, '0')}`;
}

// The two searches: worksheet function, prefix of its fields.
const SEARCHES = [['SC_when', 'w'], ['SC_when2', 'x']];

// A form per search: legend, description, argument fields, button, result.
function buildSearchForms() {
  for (const [name, prefix] of SEARCHES) {
    const id = name.slice(3);
    const form = document.createElement('form');
    form.id = `${id}-form`;
    form.className = 'search';
    form.innerHTML = `<fieldset><legend id="${id}-legend"></legend><p id="${id}-help" class="help"></p>` +
      `<div class="args" id="${id}-args"></div><button type="submit" id="${id}-button"></button>` +
      `<p class="result" id="${id}-result" aria-live="polite"></p></fieldset>`;
    form.addEventListener('submit', (e) => {
      e.preventDefault();
      search(name, prefix, `${id}-result`);
      saveState();
    });
    $('searches').append(form);
  }
}

function search(name, prefix, resultId) {
  const f = functionInfo(name);
  const serial = v.call(name, ...argumentValues(f, prefix));
  $(resultId).textContent = Number.isNaN(serial)
    ? texts.notFound
    : `${gregorianText(serial)} · ${isoText(serial)} · ${texts.serial} ${v.formatNumber(serial)}`;
  $(resultId).dataset.serial = v.formatNumber(serial);
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
}

// Selects and argument fields in the language in force.
function buildForms(params, resetNames = false) {
  const fill = (select, entries) => {
    const keep = params?.get(select.name) ?? select.value;
    select.replaceChildren(...entries.map(([value, text]) => new Option(text, value)));
    if (keep && entries.some(([value]) => value === keep)) select.value = keep;
  };
  const names = v.calendarNames();
  fill($('converter'), converters().map(({ calendar, f }) => [f.name, names[calendar]]));
  fill($('hcal'), names.map((name, k) => [String(k), name]));
  if (!params?.has('hcal') && !$('hcal').dataset.touched) $('hcal').value = String(GREGORIAN);

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
    $(`${id}-legend`).textContent = f.displayName;
    $(`${id}-help`).textContent = f.description;
    buildArguments($(`${id}-args`), f, prefix, examples[name], params, resetNames);
  }
}

async function configure() {
  await v.configure({ language: language(), timezoneSeconds: -60 * (Number($('tz').value) || 0) });
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
  for (const [name, prefix] of SEARCHES) search(name, prefix, `${name.slice(3)}-result`);
  saveState();
}

async function start() {
  const params = new URLSearchParams(location.search);
  $('lang').value = params.get('lang') === 'de' ? 'de' : 'en';
  $('tz').value = params.get('tz') ?? String(-new Date().getTimezoneOffset());
  $('mode').value = ['iso', 'serial', 'jd', 'cal'].includes(params.get('mode')) ? params.get('mode') : 'iso';
  $('date-in').value = params.get('in') ?? v.isoFromSerial(todaySerial()).slice(0, 10);
  const now = new Date();
  $('month').value = params.get('month') ?? `${now.getFullYear()}-${String(now.getMonth() + 1).padStart(2, '0')}`;
  await configure();
  buildSearchForms();
  applyTexts();
  buildForms(params);
  $('hyear').value = params.get('hyear') ?? String(now.getFullYear());
  showMode();
  runAll();

  const on = (id, event, handler) => $(id).addEventListener(event, handler);
  const submit = (id, handler) => on(id, 'submit', (e) => { e.preventDefault(); handler(); saveState(); });
  submit('convert-form', convert);
  submit('holiday-form', holidays);
  submit('sky-form', sky);
  on('mode', 'change', () => { showMode(); saveState(); });
  on('hcal', 'change', () => { $('hcal').dataset.touched = '1'; holidays(); saveState(); });
  on('converter', 'change', () => {
    $('converter-args').replaceChildren();
    buildArguments($('converter-args'), functionInfo($('converter').value), 'c', []);
    saveState();
  });
  // Language and time zone need a library configured anew; the fields keep their texts.
  const reconfigure = async () => {
    await configure();
    applyTexts();
    buildForms(null, true);
    runAll();
  };
  on('lang', 'change', reconfigure);
  on('tz', 'change', reconfigure);
  $('status').textContent = texts.ready;
  document.body.dataset.ready = '1';
}

start().catch((error) => {
  $('status').textContent = `varizav could not start: ${error.message}`;
  throw error;
});

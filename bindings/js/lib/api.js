// The JavaScript API of the package: the worksheet functions of the library
// with numbers and strings, the settings a spreadsheet host takes from the
// environment given explicitly, and a few helpers for JavaScript dates.
import { createEngine, languageId, TEXT_SIZE, TYPE_NUMBER, TYPE_TEXT } from './engine.js';

// Serial date of 1970-01-01, the epoch of JavaScript's Date.
const SERIAL_UNIX_EPOCH = 25569;
const MS_PER_DAY = 86400000;
// Julian Day of serial date 0 (1899-12-30 0h): ASTRONOMICAL takes a Julian Day.
const JULIAN_DAY_OF_SERIAL_ZERO = 2415018.5;
// Windows language identifiers select German when the primary language is 7.
const PRIMARY_LANGUAGE_MASK = 0x3ff;
const PRIMARY_GERMAN = 0x07;
// The English name of the holiday tables' placeholder entries, which name no holiday.
const PLACEHOLDER_NAME = 'nil';

const utf8Encoder = new TextEncoder();
const utf8Decoder = new TextDecoder('utf-8');
const cp1252Decoder = new TextDecoder('windows-1252');

// The settings and the environment variable through which the library reads each.
const SETTING_VARIABLES = {
  calendarReform: 'VARIZAV_CALREFORM',
  deltaT: 'VARIZAV_DELTA_T',
  timezoneSeconds: 'VARIZAV_TIMEZONE',
  maxLoop: 'VARIZAV_MAX_LOOP',
};
// The library reads each setting as a signed 32-bit integer (fractions cut).
const SETTING_MIN = -2147483648;
const SETTING_MAX = 2147483647;
// Settings of the package itself, not of the library.
const NOTE_SETTINGS = new Set(['warn', 'onNote']);

function environmentOf(settings) {
  // Texts cross the boundary as UTF-8; numbers the library writes with a
  // fraction have a full stop.
  const environment = { LANG: 'C.UTF-8' };
  for (const [key, value] of Object.entries(settings)) {
    if (key === 'language' || NOTE_SETTINGS.has(key) || value === undefined) continue;
    const variable = SETTING_VARIABLES[key];
    if (variable === undefined) throw new TypeError(`unknown setting ${key}`);
    if (typeof value !== 'number') throw new TypeError(`setting ${key} must be a number, not ${String(value)}`);
    const integer = Math.trunc(value);
    if (!(integer >= SETTING_MIN && integer <= SETTING_MAX)) {
      throw new RangeError(`setting ${key} must lie in ${SETTING_MIN}..${SETTING_MAX}, not ${String(value)}`);
    }
    // String(integer) has all the digits in this range (never an exponent); -0 is "0".
    environment[variable] = String(integer);
  }
  return environment;
}

// What receives the notes on name arguments that select nothing: onNote, or
// console.warn with warn: true, or nothing.
function noteReceiver(settings) {
  const { warn, onNote } = settings;
  if (onNote !== undefined && typeof onNote !== 'function') throw new TypeError('setting onNote must be a function');
  if (warn !== undefined && typeof warn !== 'boolean') throw new TypeError('setting warn must be true or false');
  if (onNote !== undefined) return onNote;
  if (warn) return (note) => console.warn(`note: ${note}`);
  return null;
}

let current = {
  settings: { language: 'en' },
  engine: await createEngine(languageId('en'), environmentOf({})),
  notes: null,
};

// Applies a complete set of settings, each missing one at its default:
//   language         "de", "en" or a Windows language id (default "en")
//   calendarReform   last Julian day as yyyymmdd (default 15821004; English
//                    moves it as dist/varizav.d.ts says)
//   deltaT           fixed delta T in seconds, 0 for the built-in model
//   timezoneSeconds  Universal Time minus local time in seconds (default 0)
//   maxLoop          most steps of WHEN and WHEN2 (default 65536)
//   onNote           receives each note on a name argument that selects
//                    nothing, as `varizav call` words it
//   warn             true: those notes go to console.warn (when no onNote)
// The numbers are read as the library reads its environment: fractions cut,
// signed 32-bit. Resolves when the settings are in force.
export async function configure(settings = {}) {
  const language = languageId(settings.language);
  const notes = noteReceiver(settings);
  const engine = await createEngine(language, environmentOf(settings));
  current = { settings: { ...settings, language: settings.language ?? 'en' }, engine, notes };
}

// The engine in force (for the column functions of lib/columns.js).
export function currentEngine() {
  return current.engine;
}

// The settings in force, as last given to configure.
export function settings() {
  return { ...current.settings };
}

function decodeUtf8(bytes) {
  if (!/[\x80-\xff]/.test(bytes)) return bytes;
  return utf8Decoder.decode(Uint8Array.from(bytes, (c) => c.charCodeAt(0)));
}

// A result text from the memory: ASCII directly, anything else as UTF-8.
function decodeResult(bytes) {
  let ascii = true;
  for (let i = 0; i < bytes.length && ascii; ++i) ascii = bytes[i] < 0x80;
  return ascii ? String.fromCharCode.apply(null, bytes) : utf8Decoder.decode(bytes);
}

function encodeUtf8(text) {
  if (!/[^\x00-\x7f]/.test(text)) return text;
  let bytes = '';
  for (const byte of utf8Encoder.encode(text)) bytes += String.fromCharCode(byte);
  return bytes;
}

function describe(f) {
  return {
    name: f.exportedName,
    displayName: decodeUtf8(f.displayName),
    description: decodeUtf8(f.description),
    result: f.resultType === TYPE_TEXT ? 'text' : 'number',
    parameters: f.parameters.map((p) => ({
      name: decodeUtf8(p.name),
      description: decodeUtf8(p.description),
      type: p.type === TYPE_TEXT ? 'text' : 'number',
    })),
  };
}

// Every worksheet function with its display name, description and
// parameters, in the language in force.
export function functions() {
  return current.engine.functions.map(describe);
}

function badArgument(f, index, what) {
  return new TypeError(`${f.exportedName}: argument ${index + 1} must be ${what}`);
}

// The number that a Date stands for in a date parameter: its serial date, or
// for ASTRONOMICAL its Julian Day.
function dateNumber(f, date) {
  const serial = serialFromDate(date);
  return f.exportedName === 'SC_astronomy' ? serial + JULIAN_DAY_OF_SERIAL_ZERO : serial;
}

// A number given for a text argument, with all its digits: the library reads
// a year from the leading digits, and String(1e21) is "1e+21".
function numberText(value) {
  if (Number.isInteger(value)) return BigInt(value).toString();
  const text = String(value);
  return Number.isFinite(value) && text.includes('e') ? value.toFixed(20) : text;
}

// Puts one argument into its slot: a text (a number is written as text)
// encoded as UTF-8, a number or a truth value as a double, a Date (in a
// date parameter) as its serial date.
function putArgument(engine, f, index, value) {
  if (f.parameters[index].type === TYPE_TEXT) {
    if (engine.slotText[index] === value) return;  // the slot holds this text already
    const text = typeof value === 'number' ? numberText(value) : value;
    if (typeof text !== 'string') throw badArgument(f, index, 'a string');
    const bytes = encodeUtf8(text);
    if (bytes.length >= TEXT_SIZE) {
      throw new RangeError(`${f.exportedName}: argument ${index + 1} is longer than ${TEXT_SIZE - 1} bytes`);
    }
    engine.writeText(index, bytes);
    engine.slotText[index] = value;
  } else if (typeof value === 'number') {
    engine.setNumber(index, value);
  } else if (typeof value === 'boolean') {
    engine.setNumber(index, value ? 1 : 0);
  } else if (value instanceof Date && f.parameters[index].isDate) {
    engine.setNumber(index, dateNumber(f, value));
  } else {
    throw badArgument(f, index, f.parameters[index].isDate ? 'a number or a Date' : 'a number');
  }
}

function lookup(engine, name) {
  const f = engine.byName.get(name);
  if (f === undefined) throw new TypeError(`no worksheet function ${name}`);
  return f;
}

function callWith(engine, f, count, a0, a1, a2, a3, a4, a5) {
  const n = f.parameters.length;
  if (count !== n) throw new TypeError(`${f.exportedName} takes ${n} arguments, got ${count}`);
  if (n > 0) putArgument(engine, f, 0, a0);
  if (n > 1) putArgument(engine, f, 1, a1);
  if (n > 2) putArgument(engine, f, 2, a2);
  if (n > 3) putArgument(engine, f, 3, a3);
  if (n > 4) putArgument(engine, f, 4, a4);
  if (n > 5) putArgument(engine, f, 5, a5);
  if (current.notes !== null) {
    for (const note of engine.nameNotes(f)) current.notes(decodeUtf8(note));
  }
  if (f.resultType === TYPE_NUMBER) return engine.callNumber(f);
  return engine.callTextDecoded(f, decodeResult);
}

// Calls a worksheet function by its exported name: a number (NaN for the
// error value) or a string.
export function call(name, ...values) {
  const { engine } = current;
  return callWith(engine, lookup(engine, name), values.length, ...values);
}

// The worksheet function of that exported name as a JavaScript function.
export function worksheet(name) {
  // The function's registration, looked up again only after configure.
  let engine = null;
  let f = null;
  return function worksheetFunction(a0, a1, a2, a3, a4, a5) {
    if (engine !== current.engine) {
      f = lookup(current.engine, name);
      engine = current.engine;
    }
    return callWith(engine, f, arguments.length, a0, a1, a2, a3, a4, a5);
  };
}

function isGerman(language) {
  return (languageId(language ?? current.settings.language) & PRIMARY_LANGUAGE_MASK) === PRIMARY_GERMAN;
}

function nameOf(engine, table, entry, german) {
  return cp1252Decoder.decode(Uint8Array.from(engine.nameBytes(table, entry, german), (c) => c.charCodeAt(0)));
}

// The names of the 25 calendars in the language in force, or in the language
// given ("de": German, otherwise English); entry k + 1 of the calendar
// argument is names[k].
export function calendarNames(language) {
  const { engine } = current;
  const german = isGerman(language);
  const names = [];
  for (let entry = 1; entry <= engine.nameCount(0); ++entry) names.push(nameOf(engine, 0, entry, german));
  return names;
}

// The number (1..25) of a calendar given by its number or by a name that a
// calendar argument accepts in the language in force (English names too).
function calendarNumber(engine, calendar) {
  const count = engine.nameCount(0);
  if (typeof calendar === 'number') {
    if (Number.isInteger(calendar) && calendar >= 1 && calendar <= count) return calendar;
    throw new RangeError(`a calendar number is 1..${count}, not ${String(calendar)}`);
  }
  if (typeof calendar !== 'string') throw new TypeError(`a calendar is a name or a number 1..${count}`);
  const bytes = encodeUtf8(calendar);
  const entry = calendar.trim() === '' || bytes.length >= TEXT_SIZE ? 0 : engine.calendarEntry(bytes);
  if (entry === 0) throw new RangeError(`no calendar is called '${calendar}'`);
  return entry;
}

// The holidays of a calendar (for "astronomical" the astronomical events),
// given by name or by its number as calendarNames and `varizav names` count
// (hebrew: 12), in the language in force or the one given: each with the
// number that selects it in an event argument. Placeholder entries that name
// no holiday are left out.
export function holidayNames(calendar, language) {
  const { engine } = current;
  const table = calendarNumber(engine, calendar);
  const german = isGerman(language);
  const holidays = [];
  for (let entry = 1; entry <= engine.nameCount(table); ++entry) {
    const name = nameOf(engine, table, entry, german);
    if (name !== PLACEHOLDER_NAME) holidays.push({ number: entry, name });
  }
  return holidays;
}

// Longest GEDCOM date value handed to the library, in UTF-8 bytes: far more
// than any value of the grammar, which the library reads whole.
const MAX_GEDCOM_BYTES = 4096;

// A GEDCOM date value (5.5.1 "@#DJULIAN@ 11 FEB 1731/32", 7.0 "JULIAN 11 FEB
// 1732") as the library reads it: { kind, first, last }, kind "exact",
// "about", "before", "after", "between", "period" or "interpreted", first and
// last the serial days of the first and the last civil day named; for a text
// that is no date { kind: "invalid", reason }.
export function gedcomDate(value) {
  const bytes = encodeUtf8(String(value));
  if (bytes.length > MAX_GEDCOM_BYTES) return { kind: 'invalid', reason: 'the date value is too long' };
  const r = current.engine.gedcomDate(bytes);
  if (r.kind === 'invalid') return { kind: 'invalid', reason: decodeUtf8(r.reason) };
  return { kind: r.kind, first: r.first, last: r.last };
}

// A content line of an iCalendar file (RFC 5545) as `varizav ics` writes it:
// "NAME:value" folded into lines of at most 75 octets, each ending in CRLF,
// the value escaped as TEXT when text is true.
export function icsLine(name, value, text = false) {
  return decodeUtf8(current.engine.icsLine(encodeUtf8(String(name)), encodeUtf8(String(value)), text));
}

// Serial date (days since 1899-12-30, Universal Time) of a Date.
export function serialFromDate(date) {
  return date.getTime() / MS_PER_DAY + SERIAL_UNIX_EPOCH;
}

// The Date of a serial date (Universal Time), to the millisecond.
export function dateFromSerial(serial) {
  return new Date(Math.round((serial - SERIAL_UNIX_EPOCH) * MS_PER_DAY));
}

// "YYYY-MM-DDTHH:MM:SS" of a serial date (proleptic Gregorian, to the second),
// or null for NaN and dates beyond 1e13 days.
export function isoFromSerial(serial) {
  return current.engine.writeDate(serial);
}

// Serial date of "YYYY-MM-DD[THH:MM[:SS]]" (proleptic Gregorian), or null.
export function serialFromIso(text) {
  return current.engine.readDate(encodeUtf8(String(text)));
}

// A number argument as the host tool `varizav` reads one from text: a decimal
// number, TRUE/FALSE (WAHR/FALSCH) in any case, or a date
// "YYYY-MM-DD[THH:MM[:SS]]" (its serial date); null for anything else.
export function parseNumber(text) {
  return current.engine.readNumber(encodeUtf8(String(text)));
}

// A number as the host tool `varizav` writes it: the shortest text that reads
// back as the same double, "NaN" for the error value.
export function formatNumber(value) {
  return current.engine.writeNumber(value);
}

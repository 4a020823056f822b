// The JavaScript API of the package: the worksheet functions of the library
// with numbers and strings, the settings a spreadsheet host takes from the
// environment given explicitly, and a few helpers for JavaScript dates.
import { createEngine, languageId, TEXT_SIZE, TYPE_NUMBER, TYPE_TEXT } from './engine.js';
import { formatIsoDateTime, formatNumber as formatNumberText, parseIsoDate } from './values.js';

// Serial date of 1970-01-01, the epoch of JavaScript's Date.
const SERIAL_UNIX_EPOCH = 25569;
const MS_PER_DAY = 86400000;

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

function environmentOf(settings) {
  // Texts cross the boundary as UTF-8; numbers the library writes with a
  // fraction have a full stop.
  const environment = { LANG: 'C.UTF-8' };
  for (const [key, value] of Object.entries(settings)) {
    if (key === 'language' || value === undefined) continue;
    const variable = SETTING_VARIABLES[key];
    if (variable === undefined) throw new TypeError(`unknown setting ${key}`);
    if (typeof value !== 'number' || !Number.isFinite(value)) {
      throw new TypeError(`setting ${key} must be a finite number, not ${String(value)}`);
    }
    environment[variable] = String(Math.trunc(value));
  }
  return environment;
}

let current = { settings: { language: 'en' }, engine: await createEngine(languageId('en'), environmentOf({})) };

// Applies a complete set of settings, each missing one at its default:
//   language         "de", "en" or a Windows language id (default "en")
//   calendarReform   last Julian day as yyyymmdd (default 15821004; English: 17520902)
//   deltaT           fixed delta T in seconds, 0 for the built-in model
//   timezoneSeconds  Universal Time minus local time in seconds (default 0)
//   maxLoop          most steps of WHEN and WHEN2 (default 65536)
// Resolves when the settings are in force.
export async function configure(settings = {}) {
  const language = languageId(settings.language);
  const engine = await createEngine(language, environmentOf(settings));
  current = { settings: { ...settings, language: settings.language ?? 'en' }, engine };
}

// The settings in force, as last given to configure.
export function settings() {
  return { ...current.settings };
}

function decodeUtf8(bytes) {
  if (!/[\x80-\xff]/.test(bytes)) return bytes;
  return utf8Decoder.decode(Uint8Array.from(bytes, (c) => c.charCodeAt(0)));
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

function argument(f, p, value, index) {
  if (p.type === TYPE_TEXT) {
    const text = typeof value === 'number' ? String(value) : value;
    if (typeof text !== 'string') throw new TypeError(`${f.exportedName}: argument ${index + 1} must be a string`);
    const bytes = encodeUtf8(text);
    if (bytes.length >= TEXT_SIZE) {
      throw new RangeError(`${f.exportedName}: argument ${index + 1} is longer than ${TEXT_SIZE - 1} bytes`);
    }
    return bytes;
  }
  if (typeof value === 'boolean') return value ? 1 : 0;
  if (typeof value !== 'number') throw new TypeError(`${f.exportedName}: argument ${index + 1} must be a number`);
  return value;
}

// Calls a worksheet function by its exported name: a number (NaN for the
// error value) or a string.
export function call(name, ...values) {
  const f = current.engine.byName.get(name);
  if (f === undefined) throw new TypeError(`no worksheet function ${name}`);
  if (values.length !== f.parameters.length) {
    throw new TypeError(`${name} takes ${f.parameters.length} arguments, got ${values.length}`);
  }
  const args = f.parameters.map((p, i) => argument(f, p, values[i], i));
  const { value } = current.engine.callBytes(f, args);
  return f.resultType === TYPE_NUMBER ? value : decodeUtf8(value);
}

// The worksheet function of that exported name as a JavaScript function.
export function worksheet(name) {
  return (...values) => call(name, ...values);
}

function tableNames(table, language) {
  const { engine } = current;
  const german = languageId(language ?? current.settings.language) === 0x0407;
  const names = [];
  for (let entry = 1; entry <= engine.nameCount(table); ++entry) {
    const bytes = engine.nameBytes(table, entry, german);
    names.push(cp1252Decoder.decode(Uint8Array.from(bytes, (c) => c.charCodeAt(0))));
  }
  return names;
}

// The names of the 25 calendars in the language in force, or in the language
// given ("de": German, otherwise English); entry k + 1 of the calendar
// argument is names[k].
export function calendarNames(language) {
  return tableNames(0, language);
}

// The holiday names of a calendar (its index in calendarNames()), in the
// language in force or the one given; for "astronomical" the astronomical
// events. Entry k + 1 of the event argument is names[k].
export function holidayNames(calendarIndex, language) {
  if (!Number.isInteger(calendarIndex) || calendarIndex < 0 || calendarIndex >= 25) {
    throw new RangeError(`calendar index 0..24, not ${String(calendarIndex)}`);
  }
  return tableNames(calendarIndex + 1, language);
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
  return formatIsoDateTime(serial);
}

// Serial date of "YYYY-MM-DD[THH:MM[:SS]]" (proleptic Gregorian), or null.
export function serialFromIso(text) {
  return parseIsoDate(text);
}

// A number as the host tool `varizav` writes it: the shortest text that reads
// back as the same double, "NaN" for the error value.
export function formatNumber(value) {
  return formatNumberText(value);
}

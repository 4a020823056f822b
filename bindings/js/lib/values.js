// Values as the host tool `varizav` reads them from a batch line and writes
// them back, so that `varizav-wasm batch` prints the same bytes: number
// arguments (decimal numbers, truth values, ISO dates) and numbers in the
// shortest form that reads back as the same double.

const SERIAL_EPOCH_DAYS = 693899;  // days from 0000-03-01 to 1899-12-30
const DAYS_PER_400_YEARS = 146097;
const SECONDS_PER_DAY = 86400;
// Numbers from 1 up to this magnitude are written without an exponent.
const LARGEST_FIXED = 1e15;
// Largest |serial date| written as a date: its seconds stay exact in a double.
const MAX_FORMATTED_SERIAL = 1e13;

// Every integer here stays far below 2^53, so double arithmetic is exact.
function floorQuot(a, b) {
  return Math.floor(a / b);
}

// Days from 1899-12-30 to a proleptic Gregorian date (astronomical years).
export function serialDayFromCivil(year, month, day) {
  const y = month <= 2 ? year - 1 : year;  // years begin on 1 March
  const era = floorQuot(y, 400);
  const yearOfEra = y - era * 400;  // [0, 399]
  const monthFromMarch = month > 2 ? month - 3 : month + 9;  // [0, 11]
  const dayOfYear = Math.floor((153 * monthFromMarch + 2) / 5) + day - 1;  // [0, 365]
  const dayOfEra = yearOfEra * 365 + Math.floor(yearOfEra / 4) - Math.floor(yearOfEra / 100) + dayOfYear;
  return era * DAYS_PER_400_YEARS + dayOfEra - SERIAL_EPOCH_DAYS;
}

// The proleptic Gregorian date of a serial day.
export function civilFromSerialDay(n) {
  const z = n + SERIAL_EPOCH_DAYS;
  const era = floorQuot(z, DAYS_PER_400_YEARS);
  const dayOfEra = z - era * DAYS_PER_400_YEARS;  // [0, 146096]
  const yearOfEra = Math.floor(
    (dayOfEra - Math.floor(dayOfEra / 1460) + Math.floor(dayOfEra / 36524) - Math.floor(dayOfEra / 146096)) / 365);
  const dayOfYear = dayOfEra - (365 * yearOfEra + Math.floor(yearOfEra / 4) - Math.floor(yearOfEra / 100));
  const monthFromMarch = Math.floor((5 * dayOfYear + 2) / 153);  // [0, 11]
  const day = dayOfYear - Math.floor((153 * monthFromMarch + 2) / 5) + 1;
  const month = monthFromMarch < 10 ? monthFromMarch + 3 : monthFromMarch - 9;
  return { year: yearOfEra + era * 400 + (month <= 2 ? 1 : 0), month, day };
}

function daysInMonth(year, month) {
  const lengths = [31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31];
  if (month < 1 || month > 12) return 0;
  const leap = (year % 4 === 0 && year % 100 !== 0) || year % 400 === 0;
  return month === 2 && leap ? 29 : lengths[month - 1];
}

const ISO_DATE = /^([+-]?)([0-9]{1,9})-([0-9]{2})-([0-9]{2})(?:[Tt]([0-9]{2}):([0-9]{2})(?::([0-9]{2}))?)?$/;

// Serial date of "YYYY-MM-DD[THH:MM[:SS]]" (a signed year of 1 to 9 digits),
// or null when the text is not such a date or names one that does not exist.
export function parseIsoDate(text) {
  const m = ISO_DATE.exec(text);
  if (m === null) return null;
  const year = m[1] === '-' ? -Number(m[2]) : Number(m[2]);
  const month = Number(m[3]);
  const day = Number(m[4]);
  const hour = m[5] === undefined ? 0 : Number(m[5]);
  const minute = m[6] === undefined ? 0 : Number(m[6]);
  const second = m[7] === undefined ? 0 : Number(m[7]);
  if (month < 1 || month > 12 || day < 1 || day > daysInMonth(year, month)) return null;
  if (hour > 23 || minute > 59 || second > 59) return null;
  return serialDayFromCivil(year, month, day) + (hour * 3600 + minute * 60 + second) / SECONDS_PER_DAY;
}

// A decimal number as the C++ library's from_chars reads one: an optional
// minus, digits with an optional point, an optional exponent; or inf,
// infinity, nan, nan(...) in any case. A value beyond the double range, or a
// non-zero one that rounds to zero, is rejected as out of range.
const DECIMAL = /^-?(?:[0-9]+\.?[0-9]*|\.[0-9]+)(?:[eE][+-]?[0-9]+)?$/;
const SPECIAL = /^(-?)(?:(inf|infinity)|nan(?:\([0-9A-Za-z_]*\))?)$/i;

function parseDecimal(text) {
  const special = SPECIAL.exec(text);
  if (special !== null) {
    if (special[2] === undefined) return NaN;
    return special[1] === '-' ? -Infinity : Infinity;
  }
  if (!DECIMAL.test(text)) return null;
  const value = Number(text);
  if (!Number.isFinite(value)) return null;
  if (value === 0 && /[1-9]/.test(text.replace(/[eE].*$/, ''))) return null;
  return value;
}

// A number argument: a decimal number (with an optional leading '+'),
// TRUE/WAHR (1) or FALSE/FALSCH (0) in any case, or an ISO date (its serial
// date). null for anything else.
export function parseNumberArgument(text) {
  const upper = text.toUpperCase();
  if (text.length <= 6 && (upper === 'TRUE' || upper === 'WAHR')) return 1;
  if (text.length <= 6 && (upper === 'FALSE' || upper === 'FALSCH')) return 0;
  const date = parseIsoDate(text);
  if (date !== null) return date;
  let digits = text;
  if (digits.startsWith('+')) {
    digits = digits.slice(1);
    if (digits.startsWith('+') || digits.startsWith('-')) return null;
  }
  if (digits === '') return null;
  return parseDecimal(digits);
}

// The shortest digits of a finite non-zero magnitude and its decimal
// exponent: value = 0.DIGITS x 10^point.
function shortestDigits(magnitude) {
  const [mantissa, exponent] = magnitude.toExponential().split('e');
  return { digits: mantissa.replace('.', ''), point: Number(exponent) + 1 };
}

// The fixed form of 0.DIGITS x 10^point. Where the shortest digits end before
// the units place, the C++ library writes the double's exact integer value
// (99999999999997591552, not 99999999999997590000): such a magnitude is at
// least 2^53, so the double is an integer and BigInt holds it exactly.
function fixedForm(magnitude, digits, point) {
  if (point > digits.length) return BigInt(magnitude).toString();
  if (point === digits.length) return digits;
  if (point > 0) return `${digits.slice(0, point)}.${digits.slice(point)}`;
  return `0.${'0'.repeat(-point)}${digits}`;
}

function scientificForm(digits, point) {
  const exponent = point - 1;
  const magnitude = String(Math.abs(exponent)).padStart(2, '0');
  const mantissa = digits.length > 1 ? `${digits[0]}.${digits.slice(1)}` : digits;
  return `${mantissa}e${exponent < 0 ? '-' : '+'}${magnitude}`;
}

// The number as the host tool writes it (std::to_chars): the shortest digits
// that read back as the same double, without an exponent for magnitudes from
// 1 to 1e15; otherwise the shorter of the fixed and the scientific form
// (fixed on a tie), the fixed form of an integer with all its digits; "NaN"
// for every NaN.
export function formatNumber(value) {
  if (Number.isNaN(value)) return 'NaN';
  const sign = value < 0 || Object.is(value, -0) ? '-' : '';
  const magnitude = Math.abs(value);
  if (magnitude === Infinity) return `${sign}inf`;
  if (magnitude === 0) return `${sign}0`;
  const { digits, point } = shortestDigits(magnitude);
  const fixed = fixedForm(magnitude, digits, point);
  if (magnitude >= 1 && magnitude < LARGEST_FIXED) return sign + fixed;
  const scientific = scientificForm(digits, point);
  return sign + (fixed.length <= scientific.length ? fixed : scientific);
}

// "YYYY-MM-DDTHH:MM:SS" of a serial date rounded to the second (negative
// years as "-YYYY"); null for NaN, infinities and |serial| beyond 1e13.
export function formatIsoDateTime(serial) {
  if (!(Math.abs(serial) <= MAX_FORMATTED_SERIAL)) return null;
  const seconds = roundHalfAway(serial * SECONDS_PER_DAY);
  const day = floorQuot(seconds, SECONDS_PER_DAY);
  const secondOfDay = seconds - day * SECONDS_PER_DAY;
  const { year, month, day: dayOfMonth } = civilFromSerialDay(day);
  const two = (n) => String(n).padStart(2, '0');
  const yearText = (year < 0 ? '-' : '') + String(Math.abs(year)).padStart(4, '0');
  return `${yearText}-${two(month)}-${two(dayOfMonth)}T${two(Math.floor(secondOfDay / 3600))}:` +
         `${two(Math.floor(secondOfDay / 60) % 60)}:${two(secondOfDay % 60)}`;
}

// llround: halves away from zero (Math.round takes them towards +infinity).
function roundHalfAway(x) {
  return x < 0 ? -Math.round(-x) : Math.round(x);
}

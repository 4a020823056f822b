// Decimal numbers as the host tool reads and writes them (std::from_chars,
// std::to_chars in shortest form), for the WebAssembly module, whose C++
// library has neither for doubles. Everything else about number arguments and
// dates comes from the library (varizav/tools.h through the module).

// Numbers from 1 up to this magnitude are written without an exponent.
const LARGEST_FIXED = 1e15;

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

// A number argument as the library reads one (varizav_read_number): TRUE or
// WAHR (1), FALSE or FALSCH (0) in any case, a date that readDate(text) reads
// (the library's date reader), or a decimal number with an optional leading
// '+'. null for anything else.
export function parseNumberArgument(text, readDate) {
  const upper = text.toUpperCase();
  if (text.length <= 6 && (upper === 'TRUE' || upper === 'WAHR')) return 1;
  if (text.length <= 6 && (upper === 'FALSE' || upper === 'FALSCH')) return 0;
  const date = readDate(text);
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

// Numbers and dates as the package reads and writes them: dates through the
// library, decimal numbers in JavaScript to the library's rules. Expected texts: the native tool (`varizav today X` writes X as its serial
// date), fixed cases whose digits are exact values worked out independently
// (2^64, the ASTRONOMICAL(1e20) = 1e20 - 2415018.5 as the double
// nearest to it), and the package's documentation of its settings.
import { strict as assert } from 'node:assert';
import { spawnSync } from 'node:child_process';
import { test } from 'node:test';
import { readFileSync } from 'node:fs';
import { configure, formatNumber, parseNumber, SC_calendar, serialFromIso } from '../varizav.js';
import { native, skip } from './native.js';

test('fixed texts', () => {
  const cases = [
    [1e20 - 2415018.5, '99999999999997591552'],  // not 99999999999997590000
    [2 ** 64, '18446744073709551616'],
    [-(2 ** 70), '-1180591620717411303424'],
    [1e15 + 0.5, '1000000000000000.5'],
    [2e15, '2e+15'],
    [1e21, '1e+21'],
    [45382, '45382'],
    [-0.00012, '-0.00012'],
    [1.5e-5, '1.5e-05'],
    [5e-324, '5e-324'],
    [-0, '-0'],
    [NaN, 'NaN'],
    [-Infinity, '-inf'],
  ];
  for (const [value, want] of cases) assert.equal(formatNumber(value), want, `${value}`);
});

// Every decade from 1e-300 to 1e308, both signs, with one and with many
// digits; integral and fractional from 1 to 1e16.
function magnitudes() {
  const values = [];
  for (let exponent = -300; exponent <= 308; ++exponent) {
    const sign = exponent % 2 === 0 ? 1 : -1;
    values.push(sign * Number(`1.2345678901234567e${exponent}`), -sign * Number(`7e${exponent}`));
  }
  for (let exponent = 0; exponent <= 16; ++exponent) values.push(Math.round(1.2345678901234567 * 10 ** exponent));
  return values;
}

test('every magnitude as the native tool writes it', { skip }, () => {
  for (const value of magnitudes()) {
    const text = formatNumber(value);
    // The tool reads the shortest text back to the same double.
    const first = spawnSync(native, ['today', text]).stdout.toString().split('\n')[0];
    assert.equal(first.replace(/^.*\(serial date (.*)\)$/, '$1'), text, `${value}`);
  }
});

test('number arguments and dates', () => {
  const cases = [
    ['2000-01-01T12:00', 36526.5],  // independent: noon of the spreadsheet's serial 36526
    ['wahr', 1],
    ['+2.5', 2.5],
    ['1e-01', 0.1],
    ['1900-02-29', null],  // 1900 is no Gregorian leap year
    [' 1', null],
    ['2000-01-01\u00e9', null],
  ];
  for (const [text, want] of cases) assert.equal(parseNumber(text), want, text);
  assert.equal(serialFromIso('1e-01'), null);
});

// The declarations say where English moves the reform; the library in English
// must write the civil dates of September 1752 as that setting does.
test('the documented English reform date is the library\'s', async () => {
  const declarations = readFileSync(new URL('../dist/varizav.d.ts', import.meta.url), 'utf8');
  const documented = Number(/English moves it to (\d{8})/.exec(declarations)[1]);
  const civil = () => [13, 14, 15].map((day) => SC_calendar('', serialFromIso(`1752-09-${day}`), 0));
  try {
    await configure({ language: 'en' });
    const english = civil();
    await configure({ language: 'en', calendarReform: documented });
    assert.deepEqual(civil(), english);
    // independent: the Julian date 3 September 1752 is Gregorian 14 September.
    assert.equal(english[1], '1752  9  3');
  } finally {
    await configure();
  }
});

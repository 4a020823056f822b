// The Google Sheets file in a bare context: only the ECMAScript globals and
// WebAssembly, as Apps Script's V8 runtime offers them (no require, process,
// fetch, TextDecoder or timers). Every function, called with values and with
// ranges over the Calc corpus and a sweep, must give the host tool's results.
import { strict as assert } from 'node:assert';
import { readFileSync, statSync } from 'node:fs';
import { test } from 'node:test';
import vm from 'node:vm';
import { differences, rangeGroups, referenceCalls, root, skip } from './calls.js';

const file = process.env.VARIZAV_SHEETS_GS ?? `${root}build-sheets/google/varizav.gs`;
const isError = (v) => typeof v === 'number' && Number.isNaN(v);

function load() {
  const context = vm.createContext({ WebAssembly });
  vm.runInContext(readFileSync(file, 'utf8'), context, { filename: 'varizav.gs' });
  return context;
}

test('first call, the example of the README, and the cost of a column', (t) => {
  const started = performance.now();
  const context = load();
  assert.equal(context.GREGORIAN(2024, 'March', 31), 45382);  // README's example
  const first = performance.now() - started;
  // A Sheets date cell arrives as a Date at midnight of the script's zone.
  assert.equal(context.CALENDAR('hebrew', new Date(2024, 3, 23), 1), 'yom shelishi, 15 Nisan 5784');
  assert.ok(Number.isNaN(context.GREGORIAN(2001, 'February', 32)));  // NaN shows as #NUM!
  assert.ok(Number.isNaN(context.GREGORIAN('abc', 'March', 31)));
  assert.equal(context.GREGORIAN('2024', 3, 31), 45382);  // a number as text, a number for a text argument
  const rows = 10000;
  const years = Array.from({ length: rows }, (_, i) => [1600 + (i % 800)]);
  const started2 = performance.now();
  const column = context.GREGORIAN(years, 'March', 31);
  const range = performance.now() - started2;
  assert.equal(column.length, rows);
  assert.equal(column[424][0], 45382);  // 1600 + 424 = 2024
  t.diagnostic(`varizav.gs: ${statSync(file).size} bytes; first call ${first.toFixed(0)} ms ` +
               `(compiling the module), ${rows}-row range ${range.toFixed(0)} ms`);
});

test('ranges: a shorter range leaves blanks, rows of empty cells stay blank', () => {
  const context = load();
  assert.deepEqual(JSON.parse(JSON.stringify(context.GREGORIAN([[2024], [2025], ['']], [['March'], ['May']], [[31]]))),
    [[45382], [45808], [""]]);
  assert.deepEqual(JSON.parse(JSON.stringify(context.GREGORIAN([[2024, '']], [['March', '']], [[31, '']]))), [[45382, '']]);
});

test('every function over the Calc corpus and the sweep', { skip }, (t) => {
  const context = load();
  const calls = referenceCalls();
  const scalar = calls.map((c) => context[c.displayName](...c.values));
  assert.deepEqual(differences(calls, scalar, isError), [], 'values');
  let ranged = 0;
  for (const { group, columns, displayName } of rangeGroups(calls)) {
    const result = context[displayName](...columns);
    assert.equal(result.length, group.length);
    assert.deepEqual(differences(group, result.map((row) => row[0]), isError), [], `${displayName} over ranges`);
    ranged += group.length;
  }
  assert.equal(new Set(calls.map((c) => c.name)).size, 35, 'every function called');
  assert.ok(calls.length >= 20000, `${calls.length} calls`);
  t.diagnostic(`${calls.length} calls as values, ${ranged} in ranges: equal to varizav batch`);
});

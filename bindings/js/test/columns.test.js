// The column functions against one call per row: every function over columns
// of many values and of one, numbers in Float64Arrays, plain arrays and Dates,
// texts with umlauts; the expected values are the row-by-row calls'.
import { strict as assert } from 'node:assert';
import { test } from 'node:test';
import * as varizav from '../varizav.js';
import { generator } from './sweep.js';

const decoder = new TextDecoder();
const TEXTS = ['gregorian', 'hebrew', 'March', 'März', '3', 'Easter', 'Full Moon', 'Nisan', 'Epact', '', 'x',
  'chinese', '2024', '78-17', 'Monday', 'Kalendas', 'III', 'Heisei'];

function rowValue(rng, parameter) {
  if (parameter.type === 'text') return rng.pick(TEXTS);
  return rng.pick([rng.int(-3000, 6000), rng.int(1, 31), 45405 + rng.int(-50000, 50000) / 4, 0, -1, NaN, 1e10, 2.5]);
}

test('every function over columns gives the row-by-row results', async () => {
  await varizav.configure({ maxLoop: 64 });
  const rng = generator(25);
  for (const f of varizav.functions()) {
    const rows = 300;
    const columns = f.parameters.map((p, i) => {
      // The first argument once for every row, the others a value per row.
      if (i === 0 && f.parameters.length > 1) return rowValue(rng, p);
      const values = Array.from({ length: rows }, () => rowValue(rng, p));
      return p.type === 'number' && i % 2 === 0 ? Float64Array.from(values) : values;
    });
    const got = varizav.callColumns(f.name, ...columns);
    const utf8 = varizav.callColumnsUtf8(f.name, ...columns);
    assert.equal(got.length, rows);
    for (let r = 0; r < rows; ++r) {
      const want = varizav.call(f.name, ...columns.map((c) => (typeof c === 'object' ? c[r] : c)));
      assert.ok(Object.is(got[r], want), `${f.name} row ${r}: ${got[r]} != ${want}`);
      const bytes = f.result === 'text' ? decoder.decode(utf8.bytes.subarray(utf8.offsets[r], utf8.offsets[r + 1] - 1)) : utf8[r];
      assert.ok(Object.is(bytes, want), `${f.name} row ${r} as UTF-8: ${bytes} != ${want}`);
    }
  }
  await varizav.configure();
});

test('columns longer than a block, Dates and German texts', async () => {
  await varizav.configure({ language: 'de' });
  const serials = Float64Array.from({ length: 10000 }, (_, k) => 40000 + 7 * k);
  const texts = varizav.callColumns('SC_calendar', 'jüdisch', serials, 1);
  assert.equal(texts[0], varizav.call('SC_calendar', 'jüdisch', 40000, 1));
  assert.equal(texts[9999], varizav.call('SC_calendar', 'jüdisch', 40000 + 7 * 9999, 1));
  const utf8 = varizav.callColumnsUtf8('SC_calendar', 'jüdisch', serials, 1);
  assert.equal(decoder.decode(utf8.bytes).split('\0').slice(0, -1).join('|'), texts.join('|'));
  const years = Float64Array.from({ length: 10000 }, (_, k) => 1000 + k);
  const march = varizav.callColumns('GREGORIANISCH', years, 'März', 1);
  assert.ok(march instanceof Float64Array);
  assert.equal(march[1000], 36586);  // independent: 1 March 2000 is serial day 36586
  const dates = [new Date(Date.UTC(2024, 3, 23)), new Date(Date.UTC(2024, 3, 24))];
  assert.deepEqual(varizav.callColumns('SC_leapyear2', 'gregorianisch', dates), Float64Array.from([1, 1]));
  assert.throws(() => varizav.callColumns('SC_gregorian', [1, 2], 'März', [1]), RangeError);
  await varizav.configure();
});

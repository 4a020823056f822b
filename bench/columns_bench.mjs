// Cost per row of the npm package's column function (callColumns) over
// 1,000,000 rows, for make bench-data beside the native column call of
// columns_bench.cpp: the same values, best of five runs of process CPU time.
// Prints one TSV line per function: name, ns/row (texts: as strings, as
// UTF-8 bytes).
import { callColumns, callColumnsUtf8, configure } from '../bindings/js/varizav.js';

const ROWS = 1000000;
await configure();
const years = Float64Array.from({ length: ROWS }, (_, i) => 1600 + (i % 800));
const days = Float64Array.from({ length: ROWS }, (_, i) => 1 + (i % 28));
const dates = Float64Array.from({ length: ROWS }, (_, i) => -100000 + (i % 200000));

function bestPerRow(body) {
  let best = Infinity;
  for (let run = 0; run < 5; ++run) {
    const start = process.cpuUsage();
    body();
    const spent = process.cpuUsage(start);
    best = Math.min(best, ((spent.user + spent.system) * 1000) / ROWS);
  }
  return best;
}

for (const [name, month] of [['SC_gregorian', 'March'], ['SC_julian', '3'], ['SC_hebrew', 'Nisan']]) {
  console.log(`${name}\t${bestPerRow(() => callColumns(name, years, month, days)).toFixed(2)}`);
}
// The texts as strings (callColumns), then as UTF-8 bytes (callColumnsUtf8).
const strings = bestPerRow(() => callColumns('SC_calendar', 'hebrew', dates, 1));
const bytes = bestPerRow(() => callColumnsUtf8('SC_calendar', 'hebrew', dates, 1));
console.log(`SC_calendar hebrew text\t${strings.toFixed(2)}\t${bytes.toFixed(2)}`);

// Cost of single converter calls through the npm package's JavaScript API
// (WebAssembly), the counterpart of converter_calls.cpp: the same calls,
// best of five runs of 200,000 calls each (process CPU time), after a warm-up.
import * as v from '../bindings/js/varizav.js';

const CALLS = 200000;

function report(name, body) {
  for (let i = 0; i < CALLS; ++i) body(i);  // warm-up: the JIT compiles the loop
  let best = Infinity;
  for (let run = 0; run < 5; ++run) {
    const start = process.cpuUsage();
    for (let i = 0; i < CALLS; ++i) body(i);
    const used = process.cpuUsage(start);
    best = Math.min(best, ((used.user + used.system) * 1000) / CALLS);
  }
  console.log(`${name}\t${best.toFixed(1)}`);
}

let sink = 0;
const convert = (name, year, month, day) => {
  const f = v[name];
  report(name, (i) => { sink += f(year + (i & 7), month, day); });
};
convert('SC_gregorian', 2024, 'March', 31);
convert('SC_julian', 2024, '3', 18);
convert('SC_hebrew', 5784, 'Nisan', 15);
convert('SC_islamic', 1445, 'Ramadan', 1);
convert('SC_persian', 1403, 'Farvardin', 1);
const calendar = v.SC_calendar;
report('SC_calendar hebrew text', (i) => { sink += calendar('hebrew', 45405 + (i & 7), 1).length; });
if (Number.isNaN(sink)) console.log('');

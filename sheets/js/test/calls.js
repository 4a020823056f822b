// The calls that the Sheets and Excel shells are compared on: the Calc test
// corpus (its English calls) and a seeded sweep of all 35 functions
// (bindings/js/test/sweep.js), English and UTF-8, as a spreadsheet passes
// them; and the host tool's results for the same calls, the reference.
import { spawnSync } from 'node:child_process';
import { readFileSync } from 'node:fs';
import { createEngine, LANGUAGE_ENGLISH, TEXT_SIZE, TYPE_TEXT } from '../../../bindings/js/lib/engine.js';
import { findFunction } from '../../../bindings/js/lib/batch.js';
import { formatNumber } from '../../../bindings/js/lib/values.js';
import { native, root, skip } from '../../../bindings/js/test/native.js';
import { sweep } from '../../../bindings/js/test/sweep.js';

export { root, skip };
export const SWEEP_CALLS = 24000;
const SWEEP_SEED = 20261224;

const engine = await createEngine(LANGUAGE_ENGLISH, { LANG: 'C.UTF-8' });
const utf8 = new TextDecoder('utf-8', { fatal: true });

function corpusLines() {
  return readFileSync(`${root}tests/host/libreoffice/calls.tsv`, 'utf8').split('\n')
    .filter((line) => line !== '' && line[0] !== '#')
    .map((line) => line.split('\t'))
    .filter((fields) => fields[0] === 'en' || fields[0] === '*')
    .map((fields) => Buffer.from(fields.slice(1).join('\t'), 'utf8').toString('latin1'));
}

function sweepLines() {
  const functions = engine.functions.map((f) => ({
    name: f.exportedName,
    displayName: f.displayName,
    parameters: f.parameters.map((p) => ({ name: p.name, type: p.type === TYPE_TEXT ? 'text' : 'number' })),
  }));
  const names = { calendars: [], holidays: [] };
  for (let k = 1; k <= engine.nameCount(0); ++k) {
    names.calendars.push(engine.nameBytes(0, k, false));
    const holidays = [];
    for (let e = 1; e <= engine.nameCount(k); ++e) holidays.push(engine.nameBytes(k, e, false));
    names.holidays.push(holidays);
  }
  return sweep(SWEEP_SEED, SWEEP_CALLS, functions, names).split('\n').filter((line) => line !== '');
}

// A batch line (bytes) as a spreadsheet call: the function's exported name and
// the values of its cells; null for what no spreadsheet can pass (a line the
// tool rejects, a text that is no UTF-8 or too long for the library). Every
// other text of digits comes as a number, as a cell holding that number would.
function spreadsheetCall(line, index) {
  if (line.includes('\0')) return null;
  const [name, ...texts] = line.split('\t');
  const { f } = findFunction(engine, name);
  if (f === null || texts.length !== f.parameters.length) return null;
  const values = [];
  for (const [i, p] of f.parameters.entries()) {
    if (p.type === TYPE_TEXT) {
      if (texts[i].length >= TEXT_SIZE) return null;
      let value;
      try {
        value = utf8.decode(Buffer.from(texts[i], 'latin1'));
      } catch {
        return null;
      }
      const number = Number(value);
      values.push(index % 2 === 0 && value !== '' && String(number) === value ? number : value);
    } else {
      const number = engine.readNumber(texts[i]);
      if (number === null) return null;
      values.push(number);
    }
  }
  return { name: f.exportedName, displayName: f.displayName, values, line: `${f.exportedName}\t${texts.join('\t')}` };
}

// The calls and the tool's result line for each (bytes as a "binary" string).
export function referenceCalls() {
  const calls = [...corpusLines(), ...sweepLines()].map(spreadsheetCall).filter((c) => c !== null);
  const input = Buffer.from(calls.map((c) => `${c.line}\n`).join(''), 'latin1');
  const r = spawnSync(native, ['--lang', 'en', 'batch'], {
    input, env: { PATH: process.env.PATH, LANG: 'C.UTF-8', TZ: 'UTC' }, maxBuffer: 1 << 28,
  });
  const results = r.stdout.toString('latin1').split('\n');
  calls.forEach((c, i) => { c.want = results[i]; });
  return calls;
}

// A shell's result as the tool writes it: numbers in its shortest form, the
// error value (recognised by isError) as NaN, texts as UTF-8 bytes.
export function asToolText(value, isError) {
  if (isError(value)) return 'NaN';
  if (typeof value === 'number') return formatNumber(value);
  return Buffer.from(String(value), 'utf8').toString('latin1');
}

// Compares the results of calls (one per call) with the tool's; returns the
// first few differences as text.
export function differences(calls, results, isError) {
  const out = [];
  calls.forEach((c, i) => {
    const got = asToolText(results[i], isError);
    if (got !== c.want && out.length < 10) out.push(`${c.line}: shell ${JSON.stringify(got)}, varizav ${JSON.stringify(c.want)}`);
  });
  return out;
}

// The calls of each function as ranges: one column per argument (a number
// argument other than the first with the same value in every row as a single
// value, so that no row of ranges is all empty), and the calls in row order.
export function rangeGroups(calls) {
  const groups = new Map();
  for (const c of calls) {
    if (!groups.has(c.name)) groups.set(c.name, []);
    groups.get(c.name).push(c);
  }
  return [...groups.entries()].map(([name, group]) => {
    const n = group[0].values.length;
    const f = engine.byName.get(name);
    const first = f.parameters.findIndex((p) => p.type !== TYPE_TEXT);
    const columns = [];
    for (let k = 0; k < n; ++k) {
      const same = group.every((c) => Object.is(c.values[k], group[0].values[k]));
      const single = same && k !== first && f.parameters[k].type !== TYPE_TEXT;
      columns.push(single ? group[0].values[k] : group.map((c) => [c.values[k]]));
    }
    return { name, displayName: group[0].displayName, group, columns };
  });
}

// The WebAssembly build against the native library: the same corpora through
// `varizav batch` (native, build/tools/varizav) and `varizav-wasm batch` (and
// the same calls through `call`) must give the same bytes, the same notes and
// the same exit status, in both languages, in both host character sets and
// under other settings.
import { strict as assert } from 'node:assert';
import { spawnSync } from 'node:child_process';
import { readFileSync } from 'node:fs';
import { test } from 'node:test';
import { createEngine, LANGUAGE_ENGLISH, LANGUAGE_GERMAN } from '../lib/engine.js';
import { cli, native, root, skip } from './native.js';
import { sweep } from './sweep.js';

const SWEEP_SEED = 20261208;
const SWEEP_CALLS_PER_RUN = 26000;

// Runs both tools on the same input and environment; returns the line count.
function compare(input, args, environment) {
  const env = { PATH: process.env.PATH, ...environment };
  const options = { input, env, maxBuffer: 1 << 28 };
  const want = spawnSync(native, args, options);
  const got = spawnSync(process.execPath, [cli, ...args], options);
  // Each tool names itself in its messages.
  assert.equal(got.stderr.toString().replace(/varizav-wasm/g, 'varizav'), want.stderr.toString(),
    'standard error');
  assert.equal(got.status, want.status, 'exit status');
  const wantLines = want.stdout.toString('latin1').split('\n');
  if (!got.stdout.equals(want.stdout)) {
    // Every line byte for byte: name the first that differs.
    const gotLines = got.stdout.toString('latin1').split('\n');
    const calls = input.toString('latin1').split('\n').map((l) => l.replace(/\r+$/, ''))
      .filter((l) => l !== '' && l[0] !== '#');
    const i = wantLines.findIndex((line, k) => line !== gotLines[k]);
    assert.fail(`line ${i + 1} (${JSON.stringify(calls[i])}): native ${JSON.stringify(wantLines[i])}, ` +
                `wasm ${JSON.stringify(gotLines[i])}`);
  }
  return wantLines.length - 1;
}

// Settings under which every corpus runs: language, character set (LANG
// unset: the library's own Windows-1252 bytes), configuration variables.
const RUNS = [
  { name: 'English, UTF-8', args: ['--lang', 'en'], env: { LANG: 'C.UTF-8' } },
  { name: 'German, UTF-8, reform 1752, UT+1', args: ['--lang', 'de'],
    env: { LANG: 'C.UTF-8', VARIZAV_CALREFORM: '17520902', VARIZAV_TIMEZONE: '-3600' } },
  { name: 'German, Windows-1252, delta T 60 s, 2000 search steps', args: ['--lang', 'de'],
    env: { VARIZAV_DELTA_T: '60', VARIZAV_MAX_LOOP: '2000' } },
  { name: 'English id 0x0809, UTF-8, TZ Europe/Berlin', args: ['--lang', '0x0809'],
    env: { LC_ALL: 'C.UTF-8', TZ: 'Europe/Berlin' } },
];

const CORPORA = ['examples/showcase.tsv', 'examples/calc-demo.tsv', 'tests/host/libreoffice/calls.tsv',
  'bindings/js/test/worked_examples.tsv'];

for (const corpus of CORPORA) {
  test(`corpus ${corpus}`, { skip }, () => {
    const input = readFileSync(`${root}${corpus}`);
    for (const run of RUNS) {
      compare(input, [...run.args, 'batch'], run.env);
      compare(input, [...run.args, 'batch', '--echo'], run.env);
      compare(input, [...run.args, 'batch', '--warn'], run.env);
    }
  });
}

test('call: result, date, notes and exit status', { skip }, () => {
  const calls = [
    ['SC_gregorian', '2024', 'March', '31'],
    ['gregorian', '-1', 'Smarch', '1'],                          // a month that names nothing
    ['SC_when', 'gregorian', '', 'Fridy', '13', '', '45292'],    // a weekday that names nothing: a fallback
    ['SC_when2', 'hebrew', 'Pesach', 'gregorian', 'Eastr', '2024-01-01'],
    ['SC_calendar', 'hebrew', '45405', '1'],
    ['SC_gnomon', '45405.5'],
    ['SC_astronomy', '1e20'],
    ['SC_gregorian', '2024', 'March'],                           // too few arguments
    ['SC_nothing'],
  ];
  for (const run of RUNS) {
    for (const words of calls) compare('', [...run.args, 'call', ...words], run.env);
  }
  for (const args of [['call'], ['--echo', 'call', 'SC_astronomy', '1'], ['--warn', 'call', 'SC_astronomy', '1']]) {
    compare('', args, {});
  }
});

// Results of every magnitude, both signs: ASTRONOMICAL(x) is x - 2415018.5,
// which is x itself to all its digits from about 1e22 on.
test('numbers of every magnitude', { skip }, () => {
  const lines = [];
  for (let exponent = -300; exponent <= 308; ++exponent) {
    for (const mantissa of [1, 1.2345678901234567, -9.87654321]) {
      lines.push(`SC_astronomy\t${mantissa}e${exponent}`, `SC_astronomy\t${-mantissa * 2415018.5}e${exponent}`);
    }
  }
  for (let power = 50; power <= 80; ++power) lines.push(`SC_astronomy\t${2 ** power}`, `SC_astronomy\t-${2 ** power}.5`);
  assert.equal(compare(Buffer.from(`${lines.join('\n')}\n`), ['--lang', 'en', 'batch'], {}), lines.length);
});

function bytesToUtf8(bytes) {
  return Buffer.from(new TextDecoder('windows-1252').decode(Buffer.from(bytes, 'latin1')), 'utf8').toString('latin1');
}

// The sweep's functions: English parameter names (they choose the kind of
// argument), display names in the run's language and character set.
async function sweepInput(run, seed) {
  const utf8 = Object.values(run.env).some((v) => /utf-?8/i.test(v));
  const german = run.args[1] === 'de';
  const english = await createEngine(LANGUAGE_ENGLISH, { LANG: 'C.UTF-8' });
  const local = await createEngine(german ? LANGUAGE_GERMAN : LANGUAGE_ENGLISH, { LANG: utf8 ? 'C.UTF-8' : 'C' });
  const functions = english.functions.map((f, i) => ({
    name: f.exportedName,
    displayName: local.functions[i].displayName,
    parameters: f.parameters.map((p) => ({ name: p.name, type: p.type === 1 ? 'text' : 'number' })),
  }));
  const name = (table, entry) => {
    const bytes = local.nameBytes(table, entry, german);
    return utf8 ? bytesToUtf8(bytes) : bytes;
  };
  const names = { calendars: [], holidays: [] };
  for (let k = 1; k <= local.nameCount(0); ++k) {
    names.calendars.push(name(0, k));
    const holidays = [];
    for (let e = 1; e <= local.nameCount(k); ++e) holidays.push(name(k, e));
    names.holidays.push(holidays);
  }
  return { text: sweep(seed, SWEEP_CALLS_PER_RUN, functions, names), functions };
}

test('generated sweep', { skip }, async (t) => {
  let calls = 0;
  const called = new Set();
  for (const [i, run] of RUNS.entries()) {
    await t.test(run.name, async () => {
      const { text, functions } = await sweepInput(run, SWEEP_SEED + i);
      for (const line of text.split('\n')) {
        const f = functions.find((g) => g.name === line.split('\t')[0]);
        if (f) called.add(f.name);
      }
      // Every other run with the notes on names that select nothing.
      const warn = i % 2 === 0 ? ['--warn'] : [];
      calls += compare(Buffer.from(text, 'latin1'), [...run.args, 'batch', ...warn], run.env);
    });
  }
  assert.ok(calls >= 100000, `${calls} calls compared`);
  assert.equal(called.size, 35, 'every worksheet function called');
  t.diagnostic(`${calls} generated calls compared, ${called.size} functions`);
});

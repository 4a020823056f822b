// varizav-wasm on its own: expected lines from the issue that fixed each case
// and from the README's worked examples (1 March 2024 is serial day 45352).
import { strict as assert } from 'node:assert';
import { spawnSync } from 'node:child_process';
import { test } from 'node:test';
import { cli } from './native.js';

function run(args, input = '') {
  const r = spawnSync(process.execPath, [cli, '--lang', 'en', ...args], { input, env: { PATH: process.env.PATH } });
  return { out: r.stdout.toString('latin1'), err: r.stderr.toString('latin1'), status: r.status };
}

test('batch lines are read whole: a NUL byte makes a malformed call', () => {
  const cases = [
    ['SC_gregorian\t2024\tMarch\t3\0\n1\nSC_gregorian\t2024\tMarch\t4\n',
      '#BADCALL a NUL byte in the call\n#BADCALL unknown function 1\n45355\n', 1],
    ['\0\nSC_gregorian\t2024\tMarch\t1', '#BADCALL a NUL byte in the call\n45352\n', 1],
    ['SC_gregorian\t2024\tMar\0ch\t1\r\n', '#BADCALL a NUL byte in the call\n', 1],
    ['# a comment\n\nSC_gregorian\t2024\tMarch\t1\r\n', '45352\n', 0],
  ];
  for (const [input, out, status] of cases) assert.deepEqual(run(['batch'], input), { out, err: '', status });
});

test('call and batch --warn: results, notes and exit status', () => {
  // independent: `varizav call` words the same note (with its "did you mean").
  const note = "'Fridy' (name of day) names no weekday; WHEN treats it as any day; did you mean Friday?";
  const cases = [
    [['call', 'gregorian', '2024', 'March', '1'], '', '45352\t2024-03-01T00:00:00\n', '', 0],
    [['call', 'SC_when', 'gregorian', '', 'Fridy', '13', '', '45292'], '', '45304\t2024-01-13T00:00:00\n',
      `note: ${note}\n`, 0],
    [['call', 'SC_leapyear', 'gregorian', '-4'], '', '1\n', '', 0],  // a negative number is an argument
    [['call', 'GREGORIANISCH', '2024', 'March', '1'], '', '45352\t2024-03-01T00:00:00\n', '', 0],  // German display name
    [['call', 'SC_nothing'], '', '', 'varizav-wasm: unknown function SC_nothing\n', 1],
    [['call', 'gregorain', '2024'], '', '', 'varizav-wasm: unknown function gregorain; did you mean GREGORIAN?\n', 1],
    [['batch', '--warn'], '#\nSC_when\tgregorian\t\tFridy\t13\t\t45292\n', '45304\n', `note: line 2: ${note}\n`, 0],
    [['call'], '', '', "varizav-wasm: call needs a function name\nTry 'varizav-wasm --help'.\n", 2],
    [['--warn', 'call', 'SC_astronomy', '1'], '', '', "varizav-wasm: --warn belongs to batch\nTry 'varizav-wasm --help'.\n", 2],
  ];
  for (const [args, input, out, err, status] of cases) assert.deepEqual(run(args, input), { out, err, status }, `${args}`);
});

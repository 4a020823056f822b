#!/usr/bin/env node
// varizav-wasm: the batch command of the host tool `varizav`, running the
// WebAssembly build of the library. Same input, same output, same exit status.
import { Buffer } from 'node:buffer';
import process from 'node:process';
import { createEngine, LANGUAGE_ENGLISH, LANGUAGE_GERMAN } from '../lib/engine.js';
import { EXIT_FAILURE, runBatch } from '../lib/batch.js';

const EXIT_USAGE = 2;

const USAGE = `Usage: varizav-wasm [--lang de|en|0xNNNN] batch [--echo]

Reads calls NAME<TAB>ARG<TAB>... from standard input, one per line, and prints
one result line per call, as \`varizav batch\` does with the native library;
--echo shows each call beside its result.

Options:
  --lang L     language passed to SetLanguage: de (0x0407), en (0x0409) or a Windows
               language id 0xNNNN; default: German when the first non-empty of LC_ALL,
               LC_MESSAGES and LANG begins with "de", else English
  -h, --help   this text

The library reads VARIZAV_CALREFORM, VARIZAV_DELTA_T, VARIZAV_LANGUAGE,
VARIZAV_MAX_LOOP, VARIZAV_TIMEZONE and TZ as the native library does; texts are
UTF-8 when LC_ALL, LC_CTYPE or LANG names a UTF-8 locale. Numbers it writes with
a fraction always have a full stop.

Exit status: 0 success, 1 a malformed call, 2 bad usage.
`;

// The environment the native library reads, handed to the instance as it is.
const ENVIRONMENT = ['VARIZAV_CALREFORM', 'VARIZAV_DELTA_T', 'VARIZAV_LANGUAGE', 'VARIZAV_MAX_LOOP',
  'VARIZAV_TIMEZONE', 'TZ', 'LANG', 'LC_ALL', 'LC_CTYPE'];

function usageError(message) {
  process.stderr.write(`varizav-wasm: ${message}\nTry 'varizav-wasm --help'.\n`);
  return EXIT_USAGE;
}

function parseLanguage(text) {
  if (text === 'de' || text === 'DE') return LANGUAGE_GERMAN;
  if (text === 'en' || text === 'EN') return LANGUAGE_ENGLISH;
  if (!/^0[xX][0-9A-Fa-f]{1,4}$/.test(text)) return null;
  return Number.parseInt(text.slice(2), 16);
}

function languageFromLocale() {
  for (const name of ['LC_ALL', 'LC_MESSAGES', 'LANG']) {
    const value = process.env[name];
    if (value) return value.slice(0, 2).toLowerCase() === 'de' ? LANGUAGE_GERMAN : LANGUAGE_ENGLISH;
  }
  return LANGUAGE_ENGLISH;
}

function readStdin() {
  return new Promise((resolve, reject) => {
    const chunks = [];
    process.stdin.on('data', (chunk) => chunks.push(chunk));
    process.stdin.on('end', () => resolve(Buffer.concat(chunks)));
    process.stdin.on('error', reject);
  });
}

async function main(argv) {
  let language = null;
  let echo = false;
  const words = [];
  for (let i = 0; i < argv.length; ++i) {
    const arg = argv[i];
    if (arg === '-h' || arg === '--help') {
      process.stdout.write(USAGE);
      return 0;
    }
    if (arg === '--echo') {
      echo = true;
    } else if (arg === '--lang' || arg.startsWith('--lang=')) {
      const text = arg === '--lang' ? argv[++i] : arg.slice('--lang='.length);
      if (text === undefined) return usageError('--lang needs de, en or a language id 0xNNNN');
      language = parseLanguage(text);
      if (language === null) return usageError(`--lang takes de, en or a language id 0xNNNN, not '${text}'`);
    } else if (arg.startsWith('--')) {
      return usageError(`unknown option ${arg}`);
    } else {
      words.push(arg);
    }
  }
  if (words.length === 0) return usageError('no command given');
  if (words[0] !== 'batch') return usageError(`unknown command ${words[0]} (varizav-wasm has batch only)`);
  if (words.length > 1) return usageError('batch takes no arguments');

  const environment = {};
  for (const name of ENVIRONMENT) environment[name] = process.env[name];
  const engine = await createEngine(language ?? languageFromLocale(), environment);
  const input = (await readStdin()).toString('latin1');
  const { output, status, overruns } = runBatch(engine, input, { echo });
  for (const name of overruns) process.stderr.write(`varizav-wasm: ${name} wrote past its 256-byte result buffer\n`);
  await new Promise((resolve) => process.stdout.write(Buffer.from(output, 'latin1'), resolve));
  return status === 0 ? 0 : EXIT_FAILURE;
}

process.exitCode = await main(process.argv.slice(2));

#!/usr/bin/env node
// varizav-wasm: the call and batch commands of the host tool `varizav`,
// running the WebAssembly build of the library. Same input, same output, same
// notes, same exit status.
import { Buffer } from 'node:buffer';
import process from 'node:process';
import { createEngine, LANGUAGE_ENGLISH, LANGUAGE_GERMAN } from '../lib/engine.js';
import { runBatch, runCall } from '../lib/batch.js';

const EXIT_USAGE = 2;

const USAGE = `Usage: varizav-wasm [--lang de|en|0xNNNN] COMMAND [ARG...]

Calls the worksheet functions of the WebAssembly build of the library, as the
host tool \`varizav\` calls the native one.

Commands:
  call NAME [ARG...]  calls a function and prints its result (dates also as YYYY-MM-DDTHH:MM:SS)
  batch [--echo] [--warn]
                      reads calls NAME<TAB>ARG<TAB>... from standard input, one per line,
                      and prints one result line per call; --echo shows each call beside it,
                      --warn notes each name argument that names nothing (as call does)

NAME is an exported name (SC_gregorian) or a display name in English or German
(GREGORIAN, GREGORIANISCH), in any case.
A number argument is a number, TRUE/FALSE (WAHR/FALSCH) or a proleptic Gregorian date
YYYY-MM-DD[THH:MM[:SS]], which stands for its serial date (days since 1899-12-30).
A text argument is passed as it is. The error value prints as NaN. A name argument that
names nothing gets a note on standard error when the function falls back or fails.

Options:
  --lang L     language passed to SetLanguage: de (0x0407), en (0x0409) or a Windows
               language id 0xNNNN; default: German when the first non-empty of LC_ALL,
               LC_MESSAGES and LANG begins with "de", else English
  -h, --help   this text

The library reads VARIZAV_CALREFORM, VARIZAV_DELTA_T, VARIZAV_LANGUAGE,
VARIZAV_MAX_LOOP, VARIZAV_TIMEZONE and TZ as the native library does; texts are
UTF-8 when LC_ALL, LC_CTYPE or LANG names a UTF-8 locale. Numbers it writes with
a fraction always have a full stop.

Exit status: 0 success, 1 a failed or malformed call, 2 bad usage.
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

// A command-line word as the bytes the native tool would receive ("binary" string).
function bytesOf(word) {
  return Buffer.from(word, 'utf8').toString('latin1');
}

// Options and command as the native tool reads them; an error text for bad usage.
function parseArguments(argv, options) {
  for (let i = 0; i < argv.length; ++i) {
    const arg = argv[i];
    // Everything after `call NAME` belongs to the call (numbers may be negative).
    const inCall = options.command === 'call' && options.words.length > 0;
    if (!inCall && arg === '-h') {
      options.help = true;
      continue;
    }
    if (inCall || arg.length <= 2 || !arg.startsWith('--')) {
      if (options.command === null) options.command = arg;
      else options.words.push(arg);
      continue;
    }
    const equals = arg.indexOf('=');
    const key = equals < 0 ? arg : arg.slice(0, equals);
    const value = equals < 0 ? undefined : arg.slice(equals + 1);
    if (key === '--lang') {
      const text = value ?? argv[++i];
      if (text === undefined) return '--lang needs de, en or a language id 0xNNNN';
      options.language = parseLanguage(text);
      if (options.language === null) return `--lang takes de, en or a language id 0xNNNN, not '${text}'`;
    } else if (key === '--echo' && value === undefined) {
      options.echo = true;
    } else if (key === '--warn' && value === undefined) {
      options.warn = true;
    } else if (key === '--help' && value === undefined) {
      options.help = true;
    } else {
      return `unknown option ${arg}`;
    }
  }
  return null;
}

function checkCommand({ command, words, echo, warn }) {
  if (command === null) return 'no command given';
  if (echo && command !== 'batch') return '--echo belongs to batch';
  if (warn && command !== 'batch') return '--warn belongs to batch';
  if (command === 'batch') return words.length === 0 ? null : 'batch takes no arguments';
  if (command === 'call') return words.length > 0 ? null : 'call needs a function name';
  return `unknown command ${command} (varizav-wasm has call and batch)`;
}

async function main(argv) {
  const options = { language: null, echo: false, warn: false, help: false, command: null, words: [] };
  const error = parseArguments(argv, options);
  if (error !== null) return usageError(error);
  if (options.help) {
    process.stdout.write(USAGE);
    return 0;
  }
  const commandError = checkCommand(options);
  if (commandError !== null) return usageError(commandError);

  const environment = {};
  for (const name of ENVIRONMENT) environment[name] = process.env[name];
  const engine = await createEngine(options.language ?? languageFromLocale(), environment);
  const { output, errors, status } = options.command === 'call'
    ? runCall(engine, options.words.map(bytesOf))
    : runBatch(engine, (await readStdin()).toString('latin1'), { echo: options.echo, warn: options.warn });
  if (errors !== '') process.stderr.write(Buffer.from(errors, 'latin1'));
  await new Promise((resolve) => process.stdout.write(Buffer.from(output, 'latin1'), resolve));
  return status;
}

process.exitCode = await main(process.argv.slice(2));

// `varizav batch` over the WebAssembly library: one call per line
// (NAME<TAB>arg<TAB>...), one result line per call, "#BADCALL reason" for a
// malformed call (a line that holds a NUL byte is one: it is read whole, never
// cut at the NUL), comment and empty lines skipped (kept with echo). Works on
// bytes throughout ("binary" strings, one character per byte), so that texts
// pass in the host's character set exactly as the native tool passes them.
import { TEXT_SIZE, TYPE_NUMBER, TYPE_TEXT } from './engine.js';

export const EXIT_OK = 0;
export const EXIT_FAILURE = 1;

// Number-valued functions whose result is not a date.
const NON_DATE_FUNCTIONS = new Set(['SC_gnomon', 'SC_leapyear', 'SC_leapyear2']);
const MAX_TEXT_ARGUMENT = TEXT_SIZE - 1;

// The function that name selects, as the native tool finds it (its own code,
// compiled into the module). { f, error }: the function or why none.
export function findFunction(engine, name) {
  return engine.findFunction(name);
}

function prepareCall(engine, name, texts) {
  const { f, error } = findFunction(engine, name);
  if (f === null) return { f, error };
  const count = f.parameters.length;
  if (texts.length !== count) {
    const names = f.parameters.map((p) => p.name).join(', ');
    return { f, error: `${f.exportedName} takes ${count} argument${count === 1 ? '' : 's'} (${names}), got ${texts.length}` };
  }
  if (f.entry === null) return { f, error: `${f.exportedName} is not built yet` };
  const args = [];
  for (let i = 0; i < count; ++i) {
    const p = f.parameters[i];
    const which = `argument ${i + 1} (${p.name}) of ${f.exportedName}`;
    if (p.type === TYPE_TEXT) {
      if (texts[i].length > MAX_TEXT_ARGUMENT) return { f, error: `${which} is longer than ${MAX_TEXT_ARGUMENT} bytes` };
      args.push(texts[i]);
    } else {
      const number = engine.readNumber(texts[i]);
      if (number === null) {
        return { f, error: `${which} is not a number, TRUE/FALSE or YYYY-MM-DD[THH:MM[:SS]]: '${texts[i]}'` };
      }
      args.push(number);
    }
  }
  return { f, args, error: null };
}

function echoCall(f, fields) {
  const parts = fields.slice(1).map((field, i) => {
    const text = f !== null && i < f.parameters.length && f.parameters[i].type === TYPE_TEXT;
    return text ? `"${field}"` : field;
  });
  return `${fields[0]}(${parts.join('; ')})`;
}

// The result as one line's text: the number or the text; for date results
// with withDate, a tab and the ISO date and time it stands for.
function resultText(engine, f, result, withDate) {
  if (f.resultType !== TYPE_NUMBER) return result.value;
  const text = engine.writeNumber(result.value);
  if (!withDate || NON_DATE_FUNCTIONS.has(f.exportedName)) return text;
  const iso = engine.writeDate(result.value);
  return iso === null ? text : `${text}\t${iso}`;
}

function overrunMessage(program, f) {
  return `${program}: ${f.exportedName} wrote past its ${TEXT_SIZE}-byte result buffer\n`;
}

// Runs the calls of input (bytes as a "binary" string). echo: each call beside
// its result; warn: a note on each name argument that selects nothing.
// Returns the output and the error output (the same kind of strings) and the
// exit status; program names the tool in error messages.
export function runBatch(engine, input, { echo = false, warn = false, program = 'varizav-wasm' } = {}) {
  let status = EXIT_OK;
  const out = [];
  const errors = [];
  const lines = input.split('\n');
  if (lines[lines.length - 1] === '') lines.pop();  // the text ends with a newline
  for (const [index, text] of lines.entries()) {
    const line = text.replace(/[\r\n]+$/, '');
    if (line === '' || line[0] === '#') {
      if (echo) out.push(`${line}\n`);
      continue;
    }
    const fields = line.split('\t');
    const call = line.includes('\0') ? { f: null, error: 'a NUL byte in the call' }
                                      : prepareCall(engine, fields[0], fields.slice(1));
    const prefix = echo ? `${echoCall(call.f, fields)}\t-> ` : '';
    if (call.error !== null) {
      out.push(`${prefix}#BADCALL ${call.error}\n`);
      status = EXIT_FAILURE;
      continue;
    }
    engine.writeArguments(call.f, call.args);
    if (warn) for (const note of engine.nameNotes(call.f)) errors.push(`note: line ${index + 1}: ${note}\n`);
    const result = engine.callWritten(call.f);
    out.push(`${prefix}${resultText(engine, call.f, result, echo)}\n`);
    if (result.overran) {
      errors.push(overrunMessage(program, call.f));
      status = EXIT_FAILURE;
    }
  }
  return { output: out.join(''), errors: errors.join(''), status };
}

// One call as `varizav call NAME ARG...` makes it: the result with, for a
// date, its ISO date and time; notes on name arguments that select nothing.
// words: the name and the argument texts as bytes. Returns output, error
// output and exit status as runBatch does.
export function runCall(engine, words, { program = 'varizav-wasm' } = {}) {
  const call = prepareCall(engine, words[0], words.slice(1));
  if (call.error !== null) return { output: '', errors: `${program}: ${call.error}\n`, status: EXIT_FAILURE };
  engine.writeArguments(call.f, call.args);
  const errors = engine.nameNotes(call.f).map((note) => `note: ${note}\n`);
  const result = engine.callWritten(call.f);
  if (result.overran) errors.push(overrunMessage(program, call.f));
  return {
    output: `${resultText(engine, call.f, result, true)}\n`,
    errors: errors.join(''),
    status: result.overran ? EXIT_FAILURE : EXIT_OK,
  };
}

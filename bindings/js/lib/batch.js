// `varizav batch` over the WebAssembly library: one call per line
// (NAME<TAB>arg<TAB>...), one result line per call, "#BADCALL reason" for a
// malformed call, comment and empty lines skipped (kept with echo). Works on
// bytes throughout ("binary" strings, one character per byte), so that texts
// pass in the host's character set exactly as the native tool passes them.
import { TEXT_SIZE, TYPE_NUMBER, TYPE_TEXT } from './engine.js';
import { formatIsoDateTime, formatNumber, parseNumberArgument } from './values.js';

export const EXIT_OK = 0;
export const EXIT_FAILURE = 1;

// Number-valued functions whose result is not a date.
const NON_DATE_FUNCTIONS = new Set(['SC_gnomon', 'SC_leapyear', 'SC_leapyear2']);
const MAX_TEXT_ARGUMENT = TEXT_SIZE - 1;

// ASCII upper case only, as the native tool folds names.
function foldAscii(text) {
  return text.replace(/[a-z]+/g, (s) => s.toUpperCase());
}

export function findFunction(engine, name) {
  const wanted = foldAscii(name);
  for (const f of engine.functions) {
    if (foldAscii(f.exportedName) === wanted || foldAscii(f.displayName) === wanted) return f;
  }
  return null;
}

function prepareCall(engine, name, texts) {
  const f = findFunction(engine, name);
  if (f === null) return { f, error: `unknown function ${name}` };
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
      const number = parseNumberArgument(texts[i]);
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

function resultText(f, result) {
  return f.resultType === TYPE_NUMBER ? formatNumber(result.value) : result.value;
}

// Runs the calls of input (bytes as a "binary" string); returns the output
// (the same kind of string), the exit status and the functions that wrote
// past their text buffer.
export function runBatch(engine, input, { echo = false } = {}) {
  let status = EXIT_OK;
  const out = [];
  const overruns = [];
  const lines = input.split('\n');
  if (lines[lines.length - 1] === '') lines.pop();  // the text ends with a newline
  for (let line of lines) {
    line = line.replace(/[\r\n]+$/, '');
    if (line === '' || line[0] === '#') {
      if (echo) out.push(`${line}\n`);
      continue;
    }
    const fields = line.split('\t');
    const call = prepareCall(engine, fields[0], fields.slice(1));
    let text = echo ? `${echoCall(call.f, fields)}\t-> ` : '';
    if (call.error !== null) {
      text += `#BADCALL ${call.error}\n`;
      status = EXIT_FAILURE;
    } else {
      const result = engine.callBytes(call.f, call.args);
      text += resultText(call.f, result);
      if (echo && call.f.resultType === TYPE_NUMBER && !NON_DATE_FUNCTIONS.has(call.f.exportedName)) {
        text += dateColumn(result.value);
      }
      text += '\n';
      if (result.overran) {
        overruns.push(call.f.exportedName);
        status = EXIT_FAILURE;
      }
    }
    out.push(text);
  }
  return { output: out.join(''), status, overruns };
}

function dateColumn(serial) {
  const iso = formatIsoDateTime(serial);
  return iso === null ? '' : `\t${iso}`;
}

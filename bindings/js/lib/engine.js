// One instance of the WebAssembly library, registered the way a spreadsheet
// registers libvarizav.so: SetLanguage, then GetFunctionCount (which reads the
// settings from the environment), then the name, type codes and argument
// descriptions of every function.
//
// Settings are handed over as environment variables of the instance, so that
// the library applies them through its own configuration read. Every
// configuration gets a fresh instance: the results then depend on the
// settings alone, never on what an earlier configuration left behind.
import createVarizavCore from '../dist/varizav-core.mjs';
import { formatNumber, parseNumberArgument } from './values.js';

// Size of every text buffer a host passes, terminator included.
export const TEXT_SIZE = 256;
// Type codes of GetFunctionData.
export const TYPE_NUMBER = 0;
export const TYPE_TEXT = 1;
// Windows language identifiers.
export const LANGUAGE_GERMAN = 0x0407;
export const LANGUAGE_ENGLISH = 0x0409;

// The calendar list of varizav/names.h, and the language identifiers whose
// names it compares (German exactly for 1031).
const LIST_CALENDARS = 0;
const LANGUAGE_ID_GERMAN = 1031;
const LANGUAGE_ID_ENGLISH = 9;

// Most arguments a worksheet function takes.
const MAX_ARGUMENTS = 6;
// Names of the parameters that take a date (serial date or, for ASTRONOMICAL,
// Julian Day), in either language of the registration.
const DATE_PARAMETER_NAMES = new Set(['date', 'Datum']);
// Bytes for the notes of one call: at most four notes of a few hundred bytes.
const NOTES_SIZE = 4096;
// Bytes behind the text result buffer that the library must leave alone.
const GUARD_SIZE = 256;
const GUARD_BYTE = 0xa5;

let compiled = null;

function isNode() {
  return typeof process === 'object' && typeof process.versions === 'object' && !!process.versions.node;
}

async function wasmBytes() {
  const url = new URL('../dist/varizav-core.wasm', import.meta.url);
  if (isNode()) {
    const { readFile } = await import('node:fs/promises');
    return readFile(url);
  }
  const response = await fetch(url);
  if (!response.ok) throw new Error(`cannot load ${url}: ${response.status}`);
  return response.arrayBuffer();
}

// The compiled module, once per process or page; each engine instantiates it.
function compiledModule() {
  if (compiled === null) compiled = wasmBytes().then((bytes) => WebAssembly.compile(bytes));
  return compiled;
}

async function instantiate() {
  const module = await compiledModule();
  return createVarizavCore({
    instantiateWasm(imports, receive) {
      WebAssembly.instantiate(module, imports).then((instance) => receive(instance, module));
      return {};
    },
  });
}

// The language argument of SetLanguage: "de", "en" or a Windows language id.
export function languageId(language) {
  if (language === undefined || language === 'en' || language === 'EN') return LANGUAGE_ENGLISH;
  if (language === 'de' || language === 'DE') return LANGUAGE_GERMAN;
  if (Number.isInteger(language) && language >= 0 && language <= 0xffff) return language;
  throw new RangeError(`language must be "de", "en" or a Windows language id 0..0xFFFF, not ${String(language)}`);
}

export class Engine {
  // Use createEngine: the instance is set up asynchronously.
  constructor(core, language, environment) {
    this.core = core;
    // The module's own exports: the runtime's wrappers add a lookup per call.
    this.exports = core.asm;
    this.memory = core.asm.memory;
    this.view = new Uint8Array(this.memory.buffer);
    // The text each argument slot holds for the JavaScript API (null: unknown),
    // so that a repeated text is neither encoded nor copied again.
    this.slotText = new Array(MAX_ARGUMENTS).fill(null);
    const scratch = core._malloc(TEXT_SIZE * (MAX_ARGUMENTS + 2) + GUARD_SIZE + 8 * (MAX_ARGUMENTS + 2));
    this.textArgs = [];
    for (let i = 0; i < MAX_ARGUMENTS; ++i) this.textArgs.push(scratch + i * TEXT_SIZE);
    this.textResult = scratch + MAX_ARGUMENTS * TEXT_SIZE;
    this.registration = this.textResult + TEXT_SIZE + GUARD_SIZE;
    this.numbers = (this.registration + TEXT_SIZE + 7) & ~7;  // 8-byte aligned doubles, result first
    this.numberView = new Float64Array(this.memory.buffer, this.numbers, MAX_ARGUMENTS + 1);
    // The double that the value functions (varizav/tools.h) read into.
    this.valueAt = this.numbers + 8 * (MAX_ARGUMENTS + 1);
    this.valueView = new Float64Array(this.memory.buffer, this.valueAt, 1);

    for (const [name, value] of Object.entries(environment)) this.setEnvironment(name, value);
    this.writeShort(this.registration, language);
    core._SetLanguage(this.registration);
    core._GetFunctionCount(this.registration);
    const count = this.readShort(this.registration);
    this.functions = [];
    this.byName = new Map();
    for (let number = 0; number < count; ++number) {
      const f = this.registerFunction(number);
      if (f === null) continue;
      this.functions.push(f);
    }
  }

  // The memory as bytes (its size is fixed: the views never go stale).
  heap() {
    return this.view;
  }

  setEnvironment(name, value) {
    const bytes = new TextEncoder().encode(`${name}\0${value ?? ''}\0`);
    const at = this.core._malloc(bytes.length);
    this.heap().set(bytes, at);
    if (value === undefined || value === null) this.core._unsetenv(at);
    else this.core._setenv(at, at + name.length + 1, 1);
    this.core._free(at);
  }

  writeShort(at, value) {
    const heap = this.heap();
    heap[at] = value & 0xff;
    heap[at + 1] = (value >> 8) & 0xff;
  }

  readShort(at) {
    const heap = this.heap();
    return heap[at] | (heap[at + 1] << 8);
  }

  // The bytes of a zero-terminated text in the instance's memory, as a
  // "binary" string (one character per byte).
  bytesAt(at, limit = TEXT_SIZE) {
    const heap = this.heap();
    let end = at;
    while (end < at + limit && heap[end] !== 0) ++end;
    let text = '';
    for (let i = at; i < end; i += 4096) {
      text += String.fromCharCode.apply(null, heap.subarray(i, Math.min(end, i + 4096)));
    }
    return text;
  }

  registerFunction(number) {
    const core = this.core;
    const exported = this.textArgs[0];
    const display = this.textArgs[1];
    const name = this.textArgs[2];
    const description = this.textArgs[3];
    const codes = this.textArgs[4];  // room for 64 int32 type codes
    const slotCount = this.registration + 2;
    const numberAt = this.registration;
    this.writeShort(numberAt, number);
    core._GetFunctionData(numberAt, exported, slotCount, codes, display);
    const f = {
      number,
      exportedName: this.bytesAt(exported),
      displayName: this.bytesAt(display),
      description: '',
      resultType: TYPE_NUMBER,
      parameters: [],
      entry: null,
    };
    if (f.exportedName === '') return null;
    const slots = Math.min(this.readShort(slotCount), 64);
    const typeCodes = [];
    const view = new DataView(this.heap().buffer);
    for (let slot = 0; slot < slots; ++slot) typeCodes.push(view.getInt32(codes + 4 * slot, true));
    for (let slot = 0; slot < slots; ++slot) {
      this.writeShort(numberAt, number);
      this.writeShort(this.registration + 4, slot);
      core._GetParameterDescription(numberAt, this.registration + 4, name, description);
      if (slot === 0) {
        f.description = this.bytesAt(description);
        f.resultType = typeCodes[0];
      } else {
        const p = { name: this.bytesAt(name), description: this.bytesAt(description), type: typeCodes[slot] };
        p.isDate = p.type === TYPE_NUMBER && DATE_PARAMETER_NAMES.has(p.name);
        f.parameters.push(p);
      }
    }
    // The display names in English and German, which name the function in either language.
    f.displayNames = [0, 1].map((german) => {
      core._varizav_display_name(number, german, display);
      return this.bytesAt(display);
    });
    f.entry = this.exports[f.exportedName] ?? null;
    // Fixed places of the arguments: text i in text slot i, number i in number slot i + 1.
    f.pointers = f.parameters.map((p, i) => (p.type === TYPE_TEXT ? this.textArgs[i] : this.numbers + 8 * (i + 1)));
    f.result = f.resultType === TYPE_TEXT ? this.textResult : this.numbers;
    this.byName.set(f.exportedName, f);
    return f;
  }

  // Copies text bytes ("binary" string) into an argument slot.
  writeText(slot, bytes) {
    const heap = this.heap();
    const at = this.textArgs[slot];
    for (let k = 0; k < bytes.length; ++k) heap[at + k] = bytes.charCodeAt(k);
    heap[at + bytes.length] = 0;
  }

  setNumber(slot, value) {
    this.numberView[slot + 1] = value;
  }

  // Calls the function with the arguments already in their slots.
  invoke(f) {
    const p = f.pointers;
    const r = f.result;
    switch (p.length) {
      case 1: f.entry(r, p[0]); break;
      case 2: f.entry(r, p[0], p[1]); break;
      case 3: f.entry(r, p[0], p[1], p[2]); break;
      case 4: f.entry(r, p[0], p[1], p[2], p[3]); break;
      case 5: f.entry(r, p[0], p[1], p[2], p[3], p[4]); break;
      default: f.entry(r, p[0], p[1], p[2], p[3], p[4], p[5]); break;
    }
  }

  // A number result: the error value stands in the slot until the call writes it.
  callNumber(f) {
    this.numberView[0] = NaN;
    this.invoke(f);
    return this.numberView[0];
  }

  // A text result, decoded by decode(bytes of the memory) without the
  // checks of callText: what JavaScript programs call.
  callTextDecoded(f, decode) {
    this.heap()[this.textResult] = 0;
    this.invoke(f);
    const heap = this.heap();
    const start = this.textResult;
    let end = start;
    while (end < start + TEXT_SIZE - 1 && heap[end] !== 0) ++end;
    return decode(heap.subarray(start, end));
  }

  // A text result as bytes, and whether the call wrote past its buffer.
  callText(f) {
    let heap = this.heap();
    heap.fill(0, this.textResult, this.textResult + TEXT_SIZE);
    heap.fill(GUARD_BYTE, this.textResult + TEXT_SIZE, this.textResult + TEXT_SIZE + GUARD_SIZE);
    this.invoke(f);
    heap = this.heap();
    let overran = heap[this.textResult + TEXT_SIZE - 1] !== 0;
    for (let k = TEXT_SIZE; k < TEXT_SIZE + GUARD_SIZE && !overran; ++k) {
      overran = heap[this.textResult + k] !== GUARD_BYTE;
    }
    return { value: this.bytesAt(this.textResult, TEXT_SIZE - 1), overran };
  }

  // Puts the arguments of a call into their slots: args holds one entry per
  // parameter, a number for a number parameter, a "binary" string (bytes) of
  // at most 255 bytes for a text parameter.
  writeArguments(f, args) {
    for (let i = 0; i < f.parameters.length; ++i) {
      if (f.parameters[i].type === TYPE_TEXT) {
        this.writeText(i, args[i]);
        this.slotText[i] = null;
      } else {
        this.setNumber(i, args[i]);
      }
    }
  }

  // Calls a registered function with the arguments in their slots. Returns
  // { value, overran }: a number, or the result text as bytes.
  callWritten(f) {
    if (f.resultType === TYPE_TEXT) return this.callText(f);
    return { value: this.callNumber(f), overran: false };
  }

  // Runs use(block) over one allocation in the module's memory that holds
  // `slots` 32-bit pointer slots (block.view, from block.at), the texts
  // ("binary" strings, each zero-terminated, at block.places), an empty text
  // (block.empty) and an output area of NOTES_SIZE bytes (block.out).
  withTexts(texts, slots, use) {
    const textBytes = texts.reduce((sum, t) => sum + t.length + 1, 1);
    const at = this.core._malloc(4 * slots + textBytes + NOTES_SIZE);
    const heap = this.heap();
    let next = at + 4 * slots;
    const places = texts.map((t) => {
      const start = next;
      for (let k = 0; k < t.length; ++k) heap[next++] = t.charCodeAt(k);
      heap[next++] = 0;
      return start;
    });
    const empty = next++;
    heap[empty] = 0;
    try {
      return use({ at, view: new DataView(this.memory.buffer), places, empty, out: next });
    } finally {
      this.core._free(at);
    }
  }

  // The registered function that name ("binary" string) selects, as the host
  // tool finds it: { f, error }, the function or why none.
  findFunction(name) {
    const n = this.functions.length;
    const texts = [name, ...this.functions.map((g) => g.exportedName), ...this.functions.map((g) => g.displayName)];
    return this.withTexts(texts, 2 * n, ({ at, view, places, out }) => {
      for (let i = 0; i < 2 * n; ++i) view.setUint32(at + 4 * i, places[1 + i], true);
      const index = this.core._varizav_find_function(places[0], at, at + 4 * n, n, out, NOTES_SIZE);
      return index < 0 ? { f: null, error: this.bytesAt(out, NOTES_SIZE) } : { f: this.functions[index], error: null };
    });
  }

  // The notes of the host tool on the text arguments in the slots that select
  // nothing, as "binary" strings (the registration's character set).
  nameNotes(f) {
    const n = f.parameters.length;
    const texts = [f.exportedName, f.displayName, ...f.parameters.map((p) => p.name)];
    const notes = this.withTexts(texts, 2 * n, ({ at, view, places, empty, out }) => {
      for (let i = 0; i < n; ++i) {
        view.setUint32(at + 4 * i, places[2 + i], true);
        view.setUint32(at + 4 * (n + i), f.parameters[i].type === TYPE_TEXT ? this.textArgs[i] : empty, true);
      }
      const length = this.core._varizav_name_notes(places[0], places[1], at, at + 4 * n, n, out, NOTES_SIZE);
      return this.bytesAt(out, length);
    });
    return notes === '' ? [] : notes.slice(0, -1).split('\n');
  }

  // A text ("binary" string) zero-terminated in the memory, for a call of
  // read(at): in the registration buffer when it fits, else in a block of its
  // own. A text holding a NUL byte is not handed over (its C text would end
  // there): the result is then `otherwise`.
  withText(bytes, read, otherwise) {
    if (bytes.includes('\0')) return otherwise;
    const own = bytes.length >= TEXT_SIZE;
    const at = own ? this.core._malloc(bytes.length + 1) : this.registration;
    const heap = this.heap();
    for (let k = 0; k < bytes.length; ++k) heap[at + k] = bytes.charCodeAt(k);
    heap[at + bytes.length] = 0;
    try {
      return read(at);
    } finally {
      if (own) this.core._free(at);
    }
  }

  // A number argument as the library reads one ("binary" string): a decimal
  // number, TRUE/FALSE, WAHR/FALSCH or a date YYYY-MM-DD[THH:MM[:SS]]; null
  // for anything else.
  readNumber(bytes) {
    return parseNumberArgument(bytes, (text) => this.readDate(text));
  }

  // The serial date of a date YYYY-MM-DD[THH:MM[:SS]] ("binary" string), or null.
  readDate(bytes) {
    return this.withText(bytes, (at) => (this.core._varizav_read_date(at, this.valueAt) ? this.valueView[0] : null), null);
  }

  // The serial date of 0h of a proleptic Gregorian date that exists, or null.
  serialOfDate(year, month, day) {
    return this.core._varizav_serial_of_date(year, month, day, this.valueAt) ? this.valueView[0] : null;
  }

  // A number as the library writes it: the shortest text that reads back as
  // the same double ("NaN" for every NaN).
  writeNumber(value) {
    return formatNumber(value);
  }

  // "YYYY-MM-DDTHH:MM:SS" of a serial date, or null where it gives no date.
  writeDate(serial) {
    const length = this.core._varizav_write_date(serial, this.registration);
    return length === 0 ? null : this.bytesAt(this.registration, length);
  }

  // The calendar (1..25) that a text ("binary" string, at most 255 bytes)
  // selects as a calendar argument in the language in force; 0 for none.
  calendarEntry(bytes) {
    const at = this.core._malloc(bytes.length + 1);
    const heap = this.heap();
    for (let k = 0; k < bytes.length; ++k) heap[at + k] = bytes.charCodeAt(k);
    heap[at + bytes.length] = 0;
    // In German the English names, which the lists' keys use, select too.
    const language = this.core._varizav_name_language();
    let entry = this.core._varizav_name_entry(LIST_CALENDARS, at, language);
    if (entry === 0 && language === LANGUAGE_ID_GERMAN) entry = this.core._varizav_name_entry(LIST_CALENDARS, at, LANGUAGE_ID_ENGLISH);
    this.core._free(at);
    return entry;
  }

  // Entry 1..count of a name list of varizav/names.h (0: calendars; 1 + k:
  // holidays of calendar k) as Windows-1252 bytes; "" past the end.
  nameBytes(table, entry, german) {
    const language = german ? LANGUAGE_ID_GERMAN : LANGUAGE_ID_ENGLISH;
    return this.bytesAt(this.core._varizav_name(table, entry, language), 4096);
  }

  nameCount(table) {
    return this.core._varizav_name_count(table);
  }

  // A content line of an iCalendar file, folded and (text: true) escaped by
  // the host tool's own code; name and value are "binary" strings (UTF-8).
  icsLine(name, value, text) {
    const size = 4 * (name.length + value.length) + 64;
    const at = this.core._malloc(name.length + value.length + 2 + size);
    const heap = this.heap();
    for (let k = 0; k < name.length; ++k) heap[at + k] = name.charCodeAt(k);
    heap[at + name.length] = 0;
    const valueAt = at + name.length + 1;
    for (let k = 0; k < value.length; ++k) heap[valueAt + k] = value.charCodeAt(k);
    heap[valueAt + value.length] = 0;
    const out = valueAt + value.length + 1;
    const length = this.core._varizav_ics_line(at, valueAt, text ? 1 : 0, out, size);
    const line = length < 0 ? '' : this.bytesAt(out, length);
    this.core._free(at);
    return line;
  }

  // A GEDCOM date value ("binary" string) read by the library's
  // varizav_gedcom_date: the kind's name, the first and the last serial day,
  // and the reason for a rejected value (bytes).
  gedcomDate(bytes) {
    // The value, its terminator, two doubles (8-byte aligned) and the reason.
    const at = this.core._malloc(bytes.length + 1 + 8 + 16 + TEXT_SIZE);
    const heap = this.heap();
    for (let k = 0; k < bytes.length; ++k) heap[at + k] = bytes.charCodeAt(k);
    heap[at + bytes.length] = 0;
    const numbers = (at + bytes.length + 1 + 7) & ~7;
    const reason = numbers + 16;
    const kind = this.core._varizav_gedcom_date(at, numbers, numbers + 8, reason);
    const view = new DataView(this.memory.buffer);
    const result = {
      kind: this.bytesAt(this.core._varizav_gedcom_kind_name(kind), 32),
      first: view.getFloat64(numbers, true),
      last: view.getFloat64(numbers + 8, true),
      reason: this.bytesAt(reason, TEXT_SIZE - 1),
    };
    this.core._free(at);
    return result;
  }
}

// A registered instance. language: a Windows language id; environment: the
// variables the library reads (VARIZAV_*, TZ, LANG, LC_ALL, LC_CTYPE), each a
// text or undefined; any other variable the runtime starts with is removed.
export async function createEngine(language, environment) {
  const core = await instantiate();
  const cleared = {};
  for (const name of ['LANG', 'LC_ALL', 'LC_CTYPE', 'TZ']) cleared[name] = undefined;
  return new Engine(core, language, { ...cleared, ...environment });
}

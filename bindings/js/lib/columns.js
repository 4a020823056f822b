// Worksheet functions over whole columns: arrays (typed arrays, plain arrays
// of numbers, Dates or strings) in, a Float64Array (numbers) or an array of
// strings (texts) out, through the library's column entry point
// VarizavCallColumns, one call per block of rows instead of one per value.
//   callColumns('SC_gregorian', new Float64Array([2023, 2024]), 'March', 31)
//     // Float64Array [45016, 45382]
// A scalar applies to every row; arrays must all have the same length.
// callColumnsUtf8 gives texts as the library writes them, UTF-8 bytes in one
// Uint8Array, for data that goes on to a file or another engine: a million
// JavaScript strings cost more to keep than the library takes to write them.
import { currentEngine, serialFromDate } from './api.js';

// Rows per block: the module's memory has a fixed size, so a long column
// crosses it in blocks that always fit.
const BLOCK_ROWS = 4096;
// Rows per block with text columns: up to 256 bytes per text and row.
const TEXT_BLOCK_ROWS = 2048;
// Bytes of text storage per row of a block (texts of 48 bytes on average;
// a longer one leaves rows for the next round), and a host buffer beyond.
const TEXT_BYTES_PER_ROW = 48;
const TEXT_SIZE = 256;
const TYPE_TEXT = 1;
// Sizes in the module's memory (wasm32): VarizavColumn is three 4-byte fields,
// VarizavResultColumn four.
const COLUMN_SIZE = 12;
const RESULT_SIZE = 16;
const JULIAN_DAY_OF_SERIAL_ZERO = 2415018.5;

const utf8Encoder = new TextEncoder();
const utf8Decoder = new TextDecoder('utf-8');

function isColumn(value) {
  return ArrayBuffer.isView(value) || Array.isArray(value);
}

function findFunction(engine, name) {
  const wanted = String(name).toUpperCase();
  for (const f of engine.functions) {
    if (f.exportedName.toUpperCase() === wanted || f.exportedName.slice(3).toUpperCase() === wanted ||
        f.displayNames.some((d) => d.toUpperCase() === wanted)) {
      return f;
    }
  }
  throw new TypeError(`no worksheet function ${name}`);
}

function numberOf(f, index, value) {
  if (typeof value === 'number') return value;
  if (typeof value === 'boolean') return value ? 1 : 0;
  if (value instanceof Date && f.parameters[index].isDate) {
    const serial = serialFromDate(value);
    return f.exportedName === 'SC_astronomy' ? serial + JULIAN_DAY_OF_SERIAL_ZERO : serial;
  }
  throw new TypeError(`${f.exportedName}: argument ${index + 1} must be a number${f.parameters[index].isDate ? ' or a Date' : ''}`);
}

function textOf(f, index, value) {
  const text = typeof value === 'number' ? String(value) : value;
  if (typeof text !== 'string') throw new TypeError(`${f.exportedName}: argument ${index + 1} must be a string`);
  const bytes = utf8Encoder.encode(text);
  if (bytes.length >= TEXT_SIZE) {
    throw new RangeError(`${f.exportedName}: argument ${index + 1} is longer than ${TEXT_SIZE - 1} bytes`);
  }
  return bytes;
}

// Calls a worksheet function (exported, friendly or display name) over
// columns. Number results fill a Float64Array (NaN for the error value); each
// run of text results (rows row..next, their texts one after another from
// `storage`, each ended by a zero byte, their byte counts at `lengths`) goes
// to sink.add, and sink.finish() gives the result.
function runColumns(name, args, sink) {
  const engine = currentEngine();
  const f = findFunction(engine, name);
  const n = f.parameters.length;
  if (args.length !== n) throw new TypeError(`${f.exportedName} takes ${n} arguments, got ${args.length}`);
  let rows = 1;
  let anyColumn = false;
  for (const a of args) {
    if (!isColumn(a)) continue;
    if (anyColumn && a.length !== rows) throw new RangeError(`${f.exportedName}: columns of different lengths`);
    rows = a.length;
    anyColumn = true;
  }
  const textResult = f.resultType === TYPE_TEXT;
  if (textResult) sink.start(rows);
  const out = textResult ? null : new Float64Array(rows);
  if (rows === 0) return textResult ? sink.finish() : out;

  const core = engine.core;
  // One allocation: the argument columns, the pointers of the text columns,
  // their texts, the encoded texts of the scalar text arguments, the result.
  const textScalars = args.map((a, i) => (f.parameters[i].type === TYPE_TEXT && !isColumn(a) ? textOf(f, i, a) : null));
  const textColumnCount = args.filter((a, i) => f.parameters[i].type === TYPE_TEXT && isColumn(a)).length;
  const block = Math.min(rows, textColumnCount > 0 ? Math.floor(TEXT_BLOCK_ROWS / textColumnCount) : BLOCK_ROWS);
  const numberBytes = 8 * block * n;
  const pointerBytes = 4 * block * n;
  const textBytes = block * TEXT_SIZE * textColumnCount;
  const scalarBytes = textScalars.reduce((sum, t) => sum + (t ? t.length + 1 : 0), 0);
  const storageBytes = textResult ? block * TEXT_BYTES_PER_ROW + TEXT_SIZE : 0;
  const size = numberBytes + pointerBytes + textBytes + scalarBytes + storageBytes + 8 * block + 4 * block +
    COLUMN_SIZE * n + RESULT_SIZE + 16;
  const base = core._malloc(size);
  if (base === 0) throw new RangeError('varizav: no room in the module for a block of rows');
  try {
    const at = (base + 7) & ~7;
    const numbers = at;                              // n columns of block doubles
    const pointers = numbers + numberBytes;          // n columns of block text pointers
    const lengths = pointers + pointerBytes;         // block text lengths (size_t)
    const results = lengths + 4 * block;             // block doubles
    const columns = results + 8 * block;             // n VarizavColumn
    const result = columns + COLUMN_SIZE * n;        // one VarizavResultColumn
    let texts = result + RESULT_SIZE;                // texts of text columns, then scalar texts, then the storage
    const heap = engine.heap();
    const f64 = new Float64Array(heap.buffer);
    const u32 = new Uint32Array(heap.buffer);
    const scalarAt = [];
    const textArea = texts;
    texts += textBytes;
    for (let i = 0; i < n; ++i) {
      if (textScalars[i] === null) continue;
      heap.set(textScalars[i], texts);
      heap[texts + textScalars[i].length] = 0;
      scalarAt[i] = texts;
      texts += textScalars[i].length + 1;
    }
    const storage = texts;
    for (let first = 0; first < rows;) {
      const count = Math.min(block, rows - first);
      let textNext = textArea;
      for (let i = 0; i < n; ++i) {
        const a = args[i];
        const column = columns + COLUMN_SIZE * i;
        const isText = f.parameters[i].type === TYPE_TEXT;
        let length = 1;
        if (isText && textScalars[i] !== null) {
          u32[(pointers + 4 * block * i) >> 2] = scalarAt[i];
        } else if (isText) {
          for (let r = 0; r < count; ++r) {
            const bytes = textOf(f, i, a[first + r]);
            heap.set(bytes, textNext);
            heap[textNext + bytes.length] = 0;
            u32[(pointers + 4 * block * i + 4 * r) >> 2] = textNext;
            textNext += bytes.length + 1;
          }
          length = count;
        } else if (!isColumn(a)) {
          f64[(numbers + 8 * block * i) >> 3] = numberOf(f, i, a);
        } else if (a instanceof Float64Array) {
          f64.set(a.subarray(first, first + count), (numbers + 8 * block * i) >> 3);
          length = count;
        } else {
          for (let r = 0; r < count; ++r) f64[((numbers + 8 * block * i) >> 3) + r] = numberOf(f, i, a[first + r]);
          length = count;
        }
        u32[column >> 2] = isText ? 0 : numbers + 8 * block * i;
        u32[(column + 4) >> 2] = isText ? pointers + 4 * block * i : 0;
        u32[(column + 8) >> 2] = length;
      }
      let done = first;
      for (let row = 0; row < count;) {
        // Rows row..count of the block; the text storage may take fewer.
        u32[result >> 2] = textResult ? 0 : results;
        u32[(result + 4) >> 2] = textResult ? storage : 0;
        u32[(result + 8) >> 2] = storageBytes;
        u32[(result + 12) >> 2] = textResult ? lengths : 0;
        // The 64-bit result: a BigInt, or its low 32 bits where the module
        // passes 64-bit integers to JavaScript in two halves.
        const returned = engine.exports.VarizavCallColumns(f.number, columns, n, row, count, result);
        const next = typeof returned === 'bigint' ? Number(BigInt.asIntN(32, returned)) : returned | 0;
        if (next <= row) throw new Error(`${f.exportedName}: the library refused the call`);
        if (textResult) sink.add(heap, u32, storage, lengths >> 2, row, next, first);
        row = next;
        done = first + next;
      }
      if (!textResult) out.set(f64.subarray(results >> 3, (results >> 3) + count), first);
      first = done;
    }
  } finally {
    core._free(base);
  }
  return textResult ? sink.finish() : out;
}

// Returns a Float64Array (NaN for the error value) or an array of strings
// ('' for the error value).
export function callColumns(name, ...args) {
  let out;
  return runColumns(name, args, {
    start(rows) {
      out = new Array(rows);
    },
    add(heap, u32, storage, lengths, row, next, first) {
      let end = storage;
      for (let r = row; r < next; ++r) end += u32[lengths + r] + 1;
      const decoded = utf8Decoder.decode(heap.subarray(storage, end - 1)).split('\0');
      for (let r = row; r < next; ++r) out[first + r] = decoded[r - row];
    },
    finish: () => out,
  });
}

// As callColumns, but texts come back as { bytes, offsets }: bytes holds the
// UTF-8 texts one after another, each ended by a zero byte, and text r is
// bytes.subarray(offsets[r], offsets[r + 1] - 1) (offsets has rows + 1
// entries; the error value is the empty text).
export function callColumnsUtf8(name, ...args) {
  let bytes;
  let offsets;
  let used = 0;
  return runColumns(name, args, {
    start(rows) {
      bytes = new Uint8Array(Math.max(rows, 1) * TEXT_BYTES_PER_ROW);
      offsets = new Uint32Array(rows + 1);
    },
    add(heap, u32, storage, lengths, row, next, first) {
      let end = storage;
      for (let r = row; r < next; ++r) {
        offsets[first + r] = used + end - storage;
        end += u32[lengths + r] + 1;
      }
      if (used + end - storage > bytes.length) {
        const grown = new Uint8Array(Math.max(2 * bytes.length, used + end - storage));
        grown.set(bytes.subarray(0, used));
        bytes = grown;
      }
      bytes.set(heap.subarray(storage, end), used);
      used += end - storage;
      offsets[first + next] = used;
    },
    finish: () => ({ bytes: bytes.subarray(0, used), offsets }),
  });
}

// The worksheet functions for the JavaScript of a spreadsheet (Google Sheets'
// Apps Script, Excel's custom functions). A classic script fragment: the
// generator (generate.mjs) puts it into one scope with the module's factory
// and the package's engine (bindings/js/lib/engine.js) and values
// (bindings/js/lib/values.js), so that it runs where there is no module
// loader, no fetch that can be awaited and no TextEncoder.
//
// Each argument may be a value or a range (an array of rows); with ranges the
// result is the array of the results, a range of one row or one column
// standing for each row or column, as in the host's own array formulas.

var VARIZAV_BYTES_LIMIT = TEXT_SIZE - 1;  // longest text argument in bytes
var VARIZAV_SECONDS_PER_DAY = 86400;

// What the engine needs of TextEncoder: the bytes of the variable names and
// values it hands the library (ASCII).
function VarizavTextEncoder() {}
VarizavTextEncoder.prototype.encode = function (text) {
  var bytes = new Uint8Array(text.length);
  for (var i = 0; i < text.length; ++i) bytes[i] = text.charCodeAt(i) & 0xff;
  return bytes;
};
var TextEncoder = typeof globalThis.TextEncoder === 'function' ? globalThis.TextEncoder : VarizavTextEncoder;

// The bytes of a base64 text (RFC 4648, with padding).
function varizavBase64Bytes(text) {
  var alphabet = 'ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/';
  var value = new Uint8Array(128);
  for (var i = 0; i < alphabet.length; ++i) value[alphabet.charCodeAt(i)] = i;
  var padding = text.endsWith('==') ? 2 : text.endsWith('=') ? 1 : 0;
  var bytes = new Uint8Array(text.length / 4 * 3 - padding);
  var at = 0;
  for (var k = 0; k < text.length; k += 4) {
    var n = (value[text.charCodeAt(k)] << 18) | (value[text.charCodeAt(k + 1)] << 12) |
            (value[text.charCodeAt(k + 2)] << 6) | value[text.charCodeAt(k + 3)];
    if (at < bytes.length) bytes[at++] = n >> 16;
    if (at < bytes.length) bytes[at++] = (n >> 8) & 0xff;
    if (at < bytes.length) bytes[at++] = n & 0xff;
  }
  return bytes;
}

// A JavaScript string as UTF-8 bytes in a "binary" string (one character per byte).
function varizavUtf8(text) {
  if (!/[^\x00-\x7f]/.test(text)) return text;
  return unescape(encodeURIComponent(text));
}

// UTF-8 bytes (an array of byte values) as a JavaScript string; a byte that
// is no UTF-8 stands for itself.
function varizavFromUtf8(bytes) {
  var ascii = true;
  for (var i = 0; i < bytes.length && ascii; ++i) ascii = bytes[i] < 0x80;
  var binary = '';
  for (var k = 0; k < bytes.length; k += 4096) {
    binary += String.fromCharCode.apply(null, bytes.subarray(k, Math.min(bytes.length, k + 4096)));
  }
  if (ascii) return binary;
  try {
    return decodeURIComponent(escape(binary));
  } catch (e) {
    return binary;
  }
}

// A number given for a text argument, with all its digits (2024, not 2024.0
// or 2.024e3), as the library reads a year from the leading digits.
function varizavNumberText(value) {
  if (Number.isSafeInteger(value)) return String(value);
  if (Number.isInteger(value)) return BigInt(value).toString();
  var text = String(value);
  return Number.isFinite(value) && text.indexOf('e') >= 0 ? value.toFixed(20) : text;
}

function varizavIsDate(value) {
  return Object.prototype.toString.call(value) === '[object Date]';
}

// The serial date of a JavaScript Date, read in the script's own time zone
// (the date and time the cell shows).
function varizavSerialOfDate(engine, date) {
  var seconds = date.getHours() * 3600 + date.getMinutes() * 60 + date.getSeconds() + date.getMilliseconds() / 1000;
  var day = engine.serialOfDate(date.getFullYear(), date.getMonth() + 1, date.getDate());
  return day === null ? NaN : day + seconds / VARIZAV_SECONDS_PER_DAY;
}

function varizavIsEmpty(value) {
  return value === undefined || value === null || value === '';
}

// The shell over one instance of the module. wasmBinary: the module's bytes;
// host: how the spreadsheet carries what the library cannot say as a number
// or a text:
//   error()         the error value of the library (NaN): #NUM!
//   invalid()       a value no argument of the library can take (a text of
//                   more than 255 bytes, a text for a number that is none)
//   notAvailable()  a cell beyond a range shorter than the others
//   blank()         the result of a row of ranges whose cells are all empty
function varizavShell(wasmBinary, host) {
  // Compiled and instantiated before the factory returns
  // (-sWASM_ASYNC_COMPILATION=0); Emscripten 3.1 returns the module itself.
  var core = createVarizavSheetsCore({ wasmBinary: wasmBinary });
  // Texts cross the boundary as UTF-8; the time zone is the runtime's own.
  var engine = new Engine(core, LANGUAGE_ENGLISH,
                          { LANG: 'C.UTF-8', LC_ALL: undefined, LC_CTYPE: undefined, TZ: undefined });

  // Puts one value into argument slot k of f; false when it cannot be one.
  function put(f, k, value) {
    if (f.parameters[k].type === TYPE_TEXT) {
      var text;
      if (varizavIsEmpty(value)) text = '';
      else if (typeof value === 'string') text = value;
      else if (typeof value === 'number') text = varizavNumberText(value);
      else if (typeof value === 'boolean') text = value ? 'TRUE' : 'FALSE';
      else if (varizavIsDate(value)) text = varizavNumberText(varizavSerialOfDate(engine, value));
      else return false;
      var bytes = varizavUtf8(text);
      if (bytes.length > VARIZAV_BYTES_LIMIT) return false;
      engine.writeText(k, bytes);
      return true;
    }
    var number;
    if (typeof value === 'number') number = value;
    else if (varizavIsEmpty(value)) number = 0;
    else if (typeof value === 'boolean') number = value ? 1 : 0;
    else if (varizavIsDate(value)) number = varizavSerialOfDate(engine, value);
    else if (typeof value === 'string') number = engine.readNumber(varizavUtf8(value.trim()));
    else return false;
    if (number === null) return false;
    engine.setNumber(k, number);
    return true;
  }

  function callOne(f, values) {
    for (var k = 0; k < f.parameters.length; ++k) {
      if (!put(f, k, values[k])) return host.invalid();
    }
    if (f.resultType === TYPE_TEXT) return engine.callTextDecoded(f, varizavFromUtf8);
    var result = engine.callNumber(f);
    return Number.isNaN(result) ? host.error() : result;
  }

  // Calls the function of that exported name with the arguments given
  // (values or ranges); missing arguments are empty.
  function call(name, args) {
    var f = engine.byName.get(name);
    var n = f.parameters.length;
    var ranges = [];
    var rows = 1;
    var columns = 1;
    for (var k = 0; k < n; ++k) {
      var v = args[k];
      if (Array.isArray(v) && v.length > 0 && !Array.isArray(v[0])) v = [v];
      if (Array.isArray(v)) {
        ranges.push(k);
        rows = Math.max(rows, v.length);
        for (var r = 0; r < v.length; ++r) columns = Math.max(columns, v[r].length);
      }
    }
    var values = new Array(n);
    for (var a = 0; a < n; ++a) values[a] = Array.isArray(args[a]) ? undefined : args[a];
    if (rows === 1 && columns === 1) {
      for (var s = 0; s < ranges.length; ++s) {
        var single = args[ranges[s]];
        values[ranges[s]] = Array.isArray(single[0]) ? single[0][0] : single[0];
      }
      var one = callOne(f, values);
      return host.single(one);
    }
    var out = new Array(rows);
    for (var i = 0; i < rows; ++i) {
      var row = new Array(columns);
      for (var j = 0; j < columns; ++j) {
        var missing = false;
        var empty = true;
        for (var q = 0; q < ranges.length; ++q) {
          var range = Array.isArray(args[ranges[q]][0]) ? args[ranges[q]] : [args[ranges[q]]];
          var ri = range.length === 1 ? 0 : i;
          var cells = range[ri];
          var cj = cells === undefined ? 0 : cells.length === 1 ? 0 : j;
          if (cells === undefined || cj >= cells.length) {
            missing = true;
            break;
          }
          values[ranges[q]] = cells[cj];
          empty = empty && varizavIsEmpty(cells[cj]);
        }
        if (missing) row[j] = host.notAvailable();
        else if (empty) row[j] = host.blank();
        else row[j] = callOne(f, values);
      }
      out[i] = row;
    }
    return out;
  }

  return { engine: engine, call: call };
}

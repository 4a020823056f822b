// The Excel add-in: functions.json and manifest.xml against the registration
// and the rules of Office's custom-function metadata, and functions.js loaded
// as Office's JavaScript runtime loads it (a classic script; here with a
// CustomFunctions object that records associate and a fetch of varizav.wasm),
// every associated function giving the host tool's results.
import { strict as assert } from 'node:assert';
import { spawnSync } from 'node:child_process';
import { readFileSync, statSync } from 'node:fs';
import { test } from 'node:test';
import vm from 'node:vm';
import { createEngine, LANGUAGE_ENGLISH, TYPE_TEXT } from '../../../bindings/js/lib/engine.js';
import { differences, rangeGroups, referenceCalls, root, skip } from './calls.js';

const dir = process.env.VARIZAV_EXCEL_DIR ?? `${root}build-sheets/excel`;
const metadata = JSON.parse(readFileSync(`${dir}/functions.json`, 'utf8'));

class CustomFunctionsError {
  constructor(code, message) {
    this.code = code;
    this.message = message;
  }
}
const isError = (v) => v instanceof CustomFunctionsError;

async function load() {
  const associated = new Map();
  const wasm = readFileSync(`${dir}/varizav.wasm`);
  const fetched = [];
  const context = vm.createContext({
    WebAssembly,
    CustomFunctions: {
      associate: (id, f) => associated.set(id, f),
      Error: CustomFunctionsError,
      ErrorCode: { invalidNumber: '#NUM!', notAvailable: '#N/A', invalidValue: '#VALUE!' },
    },
    fetch: async (url) => {
      fetched.push(url);
      return { ok: true, status: 200, arrayBuffer: async () => wasm.buffer.slice(wasm.byteOffset, wasm.byteOffset + wasm.length) };
    },
  });
  vm.runInContext(readFileSync(`${dir}/functions.js`, 'utf8'), context, { filename: 'functions.js' });
  return { associated, fetched };
}

// The rules of the custom-function metadata (Office's JSON schema for
// functions.json: id and name of letters, digits and periods beginning with a
// letter, at most 128 characters; parameter types and dimensionality from
// fixed sets; no other keys than these).
const ID = /^[A-Za-z][A-Za-z0-9._]{0,127}$/;
const FUNCTION_KEYS = new Set(['id', 'name', 'description', 'helpUrl', 'parameters', 'result', 'options']);
const PARAMETER_KEYS = new Set(['name', 'description', 'type', 'dimensionality', 'optional', 'repeating']);
const TYPES = new Set(['number', 'string', 'boolean', 'any']);
const DIMENSIONALITIES = new Set(['scalar', 'matrix']);

test('functions.json: every function of the registration, valid metadata', async () => {
  const engine = await createEngine(LANGUAGE_ENGLISH, { LANG: 'C.UTF-8' });
  assert.deepEqual(Object.keys(metadata), ['functions']);
  assert.equal(metadata.functions.length, 35);
  assert.deepEqual(metadata.functions.map((f) => f.name), engine.functions.map((f) => f.displayName));
  for (const [i, f] of metadata.functions.entries()) {
    const registered = engine.functions[i];
    for (const key of Object.keys(f)) assert.ok(FUNCTION_KEYS.has(key), `${f.name}: key ${key}`);
    assert.match(f.id, ID);
    assert.match(f.name, ID);
    assert.ok(f.description.length > 0);
    assert.equal(f.parameters.length, registered.parameters.length, f.name);
    for (const [k, p] of f.parameters.entries()) {
      for (const key of Object.keys(p)) assert.ok(PARAMETER_KEYS.has(key), `${f.name}: parameter key ${key}`);
      assert.match(p.name, /^[A-Za-z][A-Za-z0-9]*$/);
      assert.ok(p.description.length > 0, `${f.name} ${p.name}`);
      assert.equal(p.type, registered.parameters[k].type === TYPE_TEXT ? 'string' : 'number');
      assert.ok(TYPES.has(p.type) && DIMENSIONALITIES.has(p.dimensionality));
    }
    assert.ok(TYPES.has(f.result.type) && DIMENSIONALITIES.has(f.result.dimensionality));
  }
  assert.equal(new Set(metadata.functions.map((f) => f.id.toUpperCase())).size, 35, 'ids differ');
});

test('manifest.xml: well-formed, a CustomFunctions extension point naming the three files', () => {
  const path = `${dir}/manifest.xml`;
  const r = spawnSync('/usr/bin/python3', ['-c', 'import sys, xml.dom.minidom; xml.dom.minidom.parse(sys.argv[1])', path]);
  assert.equal(r.status, 0, r.stderr.toString());
  const manifest = readFileSync(path, 'utf8');
  assert.match(manifest, /<ExtensionPoint xsi:type="CustomFunctions">/);
  for (const file of ['functions.js', 'functions.json', 'functions.html']) {
    assert.match(manifest, new RegExp(`<bt:Url id="[^"]+" DefaultValue="https://localhost:3000/${file.replace('.', '\\.')}"/>`));
  }
  assert.match(manifest, /<bt:String id="Functions.Namespace" DefaultValue="VARIZAV"\/>/);
});

test('functions.js: associates every function; first call and a column', async (t) => {
  const started = performance.now();
  const { associated, fetched } = await load();
  assert.deepEqual([...associated.keys()], metadata.functions.map((f) => f.id));
  const gregorian = associated.get('GREGORIAN');
  assert.deepEqual(JSON.parse(JSON.stringify(await gregorian([[2024]], [['March']], [[31]]))), [[45382]]);
  const first = performance.now() - started;
  assert.deepEqual(fetched, ['https://localhost:3000/varizav.wasm']);
  const error = (await gregorian([[2001]], [['February']], [[32]]))[0][0];
  assert.ok(isError(error) && error.code === '#NUM!');
  for (const args of [[[['abc']], [['March']], [[31]]], [[[2024]], [['x'.repeat(256)]], [[31]]]]) {
    assert.equal(gregorian(...args)[0][0].code, '#VALUE!', 'no number, or a text too long for the library');
  }
  const rows = 10000;
  const years = Array.from({ length: rows }, (_, i) => [1600 + (i % 800)]);
  const started2 = performance.now();
  const column = gregorian(years, [['March']], [[31]]);
  const range = performance.now() - started2;
  assert.equal(column[424][0], 45382);
  assert.ok(isError(gregorian([[2024], [2025]], [['March'], ['May'], ['June']], [[31]])[2][0]), '#N/A past a range');
  const size = ['functions.js', 'varizav.wasm'].map((f) => statSync(`${dir}/${f}`).size);
  t.diagnostic(`functions.js ${size[0]} bytes, varizav.wasm ${size[1]} bytes; first call ${first.toFixed(0)} ms ` +
               `(fetch and compile), ${rows}-row range ${range.toFixed(0)} ms`);
});

test('every associated function over the Calc corpus and the sweep', { skip }, async (t) => {
  const { associated } = await load();
  await associated.get('GREGORIAN')([[2024]], [['March']], [[31]]);  // the module is loaded
  const calls = referenceCalls();
  const scalar = calls.map((c) => {
    const result = associated.get(c.displayName)(...c.values.map((v) => [[v]]));
    assert.equal(result.length, 1);
    return result[0][0];
  });
  assert.deepEqual(differences(calls, scalar, isError), [], 'values');
  for (const { group, columns, displayName } of rangeGroups(calls)) {
    const result = associated.get(displayName)(...columns.map((c) => (Array.isArray(c) ? c : [[c]])));
    assert.deepEqual(differences(group, result.map((row) => row[0]), isError), [], `${displayName} over ranges`);
  }
  assert.equal(new Set(calls.map((c) => c.name)).size, 35, 'every function called');
  t.diagnostic(`${calls.length} calls as values and in ranges: equal to varizav batch`);
});

// hygrian for JavaScript: the library and the chart compiled to WebAssembly
// (js/exports.cpp), behind functions made from the library's tables (TABLES,
// written by js/tables.cpp). This script follows emscripten's module factory
// (createHygrian) in the built hygrian.mjs; it holds no relation of its own:
// every number comes from the C++ that every other surface runs.
//
// A bad state is a status, never an exception; a wrong call (an unknown key,
// two values that form no pair, an array of another length) is a TypeError.

let runtime = null; // the module, once init() has loaded it
let loading = null;

const deepFreeze = (value) => {
  if (value && typeof value === 'object') Object.values(value).forEach(deepFreeze);
  return Object.freeze(value);
};

deepFreeze(TABLES);
export const version = TABLES.version;
export const PROPERTIES = TABLES.properties;
export const PAIRS = TABLES.pairs;
export const OUTCOMES = TABLES.outcomes;
export const UNITS = TABLES.units;
export const PROCESSES = TABLES.processes;

const OUTCOME_OF = new Map(OUTCOMES.map((o) => [o.code, o]));
const UNKNOWN_OUTCOME = Object.freeze({ code: 0, key: 'fault', text: 'unknown status', kind: 'fault' });

// The row of OUTCOMES of a status code.
export function outcome(code) {
  return OUTCOME_OF.get(code) ?? UNKNOWN_OUTCOME;
}

// The bytes of hygrian.wasm beside this file: read from the disk in Node, fetched
// elsewhere; or what the caller gives (bytes, a URL, a Response).
async function wasmInstance(source, imports) {
  const given = source ?? new URL('hygrian.wasm', import.meta.url);
  if (given instanceof ArrayBuffer || ArrayBuffer.isView(given)) {
    return (await WebAssembly.instantiate(given, imports)).instance;
  }
  const url = given instanceof URL || typeof given === 'string' ? new URL(given, import.meta.url) : null;
  if (url && url.protocol === 'file:') {
    const { readFile } = await import(/* webpackIgnore: true */ 'node:fs/promises');
    return (await WebAssembly.instantiate(await readFile(url), imports)).instance;
  }
  const response = url ? await fetch(url) : await given;
  if (!response.ok) throw new Error(`hygrian: ${response.url}: ${response.status} ${response.statusText}`);
  if (WebAssembly.instantiateStreaming && response.headers.get('Content-Type') === 'application/wasm') {
    return (await WebAssembly.instantiateStreaming(response, imports)).instance;
  }
  return (await WebAssembly.instantiate(await response.arrayBuffer(), imports)).instance;
}

// Loads the WebAssembly module; once, before any other call (later calls wait
// for the first). `wasm` replaces hygrian.wasm beside this file.
export function init(wasm) {
  loading ??= new Promise((resolve, reject) => {
    createHygrian({
      instantiateWasm(imports, receive) {
        wasmInstance(wasm, imports).then(receive, reject);
        return {};
      },
    }).then((m) => {
      runtime = m;
      resolve();
    }, reject);
  }).catch((error) => {
    loading = null;
    throw error;
  });
  return loading;
}

function module() {
  if (runtime === null) throw new Error('hygrian: call `await init()` first');
  return runtime;
}

function wrongCall(text) {
  return new TypeError(`hygrian: ${text}`);
}

// --- values in: numbers, or arrays of one length -----------------------------

// The length of a call's arrays (null: numbers only); a TypeError for a value
// that is neither, or arrays of different lengths.
function lengthOf(values) {
  let length = null;
  for (const [key, value] of Object.entries(values)) {
    if (typeof value === 'number') continue;
    const isArray = Array.isArray(value) || value instanceof Float64Array || value instanceof Float32Array;
    if (!isArray) throw wrongCall(`${key}: expected a number or an array of numbers, not ${typeof value}`);
    if (Array.isArray(value) && !value.every((x) => typeof x === 'number')) {
      throw wrongCall(`${key}: an array of numbers only`);
    }
    if (length !== null && value.length !== length) {
      throw wrongCall(`${key}: ${value.length} values where the others have ${length}`);
    }
    length = value.length;
  }
  return length;
}

// Float32Array out where every array in is one.
function float32(values) {
  const arrays = Object.values(values).filter((v) => typeof v !== 'number');
  return arrays.length > 0 && arrays.every((v) => v instanceof Float32Array);
}

// States a call of the module computes: its memory stays at a few MB whatever
// the arrays' length.
const PIECE = 65536;

// Memory for a call: doubles, then bytes.
function reserve(m, doubles, bytes) {
  const pointer = m._malloc(Math.max(doubles * 8 + bytes, 8));
  if (pointer === 0) throw new RangeError('hygrian: out of memory');
  return pointer;
}

// Runs a function of the module over n states, a piece at a time. Each input
// ({ value: a number or an array of n, alone: a number kept as one value }) is
// put in the module's memory as a column of the piece's states, one after the
// other; call(addresses, count, out, status) runs the piece; each of `keys`
// comes back as a column. Numbers in give numbers and an Outcome (single);
// arrays give typed arrays and the codes in an Int8Array.
function inPieces(m, n, single, asFloat32, inputs, keys, call) {
  const piece = Math.min(Math.max(n, 1), PIECE);
  const pointer = reserve(m, (inputs.length + keys.length) * piece, piece);
  try {
    const Type = asFloat32 ? Float32Array : Float64Array;
    const columns = keys.map(() => new Type(n));
    const codes = new Int8Array(n);
    for (let start = 0; start < n; start += piece) {
      const count = Math.min(piece, n - start);
      let at = pointer / 8;
      const addresses = inputs.map(({ value, alone }) => {
        const size = alone ? 1 : count;
        if (typeof value === 'number') m.HEAPF64.fill(value, at, at + size);
        else m.HEAPF64.set(ArrayBuffer.isView(value) ? value.subarray(start, start + count) : value.slice(start, start + count), at);
        at += size;
        return (at - size) * 8;
      });
      const status = (at + keys.length * count) * 8;
      call(addresses, count, at * 8, status);
      keys.forEach((_, k) => columns[k].set(m.HEAPF64.subarray(at + k * count, at + (k + 1) * count), start));
      codes.set(m.HEAP8.subarray(status, status + count), start);
    }
    const made = Object.fromEntries(keys.map((key, k) => [key, single ? columns[k][0] : columns[k]]));
    made.status = single ? outcome(codes[0]) : codes;
    return made;
  } finally {
    m._free(pointer);
  }
}

// --- units --------------------------------------------------------------------

const QUANTITY = new Map(TABLES.quantities.map((q) => [q.key, q]));

// The row of UNITS of each quantity (by its number) for `units`: "si", "ip", or
// a unit by quantity ({ temperature: "degF" }, any spelling of the table).
function unitRows(units, m) {
  if (units === 'si' || units === 'ip') return TABLES.quantities.map((q) => q[units]);
  if (!units || typeof units !== 'object') throw wrongCall(`units: expected "si", "ip" or units by quantity, not ${String(units)}`);
  const rows = TABLES.quantities.map((q) => q.si);
  for (const [key, text] of Object.entries(units)) {
    const quantity = QUANTITY.get(key);
    if (!quantity) throw wrongCall(`units: ${key} is not one of ${[...QUANTITY.keys()].join(', ')}`);
    const row = typeof text === 'string' ? unitRow(m, quantity.number, text) : -1;
    if (row < 0) {
      const known = TABLES.units.filter((u) => u.quantity === key).map((u) => u.key).join(', ');
      throw wrongCall(`units: ${key}: unknown unit ${JSON.stringify(text)}; known: ${known}`);
    }
    rows[quantity.number] = row;
  }
  return rows;
}

function unitRow(m, quantity, text) {
  const size = m.lengthBytesUTF8(text) + 1;
  const pointer = m._malloc(size);
  try {
    m.stringToUTF8(text, pointer, size);
    return m._hygrian_js_unit(quantity, pointer);
  } finally {
    m._free(pointer);
  }
}

// --- states -------------------------------------------------------------------

const GIVEN = new Map(TABLES.given.map((g) => [g.key, g]));
const PROPERTY_KEYS = TABLES.properties.map((p) => p.key);
const OPTIONS = ['pressure', 'model', 'over', 'units'];

function pairsText() {
  return TABLES.pairs.map((p) => `${p.given[0]} with ${p.given[1]}`).join('; ');
}

// The row of TABLES.pairs that the keys given form, either way round.
function pairOf(keys) {
  const pair = keys.length === 2 &&
    TABLES.pairs.find((p) => p.given.includes(keys[0]) && p.given.includes(keys[1]) && keys[0] !== keys[1]);
  if (!pair) {
    const unknown = keys.find((k) => !GIVEN.has(k));
    if (unknown) throw wrongCall(`psychrometrics: ${unknown} is no property a pair is given by`);
    throw wrongCall(`psychrometrics: expected two values that form a pair (${pairsText()}); got ${keys.join(', ') || 'none'}`);
  }
  return pair;
}

function modelNumber(model, over, pair) {
  const m = TABLES.models.indexOf(model);
  const o = TABLES.phases.indexOf(over);
  if (m < 0) throw wrongCall(`model: expected ${TABLES.models.join(' or ')}, not ${String(model)}`);
  if (o < 0) throw wrongCall(`over: expected ${TABLES.phases.join(' or ')}, not ${String(over)}`);
  if (model === 'calculator' && over !== 'ice') throw wrongCall('over: the calculator model knows only ice');
  if (model === 'calculator' && pair && !pair.calculator) {
    throw wrongCall(`psychrometrics: ${pair.given.join(' with ')} is solved by a search: not with the calculator model`);
  }
  return [m, o];
}

// The state of two values of a pair (PAIRS), at a total pressure (default
// 101.325 kPa), by a model over a phase, in units: numbers give a State,
// arrays give typed arrays (hygrian::ComputeStates, a call a piece: inPieces).
export function psychrometrics(given) {
  if (!given || typeof given !== 'object') throw wrongCall('psychrometrics: expected an object of named values');
  const { pressure, model = 'handbook', over = 'ice', units = 'si', ...rest } = given;
  const keys = Object.keys(rest).filter((k) => rest[k] !== undefined);
  const pair = pairOf(keys);
  const [modelIndex, overIndex] = modelNumber(model, over, pair);
  const values = { [pair.given[0]]: rest[pair.given[0]], [pair.given[1]]: rest[pair.given[1]] };
  if (pressure !== undefined) values.pressure = pressure;
  const length = lengthOf(values);
  const m = module();
  const rows = unitRows(units, m);
  const quantity = (key) => QUANTITY.get((GIVEN.get(key) ?? PROPERTIES.find((p) => p.key === key)).quantity).number;
  const pressureQuantity = QUANTITY.get('pressure');
  const inUnits = [rows[quantity(pair.given[0])], rows[quantity(pair.given[1])],
    pressure === undefined ? pressureQuantity.si : rows[pressureQuantity.number]];
  const outUnits = PROPERTY_KEYS.map((key) => rows[quantity(key)]);
  const units32 = [...inUnits, ...outUnits];
  const unitsAt = m._malloc(4 * units32.length);
  m.HEAP32.set(units32, unitsAt / 4);
  const alone = typeof (pressure ?? 0) === 'number';
  const inputs = [{ value: values[pair.given[0]] }, { value: values[pair.given[1]] },
    { value: pressure ?? TABLES.standardPressure, alone }];
  try {
    return inPieces(m, length ?? 1, length === null, float32(values), inputs, PROPERTY_KEYS,
      ([first, second, pressures], count, out, status) => {
        if (m._hygrian_js_states(pair.row, first, second, pressures, alone ? 1 : count, count,
          modelIndex, overIndex, unitsAt, out, status)) {
          throw wrongCall('psychrometrics: the module refused the call');
        }
      });
  } finally {
    m._free(unitsAt);
  }
}

// --- processes ----------------------------------------------------------------

const PROCESS_OUTPUTS = TABLES.processOutputs;

// The function of one process (TABLES.processes): named arguments (numbers or
// arrays), the pressure optional, and `over`.
function processFunction(process) {
  const keys = process.arguments.map((a) => a.key);
  const named = (given) => {
    if (!given || typeof given !== 'object') throw wrongCall(`${process.name}: expected an object of named values`);
    const { over = 'ice', ...rest } = given;
    const values = {};
    for (const key of Object.keys(rest)) {
      if (!keys.includes(key)) throw wrongCall(`${process.name}: ${key} is not one of ${keys.join(', ')}`);
    }
    for (const key of keys) {
      const value = rest[key] ?? (key === 'pressure' ? TABLES.standardPressure : undefined);
      if (value === undefined) throw wrongCall(`${process.name}: ${key} is missing`);
      values[key] = value;
    }
    return [values, modelNumber('handbook', over, null)[1]];
  };
  return (given) => {
    const [values, overIndex] = named(given);
    const length = lengthOf(values);
    const m = module();
    return inPieces(m, length ?? 1, length === null, float32(values), keys.map((key) => ({ value: values[key] })),
      PROCESS_OUTPUTS, ([first], count, out, status) => {
        if (m._hygrian_js_process(process.row, overIndex, first, count, out, status)) {
          throw wrongCall(`${process.name}: the module refused the call`);
        }
      });
  };
}

// --- the chart ----------------------------------------------------------------

// "dryBulb" as "dry_bulb" (joined by "_"), or as "dry-bulb".
const words = (key, joint) => key.replace(/[A-Z]/g, (c) => joint + c.toLowerCase());

function csvField(value) {
  if (typeof value === 'number') return Number.isNaN(value) ? '' : String(value);
  if (typeof value !== 'string') throw wrongCall(`chart: a point or process value is a number or a text, not ${typeof value}`);
  return /[",\r\n]/.test(value) ? `"${value.replace(/"/g, '""')}"` : value;
}

// Rows of objects as a CSV file: the keys in their order of first use, as the
// tables' words; CSV text as it is.
function csv(rows, name) {
  if (typeof rows === 'string') return rows;
  if (!Array.isArray(rows)) throw wrongCall(`chart: ${name}: expected an array of rows or CSV text`);
  if (rows.length === 0) return '';
  const keys = [...new Set(rows.flatMap((row) => Object.keys(row)))];
  const lines = rows.map((row) => keys.map((key) => (row[key] === undefined ? '' : csvField(row[key]))).join(','));
  return [keys.map((key) => words(key, '_')).join(','), ...lines].join('\n') + '\n';
}

function text(m, value) {
  const size = m.lengthBytesUTF8(value) + 1;
  const pointer = m._malloc(size);
  m.stringToUTF8(value, pointer, size);
  return pointer;
}

// The chart as SVG text, as hygrian-chart draws it with the same options
// (camel case for its option names: dryBulb for --dry-bulb). Points and
// processes are rows of objects (or CSV text) in the chart's units. Rows the
// chart leaves out are reported with console.warn, as the program reports them.
export function chart(options = {}) {
  if (!options || typeof options !== 'object') throw wrongCall('chart: expected an object of options');
  const { points = '', processes = '', ...settings } = options;
  const lines = Object.entries(settings).filter(([, v]) => v !== undefined).map(([key, value]) => {
    const written = Array.isArray(value) ? value.join(':') : String(value);
    if (/[\r\n]/.test(written)) throw wrongCall(`chart: ${key}: one line only`);
    return `${words(key, '-')}=${written}`;
  });
  const m = module();
  const given = [lines.join('\n'), csv(points, 'points'), csv(processes, 'processes')].map((t) => text(m, t));
  const out = m._malloc(8);
  try {
    const status = m._hygrian_js_chart(...given, out, out + 4);
    const [svg, messages] = [m.HEAPU32[out / 4], m.HEAPU32[out / 4 + 1]].map((p) => {
      const value = m.UTF8ToString(p);
      m._free(p);
      return value;
    });
    if (status === 2) throw wrongCall(`chart: ${messages.trim()}`);
    messages.split('\n').filter(Boolean).forEach((line) => console.warn(line));
    return svg;
  } finally {
    given.forEach((p) => m._free(p));
    m._free(out);
  }
}

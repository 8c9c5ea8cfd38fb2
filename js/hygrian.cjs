'use strict';
// The CommonJS entry of hygrian: the same functions and tables as the ES module
// (hygrian.mjs), which init() loads with import(); every function is that
// module's, called through here. The tables are read from tables.json, the
// module's own, so they are here before init() too.

const TABLES = require('./tables.json');

let esm = null; // the ES module, once init() has loaded it

const deepFreeze = (value) => {
  if (value && typeof value === 'object') Object.values(value).forEach(deepFreeze);
  return Object.freeze(value);
};

exports.init = async (wasm) => {
  const loaded = await import('./hygrian.mjs');
  await loaded.init(wasm);
  esm = loaded;
};

const forward = (name) => (...args) => {
  if (esm === null) throw new Error('hygrian: call `await init()` first');
  return esm[name](...args);
};
for (const name of ['psychrometrics', 'chart', 'outcome', ...TABLES.processes.map((p) => p.name)]) {
  exports[name] = forward(name);
}

deepFreeze(TABLES);
exports.version = TABLES.version;
exports.PROPERTIES = TABLES.properties;
exports.PAIRS = TABLES.pairs;
exports.OUTCOMES = TABLES.outcomes;
exports.UNITS = TABLES.units;
exports.PROCESSES = TABLES.processes;

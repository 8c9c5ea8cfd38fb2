// The package in node beyond its numbers (tests/js/package_test.py holds those
// to hygrian-batch's bits): wrong calls, calls before init(), the CommonJS
// entry, typed arrays in and out, units by quantity, and the chart against
// hygrian-chart's bytes. Run with node --test in a project where hygrian is
// installed; HYGRIAN_CHART names the program.
import assert from 'node:assert/strict';
import { spawnSync } from 'node:child_process';
import { mkdtempSync, rmSync, writeFileSync } from 'node:fs';
import { createRequire } from 'node:module';
import { tmpdir } from 'node:os';
import { join } from 'node:path';
import { test } from 'node:test';

import * as hygrian from 'hygrian';

const require = createRequire(import.meta.url);

test('every function refuses to run before init()', () => {
  const script = `import('hygrian').then((h) => h.psychrometrics({ dryBulb: 25, wetBulb: 20 }))`;
  const run = spawnSync('node', ['--input-type=module', '-e', script], { encoding: 'utf8' });
  assert.notEqual(run.status, 0);
  assert.match(run.stderr, /call `await init\(\)` first/);
  assert.throws(() => require('hygrian').mix({}), /call `await init\(\)` first/);
});

await hygrian.init();

// Each wrong call, and what its TypeError's message says.
const WRONG_CALLS = [
  [{ dryBulb: 25, dewPont: 10 }, /dewPont is no property a pair is given by/],
  [{ dryBulb: 25 }, /two values that form a pair .*; got dryBulb/],
  [{ wetBulb: 20, dewPoint: 10 }, /two values that form a pair/],
  [{ dryBulb: 25, wetBulb: 20, model: 'hand' }, /model: expected handbook or calculator/],
  [{ dryBulb: 25, wetBulb: 20, over: 'liquid' }, /over: expected ice or water/],
  [{ dryBulb: 25, wetBulb: 20, model: 'calculator', over: 'water' }, /knows only ice/],
  [{ enthalpy: 50, relativeHumidity: 50, model: 'calculator' }, /not with the calculator model/],
  [{ dryBulb: [1, 2], wetBulb: [1] }, /wetBulb: 1 values where the others have 2/],
  [{ dryBulb: '25', wetBulb: 20 }, /dryBulb: expected a number or an array of numbers/],
  [{ dryBulb: [25, null], wetBulb: 20 }, /dryBulb: an array of numbers only/],
  [{ dryBulb: new Int32Array(2), wetBulb: 20 }, /expected a number or an array/],
  [{ dryBulb: 25, wetBulb: 20, units: 'metric' }, /units: expected "si", "ip"/],
  [{ dryBulb: 25, wetBulb: 20, units: { temperature: 'centigrade' } }, /unknown unit "centigrade"; known: degC, K, degF, degR/],
  [{ dryBulb: 25, wetBulb: 20, units: { heat: 'J' } }, /units: heat is not one of/],
];

test('a wrong call is a TypeError that says what is wrong', () => {
  for (const [given, message] of WRONG_CALLS) {
    assert.throws(() => hygrian.psychrometrics(given), (e) => e instanceof TypeError && message.test(e.message),
      JSON.stringify(given));
  }
  assert.throws(() => hygrian.psychrometrics(25), TypeError);
  assert.throws(() => hygrian.heatTo({ dryBulb: 20, humidityRatio: 0.007, flow: 2 }), /leavingDryBulb is missing/);
  assert.throws(() => hygrian.heatTo({ dryBulb: 20, humidityRatio: 0.007, leavingDryBulb: 30, flow: 2, flux: 1 }),
    /flux is not one of dryBulb, humidityRatio, leavingDryBulb, flow, pressure/);
  assert.throws(() => hygrian.mix({ aDryBulb: 'x' }), TypeError);
});

test('a bad state is a status, not an exception', () => {
  const s = hygrian.psychrometrics({ dryBulb: [500, NaN, 20], relativeHumidity: 50 });
  assert.deepEqual([...s.status].map((code) => hygrian.outcome(code).text), ['outside the range', 'missing', 'ok']);
  assert.deepEqual(hygrian.psychrometrics({ dryBulb: 500, relativeHumidity: 50 }).status,
    { code: 15, key: 'fault', text: 'outside the range', kind: 'fault' });
  assert.equal(hygrian.outcome(99).text, 'unknown status');
});

test('arrays: Float64Array, Float32Array and plain arrays in, typed arrays out', () => {
  const t = [20, 25, 30];
  const f64 = hygrian.psychrometrics({ dryBulb: Float64Array.from(t), relativeHumidity: 50 });
  const plain = hygrian.psychrometrics({ dryBulb: t, relativeHumidity: [50, 50, 50] });
  const f32 = hygrian.psychrometrics({ dryBulb: Float32Array.from(t), relativeHumidity: Float32Array.of(50, 50, 50) });
  assert.ok(f64.wetBulb instanceof Float64Array && plain.wetBulb instanceof Float64Array);
  assert.deepEqual(plain, f64);
  assert.ok(f32.wetBulb instanceof Float32Array);
  assert.deepEqual(f32.wetBulb, Float32Array.from(f64.wetBulb)); // computed in double, then rounded
  assert.deepEqual(t.map((x) => hygrian.psychrometrics({ dryBulb: x, relativeHumidity: 50 }).wetBulb), [...f64.wetBulb]);
  // Past a piece of the module's memory (65,536 states): the same bits as in two calls.
  const many = Float64Array.from({ length: 65_536 + 3 }, (_, i) => -40 + (i % 997) * 0.1);
  const whole = hygrian.psychrometrics({ dryBulb: many, relativeHumidity: 70, pressure: 90 });
  const head = hygrian.psychrometrics({ dryBulb: many.subarray(0, 1000), relativeHumidity: 70, pressure: 90 });
  const tail = hygrian.psychrometrics({ dryBulb: many.subarray(1000), relativeHumidity: 70, pressure: 90 });
  assert.deepEqual(whole.wetBulb, Float64Array.from([...head.wetBulb, ...tail.wetBulb]));
  assert.deepEqual(whole.status, Int8Array.from([...head.status, ...tail.status]));
  const none = hygrian.psychrometrics({ dryBulb: [], relativeHumidity: 50 });
  assert.equal(none.dewPoint.length, 0);
  assert.equal(hygrian.heatBy({ dryBulb: [], humidityRatio: 0.01, heatRate: 1, flow: 1 }).status.length, 0);
});

test('units: "ip" is the table\'s inch-pound unit of each quantity, in any spelling', () => {
  const given = { dryBulb: 77, dewPoint: 50, pressure: 14.2 };
  const ip = hygrian.psychrometrics({ ...given, units: 'ip' });
  const quantities = { temperature: 'degF', pressure: 'psi', massRatio: 'lb/lb', enthalpy: 'Btu/lb', specificVolume: 'ft3/lb' };
  assert.deepEqual(hygrian.psychrometrics({ ...given, units: quantities }), ip);
  assert.deepEqual(hygrian.psychrometrics({ ...given, units: { ...quantities, temperature: '°F', pressure: 'psia' } }), ip);
  const kelvin = hygrian.psychrometrics({ dryBulb: 298.15, relativeHumidity: 50, units: { temperature: 'Kelvin' } });
  assert.equal(kelvin.dryBulb, 298.15);
  assert.equal(kelvin.dewPoint, hygrian.psychrometrics({ dryBulb: 25, relativeHumidity: 50 }).dewPoint + 273.15);
});

test('the CommonJS entry has the ES module\'s names, tables and results', async () => {
  const cjs = require('hygrian');
  await cjs.init();
  assert.deepEqual(Object.keys(cjs).sort(), Object.keys(hygrian).sort());
  assert.deepEqual(cjs.PROCESSES, hygrian.PROCESSES);
  assert.deepEqual(cjs.heatTo({ dryBulb: 2, humidityRatio: 0.0043, leavingDryBulb: 40, flow: 12.7 }),
    hygrian.heatTo({ dryBulb: 2, humidityRatio: 0.0043, leavingDryBulb: 40, flow: 12.7 }));
});

// Each chart: the package's options and the program's, and the points or
// processes file both draw.
const CHARTS = [
  [{}, []],
  [{ units: 'ip', pressure: 14 }, ['--units=ip', '--pressure=14']],
  [{ altitude: 1500, model: 'calculator' }, ['--altitude=1500', '--model=calculator']],
  [{ over: 'water', dryBulb: [-20, 25], humidityRatio: 8, width: 900 }, ['--over=water', '--dry-bulb=-20:25', '--humidity-ratio=8', '--width=900']],
  [{ points: [{ dryBulb: 25, relativeHumidity: 50, label: 'a, "b"' }, { dryBulb: 30, relativeHumidity: 20 }] }, ['points.csv'],
    'dry_bulb,relative_humidity,label\n25,50,"a, ""b"""\n30,20,\n'],
  [{ points: 'dry_bulb,dew_point\n20,10\n20,\n' }, ['points.csv'], 'dry_bulb,dew_point\n20,10\n20,\n'],
  [{ processes: [{ process: 'heat', dryBulb: 10, humidityRatio: 0.005, leavingDryBulb: 30, flow: 1 }] }, ['--processes=processes.csv'],
    'process,dry_bulb,humidity_ratio,leaving_dry_bulb,flow\nheat,10,0.005,30,1\n'],
];

test('chart() draws what hygrian-chart draws, and warns of the rows it leaves out', (t) => {
  const folder = mkdtempSync(join(tmpdir(), 'hygrian-chart-'));
  try {
    for (const [options, args, file] of CHARTS) {
      if (file) writeFileSync(join(folder, args[0].includes('processes') ? 'processes.csv' : 'points.csv'), file);
      const program = spawnSync(process.env.HYGRIAN_CHART, args, { cwd: folder, encoding: 'utf8', input: '' });
      const warn = t.mock.method(console, 'warn', () => {});
      assert.equal(hygrian.chart(options), program.stdout, JSON.stringify(options));
      assert.deepEqual(warn.mock.calls.map((c) => c.arguments[0]), program.stderr.split('\n').filter(Boolean));
      warn.mock.restore();
    }
  } finally {
    rmSync(folder, { recursive: true });
  }
  assert.throws(() => hygrian.chart({ units: 'metric' }), /chart: units=metric: not a setting/);
  assert.throws(() => hygrian.chart({ dryBulb: [30, 10] }), /--dry-bulb: expected MIN:MAX/);
  assert.throws(() => hygrian.chart({ labels: 'some\nunits=ip' }), /one line only/);
});

// The npm package's time per state on Float64Arrays of 1,000,000 everyday
// states (-20 to 45 degC, 5 to 100 %, 80 to 103 kPa, as bench/vector_bench.cpp
// draws them), against the library's native array path on the same states
// (bench/js/reference.cpp) and against the peer JavaScript library,
// PsychroLib's CalcPsychrometricsFromRelHum called in a loop, in one run on one
// core: least CPU time of five passes each.
//
//   node bench/js/states_bench.mjs [BUILD]     # BUILD defaults to build
//
// BUILD/web/npm/package is the package (make npm); BUILD/bench/bench/hygrian_js_reference
// the native program (the bench preset). PsychroLib is installed from the npm
// registry into BUILD/bench-js for this benchmark alone (never into the project).
// Goals: the package within 2x of the native figure, and 10x the peer's.
import { execFileSync } from 'node:child_process';
import { existsSync, mkdirSync, writeFileSync } from 'node:fs';
import { createRequire } from 'node:module';
import { join, resolve } from 'node:path';
import { pathToFileURL } from 'node:url';

const BUILD = resolve(process.argv[2] ?? 'build');
const STATES = 1_000_000;
const PASSES = 5;
const PEER = 'psychrolib@1.1.1';

// The states, from the generator of bench/vector_bench.cpp.
function weather() {
  const t = new Float64Array(STATES);
  const rh = new Float64Array(STATES);
  const P = new Float64Array(STATES);
  let seed = 2026n;
  const uniform = (low, high) => {
    seed = (seed * 6364136223846793005n + 1442695040888963407n) & 0xffffffffffffffffn;
    return low + (high - low) * Number(seed >> 11n) * 2 ** -53;
  };
  for (let i = 0; i < STATES; ++i) {
    t[i] = uniform(-20, 45);
    rh[i] = uniform(5, 100);
    P[i] = uniform(80, 103);
  }
  return { t, rh, P };
}

// Least CPU time of the passes of f, in ns per state.
function least(f) {
  let best = Infinity;
  for (let pass = 0; pass < PASSES; ++pass) {
    const start = process.cpuUsage();
    f();
    const used = process.cpuUsage(start);
    best = Math.min(best, ((used.user + used.system) * 1000) / STATES);
  }
  return best;
}

function sum(values) {
  let total = 0;
  for (const x of values) total += x;
  return total;
}

const { t, rh, P } = weather();

const folder = join(BUILD, 'bench-js');
mkdirSync(folder, { recursive: true });
const given = join(folder, 'states.bin');
writeFileSync(given, Buffer.concat([t, rh, P].map((a) => Buffer.from(a.buffer))));
const native = (...target) => execFileSync(join(BUILD, 'bench', 'bench', 'hygrian_js_reference'),
  [given, String(PASSES), ...target], { encoding: 'utf8' }).trim().split(' ');
const [nativeTime, vectors, nativeSum] = native();
const [sse4Time] = native('sse4');

const hygrian = await import(pathToFileURL(join(BUILD, 'web', 'npm', 'package', 'hygrian.mjs')).href);
await hygrian.init();
let states = null;
const packageTime = least(() => {
  states = hygrian.psychrometrics({ dryBulb: t, relativeHumidity: rh, pressure: P });
});
if (sum(states.wetBulb) !== Number(nativeSum)) throw new Error('the package and the library differ');

if (!existsSync(join(folder, 'node_modules', 'psychrolib'))) {
  execFileSync('npm', ['install', '--no-save', '--no-audit', '--no-fund', '--loglevel=error', PEER], { cwd: folder });
}
const peer = createRequire(join(folder, 'index.js'))('psychrolib');
peer.SetUnitSystem(peer.SI);
const peerWetBulb = new Float64Array(STATES);
const peerTime = least(() => {
  for (let i = 0; i < STATES; ++i) {
    peerWetBulb[i] = peer.CalcPsychrometricsFromRelHum(t[i], rh[i] / 100, P[i] * 1000)[1];
  }
});

const ratio = packageTime / Number(nativeTime);
console.log(`${STATES} states, dry-bulb and relative humidity, least CPU time of ${PASSES} passes, one core`);
console.log(`native ComputeStates (${vectors})      ${Number(nativeTime).toFixed(1)} ns/state`);
console.log(`native ComputeStates (SSE4, 2 lanes) ${Number(sse4Time).toFixed(1)} ns/state`);
console.log(`the package in node ${process.version} (WASM simd128, 2 lanes)  ${packageTime.toFixed(1)} ns/state  ${ratio.toFixed(2)}x native, ${(packageTime / sse4Time).toFixed(2)}x SSE4 (goal 2)`);
let apart = 0;
peerWetBulb.forEach((x, i) => { apart = Math.max(apart, Math.abs(x - states.wetBulb[i])); });
console.log(`${PEER} loop                ${peerTime.toFixed(1)} ns/state  ${(peerTime / packageTime).toFixed(1)}x the package's (goal 10)`);
console.log(`(its wet-bulbs within ${apart.toFixed(3)} K of the package's)`);

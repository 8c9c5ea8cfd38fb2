// A typed use of the package, which tsc --strict checks against hygrian.d.ts
// (tests/js/package_test.py types). Each misuse at the end is an error the
// types must find: tsc reports a @ts-expect-error that hides none.
import {
  chart, heatTo, init, mix, outcome, OUTCOMES, PAIRS, psychrometrics,
  type Outcome, type State, type States,
} from 'hygrian';

await init();

const one: State = psychrometrics({ dryBulb: 25, relativeHumidity: 50 });
const dew: number = one.dewPoint;
const many: States = psychrometrics({ dryBulb: new Float64Array([20, 25]), wetBulb: 15, pressure: [101.325, 90] });
const wetBulbs: Float64Array = many.wetBulb;
const codes: Int8Array = many.status;
const narrow: Float32Array = psychrometrics({ dryBulb: new Float32Array([20]), dewPoint: new Float32Array([5]) }).enthalpy;
const search: State = psychrometrics({ enthalpy: 50, relativeHumidity: 60, over: 'water', units: 'ip' });
const calculator: State = psychrometrics({ dryBulb: 25, wetBulb: 20, model: 'calculator' });
const byQuantity = psychrometrics({ dryBulb: 77, dewPoint: 50, units: { temperature: 'degF', pressure: 'psi' } });
const load: number = heatTo({ dryBulb: 20, humidityRatio: 0.007, leavingDryBulb: 35, flow: 2 }).totalLoad;
const flows: Float64Array = mix({
  aDryBulb: [32, 30], aHumidityRatio: 0.018, aFlow: 1, bDryBulb: 24, bHumidityRatio: 0.0093, bFlow: 3,
}).flow;
const svg: string = chart({ units: 'ip', dryBulb: [30, 110], points: [{ dryBulb: 75, relativeHumidity: 50, label: 'room' }] });
const texts: string[] = OUTCOMES.map((o: Outcome) => o.text).concat(PAIRS.map((p) => p.name));
const fault: Outcome = outcome(many.status[0]);
const ok: boolean = one.status.key === 'ok' && fault.kind === 'fault';
console.log(dew, wetBulbs, codes, narrow, search, calculator, byQuantity, load, flows, svg, texts, ok);

// @ts-expect-error: no such property
psychrometrics({ dryBulb: 25, dewPont: 10 });
// @ts-expect-error: no such model
psychrometrics({ dryBulb: 25, wetBulb: 20, model: 'hand' });
// @ts-expect-error: no such property among the results
console.log(psychrometrics({ dryBulb: 25, wetBulb: 20 }).dewpoint);
// @ts-expect-error: a pair solved by a search is not the calculator model's
psychrometrics({ enthalpy: 50, relativeHumidity: 60, model: 'calculator' });
// @ts-expect-error: the calculator model knows only ice
psychrometrics({ dryBulb: 25, wetBulb: 20, model: 'calculator', over: 'water' });
// @ts-expect-error: two values that form no pair
psychrometrics({ wetBulb: 20, dewPoint: 10 });
// @ts-expect-error: an array in gives typed arrays out
const notANumber: number = psychrometrics({ dryBulb: [25], wetBulb: 20 }).wetBulb;
// @ts-expect-error: a process's argument is missing
heatTo({ dryBulb: 20, humidityRatio: 0.007, flow: 2 });
// @ts-expect-error: no such unit
psychrometrics({ dryBulb: 25, wetBulb: 20, units: { temperature: 'centigrade' } });
// @ts-expect-error: no such system of units
chart({ units: 'metric' });
// @ts-expect-error: no such outcome key
console.log(one.status.key === 'okay', notANumber);
// @ts-expect-error: a text is no value
psychrometrics({ dryBulb: '25', wetBulb: 20 });

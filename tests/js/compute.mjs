// The package's results for the cases tests/js/package_test.py writes, as the
// bits of every double, so that the test compares them with hygrian-batch's
// to the bit. Run by node (`node compute.mjs CASES.json` prints the results
// as JSON) and imported by the browser test's page.
//
// A case: { function: "psychrometrics" or a process's name, given: { key:
// number or array of numbers, "NaN", "Infinity", "-0" as texts }, options: {...} }.
// Its result: { columns: { key: [16 hex digits, ...] }, status: [code, ...] },
// computed from Float64Arrays in one call, and again state by state from
// numbers (scalar: the same, or the first difference).

const number = (v) => (typeof v === 'string' ? Number(v) : v);

function bits(x) {
  const view = new DataView(new ArrayBuffer(8));
  view.setFloat64(0, x);
  return view.getBigUint64(0).toString(16).padStart(16, '0');
}

export function compute(hygrian, cases) {
  return cases.map(({ function: name, given, options = {} }) => {
    const f = hygrian[name];
    const arrays = Object.fromEntries(Object.entries(given).map(([key, v]) =>
      [key, Array.isArray(v) ? Float64Array.from(v, number) : number(v)]));
    const result = f({ ...arrays, ...options });
    const keys = Object.keys(result).filter((k) => k !== 'status');
    const columns = Object.fromEntries(keys.map((k) => [k, Array.from(result[k], bits)]));
    const status = Array.from(result.status);
    let scalar = 'same';
    status.forEach((code, i) => {
      const one = f({ ...Object.fromEntries(Object.entries(arrays).map(([k, v]) =>
        [k, typeof v === 'number' ? v : v[i]])), ...options });
      const differs = keys.find((k) => bits(one[k]) !== columns[k][i]);
      if (scalar === 'same' && (differs || one.status.code !== code)) scalar = `state ${i}: ${differs ?? 'status'}`;
    });
    return { columns, status, scalar };
  });
}

// node compute.mjs CASES.json, in a project where hygrian is installed.
if (typeof process === 'object' && process.argv[1] && import.meta.url.endsWith(process.argv[1].split('/').pop())) {
  const { readFile } = await import('node:fs/promises');
  const hygrian = await import('hygrian');
  await hygrian.init();
  const cases = JSON.parse(await readFile(process.argv[2], 'utf8'));
  process.stdout.write(JSON.stringify(compute(hygrian, cases)));
}

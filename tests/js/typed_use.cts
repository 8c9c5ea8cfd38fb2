// The CommonJS entry's types (hygrian.d.cts) as a CommonJS TypeScript file
// uses them (tests/js/package_test.py types).
import hygrian = require('hygrian');

async function dewPoint(): Promise<number> {
  await hygrian.init();
  // @ts-expect-error: no such property
  hygrian.psychrometrics({ dryBulb: 25, wetBlub: 20 });
  return hygrian.psychrometrics({ dryBulb: 25, wetBulb: 20 }).dewPoint;
}
void dewPoint();

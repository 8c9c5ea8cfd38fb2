// The three ways of completing a moist-air state from one measured pair: dry-bulb
// with wet-bulb, with dew point, or with relative humidity. Each reads the two
// measured fields of the state, overwrites the others in a fixed order and
// returns its first fault, if any, as a value (the fields then hold meaningless
// values). P is the total pressure in kPa; the specific volume takes the dry-air
// gas constant. Nothing is written to any console.
#pragma once

#include "air/calculator/relations.h"

namespace hygrian::air {

struct CaseResult {
  Fault fault = Fault::None;  // the first fault of the computation
  // The wet-bulb search found no value and wetBulb kept the value it had. A fault
  // together with this one came after the search.
  bool gaveUp = false;
  // P - p <= 0, the humidity ratio's denominator, for the vapour pressure or the
  // saturation pressure at the dry-bulb, the given wet-bulb or the dew point,
  // met before any fault. Only noted: the computation goes on as it would.
  bool vaporNotBelowTotal = false;
};

// Whether P - p <= 0 for the saturation pressure p at x (degrees C), a
// temperature whose saturation pressure is no step of a case: the dew point, a
// found wet-bulb. Where x is at least 1 K below the dry-bulb t, whose saturation
// pressure a case checks, p is not computed (false): it is lower there. A fault
// in p is no fault of the computation: false.
bool SaturationReachesTotal(double x, double t, double P);

// From dryBulb and wetBulb: 25 and 20 give a dew point of 17.56 and a relative
// humidity of 63.48 percent.
CaseResult ComputeFromDryWet(double P, MoistAirState& state);

// From dryBulb and dewPoint (a dew point at or below 0 is taken as a frost point).
// wetBulb is written only when the search finds it.
CaseResult ComputeFromDryDew(double P, MoistAirState& state);

// From dryBulb and relativeHumidity (percent). wetBulb as for the dew point.
CaseResult ComputeFromDryRh(double P, MoistAirState& state);

// From dryBulb and humidityRatio (kg/kg), for the library alone: the vapour
// pressure from the humidity ratio, then the other properties as from the
// wet-bulb, and wetBulb as for the dew point.
CaseResult ComputeFromDryW(double P, MoistAirState& state);

}  // namespace hygrian::air

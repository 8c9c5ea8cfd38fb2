// The three ways of completing a moist-air state from one measured pair: dry-bulb
// with wet-bulb, with dew point, or with relative humidity. Each reads the two
// measured fields of the state, overwrites the others in a fixed order, and
// throws air::FaultError at the first fault (leaving the fields done so far).
#pragma once

#include "bench/baseline/relations.h"

namespace hygrian::baseline::air {

// From dryBulb and wetBulb: 25 and 20 give a dew point of 17.56 and a relative
// humidity of 63.48 percent.
void ComputeFromDryWet(const double& P, const double& R, MoistAirState& state);

// From dryBulb and dewPoint (a dew point at or below 0 is taken as a frost point).
// wetBulb is written only when the search finds it; otherwise onGiveUp runs and
// wetBulb keeps its value.
void ComputeFromDryDew(const double& P, const double& R, MoistAirState& state,
                       const GiveUpNotice& onGiveUp);

// From dryBulb and relativeHumidity (percent). wetBulb as for the dew point.
void ComputeFromDryRh(const double& P, const double& R, MoistAirState& state,
                      const GiveUpNotice& onGiveUp);

}  // namespace hygrian::baseline::air

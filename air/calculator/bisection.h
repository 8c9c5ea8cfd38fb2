// The wet-bulb temperature by bisection, for the states where the secant search
// gives up: near a wet-bulb of 0 degrees C the saturation relation switches from
// ice to water and the residual jumps, which throws the secant off.
#pragma once

#include "air/calculator/relations.h"

namespace hygrian::air {

// Bisection on WetBulbResidual(t, x, W, P) between min(td, t) - 1 and t (degrees
// C), halved until the bracket is narrower than 1e-06, the secant search's
// tolerance; the wet-bulb is the midpoint of the final bracket. Where the
// residual crosses zero the bracket closes on its root; where it jumps across
// zero (at the ice/water switch) on the jump. Not found (and no fault: the state
// stays as the secant search left it) when the residual has the same sign at
// both ends, when a residual faults, or when the bracket can no longer be halved
// in doubles. 1.13 degrees C with td -1.535 and W 0.0033153 at 101.325 kPa:
// 0.0 (found at the switch). passes counts the halvings.
WetBulbSearch BisectWetBulb(double t, double td, double W, double P);

}  // namespace hygrian::air

// The handbook model's dew point: the exact inverse of its saturation relation in
// moist air, solved by Newton's method inside a bracket.
#pragma once

#include "hygrian/psychrometrics.h"

namespace hygrian::air::handbook {

// The temperature t_d (degrees C) at which f(t_d, P) p_ws(t_d) = p, for a vapour
// pressure p (kPa) with 0 < p < P, over the phase that saturates at t_d under
// `over` (a frost point at and below 0.01 degrees C under Phase::Ice). Newton's
// method on ln(f p_ws) - ln p, started from the Magnus inverse, until the error
// left is below 1e-12 K (a step below 1e-12 K, or below 1.24e-5 K where the
// steps shrink quadratically); a step that would leave the bracket [-100, 200] degrees C, which
// every step narrows, is a bisection instead, so it always converges. NaN when
// the root is below -100 degrees C by more than rounding (drier than the range)
// or p is not positive.
// 2.33880 kPa at 101.325 kPa (over water) gives 19.9357 (f = 1.00399 there).
double DewPoint(double p, double P, Phase over);

}  // namespace hygrian::air::handbook

// The handbook model's thermodynamic wet-bulb temperature: the root of its
// psychrometric equation, found by a bracketed search.
#pragma once

namespace hygrian::air::handbook {

// The wet-bulb x (degrees C) of air at dry-bulb t with humidity ratio W (kg/kg)
// at P (kPa): WetBulbHumidityRatio(t, x, P) = W, over ice below 0 degrees C and
// over water from 0 up. Where W lies between that equation's two values at 0
// (the wick partly frozen) the wet-bulb is exactly 0. The root is bracketed
// between the lower of `below` (a temperature known to lie below it, such as
// the dew point; NaN if none), -100 or -150 degrees C and min(t, 0) or t, and
// closed by regula falsi (Illinois) with bisection wherever an end is infinite,
// down to adjacent doubles: the residual changes sign between the result and
// the next double. NaN when the residual is negative at t (beyond rounding): the
// air is supersaturated over the wet bulb's phase and its wet-bulb would be
// above the dry-bulb.
// 40, 0.0064536 at 101.325 gives 19.995.
double WetBulb(double t, double W, double P, double below);

}  // namespace hygrian::air::handbook

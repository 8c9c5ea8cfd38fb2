// The handbook model's thermodynamic wet-bulb temperature: the root of its
// psychrometric equation, found by a bracketed search.
#pragma once

#include "air/handbook/relations.h"
#include "hygrian/psychrometrics.h"

namespace hygrian::air::handbook {

// The wet-bulb x (degrees C) of air at dry-bulb t with humidity ratio W (kg/kg)
// at P (kPa): WetBulbHumidityRatio(t, x, P, over) = W, the wick's phase as
// `over` has it. Under Phase::Ice, ice below 0 degrees C and water from 0 up:
// where W lies between that equation's two values at 0 (the wick partly
// frozen) the wet-bulb is exactly 0. Under Phase::Water, liquid water at every
// temperature, supercooled below 0: no plateau (where f's two sets for water
// leave a gap at 0, above about 500 kPa, a W inside it has 0). The root is
// bracketed between `below` (the dew point under `over`, taken to lie below
// it; NaN if none; -150 degrees C where it does not) and min(t, 0) or t, and
// found by Newton's steps with the equation's exact slope, started where the
// chord from the dew point crosses zero (or at the top), a step that leaves
// the bracket being a bisection (but for a Newton step that rounds to nothing,
// which ends it); it ends at a step below 1e-13 K, at adjacent doubles, or
// after a step below 5e-7 K that shrank quadratically, so the error left is
// below about 1e-13 K. Saturated air (the residual at t zero within 1e-12 of
// W) has t itself. NaN when the residual is negative at t: the air is
// supersaturated over the wick's phase and its wet-bulb would be above the
// dry-bulb.
// 40, 0.0064536 at 101.325 gives 19.995.
// atDryBulb is ln(f p_ws) at t under `over` (LogSaturationInAir) and
// saturation f p_ws there (SaturationPressureInAir), which save an evaluation
// where the wick's saturation at t is the same.
double WetBulb(double t, double W, double P, double below, Phase over, LogSaturation atDryBulb,
               double saturation);

}  // namespace hygrian::air::handbook

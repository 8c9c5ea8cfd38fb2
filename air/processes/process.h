// What every process shares: screening the entering air and turning a leaving
// state and the water added into a ProcessResult's loads. Pure.
#pragma once

#include "hygrian/processes.h"
#include "hygrian/psychrometrics.h"

namespace hygrian::air {

// Ok, or why the entering air (dry-bulb t, humidity ratio W, dry-air flow in
// kg/s, pressure P) or the extra parameters (finite) cannot be processed:
// InvalidInput or OutOfRange. Air above saturation (fog) can be.
Status Screen(double t, double W, double flow, double P, double extra1, double extra2);

// A result with only a status.
ProcessResult Failed(Status status);

// Whether heat crosses the equipment's boundary: a humidifier's or a mixing
// box's does not, whatever the rounding of the leaving state's enthalpy.
enum class Heat { Crosses, None };

// The result of air at (t1, W1) and flow leaving as `leaving`, with waterEnthalpy
// kJ per kg of the water added (W2 > W1) or condensed (W2 < W1). With
// Heat::None the total load is exactly 0.
ProcessResult Balance(double t1, double W1, double flow, const Result& leaving,
                      double waterEnthalpy, Heat heat = Heat::Crosses);

// The dry-bulb (degrees C) of air at humidity ratio W (kg/kg) and enthalpy h
// (kJ/kg) by eq. 30, whether or not the air could hold W as vapour, to 1e-12 K;
// NaN outside the model's range.
double UnsaturatedDryBulb(double W, double h);

// kJ per kg of the water that condenses out of saturated air at t under the
// convention `over`: ice at and below the triple point over ice, -333.4 +
// 2.1 t (ASHRAE 2017 ch. 1 eq. 35's ice term), else liquid, 4.186 t (eq. 33).
double CondensedWaterEnthalpy(double t, Phase over);

}  // namespace hygrian::air

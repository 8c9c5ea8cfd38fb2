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

// The result of air at (t1, W1) and flow leaving as `leaving`, with waterEnthalpy
// kJ per kg of the water added (W2 > W1) or condensed (W2 < W1).
ProcessResult Balance(double t1, double W1, double flow, const Result& leaving,
                      double waterEnthalpy);

}  // namespace hygrian::air

// The numbered run-time report of a moist-air fault: the dialogue ends the run
// with it when a computation returns a fault.
#pragma once

#include "air/calculator/fault.h"
#include "console/console.h"

namespace hygrian {

// The report number of a fault: M6101 invalid, M6103 divide by zero, M6104
// overflow; for the math functions 6201 DOMAIN, 6202 SING, 6203 OVERFLOW.
int MathReportNumber(air::Fault fault);

// Reports an arithmetic fault ("floating-point error: divide by zero", M6103) or a
// math-function error ("log: SING error", M6202) as a MATH report and ends the
// run with status 1. Not for Fault::None.
[[noreturn]] void RaiseMathFault(Console& console, air::Fault fault);

}  // namespace hygrian

// The lower branch W_-1 of the Lambert W function, which Romps's lifting
// condensation level takes: the w <= -1 with w e^w = x, for -1/e <= x < 0.
//
//   LowerLambertW(-0.1) is -3.577152063957297; LowerLambertW(-1/e) is -1.
#pragma once

namespace hygrian::air::measures {

// W_-1(x) by Halley's method from the branch point's series (x near -1/e) or
// the asymptotic series (x near 0), to 1e-15 relative; NaN outside [-1/e, 0).
double LowerLambertW(double x);

}  // namespace hygrian::air::measures

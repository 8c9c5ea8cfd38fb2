#include "air/measures/lambert_w.h"

#include <cmath>
#include <limits>

#include "air/measures/common.h"

namespace hygrian::air::measures {

double LowerLambertW(double x) {
  constexpr double kE = 2.718281828459045;
  constexpr double kBranch = -1.0 / kE;
  if (!(x >= kBranch && x < 0.0)) return std::numeric_limits<double>::quiet_NaN();
  // Corless et al. (1996): about the branch point in p = -sqrt(2 (1 + e x)),
  // and for small |x| in L1 = ln(-x), L2 = ln(-L1).
  double w = 0.0;
  if (x < -0.25) {
    const double p = -std::sqrt(2.0 * (1.0 + kE * x));
    w = -1.0 + p * (1.0 + p * (-1.0 / 3.0 + p * (11.0 / 72.0)));
  } else {
    const double L1 = Log(-x);
    const double L2 = Log(-L1);
    w = L1 - L2 + L2 / L1;
  }
  if (x == kBranch) return -1.0;
  constexpr int kMostSteps = 32;
  for (int step = 0; step < kMostSteps; ++step) {
    const double ew = Exp(w);
    const double f = w * ew - x;
    const double next = w - f / (ew * (w + 1.0) - (w + 2.0) * f / (2.0 * w + 2.0));
    if (!(next < -1.0)) return w;  // at the branch point itself
    if (std::fabs(next - w) <= 1e-15 * std::fabs(next)) return next;
    w = next;
  }
  return w;
}

}  // namespace hygrian::air::measures

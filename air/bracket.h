// One bracketed root finder for every inverse that has no solver of its own:
// the regula falsi with the Illinois modification inside a bracket whose ends
// have residuals of opposite signs, with a bisection every third step, so the
// bracket at least halves every three steps whatever the residual does.
#pragma once

#include <cmath>

namespace hygrian::air {

struct Root {
  double x = 0.0;      // the midpoint of the final bracket
  bool found = false;  // false when the residuals at the two ends have the same sign or a NaN
};

// The x in [lo, hi] where residual(x) changes sign, to within absolute +
// relative * max(|lo|, |hi|) of the final bracket's width. A residual may be
// infinite (a relation past its pole): that end is then only bisected towards.
// residual(x) = x * x - 2 on [0, 2] with 1e-12, 0 gives 1.41421356237...
template <typename Residual>
Root FindRoot(Residual residual, double lo, double hi, double absolute, double relative) {
  constexpr int kMostSteps = 400;  // far more than 3 log2(range / tolerance) for doubles
  constexpr int kBisectEvery = 3;
  double fLo = residual(lo);
  double fHi = residual(hi);
  if (fLo == 0.0) return {lo, true};
  if (fHi == 0.0) return {hi, true};
  if (std::isnan(fLo) || std::isnan(fHi) || std::signbit(fLo) == std::signbit(fHi)) return {};
  int keptSide = 0;  // which end stayed: -1 lo, +1 hi (for the Illinois halving)
  for (int step = 0; step < kMostSteps; ++step) {
    const double tolerance = absolute + relative * std::fmax(std::fabs(lo), std::fabs(hi));
    const double mid = lo + 0.5 * (hi - lo);
    if (!(hi - lo > tolerance) || mid <= lo || mid >= hi) break;
    double x = mid;
    if (step % kBisectEvery != kBisectEvery - 1 && std::isfinite(fLo) && std::isfinite(fHi)) {
      const double falsi = lo - fLo * (hi - lo) / (fHi - fLo);
      if (falsi > lo && falsi < hi) x = falsi;
    }
    const double fx = residual(x);
    if (fx == 0.0) return {x, true};
    if (std::isnan(fx)) return {};
    if (std::signbit(fx) == std::signbit(fLo)) {
      lo = x;
      fLo = fx;
      if (keptSide == 1) fHi *= 0.5;
      keptSide = 1;
    } else {
      hi = x;
      fHi = fx;
      if (keptSide == -1) fLo *= 0.5;
      keptSide = -1;
    }
  }
  return {lo + 0.5 * (hi - lo), true};
}

}  // namespace hygrian::air

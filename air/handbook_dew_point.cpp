#include "air/handbook_dew_point.h"

#include <cmath>
#include <limits>

#include "air/exp_log.h"
#include "air/handbook.h"
#include "air/lanes.h"

namespace hygrian::air::handbook {
namespace {

constexpr double kTolerance = 1e-12;  // K, the error left
constexpr int kMostSteps = 200;       // bisection alone needs about 60
constexpr double kRounding = 1e-12;   // relative, of a vapour pressure
// Newton's error after a step s is about M s^2 where M = |g''| / 2g' of
// g = ln(f p_ws): at most 0.0061 per K from -100 to 200 degrees C and 10 to
// 1,000 kPa. So a step below sqrt(1e-12 / 0.0065) K leaves an error below
// 1e-12 K, once the steps shrink as Newton's do (each at most a hundredth of
// the one before; where f's sets meet they shrink only linearly).
constexpr double kLastStep = 1.24e-5;  // K
constexpr double kQuadratic = 0.01;

// Magnus's inverse as the first guess: t = b y / (a - y), y = ln(p / 0.6112 kPa),
// with WMO's constants over water and over ice, and p divided by a typical
// enhancement factor (1.004: a step of Newton's less near sea level). logP is ln p.
double FirstGuess(double logP, Phase phase) {
  constexpr double kLogMagnusPressure = -0.4883390198602889;  // ln(0.6112 * 1.004)
  const double y = logP - kLogMagnusPressure;
  const double a = phase == Phase::Ice ? 22.46 : 17.62;
  const double b = phase == Phase::Ice ? 272.62 : 243.12;
  return b * y / (a - y);
}

// The root of ln(f p_ws) - ln p on `branch` between low and high, where the
// residual is taken to be negative at low and positive at high (if it is not,
// the result is that end).
double Solve(double p, double P, Branch branch, double low, double high) {
  const double target = Log<Lanes>(p);
  double t = FirstGuess(target, branch.phase);
  if (!(t > low && t < high)) t = 0.5 * (low + high);
  double before = std::numeric_limits<double>::infinity();  // the last step's size
  for (int i = 0; i < kMostSteps; ++i) {
    const LogSaturation at = LogSaturationInAir(t, P, branch);
    const double g = at.value - target;
    if (g == 0.0) break;
    (g < 0.0 ? low : high) = t;
    double next = t - g / at.slope;
    if (!(next > low && next < high)) next = 0.5 * (low + high);
    const double step = next - t;
    t = next;
    if (std::fabs(step) < kTolerance || next == low || next == high) break;
    if (std::fabs(step) < kLastStep && std::fabs(step) < kQuadratic * before) break;
    before = std::fabs(step);
  }
  return t;
}

// Bounds of f p_ws at the seam between the two pieces (kPa): the pure pressure
// there is 0.611213 (water, 0 degrees C) or 0.611657 (the triple point), and f
// is at least 1 and below 1.05 up to 1,000 kPa. Only between them is the
// saturation pressure at the seam computed.
constexpr double kBelowSeam = 0.6112;
constexpr double kAboveSeam = 0.6117 * 1.05;

}  // namespace

double DewPoint(double p, double P, Phase over) {
  constexpr double kNan = std::numeric_limits<double>::quiet_NaN();
  if (!(p > 0.0)) return kNan;
  // Two rising pieces meet at the seam: ice (or supercooled water) below it,
  // water above. Where they overlap (f's sets do not quite meet) the lower
  // piece's root is taken; where they leave a gap, the seam.
  const double seam = over == Phase::Ice ? kTriplePoint : 0.0;
  const Branch below{over, over == Phase::Water};
  const Branch above{Phase::Water, false};
  const bool lower =
      p <= kBelowSeam || (p < kAboveSeam && p <= SaturationPressureInAir(seam, P, below));
  if (lower) {
    const double t = Solve(p, P, below, kLowest, seam);
    if (t > kLowest + 1e-6) return t;
    // Within rounding of the lowest saturation pressure the root is the end.
    const double lowest = SaturationPressureInAir(kLowest, P, below);
    if (lowest > p * (1.0 + kRounding)) return kNan;
    return lowest >= p ? kLowest : t;
  }
  if (p < kAboveSeam && !(SaturationPressureInAir(seam, P, above) < p)) return seam;
  return Solve(p, P, above, seam, kHighest);
}

}  // namespace hygrian::air::handbook

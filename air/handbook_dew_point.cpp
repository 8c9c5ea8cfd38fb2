#include "air/handbook_dew_point.h"

#include <cmath>
#include <limits>

#include "air/handbook.h"

namespace hygrian::air::handbook {
namespace {

constexpr double kTolerance = 1e-12;  // K, the last step
constexpr int kMostSteps = 200;       // bisection alone needs about 60
constexpr double kRounding = 1e-12;   // relative, of a vapour pressure

// Magnus's inverse as the first guess: t = b y / (a - y), y = ln(p / 0.6112 kPa),
// with WMO's constants over water and over ice.
double FirstGuess(double p, Phase phase) {
  const double y = std::log(p / 0.6112);
  const double a = phase == Phase::Ice ? 22.46 : 17.62;
  const double b = phase == Phase::Ice ? 272.62 : 243.12;
  return b * y / (a - y);
}

// The root of ln(f p_ws) - ln p on `branch` between low and high, where the
// residual is negative at low and positive at high.
double Solve(double p, double P, Branch branch, double low, double high) {
  const double target = std::log(p);
  double t = FirstGuess(p, branch.phase);
  if (!(t > low && t < high)) t = 0.5 * (low + high);
  for (int i = 0; i < kMostSteps; ++i) {
    const double g = std::log(SaturationPressureInAir(t, P, branch)) - target;
    if (g == 0.0) break;
    (g < 0.0 ? low : high) = t;
    // The slope leaves out f's own, four orders of magnitude smaller.
    double next = t - g / LogPureSaturationSlope(t, branch.phase);
    if (!(next > low && next < high)) next = 0.5 * (low + high);
    const double step = next - t;
    t = next;
    if (std::fabs(step) < kTolerance || next == low || next == high) break;
  }
  return t;
}

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
  if (p <= SaturationPressureInAir(seam, P, below)) {
    // Within rounding of the lowest saturation pressure the root is the end.
    const double lowest = SaturationPressureInAir(kLowest, P, below);
    if (lowest > p * (1.0 + kRounding)) return kNan;
    if (lowest >= p) return kLowest;
    return Solve(p, P, below, kLowest, seam);
  }
  if (!(SaturationPressureInAir(seam, P, above) < p)) return seam;
  return Solve(p, P, above, seam, kHighest);
}

}  // namespace hygrian::air::handbook

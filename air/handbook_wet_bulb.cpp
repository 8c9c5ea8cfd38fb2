#include "air/handbook_wet_bulb.h"

#include <cmath>
#include <limits>

#include "air/handbook.h"

namespace hygrian::air::handbook {
namespace {

// degrees C: the deepest the bracket goes; dry air at -100 degrees C has its
// wet-bulb a little below -100.
constexpr double kFloor = -150.0;
constexpr int kMostSteps = 200;
constexpr double kTolerance = 1e-13;  // K, the last Newton step
// Saturated air's residual at its dry-bulb is 0 but for rounding, which may
// leave it this much (relative to W) either side: its wet-bulb is the dry-bulb.
constexpr double kRounding = 1e-12;

// The root of WetBulbHumidityRatio(t, x, P, wick) - W in (low, high], where the
// residual is negative at low and `atHigh` (positive or +infinity) at high.
// Newton's steps from `start` (or from high), each narrowing the bracket; the
// rising, convex residual keeps them above the root after the first. A step out
// of the bracket, or one where the residual is infinite, is a bisection
// instead. Ends at a step below kTolerance or at adjacent doubles.
double Close(double t, double W, double P, Phase wick, double low, double high, WetBulbPoint atHigh,
             double start) {
  double x = high;
  WetBulbPoint at = atHigh;
  if (start > low && start < high) {
    x = start;
    at = WetBulbHumidityRatioAndSlope(t, x, P, wick);
  }
  for (int i = 0; i < kMostSteps; ++i) {
    const double r = at.W - W;
    if (r == 0.0) return x;
    (r < 0.0 ? low : high) = x;
    double next = std::isfinite(r) ? x - r / at.slope : 0.5 * (low + high);
    if (!(next > low && next < high)) next = 0.5 * (low + high);
    if (next == low || next == high) return x;
    const double step = std::fabs(next - x);
    x = next;
    at = WetBulbHumidityRatioAndSlope(t, x, P, wick);
    if (step < kTolerance) return x;
  }
  return x;
}

// Close from `low`, taken to be below the root (a dew point); where that was
// wrong (the result is at low), again from the floor. Newton's steps start at
// `start` if it is inside, else at high.
double Solve(double t, double W, double P, Phase wick, double low, double high, WetBulbPoint atHigh,
             double start = kFloor) {
  const double x = Close(t, W, P, wick, low, high, atHigh, start);
  if (x - low > 1e-9 || !(low > kFloor)) return x;
  return Close(t, W, P, wick, kFloor, high, atHigh, kFloor);
}

// Where the chord from the dew point td to the dry-bulb t crosses zero: below
// the root, the residual being convex, and near it. At td over the wick's own
// phase the saturation humidity ratio is W itself, so the residual there needs
// no saturation pressure (it is -(t - td)(1.86 W + 1.006) / (L + 1.86 t - c td)).
double Chord(double t, double td, double W, Phase wick, double atT) {
  const double atDew = PsychrometricHumidityRatio(t, td, W, wick) - W;
  return td - atDew * (t - td) / (atT - atDew);
}

}  // namespace

double WetBulb(double t, double W, double P, double below, Phase over, LogSaturation atDryBulb) {
  // The wick's saturation at t is the one under `over` there.
  const bool known = t > kTriplePoint || (t <= 0.0 && over == Phase::Ice);
  const auto atDry = [&](Phase wick) {
    return known ? WetBulbHumidityRatioAndSlope(t, t, P, wick, atDryBulb)
                 : WetBulbHumidityRatioAndSlope(t, t, P, wick);
  };
  constexpr double kNan = std::numeric_limits<double>::quiet_NaN();
  const double low = below < t ? below : kFloor;
  // Above 0, unless the dew point says the root is too, the plateau decides
  // the side: water from 0 up, ice below 0, or 0 itself between the two.
  if (t > 0.0 && !(below >= 0.0)) {
    const WetBulbPoint water = WetBulbHumidityRatioAndSlope(t, 0.0, P, Phase::Water);
    const WetBulbPoint ice = WetBulbHumidityRatioAndSlope(t, 0.0, P, Phase::Ice);
    if (W < water.W) return Solve(t, W, P, Phase::Ice, std::fmin(low, 0.0), 0.0, ice);
    if (W <= ice.W) return 0.0;
    const WetBulbPoint atT = atDry(Phase::Water);
    if (std::fabs(atT.W - W) <= kRounding * W) return t;
    if (atT.W < W) return kNan;
    return Solve(t, W, P, Phase::Water, 0.0, t, atT);
  }
  const Phase wick = t <= 0.0 ? Phase::Ice : Phase::Water;
  const WetBulbPoint atT = atDry(wick);
  if (std::fabs(atT.W - W) <= kRounding * W) return t;
  if (atT.W < W) return kNan;
  // The dew point under `over` is the wick's when both are ice or both water.
  const bool sameSaturation = below > kTriplePoint || (below < 0.0 && over == Phase::Ice);
  const double start =
      sameSaturation && std::isfinite(atT.W) ? Chord(t, below, W, wick, atT.W - W) : kFloor;
  return Solve(t, W, P, wick, low, t, atT, start);
}

}  // namespace hygrian::air::handbook

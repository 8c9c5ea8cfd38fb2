#include "air/handbook_wet_bulb.h"

#include <cmath>
#include <limits>

#include "air/handbook.h"

namespace hygrian::air::handbook {
namespace {

// degrees C: the deepest the bracket goes; dry air at -100 degrees C has its
// wet-bulb a little below -100.
constexpr double kFloor = -150.0;
constexpr int kMostSteps = 400;
// Saturated air's residual at its dry-bulb is 0 but for rounding, which may
// leave it this much (relative to W) below.
constexpr double kRounding = 1e-12;

struct End {
  double x;
  double r;             // the residual there
  double weight = 1.0;  // Illinois: a stale end's residual counts less
};

// Closes the bracket [low, high] (residual negative at low, positive or
// +infinity at high) of the residual `r`.
template <typename Residual>
double Close(End low, End high, const Residual& r) {
  int lastSide = 0;  // -1 when low moved last, +1 when high did
  for (int i = 0; i < kMostSteps; ++i) {
    double x = 0.5 * (low.x + high.x);
    if (std::isfinite(high.r)) {
      const double lowR = low.weight * low.r;
      const double highR = high.weight * high.r;
      const double secant = low.x - lowR * (high.x - low.x) / (highR - lowR);
      if (secant > low.x && secant < high.x) x = secant;
    }
    if (x <= low.x || x >= high.x) break;
    const double value = r(x);
    if (value == 0.0) return x;
    if (value < 0.0) {
      low = {x, value};
      if (lastSide == -1) high.weight *= 0.5;
      lastSide = -1;
    } else {
      high = {x, value};
      if (lastSide == 1) low.weight *= 0.5;
      lastSide = 1;
    }
  }
  return std::fabs(low.r) <= std::fabs(high.r) ? low.x : high.x;
}

}  // namespace

double WetBulb(double t, double W, double P, double below) {
  constexpr double kNan = std::numeric_limits<double>::quiet_NaN();
  Phase wick = t <= 0.0 ? Phase::Ice : Phase::Water;
  const auto r = [&](double x) { return WetBulbHumidityRatio(t, x, P, wick) - W; };
  End high{t, r(t)};
  if (high.r < 0.0) return high.r >= -kRounding * W ? t : kNan;
  if (high.r == 0.0) return t;
  if (t > 0.0) {
    const double overWater = WetBulbHumidityRatio(t, 0.0, P, Phase::Water);
    const double overIce = WetBulbHumidityRatio(t, 0.0, P, Phase::Ice);
    if (W >= overWater && W <= overIce) return 0.0;
    if (W > overIce) return Close({0.0, overWater - W}, high, r);
    wick = Phase::Ice;
    high = {0.0, overIce - W};
  }
  for (const double x : {below, kLowest, kFloor}) {
    if (!(x < high.x)) continue;
    const End low{x, r(x)};
    if (low.r < 0.0) return Close(low, high, r);
    if (low.r == 0.0) return x;
  }
  return kNan;
}

}  // namespace hygrian::air::handbook

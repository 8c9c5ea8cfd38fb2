#include "air/calculator/bisection.h"

#include <algorithm>

namespace hygrian::air {
namespace {

constexpr double kBracketWidth = 1e-06;  // the secant search's tolerance
constexpr double kMargin = 1.0;          // K below the lower of dew point and dry-bulb
// Enough halvings for a bracket of any double width to reach 1e-06, and a bound
// for a bracket that rounding stops from shrinking.
constexpr int kMaxHalvings = 2200;

int Sign(double value) { return (value > 0.0 ? 1 : 0) - (value < 0.0 ? 1 : 0); }

}  // namespace

WetBulbSearch BisectWetBulb(double t, double td, double W, double P) {
  WetBulbSearch search;
  double low = std::min(td, t) - kMargin;
  double high = t;
  const Checked atLow = WetBulbResidual(t, low, W, P);
  const Checked atHigh = WetBulbResidual(t, high, W, P);
  if (!atLow.Ok() || !atHigh.Ok()) return search;
  const int lowSign = Sign(atLow.Value());
  if (lowSign == 0 || Sign(atHigh.Value()) == 0) {
    search.found = true;
    search.wetBulb = lowSign == 0 ? low : high;
    return search;
  }
  if (lowSign == Sign(atHigh.Value())) return search;
  while (!(high - low < kBracketWidth)) {
    const double middle = low + (high - low) / 2.0;
    if (!(middle > low && middle < high) || search.passes == kMaxHalvings) return search;
    ++search.passes;
    const Checked residual = WetBulbResidual(t, middle, W, P);
    if (!residual.Ok()) return search;
    const int sign = Sign(residual.Value());
    if (sign == 0) {
      search.found = true;
      search.wetBulb = middle;
      return search;
    }
    (sign == lowSign ? low : high) = middle;
  }
  search.found = true;
  search.wetBulb = low + (high - low) / 2.0;
  return search;
}

}  // namespace hygrian::air

#include "air/handbook/dew_point.h"

#include <limits>

#include "air/handbook/lanes.h"
#include "air/handbook/one_lane.h"
#include "air/handbook/relations.h"

namespace hygrian::air::handbook {
namespace {

constexpr double kRounding = 1e-12;  // relative, of a vapour pressure

// The root of ln(f p_ws) - ln p on `branch` between low and high, where the
// residual is taken to be negative at low and positive at high (if it is not,
// the result is that end): the generic search's steps until it stops.
double Solve(double p, double P, Branch branch, double low, double high) {
  one_lane::DewPointSearch<Lanes> s =
      one_lane::StartDewPoint<Lanes>(p, branch.phase == Phase::Ice, branch.supercooled, low, high);
  for (int i = 0; i < one_lane::dew_point::kMostSteps && !s.done; ++i) {
    one_lane::StepDewPoint<Lanes>(s, P);
  }
  return s.t;
}

constexpr double kBelowSeam = one_lane::dew_point::kBelowSeam;
constexpr double kAboveSeam = one_lane::dew_point::kAboveSeam;

// f p_ws (kPa) at the seam under `over`, on the piece below it or above: the
// bits of SaturationPressureInAir there, from the parts computed once.
double AtTheSeam(double P, Phase over, bool below) {
  const ZeroParts& parts = AtSeam(over, below);
  return one_lane::SaturationFromParts<Lanes>(parts, parts, true, P).pressure;
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
  const bool lower = p <= kBelowSeam || (p < kAboveSeam && p <= AtTheSeam(P, over, true));
  if (lower) {
    const double t = Solve(p, P, below, kLowest, seam);
    if (t > one_lane::dew_point::kLowestFound) return t;
    // Within rounding of the lowest saturation pressure the root is the end.
    const double lowest = SaturationPressureInAir(kLowest, P, below);
    if (lowest > p * (1.0 + kRounding)) return kNan;
    return lowest >= p ? kLowest : t;
  }
  if (p < kAboveSeam && !(AtTheSeam(P, over, false) < p)) return seam;
  return Solve(p, P, above, seam, kHighest);
}

}  // namespace hygrian::air::handbook

#include "air/handbook/wet_bulb.h"

#include "air/handbook/lanes.h"
#include "air/handbook/one_lane.h"
#include "air/handbook/relations.h"

// The search itself is air/handbook/wet_bulb_search-inl.h's, for one lane: the
// array entry point takes the same steps in SIMD vectors.
namespace hygrian::air::handbook {
namespace {

namespace g = one_lane;

// The plan's search, stepped until it stops.
double Search(double t, double W, double P, const g::WetBulbPlan<Lanes>& plan) {
  g::WetBulbSearch<Lanes> s = g::StartWetBulb<Lanes>(t, P, plan);
  for (int i = 0; i < g::wet_bulb::kMostSteps && !s.done; ++i) {
    g::StepWetBulb<Lanes>(s, t, W, P, plan.ice, plan.liquid);
  }
  return s.x;
}

double WetBulbOf(double t, double W, double P, const g::WetBulbPlan<Lanes>& plan) {
  if (plan.early) return plan.value;
  const double x = Search(t, W, P, plan);
  if (!g::SearchAgainFromFloor<Lanes>(x, plan)) return x;
  // The low end (a dew point) was not below the root: from the floor.
  g::WetBulbPlan<Lanes> again = plan;
  again.low = g::wet_bulb::kFloor;
  again.start = g::wet_bulb::kFloor;
  return Search(t, W, P, again);
}

}  // namespace

double WetBulb(double t, double W, double P, double below, Phase over, LogSaturation atDryBulb,
               double saturation) {
  return WetBulbOf(t, W, P,
                   g::PlanWetBulb<Lanes>(t, W, P, below, over == Phase::Ice,
                                         {{atDryBulb.value, atDryBulb.slope}, saturation}));
}

}  // namespace hygrian::air::handbook

#include "air/processes/process.h"

#include <cmath>
#include <limits>

#include "air/bracket.h"
#include "air/handbook/relations.h"
#include "hygrian/outcomes.h"

namespace hygrian::air {

Status Screen(double t, double W, double flow, double P, double extra1, double extra2) {
  for (const double x : {t, W, flow, P, extra1, extra2}) {
    if (!std::isfinite(x)) return Status::InvalidInput;
  }
  if (W < 0.0 || flow < 0.0 || !(P > 0.0)) return Status::InvalidInput;
  // The model's ranges, as every state computation screens them; the entering
  // state itself is not computed (its wet-bulb would cost a search): a process
  // needs only its enthalpy, and its leaving state is computed and screened.
  if (t < handbook::kLowest || t > handbook::kHighest || P < handbook::kLowestPressure ||
      P > handbook::kHighestPressure) {
    return Status::OutOfRange;
  }
  return Status::Ok;
}

ProcessResult Failed(Status status) {
  ProcessResult result;
  result.status = status;
  return result;
}

ProcessResult Balance(double t1, double W1, double flow, const Result& leaving,
                      double waterEnthalpy, Heat heat) {
  if (!RulesOf(OutcomeOf(leaving).kind).computed) return Failed(leaving.status);
  const State& s = leaving.state;
  const double h1 = handbook::Enthalpy(t1, W1);
  const double atEnteringDryBulb = handbook::Enthalpy(t1, s.humidityRatio);
  ProcessResult result;
  result.leaving = s;
  result.flow = flow;
  result.sensibleLoad = flow * (s.enthalpy - atEnteringDryBulb);
  result.latentLoad = flow * (atEnteringDryBulb - h1);
  result.water = flow * (s.humidityRatio - W1);
  result.waterEnthalpy = waterEnthalpy;
  result.totalLoad =
      heat == Heat::None ? 0.0 : flow * (s.enthalpy - h1) - result.water * waterEnthalpy;
  const double air = result.sensibleLoad + result.latentLoad;
  result.sensibleHeatRatio =
      air != 0.0 ? result.sensibleLoad / air : std::numeric_limits<double>::quiet_NaN();
  result.status = leaving.status;
  return result;
}

double UnsaturatedDryBulb(double W, double h) {
  constexpr double kTolerance = 1e-12;  // K
  const Root t = FindRoot([&](double x) { return handbook::Enthalpy(x, W) - h; }, handbook::kLowest,
                          handbook::kHighest, kTolerance, 0.0);
  return t.found ? t.x : std::nan("");
}

double CondensedWaterEnthalpy(double t, Phase over) {
  constexpr double kIceAtZero = -333.4;  // kJ/kg: ice at 0 degrees C, less its heat of fusion
  constexpr double kIceHeat = 2.1;       // kJ/(kg K): ice
  if (handbook::SaturatingPhase(t, over) == Phase::Ice) return kIceAtZero + kIceHeat * t;
  return handbook::LiquidWaterEnthalpy(t);
}

}  // namespace hygrian::air

#include "air/process.h"

#include <cmath>
#include <limits>

#include "air/handbook.h"
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
                      double waterEnthalpy) {
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
  result.totalLoad = flow * (s.enthalpy - h1) - result.water * waterEnthalpy;
  const double air = result.sensibleLoad + result.latentLoad;
  result.sensibleHeatRatio =
      air != 0.0 ? result.sensibleLoad / air : std::numeric_limits<double>::quiet_NaN();
  result.status = leaving.status;
  return result;
}

}  // namespace hygrian::air

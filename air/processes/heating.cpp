// Sensible heating or cooling: the dry-bulb changes, the humidity ratio does not.
#include "air/handbook/relations.h"
#include "air/processes/process.h"
#include "hygrian/processes.h"

namespace hygrian {
namespace {

// The result of sensible heating or cooling to `leaving`: air cooled past its
// dew point comes out supersaturated, or so far past that the state is
// refused as invalid input (the entering values were screened).
ProcessResult Sensible(double t, double W, double flow, const Result& leaving, bool cooling) {
  if (leaving.status == Status::Supersaturated || leaving.status == Status::AboveIceSaturation ||
      (cooling && leaving.status == Status::InvalidInput)) {
    return air::Failed(Status::BelowDewPoint);
  }
  return air::Balance(t, W, flow, leaving, 0.0);
}

}  // namespace

ProcessResult HeatTo(double dryBulb, double humidityRatio, double leavingDryBulb, double flow,
                     double P, Phase over) noexcept {
  const Status status = air::Screen(dryBulb, humidityRatio, flow, P, leavingDryBulb, 0.0);
  if (status != Status::Ok) return air::Failed(status);
  const Result leaving = FromDryBulbHumidityRatio(leavingDryBulb, humidityRatio, P, {.over = over});
  return Sensible(dryBulb, humidityRatio, flow, leaving, leavingDryBulb < dryBulb);
}

ProcessResult HeatBy(double dryBulb, double humidityRatio, double heatRate, double flow, double P,
                     Phase over) noexcept {
  const Status status = air::Screen(dryBulb, humidityRatio, flow, P, heatRate, 0.0);
  if (status != Status::Ok) return air::Failed(status);
  if (!(flow > 0.0)) return air::Failed(Status::InvalidInput);
  const double h2 = air::handbook::Enthalpy(dryBulb, humidityRatio) + heatRate / flow;
  const Result leaving = FromHumidityRatioEnthalpy(humidityRatio, h2, P, {.over = over});
  return Sensible(dryBulb, humidityRatio, flow, leaving, heatRate < 0.0);
}

}  // namespace hygrian

// Sensible heating or cooling: the dry-bulb changes, the humidity ratio does not.
#include "air/process.h"
#include "hygrian/processes.h"

namespace hygrian {

ProcessResult HeatTo(double dryBulb, double humidityRatio, double leavingDryBulb, double flow,
                     double P, Phase over) noexcept {
  const Status status = air::Screen(dryBulb, humidityRatio, flow, P, leavingDryBulb, 0.0);
  if (status != Status::Ok) return air::Failed(status);
  const Result leaving = FromDryBulbHumidityRatio(leavingDryBulb, humidityRatio, P, {.over = over});
  if (leaving.status == Status::Supersaturated) return air::Failed(Status::BelowDewPoint);
  return air::Balance(dryBulb, humidityRatio, flow, leaving, 0.0);
}

}  // namespace hygrian

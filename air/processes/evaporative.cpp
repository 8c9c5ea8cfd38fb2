// Direct evaporative cooling: water recirculated at the wet-bulb takes the air
// along its line of constant wet-bulb towards saturation.
#include "air/handbook/relations.h"
#include "air/processes/process.h"
#include "hygrian/processes.h"

namespace hygrian {

ProcessResult CoolEvaporatively(double dryBulb, double humidityRatio, double effectiveness,
                                double flow, double P, Phase over) noexcept {
  if (!(effectiveness >= 0.0 && effectiveness <= 1.0)) return air::Failed(Status::InvalidInput);
  // The entering state screens the air; HumidifyWithWater screens the rest.
  const Result entering = FromDryBulbHumidityRatio(dryBulb, humidityRatio, P, {.over = over});
  if (entering.status != Status::Ok && entering.status != Status::DrierThanRange) {
    return air::Failed(entering.status);
  }
  if (!entering.wetBulbFound) return air::Failed(Status::NoState);
  const double wetBulb = entering.state.wetBulb;
  const double leavingDryBulb = dryBulb - effectiveness * (dryBulb - wetBulb);
  // The psychrometric equation gives W at the leaving dry-bulb with the same
  // wet-bulb; the water's enthalpy then closes the energy balance.
  const double leavingW =
      effectiveness == 0.0 ? humidityRatio
                           : air::handbook::WetBulbHumidityRatio(leavingDryBulb, wetBulb, P, over);
  return HumidifyWithWater(dryBulb, humidityRatio, leavingW, wetBulb, flow, P, over);
}

}  // namespace hygrian

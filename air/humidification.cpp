// Humidification: water of a known enthalpy added to the air, no heat crossing
// the boundary, so the air's enthalpy rises by the water's.
#include "air/handbook.h"
#include "air/process.h"
#include "hygrian/processes.h"

namespace hygrian {
namespace {

ProcessResult Humidify(double t, double W, double W2, double waterTemperature, double hw,
                       double flow, double P, Phase over) {
  const Status status = air::Screen(t, W, flow, P, W2, waterTemperature);
  if (status != Status::Ok) return air::Failed(status);
  if (!(W2 >= W)) return air::Failed(Status::InvalidInput);
  const double h2 = air::handbook::Enthalpy(t, W) + (W2 - W) * hw;
  return air::Balance(t, W, flow, FromHumidityRatioEnthalpy(W2, h2, P, {.over = over}), hw);
}

}  // namespace

ProcessResult HumidifyWithSteam(double dryBulb, double humidityRatio, double leavingHumidityRatio,
                                double steamTemperature, double flow, double P,
                                Phase over) noexcept {
  return Humidify(dryBulb, humidityRatio, leavingHumidityRatio, steamTemperature,
                  air::handbook::VaporEnthalpy(steamTemperature), flow, P, over);
}

ProcessResult HumidifyWithWater(double dryBulb, double humidityRatio, double leavingHumidityRatio,
                                double waterTemperature, double flow, double P,
                                Phase over) noexcept {
  return Humidify(dryBulb, humidityRatio, leavingHumidityRatio, waterTemperature,
                  air::handbook::LiquidWaterEnthalpy(waterTemperature), flow, P, over);
}

}  // namespace hygrian

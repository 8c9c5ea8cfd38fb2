// A cooling and dehumidifying coil by its apparatus dew point and bypass factor:
// the leaving air is the bypassed share of the entering air mixed with air
// saturated at the coil's surface; or by the leaving state itself.
#include "air/handbook.h"
#include "air/process.h"
#include "hygrian/processes.h"

namespace hygrian {

ProcessResult CoolAndDehumidify(double dryBulb, double humidityRatio, double apparatusDewPoint,
                                double bypassFactor, double flow, double P, Phase over) noexcept {
  const Status status =
      air::Screen(dryBulb, humidityRatio, flow, P, apparatusDewPoint, bypassFactor);
  if (status != Status::Ok) return air::Failed(status);
  if (!(bypassFactor >= 0.0 && bypassFactor <= 1.0)) return air::Failed(Status::InvalidInput);
  const Options options{.over = over};
  const Result surface = FromDryBulbRelativeHumidity(apparatusDewPoint, 100.0, P, options);
  if (surface.status != Status::Ok) return air::Failed(surface.status);
  const double Ws = surface.state.humidityRatio;
  if (!(Ws < humidityRatio)) return air::Failed(Status::NoState);
  const double hs = surface.state.enthalpy;
  const double h1 = air::handbook::Enthalpy(dryBulb, humidityRatio);
  const double W2 = Ws + bypassFactor * (humidityRatio - Ws);
  const double h2 = hs + bypassFactor * (h1 - hs);
  return air::Balance(dryBulb, humidityRatio, flow, FromHumidityRatioEnthalpy(W2, h2, P, options),
                      air::handbook::LiquidWaterEnthalpy(apparatusDewPoint));
}

ProcessResult CoolAndDehumidifyTo(double dryBulb, double humidityRatio, double leavingDryBulb,
                                  double leavingRelativeHumidity, double flow, double P,
                                  Phase over) noexcept {
  const Status status =
      air::Screen(dryBulb, humidityRatio, flow, P, leavingDryBulb, leavingRelativeHumidity);
  if (status != Status::Ok) return air::Failed(status);
  if (!(leavingRelativeHumidity >= 0.0 && leavingRelativeHumidity <= 100.0)) {
    return air::Failed(Status::InvalidInput);
  }
  const Result leaving =
      FromDryBulbRelativeHumidity(leavingDryBulb, leavingRelativeHumidity, P, {.over = over});
  if (leaving.status == Status::Ok &&
      !(leavingDryBulb <= dryBulb && leaving.state.humidityRatio <= humidityRatio)) {
    return air::Failed(Status::NoState);
  }
  return air::Balance(dryBulb, humidityRatio, flow, leaving,
                      air::handbook::LiquidWaterEnthalpy(leavingDryBulb));
}

}  // namespace hygrian

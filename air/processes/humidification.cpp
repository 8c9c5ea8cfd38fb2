// Humidification: water of a known enthalpy added to the air, no heat crossing
// the boundary, so the air's enthalpy rises by the water's.
#include <cmath>

#include "air/bracket.h"
#include "air/handbook/relations.h"
#include "air/processes/process.h"
#include "hygrian/processes.h"

namespace hygrian {
namespace {

ProcessResult Humidify(double t, double W, double W2, double waterTemperature, double hw,
                       double flow, double P, Phase over) {
  const Status status = air::Screen(t, W, flow, P, W2, waterTemperature);
  if (status != Status::Ok) return air::Failed(status);
  if (!(W2 >= W)) return air::Failed(Status::InvalidInput);
  const double h2 = air::handbook::Enthalpy(t, W) + (W2 - W) * hw;
  return air::Balance(t, W, flow, FromHumidityRatioEnthalpy(W2, h2, P, {.over = over}), hw,
                      air::Heat::None);
}

// The dry-bulb at which air at (t, W) humidified with water of enthalpy hw
// reaches relativeHumidity: where the air's enthalpy at the humidity ratio of
// that relative humidity equals what the water brought, walked to from t in
// growing steps (the line may cross that humidity again, far off), then
// bracketed. NaN where it reaches none in the model's range.
double DryBulbReaching(double t, double W, double relativeHumidity, double hw, double P,
                       Phase over) {
  namespace hb = air::handbook;
  const double h1 = hb::Enthalpy(t, W);
  const auto residual = [&](double x) {
    const double w = hb::HumidityRatioAt(x, relativeHumidity, P, over);
    return hb::Enthalpy(x, w) - h1 - (w - W) * hw;
  };
  const double atStart = residual(t);
  if (atStart == 0.0) return t;
  // Below the entering dry-bulb when the water brings less than the vapour's
  // enthalpy at t (a positive residual there), above otherwise.
  const double direction = atStart > 0.0 ? -1.0 : 1.0;
  constexpr double kTolerance = 1e-9;  // K
  double near = t;
  double step = 1.0;  // K
  for (;;) {
    const double far = std::fmin(std::fmax(near + direction * step, hb::kLowest), hb::kHighest);
    const double r = residual(far);
    if (!std::isfinite(r)) {
      // Past the temperature where that humidity's vapour pressure reaches P:
      // step shorter, towards it.
      if (step < kTolerance) return std::nan("");
      step *= 0.5;
      continue;
    }
    if (std::signbit(r) != std::signbit(atStart)) {
      const air::Root x =
          air::FindRoot(residual, std::fmin(near, far), std::fmax(near, far), kTolerance, 0.0);
      return x.found ? x.x : std::nan("");
    }
    if (far == hb::kLowest || far == hb::kHighest) return std::nan("");
    near = far;
    step *= 2.0;
  }
}

ProcessResult HumidifyTo(double t, double W, double relativeHumidity, double waterTemperature,
                         double hw, double flow, double P, Phase over) {
  const Status status = air::Screen(t, W, flow, P, relativeHumidity, waterTemperature);
  if (status != Status::Ok) return air::Failed(status);
  if (!(relativeHumidity <= 100.0) ||
      !(air::handbook::HumidityRatioAt(t, relativeHumidity, P, over) >= W)) {
    return air::Failed(Status::InvalidInput);
  }
  const double leavingDryBulb = DryBulbReaching(t, W, relativeHumidity, hw, P, over);
  if (std::isnan(leavingDryBulb)) return air::Failed(Status::NoState);
  // The state of the dry-bulb found and the humidity asked for: saturated air
  // asked for comes out saturated, not a rounding above. Its enthalpy is the
  // water's balance to within the 1e-9 K of the dry-bulb.
  return air::Balance(
      t, W, flow, FromDryBulbRelativeHumidity(leavingDryBulb, relativeHumidity, P, {.over = over}),
      hw, air::Heat::None);
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

ProcessResult HumidifyWithSteamToRelativeHumidity(double dryBulb, double humidityRatio,
                                                  double leavingRelativeHumidity,
                                                  double steamTemperature, double flow, double P,
                                                  Phase over) noexcept {
  return HumidifyTo(dryBulb, humidityRatio, leavingRelativeHumidity, steamTemperature,
                    air::handbook::VaporEnthalpy(steamTemperature), flow, P, over);
}

ProcessResult HumidifyWithWaterToRelativeHumidity(double dryBulb, double humidityRatio,
                                                  double leavingRelativeHumidity,
                                                  double waterTemperature, double flow, double P,
                                                  Phase over) noexcept {
  return HumidifyTo(dryBulb, humidityRatio, leavingRelativeHumidity, waterTemperature,
                    air::handbook::LiquidWaterEnthalpy(waterTemperature), flow, P, over);
}

}  // namespace hygrian

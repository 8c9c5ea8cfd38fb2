// The potential, equivalent potential and virtual temperatures.
#include "air/handbook/relations.h"
#include "air/measures/common.h"

namespace hygrian {

MeasureResult PotentialTemperature(const State& air, double pressure) noexcept {
  using namespace air::measures;
  if (!Finite(air.dryBulb, pressure) || !(pressure > 0.0)) return Refused();
  constexpr double kReference = 100.0;  // kPa
  constexpr double kKappa = 0.2857;     // Rd / cp of dry air
  return {(air.dryBulb + kKelvin) * Pow(kReference / pressure, kKappa) - kKelvin, Status::Ok};
}

MeasureResult EquivalentPotentialTemperature(const State& air, double pressure) noexcept {
  using namespace air::measures;
  const double W = air.humidityRatio;
  const double p = air.vaporPressure;
  if (!Finite(air.dryBulb, W, p, pressure) || W < 0.0 || p < 0.0 || !(p < pressure)) {
    return Refused();
  }
  const double T = air.dryBulb + kKelvin;
  const double e = p * 10.0;  // hPa
  // Bolton (1980) eq. 21: the temperature at the lifting condensation level
  // from T (K) and e (hPa); 55 K for dry air, whose r of 0 leaves only theta.
  const double TL = W > 0.0 ? 2840.0 / (3.5 * Log(T) - Log(e) - 4.805) + 55.0 : 55.0;
  // Eq. 24 and eq. 39, r in kg/kg.
  const double thetaDL = T * Pow(1000.0 / (pressure * 10.0 - e), 0.2854) * Pow(T / TL, 0.28 * W);
  return {thetaDL * Exp((3036.0 / TL - 1.78) * W * (1.0 + 0.448 * W)) - kKelvin, Status::Ok};
}

MeasureResult VirtualTemperature(const State& air) noexcept {
  using namespace air::measures;
  const double W = air.humidityRatio;
  if (!Finite(air.dryBulb, W) || W < 0.0) return Refused();
  const double T = air.dryBulb + kKelvin;
  return {T * (1.0 + W / air::handbook::kMassRatio) / (1.0 + W) - kKelvin, Status::Ok};
}

}  // namespace hygrian

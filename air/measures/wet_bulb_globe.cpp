// The wet-bulb globe temperatures: outdoors, in the shade, and the estimate.
#include <cmath>

#include "air/measures/common.h"
#include "air/measures/liljegren.h"

namespace hygrian {
namespace {

GlobeResult FromModel(const State& air, double pressure, double windSpeed,
                      const air::measures::Sun& sun, double globeShare) {
  using namespace air::measures;
  GlobeResult r;
  const double T = air.dryBulb + kKelvin;
  const double u = WindAtTwoMetres(windSpeed, sun);
  const WickAndGlobe both =
      NaturalWetBulbAndGlobe(T, air.vaporPressure * 10.0, pressure * 10.0, u, sun);
  if (std::isnan(both.naturalWetBulb) || std::isnan(both.globe)) {
    r.status = Status::OutsideMeasureRange;
    return r;
  }
  r.naturalWetBulb = both.naturalWetBulb - kKelvin;
  r.globe = both.globe - kKelvin;
  r.wetBulbGlobe = 0.7 * r.naturalWetBulb + globeShare * r.globe + (0.3 - globeShare) * air.dryBulb;
  return r;
}

// The state and pressure as the model takes them: InvalidInput or
// OutsideMeasureRange where they are not, else Ok.
Status Screen(const State& air, double pressure, double windSpeed) {
  using air::measures::Finite;
  if (!Finite(air.dryBulb, air.vaporPressure, pressure, windSpeed) || air.vaporPressure < 0.0 ||
      !(air.vaporPressure < pressure) || windSpeed < 0.0) {
    return Status::InvalidInput;
  }
  // A wet wick, and the air's properties near the span they were fitted over.
  if (air.dryBulb < 0.0 || air.dryBulb > 50.0) return Status::OutsideMeasureRange;
  return Status::Ok;
}

}  // namespace

GlobeResult WetBulbGlobeTemperature(const State& air, double pressure, double windSpeed,
                                    double solarIrradiance, double cosZenith,
                                    double directFraction) noexcept {
  GlobeResult r;
  r.status = Screen(air, pressure, windSpeed);
  const bool fraction =
      std::isnan(directFraction) || (directFraction >= 0.0 && directFraction <= 1.0);
  if (r.status == Status::Ok &&
      (!air::measures::Finite(solarIrradiance, cosZenith) || solarIrradiance < 0.0 ||
       cosZenith < -1.0 || cosZenith > 1.0 || !fraction)) {
    r.status = Status::InvalidInput;
  }
  if (r.status != Status::Ok) return r;
  const air::measures::Sun sun = air::measures::SunOf(solarIrradiance, cosZenith, directFraction);
  return FromModel(air, pressure, windSpeed, sun, 0.2);
}

GlobeResult WetBulbGlobeTemperatureInShade(const State& air, double pressure,
                                           double windSpeed) noexcept {
  GlobeResult r;
  r.status = Screen(air, pressure, windSpeed);
  if (r.status != Status::Ok) return r;
  // No sun, the wind's stability as on an overcast day.
  const air::measures::Sun shade{0.0, 0.0, 1.0};
  return FromModel(air, pressure, windSpeed, shade, 0.3);
}

MeasureResult WetBulbGlobeTemperatureEstimate(const State& air) noexcept {
  using namespace air::measures;
  if (!Finite(air.dryBulb, air.vaporPressure) || air.vaporPressure < 0.0) return Refused();
  return {0.567 * air.dryBulb + 0.393 * air.vaporPressure * 10.0 + 3.94, Status::Ok};
}

}  // namespace hygrian

// Steadman's apparent temperature, in the Bureau of Meteorology's forms.
#include "air/measures/common.h"

namespace hygrian {

MeasureResult ApparentTemperature(const State& air, double windSpeed) noexcept {
  using namespace air::measures;
  if (!Finite(air.dryBulb, air.vaporPressure, windSpeed) || windSpeed < 0.0) return Refused();
  const double e = air.vaporPressure * 10.0;  // hPa
  return {air.dryBulb + 0.33 * e - 0.70 * windSpeed - 4.00, Status::Ok};
}

MeasureResult ApparentTemperatureInSun(const State& air, double windSpeed,
                                       double netRadiation) noexcept {
  using namespace air::measures;
  if (!Finite(air.dryBulb, air.vaporPressure, windSpeed, netRadiation) || windSpeed < 0.0) {
    return Refused();
  }
  const double e = air.vaporPressure * 10.0;  // hPa
  return {
      air.dryBulb + 0.348 * e - 0.70 * windSpeed + 0.70 * netRadiation / (windSpeed + 10.0) - 4.25,
      Status::Ok};
}

}  // namespace hygrian

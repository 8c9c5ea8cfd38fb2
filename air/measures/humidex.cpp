// The humidex, Environment Canada's form.
#include "air/handbook/dew_point.h"
#include "air/handbook/relations.h"
#include "air/measures/common.h"

namespace hygrian {

MeasureResult Humidex(const State& air, double pressure) noexcept {
  using namespace air::measures;
  const double p = air.vaporPressure;
  if (!Finite(air.dryBulb, p, pressure) || p < 0.0 || !(p < pressure)) return Refused();
  if (air.dryBulb < 20.0) return OutOfRange();
  // The dew point over water: the state's where both conventions agree (above
  // the triple point), else the handbook model's inverse over water.
  double dewPoint = air.dewPoint;
  if (!(dewPoint > air::handbook::kTriplePoint)) {
    dewPoint = p > 0.0 ? air::handbook::DewPoint(p, pressure, Phase::Water) : NotGiven;
  }
  // Environment Canada: e in hPa from the dew point in kelvins; 5417.7530 is
  // L M_w / R for water. With no vapour, e is 0.
  const double e = std::isnan(dewPoint)
                       ? 0.0
                       : 6.11 * Exp(5417.7530 * (1.0 / 273.16 - 1.0 / (dewPoint + kKelvin)));
  return {air.dryBulb + 0.5555 * (e - 10.0), Status::Ok};
}

}  // namespace hygrian

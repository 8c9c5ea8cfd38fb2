// The NWS heat index, computed in degrees F as the NWS defines it.
#include "air/measures/common.h"

namespace hygrian {
namespace {

// Rothfusz's regression (NWS SR 90-23): T in degrees F, RH in percent.
double Rothfusz(double T, double RH) {
  return -42.379 + 2.04901523 * T + 10.14333127 * RH - 0.22475541 * T * RH - 6.83783e-3 * T * T -
         5.481717e-2 * RH * RH + 1.22874e-3 * T * T * RH + 8.5282e-4 * T * RH * RH -
         1.99e-6 * T * T * RH * RH;
}

// The NWS's adjustments of the regression (the NWS heat index equation page):
// dry air at 80 to 112 degF, humid air at 80 to 87 degF.
double Adjustment(double T, double RH) {
  if (RH < 13.0 && T >= 80.0 && T <= 112.0) {
    return -(13.0 - RH) / 4.0 * std::sqrt((17.0 - std::fabs(T - 95.0)) / 17.0);
  }
  if (RH > 85.0 && T >= 80.0 && T <= 87.0) return (RH - 85.0) / 10.0 * ((87.0 - T) / 5.0);
  return 0.0;
}

constexpr double kLowest = 40.0;    // degF: at and below, the heat index is the temperature
constexpr double kHighest = 112.0;  // degF: the adjustments' upper limit
constexpr double kMost = 137.5;     // degF: what the NWS table's last printed value, 137, rounds

}  // namespace

MeasureResult HeatIndex(const State& air) noexcept {
  using air::measures::OutOfRange;
  const double RH = air.relativeHumidity;
  if (!air::measures::Finite(air.dryBulb, RH) || RH < 0.0) return air::measures::Refused();
  const double T = air.dryBulb * 9.0 / 5.0 + 32.0;
  if (!(T > kLowest && T <= kHighest) || RH > 100.0) return OutOfRange();
  // Steadman's simple form, already averaged with the temperature.
  double HI = 0.5 * (T + 61.0 + (T - 68.0) * 1.2 + RH * 0.094);
  if (HI >= 80.0) HI = Rothfusz(T, RH) + Adjustment(T, RH);
  if (HI > kMost) return OutOfRange();
  return {(HI - 32.0) * 5.0 / 9.0, Status::Ok};
}

}  // namespace hygrian

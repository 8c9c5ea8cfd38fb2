#include "chart/marks.h"

#include "chart/moist_air.h"

namespace hygrian::chart {
namespace {

// A state this little above saturation (relative) is taken as on it.
constexpr double kSaturationSlack = 1e-9;

}  // namespace

Fit FitOf(const Frame& frame, double dryBulb, double humidityRatio) {
  if (!frame.Contains(dryBulb, humidityRatio)) return Fit::OutsideRange;
  const std::optional<double> saturated =
      SaturationHumidityRatio(dryBulb, frame.Pressure(), frame.Relations());
  if (saturated && humidityRatio > *saturated * (1.0 + kSaturationSlack)) {
    return Fit::AboveSaturation;
  }
  return Fit::Inside;
}

Box MarkerBox(Point at) {
  const double side = 2.0 * kMarkerRadius + 4.0;
  return {at, side, side, 0.0};
}

}  // namespace hygrian::chart

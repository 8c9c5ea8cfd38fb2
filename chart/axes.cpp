#include "chart/axes.h"

#include <algorithm>
#include <numbers>
#include <optional>
#include <string>
#include <utility>

#include "chart/moist_air.h"
#include "chart/ticks.h"

namespace hygrian::chart {

AxesLayer LayOutAxes(const Frame& frame, const Curve& saturation) {
  AxesLayer axes;
  const Rect& plot = frame.Plot();
  const double tmin = frame.DryBulbMin();
  const double tmax = frame.DryBulbMax();
  const double top = frame.HumidityRatioMax();
  const auto topAt = [&](double t) {
    const std::optional<double> w = SaturationHumidityRatio(t, frame.Pressure(), frame.Relations());
    return w ? std::min(*w, top) : top;
  };

  // The ticks at round values in the chart's units.
  const ChartUnits& units = frame.Units();
  const ChartSettings& settings = frame.Settings();
  const double tStep =
      TickStep(settings.dryBulbMax - settings.dryBulbMin, plot.right - plot.left, kTickSpacing);
  // The numbers' baseline is 18 px below the plot.
  const double numbersY = plot.bottom + 18.0 - kBaselineShift * kTickFontSize;
  for (TickValue& tick : TickValues(settings.dryBulbMin, settings.dryBulbMax, tStep)) {
    const double t = ToLibrary(*units.temperature, tick.value);
    const double x = frame.X(t);
    axes.dryBulb.push_back({x, TextAt(std::move(tick.text), kTickFontSize, {x, numbersY})});
    if (t > tmin && t < tmax) axes.grid.push_back({frame.At(t, 0.0), frame.At(t, topAt(t))});
  }
  for (TickValue& tick : TickValues(0.0, settings.humidityRatioMax, frame.HumidityRatioStep())) {
    const double W = ToLibrary(*units.humidityRatio, tick.value);
    const double y = frame.Y(W);
    axes.humidityRatio.push_back(
        {y, TextFrom(std::move(tick.text), kTickFontSize, plot.right + 8.0, y)});
    if (!(W > 0.0 && W < top)) continue;
    const auto below = [&](double t) {
      const std::optional<double> w =
          SaturationHumidityRatio(t, frame.Pressure(), frame.Relations());
      return w && *w < W;
    };
    if (below(tmax)) continue;  // saturation stays below this line
    const double from = below(tmin) ? LastInside(below, tmin, tmax, 1e-12) : tmin;
    axes.grid.push_back({frame.At(from, W), frame.At(tmax, W)});
  }

  axes.outline = {frame.At(tmin, topAt(tmin)), frame.At(tmin, 0.0), frame.At(tmax, 0.0),
                  frame.At(tmax, topAt(tmax))};
  const double leftTop = saturation.vertices.empty() ? tmin : saturation.vertices.back().t;
  if (topAt(tmax) >= top && leftTop < tmax) axes.outline.push_back(frame.At(leftTop, top));

  axes.dryBulbTitle = TextAt(
      "Dry-bulb temperature, " + std::string(units.degrees), kAxisTitleFontSize,
      {(plot.left + plot.right) / 2.0, plot.bottom + 40.0 - kBaselineShift * kAxisTitleFontSize});
  const std::string title = "Humidity ratio, " + std::string(units.humidityRatio->key) + " dry air";
  const Point at{plot.right + frame.HumidityRatioTitleOffset(), (plot.top + plot.bottom) / 2.0};
  axes.humidityRatioTitle = {title, TextBox(title, kAxisTitleFontSize, at, std::numbers::pi / 2.0),
                             kAxisTitleFontSize};
  return axes;
}

}  // namespace hygrian::chart

#include "chart/axes.h"

#include <algorithm>
#include <numbers>
#include <optional>
#include <string>
#include <utility>

#include "chart/moist_air.h"
#include "chart/ticks.h"
#include "chart/trace.h"

namespace hygrian::chart {

namespace {

// The Mollier diagram's axes: temperature up the left edge, its isotherms from
// the left edge to saturation; humidity ratio along the bottom, its lines from
// saturation (or the bottom) to the top.
AxesLayer MollierAxes(const Frame& frame, const Curve& saturation) {
  AxesLayer axes;
  const Rect& plot = frame.Plot();
  const double top = frame.HumidityRatioMax();
  const ChartUnits& units = frame.Units();
  const ChartSettings& settings = frame.Settings();
  const auto saturated = [&](double t) {
    return SaturationHumidityRatio(t, frame.Pressure(), frame.Relations());
  };
  const double tStep =
      TickStep(settings.dryBulbMax - settings.dryBulbMin, plot.bottom - plot.top, kTickSpacing);
  for (TickValue& tick : TickValues(settings.dryBulbMin, settings.dryBulbMax, tStep)) {
    const double t = ToLibrary(*units.temperature, tick.value);
    const double y = frame.At(t, 0.0).y;
    axes.dryBulb.push_back({y, TextTo(std::move(tick.text), kTickFontSize, plot.left - 8.0, y)});
    if (!(t > frame.DryBulbMin() && t < frame.DryBulbMax())) continue;
    double end = std::min(saturated(t).value_or(top), top);
    const auto inside = [&](double W) { return frame.Contains(t, W); };
    if (!inside(end)) end = LastInside(inside, 0.0, end, 1e-12);
    axes.grid.push_back({frame.At(t, 0.0), frame.At(t, end)});
  }
  const double numbersY = plot.bottom + 18.0 - kBaselineShift * kTickFontSize;
  for (TickValue& tick : TickValues(0.0, settings.humidityRatioMax, frame.HumidityRatioStep())) {
    const double W = ToLibrary(*units.humidityRatio, tick.value);
    const double x = plot.left + W / top * (plot.right - plot.left);
    axes.humidityRatio.push_back({x, TextAt(std::move(tick.text), kTickFontSize, {x, numbersY})});
    if (!(W > 0.0 && W < top)) continue;
    // The dew point of W: below it the line would be in the fog.
    const auto dry = [&](double t) { return saturated(t).value_or(top) >= W; };
    if (!dry(frame.DryBulbHigh())) continue;  // all of it in the fog
    const double dew = dry(frame.DryBulbLow())
                           ? frame.DryBulbLow()
                           : LastInside(dry, frame.DryBulbHigh(), frame.DryBulbLow(), 1e-12);
    const double from = std::min(plot.bottom, frame.At(dew, W).y);
    if (from > plot.top) axes.grid.push_back({{x, from}, {x, plot.top}});
  }
  // The air side: from where saturation enters along the bottom, round the
  // left and top edges to where it leaves.
  if (saturation.vertices.empty()) {
    axes.outline = {{plot.right, plot.bottom},
                    {plot.left, plot.bottom},
                    {plot.left, plot.top},
                    {plot.right, plot.top},
                    {plot.right, plot.bottom}};
  } else {
    const Point enters = saturation.vertices.front().at;
    const Point leaves = saturation.vertices.back().at;
    axes.outline = {enters, {plot.left, plot.bottom}, {plot.left, plot.top}};
    if (leaves.y > plot.top + 1e-6) axes.outline.push_back({plot.right, plot.top});
    axes.outline.push_back(leaves);
  }
  axes.humidityRatioTitle = TextAt(
      "Humidity ratio, " + std::string(units.humidityRatio->key) + " dry air", kAxisTitleFontSize,
      {(plot.left + plot.right) / 2.0, plot.bottom + 40.0 - kBaselineShift * kAxisTitleFontSize});
  const std::string title = "Temperature, " + std::string(units.degrees);
  const Point at{plot.left - frame.HumidityRatioTitleOffset(), (plot.top + plot.bottom) / 2.0};
  axes.dryBulbTitle = {title, TextBox(title, kAxisTitleFontSize, at, -std::numbers::pi / 2.0),
                       kAxisTitleFontSize};
  return axes;
}

}  // namespace

AxesLayer LayOutAxes(const Frame& frame, const Curve& saturation) {
  if (frame.Mollier()) return MollierAxes(frame, saturation);
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

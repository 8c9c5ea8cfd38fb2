#include "chart/zones.h"

#include <algorithm>
#include <array>
#include <optional>

#include "chart/moist_air.h"

namespace hygrian::chart {
namespace {

constexpr int kStepsPerEdge = 24;  // straight in t and the second value, curved on the chart
constexpr double kSwatch = 12.0;   // px
constexpr double kRow = 16.0;      // px between the entries' centres
constexpr double kInset = 10.0;    // px from the plot's corner

// The corner as (t, second value): relative humidity when the file gave it,
// else the humidity ratio.
struct Corner {
  double t, value;
};

std::optional<Point> At(const Frame& frame, Corner c, bool byHumidity) {
  if (!byHumidity) return frame.At(c.t, c.value);
  const std::optional<double> W =
      HumidityRatioAtRelativeHumidity(c.t, c.value, frame.Pressure(), frame.Relations());
  if (!W) return std::nullopt;
  return frame.At(c.t, *W);
}

std::vector<Point> Outline(const Frame& frame, const std::vector<Corner>& corners,
                           bool byHumidity) {
  std::vector<Point> outline;
  for (std::size_t i = 0; i < corners.size(); ++i) {
    const Corner a = corners[i];
    const Corner b = corners[(i + 1) % corners.size()];
    for (int step = 0; step < kStepsPerEdge; ++step) {
      const double f = static_cast<double>(step) / kStepsPerEdge;
      const Corner c{a.t + f * (b.t - a.t), a.value + f * (b.value - a.value)};
      if (const std::optional<Point> p = At(frame, c, byHumidity)) outline.push_back(*p);
    }
  }
  return outline;
}

}  // namespace

std::vector<Zone> ZonesOf(const Frame& frame, const std::vector<PlotPoint>& corners,
                          std::string_view secondKey) {
  const bool byHumidity = secondKey == "relative_humidity";
  std::vector<Zone> zones;
  std::vector<Corner> polygon;
  const auto close = [&](const std::string& name) {
    if (polygon.size() >= 3) {
      zones.push_back({name, {}, Outline(frame, polygon, byHumidity), {}});
    }
    polygon.clear();
  };
  for (std::size_t i = 0; i < corners.size(); ++i) {
    const State& s = corners[i].state;
    polygon.push_back({s.dryBulb, byHumidity ? s.relativeHumidity : s.humidityRatio});
    if (i + 1 == corners.size() || corners[i + 1].label != corners[i].label) {
      close(corners[i].label);
    }
  }
  return zones;
}

Zone ZoneOf(const Frame& frame, const StatePolygon& polygon) {
  Zone zone{polygon.name, {}, {}, {}};
  for (const StateCorner& c : polygon.corners) zone.outline.push_back(frame.At(c.t, c.W));
  return zone;
}

ZoneLegend LayOutZoneLegend(const Frame& frame, const std::vector<Zone>& zones) {
  ZoneLegend legend;
  if (zones.empty()) return legend;
  const Rect& plot = frame.Plot();
  double width = 0.0;
  for (const Zone& zone : zones) width = std::max(width, TextWidth(zone.name, kLegendFontSize));
  const double right = plot.right - kInset;
  const double left = right - (kSwatch + 6.0 + width + 2.0 * kTextPad);
  double y = plot.bottom - kInset - kRow * static_cast<double>(zones.size()) + kRow / 2.0;
  const double top = y - kRow / 2.0;
  for (const Zone& zone : zones) {
    legend.swatches.push_back({{left + kTextPad + kSwatch / 2.0, y}, kSwatch, kSwatch, 0.0});
    legend.names.push_back(
        TextFrom(zone.name, kLegendFontSize, left + kTextPad + kSwatch + 6.0, y));
    y += kRow;
  }
  const double bottom = y - kRow / 2.0;
  legend.ground = {{(left + right) / 2.0, (top + bottom) / 2.0}, right - left, bottom - top, 0.0};
  return legend;
}

}  // namespace hygrian::chart

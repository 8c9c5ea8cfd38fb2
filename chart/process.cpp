#include "chart/process.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <optional>
#include <utility>

namespace hygrian::chart {
namespace {

// The part of the segment from a to b inside the plot (Liang-Barsky); none when
// it misses the plot.
std::optional<Segment> Clipped(const Rect& plot, Point a, Point b) {
  const double dx = b.x - a.x;
  const double dy = b.y - a.y;
  double enter = 0.0;
  double leave = 1.0;
  const std::array<std::pair<double, double>, 4> edges{{{-dx, a.x - plot.left},
                                                        {dx, plot.right - a.x},
                                                        {-dy, a.y - plot.top},
                                                        {dy, plot.bottom - a.y}}};
  for (const auto& [p, q] : edges) {
    if (p == 0.0) {
      if (q < 0.0) return std::nullopt;
      continue;
    }
    const double r = q / p;
    if (p < 0.0) {
      enter = std::max(enter, r);
    } else {
      leave = std::min(leave, r);
    }
  }
  if (!(enter < leave)) return std::nullopt;
  return Segment{{a.x + enter * dx, a.y + enter * dy}, {a.x + leave * dx, a.y + leave * dy}};
}

}  // namespace

std::vector<ProcessArrow> ProcessArrows(const Frame& frame, const std::vector<PlotPoint>& points) {
  std::vector<ProcessArrow> arrows;
  for (std::size_t i = 1; i < points.size(); ++i) {
    const PlotPoint& from = points[i - 1];
    const PlotPoint& to = points[i];
    const std::optional<Segment> line =
        Clipped(frame.Plot(), frame.At(from.state.dryBulb, from.state.humidityRatio),
                frame.At(to.state.dryBulb, to.state.humidityRatio));
    if (line) arrows.push_back({*line, from.onPlot, to.onPlot});
  }
  return arrows;
}

Box ArrowBox(const ProcessArrow& arrow) {
  const Point a = arrow.line.from;
  const Point b = arrow.line.to;
  const double length = std::hypot(b.x - a.x, b.y - a.y);
  return {{(a.x + b.x) / 2.0, (a.y + b.y) / 2.0},
          std::max(length - 2.0 * kMarkerRadius, 0.0),
          4.0,
          std::atan2(b.y - a.y, b.x - a.x)};
}

}  // namespace hygrian::chart

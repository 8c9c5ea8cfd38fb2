// The axes laid out: ticks and their numbers along the bottom (dry-bulb) and
// the right (humidity ratio) edges, in the chart's units, the grid from the axes up to the
// saturation curve, the outline of the air side and the two axis titles. On the
// Mollier diagram humidity ratio runs along the bottom and temperature up the
// left edge, its isotherms from that edge to saturation.
#pragma once

#include <vector>

#include "chart/curves.h"
#include "chart/frame.h"
#include "chart/labels.h"

namespace hygrian::chart {

struct Tick {
  double position = 0.0;  // x for dry-bulb, y for humidity ratio, px (Mollier: y, x)
  Label label;            // below the bottom edge, or beside the right (left) edge
};

struct AxesLayer {
  std::vector<Tick> dryBulb;        // along the bottom edge
  std::vector<Tick> humidityRatio;  // along the right edge, in the axis unit
  std::vector<Segment> grid;        // from the axes to saturation, never past it
  std::vector<Point> outline;       // left edge, bottom, right edge and top, air side only
  Label dryBulbTitle;               // below the numbers
  Label humidityRatioTitle;         // right of the numbers, turned a quarter
};

// The axes of the frame. `saturation` is the curve as drawn (no vertices when
// none of it shows): where it leaves the top, the outline turns along the top.
AxesLayer LayOutAxes(const Frame& frame, const Curve& saturation);

}  // namespace hygrian::chart

// The user's states on the chart: where a state falls (inside the plotted
// ranges and on the air side of saturation, or not) and the marker of one that
// is drawn.
#pragma once

#include <optional>
#include <string>

#include "chart/frame.h"
#include "chart/labels.h"
#include "hygrian/psychrometrics.h"

namespace hygrian::chart {

inline constexpr double kMarkerRadius = 4.5;  // px

// One state to mark, computed at the chart's pressure.
struct PlotPoint {
  State state;
  bool wetBulbFound = false;
  std::string label;   // as the user wrote it; may be empty
  bool onPlot = true;  // false: outside the plotted ranges, a waypoint of the
                       // process only, with no marker
};

// Where a state falls on the chart.
enum class Fit {
  Inside,           // within the ranges and on or below the saturation curve
  OutsideRange,     // dry-bulb or humidity ratio outside the plotted ranges
  AboveSaturation,  // in the fog region, above the saturation curve
};
Fit FitOf(const Frame& frame, double dryBulb, double humidityRatio);

struct Marker {
  PlotPoint point;
  Point at;
  std::optional<Label> label;  // the point's label, cut with an ellipsis when long
};

// The room a marker at `at` takes, with a little to spare: no label covers it.
Box MarkerBox(Point at);

}  // namespace hygrian::chart

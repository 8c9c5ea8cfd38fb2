// The whole chart laid out in picture coordinates, ready to be written: the
// curve families with their labels, the axes with ticks, numbers and grid, and
// the user's points. Pure computation; the SVG writer only draws what is here.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "chart/curves.h"
#include "chart/frame.h"
#include "chart/labels.h"
#include "hygrian/psychrometrics.h"

namespace hygrian::chart {

inline constexpr double kLabelFontSize = 11.0;  // px, curve labels and axis numbers
inline constexpr double kPointFontSize = 12.0;  // px, labels of the user's points
inline constexpr double kMarkerRadius = 4.5;    // px

// One state to mark, computed at the chart's pressure.
struct PlotPoint {
  State state;
  bool wetBulbFound = false;
  std::string label;  // as the user wrote it; may be empty
};

// Where a state falls on the chart.
enum class Fit {
  Inside,           // within the ranges and on or below the saturation curve
  OutsideRange,     // dry-bulb or humidity ratio outside the plotted ranges
  AboveSaturation,  // in the fog region, above the saturation curve
};
Fit FitOf(const Frame& frame, double dryBulb, double humidityRatio);

struct Label {
  std::string text;
  Box box;  // the text is centred in it along its baseline
  double fontSize = kLabelFontSize;
};

struct FamilyLayer {
  Family family = Family::Saturation;
  std::vector<Curve> curves;
  std::vector<Label> labels;  // at most one per curve
};

struct Tick {
  double position = 0.0;  // x for dry-bulb, y for humidity ratio, px
  std::string text;
};

struct Segment {
  Point from;
  Point to;
};

struct AxesLayer {
  std::vector<Tick> dryBulb;        // along the bottom edge
  std::vector<Tick> humidityRatio;  // along the right edge, g/kg
  std::vector<Segment> grid;        // from the axes to saturation, never past it
  std::vector<Point> outline;       // left edge, bottom, right edge and top, air side only
};

struct Marker {
  PlotPoint point;
  Point at;
  std::optional<Label> label;
};

struct Chart {
  Frame frame;
  std::string title;
  // Saturation, relative humidity, wet-bulb, enthalpy, specific volume.
  std::vector<FamilyLayer> families;
  AxesLayer axes;
  std::vector<Marker> markers;  // in file order
  bool process = false;         // join the markers with arrows
};

// Lays out the chart. Every point must fit (FitOf gives Inside).
Chart LayOut(const ChartSettings& settings, const std::vector<PlotPoint>& points, bool process);

// The shortest text that reads back as `value` ("101.325", "83", "0.85").
std::string Shortest(double value);

}  // namespace hygrian::chart

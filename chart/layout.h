// The whole chart laid out in picture coordinates, ready to be written: the
// curve families with their labels, the axes with ticks, numbers and grid, and
// the user's points. Pure computation; the SVG writer only draws what is here.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "chart/curves.h"
#include "chart/frame.h"
#include "chart/labels.h"
#include "hygrian/psychrometrics.h"

namespace hygrian::chart {

inline constexpr double kLabelFontSize = 11.0;      // px, curve labels
inline constexpr double kPointFontSize = 12.0;      // px, labels of the user's points (bold)
inline constexpr double kTitleFontSize = 17.0;      // px, the chart's title (bold)
inline constexpr double kLegendFontSize = 12.0;     // px
inline constexpr double kAxisTitleFontSize = 13.0;  // px
inline constexpr double kMarkerRadius = 4.5;        // px
// The baseline of a text lies this many font sizes below the centre of its box,
// so that digits are centred in it.
inline constexpr double kBaselineShift = 0.36;

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

// Every text of the chart is one: the writer draws it centred in its box.
struct Label {
  std::string text;
  Box box;  // the text is centred in it along its baseline
  double fontSize = kLabelFontSize;
  bool fromLeft = false;  // level text that starts at the box's left padding
                          // (the estimated width is generous)
};

struct FamilyLayer {
  Family family = Family::Saturation;
  double step = 0.0;  // between the values of the lines; 0 for saturation
  std::vector<Curve> curves;
  std::vector<Label> labels;  // at most one per curve
};

struct Tick {
  double position = 0.0;  // x for dry-bulb, y for humidity ratio, px
  Label label;            // below the bottom edge, or right of the right edge
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
  Label dryBulbTitle;               // below the numbers
  Label humidityRatioTitle;         // right of the numbers, turned a quarter
};

// One family in the legend: a short line and its name.
struct LegendItem {
  Family family = Family::RelativeHumidity;
  Segment line;
  Label label;
};

struct Marker {
  PlotPoint point;
  Point at;
  std::optional<Label> label;  // the point's label, cut with an ellipsis when long
};

// A piece of the process, clipped at the plot's edges: it starts (ends) at a
// marker, or where the line from (to) a state off the plot crosses an edge.
struct ProcessArrow {
  Segment line;
  bool fromMarker = true;
  bool toMarker = true;
};

struct Chart {
  Frame frame;
  Label title;
  std::vector<LegendItem> legend;
  // Saturation, relative humidity, wet-bulb, enthalpy, specific volume.
  std::vector<FamilyLayer> families;
  AxesLayer axes;
  std::vector<Marker> markers;        // in file order, the states on the plot
  std::vector<ProcessArrow> process;  // in file order; empty without --process
};

// Lays out the chart. Every point on the plot must fit (FitOf gives Inside);
// the others are only joined by the process.
Chart LayOut(const ChartSettings& settings, const std::vector<PlotPoint>& points, bool process);

// `text` cut after whole characters so that with "…" it takes at most `width`
// px at `fontSize`; unchanged when it fits.
std::string Ellipsized(std::string_view text, double fontSize, double width);

}  // namespace hygrian::chart

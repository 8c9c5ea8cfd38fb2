// The whole chart laid out in picture coordinates, ready to be written: the
// heading, the curve families with their labels, the axes with ticks, numbers
// and grid, and the user's points. Pure computation; the SVG writer only draws
// what is here.
#pragma once

#include <optional>
#include <vector>

#include "chart/axes.h"
#include "chart/curves.h"
#include "chart/density.h"
#include "chart/frame.h"
#include "chart/furniture.h"
#include "chart/heading.h"
#include "chart/labels.h"
#include "chart/marks.h"
#include "chart/process.h"
#include "chart/process_lines.h"
#include "chart/states.h"
#include "chart/zones.h"

namespace hygrian::chart {

struct FamilyLayer {
  Family family = Family::Saturation;
  double step = 0.0;  // between the values of the lines; 0 for saturation
  std::vector<Curve> curves;
  std::vector<Label> labels;  // at most one per curve
  // The lines at multiples of it are labelled and drawn full width, the others
  // thinner (in IP the enthalpy lines between every fifth); 0 for saturation.
  double labelStep = 0.0;
};

// The density's colour scale, in the plot's top left corner (the fog side of
// most charts) on a white ground: a title, and a swatch and its counts for each
// band, fewest first.
struct DensityScale {
  Box ground;
  Label title;  // "points per cell"
  std::vector<Box> swatches;
  std::vector<Label> counts;  // "1", "2–5", ...
};

struct Chart {
  Frame frame;
  Label title;
  std::vector<LegendItem> legend;
  // Saturation, relative humidity, wet-bulb, enthalpy, specific volume.
  std::vector<FamilyLayer> families;
  AxesLayer axes;
  std::vector<Marker> markers;          // in file order, the states on the plot
  std::vector<ProcessArrow> process;    // in file order; empty without --process
  std::optional<DensityLayer> density;  // instead of markers, for many points
  DensityScale densityScale;
  Furniture furniture;      // the scales with the handbook model, the protractor when asked for
  std::vector<Zone> zones;  // under the lines
  ZoneLegend zoneLegend;
  std::vector<ProcessDrawing> processes;  // from the processes file, in its order
  ProcessLegend processLegend;            // above the zones' legend
  // The numbers (and short labels) of the processes' states on the plot; the
  // points' are their markers' labels.
  std::vector<Label> stateLabels;
};

// Lays out the chart. Every point on the plot must fit (FitOf gives Inside);
// the others are only joined by the process. With a density the points are
// its cells (and `points` is empty). `states` numbers the points and then the
// processes' states (chart/states.h); without them the points alone are
// numbered. The processes' labels are placed first, then the states'
// numbers, then the lines'; under PointLabels::Fit a state whose label finds
// no room is marked by its number alone, or left to the table.
Chart LayOut(const ChartSettings& settings, const std::vector<PlotPoint>& points, bool process,
             const Density* density = nullptr, std::vector<Zone> zones = {},
             std::vector<ProcessDrawing> processes = {},
             const std::vector<NumberedState>* states = nullptr);

}  // namespace hygrian::chart

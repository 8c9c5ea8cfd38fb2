// The heading laid out: the chart's title with its pressure above the plot,
// and under it the legend, a short line and the name of each family.
#pragma once

#include <vector>

#include "chart/curves.h"
#include "chart/frame.h"
#include "chart/labels.h"

namespace hygrian::chart {

// One family in the legend: a short line and its name.
struct LegendItem {
  Family family = Family::RelativeHumidity;
  Segment line;
  Label label;
};

struct Heading {
  Label title;  // "Psychrometric chart at 101.325 kPa", bold
  std::vector<LegendItem> legend;
};

// The title from the plot's left edge; the legend's items left to right under
// it, one that would run off a narrow picture starting a second row.
Heading LayOutHeading(const Frame& frame);

}  // namespace hygrian::chart

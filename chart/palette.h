// The chart's colours, weights and dash patterns in its two styles. Screen:
// Paul Tol's "muted" qualitative scheme (SRON technical note
// EPS/TN/09-002, 2021), nine colours made to stay apart for colour-blind
// readers too, one for each line family and kind of process, and his "light"
// scheme for the zones' fills. Print: black and greys, the families told apart
// by their dash patterns, the processes drawn heavier than the lines.
#pragma once

#include <cstddef>
#include <string_view>

#include "chart/curves.h"
#include "chart/frame.h"
#include "cli/process_fields.h"

namespace hygrian::chart {

struct LineStyle {
  std::string_view id;     // the family's group id ("relative-humidity")
  std::string_view color;  // "#332288"
  std::string_view width;  // px
  std::string_view dash;   // SVG's stroke-dasharray; empty for a solid line
};

// A line family's style.
LineStyle FamilyStyle(Family family, Style style);

// A kind of process's colour, and the width of every process's lines.
std::string_view ProcessColor(cli::Process process, Style style);
std::string_view ProcessWidth(Style style);

// The colour of the points' markers and arrows.
std::string_view PointColor(Style style);

// The fill and outline of the n-th zone, and the outline's dash pattern.
std::string_view ZoneColor(std::size_t n, Style style);
std::string_view ZoneDash(std::size_t n, Style style);

// The colour of a density scale's step (0 the fewest points) of kDensitySteps.
std::string_view DensityColor(std::size_t step, Style style);

}  // namespace hygrian::chart

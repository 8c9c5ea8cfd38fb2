// Writes a laid-out chart as one SVG 1.1 document: no scripts, no external
// references, the same bytes for the same chart. Coordinates are written to
// 0.01 px; the states of the points in their shortest exact form.
#pragma once

#include <string>

#include "chart/layout.h"

namespace hygrian::chart {

std::string WriteSvg(const Chart& chart);

}  // namespace hygrian::chart

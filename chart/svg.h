// Writes a laid-out chart as one SVG 1.1 document: no scripts, no external
// references, the same bytes for the same chart. Coordinates are written to
// 0.01 px; the states of the points in their shortest exact form.
#pragma once

#include <string>

#include "chart/layout.h"
#include "chart/sheet.h"

namespace hygrian::chart {

std::string WriteSvg(const Chart& chart);

// The chart on its sheet (chart/sheet.h): the chart's own document when it is
// alone, else the sheet's, the page sized in mm, with the chart's picture
// nested at its place.
std::string WriteSheetSvg(const Chart& chart, const SheetSettings& sheet,
                          const SheetLayout& layout);

}  // namespace hygrian::chart

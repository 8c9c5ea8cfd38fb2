// Writes a laid-out chart as one SVG 1.1 document: no scripts, no external
// references, the same bytes for the same chart. Coordinates are written to
// 0.01 px; the states of the points in their shortest exact form.
#pragma once

#include <string>
#include <string_view>

#include "chart/layout.h"

namespace hygrian::chart {

std::string WriteSvg(const Chart& chart);

// Text made safe for XML character data and attribute values: & < > " ' as
// entities, a byte that is not part of valid UTF-8 and a control character that
// XML 1.0 forbids each as U+FFFD. "a<b" gives "a&lt;b".
std::string EscapeXml(std::string_view text);

}  // namespace hygrian::chart

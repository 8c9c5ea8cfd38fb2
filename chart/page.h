// hygrian-chart --html: the browser page (build/web/hygrian.html, `make web`)
// opening on the chart that the same options draw as SVG, with the points file's
// points pinned; past the density threshold they are drawn as a density under
// the page's own pins instead, never pinned one by one.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "chart/run.h"

namespace hygrian::chart {

// The page with the settings and points put in front of its body, as
//   <script type="text/plain" id="given">units=si&dryBulb=-10:50&pins=25,0.01</script>
// (the page's own URL state) and, for a density, the points as
//   <script type="text/csv" id="background">25,0.01, ...</script>
// inside: (degrees C, kg/kg) of each point on the plot.
std::string FillPage(std::string_view page, const Options& options,
                     const std::vector<Point>& inside);

}  // namespace hygrian::chart

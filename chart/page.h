// hygrian-chart --html: the browser page (build/web/hygrian.html, `make web`)
// opening on the chart that the same options draw as SVG, with the points file's
// points pinned; past the density threshold they are drawn as a density under
// the page's own pins instead, never pinned one by one, and the page holds their
// counts in cells finer than the density's (chart/binned.h): a page of about
// 1 MB more at most, however many points.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "chart/binned.h"
#include "chart/run.h"

namespace hygrian::chart {

// The page with the settings and points put in front of its body, as
//   <script type="text/plain" id="given">units=si&dryBulb=-10:50&pins=25,0.01</script>
// (the page's own URL state) and, for a density, the points' counts as
//   <script type="text/csv" id="background">24.99251,0.009901478,12 ...</script>
std::string FillPage(std::string_view page, const Options& options, const PagePoints& points);

}  // namespace hygrian::chart

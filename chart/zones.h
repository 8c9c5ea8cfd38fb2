// Zones drawn under the lines, such as a comfort zone: polygons whose corners
// are states, read from a file as the points are (dry-bulb and a second value,
// with a `zone` column naming the polygon each corner belongs to; consecutive
// rows of one name make one polygon). An edge runs straight in the dry-bulb and
// the file's second value, so an edge between two corners of one relative
// humidity follows that line. Each zone has a colour and an entry in a legend
// in the plot's bottom right corner.
#pragma once

#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "chart/frame.h"
#include "chart/labels.h"
#include "chart/marks.h"

namespace hygrian::chart {

// A zone's data-NAME attributes in the SVG: ("overlay", "heat-index").
using ZoneData = std::vector<std::pair<std::string, std::string>>;

struct Zone {
  std::string name;
  std::string_view color;  // given by the layout (the palette's when empty), in the chart's style
  std::vector<Point> outline;  // closed: the last point joins the first
  ZoneData data;
};

// A zone made of states rather than read: its outline as (dry-bulb degrees C,
// humidity ratio kg/kg) corners, close enough that straight edges between them
// follow its boundary on either diagram.
struct StateCorner {
  double t = 0.0;
  double W = 0.0;
};
struct StatePolygon {
  std::string name;
  std::vector<StateCorner> corners;
};

// The zone of a polygon of states on the frame.
Zone ZoneOf(const Frame& frame, const StatePolygon& polygon);

struct ZoneLegend {
  Box ground;
  std::vector<Box> swatches;  // in the order of the zones
  std::vector<Label> names;
};

// The zones of the corners read (PlotPoint::label naming the zone), in file
// order; secondKey is the file's second value ("relative_humidity").
std::vector<Zone> ZonesOf(const Frame& frame, const std::vector<PlotPoint>& corners,
                          std::string_view secondKey);

// The legend of the zones, empty when there are none.
ZoneLegend LayOutZoneLegend(const Frame& frame, const std::vector<Zone>& zones);

}  // namespace hygrian::chart

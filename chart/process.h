// The process: the user's points joined by arrows in file order, each piece
// clipped at the plot's edges, so that a state off the plot is a waypoint.
#pragma once

#include <vector>

#include "chart/frame.h"
#include "chart/labels.h"
#include "chart/marks.h"

namespace hygrian::chart {

// A piece of the process, clipped at the plot's edges: it starts (ends) at a
// marker, or where the line from (to) a state off the plot crosses an edge.
struct ProcessArrow {
  Segment line;
  bool fromMarker = true;
  bool toMarker = true;
};

// The pieces from each point to the next, in file order; one that misses the
// plot is left out.
std::vector<ProcessArrow> ProcessArrows(const Frame& frame, const std::vector<PlotPoint>& points);

// The room an arrow takes between the markers it joins: no label sits under it.
Box ArrowBox(const ProcessArrow& arrow);

}  // namespace hygrian::chart

// Curves as polylines: adaptive subdivision of a curve given pointwise, and the
// search for where a curve crosses a boundary.
#pragma once

#include <functional>
#include <vector>

#include "chart/frame.h"

namespace hygrian::chart {

// One vertex: the dry-bulb temperature it was computed at and where it lies, px.
struct Vertex {
  double t = 0.0;
  Point at;
};

// Distance (px) from p to the segment from a to b.
double DistanceToSegment(Point p, Point a, Point b);

// The polyline through curve(t) for t from a to b (a <= b): it starts at a, ends
// at b, and between two vertices the chord stays within `tolerance` px of the
// curve, judged at the quarter, half and three-quarter points of every interval
// at every level of subdivision. a == b gives the one vertex at a.
std::vector<Vertex> Trace(const std::function<Point(double)>& curve, double a, double b,
                          double tolerance);

// With inside(from) true and inside(to) false, and a single change between them,
// returns the point next to the change on the inside, within `resolution` of it
// (or as close as doubles allow).
double LastInside(const std::function<bool(double)>& inside, double from, double to,
                  double resolution);

}  // namespace hygrian::chart

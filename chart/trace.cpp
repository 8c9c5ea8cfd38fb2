#include "chart/trace.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace hygrian::chart {
namespace {

// Every curve is first cut into this many equal pieces, so that no bend can hide
// between the sample points of one coarse interval.
constexpr int kFirstPieces = 8;
// Below this depth an interval is one part in 2^48 of a piece: rounding only.
constexpr int kMaxDepth = 48;

void Refine(const std::function<Point(double)>& curve, double a, Point pa, double b, Point pb,
            double tolerance, int depth, std::vector<Vertex>& out) {
  const double m = a + (b - a) / 2.0;
  const Point pm = curve(m);
  const std::array<double, 2> quarters{a + (b - a) / 4.0, a + (b - a) * 3.0 / 4.0};
  double worst = DistanceToSegment(pm, pa, pb);
  for (const double q : quarters) worst = std::max(worst, DistanceToSegment(curve(q), pa, pb));
  // A point the curve could not give (NaN) never asks for more points.
  const bool split = worst > tolerance && depth < kMaxDepth && a < m && m < b;
  if (split) {
    Refine(curve, a, pa, m, pm, tolerance, depth + 1, out);
    Refine(curve, m, pm, b, pb, tolerance, depth + 1, out);
  } else {
    out.push_back({b, pb});
  }
}

}  // namespace

double DistanceToSegment(Point p, Point a, Point b) {
  const double dx = b.x - a.x;
  const double dy = b.y - a.y;
  const double length2 = dx * dx + dy * dy;
  double along = 0.0;
  if (length2 > 0.0) {
    along = ((p.x - a.x) * dx + (p.y - a.y) * dy) / length2;
    along = std::clamp(along, 0.0, 1.0);
  }
  return std::hypot(p.x - (a.x + along * dx), p.y - (a.y + along * dy));
}

std::vector<Vertex> Trace(const std::function<Point(double)>& curve, double a, double b,
                          double tolerance) {
  std::vector<Vertex> out;
  Point pa = curve(a);
  out.push_back({a, pa});
  if (!(a < b)) return out;
  for (int i = 1; i <= kFirstPieces; ++i) {
    const double next = i == kFirstPieces ? b : a + (b - a) * i / kFirstPieces;
    const double start = out.back().t;
    const Point pn = curve(next);
    Refine(curve, start, pa, next, pn, tolerance, 0, out);
    pa = pn;
  }
  return out;
}

double LastInside(const std::function<bool(double)>& inside, double from, double to,
                  double resolution) {
  for (int i = 0; i < 2000 && !(std::abs(to - from) <= resolution); ++i) {
    const double middle = from + (to - from) / 2.0;
    if (middle == from || middle == to) break;
    if (inside(middle)) {
      from = middle;
    } else {
      to = middle;
    }
  }
  return from;
}

}  // namespace hygrian::chart

// Label geometry: a label is a rotated box around its text. The width of a text
// is estimated from the advance widths of a common sans-serif face, generously,
// so that boxes that do not overlap hold texts that do not touch.
#pragma once

#include <array>
#include <optional>
#include <string_view>
#include <vector>

#include "chart/frame.h"
#include "chart/trace.h"

namespace hygrian::chart {

inline constexpr double kTextPad = 4.5;    // px, around a text inside its box, left and right
inline constexpr double kBoldWidth = 1.1;  // bold text is this much wider

// A rectangle centred at `center`, its long side along the text's baseline at
// `angle` radians (clockwise, as SVG turns, within (-pi/2, pi/2], so that text
// never reads upside down).
struct Box {
  Point center;
  double width = 0.0;
  double height = 0.0;
  double angle = 0.0;
};

std::array<Point, 4> Corners(const Box& box);

// Whether the two boxes share any point (separating axis test).
bool Overlaps(const Box& a, const Box& b);

// Estimated advance width (px) of UTF-8 `text` at `fontSize` px: "0.85" at 11 px
// is about 21 px. A character outside ASCII counts a full em.
double TextWidth(std::string_view text, double fontSize);

// The box that holds `text` at `fontSize`, centred at `at`, at `angle`.
Box TextBox(std::string_view text, double fontSize, Point at, double angle);

// A point on a polyline and the direction of the polyline there.
struct Spot {
  Point at;
  double angle = 0.0;  // radians, turned into (-pi/2, pi/2]
};

// The point `distance` px along the polyline from its first vertex (from its
// last when `fromEnd`); none if the polyline is shorter than that.
std::optional<Spot> SpotAlong(const std::vector<Vertex>& vertices, double distance, bool fromEnd);

// Length of the polyline, px.
double Length(const std::vector<Vertex>& vertices);

}  // namespace hygrian::chart

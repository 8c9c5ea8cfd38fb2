// Label geometry: a label is a text in a rotated box around it. The width of a
// text is estimated from the advance widths of a common sans-serif face,
// generously, so that boxes that do not overlap hold texts that do not touch.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "chart/frame.h"
#include "chart/trace.h"

namespace hygrian::chart {

inline constexpr double kTextPad = 4.5;    // px, around a text inside its box, left and right
inline constexpr double kBoldWidth = 1.1;  // bold text is this much wider

inline constexpr double kLabelFontSize = 11.0;      // px, curve labels
inline constexpr double kPointFontSize = 12.0;      // px, labels of the user's points (bold)
inline constexpr double kTitleFontSize = 17.0;      // px, the chart's title (bold)
inline constexpr double kLegendFontSize = 12.0;     // px
inline constexpr double kAxisTitleFontSize = 13.0;  // px
inline constexpr double kScaleFontSize = 10.0;      // px, the enthalpy scale and the protractor
// The baseline of a text lies this many font sizes below the centre of its box,
// so that digits are centred in it.
inline constexpr double kBaselineShift = 0.36;

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

// Every text of the chart is one: the writer draws it centred in its box.
struct Label {
  std::string text;
  Box box;  // the text is centred in it along its baseline
  double fontSize = kLabelFontSize;
  bool fromLeft = false;   // level text that starts at the box's left padding
                           // (the estimated width is generous)
  bool fromRight = false;  // level text that ends at the box's right padding
};

// A text centred at `at`, level.
Label TextAt(std::string text, double fontSize, Point at);

// A text level whose left end (without padding) is at x, centred on y.
Label TextFrom(std::string text, double fontSize, double x, double y);
// A text level whose right end (without padding) is at x, centred on y.
Label TextTo(std::string text, double fontSize, double x, double y);

// `text` cut after whole characters so that with "…" it takes at most `width`
// px at `fontSize`; unchanged when it fits.
std::string Ellipsized(std::string_view text, double fontSize, double width);

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

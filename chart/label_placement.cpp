#include "chart/label_placement.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <initializer_list>
#include <optional>
#include <string>
#include <utility>

#include "chart/marks.h"
#include "chart/moist_air.h"
#include "chart/number_text.h"
#include "chart/ticks.h"

namespace hygrian::chart {
namespace {

// A label keeps this far from the saturation curve and the plot's edges, px.
constexpr double kLabelClearance = 1.0;
// A point's label is cut with an ellipsis past this width (or a third of the
// plot's), px.
constexpr double kPointLabelWidth = 200.0;

// Spots along a curve where its label may go, best first: the preferred ones,
// then every 4 px along the whole curve.
struct Candidates {
  std::vector<double> distances;  // px along the curve
  bool fromEnd = false;
};

Candidates AtFractions(const Curve& curve, std::initializer_list<double> fractions) {
  const double length = Length(curve.vertices);
  Candidates c;
  for (const double f : fractions) c.distances.push_back(f * length);
  return c;
}

Candidates AtDistances(std::initializer_list<double> distances, bool fromEnd) {
  return {std::vector<double>(distances), fromEnd};
}

// The label of one curve: centred on it (offset to the air side by `offset` px),
// at the first candidate spot where it fits.
std::optional<Label> PlaceOnCurve(Placer& placer, const Curve& curve, std::string text,
                                  Candidates candidates, double offset) {
  const double length = Length(curve.vertices);
  for (int i = 1; i * 4.0 < length; ++i) candidates.distances.push_back(i * 4.0);
  for (const double distance : candidates.distances) {
    const std::optional<Spot> spot = SpotAlong(curve.vertices, distance, candidates.fromEnd);
    if (!spot) continue;
    // Wet-bulb labels stand upright: along a dashed line a minus sign would pass
    // for one of its dashes.
    const double angle = curve.family == Family::WetBulb ? 0.0 : spot->angle;
    const Box probe = TextBox(text, kLabelFontSize, spot->at, angle);
    const double shift = offset > 0.0 ? offset + probe.height / 2.0 : 0.0;
    const Point at{spot->at.x - shift * std::sin(spot->angle),
                   spot->at.y + shift * std::cos(spot->angle)};
    const Box box = TextBox(text, kLabelFontSize, at, angle);
    if (placer.Take(box)) return Label{std::move(text), box, kLabelFontSize};
  }
  return std::nullopt;
}

// The value with the decimals of the family's step: 0.80 beside 0.81.
std::string CurveText(Family family, double value, double step) {
  if (family == Family::Saturation) return "saturation 100 %";
  const std::string number = Fixed(value, Decimals(step));
  return family == Family::RelativeHumidity ? number + " %" : number;
}

Candidates CandidatesFor(const Curve& curve) {
  switch (curve.family) {
    case Family::Saturation:
      return AtFractions(curve, {0.5, 0.6, 0.4, 0.7, 0.3, 0.2, 0.8});
    case Family::RelativeHumidity:
      return AtFractions(curve, {0.82, 0.74, 0.9, 0.66, 0.58, 0.5, 0.42, 0.34, 0.26});
    case Family::WetBulb:
    case Family::Enthalpy:
      return AtDistances({24, 36, 50, 66, 84, 105, 130, 160, 195, 235, 280}, false);
    case Family::SpecificVolume:
      return AtDistances({26, 40, 56, 74, 95, 120, 150, 185, 225}, true);
  }
  return {};
}

}  // namespace

bool Placer::Take(const Box& box) {
  if (!InAir(box) || !Clear(box)) return false;
  taken_.push_back(box);
  return true;
}

bool Placer::TakeInPlot(const Box& box) {
  if (!InPlot(box) || !Clear(box)) return false;
  taken_.push_back(box);
  return true;
}

bool Placer::InPlot(const Box& box) const {
  const Rect& plot = frame_.Plot();
  const std::array<Point, 4> corners = Corners(box);
  return std::all_of(corners.begin(), corners.end(), [&](const Point& p) {
    return p.x >= plot.left + kLabelClearance && p.x <= plot.right - kLabelClearance &&
           p.y >= plot.top + kLabelClearance && p.y <= plot.bottom - kLabelClearance;
  });
}

// Five points along each edge, corners included, each inside the plot and
// below saturation by the clearance.
bool Placer::InAir(const Box& box) const {
  const std::array<Point, 4> c = Corners(box);
  const Rect& plot = frame_.Plot();
  for (std::size_t i = 0; i < 4; ++i) {
    const Point a = c[i];
    const Point b = c[(i + 1) % 4];
    for (int k = 0; k < 4; ++k) {
      const double f = k / 4.0;
      const Point p{a.x + f * (b.x - a.x), a.y + f * (b.y - a.y)};
      if (p.x < plot.left + kLabelClearance || p.x > plot.right - kLabelClearance ||
          p.y < plot.top + kLabelClearance || p.y > plot.bottom - kLabelClearance) {
        return false;
      }
      if (frame_.Mollier()) {
        // The fog lies below and right of saturation.
        const StatePoint s = frame_.StateAt({p.x + kLabelClearance, p.y + kLabelClearance});
        const std::optional<double> w =
            SaturationHumidityRatio(s.t, frame_.Pressure(), frame_.Relations());
        if (w && s.W > *w) return false;
        continue;
      }
      const std::optional<double> w =
          SaturationHumidityRatio(frame_.DryBulbAt(p.x), frame_.Pressure(), frame_.Relations());
      if (w && frame_.HumidityRatioAt(p.y - kLabelClearance) > *w) return false;
    }
  }
  return true;
}

bool Placer::Clear(const Box& box) const {
  return std::none_of(taken_.begin(), taken_.end(),
                      [&](const Box& other) { return Overlaps(box, other); });
}

std::vector<Label> CurveLabels(Placer& placer, const std::vector<Curve>& curves, double step,
                               double labelStep) {
  std::vector<Label> labels;
  for (const Curve& curve : curves) {
    if (!IsMultiple(curve.value, labelStep)) continue;
    const double offset = curve.family == Family::Saturation ? 3.0 : 0.0;
    std::optional<Label> label = PlaceOnCurve(
        placer, curve, CurveText(curve.family, curve.value, step), CandidatesFor(curve), offset);
    if (label) labels.push_back(std::move(*label));
  }
  return labels;
}

// Beside the marker, on the side with more room first:
// level, a little lower or higher; the other side; the diagonals, above and
// below. Where none is free it takes the first of them inside the plot, or the
// first pulled inside. Long labels are cut with an ellipsis.
std::optional<Label> PointLabel(Placer& placer, std::string_view label, Point marker, bool always,
                                bool whole) {
  const Rect& plot = placer.Plot();
  const std::string text =
      whole ? std::string(label)
            : Ellipsized(label, kPointFontSize * kBoldWidth,
                         std::min(kPointLabelWidth, (plot.right - plot.left) / 3.0));
  Box shape = TextBox(text, kPointFontSize, marker, 0.0);
  shape.width = TextWidth(text, kPointFontSize) * kBoldWidth + 2.0 * kTextPad;
  const double gap = kMarkerRadius + 4.0;
  // The side with more room first.
  const double side = marker.x - plot.left > plot.right - marker.x ? -1.0 : 1.0;
  const double dx = side * (gap + shape.width / 2.0);
  const double dy = gap + shape.height / 2.0;
  // Diagonal spots clear the marker's box corner to corner.
  const double ddx = side * (kMarkerRadius + 3.0 + shape.width / 2.0);
  const double ddy = kMarkerRadius + 3.0 + shape.height / 2.0;
  const double nudge = shape.height / 2.0 + 1.0;
  const std::array<Point, 10> offsets{
      Point{dx, 0.0},   Point{dx, nudge}, Point{dx, -nudge}, Point{-dx, 0.0},   Point{ddx, ddy},
      Point{ddx, -ddy}, Point{0.0, -dy},  Point{0.0, dy},    Point{-ddx, -ddy}, Point{-ddx, ddy}};
  const auto at = [&](const Point& offset) {
    Box box = shape;
    box.center = {marker.x + offset.x, marker.y + offset.y};
    return box;
  };
  for (const Point& offset : offsets) {
    const Box box = at(offset);
    if (placer.TakeInPlot(box)) return Label{text, box, kPointFontSize};
  }
  if (!always) return std::nullopt;
  Box box = at(offsets.front());
  for (const Point& offset : offsets) {
    if (placer.InPlot(at(offset))) {
      box = at(offset);
      break;
    }
  }
  // Pulled inside whole, as far as the plot is large enough.
  const double halfWidth = box.width / 2.0 + kLabelClearance;
  const double halfHeight = box.height / 2.0 + kLabelClearance;
  box.center.x = std::max(std::min(box.center.x, plot.right - halfWidth), plot.left + halfWidth);
  box.center.y = std::max(std::min(box.center.y, plot.bottom - halfHeight), plot.top + halfHeight);
  placer.Block(box);
  return Label{text, box, kPointFontSize};
}

}  // namespace hygrian::chart

#include "chart/layout.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <functional>
#include <numbers>
#include <utility>

#include "chart/moist_air.h"
#include "chart/number_text.h"
#include "chart/ticks.h"
#include "cli/utf8.h"

namespace hygrian::chart {
namespace {

// A state this little above saturation (relative) is taken as on it.
constexpr double kSaturationSlack = 1e-9;
// A label keeps this far from the saturation curve and the plot's edges, px.
constexpr double kLabelClearance = 1.0;
// A point's label is cut with an ellipsis past this width (or a third of the
// plot's), px.
constexpr double kPointLabelWidth = 200.0;

std::optional<double> Saturated(const Frame& frame, double t) {
  return SaturationHumidityRatio(t, frame.Pressure());
}

// --- Axes ----------------------------------------------------------------------

// A text centred at `at`, level.
Label TextAt(std::string text, double fontSize, Point at) {
  const Box box = TextBox(text, fontSize, at, 0.0);
  return {std::move(text), box, fontSize};
}

// A text level whose left end (without padding) is at x, centred on y.
Label TextFrom(std::string text, double fontSize, double x, double y) {
  const double width = TextWidth(text, fontSize);
  Label label = TextAt(std::move(text), fontSize, {x + width / 2.0, y});
  label.fromLeft = true;
  return label;
}

AxesLayer LayOutAxes(const Frame& frame, const Curve& saturation) {
  AxesLayer axes;
  const Rect& plot = frame.Plot();
  const double tmin = frame.DryBulbMin();
  const double tmax = frame.DryBulbMax();
  const double top = frame.HumidityRatioMax();
  const auto topAt = [&](double t) {
    const std::optional<double> w = Saturated(frame, t);
    return w ? std::min(*w, top) : top;
  };

  const double tStep = TickStep(tmax - tmin, plot.right - plot.left, kTickSpacing);
  // The numbers' baseline is 18 px below the plot.
  const double numbersY = plot.bottom + 18.0 - kBaselineShift * kTickFontSize;
  for (TickValue& tick : TickValues(tmin, tmax, tStep)) {
    const double t = tick.value;
    const double x = frame.X(t);
    axes.dryBulb.push_back({x, TextAt(std::move(tick.text), kTickFontSize, {x, numbersY})});
    if (t > tmin && t < tmax) axes.grid.push_back({frame.At(t, 0.0), frame.At(t, topAt(t))});
  }
  const double gramsMax = frame.Settings().humidityRatioMax;
  for (TickValue& tick : TickValues(0.0, gramsMax, frame.HumidityRatioStep())) {
    const double W = tick.value / 1000.0;
    const double y = frame.Y(W);
    axes.humidityRatio.push_back(
        {y, TextFrom(std::move(tick.text), kTickFontSize, plot.right + 8.0, y)});
    if (!(W > 0.0 && W < top)) continue;
    const auto below = [&](double t) {
      const std::optional<double> w = Saturated(frame, t);
      return w && *w < W;
    };
    if (below(tmax)) continue;  // saturation stays below this line
    const double from = below(tmin) ? LastInside(below, tmin, tmax, 1e-12) : tmin;
    axes.grid.push_back({frame.At(from, W), frame.At(tmax, W)});
  }

  axes.outline = {frame.At(tmin, topAt(tmin)), frame.At(tmin, 0.0), frame.At(tmax, 0.0),
                  frame.At(tmax, topAt(tmax))};
  const double leftTop = saturation.vertices.empty() ? tmin : saturation.vertices.back().t;
  if (topAt(tmax) >= top && leftTop < tmax) axes.outline.push_back(frame.At(leftTop, top));

  axes.dryBulbTitle = TextAt(
      "Dry-bulb temperature, \xC2\xB0"
      "C",
      kAxisTitleFontSize,
      {(plot.left + plot.right) / 2.0, plot.bottom + 40.0 - kBaselineShift * kAxisTitleFontSize});
  const std::string title = "Humidity ratio, g/kg dry air";
  const Point at{plot.right + frame.HumidityRatioTitleOffset(), (plot.top + plot.bottom) / 2.0};
  axes.humidityRatioTitle = {title, TextBox(title, kAxisTitleFontSize, at, std::numbers::pi / 2.0),
                             kAxisTitleFontSize};
  return axes;
}

// --- Title and legend ------------------------------------------------------------

// The families in the legend, left to right.
constexpr std::array<Family, 4> kLegendFamilies{Family::RelativeHumidity, Family::WetBulb,
                                                Family::Enthalpy, Family::SpecificVolume};

std::string_view LegendName(Family family) {
  switch (family) {
    case Family::Saturation:
      break;
    case Family::RelativeHumidity:
      return "relative humidity, %";
    case Family::WetBulb:
      return "wet-bulb temperature, \xC2\xB0"
             "C";
    case Family::Enthalpy:
      return "enthalpy, kJ/kg dry air";
    case Family::SpecificVolume:
      return "specific volume, m\xC2\xB3/kg dry air";
  }
  return "";
}

// The title on top, the legend under it: items left to right, one that would
// run off a narrow picture starting a second row.
void LayOutHeading(Chart& chart) {
  const Rect& plot = chart.frame.Plot();
  const std::string title = "Psychrometric chart at " + Shortest(chart.frame.Pressure()) + " kPa";
  // The title's baseline is 26 px from the top.
  chart.title = TextFrom(title, kTitleFontSize, plot.left, 26.0 - kBaselineShift * kTitleFontSize);
  chart.title.box.width = TextWidth(title, kTitleFontSize) * kBoldWidth + 2.0 * kTextPad;
  chart.title.box.center.x = plot.left + chart.title.box.width / 2.0 - kTextPad;
  const double right = static_cast<double>(chart.frame.Settings().width) - 8.0;
  double x = plot.left;
  int row = 0;
  std::vector<std::pair<double, int>> at;
  for (const Family family : kLegendFamilies) {
    const double width = 32.0 + TextWidth(LegendName(family), kLegendFontSize);
    if (x > plot.left && x + width > right) {
      x = plot.left;
      row = 1;
    }
    at.emplace_back(x, row);
    x += width + 24.0;
  }
  for (std::size_t i = 0; i < kLegendFamilies.size(); ++i) {
    const auto [left, itemRow] = at[i];
    // One row stands at baseline 52; two at 45 and 61.
    const double baseline = row == 0 ? 52.0 : 45.0 + 16.0 * itemRow;
    const Family family = kLegendFamilies[i];
    chart.legend.push_back({family,
                            {{left, baseline - 4.0}, {left + 26.0, baseline - 4.0}},
                            TextFrom(std::string(LegendName(family)), kLegendFontSize, left + 32.0,
                                     baseline - kBaselineShift * kLegendFontSize)});
  }
}

// --- Labels --------------------------------------------------------------------

// Keeps the boxes taken so far and tells whether a new one may go somewhere.
class Placer {
 public:
  explicit Placer(const Frame& frame) : frame_(frame) {}

  void Block(const Box& box) { taken_.push_back(box); }

  // The box lies in the plot on the air side of saturation, clear of the others.
  bool Fits(const Box& box) const {
    if (!InAir(box)) return false;
    return std::none_of(taken_.begin(), taken_.end(),
                        [&](const Box& other) { return Overlaps(box, other); });
  }

  bool Take(const Box& box) {
    if (!Fits(box)) return false;
    taken_.push_back(box);
    return true;
  }

  // The box lies in the plot, on either side of saturation, clear of the others.
  bool TakeInPlot(const Box& box) {
    if (!InPlot(box) || std::any_of(taken_.begin(), taken_.end(),
                                    [&](const Box& other) { return Overlaps(box, other); })) {
      return false;
    }
    taken_.push_back(box);
    return true;
  }

  bool InPlot(const Box& box) const {
    const Rect& plot = frame_.Plot();
    const std::array<Point, 4> corners = Corners(box);
    return std::all_of(corners.begin(), corners.end(), [&](const Point& p) {
      return p.x >= plot.left + kLabelClearance && p.x <= plot.right - kLabelClearance &&
             p.y >= plot.top + kLabelClearance && p.y <= plot.bottom - kLabelClearance;
    });
  }

 private:
  // Five points along each edge, corners included, each inside the plot and
  // below saturation by the clearance.
  bool InAir(const Box& box) const {
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
        const std::optional<double> w = Saturated(frame_, frame_.DryBulbAt(p.x));
        if (w && frame_.HumidityRatioAt(p.y - kLabelClearance) > *w) return false;
      }
    }
    return true;
  }

  const Frame& frame_;
  std::vector<Box> taken_;

 public:
  const Rect& Plot() const { return frame_.Plot(); }
};

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

void LabelFamily(Placer& placer, FamilyLayer& layer) {
  const double offset = layer.family == Family::Saturation ? 3.0 : 0.0;
  for (const Curve& curve : layer.curves) {
    std::optional<Label> label =
        PlaceOnCurve(placer, curve, CurveText(curve.family, curve.value, layer.step),
                     CandidatesFor(curve), offset);
    if (label) layer.labels.push_back(std::move(*label));
  }
}

Box MarkerBox(Point at) {
  const double side = 2.0 * kMarkerRadius + 4.0;
  return {at, side, side, 0.0};
}

// The label of a point beside its marker, on the side with more room first:
// level, a little lower or higher; the other side; the diagonals, above and
// below. Where none is free it takes the first of them inside the plot, or the
// first pulled inside. Long labels are cut with an ellipsis.
Label PlacePointLabel(Placer& placer, const Marker& marker) {
  const Rect& plot = placer.Plot();
  const std::string text = Ellipsized(marker.point.label, kPointFontSize * kBoldWidth,
                                      std::min(kPointLabelWidth, (plot.right - plot.left) / 3.0));
  Box shape = TextBox(text, kPointFontSize, marker.at, 0.0);
  shape.width = TextWidth(text, kPointFontSize) * kBoldWidth + 2.0 * kTextPad;
  const double gap = kMarkerRadius + 4.0;
  // The side with more room first.
  const double side = marker.at.x - plot.left > plot.right - marker.at.x ? -1.0 : 1.0;
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
    box.center = {marker.at.x + offset.x, marker.at.y + offset.y};
    return box;
  };
  for (const Point& offset : offsets) {
    const Box box = at(offset);
    if (placer.TakeInPlot(box)) return {text, box, kPointFontSize};
  }
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
  return {text, box, kPointFontSize};
}

// The part of the segment from a to b inside the plot (Liang-Barsky); none when
// it misses the plot.
std::optional<Segment> Clipped(const Rect& plot, Point a, Point b) {
  const double dx = b.x - a.x;
  const double dy = b.y - a.y;
  double enter = 0.0;
  double leave = 1.0;
  const std::array<std::pair<double, double>, 4> edges{{{-dx, a.x - plot.left},
                                                        {dx, plot.right - a.x},
                                                        {-dy, a.y - plot.top},
                                                        {dy, plot.bottom - a.y}}};
  for (const auto& [p, q] : edges) {
    if (p == 0.0) {
      if (q < 0.0) return std::nullopt;
      continue;
    }
    const double r = q / p;
    if (p < 0.0) {
      enter = std::max(enter, r);
    } else {
      leave = std::min(leave, r);
    }
  }
  if (!(enter < leave)) return std::nullopt;
  return Segment{{a.x + enter * dx, a.y + enter * dy}, {a.x + leave * dx, a.y + leave * dy}};
}

// The process through every point in file order, clipped at the plot's edges.
std::vector<ProcessArrow> Process(const Frame& frame, const std::vector<PlotPoint>& points) {
  std::vector<ProcessArrow> arrows;
  for (std::size_t i = 1; i < points.size(); ++i) {
    const PlotPoint& from = points[i - 1];
    const PlotPoint& to = points[i];
    const std::optional<Segment> line =
        Clipped(frame.Plot(), frame.At(from.state.dryBulb, from.state.humidityRatio),
                frame.At(to.state.dryBulb, to.state.humidityRatio));
    if (line) arrows.push_back({*line, from.onPlot, to.onPlot});
  }
  return arrows;
}

}  // namespace

Fit FitOf(const Frame& frame, double dryBulb, double humidityRatio) {
  if (!frame.Contains(dryBulb, humidityRatio)) return Fit::OutsideRange;
  const std::optional<double> saturated = Saturated(frame, dryBulb);
  if (saturated && humidityRatio > *saturated * (1.0 + kSaturationSlack)) {
    return Fit::AboveSaturation;
  }
  return Fit::Inside;
}

std::string Ellipsized(std::string_view text, double fontSize, double width) {
  if (TextWidth(text, fontSize) + 2.0 * kTextPad <= width) return std::string(text);
  const std::string_view ellipsis = "\xE2\x80\xA6";
  std::size_t end = 0;
  for (std::size_t next = 0; next < text.size();) {
    const std::size_t length = std::max<std::size_t>(cli::Utf8Length(text, next), 1);
    next += length;
    if (TextWidth(text.substr(0, next), fontSize) + TextWidth(ellipsis, fontSize) + 2.0 * kTextPad >
        width) {
      break;
    }
    end = next;
  }
  // No blank before the ellipsis.
  while (end > 0 && text[end - 1] == ' ') --end;
  return std::string(text.substr(0, end)) + std::string(ellipsis);
}

Chart LayOut(const ChartSettings& settings, const std::vector<PlotPoint>& points, bool process) {
  Chart chart{Frame(settings), {}, {}, {}, {}, {}, {}};
  const Frame& frame = chart.frame;
  LayOutHeading(chart);
  chart.families.push_back({Family::Saturation, 0.0, {SaturationCurve(frame)}, {}});
  if (chart.families.front().curves.front().vertices.size() < 2) {
    chart.families.front().curves.clear();
  }
  for (const Family family :
       {Family::RelativeHumidity, Family::WetBulb, Family::Enthalpy, Family::SpecificVolume}) {
    FamilyLines lines = LinesOf(frame, family);
    chart.families.push_back({family, lines.step, std::move(lines.curves), {}});
  }
  const Curve noCurve;
  chart.axes = LayOutAxes(frame, chart.families.front().curves.empty()
                                     ? noCurve
                                     : chart.families.front().curves.front());

  Placer placer(frame);
  for (const PlotPoint& point : points) {
    if (!point.onPlot) continue;
    const Point at = frame.At(point.state.dryBulb, point.state.humidityRatio);
    chart.markers.push_back({point, at, std::nullopt});
    placer.Block(MarkerBox(at));
  }
  if (process) {
    chart.process = Process(frame, points);
    // The arrows are drawn over everything: no label may sit under one.
    for (const ProcessArrow& arrow : chart.process) {
      const Point a = arrow.line.from;
      const Point b = arrow.line.to;
      const double length = std::hypot(b.x - a.x, b.y - a.y);
      placer.Block({{(a.x + b.x) / 2.0, (a.y + b.y) / 2.0},
                    std::max(length - 2.0 * kMarkerRadius, 0.0),
                    4.0,
                    std::atan2(b.y - a.y, b.x - a.x)});
    }
  }
  for (Marker& marker : chart.markers) {
    if (!marker.point.label.empty()) marker.label = PlacePointLabel(placer, marker);
  }
  // The short volume lines at the cold end have the least room: their labels go
  // before those of the long wet-bulb and enthalpy lines.
  for (const Family family : {Family::Saturation, Family::RelativeHumidity, Family::SpecificVolume,
                              Family::WetBulb, Family::Enthalpy}) {
    for (FamilyLayer& layer : chart.families) {
      if (layer.family == family) LabelFamily(placer, layer);
    }
  }
  return chart;
}

}  // namespace hygrian::chart

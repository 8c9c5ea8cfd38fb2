#include "chart/layout.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <functional>
#include <utility>

#include "chart/moist_air.h"

namespace hygrian::chart {
namespace {

// Labelled ticks stand at least this far apart, px.
constexpr double kMinTickSpacing = 40.0;
// A state this little above saturation (relative) is taken as on it.
constexpr double kSaturationSlack = 1e-9;
// A label keeps this far from the saturation curve and the plot's edges, px.
constexpr double kLabelClearance = 1.0;

std::optional<double> Saturated(const Frame& frame, double t) {
  return SaturationHumidityRatio(t, frame.Pressure());
}

// --- Axes ----------------------------------------------------------------------

// The smallest step of 1, 2 or 5 times a power of ten that puts labelled ticks
// at least kMinTickSpacing apart.
double NiceStep(double range, double pixels) {
  const double least = range * kMinTickSpacing / pixels;
  double power = std::pow(10.0, std::floor(std::log10(least)));
  for (;;) {
    for (const double m : {1.0, 2.0, 5.0}) {
      if (m * power >= least) return m * power;
    }
    power *= 10.0;
  }
}

std::string Fixed(double value, int decimals) {
  std::array<char, 64> buffer{};
  const auto [end, error] = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value,
                                          std::chars_format::fixed, decimals);
  if (error != std::errc()) return "?";
  return {buffer.data(), end};
}

// A leading hyphen-minus as the minus sign, which is as wide as a digit.
std::string WithMinus(std::string text) {
  if (!text.empty() && text.front() == '-') return "\xE2\x88\x92" + text.substr(1);
  return text;
}

// Tick values k * step within [low, high], with the text of each.
std::vector<std::pair<double, std::string>> TickValues(double low, double high, double step) {
  const int decimals = std::max(0, static_cast<int>(-std::floor(std::log10(step) + 1e-9)));
  std::vector<std::pair<double, std::string>> ticks;
  const double first = std::ceil(low / step);
  // The step puts ticks tens of px apart: a few hundred at the most.
  for (int i = 0; (first + i) * step <= high; ++i) {
    const double value = (first + i) * step + 0.0;  // + 0.0 turns -0 into 0
    ticks.emplace_back(value, WithMinus(Fixed(value, decimals)));
  }
  return ticks;
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

  const double tStep = NiceStep(tmax - tmin, plot.right - plot.left);
  for (const auto& [t, text] : TickValues(tmin, tmax, tStep)) {
    axes.dryBulb.push_back({frame.X(t), text});
    if (t > tmin && t < tmax) axes.grid.push_back({frame.At(t, 0.0), frame.At(t, topAt(t))});
  }
  const double gramsMax = frame.Settings().humidityRatioMax;
  const double wStep = NiceStep(gramsMax, plot.bottom - plot.top);
  for (const auto& [grams, text] : TickValues(0.0, gramsMax, wStep)) {
    const double W = grams / 1000.0;
    axes.humidityRatio.push_back({frame.Y(W), text});
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
  return axes;
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

std::string CurveText(Family family, double value) {
  switch (family) {
    case Family::Saturation:
      return "saturation 100 %";
    case Family::RelativeHumidity:
      return Shortest(value) + " %";
    case Family::WetBulb:
    case Family::Enthalpy:
    case Family::SpecificVolume:
      break;
  }
  return WithMinus(Shortest(value));
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
    std::optional<Label> label = PlaceOnCurve(placer, curve, CurveText(curve.family, curve.value),
                                              CandidatesFor(curve), offset);
    if (label) layer.labels.push_back(std::move(*label));
  }
}

Box MarkerBox(Point at) {
  const double side = 2.0 * kMarkerRadius + 4.0;
  return {at, side, side, 0.0};
}

// The label of a point beside its marker: right (level, a little lower or
// higher), left, then the diagonals, above and below. When none fits it goes to the right all the
// same.
Label PlacePointLabel(Placer& placer, const Marker& marker) {
  const std::string& text = marker.point.label;
  const Box shape = TextBox(text, kPointFontSize, marker.at, 0.0);
  const double gap = kMarkerRadius + 4.0;
  const double dx = gap + shape.width / 2.0;
  const double dy = gap + shape.height / 2.0;
  // Diagonal spots clear the marker's box corner to corner.
  const double ddx = kMarkerRadius + 3.0 + shape.width / 2.0;
  const double ddy = kMarkerRadius + 3.0 + shape.height / 2.0;
  const double nudge = shape.height / 2.0 + 1.0;
  const std::array<Point, 10> offsets{
      Point{dx, 0.0},   Point{dx, nudge}, Point{dx, -nudge}, Point{-dx, 0.0},   Point{ddx, ddy},
      Point{ddx, -ddy}, Point{0.0, -dy},  Point{0.0, dy},    Point{-ddx, -ddy}, Point{-ddx, ddy}};
  for (const Point& offset : offsets) {
    Box box = shape;
    box.center = {marker.at.x + offset.x, marker.at.y + offset.y};
    if (placer.Take(box)) return {text, box, kPointFontSize};
  }
  Box box = shape;
  box.center = {marker.at.x + dx, marker.at.y};
  placer.Block(box);
  return {text, box, kPointFontSize};
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

std::string Shortest(double value) {
  std::array<char, 64> buffer{};
  const auto [end, error] = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value);
  if (error != std::errc()) return "?";
  return {buffer.data(), end};
}

Chart LayOut(const ChartSettings& settings, const std::vector<PlotPoint>& points, bool process) {
  Chart chart{
      Frame(settings), "Psychrometric chart at " + Shortest(settings.pressure) + " kPa", {}, {}, {},
      process};
  const Frame& frame = chart.frame;
  chart.families.push_back({Family::Saturation, {SaturationCurve(frame)}, {}});
  if (chart.families.front().curves.front().vertices.size() < 2) {
    chart.families.front().curves.clear();
  }
  chart.families.push_back({Family::RelativeHumidity, RelativeHumidityCurves(frame), {}});
  chart.families.push_back({Family::WetBulb, WetBulbLines(frame), {}});
  chart.families.push_back({Family::Enthalpy, EnthalpyLines(frame), {}});
  chart.families.push_back({Family::SpecificVolume, SpecificVolumeLines(frame), {}});
  const Curve noCurve;
  chart.axes = LayOutAxes(frame, chart.families.front().curves.empty()
                                     ? noCurve
                                     : chart.families.front().curves.front());

  Placer placer(frame);
  for (const PlotPoint& point : points) {
    const Point at = frame.At(point.state.dryBulb, point.state.humidityRatio);
    chart.markers.push_back({point, at, std::nullopt});
    placer.Block(MarkerBox(at));
  }
  if (process) {
    // The arrows are drawn over everything: no label may sit under one.
    for (std::size_t i = 1; i < chart.markers.size(); ++i) {
      const Point a = chart.markers[i - 1].at;
      const Point b = chart.markers[i].at;
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
    LabelFamily(placer, chart.families[static_cast<std::size_t>(family)]);
  }
  return chart;
}

}  // namespace hygrian::chart

#include "chart/furniture.h"

#include <cmath>
#include <string>

#include "chart/moist_air.h"
#include "chart/number_text.h"

namespace hygrian::chart {
namespace {

constexpr double kMarkLength = 4.0;      // px, a saturation mark; every 5 K:
constexpr double kLongMarkLength = 7.0;  // px
constexpr double kScaleFrom = 10.0;      // px past saturation, where enthalpy ticks start
constexpr double kTickLength = 4.0;      // px, every 1 kJ/kg; every 5:
constexpr double kLongTickLength = 8.0;  // px
constexpr double kNumberAt = 28.0;       // px past saturation, the centre of a number

Point Along(Point from, Point unit, double distance) {
  return {from.x + unit.x * distance, from.y + unit.y * distance};
}

Point Direction(Point from, Point to) {
  const double length = std::hypot(to.x - from.x, to.y - from.y);
  return {(to.x - from.x) / length, (to.y - from.y) / length};
}

bool Inside(const Rect& plot, Point p) {
  return p.x >= plot.left && p.x <= plot.right && p.y >= plot.top && p.y <= plot.bottom;
}

// The saturation state's enthalpy at t, if saturated air shows there.
std::optional<double> SaturationEnthalpy(const Frame& frame, double t) {
  const std::optional<double> Ws = SaturationHumidityRatio(t, frame.Pressure(), frame.Relations());
  if (!Ws || *Ws > frame.HumidityRatioMax()) return std::nullopt;
  return EnthalpyAt(t, *Ws, frame.Relations());
}

// Where the saturation enthalpy, rising with t, is h in [low, high]: bisection.
double SaturationTemperatureOf(const Frame& frame, double h, double low, double high) {
  for (int i = 0; i < 60; ++i) {
    const double middle = 0.5 * (low + high);
    const std::optional<double> at = SaturationEnthalpy(frame, middle);
    (at && *at < h ? low : high) = middle;
  }
  return 0.5 * (low + high);
}

// The dry-bulb span of the saturation curve inside the plot.
struct Span {
  double low, high;
};
std::optional<Span> SaturationSpan(const Frame& frame) {
  const double low = frame.DryBulbMin();
  if (!SaturationEnthalpy(frame, low)) return std::nullopt;
  double high = frame.DryBulbMax();
  if (!SaturationEnthalpy(frame, high)) {
    double inside = low;
    for (int i = 0; i < 60; ++i) {
      const double middle = 0.5 * (inside + high);
      (SaturationEnthalpy(frame, middle) ? inside : high) = middle;
    }
    high = inside;
  }
  return Span{low, high};
}

void SaturationMarks(const Frame& frame, Span span, Furniture& furniture) {
  const Rect& plot = frame.Plot();
  const hygrian::Options options = frame.Relations();
  const Unit& degrees = *frame.Units().temperature;
  const double first = std::ceil(FromLibrary(degrees, span.low));
  const int count = static_cast<int>(std::floor(FromLibrary(degrees, span.high) - first)) + 1;
  for (int k = 0; k < count; ++k) {
    const double whole = first + k;
    const double t = ToLibrary(degrees, whole);
    const std::optional<double> Ws = SaturationHumidityRatio(t, frame.Pressure(), options);
    const std::optional<double> before =
        SaturationHumidityRatio(t - 0.05, frame.Pressure(), options);
    if (!Ws || !before) continue;
    const Point at = frame.At(t, *Ws);
    const Point tangent = Direction(frame.At(t - 0.05, *before), at);
    const Point fog{tangent.y, -tangent.x};  // up and to the left of the curve
    const double length = std::fmod(std::fabs(whole), 5.0) == 0.0 ? kLongMarkLength : kMarkLength;
    const Point end = Along(at, fog, length);
    if (Inside(plot, at) && Inside(plot, end)) furniture.saturationMarks.push_back({at, end});
  }
}

void EnthalpyScale(const Frame& frame, Span span, Furniture& furniture, Placer& placer) {
  const Rect& plot = frame.Plot();
  const Unit& unit = *frame.Units().enthalpy;
  const std::optional<double> least = SaturationEnthalpy(frame, span.low);
  const std::optional<double> most = SaturationEnthalpy(frame, span.high);
  if (!least || !most) return;
  const double first = std::ceil(FromLibrary(unit, *least));
  const int count = static_cast<int>(std::floor(FromLibrary(unit, *most) - first)) + 1;
  for (int k = 0; k < count; ++k) {
    const double whole = first + k;
    const double h = ToLibrary(unit, whole);
    const double t = SaturationTemperatureOf(frame, h, span.low, span.high);
    const std::optional<double> Ws =
        SaturationHumidityRatio(t, frame.Pressure(), frame.Relations());
    const std::optional<double> colder = HumidityRatioAtEnthalpy(t - 1.0, h, frame.Relations());
    if (!Ws || !colder) continue;
    const Point at = frame.At(t, *Ws);
    const Point out = Direction(at, frame.At(t - 1.0, *colder));  // the enthalpy line, carried on
    const bool five = std::fmod(std::fabs(whole), 5.0) == 0.0;
    const Segment tick{Along(at, out, kScaleFrom),
                       Along(at, out, kScaleFrom + (five ? kLongTickLength : kTickLength))};
    if (!Inside(plot, tick.from) || !Inside(plot, tick.to)) continue;
    furniture.enthalpyTicks.push_back(tick);
    // Numbered where the enthalpy lines are drawn: every 10 kJ/kg, 5 Btu/lb.
    if (std::fmod(std::fabs(whole), frame.Units().enthalpyStep) != 0.0) continue;
    Label number = TextAt(Fixed(whole, 0), kScaleFontSize, Along(at, out, kNumberAt));
    if (placer.TakeInPlot(number.box)) furniture.enthalpyNumbers.push_back(std::move(number));
  }
}

}  // namespace

Furniture LayOutFurniture(const Frame& frame, bool scales, bool protractor, double indent,
                          Placer& placer) {
  Furniture furniture;
  if (protractor) {
    furniture.protractor = LayOutProtractor(frame, indent);
    placer.Block(ProtractorBox(*furniture.protractor));
  }
  if (!scales) return furniture;
  if (const std::optional<Span> span = SaturationSpan(frame)) {
    SaturationMarks(frame, *span, furniture);
    EnthalpyScale(frame, *span, furniture, placer);
  }
  return furniture;
}

}  // namespace hygrian::chart

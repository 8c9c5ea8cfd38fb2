#include "chart/curves.h"

#include <algorithm>
#include <cmath>
#include <functional>
#include <limits>
#include <optional>
#include <utility>

#include "chart/moist_air.h"
#include "chart/ticks.h"

namespace hygrian::chart {
namespace {

using HumidityRatioOf = std::function<std::optional<double>(double)>;

// Boundaries are found far finer than any pixel and than the 1e-9 degrees C the
// meeting points are promised to.
constexpr double kResolution = 1e-12;
// No family draws more lines than this, whatever the ranges.
constexpr int kMaxLines = 60;
// A zoomed chart halves (or so) the step of a family with fewer lines than
// this, at most kMostRefinements times: 5 degrees C goes down to 0.01.
constexpr std::size_t kLeastLines = 4;
constexpr int kMostRefinements = 9;

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

std::vector<Vertex> TraceW(const Frame& frame, const HumidityRatioOf& W, double a, double b) {
  return Trace([&](double t) { return frame.At(t, W(t).value_or(kNaN)); }, a, b, kChordTolerance);
}

// The Mollier diagram's ordinate against its range: -1 below, 0 within, 1 above.
int OrdinateSide(const Frame& frame, double t, double W) {
  if (!frame.Mollier()) return 0;
  const double ordinate = frame.Ordinate(t, W);
  return ordinate < frame.DryBulbMin() ? -1 : ordinate > frame.DryBulbMax() ? 1 : 0;
}

// A curve whose humidity ratio rises with t, over [a, b]: from a (or where it
// enters the Mollier diagram's bottom) up to where it leaves the top of the
// plot (or its right edge). Empty if it starts above the top.
std::vector<Vertex> RisingPiece(const Frame& frame, const HumidityRatioOf& W, double a, double b) {
  const double top = frame.HumidityRatioMax();
  const auto inside = [&](double t) {
    const std::optional<double> w = W(t);
    return w && *w <= top && OrdinateSide(frame, t, *w) <= 0;
  };
  const auto aboveBottom = [&](double t) {
    const std::optional<double> w = W(t);
    return w && OrdinateSide(frame, t, *w) >= 0;
  };
  if (!aboveBottom(a)) {
    if (!aboveBottom(b)) return {};
    a = LastInside(aboveBottom, b, a, kResolution);
  }
  if (!inside(a)) return {};
  const double end = inside(b) ? b : LastInside(inside, a, b, kResolution);
  return TraceW(frame, W, a, end);
}

// A rising curve over the whole dry-bulb range, in two pieces where the range
// takes in 0 degrees C: the ice relation up to 0, the water relation beyond.
// The chord between the two pieces is the step between the relations.
std::vector<Vertex> RisingCurve(const Frame& frame, const HumidityRatioOf& W) {
  const double tmin = frame.DryBulbLow();
  const double tmax = frame.DryBulbHigh();
  const double water = FirstWaterTemperature();
  std::vector<Vertex> vertices;
  if (tmin <= 0.0) {
    vertices = RisingPiece(frame, W, tmin, std::min(0.0, tmax));
    if (vertices.empty() || vertices.back().t < std::min(0.0, tmax)) return vertices;
  }
  if (tmax >= water) {
    const std::vector<Vertex> more = RisingPiece(frame, W, std::max(tmin, water), tmax);
    vertices.insert(vertices.end(), more.begin(), more.end());
  }
  return vertices;
}

// A line whose humidity ratio falls as t rises, starting on saturation at `start`
// (which may lie left of the plot): the part inside the plot, from where it
// enters (left edge, top or its start) to where it leaves (bottom or right edge).
// On the Mollier diagram its ordinate rises with t: it enters through the right
// edge or the bottom and leaves through the left edge or the top.
std::vector<Vertex> FallingLine(const Frame& frame, const HumidityRatioOf& W, double start) {
  const double tmax = frame.DryBulbHigh();
  const double from = std::max(start, frame.DryBulbLow());
  if (from > tmax) return {};
  const double top = frame.HumidityRatioMax();
  const auto belowTop = [&](double t) {
    const std::optional<double> w = W(t);
    return w && *w <= top && OrdinateSide(frame, t, *w) >= 0;
  };
  const auto aboveBottom = [&](double t) {
    const std::optional<double> w = W(t);
    return w && *w >= 0.0 && OrdinateSide(frame, t, *w) <= 0;
  };
  double a = from;
  if (!belowTop(a)) {
    if (!belowTop(tmax)) return {};
    a = LastInside(belowTop, tmax, a, kResolution);
  }
  if (!aboveBottom(a)) return {};
  const double b = aboveBottom(tmax) ? tmax : LastInside(aboveBottom, a, tmax, kResolution);
  return TraceW(frame, W, a, b);
}

// Where a falling line meets saturation: the dry-bulb on the air side of the
// crossing, or the left edge when the line is already below saturation there.
// None when the line stays above saturation across the plot.
std::optional<double> MeetingWithSaturation(const Frame& frame, const HumidityRatioOf& W) {
  const double P = frame.Pressure();
  const hygrian::Options relations = frame.Relations();
  const auto onAirSide = [&](double t) {
    const std::optional<double> saturated = SaturationHumidityRatio(t, P, relations);
    if (!saturated) return true;  // the saturation pressure has reached P
    const std::optional<double> w = W(t);
    return w && *w <= *saturated;
  };
  const double tmin = frame.DryBulbLow();
  const double tmax = frame.DryBulbHigh();
  if (onAirSide(tmin)) return tmin;
  if (!onAirSide(tmax)) return std::nullopt;
  return LastInside(onAirSide, tmax, tmin, kResolution);
}

void AddIfShown(std::vector<Curve>& curves, Family family, double value,
                std::vector<Vertex> vertices) {
  if (vertices.size() >= 2) curves.push_back({family, value, std::move(vertices)});
}

// The n-th multiple of a round step, as the double nearest n * step: 0.85 is
// 85 / 100, not 85 * 0.01.
double Multiple(double n, double step) {
  const double power = std::pow(10.0, std::floor(std::log10(step) + 1e-9));
  const double mantissa = std::round(step / power);
  if (power >= 1.0) return n * mantissa * power;
  return n * mantissa / std::round(1.0 / power);
}

// Lines of constant value k * step between the values at the bottom-left and
// top-right corners, each with its humidity ratio as a function of t.
template <typename LineOf>
FamilyLines ConstantLines(const Frame& frame, Family family, double low, double high, double step,
                          LineOf lineOf) {
  // Ranges far from the usual would give thousands of lines: there the step
  // grows until the lines are few enough to read.
  while (std::floor(high / step) - std::ceil(low / step) > kMaxLines) step = StepUp(step);
  FamilyLines lines{step, {}};
  const double first = std::ceil(low / step);
  const double last = std::floor(high / step);
  if (!(first <= last)) return lines;
  const int count = static_cast<int>(last - first);  // at most kMaxLines
  for (int i = 0; i <= count; ++i) {
    const double value = Multiple(first + i, step);
    const HumidityRatioOf W = lineOf(value);
    const std::optional<double> start = MeetingWithSaturation(frame, W);
    if (start) AddIfShown(lines.curves, family, value, FallingLine(frame, W, *start));
  }
  return lines;
}

FamilyLines RelativeHumidityCurves(const Frame& frame, double step) {
  const double P = frame.Pressure();
  const hygrian::Options relations = frame.Relations();
  FamilyLines lines{step, {}};
  const int count = static_cast<int>(std::ceil(100.0 / step * (1.0 - 1e-12)));
  for (int n = 1; n < count; ++n) {
    const double rh = Multiple(n, step);
    AddIfShown(lines.curves, Family::RelativeHumidity, rh,
               RisingCurve(frame, [P, rh, relations](double t) {
                 return HumidityRatioAtRelativeHumidity(t, rh, P, relations);
               }));
  }
  return lines;
}

// The wet-bulb lines at round values in the chart's temperature unit.
FamilyLines WetBulbLines(const Frame& frame, double step) {
  const double P = frame.Pressure();
  const hygrian::Options relations = frame.Relations();
  const Unit& unit = *frame.Units().temperature;
  const double tmin = frame.Settings().dryBulbMin;
  const double tmax = frame.Settings().dryBulbMax;
  const auto line = [&](double shown) -> std::vector<Vertex> {
    const double tw = ToLibrary(unit, shown);
    const std::optional<double> Wsw = SaturationHumidityRatio(tw, P, relations);
    if (!Wsw) return {};
    const double saturated = *Wsw;
    std::vector<Vertex> vertices = FallingLine(
        frame,
        [tw, P, relations](double t) { return HumidityRatioOnWetBulbLine(t, tw, P, relations); },
        tw);
    // At t = tw the relation gives Wsw back only to about 1e-10: its
    // coefficients 4.186 - 1.775 and 2.411, held in single precision, differ in
    // the last bits. The line starts on the saturation curve itself.
    if (!vertices.empty() && vertices.front().t == tw) {
      vertices.front().at = frame.At(tw, saturated);
    }
    return vertices;
  };
  // Lines on the plot start within its dry-bulb range: beyond kMaxLines of them
  // the step grows.
  while ((tmax - tmin) / step > kMaxLines) step = StepUp(step);
  FamilyLines lines{step, {}};
  // Lines that start left of the plot may still enter it through the left edge;
  // going leftwards, the first one that does not ends the search.
  const double firstInside = std::ceil(tmin / step);
  std::vector<Curve> leftOfPlot;
  for (int i = 1; i <= kMaxLines; ++i) {
    const double tw = Multiple(firstInside - i, step);
    std::vector<Vertex> vertices = line(tw);
    if (vertices.size() < 2) break;
    leftOfPlot.push_back({Family::WetBulb, tw, std::move(vertices)});
  }
  lines.curves.assign(leftOfPlot.rbegin(), leftOfPlot.rend());
  for (int i = 0; i <= kMaxLines; ++i) {
    const double tw = Multiple(firstInside + i, step);
    if (tw > tmax) break;
    AddIfShown(lines.curves, Family::WetBulb, tw, line(tw));
  }
  return lines;
}

// The least and greatest of a property at the plot's corners: the range of
// its lines, as it rises with t and W.
struct Range {
  double low, high;
};
template <typename PropertyOf>
std::optional<Range> RangeAtCorners(const Frame& frame, PropertyOf property) {
  std::optional<Range> range;
  for (const StatePoint& corner : frame.Corners()) {
    const std::optional<double> value = property(corner);
    if (!value) return std::nullopt;
    range = range ? Range{std::min(range->low, *value), std::max(range->high, *value)}
                  : Range{*value, *value};
  }
  return range;
}

// The enthalpy and volume lines at round values in the chart's unit.
FamilyLines EnthalpyLines(const Frame& frame, double step) {
  const hygrian::Options relations = frame.Relations();
  const Unit& unit = *frame.Units().enthalpy;
  const std::optional<Range> range =
      RangeAtCorners(frame, [relations](StatePoint s) { return EnthalpyAt(s.t, s.W, relations); });
  if (!range) return {step, {}};
  return ConstantLines(frame, Family::Enthalpy, FromLibrary(unit, range->low),
                       FromLibrary(unit, range->high), step, [&unit, relations](double shown) {
                         const double h = ToLibrary(unit, shown);
                         return HumidityRatioOf([h, relations](double t) {
                           return HumidityRatioAtEnthalpy(t, h, relations);
                         });
                       });
}

FamilyLines SpecificVolumeLines(const Frame& frame, double step) {
  const double P = frame.Pressure();
  const hygrian::Options relations = frame.Relations();
  const Unit& unit = *frame.Units().specificVolume;
  const std::optional<Range> range = RangeAtCorners(
      frame, [P, relations](StatePoint s) { return SpecificVolumeAt(s.t, s.W, P, relations); });
  if (!range) return {step, {}};
  return ConstantLines(frame, Family::SpecificVolume, FromLibrary(unit, range->low),
                       FromLibrary(unit, range->high), step, [&unit, P, relations](double shown) {
                         const double v = ToLibrary(unit, shown);
                         return HumidityRatioOf([v, P, relations](double t) {
                           return HumidityRatioAtSpecificVolume(t, v, P, relations);
                         });
                       });
}

// The lines of a family at `step`.
FamilyLines LinesAt(const Frame& frame, Family family, double step) {
  switch (family) {
    case Family::Saturation:
      break;
    case Family::RelativeHumidity:
      return RelativeHumidityCurves(frame, step);
    case Family::WetBulb:
      return WetBulbLines(frame, step);
    case Family::Enthalpy:
      return EnthalpyLines(frame, step);
    case Family::SpecificVolume:
      return SpecificVolumeLines(frame, step);
  }
  return {step, {}};
}

}  // namespace

Curve SaturationCurve(const Frame& frame) {
  const double P = frame.Pressure();
  const hygrian::Options relations = frame.Relations();
  return {Family::Saturation, 100.0, RisingCurve(frame, [P, relations](double t) {
            return SaturationHumidityRatio(t, P, relations);
          })};
}

double UsualStep(Family family, const ChartUnits& units) {
  switch (family) {
    case Family::Saturation:
      break;
    case Family::RelativeHumidity:
      return 10.0;
    case Family::WetBulb:
      return 5.0;
    case Family::Enthalpy:
      return units.enthalpyStep;
    case Family::SpecificVolume:
      return units.volumeStep;
  }
  return 1.0;
}

FamilyLines LinesOf(const Frame& frame, Family family) {
  // The Mollier diagram reads the wet-bulb off the enthalpy lines, which its
  // wet-bulb lines would all but cover.
  if (family == Family::WetBulb && frame.Mollier()) return {UsualStep(family, frame.Units()), {}};
  FamilyLines lines = LinesAt(frame, family, UsualStep(family, frame.Units()));
  for (int i = 0; i < kMostRefinements && lines.curves.size() < kLeastLines; ++i) {
    lines = LinesAt(frame, family, StepDown(lines.step));
  }
  return lines;
}

}  // namespace hygrian::chart

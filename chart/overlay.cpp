#include "chart/overlay.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "chart/moist_air.h"
#include "chart/number_text.h"
#include "hygrian/outcomes.h"

namespace hygrian::chart {
namespace {

constexpr int kSteps = 64;  // dry-bulbs across the band's range

// A limit in degrees C (the heat index's categories are in degF).
double Celsius(const OverlayKind& kind, double limit) {
  return kind.fahrenheit && std::isfinite(limit) ? (limit - 32.0) / 1.8 : limit;
}

// The relations the measures are defined on: the handbook model's (on a chart
// of the calculator model too).
hygrian::Options Handbook(const Frame& frame) {
  hygrian::Options options = frame.Relations();
  options.model = Model::Handbook;
  return options;
}

// The measure at (t, W), NaN where it is outside its range or the state is not computed.
double MeasureAt(const Frame& frame, const Measure& measure, double t, double W) {
  const Result air = FromDryBulbHumidityRatio(t, W, frame.Pressure(), Handbook(frame));
  // A warning's state (drier than the range, near dry air) is computed too.
  if (!RulesOf(OutcomeOf(air).kind).computed) return std::nan("");
  return measure.compute(air.state, frame.Pressure(), Surroundings{}).value;
}

// The limit's words: "80 to 90 degF" in IP, "26.7 to 32.2 degC" in SI, the
// humidex's own numbers; "125 degF and above" for an open category.
std::string LimitsInWords(const Frame& frame, const OverlayKind& kind, const OverlayCategory& c) {
  const bool ip = frame.Units().inchPound;
  const auto value = [&](double limit) {
    if (!kind.fahrenheit) return Rounded(limit, 0);
    return ip ? Rounded(limit, 0) : Rounded(Celsius(kind, limit), 1);
  };
  const std::string unit = !kind.fahrenheit ? ""
                           : ip             ? " \xC2\xB0"
                                              "F"
                                            : " \xC2\xB0"
                                              "C";
  if (!std::isfinite(c.to)) return value(c.from) + unit + " and above";
  return value(c.from) + " to " + value(c.to) + unit;
}

// A limit for a data- attribute: its shortest exact text, "inf" for none.
std::string Exact(double value) { return std::isfinite(value) ? Shortest(value) : "inf"; }

}  // namespace

const OverlayKind* FindOverlay(std::string_view key) {
  for (const OverlayKind& kind : kOverlays) {
    if (kind.key == key) return &kind;
  }
  return nullptr;
}

std::optional<double> ContourAt(const Frame& frame, const Measure& measure, double t,
                                double value) {
  const std::optional<double> chart =
      SaturationHumidityRatio(t, frame.Pressure(), frame.Relations());
  const std::optional<double> handbook =
      SaturationHumidityRatio(t, frame.Pressure(), Handbook(frame));
  if (!chart || !handbook) return std::nullopt;
  // Just inside saturation, the chart's and the model's, where every state is computed.
  const double top = std::min(*chart, *handbook) * (1.0 - 1e-9);
  const auto reached = [&](double W) {
    const double v = MeasureAt(frame, measure, t, W);
    return std::isnan(v) || v >= value;
  };
  if (reached(0.0)) return 0.0;
  if (!reached(top)) return top;
  double low = 0.0;
  double high = top;
  for (int i = 0; i < 200 && high - low > 1e-12; ++i) {
    const double middle = 0.5 * (low + high);
    (reached(middle) ? high : low) = middle;
  }
  return 0.5 * (low + high);
}

namespace {

// The band of one category: its lower edge up the dry-bulbs, its upper edge
// back; none where the chart does not reach it.
std::optional<StatePolygon> BandOf(const Frame& frame, const OverlayKind& kind,
                                   const OverlayCategory& c) {
  const Measure* measure = FindMeasure(kind.measure);
  const double coldest = std::max(frame.DryBulbLow(), kind.coldest);
  const double warmest = std::min(frame.DryBulbHigh(), kind.warmest);
  if (c.words.empty() || measure == nullptr || !(coldest < warmest)) return std::nullopt;
  const double from = Celsius(kind, c.from);
  const double to = Celsius(kind, c.to);
  std::vector<StateCorner> lower;
  std::vector<StateCorner> upper;
  for (int i = 0; i <= kSteps; ++i) {
    const double t = coldest + (warmest - coldest) * i / kSteps;
    const std::optional<double> low = ContourAt(frame, *measure, t, from);
    const std::optional<double> high = ContourAt(frame, *measure, t, to);
    if (!low || !high) continue;
    lower.push_back({t, *low});
    upper.push_back({t, std::max(*low, *high)});
  }
  // The dry-bulbs where the edges part, and one either side, where the band closes.
  std::size_t first = lower.size();
  std::size_t last = 0;
  for (std::size_t i = 0; i < lower.size(); ++i) {
    if (upper[i].W > lower[i].W) {
      first = std::min(first, i);
      last = i;
    }
  }
  if (first > last) return std::nullopt;
  first = first > 0 ? first - 1 : first;
  last = std::min(last + 1, lower.size() - 1);
  StatePolygon band;
  band.name = std::string(kind.key == "humidex" ? "humidex " : "heat index ") +
              LimitsInWords(frame, kind, c) + ": " + std::string(c.words);
  for (std::size_t i = first; i <= last; ++i) band.corners.push_back(lower[i]);
  for (std::size_t i = last + 1; i-- > first;) band.corners.push_back(upper[i]);
  return band;
}

}  // namespace

std::vector<StatePolygon> OverlayBands(const Frame& frame, const OverlayKind& kind) {
  std::vector<StatePolygon> bands;
  for (const OverlayCategory& c : kind.categories) {
    if (std::optional<StatePolygon> band = BandOf(frame, kind, c)) bands.push_back(*band);
  }
  return bands;
}

std::vector<Zone> OverlayZones(const Frame& frame, const OverlayKind& kind) {
  const bool print = frame.Settings().style == Style::Print;
  std::vector<Zone> zones;
  for (const OverlayCategory& c : kind.categories) {
    const std::optional<StatePolygon> band = BandOf(frame, kind, c);
    if (!band) continue;
    Zone zone = ZoneOf(frame, *band);
    zone.color = print ? c.print : c.screen;
    zone.data = {{"overlay", std::string(kind.key)},
                 {"from", Exact(Celsius(kind, c.from))},
                 {"to", Exact(Celsius(kind, c.to))}};
    zones.push_back(std::move(zone));
  }
  return zones;
}

}  // namespace hygrian::chart

#include "chart/comfort_zone.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <optional>
#include <string>

#include "chart/moist_air.h"
#include "chart/number_text.h"
#include "hygrian/comfort.h"
#include "hygrian/units.h"
#include "tables/chars.h"

namespace hygrian::chart {
namespace {

constexpr double kColdest = 10.0;  // degrees C: the model's range of dry-bulbs
constexpr double kWarmest = 30.0;
constexpr double kMostVaporPressure = 2.7;  // kPa, the model's
constexpr int kSteps = 32;                  // along each edge
constexpr double kEdge = 0.5;               // the PMV of an edge

// The PMV of the chart's states of one humidity ratio: the dry-bulb, the walls
// at it, and the vapour pressure of W at the chart's pressure (the same at
// every dry-bulb).
struct Vote {
  const ComfortConditions& conditions;
  double vaporPressure;

  Vote(const Frame& frame, const ComfortConditions& c, double W)
      : conditions(c),
        vaporPressure(FromDryBulbHumidityRatio(20.0, W, frame.Pressure(), frame.Relations())
                          .state.vaporPressure) {}

  double At(double t) const {
    State air;
    air.dryBulb = t;
    air.vaporPressure = vaporPressure;
    return PredictedMeanVote(air, t, conditions.airSpeed, conditions.metabolicRate,
                             conditions.clothing)
        .pmv;
  }
};

// The dry-bulb where the vote at W is `target`: the vote rises with the
// dry-bulb, and is a number only where it lies within +-2, so the crossing is
// first found between two numbers every 0.5 K of the model's range, then
// bisected to 1e-12 K; none where the vote does not reach `target` there.
std::optional<double> EdgeAt(const Frame& frame, const ComfortConditions& conditions, double W,
                             double target) {
  const Vote vote(frame, conditions, W);
  constexpr int kScan = 40;
  double before = std::nan("");
  double previous = kColdest;
  for (int i = 0; i <= kScan; ++i) {
    const double t = kColdest + (kWarmest - kColdest) * i / kScan;
    const double v = vote.At(t);
    if (!std::isnan(v) && !std::isnan(before) && before < target && v >= target) {
      double low = previous;
      double high = t;
      for (int k = 0; k < 100 && high - low > 1e-12; ++k) {
        const double middle = 0.5 * (low + high);
        (vote.At(middle) < target ? low : high) = middle;
      }
      return 0.5 * (low + high);
    }
    before = v;
    previous = t;
  }
  return std::nullopt;
}

// The humidity ratio (kg/kg) of saturation at t, and the highest W whose
// edge at `target` lies on or below saturation, bisected in [0, most].
double SaturatedAt(const Frame& frame, double t) {
  return SaturationHumidityRatio(t, frame.Pressure(), frame.Relations()).value_or(0.0);
}

double EdgeTop(const Frame& frame, const ComfortConditions& conditions, double target,
               double most) {
  const auto below = [&](double W) {
    const std::optional<double> t = EdgeAt(frame, conditions, W, target);
    return t && W <= SaturatedAt(frame, *t);
  };
  if (below(most)) return most;
  double low = 0.0;
  double high = most;
  for (int i = 0; i < 50; ++i) {
    const double middle = 0.5 * (low + high);
    (below(middle) ? low : high) = middle;
  }
  return low;
}

// The dry-bulb where saturation holds W (its dew point on the chart), bisected.
double DewPointOf(const Frame& frame, double W, double low, double high) {
  for (int i = 0; i < 80; ++i) {
    const double middle = 0.5 * (low + high);
    (SaturatedAt(frame, middle) < W ? low : high) = middle;
  }
  return 0.5 * (low + high);
}

std::string NameOf(const Frame& frame, const ComfortConditions& c) {
  const bool ip = frame.Units().inchPound;
  const double speed = ip ? c.airSpeed / (kFoot / 60.0) : c.airSpeed;
  return "PMV \xC2\xB1"
         "0.5: " +
         Rounded(c.metabolicRate, 2) + " met, " + Rounded(c.clothing, 2) + " clo, " +
         Rounded(speed, ip ? 0 : 2) + (ip ? " fpm" : " m/s");
}

}  // namespace

StatePolygon ComfortZoneOf(const Frame& frame, const ComfortConditions& conditions, bool limit) {
  StatePolygon zone{NameOf(frame, conditions), {}};
  // The model's vapour pressure limit, and ASHRAE 55's humidity ratio.
  const double P = frame.Pressure();
  double most = 0.621945 * kMostVaporPressure / (P - kMostVaporPressure);
  if (limit) most = std::min(most, kComfortHumidityLimit);
  const double coldTop = EdgeTop(frame, conditions, -kEdge, most);
  const double warmTop = EdgeTop(frame, conditions, kEdge, most);
  if (!EdgeAt(frame, conditions, 0.0, -kEdge) || !EdgeAt(frame, conditions, 0.0, kEdge)) {
    return zone;
  }
  // Up the cold edge.
  for (int i = 0; i <= kSteps; ++i) {
    const double W = coldTop * i / kSteps;
    if (const auto t = EdgeAt(frame, conditions, W, -kEdge)) zone.corners.push_back({*t, W});
  }
  // Along saturation from the cold edge's top to the warm edge's.
  if (warmTop > coldTop && !zone.corners.empty()) {
    const double from = zone.corners.back().t;
    const double warmT = EdgeAt(frame, conditions, warmTop, kEdge).value_or(kWarmest);
    const double to = DewPointOf(frame, warmTop, from, warmT);
    for (int i = 1; i < kSteps; ++i) {
      const double t = from + (to - from) * i / kSteps;
      zone.corners.push_back({t, std::min(SaturatedAt(frame, t), warmTop)});
    }
  }
  // Down the warm edge.
  for (int i = kSteps; i >= 0; --i) {
    const double W = warmTop * i / kSteps;
    if (const auto t = EdgeAt(frame, conditions, W, kEdge)) zone.corners.push_back({*t, W});
  }
  return zone;
}

std::string ReadComfortConditions(const std::string& text, bool inchPound,
                                  ComfortConditions& conditions) {
  ComfortConditions c;
  if (!text.empty()) {
    std::array<double, 3> values{};
    std::size_t n = 0;
    std::size_t at = 0;
    for (; n < values.size() && at <= text.size(); ++n) {
      const std::size_t end = std::min(text.find(',', at), text.size());
      const char* first = text.data() + at;
      const char* last = text.data() + end;
      if (tables::FromChars(first, last, values[n]).ptr != last || !std::isfinite(values[n])) {
        break;
      }
      at = end + 1;
    }
    const double fpm = 0.00508;  // m/s
    if (n != 3 || at != text.size() + 1 || values[0] < 0.8 || values[0] > 4.0 || values[1] < 0.0 ||
        values[1] > 2.0 || values[2] < 0.0 || values[2] * (inchPound ? fpm : 1.0) > 1.0) {
      return std::string("--comfort: expected MET,CLO,SPEED within 0.8 to 4 met, 0 to 2 clo and ") +
             (inchPound ? "0 to 196.85 fpm" : "0 to 1 m/s") + ", not '" + text + "'";
    }
    c = {values[0], values[1], values[2] * (inchPound ? fpm : 1.0)};
  }
  conditions = c;
  return "";
}

}  // namespace hygrian::chart

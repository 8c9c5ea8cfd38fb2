#include "chart/envelopes.h"

#include <algorithm>
#include <functional>
#include <optional>

#include "chart/moist_air.h"

namespace hygrian::chart {
namespace {

constexpr int kSteps = 48;  // along each limit, besides its corners

// The humidity ratio of a limit at t: a dew point's, a relative humidity's,
// the larger (lower limit) or the smaller (upper) of the two.
double LimitAt(const Frame& frame, double t, double dewPoint, double rh, bool lower) {
  const double P = frame.Pressure();
  const std::optional<double> byDewPoint = SaturationHumidityRatio(dewPoint, P, frame.Relations());
  const std::optional<double> byHumidity =
      HumidityRatioAtRelativeHumidity(t, rh, P, frame.Relations());
  const double a = byDewPoint.value_or(0.0);
  const double b = byHumidity.value_or(0.0);
  return lower ? std::max(a, b) : std::min(a, b);
}

// The dry-bulb in [low, high] where the relative humidity's humidity ratio
// reaches the dew point's, by bisection; none where it does not in the range.
std::optional<double> Crossing(const Frame& frame, double low, double high, double dewPoint,
                               double rh) {
  const double P = frame.Pressure();
  const std::optional<double> W = SaturationHumidityRatio(dewPoint, P, frame.Relations());
  if (!W || rh <= 0.0) return std::nullopt;
  const auto above = [&](double t) {
    return HumidityRatioAtRelativeHumidity(t, rh, P, frame.Relations()).value_or(0.0) > *W;
  };
  if (above(low) == above(high)) return std::nullopt;
  const bool risingAbove = above(high);
  for (int i = 0; i < 80 && high - low > 1e-9; ++i) {
    const double middle = 0.5 * (low + high);
    (above(middle) == risingAbove ? high : low) = middle;
  }
  return 0.5 * (low + high);
}

// The dry-bulbs of a limit's corners: its ends and where its dew point gives
// way to its relative humidity, rising.
std::vector<double> Dryness(const Frame& frame, const Envelope& e, bool lower) {
  std::vector<double> ts;
  for (int i = 0; i <= kSteps; ++i) {
    ts.push_back(e.dryBulbLow + (e.dryBulbHigh - e.dryBulbLow) * i / kSteps);
  }
  const double dewPoint = lower ? e.dewPointLow : e.dewPointHigh;
  const double rh = lower ? e.relativeHumidityLow : e.relativeHumidityHigh;
  if (const auto kink = Crossing(frame, e.dryBulbLow, e.dryBulbHigh, dewPoint, rh)) {
    ts.push_back(*kink);
    std::sort(ts.begin(), ts.end());
  }
  return ts;
}

}  // namespace

const Envelope* FindEnvelope(std::string_view key) {
  const auto* found = std::find_if(kEnvelopes.begin(), kEnvelopes.end(),
                                   [&](const Envelope& e) { return e.key == key; });
  return found == kEnvelopes.end() ? nullptr : found;
}

StatePolygon EnvelopeOf(const Frame& frame, const Envelope& e) {
  StatePolygon polygon{std::string(e.name), {}};
  for (const double t : Dryness(frame, e, false)) {
    polygon.corners.push_back(
        {t, LimitAt(frame, t, e.dewPointHigh, e.relativeHumidityHigh, false)});
  }
  const std::vector<double> lower = Dryness(frame, e, true);
  for (auto t = lower.rbegin(); t != lower.rend(); ++t) {
    polygon.corners.push_back({*t, LimitAt(frame, *t, e.dewPointLow, e.relativeHumidityLow, true)});
  }
  return polygon;
}

}  // namespace hygrian::chart

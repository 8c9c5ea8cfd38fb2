#include "chart/frame.h"

#include <algorithm>
#include <cmath>

#include "chart/labels.h"
#include "chart/moist_air.h"
#include "chart/ticks.h"

namespace hygrian::chart {
namespace {

// Room around the plot for the title and legend (top), the dry-bulb numbers and
// title (bottom) and the humidity-ratio numbers and title (right).
constexpr double kMarginLeft = 36.0;
constexpr double kMarginRight = 78.0;
constexpr double kMarginTop = 74.0;
constexpr double kMarginBottom = 56.0;
// The humidity-ratio title: its centre at least this far right of the plot, and
// this far from the numbers' right end and from the picture's edge.
constexpr double kTitleOffset = 56.0;
constexpr double kTitleFromNumbers = 18.5;
constexpr double kTitleToEdge = kMarginRight - kTitleOffset;
// The numbers start this far right of the plot.
constexpr double kNumbersOffset = 8.0;

// The Mollier diagram's skew: eq. 30's latent heat at 0 degrees C and dry
// air's heat capacity (ASHRAE 2017 ch. 1), so that the ordinate is the
// dry-bulb where W is 0.
constexpr double kLatentHeat = 2501.0;  // kJ/kg
constexpr double kDryAirHeat = 1.006;   // kJ/(kg K)

// The width of the widest number of an axis from low to high, px.
double WidestNumber(double low, double high, double step) {
  double widest = 0.0;
  for (const TickValue& tick : TickValues(low, high, step)) {
    widest = std::max(widest, TextWidth(tick.text, kTickFontSize));
  }
  return widest;
}

}  // namespace

Frame::Frame(const ChartSettings& settings) : settings_(settings) {
  const double height = static_cast<double>(settings.height) - kMarginBottom - kMarginTop;
  if (Mollier()) {
    // The temperature numbers and title on the left, the humidity ratio's below.
    const double range = settings.dryBulbMax - settings.dryBulbMin;
    const double step = TickStep(range, height, kTickSpacing);
    titleOffset_ =
        std::max(kTitleOffset, kNumbersOffset +
                                   WidestNumber(settings.dryBulbMin, settings.dryBulbMax, step) +
                                   kTitleFromNumbers);
    plot_ = {titleOffset_ + kTitleToEdge, kMarginTop,
             static_cast<double>(settings.width) - kMarginLeft,
             static_cast<double>(settings.height) - kMarginBottom};
    humidityRatioStep_ =
        TickStep(settings.humidityRatioMax, plot_.right - plot_.left, kTickSpacing);
  } else {
    humidityRatioStep_ = TickStep(settings.humidityRatioMax, height, kTickSpacing);
    titleOffset_ =
        std::max(kTitleOffset,
                 kNumbersOffset + WidestNumber(0.0, settings.humidityRatioMax, humidityRatioStep_) +
                     kTitleFromNumbers);
    plot_ = {kMarginLeft, kMarginTop,
             static_cast<double>(settings.width) - titleOffset_ - kTitleToEdge,
             static_cast<double>(settings.height) - kMarginBottom};
  }
  dryBulbLow_ = DryBulbMin();
  dryBulbHigh_ = DryBulbMax();
  if (Mollier()) {
    for (const StatePoint& corner : Corners()) {
      dryBulbLow_ = std::min(dryBulbLow_, corner.t);
      dryBulbHigh_ = std::max(dryBulbHigh_, corner.t);
    }
  }
}

double Frame::Ordinate(double t, double W) const {
  const double h = EnthalpyAt(t, W, settings_.options).value_or(std::nan(""));
  return (h - kLatentHeat * W) / kDryAirHeat;
}

// The dry-bulb of an ordinate at W: the enthalpy is linear in the dry-bulb.
double Frame::DryBulbOf(double ordinate, double W) const {
  const double h = kDryAirHeat * ordinate + kLatentHeat * W;
  const double at0 = EnthalpyAt(0.0, W, settings_.options).value_or(std::nan(""));
  const double at1 = EnthalpyAt(1.0, W, settings_.options).value_or(std::nan(""));
  const double t = (h - at0) / (at1 - at0);
  // One correction takes up what rounding left in the slope.
  const double atT = EnthalpyAt(t, W, settings_.options).value_or(h);
  return t + (h - atT) / (at1 - at0);
}

Point Frame::At(double t, double W) const {
  if (!Mollier()) return {X(t), Y(W)};
  const double across = W / HumidityRatioMax();
  const double up = (Ordinate(t, W) - DryBulbMin()) / (DryBulbMax() - DryBulbMin());
  return {plot_.left + across * (plot_.right - plot_.left),
          plot_.bottom - up * (plot_.bottom - plot_.top)};
}

StatePoint Frame::StateAt(Point p) const {
  if (!Mollier()) return {DryBulbAt(p.x), HumidityRatioAt(p.y)};
  const double W = (p.x - plot_.left) / (plot_.right - plot_.left) * HumidityRatioMax();
  const double ordinate = DryBulbMin() + (plot_.bottom - p.y) / (plot_.bottom - plot_.top) *
                                             (DryBulbMax() - DryBulbMin());
  return {DryBulbOf(ordinate, W), W};
}

std::array<StatePoint, 4> Frame::Corners() const {
  const double top = HumidityRatioMax();
  if (!Mollier()) {
    return {{{DryBulbMin(), 0.0}, {DryBulbMax(), 0.0}, {DryBulbMin(), top}, {DryBulbMax(), top}}};
  }
  return {{{DryBulbOf(DryBulbMin(), 0.0), 0.0},
           {DryBulbOf(DryBulbMax(), 0.0), 0.0},
           {DryBulbOf(DryBulbMin(), top), top},
           {DryBulbOf(DryBulbMax(), top), top}}};
}

double Frame::X(double t) const {
  const double fraction = (t - DryBulbMin()) / (DryBulbMax() - DryBulbMin());
  return plot_.left + fraction * (plot_.right - plot_.left);
}

double Frame::Y(double W) const {
  const double fraction = W / HumidityRatioMax();
  return plot_.bottom - fraction * (plot_.bottom - plot_.top);
}

double Frame::DryBulbAt(double x) const {
  const double fraction = (x - plot_.left) / (plot_.right - plot_.left);
  return DryBulbMin() + fraction * (DryBulbMax() - DryBulbMin());
}

double Frame::HumidityRatioAt(double y) const {
  const double fraction = (plot_.bottom - y) / (plot_.bottom - plot_.top);
  return fraction * HumidityRatioMax();
}

bool Frame::Contains(double t, double W) const {
  if (Mollier()) {
    const double ordinate = Ordinate(t, W);
    return W >= 0.0 && W <= HumidityRatioMax() && ordinate >= DryBulbMin() &&
           ordinate <= DryBulbMax();
  }
  return t >= DryBulbMin() && t <= DryBulbMax() && W >= 0.0 && W <= HumidityRatioMax();
}

}  // namespace hygrian::chart

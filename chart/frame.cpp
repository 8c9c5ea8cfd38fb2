#include "chart/frame.h"

#include <algorithm>

#include "chart/labels.h"
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

// The width of the widest humidity-ratio number, px.
double WidestNumber(double top, double step) {
  double widest = 0.0;
  for (const TickValue& tick : TickValues(0.0, top, step)) {
    widest = std::max(widest, TextWidth(tick.text, kTickFontSize));
  }
  return widest;
}

}  // namespace

Frame::Frame(const ChartSettings& settings) : settings_(settings) {
  const double height = static_cast<double>(settings.height) - kMarginBottom - kMarginTop;
  humidityRatioStep_ = TickStep(settings.humidityRatioMax, height, kTickSpacing);
  titleOffset_ = std::max(
      kTitleOffset, kNumbersOffset + WidestNumber(settings.humidityRatioMax, humidityRatioStep_) +
                        kTitleFromNumbers);
  plot_ = {kMarginLeft, kMarginTop,
           static_cast<double>(settings.width) - titleOffset_ - kTitleToEdge,
           static_cast<double>(settings.height) - kMarginBottom};
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
  return t >= DryBulbMin() && t <= DryBulbMax() && W >= 0.0 && W <= HumidityRatioMax();
}

}  // namespace hygrian::chart

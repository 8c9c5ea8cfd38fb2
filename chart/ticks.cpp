#include "chart/ticks.h"

#include <algorithm>
#include <cmath>

#include "chart/number_text.h"

namespace hygrian::chart {
namespace {

// The mantissa of a round step: 1, 2 or 5, and its power of ten.
struct Round {
  double mantissa;
  double power;
};

Round Split(double step) {
  const double power = std::pow(10.0, std::floor(std::log10(step) + 1e-9));
  return {std::round(step / power), power};
}

}  // namespace

double StepUp(double step) {
  const Round r = Split(step);
  if (r.mantissa < 1.5) return 2.0 * r.power;
  if (r.mantissa < 3.5) return 5.0 * r.power;
  return 10.0 * r.power;
}

double StepDown(double step) {
  const Round r = Split(step);
  if (r.mantissa < 1.5) return 5.0 * r.power / 10.0;
  if (r.mantissa < 3.5) return r.power;
  return 2.0 * r.power;
}

double TickStep(double range, double pixels, double spacing) {
  const double least = range * spacing / pixels;
  if (!(least > 0.0 && std::isfinite(least))) return 1.0;  // no range: any step will do
  double power = std::pow(10.0, std::floor(std::log10(least)));
  for (;;) {
    for (const double m : {1.0, 2.0, 5.0}) {
      if (m * power >= least) return m * power;
    }
    power *= 10.0;
  }
}

bool IsMultiple(double value, double step) {
  const double multiple = step > 0.0 ? value / step : 0.0;
  return std::abs(multiple - std::round(multiple)) <= 1e-9;
}

int Decimals(double step) {
  // The round steps below 1 are 0.5, 0.2, 0.1, 0.05, ...: each needs the
  // decimals of its power of ten.
  if (!(step > 0.0 && std::isfinite(step))) return 0;
  return std::max(0, static_cast<int>(-std::floor(std::log10(step) + 1e-9)));
}

std::vector<TickValue> TickValues(double low, double high, double step) {
  const int decimals = Decimals(step);
  std::vector<TickValue> ticks;
  const double first = std::ceil(low / step);
  // The step puts ticks tens of px apart: a few hundred at the most.
  for (int i = 0; (first + i) * step <= high; ++i) {
    const double value = (first + i) * step + 0.0;  // + 0.0 turns -0 into 0
    ticks.push_back({value, Fixed(value, decimals)});
  }
  return ticks;
}

double RoundedTop(double needed, double pixels, double spacing) {
  double top = needed;
  // The step of the rounded top may be one round step larger than that of
  // `needed`; a second pass rounds to it. Two more passes cannot change it.
  for (int pass = 0; pass < 4; ++pass) {
    const double step = TickStep(top, pixels, spacing);
    const double rounded = std::ceil(needed / step * (1.0 - 1e-12)) * step;
    if (rounded == top) break;
    top = rounded;
  }
  return top;
}

}  // namespace hygrian::chart

// Round steps and their texts: the spacing of axis ticks and of the lines of a
// family (1, 2 or 5 times a power of ten), and numbers that share their decimals
// along one axis or family ("0.80", "0.90", "1.00").
#pragma once

#include <string>
#include <vector>

namespace hygrian::chart {

inline constexpr double kTickSpacing = 40.0;   // px, least distance of labelled ticks
inline constexpr double kTickFontSize = 11.0;  // px, the numbers of the axes

// The next round step above `step` (2 after 1, 5 after 2, 10 after 5) and the
// one below it (5 before 10, 2 before 5, 1 before 2). `step` must be round.
double StepUp(double step);
double StepDown(double step);

// The smallest round step that puts labelled ticks at least `spacing` px apart
// when `range` takes `pixels` px: 30 g/kg over 670 px at 40 px gives 2. No
// range (0) gives 1.
double TickStep(double range, double pixels, double spacing);

// Whether value is a whole multiple of step, to 1e-9 of a step; every value is
// with a step of 0.
bool IsMultiple(double value, double step);

// The decimals a multiple of the round `step` needs: 0 for 5, 1 for 0.5, 2 for
// 0.01.
int Decimals(double step);

// The values k * step within [low, high], each with its text, all with the
// decimals of the step (as Fixed writes them): 0, 0.5, 1 give "0.0", "0.5", "1.0".
struct TickValue {
  double value = 0.0;
  std::string text;
};
std::vector<TickValue> TickValues(double low, double high, double step);

// The top of an axis from 0 that holds `needed`: the next multiple of its own
// tick step at or above it. 86.2 over 670 px at 40 px gives 90.
double RoundedTop(double needed, double pixels, double spacing);

}  // namespace hygrian::chart

// The engineer's furniture of a printed chart, on the fog side of the
// saturation curve: an enthalpy scale (where each enthalpy line, carried past
// saturation, crosses a band outside the curve: ticks every 1 kJ/kg or Btu/lb,
// longer every 5, numbered at each enthalpy line, every 10 kJ/kg or 5 Btu/lb,
// which then need no labels of their own), a mark every degree C or F on the
// saturation curve (there dry-bulb, wet-bulb and dew point are one, so it is
// read as all three), and a sensible-heat-ratio protractor in the plot's top
// left corner.
#pragma once

#include <optional>
#include <vector>

#include "chart/curves.h"
#include "chart/frame.h"
#include "chart/label_placement.h"
#include "chart/labels.h"

namespace hygrian::chart {

// Lines through one centre, each the direction of a process with its sensible
// heat ratio: a change of dry-bulb dt and humidity ratio dW whose sensible part
// (1.006 + 1.86 W) dt is that ratio of the enthalpy change, the latent part
// being (2501 + 1.86 t) dW (ASHRAE 2017 ch. 1 eq. 30), at 24 degrees C and 50 %.
struct Protractor {
  Point center;
  double radius = 0.0;
  std::vector<double> ratios;  // 0.3 to 1 by 0.1, one a line
  std::vector<Segment> lines;  // a diameter each, in the order of ratios
  std::vector<Label> numbers;  // at the upper end of each line
  Label title;                 // "sensible heat ratio", under the circle
};

struct Furniture {
  std::vector<Segment> enthalpyTicks;
  std::vector<Label> enthalpyNumbers;
  std::vector<Segment> saturationMarks;
  std::optional<Protractor> protractor;
};

// The scale and marks where the saturation curve shows (none when `scales` is
// false), and the protractor when asked for, `indent` px right of the corner
// (beside a density's scale). Their numbers take room from `placer`.
Furniture LayOutFurniture(const Frame& frame, bool scales, bool protractor, double indent,
                          Placer& placer);

// The direction (dt, dW) per K of dry-bulb of a process with sensible heat
// ratio `ratio` at t (degrees C) and W (kg/kg).
double HumidityRatioSlope(double ratio, double t, double W);

}  // namespace hygrian::chart

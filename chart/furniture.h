// The engineer's furniture of a printed chart, on the fog side of the
// saturation curve: an enthalpy scale (where each enthalpy line, carried past
// saturation, crosses a band outside the curve: ticks every 1 kJ/kg or Btu/lb,
// longer every 5, numbered at each enthalpy line, every 10 kJ/kg or 5 Btu/lb,
// which then need no labels of their own), a mark every degree C or F on the
// saturation curve (there dry-bulb, wet-bulb and dew point are one, so it is
// read as all three), and the protractor (chart/protractor.h) in the plot's
// top left corner.
#pragma once

#include <optional>
#include <vector>

#include "chart/curves.h"
#include "chart/frame.h"
#include "chart/label_placement.h"
#include "chart/labels.h"
#include "chart/protractor.h"

namespace hygrian::chart {

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

}  // namespace hygrian::chart

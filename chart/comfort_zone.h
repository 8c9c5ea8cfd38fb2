// The comfort zone computed, not typed: the states of the chart where Fanger's
// predicted mean vote (hygrian/comfort.h) lies within +-0.5 for people of a
// metabolic rate and clothing in air of a speed, the walls at the air's
// temperature (the dry-bulb axis is then the operative temperature), as ASHRAE
// 55's graphic comfort zone draws it; capped, when asked, at ASHRAE 55's
// humidity ratio of 0.012, and within the model's ranges (10 to 30 degrees C,
// a vapour pressure up to 2.7 kPa) and saturation.
#pragma once

#include <string>

#include "chart/frame.h"
#include "chart/zones.h"

namespace hygrian::chart {

struct ComfortConditions {
  double metabolicRate = 1.1;  // met
  double clothing = 0.5;       // clo
  double airSpeed = 0.1;       // m/s
};

// --comfort's MET,CLO,SPEED (the speed in m/s, or fpm in IP: 20 fpm is
// 0.1016 m/s) into conditions; empty for the defaults. "" or what is wrong:
// "--comfort: expected MET,CLO,SPEED within 0.8 to 4 met, 0 to 2 clo and 0 to
// 1 m/s, not '5,0.5,0.1'".
std::string ReadComfortConditions(const std::string& text, bool inchPound,
                                  ComfortConditions& conditions);

// ASHRAE 55's upper limit of humidity for its comfort zone, kg/kg.
inline constexpr double kComfortHumidityLimit = 0.012;

// The zone's outline: its cold edge (a PMV of -0.5) up from dry air, along
// saturation or the limit, its warm edge (+0.5) down; each vertex of an edge
// solved to 1e-12 K. Empty where no state of the chart's pressure is
// comfortable. The name says the conditions: "PMV +-0.5: 1.1 met, 0.5 clo,
// 0.1 m/s" (in IP the speed in fpm).
StatePolygon ComfortZoneOf(const Frame& frame, const ComfortConditions& conditions, bool limit);

}  // namespace hygrian::chart

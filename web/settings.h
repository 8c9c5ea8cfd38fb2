// The page's settings, written as hygrian-chart's options without their dashes,
// one a line ("units=ip", "altitude=1500", "dry-bulb=-20:25"), read into the
// options of a chart run: the page draws what `hygrian-chart --units=ip
// --altitude=1500 --dry-bulb=-20:25` draws.
#pragma once

#include <string>
#include <string_view>

#include "chart/run.h"

namespace hygrian::web {

// The names read: units, model, over, pressure (kPa, psia in ip), altitude (m,
// ft in ip), pressure-unit, altitude-unit, load-unit and flow-basis (as the
// programs' options), dry-bulb, humidity-ratio, humidity-ratio-unit, width,
// height, labels, diagram (psychrometric or mollier), comfort (MET,CLO,SPEED
// or empty: the comfort zone for those conditions, or the defaults') and
// overlay (heat-index, humidex or none). Fills options and returns "", or what
// is wrong ("pressure: 500 kPa is outside 20 to 200 kPa"); an unknown name is wrong.
std::string ReadSettings(std::string_view lines, chart::Options& options);

}  // namespace hygrian::web

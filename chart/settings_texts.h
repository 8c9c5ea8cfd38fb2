// The chart's own options as a user writes them (--dry-bulb=-10:50,
// --humidity-ratio=30, --width=1200, ...) read into its settings: what
// hygrian-chart's command line and the browser page share.
#pragma once

#include <string>

#include "chart/frame.h"

namespace hygrian::chart {

// Each empty text leaves its setting as it is.
struct SettingsTexts {
  std::string dryBulb;            // "MIN:MAX" in degrees C or F
  std::string humidityRatio;      // the axis top in its unit
  std::string humidityRatioUnit;  // g/kg, kg/kg, lb/lb or grains/lb
  std::string width;              // px
  std::string height;             // px
  std::string labels;             // none, fit or all
  std::string diagram;            // psychrometric or mollier
};

// The top of the humidity-ratio axis (in its unit) for --dry-bulb without
// --humidity-ratio: the saturation curve's at the range's top (it rises with t)
// at the chart's pressure, rounded up to a tick; 1000 where the saturation
// pressure reaches the chart's pressure. -40:10 at 101.325 kPa gives 8.
double FittedHumidityRatio(const ChartSettings& settings);

// The top of the humidity-ratio axis (in its unit) that holds `highest` (kg/kg,
// the most humid state drawn) with a margin of 15 percent, rounded up to a
// tick, and no higher than FittedHumidityRatio: 18 g/kg on the default chart
// gives 22.
double DataHumidityRatio(const ChartSettings& settings, double highest);

// Puts the chart in inch-pound units (with their default ranges) when asked,
// then checks the texts and fills settings in the chart's units; a dry-bulb
// range without an axis top fits the axis (FittedHumidityRatio). Returns what
// is wrong ("--width: expected a whole number of px from 640 to 16384, not
// '10'"), or "".
std::string ApplySettingsTexts(const SettingsTexts& texts, bool inchPound, ChartSettings& settings);

}  // namespace hygrian::chart

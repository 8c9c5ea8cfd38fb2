// Heat-stress bands under the lines (--overlay heat-index or humidex): the
// chart's states whose NWS heat index or humidex lies in each of the
// measure's published categories, each band bounded by the measure's contours
// at its limits and drawn only where the measure is defined. The contours are
// found through the public API (hygrian/measures.h): at each dry-bulb, the
// humidity ratio where the measure reaches the limit, by bisection between dry
// air and saturation.
#pragma once

#include <array>
#include <limits>
#include <optional>
#include <string_view>
#include <vector>

#include "chart/frame.h"
#include "chart/zones.h"
#include "hygrian/measures.h"

namespace hygrian::chart {

// One category: the measure from `from` up to `to` (its own unit: degF for
// the heat index, the humidex's numbers), its words, and its fill on screen
// and in print.
struct OverlayCategory {
  double from;
  double to;  // infinity: as far as the measure is defined
  std::string_view words;
  std::string_view screen;
  std::string_view print;
};

struct OverlayKind {
  std::string_view key;      // --overlay's word: "heat-index"
  std::string_view measure;  // the key of the measure's row: "heat_index"
  bool fahrenheit;           // the categories' limits are in degF, else degrees C
  double coldest;            // degrees C: the dry-bulbs where the measure is defined
  double warmest;
  std::array<OverlayCategory, 4> categories;  // unused ones have no words
  std::string_view source;
};

inline constexpr double kNoLimit = std::numeric_limits<double>::infinity();

// The NWS's heat index categories (NWS heat index page: caution 80-90 degF,
// extreme caution 90-103, danger 103-124, extreme danger 125 and above); the
// heat index is defined above 40 and up to 112 degF of dry-bulb.
// Environment Canada's humidex ranges (20-29 little or no discomfort, 30-39
// some discomfort, 40-45 great discomfort, above 45 dangerous), from 20
// degrees C of dry-bulb.
inline constexpr std::array<OverlayKind, 2> kOverlays = {{
    {"heat-index",
     "heat_index",
     true,
     (40.0 - 32.0) / 1.8,
     (112.0 - 32.0) / 1.8,
     {{{80.0, 90.0, "caution", "#fff3b0", "#eeeeee"},
       {90.0, 103.0, "extreme caution", "#ffd27f", "#cccccc"},
       {103.0, 125.0, "danger", "#ff9f6b", "#aaaaaa"},
       {125.0, kNoLimit, "extreme danger", "#f46d6d", "#888888"}}},
     "NWS heat index categories"},
    {"humidex",
     "humidex",
     false,
     20.0,
     kNoLimit,
     {{{30.0, 40.0, "some discomfort", "#fff3b0", "#eeeeee"},
       {40.0, 45.0, "great discomfort", "#ffc27f", "#bbbbbb"},
       {45.0, kNoLimit, "dangerous", "#f46d6d", "#888888"},
       {}}},
     "Environment Canada humidex ranges"},
}};

// The row of --overlay's word; nullptr for a word no row has.
const OverlayKind* FindOverlay(std::string_view key);

// The humidity ratio (kg/kg) at dry-bulb t (degrees C) where the measure
// reaches value (degrees C), or leaves its range, in states of the handbook
// model (the measures' own): 0 where dry air already does, saturation's
// (the lower of the chart's and the model's) where saturated air does not,
// else bisected to 1e-12 kg/kg. None where t has no saturation on the chart.
std::optional<double> ContourAt(const Frame& frame, const Measure& measure, double t, double value);

// The bands of the chart, one polygon of states a category the chart reaches:
// its lower edge up the dry-bulbs, then its upper edge back, as many corners
// each (the dry-bulbs where the band closes among them); named "heat index 80 to 90 degF: caution"
// (the limits in the chart's temperature unit; the humidex's in its numbers).
std::vector<StatePolygon> OverlayBands(const Frame& frame, const OverlayKind& kind);

// The bands as zones on the frame, each with its colour in the chart's style
// and data-overlay, data-from and data-to (the limits in degrees C, "inf" for
// none) for the SVG.
std::vector<Zone> OverlayZones(const Frame& frame, const OverlayKind& kind);

}  // namespace hygrian::chart

#include "chart/settings_texts.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <optional>
#include <string_view>
#include <utility>

#include "chart/frame.h"
#include "chart/moist_air.h"
#include "chart/number_text.h"
#include "chart/ticks.h"
#include "tables/chars.h"

namespace hygrian::chart {
namespace {

// Limits that keep every chart drawable and its number of lines sensible.
constexpr double kDryBulbLowest = -100.0;      // degrees C
constexpr double kDryBulbHighest = 200.0;      // degrees C
constexpr double kHumidityRatioHighest = 1.0;  // kg/kg
constexpr int kWidthLeast = 640;
constexpr int kHeightLeast = 400;
constexpr int kSizeMost = 16384;

// A whole decimal number, finite; none for anything else ("", "1e", "nan").
std::optional<double> Number(std::string_view text) {
  double value = 0.0;
  const char* end = text.data() + text.size();
  const auto [stop, error] = tables::FromChars(text.data(), end, value);
  if (text.empty() || error != std::errc() || stop != end || !std::isfinite(value)) {
    return std::nullopt;
  }
  return value;
}

std::optional<int> Whole(std::string_view text) {
  int value = 0;
  const char* end = text.data() + text.size();
  const auto [stop, error] = std::from_chars(text.data(), end, value);
  if (text.empty() || error != std::errc() || stop != end) return std::nullopt;
  return value;
}

// The humidity-ratio axis in unit: the system's default top, converted to it
// and rounded up to a tick (0.028 lb/lb is 200 grains/lb).
void SetHumidityRatioUnit(ChartSettings& settings, const Unit& unit) {
  const double top = ToLibrary(*settings.units.humidityRatio, settings.humidityRatioMax);
  settings.units.humidityRatio = &unit;
  const Frame frame(settings);
  const double pixels = frame.Plot().bottom - frame.Plot().top;
  settings.humidityRatioMax = RoundedTop(FromLibrary(unit, top), pixels, kTickSpacing);
}

// The chart in the units of --units and --humidity-ratio-unit, with their
// default ranges; returns what is wrong, or "".
std::string ApplyUnits(const SettingsTexts& texts, bool inchPound, ChartSettings& settings) {
  if (inchPound) {
    settings.units = kIpUnits;
    settings.dryBulbMin = kIpUnits.dryBulbMin;
    settings.dryBulbMax = kIpUnits.dryBulbMax;
    settings.humidityRatioMax = kIpUnits.humidityRatioMax;
  }
  if (texts.humidityRatioUnit.empty()) return "";
  const Unit* unit = FindUnit(Quantity::MassRatio, texts.humidityRatioUnit);
  if (unit == nullptr) {
    return "--humidity-ratio-unit: '" + texts.humidityRatioUnit +
           "' is not g/kg, kg/kg, lb/lb or grains/lb";
  }
  if (unit != settings.units.humidityRatio) SetHumidityRatioUnit(settings, *unit);
  return "";
}

// Checks the texts and fills settings, in its units; returns what is wrong, or "".
std::string Apply(const SettingsTexts& texts, ChartSettings& settings) {
  if (!texts.diagram.empty()) {
    if (texts.diagram != "psychrometric" && texts.diagram != "mollier") {
      return "--diagram: '" + texts.diagram + "' is not psychrometric or mollier";
    }
    settings.diagram = texts.diagram == "mollier" ? Diagram::Mollier : Diagram::Psychrometric;
  }
  const ChartUnits& units = settings.units;
  if (!texts.dryBulb.empty()) {
    const std::string_view range = texts.dryBulb;
    const std::size_t colon = range.find(':', 1);  // a range may start with a minus
    const std::optional<double> low =
        colon == std::string_view::npos ? std::nullopt : Number(range.substr(0, colon));
    const std::optional<double> high =
        colon == std::string_view::npos ? std::nullopt : Number(range.substr(colon + 1));
    const Unit& unit = *units.temperature;
    if (!low || !high || !(*low < *high) || ToLibrary(unit, *low) < kDryBulbLowest ||
        ToLibrary(unit, *high) > kDryBulbHighest) {
      return "--dry-bulb: expected MIN:MAX in " + std::string(units.degreeWords) +
             " with MIN < MAX, both from " + Shortest(FromLibrary(unit, kDryBulbLowest)) + " to " +
             Shortest(FromLibrary(unit, kDryBulbHighest)) + ", not '" + texts.dryBulb + "'";
    }
    settings.dryBulbMin = *low;
    settings.dryBulbMax = *high;
  }
  if (!texts.humidityRatio.empty()) {
    const std::optional<double> top = Number(texts.humidityRatio);
    const Unit& unit = *units.humidityRatio;
    const double highest = FromLibrary(unit, kHumidityRatioHighest);
    if (!top || !(*top > 0.0) || *top > highest) {
      return "--humidity-ratio: expected a number of " + std::string(unit.key) +
             " above 0 and at most " + Shortest(highest) + ", not '" + texts.humidityRatio + "'";
    }
    settings.humidityRatioMax = *top;
  }
  if (!texts.labels.empty()) {
    constexpr std::array<std::pair<std::string_view, PointLabels>, 3> kWords{
        {{"none", PointLabels::None}, {"fit", PointLabels::Fit}, {"all", PointLabels::All}}};
    const auto* word = std::find_if(kWords.begin(), kWords.end(),
                                    [&](const auto& w) { return w.first == texts.labels; });
    if (word == kWords.end()) {
      return "--labels: expected none, fit or all, not '" + texts.labels + "'";
    }
    settings.labels = word->second;
  }
  if (!texts.width.empty()) {
    const std::optional<int> width = Whole(texts.width);
    if (!width || *width < kWidthLeast || *width > kSizeMost) {
      return "--width: expected a whole number of px from 640 to 16384, not '" + texts.width + "'";
    }
    settings.width = *width;
  }
  if (!texts.height.empty()) {
    const std::optional<int> height = Whole(texts.height);
    if (!height || *height < kHeightLeast || *height > kSizeMost) {
      return "--height: expected a whole number of px from 400 to 16384, not '" + texts.height +
             "'";
    }
    settings.height = *height;
  }
  return "";
}

}  // namespace

double FittedHumidityRatio(const ChartSettings& settings) {
  const Frame frame(settings);
  const Unit& unit = *settings.units.humidityRatio;
  const double highest = FromLibrary(unit, kHumidityRatioHighest);
  const std::optional<double> top =
      SaturationHumidityRatio(frame.DryBulbMax(), settings.pressure, settings.options);
  const double needed = top ? FromLibrary(unit, *top) : highest;
  const double pixels = settings.diagram == Diagram::Mollier
                            ? frame.Plot().right - frame.Plot().left
                            : frame.Plot().bottom - frame.Plot().top;
  return std::min(RoundedTop(std::min(needed, highest), pixels, kTickSpacing), highest);
}

double DataHumidityRatio(const ChartSettings& settings, double highest) {
  constexpr double kMargin = 1.15;
  const Frame frame(settings);
  const Unit& unit = *settings.units.humidityRatio;
  const bool mollier = settings.diagram == Diagram::Mollier;
  const double pixels =
      mollier ? frame.Plot().right - frame.Plot().left : frame.Plot().bottom - frame.Plot().top;
  const double top = RoundedTop(FromLibrary(unit, highest) * kMargin, pixels, kTickSpacing);
  return std::min(top, FittedHumidityRatio(settings));
}

std::string ApplySettingsTexts(const SettingsTexts& texts, bool inchPound,
                               ChartSettings& settings) {
  std::string problem = ApplyUnits(texts, inchPound, settings);
  if (problem.empty()) problem = Apply(texts, settings);
  if (problem.empty() && !texts.dryBulb.empty() && texts.humidityRatio.empty()) {
    settings.humidityRatioMax = FittedHumidityRatio(settings);
  }
  return problem;
}

}  // namespace hygrian::chart

#include "chart/heading.h"

#include <array>
#include <string>
#include <string_view>
#include <utility>

#include "chart/number_text.h"

namespace hygrian::chart {
namespace {

// The families in the legend, left to right.
constexpr std::array<Family, 4> kLegendFamilies{Family::RelativeHumidity, Family::WetBulb,
                                                Family::Enthalpy, Family::SpecificVolume};

std::string LegendName(Family family, const ChartUnits& units) {
  switch (family) {
    case Family::Saturation:
      break;
    case Family::RelativeHumidity:
      return "relative humidity, %";
    case Family::WetBulb:
      return "wet-bulb temperature, " + std::string(units.degrees);
    case Family::Enthalpy:
      return "enthalpy, " + std::string(units.enthalpyText) + " dry air";
    case Family::SpecificVolume:
      return "specific volume, " + std::string(units.volumeText) + " dry air";
  }
  return "";
}

}  // namespace

Heading LayOutHeading(const Frame& frame) {
  Heading heading;
  const Rect& plot = frame.Plot();
  const ChartSettings& settings = frame.Settings();
  const ChartUnits& units = settings.units;
  // In IP the pressure in psia and the altitude in feet, as they were given.
  const double pressure = ToChart(units, "kPa", frame.Pressure());
  const double altitude = units.inchPound ? settings.altitude / kFoot : settings.altitude;
  const std::string title =
      std::string(frame.Mollier() ? "Mollier h-x diagram" : "Psychrometric chart") + " at " +
      Rounded(pressure, 3) + " " + std::string(units.pressureText) +
      (settings.hasAltitude
           ? " (" + Rounded(altitude, 0) + " " + std::string(units.altitudeText) + ")"
           : "");
  // The title's baseline is 26 px from the top.
  heading.title =
      TextFrom(title, kTitleFontSize, plot.left, 26.0 - kBaselineShift * kTitleFontSize);
  heading.title.box.width = TextWidth(title, kTitleFontSize) * kBoldWidth + 2.0 * kTextPad;
  heading.title.box.center.x = plot.left + heading.title.box.width / 2.0 - kTextPad;
  const double right = static_cast<double>(frame.Settings().width) - 8.0;
  double x = plot.left;
  int row = 0;
  std::vector<std::pair<double, int>> at;
  std::vector<Family> families;  // the Mollier diagram has no wet-bulb lines
  for (const Family family : kLegendFamilies) {
    if (family != Family::WetBulb || !frame.Mollier()) families.push_back(family);
  }
  for (const Family family : families) {
    const double width = 32.0 + TextWidth(LegendName(family, units), kLegendFontSize);
    if (x > plot.left && x + width > right) {
      x = plot.left;
      row = 1;
    }
    at.emplace_back(x, row);
    x += width + 24.0;
  }
  for (std::size_t i = 0; i < families.size(); ++i) {
    const auto [left, itemRow] = at[i];
    // One row stands at baseline 52; two at 45 and 61.
    const double baseline = row == 0 ? 52.0 : 45.0 + 16.0 * itemRow;
    const Family family = families[i];
    heading.legend.push_back({family,
                              {{left, baseline - 4.0}, {left + 26.0, baseline - 4.0}},
                              TextFrom(LegendName(family, units), kLegendFontSize, left + 32.0,
                                       baseline - kBaselineShift * kLegendFontSize)});
  }
  return heading;
}

}  // namespace hygrian::chart

// The units a chart is drawn and read in: the library's (degrees C, g/kg, kJ/kg,
// m3/kg, kPa, m) or inch-pound (degrees F, lb/lb, Btu/lb, ft3/lb, psia, ft), with
// the usual steps of each system's lines. The chart computes in the library's
// units; values are converted where they are read and written, through the
// rows of hygrian/units.h (IP enthalpy with its own datum: 7.68 Btu/lb at 32 F).
#pragma once

#include <cmath>
#include <cstddef>
#include <string_view>

#include "hygrian/units.h"

namespace hygrian::chart {

struct ChartUnits {
  bool inchPound = false;
  const Unit* temperature = nullptr;    // dry-bulb axis and wet-bulb lines
  const Unit* humidityRatio = nullptr;  // the axis; its key is its text ("g/kg")
  const Unit* enthalpy = nullptr;
  const Unit* specificVolume = nullptr;
  std::string_view degrees;       // on the chart: "\u00B0C"
  std::string_view degreeWords;   // in messages: "degrees C"
  std::string_view pressureText;  // "kPa", "psia"
  std::string_view altitudeText;  // "m", "ft"
  std::string_view enthalpyText;  // "kJ/kg"
  std::string_view volumeText;    // "m\u00B3/kg"
  double dryBulbMin = 0.0;        // the default range, in temperature
  double dryBulbMax = 0.0;
  double humidityRatioMax = 0.0;   // the default top, in humidityRatio
  double enthalpyStep = 0.0;       // the usual steps of the lines
  double enthalpyLabelStep = 0.0;  // lines whose value is a multiple of it are labelled
                                   // (0: every line)
  double volumeStep = 0.0;
};

// The row of Units with this key (FindUnit's pointer is no constant expression
// for GCC 12 here).
constexpr const Unit* UnitRow(Quantity quantity, std::string_view key) {
  std::size_t row = 0;
  while (Units[row].quantity != quantity || Units[row].key != key) ++row;
  return &Units[row];
}

inline constexpr ChartUnits kSiUnits{
    .inchPound = false,
    .temperature = UnitRow(Quantity::Temperature, "degC"),
    .humidityRatio = UnitRow(Quantity::MassRatio, "g/kg"),
    .enthalpy = UnitRow(Quantity::Enthalpy, "kJ/kg"),
    .specificVolume = UnitRow(Quantity::SpecificVolume, "m3/kg"),
    .degrees =
        "\xC2\xB0"
        "C",
    .degreeWords = "degrees C",
    .pressureText = "kPa",
    .altitudeText = "m",
    .enthalpyText = "kJ/kg",
    .volumeText = "m\xC2\xB3/kg",
    .dryBulbMin = -10.0,
    .dryBulbMax = 50.0,
    .humidityRatioMax = 30.0,
    .enthalpyStep = 10.0,
    .enthalpyLabelStep = 0.0,
    .volumeStep = 0.01,
};

// The chart a US engineer prints: 32 to 120 F, humidity ratio to 0.028 lb/lb as
// the handbook's IP chart has it (the unit hygrian-batch writes in IP; grains/lb
// with --humidity-ratio-unit), enthalpy every 5 Btu/lb (read to 1 Btu/lb off
// the scale beyond saturation), volume every 0.5 ft3/lb.
inline constexpr ChartUnits kIpUnits{
    .inchPound = true,
    .temperature = UnitRow(Quantity::Temperature, "degF"),
    .humidityRatio = UnitRow(Quantity::MassRatio, "lb/lb"),
    .enthalpy = UnitRow(Quantity::Enthalpy, "Btu/lb"),
    .specificVolume = UnitRow(Quantity::SpecificVolume, "ft3/lb"),
    .degrees =
        "\xC2\xB0"
        "F",
    .degreeWords = "degrees F",
    .pressureText = "psia",
    .altitudeText = "ft",
    .enthalpyText = "Btu/lb",
    .volumeText = "ft\xC2\xB3/lb",
    .dryBulbMin = 32.0,
    .dryBulbMax = 120.0,
    .humidityRatioMax = 0.028,
    .enthalpyStep = 5.0,
    .enthalpyLabelStep = 0.0,
    .volumeStep = 0.5,
};

// The decimals that show a humidity ratio in unit to about 0.01 g/kg: 2 in g/kg,
// 5 in lb/lb or kg/kg, 1 in grains/lb.
[[nodiscard]] inline int HumidityRatioDecimals(const Unit& unit) {
  return 2 + static_cast<int>(std::lround(std::log10(unit.numerator / unit.denominator * 1000.0)));
}

// The unit in which a chart of `units` reads and writes a quantity whose
// library unit is libraryUnit (a Property's unit: "degC" gives degF in IP);
// nullptr for the library's own unit, where nothing is converted.
[[nodiscard]] constexpr const Unit* ConvertedUnit(const ChartUnits& units,
                                                  std::string_view libraryUnit) noexcept {
  if (!units.inchPound) return nullptr;
  const QuantityUnits* quantity = QuantityOfLibraryUnit(libraryUnit);
  if (quantity == nullptr || quantity->ip == quantity->library) return nullptr;
  return FindUnit(quantity->quantity, quantity->ip);
}

// value, in the library unit libraryUnit, in the chart's units; and back.
[[nodiscard]] constexpr double ToChart(const ChartUnits& units, std::string_view libraryUnit,
                                       double value) noexcept {
  const Unit* unit = ConvertedUnit(units, libraryUnit);
  return unit == nullptr ? value : FromLibrary(*unit, value);
}
[[nodiscard]] constexpr double FromChart(const ChartUnits& units, std::string_view libraryUnit,
                                         double value) noexcept {
  const Unit* unit = ConvertedUnit(units, libraryUnit);
  return unit == nullptr ? value : ToLibrary(*unit, value);
}

}  // namespace hygrian::chart

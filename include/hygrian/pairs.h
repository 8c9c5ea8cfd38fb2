// The input pairs as data: for each, its key, the two properties it is given by
// (with their units) and the function that computes the state from them. The
// programs' column names and options, the Python ufuncs and keywords and the
// manual pages' lists are made from this table. C++ only.
//
//   for (const hygrian::Pair& p : hygrian::Pairs) {
//     std::printf("%s: %s (%s)\n", p.key.data(), p.given[1].key.data(), p.given[1].unit.data());
//   }  // dry_bulb_wet_bulb: wet_bulb (degC), ..., dry_bulb_vapor_pressure: ...
#pragma once

#include <array>
#include <string_view>

#include "hygrian/properties.h"
#include "hygrian/psychrometrics.h"

namespace hygrian {

// The row of Properties whose member is member.
[[nodiscard]] constexpr Property PropertyOf(double State::*member) noexcept {
  for (const Property& p : Properties) {
    if (p.member == member) return p;
  }
  return {};
}

// The specific humidity's row (a State field since 2.4.0).
inline constexpr Property SpecificHumidity = PropertyOf(&State::specificHumidity);

struct Pair {
  std::string_view key;           // "dry_bulb_wet_bulb": the given keys joined by '_'
  std::array<Property, 2> given;  // the two given quantities, in the order compute takes them
  // The state from the two given values, in their units, at a total pressure in
  // kPa, by the model and phase convention of the options.
  Result (*compute)(double first, double second, double pressure, Options options) noexcept;
};

// Every pair: first the dry-bulb ones the programs and the Python package read
// (Pairs below), then the handbook model's pairs solved by a search.
inline constexpr std::array<Pair, 12> AllPairs = {{
    {"dry_bulb_wet_bulb",
     {PropertyOf(&State::dryBulb), PropertyOf(&State::wetBulb)},
     FromDryBulbWetBulb},
    {"dry_bulb_dew_point",
     {PropertyOf(&State::dryBulb), PropertyOf(&State::dewPoint)},
     FromDryBulbDewPoint},
    {"dry_bulb_relative_humidity",
     {PropertyOf(&State::dryBulb), PropertyOf(&State::relativeHumidity)},
     FromDryBulbRelativeHumidity},
    {"dry_bulb_humidity_ratio",
     {PropertyOf(&State::dryBulb), PropertyOf(&State::humidityRatio)},
     FromDryBulbHumidityRatio},
    {"dry_bulb_specific_humidity",
     {PropertyOf(&State::dryBulb), SpecificHumidity},
     FromDryBulbSpecificHumidity},
    {"dry_bulb_vapor_pressure",
     {PropertyOf(&State::dryBulb), PropertyOf(&State::vaporPressure)},
     FromDryBulbVaporPressure},
    {"dry_bulb_enthalpy",
     {PropertyOf(&State::dryBulb), PropertyOf(&State::enthalpy)},
     FromDryBulbEnthalpy},
    {"humidity_ratio_enthalpy",
     {PropertyOf(&State::humidityRatio), PropertyOf(&State::enthalpy)},
     FromHumidityRatioEnthalpy},
    {"enthalpy_relative_humidity",
     {PropertyOf(&State::enthalpy), PropertyOf(&State::relativeHumidity)},
     FromEnthalpyRelativeHumidity},
    {"wet_bulb_relative_humidity",
     {PropertyOf(&State::wetBulb), PropertyOf(&State::relativeHumidity)},
     FromWetBulbRelativeHumidity},
    {"dew_point_relative_humidity",
     {PropertyOf(&State::dewPoint), PropertyOf(&State::relativeHumidity)},
     FromDewPointRelativeHumidity},
    {"humidity_ratio_relative_humidity",
     {PropertyOf(&State::humidityRatio), PropertyOf(&State::relativeHumidity)},
     FromHumidityRatioRelativeHumidity},
}};

// The pairs with the dry-bulb that hygrian-batch, hygrian-chart and the Python
// package read: AllPairs' first six rows (each a distinct second key).
inline constexpr std::size_t DryBulbPairCount = 6;
inline constexpr std::array<Pair, DryBulbPairCount> Pairs = [] {
  std::array<Pair, DryBulbPairCount> rows{};
  for (std::size_t i = 0; i < DryBulbPairCount; ++i) rows[i] = AllPairs[i];
  return rows;
}();

}  // namespace hygrian

// The input pairs as data: for each, its key, the two properties it is given by
// (with their units) and the function that computes the state from them. The
// programs' column names and options, the Python ufuncs and keywords and the
// manual pages' lists are made from this table. C++ only.
//
//   for (const hygrian::Pair& p : hygrian::Pairs) {
//     std::printf("%s: %s (%s)\n", p.key.data(), p.given[1].key.data(), p.given[1].unit.data());
//   }  // dry_bulb_wet_bulb: wet_bulb (degC), ..., dry_bulb_specific_humidity: ...
#pragma once

#include <array>
#include <string_view>

#include "hygrian/properties.h"
#include "hygrian/psychrometrics.h"

namespace hygrian {

// A quantity a pair may be given by that no State field holds.
inline constexpr Property SpecificHumidity = {"specific_humidity", nullptr, "kg/kg",
                                              "specific humidity"};  // per kg of moist air

// The row of Properties whose member is member.
[[nodiscard]] constexpr Property PropertyOf(double State::*member) noexcept {
  for (const Property& p : Properties) {
    if (p.member == member) return p;
  }
  return {};
}

struct Pair {
  std::string_view key;           // "dry_bulb_wet_bulb": the given keys joined by '_'
  std::array<Property, 2> given;  // the two given quantities, in the order compute takes them
  // The state from the two given values, in their units, at a total pressure in
  // kPa, by the model and phase convention of the options.
  Result (*compute)(double first, double second, double pressure, Options options) noexcept;
};

inline constexpr std::array<Pair, 5> Pairs = {{
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
}};

}  // namespace hygrian

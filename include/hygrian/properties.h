// The properties of a State as data, in the order of State: each one's key,
// its member, its unit, its name in words and whether the programs write it
// unless asked for others. The key is the column and JSON key that
// hygrian-batch writes and the name the Python package gives; the unit is the
// one the library computes in. The first nine rows are the fields of the C
// struct hygrian_state and what every surface writes by default; the rows after
// them (specific humidity) a program writes when asked (hygrian-batch
// --columns, Python's outputs=). A program that writes states walks the table
// instead of naming each field:
//
//   for (const hygrian::Property& p : hygrian::Properties) {
//     std::printf("%s=%g %s\n", p.key.data(), state.*p.member, p.unit.data());
//   }  // dry_bulb=25 degC, wet_bulb=20 degC, ..., specific_humidity=0.0124 kg/kg
//
// Every text is a NUL-terminated literal. C++ only.
#pragma once

#include <array>
#include <cstddef>
#include <span>
#include <string_view>

#include "hygrian/psychrometrics.h"

namespace hygrian {

struct Property {
  std::string_view key;          // "dry_bulb": lower case, words joined by '_'
  double State::*member;         // &State::dryBulb
  std::string_view unit;         // "degC", "%", "kJ/kg", "kg/kg", "1" (a ratio), "m3/kg", "kPa"
  std::string_view description;  // "dry-bulb temperature"
  // Written by every program unless asked for others: the first nine rows.
  bool byDefault = true;
};

inline constexpr std::array<Property, 10> Properties = {{
    {"dry_bulb", &State::dryBulb, "degC", "dry-bulb temperature"},
    {"wet_bulb", &State::wetBulb, "degC", "wet-bulb temperature"},
    {"dew_point", &State::dewPoint, "degC", "dew point"},
    {"relative_humidity", &State::relativeHumidity, "%", "relative humidity"},
    {"enthalpy", &State::enthalpy, "kJ/kg", "enthalpy"},  // per kg of dry air
    {"humidity_ratio", &State::humidityRatio, "kg/kg", "humidity ratio"},
    {"degree_of_saturation", &State::degreeOfSaturation, "1", "degree of saturation"},
    {"specific_volume", &State::specificVolume, "m3/kg", "specific volume"},  // per kg of dry air
    {"vapor_pressure", &State::vaporPressure, "kPa", "vapour pressure"},
    // per kg of moist air
    {"specific_humidity", &State::specificHumidity, "kg/kg", "specific humidity", false},
}};

// How many rows the programs write by default: the first rows, each byDefault.
inline constexpr std::size_t DefaultPropertyCount = [] {
  std::size_t count = 0;
  while (count < Properties.size() && Properties[count].byDefault) ++count;
  return count;
}();
static_assert(DefaultPropertyCount == 9, "the nine of hygrian_state come first");
// The rows the programs write by default.
inline constexpr std::span<const Property, DefaultPropertyCount> DefaultProperties{
    Properties.data(), DefaultPropertyCount};

}  // namespace hygrian

// The nine properties of a State as data, in the order of State (and of the C
// struct hygrian_state): each one's key, its member, its unit and its name in
// words. The key is the column and JSON key that hygrian-batch writes and the
// name the Python package gives; the unit is the one the library computes in.
// A program that writes states walks the table instead of naming each field:
//
//   for (const hygrian::Property& p : hygrian::Properties) {
//     std::printf("%s=%g %s\n", p.key.data(), state.*p.member, p.unit.data());
//   }  // dry_bulb=25 degC, wet_bulb=20 degC, ..., vapor_pressure=2.01172 kPa
//
// Every text is a NUL-terminated literal. C++ only.
#pragma once

#include <array>
#include <string_view>

#include "hygrian/psychrometrics.h"

namespace hygrian {

struct Property {
  std::string_view key;          // "dry_bulb": lower case, words joined by '_'
  double State::*member;         // &State::dryBulb
  std::string_view unit;         // "degC", "%", "kJ/kg", "kg/kg", "1" (a ratio), "m3/kg", "kPa"
  std::string_view description;  // "dry-bulb temperature"
};

inline constexpr std::array<Property, 9> Properties = {{
    {"dry_bulb", &State::dryBulb, "degC", "dry-bulb temperature"},
    {"wet_bulb", &State::wetBulb, "degC", "wet-bulb temperature"},
    {"dew_point", &State::dewPoint, "degC", "dew point"},
    {"relative_humidity", &State::relativeHumidity, "%", "relative humidity"},
    {"enthalpy", &State::enthalpy, "kJ/kg", "enthalpy"},  // per kg of dry air
    {"humidity_ratio", &State::humidityRatio, "kg/kg", "humidity ratio"},
    {"degree_of_saturation", &State::degreeOfSaturation, "1", "degree of saturation"},
    {"specific_volume", &State::specificVolume, "m3/kg", "specific volume"},  // per kg of dry air
    {"vapor_pressure", &State::vaporPressure, "kPa", "vapour pressure"},
}};

}  // namespace hygrian

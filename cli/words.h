// The library's tables in the words of help texts, so that every program lists
// the pairs, the pressure range and the statuses as the tables have them.
#pragma once

#include <string>

namespace hygrian::cli {

// "wet_bulb (degC), dew_point (degC), ... or specific_humidity (kg/kg)": the
// second values of the pairs with their units.
[[nodiscard]] std::string SecondValuesInWords();

// "20 to 200 kPa": the pressures the programs take.
[[nodiscard]] std::string PressureRangeInWords();

}  // namespace hygrian::cli

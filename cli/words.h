// The library's tables in the words of help texts, so that every program lists
// the pairs, the pressure range and the statuses as the tables have them.
#pragma once

#include <cstddef>
#include <string>

namespace hygrian::cli {

// "wet_bulb (degC), dew_point (degC), ... or specific_humidity (kg/kg)": the
// second values of the pairs with their units.
[[nodiscard]] std::string SecondValuesInWords();

// "specific_humidity (kg/kg)": the properties a program writes only when asked,
// with their units.
[[nodiscard]] std::string MorePropertiesInWords();

// "dry_bulb+enthalpy, humidity_ratio+enthalpy, ... or
// humidity_ratio+relative_humidity": the pairs beyond the dry-bulb ones.
[[nodiscard]] std::string MorePairsInWords();

// Why the calculator model reads no pair (by hygrian::AllPairs) solved by a
// search: "humidity_ratio_enthalpy: not with the calculator model, which reads
// dry_bulb with wet_bulb, dew_point, relative_humidity, humidity_ratio or
// specific_humidity (--model handbook)".
[[nodiscard]] std::string NotWithCalculator(std::size_t pair);

// "20 to 200 kPa": the pressures the programs take.
[[nodiscard]] std::string PressureRangeInWords();

}  // namespace hygrian::cli

// Total pressures as the user gives them, in kPa, hPa or Pa, and the range the
// programs take: 20 to 200 kPa. A value outside it is most often a slip of unit
// (1013 given as kPa), so the refusal names the unit in which it would fit.
#pragma once

#include <cstddef>
#include <optional>
#include <string_view>

#include "tables/numbers.h"

namespace hygrian::tables {

enum class PressureUnit {
  KPa,  // kilopascals, the library's unit
  HPa,  // hectopascals (millibars): 1013.25 at sea level
  Pa,   // pascals: 101325 at sea level
};

inline constexpr double kPressureLeast = 20.0;  // kPa
inline constexpr double kPressureMost = 200.0;  // kPa

// "kPa", "hPa" or "Pa".
[[nodiscard]] std::string_view PressureUnitName(PressureUnit unit) noexcept;
// The unit of a name as PressureUnitName writes it, case and all; none otherwise.
[[nodiscard]] std::optional<PressureUnit> ReadPressureUnit(std::string_view name) noexcept;

// value in unit as kPa, by division (1013.25 hPa is the double nearest 101.325).
[[nodiscard]] double ToKilopascals(double value, PressureUnit unit) noexcept;

// Whether a pressure in kPa lies in 20 to 200 kPa, both included.
[[nodiscard]] inline bool PressureInRange(double kilopascals) noexcept {
  return kilopascals >= kPressureLeast && kilopascals <= kPressureMost;
}

// Room for any text that WriteOutsideRange writes.
inline constexpr std::size_t kOutsideRangeTextSize = kNumberTextSize + 64;

// Writes why value (in unit, outside the range) is refused, and returns the end:
// the value in its shortest text, then the unit in which it would fit, if any.
//   1013 kPa   -> "1013 kPa is outside 20 to 200 kPa (in hPa? --pressure-unit hPa)"
//   101325 hPa -> "101325 hPa is outside 20 to 200 kPa (in Pa? --pressure-unit Pa)"
//   -5 kPa     -> "-5 kPa is outside 20 to 200 kPa"
char* WriteOutsideRange(char* out, double value, PressureUnit unit) noexcept;

}  // namespace hygrian::tables

// Total pressures as the user gives them, in kPa, hPa, Pa or any unit the caller
// describes, and the range a program takes (its caller's). A value outside it is most often a slip
// of unit (1013 given as kPa), so the refusal names the unit in which it would fit.
#pragma once

#include <cstddef>
#include <optional>
#include <string_view>

#include "tables/numbers.h"

namespace hygrian::tables {

// A unit of pressure: one of it is numerator / denominator kPa. The three that
// the refusal's hint offers are named: KPa (the library's unit), HPa (millibars,
// 1013.25 at sea level) and Pa (101325 at sea level); a caller may describe
// others ({"inHg", 3.386389, 1}).
struct PressureUnit {
  std::string_view name;  // "kPa"
  double numerator = 1.0;
  double denominator = 1.0;

  static const PressureUnit KPa;
  static const PressureUnit HPa;
  static const PressureUnit Pa;
  bool operator==(const PressureUnit&) const = default;
};
inline constexpr PressureUnit PressureUnit::KPa{"kPa", 1.0, 1.0};
inline constexpr PressureUnit PressureUnit::HPa{"hPa", 1.0, 10.0};
inline constexpr PressureUnit PressureUnit::Pa{"Pa", 1.0, 1000.0};

// The pressures a program takes, in kPa, both included; and the option that
// sets the unit, which the refusal names.
struct PressureRange {
  double least = 0.0;
  double most = 0.0;
  std::string_view unitOption;  // "--pressure-unit"; empty: no unit is suggested
};

// "kPa", "hPa" or "Pa": unit.name.
[[nodiscard]] std::string_view PressureUnitName(const PressureUnit& unit) noexcept;
// The unit of kPa, hPa or Pa by its name, case and all; none otherwise.
[[nodiscard]] std::optional<PressureUnit> ReadPressureUnit(std::string_view name) noexcept;

// value in unit as kPa, value * numerator / denominator (1013.25 hPa is the
// double nearest 101.325).
[[nodiscard]] double ToKilopascals(double value, const PressureUnit& unit) noexcept;

// Whether a pressure in kPa lies in the range, both ends included.
[[nodiscard]] inline bool PressureInRange(double kilopascals, const PressureRange& range) noexcept {
  return kilopascals >= range.least && kilopascals <= range.most;
}

// Room for any text that WriteOutsideRange writes.
inline constexpr std::size_t kOutsideRangeTextSize = 3 * kNumberTextSize + 64;

// Writes why value (in unit, outside the range) is refused, and returns the end:
// the value in its shortest text, then the unit among kPa, hPa and Pa in which
// it would fit, if any.
// With 20 to 200 kPa and "--pressure-unit" (a unitOption longer than 32 bytes is cut):
//   1013 kPa   -> "1013 kPa is outside 20 to 200 kPa (in hPa? --pressure-unit hPa)"
//   101325 hPa -> "101325 hPa is outside 20 to 200 kPa (in Pa? --pressure-unit Pa)"
//   -5 kPa     -> "-5 kPa is outside 20 to 200 kPa"
char* WriteOutsideRange(char* out, double value, const PressureUnit& unit,
                        const PressureRange& range) noexcept;

}  // namespace hygrian::tables

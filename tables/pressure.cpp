#include "tables/pressure.h"

#include <array>
#include <charconv>
#include <cmath>
#include <cstring>

#include "tables/chars.h"

namespace hygrian::tables {
namespace {

constexpr std::array<PressureUnit, 3> kUnits = {PressureUnit::KPa, PressureUnit::HPa,
                                                PressureUnit::Pa};

char* Put(char* out, std::string_view text) {
  // An empty view may hold a null pointer, which memcpy may not be given.
  if (!text.empty()) std::memcpy(out, text.data(), text.size());
  return out + text.size();
}

// The shortest text of value, without an exponent where a reader would not
// expect one (200000, not 2e+05): plain for 1e-6 to 1e16, which takes at most 25
// bytes, else as FormatNumber writes it.
char* WritePressure(char* out, double value) {
  const double size = std::fabs(value);
  if (value != 0.0 && (size < 1e-6 || size >= 1e16)) return FormatNumber(out, value);
  return ToChars(out, out + kNumberTextSize, value, std::chars_format::fixed).ptr;
}

}  // namespace

std::string_view PressureUnitName(const PressureUnit& unit) noexcept { return unit.name; }

std::optional<PressureUnit> ReadPressureUnit(std::string_view name) noexcept {
  for (const PressureUnit& unit : kUnits) {
    if (name == PressureUnitName(unit)) return unit;
  }
  return std::nullopt;
}

double ToKilopascals(double value, const PressureUnit& unit) noexcept {
  return value * unit.numerator / unit.denominator;
}

char* WriteOutsideRange(char* out, double value, const PressureUnit& unit,
                        const PressureRange& range) noexcept {
  out = WritePressure(out, value);
  out = Put(out, " ");
  out = Put(out, PressureUnitName(unit));
  out = Put(out, " is outside ");
  out = WritePressure(out, range.least);
  out = Put(out, " to ");
  out = WritePressure(out, range.most);
  out = Put(out, " kPa");
  for (const PressureUnit& other : kUnits) {
    if (range.unitOption.empty() || !PressureInRange(ToKilopascals(value, other), range)) continue;
    out = Put(out, " (in ");
    out = Put(out, PressureUnitName(other));
    out = Put(out, "? ");
    out = Put(out, range.unitOption.substr(0, 32));
    out = Put(out, " ");
    out = Put(out, PressureUnitName(other));
    out = Put(out, ")");
    break;
  }
  return out;
}

}  // namespace hygrian::tables

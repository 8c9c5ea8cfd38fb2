// Number texts of a table: the strict decimal syntax of a CSV value, read in the
// C locale and correctly rounded, and the shortest (or N-digit) text of a double.
// Pure functions, no allocation, nothing thrown.
#pragma once

#include <cstddef>
#include <string_view>

namespace hygrian::tables {

enum class NumberStatus {
  Ok,          // value holds the number
  Empty,       // nothing but blanks (and perhaps an empty pair of quotes)
  NotANumber,  // anything outside the syntax below
  OutOfRange,  // a magnitude too large for a double
};

struct Number {
  double value = 0.0;
  NumberStatus status = NumberStatus::Ok;
};

// Reads one number. Blanks (spaces, tabs) around the text are dropped, then one
// enclosing pair of double quotes. What is left must be an optional + or -,
// digits with an optional point (at least one digit), and an optional exponent:
// e or E, an optional sign and at least one digit. The value is the double
// nearest the decimal (ties to even); a magnitude that underflows gives that
// rounded value (0, with the sign, or a subnormal).
//
//   "12.5" -> 12.5    " +1e-5 " -> 1e-05    "\"7\"" -> 7    ".5" -> 0.5
//   "" -> Empty       "inf", "0x10", "1.5+2", "1d3", "1e", "." -> NotANumber
//   "1e400" -> OutOfRange                   "1e-400" -> 0
// With decimalComma the point is a comma instead, and a point is NotANumber:
//   "23,5" -> 23.5    "23.5" -> NotANumber
[[nodiscard]] Number ParseNumber(std::string_view text, bool decimalComma = false) noexcept;

// Room enough for any text that FormatNumber writes.
inline constexpr std::size_t kNumberTextSize = 32;

// Writes value at first and returns the end of the text; never writes more than
// kNumberTextSize bytes. digits 0 gives the shortest text that reads back as the
// same double, choosing plain or exponent form as std::to_chars does (0.0126,
// 1e-05, 101.325, -0); digits 1 to 17 gives std::to_chars's general form with
// that many significant digits (63.48 at 3 digits is 63.5). Infinities and NaN
// come out as inf, -inf and nan.
char* FormatNumber(char* first, double value, int digits = 0) noexcept;

}  // namespace hygrian::tables

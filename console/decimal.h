// The exact decimal value of a double, cut to its first seventeen significant
// digits and rounded half-up on them: a 128-bit integer path for the usual
// magnitudes and a big-integer expansion for every other finite double. Pure
// functions; no allocation.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

namespace hygrian {

// |x| = 0.d1d2...d17 * 10^exponent with the seventeen digits as one integer:
// 10^16 <= q < 10^17 (trailing zeros kept), or q = 0 for zero of either sign,
// which is non-negative with exponent 0.
struct SeventeenDigits {
  bool negative = false;
  int exponent = 0;
  std::uint64_t q = 0;
};

// The first 17 significant digits of the exact decimal value of x, an exact tie
// rounded up. 0.5 -> 50000000000000000 e0; 2.675 -> 26749999999999998 e1;
// 1234567890123456.25 -> 12345678901234563 e16 (a tie, so not "...562").
// x must be finite (an infinity or NaN gives the decomposition of zero).
// Values from about 1e-15 to 1e18 take an exact 128-bit integer path; the rest go
// through ExpandDecimalDigits.
[[nodiscard]] SeventeenDigits ToSeventeenDigits(double x);

// |x| = 0.d1d2d3... * 10^exponent as a digit string. Zero of either sign is digits
// "0", exponent 0, non-negative.
struct DecimalDigits {
  bool negative = false;
  int exponent = 0;
  std::size_t count = 0;          // 1 to 17; 0 once rounded to no digits
  std::array<char, 17> digits{};  // ASCII digits, first non-zero, no trailing zeros
  [[nodiscard]] std::string_view View() const { return {digits.data(), count}; }
};

// The same seventeen digits, trailing zeros dropped, from the full decimal
// expansion of x in big-integer arithmetic: exact for every finite double, and
// several times slower. 0.1 -> "10000000000000001" e0; 5e-324 ->
// "49406564584124654" e-323.
[[nodiscard]] DecimalDigits ExpandDecimalDigits(double x);

}  // namespace hygrian

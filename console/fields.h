// Numeric output fields: the exact characters of a fixed-point or exponent-form
// field, from a 17-significant-digit decimal decomposition rounded half-up on its
// decimal digits. Pure functions; no allocation.
#pragma once

#include <array>
#include <string_view>

namespace hygrian {

// The largest number of digits a field keeps after rounding.
inline constexpr int MaxFieldDigits = 16;

// |x| = 0.d1d2d3... * 10^exponent. Zero of either sign is digits "0", exponent 0,
// non-negative.
struct DecimalDigits {
  bool negative = false;
  int exponent = 0;
  int count = 0;                  // 1 to 17; 0 once rounded to no digits
  std::array<char, 17> digits{};  // ASCII digits, first non-zero, no trailing zeros
  std::string_view View() const { return {digits.data(), static_cast<std::size_t>(count)}; }
};

// Text of one field before it is placed in its width. Large enough for the fixed
// text of the largest double with up to MaxDecimals decimals ("-", 309 digits,
// ".", 20 decimals: 331 characters).
inline constexpr int MaxDecimals = 20;
struct FieldText {
  std::array<char, 340> chars{};
  int length = 0;
  std::string_view View() const { return {chars.data(), static_cast<std::size_t>(length)}; }
};

// The first 17 significant digits of the exact decimal value of x, an exact tie
// rounded up. 0.5 -> "5" e0; 23.456 -> "23456" e2; 2.675 -> "26749999999999998" e1.
// x must be finite (an infinity or NaN gives the decomposition of zero).
DecimalDigits ToDecimalDigits(double x);

// Rounds d to n digits, half-up on the decimal digits; returns true on a carry out
// of the kept digits ("999" to 2 digits is "1" e+1). With n = 0 a carry gives "1"
// and leaves the exponent alone; a negative value cut to no digits becomes
// non-negative.
bool RoundDigits(DecimalDigits& d, int n);

// Fixed-point text with `decimals` (0..MaxDecimals, clamped) digits after the
// point, any length, no digit before the point of a value below one: 0.5, 2 -> ".50";
// -0.001, 2 -> ".00"; 9.999, 2 -> "10.00".
FieldText FormatFixed(double value, int decimals);

// Exponent-form text with `digits` (1..MaxFieldDigits, clamped to 0..MaxFieldDigits)
// fraction digits:
// 0.0123456, 4 -> ".1235E-01"; 1e-101, 4 -> ".1000-100" (three-digit exponents
// drop the letter).
FieldText FormatExponent(double value, int digits);

// Exactly `width` characters: text right-justified, or width asterisks when the
// text is longer; width is clamped to 0..capacity. (".50", 6) -> "   .50";
// ("100.00", 5) -> "*****".
FieldText PlaceField(std::string_view text, int width);

}  // namespace hygrian

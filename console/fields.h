// Numeric output fields: the exact characters of a fixed-point or exponent-form
// field, from a 17-significant-digit decimal decomposition rounded half-up on its
// decimal digits. Pure functions; no allocation.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>

namespace hygrian {

// The largest number of digits a field keeps after rounding.
inline constexpr int MaxFieldDigits = 16;

// |x| = 0.d1d2d3... * 10^exponent. Zero of either sign is digits "0", exponent 0,
// non-negative.
struct DecimalDigits {
  bool negative = false;
  int exponent = 0;
  std::size_t count = 0;          // 1 to 17; 0 once rounded to no digits
  std::array<char, 17> digits{};  // ASCII digits, first non-zero, no trailing zeros
  [[nodiscard]] std::string_view View() const { return {digits.data(), count}; }
};

// Text of one field before it is placed in its width. Large enough for the fixed
// text of the largest double with up to MaxDecimals decimals ("-", 309 digits,
// ".", 20 decimals: 331 characters).
inline constexpr int MaxDecimals = 20;
inline constexpr std::size_t FieldTextCapacity = 340;
struct FieldText {
  std::array<char, FieldTextCapacity> chars{};
  std::size_t length = 0;
  [[nodiscard]] std::string_view View() const { return {chars.data(), length}; }
};

// The first 17 significant digits of the exact decimal value of x, an exact tie
// rounded up. 0.5 -> "5" e0; 23.456 -> "23456" e2; 2.675 -> "26749999999999998" e1;
// 1234567890123456.25 -> "12345678901234563" e16 (a tie, so not "...562").
// x must be finite (an infinity or NaN gives the decomposition of zero).
// Values from about 1e-15 to 1e18 take an exact 128-bit integer path; the rest go
// through ExpandDecimalDigits.
[[nodiscard]] DecimalDigits ToDecimalDigits(double x);

// The same decomposition from the full decimal expansion of x in big-integer
// arithmetic: exact for every finite double, and several times slower.
[[nodiscard]] DecimalDigits ExpandDecimalDigits(double x);

// Rounds d to n digits, half-up on the decimal digits; returns true on a carry out
// of the kept digits ("999" to 2 digits is "1" e+1). With n = 0 a carry gives "1"
// and leaves the exponent alone; a negative value cut to no digits becomes
// non-negative.
bool RoundDigits(DecimalDigits& d, int n);

// One field's text held as its rounded leading digits and its shape, so that its
// length is known before any character is written and the text can be composed
// straight into its destination. The digits shown are the leadCount digits of
// lead followed by zeros, digitCount in all.
struct NumericField {
  bool negative = false;
  bool exponentForm = false;
  int exponent = 0;        // exponent form: the exponent shown
  int integerDigits = 0;   // fixed form: digits in front of the point; below zero,
                           // the zeros that follow it
  int digitCount = 0;      // fixed form: digits shown in all; exponent form: the
                           // fraction digits
  std::uint64_t lead = 0;  // the leading digits shown, 0 to 16 of them (1 after a carry)
  int leadCount = 0;
  std::size_t length = 0;  // characters of the text
};

// The fixed-point field of value with `decimals` (0..MaxDecimals, clamped) digits
// after the point: length = sign + integer digits + 1 + decimals.
[[nodiscard]] NumericField PrepareFixed(double value, int decimals);

// The exponent-form field of value with `digits` (clamped to 0..MaxFieldDigits)
// fraction digits: length = sign + 1 + digits + 4.
[[nodiscard]] NumericField PrepareExponent(double value, int digits);

// Writes the field's text into out[0, field.length) and returns true; the
// characters of out after the text may be overwritten too. Writes nothing and
// returns false when out is shorter than the text.
[[nodiscard]] bool ComposeField(const NumericField& field, std::span<char> out);

// Fixed-point text with `decimals` (0..MaxDecimals, clamped) digits after the
// point, any length, no digit before the point of a value below one: 0.5, 2 -> ".50";
// -0.001, 2 -> ".00"; 9.999, 2 -> "10.00".
[[nodiscard]] FieldText FormatFixed(double value, int decimals);

// Exponent-form text with `digits` (1..MaxFieldDigits, clamped to 0..MaxFieldDigits)
// fraction digits:
// 0.0123456, 4 -> ".1235E-01"; 1e-101, 4 -> ".1000-100" (three-digit exponents
// drop the letter).
[[nodiscard]] FieldText FormatExponent(double value, int digits);

// Exactly `width` characters: text right-justified, or width asterisks when the
// text is longer; width is clamped to 0..FieldTextCapacity. (".50", 6) -> "   .50";
// ("100.00", 5) -> "*****".
[[nodiscard]] FieldText PlaceField(std::string_view text, int width);

}  // namespace hygrian

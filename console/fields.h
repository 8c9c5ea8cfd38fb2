// Numeric output fields: the exact characters of a fixed-point or exponent-form
// field, from the 17-significant-digit decimal decomposition of console/decimal.h
// rounded half-up on its decimal digits. Pure functions; no allocation.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>

namespace hygrian {

// The largest number of digits a field keeps after rounding.
inline constexpr int kMaxFieldDigits = 16;

// Text of one field before it is placed in its width. Large enough for the fixed
// text of the largest double with up to kMaxDecimals decimals ("-", 309 digits,
// ".", 20 decimals: 331 characters).
inline constexpr int kMaxDecimals = 20;
inline constexpr std::size_t kFieldTextCapacity = 340;
struct FieldText {
  std::array<char, kFieldTextCapacity> chars{};
  std::size_t length = 0;
  [[nodiscard]] std::string_view View() const { return {chars.data(), length}; }
};

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

// The fixed-point field of value with `decimals` (0..kMaxDecimals, clamped) digits
// after the point: length = sign + integer digits + 1 + decimals.
[[nodiscard]] NumericField PrepareFixed(double value, int decimals);

// The exponent-form field of value with `digits` (clamped to 0..kMaxFieldDigits)
// fraction digits: length = sign + 1 + digits + 4.
[[nodiscard]] NumericField PrepareExponent(double value, int digits);

// Writes the field's text into out[0, field.length) and returns true; the
// characters of out after the text may be overwritten too. Writes nothing and
// returns false when out is shorter than the text.
[[nodiscard]] bool ComposeField(const NumericField& field, std::span<char> out);

}  // namespace hygrian

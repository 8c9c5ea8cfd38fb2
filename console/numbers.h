// Numeric input values: the text of one value, as the console reader delimits it,
// turned into a 32-bit signed integer or a double. Pure functions; each returns a
// value or the reason the text is not one.
#pragma once

#include <cstdint>
#include <string_view>

namespace hygrian {

enum class NumberError {
  None,             // the value is valid
  IntegerOverflow,  // integer outside the 32-bit range
  InvalidInteger,   // a character outside the integer syntax
  MultipleRadix,    // a second '#'
  IllegalRadix,     // radix before '#' outside 2..36
  InvalidReal,      // not a complete real number
  RealOutOfRange,   // magnitude beyond the largest double
};

struct IntegerValue {
  std::int32_t value = 0;
  NumberError error = NumberError::None;
};

struct RealValue {
  double value = 0.0;
  NumberError error = NumberError::None;
};

// Decimal with optional sign, or radix forms r#digits (r from 2 to 36) and #hex;
// radix values wrap as 32-bit two's complement. A 0x1A byte ends a decimal number
// (the rest of the text is ignored). "+7" -> 7; "-" -> 0; "16#FFFFFFFF" -> -1;
// "2147483648" -> IntegerOverflow; "1.0" -> InvalidInteger; "1#0" -> IllegalRadix.
[[nodiscard]] IntegerValue ParseInteger(std::string_view text);

// Optional sign, digits with an optional point, optional exponent (E, e, D, d, or
// a bare sign directly after the significand), correctly rounded to double. Values
// too small for a double become the nearest subnormal or a zero of their sign.
// "1.5+2" -> 150; "1E-400" -> 0; "1E400" -> RealOutOfRange; "1E" -> InvalidReal.
[[nodiscard]] RealValue ParseReal(std::string_view text);

}  // namespace hygrian

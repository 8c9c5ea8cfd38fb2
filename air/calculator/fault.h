// The faults of the moist-air computations: an invalid operation, a division by
// zero or an overflow in the arithmetic, or an error of a math function. A
// computation returns its first fault as a value; what the caller makes of it
// (a numbered report, a status) is the caller's business.
#pragma once

#include <cstdint>
#include <string_view>

namespace hygrian::air {

enum class Fault : std::uint8_t {
  None,              // no fault: the value is good
  Invalid,           // 0/0 and other invalid operations
  DivideByZero,      // a nonzero number divided by zero
  Overflow,          // an arithmetic result beyond the double range
  LogDomain,         // ln of a negative number or NaN
  LogSingularity,    // ln 0
  ExpOverflow,       // exp result beyond the double range
  PowerDomain,       // negative base with a non-integral exponent
  PowerSingularity,  // zero base with a negative exponent
  PowerOverflow,     // power result beyond the double range
};

// The fault's message: "floating-point error: divide by zero", "log: SING error",
// "**: OVERFLOW error"; "" for None.
std::string_view FaultText(Fault fault);

}  // namespace hygrian::air

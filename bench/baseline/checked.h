// Checked double arithmetic for the moist-air relations: every operation and
// math-function call stops the computation with a Fault at the first invalid
// operation, division by zero, overflow or math-function error. Underflow,
// inexact results and subnormal operands pass silently with their IEEE results.
#pragma once

namespace hygrian::baseline::air {

enum class Fault {
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

// Thrown by the operations below; the dialogue turns it into a run-time report.
struct FaultError {
  Fault fault;
};

// A double whose arithmetic is checked. Operands are always finite: a result that
// would not be is reported instead of returned. C++ leaves the order of the two
// operands of an operator unspecified, so expressions in which both operands can
// fault are split into statements in the order the relation is written.
class Checked {
 public:
  constexpr Checked(double value) : value_(value) {}  // NOLINT(google-explicit-constructor)
  constexpr double Value() const { return value_; }

  friend Checked operator+(Checked a, Checked b);
  friend Checked operator-(Checked a, Checked b);
  friend Checked operator*(Checked a, Checked b);
  friend Checked operator/(Checked a, Checked b);
  friend constexpr Checked operator-(Checked a) { return Checked(-a.value_); }
  friend constexpr bool operator<=(Checked a, Checked b) { return a.value_ <= b.value_; }

 private:
  double value_;
};

Checked Log(Checked x);             // natural logarithm
Checked Exp(Checked x);             // e to the power x
Checked Pow(Checked x, Checked y);  // x to the real power y
Checked Abs(Checked x);

}  // namespace hygrian::baseline::air

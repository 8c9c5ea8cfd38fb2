// Checked double arithmetic for the moist-air relations. Each operation and
// math-function call yields its value together with the first fault met on the
// way to it: an invalid operation, division by zero, overflow or math-function
// error. Underflow, inexact results and subnormal operands pass silently with
// their IEEE results. Nothing is thrown.
//
// The fault of an operation with two operands is the left operand's, else the
// right one's, else its own: the relations are written so that the left operand
// is always the one computed first, which makes this the first fault in the
// order of computation. Once a fault is carried the value is meaningless.
#pragma once

#include <cmath>

#include "air/calculator/fault.h"

namespace hygrian::air {

class Checked {
 public:
  constexpr Checked(double value) : value_(value) {}  // NOLINT(google-explicit-constructor)
  constexpr Checked(double value, Fault fault) : value_(value), fault_(fault) {}

  constexpr double Value() const { return value_; }
  constexpr Fault FirstFault() const { return fault_; }
  constexpr bool Ok() const { return fault_ == Fault::None; }

  friend Checked operator+(Checked a, Checked b) {
    return Arithmetic(a.value_ + b.value_, Earlier(a, b));
  }
  friend Checked operator-(Checked a, Checked b) {
    return Arithmetic(a.value_ - b.value_, Earlier(a, b));
  }
  friend Checked operator*(Checked a, Checked b) {
    return Arithmetic(a.value_ * b.value_, Earlier(a, b));
  }
  friend Checked operator/(Checked a, Checked b) {
    Fault fault = Earlier(a, b);
    if (b.value_ == 0.0 && fault == Fault::None) {
      fault = a.value_ == 0.0 ? Fault::Invalid : Fault::DivideByZero;
    }
    return Arithmetic(a.value_ / b.value_, fault);
  }
  friend constexpr Checked operator-(Checked a) { return {-a.value_, a.fault_}; }
  // Compares the values alone.
  friend constexpr bool operator<=(Checked a, Checked b) { return a.value_ <= b.value_; }

 private:
  static constexpr Fault Earlier(Checked a, Checked b) {
    return a.fault_ != Fault::None ? a.fault_ : b.fault_;
  }
  // A result of finite operands is NaN only after an invalid operation and
  // infinite only after an overflow.
  static Checked Arithmetic(double result, Fault earlier) {
    if (std::isfinite(result) || earlier != Fault::None) return {result, earlier};
    return {result, std::isnan(result) ? Fault::Invalid : Fault::Overflow};
  }

  double value_;
  Fault fault_ = Fault::None;
};

// Natural logarithm.
inline Checked Log(Checked x) {
  const double v = x.Value();
  if (!x.Ok()) return x;
  if (v == 0.0) return {v, Fault::LogSingularity};
  if (!(v > 0.0)) return {v, Fault::LogDomain};
  return std::log(v);
}

// e to the power x.
inline Checked Exp(Checked x) {
  if (!x.Ok()) return x;
  const double result = std::exp(x.Value());
  if (std::isinf(result)) return {result, Fault::ExpOverflow};
  return result;
}

// x to the real power y. The library is built with -fno-builtin-pow, so that
// pow(x, 2.0) stays a call of the library's pow, whose result can differ from
// x * x in the last bit.
inline Checked Pow(Checked x, Checked y) {
  const double base = x.Value();
  const double exponent = y.Value();
  if (!x.Ok()) return x;
  if (!y.Ok()) return y;
  if (base < 0.0 && std::trunc(exponent) != exponent) return {base, Fault::PowerDomain};
  if (base == 0.0 && exponent < 0.0) return {base, Fault::PowerSingularity};
  const double result = std::pow(base, exponent);
  if (std::isinf(result)) return {result, Fault::PowerOverflow};
  return result;
}

inline Checked Abs(Checked x) { return {std::fabs(x.Value()), x.FirstFault()}; }

// Keeps the first fault of a sequence of steps, in the order the steps run.
// Each step hands over its result and gets its value back; a step that runs on
// the meaningless value left by an earlier fault cannot hide that fault.
class FaultLatch {
 public:
  double operator()(Checked step) {
    if (fault_ == Fault::None) fault_ = step.FirstFault();
    return step.Value();
  }
  // The last step's value with the first fault of all the steps.
  Checked Finish(Checked last) {
    (*this)(last);
    return {last.Value(), fault_};
  }
  Fault FirstFault() const { return fault_; }
  bool Ok() const { return fault_ == Fault::None; }

 private:
  Fault fault_ = Fault::None;
};

}  // namespace hygrian::air

#include "bench/baseline/checked.h"

#include <cmath>

namespace hygrian::baseline::air {
namespace {

// A result of finite operands is NaN only after an invalid operation and
// infinite only after an overflow.
Checked Check(double result) {
  if (std::isnan(result)) throw FaultError{Fault::Invalid};
  if (std::isinf(result)) throw FaultError{Fault::Overflow};
  return result;
}

}  // namespace

Checked operator+(Checked a, Checked b) { return Check(a.value_ + b.value_); }
Checked operator-(Checked a, Checked b) { return Check(a.value_ - b.value_); }
Checked operator*(Checked a, Checked b) { return Check(a.value_ * b.value_); }

Checked operator/(Checked a, Checked b) {
  if (b.value_ == 0.0) throw FaultError{a.value_ == 0.0 ? Fault::Invalid : Fault::DivideByZero};
  return Check(a.value_ / b.value_);
}

Checked Log(Checked x) {
  const double v = x.Value();
  if (v == 0.0) throw FaultError{Fault::LogSingularity};
  if (!(v > 0.0)) throw FaultError{Fault::LogDomain};
  return std::log(v);
}

Checked Exp(Checked x) {
  const double result = std::exp(x.Value());
  if (std::isinf(result)) throw FaultError{Fault::ExpOverflow};
  return result;
}

Checked Pow(Checked x, Checked y) {
  const double base = x.Value();
  const double exponent = y.Value();
  if (base < 0.0 && std::trunc(exponent) != exponent) throw FaultError{Fault::PowerDomain};
  if (base == 0.0 && exponent < 0.0) throw FaultError{Fault::PowerSingularity};
  const double result = std::pow(base, exponent);
  if (std::isinf(result)) throw FaultError{Fault::PowerOverflow};
  return result;
}

Checked Abs(Checked x) { return std::fabs(x.Value()); }

}  // namespace hygrian::baseline::air

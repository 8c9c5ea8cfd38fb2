// The status of the public API that a fault of the calculator's relations
// becomes (hygrian/psychrometrics.h): a log domain error is LogDomain, and so on.
#pragma once

#include "air/calculator/fault.h"
#include "hygrian/psychrometrics.h"

namespace hygrian::air {

[[nodiscard]] constexpr Status StatusOf(Fault fault) noexcept {
  switch (fault) {
    case Fault::None:
      return Status::Ok;
    case Fault::Invalid:
      return Status::InvalidOperation;
    case Fault::DivideByZero:
      return Status::DivideByZero;
    case Fault::Overflow:
      return Status::Overflow;
    case Fault::LogDomain:
      return Status::LogDomain;
    case Fault::LogSingularity:
      return Status::LogSingularity;
    case Fault::ExpOverflow:
      return Status::ExpOverflow;
    case Fault::PowerDomain:
      return Status::PowerDomain;
    case Fault::PowerSingularity:
      return Status::PowerSingularity;
    case Fault::PowerOverflow:
      return Status::PowerOverflow;
  }
  return Status::InvalidOperation;
}

}  // namespace hygrian::air

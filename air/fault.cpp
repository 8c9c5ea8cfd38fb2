#include "air/fault.h"

namespace hygrian::air {

std::string_view FaultText(Fault fault) {
  switch (fault) {
    case Fault::None:
      return "";
    case Fault::Invalid:
      return "floating-point error: invalid";
    case Fault::DivideByZero:
      return "floating-point error: divide by zero";
    case Fault::Overflow:
      return "floating-point error: overflow";
    case Fault::LogDomain:
      return "log: DOMAIN error";
    case Fault::LogSingularity:
      return "log: SING error";
    case Fault::ExpOverflow:
      return "exp: OVERFLOW error";
    case Fault::PowerDomain:
      return "**: DOMAIN error";
    case Fault::PowerSingularity:
      return "**: SING error";
    case Fault::PowerOverflow:
      return "**: OVERFLOW error";
  }
  return "";
}

}  // namespace hygrian::air

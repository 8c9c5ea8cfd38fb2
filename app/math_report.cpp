#include "app/math_report.h"

#include "console/failure.h"

namespace hygrian {

int MathReportNumber(air::Fault fault) {
  switch (fault) {
    case air::Fault::None:
    case air::Fault::Invalid:
      return 6101;
    case air::Fault::DivideByZero:
      return 6103;
    case air::Fault::Overflow:
      return 6104;
    case air::Fault::LogDomain:
    case air::Fault::PowerDomain:
      return 6201;
    case air::Fault::LogSingularity:
    case air::Fault::PowerSingularity:
      return 6202;
    case air::Fault::ExpOverflow:
    case air::Fault::PowerOverflow:
      return 6203;
  }
  return 6101;
}

void RaiseMathFault(Console& console, air::Fault fault) {
  RaiseRunTimeError(console, StatementKind::Math, MathReportNumber(fault), air::FaultText(fault));
}

}  // namespace hygrian

#include "bench/baseline/api.h"

#include <cmath>

#include "bench/baseline/cases.h"
#include "bench/baseline/checked.h"

namespace hygrian::baseline {
namespace {

Status StatusOf(air::Fault fault) {
  switch (fault) {
    case air::Fault::Invalid:
      return Status::InvalidOperation;
    case air::Fault::DivideByZero:
      return Status::DivideByZero;
    case air::Fault::Overflow:
      return Status::Overflow;
    case air::Fault::LogDomain:
      return Status::LogDomain;
    case air::Fault::LogSingularity:
      return Status::LogSingularity;
    case air::Fault::ExpOverflow:
      return Status::ExpOverflow;
    case air::Fault::PowerDomain:
      return Status::PowerDomain;
    case air::Fault::PowerSingularity:
      return Status::PowerSingularity;
    case air::Fault::PowerOverflow:
      return Status::PowerOverflow;
  }
  return Status::InvalidOperation;
}

// Runs one case on a state holding only the two given values; on any failure
// the result holds those two values and nothing else.
template <typename Compute>
Result Run(double a, double b, double P, double air::MoistAirState::*first,
           double air::MoistAirState::*second, Compute compute) {
  air::MoistAirState given;
  given.*first = a;
  given.*second = b;
  Result result;
  if (!std::isfinite(a) || !std::isfinite(b) || !std::isfinite(P) || !(P > 0.0)) {
    result.status = Status::InvalidInput;
  } else {
    air::MoistAirState s = given;
    try {
      result.wetBulbFound = compute(P, s);
      const auto& c = s;
      result.state = {c.dryBulb,      c.wetBulb,       c.dewPoint,           c.relativeHumidity,
                      c.enthalpy,     c.humidityRatio, c.degreeOfSaturation, c.specificVolume,
                      c.vaporPressure};
      return result;
    } catch (const air::FaultError& error) {
      result.status = StatusOf(error.fault);
    }
  }
  result.state.dryBulb = given.dryBulb;
  result.state.wetBulb = given.wetBulb;
  result.state.dewPoint = given.dewPoint;
  result.state.relativeHumidity = given.relativeHumidity;
  return result;
}

}  // namespace

Result FromDryBulbWetBulb(double dryBulb, double wetBulb, double pressure) noexcept {
  return Run(dryBulb, wetBulb, pressure, &air::MoistAirState::dryBulb, &air::MoistAirState::wetBulb,
             [](double P, air::MoistAirState& s) {
               air::ComputeFromDryWet(P, air::DryAirGasConstant, s);
               return true;
             });
}

Result FromDryBulbDewPoint(double dryBulb, double dewPoint, double pressure) noexcept {
  return Run(dryBulb, dewPoint, pressure, &air::MoistAirState::dryBulb,
             &air::MoistAirState::dewPoint, [](double P, air::MoistAirState& s) {
               bool gaveUp = false;
               air::ComputeFromDryDew(P, air::DryAirGasConstant, s, [&gaveUp] { gaveUp = true; });
               return !gaveUp;
             });
}

Result FromDryBulbRelativeHumidity(double dryBulb, double relativeHumidity,
                                   double pressure) noexcept {
  return Run(dryBulb, relativeHumidity, pressure, &air::MoistAirState::dryBulb,
             &air::MoistAirState::relativeHumidity, [](double P, air::MoistAirState& s) {
               bool gaveUp = false;
               air::ComputeFromDryRh(P, air::DryAirGasConstant, s, [&gaveUp] { gaveUp = true; });
               return !gaveUp;
             });
}

}  // namespace hygrian::baseline

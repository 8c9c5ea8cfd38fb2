#include "hygrian/psychrometrics.h"

#include <cmath>

#include "air/bisection.h"
#include "air/cases.h"
#include "hygrian/outcomes.h"

namespace hygrian {
namespace {

Status StatusOf(air::Fault fault) {
  switch (fault) {
    case air::Fault::None:
      return Status::Ok;
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

// P - p <= 0 for the saturation pressure at the wet-bulb, given or found by the
// search or the bisection after the case's own checks.
bool VaporNotBelowTotalAt(const State& s, double P) {
  return air::SaturationReachesTotal(s.wetBulb, s.dryBulb, P);
}

// Where the secant search gave up, the bisection; writes the wet-bulb it finds.
bool Bisect(double P, State& s) {
  const air::WetBulbSearch search = air::BisectWetBulb(s.dryBulb, s.dewPoint, s.humidityRatio, P);
  if (search.found) s.wetBulb = search.wetBulb;
  return search.found;
}

// Runs one case on a state holding only the two given values. On a fault, an impossible state or
// invalid input the result holds those two values and nothing else; when neither the case's search
// nor the bisection finds the wet-bulb it stays 0.0.
template <typename Compute>
Result Run(double a, double b, double P, double State::*first, double State::*second,
           Compute compute, bool secondValid = true) {
  Result result;
  State& s = result.state;
  s.*first = a;
  s.*second = b;
  if (!std::isfinite(a) || !std::isfinite(b) || !secondValid || !std::isfinite(P) || !(P > 0.0)) {
    result.status = Status::InvalidInput;
    return result;
  }
  const air::CaseResult outcome = compute(P, s);
  if (outcome.vaporNotBelowTotal) {
    result.status = Status::VaporPressureNotBelowTotal;
  } else if (outcome.fault != air::Fault::None) {
    result.status = StatusOf(outcome.fault);
  } else {
    const bool found = !outcome.gaveUp || Bisect(P, s);
    if (!found || !VaporNotBelowTotalAt(s, P)) {
      result.wetBulbFound = found;
      return result;
    }
    result.status = Status::VaporPressureNotBelowTotal;
  }
  s = State{};
  s.*first = a;
  s.*second = b;
  return result;
}

}  // namespace

Result FromDryBulbWetBulb(double dryBulb, double wetBulb, double pressure) noexcept {
  return Run(dryBulb, wetBulb, pressure, &State::dryBulb, &State::wetBulb, air::ComputeFromDryWet);
}

Result FromDryBulbDewPoint(double dryBulb, double dewPoint, double pressure) noexcept {
  return Run(dryBulb, dewPoint, pressure, &State::dryBulb, &State::dewPoint,
             air::ComputeFromDryDew);
}

Result FromDryBulbRelativeHumidity(double dryBulb, double relativeHumidity,
                                   double pressure) noexcept {
  return Run(dryBulb, relativeHumidity, pressure, &State::dryBulb, &State::relativeHumidity,
             air::ComputeFromDryRh);
}

Result FromDryBulbHumidityRatio(double dryBulb, double humidityRatio, double pressure) noexcept {
  return Run(dryBulb, humidityRatio, pressure, &State::dryBulb, &State::humidityRatio,
             air::ComputeFromDryW, !(humidityRatio < 0.0));
}

Result FromDryBulbSpecificHumidity(double dryBulb, double specificHumidity,
                                   double pressure) noexcept {
  const bool valid = specificHumidity >= 0.0 && specificHumidity < 1.0;
  const double humidityRatio =
      valid ? specificHumidity / (1.0 - specificHumidity) : specificHumidity;
  return Run(dryBulb, humidityRatio, pressure, &State::dryBulb, &State::humidityRatio,
             air::ComputeFromDryW, valid);
}

std::string_view StatusText(Status status) noexcept {
  return OutcomeOfCode(static_cast<int>(status)).text;
}

}  // namespace hygrian

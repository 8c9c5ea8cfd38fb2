#include "hygrian/psychrometrics.h"

#include <cmath>

#include "air/calculator/bisection.h"
#include "air/calculator/cases.h"
#include "air/calculator/relations.h"
#include "air/fault_status.h"
#include "air/handbook/cases.h"
#include "air/handbook/relations.h"
#include "air/handbook/searched_pairs.h"
#include "hygrian/outcomes.h"

namespace hygrian {
namespace {

using air::StatusOf;

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
      s.specificHumidity = air::SpecificHumidity(s.humidityRatio);
      return result;
    }
    result.status = Status::VaporPressureNotBelowTotal;
  }
  s = State{};
  s.*first = a;
  s.*second = b;
  return result;
}

// Invalid input: the calculator model under Phase::Water (it knows only ice), or
// a specific humidity outside 0 to 1.
Result Refuse(double a, double b, double State::*first, double State::*second) {
  Result result;
  result.state.*first = a;
  result.state.*second = b;
  result.status = Status::InvalidInput;
  return result;
}

// A pair that only the handbook model solves, given to the calculator model.
Result NotWithCalculator(double a, double b, double State::*first, double State::*second) {
  Result result = Refuse(a, b, first, second);
  result.status = Status::NotWithCalculator;
  return result;
}

}  // namespace

Result FromDryBulbWetBulb(double dryBulb, double wetBulb, double pressure,
                          Options options) noexcept {
  if (options.model == Model::Handbook) {
    return air::handbook::FromDryBulbWetBulb(dryBulb, wetBulb, pressure, options.over);
  }
  if (options.over != Phase::Ice) return Refuse(dryBulb, wetBulb, &State::dryBulb, &State::wetBulb);
  return Run(dryBulb, wetBulb, pressure, &State::dryBulb, &State::wetBulb, air::ComputeFromDryWet);
}

Result FromDryBulbDewPoint(double dryBulb, double dewPoint, double pressure,
                           Options options) noexcept {
  if (options.model == Model::Handbook) {
    return air::handbook::FromDryBulbDewPoint(dryBulb, dewPoint, pressure, options.over);
  }
  if (options.over != Phase::Ice) {
    return Refuse(dryBulb, dewPoint, &State::dryBulb, &State::dewPoint);
  }
  return Run(dryBulb, dewPoint, pressure, &State::dryBulb, &State::dewPoint,
             air::ComputeFromDryDew);
}

Result FromDryBulbRelativeHumidity(double dryBulb, double relativeHumidity, double pressure,
                                   Options options) noexcept {
  if (options.model == Model::Handbook) {
    return air::handbook::FromDryBulbRelativeHumidity(dryBulb, relativeHumidity, pressure,
                                                      options.over);
  }
  if (options.over != Phase::Ice) {
    return Refuse(dryBulb, relativeHumidity, &State::dryBulb, &State::relativeHumidity);
  }
  return Run(dryBulb, relativeHumidity, pressure, &State::dryBulb, &State::relativeHumidity,
             air::ComputeFromDryRh);
}

Result FromDryBulbHumidityRatio(double dryBulb, double humidityRatio, double pressure,
                                Options options) noexcept {
  if (options.model == Model::Handbook) {
    return air::handbook::FromDryBulbHumidityRatio(dryBulb, humidityRatio, pressure, options.over);
  }
  if (options.over != Phase::Ice) {
    return Refuse(dryBulb, humidityRatio, &State::dryBulb, &State::humidityRatio);
  }
  return Run(dryBulb, humidityRatio, pressure, &State::dryBulb, &State::humidityRatio,
             air::ComputeFromDryW, !(humidityRatio < 0.0));
}

PressureResult SaturationVaporPressure(double t, Phase over) noexcept {
  if (std::isnan(t)) return {0.0, Status::InvalidInput};
  if (!(t >= air::handbook::kLowest && t <= air::handbook::kHighest)) {
    return {0.0, Status::OutOfRange};
  }
  const Phase phase = air::handbook::SaturatingPhase(t, over);
  return {air::handbook::PureSaturationPressure(t, phase), Status::Ok};
}

PressureResult SaturationVaporPressureInAir(double t, double P, Phase over) noexcept {
  if (std::isnan(t) || std::isnan(P) || !(P > 0.0)) return {0.0, Status::InvalidInput};
  if (!(t >= air::handbook::kLowest && t <= air::handbook::kHighest) ||
      !(P >= air::handbook::kLowestPressure && P <= air::handbook::kHighestPressure)) {
    return {0.0, Status::OutOfRange};
  }
  return {air::handbook::SaturationPressureInAir(t, P, over), Status::Ok};
}

namespace {

// The state of the humidity ratio q / (1 - q) of a specific humidity q.
Result FromDryBulbQ(double dryBulb, double specificHumidity, double pressure, Options options) {
  const bool valid = specificHumidity >= 0.0 && specificHumidity < 1.0;
  const double humidityRatio =
      valid ? specificHumidity / (1.0 - specificHumidity) : specificHumidity;
  if (options.model == Model::Handbook && valid) {
    return air::handbook::FromDryBulbHumidityRatio(dryBulb, humidityRatio, pressure, options.over);
  }
  if (!valid || options.over != Phase::Ice) {
    return Refuse(dryBulb, humidityRatio, &State::dryBulb, &State::humidityRatio);
  }
  return Run(dryBulb, humidityRatio, pressure, &State::dryBulb, &State::humidityRatio,
             air::ComputeFromDryW, valid);
}

}  // namespace

Result FromDryBulbSpecificHumidity(double dryBulb, double specificHumidity, double pressure,
                                   Options options) noexcept {
  // The state holds the specific humidity as given, whatever its status.
  Result result = FromDryBulbQ(dryBulb, specificHumidity, pressure, options);
  result.state.specificHumidity = specificHumidity;
  return result;
}

namespace {

// The state of the humidity ratio of a vapour pressure e by the model's own
// relation; e outside [0, P) is refused before any relation.
Result FromDryBulbE(double dryBulb, double vaporPressure, double pressure, Options options) {
  const double W = air::handbook::HumidityRatioOfVaporPressure(vaporPressure, pressure);
  if (options.model == Model::Handbook && !std::isnan(W)) {
    return air::handbook::FromDryBulbHumidityRatio(dryBulb, W, pressure, options.over);
  }
  if (std::isnan(W) || options.over != Phase::Ice) {
    return Refuse(dryBulb, vaporPressure, &State::dryBulb, &State::vaporPressure);
  }
  const air::Checked calculatorW = air::HumidityRatioFromPressure(vaporPressure, pressure);
  return Run(dryBulb, calculatorW.Value(), pressure, &State::dryBulb, &State::humidityRatio,
             air::ComputeFromDryW, calculatorW.Ok());
}

}  // namespace

Result FromDryBulbVaporPressure(double dryBulb, double vaporPressure, double pressure,
                                Options options) noexcept {
  // A state not computed holds the vapour pressure as given.
  Result result = FromDryBulbE(dryBulb, vaporPressure, pressure, options);
  if (!RulesOf(OutcomeOf(result).kind).computed) result.state.vaporPressure = vaporPressure;
  return result;
}

Result FromDryBulbEnthalpy(double dryBulb, double enthalpy, double pressure,
                           Options options) noexcept {
  if (options.model != Model::Handbook) {
    return NotWithCalculator(dryBulb, enthalpy, &State::dryBulb, &State::enthalpy);
  }
  return air::handbook::FromDryBulbEnthalpy(dryBulb, enthalpy, pressure, options.over);
}

Result FromHumidityRatioEnthalpy(double humidityRatio, double enthalpy, double pressure,
                                 Options options) noexcept {
  if (options.model != Model::Handbook) {
    return NotWithCalculator(humidityRatio, enthalpy, &State::humidityRatio, &State::enthalpy);
  }
  return air::handbook::FromHumidityRatioEnthalpy(humidityRatio, enthalpy, pressure, options.over);
}

Result FromEnthalpyRelativeHumidity(double enthalpy, double relativeHumidity, double pressure,
                                    Options options) noexcept {
  if (options.model != Model::Handbook) {
    return NotWithCalculator(enthalpy, relativeHumidity, &State::enthalpy,
                             &State::relativeHumidity);
  }
  return air::handbook::FromEnthalpyRelativeHumidity(enthalpy, relativeHumidity, pressure,
                                                     options.over);
}

Result FromWetBulbRelativeHumidity(double wetBulb, double relativeHumidity, double pressure,
                                   Options options) noexcept {
  if (options.model != Model::Handbook) {
    return NotWithCalculator(wetBulb, relativeHumidity, &State::wetBulb, &State::relativeHumidity);
  }
  return air::handbook::FromWetBulbRelativeHumidity(wetBulb, relativeHumidity, pressure,
                                                    options.over);
}

Result FromDewPointRelativeHumidity(double dewPoint, double relativeHumidity, double pressure,
                                    Options options) noexcept {
  if (options.model != Model::Handbook) {
    return NotWithCalculator(dewPoint, relativeHumidity, &State::dewPoint,
                             &State::relativeHumidity);
  }
  return air::handbook::FromDewPointRelativeHumidity(dewPoint, relativeHumidity, pressure,
                                                     options.over);
}

Result FromHumidityRatioRelativeHumidity(double humidityRatio, double relativeHumidity,
                                         double pressure, Options options) noexcept {
  if (options.model != Model::Handbook) {
    return NotWithCalculator(humidityRatio, relativeHumidity, &State::humidityRatio,
                             &State::relativeHumidity);
  }
  return air::handbook::FromHumidityRatioRelativeHumidity(humidityRatio, relativeHumidity, pressure,
                                                          options.over);
}

Result ClipToSaturation(const Result& result, double pressure, Options options) noexcept {
  const bool above =
      result.status == Status::Supersaturated || result.status == Status::AboveIceSaturation;
  if (options.model != Model::Handbook || !above) return result;
  // Saturated air: its relative humidity 100 as given, its wet-bulb the
  // dry-bulb (found so), its dew point the dry-bulb (the inverse would give
  // it within 1e-12 K).
  const double t = result.state.dryBulb;
  constexpr double kSaturated = 100.0;  // percent
  Result clipped =
      air::handbook::FromDryBulbRelativeHumidity(t, kSaturated, pressure, options.over);
  if (clipped.status != Status::Ok) return clipped;
  clipped.state.dewPoint = t;
  clipped.status = Status::ClippedToSaturation;
  return clipped;
}

std::string_view StatusText(Status status) noexcept {
  return OutcomeOfCode(static_cast<int>(status)).text;
}

}  // namespace hygrian

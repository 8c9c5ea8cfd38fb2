#include "air/handbook/cases.h"

#include <cmath>
#include <limits>

#include "air/handbook/dew_point.h"
#include "air/handbook/lanes.h"
#include "air/handbook/one_lane.h"
#include "air/handbook/relations.h"
#include "air/handbook/wet_bulb.h"

namespace hygrian::air::handbook {
namespace {

constexpr double kNan = std::numeric_limits<double>::quiet_NaN();

Result Refused(const DryBulbPair& given, Status status) {
  Result result;
  result.state.dryBulb = given.t;
  result.state.*given.second = given.value;
  result.status = status;
  return result;
}

// Whether air above saturation in the convention `over`, at t with vapour
// pressure p at P, is above saturation over water too: where the convention's
// saturation is ice (at and below the triple point), over water's.
bool AboveWaterSaturation(double t, double p, double P, Phase over) {
  if (over == Phase::Water || t > kTriplePoint) return true;
  return p > SaturationPressureInAir(t, P, Phase::Water) * (1.0 + kSaturationRounding);
}

// The state of air at dry-bulb t with vapour pressure p and humidity ratio W
// (p < P, W >= 0); its wet-bulb as given, or found. Every field of `result` is
// written in place: built elsewhere and copied, the given value's store through
// a member pointer stalls the copy's wider loads.
void Complete(const DryBulbPair& given, const Forward& f, Phase over, Result& result) {
  const double t = given.t;
  const double wetBulb = given.second == &State::wetBulb ? given.value : kNan;
  State& s = result.state;
  s.dryBulb = t;
  s.relativeHumidity = f.relativeHumidity;
  s.humidityRatio = f.W;
  s.specificHumidity = SpecificHumidity(f.W);
  s.vaporPressure = f.p;
  s.degreeOfSaturation = f.W / f.saturated;
  s.enthalpy = f.enthalpy;
  s.specificVolume = f.volume;
  if (given.second == &State::dewPoint) {
    s.dewPoint = given.value;
  } else {
    s.dewPoint = f.dewPointKnown ? f.dewPoint : DewPoint(f.p, given.P, over);
  }
  const bool drier = f.p > 0.0 && std::isnan(s.dewPoint);
  if (!std::isnan(wetBulb)) {
    s.wetBulb = wetBulb;
  } else {
    s.wetBulb = f.wetBulbKnown
                    ? f.wetBulb
                    : WetBulb(t, f.W, given.P, s.dewPoint, over, f.atDryBulb, f.saturation);
  }
  result.wetBulbFound = !std::isnan(s.wetBulb);
  s.*given.second = given.value;
  if (one_lane::AboveSaturation<Lanes>(given.second, t, given.value, f.p, f.saturation,
                                       result.wetBulbFound)) {
    result.status = AboveWaterSaturation(t, f.p, given.P, over) ? Status::Supersaturated
                                                                : Status::AboveIceSaturation;
  } else {
    result.status = drier ? Status::DrierThanRange : Status::Ok;
  }
}

}  // namespace

Status ScreenDryBulbPair(const DryBulbPair& given) {
  const double t = given.t;
  const double value = given.value;
  const double P = given.P;
  if (one_lane::ScreenPasses<Lanes>(t, value, P, given.second)) return Status::Ok;
  if (!std::isfinite(t) || !std::isfinite(value) || !std::isfinite(P) || !(P > 0.0)) {
    return Status::InvalidInput;
  }
  // In range, the value is negative.
  return one_lane::InModelRange<Lanes>(t, value, P, given.second) ? Status::InvalidInput
                                                                  : Status::OutOfRange;
}

Forward ForwardOf(const DryBulbPair& given, Phase over) {
  const one_lane::PairForward<Lanes> f = one_lane::ForwardOfPair<Lanes>(
      given.t, given.value, given.P, given.second, over == Phase::Ice);
  return {f.p,
          f.W,
          f.saturation,
          {f.atDryBulb.value, f.atDryBulb.slope},
          f.relativeHumidity,
          f.saturated,
          f.enthalpy,
          f.volume};
}

void DecideInto(const DryBulbPair& given, const Forward& forward, Phase over, Result& result) {
  const double p = forward.p;
  const double W = forward.W;
  if (one_lane::IsRefused<Lanes>(given.second, p, W, given.P, forward.relativeHumidity,
                                 forward.saturated)) {
    const bool reached = one_lane::PressureReached<Lanes>(given.second, p, W, given.P);
    result = Refused(given, reached ? Status::VaporPressureNotBelowTotal : Status::InvalidInput);
  } else {
    Complete(given, forward, over, result);
  }
}

Result Decide(const DryBulbPair& given, const Forward& forward, Phase over) {
  Result result;
  DecideInto(given, forward, over, result);
  return result;
}

Result FromDryBulbPair(const DryBulbPair& given, Phase over) {
  const Status status = ScreenDryBulbPair(given);
  if (status != Status::Ok) return Refused(given, status);
  return Decide(given, ForwardOf(given, over), over);
}

Result FromDryBulbWetBulb(double t, double wetBulb, double P, Phase over) {
  return FromDryBulbPair({&State::wetBulb, t, wetBulb, P}, over);
}

Result FromDryBulbDewPoint(double t, double dewPoint, double P, Phase over) {
  return FromDryBulbPair({&State::dewPoint, t, dewPoint, P}, over);
}

Result FromDryBulbRelativeHumidity(double t, double relativeHumidity, double P, Phase over) {
  return FromDryBulbPair({&State::relativeHumidity, t, relativeHumidity, P}, over);
}

Result FromDryBulbHumidityRatio(double t, double humidityRatio, double P, Phase over) {
  return FromDryBulbPair({&State::humidityRatio, t, humidityRatio, P}, over);
}

}  // namespace hygrian::air::handbook

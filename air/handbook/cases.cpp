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
constexpr double kPercent = 100.0;
// kg/kg: the psychrometric equation's rounding near dry air (its terms cancel):
// a wet-bulb within about 1e-12 K of dry air's gives no more than this below 0.
constexpr double kRoundOff = 1e-15;

Result Refused(const DryBulbPair& given, Status status) {
  Result result;
  result.state.dryBulb = given.t;
  result.state.*given.second = given.value;
  result.status = status;
  return result;
}

bool Within(double x, double lowest, double highest) { return x >= lowest && x <= highest; }

// The pairs whose vapour pressure is found from a temperature: refused where it
// reaches P.
bool VapourFromSaturation(const DryBulbPair& given) {
  return given.second == &State::relativeHumidity || given.second == &State::dewPoint;
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
  if (f.relativeHumidity > kMostPercent || f.W > kMostOfSaturation * f.saturated) {
    result = Refused(given, Status::InvalidInput);
    return;
  }
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
  // Saturated air given by its dew point comes back within rounding of 100 %.
  const bool above =
      f.p > f.saturation * (1.0 + kSaturationRounding) || wetBulb > t || !result.wetBulbFound;
  if (above) {
    result.status = AboveWaterSaturation(t, f.p, given.P, over) ? Status::Supersaturated
                                                                : Status::AboveIceSaturation;
  } else {
    result.status = drier ? Status::DrierThanRange : Status::Ok;
  }
}

}  // namespace

Status ScreenDryBulbPair(const DryBulbPair& given) {
  if (!std::isfinite(given.t) || !std::isfinite(given.value) || !std::isfinite(given.P) ||
      !(given.P > 0.0)) {
    return Status::InvalidInput;
  }
  if (!Within(given.t, kLowest, kHighest) || !Within(given.P, kLowestPressure, kHighestPressure)) {
    return Status::OutOfRange;
  }
  if (given.second == &State::wetBulb && !Within(given.value, kLowestWetBulb, kHighest)) {
    return Status::OutOfRange;
  }
  if (given.second == &State::dewPoint && !Within(given.value, kLowest, kHighest)) {
    return Status::OutOfRange;
  }
  const bool nonNegative =
      given.second == &State::relativeHumidity || given.second == &State::humidityRatio;
  if (nonNegative && given.value < 0.0) return Status::InvalidInput;
  return Status::Ok;
}

Forward ForwardOf(const DryBulbPair& given, Phase over) {
  const double t = given.t;
  const double P = given.P;
  Forward f{};
  const Branch branch = BranchAt(t, over);
  const one_lane::Saturation<Lanes> atT =
      one_lane::SaturationInAir<Lanes>(t, P, branch.phase == Phase::Ice, branch.supercooled);
  f.atDryBulb = {atT.log.value, atT.log.slope};
  f.saturation = atT.pressure;  // SaturationPressureInAir(t, P, over)
  if (given.second == &State::relativeHumidity) {
    f.p = given.value / kPercent * f.saturation;
    f.W = HumidityRatio(f.p, P);
  } else if (given.second == &State::dewPoint) {
    f.p = SaturationPressureInAir(given.value, P, over);
    f.W = HumidityRatio(f.p, P);
  } else if (given.second == &State::humidityRatio) {
    f.W = given.value;
    f.p = VaporPressure(f.W, P);
  } else {
    f.W = WetBulbHumidityRatio(t, given.value, P, over);
    if (f.W < 0.0 && f.W > -kRoundOff) f.W = 0.0;
    f.p = VaporPressure(f.W, P);
  }
  f.saturated = f.saturation < P ? HumidityRatio(f.saturation, P) : kNan;
  f.relativeHumidity = kPercent * f.p / f.saturation;
  f.enthalpy = Enthalpy(t, f.W);
  f.volume = SpecificVolume(t, f.W, P);
  return f;
}

void DecideInto(const DryBulbPair& given, const Forward& forward, Phase over, Result& result) {
  Status refused = Status::Ok;
  if (given.second == &State::wetBulb) {
    if (std::isinf(forward.W)) {
      refused = Status::VaporPressureNotBelowTotal;
    } else if (!(forward.W >= 0.0)) {
      refused = Status::InvalidInput;
    }
  } else if (VapourFromSaturation(given) && !(forward.p < given.P)) {
    refused = Status::VaporPressureNotBelowTotal;
  }
  if (refused != Status::Ok) {
    result = Refused(given, refused);
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

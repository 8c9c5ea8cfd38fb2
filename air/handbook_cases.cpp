#include "air/handbook_cases.h"

#include <cmath>
#include <limits>

#include "air/exp_log.h"
#include "air/handbook.h"
#include "air/handbook_dew_point.h"
#include "air/handbook_wet_bulb.h"
#include "air/lanes.h"

namespace hygrian::air::handbook {
namespace {

constexpr double kNan = std::numeric_limits<double>::quiet_NaN();
constexpr double kPercent = 100.0;
constexpr double kMostPercent = 200.0;      // a relative humidity above is no state
constexpr double kMostOfSaturation = 10.0;  // nor a humidity ratio above this times saturation
constexpr double kLowestWetBulb = -150.0;   // degrees C, see WetBulb
// kg/kg: the psychrometric equation's rounding near dry air (its terms cancel):
// a wet-bulb within about 1e-12 K of dry air's gives no more than this below 0.
constexpr double kRoundOff = 1e-15;
// Relative: a vapour pressure this little above saturation is saturation.
constexpr double kRounding = 1e-12;

// The pair as given: its two fields, and which of the four it is.
struct Pair {
  double State::*second;
  double t;
  double value;
  double P;
};

Result Refused(const Pair& pair, Status status) {
  Result result;
  result.state.dryBulb = pair.t;
  result.state.*pair.second = pair.value;
  result.status = status;
  return result;
}

bool Within(double x, double lowest, double highest) { return x >= lowest && x <= highest; }

// The checks every pair shares: finite values, the model's ranges.
Status Screen(const Pair& pair) {
  if (!std::isfinite(pair.t) || !std::isfinite(pair.value) || !std::isfinite(pair.P) ||
      !(pair.P > 0.0)) {
    return Status::InvalidInput;
  }
  if (!Within(pair.t, kLowest, kHighest) || !Within(pair.P, kLowestPressure, kHighestPressure)) {
    return Status::OutOfRange;
  }
  return Status::Ok;
}

// The state of air at dry-bulb pair.t with vapour pressure p and humidity ratio
// W (p < P, W >= 0); wetBulb as given, or NaN to be found.
Result Complete(const Pair& pair, double p, double W, double wetBulb, Phase over) {
  const double t = pair.t;
  const double P = pair.P;
  const LogSaturation logSaturation = LogSaturationInAir(t, P, BranchAt(t, over));
  const double saturation = Exp<Lanes>(logSaturation.value);  // SaturationPressureInAir
  const double saturated = saturation < P ? HumidityRatio(saturation, P) : kNan;
  const double relativeHumidity = kPercent * p / saturation;
  if (relativeHumidity > kMostPercent || W > kMostOfSaturation * saturated) {
    return Refused(pair, Status::InvalidInput);
  }
  Result result;
  State& s = result.state;
  s.dryBulb = t;
  s.relativeHumidity = relativeHumidity;
  s.humidityRatio = W;
  s.vaporPressure = p;
  s.degreeOfSaturation = W / saturated;
  s.enthalpy = Enthalpy(t, W);
  s.specificVolume = SpecificVolume(t, W, P);
  s.dewPoint = pair.second == &State::dewPoint ? pair.value : DewPoint(p, P, over);
  const bool drier = p > 0.0 && std::isnan(s.dewPoint);
  s.wetBulb = std::isnan(wetBulb) ? WetBulb(t, W, P, s.dewPoint, over, logSaturation) : wetBulb;
  result.wetBulbFound = !std::isnan(s.wetBulb);
  s.*pair.second = pair.value;
  // Saturated air given by its dew point comes back within rounding of 100 %.
  const bool above = p > saturation * (1.0 + kRounding) || wetBulb > t || !result.wetBulbFound;
  result.status = above ? Status::Supersaturated : (drier ? Status::DrierThanRange : Status::Ok);
  return result;
}

// The pair whose vapour pressure p is known: refused where it reaches P.
Result FromVaporPressure(const Pair& pair, double p, Phase over) {
  if (!(p < pair.P)) return Refused(pair, Status::VaporPressureNotBelowTotal);
  return Complete(pair, p, HumidityRatio(p, pair.P), kNan, over);
}

}  // namespace

Result FromDryBulbWetBulb(double t, double wetBulb, double P, Phase over) {
  const Pair pair{&State::wetBulb, t, wetBulb, P};
  Status status = Screen(pair);
  if (status == Status::Ok && !Within(wetBulb, kLowestWetBulb, kHighest)) {
    status = Status::OutOfRange;
  }
  if (status != Status::Ok) return Refused(pair, status);
  double W = WetBulbHumidityRatio(t, wetBulb, P);
  if (std::isinf(W)) return Refused(pair, Status::VaporPressureNotBelowTotal);
  if (W < 0.0 && W > -kRoundOff) W = 0.0;
  if (!(W >= 0.0)) return Refused(pair, Status::InvalidInput);
  return Complete(pair, VaporPressure(W, P), W, wetBulb, over);
}

Result FromDryBulbDewPoint(double t, double dewPoint, double P, Phase over) {
  const Pair pair{&State::dewPoint, t, dewPoint, P};
  Status status = Screen(pair);
  if (status == Status::Ok && !Within(dewPoint, kLowest, kHighest)) status = Status::OutOfRange;
  if (status != Status::Ok) return Refused(pair, status);
  return FromVaporPressure(pair, SaturationPressureInAir(dewPoint, P, over), over);
}

Result FromDryBulbRelativeHumidity(double t, double relativeHumidity, double P, Phase over) {
  const Pair pair{&State::relativeHumidity, t, relativeHumidity, P};
  Status status = Screen(pair);
  if (status == Status::Ok && relativeHumidity < 0.0) status = Status::InvalidInput;
  if (status != Status::Ok) return Refused(pair, status);
  const double p = relativeHumidity / kPercent * SaturationPressureInAir(t, P, over);
  return FromVaporPressure(pair, p, over);
}

Result FromDryBulbHumidityRatio(double t, double humidityRatio, double P, Phase over) {
  const Pair pair{&State::humidityRatio, t, humidityRatio, P};
  Status status = Screen(pair);
  if (status == Status::Ok && humidityRatio < 0.0) status = Status::InvalidInput;
  if (status != Status::Ok) return Refused(pair, status);
  return Complete(pair, VaporPressure(humidityRatio, P), humidityRatio, kNan, over);
}

}  // namespace hygrian::air::handbook

// The decision on a dry-bulb pair written once over the number type of
// air/handbook/lanes.h, as the relations are: the screening of the given
// values, their forward values, and the masks their outcome is told from.
// The scalar computations (air/handbook/cases.cpp) take one lane; the array
// entry point (air/handbook/vector.cpp) takes them in SIMD lanes and leaves
// every state whose outcome is not plainly Ok to the scalar decision: the same
// bits either way. `kind` is the State field of the second value: wetBulb,
// dewPoint, relativeHumidity or humidityRatio.
// Included once per number type, without a guard: see air/handbook/one_lane.h and
// air/handbook/vector.cpp.

#include <limits>

#include "air/handbook/relations.h"

namespace hygrian::air::HYGRIAN_LANES {

template <class L>
HYGRIAN_LANES_INLINE typename L::M InRange(typename L::V x, double lowest, double highest) {
  return L::And(x >= L::Set(lowest), x <= L::Set(highest));
}

// Whether t and P, and a given wet-bulb or dew point, are in the model's
// range (NaN is in no range): where not, the pair is out of range, unless a
// value is not finite or P not positive (invalid input).
template <class L>
HYGRIAN_LANES_INLINE typename L::M InModelRange(typename L::V t, typename L::V value,
                                                typename L::V P, double State::*kind) {
  namespace h = handbook;
  const typename L::M given = L::And(InRange<L>(t, h::kLowest, h::kHighest),
                                     InRange<L>(P, h::kLowestPressure, h::kHighestPressure));
  if (kind == &State::wetBulb) {
    return L::And(given, InRange<L>(value, h::kLowestWetBulb, h::kHighest));
  }
  if (kind == &State::dewPoint) {
    return L::And(given, InRange<L>(value, h::kLowest, h::kHighest));
  }
  return given;
}
// Where the screen passes given values: in the model's range, a relative
// humidity or humidity ratio finite and not negative (else invalid input).
template <class L>
HYGRIAN_LANES_INLINE typename L::M ScreenPasses(typename L::V t, typename L::V value,
                                                typename L::V P, double State::*kind) {
  const typename L::M inRange = InModelRange<L>(t, value, P, kind);
  if (kind != &State::relativeHumidity && kind != &State::humidityRatio) return inRange;
  return L::And(inRange, InRange<L>(value, 0.0, std::numeric_limits<double>::max()));
}

// Ice at and below the triple point under the ice convention, else water.
template <class L>
HYGRIAN_LANES_INLINE typename L::M IceAt(typename L::V t, bool overIce) {
  return L::And(L::Uniform(overIce), t <= L::Set(handbook::kTriplePoint));
}

// The forward values of screened given values: the vapour pressure p (kPa)
// and humidity ratio W, the saturation pressure in air at t with its log, the
// relative humidity (percent), the saturation humidity ratio (NaN at and
// above boiling), the enthalpy and the specific volume.
template <class L>
struct PairForward {
  typename L::V p, W, saturation;
  Sloped<L> atDryBulb;
  typename L::V relativeHumidity, saturated, enthalpy, volume;
};
template <class L>
HYGRIAN_LANES_INLINE PairForward<L> ForwardOfPair(typename L::V t, typename L::V value,
                                                  typename L::V P, double State::*kind,
                                                  bool overIce) {
  using V = typename L::V;
  using M = typename L::M;
  const V zero = L::Set(0.0);
  const V percent = L::Set(100.0);
  // kg/kg: the psychrometric equation's rounding near dry air (its terms
  // cancel): a wet-bulb within about 1e-12 K of dry air's gives no more than
  // this below 0.
  const V roundOff = L::Set(-1e-15);
  PairForward<L> f;
  const M iceAtT = IceAt<L>(t, overIce);
  const Saturation<L> atT = SaturationInAir<L>(t, P, iceAtT, L::And(L::Not(iceAtT), t < zero));
  f.atDryBulb = atT.log;
  f.saturation = atT.pressure;
  if (kind == &State::relativeHumidity) {
    f.p = value / percent * f.saturation;
    f.W = HumidityRatio<L>(f.p, P);
  } else if (kind == &State::dewPoint) {
    const M ice = IceAt<L>(value, overIce);
    f.p = SaturationInAir<L>(value, P, ice, L::And(L::Not(ice), value < zero)).pressure;
    f.W = HumidityRatio<L>(f.p, P);
  } else if (kind == &State::humidityRatio) {
    f.W = value;
    f.p = VaporPressure<L>(f.W, P);
  } else {
    // The wick as handbook::WetBulbHumidityRatio has it under the convention.
    const M ice =
        L::And(L::Uniform(overIce), L::Or(value < zero, L::And(value == zero, t <= zero)));
    const V W = WetBulbPoint<L>(t, value, P, ice, L::Uniform(!overIce)).value;
    f.W = L::Select(L::And(W < zero, roundOff < W), zero, W);
    f.p = VaporPressure<L>(f.W, P);
  }
  f.saturated = L::Select(f.saturation < P, HumidityRatio<L>(f.saturation, P),
                          L::Set(std::numeric_limits<double>::quiet_NaN()));
  f.relativeHumidity = percent * f.p / f.saturation;
  f.enthalpy = Enthalpy<L>(t, f.W);
  f.volume = SpecificVolume<L>(t, f.W, P);
  return f;
}

// Where the vapour pressure of screened values reaches P: a given wet-bulb's
// W infinite, a relative humidity's or dew point's p not below P.
template <class L>
HYGRIAN_LANES_INLINE typename L::M PressureReached(double State::*kind, typename L::V p,
                                                   typename L::V W, typename L::V P) {
  if (kind == &State::wetBulb) {
    return L::Abs(W) == L::Set(std::numeric_limits<double>::infinity());
  }
  if (kind == &State::humidityRatio) return L::Uniform(false);
  return L::Not(p < P);
}
// Where screened values' forward values are no state: the vapour pressure
// reaches P, or (invalid input) a wet-bulb's W is negative or NaN, the
// relative humidity above kMostPercent or W above kMostOfSaturation times
// saturation's.
template <class L>
HYGRIAN_LANES_INLINE typename L::M IsRefused(double State::*kind, typename L::V p, typename L::V W,
                                             typename L::V P, typename L::V relativeHumidity,
                                             typename L::V saturated) {
  typename L::M invalid = L::Or(relativeHumidity > L::Set(handbook::kMostPercent),
                                W > L::Set(handbook::kMostOfSaturation) * saturated);
  if (kind == &State::wetBulb) invalid = L::Or(invalid, L::Not(W >= L::Set(0.0)));
  return L::Or(PressureReached<L>(kind, p, W, P), invalid);
}

// Whether a state not refused is above saturation: p above the saturation
// pressure beyond rounding (saturated air given by its dew point comes back
// within rounding of 100 %), a given wet-bulb above the dry-bulb, or no
// wet-bulb found.
template <class L>
HYGRIAN_LANES_INLINE typename L::M AboveSaturation(double State::*kind, typename L::V t,
                                                   typename L::V value, typename L::V p,
                                                   typename L::V saturation,
                                                   typename L::M wetBulbFound) {
  typename L::M above =
      L::Or(p > saturation * L::Set(1.0 + handbook::kSaturationRounding), L::Not(wetBulbFound));
  if (kind == &State::wetBulb) above = L::Or(above, value > t);
  return above;
}

}  // namespace hygrian::air::HYGRIAN_LANES

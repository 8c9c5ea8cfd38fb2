// The handbook model's forward relations written once over the number type of
// air/handbook/lanes.h (a double for the scalar API, a SIMD vector for the array entry
// point; air/handbook/vector.cpp), so both give the same bits. Where the scalar
// relations branch (the phase, f set to 1) these select per lane; a phase is a
// mask: `ice` true for ice, false for liquid water. Units and sources as in
// air/handbook/relations.h, whose scalar functions call these.
// Included once per number type, without a guard: see air/handbook/one_lane.h and
// air/handbook/vector.cpp.

#include <cstddef>
#include <iterator>
#include <limits>

#include "air/handbook/relations.h"

namespace hygrian::air::HYGRIAN_LANES {

namespace constants {
inline constexpr double kLogPascalsPerKilopascal = 6.907755278982137;  // ln 1000
// ASHRAE 2017 ch. 1 eq. 5, ln p (Pa) over ice, T in K.
inline constexpr double kIceInverse = -5.6745359e3;  // C1, coefficient of 1/T
inline constexpr double kIceConstant = 6.3925247;    // C2
inline constexpr double kIceLinear = -9.677843e-3;   // C3, of T
inline constexpr double kIceSquare = 6.2215701e-7;   // C4, of T^2
inline constexpr double kIceCube = 2.0747825e-9;     // C5, of T^3
inline constexpr double kIceFourth = -9.484024e-13;  // C6, of T^4
inline constexpr double kIceLog = 4.1635019;         // C7, of ln T
// ASHRAE 2017 ch. 1 eq. 6, ln p (Pa) over liquid water, T in K (no T^4 term).
inline constexpr double kWaterInverse = -5.8002206e3;  // C8, coefficient of 1/T
inline constexpr double kWaterConstant = 1.3914993;    // C9
inline constexpr double kWaterLinear = -4.8640239e-2;  // C10, of T
inline constexpr double kWaterSquare = 4.1764768e-5;   // C11, of T^2
inline constexpr double kWaterCube = -1.4452093e-8;    // C12, of T^3
inline constexpr double kWaterLog = 6.5459673;         // C13, of ln T
// Hardy (1998) coefficients of Greenspan's enhancement factor: alpha = sum A_i
// T^i, beta = exp(sum B_i T^i), T in K.
struct Enhancement {
  double a0, a1, a2, a3;
  double b0, b1, b2, b3;
};
inline constexpr Enhancement kOverIce{-6.0190570e-2, 7.3984060e-4, -3.0897838e-6, 4.3669918e-9,
                                      -9.4868712e1,  7.2392075e-1, -2.1963437e-3, 2.4668279e-6};
inline constexpr Enhancement kOverSupercooled{-5.5898100e-2, 6.7140389e-4, -2.7492721e-6,
                                              3.8268958e-9,  -8.1985393e1, 5.8230823e-1,
                                              -1.6340527e-3, 1.6725084e-6};
inline constexpr Enhancement kOverWater{-1.6302041e-1, 1.8071570e-3, -6.7703064e-6, 8.5813609e-9,
                                        -5.9890467e1,  3.4378043e-1, -7.7326396e-4, 6.3405286e-7};
// ASHRAE 2017 eqs. 26, 30, 33 and 35.
inline constexpr double kDryAirGasConstant = 0.287042;   // kJ/(kg K)
inline constexpr double kVolumeVapourFactor = 1.607858;  // 1 / kMassRatio
inline constexpr double kDryAirHeat = 1.006;             // kJ/(kg K)
inline constexpr double kVapourEnthalpy = 2501.0;        // kJ/kg of vapour at 0 degrees C
inline constexpr double kVapourHeat = 1.86;              // kJ/(kg K)
inline constexpr double kWaterLatentSlope = 2.326;       // eq. 33: 4.186 - 1.86, kJ/(kg K)
inline constexpr double kWaterHeat = 4.186;              // eq. 33: liquid water, kJ/(kg K)
inline constexpr double kIceEnthalpy = 2830.0;           // eq. 35: sublimation at 0 degrees C
inline constexpr double kIceLatentSlope = 0.24;          // eq. 35: 2.1 - 1.86, kJ/(kg K)
inline constexpr double kIceHeat = 2.1;                  // eq. 35: ice, kJ/(kg K)
}  // namespace constants

// A value with its slope d/dT (per K).
template <class L>
struct Sloped {
  typename L::V value;
  typename L::V slope;
};

// d ln p / dT (per K) of pure water vapour at T (K) over ice or water, with
// inverse = 1 / T: no ln needed.
template <class L>
HYGRIAN_LANES_INLINE typename L::V LogPureSlope(typename L::V T, typename L::V inverse,
                                                typename L::M ice) {
  using V = typename L::V;
  namespace c = constants;
  const auto pick = [ice](double overIce, double overWater) {
    return L::Select(ice, L::Set(overIce), L::Set(overWater));
  };
  const V cInverse = pick(c::kIceInverse, c::kWaterInverse);
  const V cSquare = pick(c::kIceSquare, c::kWaterSquare);
  const V cCube = pick(c::kIceCube, c::kWaterCube);
  const V cFourth = pick(c::kIceFourth, 0.0);
  const V slopes =
      T * (L::Set(2.0) * cSquare + T * (L::Set(3.0) * cCube + T * (L::Set(4.0) * cFourth)));
  return (pick(c::kIceLog, c::kWaterLog) - cInverse * inverse) * inverse +
         pick(c::kIceLinear, c::kWaterLinear) + slopes;
}

// ln p (p in kPa) of pure water vapour at T (K) over ice or water, and d ln p / dT.
template <class L>
HYGRIAN_LANES_INLINE Sloped<L> LogPure(typename L::V T, typename L::M ice) {
  using V = typename L::V;
  namespace c = constants;
  const auto pick = [ice](double overIce, double overWater) {
    return L::Select(ice, L::Set(overIce), L::Set(overWater));
  };
  const V inverse = L::Set(1.0) / T;
  const V logT = Log<L>(T);
  const V cLinear = pick(c::kIceLinear, c::kWaterLinear);
  const V cSquare = pick(c::kIceSquare, c::kWaterSquare);
  const V cCube = pick(c::kIceCube, c::kWaterCube);
  const V cFourth = pick(c::kIceFourth, 0.0);
  const V powers = T * (cLinear + T * (cSquare + T * (cCube + T * cFourth)));
  return {pick(c::kIceInverse, c::kWaterInverse) * inverse +
              pick(c::kIceConstant, c::kWaterConstant) + powers +
              pick(c::kIceLog, c::kWaterLog) * logT - L::Set(c::kLogPascalsPerKilopascal),
          LogPureSlope<L>(T, inverse, ice)};
}

// The parts of ln f that depend on T (K) alone, with Hardy's set for ice,
// supercooled water or water: alpha, beta and their slopes per K.
template <class L>
struct EnhancementParts {
  typename L::V alpha, alphaSlope, beta, betaSlope;
};
template <class L>
HYGRIAN_LANES_INLINE EnhancementParts<L> EnhancementAt(typename L::V T, typename L::M ice,
                                                       typename L::M supercooled) {
  using V = typename L::V;
  namespace c = constants;
  const auto pick = [ice, supercooled](double c::Enhancement::*member) {
    return L::Select(
        ice, L::Set(c::kOverIce.*member),
        L::Select(supercooled, L::Set(c::kOverSupercooled.*member), L::Set(c::kOverWater.*member)));
  };
  const V a1 = pick(&c::Enhancement::a1);
  const V a2 = pick(&c::Enhancement::a2);
  const V a3 = pick(&c::Enhancement::a3);
  const V b1 = pick(&c::Enhancement::b1);
  const V b2 = pick(&c::Enhancement::b2);
  const V b3 = pick(&c::Enhancement::b3);
  const V two = L::Set(2.0);
  const V three = L::Set(3.0);
  const V beta = Exp<L>(pick(&c::Enhancement::b0) + T * (b1 + T * (b2 + T * b3)));
  return {pick(&c::Enhancement::a0) + T * (a1 + T * (a2 + T * a3)),
          a1 + T * (two * a2 + T * (three * a3)), beta,
          beta * (b1 + T * (two * b2 + T * (three * b3)))};
}

// ln f for the pure saturation pressure `pure` (kPa) whose d ln p / dT is
// pureSlope, at P (kPa), from the parts at T; 0 and 0 where pure >= P or ln f
// would be negative (f is 1 there).
template <class L>
HYGRIAN_LANES_INLINE Sloped<L> LogEnhancement(const EnhancementParts<L>& e, typename L::V pure,
                                              typename L::V pureSlope, typename L::V P) {
  using V = typename L::V;
  const V one = L::Set(1.0);
  const V ratio = pure * (one / P);
  const V inverse = P / pure;
  const V value = e.alpha * (one - ratio) + e.beta * (inverse - one);
  const V slope = e.alphaSlope * (one - ratio) - e.alpha * ratio * pureSlope +
                  e.betaSlope * (inverse - one) - e.beta * inverse * pureSlope;
  const auto none = L::Or(L::Not(pure < P), value < L::Set(0.0));
  return {L::Select(none, L::Set(0.0), value), L::Select(none, L::Set(0.0), slope)};
}

// f p_ws (kPa) with its log and the log's slope per K.
template <class L>
struct Saturation {
  Sloped<L> log;
  typename L::V pressure;
};

// e^x for the small x that ln f is (0 to 0.126 from -100 to 200 degrees C and
// 10 to 1,000 kPa): Taylor's series to x^11, whose next term is below 1e-20
// relative up to 0.2; beyond (Hardy's f extrapolated far below the model's
// range) Exp itself.
template <class L>
HYGRIAN_LANES_INLINE typename L::V SmallExp(typename L::V x) {
  using V = typename L::V;
  // 1/k!, k = 11 down to 2, as doubles.
  constexpr double kInverseFactorials[] = {2.505210838544172e-08,  2.755731922398589e-07,
                                           2.7557319223985893e-06, 2.48015873015873e-05,
                                           0.0001984126984126984,  0.001388888888888889,
                                           0.008333333333333333,   0.041666666666666664,
                                           0.16666666666666666,    0.5};
  V sum = L::Set(kInverseFactorials[0]);
  for (std::size_t k = 1; k < std::size(kInverseFactorials); ++k) {
    sum = L::Set(kInverseFactorials[k]) + x * sum;
  }
  const V series = L::Set(1.0) + x * (L::Set(1.0) + x * sum);
  const auto small = x <= L::Set(0.2);
  if (L::All(small)) return series;
  return L::Select(small, series, Exp<L>(x));
}

// ln(f p_ws) (kPa) at t (degrees C) and P (kPa), with its slope per K, and f
// p_ws itself (p_ws times f, f from ln f by SmallExp).
template <class L>
HYGRIAN_LANES_INLINE Saturation<L> SaturationInAir(typename L::V t, typename L::V P,
                                                   typename L::M ice, typename L::M supercooled) {
  const typename L::V T = t + L::Set(handbook::kKelvinOffset);
  const Sloped<L> pure = LogPure<L>(T, ice);
  const typename L::V pressure = Exp<L>(pure.value);
  const Sloped<L> f =
      LogEnhancement<L>(EnhancementAt<L>(T, ice, supercooled), pressure, pure.slope, P);
  return {{pure.value + f.value, pure.slope + f.slope}, pressure * SmallExp<L>(f.value)};
}

// ln(f p_ws) alone.
template <class L>
HYGRIAN_LANES_INLINE Sloped<L> LogSaturationInAir(typename L::V t, typename L::V P,
                                                  typename L::M ice, typename L::M supercooled) {
  return SaturationInAir<L>(t, P, ice, supercooled).log;
}

// The same from the parts that depend on the temperature alone, computed once
// (handbook::ZeroParts, with these relations for one lane): `yes` in the lanes
// where `pick` holds, else `no`. The same bits, without their exp and log.
template <class L>
HYGRIAN_LANES_INLINE Saturation<L> SaturationFromParts(const handbook::ZeroParts& yes,
                                                       const handbook::ZeroParts& no,
                                                       typename L::M pick, typename L::V P) {
  const auto of = [pick](double ifYes, double ifNo) {
    return L::Select(pick, L::Set(ifYes), L::Set(ifNo));
  };
  const EnhancementParts<L> e{of(yes.alpha, no.alpha), of(yes.alphaSlope, no.alphaSlope),
                              of(yes.beta, no.beta), of(yes.betaSlope, no.betaSlope)};
  const typename L::V logPure = of(yes.logPure, no.logPure);
  const typename L::V pureSlope = of(yes.pureSlope, no.pureSlope);
  const typename L::V pure = of(yes.pure, no.pure);
  const Sloped<L> f = LogEnhancement<L>(e, pure, pureSlope, P);
  return {{logPure + f.value, pureSlope + f.slope}, pure * SmallExp<L>(f.value)};
}

// At 0 degrees C over ice or (not supercooled) water.
template <class L>
HYGRIAN_LANES_INLINE Saturation<L> SaturationAtZero(typename L::V P, typename L::M ice) {
  return SaturationFromParts<L>(handbook::AtZero(true), handbook::AtZero(false), ice, P);
}

// W of vapour pressure p at total pressure P (ASHRAE 2017 eq. 20), and the inverse.
template <class L>
HYGRIAN_LANES_INLINE typename L::V HumidityRatio(typename L::V p, typename L::V P) {
  return L::Set(handbook::kMassRatio) * p / (P - p);
}
template <class L>
HYGRIAN_LANES_INLINE typename L::V VaporPressure(typename L::V W, typename L::V P) {
  return P * W / (L::Set(handbook::kMassRatio) + W);
}

// kJ per kg of dry air (eq. 30) and cubic metres per kg of dry air (eq. 26).
template <class L>
HYGRIAN_LANES_INLINE typename L::V Enthalpy(typename L::V t, typename L::V W) {
  namespace c = constants;
  return L::Set(c::kDryAirHeat) * t + W * (L::Set(c::kVapourEnthalpy) + L::Set(c::kVapourHeat) * t);
}
template <class L>
HYGRIAN_LANES_INLINE typename L::V SpecificVolume(typename L::V t, typename L::V W,
                                                  typename L::V P) {
  namespace c = constants;
  return L::Set(c::kDryAirGasConstant) * (t + L::Set(handbook::kKelvinOffset)) *
         (L::Set(1.0) + L::Set(c::kVolumeVapourFactor) * W) / P;
}

// The psychrometric equation's constants over the wick's phase: eq. 35 (ice)
// or eq. 33 (water).
template <class L>
struct Wick {
  typename L::V latent, latentSlope, heat;
};
template <class L>
HYGRIAN_LANES_INLINE Wick<L> WickOf(typename L::M ice) {
  namespace c = constants;
  const auto pick = [ice](double overIce, double overWater) {
    return L::Select(ice, L::Set(overIce), L::Set(overWater));
  };
  return {pick(c::kIceEnthalpy, c::kVapourEnthalpy), pick(c::kIceLatentSlope, c::kWaterLatentSlope),
          pick(c::kIceHeat, c::kWaterHeat)};
}

// W of air at t whose wet-bulb is x, with Ws the saturation humidity ratio at x
// over the wick's phase: eq. 33 or eq. 35.
template <class L>
HYGRIAN_LANES_INLINE typename L::V PsychrometricHumidityRatio(typename L::V t, typename L::V x,
                                                              typename L::V Ws, typename L::M ice) {
  const Wick<L> w = WickOf<L>(ice);
  const typename L::V dry = L::Set(constants::kDryAirHeat);
  return ((w.latent - w.latentSlope * x) * Ws - dry * (t - x)) /
         (w.latent + L::Set(constants::kVapourHeat) * t - w.heat * x);
}

// d/dx of PsychrometricHumidityRatio at x = d, the dew point over the wick's
// phase, where Ws is W (per K): Ws's slope from the pure saturation's (f's own
// slope left out), so an estimate, for a search's start.
template <class L>
HYGRIAN_LANES_INLINE typename L::V PsychrometricSlopeAtDewPoint(typename L::V t, typename L::V d,
                                                                typename L::V W,
                                                                typename L::M ice) {
  using V = typename L::V;
  namespace c = constants;
  const V T = d + L::Set(handbook::kKelvinOffset);
  const V WsSlope = W * (L::Set(1.0) + W * L::Set(1.0 / handbook::kMassRatio)) *
                    LogPureSlope<L>(T, L::Set(1.0) / T, ice);
  const Wick<L> w = WickOf<L>(ice);
  const V denominator = w.latent + L::Set(c::kVapourHeat) * t - w.heat * d;
  const V numeratorSlope =
      L::Set(c::kDryAirHeat) - w.latentSlope * W + (w.latent - w.latentSlope * d) * WsSlope;
  return (numeratorSlope + w.heat * PsychrometricHumidityRatio<L>(t, d, W, ice)) / denominator;
}

// The same with Ws from `at`, f p_ws at x over the wick with its log, and its
// slope dW/dx (per K); both +infinity where f p_ws reaches P.
template <class L>
HYGRIAN_LANES_INLINE Sloped<L> WetBulbHumidityRatioAndSlope(typename L::V t, typename L::V x,
                                                            typename L::V P, typename L::M ice,
                                                            Saturation<L> at) {
  using V = typename L::V;
  namespace c = constants;
  const V saturation = at.pressure;
  const Sloped<L> log = at.log;
  const V below = L::Set(1.0) / (P - saturation);
  const V Ws = L::Set(handbook::kMassRatio) * saturation * below;
  const V WsSlope = Ws * P * log.slope * below;
  const Wick<L> w = WickOf<L>(ice);
  const V dry = L::Set(c::kDryAirHeat);
  const V numerator = (w.latent - w.latentSlope * x) * Ws - dry * (t - x);
  const V denominator = w.latent + L::Set(c::kVapourHeat) * t - w.heat * x;
  const V inverse = L::Set(1.0) / denominator;
  const V W = numerator * inverse;
  // d(N/D)/dx with dD/dx = -heat.
  const V numeratorSlope =
      L::Set(0.0) - w.latentSlope * Ws + (w.latent - w.latentSlope * x) * WsSlope + dry;
  const V slope = (numeratorSlope + w.heat * W) * inverse;
  const auto boiling = L::Not(saturation < P);
  const V infinity = L::Set(std::numeric_limits<double>::infinity());
  return {L::Select(boiling, infinity, W), L::Select(boiling, infinity, slope)};
}

}  // namespace hygrian::air::HYGRIAN_LANES

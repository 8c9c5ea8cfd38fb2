#include "air/handbook.h"

#include <limits>

#include "air/exp_log.h"
#include "air/lanes.h"

namespace hygrian::air::handbook {
namespace {

constexpr double kLogPascalsPerKilopascal = 6.907755278982137;  // ln 1000

// ASHRAE 2017 ch. 1 eq. 5, ln p (Pa) over ice, T in K.
constexpr double kIceInverse = -5.6745359e3;  // C1, coefficient of 1/T
constexpr double kIceConstant = 6.3925247;    // C2
constexpr double kIceLinear = -9.677843e-3;   // C3, of T
constexpr double kIceSquare = 6.2215701e-7;   // C4, of T^2
constexpr double kIceCube = 2.0747825e-9;     // C5, of T^3
constexpr double kIceFourth = -9.484024e-13;  // C6, of T^4
constexpr double kIceLog = 4.1635019;         // C7, of ln T

// ASHRAE 2017 ch. 1 eq. 6, ln p (Pa) over liquid water, T in K.
constexpr double kWaterInverse = -5.8002206e3;  // C8, coefficient of 1/T
constexpr double kWaterConstant = 1.3914993;    // C9
constexpr double kWaterLinear = -4.8640239e-2;  // C10, of T
constexpr double kWaterSquare = 4.1764768e-5;   // C11, of T^2
constexpr double kWaterCube = -1.4452093e-8;    // C12, of T^3
constexpr double kWaterLog = 6.5459673;         // C13, of ln T

// Hardy (1998) coefficients of Greenspan's enhancement factor: alpha = sum A_i T^i,
// beta = exp(sum B_i T^i), T in K.
struct Enhancement {
  double a0, a1, a2, a3;
  double b0, b1, b2, b3;
};
constexpr Enhancement kOverIce{-6.0190570e-2, 7.3984060e-4, -3.0897838e-6, 4.3669918e-9,
                               -9.4868712e1,  7.2392075e-1, -2.1963437e-3, 2.4668279e-6};
constexpr Enhancement kOverSupercooled{-5.5898100e-2, 6.7140389e-4, -2.7492721e-6, 3.8268958e-9,
                                       -8.1985393e1,  5.8230823e-1, -1.6340527e-3, 1.6725084e-6};
constexpr Enhancement kOverWater{-1.6302041e-1, 1.8071570e-3, -6.7703064e-6, 8.5813609e-9,
                                 -5.9890467e1,  3.4378043e-1, -7.7326396e-4, 6.3405286e-7};

// ASHRAE 2017 eqs. 26, 30, 33 and 35.
constexpr double kDryAirGasConstant = 0.287042;   // kJ/(kg K)
constexpr double kVolumeVapourFactor = 1.607858;  // 1 / kMassRatio
constexpr double kDryAirHeat = 1.006;             // kJ/(kg K)
constexpr double kVapourEnthalpy = 2501.0;        // kJ/kg of vapour at 0 degrees C
constexpr double kVapourHeat = 1.86;              // kJ/(kg K)
constexpr double kWaterLatentSlope = 2.326;       // eq. 33: 4.186 - 1.86, kJ/(kg K)
constexpr double kWaterHeat = 4.186;              // eq. 33: liquid water, kJ/(kg K)
constexpr double kIceEnthalpy = 2830.0;           // eq. 35: sublimation at 0 degrees C, kJ/kg
constexpr double kIceLatentSlope = 0.24;          // eq. 35: 2.1 - 1.86, kJ/(kg K)
constexpr double kIceHeat = 2.1;                  // eq. 35: ice, kJ/(kg K)

double Kelvin(double t) { return t + kKelvinOffset; }

double Cubic(double c0, double c1, double c2, double c3, double T) {
  return c0 + T * (c1 + T * (c2 + T * c3));
}

}  // namespace

Phase SaturatingPhase(double t, Phase over) {
  return over == Phase::Ice && t <= kTriplePoint ? Phase::Ice : Phase::Water;
}

Branch BranchAt(double t, Phase over) {
  const Phase phase = SaturatingPhase(t, over);
  return {phase, phase == Phase::Water && t < 0.0};
}

namespace {

// ln p (p in kPa) of pure water vapour over `phase` at T (K), and d ln p / dT.
LogSaturation LogPure(double T, Phase phase) {
  const double inverse = 1.0 / T;
  const double logT = Log<Lanes>(T);
  if (phase == Phase::Ice) {
    const double powers = T * (kIceLinear + T * (kIceSquare + T * (kIceCube + T * kIceFourth)));
    const double slopes = T * (2.0 * kIceSquare + T * (3.0 * kIceCube + T * 4.0 * kIceFourth));
    return {
        kIceInverse * inverse + kIceConstant + powers + kIceLog * logT - kLogPascalsPerKilopascal,
        (kIceLog - kIceInverse * inverse) * inverse + kIceLinear + slopes};
  }
  const double powers = T * (kWaterLinear + T * (kWaterSquare + T * kWaterCube));
  const double slopes = T * (2.0 * kWaterSquare + T * 3.0 * kWaterCube);
  return {kWaterInverse * inverse + kWaterConstant + powers + kWaterLog * logT -
              kLogPascalsPerKilopascal,
          (kWaterLog - kWaterInverse * inverse) * inverse + kWaterLinear + slopes};
}

}  // namespace

double LogPureSaturationPressure(double t, Phase phase) { return LogPure(Kelvin(t), phase).value; }

double LogPureSaturationSlope(double t, Phase phase) { return LogPure(Kelvin(t), phase).slope; }

double PureSaturationPressure(double t, Phase phase) {
  return Exp<Lanes>(LogPureSaturationPressure(t, phase));
}

namespace {

// ln f at t (T in K) for the pure saturation pressure `pure` (kPa) whose slope
// d ln p / dT is `pureSlope`, and its own slope; 0 and 0 where f is 1.
LogSaturation LogEnhancement(double T, double pure, double pureSlope, double P, Branch branch) {
  if (!(pure < P)) return {};
  const Enhancement& c =
      branch.phase == Phase::Ice ? kOverIce : (branch.supercooled ? kOverSupercooled : kOverWater);
  const double alpha = Cubic(c.a0, c.a1, c.a2, c.a3, T);
  const double alphaSlope = c.a1 + T * (2.0 * c.a2 + T * 3.0 * c.a3);
  const double beta = Exp<Lanes>(Cubic(c.b0, c.b1, c.b2, c.b3, T));
  const double betaSlope = beta * (c.b1 + T * (2.0 * c.b2 + T * 3.0 * c.b3));
  const double ratio = pure * (1.0 / P);  // and its slope ratio * pureSlope
  const double inverse = P / pure;
  const double value = alpha * (1.0 - ratio) + beta * (inverse - 1.0);
  if (value < 0.0) return {};
  const double slope = alphaSlope * (1.0 - ratio) - alpha * ratio * pureSlope +
                       betaSlope * (inverse - 1.0) - beta * inverse * pureSlope;
  return {value, slope};
}

}  // namespace

double EnhancementFactor(double t, double pure, double P, Branch branch) {
  const double slope = LogPureSaturationSlope(t, branch.phase);
  return Exp<Lanes>(LogEnhancement(Kelvin(t), pure, slope, P, branch).value);
}

LogSaturation LogSaturationInAir(double t, double P, Branch branch) {
  const double T = Kelvin(t);
  const LogSaturation pure = LogPure(T, branch.phase);
  const LogSaturation f = LogEnhancement(T, Exp<Lanes>(pure.value), pure.slope, P, branch);
  return {pure.value + f.value, pure.slope + f.slope};
}

double SaturationPressureInAir(double t, double P, Branch branch) {
  return Exp<Lanes>(LogSaturationInAir(t, P, branch).value);
}

double SaturationPressureInAir(double t, double P, Phase over) {
  return SaturationPressureInAir(t, P, BranchAt(t, over));
}

double HumidityRatio(double p, double P) { return kMassRatio * p / (P - p); }

double VaporPressure(double W, double P) { return P * W / (kMassRatio + W); }

double HumidityRatioAt(double t, double relativeHumidity, double P, Phase over) {
  constexpr double kPercent = 100.0;
  const double p = relativeHumidity / kPercent * SaturationPressureInAir(t, P, over);
  return p < P ? HumidityRatio(p, P) : std::numeric_limits<double>::infinity();
}

double Enthalpy(double t, double W) { return kDryAirHeat * t + W * VaporEnthalpy(t); }

double VaporEnthalpy(double t) { return kVapourEnthalpy + kVapourHeat * t; }

double LiquidWaterEnthalpy(double t) { return kWaterHeat * t; }

double SpecificVolume(double t, double W, double P) {
  return kDryAirGasConstant * Kelvin(t) * (1.0 + kVolumeVapourFactor * W) / P;
}

double WetBulbHumidityRatio(double t, double x, double P) {
  // At 0 itself the wick is ice when the air is no warmer: saturated air at 0.
  const bool ice = x < 0.0 || (x == 0.0 && t <= 0.0);
  return WetBulbHumidityRatio(t, x, P, ice ? Phase::Ice : Phase::Water);
}

double WetBulbHumidityRatio(double t, double x, double P, Phase wick) {
  return WetBulbHumidityRatioAndSlope(t, x, P, wick).W;
}

WetBulbPoint WetBulbHumidityRatioAndSlope(double t, double x, double P, Phase wick) {
  return WetBulbHumidityRatioAndSlope(t, x, P, wick, LogSaturationInAir(x, P, Branch{wick, false}));
}

namespace {

// The psychrometric equation's constants over the wick's phase: eq. 33 (water)
// or eq. 35 (ice).
struct Wick {
  double latent, latentSlope, heat;
};
Wick WickOf(Phase wick) {
  if (wick == Phase::Ice) return {kIceEnthalpy, kIceLatentSlope, kIceHeat};
  return {kVapourEnthalpy, kWaterLatentSlope, kWaterHeat};
}

}  // namespace

double PsychrometricHumidityRatio(double t, double x, double Ws, Phase wick) {
  const Wick c = WickOf(wick);
  return ((c.latent - c.latentSlope * x) * Ws - kDryAirHeat * (t - x)) /
         (c.latent + kVapourHeat * t - c.heat * x);
}

WetBulbPoint WetBulbHumidityRatioAndSlope(double t, double x, double P, Phase wick,
                                          LogSaturation log) {
  constexpr double kInfinity = std::numeric_limits<double>::infinity();
  const double saturation = Exp<Lanes>(log.value);
  if (!(saturation < P)) return {kInfinity, kInfinity};
  const double below = 1.0 / (P - saturation);
  const double Ws = kMassRatio * saturation * below;
  const double WsSlope = Ws * P * log.slope * below;
  const auto [latent, latentSlope, heat] = WickOf(wick);
  const double numerator = (latent - latentSlope * x) * Ws - kDryAirHeat * (t - x);
  const double denominator = latent + kVapourHeat * t - heat * x;
  const double inverse = 1.0 / denominator;
  const double W = numerator * inverse;
  // d(N/D)/dx with dD/dx = -heat.
  const double numeratorSlope =
      -latentSlope * Ws + (latent - latentSlope * x) * WsSlope + kDryAirHeat;
  return {W, (numeratorSlope + heat * W) * inverse};
}

}  // namespace hygrian::air::handbook

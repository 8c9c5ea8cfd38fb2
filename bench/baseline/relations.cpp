#include "bench/baseline/relations.h"

#include "bench/baseline/checked.h"

namespace hygrian::baseline::air {
namespace {

constexpr double Single(float value) { return static_cast<double>(value); }

constexpr double kMolecularMassRatio = Single(0.62198F);  // water / dry air

// Wet-bulb relation and enthalpy.
constexpr double kLatentHeat = Single(2501.0F);         // kJ/kg, vaporisation at 0 degrees C
constexpr double kLatentSlope = Single(2.411F);         // kJ/(kg K), latent heat change
constexpr double kDryAirHeat = Single(1.006F);          // kJ/(kg K), dry air
constexpr double kVaporHeat = Single(1.775F);           // kJ/(kg K), water vapour
constexpr double kLiquidHeat = Single(4.186F);          // kJ/(kg K), liquid water
constexpr double kVolumeVaporFactor = Single(1.6078F);  // specific volume: per unit W

// Ice: ln p = constant - inverse / T - log * ln T.
constexpr double kIceConstant = Single(24.2779F);
constexpr double kIceInverse = Single(6238.64F);
constexpr double kIceLog = Single(0.344438F);

// Water: ln p = -inverse / T + linear T + constant - square T^2 - cube T^3
// + fourth T^4 - log ln T.
constexpr double kWaterInverse = Single(7511.52F);
constexpr double kWaterLinear = Single(0.02399897F);
constexpr double kWaterConstant = Single(89.63121F);
constexpr double kWaterSquare = 1.1654551e-05;
constexpr double kWaterCube = 1.2810336e-08;
constexpr double kWaterFourth = 2.0998405e-11;
constexpr double kWaterLog = Single(12.150799F);

// Dew point: td = a2 alpha^2 + a1 alpha + a0 with alpha = ln p.
struct DewPointRange {
  double a2, a1, a0;
};
constexpr DewPointRange kFreezing{Single(0.4273F), Single(12.41F), Single(5.994F)};  // t <= 0
constexpr DewPointRange kMild{Single(1.079F), Single(14.38F), Single(6.983F)};       // t <= 50
constexpr DewPointRange kHot{Single(1.991F), Single(9.478F), Single(13.80F)};        // t > 50

constexpr double kSearchTolerance = 1e-06;
constexpr int kSearchPasses = 100;

}  // namespace

double SaturationPressureOverIce(double T) {
  const Checked lead = kIceConstant - kIceInverse / Checked(T);
  const Checked logTerm = kIceLog * Log(T);
  return Exp(lead - logTerm).Value();
}

double SaturationPressureOverWater(double T) {
  const Checked t = T;
  Checked sum = -kWaterInverse / t;
  sum = sum + kWaterLinear * t;
  sum = sum + kWaterConstant;
  sum = sum - kWaterSquare * Pow(t, 2.0);
  sum = sum - kWaterCube * Pow(t, 3.0);
  sum = sum + kWaterFourth * Pow(t, 4.0);
  sum = sum - kWaterLog * Log(t);
  return Exp(sum).Value();
}

double SaturationPressure(double T) {
  return T <= KelvinOffset ? SaturationPressureOverIce(T) : SaturationPressureOverWater(T);
}

double HumidityRatioFromPressure(double p, double P) {
  const Checked numerator = kMolecularMassRatio * Checked(p);
  const Checked denominator = Checked(P) - p;
  return (numerator / denominator).Value();
}

double PressureFromHumidityRatio(double W, double P) {
  const Checked numerator = Checked(W) * P;
  const Checked denominator = Checked(W) + kMolecularMassRatio;
  return (numerator / denominator).Value();
}

double HumidityRatioFromWetBulb(double t, double tw, double Wsw) {
  Checked latent = kLatentHeat - kLatentSlope * Checked(tw);
  latent = latent * Wsw;
  const Checked sensible = kDryAirHeat * (Checked(t) - tw);
  const Checked numerator = latent - sensible;
  Checked denominator = kLatentHeat + kVaporHeat * Checked(t);
  denominator = denominator - kLiquidHeat * Checked(tw);
  return (numerator / denominator).Value();
}

double DewPointFromPressure(double p, double t) {
  const DewPointRange& r = t <= 0.0 ? kFreezing : (t <= 50.0 ? kMild : kHot);
  const Checked alpha = Log(p);
  Checked td = r.a2 * Pow(alpha, 2.0);
  td = td + r.a1 * alpha;
  return (td + r.a0).Value();
}

double Enthalpy(double t, double W) {
  const Checked perKgVapor = kLatentHeat + kVaporHeat * Checked(t);
  const Checked vapour = perKgVapor * W;
  return (vapour + kDryAirHeat * Checked(t)).Value();
}

double SpecificVolume(double T, double W, double R, double P) {
  const Checked dryAir = Checked(R) * T / P;
  const Checked moistFactor = 1.0 + kVolumeVaporFactor * Checked(W);
  return (dryAir * moistFactor).Value();
}

double WetBulbResidual(double t, double x, double W, double P) {
  const double T = (Checked(x) + KelvinOffset).Value();
  const double saturated = HumidityRatioFromPressure(SaturationPressure(T), P);
  return (Checked(W) - HumidityRatioFromWetBulb(t, x, saturated)).Value();
}

WetBulbSearch FindWetBulb(double t, double td, double& tw, double W, double P,
                          const GiveUpNotice& onGiveUp) {
  Checked x = td;
  Checked previous = WetBulbResidual(t, t, W, P);
  Checked step = Checked(td) - t;
  WetBulbSearch search;
  while (search.passes < kSearchPasses) {
    ++search.passes;
    const Checked current = WetBulbResidual(t, x.Value(), W, P);
    if (Abs(current) <= kSearchTolerance) {
      tw = x.Value();
      search.found = true;
      return search;
    }
    const Checked difference = previous - current;
    if (difference.Value() == 0.0) break;
    step = current / difference * step;
    x = x + step;
    if (Abs(step) <= kSearchTolerance) {
      tw = x.Value();
      search.found = true;
      return search;
    }
    previous = current;
  }
  if (onGiveUp) onGiveUp();
  return search;
}

}  // namespace hygrian::baseline::air

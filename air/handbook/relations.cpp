#include "air/handbook/relations.h"

#include <cmath>
#include <limits>

#include "air/handbook/lanes.h"
#include "air/handbook/one_lane.h"

// The relations themselves are air/handbook/relations-inl.h's, for one lane: the
// array entry point computes the same bits with them in SIMD vectors.
namespace hygrian::air::handbook {
namespace {

namespace g = one_lane;

double Kelvin(double t) { return t + kKelvinOffset; }

bool IsIce(Phase phase) { return phase == Phase::Ice; }

LogSaturation Plain(g::Sloped<Lanes> s) { return {s.value, s.slope}; }

}  // namespace

Phase SaturatingPhase(double t, Phase over) {
  return over == Phase::Ice && t <= kTriplePoint ? Phase::Ice : Phase::Water;
}

Branch BranchAt(double t, Phase over) {
  const Phase phase = SaturatingPhase(t, over);
  return {phase, phase == Phase::Water && t < 0.0};
}

double LogPureSaturationPressure(double t, Phase phase) {
  return g::LogPure<Lanes>(Kelvin(t), IsIce(phase)).value;
}

double LogPureSaturationSlope(double t, Phase phase) {
  return g::LogPure<Lanes>(Kelvin(t), IsIce(phase)).slope;
}

double PureSaturationPressure(double t, Phase phase) {
  return g::Exp<Lanes>(LogPureSaturationPressure(t, phase));
}

double EnhancementFactor(double t, double pure, double P, Branch branch) {
  const double slope = LogPureSaturationSlope(t, branch.phase);
  const g::EnhancementParts<Lanes> parts =
      g::EnhancementAt<Lanes>(Kelvin(t), IsIce(branch.phase), branch.supercooled);
  return g::Exp<Lanes>(g::LogEnhancement<Lanes>(parts, pure, slope, P).value);
}

namespace {

// At t as SaturationInAir computes them there.
ZeroParts PartsAt(double t, bool ice, bool supercooled) {
  const g::Sloped<Lanes> pure = g::LogPure<Lanes>(Kelvin(t), ice);
  const g::EnhancementParts<Lanes> e = g::EnhancementAt<Lanes>(Kelvin(t), ice, supercooled);
  return {pure.value, pure.slope, g::Exp<Lanes>(pure.value), e.alpha, e.alphaSlope,
          e.beta,     e.betaSlope};
}

// Computed when the library loads, not on first use: a function's own static
// would need the C++ run-time's guards, which a C program linking the static
// archive does not have.
const ZeroParts kIceAtZero = PartsAt(0.0, true, false);
const ZeroParts kWaterAtZero = PartsAt(0.0, false, false);
const ZeroParts kSupercooledAtZero = PartsAt(0.0, false, true);
const ZeroParts kIceAtTriplePoint = PartsAt(kTriplePoint, true, false);
const ZeroParts kWaterAtTriplePoint = PartsAt(kTriplePoint, false, false);

}  // namespace

const ZeroParts& AtZero(bool ice) { return ice ? kIceAtZero : kWaterAtZero; }

const ZeroParts& AtSeam(Phase over, bool below) {
  if (over == Phase::Ice) return below ? kIceAtTriplePoint : kWaterAtTriplePoint;
  return below ? kSupercooledAtZero : kWaterAtZero;
}

LogSaturation LogSaturationInAir(double t, double P, Branch branch) {
  return Plain(g::LogSaturationInAir<Lanes>(t, P, IsIce(branch.phase), branch.supercooled));
}

double SaturationPressureInAir(double t, double P, Branch branch) {
  return g::SaturationInAir<Lanes>(t, P, IsIce(branch.phase), branch.supercooled).pressure;
}

double SaturationPressureInAir(double t, double P, Phase over) {
  return SaturationPressureInAir(t, P, BranchAt(t, over));
}

double HumidityRatio(double p, double P) { return g::HumidityRatio<Lanes>(p, P); }

double HumidityRatioOfVaporPressure(double p, double P) {
  if (!(std::isfinite(p) && p >= 0.0 && p < P)) return std::numeric_limits<double>::quiet_NaN();
  return HumidityRatio(p, P);
}

double VaporPressure(double W, double P) { return g::VaporPressure<Lanes>(W, P); }

double HumidityRatioAt(double t, double relativeHumidity, double P, Phase over) {
  constexpr double kPercent = 100.0;
  const double p = relativeHumidity / kPercent * SaturationPressureInAir(t, P, over);
  return p < P ? HumidityRatio(p, P) : std::numeric_limits<double>::infinity();
}

double SpecificHumidity(double W) { return W / (1.0 + W); }

double Enthalpy(double t, double W) { return g::Enthalpy<Lanes>(t, W); }

double VaporEnthalpy(double t) {
  return g::constants::kVapourEnthalpy + g::constants::kVapourHeat * t;
}

double LiquidWaterEnthalpy(double t) { return g::constants::kWaterHeat * t; }

double SpecificVolume(double t, double W, double P) { return g::SpecificVolume<Lanes>(t, W, P); }

double WetBulbHumidityRatio(double t, double x, double P, Phase over) {
  // At 0 itself the ice wick is ice when the air is no warmer: saturated air at 0.
  const bool ice = over == Phase::Ice && (x < 0.0 || (x == 0.0 && t <= 0.0));
  return g::WetBulbPoint<Lanes>(t, x, P, ice, over == Phase::Water).value;
}

}  // namespace hygrian::air::handbook

#include "air/calculator/relations.h"

namespace hygrian::air {
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

// Each relation is written once, as a body generic in its number type, and runs
// first on plain doubles: the same operations in the same order, so the same
// value. Faults are rare and a fault always leaves an infinity or a NaN behind,
// in the value itself or in the one intermediate named as hidden (a denominator,
// whose infinity would give a quotient of zero, or the argument of exp, whose
// minus infinity would give zero). Only when one of the two is not finite does
// the body run again on Checked numbers, which name the first fault.
template <typename Number>
struct Traced {
  Number value;
  Number hidden;
};

template <typename Number>
Traced(Number, Number) -> Traced<Number>;

template <typename Body, typename... Arguments>
Checked Evaluate(const Body& body, Arguments... arguments) {
  const Traced<double> plain = body(arguments...);
  if (std::isfinite(plain.value) && std::isfinite(plain.hidden)) return plain.value;
  return body(Checked(arguments)...).value;
}

// The plain counterparts of the checked math functions.
double Log(double x) { return std::log(x); }
double Exp(double x) { return std::exp(x); }
double Pow(double x, double y) { return std::pow(x, y); }

}  // namespace

Checked SaturationPressureOverIce(double T) {
  return Evaluate(
      [](auto t) {
        const auto lead = kIceConstant - kIceInverse / t;
        const auto logTerm = kIceLog * Log(t);
        const auto exponent = lead - logTerm;
        return Traced{Exp(exponent), exponent};
      },
      T);
}

Checked SaturationPressureOverWater(double T) {
  return Evaluate(
      [](auto t) {
        auto sum = -kWaterInverse / t;
        sum = sum + kWaterLinear * t;
        sum = sum + kWaterConstant;
        sum = sum - kWaterSquare * Pow(t, 2.0);
        sum = sum - kWaterCube * Pow(t, 3.0);
        sum = sum + kWaterFourth * Pow(t, 4.0);
        sum = sum - kWaterLog * Log(t);
        return Traced{Exp(sum), sum};
      },
      T);
}

Checked SaturationPressure(double T) {
  return T <= kKelvinOffset ? SaturationPressureOverIce(T) : SaturationPressureOverWater(T);
}

Checked HumidityRatioFromPressure(double p, double P) {
  return Evaluate(
      [](auto vapour, auto total) {
        const auto numerator = kMolecularMassRatio * vapour;
        const auto denominator = total - vapour;
        return Traced{numerator / denominator, denominator};
      },
      p, P);
}

Checked PressureFromHumidityRatio(double W, double P) {
  return Evaluate(
      [](auto ratio, auto total) {
        const auto numerator = ratio * total;
        const auto denominator = ratio + kMolecularMassRatio;
        return Traced{numerator / denominator, denominator};
      },
      W, P);
}

Checked SaturationHumidityRatio(double T, double P) {
  FaultLatch first;
  const double p = first(SaturationPressure(T));
  return first.Finish(HumidityRatioFromPressure(p, P));
}

Checked HumidityRatioFromWetBulb(double t, double tw, double Wsw) {
  return Evaluate(
      [](auto dry, auto wet, auto saturated) {
        auto latent = kLatentHeat - kLatentSlope * wet;
        latent = latent * saturated;
        const auto sensible = kDryAirHeat * (dry - wet);
        const auto numerator = latent - sensible;
        auto denominator = kLatentHeat + kVaporHeat * dry;
        denominator = denominator - kLiquidHeat * wet;
        return Traced{numerator / denominator, denominator};
      },
      t, tw, Wsw);
}

Checked DewPointFromPressure(double p, double t) {
  const DewPointRange& r = t <= 0.0 ? kFreezing : (t <= 50.0 ? kMild : kHot);
  return Evaluate(
      [&r](auto vapour) {
        const auto alpha = Log(vapour);
        auto td = r.a2 * Pow(alpha, 2.0);
        td = td + r.a1 * alpha;
        td = td + r.a0;
        return Traced{td, td};
      },
      p);
}

double SpecificHumidity(double W) { return W / (1.0 + W); }

Checked Enthalpy(double t, double W) {
  return Evaluate(
      [](auto dry, auto ratio) {
        const auto perKgVapor = kLatentHeat + kVaporHeat * dry;
        const auto vapour = perKgVapor * ratio;
        const auto h = vapour + kDryAirHeat * dry;
        return Traced{h, h};
      },
      t, W);
}

Checked SpecificVolume(double T, double W, double R, double P) {
  return Evaluate(
      [](auto absolute, auto ratio, auto gas, auto total) {
        const auto dryAir = gas * absolute / total;
        const auto moistFactor = 1.0 + kVolumeVaporFactor * ratio;
        const auto v = dryAir * moistFactor;
        return Traced{v, v};
      },
      T, W, R, P);
}

Checked WetBulbResidual(double t, double x, double W, double P) {
  FaultLatch first;
  const double T = first(Checked(x) + kKelvinOffset);
  const double saturated = first(SaturationHumidityRatio(T, P));
  return first.Finish(Checked(W) - HumidityRatioFromWetBulb(t, x, saturated));
}

WetBulbSearch FindWetBulb(double t, double td, double W, double P) {
  FaultLatch first;
  const double T = first(Checked(t) + kKelvinOffset);
  const double saturated = first(SaturationHumidityRatio(T, P));
  if (!first.Ok()) return {.fault = first.FirstFault()};
  return FindWetBulb(t, td, W, P, saturated);
}

WetBulbSearch FindWetBulb(double t, double td, double W, double P, double saturatedAtDryBulb) {
  WetBulbSearch search;
  // g(t), from the saturation humidity ratio at t that the caller already has.
  Checked previous = Checked(W) - HumidityRatioFromWetBulb(t, t, saturatedAtDryBulb);
  Checked step = Checked(td) - t;
  // Each value is tested before the next one is used, so the search stops at
  // its first fault.
  if (!previous.Ok() || !step.Ok()) {
    search.fault = previous.Ok() ? step.FirstFault() : previous.FirstFault();
    return search;
  }
  double x = td;
  while (search.passes < kSearchPasses) {
    ++search.passes;
    const Checked current = WetBulbResidual(t, x, W, P);
    if (!current.Ok()) {
      search.fault = current.FirstFault();
      return search;
    }
    if (Abs(current) <= kSearchTolerance) {
      search.found = true;
      search.wetBulb = x;
      return search;
    }
    const Checked difference = previous - current;
    if (difference.Ok() && difference.Value() == 0.0) break;
    step = current / difference * step;
    const Checked next = Checked(x) + step;
    if (!next.Ok()) {
      search.fault = next.FirstFault();
      return search;
    }
    x = next.Value();
    if (Abs(step) <= kSearchTolerance) {
      search.found = true;
      search.wetBulb = x;
      return search;
    }
    previous = current;
  }
  return search;
}

}  // namespace hygrian::air

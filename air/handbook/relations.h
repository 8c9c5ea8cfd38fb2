// The handbook model's forward relations: saturation pressure over ice and over
// liquid water, the enhancement factor, and the humidity measures and state
// properties of moist air with the handbook's constants (ASHRAE Handbook
// Fundamentals 2017 ch. 1). Temperatures t in degrees C, pressures in kPa,
// humidity ratios W in kg of water per kg of dry air. Plain doubles in and out,
// no faults: a value outside a relation's range gives whatever the formula gives,
// and the callers keep to the ranges below.
//
//   PureSaturationPressure(20.0, Phase::Water) is 2.33880 kPa;
//   EnhancementFactor(20.0, 2.33880, 101.325, Phase::Water) is 1.00399.
#pragma once

#include "hygrian/psychrometrics.h"

namespace hygrian::air::handbook {

inline constexpr double kLowest = -100.0;        // degrees C, the model's lowest temperature
inline constexpr double kHighest = 200.0;        // degrees C, its highest
inline constexpr double kLowestPressure = 10.0;  // kPa
inline constexpr double kHighestPressure = 1e3;  // kPa
inline constexpr double kTriplePoint = 0.01;     // degrees C
inline constexpr double kMassRatio = 0.621945;   // water / dry air, ASHRAE 2017 eq. 20
inline constexpr double kKelvinOffset = 273.15;  // K at 0 degrees C
// The outcomes' bounds (air/handbook/cases.cpp): a wet-bulb given below the
// lowest is out of range; a relative humidity above the most percent, or a
// humidity ratio above the most times saturation's, is no state; a vapour
// pressure within the rounding (relative) above saturation is saturation.
inline constexpr double kLowestWetBulb = -150.0;  // degrees C, see WetBulb
inline constexpr double kMostPercent = 200.0;
inline constexpr double kMostOfSaturation = 10.0;
inline constexpr double kSaturationRounding = 1e-12;

// The phase in equilibrium with saturated air at t under the convention `over`:
// ice at and below the triple point under Phase::Ice, liquid water everywhere else.
Phase SaturatingPhase(double t, Phase over);

// One smooth, rising piece of the saturation relation in moist air: its phase
// and, for water, which of Hardy's two sets of f applies.
struct Branch {
  Phase phase = Phase::Water;
  bool supercooled = false;  // water's set for below 0 degrees C
};
// The piece that holds at t under `over` (supercooled water below 0 degrees C).
Branch BranchAt(double t, Phase over);

// ln of the saturation pressure (kPa) of pure water vapour over `phase` at t:
// ASHRAE 2017 ch. 1 eq. 5 (ice) and eq. 6 (liquid water; extrapolated below the
// triple point for supercooled water), Hyland and Wexler 1983.
double LogPureSaturationPressure(double t, Phase phase);
// d ln p / dT (per K) of the same relation.
double LogPureSaturationSlope(double t, Phase phase);
// exp(LogPureSaturationPressure(t, phase)), kPa.
double PureSaturationPressure(double t, Phase phase);

// f, the ratio of the saturation pressure in moist air at total pressure P to the
// pure one `pure` (kPa) at t on `branch`: Greenspan's form with Hardy's (1998)
// coefficients for ice, supercooled water and water. 1 where pure >= P (no
// condensed phase at that pressure), and never below 1. The sets do not quite
// meet: at the triple point f over ice is 1.2e-4 above f over water (101.325
// kPa), at 0 degrees C the two water sets differ by 3e-6.
double EnhancementFactor(double t, double pure, double P, Branch branch);

// ln(f p_ws) (p in kPa) at t on `branch`, with its slope d/dT per K (f's own
// included): what the inverses' Newton steps need.
struct LogSaturation {
  double value = 0.0;
  double slope = 0.0;
};
LogSaturation LogSaturationInAir(double t, double P, Branch branch);

// f p_ws (kPa) at t on `branch`, and on the branch that holds at t under `over`
// (p_ws times f, not the exp of LogSaturationInAir: the two may differ in the
// last bits).
double SaturationPressureInAir(double t, double P, Branch branch);
double SaturationPressureInAir(double t, double P, Phase over);

// W of vapour pressure p at total pressure P (ASHRAE 2017 eq. 20), and the inverse.
double HumidityRatio(double p, double P);
double VaporPressure(double W, double P);
// HumidityRatio for a given vapour pressure p: NaN where p is below 0, at or above
// P or not finite (no humidity ratio; the pair refuses it).
double HumidityRatioOfVaporPressure(double p, double P);

// W of air at t with relativeHumidity (percent) under `over`: eq. 20 with
// the vapour pressure relativeHumidity / 100 f p_ws; +infinity where that
// pressure reaches P.
double HumidityRatioAt(double t, double relativeHumidity, double P, Phase over);

// kg of water vapour per kg of moist air of humidity ratio W (ASHRAE 2017
// eq. 9): W / (1 + W). 0.0125 gives 0.012345679.
double SpecificHumidity(double W);

// kJ per kg of dry air (ASHRAE 2017 eq. 30): 1.006 t + W (2501 + 1.86 t).
double Enthalpy(double t, double W);
// kJ per kg of water vapour at t (ASHRAE 2017 eq. 30's vapour term): 2501 + 1.86 t.
double VaporEnthalpy(double t);
// kJ per kg of liquid water at t (ASHRAE 2017 eq. 33's liquid term): 4.186 t.
double LiquidWaterEnthalpy(double t);

// Cubic metres per kg of dry air (ASHRAE 2017 eq. 26):
// 0.287042 (t + 273.15)(1 + 1.607858 W) / P.
double SpecificVolume(double t, double W, double P);

// W of air at dry-bulb t whose thermodynamic wet-bulb is x (degrees C), by the
// psychrometric equation with the saturation humidity ratio at x and P over
// the wick's phase under `over`: Phase::Ice has the handbook's wick, ice below
// 0 degrees C (eq. 35; and at 0 when t <= 0), water from 0 up (eq. 33);
// Phase::Water a liquid wick at every temperature (eq. 33, over supercooled
// water below 0: eq. 6 extrapolated with Hardy's set of f for it).
// +infinity where that saturation pressure reaches P. At x = 0 < t this is
// the water end of the plateau.
//   WetBulbHumidityRatio(40.0, 20.0, 101.325, Phase::Ice) is 0.006460.
double WetBulbHumidityRatio(double t, double x, double P, Phase over);

// The parts of the saturation relation in moist air at 0 degrees C that do not
// depend on the pressure, over ice (ice true) or water: ln p_ws (kPa), its
// slope per K, p_ws, and Hardy's alpha and beta with their slopes. Computed
// once, by the relations for one lane.
struct ZeroParts {
  double logPure, pureSlope, pure, alpha, alphaSlope, beta, betaSlope;
};
const ZeroParts& AtZero(bool ice);
// The same at the seam where the dew point's two pieces meet under `over`
// (the triple point under Phase::Ice, 0 degrees C under Phase::Water), on the
// piece below it (ice, or supercooled water) or the one above (water).
const ZeroParts& AtSeam(Phase over, bool below);

}  // namespace hygrian::air::handbook

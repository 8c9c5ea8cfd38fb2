// Moist-air relations at a fixed total pressure: saturation pressure over ice and
// over water, humidity ratio, the wet-bulb relation, the dew-point correlation,
// enthalpy, specific volume, and the secant search for the wet-bulb temperature.
// Temperatures in degrees C unless named T (kelvin, t + 273.16); pressures in kPa.
//
// The relations take plain doubles and return a Checked value: read the result
// with .Value() and the first fault with .FirstFault() (Fault::None, or .Ok(),
// when there was none). No relation has a side effect or throws.
//
//   const Checked p = SaturationPressure(293.16);  // p.Value() is 2.3387...
//   if (!p.Ok()) Report(FaultText(p.FirstFault()));
#pragma once

#include "air/calculator/checked.h"
#include "hygrian/psychrometrics.h"

namespace hygrian::air {

// The nine reported properties of one air sample, in print order: the public
// State itself (hygrian/properties.h lists them as data).
using MoistAirState = State;

inline constexpr double kDryAirGasConstant = 0.28705;  // kJ/(kg K)

// Added to degrees C to give kelvin; also the ice/water threshold. Like every
// coefficient below it is the single-precision value widened to double.
inline constexpr double kKelvinOffset = static_cast<double>(273.16F);

// p (kPa) over ice and over liquid water at absolute temperature T (K).
Checked SaturationPressureOverIce(double T);
Checked SaturationPressureOverWater(double T);
// The ice relation up to and including T = 273.16 K (0 degrees C), water above.
Checked SaturationPressure(double T);

// W (kg/kg) of vapour pressure p in air at total pressure P, and the inverse.
Checked HumidityRatioFromPressure(double p, double P);
Checked PressureFromHumidityRatio(double W, double P);

// The saturation humidity ratio at absolute temperature T (K) and total pressure P:
// HumidityRatioFromPressure(SaturationPressure(T), P).
Checked SaturationHumidityRatio(double T, double P);

// W from dry-bulb t and wet-bulb tw (degrees C) and Wsw, the saturation humidity
// ratio at tw. 25, 20 and Wsw at 20 give 0.0125990.
Checked HumidityRatioFromWetBulb(double t, double tw, double Wsw);

// Dew point (degrees C) of vapour pressure p; the dry-bulb t chooses the range of
// the correlation (t <= 0, 0 < t <= 50, t > 50). p = 1 gives 5.994, 6.983, 13.80.
Checked DewPointFromPressure(double p, double t);

// kg of water vapour per kg of moist air of humidity ratio W: W / (1 + W), in
// plain doubles (a property the calculator never shows: no fault of it reaches
// a status).
double SpecificHumidity(double W);

// kJ/kg of dry air at t (degrees C) and W. 25, 0.01 give 50.604.
Checked Enthalpy(double t, double W);

// Cubic metres per kg of dry air at T (K), W, gas constant R (kJ/(kg K)), P (kPa).
Checked SpecificVolume(double T, double W, double R, double P);

// g(x) = W - HumidityRatioFromWetBulb(t, x, Ws(x)): zero at the wet-bulb
// temperature x of air at dry-bulb t with humidity ratio W.
Checked WetBulbResidual(double t, double x, double W, double P);

struct WetBulbSearch {
  bool found = false;
  double wetBulb = 0.0;       // degrees C, when found
  int passes = 0;             // secant passes made, at most 100
  Fault fault = Fault::None;  // the search stopped at this fault
};

// Secant search for the root of WetBulbResidual, started from t and the dew point
// td. Finds it when |g| <= 1e-06 or a step of at most 1e-06 is reached; gives up
// (found false, no fault) after 100 passes or when two residuals are equal.
WetBulbSearch FindWetBulb(double t, double td, double W, double P);

// The same search when the saturation humidity ratio at t, Ws(t), is at hand:
// the first residual g(t) is then computed from it instead of from scratch,
// with the same value. Ws(t) must be a value computed without a fault.
WetBulbSearch FindWetBulb(double t, double td, double W, double P, double saturatedAtDryBulb);

}  // namespace hygrian::air

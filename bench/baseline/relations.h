// Moist-air relations at a fixed total pressure: saturation pressure over ice and
// over water, humidity ratio, the wet-bulb relation, the dew-point correlation,
// enthalpy, specific volume, and the secant search for the wet-bulb temperature.
// Temperatures in degrees C unless named T (kelvin, t + 273.16); pressures in kPa.
// Every function throws air::FaultError at the first arithmetic or math-function
// fault and has no other side effect.
#pragma once

#include <functional>

namespace hygrian::baseline::air {

// The nine reported properties of one air sample, in print order.
struct MoistAirState {
  double dryBulb = 0.0;             // degrees C
  double wetBulb = 0.0;             // degrees C
  double dewPoint = 0.0;            // degrees C
  double relativeHumidity = 0.0;    // percent
  double enthalpy = 0.0;            // kJ per kg of dry air (= J/g)
  double humidityRatio = 0.0;       // kg water vapour per kg dry air
  double degreeOfSaturation = 0.0;  // humidity ratio over its saturation value
  double specificVolume = 0.0;      // cubic metres per kg of dry air
  double vaporPressure = 0.0;       // kPa
};

inline constexpr double StandardPressure = 101.325;   // kPa
inline constexpr double DryAirGasConstant = 0.28705;  // kJ/(kg K)

// Added to degrees C to give kelvin; also the ice/water threshold. Like every
// coefficient below it is the single-precision value widened to double.
inline constexpr double KelvinOffset = static_cast<double>(273.16F);

// p (kPa) over ice and over liquid water at absolute temperature T (K).
double SaturationPressureOverIce(double T);
double SaturationPressureOverWater(double T);
// The ice relation up to and including T = 273.16 K (0 degrees C), water above.
double SaturationPressure(double T);

// W (kg/kg) of vapour pressure p in air at total pressure P, and the inverse.
double HumidityRatioFromPressure(double p, double P);
double PressureFromHumidityRatio(double W, double P);

// W from dry-bulb t and wet-bulb tw (degrees C) and Wsw, the saturation humidity
// ratio at tw. 25, 20 and Wsw at 20 give 0.0125990.
double HumidityRatioFromWetBulb(double t, double tw, double Wsw);

// Dew point (degrees C) of vapour pressure p; the dry-bulb t chooses the range of
// the correlation (t <= 0, 0 < t <= 50, t > 50). p = 1 gives 5.994, 6.983, 13.80.
double DewPointFromPressure(double p, double t);

// kJ/kg of dry air at t (degrees C) and W. 25, 0.01 give 50.604.
double Enthalpy(double t, double W);

// Cubic metres per kg of dry air at T (K), W, gas constant R (kJ/(kg K)), P (kPa).
double SpecificVolume(double T, double W, double R, double P);

// g(x) = W - HumidityRatioFromWetBulb(t, x, Ws(x)): zero at the wet-bulb
// temperature x of air at dry-bulb t with humidity ratio W.
double WetBulbResidual(double t, double x, double W, double P);

// Called when the search gives up, before it returns.
using GiveUpNotice = std::function<void()>;

struct WetBulbSearch {
  bool found = false;
  int passes = 0;  // secant passes made, at most 100
};

// Secant search for the root of WetBulbResidual, started from t and the dew point
// td. Writes tw only when |g| <= 1e-06 or a step of at most 1e-06 is reached;
// gives up after 100 passes or when two residuals are equal.
WetBulbSearch FindWetBulb(double t, double td, double& tw, double W, double P,
                          const GiveUpNotice& onGiveUp);

}  // namespace hygrian::baseline::air

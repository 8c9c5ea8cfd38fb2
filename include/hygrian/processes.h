// What air-handling equipment does to moist air, by the handbook model (ASHRAE
// Handbook Fundamentals 2017 ch. 1, "Typical air-conditioning processes"): the
// adiabatic mixing of two streams, sensible heating or cooling, a cooling and
// dehumidifying coil, evaporative cooling, and humidification by steam or by
// water. Each is a pure
// function of entering states given by their dry-bulb (degrees C) and humidity
// ratio (kg/kg), a dry-air mass flow (kg/s) and its parameters, at one total
// pressure (kPa); it returns the leaving state, the heat rates (kW) and the
// water's flow (kg/s), with a status of hygrian/outcomes.h. A flow of 1 kg/s
// gives the quantities per kg of dry air (kJ/kg, kg/kg). Nothing is thrown.
//
//   const hygrian::ProcessResult r = hygrian::HeatTo(2.0, 0.0044, 40.0, 12.7);
//   // r.leaving.dryBulb 40, r.totalLoad = 12.7 (h2 - h1), about 489 kW
#pragma once

#include "hygrian/export.h"
#include "hygrian/psychrometrics.h"

namespace hygrian {

struct ProcessResult {
  // The leaving state; on a status with no state computed (not Ok,
  // Supersaturated, AboveIceSaturation or DrierThanRange), all 0.0.
  State leaving;
  double flow = 0.0;  // kg/s of dry air leaving
  // Heat rates in kW, positive when heat is added to the air (negative for a
  // coil). sensibleLoad changes the dry-bulb at the leaving humidity ratio,
  // latentLoad the humidity ratio at the entering dry-bulb; they sum to the
  // change of the air's enthalpy flow. totalLoad is the heat crossing the
  // equipment's boundary: that change less the enthalpy flow of the water added
  // (or plus that of the condensate leaving).
  double sensibleLoad = 0.0;
  double latentLoad = 0.0;
  double totalLoad = 0.0;
  // sensibleLoad / (sensibleLoad + latentLoad); 1 with no latent load; NaN
  // where both are 0.
  double sensibleHeatRatio = 0.0;
  // kg/s of water: added (humidifiers, positive) or condensed (coil, negative),
  // with its enthalpy in kJ per kg of water.
  double water = 0.0;
  double waterEnthalpy = 0.0;
  Status status = Status::Ok;
};

// One entering stream: dry-bulb (degrees C), humidity ratio (kg/kg) and dry-air
// mass flow (kg/s, not negative).
struct Stream {
  double dryBulb = 0.0;
  double humidityRatio = 0.0;
  double flow = 0.0;
};

// Adiabatic mixing at pressure P (ASHRAE 2017 ch. 1 eqs. 46 to 48): the
// dry-air flows add, W and h are the flow-weighted means, and the dry-bulb
// follows from them. A mixture above saturation is fog (status Fog, a
// warning): the leaving state is saturated air at the temperature where it and
// the water beyond saturation, condensed at that temperature (liquid, or ice
// at and below 0.01 degrees C over ice), hold the mixture's enthalpy; water is
// that water's flow (kg/s, negative) and waterEnthalpy its enthalpy. No heat
// crosses: the loads are 0. Flows of 0 together are InvalidInput.
//
//   Mix({-20, 0.000637, 1}, {30, 0.024484, 1}) (saturated at -20, 90 % at 30
//   degrees C): fog at 13.08 degrees C, leaving W 0.009418, water -0.00628 kg/s.
[[nodiscard]] HYGRIAN_API ProcessResult Mix(Stream a, Stream b, double P = StandardPressure,
                                            Phase over = Phase::Ice) noexcept;

// The dry-air mass flow (kg/s) of a volume flow (m^3/s) of air at dry-bulb t
// (degrees C) and humidity ratio W (kg/kg): volumeFlow / v (eq. 26). 1 m^3/s
// at 20 degrees C, W 0.0073 and 101.325 kPa is 1.190 kg/s. NaN for a value
// that is not finite or a pressure that is not positive.
[[nodiscard]] HYGRIAN_API double DryAirFlow(double dryBulb, double humidityRatio, double volumeFlow,
                                            double P = StandardPressure) noexcept;

// Mix with each stream's flow in m^3/s at its own state, converted by
// DryAirFlow. A negative or non-finite volume flow is InvalidInput.
[[nodiscard]] HYGRIAN_API ProcessResult MixVolumes(Stream a, Stream b, double P = StandardPressure,
                                                   Phase over = Phase::Ice) noexcept;

// Sensible heating or cooling to leavingDryBulb at the entering humidity ratio
// (eq. 43 with W constant). Cooling below the entering dew point is
// BelowDewPoint (a coil's work: CoolAndDehumidify).
[[nodiscard]] HYGRIAN_API ProcessResult HeatTo(double dryBulb, double humidityRatio,
                                               double leavingDryBulb, double flow,
                                               double P = StandardPressure,
                                               Phase over = Phase::Ice) noexcept;

// Sensible heating (heatRate > 0, kW) or cooling (< 0) of `flow` kg/s: the
// leaving enthalpy is h1 + heatRate / flow at the entering W. A flow of 0 is
// InvalidInput; cooling below the dew point is BelowDewPoint.
[[nodiscard]] HYGRIAN_API ProcessResult HeatBy(double dryBulb, double humidityRatio,
                                               double heatRate, double flow,
                                               double P = StandardPressure,
                                               Phase over = Phase::Ice) noexcept;

// A cooling and dehumidifying coil by its apparatus dew point (degrees C, the
// mean surface temperature) and its bypass factor BF (0 to 1; the contact
// factor is 1 - BF): the leaving W and h are BF of the way from the saturated
// state at the apparatus dew point to the entering state (the bypass-factor
// model of McQuiston, Parker and Spitler, "Heating, Ventilating, and Air
// Conditioning", ch. 3). The condensate leaves at the apparatus dew point
// (eq. 44). An apparatus dew point not below the entering dew point is NoState.
[[nodiscard]] HYGRIAN_API ProcessResult CoolAndDehumidify(double dryBulb, double humidityRatio,
                                                          double apparatusDewPoint,
                                                          double bypassFactor, double flow,
                                                          double P = StandardPressure,
                                                          Phase over = Phase::Ice) noexcept;

// The same coil by its leaving dry-bulb (degrees C) and relative humidity
// (percent, 0 to 100, else InvalidInput); the condensate leaves at the
// leaving dry-bulb (eq. 44). A leaving state warmer or more humid than the
// entering air is NoState.
[[nodiscard]] HYGRIAN_API ProcessResult CoolAndDehumidifyTo(
    double dryBulb, double humidityRatio, double leavingDryBulb, double leavingRelativeHumidity,
    double flow, double P = StandardPressure, Phase over = Phase::Ice) noexcept;

// The apparatus dew point and bypass factor of a coil that takes air at
// dryBulb and humidityRatio to leavingDryBulb and leavingHumidityRatio (degrees
// C, kg/kg) at pressure P (kPa): the apparatus dew point is where the coil's
// condition line, through the two states and straight in humidity ratio and
// enthalpy, first meets saturation beyond the leaving state (to 2^-60 of the
// way from entering to leaving); the bypass factor is the leaving state's share
// of the way back from there to the entering air, (h2 - h_adp) / (h1 - h_adp),
// as CoolAndDehumidify takes it. (The dry-bulbs' (t2 - t_adp) / (t1 - t_adp) is
// that times (1.006 + 1.86 W1) / (1.006 + 1.86 W2), eq. 30: a few parts in a
// thousand more.) A saturated leaving state is its own apparatus dew point,
// bypass factor 0. A line that meets no saturation within 50 times the way
// from entering to leaving (air heated, or humidified) is NoState; a value
// not finite InvalidInput. A steep line from humid air may cross saturation
// twice: the first crossing is taken.
//
//   CoolAndDehumidify(30, 0.015, 10, 0.2, 2) leaves 14.0427 degC, W 0.0091279;
//   CoilConditionOf(30, 0.015, 14.0427..., 0.0091279...) is 10 degC and 0.2
//   (to 1e-13).
struct CoilCondition {
  double apparatusDewPoint = 0.0;  // degrees C
  double bypassFactor = 0.0;
  Status status = Status::Ok;
};
[[nodiscard]] HYGRIAN_API CoilCondition CoilConditionOf(double dryBulb, double humidityRatio,
                                                        double leavingDryBulb,
                                                        double leavingHumidityRatio,
                                                        double P = StandardPressure,
                                                        Phase over = Phase::Ice) noexcept;

// Direct evaporative cooling with the saturation effectiveness e (0 to 1, else
// InvalidInput): the leaving dry-bulb is t1 - e (t1 - t_wb), on the line of
// the entering wet-bulb t_wb (eq. 33 or 35), water supplied at t_wb
// (HumidifyWithWater). e = 1 leaves saturated air at t_wb.
[[nodiscard]] HYGRIAN_API ProcessResult CoolEvaporatively(double dryBulb, double humidityRatio,
                                                          double effectiveness, double flow,
                                                          double P = StandardPressure,
                                                          Phase over = Phase::Ice) noexcept;

// Humidification to leavingHumidityRatio (kg/kg, not below the entering one)
// with steam at steamTemperature (its enthalpy 2501 + 1.86 t, eq. 30), or with
// liquid water at waterTemperature (4.186 t; adiabatic, eq. 45): h2 = h1 +
// (W2 - W1) h_w, the dry-bulb found from W2 and h2. Above saturation the
// status is Supersaturated.
[[nodiscard]] HYGRIAN_API ProcessResult HumidifyWithSteam(double dryBulb, double humidityRatio,
                                                          double leavingHumidityRatio,
                                                          double steamTemperature, double flow,
                                                          double P = StandardPressure,
                                                          Phase over = Phase::Ice) noexcept;
[[nodiscard]] HYGRIAN_API ProcessResult HumidifyWithWater(double dryBulb, double humidityRatio,
                                                          double leavingHumidityRatio,
                                                          double waterTemperature, double flow,
                                                          double P = StandardPressure,
                                                          Phase over = Phase::Ice) noexcept;

// The same to a leaving relative humidity (percent, from the entering one to
// 100, else InvalidInput): the leaving dry-bulb is found on the process line
// by a bracketed search to 1e-9 K, starting from the entering dry-bulb, so the
// first state of that humidity is taken. Where the line meets none in -100 to
// 200 degrees C (steam too hot to reach it before the vapour pressure reaches
// P), NoState.
[[nodiscard]] HYGRIAN_API ProcessResult HumidifyWithSteamToRelativeHumidity(
    double dryBulb, double humidityRatio, double leavingRelativeHumidity, double steamTemperature,
    double flow, double P = StandardPressure, Phase over = Phase::Ice) noexcept;
[[nodiscard]] HYGRIAN_API ProcessResult HumidifyWithWaterToRelativeHumidity(
    double dryBulb, double humidityRatio, double leavingRelativeHumidity, double waterTemperature,
    double flow, double P = StandardPressure, Phase over = Phase::Ice) noexcept;

}  // namespace hygrian

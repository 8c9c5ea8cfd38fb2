// The moist-air relations as the chart draws them: each at one temperature, in
// degrees C, with the total pressure P in kPa, and no value where the relation
// faults or has no physical answer. Each takes the model (and, for the
// handbook's, the phase saturation refers to below the triple point) that the
// points are computed with, so a point and the curves agree. They are
// hygrian/relations.h's, a value or none.
#pragma once

#include <optional>

#include "hygrian/psychrometrics.h"

namespace hygrian::chart {

// The smallest dry-bulb above 0 that the calculator's relations take as over
// water: the first temperature whose kelvin sum exceeds the threshold (about
// 5.7e-14).
double FirstWaterTemperature();

// Saturation pressure (kPa) at t. Calculator: the ice relation up to and
// including 0, water above, as the rest of the program has it. Handbook: in
// moist air at P (with the enhancement factor), over ice or water as
// options.over says, for -100 to 200 degrees C and 10 to 1,000 kPa.
std::optional<double> SaturationPressureAt(double t, double P, hygrian::Options options);

// Saturation humidity ratio (kg/kg) at t; none where the saturation pressure has
// reached P (there the curve has left every chart).
std::optional<double> SaturationHumidityRatio(double t, double P, hygrian::Options options);

// Humidity ratio at t of air with relative humidity rh (percent), its vapour
// pressure being rh / 100 of the saturation pressure.
std::optional<double> HumidityRatioAtRelativeHumidity(double t, double rh, double P,
                                                      hygrian::Options options);

// Humidity ratio on the wet-bulb line of tw at dry-bulb t, by the options'
// model (the handbook's over the wick's own phase: ice below 0 degrees C).
std::optional<double> HumidityRatioOnWetBulbLine(double t, double tw, double P,
                                                 hygrian::Options options);

// Enthalpy (kJ/kg dry air) and specific volume (m3/kg dry air) at t and W.
std::optional<double> EnthalpyAt(double t, double W, hygrian::Options options);
std::optional<double> SpecificVolumeAt(double t, double W, double P, hygrian::Options options);

// The humidity ratio at t that gives the enthalpy h, or the specific volume v.
// Both relations are linear in W, so two evaluations fix the line through them.
std::optional<double> HumidityRatioAtEnthalpy(double t, double h, hygrian::Options options);
std::optional<double> HumidityRatioAtSpecificVolume(double t, double v, double P,
                                                    hygrian::Options options);

}  // namespace hygrian::chart

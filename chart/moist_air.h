// The moist-air relations as the chart draws them: each at one temperature, in
// degrees C, with the total pressure P in kPa, and no value where the relation
// faults or has no physical answer. This is the chart's one door into air/.
#pragma once

#include <optional>

namespace hygrian::chart {

// The smallest dry-bulb above 0 that the relations take as over water: the
// first temperature whose kelvin sum exceeds the threshold (about 5.7e-14).
double FirstWaterTemperature();

// Saturation pressure (kPa) at t: the ice relation up to and including 0, water
// above, as the rest of the program has it.
std::optional<double> SaturationPressureAt(double t);

// Saturation humidity ratio (kg/kg) at t; none where the saturation pressure has
// reached P (there the curve has left every chart).
std::optional<double> SaturationHumidityRatio(double t, double P);

// Humidity ratio at t of air with relative humidity rh (percent), its vapour
// pressure being rh / 100 of the saturation pressure.
std::optional<double> HumidityRatioAtRelativeHumidity(double t, double rh, double P);

// Humidity ratio on the wet-bulb line of tw at dry-bulb t, Wsw being the
// saturation humidity ratio at tw.
std::optional<double> HumidityRatioOnWetBulbLine(double t, double tw, double Wsw);

// Enthalpy (kJ/kg dry air) and specific volume (m3/kg dry air) at t and W.
std::optional<double> EnthalpyAt(double t, double W);
std::optional<double> SpecificVolumeAt(double t, double W, double P);

// The humidity ratio at t that gives the enthalpy h, or the specific volume v.
// Both relations are linear in W, so two evaluations fix the line through them.
std::optional<double> HumidityRatioAtEnthalpy(double t, double h);
std::optional<double> HumidityRatioAtSpecificVolume(double t, double v, double P);

}  // namespace hygrian::chart

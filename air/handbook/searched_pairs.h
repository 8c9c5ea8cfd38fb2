// The handbook model's states from the pairs without the dry-bulb: each finds
// the missing temperature or humidity ratio with FindRoot on the model's own
// forward relations, then completes the state as a dry-bulb pair does. The
// contract is the public one (hygrian/psychrometrics.h).
#pragma once

#include "hygrian/psychrometrics.h"

namespace hygrian::air::handbook {

// Temperatures in degrees C, enthalpy in kJ per kg of dry air, W in kg/kg,
// relative humidity in percent, P in kPa.
Result FromDryBulbEnthalpy(double t, double h, double P, Phase over);
Result FromHumidityRatioEnthalpy(double W, double h, double P, Phase over);
Result FromEnthalpyRelativeHumidity(double h, double relativeHumidity, double P, Phase over);
Result FromWetBulbRelativeHumidity(double wetBulb, double relativeHumidity, double P, Phase over);
Result FromDewPointRelativeHumidity(double dewPoint, double relativeHumidity, double P, Phase over);
Result FromHumidityRatioRelativeHumidity(double W, double relativeHumidity, double P, Phase over);

}  // namespace hygrian::air::handbook

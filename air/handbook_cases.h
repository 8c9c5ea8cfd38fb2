// The handbook model's four ways of completing a moist-air state from one
// measured pair, with its outcomes: the contract is the public one
// (hygrian/psychrometrics.h, Model::Handbook). Pure: no I/O, nothing thrown.
#pragma once

#include "hygrian/psychrometrics.h"

namespace hygrian::air::handbook {

// t, the dry-bulb, and the second value in degrees C (the humidity ratio in
// kg/kg, the relative humidity in percent); P in kPa. 25 and 20 at 101.325 give
// a dew point of 17.60 and a relative humidity of 63.51 percent.
Result FromDryBulbWetBulb(double t, double wetBulb, double P, Phase over);
Result FromDryBulbDewPoint(double t, double dewPoint, double P, Phase over);
Result FromDryBulbRelativeHumidity(double t, double relativeHumidity, double P, Phase over);
Result FromDryBulbHumidityRatio(double t, double humidityRatio, double P, Phase over);

}  // namespace hygrian::air::handbook

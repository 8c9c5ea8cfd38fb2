// The handbook model's four ways of completing a moist-air state from one
// measured pair, with its outcomes: the contract is the public one
// (hygrian/psychrometrics.h, Model::Handbook). Pure: no I/O, nothing thrown.
#pragma once

#include "air/handbook/relations.h"
#include "hygrian/psychrometrics.h"

namespace hygrian::air::handbook {

// t, the dry-bulb, and the second value in degrees C (the humidity ratio in
// kg/kg, the relative humidity in percent); P in kPa. 25 and 20 at 101.325 give
// a dew point of 17.60 and a relative humidity of 63.51 percent.
Result FromDryBulbWetBulb(double t, double wetBulb, double P, Phase over);
Result FromDryBulbDewPoint(double t, double dewPoint, double P, Phase over);
Result FromDryBulbRelativeHumidity(double t, double relativeHumidity, double P, Phase over);
Result FromDryBulbHumidityRatio(double t, double humidityRatio, double P, Phase over);

// The steps of those four, for the array entry point (air/handbook/arrays.h),
// which computes the forward values in SIMD lanes and decides each state's
// outcome with Decide, as the four functions above do. The screen, the forward
// values and the refusals are air/handbook/decision-inl.h's for one lane, the
// very body the lanes run.
//
// The given pair: the State field of the second value (wetBulb, dewPoint,
// relativeHumidity or humidityRatio) and the values.
struct DryBulbPair {
  double State::*second;
  double t;
  double value;
  double P;
};
// Ok where the pair passes the input checks (finite, in range, not negative),
// else the status the state is refused with.
Status ScreenDryBulbPair(const DryBulbPair& given);
// One state's values before its outcome: the vapour pressure p and humidity
// ratio W, the saturation pressure in air at t with its log, the relative
// humidity, the saturation humidity ratio (NaN at and above boiling), enthalpy,
// volume; the dew point and the wet-bulb where already found (else Decide asks
// DewPoint and WetBulb).
struct Forward {
  double p, W;
  double saturation;
  LogSaturation atDryBulb;
  double relativeHumidity, saturated, enthalpy, volume;
  double dewPoint = 0.0;
  bool dewPointKnown = false;
  double wetBulb = 0.0;
  bool wetBulbKnown = false;
};
// The forward values of a screened pair by the scalar relations.
Forward ForwardOf(const DryBulbPair& given, Phase over);
// The state of a pair: refused as Screen says, else Decide on ForwardOf.
Result FromDryBulbPair(const DryBulbPair& given, Phase over);
// The state and its outcome from them; the wet-bulb found as the scalar search
// finds it (a given wet-bulb is taken as it is).
Result Decide(const DryBulbPair& given, const Forward& forward, Phase over);
// The same written into `result` field by field (every field), as the array
// entry point fills its output.
void DecideInto(const DryBulbPair& given, const Forward& forward, Phase over, Result& result);

}  // namespace hygrian::air::handbook

// The handbook model's dry-bulb pairs over arrays: the screening and forward
// values in SIMD lanes (air/handbook/vector.h), each state's outcome, dew point
// finish and wet-bulb as the scalar functions decide them, so every state has the bits
// FromDryBulb... (air/handbook/cases.h) gives it, whatever the array's length,
// its place in the array or the instruction set.
#pragma once

#include <cstddef>

#include "air/handbook/vector.h"
#include "hygrian/psychrometrics.h"

namespace hygrian::air::handbook {

// The given columns: the dry-bulb t (degrees C), the second value and the
// pressure P (kPa; one value for all states when onePressure), n states.
// given: the State member of the second column; second: the one the lanes take
// it as (ForwardLanes: wetBulb, dewPoint, relativeHumidity or humidityRatio).
// With second &State::humidityRatio given may be q (&State::specificHumidity,
// kg/kg of moist air, taken as the humidity ratio q / (1 - q)) or the vapour
// pressure e (&State::vaporPressure, kPa, taken as the humidity ratio
// HumidityRatioOfVaporPressure(e, P)).
struct Columns {
  const double* t;
  const double* value;
  const double* P;
  bool onePressure;
  std::size_t n;
  double State::*second;
  double State::*given;
  // The pair's public function, for the rows refused before any relation.
  Result (*compute)(double, double, double, Options) noexcept;
};

// out[i] is the state of row i, as the scalar function of the pair gives it.
void ComputeStates(const Columns& columns, Result* out, Phase over);

}  // namespace hygrian::air::handbook

// What the measures share: the library's own exp and ln (so every measure has
// the same bits on every platform and in every array), powers made of them,
// the kelvin offset, and the results of a measure refused or out of range.
//
//   Pow(2.0, 10.0) is 1024 to a few ulps; OutOfRange().status is OutsideMeasureRange.
#pragma once

#include <cmath>

#include "air/handbook/one_lane.h"
#include "hygrian/measures.h"

namespace hygrian::air::measures {

inline constexpr double kKelvin = 273.15;  // K at 0 degrees C

inline double Exp(double x) { return one_lane::Exp<Lanes>(x); }
inline double Log(double x) { return one_lane::Log<Lanes>(x); }
// x^y for x > 0 as e^(y ln x): within a few ulps where |y ln x| is small.
inline double Pow(double x, double y) { return Exp(y * Log(x)); }

inline MeasureResult Refused() { return {NotGiven, Status::InvalidInput}; }
inline MeasureResult OutOfRange() { return {NotGiven, Status::OutsideMeasureRange}; }

// Whether every value is a number.
inline bool Finite(double x) { return std::isfinite(x); }
template <typename... More>
bool Finite(double x, More... more) {
  return std::isfinite(x) && Finite(more...);
}

}  // namespace hygrian::air::measures

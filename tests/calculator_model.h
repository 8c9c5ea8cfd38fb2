// The calculator model's computations under their 1.x signatures, for the tests
// that check its bits: a using-declaration of one of these in a test's
// namespace hides the library's function, whose default is the handbook model.
#pragma once

#include "hygrian/psychrometrics.h"

namespace hygrian::calculator {

inline constexpr Options kModel{.model = Model::Calculator};

inline Result FromDryBulbWetBulb(double t, double x, double P = StandardPressure) noexcept {
  return hygrian::FromDryBulbWetBulb(t, x, P, kModel);
}
inline Result FromDryBulbDewPoint(double t, double x, double P = StandardPressure) noexcept {
  return hygrian::FromDryBulbDewPoint(t, x, P, kModel);
}
inline Result FromDryBulbRelativeHumidity(double t, double x,
                                          double P = StandardPressure) noexcept {
  return hygrian::FromDryBulbRelativeHumidity(t, x, P, kModel);
}
inline Result FromDryBulbHumidityRatio(double t, double x, double P = StandardPressure) noexcept {
  return hygrian::FromDryBulbHumidityRatio(t, x, P, kModel);
}
inline Result FromDryBulbSpecificHumidity(double t, double x,
                                          double P = StandardPressure) noexcept {
  return hygrian::FromDryBulbSpecificHumidity(t, x, P, kModel);
}

}  // namespace hygrian::calculator

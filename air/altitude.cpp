// The standard atmosphere's total pressure at an altitude, for the programs'
// --altitude options and for callers who know their height rather than their
// pressure.
#include <cmath>

#include "hygrian/psychrometrics.h"

namespace hygrian {
namespace {

constexpr double kLowest = -5000.0;          // m, the lowest altitude taken
constexpr double kHighest = 11000.0;         // m, the top of the troposphere
constexpr double kLapseFactor = 2.25577e-5;  // per m: the temperature lapse over sea-level T
constexpr double kExponent = 5.2559;         // g / (R lapse rate)

}  // namespace

PressureResult StandardPressureAtAltitude(double metres) noexcept {
  // The comparisons are false for a NaN, which is then invalid too.
  if (!(metres >= kLowest && metres <= kHighest)) return {0.0, Status::InvalidInput};
  const double base = 1.0 - kLapseFactor * metres;
  return {StandardPressure * std::pow(base, kExponent), Status::Ok};
}

}  // namespace hygrian

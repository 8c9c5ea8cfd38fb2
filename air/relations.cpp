#include "hygrian/relations.h"

#include <cmath>
#include <limits>

#include "air/calculator/checked.h"
#include "air/calculator/relations.h"
#include "air/fault_status.h"
#include "air/handbook/relations.h"

namespace hygrian::relations {
namespace {

namespace handbook = air::handbook;

// A value of the calculator's relations: its first fault's status, or a value
// that is not finite as an invalid operation.
Value Of(const air::Checked& result) {
  if (!result.Ok()) return {0.0, air::StatusOf(result.FirstFault())};
  if (!std::isfinite(result.Value())) return {0.0, Status::InvalidOperation};
  return {result.Value(), Status::Ok};
}

// A value of the handbook's relations: none where it is not finite.
Value Finite(double value) {
  if (std::isfinite(value)) return {value, Status::Ok};
  return {0.0, Status::InvalidInput};
}

bool IsHandbook(Options options) { return options.model == Model::Handbook; }

// Within the handbook model's ranges of temperature and pressure (false for a NaN).
bool InHandbookRange(double t, double P) {
  return t >= handbook::kLowest && t <= handbook::kHighest && P >= handbook::kLowestPressure &&
         P <= handbook::kHighestPressure;
}

double Kelvin(double t) { return t + air::kKelvinOffset; }

}  // namespace

Value SaturationPressure(double t, double P, Options options) noexcept {
  if (!IsHandbook(options)) return Of(air::SaturationPressure(Kelvin(t)));
  if (!InHandbookRange(t, P)) return {0.0, Status::OutOfRange};
  return Finite(handbook::SaturationPressureInAir(t, P, options.over));
}

Value HumidityRatio(double p, double P, Options options) noexcept {
  if (!(p < P)) return {0.0, Status::VaporPressureNotBelowTotal};
  if (IsHandbook(options)) return Finite(handbook::HumidityRatio(p, P));
  return Of(air::HumidityRatioFromPressure(p, P));
}

Value SaturationHumidityRatio(double t, double P, Options options) noexcept {
  const Value ps = SaturationPressure(t, P, options);
  if (ps.status != Status::Ok) return ps;
  return HumidityRatio(ps.value, P, options);
}

Value WetBulbLineHumidityRatio(double t, double tw, double P, Options options) noexcept {
  if (IsHandbook(options)) {
    if (!InHandbookRange(t, P) || !InHandbookRange(tw, P)) return {0.0, Status::OutOfRange};
    return Finite(handbook::WetBulbHumidityRatio(t, tw, P, options.over));
  }
  const Value Wsw = SaturationHumidityRatio(tw, P, options);
  if (Wsw.status != Status::Ok) return Wsw;
  return Of(air::HumidityRatioFromWetBulb(t, tw, Wsw.value));
}

Value Enthalpy(double t, double W, Options options) noexcept {
  if (IsHandbook(options)) return Finite(handbook::Enthalpy(t, W));
  return Of(air::Enthalpy(t, W));
}

Value SpecificVolume(double t, double W, double P, Options options) noexcept {
  if (IsHandbook(options)) return Finite(handbook::SpecificVolume(t, W, P));
  return Of(air::SpecificVolume(Kelvin(t), W, air::kDryAirGasConstant, P));
}

double FirstWaterTemperature() noexcept {
  const double T = std::nextafter(air::kKelvinOffset, std::numeric_limits<double>::infinity());
  return T - air::kKelvinOffset;  // exact: the two are neighbours
}

}  // namespace hygrian::relations

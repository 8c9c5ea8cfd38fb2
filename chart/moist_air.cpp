#include "chart/moist_air.h"

#include <cmath>
#include <limits>

#include "air/checked.h"
#include "air/relations.h"

namespace hygrian::chart {
namespace {

// One result of the relations; a fault or a non-finite value gives no value.
std::optional<double> Guarded(const air::Checked& result) {
  if (result.Ok() && std::isfinite(result.Value())) return result.Value();
  return std::nullopt;
}

double Kelvin(double t) { return t + air::kKelvinOffset; }

// W of the relation linear in W that gives `target`: f(0) + (f(1) - f(0)) W.
template <typename Relation>
std::optional<double> SolveLinear(Relation relation, double target) {
  const std::optional<double> at0 = relation(0.0);
  const std::optional<double> at1 = relation(1.0);
  if (!at0 || !at1 || *at1 == *at0) return std::nullopt;
  const double W = (target - *at0) / (*at1 - *at0);
  if (!std::isfinite(W)) return std::nullopt;
  // One correction step takes up what rounding left in the slope.
  const std::optional<double> atW = relation(W);
  if (!atW) return W;
  return W + (target - *atW) / (*at1 - *at0);
}

}  // namespace

double FirstWaterTemperature() {
  const double T = std::nextafter(air::kKelvinOffset, std::numeric_limits<double>::infinity());
  return T - air::kKelvinOffset;  // exact: the two are neighbours
}

std::optional<double> SaturationPressureAt(double t) {
  return Guarded(air::SaturationPressure(Kelvin(t)));
}

std::optional<double> SaturationHumidityRatio(double t, double P) {
  const std::optional<double> ps = SaturationPressureAt(t);
  if (!ps || !(*ps < P)) return std::nullopt;
  return Guarded(air::HumidityRatioFromPressure(*ps, P));
}

std::optional<double> HumidityRatioAtRelativeHumidity(double t, double rh, double P) {
  const std::optional<double> ps = SaturationPressureAt(t);
  if (!ps) return std::nullopt;
  const double p = rh / 100.0 * *ps;
  if (!(p < P)) return std::nullopt;
  return Guarded(air::HumidityRatioFromPressure(p, P));
}

std::optional<double> HumidityRatioOnWetBulbLine(double t, double tw, double Wsw) {
  return Guarded(air::HumidityRatioFromWetBulb(t, tw, Wsw));
}

std::optional<double> EnthalpyAt(double t, double W) { return Guarded(air::Enthalpy(t, W)); }

std::optional<double> SpecificVolumeAt(double t, double W, double P) {
  return Guarded(air::SpecificVolume(Kelvin(t), W, air::kDryAirGasConstant, P));
}

std::optional<double> HumidityRatioAtEnthalpy(double t, double h) {
  return SolveLinear([t](double W) { return EnthalpyAt(t, W); }, h);
}

std::optional<double> HumidityRatioAtSpecificVolume(double t, double v, double P) {
  return SolveLinear([t, P](double W) { return SpecificVolumeAt(t, W, P); }, v);
}

}  // namespace hygrian::chart

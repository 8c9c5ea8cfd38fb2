#include "chart/moist_air.h"

#include <cmath>

#include "hygrian/relations.h"

namespace hygrian::chart {
namespace {

// The value of a relation; none where it has a status.
std::optional<double> Valued(const relations::Value& result) {
  if (result.status == Status::Ok) return result.value;
  return std::nullopt;
}

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

double FirstWaterTemperature() { return relations::FirstWaterTemperature(); }

std::optional<double> SaturationPressureAt(double t, double P, hygrian::Options options) {
  return Valued(relations::SaturationPressure(t, P, options));
}

std::optional<double> SaturationHumidityRatio(double t, double P, hygrian::Options options) {
  return Valued(relations::SaturationHumidityRatio(t, P, options));
}

std::optional<double> HumidityRatioAtRelativeHumidity(double t, double rh, double P,
                                                      hygrian::Options options) {
  const std::optional<double> ps = SaturationPressureAt(t, P, options);
  if (!ps) return std::nullopt;
  return Valued(relations::HumidityRatio(rh / 100.0 * *ps, P, options));
}

std::optional<double> HumidityRatioOnWetBulbLine(double t, double tw, double P,
                                                 hygrian::Options options) {
  return Valued(relations::WetBulbLineHumidityRatio(t, tw, P, options));
}

std::optional<double> EnthalpyAt(double t, double W, hygrian::Options options) {
  return Valued(relations::Enthalpy(t, W, options));
}

std::optional<double> SpecificVolumeAt(double t, double W, double P, hygrian::Options options) {
  return Valued(relations::SpecificVolume(t, W, P, options));
}

std::optional<double> HumidityRatioAtEnthalpy(double t, double h, hygrian::Options options) {
  return SolveLinear([t, options](double W) { return EnthalpyAt(t, W, options); }, h);
}

std::optional<double> HumidityRatioAtSpecificVolume(double t, double v, double P,
                                                    hygrian::Options options) {
  return SolveLinear([t, P, options](double W) { return SpecificVolumeAt(t, W, P, options); }, v);
}

}  // namespace hygrian::chart

#include "chart/moist_air.h"

#include <cmath>
#include <limits>

#include "air/calculator/checked.h"
#include "air/calculator/relations.h"
#include "air/handbook/relations.h"

namespace hygrian::chart {
namespace {

namespace handbook = air::handbook;

// One result of the relations; a fault or a non-finite value gives no value.
std::optional<double> Guarded(const air::Checked& result) {
  if (result.Ok() && std::isfinite(result.Value())) return result.Value();
  return std::nullopt;
}

// A handbook value: none when it is not finite.
std::optional<double> Finite(double value) {
  if (std::isfinite(value)) return value;
  return std::nullopt;
}

bool IsHandbook(hygrian::Options options) { return options.model == Model::Handbook; }

// Within the handbook model's ranges of temperature and pressure.
bool InHandbookRange(double t, double P) {
  return t >= handbook::kLowest && t <= handbook::kHighest && P >= handbook::kLowestPressure &&
         P <= handbook::kHighestPressure;
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

// W of vapour pressure p at P in the model; none at or above P.
std::optional<double> HumidityRatioOfPressure(double p, double P, hygrian::Options options) {
  if (!(p < P)) return std::nullopt;
  if (IsHandbook(options)) return Finite(handbook::HumidityRatio(p, P));
  return Guarded(air::HumidityRatioFromPressure(p, P));
}

}  // namespace

double FirstWaterTemperature() {
  const double T = std::nextafter(air::kKelvinOffset, std::numeric_limits<double>::infinity());
  return T - air::kKelvinOffset;  // exact: the two are neighbours
}

std::optional<double> SaturationPressureAt(double t, double P, hygrian::Options options) {
  if (!IsHandbook(options)) return Guarded(air::SaturationPressure(Kelvin(t)));
  if (!InHandbookRange(t, P)) return std::nullopt;
  return Finite(handbook::SaturationPressureInAir(t, P, options.over));
}

std::optional<double> SaturationHumidityRatio(double t, double P, hygrian::Options options) {
  const std::optional<double> ps = SaturationPressureAt(t, P, options);
  if (!ps) return std::nullopt;
  return HumidityRatioOfPressure(*ps, P, options);
}

std::optional<double> HumidityRatioAtRelativeHumidity(double t, double rh, double P,
                                                      hygrian::Options options) {
  const std::optional<double> ps = SaturationPressureAt(t, P, options);
  if (!ps) return std::nullopt;
  return HumidityRatioOfPressure(rh / 100.0 * *ps, P, options);
}

std::optional<double> HumidityRatioOnWetBulbLine(double t, double tw, double Wsw, double P,
                                                 hygrian::Options options) {
  if (!IsHandbook(options)) return Guarded(air::HumidityRatioFromWetBulb(t, tw, Wsw));
  if (!InHandbookRange(t, P) || !InHandbookRange(tw, P)) return std::nullopt;
  return Finite(handbook::WetBulbHumidityRatio(t, tw, P, options.over));
}

std::optional<double> EnthalpyAt(double t, double W, hygrian::Options options) {
  if (IsHandbook(options)) return Finite(handbook::Enthalpy(t, W));
  return Guarded(air::Enthalpy(t, W));
}

std::optional<double> SpecificVolumeAt(double t, double W, double P, hygrian::Options options) {
  if (IsHandbook(options)) return Finite(handbook::SpecificVolume(t, W, P));
  return Guarded(air::SpecificVolume(Kelvin(t), W, air::kDryAirGasConstant, P));
}

std::optional<double> HumidityRatioAtEnthalpy(double t, double h, hygrian::Options options) {
  return SolveLinear([t, options](double W) { return EnthalpyAt(t, W, options); }, h);
}

std::optional<double> HumidityRatioAtSpecificVolume(double t, double v, double P,
                                                    hygrian::Options options) {
  return SolveLinear([t, P, options](double W) { return SpecificVolumeAt(t, W, P, options); }, v);
}

}  // namespace hygrian::chart

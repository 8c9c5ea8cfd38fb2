// The measures with the table's one signature (hygrian/measures.h, Measures).
#include "air/measures/common.h"

namespace hygrian::measure_rows {
namespace {

MeasureResult ValueOf(const GlobeResult& r) { return {r.wetBulbGlobe, r.status}; }

template <double LiftingCondensationLevel::*Field>
MeasureResult LevelOf(const State& air, double P) {
  const LiftingCondensationLevel level = LiftingCondensationLevelOf(air, P);
  return {level.*Field, level.status};
}

}  // namespace

MeasureResult HeatIndex(const State& air, double, const Surroundings&) noexcept {
  return hygrian::HeatIndex(air);
}
MeasureResult Humidex(const State& air, double P, const Surroundings&) noexcept {
  return hygrian::Humidex(air, P);
}
MeasureResult ApparentTemperature(const State& air, double, const Surroundings& s) noexcept {
  return hygrian::ApparentTemperature(air, s.windSpeed);
}
MeasureResult ApparentTemperatureInSun(const State& air, double, const Surroundings& s) noexcept {
  return hygrian::ApparentTemperatureInSun(air, s.windSpeed, s.netRadiation);
}
MeasureResult WetBulbGlobe(const State& air, double P, const Surroundings& s) noexcept {
  return ValueOf(WetBulbGlobeTemperature(air, P, s.windSpeed, s.solarIrradiance, s.cosZenith,
                                         s.directFraction));
}
MeasureResult WetBulbGlobeInShade(const State& air, double P, const Surroundings& s) noexcept {
  return ValueOf(WetBulbGlobeTemperatureInShade(air, P, s.windSpeed));
}
MeasureResult WetBulbGlobeEstimate(const State& air, double, const Surroundings&) noexcept {
  return WetBulbGlobeTemperatureEstimate(air);
}
MeasureResult Utci(const State& air, double, const Surroundings& s) noexcept {
  return UniversalThermalClimateIndex(air, s.meanRadiantTemperature, s.windSpeed);
}
MeasureResult MeanRadiant(const State& air, double, const Surroundings& s) noexcept {
  return MeanRadiantTemperature(air, s.globeTemperature, s.airSpeed);
}
MeasureResult Potential(const State& air, double P, const Surroundings&) noexcept {
  return PotentialTemperature(air, P);
}
MeasureResult EquivalentPotential(const State& air, double P, const Surroundings&) noexcept {
  return EquivalentPotentialTemperature(air, P);
}
MeasureResult Virtual(const State& air, double, const Surroundings&) noexcept {
  return VirtualTemperature(air);
}
MeasureResult LclTemperature(const State& air, double P, const Surroundings&) noexcept {
  return LevelOf<&LiftingCondensationLevel::temperature>(air, P);
}
MeasureResult LclPressure(const State& air, double P, const Surroundings&) noexcept {
  return LevelOf<&LiftingCondensationLevel::pressure>(air, P);
}
MeasureResult LclHeight(const State& air, double P, const Surroundings&) noexcept {
  return LevelOf<&LiftingCondensationLevel::height>(air, P);
}

}  // namespace hygrian::measure_rows

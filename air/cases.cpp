#include "air/cases.h"

namespace hygrian::air {
namespace {

constexpr double kPercent = 100.0;

Checked Kelvin(double celsius) { return Checked(celsius) + KelvinOffset; }

Checked Percent(double part, double whole) { return Checked(part) / whole * kPercent; }

// Runs the search unless an earlier step faulted, and writes wetBulb when it
// finds a value.
CaseResult SearchWetBulb(FaultLatch& first, const double& P, MoistAirState& s, double saturated) {
  if (!first.Ok()) return {first.First()};
  const WetBulbSearch search = FindWetBulb(s.dryBulb, s.dewPoint, s.humidityRatio, P, saturated);
  if (search.found) s.wetBulb = search.wetBulb;
  return {search.fault, !search.found && search.fault == Fault::None};
}

}  // namespace

CaseResult ComputeFromDryWet(const double& P, const double& R, MoistAirState& s) {
  FaultLatch first;
  const double Td = first(Kelvin(s.dryBulb));
  const double Tw = first(Kelvin(s.wetBulb));
  const double saturatedAtWetBulb = first(SaturationHumidityRatio(Tw, P));
  const double ps = first(SaturationPressure(Td));
  const double saturated = first(HumidityRatioFromPressure(ps, P));
  s.humidityRatio = first(HumidityRatioFromWetBulb(s.dryBulb, s.wetBulb, saturatedAtWetBulb));
  s.degreeOfSaturation = first(Checked(s.humidityRatio) / saturated);
  s.vaporPressure = first(PressureFromHumidityRatio(s.humidityRatio, P));
  s.relativeHumidity = first(Percent(s.vaporPressure, ps));
  s.dewPoint = first(DewPointFromPressure(s.vaporPressure, s.dryBulb));
  s.enthalpy = first(Enthalpy(s.dryBulb, s.humidityRatio));
  s.specificVolume = first(SpecificVolume(Td, s.humidityRatio, R, P));
  return {first.First()};
}

CaseResult ComputeFromDryDew(const double& P, const double& R, MoistAirState& s) {
  FaultLatch first;
  const double Td = first(Kelvin(s.dryBulb));
  const double Tdp = first(Kelvin(s.dewPoint));
  const double ps = first(SaturationPressure(Td));
  const double saturated = first(HumidityRatioFromPressure(ps, P));
  s.vaporPressure = first(SaturationPressure(Tdp));
  s.humidityRatio = first(HumidityRatioFromPressure(s.vaporPressure, P));
  s.degreeOfSaturation = first(Checked(s.humidityRatio) / saturated);
  s.relativeHumidity = first(Percent(s.vaporPressure, ps));
  s.enthalpy = first(Enthalpy(s.dryBulb, s.humidityRatio));
  s.specificVolume = first(SpecificVolume(Td, s.humidityRatio, R, P));
  return SearchWetBulb(first, P, s, saturated);
}

CaseResult ComputeFromDryRh(const double& P, const double& R, MoistAirState& s) {
  FaultLatch first;
  const double Td = first(Kelvin(s.dryBulb));
  // Between here and the end the field holds a fraction, not a percentage.
  s.relativeHumidity = first(Checked(s.relativeHumidity) / kPercent);
  const double ps = first(SaturationPressure(Td));
  const double saturated = first(HumidityRatioFromPressure(ps, P));
  s.vaporPressure = first(Checked(s.relativeHumidity) * ps);
  s.humidityRatio = first(HumidityRatioFromPressure(s.vaporPressure, P));
  s.degreeOfSaturation = first(Checked(s.humidityRatio) / saturated);
  s.enthalpy = first(Enthalpy(s.dryBulb, s.humidityRatio));
  s.specificVolume = first(SpecificVolume(Td, s.humidityRatio, R, P));
  s.dewPoint = first(DewPointFromPressure(s.vaporPressure, s.dryBulb));
  CaseResult result = SearchWetBulb(first, P, s, saturated);
  if (result.fault != Fault::None) return result;
  s.relativeHumidity = first(Checked(s.relativeHumidity) * kPercent);
  result.fault = first.First();
  return result;
}

}  // namespace hygrian::air

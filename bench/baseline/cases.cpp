#include "bench/baseline/cases.h"

#include "bench/baseline/checked.h"

namespace hygrian::baseline::air {
namespace {

constexpr double kPercent = 100.0;

double Kelvin(double celsius) { return (Checked(celsius) + KelvinOffset).Value(); }

double SaturationHumidityRatio(double T, double P) {
  return HumidityRatioFromPressure(SaturationPressure(T), P);
}

double Ratio(double a, double b) { return (Checked(a) / b).Value(); }

double Percent(double part, double whole) { return (Checked(part) / whole * kPercent).Value(); }

}  // namespace

void ComputeFromDryWet(const double& P, const double& R, MoistAirState& s) {
  const double Td = Kelvin(s.dryBulb);
  const double Tw = Kelvin(s.wetBulb);
  const double saturatedAtWetBulb = SaturationHumidityRatio(Tw, P);
  const double ps = SaturationPressure(Td);
  const double saturated = HumidityRatioFromPressure(ps, P);
  s.humidityRatio = HumidityRatioFromWetBulb(s.dryBulb, s.wetBulb, saturatedAtWetBulb);
  s.degreeOfSaturation = Ratio(s.humidityRatio, saturated);
  s.vaporPressure = PressureFromHumidityRatio(s.humidityRatio, P);
  s.relativeHumidity = Percent(s.vaporPressure, ps);
  s.dewPoint = DewPointFromPressure(s.vaporPressure, s.dryBulb);
  s.enthalpy = Enthalpy(s.dryBulb, s.humidityRatio);
  s.specificVolume = SpecificVolume(Td, s.humidityRatio, R, P);
}

void ComputeFromDryDew(const double& P, const double& R, MoistAirState& s,
                       const GiveUpNotice& onGiveUp) {
  const double Td = Kelvin(s.dryBulb);
  const double Tdp = Kelvin(s.dewPoint);
  const double ps = SaturationPressure(Td);
  const double saturated = HumidityRatioFromPressure(ps, P);
  s.vaporPressure = SaturationPressure(Tdp);
  s.humidityRatio = HumidityRatioFromPressure(s.vaporPressure, P);
  s.degreeOfSaturation = Ratio(s.humidityRatio, saturated);
  s.relativeHumidity = Percent(s.vaporPressure, ps);
  s.enthalpy = Enthalpy(s.dryBulb, s.humidityRatio);
  s.specificVolume = SpecificVolume(Td, s.humidityRatio, R, P);
  FindWetBulb(s.dryBulb, s.dewPoint, s.wetBulb, s.humidityRatio, P, onGiveUp);
}

void ComputeFromDryRh(const double& P, const double& R, MoistAirState& s,
                      const GiveUpNotice& onGiveUp) {
  const double Td = Kelvin(s.dryBulb);
  // Between here and the end the field holds a fraction, not a percentage.
  s.relativeHumidity = Ratio(s.relativeHumidity, kPercent);
  const double ps = SaturationPressure(Td);
  const double saturated = HumidityRatioFromPressure(ps, P);
  s.vaporPressure = (Checked(s.relativeHumidity) * ps).Value();
  s.humidityRatio = HumidityRatioFromPressure(s.vaporPressure, P);
  s.degreeOfSaturation = Ratio(s.humidityRatio, saturated);
  s.enthalpy = Enthalpy(s.dryBulb, s.humidityRatio);
  s.specificVolume = SpecificVolume(Td, s.humidityRatio, R, P);
  s.dewPoint = DewPointFromPressure(s.vaporPressure, s.dryBulb);
  FindWetBulb(s.dryBulb, s.dewPoint, s.wetBulb, s.humidityRatio, P, onGiveUp);
  s.relativeHumidity = (Checked(s.relativeHumidity) * kPercent).Value();
}

}  // namespace hygrian::baseline::air

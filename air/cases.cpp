#include "air/cases.h"

namespace hygrian::air {
namespace {

constexpr double kPercent = 100.0;
// K below the dry-bulb: both relations rise with temperature (water's up to
// thousands of kelvin), so the saturation pressure there is lower than at the
// dry-bulb by more than 1 percent, far beyond any rounding.
constexpr double kBelowDryBulb = 1.0;

Checked Kelvin(double celsius) { return Checked(celsius) + KelvinOffset; }

Checked Percent(double part, double whole) { return Checked(part) / whole * kPercent; }

// Notes P - p <= 0 unless a fault came first.
void NoteVapour(const FaultLatch& first, CaseResult& result, double p, double P) {
  if (first.Ok() && !(P - p > 0.0)) result.vapourNotBelowTotal = true;
}

// Notes P - p <= 0 for the saturation pressure at the dew point unless a fault
// came first.
void NoteDewPoint(const FaultLatch& first, CaseResult& result, double dewPoint, double t,
                  double P) {
  if (first.Ok() && SaturationReachesTotal(dewPoint, t, P)) result.vapourNotBelowTotal = true;
}

// The steps shared by the wet-bulb and humidity-ratio pairs, from the degree of
// saturation on, given the humidity ratio, the absolute dry-bulb Td and the
// saturation pressure ps and humidity ratio at the dry-bulb.
void FromHumidityRatioOn(FaultLatch& first, CaseResult& noted, double P, double Td, double ps,
                         double saturated, MoistAirState& s) {
  s.degreeOfSaturation = first(Checked(s.humidityRatio) / saturated);
  s.vaporPressure = first(PressureFromHumidityRatio(s.humidityRatio, P));
  NoteVapour(first, noted, s.vaporPressure, P);
  s.relativeHumidity = first(Percent(s.vaporPressure, ps));
  s.dewPoint = first(DewPointFromPressure(s.vaporPressure, s.dryBulb));
  NoteDewPoint(first, noted, s.dewPoint, s.dryBulb, P);
  s.enthalpy = first(Enthalpy(s.dryBulb, s.humidityRatio));
  s.specificVolume = first(SpecificVolume(Td, s.humidityRatio, DryAirGasConstant, P));
}

// Runs the search unless an earlier step faulted, and writes wetBulb when it
// finds a value.
CaseResult SearchWetBulb(FaultLatch& first, const double& P, MoistAirState& s, double saturated,
                         CaseResult noted) {
  noted.fault = first.First();
  if (!first.Ok()) return noted;
  const WetBulbSearch search = FindWetBulb(s.dryBulb, s.dewPoint, s.humidityRatio, P, saturated);
  if (search.found) s.wetBulb = search.wetBulb;
  noted.fault = search.fault;
  noted.gaveUp = !search.found && search.fault == Fault::None;
  return noted;
}

}  // namespace

bool SaturationReachesTotal(double x, double t, double P) {
  if (x <= t - kBelowDryBulb) return false;
  const Checked T = Kelvin(x);
  if (!T.Ok()) return false;
  const Checked p = SaturationPressure(T.Value());
  return p.Ok() && !(P - p.Value() > 0.0);
}

CaseResult ComputeFromDryWet(double P, MoistAirState& s) {
  FaultLatch first;
  CaseResult result;
  const double Td = first(Kelvin(s.dryBulb));
  const double Tw = first(Kelvin(s.wetBulb));
  // SaturationHumidityRatio(Tw, P) in its two steps, to see the pressure.
  const double pw = first(SaturationPressure(Tw));
  NoteVapour(first, result, pw, P);
  const double saturatedAtWetBulb = first(HumidityRatioFromPressure(pw, P));
  const double ps = first(SaturationPressure(Td));
  NoteVapour(first, result, ps, P);
  const double saturated = first(HumidityRatioFromPressure(ps, P));
  s.humidityRatio = first(HumidityRatioFromWetBulb(s.dryBulb, s.wetBulb, saturatedAtWetBulb));
  FromHumidityRatioOn(first, result, P, Td, ps, saturated, s);
  result.fault = first.First();
  return result;
}

CaseResult ComputeFromDryDew(double P, MoistAirState& s) {
  FaultLatch first;
  CaseResult noted;
  const double Td = first(Kelvin(s.dryBulb));
  const double Tdp = first(Kelvin(s.dewPoint));
  const double ps = first(SaturationPressure(Td));
  NoteVapour(first, noted, ps, P);
  const double saturated = first(HumidityRatioFromPressure(ps, P));
  // Also the saturation pressure at the dew point.
  s.vaporPressure = first(SaturationPressure(Tdp));
  NoteVapour(first, noted, s.vaporPressure, P);
  s.humidityRatio = first(HumidityRatioFromPressure(s.vaporPressure, P));
  s.degreeOfSaturation = first(Checked(s.humidityRatio) / saturated);
  s.relativeHumidity = first(Percent(s.vaporPressure, ps));
  s.enthalpy = first(Enthalpy(s.dryBulb, s.humidityRatio));
  s.specificVolume = first(SpecificVolume(Td, s.humidityRatio, DryAirGasConstant, P));
  return SearchWetBulb(first, P, s, saturated, noted);
}

CaseResult ComputeFromDryRh(double P, MoistAirState& s) {
  FaultLatch first;
  CaseResult noted;
  const double Td = first(Kelvin(s.dryBulb));
  // Between here and the end the field holds a fraction, not a percentage.
  s.relativeHumidity = first(Checked(s.relativeHumidity) / kPercent);
  const double ps = first(SaturationPressure(Td));
  NoteVapour(first, noted, ps, P);
  const double saturated = first(HumidityRatioFromPressure(ps, P));
  s.vaporPressure = first(Checked(s.relativeHumidity) * ps);
  NoteVapour(first, noted, s.vaporPressure, P);
  s.humidityRatio = first(HumidityRatioFromPressure(s.vaporPressure, P));
  s.degreeOfSaturation = first(Checked(s.humidityRatio) / saturated);
  s.enthalpy = first(Enthalpy(s.dryBulb, s.humidityRatio));
  s.specificVolume = first(SpecificVolume(Td, s.humidityRatio, DryAirGasConstant, P));
  s.dewPoint = first(DewPointFromPressure(s.vaporPressure, s.dryBulb));
  NoteDewPoint(first, noted, s.dewPoint, s.dryBulb, P);
  CaseResult result = SearchWetBulb(first, P, s, saturated, noted);
  if (result.fault != Fault::None) return result;
  s.relativeHumidity = first(Checked(s.relativeHumidity) * kPercent);
  result.fault = first.First();
  return result;
}

// The steps of ComputeFromDryWet from the humidity ratio on, in its order.
CaseResult ComputeFromDryW(double P, MoistAirState& s) {
  FaultLatch first;
  CaseResult noted;
  const double Td = first(Kelvin(s.dryBulb));
  const double ps = first(SaturationPressure(Td));
  NoteVapour(first, noted, ps, P);
  const double saturated = first(HumidityRatioFromPressure(ps, P));
  FromHumidityRatioOn(first, noted, P, Td, ps, saturated, s);
  return SearchWetBulb(first, P, s, saturated, noted);
}

}  // namespace hygrian::air

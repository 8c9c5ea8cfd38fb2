#include "air/calculator/cases.h"

namespace hygrian::air {
namespace {

constexpr double kPercent = 100.0;
// K below the dry-bulb: both relations rise with temperature (water's up to
// thousands of kelvin), so the saturation pressure there is lower than at the
// dry-bulb by more than 1 percent, far beyond any rounding.
constexpr double kBelowDryBulb = 1.0;

Checked Kelvin(double celsius) { return Checked(celsius) + kKelvinOffset; }

Checked Percent(double part, double whole) { return Checked(part) / whole * kPercent; }

// Notes P - p <= 0 unless a fault came first.
void NoteVapor(const FaultLatch& first, CaseResult& result, double p, double P) {
  if (first.Ok() && !(P - p > 0.0)) result.vaporNotBelowTotal = true;
}

// Notes P - p <= 0 for the saturation pressure at the dew point unless a fault
// came first.
void NoteDewPoint(const FaultLatch& first, CaseResult& result, double dewPoint, double t,
                  double P) {
  if (first.Ok() && SaturationReachesTotal(dewPoint, t, P)) result.vaporNotBelowTotal = true;
}

struct Saturation {
  double pressure = 0.0;       // kPa
  double humidityRatio = 0.0;  // kg/kg
};

// The saturation pressure at T (K), then the humidity ratio it gives at P;
// notes P - p <= 0 in between.
Saturation SaturationAt(FaultLatch& first, CaseResult& noted, double T, double P) {
  Saturation at;
  at.pressure = first(SaturationPressure(T));
  NoteVapor(first, noted, at.pressure, P);
  at.humidityRatio = first(HumidityRatioFromPressure(at.pressure, P));
  return at;
}

struct TwoSaturations {
  double Td = 0.0;     // the dry-bulb in K
  Saturation dryBulb;  // at the dry-bulb
  Saturation second;   // at the wet-bulb or dew point
};

// The dry-bulb and the second temperature in K, then the saturation at each:
// the second's first when `secondFirst`, as the wet-bulb pair needs it. The
// order decides which of two faults is reported.
TwoSaturations SaturationAtBoth(FaultLatch& first, CaseResult& noted, double dryBulb, double second,
                                double P, bool secondFirst) {
  TwoSaturations at;
  at.Td = first(Kelvin(dryBulb));
  const double Tx = first(Kelvin(second));
  if (secondFirst) at.second = SaturationAt(first, noted, Tx, P);
  at.dryBulb = SaturationAt(first, noted, at.Td, P);
  if (!secondFirst) at.second = SaturationAt(first, noted, Tx, P);
  return at;
}

// The steps shared by the wet-bulb and humidity-ratio pairs, from the degree of
// saturation on, given the humidity ratio, the absolute dry-bulb Td and the
// saturation pressure ps and humidity ratio at the dry-bulb.
void FromHumidityRatioOn(FaultLatch& first, CaseResult& noted, double P, double Td, double ps,
                         double saturated, MoistAirState& s) {
  s.degreeOfSaturation = first(Checked(s.humidityRatio) / saturated);
  s.vaporPressure = first(PressureFromHumidityRatio(s.humidityRatio, P));
  NoteVapor(first, noted, s.vaporPressure, P);
  s.relativeHumidity = first(Percent(s.vaporPressure, ps));
  s.dewPoint = first(DewPointFromPressure(s.vaporPressure, s.dryBulb));
  NoteDewPoint(first, noted, s.dewPoint, s.dryBulb, P);
  s.enthalpy = first(Enthalpy(s.dryBulb, s.humidityRatio));
  s.specificVolume = first(SpecificVolume(Td, s.humidityRatio, kDryAirGasConstant, P));
}

// Runs the search unless an earlier step faulted, and writes wetBulb when it
// finds a value.
CaseResult SearchWetBulb(FaultLatch& first, double P, MoistAirState& s, double saturated,
                         CaseResult noted) {
  noted.fault = first.FirstFault();
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
  const TwoSaturations at = SaturationAtBoth(first, result, s.dryBulb, s.wetBulb, P, true);
  s.humidityRatio = first(HumidityRatioFromWetBulb(s.dryBulb, s.wetBulb, at.second.humidityRatio));
  FromHumidityRatioOn(first, result, P, at.Td, at.dryBulb.pressure, at.dryBulb.humidityRatio, s);
  result.fault = first.FirstFault();
  return result;
}

CaseResult ComputeFromDryDew(double P, MoistAirState& s) {
  FaultLatch first;
  CaseResult noted;
  const TwoSaturations at = SaturationAtBoth(first, noted, s.dryBulb, s.dewPoint, P, false);
  // The vapour pressure is the saturation pressure at the dew point.
  s.vaporPressure = at.second.pressure;
  s.humidityRatio = at.second.humidityRatio;
  s.degreeOfSaturation = first(Checked(s.humidityRatio) / at.dryBulb.humidityRatio);
  s.relativeHumidity = first(Percent(s.vaporPressure, at.dryBulb.pressure));
  s.enthalpy = first(Enthalpy(s.dryBulb, s.humidityRatio));
  s.specificVolume = first(SpecificVolume(at.Td, s.humidityRatio, kDryAirGasConstant, P));
  return SearchWetBulb(first, P, s, at.dryBulb.humidityRatio, noted);
}

CaseResult ComputeFromDryRh(double P, MoistAirState& s) {
  FaultLatch first;
  CaseResult noted;
  const double Td = first(Kelvin(s.dryBulb));
  // Between here and the end the field holds a fraction, not a percentage.
  s.relativeHumidity = first(Checked(s.relativeHumidity) / kPercent);
  const Saturation atDryBulb = SaturationAt(first, noted, Td, P);
  s.vaporPressure = first(Checked(s.relativeHumidity) * atDryBulb.pressure);
  NoteVapor(first, noted, s.vaporPressure, P);
  s.humidityRatio = first(HumidityRatioFromPressure(s.vaporPressure, P));
  s.degreeOfSaturation = first(Checked(s.humidityRatio) / atDryBulb.humidityRatio);
  s.enthalpy = first(Enthalpy(s.dryBulb, s.humidityRatio));
  s.specificVolume = first(SpecificVolume(Td, s.humidityRatio, kDryAirGasConstant, P));
  s.dewPoint = first(DewPointFromPressure(s.vaporPressure, s.dryBulb));
  NoteDewPoint(first, noted, s.dewPoint, s.dryBulb, P);
  CaseResult result = SearchWetBulb(first, P, s, atDryBulb.humidityRatio, noted);
  if (result.fault != Fault::None) return result;
  s.relativeHumidity = first(Checked(s.relativeHumidity) * kPercent);
  result.fault = first.FirstFault();
  return result;
}

// The steps of ComputeFromDryWet from the humidity ratio on, in its order.
CaseResult ComputeFromDryW(double P, MoistAirState& s) {
  FaultLatch first;
  CaseResult noted;
  const double Td = first(Kelvin(s.dryBulb));
  const Saturation atDryBulb = SaturationAt(first, noted, Td, P);
  FromHumidityRatioOn(first, noted, P, Td, atDryBulb.pressure, atDryBulb.humidityRatio, s);
  return SearchWetBulb(first, P, s, atDryBulb.humidityRatio, noted);
}

}  // namespace hygrian::air

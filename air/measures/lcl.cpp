// The lifting condensation level, Romps's exact expression.
#include "air/measures/common.h"
#include "air/measures/lambert_w.h"

namespace hygrian {
namespace {

// Romps (2017) section 2: his thermodynamic constants (SI).
constexpr double kTriple = 273.16;          // K
constexpr double kTriplePressure = 611.65;  // Pa
constexpr double kE0v = 2.3740e6;  // J/kg, internal energy of vaporization at the triple point
constexpr double kGravity = 9.81;  // m/s2
constexpr double kRa = 287.04;     // J/(kg K), dry air
constexpr double kRv = 461.0;      // J/(kg K), water vapour
constexpr double kCva = 719.0;     // J/(kg K), heat capacities at constant volume
constexpr double kCvv = 1418.0;
constexpr double kCvl = 4119.0;
constexpr double kCpa = kCva + kRa;
constexpr double kCpv = kCvv + kRv;

// Romps's saturation vapour pressure over liquid water (Pa) at T (K).
double SaturationOverLiquid(double T) {
  using air::measures::Exp;
  using air::measures::Pow;
  return kTriplePressure * Pow(T / kTriple, (kCpv - kCvl) / kRv) *
         Exp((kE0v - (kCvv - kCvl) * kTriple) / kRv * (1.0 / kTriple - 1.0 / T));
}

}  // namespace

LiftingCondensationLevel LiftingCondensationLevelOf(const State& air, double pressure) noexcept {
  using namespace air::measures;
  const double pv = air.vaporPressure * 1e3;  // Pa
  const double p = pressure * 1e3;            // Pa
  LiftingCondensationLevel none;
  if (!Finite(air.dryBulb, pv, p) || pv < 0.0 || !(pv < p)) {
    none.status = Status::InvalidInput;
    return none;
  }
  const double T = air.dryBulb + kKelvin;
  // Saturated by the handbook model is up to 0.7 percent above Romps's liquid.
  constexpr double kSaturatedWithin = 1.01;
  const double rhl = pv / SaturationOverLiquid(T);
  const double rh = rhl > 1.0 ? 1.0 : rhl;
  // Dry air never condenses; supersaturated air is past its level.
  if (!(rhl > 0.0 && rhl <= kSaturatedWithin)) {
    none.status = Status::OutsideMeasureRange;
    return none;
  }
  const double qv = kRa * pv / (kRv * p + (kRa - kRv) * pv);
  const double Rm = (1.0 - qv) * kRa + qv * kRv;
  const double cpm = (1.0 - qv) * kCpa + qv * kCpv;
  // Romps (2017) eqs. 22a-c and 23.
  const double a = cpm / Rm + (kCvl - kCpv) / kRv;
  const double b = -(kE0v - (kCvv - kCvl) * kTriple) / (kRv * T);
  const double c = b / a;
  const double w = LowerLambertW(Pow(rh, 1.0 / a) * c * Exp(c));
  const double TL = rh == 1.0 ? T : c / w * T;
  return {TL - kKelvin, p * Pow(TL / T, cpm / Rm) / 1e3, cpm / kGravity * (T - TL), Status::Ok};
}

}  // namespace hygrian

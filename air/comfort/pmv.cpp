// Fanger's predicted mean vote and the percentage dissatisfied (ISO 7730:2005
// section 4 and Annex D; ASHRAE 55-2017 Normative Appendix B).
#include <algorithm>
#include <cmath>

#include "air/bracket.h"
#include "air/measures/common.h"
#include "hygrian/comfort.h"

namespace hygrian {
namespace {

using air::measures::Exp;

// ISO 7730 section 4.1: where the model is to be used.
struct Range {
  double low, high;
  [[nodiscard]] bool Holds(double x) const { return x >= low && x <= high; }
};
constexpr Range kDryBulb{10.0, 30.0};       // degrees C
constexpr Range kRadiant{10.0, 40.0};       // degrees C
constexpr Range kAirSpeed{0.0, 1.0};        // m/s
constexpr Range kVaporPressure{0.0, 2.7};   // kPa
constexpr Range kMetabolicRate{0.8, 4.0};   // met
constexpr Range kClothing{0.0, 2.0};        // clo
constexpr Range kVote{-2.0, 2.0};           // PMV
constexpr double kCelsiusToKelvin = 273.0;  // the standards' eqs. take 273
constexpr double kRadiation = 3.96e-8;      // W/(m2 K4): emissivity 0.95 times the
                                            // Stefan-Boltzmann constant, times 0.71 of
                                            // the body's area radiating
constexpr double kTolerance = 1e-10;        // K, the clothing's surface temperature

double Fourth(double x) { return (x * x) * (x * x); }

// The body and its surroundings, in the standards' units: W/m2, m2 K/W, Pa.
struct Body {
  double metabolic;    // M, W/m2; no external work, so M - W is M
  double insulation;   // Icl, m2 K/W
  double area;         // fcl, the clothed body's area over the nude's
  double airTemp;      // ta, degrees C
  double radiantTemp;  // tr, degrees C
  double forced;       // the forced convection coefficient 12.1 sqrt(var), W/(m2 K)
};

// The convective heat transfer coefficient hc (W/(m2 K)) at the clothing's
// surface temperature tcl: natural 2.38 |tcl - ta|^0.25 or forced, the larger.
double Convection(const Body& b, double tcl) {
  return std::max(2.38 * std::sqrt(std::sqrt(std::fabs(tcl - b.airTemp))), b.forced);
}

// The heat (W/m2) the clothed body gives by radiation and by convection at tcl.
double DryHeat(const Body& b, double tcl) {
  const double radiation =
      kRadiation * b.area *
      (Fourth(tcl + kCelsiusToKelvin) - Fourth(b.radiantTemp + kCelsiusToKelvin));
  return radiation + b.area * Convection(b, tcl) * (tcl - b.airTemp);
}

// The skin's temperature in comfort, 35.7 - 0.028 M (eq. 2's first terms).
double Skin(const Body& b) { return 35.7 - 0.028 * b.metabolic; }

// Eq. 2: tcl = skin - Icl (radiation + convection), solved in the bracket of the
// skin's and the surroundings' temperatures, where the residual changes sign
// (it rises with tcl: both heats grow with it).
double ClothingSurface(const Body& b) {
  const double low = std::min({Skin(b), b.airTemp, b.radiantTemp});
  const double high = std::max({Skin(b), b.airTemp, b.radiantTemp});
  if (b.insulation == 0.0) return Skin(b);
  const auto residual = [&](double tcl) { return tcl - Skin(b) + b.insulation * DryHeat(b, tcl); };
  return air::FindRoot(residual, low, high, kTolerance, 0.0).x;
}

}  // namespace

double PredictedPercentageDissatisfied(double pmv) noexcept {
  const double square = pmv * pmv;
  return 100.0 - 95.0 * Exp(-0.03353 * square * square - 0.2179 * square);
}

ComfortResult PredictedMeanVote(const State& air, double meanRadiantTemperature, double airSpeed,
                                double metabolicRate, double clothing) noexcept {
  using air::measures::Finite;
  const double pa = air.vaporPressure;
  if (!Finite(air.dryBulb, pa, meanRadiantTemperature, airSpeed, metabolicRate, clothing) ||
      pa < 0.0 || airSpeed < 0.0 || metabolicRate <= 0.0 || clothing < 0.0) {
    return {.status = Status::InvalidInput};
  }
  if (!kDryBulb.Holds(air.dryBulb) || !kRadiant.Holds(meanRadiantTemperature) ||
      !kAirSpeed.Holds(airSpeed) || !kVaporPressure.Holds(pa) ||
      !kMetabolicRate.Holds(metabolicRate) || !kClothing.Holds(clothing)) {
    return {.status = Status::OutsideMeasureRange};
  }
  const double M = metabolicRate * MetabolicUnit;
  const double Icl = clothing * ClothingUnit;
  const Body body{M,
                  Icl,
                  Icl <= 0.078 ? 1.00 + 1.290 * Icl : 1.05 + 0.645 * Icl,
                  air.dryBulb,
                  meanRadiantTemperature,
                  12.1 * std::sqrt(airSpeed)};
  const double tcl = ClothingSurface(body);
  const double p = pa * 1000.0;  // Pa
  // Eq. 1's heat losses, W/m2: diffusion through the skin, sweating (none
  // below 1 met, as the standards' program has it), latent and dry respiration,
  // and the clothed body's radiation and convection.
  const double diffusion = 3.05e-3 * (5733.0 - 6.99 * M - p);
  const double sweating = M > MetabolicUnit ? 0.42 * (M - MetabolicUnit) : 0.0;
  const double latentBreath = 1.7e-5 * M * (5867.0 - p);
  const double dryBreath = 0.0014 * M * (34.0 - air.dryBulb);
  const double load = M - diffusion - sweating - latentBreath - dryBreath - DryHeat(body, tcl);
  const double pmv = (0.303 * Exp(-0.036 * M) + 0.028) * load;
  if (!kVote.Holds(pmv)) return {.status = Status::OutsideMeasureRange};
  return {pmv, PredictedPercentageDissatisfied(pmv), Status::Ok};
}

}  // namespace hygrian

// The UTCI's operational polynomial, and the mean radiant temperature of a globe.
#include "air/measures/common.h"
#include "air/measures/utci_coefficients.h"

namespace hygrian {
namespace {

// The polynomial by nested Horner steps: pa outermost, then dTmrt, va, Ta.
double UtciPolynomial(double Ta, double va, double dTmrt, double pa) {
  const double* c = air::measures::kUtciCoefficients.data();
  constexpr int kDegree = 6;
  double inPa = 0.0;
  for (int l = kDegree; l >= 0; --l) {
    double inD = 0.0;
    for (int k = kDegree - l; k >= 0; --k) {
      double inVa = 0.0;
      for (int j = kDegree - l - k; j >= 0; --j) {
        double inTa = 0.0;
        for (int i = kDegree - l - k - j; i >= 0; --i) inTa = inTa * Ta + *c++;
        inVa = inVa * va + inTa;
      }
      inD = inD * dTmrt + inVa;
    }
    inPa = inPa * pa + inD;
  }
  return Ta + inPa;
}

}  // namespace

MeasureResult UniversalThermalClimateIndex(const State& air, double meanRadiantTemperature,
                                           double windSpeed) noexcept {
  using namespace air::measures;
  const double Ta = air.dryBulb;
  const double pa = air.vaporPressure;
  if (!Finite(Ta, pa, meanRadiantTemperature, windSpeed) || windSpeed < 0.0 || pa < 0.0) {
    return Refused();
  }
  const double dTmrt = meanRadiantTemperature - Ta;
  // The range the polynomial was fitted over (Broede et al. 2012).
  if (Ta < -50.0 || Ta > 50.0 || dTmrt < -30.0 || dTmrt > 70.0 || windSpeed < 0.5 ||
      windSpeed > 17.0 || pa > 5.0) {
    return OutOfRange();
  }
  return {UtciPolynomial(Ta, windSpeed, dTmrt, pa), Status::Ok};
}

MeasureResult MeanRadiantTemperature(const State& air, double globeTemperature,
                                     double airSpeed) noexcept {
  using namespace air::measures;
  const double ta = air.dryBulb;
  const double tg = globeTemperature;
  if (!Finite(ta, tg, airSpeed) || airSpeed < 0.0) return Refused();
  // ISO 7726 Annex B, the standard globe: 0.15 m, emissivity 0.95; 273 as there.
  constexpr double kDiameter = 0.15;
  constexpr double kEmissivity = 0.95;
  const double difference = tg - ta;
  // The convection coefficients over the Stefan-Boltzmann constant: forced,
  // 1.1e8 va^0.6 / D^0.4, and natural, 0.25e8 (|tg - ta| / D)^(1/4); the larger holds.
  const double forced = airSpeed > 0.0 ? 1.1e8 * Pow(airSpeed, 0.6) / Pow(kDiameter, 0.4) : 0.0;
  const double magnitude = std::fabs(difference);
  const double natural =
      magnitude > 0.0 ? 0.25e8 * std::sqrt(std::sqrt(magnitude / kDiameter)) : 0.0;
  const double h = forced > natural ? forced : natural;
  const double globe = (tg + 273.0) * (tg + 273.0);
  const double fourth = globe * globe + h / kEmissivity * difference;
  if (!(fourth > 0.0)) return OutOfRange();
  return {std::sqrt(std::sqrt(fourth)) - 273.0, Status::Ok};
}

}  // namespace hygrian

#include "air/measures/liljegren.h"

#include <array>
#include <cmath>
#include <limits>

#include "air/bracket.h"
#include "air/measures/common.h"

namespace hygrian::air::measures {
namespace {

// Liljegren et al. (2008), with the constants of their published program.
constexpr double kStefanBoltzmann = 5.6696e-8;  // W/(m2 K4)
constexpr double kCp = 1003.5;                  // J/(kg K), dry air
constexpr double kMolarAir = 28.97;             // g/mol
constexpr double kMolarWater = 18.015;          // g/mol
constexpr double kRAir = 8314.34 / kMolarAir;   // J/(kg K)
constexpr double kPrandtl = kCp / (kCp + 1.25 * kRAir);
constexpr double kWickEmissivity = 0.95;
constexpr double kWickAlbedo = 0.4;
constexpr double kWickDiameter = 0.007;  // m
constexpr double kWickLength = 0.0254;   // m
constexpr double kGlobeEmissivity = 0.95;
constexpr double kGlobeAlbedo = 0.05;
constexpr double kGlobeDiameter = 0.0508;  // m
constexpr double kSurfaceEmissivity = 0.999;
constexpr double kSurfaceAlbedo = 0.45;
constexpr double kLowestCosZenith = 0.00873;  // the sun 0.5 degrees above the horizon
constexpr double kMostClearness = 0.85;
constexpr double kSolarConstant = 1367.0;  // W/m2
constexpr double kLeastSpeed = 0.13;       // m/s at 2 m
constexpr double kPi = 3.141592653589793;

// The air's viscosity (kg/(m s)): Bird, Stewart and Lightfoot, p. 23.
double Viscosity(double T) {
  const double omega = (T / 97.0 - 2.9) / 0.4 * (-0.034) + 1.048;
  return 2.6693e-6 * std::sqrt(kMolarAir * T) / (3.617 * 3.617 * omega);
}

// Its thermal conductivity (W/(m K)) is (cp + 1.25 R) times it: BSL p. 257.

// The powers of constants the balances take, computed once a state.
struct Powers {
  double prandtlSphere = Pow(kPrandtl, 0.3333);
  double prandtlCylinder = Pow(kPrandtl, 1.0 - 0.56);
  // The diffusivity's factor of the critical constants of air (36.4 atm, 132
  // K) and water (218 atm, 647.3 K): BSL p. 505.
  double critical = 3.640e-4 * Pow(36.4 * 218.0, 1.0 / 3.0) * Pow(132.0 * 647.3, 5.0 / 12.0) *
                    std::sqrt(1.0 / kMolarAir + 1.0 / kMolarWater) * 1e-4;
  double criticalTemperature = std::sqrt(132.0 * 647.3);
};

// The diffusivity of water vapour in air (m2/s) at P hPa.
double Diffusivity(const Powers& k, double T, double P) {
  return k.critical * Pow(T / k.criticalTemperature, 2.334) / (P / 1013.25);
}

// The heat of evaporation (J/kg): Van Wylen and Sonntag's, linear in T.
double HeatOfEvaporation(double T) { return (313.15 - T) / 30.0 * (-71100.0) + 2.4073e6; }

// The sky's emissivity from the vapour pressure (hPa): Oke, p. 373.
double SkyEmissivity(double e) { return e > 0.0 ? 0.575 * Pow(e, 0.143) : 0.0; }

double Density(double T, double P) { return P * 100.0 / (kRAir * T); }

// Convective heat transfer coefficients (W/(m2 K)) at film temperature T: a
// sphere (BSL p. 409) and a cylinder in cross flow (Bedingfield and Drew).
double SphereCoefficient(const Powers& k, double T, double P, double u) {
  const double mu = Viscosity(T);
  const double Re = u * Density(T, P) * kGlobeDiameter / mu;
  const double Nu = 2.0 + 0.6 * std::sqrt(Re) * k.prandtlSphere;
  return Nu * (kCp + 1.25 * kRAir) * mu / kGlobeDiameter;
}
double CylinderCoefficient(const Powers& k, double T, double P, double u, double mu) {
  const double Re = u * Density(T, P) * kWickDiameter / mu;
  const double Nu = 0.281 * Pow(Re, 1.0 - 0.4) * k.prandtlCylinder;
  return Nu * (kCp + 1.25 * kRAir) * mu / kWickDiameter;
}

// The saturation vapour pressure over water (hPa) at the wick, the handbook
// model's in air at P; infinity where it reaches P (past boiling).
double WickSaturation(double T, double P) {
  const PressureResult s = SaturationVaporPressureInAir(T - kKelvin, P / 10.0, Phase::Water);
  const double e = s.pressure * 10.0;
  return s.status == Status::Ok && e < P ? e : std::numeric_limits<double>::infinity();
}

// EPA-454/5-99-005 section 6.2.5 as Liljegren takes it: the stability class
// (1 to 6) by rows of wind and columns of sun (by day) or of the lapse rate
// (by night), and each class's exponent of the wind's power law in open country.
constexpr std::array<std::array<int, 8>, 5> kClasses = {{
    {1, 1, 2, 4, 0, 5, 6, 0},
    {1, 2, 3, 4, 0, 5, 6, 0},
    {2, 2, 3, 4, 0, 4, 4, 0},
    {3, 3, 4, 4, 0, 0, 0, 0},
    {3, 4, 4, 4, 0, 0, 0, 0},
}};
constexpr std::array<double, 6> kRuralExponents = {0.07, 0.07, 0.10, 0.15, 0.35, 0.55};

int StabilityClass(bool day, double speed, double solar) {
  if (day) {
    const int column = solar >= 925.0 ? 0 : solar >= 675.0 ? 1 : solar >= 175.0 ? 2 : 3;
    const int row = speed >= 6.0 ? 4 : speed >= 5.0 ? 3 : speed >= 3.0 ? 2 : speed >= 2.0 ? 1 : 0;
    return kClasses[static_cast<std::size_t>(row)][static_cast<std::size_t>(column)];
  }
  // The standard lapse rate: the air 8 m up 0.052 K cooler (column 5, not 6).
  const int row = speed >= 2.5 ? 2 : speed >= 2.0 ? 1 : 0;
  return kClasses[static_cast<std::size_t>(row)][5];
}

// The root of a balance (each rises with the temperature, so it has one):
// secant steps from the air's temperature until a step is below 1e-7 K, where
// they converge faster than linearly, so the root is within 1e-6 K; where a
// step leaves the wide bracket that holds every root of the range or a
// residual is not finite, the bracketed finder in that bracket, to 1e-6 K.
template <typename Residual>
Root Solve(Residual residual, double start, double widestLo, double widestHi) {
  constexpr double kTolerance = 1e-6;  // K
  constexpr int kMostSteps = 16;
  double x0 = start;
  double f0 = residual(x0);
  double x1 = start + 1.0;
  double f1 = residual(x1);
  for (int step = 0; step < kMostSteps && std::isfinite(f0) && std::isfinite(f1) && f1 != f0;
       ++step) {
    const double x2 = x1 - f1 * (x1 - x0) / (f1 - f0);
    if (!(x2 > widestLo && x2 < widestHi)) break;
    if (std::fabs(x2 - x1) < 0.1 * kTolerance) return {x2, true};
    x0 = x1;
    f0 = f1;
    x1 = x2;
    f1 = residual(x2);
  }
  return FindRoot(residual, widestLo, widestHi, kTolerance, 0.0);
}

}  // namespace

Sun SunOf(double irradiance, double cosZenith, double directFraction) {
  if (!(cosZenith >= kLowestCosZenith)) return {0.0, 0.0, cosZenith};
  const double top = kSolarConstant * cosZenith;
  const double clearness = std::fmin(irradiance / top, kMostClearness);
  double direct = directFraction;
  if (std::isnan(direct)) {
    direct = clearness > 0.0 ? Exp(3.0 - 1.34 * clearness - 1.65 / clearness) : 0.0;
    direct = std::fmax(std::fmin(direct, 0.9), 0.0);
  }
  return {clearness * top, direct, cosZenith};
}

double WindAtTwoMetres(double windAt10m, const Sun& sun) {
  const int stability = StabilityClass(sun.cosZenith > 0.0, windAt10m, sun.irradiance);
  const double exponent = kRuralExponents[static_cast<std::size_t>(stability - 1)];
  return std::fmax(windAt10m * Pow(2.0 / 10.0, exponent), kLeastSpeed);
}

WickAndGlobe NaturalWetBulbAndGlobe(double T, double e, double P, double u, const Sun& sun) {
  const Powers k;
  const double S = sun.irradiance;
  const double f = sun.directFraction;
  const double sky = 0.5 * (SkyEmissivity(e) + kSurfaceEmissivity) * T * T * T * T;
  // The globe: absorbed long- and short-wave radiation against emission and
  // convection, eq. 2 of Liljegren et al.
  const double direct = S > 0.0 ? f * (1.0 / (2.0 * sun.cosZenith) - 1.0) : 0.0;
  const double absorbed = kGlobeEmissivity * kStefanBoltzmann * sky +
                          0.5 * S * (1.0 - kGlobeAlbedo) * (direct + 1.0 + kSurfaceAlbedo);
  const auto globe = [&](double Tg) {
    const double h = SphereCoefficient(k, 0.5 * (Tg + T), P, u);
    return kGlobeEmissivity * kStefanBoltzmann * Tg * Tg * Tg * Tg + h * (Tg - T) - absorbed;
  };
  // The wick: its evaporation against the convection and radiation it gets.
  const double tangent =
      S > 0.0 ? std::sqrt(1.0 - sun.cosZenith * sun.cosZenith) / sun.cosZenith : 0.0;
  const double shortWave =
      (1.0 - kWickAlbedo) * S *
      ((1.0 - f) * (1.0 + 0.25 * kWickDiameter / kWickLength) +
       f * (tangent / kPi + 0.25 * kWickDiameter / kWickLength) + kSurfaceAlbedo);
  const double ratio = kCp * kMolarAir / kMolarWater;
  const auto wick = [&](double Tw) {
    const double Tref = 0.5 * (Tw + T);
    const double ew = WickSaturation(Tw, P);
    if (std::isinf(ew)) return ew;
    const double radiation =
        kStefanBoltzmann * kWickEmissivity * (sky - Tw * Tw * Tw * Tw) + shortWave;
    const double mu = Viscosity(Tref);
    const double schmidt = mu / (Density(Tref, P) * Diffusivity(k, Tref, P));
    const double evaporation =
        HeatOfEvaporation(Tref) / ratio * (ew - e) / (P - ew) * Pow(kPrandtl / schmidt, 0.56);
    return Tw - (T - evaporation + radiation / CylinderCoefficient(k, Tref, P, u, mu));
  };
  constexpr double kNan = std::numeric_limits<double>::quiet_NaN();
  const Root g = Solve(globe, T, T - 100.0, T + 200.0);
  const Root w = Solve(wick, T - 5.0, T - 80.0, T + 40.0);
  return {w.found ? w.x : kNan, g.found ? g.x : kNan};
}

}  // namespace hygrian::air::measures

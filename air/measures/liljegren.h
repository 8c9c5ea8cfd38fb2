// Liljegren et al.'s (2008) model of the natural wet-bulb and globe
// temperatures from standard weather data: the sun as the model takes it, the
// wind brought to 2 m, and the two energy balances, each solved to 1e-6 K.
//
//   NaturalWetBulbAndGlobe(305.15 K, 2.5 hPa e, 1013.25 hPa, {2 m/s, 800 W/m2, 0.7, 0.6})
//   gives about 298.3 K and 322.0 K.
#pragma once

namespace hygrian::air::measures {

// The sun on the instruments: irradiance (W/m2, horizontal), the part of it in
// the direct beam (0 to 1) and the cosine of the zenith angle.
struct Sun {
  double irradiance = 0.0;
  double directFraction = 0.0;
  double cosZenith = 1.0;
};

// The sun as Liljegren's model takes it from a measured irradiance: at most
// 0.85 of the top of the atmosphere's at the mean Earth-Sun distance, none
// below 0.5 degrees of elevation; the direct fraction when directFraction is
// NaN from the ratio s of the two, exp(3 - 1.34 s - 1.65 / s), at most 0.9.
Sun SunOf(double irradiance, double cosZenith, double directFraction);

// The wind at 2 m (m/s, at least 0.13) from the wind at 10 m by Liljegren's
// power law for open country: its stability class from the sun and the wind
// by day (cosZenith above 0), from the wind and the standard lapse rate by night.
double WindAtTwoMetres(double windAt10m, const Sun& sun);

struct WickAndGlobe {
  double naturalWetBulb;  // K; NaN where the balance has no root near the air's
  double globe;           // K
};

// Both temperatures for air at T (K) with vapour pressure e (hPa) at pressure
// P (hPa), the wind u at 2 m (m/s), in the sun; each to 1e-6 K.
WickAndGlobe NaturalWetBulbAndGlobe(double T, double e, double P, double u, const Sun& sun);

}  // namespace hygrian::air::measures

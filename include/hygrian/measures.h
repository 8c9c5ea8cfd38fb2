// Heat stress and the atmosphere's derived quantities, from the same moist-air
// state as every other surface: the NWS heat index, the humidex, Steadman's
// apparent temperature, the wet-bulb globe temperature (Liljegren's outdoor
// model, the shade form, and an estimate), the UTCI and the mean radiant
// temperature, the potential, equivalent potential and virtual temperatures
// and the lifting condensation level. Each is a function of a State (as the
// handbook model computes it), its total pressure and, where the measure
// needs them, the surroundings (wind, radiation); and each is a row of
// Measures, whose key, units, inputs, range and reference the programs and
// the Python package are made from (docs/heat-stress.md has each definition).
//
// A measure outside the range it is defined or fitted for is NaN with the
// warning Status::OutsideMeasureRange, never an extrapolated number; an input
// that is no value (NaN, a negative wind) is NaN with Status::InvalidInput.
// Temperatures are in degrees C like the State's, pressures in kPa.
//
//   const hygrian::State air = hygrian::FromDryBulbRelativeHumidity(32.2, 60.0).state;
//   hygrian::HeatIndex(air).value;  // 37.5 (99.6 degF; the NWS table prints 100)
#pragma once

#include <array>
#include <cstddef>
#include <limits>
#include <span>
#include <string_view>

#include "hygrian/export.h"
#include "hygrian/pairs.h"
#include "hygrian/psychrometrics.h"

namespace hygrian {

inline constexpr double NotGiven = std::numeric_limits<double>::quiet_NaN();

// What a measure needs beyond the air's state; NaN where not given.
struct Surroundings {
  double windSpeed = NotGiven;               // m/s, 10 m above the ground
  double meanRadiantTemperature = NotGiven;  // degrees C
  double globeTemperature = NotGiven;        // degrees C, a standard 150 mm black globe
  double airSpeed = NotGiven;                // m/s at the globe
  double solarIrradiance = NotGiven;         // W/m2 on a horizontal surface, direct and diffuse
  double directFraction = NotGiven;          // 0 to 1 of it in the direct beam; NaN: estimated
  double cosZenith = NotGiven;               // cosine of the solar zenith angle
  double netRadiation = NotGiven;            // W/m2 absorbed per m2 of the body's surface
};

// One measure's value and what became of it: Ok, a warning of the state's
// (Supersaturated, DrierThanRange) with the value computed, OutsideMeasureRange
// or InvalidInput with the value NaN.
struct MeasureResult {
  double value = NotGiven;
  Status status = Status::Ok;
};

// The NWS heat index (degrees C): Rothfusz's regression in degrees F with the
// NWS's two adjustments, where Steadman's simple form, averaged with the
// temperature, reaches 80 degF; that simple form below (NWS SR 90-23, and the
// NWS heat index equation page). From the dry-bulb and the relative humidity
// (over water, as above 0.01 degrees C both conventions are). Range: a dry-bulb
// above 40 degF (4.4 degrees C; at and below it the NWS's heat index is the
// temperature) and up to 112 degF (44.4 degrees C, the adjustments' limit),
// and a heat index that rounds to at most 137 degF (58.3 degrees C, the NWS
// table's last printed value). The NWS's method steps where its pieces meet:
// by up to 2.1 degF at 80 degF in saturated air, where the humid adjustment
// starts, and 1.8 degF where the regression takes over in dry air. 32.2 degrees C (90 degF) and 60
// percent give 37.5 (99.6 degF; the table prints 100).
[[nodiscard]] HYGRIAN_API MeasureResult HeatIndex(const State& air) noexcept;

// The humidex (Masterton and Richardson 1979): T + 0.5555 (e - 10), e in hPa by
// Environment Canada's form from the dew point over water, 6.11 exp(5417.7530
// (1/273.16 - 1/T_d)), and 0.5555 for 5/9 as Environment Canada has it.
// Range: a dry-bulb of 20 degrees C and above, the temperatures Environment
// Canada gives it for. 30 and a dew point of 15 give 33.97 (Environment
// Canada: 34).
[[nodiscard]] HYGRIAN_API MeasureResult Humidex(const State& air, double pressure) noexcept;

// Steadman's (1994) apparent temperature in the shade, as the Bureau of
// Meteorology gives it: T + 0.33 e - 0.70 v - 4.00, e in hPa, v the wind at
// 10 m (m/s, not negative); and in the sun, with the net radiation Q (W/m2)
// absorbed per unit of the body's surface: T + 0.348 e - 0.70 v + 0.70 Q /
// (v + 10) - 4.25. Defined for every state (Steadman gives no range).
[[nodiscard]] HYGRIAN_API MeasureResult ApparentTemperature(const State& air,
                                                            double windSpeed) noexcept;
[[nodiscard]] HYGRIAN_API MeasureResult ApparentTemperatureInSun(const State& air, double windSpeed,
                                                                 double netRadiation) noexcept;

// The outdoor wet-bulb globe temperature by Liljegren et al. (2008): 0.7
// T_nwb + 0.2 T_g + 0.1 T, the natural wet-bulb T_nwb and the 2-inch globe's
// temperature T_g from their energy balances, each solved to 1e-6 K (secant
// steps from the air's temperature, a bracketed search where they stray;
// Liljegren iterates to 0.02 K). The wind at 10 m is brought to 2 m
// by Liljegren's power law for open country, its stability class from the sun
// and the wind (at night the standard lapse rate's); below 0.13 m/s at 2 m it
// is 0.13. The solar irradiance is taken as Liljegren does: at most 0.85 of
// the top of the atmosphere's (1367 W/m2 times the cosine, at the mean
// Earth-Sun distance), none with the sun below 0.5 degrees of elevation; the
// direct fraction, when not given, from its ratio to that
// (exp(3 - 1.34 s - 1.65 / s), at most 0.9). The air's vapour pressure and
// the wick's saturation are the handbook model's. Range: a dry-bulb of 0 to
// 50 degrees C (a wet wick; the air's properties are Liljegren's fits for 10
// to 40). Inputs out of their domain (a negative wind or irradiance, a cosine
// outside -1 to 1, a direct fraction outside 0 to 1) are InvalidInput.
struct GlobeResult {
  double wetBulbGlobe = NotGiven;    // degrees C
  double naturalWetBulb = NotGiven;  // degrees C
  double globe = NotGiven;           // degrees C, of Liljegren's 2-inch (50.8 mm) globe
  Status status = Status::Ok;
};
[[nodiscard]] HYGRIAN_API GlobeResult
WetBulbGlobeTemperature(const State& air, double pressure, double windSpeed, double solarIrradiance,
                        double cosZenith, double directFraction = NotGiven) noexcept;

// Indoors or in the shade (ISO 7243): 0.7 T_nwb + 0.3 T_g, both from
// Liljegren's model without the sun.
[[nodiscard]] HYGRIAN_API GlobeResult WetBulbGlobeTemperatureInShade(const State& air,
                                                                     double pressure,
                                                                     double windSpeed) noexcept;

// An estimate, not a measurement's model: 0.567 T + 0.393 e + 3.94 (e in hPa),
// the Bureau of Meteorology's approximation for moderate sun and light wind.
[[nodiscard]] HYGRIAN_API MeasureResult WetBulbGlobeTemperatureEstimate(const State& air) noexcept;

// The UTCI (degrees C): Broede et al.'s (2012) operational 6th-order
// polynomial in the dry-bulb, the mean radiant temperature's excess over it,
// the wind at 10 m and the vapour pressure (the state's, in kPa). Range, as
// stated with it: a dry-bulb of -50 to 50 degrees C, a mean radiant
// temperature 30 K below to 70 K above it, a wind of 0.5 to 17 m/s and a
// vapour pressure up to 5 kPa. 30, 40, 1 m/s and 2 kPa give 32.668.
[[nodiscard]] HYGRIAN_API MeasureResult UniversalThermalClimateIndex(const State& air,
                                                                     double meanRadiantTemperature,
                                                                     double windSpeed) noexcept;

// The mean radiant temperature (degrees C) from a standard black globe's
// temperature (150 mm, emissivity 0.95) and the air speed at the globe (m/s),
// ISO 7726 Annex B: the larger of the forced and the natural convection
// coefficients. NaN (OutsideMeasureRange) where the balance has no root (a
// globe far colder than the air).
[[nodiscard]] HYGRIAN_API MeasureResult MeanRadiantTemperature(const State& air,
                                                               double globeTemperature,
                                                               double airSpeed) noexcept;

// The potential temperature (degrees C) at the reference pressure 100 kPa:
// T (100 / P)^0.2857, with Rd/cp = 0.2857 (dry air).
[[nodiscard]] HYGRIAN_API MeasureResult PotentialTemperature(const State& air,
                                                             double pressure) noexcept;

// The equivalent potential temperature (degrees C), Bolton's (1980) eq. 39,
// the most accurate of the non-iterative formulas by Davies-Jones's (2009)
// comparison: theta_DL exp((3036 / T_L - 1.78) r (1 + 0.448 r)), theta_DL =
// T (1000 / (p - e))^0.2854 (T / T_L)^(0.28 r), T_L by Bolton's eq. 21 from
// the vapour pressure, r the humidity ratio (kg/kg).
[[nodiscard]] HYGRIAN_API MeasureResult EquivalentPotentialTemperature(const State& air,
                                                                       double pressure) noexcept;

// The virtual temperature (degrees C): T (1 + W / 0.621945) / (1 + W), exact
// for the ideal mixture.
[[nodiscard]] HYGRIAN_API MeasureResult VirtualTemperature(const State& air) noexcept;

// The lifting condensation level by Romps's (2017) exact expression, with
// Romps's own thermodynamics (his saturation over liquid water, constant heat
// capacities) for the state's vapour pressure: its temperature (degrees C),
// pressure (kPa) and height above the parcel (m), with the Lambert W
// function's lower branch to 1e-15 relative. Saturated air has it where it is
// (a relative humidity over Romps's liquid up to 1.01 is taken as 1: the
// handbook model's saturation lies up to 0.7 percent above his); supersaturated
// air has none, nor has dry air: OutsideMeasureRange. 300 K, 100 kPa, half
// saturated over liquid: 1433.84 m.
struct LiftingCondensationLevel {
  double temperature = NotGiven;  // degrees C
  double pressure = NotGiven;     // kPa
  double height = NotGiven;       // m above the parcel
  Status status = Status::Ok;
};
[[nodiscard]] HYGRIAN_API LiftingCondensationLevel
LiftingCondensationLevelOf(const State& air, double pressure) noexcept;

// One input a measure takes beyond the state, as data: its key (the
// hygrian-batch column and Python keyword), its field, unit and description.
struct MeasureInput {
  std::string_view key;  // "wind_speed"
  double Surroundings::*member;
  std::string_view unit;  // "m/s", "degC", "W/m2", "1"
  std::string_view description;
};

inline constexpr std::array<MeasureInput, 8> MeasureInputs = {{
    {"wind_speed", &Surroundings::windSpeed, "m/s", "wind speed 10 m above the ground"},
    {"mean_radiant_temperature", &Surroundings::meanRadiantTemperature, "degC",
     "mean radiant temperature"},
    {"globe_temperature", &Surroundings::globeTemperature, "degC",
     "temperature of a standard 150 mm black globe"},
    {"air_speed", &Surroundings::airSpeed, "m/s", "air speed at the globe"},
    {"solar_irradiance", &Surroundings::solarIrradiance, "W/m2",
     "solar irradiance on a horizontal surface, direct and diffuse"},
    {"direct_fraction", &Surroundings::directFraction, "1",
     "fraction of the solar irradiance in the direct beam (estimated when not given)"},
    {"cos_zenith", &Surroundings::cosZenith, "1", "cosine of the solar zenith angle"},
    {"net_radiation", &Surroundings::netRadiation, "W/m2",
     "net radiation absorbed per unit of the body's surface"},
}};

// One measure as data. Its value is in `unit` (the library's), `ip` for
// inch-pound output and `cf` in CF files, under the CF standard name where
// one exists. inputs names the MeasureInputs it needs (empty entries unused);
// an input whose description says "when not given" may be NaN.
struct Measure {
  std::string_view key;           // "heat_index": the column and Python function
  std::string_view name;          // "heat index (NWS)"
  std::string_view unit;          // "degC", "kPa", "m"
  std::string_view ip;            // "degF", "psi", "ft"
  std::string_view cf;            // "K", "Pa", "m"
  std::string_view standardName;  // CF; empty where none exists
  std::array<std::string_view, 4> inputs;
  std::string_view range;      // in words
  std::string_view reference;  // the definition's source
  MeasureResult (*compute)(const State& air, double pressure, const Surroundings& around) noexcept;
};

namespace measure_rows {
// The functions above with the table's one signature (air/measures/table.cpp).
HYGRIAN_API MeasureResult HeatIndex(const State&, double, const Surroundings&) noexcept;
HYGRIAN_API MeasureResult Humidex(const State&, double, const Surroundings&) noexcept;
HYGRIAN_API MeasureResult ApparentTemperature(const State&, double, const Surroundings&) noexcept;
HYGRIAN_API MeasureResult ApparentTemperatureInSun(const State&, double,
                                                   const Surroundings&) noexcept;
HYGRIAN_API MeasureResult WetBulbGlobe(const State&, double, const Surroundings&) noexcept;
HYGRIAN_API MeasureResult WetBulbGlobeInShade(const State&, double, const Surroundings&) noexcept;
HYGRIAN_API MeasureResult WetBulbGlobeEstimate(const State&, double, const Surroundings&) noexcept;
HYGRIAN_API MeasureResult Utci(const State&, double, const Surroundings&) noexcept;
HYGRIAN_API MeasureResult MeanRadiant(const State&, double, const Surroundings&) noexcept;
HYGRIAN_API MeasureResult Potential(const State&, double, const Surroundings&) noexcept;
HYGRIAN_API MeasureResult EquivalentPotential(const State&, double, const Surroundings&) noexcept;
HYGRIAN_API MeasureResult Virtual(const State&, double, const Surroundings&) noexcept;
HYGRIAN_API MeasureResult LclTemperature(const State&, double, const Surroundings&) noexcept;
HYGRIAN_API MeasureResult LclPressure(const State&, double, const Surroundings&) noexcept;
HYGRIAN_API MeasureResult LclHeight(const State&, double, const Surroundings&) noexcept;
}  // namespace measure_rows

// clang-format off
inline constexpr std::array<Measure, 15> Measures = {{
    {"heat_index", "heat index (NWS)", "degC", "degF", "K", "heat_index_of_air_temperature",
     {}, "dry-bulb above 40 degF and up to 112 degF; heat index up to 137 degF",
     "Rothfusz (1990), NWS SR 90-23; NWS heat index equation", measure_rows::HeatIndex},
    {"humidex", "humidex", "degC", "degF", "K", "",
     {}, "dry-bulb 20 degC and above",
     "Masterton and Richardson (1979); Environment Canada", measure_rows::Humidex},
    {"apparent_temperature", "apparent temperature in the shade", "degC", "degF", "K", "",
     {"wind_speed"}, "every state",
     "Steadman (1994), Aust. Met. Mag. 43:1-16; Bureau of Meteorology",
     measure_rows::ApparentTemperature},
    {"apparent_temperature_in_sun", "apparent temperature with net radiation", "degC", "degF", "K",
     "", {"wind_speed", "net_radiation"}, "every state",
     "Steadman (1994), Aust. Met. Mag. 43:1-16; Bureau of Meteorology",
     measure_rows::ApparentTemperatureInSun},
    {"wet_bulb_globe_temperature", "wet-bulb globe temperature (outdoors)", "degC", "degF", "K",
     "wet_bulb_globe_temperature",
     {"wind_speed", "solar_irradiance", "cos_zenith", "direct_fraction"},
     "dry-bulb 0 to 50 degC",
     "Liljegren et al. (2008), J. Occup. Environ. Hyg. 5:645-655", measure_rows::WetBulbGlobe},
    {"wet_bulb_globe_temperature_in_shade", "wet-bulb globe temperature (indoors, shade)", "degC",
     "degF", "K", "", {"wind_speed"}, "dry-bulb 0 to 50 degC",
     "ISO 7243; Liljegren et al. (2008) without the sun", measure_rows::WetBulbGlobeInShade},
    {"wet_bulb_globe_temperature_estimate", "wet-bulb globe temperature estimate", "degC", "degF",
     "K", "", {}, "every state (an estimate)",
     "Bureau of Meteorology's approximation", measure_rows::WetBulbGlobeEstimate},
    {"utci", "universal thermal climate index", "degC", "degF", "K", "",
     {"mean_radiant_temperature", "wind_speed"},
     "dry-bulb -50 to 50 degC; mean radiant temperature -30 to +70 K of it; wind 0.5 to 17 m/s; "
     "vapour pressure up to 5 kPa",
     "Broede et al. (2012), Int. J. Biometeorol. 56:481-494", measure_rows::Utci},
    {"mean_radiant_temperature", "mean radiant temperature from a black globe", "degC", "degF",
     "K", "", {"globe_temperature", "air_speed"}, "where the globe's balance has a root",
     "ISO 7726 (1998) Annex B", measure_rows::MeanRadiant},
    {"potential_temperature", "potential temperature", "degC", "degF", "K",
     "air_potential_temperature", {}, "every state",
     "reference pressure 100 kPa, Rd/cp = 0.2857", measure_rows::Potential},
    {"equivalent_potential_temperature", "equivalent potential temperature", "degC", "degF", "K",
     "equivalent_potential_temperature", {}, "every state",
     "Bolton (1980), Mon. Weather Rev. 108:1046-1053, eq. 39", measure_rows::EquivalentPotential},
    {"virtual_temperature", "virtual temperature", "degC", "degF", "K", "virtual_temperature",
     {}, "every state", "the ideal mixture's definition", measure_rows::Virtual},
    {"lifting_condensation_level_temperature", "temperature at the lifting condensation level",
     "degC", "degF", "K", "", {}, "not supersaturated",
     "Romps (2017), J. Atmos. Sci. 74:3891-3900", measure_rows::LclTemperature},
    {"lifting_condensation_level_pressure", "pressure at the lifting condensation level", "kPa",
     "psi", "Pa", "", {}, "not supersaturated",
     "Romps (2017), J. Atmos. Sci. 74:3891-3900", measure_rows::LclPressure},
    {"lifting_condensation_level_height", "height of the lifting condensation level", "m", "ft",
     "m", "", {}, "not supersaturated",
     "Romps (2017), J. Atmos. Sci. 74:3891-3900", measure_rows::LclHeight},
}};
// clang-format on

// The row of a key; nullptr for a key no row has.
[[nodiscard]] constexpr const Measure* FindMeasure(std::string_view key) noexcept {
  for (const Measure& m : Measures) {
    if (m.key == key) return &m;
  }
  return nullptr;
}

// The row of an input's key; nullptr for a key no row has.
[[nodiscard]] constexpr const MeasureInput* FindMeasureInput(std::string_view key) noexcept {
  for (const MeasureInput& input : MeasureInputs) {
    if (input.key == key) return &input;
  }
  return nullptr;
}

// The surroundings of many states at once: each input a column of the states'
// length, a single value for every state, or empty (not given).
struct SurroundingColumns {
  std::array<std::span<const double>, MeasureInputs.size()> columns{};  // in MeasureInputs' order
};

// A measure of many states given by a pair (hygrian/pairs.h), as
// ComputeStates computes them (hygrian/arrays.h), bit for bit what
// measure.compute gives each state: out[i] is the measure of the state of
// (first[i], second[i], pressure[i]); where that state is not computed (a
// fault, invalid input), NaN with the state's status; where it is a warning
// and the measure Ok, the measure with the state's warning. false, with
// nothing computed, where the lengths do not match.
[[nodiscard]] HYGRIAN_API bool ComputeMeasures(
    const Measure& measure, const Pair& pair, std::span<const double> first,
    std::span<const double> second, std::span<const double> pressure,
    const SurroundingColumns& around, std::span<MeasureResult> out, Options options = {}) noexcept;

}  // namespace hygrian

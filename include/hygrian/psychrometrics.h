// The moist-air state from one measured pair, at any total pressure: dry-bulb with
// wet-bulb, with dew point, with relative humidity, with humidity ratio, with
// specific humidity or with vapour pressure (hygrian/pairs.h lists them as data); the saturation
// vapour pressure; and the standard atmosphere's pressure at an altitude. The computations live in
// the compiled library, so a program's own compiler flags cannot change them.
//
// Two models compute them, chosen by the trailing Options of every computation:
//
// Model::Handbook (the default): ASHRAE Handbook Fundamentals 2017 ch. 1 with
// the enhancement factor, for -100 to 200 degrees C and 10 to 1,000 kPa (else
// OutOfRange). The dew point is the exact inverse of the saturation relation and
// the wet-bulb the root of the psychrometric equation; both are solved to the
// last bits. Every physical state is answered, above the boiling point too. A
// property that is not defined is NaN, and only these are:
//   dewPoint            dry air (a vapour pressure of 0), or a frost point below
//                       -100 degrees C (status DrierThanRange);
//   wetBulb             air above saturation, whose wet-bulb would be above the
//                       dry-bulb (status Supersaturated or AboveIceSaturation),
//                       unless given;
//   degreeOfSaturation  at and above the boiling point (the saturation pressure
//                       at the dry-bulb reaches the total pressure): no
//                       saturation there.
// Options::over sets which saturation every quantity refers to: the dew point,
// the relative humidity, the saturation humidity ratio (and so the degree of
// saturation), the wet-bulb's wick and the test for air above saturation.
// Phase::Ice (the handbook's): ice at and below the triple point, 0.01 degrees
// C, water above; the wick is ice below 0 degrees C (ASHRAE 2017 eq. 35) and
// the wet-bulb exactly 0 on the plateau where it is partly frozen. Phase::Water
// (the WMO's, as weather reports and reanalyses give them): liquid water at
// every temperature, the wick too (eq. 33 over supercooled water below 0, no
// plateau); below 0.01 degrees C the water relation is extrapolated, within
// 0.73 percent of supercooled water's pressure down to -40 and about 2 percent
// at -50 degrees C. Air is above saturation only above saturation over water.
//
// Model::Calculator: the calculator's (hygrian(1)) own relations, results and
// statuses to the bit, with no range of validity enforced: a value outside the
// relations' physical range (a relative humidity above 100, a dew point above
// the dry-bulb) gives whatever the relations give. Only a computation fault, a
// state whose vapour pressure reaches the total pressure, or invalid input is
// reported, as a status, and nothing is thrown. A result never holds a NaN or an
// infinity. It knows only Phase::Ice: Phase::Water is InvalidInput. The results
// are the calculator's except in two cases: where the calculator's wet-bulb
// search gives up, a bisection goes on and may find the wet-bulb (see
// Result::wetBulbFound); and where P - p <= 0 the status is
// VaporPressureNotBelowTotal, where the calculator computes a meaningless state.
#pragma once

#include <string_view>

#include "hygrian/export.h"

namespace hygrian {

inline constexpr double StandardPressure = 101.325;  // kPa, the default everywhere

// The set of relations a computation uses (see the top of this header).
enum class Model {
  Handbook,    // ASHRAE Handbook Fundamentals 2017 ch. 1 with the enhancement factor
  Calculator,  // the calculator's relations, to the bit
};

// What saturation refers to below the triple point.
enum class Phase {
  Ice,    // ice at and below 0.01 degrees C, liquid water above (the handbook's)
  Water,  // liquid water at every temperature (the WMO's)
};

struct Options {
  Model model = Model::Handbook;
  Phase over = Phase::Ice;
};
// The total pressures the programs take, in kPa, both included: a value outside
// is most often a slip of unit (1013 hPa given as kPa). The library itself takes
// any positive pressure.
inline constexpr double ProgramPressureLeast = 20.0;
inline constexpr double ProgramPressureMost = 200.0;

// The properties of one air sample (hygrian/properties.h lists them as data):
// the nine of the C struct hygrian_state, then those added since.
struct State {
  double dryBulb = 0.0;             // degrees C
  double wetBulb = 0.0;             // degrees C
  double dewPoint = 0.0;            // degrees C (a frost point at or below 0)
  double relativeHumidity = 0.0;    // percent
  double enthalpy = 0.0;            // kJ per kg of dry air
  double humidityRatio = 0.0;       // kg of water vapour per kg of dry air
  double degreeOfSaturation = 0.0;  // humidity ratio over its saturation value
  double specificVolume = 0.0;      // cubic metres per kg of dry air
  double vaporPressure = 0.0;       // kPa
  // kg of water vapour per kg of moist air: W / (1 + W). Since 2.4.0.
  double specificHumidity = 0.0;
};

// What became of a computation. Ok and the warnings (Supersaturated,
// DrierThanRange, AboveIceSaturation, ClippedToSaturation) come with a computed
// state; every other status leaves only the two given values in it. The fault statuses are the
// first fault met in the calculator's relations, in the order they compute; the handbook model has
// no faults. hygrian/outcomes.h gives each its text and class.
enum class Status {
  Ok,                // every property computed
  InvalidInput,      // a given value is not finite, or the pressure is not positive
  InvalidOperation,  // "floating-point error: invalid": 0/0 and the like
  DivideByZero,      // "floating-point error: divide by zero"
  Overflow,          // "floating-point error: overflow": a result beyond the double range
  LogDomain,         // "log: DOMAIN error": ln of a negative number (a negative pressure)
  LogSingularity,    // "log: SING error": ln 0 (a vapour pressure of 0)
  ExpOverflow,       // "exp: OVERFLOW error": a saturation pressure beyond the double range
  PowerDomain,       // "**: DOMAIN error": cannot occur (the exponents are 2, 3 and 4)
  PowerSingularity,  // "**: SING error": cannot occur either
  PowerOverflow,     // "**: OVERFLOW error": an absolute temperature above about 1.2e77 K
  // "vapour pressure at or above total pressure": P - p <= 0 for the vapour
  // pressure or the saturation pressure at the dry-bulb, the wet-bulb (given or
  // found) or the dew point, which makes the humidity ratio meaningless. A fault
  // met earlier in the computation keeps its own status.
  VaporPressureNotBelowTotal,
  // A gap in a program's input (an empty cell, a NaN given to Python): never
  // returned by the computations here, which take a NaN as InvalidInput.
  Missing,
  // A warning (handbook model): above saturation over water (a relative humidity
  // above 100, a dew point or wet-bulb above the dry-bulb, a humidity ratio
  // above saturation, or air supersaturated over the wick); the state is
  // computed from the given pair, its wet-bulb NaN unless given. A relative
  // humidity above 200 or a humidity ratio above 10 times saturation is
  // InvalidInput. Under Phase::Ice, air above saturation over ice but not over
  // water is AboveIceSaturation instead.
  Supersaturated,
  // A warning (handbook model): a frost point below -100 degrees C, drier than
  // the relations' range; the state is computed, its dew point NaN.
  DrierThanRange,
  // Handbook model: a temperature outside -100 to 200 degrees C or a pressure
  // outside 10 to 1,000 kPa (a pressure not above 0 is InvalidInput).
  OutOfRange,
  // Handbook model: the two given values fix no state (an enthalpy below dry
  // air's at that dry-bulb, a relative humidity above 100 percent, one of 0
  // with a dew point or a humidity ratio, or values that the state a search
  // found does not give back).
  NoState,
  // A pair without the dry-bulb given to the calculator model, whose fitted
  // relations such a pair cannot be solved on.
  NotWithCalculator,
  // A process (hygrian/processes.h): sensible cooling below the dew point.
  BelowDewPoint,
  // A warning (handbook model, Phase::Ice): above saturation over ice, at or
  // below saturation over water (common in cold air); computed as
  // Supersaturated is, its wet-bulb NaN unless given.
  AboveIceSaturation,
  // A warning: a state above saturation brought down to it by
  // ClipToSaturation (Supersaturated::Clip); every property computed.
  ClippedToSaturation,
  // A warning (a process, Mix): the mixture lies in the fog region; the
  // leaving state is saturated air, the water beyond saturation is liquid (or
  // ice) carried in it.
  Fog = 21,
  // A warning (hygrian/measures.h): the state lies outside the range a measure
  // is defined or fitted for (a heat index above 44.4 degrees C of dry-bulb, a
  // UTCI with a wind above 17 m/s); the measure is NaN, never extrapolated.
  OutsideMeasureRange = 23,
};

struct Result {
  State state;
  Status status = Status::Ok;
  // The wet-bulb temperature is known: given, or found. Handbook model: found
  // for every state but one above saturation (state.wetBulb NaN, status
  // Supersaturated or AboveIceSaturation). Calculator model: found by a secant search from the dew
  // point and, where that gives up (near a wet-bulb of 0 degrees C, where the
  // saturation relation switches from ice to water), by a bisection between
  // min(dew point, dry-bulb) - 1 K and the dry-bulb down to a bracket of 1e-6
  // K, whose midpoint it takes. When neither finds it, state.wetBulb is 0.0 and
  // this is false; status stays Ok.
  bool wetBulbFound = false;
};

// On any status but Ok and the warnings the two given values are in the
// state, every other field is 0.0 and wetBulbFound is false. pressure
// is the total pressure in kPa. The examples are the calculator model's; the
// handbook model gives, for 25 and 20: dew point 17.60..., relative humidity
// 63.51... percent, humidity ratio 0.012658... kg/kg.

// From the dry-bulb and wet-bulb temperatures (degrees C). 25 and 20 at 101.325
// kPa: dew point 17.56..., relative humidity 63.48... percent, humidity ratio
// 0.01260... kg/kg; 25 and 5 give LogDomain (the humidity ratio comes out
// negative).
[[nodiscard]] HYGRIAN_API Result FromDryBulbWetBulb(double dryBulb, double wetBulb,
                                                    double pressure = StandardPressure,
                                                    Options options = {}) noexcept;

// From the dry-bulb and dew-point temperatures (degrees C); a dew point at or
// below 0 is taken as a frost point. 25 and 15: wet-bulb 18.50..., relative
// humidity 53.82... percent; 100 and 100: VaporPressureNotBelowTotal (the vapour
// pressure, 101.36 kPa, is above the standard pressure).
[[nodiscard]] HYGRIAN_API Result FromDryBulbDewPoint(double dryBulb, double dewPoint,
                                                     double pressure = StandardPressure,
                                                     Options options = {}) noexcept;

// From the dry-bulb temperature (degrees C) and the relative humidity in percent
// (50, not 0.5). The state's relative humidity is computed back as
// (relativeHumidity / 100) * 100, so 57 may come back as 56.99999999999999.
// 25 and 50: wet-bulb 17.89..., dew point 13.83...; 25 and 0 give LogSingularity.
[[nodiscard]] HYGRIAN_API Result FromDryBulbRelativeHumidity(double dryBulb,
                                                             double relativeHumidity,
                                                             double pressure = StandardPressure,
                                                             Options options = {}) noexcept;

// From the dry-bulb temperature (degrees C) and the humidity ratio (kg of water
// vapour per kg of dry air, 0.01 for 10 g/kg), as climate models and mixing
// calculations give them: the vapour pressure from the humidity ratio, then the
// dew point, relative humidity and wet-bulb as for the other pairs. A negative
// humidity ratio is invalid input; 0 gives LogSingularity. 25 and 0.0125990:
// wet-bulb 20.00..., relative humidity 63.48... percent.
[[nodiscard]] HYGRIAN_API Result FromDryBulbHumidityRatio(double dryBulb, double humidityRatio,
                                                          double pressure = StandardPressure,
                                                          Options options = {}) noexcept;

// From the dry-bulb temperature (degrees C) and the specific humidity q (kg of
// water vapour per kg of moist air), as reanalyses give it: the state of the
// humidity ratio q / (1 - q), which the state holds as the given value. A q below
// 0 or at or above 1 is invalid input. 25 and 0.0124422: wet-bulb 20.00...
[[nodiscard]] HYGRIAN_API Result FromDryBulbSpecificHumidity(double dryBulb,
                                                             double specificHumidity,
                                                             double pressure = StandardPressure,
                                                             Options options = {}) noexcept;

// From the dry-bulb temperature (degrees C) and the vapour pressure e (kPa), as
// weather stations and gridded climate data give it: the state of the humidity
// ratio the model gives e at the total pressure P (the handbook model's
// 0.621945 e / (P - e), ASHRAE 2017 ch. 1 eq. 20). A computed state holds the
// vapour pressure computed back from that humidity ratio; any other the value
// given. An e below 0, at or above P, or not finite is invalid input; one above
// saturation is Supersaturated (or AboveIceSaturation) as for the humidity
// ratio. 25 and 2.0 at 101.325 kPa: humidity ratio 0.0125234... (1.24389 /
// 99.325). Since 2.4.0.
[[nodiscard]] HYGRIAN_API Result FromDryBulbVaporPressure(double dryBulb, double vaporPressure,
                                                          double pressure = StandardPressure,
                                                          Options options = {}) noexcept;

// The pairs without the dry-bulb, and the dry-bulb with the enthalpy: the
// handbook model's only (the calculator model gives NotWithCalculator). The
// missing temperature or humidity ratio is found by a bracketed search on the
// model's forward relations, to 1e-9 K for a temperature and 1e-10 relative
// for a humidity ratio; the state then holds the two given values as given,
// and the rest as FromDryBulbHumidityRatio (or ...RelativeHumidity,
// ...DewPoint) gives them at the dry-bulb found, once that state gives the two
// values back to 1e-9 of their size (a temperature's in kelvin; otherwise
// NoState: values no state has, 1e16 kJ/kg at 50 percent). The relative
// humidity given is 0 to 100 percent (above: NoState); a root outside -100 to
// 200 degrees C is OutOfRange. Enthalpy h in kJ per kg of dry air, W in kg/kg.
// 25 and 50.0 kJ/kg (dry-bulb, enthalpy) give W 0.0097547... (24.85 / 2547.5), relative
// humidity 49.17... percent; 25 and 20 kJ/kg give NoState (dry air has 25.15).
[[nodiscard]] HYGRIAN_API Result FromDryBulbEnthalpy(double dryBulb, double enthalpy,
                                                     double pressure = StandardPressure,
                                                     Options options = {}) noexcept;
[[nodiscard]] HYGRIAN_API Result FromHumidityRatioEnthalpy(double humidityRatio, double enthalpy,
                                                           double pressure = StandardPressure,
                                                           Options options = {}) noexcept;
[[nodiscard]] HYGRIAN_API Result FromEnthalpyRelativeHumidity(double enthalpy,
                                                              double relativeHumidity,
                                                              double pressure = StandardPressure,
                                                              Options options = {}) noexcept;
[[nodiscard]] HYGRIAN_API Result FromWetBulbRelativeHumidity(double wetBulb,
                                                             double relativeHumidity,
                                                             double pressure = StandardPressure,
                                                             Options options = {}) noexcept;
[[nodiscard]] HYGRIAN_API Result FromDewPointRelativeHumidity(double dewPoint,
                                                              double relativeHumidity,
                                                              double pressure = StandardPressure,
                                                              Options options = {}) noexcept;
[[nodiscard]] HYGRIAN_API Result FromHumidityRatioRelativeHumidity(
    double humidityRatio, double relativeHumidity, double pressure = StandardPressure,
    Options options = {}) noexcept;

// What a program does with a state above saturation in its convention
// (Supersaturated, or AboveIceSaturation under Phase::Ice): Flag (the default)
// computes it from the given pair and says so; Clip brings it down to
// saturation with ClipToSaturation.
enum class Supersaturated {
  Flag,
  Clip,
};

// A result above saturation (Supersaturated, AboveIceSaturation) of the
// handbook model brought down to saturation in options.over's convention at
// its dry-bulb t and `pressure` (kPa): the state FromDryBulbRelativeHumidity(t,
// 100, pressure, options) gives, whose wet-bulb is t, with its dew point t too
// and status ClippedToSaturation. The given humidity is not kept. Any other
// result (the calculator model's among them) comes back as it is. Since 2.4.0.
//   FromDryBulbRelativeHumidity(20, 104) is Supersaturated, RH 104 and no
//   wet-bulb; clipped, RH 100, dew point and wet-bulb 20, ClippedToSaturation.
[[nodiscard]] HYGRIAN_API Result ClipToSaturation(const Result& result,
                                                  double pressure = StandardPressure,
                                                  Options options = {}) noexcept;

// The total pressure (kPa) of the standard atmosphere at an altitude in metres
// above sea level: 101.325 (1 - 2.25577e-5 Z)^5.2559, for -5,000 to 11,000 m.
// 0 m gives 101.325, 1,500 m 84.556 (to 5 digits), 11,000 m 22.632. Outside that
// range, or for a NaN, the status is InvalidInput and the pressure 0.0.
struct PressureResult {
  double pressure = 0.0;  // kPa
  Status status = Status::Ok;
};
[[nodiscard]] HYGRIAN_API PressureResult StandardPressureAtAltitude(double metres) noexcept;

// The saturation vapour pressure (kPa) of pure water at t (degrees C) over
// `over`: Phase::Ice is ice at and below 0.01 degrees C and water above
// (ASHRAE 2017 ch. 1 eqs. 5 and 6), Phase::Water liquid water everywhere (eq. 6).
// 20 gives 2.33880, 0.01 gives 0.611657 either way, -20 gives 0.103260 over
// ice and 0.125628 over water. Outside -100 to 200 degrees C the status is
// OutOfRange, for a NaN InvalidInput (pressure 0.0 for both).
[[nodiscard]] HYGRIAN_API PressureResult SaturationVaporPressure(double t, Phase over) noexcept;

// The same in moist air at total pressure P (kPa, 10 to 1,000), times the
// enhancement factor f (Greenspan's form, Hardy's coefficients; 1 where the pure
// saturation pressure reaches P): 20 at 101.325 gives 2.34813 (f = 1.00399).
[[nodiscard]] HYGRIAN_API PressureResult SaturationVaporPressureInAir(double t, double P,
                                                                      Phase over) noexcept;

// The outcome's text from hygrian/outcomes.h: "ok", "invalid input", the
// fault's message text ("log: DOMAIN error"), "supersaturated", "drier than the
// range", "outside the range", "above ice saturation", "clipped to
// saturation"; "unknown status" for a value outside the enumeration. The text is a NUL-terminated
// literal.
[[nodiscard]] HYGRIAN_API std::string_view StatusText(Status status) noexcept;

}  // namespace hygrian

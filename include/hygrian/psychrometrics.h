// The moist-air state from one measured pair, at any total pressure: dry-bulb with
// wet-bulb, with dew point, or with relative humidity. Nothing is thrown and no
// range of validity is enforced: a value outside the relations' range gives
// whatever the relations give, and only a computation fault or a non-finite
// input is reported, as a status.
#pragma once

#include <string_view>

namespace hygrian {

inline constexpr double StandardPressure = 101.325;  // kPa, the default everywhere

// The nine properties of one air sample.
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
};

enum class Status {
  Ok,                // every property computed
  InvalidInput,      // a given value is not finite, or the pressure is not positive
  InvalidOperation,  // "floating-point error: invalid" (0/0 and the like)
  DivideByZero,      // "floating-point error: divide by zero"
  Overflow,          // "floating-point error: overflow"
  LogDomain,         // "log: DOMAIN error" (ln of a negative number)
  LogSingularity,    // "log: SING error" (ln 0)
  ExpOverflow,       // "exp: OVERFLOW error"
  PowerDomain,       // "**: DOMAIN error"
  PowerSingularity,  // "**: SING error"
  PowerOverflow,     // "**: OVERFLOW error"
};

struct Result {
  State state;
  Status status = Status::Ok;
  // The wet-bulb temperature is known: given, or found by the search. When the
  // search gives up, state.wetBulb is 0.0 and this is false; status stays Ok.
  bool wetBulbFound = false;
};

// On any status but Ok the two given values are in the state, every other field
// is 0.0 and wetBulbFound is false.
//
// 25 and 20 degrees C at 101.325 kPa: dew point 17.56..., relative humidity
// 63.48... percent, humidity ratio 0.01260... kg/kg.
[[nodiscard]] Result FromDryBulbWetBulb(double dryBulb, double wetBulb,
                                        double pressure = StandardPressure) noexcept;

// dewPoint in degrees C; at or below 0 it is taken as a frost point.
[[nodiscard]] Result FromDryBulbDewPoint(double dryBulb, double dewPoint,
                                         double pressure = StandardPressure) noexcept;

// relativeHumidity in percent (50, not 0.5). The state's relative humidity is
// computed back as (relativeHumidity / 100) * 100, so 57 may come back as
// 56.99999999999999.
[[nodiscard]] Result FromDryBulbRelativeHumidity(double dryBulb, double relativeHumidity,
                                                 double pressure = StandardPressure) noexcept;

// "ok", "invalid input", or the fault's message text ("log: DOMAIN error").
[[nodiscard]] std::string_view StatusText(Status status) noexcept;

}  // namespace hygrian

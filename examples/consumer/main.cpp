// Prints the state of air at 25 degrees C dry-bulb and 20 degrees C wet-bulb at
// the standard pressure, every value with all its digits.
#include <hygrian/psychrometrics.h>

#include <cstdio>

int main() {
  const hygrian::Result result = hygrian::FromDryBulbWetBulb(25.0, 20.0);
  if (result.status != hygrian::Status::Ok) {
    std::fprintf(stderr, "consumer: %s\n", hygrian::StatusText(result.status).data());
    return 1;
  }
  const hygrian::State& s = result.state;
  const struct {
    const char* name;
    double value;
    const char* unit;
  } rows[] = {
      {"dry-bulb temperature", s.dryBulb, "degrees C"},
      {"wet-bulb temperature", s.wetBulb, "degrees C"},
      {"dew point", s.dewPoint, "degrees C"},
      {"relative humidity", s.relativeHumidity, "percent"},
      {"enthalpy", s.enthalpy, "kJ/kg dry air"},
      {"humidity ratio", s.humidityRatio, "kg/kg dry air"},
      {"degree of saturation", s.degreeOfSaturation, "(ratio)"},
      {"specific volume", s.specificVolume, "m3/kg dry air"},
      {"vapour pressure", s.vaporPressure, "kPa"},
  };
  for (const auto& row : rows) std::printf("%-21s %.17g %s\n", row.name, row.value, row.unit);
  return 0;
}

// The C++ entry points of the 1.x interface (1.0 to 1.2), which libhygrian.so.1 still exports
// for the programs linked against it: the calculator model's results, as they
// always were. Not declared in the public header, where the trailing Options
// of each computation has taken their place.
#include "hygrian/export.h"
#include "hygrian/psychrometrics.h"

namespace hygrian {

HYGRIAN_API Result FromDryBulbWetBulb(double dryBulb, double wetBulb, double pressure) noexcept;
HYGRIAN_API Result FromDryBulbDewPoint(double dryBulb, double dewPoint, double pressure) noexcept;
HYGRIAN_API Result FromDryBulbRelativeHumidity(double dryBulb, double relativeHumidity,
                                               double pressure) noexcept;
HYGRIAN_API Result FromDryBulbHumidityRatio(double dryBulb, double humidityRatio,
                                            double pressure) noexcept;
HYGRIAN_API Result FromDryBulbSpecificHumidity(double dryBulb, double specificHumidity,
                                               double pressure) noexcept;

namespace {
constexpr Options kCalculator{.model = Model::Calculator};
}  // namespace

Result FromDryBulbWetBulb(double dryBulb, double wetBulb, double pressure) noexcept {
  return FromDryBulbWetBulb(dryBulb, wetBulb, pressure, kCalculator);
}

Result FromDryBulbDewPoint(double dryBulb, double dewPoint, double pressure) noexcept {
  return FromDryBulbDewPoint(dryBulb, dewPoint, pressure, kCalculator);
}

Result FromDryBulbRelativeHumidity(double dryBulb, double relativeHumidity,
                                   double pressure) noexcept {
  return FromDryBulbRelativeHumidity(dryBulb, relativeHumidity, pressure, kCalculator);
}

Result FromDryBulbHumidityRatio(double dryBulb, double humidityRatio, double pressure) noexcept {
  return FromDryBulbHumidityRatio(dryBulb, humidityRatio, pressure, kCalculator);
}

Result FromDryBulbSpecificHumidity(double dryBulb, double specificHumidity,
                                   double pressure) noexcept {
  return FromDryBulbSpecificHumidity(dryBulb, specificHumidity, pressure, kCalculator);
}

}  // namespace hygrian

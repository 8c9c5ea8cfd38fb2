// The moist-air state of a table's row: the library's function for the row's
// pair of measured values.
#pragma once

#include "hygrian/psychrometrics.h"
#include "tables/table.h"

namespace hygrian::cli {

// dryBulb in degrees C; second in the pair's unit (degrees C, percent or
// kg/kg); pressure in kPa. The programs compute with the calculator model.
[[nodiscard]] inline Result Compute(tables::Pair pair, double dryBulb, double second,
                                    double pressure) noexcept {
  constexpr Options kCalculator{.model = Model::Calculator};
  switch (pair) {
    case tables::Pair::WetBulb:
      return FromDryBulbWetBulb(dryBulb, second, pressure, kCalculator);
    case tables::Pair::DewPoint:
      return FromDryBulbDewPoint(dryBulb, second, pressure, kCalculator);
    case tables::Pair::RelativeHumidity:
      return FromDryBulbRelativeHumidity(dryBulb, second, pressure, kCalculator);
    case tables::Pair::HumidityRatio:
      return FromDryBulbHumidityRatio(dryBulb, second, pressure, kCalculator);
  }
  return {};
}

}  // namespace hygrian::cli

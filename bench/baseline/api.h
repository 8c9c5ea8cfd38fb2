// The public computations as first written: checked arithmetic out of line and
// faults thrown as exceptions and caught at the API. Kept unchanged as the
// reference for the benchmark's timing.
#pragma once

#include "hygrian/psychrometrics.h"

namespace hygrian::baseline {

Result FromDryBulbWetBulb(double dryBulb, double wetBulb, double pressure) noexcept;
Result FromDryBulbDewPoint(double dryBulb, double dewPoint, double pressure) noexcept;
Result FromDryBulbRelativeHumidity(double dryBulb, double relativeHumidity,
                                   double pressure) noexcept;

}  // namespace hygrian::baseline

#include "batch/comfort.h"

#include <algorithm>
#include <limits>

#include "hygrian/comfort.h"
#include "hygrian/units.h"
#include "tables/numbers.h"

namespace hygrian::batch {

ComfortInputs::ComfortInputs(const tables::Layout& layout, bool inchPound)
    : inchPound_(inchPound), decimalComma_(layout.decimalComma) {
  given_ = true;
  for (std::size_t i = 0; i < kComfortInputKeys.size(); ++i) {
    const auto found = std::find(layout.keys.begin(), layout.keys.end(), kComfortInputKeys[i]);
    columns_[i] = static_cast<std::size_t>(found - layout.keys.begin());
    given_ = given_ && found != layout.keys.end();
  }
}

std::array<double, 2> ComfortInputs::Of(const tables::CsvRecord& record, const State& air) const {
  constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
  std::array<double, 4> x{};
  for (std::size_t i = 0; i < x.size(); ++i) {
    const tables::Number n = columns_[i] < record.fields.size()
                                 ? tables::ParseNumber(record.fields[columns_[i]], decimalComma_)
                                 : tables::Number{0.0, tables::NumberStatus::Empty};
    if (n.status != tables::NumberStatus::Ok) return {kNaN, kNaN};
    x[i] = n.value;
  }
  // The radiant temperature in the table's temperature unit.
  if (inchPound_) x[0] = ToLibrary(*FindUnit(Quantity::Temperature, "degF"), x[0]);
  const ComfortResult r = PredictedMeanVote(air, x[0], x[1], x[2], x[3]);
  return {r.pmv, r.ppd};
}

}  // namespace hygrian::batch

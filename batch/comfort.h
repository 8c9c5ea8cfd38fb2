// Fanger's comfort (hygrian/comfort.h) in hygrian-batch: a table with the
// columns mean_radiant_temperature (degrees C, F with --units ip), air_speed
// (m/s), metabolic_rate (met) and clothing (clo) gets the columns pmv and ppd
// before status, from each row's state and those four values.
#pragma once

#include <array>
#include <cstddef>

#include "hygrian/psychrometrics.h"
#include "tables/csv.h"
#include "tables/table.h"

namespace hygrian::batch {

// The keys of the comfort inputs, in ComfortInputs' order.
inline constexpr std::array<std::string_view, 4> kComfortInputKeys = {
    "mean_radiant_temperature", "air_speed", "metabolic_rate", "clothing"};

class ComfortInputs {
 public:
  ComfortInputs() = default;
  // The four columns of layout, when it has every one.
  ComfortInputs(const tables::Layout& layout, bool inchPound);

  [[nodiscard]] bool Given() const { return given_; }

  // The PMV and PPD (%) of a row's computed state with its four values (read
  // with a decimal comma when the table has it); NaN for a gap, a value that is
  // no number, or outside the model's ranges.
  //   24 degC, 50 %, 24, 0.1, 1.1, 0.5 gives -0.46 and 9.4
  [[nodiscard]] std::array<double, 2> Of(const tables::CsvRecord& record, const State& air) const;

 private:
  std::array<std::size_t, 4> columns_{};
  bool given_ = false;
  bool inchPound_ = false;
  bool decimalComma_ = false;
};

}  // namespace hygrian::batch

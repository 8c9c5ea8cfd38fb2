// Columns of a state's row computed from its state and further columns of the
// table: pmv and ppd (hygrian/comfort.h) when the table has the comfort
// model's four inputs, and each measure of hygrian/measures.h that --columns
// names, from the columns named by the keys of MeasureInputs. In those columns
// temperatures are degrees C (F with --units ip), speeds m/s, irradiances
// W/m2 and fractions 1, read with a decimal comma when the table has one; a
// gap or a value that is no number is not given. The measures are written in
// their unit (their IP unit with --units ip).
#pragma once

#include <array>
#include <cstddef>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "hygrian/measures.h"
#include "hygrian/properties.h"
#include "hygrian/psychrometrics.h"
#include "hygrian/units.h"
#include "tables/csv.h"
#include "tables/table.h"

namespace hygrian::batch {

// The keys of the comfort model's inputs, in the order PredictedMeanVote takes them.
inline constexpr std::array<std::string_view, 4> kComfortInputKeys = {
    "mean_radiant_temperature", "air_speed", "metabolic_rate", "clothing"};
inline constexpr std::array<std::string_view, 2> kComfortKeys = {"pmv", "ppd"};

// How many values a row may have beyond the properties: pmv, ppd, each measure.
inline constexpr std::size_t kExtraCount = kComfortKeys.size() + Measures.size();

// The result columns of a state's row: every property, pmv, ppd, every measure, status.
constexpr std::array<std::string_view, Properties.size() + kExtraCount + 1> ExtendedResultKeys() {
  std::array<std::string_view, Properties.size() + kExtraCount + 1> keys{};
  std::size_t i = 0;
  for (const Property& property : Properties) keys[i++] = property.key;
  for (const std::string_view key : kComfortKeys) keys[i++] = key;
  for (const Measure& measure : Measures) keys[i++] = measure.key;
  keys.back() = "status";
  return keys;
}
inline constexpr auto kExtendedResultColumns = ExtendedResultKeys();

// A row's extra values, in the order of kExtendedResultColumns after the
// properties; NaN where not computed.
struct ExtraValues {
  std::array<double, kExtraCount> values{};
  bool outsideRange = false;  // a measure asked for is outside its range
};

class ExtraColumns {
 public:
  ExtraColumns() = default;
  // The extras of a table of layout: pmv and ppd when it has the comfort
  // inputs; the measures that columns (--columns' names, in any case) name,
  // but for one a column of the table is named like (mean_radiant_temperature
  // is an input then).
  ExtraColumns(const tables::Layout& layout, std::span<const std::string> columns, bool inchPound);

  // pmv and ppd are written, by default too.
  [[nodiscard]] bool Comfort() const { return comfort_; }
  // Anything to compute.
  [[nodiscard]] bool Any() const { return comfort_ || !measures_.empty(); }
  // "" or why a column asked for cannot be computed:
  //   "--columns utci needs the input column mean_radiant_temperature"
  [[nodiscard]] const std::string& Problem() const { return problem_; }

  // The values of a row's computed state at pressure (kPa).
  //   24 degC, 50 %, comfort inputs 24, 0.1, 1.1, 0.5: pmv -0.46, ppd 9.4
  [[nodiscard]] ExtraValues Of(const tables::CsvRecord& record, const State& air,
                               double pressure) const;

 private:
  // A column's value in the library's unit (temperature: in degrees F with
  // --units ip); NaN for a gap, no number, or no such column.
  [[nodiscard]] double Read(const tables::CsvRecord& record, std::size_t column,
                            bool temperature) const;

  struct Asked {
    std::size_t index = 0;      // in Measures
    const Unit* out = nullptr;  // the unit it is written in
  };
  std::array<std::size_t, kComfortInputKeys.size()> comfortColumns_{};
  std::array<std::size_t, MeasureInputs.size()> inputColumns_{};  // kNoColumn: not in the table
  std::vector<Asked> measures_;
  std::string problem_;
  bool comfort_ = false;
  bool inchPound_ = false;
  bool decimalComma_ = false;
};

}  // namespace hygrian::batch

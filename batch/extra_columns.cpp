#include "batch/extra_columns.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "batch/fields.h"
#include "hygrian/comfort.h"
#include "tables/numbers.h"

namespace hygrian::batch {
namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

// The index of a key among the table's columns, or kNoColumn.
std::size_t ColumnOf(const tables::Layout& layout, std::string_view key) {
  const auto found = std::find(layout.keys.begin(), layout.keys.end(), key);
  return found == layout.keys.end() ? tables::kNoColumn
                                    : static_cast<std::size_t>(found - layout.keys.begin());
}

// An input that may be left out (its value is then estimated).
bool Optional(const MeasureInput& input) {
  return input.description.find("when not given") != std::string_view::npos;
}

// The unit a measure is written in: its own, or its IP unit.
const Unit* OutputUnit(const Measure& measure, bool inchPound) {
  for (const QuantityUnits& quantity : Quantities) {
    if (quantity.library == measure.unit) {
      return FindUnit(quantity.quantity, inchPound ? measure.ip : measure.unit);
    }
  }
  return nullptr;
}

}  // namespace

ExtraColumns::ExtraColumns(const tables::Layout& layout, std::span<const std::string> columns,
                           bool inchPound)
    : inchPound_(inchPound), decimalComma_(layout.decimalComma) {
  std::string_view missing;  // the first comfort input the table lacks
  for (std::size_t i = 0; i < kComfortInputKeys.size(); ++i) {
    comfortColumns_[i] = ColumnOf(layout, kComfortInputKeys[i]);
    if (comfortColumns_[i] == tables::kNoColumn && missing.empty()) missing = kComfortInputKeys[i];
  }
  comfort_ = missing.empty();
  for (std::size_t i = 0; i < MeasureInputs.size(); ++i) {
    inputColumns_[i] = ColumnOf(layout, MeasureInputs[i].key);
  }
  for (const std::string& name : columns) {
    const std::string key = Lower(name);
    if (!problem_.empty() || ColumnOf(layout, key) != tables::kNoColumn) continue;
    if (std::find(kComfortKeys.begin(), kComfortKeys.end(), key) != kComfortKeys.end()) {
      if (!comfort_) {
        problem_ = "--columns " + key + " needs the input column " + std::string(missing);
      }
      continue;
    }
    const Measure* measure = FindMeasure(key);
    if (measure == nullptr) continue;
    for (const std::string_view input : measure->inputs) {
      const MeasureInput* row = FindMeasureInput(input);
      if (row == nullptr || Optional(*row) ||
          inputColumns_[static_cast<std::size_t>(row - MeasureInputs.data())] !=
              tables::kNoColumn) {
        continue;
      }
      problem_ = "--columns " + key + " needs the input column " + std::string(input);
      break;
    }
    measures_.push_back(
        {static_cast<std::size_t>(measure - Measures.data()), OutputUnit(*measure, inchPound)});
  }
}

double ExtraColumns::Read(const tables::CsvRecord& record, std::size_t column,
                          bool temperature) const {
  if (column >= record.fields.size()) return kNaN;
  const tables::Number n = tables::ParseNumber(record.fields[column], decimalComma_);
  if (n.status != tables::NumberStatus::Ok) return kNaN;
  // A temperature in the table's temperature unit.
  if (temperature && inchPound_) {
    return ToLibrary(*FindUnit(Quantity::Temperature, "degF"), n.value);
  }
  return n.value;
}

ExtraValues ExtraColumns::Of(const tables::CsvRecord& record, const State& air,
                             double pressure) const {
  ExtraValues extra;
  extra.values.fill(kNaN);
  if (comfort_) {
    std::array<double, kComfortInputKeys.size()> x{};
    for (std::size_t i = 0; i < x.size(); ++i) x[i] = Read(record, comfortColumns_[i], i == 0);
    if (std::none_of(x.begin(), x.end(), [](double v) { return std::isnan(v); })) {
      const ComfortResult r = PredictedMeanVote(air, x[0], x[1], x[2], x[3]);
      extra.values[0] = r.pmv;
      extra.values[1] = r.ppd;
    }
  }
  if (measures_.empty()) return extra;
  Surroundings around;
  for (std::size_t i = 0; i < MeasureInputs.size(); ++i) {
    around.*MeasureInputs[i].member =
        Read(record, inputColumns_[i], MeasureInputs[i].unit == "degC");
  }
  for (const Asked& asked : measures_) {
    const MeasureResult r = Measures[asked.index].compute(air, pressure, around);
    extra.outsideRange = extra.outsideRange || r.status == Status::OutsideMeasureRange;
    extra.values[kComfortKeys.size() + asked.index] = FromLibrary(*asked.out, r.value);
  }
  return extra;
}

}  // namespace hygrian::batch

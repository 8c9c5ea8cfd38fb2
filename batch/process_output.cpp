#include "batch/process_output.h"

#include <algorithm>
#include <utility>

#include "batch/fields.h"

namespace hygrian::batch {

ProcessWriter::ProcessWriter(const tables::Layout& layout, std::span<const std::size_t> carried,
                             std::span<const std::string_view> results,
                             std::span<const std::size_t> values, Format format)
    : values_(values),
      layout_(layout),
      format_(std::move(format)),
      slots_(layout, results, format_) {
  for (const std::string& name : format_.columns) {
    const std::string key = Lower(name);
    const auto result = std::find(results.begin(), results.end(), key);
    const auto found = std::find_if(carried.begin(), carried.end(),
                                    [&](std::size_t c) { return layout_.keys[c] == key; });
    if (result != results.end()) {
      slots_.Add({true, static_cast<std::size_t>(result - results.begin())});
    } else if (found != carried.end()) {
      slots_.Add({false, *found});
    } else {
      problem_ = "--columns: no column '" + name + "'; columns:";
      for (const std::size_t c : carried) problem_.append(" ").append(layout_.names[c]) += ",";
      for (const std::string_view k : results) problem_.append(" ").append(k) += ",";
      problem_.pop_back();
      return;
    }
  }
  if (format_.columns.empty()) {
    for (const std::size_t column : carried) slots_.Add({false, column});
    for (std::size_t i = 0; i < results.size(); ++i) slots_.Add({true, i});
  }
}

void ProcessWriter::WriteHeader(Output& out) const { slots_.WriteHeader(out); }

bool ProcessWriter::WriteRow(Output& out, const tables::CsvRecord& record,
                             const ProcessOutcome& outcome) const {
  // The outcome's values in the order of the results.
  std::array<double, kProcessValues> values{};
  unsigned present = 0;
  for (std::size_t i = 0; i < values_.size(); ++i) {
    values[i] = outcome.values[values_[i]];
    if ((outcome.present >> values_[i] & 1U) != 0) present |= 1U << i;
  }
  return slots_.WriteRow(out, record,
                         {std::span<const double>(values.data(), values_.size()), present,
                          outcome.kind->key, outcome.text});
}

}  // namespace hygrian::batch

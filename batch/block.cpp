#include "batch/block.h"

#include <span>

#include "hygrian/arrays.h"

namespace hygrian::batch {

void RowBlock::Add(const tables::CsvRecord& record, double first, double second, double pressure) {
  for (const std::string_view field : record.fields) {
    bytes_.insert(bytes_.end(), field.begin(), field.end());
    ends_.push_back(bytes_.size());
  }
  first_[size_] = first;
  second_[size_] = second;
  pressure_[size_] = pressure;
  lines_[size_] = record.line;
  fields_[++size_] = ends_.size();
}

void RowBlock::Compute(const Pair& pair, hygrian::Options options, Supersaturated supersaturated) {
  // The lengths match, so ComputeStates computes every row.
  [[maybe_unused]] const bool computed =
      ComputeStates(pair, std::span(first_).first(size_), std::span(second_).first(size_),
                    std::span(pressure_).first(size_), std::span(states_).first(size_), options);
  if (supersaturated == Supersaturated::Clip) {
    for (std::size_t i = 0; i < size_; ++i) {
      states_[i] = ClipToSaturation(states_[i], pressure_[i], options);
    }
  }
  // The fields' views, now that bytes_ no longer moves.
  views_.clear();
  std::size_t begin = 0;
  for (const std::size_t end : ends_) {
    views_.emplace_back(bytes_.data() + begin, end - begin);
    begin = end;
  }
}

tables::CsvRecord RowBlock::Record(std::size_t i) const {
  tables::CsvRecord record;
  record.fields = std::span(views_).subspan(fields_[i], fields_[i + 1] - fields_[i]);
  record.fieldCount = record.fields.size();
  record.line = lines_[i];
  return record;
}

void RowBlock::Clear() {
  size_ = 0;
  bytes_.clear();
  ends_.clear();
}

}  // namespace hygrian::batch

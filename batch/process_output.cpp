#include "batch/process_output.h"

#include <algorithm>
#include <array>
#include <cmath>

#include "batch/fields.h"
#include "tables/numbers.h"

namespace hygrian::batch {
namespace {

std::string_view CarriedField(const tables::CsvRecord& record, std::size_t column) {
  return column < record.fields.size() ? record.fields[column] : std::string_view{};
}

}  // namespace

ProcessWriter::ProcessWriter(const tables::Layout& layout, const ProcessPlan& plan,
                             std::span<const std::string_view> results, Format format)
    : layout_(layout), results_(results), format_(std::move(format)) {
  for (const std::string& name : format_.columns) {
    const std::string key = Lower(name);
    const auto result = std::find(results_.begin(), results_.end(), key);
    const auto carried = std::find_if(plan.carried.begin(), plan.carried.end(),
                                      [&](std::size_t c) { return layout_.keys[c] == key; });
    if (result != results_.end()) {
      slots_.push_back({true, static_cast<std::size_t>(result - results_.begin())});
    } else if (carried != plan.carried.end()) {
      slots_.push_back({false, *carried});
    } else {
      problem_ = "--columns: no column '" + name + "'; columns:";
      for (const std::size_t c : plan.carried) problem_.append(" ").append(layout_.names[c]) += ",";
      for (const std::string_view k : results_) problem_.append(" ").append(k) += ",";
      problem_.pop_back();
      return;
    }
  }
  if (format_.columns.empty()) {
    for (const std::size_t column : plan.carried) slots_.push_back({false, column});
    for (std::size_t i = 0; i < results_.size(); ++i) slots_.push_back({true, i});
  }
  char lead = '{';
  for (const Slot& slot : slots_) {
    jsonKeys_.push_back(JsonKey(Name(slot), lead));
    lead = ',';
  }
}

std::string_view ProcessWriter::Name(const Slot& slot) const {
  return slot.result ? results_[slot.index] : std::string_view(layout_.names[slot.index]);
}

void ProcessWriter::WriteHeader(Output& out) const {
  if (format_.json) return;
  for (std::size_t s = 0; s < slots_.size(); ++s) {
    const std::string_view name = Name(slots_[s]);
    char* end = WriteField(out.Room(FieldRoom(name) + 1), name, format_.delimiter);
    *end++ = s + 1 < slots_.size() ? format_.delimiter : '\n';
    out.Commit(end);
  }
  if (slots_.empty()) out.Append("\n");
}

void ProcessWriter::WriteRow(Output& out, const tables::CsvRecord& record,
                             const ProcessOutcome& outcome) const {
  if (format_.json) {
    WriteJson(out, record, outcome);
  } else {
    WriteCsv(out, record, outcome);
  }
}

void ProcessWriter::WriteCsv(Output& out, const tables::CsvRecord& record,
                             const ProcessOutcome& outcome) const {
  const char delimiter = format_.delimiter;
  const std::string_view key = outcome.kind->key;
  std::size_t room = 1;
  for (const Slot& slot : slots_) {
    room += 1 + (slot.result ? 2 * (tables::kNumberTextSize + key.size() + outcome.text.size()) + 8
                             : FieldRoom(CarriedField(record, slot.index)));
  }
  char* p = out.Room(room);
  for (std::size_t s = 0; s < slots_.size(); ++s) {
    if (s > 0) *p++ = delimiter;
    const Slot& slot = slots_[s];
    if (!slot.result) {
      p = WriteField(p, CarriedField(record, slot.index), delimiter);
    } else if (slot.index == kProcessValues) {
      p = WriteStatus(p, key, outcome.text, delimiter);
    } else if ((outcome.present & (1U << slot.index)) != 0) {
      std::array<char, tables::kNumberTextSize> number{};
      char* end = tables::FormatNumber(number.data(), outcome.values[slot.index], format_.digits);
      if (format_.commaDecimals) std::replace(number.data(), end, '.', ',');
      p = WriteField(p, {number.data(), static_cast<std::size_t>(end - number.data())}, delimiter);
    }
  }
  *p++ = '\n';
  out.Commit(p);
}

void ProcessWriter::WriteJson(Output& out, const tables::CsvRecord& record,
                              const ProcessOutcome& outcome) const {
  std::size_t room = 2;
  for (std::size_t s = 0; s < slots_.size(); ++s) {
    room += jsonKeys_[s].size() + tables::kNumberTextSize + 2 + outcome.kind->key.size() +
            JsonStringRoom(slots_[s].result ? outcome.text : CarriedField(record, slots_[s].index));
  }
  char* p = out.Room(room);
  if (slots_.empty()) *p++ = '{';
  for (std::size_t s = 0; s < slots_.size(); ++s) {
    const Slot& slot = slots_[s];
    p = Put(p, jsonKeys_[s]);
    if (!slot.result && slot.index != layout_.pressure) {
      p = JsonString(p, CarriedField(record, slot.index));
    } else if (!slot.result) {
      const tables::Number pressure =
          tables::ParseNumber(CarriedField(record, slot.index), format_.decimalComma);
      p = pressure.status == tables::NumberStatus::Ok
              ? tables::FormatNumber(p, pressure.value, format_.digits)
              : Put(p, "null");
    } else if (slot.index == kProcessValues) {
      *p++ = '"';
      p = Put(p, outcome.kind->key);
      if (!outcome.text.empty()) p = JsonChars(Put(p, ": "), outcome.text);
      *p++ = '"';
    } else if ((outcome.present & (1U << slot.index)) != 0) {
      p = tables::FormatNumber(p, outcome.values[slot.index], format_.digits);
    } else {
      p = Put(p, "null");
    }
  }
  p = Put(p, "}\n");
  out.Commit(p);
}

}  // namespace hygrian::batch

#include "batch/slots.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <utility>

#include "batch/fields.h"
#include "tables/numbers.h"

namespace hygrian::batch {

std::string_view CarriedField(const tables::CsvRecord& record, std::size_t column) {
  return column < record.fields.size() ? record.fields[column] : std::string_view{};
}

SlotWriter::SlotWriter(const tables::Layout& layout, std::span<const std::string_view> results,
                       Format format)
    : layout_(layout), results_(results), format_(std::move(format)) {}

void SlotWriter::Add(Slot slot) {
  slots_.push_back(slot);
  jsonKeys_.push_back(JsonKey(Name(slot), jsonKeys_.empty() ? '{' : ','));
}

std::string_view SlotWriter::Name(const Slot& slot) const {
  return slot.result ? results_[slot.index] : std::string_view(layout_.names[slot.index]);
}

void SlotWriter::WriteHeader(Output& out) const {
  if (format_.json) return;
  for (std::size_t s = 0; s < slots_.size(); ++s) {
    const std::string_view name = Name(slots_[s]);
    char* end = WriteField(out.Room(FieldRoom(name) + 1), name, format_.delimiter);
    *end++ = s + 1 < slots_.size() ? format_.delimiter : '\n';
    out.Commit(end);
  }
  if (slots_.empty()) out.Append("\n");
}

bool SlotWriter::WriteRow(Output& out, const tables::CsvRecord& record, const SlotRow& row) const {
  if (format_.json) return WriteJson(out, record, row);
  WriteCsv(out, record, row);
  return false;
}

void SlotWriter::WriteCsv(Output& out, const tables::CsvRecord& record, const SlotRow& row) const {
  const char delimiter = format_.delimiter;
  const std::size_t status = results_.size() - 1;
  std::size_t room = 1;
  for (const Slot& slot : slots_) {
    room += 1 + (slot.result ? 2 * (tables::kNumberTextSize + row.key.size() + row.text.size()) + 8
                             : FieldRoom(CarriedField(record, slot.index)));
  }
  char* p = out.Room(room);
  for (std::size_t s = 0; s < slots_.size(); ++s) {
    if (s > 0) *p++ = delimiter;
    const Slot& slot = slots_[s];
    if (!slot.result) {
      p = WriteField(p, CarriedField(record, slot.index), delimiter);
    } else if (slot.index == status) {
      p = WriteStatus(p, row.key, row.text, delimiter);
    } else if ((row.present & (1U << slot.index)) != 0) {
      std::array<char, tables::kNumberTextSize> number{};
      char* end = tables::FormatNumber(number.data(), row.values[slot.index], format_.digits);
      if (format_.commaDecimals) std::replace(number.data(), end, '.', ',');
      p = WriteField(p, {number.data(), static_cast<std::size_t>(end - number.data())}, delimiter);
    }
  }
  *p++ = '\n';
  out.Commit(p);
}

bool SlotWriter::WriteJson(Output& out, const tables::CsvRecord& record, const SlotRow& row) const {
  bool replaced = false;
  const std::size_t status = results_.size() - 1;
  std::size_t room = 2;
  for (std::size_t s = 0; s < slots_.size(); ++s) {
    room += jsonKeys_[s].size() + tables::kNumberTextSize + 2 + row.key.size() +
            JsonStringRoom(slots_[s].result ? row.text : CarriedField(record, slots_[s].index));
  }
  char* p = out.Room(room);
  if (slots_.empty()) *p++ = '{';
  for (std::size_t s = 0; s < slots_.size(); ++s) {
    const Slot& slot = slots_[s];
    p = Put(p, jsonKeys_[s]);
    if (!slot.result && slot.index != layout_.pressure) {
      p = JsonString(p, CarriedField(record, slot.index), &replaced);
    } else if (!slot.result) {
      const tables::Number pressure =
          tables::ParseNumber(CarriedField(record, slot.index), format_.decimalComma);
      p = pressure.status == tables::NumberStatus::Ok
              ? tables::FormatNumber(p, pressure.value, format_.digits)
              : Put(p, "null");
    } else if (slot.index == status) {
      *p++ = '"';
      p = Put(p, row.key);
      if (!row.text.empty()) p = JsonChars(Put(p, ": "), row.text);
      *p++ = '"';
    } else if ((row.present & (1U << slot.index)) != 0 && std::isfinite(row.values[slot.index])) {
      p = tables::FormatNumber(p, row.values[slot.index], format_.digits);
    } else {
      p = Put(p, "null");
    }
  }
  p = Put(p, "}\n");
  out.Commit(p);
  return replaced;
}

}  // namespace hygrian::batch

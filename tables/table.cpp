#include "tables/table.h"

#include <algorithm>
#include <charconv>
#include <cstring>

#include "tables/numbers.h"

namespace hygrian::tables {
namespace {

std::string Key(std::string_view name) {
  while (!name.empty() && (name.front() == ' ' || name.front() == '\t')) name.remove_prefix(1);
  while (!name.empty() && (name.back() == ' ' || name.back() == '\t')) name.remove_suffix(1);
  std::string key(name);
  for (char& c : key) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return key;
}

constexpr std::array<Pair, 4> Pairs = {Pair::WetBulb, Pair::DewPoint, Pair::RelativeHumidity,
                                       Pair::HumidityRatio};

// Claims column i for one role; false if the role already has a column.
bool Claim(std::size_t& role, std::size_t i) {
  if (role != NoColumn) return false;
  role = i;
  return true;
}

char* Append(char* out, std::string_view text) {
  // An empty view may hold a null pointer, which memcpy may not be given.
  if (!text.empty()) std::memcpy(out, text.data(), text.size());
  return out + text.size();
}

char* AppendCount(char* out, std::size_t value) { return std::to_chars(out, out + 24, value).ptr; }

}  // namespace

std::string_view PairColumn(Pair pair) noexcept {
  switch (pair) {
    case Pair::WetBulb:
      return "wet_bulb";
    case Pair::DewPoint:
      return "dew_point";
    case Pair::RelativeHumidity:
      return "relative_humidity";
    case Pair::HumidityRatio:
      return "humidity_ratio";
  }
  return "wet_bulb";
}

std::string ReadLayout(const CsvRecord& header, Layout& layout) {
  layout = Layout{};
  if (header.fieldTooLong) return "header field longer than 1 MiB";
  if (header.fieldCount > MaxColumns) return "more than 65536 columns";
  std::array<std::size_t, Pairs.size()> pairColumns = {NoColumn, NoColumn, NoColumn, NoColumn};
  for (std::size_t i = 0; i < header.fields.size(); ++i) {
    layout.names.emplace_back(header.fields[i]);
    layout.keys.push_back(Key(header.fields[i]));
    const std::string& key = layout.keys.back();
    if (key == "dry_bulb") {
      if (!Claim(layout.dryBulb, i)) return "two dry_bulb columns";
      continue;
    }
    bool paired = false;
    for (std::size_t p = 0; p < Pairs.size(); ++p) {
      if (key == PairColumn(Pairs[p])) {
        if (!Claim(pairColumns[p], i)) return "two " + key + " columns";
        paired = true;
      }
    }
    if (paired) continue;
    if (key == "pressure" && !Claim(layout.pressure, i)) return "two pressure columns";
    if (std::find(ResultColumns.begin(), ResultColumns.end(), key) != ResultColumns.end()) {
      return "carried column " + key + " is named like a result column";
    }
    layout.carried.push_back(i);
  }
  if (layout.dryBulb == NoColumn) return "no dry_bulb column";
  const auto given = std::count_if(pairColumns.begin(), pairColumns.end(),
                                   [](std::size_t column) { return column != NoColumn; });
  if (given == 0) return "no wet_bulb, dew_point, relative_humidity or humidity_ratio column";
  if (given > 1) return "more than one of wet_bulb, dew_point, relative_humidity, humidity_ratio";
  for (std::size_t p = 0; p < Pairs.size(); ++p) {
    if (pairColumns[p] != NoColumn) {
      layout.pair = Pairs[p];
      layout.second = pairColumns[p];
    }
  }
  return {};
}

bool SameColumns(const Layout& a, const Layout& b) noexcept { return a.keys == b.keys; }

Measured ReadMeasured(const Layout& layout, const CsvRecord& record, double defaultPressure,
                      PressureUnit pressureUnit) noexcept {
  Measured measured;
  measured.found = record.fieldCount;
  if (record.fieldTooLong) {
    measured.bad = BadInput::FieldTooLong;
    return measured;
  }
  if (record.fieldCount != layout.columns()) {
    measured.bad = BadInput::FieldCount;
    return measured;
  }
  const auto read = [&](std::size_t column, std::string_view name, double& value) {
    const Number number = ParseNumber(record.fields[column]);
    switch (number.status) {
      case NumberStatus::Ok:
        value = number.value;
        return true;
      case NumberStatus::Empty:
        measured.bad = BadInput::Empty;
        break;
      case NumberStatus::NotANumber:
        measured.bad = BadInput::NotANumber;
        break;
      case NumberStatus::OutOfRange:
        measured.bad = BadInput::OutOfRange;
        break;
    }
    measured.column = name;
    return false;
  };
  if (!read(layout.dryBulb, "dry_bulb", measured.dryBulb)) return measured;
  if (!read(layout.second, PairColumn(layout.pair), measured.second)) return measured;
  measured.pressure = defaultPressure;
  if (layout.pressure != NoColumn) {
    const Number number = ParseNumber(record.fields[layout.pressure]);
    if (number.status == NumberStatus::Empty) return measured;
    if (!read(layout.pressure, "pressure", measured.pressure)) return measured;
    const double kilopascals = ToKilopascals(measured.pressure, pressureUnit);
    if (!PressureInRange(kilopascals)) {
      measured.bad = BadInput::PressureOutsideRange;
      measured.column = "pressure";
      measured.pressureUnit = pressureUnit;
      return measured;
    }
    measured.pressure = kilopascals;
  }
  return measured;
}

std::string_view BadInputText(const Layout& layout, const Measured& measured,
                              ReasonBuffer& buffer) noexcept {
  char* out = buffer.data();
  switch (measured.bad) {
    case BadInput::None:
      break;
    case BadInput::FieldTooLong:
      out = Append(out, "field longer than 1 MiB");
      break;
    case BadInput::FieldCount:
      out = Append(out, "expected ");
      out = AppendCount(out, layout.columns());
      out = Append(out, " fields, found ");
      out = AppendCount(out, measured.found);
      break;
    case BadInput::Empty:
      out = Append(Append(out, measured.column), " is empty");
      break;
    case BadInput::NotANumber:
      out = Append(Append(out, measured.column), " is not a number");
      break;
    case BadInput::OutOfRange:
      out = Append(Append(out, measured.column), " is out of range");
      break;
    case BadInput::PressureOutsideRange:
      out = WriteOutsideRange(Append(out, "pressure "), measured.pressure, measured.pressureUnit);
      break;
  }
  return {buffer.data(), static_cast<std::size_t>(out - buffer.data())};
}

TableReader::HeaderStatus TableReader::ReadHeader(std::string& message) {
  csv_.SetFieldLimit(MaxColumns + 1);
  CsvRecord header;
  switch (csv_.Next(header)) {
    case CsvNext::End:
      return HeaderStatus::Empty;
    case CsvNext::ReadError:
      return HeaderStatus::ReadError;
    case CsvNext::Record:
      break;
  }
  headerLine_ = header.line;
  message = ReadLayout(header, layout_);
  if (!message.empty()) return HeaderStatus::Invalid;
  csv_.SetFieldLimit(layout_.columns());
  return HeaderStatus::Ok;
}

CsvNext TableReader::Next(Row& row) {
  const CsvNext next = csv_.Next(row.record);
  if (next == CsvNext::Record) {
    row.measured = ReadMeasured(layout_, row.record, defaultPressure_, pressureUnit_);
  }
  return next;
}

}  // namespace hygrian::tables

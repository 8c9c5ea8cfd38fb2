#include "batch/rows.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstring>
#include <optional>
#include <utility>

#include "batch/fields.h"
#include "hygrian/pairs.h"
#include "tables/csv.h"
#include "tables/numbers.h"
#include "tables/text.h"

namespace hygrian::batch {
namespace {

using tables::CsvRecord;

// Bit i of Outcome::present stands for Properties[i].
constexpr unsigned BitOf(std::string_view key) {
  for (std::size_t i = 0; i < Properties.size(); ++i) {
    if (Properties[i].key == key) return 1U << i;
  }
  return 0;
}

constexpr unsigned kWetBulbBit = BitOf("wet_bulb");

}  // namespace

Outcome ComputedOutcome(std::size_t pair, const Result& result) noexcept {
  const hygrian::Outcome& kind = OutcomeOf(result);
  Outcome outcome{{}, 0, &kind, {}};
  const OutcomeRules& rules = RulesOf(kind.kind);
  for (std::size_t i = 0; i < Properties.size(); ++i) {
    const double value = result.state.*Properties[i].member;
    outcome.values[i] = value;
    const bool given = Properties[i].member == AllPairs[pair].given[0].member ||
                       Properties[i].member == AllPairs[pair].given[1].member;
    if ((rules.computed && !std::isnan(value)) || given) outcome.present |= 1U << i;
  }
  if (rules.computed && !result.wetBulbFound) outcome.present &= ~kWetBulbBit;
  if (rules.keyWithText) outcome.text = kind.text;
  return outcome;
}

Outcome BadOutcome(std::string_view reason) noexcept {
  return Outcome{{}, 0, &OutcomeOfCode(BadInputCode), reason};
}

Outcome MissingOutcome(std::size_t pair, const tables::Measured& measured) noexcept {
  Outcome outcome{{}, 0, &OutcomeOfCode(static_cast<int>(Status::Missing)), {}};
  for (std::size_t i = 0; i < Properties.size(); ++i) {
    if (Properties[i].member == AllPairs[pair].given[0].member && measured.firstRead) {
      outcome.values[i] = measured.first;
      outcome.present |= 1U << i;
    }
    if (Properties[i].member == AllPairs[pair].given[1].member && measured.secondRead) {
      outcome.values[i] = measured.second;
      outcome.present |= 1U << i;
    }
  }
  return outcome;
}

RowWriter::RowWriter(const tables::Layout& layout, Format format, bool inchPound)
    : layout_(layout),
      format_(std::move(format)),
      extras_(layout, format_.columns, inchPound),
      slots_(layout, results_, format_) {
  problem_ = extras_.Problem();
  // The extra columns are written slot by slot.
  chosen_ = !format_.columns.empty() || extras_.Comfort() ||
            (!format_.json && (format_.delimiter != ',' || format_.commaDecimals));
  if (chosen_ && problem_.empty()) ChooseColumns();
  if (!format_.json) return;
  char lead = '{';
  for (const std::size_t column : layout_.carried) {
    carriedKeys_.push_back(JsonKey(layout_.names[column], lead));
    lead = ',';
  }
  for (std::size_t i = 0; i < resultKeys_.size(); ++i) {
    resultKeys_[i] = JsonKey(kResultColumns[i], lead);
    lead = ',';
  }
}

void RowWriter::ChooseColumns() {
  if (format_.columns.empty()) {
    for (const std::size_t column : layout_.carried) slots_.Add({false, column});
    for (std::size_t i = 0; i < DefaultPropertyCount; ++i) slots_.Add({true, i});
    if (extras_.Comfort()) {  // pmv and ppd
      slots_.Add({true, Properties.size()});
      slots_.Add({true, Properties.size() + 1});
    }
    slots_.Add({true, results_.size() - 1});  // status
    return;
  }
  // The result that a given column of the input stands for.
  const auto givenResult = [&](std::size_t column) -> std::optional<std::size_t> {
    const std::string_view key = column == layout_.first ? layout_.firstKey : layout_.secondKey;
    const auto found = std::find(results_.begin(), results_.end(), key);
    if (found == results_.end()) return std::nullopt;
    return static_cast<std::size_t>(found - results_.begin());
  };
  for (const std::string& name : format_.columns) {
    const std::string key = Lower(name);
    const auto column = std::find(layout_.keys.begin(), layout_.keys.end(), key);
    const auto index = static_cast<std::size_t>(column - layout_.keys.begin());
    const bool carried =
        std::find(layout_.carried.begin(), layout_.carried.end(), index) != layout_.carried.end();
    const auto result = std::find(results_.begin(), results_.end(), key);
    const auto at = static_cast<std::size_t>(result - results_.begin());
    // A column of the table named like an extra one is that column
    // (mean_radiant_temperature: an input).
    const bool extra = at >= Properties.size() && at + 1 < results_.size();
    if (result != results_.end() && !(extra && carried)) {
      slots_.Add({true, at});
      continue;
    }
    if (column != layout_.keys.end() && carried) {
      slots_.Add({false, index});
    } else if (column != layout_.keys.end() &&
               (index == layout_.first || index == layout_.second) && givenResult(index)) {
      slots_.Add({true, *givenResult(index)});
    } else {
      problem_ = "--columns: no column '" + name + "'; columns:";
      for (const std::size_t c : layout_.carried) {
        problem_.append(" ").append(layout_.names[c]).append(",");
      }
      // The columns written by default (and pmv, ppd), as the message has always listed them.
      for (std::size_t i = 0; i < results_.size(); ++i) {
        const bool comfort = i == Properties.size() || i == Properties.size() + 1;
        const bool listed =
            i < DefaultPropertyCount || i + 1 == results_.size() || (comfort && extras_.Comfort());
        if (listed) problem_.append(" ").append(results_[i]).append(",");
      }
      problem_.pop_back();
      return;
    }
  }
}

void RowWriter::WriteHeader(Output& out) const {
  if (format_.json) return;
  if (chosen_) {
    slots_.WriteHeader(out);
    return;
  }
  for (const std::size_t column : layout_.carried) {
    const std::string_view name = layout_.names[column];
    char* end = tables::WriteCsvField(out.Room(tables::CsvFieldSize(name) + 1), name);
    *end++ = ',';
    out.Commit(end);
  }
  for (std::size_t i = 0; i < kResultColumns.size(); ++i) {
    out.Append(kResultColumns[i]);
    out.Append(i + 1 < kResultColumns.size() ? "," : "\n");
  }
}

bool RowWriter::WriteRow(Output& out, const CsvRecord& record, const Outcome& outcome) const {
  if (extras_.Any()) {
    static_assert(kExtendedResultColumns.size() - 1 <= 32, "a bit of present for each value");
    std::array<double, Properties.size() + kExtraCount> values{};
    std::copy(outcome.values.begin(), outcome.values.end(), values.begin());
    unsigned present = outcome.present;
    for (std::size_t k = 0; k < kExtraCount; ++k) {
      values[Properties.size() + k] = outcome.extra.values[k];
      if (!std::isnan(outcome.extra.values[k])) present |= 1U << (Properties.size() + k);
    }
    return slots_.WriteRow(out, record, {values, present, outcome.kind->key, outcome.text});
  }
  if (chosen_) {
    return slots_.WriteRow(out, record,
                           {outcome.values, outcome.present, outcome.kind->key, outcome.text});
  }
  if (format_.json) return WriteJson(out, record, outcome);
  WriteCsv(out, record, outcome);
  return false;
}

void RowWriter::WriteCsv(Output& out, const CsvRecord& record, const Outcome& outcome) const {
  // Room for the worst case: every carried byte a quote, every value present.
  const std::string_view key = outcome.kind->key;
  std::size_t room = DefaultPropertyCount * (tables::kNumberTextSize + 1) +
                     2 * (key.size() + 2 + outcome.text.size()) + 4;
  for (const std::size_t column : layout_.carried) {
    room += 2 * CarriedField(record, column).size() + 3;
  }
  char* const start = out.Room(room);
  char* p = start;
  for (const std::size_t column : layout_.carried) {
    p = tables::WriteCsvField(p, CarriedField(record, column));
    *p++ = ',';
  }
  for (std::size_t i = 0; i < DefaultPropertyCount; ++i) {
    if ((outcome.present & (1U << i)) != 0) {
      p = tables::FormatNumber(p, outcome.values[i], format_.digits);
    }
    *p++ = ',';
  }
  // Only a bad-input reason can hold a comma or a quote ("expected 3 fields,
  // found 4", a quoted value).
  if (outcome.text.find_first_of(",\"\r\n") == std::string_view::npos) {
    p = Put(p, key);
    if (!outcome.text.empty()) p = Put(Put(p, ": "), outcome.text);
  } else {
    p = tables::WriteCsvField(p, std::string(key) + ": " + std::string(outcome.text));
  }
  *p++ = '\n';
  out.Commit(p);
}

bool RowWriter::WriteJson(Output& out, const CsvRecord& record, const Outcome& outcome) const {
  bool replaced = false;
  std::size_t room = 0;
  for (std::size_t i = 0; i < layout_.carried.size(); ++i) {
    room += carriedKeys_[i].size() + JsonStringRoom(CarriedField(record, layout_.carried[i]));
  }
  for (const std::string& key : resultKeys_) room += key.size() + tables::kNumberTextSize;
  room += outcome.kind->key.size() + 2 + JsonStringRoom(outcome.text) + 2;
  char* p = out.Room(room);
  for (std::size_t i = 0; i < layout_.carried.size(); ++i) {
    p = Put(p, carriedKeys_[i]);
    const std::string_view field = CarriedField(record, layout_.carried[i]);
    if (layout_.carried[i] != layout_.pressure) {
      p = JsonString(p, field, &replaced);
      continue;
    }
    const tables::Number pressure = tables::ParseNumber(field, format_.decimalComma);
    if (pressure.status == tables::NumberStatus::Ok) {
      p = tables::FormatNumber(p, pressure.value, format_.digits);
    } else {
      p = Put(p, "null");
    }
  }
  for (std::size_t i = 0; i < DefaultPropertyCount; ++i) {
    p = Put(p, resultKeys_[i]);
    const double value = outcome.values[i];
    if ((outcome.present & (1U << i)) != 0 && std::isfinite(value)) {
      p = tables::FormatNumber(p, value, format_.digits);
    } else {
      p = Put(p, "null");
    }
  }
  p = Put(p, resultKeys_.back());  // status
  *p++ = '"';
  p = Put(p, outcome.kind->key);
  // A reason may quote a value: its quotes and backslashes are escaped.
  if (!outcome.text.empty()) p = JsonChars(Put(p, ": "), outcome.text);
  p = Put(p, "\"}\n");
  out.Commit(p);
  return replaced;
}

}  // namespace hygrian::batch

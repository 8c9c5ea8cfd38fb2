#include "batch/rows.h"

#include <cmath>
#include <cstring>

#include "cli/utf8.h"
#include "hygrian/pairs.h"
#include "tables/csv.h"
#include "tables/numbers.h"

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

char* Put(char* out, std::string_view text) {
  // An empty view may hold a null pointer, which memcpy may not be given.
  if (!text.empty()) std::memcpy(out, text.data(), text.size());
  return out + text.size();
}

// The most bytes JsonString writes for text.
std::size_t JsonStringRoom(std::string_view text) { return text.size() * 6 + 2; }

// text inside a JSON string: quote, backslash and control bytes escaped, bytes
// that are not UTF-8 replaced by U+FFFD.
char* JsonChars(char* out, std::string_view text) {
  static constexpr char kHex[] = "0123456789abcdef";
  for (std::size_t i = 0; i < text.size();) {
    const auto c = static_cast<unsigned char>(text[i]);
    if (c >= 0x20 && c < 0x80) {
      if (c == '"' || c == '\\') *out++ = '\\';
      *out++ = static_cast<char>(c);
      ++i;
    } else if (c < 0x20) {
      *out++ = '\\';
      switch (c) {
        case '\n':
          *out++ = 'n';
          break;
        case '\r':
          *out++ = 'r';
          break;
        case '\t':
          *out++ = 't';
          break;
        default:
          out = Put(out, "u00");
          *out++ = kHex[c >> 4U];
          *out++ = kHex[c & 0xFU];
      }
      ++i;
    } else if (const std::size_t length = cli::Utf8Length(text, i); length > 0) {
      out = Put(out, text.substr(i, length));
      i += length;
    } else {
      out = Put(out, "\xEF\xBF\xBD");
      ++i;
    }
  }
  return out;
}

// text as a JSON string.
char* JsonString(char* out, std::string_view text) {
  *out++ = '"';
  out = JsonChars(out, text);
  *out++ = '"';
  return out;
}

std::string_view CarriedField(const CsvRecord& record, std::size_t column) {
  return column < record.fields.size() ? record.fields[column] : std::string_view{};
}

}  // namespace

Outcome ComputedOutcome(std::size_t pair, const Result& result) noexcept {
  const hygrian::Outcome& kind = OutcomeOf(result);
  Outcome outcome{{}, 0, &kind, {}};
  const OutcomeRules& rules = RulesOf(kind.kind);
  for (std::size_t i = 0; i < Properties.size(); ++i) {
    const double value = result.state.*Properties[i].member;
    outcome.values[i] = value;
    const bool given = Properties[i].member == &State::dryBulb ||
                       Properties[i].member == Pairs[pair].given[1].member;
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
    if (Properties[i].member == &State::dryBulb && measured.dryBulbRead) {
      outcome.values[i] = measured.dryBulb;
      outcome.present |= 1U << i;
    }
    if (Properties[i].member == Pairs[pair].given[1].member && measured.secondRead) {
      outcome.values[i] = measured.second;
      outcome.present |= 1U << i;
    }
  }
  return outcome;
}

RowWriter::RowWriter(const tables::Layout& layout, Format format)
    : layout_(layout), format_(format) {
  if (!format_.json) return;
  const auto key = [](std::string_view name, char lead) {
    std::string text(JsonStringRoom(name) + 2, '\0');
    text[0] = lead;
    char* end = JsonString(text.data() + 1, name);
    *end++ = ':';
    text.resize(static_cast<std::size_t>(end - text.data()));
    return text;
  };
  char lead = '{';
  for (const std::size_t column : layout_.carried) {
    carriedKeys_.push_back(key(layout_.names[column], lead));
    lead = ',';
  }
  for (std::size_t i = 0; i < resultKeys_.size(); ++i) {
    resultKeys_[i] = key(kResultColumns[i], lead);
    lead = ',';
  }
}

void RowWriter::WriteHeader(Output& out) const {
  if (format_.json) return;
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

void RowWriter::WriteRow(Output& out, const CsvRecord& record, const Outcome& outcome) const {
  if (format_.json) {
    WriteJson(out, record, outcome);
  } else {
    WriteCsv(out, record, outcome);
  }
}

void RowWriter::WriteCsv(Output& out, const CsvRecord& record, const Outcome& outcome) const {
  // Room for the worst case: every carried byte a quote, every value present.
  const std::string_view key = outcome.kind->key;
  std::size_t room = Properties.size() * (tables::kNumberTextSize + 1) +
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
  for (std::size_t i = 0; i < outcome.values.size(); ++i) {
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

void RowWriter::WriteJson(Output& out, const CsvRecord& record, const Outcome& outcome) const {
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
      p = JsonString(p, field);
      continue;
    }
    const tables::Number pressure = tables::ParseNumber(field, format_.decimalComma);
    if (pressure.status == tables::NumberStatus::Ok) {
      p = tables::FormatNumber(p, pressure.value, format_.digits);
    } else {
      p = Put(p, "null");
    }
  }
  for (std::size_t i = 0; i < outcome.values.size(); ++i) {
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
}

}  // namespace hygrian::batch

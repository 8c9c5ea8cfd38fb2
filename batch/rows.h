// The output of the batch program: the header row and one row per input row, as
// CSV (RFC 4180, LF line ends) or as JSON Lines with the same keys in the same
// order. Numbers are the shortest exact text, or N significant digits.
#pragma once

#include <array>
#include <cstdint>
#include <limits>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "batch/extra_columns.h"
#include "batch/output.h"
#include "batch/slots.h"
#include "hygrian/outcomes.h"
#include "hygrian/properties.h"
#include "hygrian/psychrometrics.h"
#include "tables/table.h"

namespace hygrian::batch {

// The result columns: the keys of the first `count` properties, then status.
template <std::size_t count>
constexpr std::array<std::string_view, count + 1> ResultKeys() {
  std::array<std::string_view, count + 1> keys{};
  for (std::size_t i = 0; i < count; ++i) keys[i] = Properties[i].key;
  keys.back() = "status";
  return keys;
}
// The output columns that follow the carried ones: the properties written by
// default, then status. A carried column may not be named like one of them.
inline constexpr auto kResultColumns = ResultKeys<DefaultPropertyCount>();
// The result columns --columns may name: kExtendedResultColumns (every
// property, pmv, ppd, every measure, status; batch/extra_columns.h).

// No values beyond the properties.
constexpr ExtraValues NoExtras() {
  ExtraValues none;
  none.values.fill(std::numeric_limits<double>::quiet_NaN());
  return none;
}

// What one row yields: the properties' values (those present), its row of the outcomes
// table and the text after its key ("log: DOMAIN error", a reason; or none).
struct Outcome {
  std::array<double, Properties.size()> values{};  // in the order of Properties
  unsigned present = 0;  // bit i: values[i] is written, else the field is empty
  const hygrian::Outcome* kind = &Outcomes[0];
  std::string_view text;  // written as "KEY: TEXT" when the class says so
  // pmv, ppd and the measures asked for (batch/extra_columns.h); NaN where none.
  ExtraValues extra = NoExtras();
};

// The outcome of a computed row of a pair (an index of hygrian::AllPairs): the
// values its class writes (a NaN stays empty), the given ones for a fault.
[[nodiscard]] Outcome ComputedOutcome(std::size_t pair, const Result& result) noexcept;
// The outcome of a bad row: no values, "bad-input: " and the reason.
[[nodiscard]] Outcome BadOutcome(std::string_view reason) noexcept;
// The outcome of a row with a gap in its values, "missing": the given values
// that were read (the pair's two values) and no others.
[[nodiscard]] Outcome MissingOutcome(std::size_t pair, const tables::Measured& measured) noexcept;

class RowWriter {
 public:
  // inchPound: the extra columns' temperatures are in degrees F, the measures
  // written in their IP units.
  RowWriter(const tables::Layout& layout, Format format, bool inchPound = false);

  // The extra columns of the layout and --columns; with the comfort inputs,
  // pmv and ppd before status.
  [[nodiscard]] const ExtraColumns& Extras() const { return extras_; }

  // "" or why the columns chosen cannot be written:
  //   "--columns: no column 'x'; columns: Time, dry_bulb, ..., status"
  [[nodiscard]] const std::string& Problem() const { return problem_; }

  // The CSV header row (the carried names as read, then the result columns);
  // nothing for JSON Lines, where a pressure column is a number (or null) and
  // other carried columns are strings.
  void WriteHeader(Output& out) const;
  // One row: the carried fields of record (empty where it has too few), then
  // the outcome. A status with a comma or quote is quoted in CSV. Whether a
  // carried field was not UTF-8 and is in the JSON with U+FFFD for its stray
  // bytes (never in CSV, which keeps every byte).
  bool WriteRow(Output& out, const tables::CsvRecord& record, const Outcome& outcome) const;

 private:
  void WriteCsv(Output& out, const tables::CsvRecord& record, const Outcome& outcome) const;
  bool WriteJson(Output& out, const tables::CsvRecord& record, const Outcome& outcome) const;
  // The columns chosen, another delimiter or decimal commas: slot by slot.
  void ChooseColumns();

  const tables::Layout& layout_;
  Format format_;
  ExtraColumns extras_;
  std::span<const std::string_view> results_ = kExtendedResultColumns;
  bool chosen_ = false;  // the slots are written instead of the plain row
  SlotWriter slots_;     // the chosen columns
  std::string problem_;
  std::vector<std::string> carriedKeys_;  // JSON: "{\"name\":" or ",\"name\":"
  std::array<std::string, kResultColumns.size()> resultKeys_;
};

}  // namespace hygrian::batch

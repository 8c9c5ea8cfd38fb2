// Rows written column by column in a chosen order, for the state rows and the
// process rows alike: each output column (a slot) is one of the writer's result
// columns or a carried field of the input record, as CSV with any delimiter and
// decimal commas, or as JSON Lines.
#pragma once

#include <cstddef>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "batch/output.h"
#include "tables/table.h"

namespace hygrian::batch {

struct Format {
  bool json = false;           // JSON Lines instead of CSV
  int digits = 0;              // 0: shortest exact text; 1 to 17: significant digits
  bool decimalComma = false;   // how a pressure column's numbers are read
  char delimiter = ',';        // CSV: the byte between fields
  bool commaDecimals = false;  // CSV: numbers with a decimal comma (quoted after a comma)
  // The output columns by name, in their order: result columns by key, carried
  // ones (and the given ones) by their names in any case; empty: all of them.
  std::vector<std::string> columns;
};

// A row's results as the slots write them: values[i] where bit i of present is
// set (and, in JSON, finite), else an empty field or null; the status "KEY" or
// "KEY: TEXT".
struct SlotRow {
  std::span<const double> values;
  unsigned present = 0;
  std::string_view key;
  std::string_view text;
};

class SlotWriter {
 public:
  // One output column: a result (an index of the result names) or a field of the record.
  struct Slot {
    bool result = false;
    std::size_t index = 0;
  };

  // results: the result columns' names, the status last; it and layout outlive the writer.
  SlotWriter(const tables::Layout& layout, std::span<const std::string_view> results,
             Format format);
  void Add(Slot slot);

  // The CSV header row; nothing for JSON Lines.
  void WriteHeader(Output& out) const;
  // One row; in JSON a pressure column is a number (or null), other carried
  // columns strings. Whether a carried field was not UTF-8 and is in the JSON
  // with U+FFFD for its stray bytes (never in CSV, which keeps every byte).
  bool WriteRow(Output& out, const tables::CsvRecord& record, const SlotRow& row) const;

 private:
  [[nodiscard]] std::string_view Name(const Slot& slot) const;
  void WriteCsv(Output& out, const tables::CsvRecord& record, const SlotRow& row) const;
  bool WriteJson(Output& out, const tables::CsvRecord& record, const SlotRow& row) const;

  const tables::Layout& layout_;
  std::span<const std::string_view> results_;
  Format format_;
  std::vector<Slot> slots_;            // in output order
  std::vector<std::string> jsonKeys_;  // "{\"name\":" or ",\"name\":", by slot
};

// The field of a record at column, empty where the record has too few.
std::string_view CarriedField(const tables::CsvRecord& record, std::size_t column);

}  // namespace hygrian::batch

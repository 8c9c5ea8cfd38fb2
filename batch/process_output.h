// The output of hygrian-batch --process: the carried columns, then the
// process's results (ProcessColumns::Results), as CSV or JSON Lines in the
// format of the state rows (batch/rows.h): the same delimiter, decimal comma,
// digits and choice of columns.
#pragma once

#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "batch/output.h"
#include "batch/process.h"
#include "batch/rows.h"
#include "tables/table.h"

namespace hygrian::batch {

class ProcessWriter {
 public:
  // layout, carried (the columns written in front), results and values (which
  // of the outcome's values each result but status is) must outlive the writer.
  ProcessWriter(const tables::Layout& layout, std::span<const std::size_t> carried,
                std::span<const std::string_view> results, std::span<const std::size_t> values,
                Format format);

  // "" or why the columns chosen cannot be written:
  //   "--columns: no column 'x'; columns: Site, dry_bulb, ..., status"
  [[nodiscard]] const std::string& Problem() const { return problem_; }

  // The CSV header; nothing for JSON Lines.
  void WriteHeader(Output& out) const;
  // One row: the carried fields of record (empty where it has too few), then
  // the outcome. In JSON a pressure column is a number (or null), other
  // carried columns strings. Whether a carried field was not UTF-8 (as
  // SlotWriter::WriteRow).
  bool WriteRow(Output& out, const tables::CsvRecord& record, const ProcessOutcome& outcome) const;

 private:
  std::span<const std::size_t> values_;
  const tables::Layout& layout_;
  Format format_;
  SlotWriter slots_;
  std::string problem_;
};

}  // namespace hygrian::batch

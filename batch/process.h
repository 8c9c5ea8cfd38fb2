// hygrian-batch's processes (--process WORD, or a table with a process
// column): what air-handling equipment does to the air of each row, by
// hygrian/processes.h. The processes, the columns they read and the chains of
// rows are cli/process_fields.h's and cli/process_chain.h's; a header gives a
// plan (which columns are carried), and each row gives the leaving state, the
// dry-air flow, the heat rates, the water, a coil's condition and a status.
//
//   heat:  dry_bulb,humidity_ratio,leaving_dry_bulb,flow
//          20,0.008,30,2  ->  leaving_dry_bulb 30, ..., total_load 20.4176 (kW), ..., ok
#pragma once

#include <array>
#include <cstddef>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "cli/process_chain.h"
#include "cli/process_fields.h"
#include "hygrian/outcomes.h"
#include "hygrian/properties.h"
#include "hygrian/psychrometrics.h"
#include "tables/table.h"

namespace hygrian::batch {

using cli::KindOf;
using cli::kProcesses;
using cli::ParametersInWords;
using cli::Process;
using cli::ProcessKind;
using cli::ProcessOfWord;

// What --process, --flow-unit, --flow-basis, --load-unit, --unit and --units
// give a table of processes.
struct ProcessOptions {
  std::optional<Process> process;  // every row's; none: the process column's
  cli::ProcessUnits units;
};

// The values a process row may write after the carried columns: the leaving
// state's nine properties and cli::kProcessValueKeys; then the status.
inline constexpr std::size_t kProcessValues = Properties.size() + cli::kProcessValueKeys.size();

// The column keys of a table of processes: its result columns ("leaving_dry_bulb",
// ..., "status"): the values its process writes (every process's, for a table
// with a process column) and, for mix, the entering stream's names that the
// table reader takes for dry_bulb and the second values ("a_dry_bulb",
// "a_wet_bulb", ...).
class ProcessColumns {
 public:
  explicit ProcessColumns(std::optional<Process> process);
  ProcessColumns(const ProcessColumns&) = delete;
  ProcessColumns& operator=(const ProcessColumns&) = delete;

  // The keys written, status last.
  [[nodiscard]] std::span<const std::string_view> Results() const { return results_; }
  // Which of the kProcessValues each result but status is.
  [[nodiscard]] std::span<const std::size_t> Values() const { return values_; }
  // The reader's options for the entering state: for mix, stream a's names, a
  // pair with the dry-bulb (and no hint at --dry-bulb-column and the like, which
  // name none of them).
  void Adapt(tables::ReadOptions& read) const;

 private:
  std::optional<Process> process_;
  std::vector<std::string> names_;
  std::vector<std::string_view> results_;
  std::vector<std::size_t> values_;
  cli::FirstStreamKeys firstStream_;
};

// The columns of a header carried in front of the results: every one but a
// result column.
std::vector<std::size_t> CarriedColumns(const tables::Layout& layout,
                                        const ProcessColumns& columns);

// What one row yields, as batch::Outcome for a state.
struct ProcessOutcome {
  std::array<double, kProcessValues> values{};  // by kProcessValues' order
  unsigned present = 0;                         // bit i: values[i] is written
  const hygrian::Outcome* kind = &Outcomes[0];
  std::string_view text;  // written as "KEY: TEXT" when the class says so
  // A row left out with a message: why (bad != None, or Other for a reason of
  // the processes'), and its line.
  tables::Measured bad;
  std::uint64_t line = 0;
  bool other = false;  // the message is a process's reason, not the table's
};

// The outcome of a row read by the table reader, the next of chain at the
// row's pressure: the leaving state and values in the units of `units`, or
// the status of what went wrong. reason holds the text of a bad row or a
// refusal.
[[nodiscard]] ProcessOutcome ProcessRow(cli::ProcessChain& chain, const cli::ProcessUnits& units,
                                        const tables::Layout& layout,
                                        const tables::TableReader::Row& row,
                                        tables::ReasonBuffer& reason);

}  // namespace hygrian::batch

// hygrian-batch --process: what air-handling equipment does to the air of each
// row, by hygrian/processes.h. The processes and the columns they read are
// cli/process_fields.h's table; a header gives a plan (which column holds which
// value, and which are carried), and each row gives the leaving state, the heat
// rates, the water and a status.
//
//   heat:  dry_bulb,relative_humidity,leaving_dry_bulb,flow
//          20,50,35,2  ->  leaving_dry_bulb 35, ..., total_load (kW), ..., ok
#pragma once

#include <array>
#include <cstddef>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "cli/process_fields.h"
#include "hygrian/outcomes.h"
#include "hygrian/properties.h"
#include "hygrian/psychrometrics.h"
#include "tables/table.h"

namespace hygrian::batch {

using cli::FlowUnit;
using cli::KindOf;
using cli::kProcesses;
using cli::ParametersInWords;
using cli::Process;
using cli::ProcessKind;
using cli::ProcessOfWord;

// What --process and --flow-unit give.
struct ProcessOptions {
  Process process = Process::None;
  FlowUnit flowUnit = FlowUnit::Mass;
};

// The values a process row writes after the carried columns: the leaving
// state's nine properties, the sensible, latent and total loads (kW), the
// sensible heat ratio and the water (kg/s); then the status.
inline constexpr std::size_t kProcessValues = Properties.size() + 5;

// The column keys of a process: its result columns ("leaving_dry_bulb", ...,
// "status") and, for mix, the entering stream's names that the table reader
// takes for dry_bulb and the second values ("a_dry_bulb", "a_wet_bulb", ...).
class ProcessColumns {
 public:
  explicit ProcessColumns(const ProcessKind& kind);
  ProcessColumns(const ProcessColumns&) = delete;
  ProcessColumns& operator=(const ProcessColumns&) = delete;

  // kProcessValues + 1 keys, status last.
  [[nodiscard]] std::span<const std::string_view> Results() const { return results_; }
  // The reader's options for the entering state: for mix, stream a's names
  // (and no hint at --dry-bulb-column and the like, which name none of them).
  void Adapt(tables::ReadOptions& read) const;

 private:
  const ProcessKind& kind_;
  std::vector<std::string> names_;
  std::vector<std::string_view> results_;
  cli::FirstStreamKeys firstStream_;
};

// What the columns of a header are to a process, and the columns written in
// front of the results: every one but a result column.
struct ProcessPlan : cli::ProcessPlan {
  std::vector<std::size_t> carried;
};

// The plan of a process over a header read with read (secondKeys, pair): ""
// or why the header does not do:
//   "--process heat: no flow column"
//   "--process heat: no leaving_dry_bulb or heat_rate column"
//   "--process coil: no bypass_factor column"
//   "--process mix: several second values for b (b_wet_bulb, b_dew_point): choose one with
//   --pair"
[[nodiscard]] std::string PlanProcess(const ProcessKind& kind, const tables::Layout& layout,
                                      const ProcessColumns& columns,
                                      const tables::ReadOptions& read, ProcessPlan& plan);

// What one row yields, as batch::Outcome for a state.
struct ProcessOutcome {
  std::array<double, kProcessValues> values{};  // in the order of ProcessColumns::Results
  unsigned present = 0;                         // bit i: values[i] is written
  const hygrian::Outcome* kind = &Outcomes[0];
  std::string_view text;  // written as "KEY: TEXT" when the class says so
  // A bad cell: why, for the message (bad != None), and its line.
  tables::Measured bad;
  std::uint64_t line = 0;
};

// The outcome of a row read by the table reader: the entering state(s) from
// its measured values (a bad or missing one is the row's outcome), the
// parameters from its cells, then the process at the row's pressure. reason
// holds a bad cell's reason text.
[[nodiscard]] ProcessOutcome ProcessRow(const ProcessPlan& plan, const ProcessOptions& process,
                                        const tables::Layout& layout,
                                        const tables::TableReader::Row& row,
                                        const tables::ReadOptions& read, Phase over,
                                        tables::ReasonBuffer& reason);

}  // namespace hygrian::batch

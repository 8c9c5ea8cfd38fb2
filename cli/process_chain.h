// A processes table read row after row, as hygrian-batch and hygrian-chart
// read one: each row's process (its process column's word, else the one the
// options name), its plan over the header, its entering state and the chain's
// dry-air flow. In a table with a process column a row whose entering values
// are both gaps continues the chain: it enters at the leaving state of the
// row above with that row's dry-air flow, which it need not give again (a
// mixing box's leaving flow is the sum of its streams').
//
//   process,dry_bulb,relative_humidity,leaving_dry_bulb,...,flow
//   heat,-10,80,20,...,5        <- 5 (kg/s, or m3/s at -10 degC) of dry air
//   steam,,,,...,               <- enters at the heater's leaving air, its flow
#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>

#include "cli/process_fields.h"
#include "tables/csv.h"
#include "tables/table.h"

namespace hygrian::cli {

// How far a row went.
enum class ChainStage {
  BadRecord,       // the record fails as a record (a quote left open, the field count)
  UnknownProcess,  // its process cell names none: ChainRow::problem
  NoPlan,          // the header lacks the process's columns: ChainRow::problem
  BadEntering,     // its entering values are bad or a gap (the Measured says which)
  Process,         // RunProcess ran: ChainRow::run's stage says how far
};

struct ChainRow {
  ChainStage stage = ChainStage::Process;
  const ProcessKind* kind = nullptr;
  const ProcessPlan* plan = nullptr;
  ProcessRun run;
  std::string problem;  // "'cool' is not mix, ...", "coil: no bypass_factor column"
};

class ProcessChain {
 public:
  // The table's layout and reader options (read with FirstStreamKeys for a
  // table of mixing alone), its units, the process every row has (none: the
  // process column's), and the phase convention. All must outlive the chain.
  ProcessChain(const tables::Layout& layout, const tables::ReadOptions& read,
               const ProcessUnits& units, std::optional<Process> every, Phase over);

  // "" or why the header does not do:
  //   "no process column: name the rows' process with --process-kind" (the
  //   option's name is the caller's), "coil: no bypass_factor column"
  [[nodiscard]] std::string HeaderProblem(std::string_view kindOption);

  // The row's process at pressure (kPa). A row whose process ran with a state
  // computed is the chain's next link; any other ends the chain.
  [[nodiscard]] ChainRow Next(const tables::CsvRecord& record, const tables::Measured& measured,
                              double pressure);

 private:
  const ProcessPlan* PlanOf(const ProcessKind& kind, std::string& problem);

  const tables::Layout& layout_;
  const tables::ReadOptions& read_;
  const ProcessUnits& units_;
  std::optional<Process> every_;
  Phase over_;
  std::size_t processColumn_;
  std::array<ProcessPlan, kProcesses.size()> plans_;
  std::array<std::string, kProcesses.size()> problems_;
  std::array<bool, kProcesses.size()> made_{};
  std::optional<ChainLink> link_;  // the row above's leaving air and flow
};

}  // namespace hygrian::cli

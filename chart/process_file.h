// The processes file: a table of processes, one a row, in the columns that
// hygrian-batch --process reads (cli/process_fields.h), in the chart's units
// unless a header or --unit names others. A `process` column names each row's
// process (mix, heat, coil, ...), else --process-kind names every row's. In a
// file with the column a row may leave its entering state out (dry_bulb and its
// second value both gaps): it enters at the leaving state of the row above,
// with its dry-air flow, so that one file holds an air-handling unit's chain
// (mixing box, coil, reheat; cli/process_chain.h). Columns state_label,
// b_state_label and leaving_label give its states short labels ("OA", "MA").
// Each process is computed by
// hygrian/processes.h at the chart's pressure; a row that cannot be computed
// gets one "FILE:LINE: reason" message and is not drawn.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "chart/frame.h"
#include "chart/points.h"
#include "cli/messages.h"
#include "cli/process_fields.h"
#include "hygrian/processes.h"
#include "tables/csv.h"
#include "tables/table.h"

namespace hygrian::chart {

// One process computed from its row.
struct ComputedProcess {
  const cli::ProcessKind* kind = nullptr;
  std::uint64_t line = 0;
  State entering;  // mix: stream a
  State second;    // mix: stream b
  ProcessResult result;
  // coil: the saturated state at the apparatus dew point, given (by the
  // bypass-factor form) or else where the line from the entering state through
  // the leaving one, straight in humidity ratio and enthalpy, first meets
  // saturation (hygrian::CoilConditionOf), and the bypass factor.
  std::optional<State> apparatusDewPoint;
  double bypassFactor = 0.0;
  // The short labels of the entering state (mix: stream a), stream b and the
  // leaving state: the row's state_label, b_state_label and leaving_label.
  std::array<std::string, 3> labels;
  // The dry-air flows entering, kg/s: mix's two streams; the one of the others.
  std::array<double, 2> enteringFlows{};
};

struct ProcessesRead : FileRead {
  std::vector<ComputedProcess> processes;  // in file order
};

// How the file is read: its rows' process when it has no process column, and
// its units (its columns', its flows' and loads').
struct ProcessesFile {
  std::optional<cli::Process> kind;
  cli::ProcessUnits units;
};

// Reads every row of `source` with the reader's options, named `name` in the
// messages:
//   name.csv:1: no process column: name the rows' process with --process-kind
//   name.csv:1: coil: no bypass_factor column
//   name.csv:3: flow "x" is not a number
//   name.csv:4: coil: apparatus dew point 15 degC is not below the entering dew point 13.9 degC
//   name.csv:5: 'cool' is not mix, heat, coil, evaporative, steam or adiabatic
ProcessesRead ReadProcesses(tables::ByteSource& source, std::string_view name, const Frame& frame,
                            const tables::ReadOptions& options, const ProcessesFile& file,
                            cli::Messages& messages);

}  // namespace hygrian::chart

// The processes as the programs read them from a table (hygrian-batch
// --process, hygrian-chart --processes): each process's columns, the plan a
// header gives (which column holds which parameter), and one row's process run
// through hygrian/processes.h.
//
//   heat:  dry_bulb,relative_humidity,leaving_dry_bulb,flow
//          20,50,35,2  ->  HeatTo(20, W, 35, 2): leaving_dry_bulb 35, totalLoad (kW)
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "hygrian/processes.h"
#include "hygrian/psychrometrics.h"
#include "tables/table.h"

namespace hygrian::cli {

enum class Process { None, Mix, Heat, Coil, Evaporative, Steam, Adiabatic };

// How the flow columns are read.
enum class FlowUnit {
  Mass,    // kg/s of dry air
  Volume,  // m3/s of moist air at the entering state (its specific volume)
};

// One process as a table gives it. Its parameters come in one of its forms
// (the first whose columns are all in the header is read), with the columns
// every form needs, and perhaps an optional one. An empty name is none.
struct ProcessKind {
  std::string_view word;  // --process WORD
  Process process;
  std::array<std::array<std::string_view, 2>, 2> forms;
  std::array<std::string_view, 2> with;
  std::string_view optional;  // without it, 1 (a flow of 1 kg/s: per kg of dry air)
  std::string_view water;     // the water's column: condensate (kg/s leaving) or water_added
  std::string_view what;      // for --help
};

inline constexpr std::array<ProcessKind, 6> kProcesses = {{
    {"mix", Process::Mix, {{{"a_flow", "b_flow"}, {}}}, {}, {}, "water_added", "two streams mixed"},
    {"heat",
     Process::Heat,
     {{{"leaving_dry_bulb", ""}, {"heat_rate", ""}}},
     {"flow", ""},
     {},
     "water_added",
     "sensible heating or cooling"},
    {"coil",
     Process::Coil,
     {{{"apparatus_dew_point", "bypass_factor"},
       {"leaving_dry_bulb", "leaving_relative_humidity"}}},
     {"flow", ""},
     {},
     "condensate",
     "a cooling and dehumidifying coil"},
    {"evaporative",
     Process::Evaporative,
     {{{"effectiveness", ""}, {}}},
     {},
     "flow",
     "water_added",
     "evaporative cooling"},
    {"steam",
     Process::Steam,
     {{{"leaving_relative_humidity", ""}, {"leaving_humidity_ratio", ""}}},
     {"steam_temperature", "flow"},
     {},
     "water_added",
     "humidification with steam"},
    {"adiabatic",
     Process::Adiabatic,
     {{{"leaving_relative_humidity", ""}, {"leaving_humidity_ratio", ""}}},
     {"water_temperature", "flow"},
     {},
     "water_added",
     "humidification with liquid water"},
}};

// The row of a process; nullptr for Process::None.
[[nodiscard]] const ProcessKind* KindOf(Process process) noexcept;
// The process of a word ("coil"), if any.
[[nodiscard]] std::optional<Process> ProcessOfWord(std::string_view word) noexcept;

// The columns of a process's parameters in words, for --help:
// "leaving_dry_bulb, or heat_rate, with flow".
[[nodiscard]] std::string ParametersInWords(const ProcessKind& kind);

// The columns of mixing's first stream ("a_dry_bulb", "a_wet_bulb", ...), which
// the table reader reads in place of dry_bulb and the second values.
class FirstStreamKeys {
 public:
  FirstStreamKeys();
  FirstStreamKeys(const FirstStreamKeys&) = delete;
  FirstStreamKeys& operator=(const FirstStreamKeys&) = delete;

  // The reader's options for stream a: its names (and no hint at
  // --dry-bulb-column and the like, which name none of them).
  void Adapt(tables::ReadOptions& read) const;

 private:
  std::vector<std::string> names_;
  std::vector<std::string_view> secondKeys_;
};

// What the columns of a header are to a process.
struct ProcessPlan {
  const ProcessKind* kind = nullptr;
  std::size_t form = 0;
  // The parameters read from each row, in order: the form's, the ones every
  // form needs, the optional one (for mix: a_flow, b_flow, b_dry_bulb and b's
  // second value, then a_dry_bulb and a's when they are read from cells), by
  // key and column (kNoColumn: an optional one not there).
  std::vector<std::string> keys;
  std::vector<std::size_t> columns;
  std::size_t secondPair = 0;  // mix: b's second value, an index of hygrian::Pairs
  std::size_t firstPair = 0;   // mix with firstFromCells: a's
  bool firstFromCells = false;
};

// The plan of a process over a header read with read (secondKeys, pair): ""
// or why the header does not do (the caller names the process in front):
//   "no flow column"
//   "no leaving_dry_bulb or heat_rate column"
//   "several second values for b (b_wet_bulb, b_dew_point): choose one with --pair"
// firstFromCells: mix reads stream a from its cells too, as stream b, for a
// table whose reader reads dry_bulb (rows of several processes).
[[nodiscard]] std::string PlanProcess(const ProcessKind& kind, const tables::Layout& layout,
                                      const tables::ReadOptions& read, ProcessPlan& plan,
                                      bool firstFromCells = false);

// How far a row's process went.
enum class ProcessStage {
  BadCell,   // a parameter's cell is bad or a gap: ProcessRun::bad says which
  Entering,  // an entering state has no state: its Result's status says why
  Ran,       // the process ran: ProcessRun::result (its status may refuse it)
};

// One row's process: its entering state(s) and what the process gave.
struct ProcessRun {
  ProcessStage stage = ProcessStage::Ran;
  Result entering;  // mix: stream a
  Result second;    // mix: stream b
  ProcessResult result;
  // The parameters read, in the plan's order (flows in kg/s once converted).
  std::array<double, 6> parameters{};
  tables::Measured bad;  // BadCell: the cell's key, text and why
};

// The process of a row whose measured values are good (dry_bulb and the
// layout's pair: the entering state, or for mix stream a unless the plan reads
// it from cells): the parameters from the record's cells, the entering states
// at pressure (kPa), flows converted with flowUnit, then the process. With
// `entering`, the row's own entering state is not read: the process starts from
// it (a chain of processes, each entering at the one before's leaving state).
[[nodiscard]] ProcessRun RunProcess(const ProcessPlan& plan, FlowUnit flowUnit,
                                    const tables::Layout& layout, const tables::CsvRecord& record,
                                    const tables::Measured& measured, double pressure,
                                    const tables::ReadOptions& read, Phase over,
                                    const Result* entering = nullptr);

}  // namespace hygrian::cli

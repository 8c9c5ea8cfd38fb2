// hygrian-batch --process: what air-handling equipment does to the air of each
// row, by hygrian/processes.h. The processes and the columns they read are a
// table; a header gives a plan (which column holds which value), and each row
// gives the leaving state, the heat rates, the water and a status.
//
//   heat:  dry_bulb,relative_humidity,leaving_dry_bulb,flow
//          20,50,35,2  ->  leaving_dry_bulb 35, ..., total_load (kW), ..., ok
#pragma once

#include <array>
#include <cstddef>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "hygrian/outcomes.h"
#include "hygrian/properties.h"
#include "hygrian/psychrometrics.h"
#include "tables/table.h"

namespace hygrian::batch {

enum class Process { None, Mix, Heat, Coil, Evaporative, Steam, Adiabatic };

// How the flow columns are read.
enum class FlowUnit {
  Mass,    // kg/s of dry air
  Volume,  // m3/s of moist air at the entering state (its specific volume)
};

// What --process and --flow-unit give.
struct ProcessOptions {
  Process process = Process::None;
  FlowUnit flowUnit = FlowUnit::Mass;
};

// One process as the batch program reads it. Its parameters come in one of
// its forms (the first whose columns are all in the header is read), with the
// columns every form needs, and perhaps an optional one. An empty name is none.
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
  // The reader's options for the entering state: for mix, stream a's names, a
  // pair with the dry-bulb (and no hint at --dry-bulb-column and the like, which
  // name none of them).
  void Adapt(tables::ReadOptions& read) const;

 private:
  const ProcessKind& kind_;
  std::vector<std::string> names_;
  std::vector<std::string_view> results_;
  std::vector<std::string_view> secondKeys_;  // mix: "a_wet_bulb", ...
};

// What the columns of a header are to a process.
struct ProcessPlan {
  const ProcessKind* kind = nullptr;
  std::size_t form = 0;
  // The parameters read from each row, in order: the form's, the ones every
  // form needs, the optional one (for mix: a_flow, b_flow, b_dry_bulb and b's
  // second value), by key and column (kNoColumn: an optional one not there).
  std::vector<std::string> keys;
  std::vector<std::size_t> columns;
  std::size_t secondPair = 0;  // mix: b's second value, an index of hygrian::Pairs
  // The columns written in front of the results: every one but a result column.
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

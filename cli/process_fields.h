// The processes as the programs read them from a table (hygrian-batch
// --process, hygrian-chart --processes): each process's columns (from the
// arguments of hygrian/process_table.h's rows) and their quantities, the plan a
// header gives (which column holds which parameter, in which unit), one row's
// process run through that table's row, and the values a process writes, in
// the units the options give.
//
//   heat:  dry_bulb,relative_humidity,leaving_dry_bulb,flow
//          20,50,35,2  ->  HeatTo(20, W, 35, 2): leaving_dry_bulb 35, totalLoad (kW)
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <limits>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "cli/units.h"
#include "hygrian/process_table.h"
#include "hygrian/processes.h"
#include "hygrian/psychrometrics.h"
#include "hygrian/units.h"
#include "tables/table.h"

namespace hygrian::cli {

enum class Process { None, Mix, Heat, Coil, Evaporative, Steam, Adiabatic };

// One process as a table gives it: the library's processes it runs (rows of
// hygrian::Processes), one a form of its parameters (the first whose columns
// are all in the header is read). A form's parameters are its process's
// arguments but the entering air's and the pressure; those every form has
// (with) and a flow that may be left out (optional) are kept apart from the
// form's own. An empty name is none.
struct ProcessKind {
  std::string_view word;  // --process WORD
  Process process;
  std::array<const ProcessFunction*, 2> functions;  // nullptr: no second form
  std::array<std::array<std::string_view, 2>, 2> forms;
  std::array<std::string_view, 2> with;
  std::string_view optional;  // without it, 1 kg/s (per kg of dry air), or the chain's flow
  // The water's column: condensate (kg/s leaving as liquid: a coil's, a mixing
  // box's fog) or water_added.
  std::string_view water;
  std::string_view what;  // for --help
};

// Whether an argument of a process is the entering air's: a stream's dry-bulb
// or humidity ratio ("dry_bulb", "a_humidity_ratio"), or the pressure.
[[nodiscard]] constexpr bool IsEnteringArgument(std::string_view key) noexcept {
  if (key.size() > 2 && (key.substr(0, 2) == "a_" || key.substr(0, 2) == "b_")) {
    key.remove_prefix(2);
  }
  return key == "dry_bulb" || key == "humidity_ratio" || key == "pressure";
}

// The kind of a word that runs the processes named by keys, its parameters
// taken from their arguments; flowOptional: a flow every form ends with may be
// left out.
[[nodiscard]] constexpr ProcessKind KindOfProcesses(std::string_view word, Process process,
                                                    std::array<std::string_view, 2> keys,
                                                    bool flowOptional, std::string_view water,
                                                    std::string_view what) noexcept {
  ProcessKind kind{word,  process, {ProcessOf(keys[0]), ProcessOf(keys[1])}, {}, {}, {},
                   water, what};
  std::array<std::array<std::string_view, 3>, 2> parameters{};
  std::array<std::size_t, 2> counts{};
  for (std::size_t f = 0; f < 2 && kind.functions[f] != nullptr; ++f) {
    const ProcessFunction& function = *kind.functions[f];
    for (std::size_t a = 0; a < function.count; ++a) {
      if (!IsEnteringArgument(function.arguments[a].key)) {
        parameters[f][counts[f]++] = function.arguments[a].key;
      }
    }
  }
  // Those the two forms end with are every form's.
  std::size_t shared = 0;
  while (kind.functions[1] != nullptr && shared < counts[0] && shared < counts[1] &&
         parameters[0][counts[0] - 1 - shared] == parameters[1][counts[1] - 1 - shared]) {
    ++shared;
  }
  if (flowOptional && counts[0] > 0 && parameters[0][counts[0] - 1] == "flow") {
    kind.optional = "flow";
    shared = 1;
  }
  for (std::size_t f = 0; f < 2; ++f) {
    for (std::size_t i = 0; i + shared < counts[f]; ++i) kind.forms[f][i] = parameters[f][i];
  }
  for (std::size_t i = 0; i < shared && kind.optional.empty(); ++i) {
    kind.with[i] = parameters[0][counts[0] - shared + i];
  }
  return kind;
}

inline constexpr std::array<ProcessKind, 6> kProcesses = {{
    KindOfProcesses("mix", Process::Mix, {"mix", ""}, false, "condensate", "two streams mixed"),
    KindOfProcesses("heat", Process::Heat, {"heat_to", "heat_by"}, false, "water_added",
                    "sensible heating or cooling"),
    KindOfProcesses("coil", Process::Coil, {"cool_and_dehumidify", "cool_and_dehumidify_to"}, false,
                    "condensate", "a cooling and dehumidifying coil"),
    KindOfProcesses("evaporative", Process::Evaporative, {"cool_evaporatively", ""}, true,
                    "water_added", "evaporative cooling"),
    KindOfProcesses("steam", Process::Steam,
                    {"humidify_with_steam_to_relative_humidity", "humidify_with_steam"}, false,
                    "water_added", "humidification with steam"),
    KindOfProcesses("adiabatic", Process::Adiabatic,
                    {"humidify_with_water_to_relative_humidity", "humidify_with_water"}, false,
                    "water_added", "humidification with liquid water"),
}};

// The quantity of each parameter column, by its key: the unit it is read in
// (a flow is a mass flow of dry air or a volume flow of the air, whichever
// its unit is).
struct ParameterQuantity {
  std::string_view key;
  Quantity quantity;
};
inline constexpr std::array<ParameterQuantity, 12> kParameterQuantities = {{
    {"leaving_dry_bulb", Quantity::Temperature},
    {"heat_rate", Quantity::Power},
    {"apparatus_dew_point", Quantity::Temperature},
    {"bypass_factor", Quantity::Dimensionless},
    {"leaving_relative_humidity", Quantity::RelativeHumidity},
    {"effectiveness", Quantity::Dimensionless},
    {"leaving_humidity_ratio", Quantity::MassRatio},
    {"steam_temperature", Quantity::Temperature},
    {"water_temperature", Quantity::Temperature},
    {"flow", Quantity::MassFlow},
    {"a_flow", Quantity::MassFlow},
    {"b_flow", Quantity::MassFlow},
}};

// The row of a process; nullptr for Process::None.
[[nodiscard]] const ProcessKind* KindOf(Process process) noexcept;
// The process of a word ("coil"), if any.
[[nodiscard]] std::optional<Process> ProcessOfWord(std::string_view word) noexcept;
// "mix, heat, coil, evaporative, steam or adiabatic".
[[nodiscard]] std::string ProcessWords();

// The columns of a process's parameters in words, for --help:
// "leaving_dry_bulb, or heat_rate, with flow".
[[nodiscard]] std::string ParametersInWords(const ProcessKind& kind);

// The units a processes table is read and written in, as the options give
// them.
struct ProcessUnits {
  TableUnits columns;                                       // --unit and --units (ip)
  const Unit* flow = FindUnit(Quantity::MassFlow, "kg/s");  // --flow-unit: mass or volume
  bool standardAir = false;  // --flow-basis standard: volumes at standard air
  const Unit* load = FindUnit(Quantity::Power, "kW");  // --load-unit
  [[nodiscard]] bool Ip() const { return columns.ip; }
  // The unit flows and water are written in: the flow unit if it is a mass
  // flow's, else kg/s (lb/h with ip).
  [[nodiscard]] const Unit& MassFlow() const;
};

// The units of the options: the columns' (--unit, --units), --flow-unit's
// text (empty: kg/s, lb/h with ip), --flow-basis's ("" or "actual": at the
// state where a flow is given, "standard"), --load-unit's (empty: kW, Btu/h
// with ip). "" or the usage error:
//   "--flow-unit: 'x' is not kg/s, kg/h, lb/h, m3/s, m3/h, L/s or cfm"
//   "--flow-basis: 'x' is not actual or standard"
//   "--flow-basis standard: with a volume flow unit (m3/s, m3/h, L/s or cfm)"
//   "--load-unit: 'x' is not kW, W, Btu/h, MBH or ton"
[[nodiscard]] std::string ReadProcessUnits(const std::string& flow, const std::string& basis,
                                           const std::string& load, const TableUnits& columns,
                                           ProcessUnits& units);

// The columns of mixing's first stream ("a_dry_bulb", "a_wet_bulb", ...), which
// the table reader reads in place of dry_bulb and the second values.
class FirstStreamKeys {
 public:
  FirstStreamKeys();
  FirstStreamKeys(const FirstStreamKeys&) = delete;
  FirstStreamKeys& operator=(const FirstStreamKeys&) = delete;

  // The reader's options for stream a: its names, a pair with the dry-bulb
  // (and no hint at --dry-bulb-column and the like, which name none of them).
  void Adapt(tables::ReadOptions& read) const;

 private:
  std::vector<std::string> names_;
  std::vector<std::string_view> secondKeys_;
};

// The column of a key in a header, its name with or without a unit after it
// ("flow (cfm)" is flow); tables::kNoColumn when there is none.
[[nodiscard]] std::size_t ColumnOf(const tables::Layout& layout, std::string_view key) noexcept;

// What the columns of a header are to a process.
struct ProcessPlan {
  const ProcessKind* kind = nullptr;
  std::size_t form = 0;
  // The parameters read from each row, in order: the form's, the ones every
  // form needs, the optional one (for mix: a_flow, b_flow, b_dry_bulb and b's
  // second value, then a_dry_bulb and a's when they are read from cells), by
  // key, column (kNoColumn: an optional one not there) and unit.
  std::vector<std::string> keys;
  std::vector<std::size_t> columns;
  std::vector<const Unit*> units;
  std::array<const Unit*, 2> entering{};  // the units of the reader's pair (mix: stream a's)
  std::size_t secondPair = 0;             // mix: b's second value, an index of hygrian::Pairs
  std::size_t firstPair = 0;              // mix with firstFromCells: a's
  bool firstFromCells = false;
};

// The plan of a process over a header read with read (secondKeys, pair) in
// units: "" or why the header does not do (the caller names the process in
// front):
//   "no flow column"
//   "no leaving_dry_bulb or heat_rate column"
//   "several second values for b (b_wet_bulb, b_dew_point): choose one with --pair"
//   "flow (gpm): 'gpm' is not a unit of mass flow (kg/s, ...) (--unit flow=UNIT says which)"
// firstFromCells: mix reads stream a from its cells too, as stream b, for a
// table whose reader reads dry_bulb (rows of several processes).
[[nodiscard]] std::string PlanProcess(const ProcessKind& kind, const tables::Layout& layout,
                                      const tables::ReadOptions& read, const ProcessUnits& units,
                                      ProcessPlan& plan, bool firstFromCells = false);

// How far a row's process went.
enum class ProcessStage {
  BadCell,   // a parameter's cell is bad or a gap: ProcessRun::bad says which
  Entering,  // an entering state has no state: its Result's status says why
  Refused,   // the row's values contradict: ProcessRun::refusal says how
  Ran,       // the process ran: ProcessRun::result (its status may refuse it;
             // a coil's apparatus dew point at or above the entering dew
             // point also has a refusal)
};

// What a chain of processes carries from one row to the next: the leaving
// state and its dry-air flow (kg/s).
struct ChainLink {
  Result leaving;
  double flow = 0.0;
};

// One row's process: its entering state(s) and what the process gave.
struct ProcessRun {
  ProcessStage stage = ProcessStage::Ran;
  Result entering;  // mix: stream a
  Result second;    // mix: stream b
  ProcessResult result;
  // The parameters read, in the plan's order, in the library's units (flows
  // in kg/s of dry air once converted).
  std::array<double, 6> parameters{};
  tables::Measured bad;  // BadCell: the cell's key, text and why
  std::string refusal;   // Refused, or a coil refused: why, with the values
  // A coil's: given, or found from its two states (CoilConditionOf); else NaN.
  double apparatusDewPoint = std::numeric_limits<double>::quiet_NaN();  // degrees C
  double bypassFactor = std::numeric_limits<double>::quiet_NaN();
};

// The process of a row whose measured values are good (the layout's pair in
// the plan's entering units: the entering state, or for mix stream a unless
// the plan reads it from cells): the parameters from the record's cells, the
// entering states at pressure (kPa), the flows converted with units (a volume
// at the state where it is given, or at standard air), then the process. With
// `chain`, the row continues a chain: it enters at the chain's leaving state,
// and its flow, if given at all, must be the chain's.
[[nodiscard]] ProcessRun RunProcess(const ProcessPlan& plan, const ProcessUnits& units,
                                    const tables::Layout& layout, const tables::CsvRecord& record,
                                    const tables::Measured& measured, double pressure,
                                    const tables::ReadOptions& read, Phase over,
                                    const ChainLink* chain = nullptr);

// The values a process writes after the leaving state's nine properties, by
// their keys: the dry-air flow leaving, the loads, the change of the air's
// enthalpy flow m (h2 - h1) (total_load plus the water's enthalpy flow: for a
// steam humidifier, the steam's energy), the sensible heat ratio, the water,
// the coil's apparatus dew point and bypass factor.
inline constexpr std::array<std::string_view, 10> kProcessValueKeys = {
    "leaving_flow",        "sensible_load", "latent_load", "enthalpy_change",     "total_load",
    "sensible_heat_ratio", "water_added",   "condensate",  "apparatus_dew_point", "bypass_factor"};
using ProcessValues = std::array<double, kProcessValueKeys.size()>;

// Whether a kind writes the value kProcessValueKeys[i] (its own water column;
// the apparatus dew point and bypass factor only the coil).
[[nodiscard]] bool Writes(const ProcessKind& kind, std::size_t i) noexcept;

// The unit a value is written in: flows and water in units.MassFlow(), loads
// in units.load, the apparatus dew point in degC (degF with ip); nullptr for
// the ratios.
[[nodiscard]] const Unit* ValueUnit(std::size_t i, const ProcessUnits& units) noexcept;

// The values of a run that ran (its result computed), in their units; NaN
// where the kind writes none, or none is known.
[[nodiscard]] ProcessValues ValuesOf(const ProcessPlan& plan, const ProcessRun& run,
                                     const ProcessUnits& units);

}  // namespace hygrian::cli

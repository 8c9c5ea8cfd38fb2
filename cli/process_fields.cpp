#include "cli/process_fields.h"

#include <algorithm>
#include <cmath>
#include <span>

#include "cli/compute.h"
#include "hygrian/outcomes.h"
#include "tables/numbers.h"

namespace hygrian::cli {
namespace {

using tables::BadInput;
using tables::kNoColumn;
using tables::Layout;

constexpr std::string_view kMixPrefix = "a_";
constexpr std::string_view kSecondStreamPrefix = "b_";

// The names of a form that are given (not empty).
std::vector<std::string_view> Named(std::span<const std::string_view> names) {
  std::vector<std::string_view> named;
  for (const std::string_view name : names) {
    if (!name.empty()) named.push_back(name);
  }
  return named;
}

// Adds key's column to the plan; false when the header has none.
bool Take(const Layout& layout, std::string_view key, ProcessPlan& plan) {
  const std::size_t column = ColumnOf(layout, key);
  plan.keys.emplace_back(key);
  plan.columns.push_back(column);
  return column != kNoColumn;
}

// mix: a stream's dry-bulb and second value (prefix "b_"), as the reader
// finds stream a's; pair is set to the second value's pair.
std::string PlanStream(std::string_view prefix, const Layout& layout,
                       const tables::ReadOptions& read, ProcessPlan& plan, std::size_t& pair) {
  const std::string dryBulb = std::string(prefix) + "dry_bulb";
  if (!Take(layout, dryBulb, plan)) return "no " + dryBulb + " column";
  std::string found;
  std::size_t count = 0;
  for (std::size_t p = 0; p < kSecondKeys.size(); ++p) {
    const std::string key = std::string(prefix) + std::string(kSecondKeys[p]);
    if (ColumnOf(layout, key) == kNoColumn || (read.pair && *read.pair != p)) continue;
    found += (count++ > 0 ? ", " : "") + key;
    pair = p;
  }
  if (count == 0) {
    return "no " + std::string(prefix) + "+" +
           (read.pair && *read.pair < kSecondKeys.size() ? std::string(kSecondKeys[*read.pair])
                                                         : "second value") +
           " column";
  }
  if (count > 1) {
    return "several second values for " + std::string(prefix.substr(0, 1)) + " (" + found +
           "): choose one with " + std::string(read.words.pair);
  }
  Take(layout, std::string(prefix) + std::string(kSecondKeys[pair]), plan);
  return "";
}

// Reads the number in a parameter's cell; false with bad's reason when it is
// a gap or not a number, as the table reader reads the measured values.
bool ReadCell(const tables::CsvRecord& record, std::size_t column, std::string_view key,
              const tables::ReadOptions& read, double& value, tables::Measured& bad) {
  const std::string_view text = record.fields[column];
  const tables::Number number = tables::ParseNumber(text, read.decimalComma);
  const bool marked = number.status == tables::NumberStatus::Ok &&
                      std::find(read.missingNumbers.begin(), read.missingNumbers.end(),
                                number.value) != read.missingNumbers.end();
  if (number.status == tables::NumberStatus::Ok && !marked) {
    value = number.value;
    return true;
  }
  bad.column = key;
  bad.text = text;
  if (marked) {
    bad.bad = read.missingIsBad ? BadInput::MarkedGap : BadInput::Missing;
  } else if (!read.missingIsBad && tables::IsGap(text, read)) {
    bad.bad = BadInput::Missing;
  } else if (number.status == tables::NumberStatus::Empty) {
    bad.bad = BadInput::Empty;
  } else {
    bad.bad = number.status == tables::NumberStatus::OutOfRange ? BadInput::OutOfRange
                                                                : BadInput::NotANumber;
  }
  return false;
}

// The entering states and parameters of one row, in the plan's order.
struct RowValues {
  Result entering;
  Result second;  // mix: stream b
  std::array<double, 6> p{};
};

// The process of the plan's form; flows in kg/s. Its arguments in its row's
// order: the streams' states from the entering states, the pressure, and the
// parameters in the plan's order.
ProcessResult Run(const ProcessPlan& plan, const RowValues& v, double P, Phase over) {
  const ProcessFunction* function = plan.kind->functions[plan.form];
  if (function == nullptr) {
    ProcessResult refused;
    refused.status = Status::InvalidInput;
    return refused;
  }
  std::array<double, MostProcessArguments> x{};
  std::size_t parameter = 0;
  for (std::size_t a = 0; a < function->count; ++a) {
    std::string_view key = function->arguments[a].key;
    const State& stream = key.substr(0, 2) == "b_" ? v.second.state : v.entering.state;
    if (key.substr(0, 2) == "a_" || key.substr(0, 2) == "b_") key.remove_prefix(2);
    x[a] = key == "pressure"         ? P
           : key == "dry_bulb"       ? stream.dryBulb
           : key == "humidity_ratio" ? stream.humidityRatio
                                     : v.p[parameter++];
  }
  return function->run(x.data(), over);
}

bool IsFlow(std::string_view key) { return key == "flow" || key == "a_flow" || key == "b_flow"; }

// kg/s of dry air in `value` of a flow unit: a mass flow as it is, a volume at
// standard air or at the state (t, W) where it is given.
double DryAirMassFlow(const Unit& unit, double value, const State& at, double P, bool standardAir) {
  const double library = ToLibrary(unit, value);
  if (unit.quantity != Quantity::VolumeFlow) return library;
  if (standardAir) return library * StandardAirDensity(unit);
  return DryAirFlow(at.dryBulb, at.humidityRatio, library, P);
}

// "kg/s, kg/h, lb/h, m3/s, m3/h, L/s or cfm".
std::string FlowUnitsInWords() {
  std::vector<std::string_view> keys;
  for (const Unit& unit : Units) {
    if (unit.quantity == Quantity::MassFlow || unit.quantity == Quantity::VolumeFlow) {
      keys.push_back(unit.key);
    }
  }
  std::string text;
  for (std::size_t i = 0; i < keys.size(); ++i) {
    text.append(i == 0 ? "" : i + 1 == keys.size() ? " or " : ", ").append(keys[i]);
  }
  return text;
}

std::string Shortest(double value, int digits = 0) {
  char text[tables::kNumberTextSize];
  return {text, tables::FormatNumber(text, value, digits)};
}

// Why a flow given on a row that continues a chain is refused: given in unit,
// it is `flow` kg/s of dry air here, not the chain's (both in mass's unit).
std::string ChainFlowRefusal(std::string_view key, double given, const Unit& unit, double flow,
                             double chainFlow, const Unit& mass) {
  std::string text(key);
  text.append(" ").append(Shortest(given)).append(" ").append(unit.key).append(" is");
  if (unit.quantity == Quantity::VolumeFlow) {
    text.append(" ").append(Shortest(FromLibrary(mass, flow), 6)).append(" ").append(mass.key);
    text.append(" of dry air here,");
  }
  text.append(" not the ").append(Shortest(FromLibrary(mass, chainFlow), 6)).append(" ");
  return text.append(mass.key).append(" that the row above leaves (an empty cell carries it on)");
}

// The unit a column is written or read in by default: a flow's, a load's, or
// the system's.
std::string_view Fallback(std::string_view key, const ProcessUnits& units) {
  if (IsFlow(key)) return units.flow->key;
  if (key == "heat_rate") return units.load->key;
  return SystemUnit(key, units.Ip());
}

// The unit of the column `key` at `column` of the header: --unit's, the
// header's, else the fallback; "" or why not.
std::string UnitOfColumn(const Layout& layout, const ProcessUnits& units, std::string_view key,
                         std::size_t column, const Unit*& unit) {
  return ColumnUnitOf(units.columns, key, layout.names[column], unit, Fallback(key, units));
}

// Why a coil's apparatus dew point is refused: it is not below the entering
// air's dew point, both in the units of the output.
std::string ApparatusDewPointRefusal(double given, const State& entering,
                                     const ProcessUnits& units) {
  const Unit& unit = *FindUnit(Quantity::Temperature, units.Ip() ? "degF" : "degC");
  const std::string key(unit.key);
  return "apparatus dew point " + Shortest(FromLibrary(unit, given), 6) + " " + key +
         " is not below the entering dew point " +
         Shortest(FromLibrary(unit, entering.dewPoint), 4) + " " + key;
}

}  // namespace

const ProcessKind* KindOf(Process process) noexcept {
  for (const ProcessKind& kind : kProcesses) {
    if (kind.process == process) return &kind;
  }
  return nullptr;
}

std::optional<Process> ProcessOfWord(std::string_view word) noexcept {
  for (const ProcessKind& kind : kProcesses) {
    if (kind.word == word) return kind.process;
  }
  return std::nullopt;
}

std::string ProcessWords() {
  std::string words;
  for (const ProcessKind& kind : kProcesses) {
    const bool last = &kind == &kProcesses.back();
    words.append(words.empty() ? "" : last ? " or " : ", ").append(kind.word);
  }
  return words;
}

const Unit& ProcessUnits::MassFlow() const {
  if (flow != nullptr && flow->quantity == Quantity::MassFlow) return *flow;
  return *FindUnit(Quantity::MassFlow, Ip() ? "lb/h" : "kg/s");
}

std::string ReadProcessUnits(const std::string& flow, const std::string& basis,
                             const std::string& load, const TableUnits& columns,
                             ProcessUnits& units) {
  units.columns = columns;
  const QuantityUnits& massFlow = UnitsOf(Quantity::MassFlow);
  units.flow = FindUnit(Quantity::MassFlow, columns.ip ? massFlow.ip : massFlow.library);
  if (!flow.empty()) {
    units.flow = FindUnit(Quantity::MassFlow, flow);
    if (units.flow == nullptr) units.flow = FindUnit(Quantity::VolumeFlow, flow);
    if (units.flow == nullptr) return "--flow-unit: '" + flow + "' is not " + FlowUnitsInWords();
  }
  if (basis != "" && basis != "actual" && basis != "standard") {
    return "--flow-basis: '" + basis + "' is not actual or standard";
  }
  units.standardAir = basis == "standard";
  if (units.standardAir && units.flow->quantity != Quantity::VolumeFlow) {
    return "--flow-basis standard: with a volume flow unit (" +
           UnitKeysInWords(Quantity::VolumeFlow) + ")";
  }
  const QuantityUnits& power = UnitsOf(Quantity::Power);
  units.load = FindUnit(Quantity::Power, load.empty() ? (columns.ip ? power.ip : power.library)
                                                      : std::string_view(load));
  if (units.load == nullptr) {
    return "--load-unit: '" + load + "' is not " + UnitKeysInWords(Quantity::Power);
  }
  return "";
}

std::size_t ColumnOf(const Layout& layout, std::string_view key) noexcept {
  for (std::size_t i = 0; i < layout.keys.size(); ++i) {
    if (tables::NameWithoutUnit(layout.keys[i]) == key) return i;
  }
  return kNoColumn;
}

std::string ParametersInWords(const ProcessKind& kind) {
  const auto joined = [](std::span<const std::string_view> names, std::string_view word) {
    std::string text;
    const std::vector<std::string_view> named = Named(names);
    for (std::size_t i = 0; i < named.size(); ++i) {
      text += std::string(i == 0                  ? ""
                          : i + 1 == named.size() ? word
                                                  : ", ") +
              std::string(named[i]);
    }
    return text;
  };
  std::string text;
  for (const auto& form : kind.forms) {
    if (!Named(form).empty()) text += (text.empty() ? "" : ", or ") + joined(form, " and ");
  }
  if (!Named(kind.with).empty()) text += ", with " + joined(kind.with, " and ");
  if (!kind.optional.empty()) text += " (" + std::string(kind.optional) + " optional)";
  return text;
}

FirstStreamKeys::FirstStreamKeys() {
  for (const std::string_view key : kSecondKeys) {
    names_.push_back(std::string(kMixPrefix) + std::string(key));
  }
  // The views are taken once names_ no longer grows.
  for (const std::string& name : names_) secondKeys_.emplace_back(name);
}

void FirstStreamKeys::Adapt(tables::ReadOptions& read) const {
  // Stream a by a pair with the dry-bulb, as its prefixed columns name it.
  read.morePairs = {};
  read.otherKeys = {};
  read.dryBulbColumn = std::string(kMixPrefix) + "dry_bulb";
  read.secondKeys = secondKeys_;
  read.words.columnOptions = {};
}

std::string PlanProcess(const ProcessKind& kind, const Layout& layout,
                        const tables::ReadOptions& read, const ProcessUnits& units,
                        ProcessPlan& plan, bool firstFromCells) {
  plan = ProcessPlan{};
  plan.kind = &kind;
  plan.firstFromCells = firstFromCells && kind.process == Process::Mix;
  // The first form whose columns are all there; else the one with the most
  // of them, for the message.
  std::size_t best = 0;
  std::size_t bestCount = 0;
  bool complete = false;
  for (std::size_t f = 0; f < kind.forms.size() && !complete; ++f) {
    const std::vector<std::string_view> names = Named(kind.forms[f]);
    if (names.empty()) continue;
    const auto count = static_cast<std::size_t>(
        std::count_if(names.begin(), names.end(),
                      [&](std::string_view key) { return ColumnOf(layout, key) != kNoColumn; }));
    complete = count == names.size();
    if (complete || count > bestCount) {
      best = f;
      bestCount = count;
    }
  }
  if (!complete && bestCount == 0) {
    std::string text;
    for (const auto& form : kind.forms) {
      const std::vector<std::string_view> names = Named(form);
      if (names.empty()) continue;
      text += text.empty() ? "" : " or ";
      for (std::size_t i = 0; i < names.size(); ++i) {
        text += (i > 0 ? " and " : "") + std::string(names[i]);
      }
    }
    return "no " + text + (Named(kind.forms[0]).size() > 1 ? " columns" : " column");
  }
  plan.form = best;
  for (const std::vector<std::string_view>& names : {Named(kind.forms[best]), Named(kind.with)}) {
    for (const std::string_view key : names) {
      if (!Take(layout, key, plan)) return "no " + std::string(key) + " column";
    }
  }
  if (!kind.optional.empty()) Take(layout, kind.optional, plan);
  if (kind.process == Process::Mix) {
    if (std::string problem = PlanStream(kSecondStreamPrefix, layout, read, plan, plan.secondPair);
        !problem.empty()) {
      return problem;
    }
    if (plan.firstFromCells) {
      if (std::string problem = PlanStream(kMixPrefix, layout, read, plan, plan.firstPair);
          !problem.empty()) {
        return problem;
      }
    }
  }
  plan.units.assign(plan.columns.size(), nullptr);
  for (std::size_t i = 0; i < plan.columns.size(); ++i) {
    if (plan.columns[i] == kNoColumn) continue;
    if (std::string problem =
            UnitOfColumn(layout, units, plan.keys[i], plan.columns[i], plan.units[i]);
        !problem.empty()) {
      return problem;
    }
  }
  // The reader's pair: the entering state, or mix's stream a by its a_ names.
  const std::array<std::size_t, 2> pair = {layout.first, layout.second};
  const std::array<std::string_view, 2> keys = {layout.firstKey, layout.secondKey};
  for (std::size_t i = 0; i < pair.size(); ++i) {
    if (pair[i] == kNoColumn) continue;
    std::string key(keys[i]);
    if (kind.process == Process::Mix && !plan.firstFromCells && key.rfind(kMixPrefix, 0) != 0) {
      key.insert(0, kMixPrefix);
    }
    if (std::string problem = UnitOfColumn(layout, units, key, pair[i], plan.entering[i]);
        !problem.empty()) {
      return problem;
    }
  }
  return "";
}

ProcessRun RunProcess(const ProcessPlan& plan, const ProcessUnits& units, const Layout& layout,
                      const tables::CsvRecord& record, const tables::Measured& measured,
                      double pressure, const tables::ReadOptions& read, Phase over,
                      const ChainLink* chain) {
  ProcessRun run;
  RowValues v;
  const Options options{.model = Model::Handbook, .over = over};
  // A flow that a row continuing a chain leaves out: the chain's.
  std::array<bool, 6> chainFlow{};
  const std::size_t count = std::min(plan.columns.size(), v.p.size());
  for (std::size_t i = 0; i < count; ++i) {
    const std::size_t column = plan.columns[i];
    double value = 1.0;
    if (column != kNoColumn && !ReadCell(record, column, plan.keys[i], read, value, run.bad)) {
      if (chain == nullptr || !IsFlow(plan.keys[i]) || run.bad.bad != BadInput::Missing) {
        run.stage = ProcessStage::BadCell;
        return run;
      }
      run.bad = {};
      chainFlow[i] = true;
    }
    chainFlow[i] = chainFlow[i] || (column == kNoColumn && chain != nullptr);
    v.p[i] = column == kNoColumn || IsFlow(plan.keys[i]) ? value : ToLibrary(*plan.units[i], value);
  }
  const bool mix = plan.kind->process == Process::Mix;
  if (chain != nullptr) {
    v.entering = chain->leaving;
  } else if (mix && plan.firstFromCells) {
    v.entering = Compute(plan.firstPair, v.p[4], v.p[5], pressure, options);
  } else {
    v.entering = Compute(layout.pair, ToLibrary(*plan.entering[0], measured.first),
                         ToLibrary(*plan.entering[1], measured.second), pressure, options);
  }
  if (mix) {
    // a_flow, b_flow, b_dry_bulb, b's second value.
    v.second = Compute(plan.secondPair, v.p[2], v.p[3], pressure, options);
  }
  run.entering = v.entering;
  run.second = v.second;
  for (const Result* state : {&v.entering, &v.second}) {
    if (state->status != Status::Ok && !RulesOf(OutcomeOf(*state).kind).computed) {
      run.stage = ProcessStage::Entering;
      return run;
    }
  }
  // Each flow in kg/s of dry air, a volume at its own stream's state.
  for (std::size_t i = 0; i < count; ++i) {
    if (!IsFlow(plan.keys[i])) continue;
    if (chainFlow[i]) {
      v.p[i] = chain->flow;
      continue;
    }
    if (plan.columns[i] == kNoColumn) continue;  // the optional flow: 1 kg/s
    const Unit& unit = *plan.units[i];
    const double given = v.p[i];
    const State& at = plan.keys[i] == "b_flow" ? v.second.state : v.entering.state;
    v.p[i] = DryAirMassFlow(unit, given, at, pressure, units.standardAir);
    if (chain != nullptr && !(std::fabs(v.p[i] - chain->flow) <= 1e-9 * std::fabs(chain->flow))) {
      run.stage = ProcessStage::Refused;
      run.refusal =
          ChainFlowRefusal(plan.keys[i], given, unit, v.p[i], chain->flow, units.MassFlow());
      return run;
    }
  }
  run.result = Run(plan, v, pressure, over);
  run.parameters = v.p;
  if (plan.kind->process != Process::Coil) return run;
  if (plan.form == 0) {
    if (run.result.status == Status::NoState) {
      run.refusal = ApparatusDewPointRefusal(v.p[0], v.entering.state, units);
    }
    run.apparatusDewPoint = v.p[0];
    run.bypassFactor = v.p[1];
  } else if (RulesOf(OutcomeOfCode(static_cast<int>(run.result.status)).kind).computed) {
    const State& in = v.entering.state;
    const State& out = run.result.leaving;
    const CoilCondition c = CoilConditionOf(in.dryBulb, in.humidityRatio, out.dryBulb,
                                            out.humidityRatio, pressure, over);
    if (c.status == Status::Ok) {
      run.apparatusDewPoint = c.apparatusDewPoint;
      run.bypassFactor = c.bypassFactor;
    }
  }
  return run;
}

bool Writes(const ProcessKind& kind, std::size_t i) noexcept {
  const std::string_view key = kProcessValueKeys[i];
  if (key == "water_added" || key == "condensate") return key == kind.water;
  if (key == "apparatus_dew_point" || key == "bypass_factor") return kind.process == Process::Coil;
  return true;
}

const Unit* ValueUnit(std::size_t i, const ProcessUnits& units) noexcept {
  const std::string_view key = kProcessValueKeys[i];
  if (key == "sensible_heat_ratio" || key == "bypass_factor") return nullptr;
  if (key == "apparatus_dew_point") {
    return FindUnit(Quantity::Temperature, units.Ip() ? "degF" : "degC");
  }
  if (key == "leaving_flow" || key == "water_added" || key == "condensate") {
    return &units.MassFlow();
  }
  return units.load;
}

ProcessValues ValuesOf(const ProcessPlan& plan, const ProcessRun& run, const ProcessUnits& units) {
  const ProcessKind& kind = *plan.kind;
  const ProcessResult& r = run.result;
  const std::array<double, kProcessValueKeys.size()> library = {
      r.flow,
      r.sensibleLoad,
      r.latentLoad,
      r.totalLoad + r.water * r.waterEnthalpy,
      r.totalLoad,
      r.sensibleHeatRatio,
      r.water,
      -r.water,
      run.apparatusDewPoint,
      run.bypassFactor};
  ProcessValues values{};
  for (std::size_t i = 0; i < values.size(); ++i) {
    const Unit* unit = ValueUnit(i, units);
    values[i] = !Writes(kind, i)  ? std::nan("")
                : unit == nullptr ? library[i]
                                  : FromLibrary(*unit, library[i]);
  }
  return values;
}

}  // namespace hygrian::cli

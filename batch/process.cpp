#include "batch/process.h"

#include <algorithm>
#include <cmath>

#include "cli/compute.h"
#include "hygrian/processes.h"
#include "tables/numbers.h"

namespace hygrian::batch {
namespace {

using tables::BadInput;
using tables::kNoColumn;
using tables::Layout;

constexpr std::string_view kMixPrefix = "a_";
constexpr std::string_view kSecondStreamPrefix = "b_";

std::size_t ColumnOf(const Layout& layout, std::string_view key) {
  const auto found = std::find(layout.keys.begin(), layout.keys.end(), key);
  return found == layout.keys.end() ? kNoColumn
                                    : static_cast<std::size_t>(found - layout.keys.begin());
}

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

// mix: stream b's dry-bulb and second value, as the reader finds stream a's.
std::string PlanSecondStream(const Layout& layout, const tables::ReadOptions& read,
                             ProcessPlan& plan) {
  const std::string dryBulb = std::string(kSecondStreamPrefix) + "dry_bulb";
  if (!Take(layout, dryBulb, plan)) return "no " + dryBulb + " column";
  std::string found;
  std::size_t count = 0;
  for (std::size_t p = 0; p < cli::kSecondKeys.size(); ++p) {
    const std::string key = std::string(kSecondStreamPrefix) + std::string(cli::kSecondKeys[p]);
    if (ColumnOf(layout, key) == kNoColumn || (read.pair && *read.pair != p)) continue;
    found += (count++ > 0 ? ", " : "") + key;
    plan.secondPair = p;
  }
  if (count == 0) {
    return "no " + std::string(kSecondStreamPrefix) + "+" +
           (read.pair ? std::string(cli::kSecondKeys[*read.pair]) : "second value") + " column";
  }
  if (count > 1) {
    return "several second values for b (" + found + "): choose one with " +
           std::string(read.words.pair);
  }
  Take(layout, std::string(kSecondStreamPrefix) + std::string(cli::kSecondKeys[plan.secondPair]),
       plan);
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

ProcessOutcome StatusOnly(const hygrian::Outcome& kind) {
  ProcessOutcome outcome;
  outcome.kind = &kind;
  if (RulesOf(kind.kind).keyWithText) outcome.text = kind.text;
  return outcome;
}

// The row's outcome for a cell that is bad or a gap.
ProcessOutcome BadCell(const Layout& layout, const tables::Measured& bad, std::uint64_t line,
                       tables::ReasonBuffer& reason) {
  if (bad.bad == BadInput::Missing) {
    return StatusOnly(OutcomeOfCode(static_cast<int>(Status::Missing)));
  }
  ProcessOutcome outcome = StatusOnly(OutcomeOfCode(BadInputCode));
  outcome.text = tables::BadInputText(layout, bad, reason);
  outcome.bad = bad;
  outcome.line = line;
  return outcome;
}

// The process's result as the row writes it; the water is condensate for a
// coil (leaving, positive), else the water added.
ProcessOutcome Written(const ProcessKind& kind, const ProcessResult& result) {
  ProcessOutcome outcome = StatusOnly(OutcomeOfCode(static_cast<int>(result.status)));
  // A refused entering state leaves no state, whatever its status's class.
  if (!RulesOf(outcome.kind->kind).computed || !(result.leaving.specificVolume > 0.0)) {
    return outcome;
  }
  for (std::size_t i = 0; i < Properties.size(); ++i) {
    outcome.values[i] = result.leaving.*Properties[i].member;
  }
  const double water = kind.process == Process::Coil ? -result.water : result.water;
  const std::array<double, 5> rest = {result.sensibleLoad, result.latentLoad, result.totalLoad,
                                      result.sensibleHeatRatio, water};
  std::copy(rest.begin(), rest.end(), outcome.values.begin() + Properties.size());
  for (std::size_t i = 0; i < kProcessValues; ++i) {
    if (std::isfinite(outcome.values[i])) outcome.present |= 1U << i;
  }
  return outcome;
}

// The entering states, flows in kg/s and parameters of one row, in the
// plan's order.
struct RowValues {
  Result entering;
  Result second;  // mix: stream b
  std::array<double, 5> p{};
};

// The process of the plan's form; flows in kg/s, but mix's in m3/s with volume.
ProcessResult Run(const ProcessPlan& plan, const RowValues& v, bool volume, double P, Phase over) {
  const double t = v.entering.state.dryBulb;
  const double W = v.entering.state.humidityRatio;
  const std::array<double, 5>& p = v.p;
  const bool first = plan.form == 0;
  switch (plan.kind->process) {
    case Process::Mix: {
      const Stream a{t, W, p[0]};
      const Stream b{v.second.state.dryBulb, v.second.state.humidityRatio, p[1]};
      return volume ? MixVolumes(a, b, P, over) : Mix(a, b, P, over);
    }
    case Process::Heat:
      return first ? HeatTo(t, W, p[0], p[1], P, over) : HeatBy(t, W, p[0], p[1], P, over);
    case Process::Coil:
      return first ? CoolAndDehumidify(t, W, p[0], p[1], p[2], P, over)
                   : CoolAndDehumidifyTo(t, W, p[0], p[1], p[2], P, over);
    case Process::Evaporative:
      return CoolEvaporatively(t, W, p[0], p[1], P, over);
    case Process::Steam:
      return first ? HumidifyWithSteamToRelativeHumidity(t, W, p[0], p[1], p[2], P, over)
                   : HumidifyWithSteam(t, W, p[0], p[1], p[2], P, over);
    case Process::Adiabatic:
      return first ? HumidifyWithWaterToRelativeHumidity(t, W, p[0], p[1], p[2], P, over)
                   : HumidifyWithWater(t, W, p[0], p[1], p[2], P, over);
    case Process::None:
      break;
  }
  ProcessResult refused;
  refused.status = Status::InvalidInput;
  return refused;
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

ProcessColumns::ProcessColumns(const ProcessKind& kind) : kind_(kind) {
  for (const Property& property : Properties) {
    names_.push_back("leaving_" + std::string(property.key));
  }
  for (const std::string_view key :
       {std::string_view("sensible_load"), std::string_view("latent_load"),
        std::string_view("total_load"), std::string_view("sensible_heat_ratio"), kind.water,
        std::string_view("status")}) {
    names_.emplace_back(key);
  }
  const std::size_t results = names_.size();
  if (kind.process == Process::Mix) {
    for (const std::string_view key : cli::kSecondKeys) {
      names_.push_back(std::string(kMixPrefix) + std::string(key));
    }
  }
  // The views are taken once names_ no longer grows.
  for (std::size_t i = 0; i < names_.size(); ++i) {
    (i < results ? results_ : secondKeys_).emplace_back(names_[i]);
  }
}

void ProcessColumns::Adapt(tables::ReadOptions& read) const {
  if (kind_.process != Process::Mix) return;
  // The streams by a pair with the dry-bulb, as their prefixed columns name it.
  read.morePairs = {};
  read.otherKeys = {};
  read.dryBulbColumn = std::string(kMixPrefix) + "dry_bulb";
  read.secondKeys = secondKeys_;
  read.words.columnOptions = {};
}

std::string PlanProcess(const ProcessKind& kind, const Layout& layout,
                        const ProcessColumns& columns, const tables::ReadOptions& read,
                        ProcessPlan& plan) {
  plan = ProcessPlan{};
  plan.kind = &kind;
  const std::string process = "--process " + std::string(kind.word) + ": ";
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
    return process + "no " + text + (Named(kind.forms[0]).size() > 1 ? " columns" : " column");
  }
  plan.form = best;
  for (const std::vector<std::string_view>& names : {Named(kind.forms[best]), Named(kind.with)}) {
    for (const std::string_view key : names) {
      if (!Take(layout, key, plan)) return process + "no " + std::string(key) + " column";
    }
  }
  if (!kind.optional.empty()) Take(layout, kind.optional, plan);
  if (kind.process == Process::Mix) {
    if (const std::string problem = PlanSecondStream(layout, read, plan); !problem.empty()) {
      return process + problem;
    }
  }
  const auto results = columns.Results();
  for (std::size_t i = 0; i < layout.keys.size(); ++i) {
    if (std::find(results.begin(), results.end(), layout.keys[i]) == results.end()) {
      plan.carried.push_back(i);
    }
  }
  return "";
}

ProcessOutcome ProcessRow(const ProcessPlan& plan, const ProcessOptions& process,
                          const Layout& layout, const tables::TableReader::Row& row,
                          const tables::ReadOptions& read, Phase over,
                          tables::ReasonBuffer& reason) {
  const tables::Measured& measured = row.measured;
  if (measured.bad != BadInput::None) {
    const std::uint64_t line =
        measured.bad == BadInput::UnclosedQuote ? measured.quoteLine : row.record.line;
    return BadCell(layout, measured, line, reason);
  }
  RowValues v;
  const Options options{.model = Model::Handbook, .over = over};
  std::size_t p = 0;
  for (std::size_t i = 0; i < plan.columns.size(); ++i) {
    tables::Measured bad;
    const std::size_t column = plan.columns[i];
    double value = 1.0;
    if (column != kNoColumn && !ReadCell(row.record, column, plan.keys[i], read, value, bad)) {
      return BadCell(layout, bad, row.record.line, reason);
    }
    if (p < v.p.size()) v.p[p++] = value;
  }
  v.entering =
      cli::Compute(layout.pair, measured.first, measured.second, measured.pressure, options);
  if (plan.kind->process == Process::Mix) {
    // a_flow, b_flow, b_dry_bulb, b's second value.
    v.second = cli::Compute(plan.secondPair, v.p[2], v.p[3], measured.pressure, options);
  }
  for (const Result* entering : {&v.entering, &v.second}) {
    if (entering->status != Status::Ok && !RulesOf(OutcomeOf(*entering).kind).computed) {
      return StatusOnly(OutcomeOf(*entering));
    }
  }
  const bool volume = process.flowUnit == FlowUnit::Volume;
  if (volume && plan.kind->process != Process::Mix) {
    // The flow at the entering state; mix converts each stream's at its own.
    for (std::size_t i = 0; i < plan.keys.size() && i < v.p.size(); ++i) {
      if (plan.keys[i] != "flow" || plan.columns[i] == kNoColumn) continue;
      v.p[i] = DryAirFlow(v.entering.state.dryBulb, v.entering.state.humidityRatio, v.p[i],
                          measured.pressure);
    }
  }
  return Written(*plan.kind, Run(plan, v, volume, measured.pressure, over));
}

}  // namespace hygrian::batch

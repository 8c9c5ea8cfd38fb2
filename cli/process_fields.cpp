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
           (read.pair ? std::string(kSecondKeys[*read.pair]) : "second value") + " column";
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

// The entering states, flows in kg/s and parameters of one row, in the
// plan's order.
struct RowValues {
  Result entering;
  Result second;  // mix: stream b
  std::array<double, 6> p{};
};

// The process of the plan's form; flows in kg/s, but mix's in m3/s with volume.
ProcessResult Run(const ProcessPlan& plan, const RowValues& v, bool volume, double P, Phase over) {
  const double t = v.entering.state.dryBulb;
  const double W = v.entering.state.humidityRatio;
  const std::array<double, 6>& p = v.p;
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

FirstStreamKeys::FirstStreamKeys() {
  for (const std::string_view key : kSecondKeys) {
    names_.push_back(std::string(kMixPrefix) + std::string(key));
  }
  // The views are taken once names_ no longer grows.
  for (const std::string& name : names_) secondKeys_.emplace_back(name);
}

void FirstStreamKeys::Adapt(tables::ReadOptions& read) const {
  read.dryBulbColumn = std::string(kMixPrefix) + "dry_bulb";
  read.secondKeys = secondKeys_;
  read.words.columnOptions = {};
}

std::string PlanProcess(const ProcessKind& kind, const Layout& layout,
                        const tables::ReadOptions& read, ProcessPlan& plan, bool firstFromCells) {
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
      return PlanStream(kMixPrefix, layout, read, plan, plan.firstPair);
    }
  }
  return "";
}

ProcessRun RunProcess(const ProcessPlan& plan, FlowUnit flowUnit, const Layout& layout,
                      const tables::CsvRecord& record, const tables::Measured& measured,
                      double pressure, const tables::ReadOptions& read, Phase over,
                      const Result* entering) {
  ProcessRun run;
  RowValues v;
  const Options options{.model = Model::Handbook, .over = over};
  std::size_t p = 0;
  for (std::size_t i = 0; i < plan.columns.size(); ++i) {
    const std::size_t column = plan.columns[i];
    double value = 1.0;
    if (column != kNoColumn && !ReadCell(record, column, plan.keys[i], read, value, run.bad)) {
      run.stage = ProcessStage::BadCell;
      return run;
    }
    if (p < v.p.size()) v.p[p++] = value;
  }
  const bool mix = plan.kind->process == Process::Mix;
  v.entering = entering != nullptr ? *entering
               : mix && plan.firstFromCells
                   ? Compute(plan.firstPair, v.p[4], v.p[5], pressure, options)
                   : Compute(layout.pair, measured.dryBulb, measured.second, pressure, options);
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
  const bool volume = flowUnit == FlowUnit::Volume;
  if (volume && !mix) {
    // The flow at the entering state; mix converts each stream's at its own.
    for (std::size_t i = 0; i < plan.keys.size() && i < v.p.size(); ++i) {
      if (plan.keys[i] != "flow" || plan.columns[i] == kNoColumn) continue;
      v.p[i] =
          DryAirFlow(v.entering.state.dryBulb, v.entering.state.humidityRatio, v.p[i], pressure);
    }
  }
  run.result = Run(plan, v, volume, pressure, over);
  run.parameters = v.p;
  return run;
}

}  // namespace hygrian::cli

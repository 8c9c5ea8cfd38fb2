#include "batch/process.h"

#include <algorithm>
#include <cmath>

namespace hygrian::batch {
namespace {

using tables::BadInput;
using tables::Layout;

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

}  // namespace

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
  // The views are taken once names_ no longer grows.
  for (const std::string& name : names_) results_.emplace_back(name);
}

void ProcessColumns::Adapt(tables::ReadOptions& read) const {
  if (kind_.process == Process::Mix) firstStream_.Adapt(read);
}

std::string PlanProcess(const ProcessKind& kind, const Layout& layout,
                        const ProcessColumns& columns, const tables::ReadOptions& read,
                        ProcessPlan& plan) {
  plan.carried.clear();
  if (std::string problem = cli::PlanProcess(kind, layout, read, plan); !problem.empty()) {
    return "--process " + std::string(kind.word) + ": " + problem;
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
  const cli::ProcessRun run = cli::RunProcess(plan, process.flowUnit, layout, row.record, measured,
                                              measured.pressure, read, over);
  switch (run.stage) {
    case cli::ProcessStage::BadCell:
      return BadCell(layout, run.bad, row.record.line, reason);
    case cli::ProcessStage::Entering:
      return StatusOnly(OutcomeOf(run.entering.status != Status::Ok &&
                                          !RulesOf(OutcomeOf(run.entering).kind).computed
                                      ? run.entering
                                      : run.second));
    case cli::ProcessStage::Ran:
      break;
  }
  return Written(*plan.kind, run.result);
}

}  // namespace hygrian::batch

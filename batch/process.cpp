#include "batch/process.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "cli/units.h"

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

// text in reason's buffer (cut to fit), as a view of it.
std::string_view Kept(std::string_view text, tables::ReasonBuffer& reason) {
  const std::size_t size = std::min(text.size(), reason.size());
  if (size > 0) std::memcpy(reason.data(), text.data(), size);
  return {reason.data(), size};
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

// The row's outcome for a reason of the processes' (a process the header
// cannot read, a flow that breaks the chain): bad input, with a message.
ProcessOutcome BadRow(std::string_view why, std::uint64_t line, tables::ReasonBuffer& reason) {
  ProcessOutcome outcome = StatusOnly(OutcomeOfCode(BadInputCode));
  outcome.text = Kept(why, reason);
  outcome.bad.bad = BadInput::NotANumber;  // any but None: a message goes with it
  outcome.line = line;
  outcome.other = true;
  return outcome;
}

// The process's result as the row writes it, in the output units.
ProcessOutcome Written(const cli::ChainRow& row, const cli::ProcessUnits& units,
                       tables::ReasonBuffer& reason) {
  const ProcessResult& result = row.run.result;
  ProcessOutcome outcome = StatusOnly(OutcomeOfCode(static_cast<int>(result.status)));
  // A refused entering state leaves no state, whatever its status's class.
  if (!RulesOf(outcome.kind->kind).computed || !(result.leaving.specificVolume > 0.0)) {
    if (!row.run.refusal.empty()) outcome.text = Kept(row.run.refusal, reason);
    return outcome;
  }
  const std::array<const Unit*, Properties.size()> stateUnits = cli::OutputUnits(units.Ip());
  for (std::size_t i = 0; i < Properties.size(); ++i) {
    outcome.values[i] = FromLibrary(*stateUnits[i], result.leaving.*Properties[i].member);
  }
  const cli::ProcessValues values = cli::ValuesOf(*row.plan, row.run, units);
  std::copy(values.begin(), values.end(), outcome.values.begin() + Properties.size());
  for (std::size_t i = 0; i < kProcessValues; ++i) {
    if (std::isfinite(outcome.values[i])) outcome.present |= 1U << i;
  }
  return outcome;
}

}  // namespace

ProcessColumns::ProcessColumns(std::optional<Process> process) : process_(process) {
  for (std::size_t i = 0; i < DefaultPropertyCount; ++i) {
    names_.push_back("leaving_" + std::string(Properties[i].key));
    values_.push_back(i);
  }
  for (std::size_t i = 0; i < cli::kProcessValueKeys.size(); ++i) {
    const bool written =
        std::any_of(kProcesses.begin(), kProcesses.end(), [&](const ProcessKind& kind) {
          return (!process || kind.process == *process) && cli::Writes(kind, i);
        });
    if (!written) continue;
    names_.emplace_back(cli::kProcessValueKeys[i]);
    values_.push_back(Properties.size() + i);
  }
  names_.emplace_back("status");
  // The views are taken once names_ no longer grows.
  for (const std::string& name : names_) results_.emplace_back(name);
}

void ProcessColumns::Adapt(tables::ReadOptions& read) const {
  read.namesWithUnits = true;
  if (process_ == Process::Mix) firstStream_.Adapt(read);
}

std::vector<std::size_t> CarriedColumns(const Layout& layout, const ProcessColumns& columns) {
  std::vector<std::size_t> carried;
  const auto results = columns.Results();
  for (std::size_t i = 0; i < layout.keys.size(); ++i) {
    if (std::find(results.begin(), results.end(), tables::NameWithoutUnit(layout.keys[i])) ==
        results.end()) {
      carried.push_back(i);
    }
  }
  return carried;
}

ProcessOutcome ProcessRow(cli::ProcessChain& chain, const cli::ProcessUnits& units,
                          const Layout& layout, const tables::TableReader::Row& row,
                          tables::ReasonBuffer& reason) {
  const tables::Measured& measured = row.measured;
  const std::uint64_t line = row.record.line;
  const cli::ChainRow next = chain.Next(row.record, measured, measured.pressure);
  switch (next.stage) {
    case cli::ChainStage::BadRecord:
    case cli::ChainStage::BadEntering:
      return BadCell(layout, measured,
                     measured.bad == BadInput::UnclosedQuote ? measured.quoteLine : line, reason);
    case cli::ChainStage::UnknownProcess:
    case cli::ChainStage::NoPlan:
      return BadRow(next.problem, line, reason);
    case cli::ChainStage::Process:
      break;
  }
  const cli::ProcessRun& run = next.run;
  switch (run.stage) {
    case cli::ProcessStage::BadCell:
      return BadCell(layout, run.bad, line, reason);
    case cli::ProcessStage::Entering:
      return StatusOnly(OutcomeOf(run.entering.status != Status::Ok &&
                                          !RulesOf(OutcomeOf(run.entering).kind).computed
                                      ? run.entering
                                      : run.second));
    case cli::ProcessStage::Refused:
      return BadRow(run.refusal, line, reason);
    case cli::ProcessStage::Ran:
      break;
  }
  return Written(next, units, reason);
}

}  // namespace hygrian::batch

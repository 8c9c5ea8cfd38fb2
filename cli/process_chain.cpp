#include "cli/process_chain.h"

#include <algorithm>
#include <utility>

#include "hygrian/outcomes.h"

namespace hygrian::cli {
namespace {

constexpr std::string_view kProcessColumn = "process";

// A process's word as a cell holds it: blanks around it dropped, any case.
std::string WordInCell(std::string_view cell) {
  while (!cell.empty() && (cell.front() == ' ' || cell.front() == '\t')) cell.remove_prefix(1);
  while (!cell.empty() && (cell.back() == ' ' || cell.back() == '\t')) cell.remove_suffix(1);
  std::string word(cell);
  std::transform(word.begin(), word.end(), word.begin(), [](char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
  });
  return word;
}

// A row's measured values fail as a record (a quote left open, a field too long,
// the field count), whatever the process reads.
bool RecordFails(tables::BadInput bad) {
  return bad == tables::BadInput::UnclosedQuote || bad == tables::BadInput::FieldTooLong ||
         bad == tables::BadInput::FieldCount;
}

}  // namespace

ProcessChain::ProcessChain(const tables::Layout& layout, const tables::ReadOptions& read,
                           const ProcessUnits& units, std::optional<Process> every, Phase over)
    : layout_(layout),
      read_(read),
      units_(units),
      every_(every),
      over_(over),
      processColumn_(ColumnOf(layout, kProcessColumn)) {}

const ProcessPlan* ProcessChain::PlanOf(const ProcessKind& kind, std::string& problem) {
  const auto i = static_cast<std::size_t>(&kind - kProcesses.data());
  if (!made_[i]) {
    // Mixing alone reads stream a as the reader's pair; among other processes
    // from its a_ cells.
    const bool firstFromCells = every_ != Process::Mix;
    problems_[i] = PlanProcess(kind, layout_, read_, units_, plans_[i], firstFromCells);
    made_[i] = true;
  }
  problem = problems_[i].empty() ? "" : std::string(kind.word) + ": " + problems_[i];
  return problem.empty() ? &plans_[i] : nullptr;
}

std::string ProcessChain::HeaderProblem(std::string_view kindOption) {
  if (!every_ && processColumn_ == tables::kNoColumn) {
    return "no process column: name the rows' process with " + std::string(kindOption);
  }
  std::string problem;
  if (every_) (void)PlanOf(*KindOf(*every_), problem);
  return problem;
}

ChainRow ProcessChain::Next(const tables::CsvRecord& record, const tables::Measured& measured,
                            double pressure) {
  ChainRow row;
  const std::optional<ChainLink> above = std::exchange(link_, std::nullopt);
  if (RecordFails(measured.bad)) {
    row.stage = ChainStage::BadRecord;
    return row;
  }
  std::optional<Process> process = every_;
  if (!process) {
    const std::string_view cell = record.fields[processColumn_];
    process = ProcessOfWord(WordInCell(cell));
    if (!process) {
      row.stage = ChainStage::UnknownProcess;
      row.problem.assign(1, '\'').append(cell).append("' is not ").append(ProcessWords());
      return row;
    }
  }
  row.kind = KindOf(*process);
  row.plan = PlanOf(*row.kind, row.problem);
  if (row.plan == nullptr) {
    row.stage = ChainStage::NoPlan;
    return row;
  }
  // Stream a of a mix among other processes is read from its cells.
  const bool ownState = row.kind->process != Process::Mix || every_ == Process::Mix;
  const bool chained = ownState && processColumn_ != tables::kNoColumn && above &&
                       measured.bad == tables::BadInput::Missing && !measured.firstRead &&
                       !measured.secondRead;
  if (ownState && !chained && measured.bad != tables::BadInput::None) {
    row.stage = ChainStage::BadEntering;
    return row;
  }
  row.run = RunProcess(*row.plan, units_, layout_, record, measured, pressure, read_, over_,
                       chained ? &*above : nullptr);
  const ProcessResult& result = row.run.result;
  if (row.run.stage == ProcessStage::Ran &&
      RulesOf(OutcomeOfCode(static_cast<int>(result.status)).kind).computed &&
      result.leaving.specificVolume > 0.0) {
    link_ = ChainLink{Result{result.leaving, result.status, true}, result.flow};
  }
  return row;
}

}  // namespace hygrian::cli

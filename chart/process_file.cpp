#include "chart/process_file.h"

#include <cmath>
#include <string>

#include "cli/process_chain.h"
#include "cli/row_messages.h"
#include "hygrian/outcomes.h"

namespace hygrian::chart {

namespace {

// The columns of the states' short labels, in ComputedProcess::labels' order.
constexpr std::array<std::string_view, 3> kLabelKeys = {"state_label", "b_state_label",
                                                        "leaving_label"};

// The field of a record at a column of layout named key, "" without one.
std::string FieldOf(const tables::Layout& layout, const tables::CsvRecord& record,
                    std::string_view key) {
  for (std::size_t i = 0; i < layout.keys.size() && i < record.fields.size(); ++i) {
    if (layout.keys[i] == key) return std::string(record.fields[i]);
  }
  return "";
}

}  // namespace

ProcessesRead ReadProcesses(tables::ByteSource& source, std::string_view name, const Frame& frame,
                            const tables::ReadOptions& options, const ProcessesFile& file,
                            cli::Messages& messages) {
  ProcessesRead read;
  cli::RowMessages rowMessages(messages, name, options.decimalComma);
  const auto problem = [&](std::uint64_t line, std::string_view reason) {
    rowMessages.Other(line, reason);
    read.leftOut = true;
  };
  // Mixing alone reads stream a as the batch program does, in place of dry_bulb.
  tables::ReadOptions readOptions = options;
  readOptions.namesWithUnits = true;
  const cli::FirstStreamKeys firstStream;
  if (file.kind == cli::Process::Mix) firstStream.Adapt(readOptions);
  tables::TableReader table(source, frame.Pressure(), tables::PressureUnit::KPa,
                            tables::kDefaultBufferBytes, readOptions);
  if (!ReadFileHeader(table, name, "processes", false, messages, read)) return read;
  const tables::Layout& layout = table.ColumnLayout();
  const auto headerProblem = [&](std::string_view text) {
    messages.Line(name, table.HeaderLine(), text);
    read.leftOut = true;
    return read;
  };
  if (layout.pressure != tables::kNoColumn) {
    return headerProblem(
        "a pressure column is not taken: the processes are computed at the chart's pressure "
        "(--pressure)");
  }
  const Phase over = frame.Relations().over;
  cli::ProcessChain chain(layout, readOptions, file.units, file.kind, over);
  if (const std::string why = chain.HeaderProblem("--process-kind"); !why.empty()) {
    return headerProblem(why);
  }
  tables::TableReader::Row row;
  bool anyRow = false;
  while (NextFileRow(table, row, read)) {
    anyRow = true;
    const tables::Measured& m = row.measured;
    const std::uint64_t line = row.record.line;
    tables::ReasonBuffer buffer{};
    const cli::ChainRow next = chain.Next(row.record, m, frame.Pressure());
    switch (next.stage) {
      case cli::ChainStage::BadRecord:
      case cli::ChainStage::BadEntering:
        rowMessages.Bad(m.bad == tables::BadInput::UnclosedQuote ? m.quoteLine : line, m,
                        tables::BadInputText(layout, m, buffer));
        read.leftOut = true;
        continue;
      case cli::ChainStage::UnknownProcess:
      case cli::ChainStage::NoPlan:
        problem(line, next.problem);
        continue;
      case cli::ChainStage::Process:
        break;
    }
    const cli::ProcessRun& run = next.run;
    const std::string word = std::string(next.kind->word) + ": ";
    switch (run.stage) {
      case cli::ProcessStage::BadCell:
        rowMessages.Bad(line, run.bad, tables::BadInputText(layout, run.bad, buffer));
        read.leftOut = true;
        continue;
      case cli::ProcessStage::Entering: {
        const bool first = !RulesOf(OutcomeOf(run.entering).kind).computed;
        problem(line, word + std::string(StatusText((first ? run.entering : run.second).status)));
        continue;
      }
      case cli::ProcessStage::Refused:
        problem(line, word + run.refusal);
        continue;
      case cli::ProcessStage::Ran:
        break;
    }
    const ProcessResult& result = run.result;
    if (!RulesOf(OutcomeOfCode(static_cast<int>(result.status)).kind).computed ||
        !(result.leaving.specificVolume > 0.0)) {
      problem(line,
              word + (run.refusal.empty() ? std::string(StatusText(result.status)) : run.refusal));
      continue;
    }
    ComputedProcess computed{next.kind, line, run.entering.state, run.second.state, result, {},
                             0.0,       {},   {result.flow, 0.0}};
    for (std::size_t i = 0; i < kLabelKeys.size(); ++i) {
      computed.labels[i] = FieldOf(layout, row.record, kLabelKeys[i]);
    }
    for (std::size_t i = 0; i < next.plan->keys.size() && i < run.parameters.size(); ++i) {
      if (next.plan->keys[i] == "a_flow") computed.enteringFlows[0] = run.parameters[i];
      if (next.plan->keys[i] == "b_flow") computed.enteringFlows[1] = run.parameters[i];
    }
    if (!std::isnan(run.apparatusDewPoint)) {
      const Result adp = FromDryBulbRelativeHumidity(run.apparatusDewPoint, 100.0, frame.Pressure(),
                                                     Options{.over = over});
      if (RulesOf(OutcomeOf(adp).kind).computed) computed.apparatusDewPoint = adp.state;
      computed.bypassFactor = run.bypassFactor;
    }
    read.processes.push_back(computed);
  }
  rowMessages.End();
  if (!anyRow && !read.readFailed) {
    messages.Line(name, table.HeaderLine(), "no processes: only the header");
    read.leftOut = true;
  }
  return read;
}

}  // namespace hygrian::chart

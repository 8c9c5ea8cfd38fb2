#include "chart/process_file.h"

#include <algorithm>
#include <array>
#include <string>
#include <utility>

#include "cli/row_messages.h"
#include "hygrian/outcomes.h"
#include "hygrian/pairs.h"

namespace hygrian::chart {
namespace {

constexpr std::string_view kProcessColumn = "process";
// The coil's line is followed past its leaving state in steps of this much of
// the way from entering to leaving, to at most kFarthest times that way (a
// bypass factor of 0.98); then the bracket is halved kHalvings times.
constexpr double kStep = 1.0 / 32.0;
constexpr double kFarthest = 50.0;
constexpr int kHalvings = 60;

std::size_t ColumnOf(const tables::Layout& layout, std::string_view key) {
  const auto found = std::find(layout.keys.begin(), layout.keys.end(), key);
  return found == layout.keys.end() ? tables::kNoColumn
                                    : static_cast<std::size_t>(found - layout.keys.begin());
}

// A process's word as a cell holds it: blanks around it dropped, any case.
std::optional<cli::Process> ProcessInCell(std::string_view cell) {
  while (!cell.empty() && (cell.front() == ' ' || cell.front() == '\t')) cell.remove_prefix(1);
  while (!cell.empty() && (cell.back() == ' ' || cell.back() == '\t')) cell.remove_suffix(1);
  std::string word(cell);
  std::transform(word.begin(), word.end(), word.begin(), [](char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
  });
  return cli::ProcessOfWord(word);
}

std::string ProcessWords() {
  std::string words;
  for (const cli::ProcessKind& kind : cli::kProcesses) {
    const bool last = &kind == &cli::kProcesses.back();
    words.append(words.empty() ? "" : last ? " or " : ", ").append(kind.word);
  }
  return words;
}

// A row's measured values fail as a record (a quote left open, a field too long,
// the field count), whatever the process reads.
bool RecordFails(tables::BadInput bad) {
  return bad == tables::BadInput::UnclosedQuote || bad == tables::BadInput::FieldTooLong ||
         bad == tables::BadInput::FieldCount;
}

// Each process's plan over the header, made when a row first asks for it.
class Plans {
 public:
  Plans(const tables::Layout& layout, const tables::ReadOptions& read, bool firstFromCells)
      : layout_(layout), read_(read), firstFromCells_(firstFromCells) {}

  // The plan of kind, or nullptr with problem saying why the header does not do.
  const cli::ProcessPlan* Of(const cli::ProcessKind& kind, std::string& problem) {
    const auto i = static_cast<std::size_t>(&kind - cli::kProcesses.data());
    if (!made_[i]) {
      problems_[i] = cli::PlanProcess(kind, layout_, read_, plans_[i], firstFromCells_);
      made_[i] = true;
    }
    problem = problems_[i];
    return problem.empty() ? &plans_[i] : nullptr;
  }

 private:
  const tables::Layout& layout_;
  const tables::ReadOptions& read_;
  bool firstFromCells_;
  std::array<cli::ProcessPlan, cli::kProcesses.size()> plans_;
  std::array<std::string, cli::kProcesses.size()> problems_;
  std::array<bool, cli::kProcesses.size()> made_{};
};

const Pair& HumidityRatioEnthalpy() {
  return *std::find_if(AllPairs.begin(), AllPairs.end(),
                       [](const Pair& p) { return p.key == "humidity_ratio_enthalpy"; });
}

}  // namespace

std::optional<State> ApparatusDewPointOnLine(const State& entering, const State& leaving, double P,
                                             Phase over) {
  const Pair& pair = HumidityRatioEnthalpy();
  const double dW = leaving.humidityRatio - entering.humidityRatio;
  const double dh = leaving.enthalpy - entering.enthalpy;
  // The state s of the way from entering to leaving (s > 1 beyond leaving):
  // short of saturation, at or past it, or none (past dry air).
  enum class Side { Unsaturated, Saturated, None };
  State found;
  const auto side = [&](double s) {
    const Result r = pair.compute(entering.humidityRatio + s * dW, entering.enthalpy + s * dh, P,
                                  Options{.model = Model::Handbook, .over = over});
    if (!RulesOf(OutcomeOf(r).kind).computed) return Side::None;
    if (r.state.relativeHumidity >= 100.0 || r.status == Status::Supersaturated ||
        r.status == Status::AboveIceSaturation) {
      return Side::Saturated;
    }
    found = r.state;
    return Side::Unsaturated;
  };
  if (dW == 0.0 && dh == 0.0) return std::nullopt;
  if (const Side start = side(1.0); start != Side::Unsaturated) {
    return start == Side::Saturated ? std::optional<State>(leaving) : std::nullopt;
  }
  State last = found;
  // In small steps: the line may cross the saturation curve twice, and the
  // first crossing is the one.
  double low = 1.0;
  double high = 1.0 + kStep;
  for (Side next = side(high); next != Side::Saturated; next = side(high)) {
    if (next == Side::None || high > kFarthest) return std::nullopt;
    low = high;
    high += kStep;
  }
  for (int i = 0; i < kHalvings; ++i) {
    const double middle = (low + high) / 2.0;
    if (side(middle) == Side::Unsaturated) {
      low = middle;
      last = found;
    } else {
      high = middle;
    }
  }
  return last;
}

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
  const bool mixOnly = file.kind == cli::Process::Mix;
  tables::ReadOptions readOptions = options;
  const cli::FirstStreamKeys firstStream;
  if (mixOnly) firstStream.Adapt(readOptions);
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
  const std::size_t processColumn = ColumnOf(layout, kProcessColumn);
  if (!file.kind && processColumn == tables::kNoColumn) {
    return headerProblem("no process column: name the rows' process with --process-kind");
  }
  Plans plans(layout, readOptions, !mixOnly);
  if (file.kind) {
    const cli::ProcessKind& kind = *cli::KindOf(*file.kind);
    if (std::string why; plans.Of(kind, why) == nullptr) {
      return headerProblem(std::string(kind.word) + ": " + why);
    }
  }
  const Phase over = frame.Relations().over;
  std::optional<Result> leaving;  // the row above's leaving state, for a chain
  tables::TableReader::Row row;
  bool anyRow = false;
  while (NextFileRow(table, row, read)) {
    anyRow = true;
    const tables::Measured& m = row.measured;
    const std::uint64_t line = row.record.line;
    tables::ReasonBuffer buffer{};
    const std::optional<Result> above = std::exchange(leaving, std::nullopt);
    if (RecordFails(m.bad)) {
      rowMessages.Bad(m.bad == tables::BadInput::UnclosedQuote ? m.quoteLine : line, m,
                      tables::BadInputText(layout, m, buffer));
      read.leftOut = true;
      continue;
    }
    std::optional<cli::Process> process = file.kind;
    if (!process) {
      const std::string_view cell = row.record.fields[processColumn];
      process = ProcessInCell(cell);
      if (!process) {
        std::string reason(1, '\'');
        reason.append(cell).append("' is not ").append(ProcessWords());
        problem(line, reason);
        continue;
      }
    }
    const cli::ProcessKind& kind = *cli::KindOf(*process);
    const std::string word = std::string(kind.word) + ": ";
    std::string why;
    const cli::ProcessPlan* plan = plans.Of(kind, why);
    if (plan == nullptr) {
      problem(line, word + why);
      continue;
    }
    // Stream a of a mix in a file of several processes is read from its cells.
    const bool ownState = kind.process != cli::Process::Mix || mixOnly;
    const bool chained = ownState && processColumn != tables::kNoColumn && above &&
                         m.bad == tables::BadInput::Missing && !m.firstRead && !m.secondRead;
    if (ownState && !chained && m.bad != tables::BadInput::None) {
      rowMessages.Bad(line, m, tables::BadInputText(layout, m, buffer));
      read.leftOut = true;
      continue;
    }
    const cli::ProcessRun run =
        cli::RunProcess(*plan, file.flowUnit, layout, row.record, m, frame.Pressure(), readOptions,
                        over, chained ? &*above : nullptr);
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
      case cli::ProcessStage::Ran:
        break;
    }
    const ProcessResult& result = run.result;
    if (!RulesOf(OutcomeOfCode(static_cast<int>(result.status)).kind).computed ||
        !(result.leaving.specificVolume > 0.0)) {
      problem(line, word + std::string(StatusText(result.status)));
      continue;
    }
    ComputedProcess computed{&kind, line, run.entering.state, run.second.state, result, {}};
    if (kind.process == cli::Process::Coil && plan->form == 0) {
      // The bypass-factor form: the apparatus dew point given, saturated.
      const Result adp = FromDryBulbRelativeHumidity(run.parameters[0], 100.0, frame.Pressure(),
                                                     Options{.over = over});
      if (RulesOf(OutcomeOf(adp).kind).computed) computed.apparatusDewPoint = adp.state;
    } else if (kind.process == cli::Process::Coil) {
      computed.apparatusDewPoint =
          ApparatusDewPointOnLine(run.entering.state, result.leaving, frame.Pressure(), over);
    }
    leaving = Result{result.leaving, result.status, true};
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

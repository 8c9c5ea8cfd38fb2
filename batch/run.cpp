#include "batch/run.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <memory>
#include <optional>
#include <utility>

#include "batch/output.h"
#include "batch/process_output.h"
#include "cli/compute.h"
#include "cli/input.h"
#include "cli/messages.h"
#include "cli/output_file.h"
#include "cli/row_messages.h"
#include "cli/words.h"
#include "tables/encoding.h"
#include "tables/table.h"

namespace hygrian::batch {
namespace {

using cli::ErrorText;
using cli::Messages;
using cli::Platform;
using tables::TableReader;

// The index of an outcome's row in the outcomes table (its size for a row
// outside it, "unknown status").
std::size_t IndexOf(const hygrian::Outcome& outcome) {
  for (std::size_t i = 0; i < Outcomes.size(); ++i) {
    if (&Outcomes[i] == &outcome) return i;
  }
  return Outcomes.size();
}

// Whether two carried columns have one name (two keys of one JSON object).
std::optional<std::string_view> RepeatedName(const tables::Layout& layout) {
  for (std::size_t i = 0; i < layout.carried.size(); ++i) {
    for (std::size_t j = 0; j < i; ++j) {
      if (layout.names[layout.carried[i]] == layout.names[layout.carried[j]]) {
        return layout.names[layout.carried[i]];
      }
    }
  }
  return std::nullopt;
}

// The state of one run across its input files.
class Batch {
 public:
  // lineByLine: the output goes out after every row; progress: a display may be
  // shown (standard output is not the terminal of standard error).
  Batch(Platform& platform, const Options& options, Output& out, Messages& messages,
        bool lineByLine, bool progress)
      : platform_(platform),
        options_(options),
        out_(out),
        messages_(messages),
        lineByLine_(lineByLine),
        progress_(progress) {
    if (const ProcessKind* kind = KindOf(options.process.process)) {
      processColumns_ = std::make_unique<ProcessColumns>(*kind);
    }
  }

  // Reads one input; false when the output has stopped taking bytes.
  bool ReadFile(const std::string& name);
  // Writes out what is buffered, rows and messages.
  void FlushAll() {
    out_.Flush();
    messages_.Flush();
  }
  [[nodiscard]] bool Skipped() const { return skipped_; }
  // The highest exit status that a row's outcome asks for.
  [[nodiscard]] int RowsExit() const {
    int status = 0;
    for (std::size_t i = 0; i < Outcomes.size(); ++i) {
      if (counts_[i] > 0) status = std::max(status, RulesOf(Outcomes[i].kind).batchExit);
    }
    return status;
  }
  [[nodiscard]] std::uint64_t Rows() const {
    std::uint64_t total = 0;
    for (const std::uint64_t count : counts_) total += count;
    return total;
  }
  // "10 rows: 8 ok, 2 missing" when a row was not ok, else empty.
  [[nodiscard]] std::string Summary() const;

 private:
  bool ReadRows(TableReader& table, std::string_view file);
  // The units of the columns read, from the options and the header; "" or why
  // the file is skipped.
  std::string ReadUnits(TableReader& table);
  void WriteRow(const TableReader::Row& row, cli::RowMessages& rowMessages);
  void WriteProcessRow(const TableReader::Row& row, cli::RowMessages& rowMessages);
  // The writer of the first good header's rows; "" or why there is none.
  std::string StartWriter();
  // Adds a row's values to the columns' first values; after the first
  // cli::kHintValues rows (or at the end, with `end`) writes the hints they give.
  void Hint(const TableReader::Row& row, std::string_view file, bool end);
  // Writes a row's values in the output units.
  void WriteOutcome(const tables::CsvRecord& record, Outcome& outcome) {
    if (options_.units.ip) {
      for (std::size_t i = 0; i < outcome.values.size(); ++i) {
        outcome.values[i] = FromLibrary(*outputUnits_[i], outcome.values[i]);
      }
    }
    writer_->WriteRow(out_, record, outcome);
  }
  void Tally(const hygrian::Outcome& kind) {
    if (const std::size_t i = IndexOf(kind); i < counts_.size()) ++counts_[i];
  }

  Platform& platform_;
  const Options& options_;
  Output& out_;
  Messages& messages_;
  bool lineByLine_;
  bool progress_;
  std::optional<tables::Layout> layout_;  // the first good header's
  std::unique_ptr<RowWriter> writer_;
  // --process: its columns, its plan over the first good header and its writer.
  std::unique_ptr<ProcessColumns> processColumns_;
  ProcessPlan plan_;
  std::unique_ptr<ProcessWriter> processWriter_;
  std::array<std::uint64_t, Outcomes.size()> counts_{};  // by the outcomes' rows
  bool skipped_ = false;
  // The units of the columns read: the pair's two, pressure.
  struct Column {
    std::string_view key;
    const Unit* unit = nullptr;
    cli::ValueSpan first;     // the least and greatest of the first values, as read
    bool fromHeader = false;  // the header's name gave the unit
  };
  std::array<Column, 3> columns_{};
  bool convert_ = false;      // a value read is not in the library's unit
  bool hinted_ = false;       // this file's hints are written
  std::size_t hintRows_ = 0;  // the rows of this file seen for its hints
  std::uint64_t headerLine_ = 0;
  const std::array<const Unit*, Properties.size()> outputUnits_ =
      cli::OutputUnits(options_.units.ip);
};

// The input as the table reader's source: before a read from a pipe or a
// terminal, which may wait, what is written so far goes out.
class Source final : public tables::ByteSource {
 public:
  Source(cli::Input& input, Batch& batch, bool flushFirst)
      : input_(input), batch_(batch), flushFirst_(flushFirst) {}
  std::ptrdiff_t Read(char* buffer, std::size_t size, int* error) override {
    if (flushFirst_) batch_.FlushAll();
    return input_.Read(buffer, size, error);
  }

 private:
  cli::Input& input_;
  Batch& batch_;
  bool flushFirst_;
};

bool Batch::ReadFile(const std::string& name) {
  cli::Input input(platform_, name);
  const std::string_view file = input.Name();
  if (!input.Opened()) {
    messages_.Line(file, 0, ErrorText(input.OpenError()));
    skipped_ = true;
    return true;
  }
  const auto size = platform_.RegularFileSize(input.Descriptor());
  Source source(input, *this, !size.has_value());
  tables::ReadOptions read = options_.read;
  read.resultColumns = kResultColumns;
  if (processColumns_) {
    read.resultColumns = {};
    processColumns_->Adapt(read);
  } else {
    read.namesWithUnits = true;
  }
  TableReader table(source, options_.common.pressure, options_.common.pressureUnit,
                    options_.bufferBytes, std::move(read));
  std::string problem;
  bool going = true;
  switch (table.ReadHeader(problem)) {
    case TableReader::HeaderStatus::Empty:
      messages_.Line(file, 0, "empty file; skipped");
      skipped_ = true;
      break;
    case TableReader::HeaderStatus::ReadError:
      messages_.Line(file, 0, ErrorText(table.Error()));
      skipped_ = true;
      break;
    case TableReader::HeaderStatus::Invalid:
      messages_.Line(file, table.HeaderLine(), problem + "; file skipped");
      skipped_ = true;
      break;
    case TableReader::HeaderStatus::Ok:
      if (const auto repeated = RepeatedName(table.ColumnLayout());
          repeated && options_.format.json) {
        messages_.Line(file, table.HeaderLine(),
                       "two columns named " + std::string(*repeated) + "; file skipped");
        skipped_ = true;
        break;
      }
      if (!processColumns_ && cli::SearchedPair(table.ColumnLayout().pair) &&
          options_.common.options.model == Model::Calculator) {
        messages_.Line(file, table.HeaderLine(),
                       cli::NotWithCalculator(table.ColumnLayout().pair) + "; file skipped");
        skipped_ = true;
        break;
      }
      if (!std::all_of(table.ColumnLayout().names.begin(), table.ColumnLayout().names.end(),
                       tables::IsUtf8)) {
        messages_.Row(file, table.HeaderLine(),
                      "the header is not UTF-8 (written as read): --encoding latin1 or cp1252?");
      }
      if (const std::string unitProblem = processColumns_ ? "" : ReadUnits(table);
          !unitProblem.empty()) {
        messages_.Line(file, table.HeaderLine(), unitProblem + "; file skipped");
        skipped_ = true;
        break;
      }
      if (!layout_) {
        layout_ = table.ColumnLayout();
        if (const std::string writerProblem = StartWriter(); !writerProblem.empty()) {
          messages_.Line(file, table.HeaderLine(), writerProblem + "; file skipped");
          skipped_ = true;
          layout_.reset();
          writer_.reset();
          processWriter_.reset();
          break;
        }
      } else if (!tables::SameColumns(*layout_, table.ColumnLayout())) {
        messages_.Line(file, table.HeaderLine(),
                       "header differs from the first file's; file skipped");
        skipped_ = true;
        break;
      }
      if (size && progress_) messages_.StartProgress(file, *size);
      going = ReadRows(table, file);
      messages_.EndProgress();
      break;
  }
  return going;
}

std::string Batch::StartWriter() {
  if (!processColumns_) {
    writer_ = std::make_unique<RowWriter>(*layout_, options_.format);
    if (writer_->Problem().empty()) writer_->WriteHeader(out_);
    return writer_->Problem();
  }
  const ProcessKind& kind = *KindOf(options_.process.process);
  tables::ReadOptions read = options_.read;
  processColumns_->Adapt(read);
  if (std::string problem = PlanProcess(kind, *layout_, *processColumns_, read, plan_);
      !problem.empty()) {
    return problem;
  }
  processWriter_ =
      std::make_unique<ProcessWriter>(*layout_, plan_, processColumns_->Results(), options_.format);
  if (processWriter_->Problem().empty()) processWriter_->WriteHeader(out_);
  return processWriter_->Problem();
}

void Batch::WriteProcessRow(const TableReader::Row& row, cli::RowMessages& rowMessages) {
  tables::ReasonBuffer reason{};
  const ProcessOutcome outcome = ProcessRow(plan_, options_.process, *layout_, row, options_.read,
                                            options_.common.options.over, reason);
  // A quote left open swallowed the rest of the input: none of it is written.
  const bool unclosed = row.measured.bad == tables::BadInput::UnclosedQuote;
  processWriter_->WriteRow(out_, unclosed ? tables::CsvRecord{} : row.record, outcome);
  if (outcome.bad.bad != tables::BadInput::None) {
    rowMessages.Bad(outcome.line, outcome.bad, outcome.text);
  }
  Tally(*outcome.kind);
}

std::string Batch::ReadUnits(TableReader& table) {
  const tables::Layout& layout = table.ColumnLayout();
  const std::array<std::size_t, 3> indexes = {layout.first, layout.second, layout.pressure};
  columns_ = {{{layout.firstKey, nullptr, {}, false},
               {layout.secondKey, nullptr, {}, false},
               {"pressure", nullptr, {}, false}}};
  const std::string_view pressureUnit = tables::PressureUnitName(options_.common.pressureUnit);
  for (std::size_t c = 0; c < columns_.size(); ++c) {
    const std::string_view name =
        indexes[c] == tables::kNoColumn ? std::string_view() : layout.names[indexes[c]];
    if (std::string problem = cli::ColumnUnitOf(options_.units, columns_[c].key, name,
                                                columns_[c].unit, c == 2 ? pressureUnit : "");
        !problem.empty()) {
      return problem;
    }
    columns_[c].fromHeader = !tables::NameUnit(name).empty();
  }
  const auto other = [](const Unit& unit) {
    return unit.zero != 0.0 || unit.numerator != unit.denominator;
  };
  convert_ = other(*columns_[0].unit) || other(*columns_[1].unit);
  table.SetPressureUnit(cli::ReaderPressureUnit(*columns_[2].unit));
  hinted_ = false;
  hintRows_ = 0;
  headerLine_ = table.HeaderLine();
  return "";
}

void Batch::Hint(const TableReader::Row& row, std::string_view file, bool end) {
  const tables::Measured& measured = row.measured;
  if (!end) {
    if (measured.firstRead) columns_[0].first.Add(measured.first);
    if (measured.secondRead) columns_[1].first.Add(measured.second);
    const std::size_t p = layout_->pressure;
    if (measured.bad == tables::BadInput::None && p != tables::kNoColumn &&
        p < row.record.fields.size() && !row.record.fields[p].empty()) {
      columns_[2].first.Add(FromLibrary(*columns_[2].unit, measured.pressure));
    }
    if (++hintRows_ < cli::kHintValues) return;
  }
  hinted_ = true;
  for (const Column& column : columns_) {
    if (column.first.count == 0) continue;
    const std::string hint = cli::UnitHint(column.key, *column.unit, column.first.least,
                                           column.first.greatest, !column.fromHeader);
    if (!hint.empty()) messages_.Row(file, headerLine_, hint);
  }
}

void Batch::WriteRow(const TableReader::Row& row, cli::RowMessages& rowMessages) {
  if (processColumns_) {
    WriteProcessRow(row, rowMessages);
    return;
  }
  tables::Measured measured = row.measured;
  if (convert_) {
    measured.first = ToLibrary(*columns_[0].unit, measured.first);
    measured.second = ToLibrary(*columns_[1].unit, measured.second);
  }
  const std::size_t pair = layout_->pair;
  tables::ReasonBuffer reason{};
  Outcome outcome;
  switch (measured.bad) {
    case tables::BadInput::None:
      outcome = ComputedOutcome(pair, cli::Compute(pair, measured.first, measured.second,
                                                   measured.pressure, options_.common.options));
      WriteOutcome(row.record, outcome);
      break;
    case tables::BadInput::Missing:
      outcome = MissingOutcome(pair, measured);
      WriteOutcome(row.record, outcome);
      break;
    case tables::BadInput::UnclosedQuote:
      // The quote swallowed the rest of the input: none of it is written.
      outcome = BadOutcome(tables::BadInputText(*layout_, measured, reason));
      writer_->WriteRow(out_, tables::CsvRecord{}, outcome);
      rowMessages.Bad(measured.quoteLine, measured, outcome.text);
      break;
    default:
      outcome = BadOutcome(tables::BadInputText(*layout_, measured, reason));
      writer_->WriteRow(out_, row.record, outcome);
      rowMessages.Bad(row.record.line, measured, outcome.text);
      break;
  }
  Tally(*outcome.kind);
}

bool Batch::ReadRows(TableReader& table, std::string_view file) {
  TableReader::Row row;
  std::uint64_t rows = 0;
  cli::RowMessages rowMessages(messages_, file, options_.read.decimalComma);
  for (;;) {
    switch (table.Next(row)) {
      case tables::CsvNext::End:
        if (!hinted_ && !processColumns_) Hint(row, file, true);
        rowMessages.End();
        return true;
      case tables::CsvNext::ReadError:
        rowMessages.End();
        messages_.Line(file, 0, ErrorText(table.Error()));
        skipped_ = true;
        return true;
      case tables::CsvNext::Record:
        break;
    }
    if (!hinted_ && !processColumns_) Hint(row, file, false);
    WriteRow(row, rowMessages);
    if (lineByLine_) FlushAll();
    if (out_.CurrentState() != Output::State::Open) return false;
    messages_.Tick(table.BytesRead(), ++rows);
  }
}

std::string Batch::Summary() const {
  const std::uint64_t total = Rows();
  // The counts by key, in the order of the keys' first rows; ok always.
  std::array<std::uint64_t, Outcomes.size()> byKey{};
  for (std::size_t i = 0; i < Outcomes.size(); ++i) {
    std::size_t first = 0;
    while (Outcomes[first].key != Outcomes[i].key) ++first;
    byKey[first] += counts_[i];
  }
  if (total == byKey[0]) return "";
  const auto number = [](std::uint64_t value) {
    std::array<char, 24> digits{};
    return std::string(digits.data(),
                       std::to_chars(digits.data(), digits.data() + digits.size(), value).ptr);
  };
  std::string text = number(total) + (total == 1 ? " row: " : " rows: ");
  text += number(byKey[0]) + " " + std::string(Outcomes[0].key);
  for (std::size_t i = 1; i < byKey.size(); ++i) {
    if (byKey[i] > 0) text += ", " + number(byKey[i]) + " " + std::string(Outcomes[i].key);
  }
  return text;
}

}  // namespace

int RunBatch(Platform& platform, const Options& options) {
  Messages messages(platform, kProgramName, options.common.quiet);
  cli::OutputFile file(platform, options.common.output);
  if (const int error = file.Open(); error != 0) {
    messages.Line(file.Name(), 0, ErrorText(error));
    messages.Flush();
    return 2;
  }
  const int fd = file.Descriptor();
  const bool outputAtTerminal = platform.IsTerminal(fd);
  const bool progress = !(outputAtTerminal && platform.IsTerminal(cli::kStandardError) &&
                          platform.SameFile(fd, cli::kStandardError));
  Output out(platform, fd, options.bufferBytes);
  Batch batch(platform, options, out, messages, outputAtTerminal, progress);
  static const std::vector<std::string> kStandardInputOnly = {"-"};
  for (const std::string& name : options.files.empty() ? kStandardInputOnly : options.files) {
    if (!batch.ReadFile(name)) break;
  }
  out.Flush();
  int status = batch.Skipped() ? 2 : batch.RowsExit();
  if (out.CurrentState() == Output::State::Closed) status = 0;
  int writeError = out.CurrentState() == Output::State::Failed ? out.ErrorNumber() : 0;
  // A run that failed before any row leaves the file as it was.
  const int finishError = file.Finish(writeError == 0 && (status == 0 || batch.Rows() > 0));
  if (writeError == 0) writeError = finishError;
  if (writeError != 0) {
    messages.Line(file.Name(), 0, ErrorText(writeError));
    status = 1;
  }
  if (const std::string summary = batch.Summary(); !summary.empty() && !options.common.quiet) {
    messages.Note(summary);
  }
  messages.Flush();
  return status;
}

}  // namespace hygrian::batch

#include "batch/run.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cstring>
#include <memory>
#include <optional>
#include <utility>

#include "batch/output.h"
#include "batch/parallel.h"
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

// What a row leaves for the run beside its bytes.
struct RowNote {
  std::size_t kind = 0;       // its outcome, an index of Outcomes
  bool bad = false;           // a message goes with it:
  std::uint64_t line = 0;     // the row's line (or that of the quote left open)
  tables::Measured measured;  // why it is bad
  std::string_view text;      // the reason
  bool other = false;         // a reason of the processes', not the table's
  // JSON: the row's line when a carried field of it is not UTF-8 (written with
  // U+FFFD), else 0.
  std::uint64_t notUtf8 = 0;
};

// How a row becomes output, fixed once a file's header is read; const, so that
// several threads write rows with one.
struct RowJob {
  const Options& options;
  const tables::Layout& layout;        // the first good header's
  const RowWriter* writer;             // without processes
  const ProcessWriter* processWriter;  // with processes, whose rows chain reads in turn
  cli::ProcessChain* chain;
  std::array<const Unit*, 2> units;  // of the dry_bulb and second values read
  bool convert;                      // they are not in the library's units
  const std::array<const Unit*, Properties.size()>& outputUnits;

  // Writes row to out; reason holds the text of a bad row's note.
  RowNote Write(const TableReader::Row& row, Output& out, tables::ReasonBuffer& reason) const;
  // Whether a row's state may be computed with others' (a good row, no process).
  [[nodiscard]] bool Blocked(const tables::Measured& measured) const {
    return processWriter == nullptr && measured.bad == tables::BadInput::None;
  }
  // A row's values in the library's units.
  [[nodiscard]] tables::Measured Converted(tables::Measured measured) const {
    if (convert) {
      measured.first = ToLibrary(*units[0], measured.first);
      measured.second = ToLibrary(*units[1], measured.second);
    }
    return measured;
  }
  // Writes a good row with its state at pressure (kPa). A measure asked for
  // outside its range makes an ok row's status outside-measure-range.
  RowNote WriteComputed(const tables::CsvRecord& record, const Result& state, double pressure,
                        Output& out) const {
    Outcome outcome = ComputedOutcome(layout.pair, state);
    if (writer->Extras().Any() && RulesOf(outcome.kind->kind).computed) {
      outcome.extra = writer->Extras().Of(record, state.state, pressure);
      if (outcome.extra.outsideRange && outcome.kind->kind == OutcomeClass::Ok) {
        outcome.kind = &OutcomeOfCode(static_cast<int>(Status::OutsideMeasureRange));
      }
    }
    RowNote note;
    note.notUtf8 = WriteOutcome(record, outcome, out) ? record.line : 0;
    note.kind = IndexOf(*outcome.kind);
    return note;
  }

 private:
  RowNote WriteProcess(const TableReader::Row& row, Output& out,
                       tables::ReasonBuffer& reason) const;
  // Writes a row's values in the output units; whether a carried field was not
  // UTF-8 (RowWriter::WriteRow).
  bool WriteOutcome(const tables::CsvRecord& record, Outcome& outcome, Output& out) const {
    if (options.units.ip) {
      for (std::size_t i = 0; i < outcome.values.size(); ++i) {
        outcome.values[i] = FromLibrary(*outputUnits[i], outcome.values[i]);
      }
    }
    return writer->WriteRow(out, record, outcome);
  }
};

// The values of a row that the unit hints look at.
HintValues HintOf(const tables::Layout& layout, const TableReader::Row& row) {
  const tables::Measured& measured = row.measured;
  const std::size_t p = layout.pressure;
  return {measured.first,
          measured.second,
          measured.pressure,
          measured.firstRead,
          measured.secondRead,
          measured.bad == tables::BadInput::None && p != tables::kNoColumn &&
              p < row.record.fields.size() && !row.record.fields[p].empty()};
}

// A chunk's bytes as a source for the CSV reader.
using ChunkSource = tables::TextSource;

// Keeps what the writer thread needs to know of the row just written to the
// chunk's output from start on.
void NoteRow(Chunk& chunk, std::size_t start, const RowNote& note) {
  chunk.reach = std::max(chunk.reach, start + chunk.out.LastRoom());
  chunk.rows.push_back(
      {chunk.out.Buffered().size(), chunk.out.LastRoom(), note.kind, note.bad, note.notUtf8});
  if (note.bad) {
    chunk.texts.append(note.text);
    chunk.notes.push_back({note.line, note.measured.bad,
                           note.measured.text.find(',') != std::string_view::npos, note.other,
                           chunk.texts.size()});
  }
}

// Computes the states of the chunk's block of rows at once and writes the rows.
void WriteBlock(const RowJob& job, Chunk& chunk) {
  RowBlock& block = chunk.block;
  if (block.Size() == 0) return;
  block.Compute(AllPairs[job.layout.pair], job.options.common.options,
                job.options.common.supersaturated);
  for (std::size_t i = 0; i < block.Size(); ++i) {
    const std::size_t start = chunk.out.Buffered().size();
    NoteRow(chunk, start,
            job.WriteComputed(block.Record(i), block.State(i), block.Pressure(i), chunk.out));
  }
  block.Clear();
}

// Empties a chunk's results for its next rows, keeping the buffers.
void ClearWork(Chunk& chunk) {
  chunk.out.Clear();
  chunk.reach = 0;
  chunk.rows.clear();
  chunk.notes.clear();
  chunk.texts.clear();
  chunk.block.Clear();
}

// Measures a record as table does; a row of processes whose entering values
// are gaps may continue a chain at its own pressure.
void Measure(const RowJob& job, const TableReader& table, TableReader::Row& row) {
  row.measured = table.Measure(row.record);
  const tables::Measured& m = row.measured;
  if (job.processWriter != nullptr && m.bad == tables::BadInput::Missing && !m.firstRead &&
      !m.secondRead) {
    (void)table.MeasurePressure(row.record, row.measured);
  }
}

// Writes a measured row, the chunk's read-th, into the chunk's output, with
// what the writer thread needs to know of it. A good row waits in the chunk's
// block, computed with the others (WriteBlock); any other row is written once
// the rows before it are.
void WorkRow(const RowJob& job, const TableReader::Row& row, std::size_t read, Chunk& chunk,
             tables::ReasonBuffer& reason) {
  if (read < chunk.hints.size()) chunk.hints[read] = HintOf(job.layout, row);
  if (job.Blocked(row.measured)) {
    const tables::Measured measured = job.Converted(row.measured);
    chunk.block.Add(row.record, measured.first, measured.second, measured.pressure);
    if (chunk.block.Full()) WriteBlock(job, chunk);
    return;
  }
  WriteBlock(job, chunk);
  const std::size_t start = chunk.out.Buffered().size();
  NoteRow(chunk, start, job.Write(row, chunk.out, reason));
}

// Reads a chunk's rows as table reads its own and works them (WorkRow).
void WorkChunk(const RowJob& job, const TableReader& table, Chunk& chunk) {
  ClearWork(chunk);
  ChunkSource source({chunk.bytes.data(), chunk.size});
  tables::CsvReader csv(source, chunk.size + 4);
  csv.ContinueAt(chunk.line);
  csv.SetDelimiter(table.ColumnLayout().delimiter);
  csv.SetFieldLimit(table.ColumnLayout().Columns());
  TableReader::Row row;
  tables::ReasonBuffer reason{};
  for (std::size_t read = 0; csv.Next(row.record) == tables::CsvNext::Record; ++read) {
    Measure(job, table, row);
    WorkRow(job, row, read, chunk, reason);
  }
  WriteBlock(job, chunk);
}

// A chunk's rest (a long record's first bytes), then the rest of the input,
// unless it has ended (a terminal would wait for more).
class RestSource final : public tables::ByteSource {
 public:
  RestSource(const ChunkRest& rest, tables::ByteSource& then)
      : chunk_({rest.bytes.data(), rest.bytes.size()}), then_(rest.ended ? nullptr : &then) {}
  std::ptrdiff_t Read(char* buffer, std::size_t size, int* error) override {
    const std::ptrdiff_t count = chunk_.Read(buffer, size, error);
    return count > 0 || then_ == nullptr ? count : then_->Read(buffer, size, error);
  }

 private:
  ChunkSource chunk_;
  tables::ByteSource* then_;
};

// The rows of an input's rest as TableReader gives them, from a long record on.
class RestRows {
 public:
  RestRows(const ChunkRest& rest, TableReader& table, std::size_t bufferBytes)
      : source_(rest, table.Rest()),
        csv_(source_, bufferBytes),
        table_(table),
        bytesRead_(rest.bytesRead) {
    csv_.ContinueAt(rest.line);
    csv_.SetDelimiter(table.ColumnLayout().delimiter);
    csv_.SetFieldLimit(table.ColumnLayout().Columns());
  }
  tables::CsvNext Next(const RowJob& job, TableReader::Row& row) {
    const tables::CsvNext next = csv_.Next(row.record);
    if (next == tables::CsvNext::Record) Measure(job, table_, row);
    return next;
  }
  [[nodiscard]] int Error() const { return csv_.Error(); }
  [[nodiscard]] std::uint64_t BytesRead() const { return bytesRead_ + csv_.BytesRead(); }

 private:
  RestSource source_;
  tables::CsvReader csv_;
  const TableReader& table_;
  std::uint64_t bytesRead_;
};

class Source;

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
    if (options.process.process) {
      processColumns_ = std::make_unique<ProcessColumns>(options.process.process);
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
  // Reads the rows after table's header and writes them, in chunks on
  // options_.jobs threads (processes on one, each row of a chain after the one
  // it continues); streaming: the input may wait (a pipe, a terminal), and each
  // chunk is one read's whole records. False when the output has stopped
  // taking bytes.
  bool ReadRows(TableReader& table, Source& source, std::string_view file, bool streaming);
  // The rows after a long record (or, without threads, all of them), one chunk
  // a row; false as ReadRows.
  bool ReadRest(const ChunkRest& rest, TableReader& table, std::string_view file,
                cli::RowMessages& rowMessages, std::uint64_t rows);
  // Writes a chunk's rows to the output, their messages and counts; at the
  // last chunk, the end of the file. False as ReadRows.
  bool WriteChunk(const Chunk& chunk, std::string_view file, cli::RowMessages& rowMessages,
                  std::uint64_t& rows);
  // How this file's rows are written.
  [[nodiscard]] RowJob Job() const {
    return {options_,      *layout_,
            writer_.get(), processWriter_.get(),
            chain_.get(),  {columns_[0].unit, columns_[1].unit},
            convert_,      outputUnits_};
  }
  // The units of the columns read, from the options and the header (only the
  // pressure's for processes, whose chain reads the others); "" or why the
  // file is skipped.
  std::string ReadUnits(TableReader& table, bool pressureOnly);
  // The writer of the first good header's rows; "" or why there is none.
  std::string StartWriter();
  // Adds a row's values to the columns' first values; after the first
  // cli::kHintValues rows (or at the end, with `end`) writes the hints they give.
  // Once a file, and not for processes (whose chain reads its own units).
  void Hint(const HintValues& values, std::string_view file, bool end);
  void Tally(std::size_t kind) {
    if (kind < counts_.size()) ++counts_[kind];
  }
  // The one message of a file about carried fields that are not UTF-8 (JSON).
  void NotUtf8(const cli::RowMessages& rowMessages, std::uint64_t line) {
    if (utf8Told_) return;
    utf8Told_ = true;
    messages_.Row(rowMessages.File(), line,
                  "a field is not UTF-8 (U+FFFD in the JSON for each stray byte): --encoding "
                  "latin1 or cp1252?");
  }

  Platform& platform_;
  const Options& options_;
  Output& out_;
  Messages& messages_;
  bool lineByLine_;
  bool progress_;
  std::optional<tables::Layout> layout_;  // the first good header's
  std::unique_ptr<RowWriter> writer_;
  // Processes: their columns, the columns carried and the writer over the
  // first good header, how their rows are read, and the chain of this file's
  // rows.
  std::unique_ptr<ProcessColumns> processColumns_;
  std::vector<std::size_t> carried_;
  std::unique_ptr<ProcessWriter> processWriter_;
  tables::ReadOptions processRead_;
  std::unique_ptr<cli::ProcessChain> chain_;
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
  bool threadsTold_ = false;  // that fewer threads than --jobs could be started
  bool utf8Told_ = false;     // this file's fields that are not UTF-8
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
  // Whether to flush before a read: not while another thread writes.
  void FlushFirst(bool on) { flushFirst_ = on; }

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
  utf8Told_ = false;
  Source source(input, *this, !size.has_value());
  tables::ReadOptions read = options_.read;
  read.resultColumns = kResultColumns;
  if (processColumns_) {
    read.resultColumns = {};
    processColumns_->Adapt(read);
  } else {
    read.namesWithUnits = true;
  }
  // The first file's options read the processes' cells (gaps, decimal commas).
  if (!layout_) processRead_ = read;
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
      // A table with a process column holds processes.
      if (!processColumns_ && !layout_ &&
          cli::ColumnOf(table.ColumnLayout(), "process") != tables::kNoColumn) {
        processColumns_ = std::make_unique<ProcessColumns>(std::nullopt);
      }
      if (processColumns_ && options_.common.options.model != Model::Handbook) {
        messages_.Line(file, table.HeaderLine(),
                       "processes: with the handbook model only; file skipped");
        skipped_ = true;
        break;
      }
      if (const std::string unitProblem = ReadUnits(table, processColumns_ != nullptr);
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
      if (processColumns_) {
        // Each file's chain starts afresh.
        chain_ = std::make_unique<cli::ProcessChain>(*layout_, processRead_, options_.process.units,
                                                     options_.process.process,
                                                     options_.common.options.over);
      }
      going = ReadRows(table, source, file, !size);
      messages_.EndProgress();
      break;
  }
  return going;
}

std::string Batch::StartWriter() {
  if (!processColumns_) {
    writer_ = std::make_unique<RowWriter>(*layout_, options_.format, options_.units.ip);
    if (writer_->Problem().empty()) writer_->WriteHeader(out_);
    return writer_->Problem();
  }
  cli::ProcessChain chain(*layout_, processRead_, options_.process.units, options_.process.process,
                          options_.common.options.over);
  if (std::string problem = chain.HeaderProblem("--process"); !problem.empty()) {
    return "--process " + problem;
  }
  carried_ = CarriedColumns(*layout_, *processColumns_);
  processWriter_ = std::make_unique<ProcessWriter>(*layout_, carried_, processColumns_->Results(),
                                                   processColumns_->Values(), options_.format);
  if (processWriter_->Problem().empty()) processWriter_->WriteHeader(out_);
  return processWriter_->Problem();
}

RowNote RowJob::WriteProcess(const TableReader::Row& row, Output& out,
                             tables::ReasonBuffer& reason) const {
  const ProcessOutcome outcome = ProcessRow(*chain, options.process.units, layout, row, reason);
  // A quote left open swallowed the rest of the input: none of it is written.
  const bool unclosed = row.measured.bad == tables::BadInput::UnclosedQuote;
  const bool notUtf8 =
      processWriter->WriteRow(out, unclosed ? tables::CsvRecord{} : row.record, outcome);
  return {IndexOf(*outcome.kind),
          outcome.bad.bad != tables::BadInput::None,
          outcome.line,
          outcome.bad,
          outcome.text,
          outcome.other,
          notUtf8 ? row.record.line : 0};
}

std::string Batch::ReadUnits(TableReader& table, bool pressureOnly) {
  const tables::Layout& layout = table.ColumnLayout();
  const std::array<std::size_t, 3> indexes = {layout.first, layout.second, layout.pressure};
  columns_ = {{{layout.firstKey, nullptr, {}, false},
               {layout.secondKey, nullptr, {}, false},
               {"pressure", nullptr, {}, false}}};
  const std::string_view pressureUnit = tables::PressureUnitName(options_.common.pressureUnit);
  for (std::size_t c = pressureOnly ? 2 : 0; c < columns_.size(); ++c) {
    const std::string_view name =
        indexes[c] == tables::kNoColumn ? std::string_view() : layout.names[indexes[c]];
    // An unlabelled column is in the units of --units, a pressure in --pressure-unit's.
    const std::string_view fallback =
        c == 2 ? pressureUnit : cli::SystemUnit(columns_[c].key, options_.units.ip);
    if (std::string problem =
            cli::ColumnUnitOf(options_.units, columns_[c].key, name, columns_[c].unit, fallback);
        !problem.empty()) {
      return problem;
    }
    columns_[c].fromHeader = !tables::NameUnit(name).empty();
  }
  const auto other = [](const Unit& unit) {
    return unit.zero != 0.0 || unit.numerator != unit.denominator;
  };
  convert_ = !pressureOnly && (other(*columns_[0].unit) || other(*columns_[1].unit));
  table.SetPressureUnit(cli::ReaderPressureUnit(*columns_[2].unit));
  hinted_ = false;
  hintRows_ = 0;
  headerLine_ = table.HeaderLine();
  return "";
}

void Batch::Hint(const HintValues& values, std::string_view file, bool end) {
  if (hinted_ || processColumns_) return;
  if (!end) {
    if (values.firstRead) columns_[0].first.Add(values.first);
    if (values.secondRead) columns_[1].first.Add(values.second);
    if (values.pressureRead) columns_[2].first.Add(FromLibrary(*columns_[2].unit, values.pressure));
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

RowNote RowJob::Write(const TableReader::Row& row, Output& out,
                      tables::ReasonBuffer& reason) const {
  if (processWriter != nullptr) return WriteProcess(row, out, reason);
  const tables::Measured measured = Converted(row.measured);
  const std::size_t pair = layout.pair;
  if (measured.bad == tables::BadInput::None) {
    return WriteComputed(row.record,
                         cli::Compute(pair, measured.first, measured.second, measured.pressure,
                                      options.common.options, options.common.supersaturated),
                         measured.pressure, out);
  }
  Outcome outcome;
  RowNote note;
  switch (measured.bad) {
    case tables::BadInput::Missing:
      outcome = MissingOutcome(pair, measured);
      note.notUtf8 = WriteOutcome(row.record, outcome, out) ? row.record.line : 0;
      break;
    case tables::BadInput::UnclosedQuote:
      // The quote swallowed the rest of the input: none of it is written.
      outcome = BadOutcome(tables::BadInputText(layout, measured, reason));
      writer->WriteRow(out, tables::CsvRecord{}, outcome);
      note = {0, true, measured.quoteLine, measured, outcome.text};
      break;
    default:
      outcome = BadOutcome(tables::BadInputText(layout, measured, reason));
      note = {0, true, row.record.line, measured, outcome.text};
      note.notUtf8 = writer->WriteRow(out, row.record, outcome) ? row.record.line : 0;
      break;
  }
  note.kind = IndexOf(*outcome.kind);
  return note;
}

bool Batch::ReadRows(TableReader& table, Source& source, std::string_view file, bool streaming) {
  source.FlushFirst(false);
  const RowJob job = Job();
  cli::RowMessages rowMessages(messages_, file, options_.read.decimalComma);
  std::uint64_t rows = 0;
  bool going = true;
  ChunkPlan plan;
  plan.jobs = processColumns_ ? 1 : options_.jobs;
  plan.chunkBytes = options_.chunkBytes;
  plan.streaming = streaming;
  plan.delimiter = table.ColumnLayout().delimiter;
  const ChunkRest rest = RunChunks(
      table.Rest(), table.Unread(), table.SourceEnded(), table.Line(), table.BytesRead(), plan,
      [&](Chunk& chunk) { WorkChunk(job, table, chunk); },
      [&](const Chunk& chunk) {
        going = WriteChunk(chunk, file, rowMessages, rows);
        // A streaming chunk holds one read's records: what one job writes
        // before its next read goes out here too, so rows and messages
        // interleave on a shared terminal or file as with one job.
        if (going && streaming) FlushAll();
        return going;
      },
      [&] {
        // As before a read that may wait.
        if (streaming) FlushAll();
      });
  if (rest.threadError != 0 && plan.jobs > 1 && !threadsTold_) {
    // Once a run: every file meets the same limit.
    threadsTold_ = true;
    messages_.Note((rest.workers <= 1 ? std::string("working on one thread")
                                      : "working on " + std::to_string(rest.workers) + " threads") +
                   ", not " + std::to_string(options_.jobs) + ": " +
                   std::string(ErrorText(rest.threadError)));
  }
  if (!going || !rest.left) return going;
  source.FlushFirst(streaming);
  return ReadRest(rest, table, file, rowMessages, rows);
}

bool Batch::ReadRest(const ChunkRest& rest, TableReader& table, std::string_view file,
                     cli::RowMessages& rowMessages, std::uint64_t rows) {
  const RowJob job = Job();
  RestRows restRows(rest, table, options_.bufferBytes);
  Chunk chunk;
  TableReader::Row row;
  tables::ReasonBuffer reason{};
  for (;;) {
    ClearWork(chunk);
    const tables::CsvNext next = restRows.Next(job, row);
    if (next == tables::CsvNext::Record) {
      WorkRow(job, row, 0, chunk, reason);
      WriteBlock(job, chunk);
    }
    chunk.bytesRead = restRows.BytesRead();
    chunk.last = next != tables::CsvNext::Record;
    chunk.error = next == tables::CsvNext::ReadError ? restRows.Error() : 0;
    if (!WriteChunk(chunk, file, rowMessages, rows)) return false;
    if (chunk.last) return true;
  }
}

bool Batch::WriteChunk(const Chunk& chunk, std::string_view file, cli::RowMessages& rowMessages,
                       std::uint64_t& rows) {
  // The output flushes where it would with the rows written one by one: not
  // within the chunk when no row asks for more room than is free, so the chunk
  // goes in at once; else row by row, asking for the same room.
  const std::string_view bytes = chunk.out.Buffered();
  const bool whole = !lineByLine_ && chunk.reach <= out_.Free();
  if (whole) out_.Append(bytes);
  std::size_t start = 0;
  std::size_t note = 0;
  std::size_t textStart = 0;
  for (std::size_t i = 0; i < chunk.rows.size(); ++i) {
    const ChunkRow& row = chunk.rows[i];
    if (i < chunk.hints.size()) Hint(chunk.hints[i], file, false);
    if (!whole) {
      char* out = out_.Room(row.room);
      std::memcpy(out, bytes.data() + start, row.end - start);
      out_.Commit(out + (row.end - start));
    }
    start = row.end;
    if (row.note) {
      const ChunkNote& bad = chunk.notes[note++];
      const std::string_view text =
          std::string_view(chunk.texts).substr(textStart, bad.textEnd - textStart);
      tables::Measured measured;
      measured.bad = bad.bad;
      measured.text = bad.comma ? "," : "";  // all that RowMessages looks at
      if (bad.other) {
        rowMessages.Other(bad.line, text);
      } else {
        rowMessages.Bad(bad.line, measured, text);
      }
      textStart = bad.textEnd;
    }
    if (row.notUtf8 != 0) NotUtf8(rowMessages, row.notUtf8);
    Tally(row.kind);
    if (lineByLine_) FlushAll();
    if (out_.CurrentState() != Output::State::Open) return false;
    messages_.Tick(chunk.bytesRead, ++rows);
  }
  if (!chunk.last) return true;
  if (chunk.error != 0) {
    rowMessages.End();
    messages_.Line(file, 0, ErrorText(chunk.error));
    skipped_ = true;
    return true;
  }
  Hint({}, file, true);
  rowMessages.End();
  return true;
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

#include "batch/run.h"

#include <memory>
#include <optional>

#include "batch/output.h"
#include "cli/compute.h"
#include "cli/input.h"
#include "cli/messages.h"
#include "tables/table.h"

namespace hygrian::batch {
namespace {

using cli::ErrorText;
using cli::Messages;
using cli::Platform;
using tables::TableReader;

// The state of one run across its input files.
class Batch {
 public:
  Batch(Platform& platform, const Options& options, Output& out, Messages& messages)
      : platform_(platform), options_(options), out_(out), messages_(messages) {}

  // Reads one input; false when the output has stopped taking bytes.
  bool ReadFile(const std::string& name);
  [[nodiscard]] bool Skipped() const { return skipped_; }
  [[nodiscard]] bool HadBadRows() const { return badRows_; }

 private:
  bool ReadRows(TableReader& table, std::string_view file);

  Platform& platform_;
  const Options& options_;
  Output& out_;
  Messages& messages_;
  std::optional<tables::Layout> layout_;  // the first good header's
  std::unique_ptr<RowWriter> writer_;
  bool skipped_ = false;
  bool badRows_ = false;
};

bool Batch::ReadFile(const std::string& name) {
  cli::Input input(platform_, name);
  const std::string_view file = input.Name();
  if (!input.Opened()) {
    messages_.Line(file, 0, ErrorText(input.OpenError()));
    skipped_ = true;
    return true;
  }
  TableReader table(input, options_.common.pressure, options_.common.pressureUnit,
                    options_.bufferBytes);
  std::string problem;
  bool going = true;
  switch (table.ReadHeader(problem)) {
    case TableReader::HeaderStatus::Empty:
      messages_.Line(file, 0, "empty file; skipped");
      skipped_ = true;
      break;
    case TableReader::HeaderStatus::ReadError:
      messages_.Line(file, 0, ErrorText(table.error()));
      skipped_ = true;
      break;
    case TableReader::HeaderStatus::Invalid:
      messages_.Line(file, table.headerLine(), problem + "; file skipped");
      skipped_ = true;
      break;
    case TableReader::HeaderStatus::Ok:
      if (!layout_) {
        layout_ = table.layout();
        writer_ = std::make_unique<RowWriter>(*layout_, options_.format);
        writer_->WriteHeader(out_);
      } else if (!tables::SameColumns(*layout_, table.layout())) {
        messages_.Line(file, table.headerLine(),
                       "header differs from the first file's; file skipped");
        skipped_ = true;
        break;
      }
      if (const auto size = platform_.RegularFileSize(input.Descriptor())) {
        messages_.StartProgress(file, *size);
      }
      going = ReadRows(table, file);
      messages_.EndProgress();
      break;
  }
  return going;
}

bool Batch::ReadRows(TableReader& table, std::string_view file) {
  TableReader::Row row;
  tables::ReasonBuffer reason{};
  const tables::Pair pair = layout_->pair;
  std::uint64_t rows = 0;
  for (;;) {
    switch (table.Next(row)) {
      case tables::CsvNext::End:
        return true;
      case tables::CsvNext::ReadError:
        messages_.Line(file, 0, ErrorText(table.error()));
        skipped_ = true;
        return true;
      case tables::CsvNext::Record:
        break;
    }
    if (row.measured.bad == tables::BadInput::None) {
      writer_->WriteRow(
          out_, row.record,
          ComputedOutcome(pair, cli::Compute(pair, row.measured.dryBulb, row.measured.second,
                                             row.measured.pressure)));
    } else {
      const std::string_view text = tables::BadInputText(*layout_, row.measured, reason);
      writer_->WriteRow(out_, row.record, BadOutcome(text));
      messages_.Row(file, row.record.line, text);
      badRows_ = true;
    }
    if (out_.CurrentState() != Output::State::Open) return false;
    messages_.Tick(table.bytesRead(), ++rows);
  }
}

}  // namespace

int RunBatch(Platform& platform, const Options& options) {
  Messages messages(platform, ProgramName, options.common.quiet);
  const std::string& output = options.common.output;
  const bool toStandardOutput = output.empty() || output == "-";
  const std::string_view outputName =
      toStandardOutput ? cli::StandardOutputName : std::string_view(output);
  int fd = cli::StandardOutput;
  if (!toStandardOutput) {
    int error = 0;
    fd = platform.OpenWrite(output.c_str(), &error);
    if (fd < 0) {
      messages.Line(outputName, 0, ErrorText(error));
      messages.Flush();
      return 2;
    }
  }
  Output out(platform, fd, options.bufferBytes);
  Batch batch(platform, options, out, messages);
  static const std::vector<std::string> standardInputOnly = {"-"};
  for (const std::string& name : options.files.empty() ? standardInputOnly : options.files) {
    if (!batch.ReadFile(name)) break;
  }
  out.Flush();
  int status = batch.Skipped() ? 2 : batch.HadBadRows() ? 1 : 0;
  if (out.CurrentState() == Output::State::Closed) status = 0;
  int writeError = out.CurrentState() == Output::State::Failed ? out.ErrorNumber() : 0;
  if (!toStandardOutput) {
    const int closeError = platform.Close(fd);
    if (writeError == 0) writeError = closeError;
  }
  if (writeError != 0) {
    messages.Line(outputName, 0, ErrorText(writeError));
    status = 1;
  }
  messages.Flush();
  return status;
}

}  // namespace hygrian::batch

#include "batch/run.h"

#include <charconv>
#include <cstring>
#include <memory>
#include <optional>

#include "batch/output.h"
#include "tables/table.h"

namespace hygrian::batch {
namespace {

using tables::TableReader;

constexpr std::size_t MessageBuffer = std::size_t{64} << 10;
constexpr std::uint64_t ProgressInterval = 100'000'000;  // ns: ten displays a second at most
constexpr std::uint64_t RowsBetweenClockReads = 1024;
constexpr std::string_view StandardInputName = "(standard input)";
constexpr std::string_view EraseLine = "\r\x1b[K";

class FdSource final : public tables::ByteSource {
 public:
  FdSource(Platform& platform, int fd) : platform_(platform), fd_(fd) {}
  std::ptrdiff_t Read(char* buffer, std::size_t size, int* error) override {
    return platform_.Read(fd_, buffer, size, error);
  }

 private:
  Platform& platform_;
  int fd_;
};

std::string_view ErrorText(int error) { return std::strerror(error); }

// Standard error: messages gathered and written in blocks, and the one-line
// progress display, which is erased before messages are written and redrawn
// after them.
class Messages {
 public:
  Messages(Platform& platform, bool quiet) : platform_(platform), quiet_(quiet) {
    pending_.reserve(MessageBuffer);
  }

  // "hygrian-batch: FILE:LINE: reason" for a bad row, unless quiet.
  void Row(std::string_view file, std::uint64_t line, std::string_view reason) {
    if (quiet_) return;
    Line(file, line, reason);
  }
  // "hygrian-batch: FILE:LINE: message" (line 0: "hygrian-batch: FILE: message").
  void Line(std::string_view file, std::uint64_t line, std::string_view message) {
    pending_ += ProgramName;
    pending_ += ": ";
    pending_ += file;
    if (line > 0) {
      std::array<char, 24> digits{};
      const auto end = std::to_chars(digits.data(), digits.data() + digits.size(), line).ptr;
      pending_ += ':';
      pending_.append(digits.data(), end);
    }
    pending_ += ": ";
    pending_ += message;
    pending_ += '\n';
    if (pending_.size() >= MessageBuffer) Flush();
  }

  // A display for one input of `size` bytes, when standard error is a terminal.
  void StartProgress(std::string_view file, std::uint64_t size) {
    if (quiet_ || !platform_.IsTerminal(StandardError)) return;
    progressFile_ = file;
    progressSize_ = size;
    progressOn_ = true;
    start_ = platform_.Now();
    lastDraw_ = start_;
  }
  // Called every row; reads the clock every RowsBetweenClockReads rows.
  void Tick(std::uint64_t bytes, std::uint64_t rows) {
    if (!progressOn_ || rows % RowsBetweenClockReads != 0) return;
    const std::uint64_t now = platform_.Now();
    if (now - lastDraw_ < ProgressInterval) return;
    lastDraw_ = now;
    Draw(bytes, rows, now);
  }
  void EndProgress() {
    if (!progressOn_) return;
    progressOn_ = false;
    Flush();
  }

  void Flush() {
    frame_.clear();
    if (shown_) frame_ += EraseLine;
    shown_ = false;
    frame_ += pending_;
    pending_.clear();
    if (progressOn_) {
      frame_ += progressLine_;
      shown_ = !progressLine_.empty();
    }
    if (!frame_.empty()) (void)platform_.WriteAll(StandardError, frame_.data(), frame_.size());
  }

 private:
  void Draw(std::uint64_t bytes, std::uint64_t rows, std::uint64_t now) {
    const std::uint64_t percent = progressSize_ == 0 ? 100 : bytes * 100 / progressSize_;
    const double seconds = static_cast<double>(now - start_) / 1e9;
    const auto rate = static_cast<std::uint64_t>(static_cast<double>(rows) / seconds);
    std::array<char, 64> text{};
    char* p = text.data();
    p = std::to_chars(p, text.data() + 24, percent > 100 ? 100 : percent).ptr;
    *p++ = '%';
    *p++ = ' ';
    p = std::to_chars(p, p + 24, rate).ptr;
    progressLine_.assign(ProgramName);
    progressLine_ += ": ";
    progressLine_ += progressFile_;
    progressLine_ += ": ";
    progressLine_.append(text.data(), p);
    progressLine_ += " rows/s";
    Flush();
  }

  Platform& platform_;
  bool quiet_;
  std::string pending_;
  std::string frame_;
  std::string progressLine_;
  std::string progressFile_;
  std::uint64_t progressSize_ = 0;
  std::uint64_t start_ = 0;
  std::uint64_t lastDraw_ = 0;
  bool progressOn_ = false;
  bool shown_ = false;
};

Result Compute(tables::Pair pair, const tables::Measured& m) noexcept {
  switch (pair) {
    case tables::Pair::WetBulb:
      return FromDryBulbWetBulb(m.dryBulb, m.second, m.pressure);
    case tables::Pair::DewPoint:
      return FromDryBulbDewPoint(m.dryBulb, m.second, m.pressure);
    case tables::Pair::RelativeHumidity:
      return FromDryBulbRelativeHumidity(m.dryBulb, m.second, m.pressure);
    case tables::Pair::HumidityRatio:
      return FromDryBulbHumidityRatio(m.dryBulb, m.second, m.pressure);
  }
  return {};
}

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
  const bool standardInput = name == "-";
  const std::string_view file = standardInput ? StandardInputName : std::string_view(name);
  int fd = StandardInput;
  if (!standardInput) {
    int error = 0;
    fd = platform_.OpenRead(name.c_str(), &error);
    if (fd < 0) {
      messages_.Line(file, 0, ErrorText(error));
      skipped_ = true;
      return true;
    }
  }
  FdSource source(platform_, fd);
  TableReader table(source, options_.pressure, options_.bufferBytes);
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
      if (const auto size = platform_.RegularFileSize(fd)) messages_.StartProgress(file, *size);
      going = ReadRows(table, file);
      messages_.EndProgress();
      break;
  }
  if (!standardInput) (void)platform_.Close(fd);
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
      writer_->WriteRow(out_, row.record, ComputedOutcome(pair, Compute(pair, row.measured)));
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
  Messages messages(platform, options.quiet);
  const bool toStandardOutput = options.output.empty() || options.output == "-";
  const std::string_view outputName =
      toStandardOutput ? std::string_view("(standard output)") : std::string_view(options.output);
  int fd = StandardOutput;
  if (!toStandardOutput) {
    int error = 0;
    fd = platform.OpenWrite(options.output.c_str(), &error);
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

#include "cli/messages.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <optional>

namespace hygrian::cli {
namespace {

constexpr std::size_t kMessageBuffer = std::size_t{64} << 10;
constexpr std::uint64_t kProgressInterval = 100'000'000;  // ns: ten displays a second at most
constexpr std::string_view kEraseLine = "\r\x1b[K";

bool IsContinuation(char c) { return (static_cast<unsigned char>(c) & 0xC0U) == 0x80U; }

// The columns a text takes: one per character (UTF-8 lead byte).
std::size_t Width(std::string_view text) {
  return static_cast<std::size_t>(
      std::count_if(text.begin(), text.end(), [](char c) { return !IsContinuation(c); }));
}

// The last characters of text that take at most width columns.
std::string_view Tail(std::string_view text, std::size_t width) {
  std::size_t start = text.size();
  for (std::size_t taken = 0; start > 0 && taken < width; ++taken) {
    --start;
    while (start > 0 && IsContinuation(text[start])) --start;
  }
  return text.substr(start);
}

}  // namespace

Messages::Messages(Platform& platform, std::string_view program, bool quiet)
    : platform_(platform), program_(program), quiet_(quiet) {
  pending_.reserve(kMessageBuffer);
}

void Messages::Line(std::string_view file, std::uint64_t line, std::string_view message) {
  pending_ += program_;
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
  if (pending_.size() >= kMessageBuffer) Flush();
}

void Messages::Note(std::string_view text) {
  pending_ += program_;
  pending_ += ": ";
  pending_ += text;
  pending_ += '\n';
}

void Messages::StartProgress(std::string_view file, std::uint64_t size) {
  if (quiet_ || !platform_.IsTerminal(kStandardError)) return;
  progressFile_ = file;
  progressSize_ = size;
  progressOn_ = true;
  start_ = platform_.Now();
  lastDraw_ = start_;
}

void Messages::EndProgress() {
  if (!progressOn_) return;
  progressOn_ = false;
  Flush();
}

void Messages::Flush() {
  frame_.clear();
  if (shown_) frame_ += kEraseLine;
  shown_ = false;
  frame_ += pending_;
  pending_.clear();
  if (progressOn_) {
    frame_ += progressLine_;
    shown_ = !progressLine_.empty();
  }
  if (!frame_.empty()) (void)platform_.WriteAll(kStandardError, frame_.data(), frame_.size());
}

void Messages::Redraw(std::uint64_t bytes, std::uint64_t rows) {
  const std::uint64_t now = platform_.Now();
  if (now - lastDraw_ < kProgressInterval) return;
  lastDraw_ = now;
  const std::uint64_t percent = progressSize_ == 0 ? 100 : bytes * 100 / progressSize_;
  const double seconds = static_cast<double>(now - start_) / 1e9;
  const auto rate = static_cast<std::uint64_t>(static_cast<double>(rows) / seconds);
  std::array<char, 64> text{};
  char* p = text.data();
  p = std::to_chars(p, text.data() + 24, percent > 100 ? 100 : percent).ptr;
  *p++ = '%';
  *p++ = ' ';
  p = std::to_chars(p, p + 24, rate).ptr;
  progressLine_.assign(program_);
  progressLine_ += ": ";
  const std::string_view figures(text.data(), static_cast<std::size_t>(p - text.data()));
  constexpr std::string_view kRate = " rows/s";
  // The last column stays free: a line that fills it wraps on some terminals.
  const std::optional<int> columns = platform_.TerminalColumns(kStandardError);
  const std::size_t fixed = program_.size() + 4 + figures.size() + kRate.size();
  std::string_view file = progressFile_;
  bool cut = false;
  if (columns) {
    const auto room = static_cast<std::size_t>(std::max(*columns - 1, 0));
    if (fixed + Width(file) > room) {
      cut = true;
      // "..." and at least four characters of the name, or no name at all.
      file = room >= fixed + 7 ? Tail(file, room - fixed - 3) : std::string_view{};
    }
  }
  // Narrower still: the figures alone.
  if (columns && program_.size() + 2 + figures.size() + kRate.size() + 1 >
                     static_cast<std::size_t>(std::max(*columns, 0))) {
    progressLine_.clear();
  }
  if (cut && !file.empty()) progressLine_ += "...";
  if (!cut || !file.empty()) {
    progressLine_ += file;
    progressLine_ += ": ";
  }
  progressLine_ += figures;
  progressLine_ += kRate;
  Flush();
}

}  // namespace hygrian::cli

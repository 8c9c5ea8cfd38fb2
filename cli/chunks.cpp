#include "cli/chunks.h"

#include <cstring>

namespace hygrian::cli {

std::size_t ChunkScanner::Scan(std::string_view bytes) {
  if (bytes.empty()) return std::string_view::npos;
  // Most tables hold no quote: then only the last line end matters.
  if ((state_ == State::FieldStart || state_ == State::Unquoted) &&
      std::memchr(bytes.data(), '"', bytes.size()) == nullptr) {
    const char last = bytes.back();
    const std::size_t end = bytes.rfind('\n');
    state_ = last == '\n' || last == delimiter_ ? State::FieldStart : State::Unquoted;
    return end == std::string_view::npos ? end : end + 1;
  }
  std::size_t cut = std::string_view::npos;
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    const char byte = bytes[i];
    if (state_ == State::Quoted) {
      if (byte == '"') state_ = State::QuoteSeen;
      continue;
    }
    // A quote opens a field at its start; after a quote inside quotes, it is
    // one quote of data.
    if (byte == '"' && (state_ == State::FieldStart || state_ == State::QuoteSeen)) {
      state_ = State::Quoted;
      continue;
    }
    // Outside quotes.
    if (byte == '\n') {
      cut = i + 1;
      state_ = State::FieldStart;
    } else {
      state_ = byte == delimiter_ ? State::FieldStart : State::Unquoted;
    }
  }
  return cut;
}

}  // namespace hygrian::cli

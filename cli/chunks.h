// Where a table's rows may be cut into pieces that are read on their own: after
// a line end outside quotes, as the CSV reader reads quotes (one opens a field
// only at its start; inside it, a line end is data and "" is one quote).
#pragma once

#include <cstddef>
#include <string_view>

namespace hygrian::cli {

class ChunkScanner {
 public:
  // delimiter: the byte between fields, as the rows are read.
  explicit ChunkScanner(char delimiter) : delimiter_(delimiter) {}

  // Reads on through bytes, which follow those read since Reset, and returns the
  // offset within bytes just past their last line end outside quotes, or npos:
  //   a,"b\n  -> npos     (the line end is inside quotes)
  //   c"\nd,e -> 3        (after the quote closed)
  [[nodiscard]] std::size_t Scan(std::string_view bytes);
  // From now on the bytes start a record.
  void Reset() { state_ = State::FieldStart; }

 private:
  enum class State {
    FieldStart,  // nothing of the field yet: a quote opens it
    Unquoted,    // a quote is data
    Quoted,      // a line end is data
    QuoteSeen,   // a quote inside quotes: a doubled quote or the closing one
  };
  char delimiter_;
  State state_ = State::FieldStart;
};

}  // namespace hygrian::cli

// The messages about the rows of one file that are left out, fewer and better:
// at most kMessagesPerReason of each reason, one line at the end counting the
// rest, and a hint once when the first value that is not a number holds a comma
// (numbers with a decimal comma, read without --decimal-comma).
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "cli/messages.h"
#include "tables/table.h"

namespace hygrian::cli {

inline constexpr std::uint64_t kMessagesPerReason = 10;

class RowMessages {
 public:
  // decimalComma: the numbers are read with a decimal comma already (no hint).
  RowMessages(Messages& messages, std::string_view file, bool decimalComma)
      : messages_(messages), file_(file), decimalComma_(decimalComma) {}

  // "FILE:LINE: reason" for a row whose values are bad, unless enough of its
  // reason have been written; the hint after the first value that is not a number.
  void Bad(std::uint64_t line, const tables::Measured& measured, std::string_view reason);
  // Another reason than the table's (a computation's): counted as one reason.
  void Other(std::uint64_t line, std::string_view reason);
  // At the end of the file: "FILE: 28 more rows left out for the reasons above
  // (10 shown for each)", when some were not written.
  void End();
  // The file the messages name.
  [[nodiscard]] std::string_view File() const { return file_; }

 private:
  static constexpr std::size_t kReasons =
      static_cast<std::size_t>(tables::BadInput::PressureOutsideRange) + 2;  // and Other
  void Write(std::size_t reason, std::uint64_t line, std::string_view text);

  Messages& messages_;
  std::string_view file_;
  bool decimalComma_;
  std::array<std::uint64_t, kReasons> shown_{};
  std::uint64_t unshown_ = 0;
  bool firstNotANumber_ = true;
};

}  // namespace hygrian::cli

#include "cli/row_messages.h"

#include <charconv>
#include <string>

namespace hygrian::cli {

void RowMessages::Bad(std::uint64_t line, const tables::Measured& measured,
                      std::string_view reason) {
  Write(static_cast<std::size_t>(measured.bad), line, reason);
  if (measured.bad != tables::BadInput::NotANumber || !firstNotANumber_) return;
  firstNotANumber_ = false;
  if (!decimalComma_ && measured.text.find(',') != std::string_view::npos) {
    messages_.Row(file_, 0, "hint: numbers with a decimal comma (23,5) need --decimal-comma");
  }
}

void RowMessages::Other(std::uint64_t line, std::string_view reason) {
  Write(kReasons - 1, line, reason);
}

void RowMessages::Write(std::size_t reason, std::uint64_t line, std::string_view text) {
  std::uint64_t& shown = shown_[reason];
  if (shown < kMessagesPerReason) {
    ++shown;
    messages_.Row(file_, line, text);
  } else {
    ++unshown_;
  }
}

void RowMessages::End() {
  if (unshown_ == 0) return;
  const auto number = [](std::uint64_t value) {
    std::array<char, 24> digits{};
    return std::string(digits.data(),
                       std::to_chars(digits.data(), digits.data() + digits.size(), value).ptr);
  };
  messages_.Row(file_, 0,
                number(unshown_) + " more " + (unshown_ == 1 ? "row" : "rows") +
                    " left out for the reasons above (" + number(kMessagesPerReason) +
                    " shown for each)");
  unshown_ = 0;
}

}  // namespace hygrian::cli

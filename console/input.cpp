#include "console/input.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>
#include <variant>

#include "console/failure.h"
#include "console/numbers.h"
#include "console/output.h"

namespace hygrian {
namespace {

constexpr char kLineFeed = '\n';
constexpr char kCarriageReturn = '\r';
constexpr char kCtrlZ = '\x1A';

// A value text longer than this is possible only in stream mode (a terminal
// line holds fewer characters) and is rejected as an invalid number.
constexpr std::size_t kValueCapacity = 259;

enum class ValueKind { Plain, Parenthesised, Quoted };

[[noreturn]] void Fail(Console& console, ConsoleFailure failure) {
  RaiseConsoleFailure(console, failure);
}

ConsoleFailure FailureOf(NumberError error) {
  switch (error) {
    case NumberError::IntegerOverflow:
      return ConsoleFailure::IntegerOverflow;
    case NumberError::InvalidInteger:
      return ConsoleFailure::InvalidInteger;
    case NumberError::MultipleRadix:
      return ConsoleFailure::MultipleRadix;
    case NumberError::IllegalRadix:
      return ConsoleFailure::IllegalRadix;
    case NumberError::InvalidReal:
      return ConsoleFailure::InvalidReal;
    case NumberError::RealOutOfRange:
      return ConsoleFailure::RealIndefinite;
    case NumberError::None:
      break;
  }
  return ConsoleFailure::InvalidInteger;
}

bool Interactive(Console& console) { return console.platform.IsTerminal(Stream::Input); }

char& ByteAt(LineBuffer& line, std::int32_t index) {
  return line.bytes[static_cast<std::size_t>(index)];
}

// The last of the n bytes just read is not an LF. A terminal hands over one line
// per read, so a short read is a whole line that lacks only its end, and a full
// buffer means the typed line did not fit. A stream read stops wherever the
// writer had got to, so the line goes on in the next read.
void ReadEndedInsideLine(Console& console, std::size_t n) {
  LineBuffer& line = console.line;
  if (!Interactive(console)) {
    line.unended = true;
    return;
  }
  if (n == line.bytes.size()) Fail(console, ConsoleFailure::TerminalBufferOverflow);
  line.bytes[n] = kLineFeed;
  line.end = static_cast<std::int32_t>(n);
}

}  // namespace

char FillLineBuffer(Console& console) {
  LineBuffer& line = console.line;
  const IoResult result = console.platform.Read(line.bytes);
  line.position = 0;
  line.end = -1;
  if (result.count < 0) Fail(console, ConsoleFailure::ReadFailed);
  const auto n = static_cast<std::size_t>(result.count);
  if (n == 0) {
    if (!line.unended) Fail(console, ConsoleFailure::EndOfFile);
    // The input ended inside a line. That line ends here, with an LF that stands
    // in the buffer like a read one, so the scanner can step back onto it; the
    // next fill reads again and meets the end of input itself.
    line.unended = false;
    line.bytes[0] = kLineFeed;
    line.end = 0;
    line.position = 1;
    return kLineFeed;
  }
  line.end = static_cast<std::int32_t>(n) - 1;
  line.unended = false;
  if (line.bytes[n - 1] != kLineFeed) ReadEndedInsideLine(console, n);
  if (n >= 3 && line.bytes[n - 3] == kCtrlZ) Fail(console, ConsoleFailure::EndOfFile);
  line.position = 1;
  return line.bytes[0];
}

namespace {

char FetchByte(Console& console) {
  LineBuffer& line = console.line;
  if (line.position > line.end) return FillLineBuffer(console);
  return ByteAt(line, line.position++);
}

void SkipRestOfLine(Console& console) {
  LineBuffer& line = console.line;
  if (Interactive(console)) {
    if (line.position == 0 && line.end < 0) FillLineBuffer(console);
    line.position = 0;
    line.end = -1;
  } else {
    while (FetchByte(console) != kLineFeed) {
    }
  }
  EndConsoleRead(console);
}

// The scanner of one input statement.
class ListScanner {
 public:
  explicit ListScanner(Console& console) : console_(console) {}

  void Read(std::span<const InputItem> items) {
    BeginConsoleRead(console_);
    for (const InputItem& item : items) {
      if (lastSeparator_ == '/' && repeatLeft_ == 0) continue;
      ScanValue();
      Assign(item);
    }
    // A value ended by its line's end has already dropped that line.
    if (!endedAtLineEnd_) SkipRestOfLine(console_);
  }

 private:
  std::string_view Text() const { return {valueText_.data(), valueLength_}; }

  void Append(char c) {
    if (valueLength_ == valueText_.size()) Fail(console_, ConsoleFailure::InvalidNumber);
    valueText_[valueLength_++] = c;
  }

  void ScanValue() {
    if (repeatLeft_ > 0) {
      --repeatLeft_;
      return;  // the previous value's text and kind stand
    }
    endedAtLineEnd_ = false;
    valueLength_ = 0;
    valueKind_ = ValueKind::Plain;
    for (;;) {
      if (valueKind_ == ValueKind::Quoted) {
        if (ScanQuoted()) return;
        continue;
      }
      char c = FetchByte(console_);
      if (c == kCarriageReturn || c == kLineFeed) {
        // The line end acts as a blank once its line has been dropped.
        --console_.line.position;
        SkipRestOfLine(console_);
        if (valueLength_ > 0) endedAtLineEnd_ = true;
        c = ' ';
      }
      if (ScanByte(c)) return;
    }
  }

  // Takes one byte of a value that is not quoted; true when the value has ended.
  bool ScanByte(char c) {
    switch (c) {
      case ' ':
      case '\t':
        if (valueLength_ == 0 && repeatLeft_ == 0) return false;
        if (valueKind_ == ValueKind::Parenthesised) return false;
        lastSeparator_ = ' ';
        return true;
      case '(':
        if (valueLength_ > 0) break;
        valueKind_ = ValueKind::Parenthesised;
        return false;
      case ')':
        if (valueKind_ != ValueKind::Parenthesised) break;
        lastSeparator_ = ' ';
        return true;
      case '\'':
      case '"':
        if (valueLength_ > 0) break;
        valueKind_ = ValueKind::Quoted;
        quoteMark_ = c;
        return false;
      case '*':
        StartRepeat();
        return false;
      case ',':
        if (valueLength_ == 0 && lastSeparator_ == ' ' && repeatLeft_ == 0) {
          lastSeparator_ = ',';
          return false;
        }
        if (valueKind_ == ValueKind::Parenthesised) break;
        lastSeparator_ = ',';
        return true;
      case '/':
        lastSeparator_ = '/';
        return true;
      default:
        break;
    }
    Append(c);
    return false;
  }

  void StartRepeat() {
    if (repeatLeft_ != 0) Fail(console_, ConsoleFailure::MultipleRepeat);
    const IntegerValue count = ParseInteger(Text());
    if (count.error != NumberError::None) Fail(console_, FailureOf(count.error));
    if (count.value < 1) Fail(console_, ConsoleFailure::RepeatNotPositive);
    repeatLeft_ = static_cast<std::uint32_t>(count.value) - 1;
    valueLength_ = 0;
  }

  // Scans a character constant up to its closing mark (a doubled mark stands for
  // one); true when the value has ended, false when a line end interrupted it and
  // scanning goes on with the next line.
  bool ScanQuoted() {
    for (;;) {
      const char c = FetchByte(console_);
      if (c == kCarriageReturn || c == kLineFeed) {
        --console_.line.position;
        SkipRestOfLine(console_);
        return false;
      }
      if (c != quoteMark_) {
        Append(c);
        continue;
      }
      const char next = FetchByte(console_);
      if (next == quoteMark_) {
        Append(c);
        continue;
      }
      if (next == kLineFeed) --console_.line.position;
      lastSeparator_ = next;
      return true;
    }
  }

  void Assign(const InputItem& item) {
    if (valueLength_ == 0) return;  // null value
    if (valueKind_ != ValueKind::Plain) Fail(console_, ConsoleFailure::InvalidNumber);
    std::visit([this](auto* target) { Store(target); }, item);
  }

  void Store(std::int32_t* target) {
    const IntegerValue value = ParseInteger(Text());
    if (value.error != NumberError::None) Fail(console_, FailureOf(value.error));
    *target = value.value;
  }

  void Store(double* target) {
    const RealValue value = ParseReal(Text());
    if (value.error != NumberError::None) Fail(console_, FailureOf(value.error));
    *target = value.value;
  }

  Console& console_;
  char lastSeparator_ = ',';
  std::uint32_t repeatLeft_ = 0;
  bool endedAtLineEnd_ = false;
  std::array<char, kValueCapacity> valueText_{};
  std::size_t valueLength_ = 0;
  ValueKind valueKind_ = ValueKind::Plain;
  char quoteMark_ = '\'';
};

}  // namespace

void ReadStatement(Console& console, std::span<const InputItem> items) {
  ListScanner(console).Read(items);
}

void ReadInteger(Console& console, std::int32_t& target) {
  const InputItem items[] = {&target};
  ReadStatement(console, items);
}

void ReadReals(Console& console, double& first, double& second) {
  const InputItem items[] = {&first, &second};
  ReadStatement(console, items);
}

}  // namespace hygrian

#include "console/output.h"

#include <cerrno>

#include "console/failure.h"
#include "console/fields.h"

namespace hygrian {
namespace {

constexpr std::string_view kCrLf = "\r\n";

void WriteUnchecked(Console& console, std::string_view bytes) {
  if (!bytes.empty()) console.platform.Write(Stream::Output, bytes);
}

// Record texts are the writes whose failures are reported: a full device and a
// refused write end the program, any other shortfall loses the text.
void WriteChecked(Console& console, std::string_view bytes) {
  if (bytes.empty()) return;
  const IoResult result = console.platform.Write(Stream::Output, bytes);
  if (result.count == static_cast<std::int64_t>(bytes.size())) return;
  if (result.error == ENOSPC) RaiseConsoleFailure(console, ConsoleFailure::DeviceFull);
  if (result.error == EACCES || result.error == EPERM) {
    RaiseConsoleFailure(console, ConsoleFailure::ReadOnly);
  }
}

std::string_view LineAdvance(char control, bool lineOpen) {
  switch (control) {
    case '0':
      return lineOpen ? "\r\n\r\n" : "\r\n";
    case '1':
      return "\r\n\f\r \r";
    case '+':
      return "\r";
    default:
      return lineOpen ? kCrLf : std::string_view();
  }
}

// Builds the records of one statement in a fixed buffer and emits each as it
// ends. A record longer than the buffer goes out in pieces on the same line.
class RecordBuilder {
 public:
  explicit RecordBuilder(Console& console) : console_(console) {}

  void AddBlanks(int count) { pendingBlanks_ += count; }

  void AddText(std::string_view text) {
    for (; pendingBlanks_ > 0; --pendingBlanks_) Append(' ');
    for (const char c : text) Append(c);
  }

  // Blanks in front of a placed field are pending, like Blanks items.
  void AddField(std::string_view placed) {
    std::size_t lead = 0;
    while (lead < placed.size() && placed[lead] == ' ') ++lead;
    pendingBlanks_ += static_cast<int>(lead);
    AddText(placed.substr(lead));
  }

  void EndRecord() {
    pendingBlanks_ = 0;
    if (!firstPieceWritten_ && length_ == 0) Append(' ');  // an empty record is one blank
    WriteHeld();
    console_.lineOpen = true;
    firstPieceWritten_ = false;
  }

 private:
  std::string_view Held() const { return {buffer_.data(), static_cast<std::size_t>(length_)}; }

  void Append(char c) {
    if (length_ == RecordCapacity) WritePiece();
    buffer_[static_cast<std::size_t>(length_++)] = c;
  }

  void WritePiece() {
    WriteHeld();
    firstPieceWritten_ = true;
  }

  // The first piece of a record carries its carriage control; later pieces and
  // the rest of a long record go out as they stand.
  void WriteHeld() {
    if (firstPieceWritten_) {
      WriteChecked(console_, Held());
    } else {
      WriteUnchecked(console_, LineAdvance(buffer_[0], console_.lineOpen));
      WriteChecked(console_, Held().substr(1));
    }
    length_ = 0;
  }

  Console& console_;
  std::array<char, RecordCapacity> buffer_{};
  int length_ = 0;
  int pendingBlanks_ = 0;
  bool firstPieceWritten_ = false;
};

}  // namespace

void WriteStatement(Console& console, std::span<const OutputItem> items,
                    std::span<const double> values) {
  RecordBuilder record(console);
  std::size_t nextValue = 0;
  for (const OutputItem& item : items) {
    switch (item.kind) {
      case OutputItemKind::Text:
        record.AddText(item.text);
        break;
      case OutputItemKind::Blanks:
        record.AddBlanks(item.count);
        break;
      case OutputItemKind::RecordBreak:
        record.EndRecord();
        break;
      case OutputItemKind::FixedField:
        record.AddField(
            PlaceField(FormatFixed(values[nextValue++], item.decimals).View(), item.width).View());
        break;
      case OutputItemKind::ExponentField:
        record.AddField(
            PlaceField(FormatExponent(values[nextValue++], item.decimals).View(), item.width)
                .View());
        break;
    }
  }
  record.EndRecord();
}

void BeginConsoleRead(Console& console) {
  if (console.sharedWithInput && console.lineOpen) WriteUnchecked(console, kCrLf);
}

void EndConsoleRead(Console& console) {
  if (console.sharedWithInput) console.lineOpen = false;
}

void CloseLineAtStop(Console& console) {
  if (console.lineOpen) WriteUnchecked(console, kCrLf);
}

void CloseLineAtExit(Console& console) {
  if (console.lineOpen) WriteUnchecked(console, kCrLf);
}

}  // namespace hygrian

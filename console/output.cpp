#include "console/output.h"

#include <algorithm>
#include <cerrno>

#include "console/failure.h"
#include "console/fields.h"

namespace hygrian {
namespace {

constexpr auto kCapacity = static_cast<std::size_t>(kRecordCapacity);

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
  if (control == ' ') return lineOpen ? kLineEnd : std::string_view();  // nearly every record
  switch (control) {
    case '0':
      return lineOpen ? "\r\n\r\n" : "\r\n";
    case '1':
      return "\r\n\f\r \r";
    case '+':
      return "\r";
    default:
      return lineOpen ? kLineEnd : std::string_view();
  }
}

// Builds the records of one statement in a fixed buffer and emits each as it
// ends. Text is copied in runs; a record longer than the buffer goes out in pieces
// on the same line, a piece being written only when the buffer is full and more
// is to come.
class RecordBuilder {
 public:
  explicit RecordBuilder(Console& console) : console_(console) {}

  void AddBlanks(int count) { pendingBlanks_ += count; }

  void AddText(std::string_view text) {
    AppendPendingBlanks();
    if (text.size() <= kCapacity - length_) {
      std::copy_n(text.begin(), text.size(),
                  buffer_.begin() + static_cast<std::ptrdiff_t>(length_));
      length_ += text.size();
      return;
    }
    Append(text);
  }

  // A placed field: the blanks in front of its text are pending, like Blanks items,
  // and the text goes straight into the buffer when it fits there.
  void AddField(const NumericField& field, int width) {
    const auto w =
        static_cast<std::size_t>(std::clamp(width, 0, static_cast<int>(kFieldTextCapacity)));
    if (field.length > w) {
      AppendPendingBlanks();
      AppendRun('*', w);
      return;
    }
    pendingBlanks_ += static_cast<int>(w - field.length);
    AppendPendingBlanks();
    if (field.length <= kCapacity - length_) {
      const bool composed = ComposeField(field, std::span(buffer_).subspan(length_));
      if (composed) length_ += field.length;
      return;
    }
    const FieldText text = FormatText(field);
    Append(text.View());
  }

  // An empty record is one blank: its line advance and no text.
  void EndRecord() {
    pendingBlanks_ = 0;
    if (firstPieceWritten_) {
      WriteChecked(console_, Held());
      firstPieceWritten_ = false;
    } else if (length_ == 0) {
      WriteUnchecked(console_, LineAdvance(' ', console_.lineOpen));
    } else {
      WriteFirstPiece();
    }
    length_ = 0;
    console_.lineOpen = true;
  }

 private:
  static FieldText FormatText(const NumericField& field) {
    FieldText text;
    if (ComposeField(field, text.chars)) text.length = field.length;
    return text;
  }

  std::string_view Held() const { return {buffer_.data(), length_}; }

  void AppendPendingBlanks() {
    if (pendingBlanks_ <= 0) return;
    AppendRun(' ', static_cast<std::size_t>(pendingBlanks_));
    pendingBlanks_ = 0;
  }

  void Append(std::string_view text) {
    while (!text.empty()) {
      if (length_ == kCapacity) WritePiece();
      const std::size_t n = std::min(text.size(), kCapacity - length_);
      std::copy_n(text.begin(), n, buffer_.begin() + static_cast<std::ptrdiff_t>(length_));
      length_ += n;
      text.remove_prefix(n);
    }
  }

  // Blanks (or asterisks) in a run. Eight at a time when the buffer has room for
  // eight: one store instead of a loop, the characters past the run being
  // beyond length_ and so of no account.
  void AppendRun(char c, std::size_t count) {
    if (count <= 8 && kCapacity - length_ >= 8) {
      std::fill_n(buffer_.begin() + static_cast<std::ptrdiff_t>(length_), 8, c);
      length_ += count;
      return;
    }
    while (count > 0) {
      if (length_ == kCapacity) WritePiece();
      const std::size_t n = std::min(count, kCapacity - length_);
      std::fill_n(buffer_.begin() + static_cast<std::ptrdiff_t>(length_), n, c);
      length_ += n;
      count -= n;
    }
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
      WriteFirstPiece();
    }
    length_ = 0;
  }

  void WriteFirstPiece() {
    WriteUnchecked(console_, LineAdvance(buffer_[0], console_.lineOpen));
    WriteChecked(console_, {buffer_.data() + 1, length_ - 1});
  }

  Console& console_;
  std::array<char, kCapacity> buffer_;  // only the first length_ characters are meaningful
  std::size_t length_ = 0;
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
        record.AddField(PrepareFixed(values[nextValue++], item.decimals), item.width);
        break;
      case OutputItemKind::ExponentField:
        record.AddField(PrepareExponent(values[nextValue++], item.decimals), item.width);
        break;
    }
  }
  record.EndRecord();
}

void BeginConsoleRead(Console& console) {
  if (console.sharedWithInput && console.lineOpen) WriteUnchecked(console, kLineEnd);
}

void EndConsoleRead(Console& console) {
  if (console.sharedWithInput) console.lineOpen = false;
}

}  // namespace hygrian

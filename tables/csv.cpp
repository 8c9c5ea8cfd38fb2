#include "tables/csv.h"

#include <algorithm>
#include <cstring>

namespace hygrian::tables {
namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

enum class State {
  FieldStart,  // nothing of the field yet
  Unquoted,    // bytes taken as they are, up to a comma or line end
  Quoted,      // inside quotes
  QuoteSeen,   // a quote inside quotes: a doubled quote or the closing one
};

}  // namespace

// Offsets into buffer_ of the record being decoded.
struct CsvReader::Cursor {
  std::size_t recordBegin = 0;
  std::size_t written = 0;     // end of the decoded bytes
  std::size_t fieldStart = 0;  // where the current field's decoded bytes begin
  std::size_t rawStart = 0;    // decoded bytes from here on were outside quotes
};

CsvReader::CsvReader(ByteSource& source, std::size_t bufferBytes)
    : source_(source),
      buffer_(std::max<std::size_t>(bufferBytes, 4)),
      bufferBytes_(buffer_.size()),
      minimumRead_(buffer_.size() / 4) {}

// Moves the decoded part of the record to the front, grows the buffer if the
// room left is small, and reads more. False at the end of the input or on an
// error.
bool CsvReader::Refill(Cursor& cursor) {
  if (ended_ || error_ != 0) return false;
  if (buffer_.size() - end_ < minimumRead_) {
    // Only the decoded bytes and the unread input are kept; the raw bytes they
    // were decoded from are gone.
    const std::size_t decoded = cursor.written - cursor.recordBegin;
    const std::size_t unread = end_ - next_;
    std::memmove(buffer_.data(), buffer_.data() + cursor.recordBegin, decoded);
    std::memmove(buffer_.data() + decoded, buffer_.data() + next_, unread);
    cursor.fieldStart -= cursor.recordBegin;
    cursor.rawStart -= cursor.recordBegin;
    cursor.written = decoded;
    cursor.recordBegin = 0;
    next_ = decoded;
    end_ = decoded + unread;
    if (buffer_.size() - end_ < minimumRead_) buffer_.resize(end_ + bufferBytes_);
  }
  for (;;) {
    int error = 0;
    const std::ptrdiff_t count = source_.Read(buffer_.data() + end_, buffer_.size() - end_, &error);
    if (count > 0) {
      end_ += static_cast<std::size_t>(count);
      bytesRead_ += static_cast<std::uint64_t>(count);
      return true;
    }
    if (count == 0) {
      ended_ = true;
    } else {
      error_ = error != 0 ? error : -1;
    }
    return false;
  }
}

bool CsvReader::SkipByteOrderMark() {
  atStart_ = false;
  Cursor cursor{next_, next_, next_, next_};
  while (end_ - next_ < 3 && Refill(cursor)) {
  }
  if (error_ != 0) return false;
  if (end_ - next_ >= 3 && std::memcmp(buffer_.data() + next_, "\xEF\xBB\xBF", 3) == 0) next_ += 3;
  return true;
}

CsvNext CsvReader::Next(CsvRecord& record) {
  if (atStart_ && !SkipByteOrderMark()) return CsvNext::ReadError;
  for (;;) {
    Cursor c{next_, next_, next_, next_};
    bounds_.clear();
    std::size_t fieldCount = 0;
    bool tooLong = false;
    bool firstQuoted = false;
    bool any = false;  // a byte of this record was consumed
    const std::uint64_t startLine = line_;
    std::uint64_t quoteLine = 0;
    // Whole lines: the delimiter is the line end, which is looked at first.
    const char delimiter = wholeLines_ ? '\n' : delimiter_;
    const bool quoting = !wholeLines_;
    State state = State::FieldStart;
    char* data = buffer_.data();

    const auto store = [&](char byte) {
      if (fieldCount >= fieldLimit_) return;
      // One byte more than the limit is kept, for a CR that may turn out to
      // belong to the line end; EndField cuts the field to the limit.
      if (c.written - c.fieldStart <= MaxFieldBytes) {
        data[c.written++] = byte;
      } else {
        tooLong = true;
      }
    };
    // atLineEnd: a CR that ends the field outside quotes belongs to the line end.
    const auto endField = [&](bool atLineEnd) {
      if (fieldCount < fieldLimit_) {
        if (atLineEnd && c.written > c.rawStart && data[c.written - 1] == '\r') --c.written;
        if (c.written - c.fieldStart > MaxFieldBytes) {
          tooLong = true;
          c.written = c.fieldStart + MaxFieldBytes;
        }
        bounds_.push_back(c.fieldStart - c.recordBegin);
        bounds_.push_back(c.written - c.recordBegin);
      }
      ++fieldCount;
      c.fieldStart = c.written;
      c.rawStart = c.written;
    };

    std::uint64_t unclosed = 0;
    bool recordEnded = false;
    while (!recordEnded) {
      if (next_ == end_) {
        const bool more = Refill(c);
        data = buffer_.data();  // the buffer may have moved, even at the end of the input
        if (!more) {
          if (error_ != 0) return CsvNext::ReadError;
          if (!any) return CsvNext::End;
          if (state == State::Quoted) unclosed = quoteLine;
          endField(state != State::Quoted);
          break;
        }
      }
      const char byte = data[next_++];
      any = true;
      switch (state) {
        case State::FieldStart:
          if (byte == '"' && quoting) {
            if (fieldCount == 0) firstQuoted = true;
            quoteLine = line_;
            state = State::Quoted;
            break;
          }
          state = State::Unquoted;
          [[fallthrough]];
        case State::Unquoted:
          if (byte == '\n') {
            ++line_;
            endField(true);
            recordEnded = true;
          } else if (byte == delimiter) {
            endField(false);
            state = State::FieldStart;
          } else {
            store(byte);
          }
          break;
        case State::Quoted:
          if (byte == '"') {
            state = State::QuoteSeen;
          } else {
            if (byte == '\n') ++line_;
            store(byte);
          }
          break;
        case State::QuoteSeen:
          if (byte == '"') {
            store('"');
            state = State::Quoted;
          } else {
            c.rawStart = c.written;
            state = State::Unquoted;
            --next_;  // read it again as a byte outside quotes
          }
          break;
      }
    }

    if (fieldCount == 1 && !firstQuoted && !tooLong && !bounds_.empty() &&
        std::all_of(data + c.recordBegin + bounds_[0], data + c.recordBegin + bounds_[1],
                    IsBlank)) {
      continue;  // a blank line is not a record
    }
    views_.clear();
    for (std::size_t i = 0; i < bounds_.size(); i += 2) {
      views_.emplace_back(data + c.recordBegin + bounds_[i], bounds_[i + 1] - bounds_[i]);
    }
    record.fields = views_;
    record.fieldCount = fieldCount;
    record.line = startLine;
    record.fieldTooLong = tooLong;
    record.unclosedQuote = unclosed;
    return CsvNext::Record;
  }
}

std::size_t CsvFieldSize(std::string_view field) noexcept {
  std::size_t quotes = 0;
  bool special = false;
  for (const char c : field) {
    if (c == '"') {
      ++quotes;
    } else if (c == ',' || c == '\n' || c == '\r') {
      special = true;
    }
  }
  if (quotes == 0 && !special) return field.size();
  return field.size() + quotes + 2;
}

char* WriteCsvField(char* out, std::string_view field) noexcept {
  const bool quoted = field.find_first_of(",\"\r\n") != std::string_view::npos;
  if (!quoted) {
    if (!field.empty()) std::memcpy(out, field.data(), field.size());
    return out + field.size();
  }
  *out++ = '"';
  for (const char c : field) {
    *out++ = c;
    if (c == '"') *out++ = '"';
  }
  *out++ = '"';
  return out;
}

}  // namespace hygrian::tables

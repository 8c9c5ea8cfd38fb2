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

// The record being read: offsets into buffer_ of its decoded bytes, and what has
// been seen of it so far.
struct CsvReader::Scan {
  std::size_t recordBegin = 0;
  std::size_t written = 0;     // end of the decoded bytes
  std::size_t fieldStart = 0;  // where the current field's decoded bytes begin
  std::size_t rawStart = 0;    // decoded bytes from here on were outside quotes
  char delimiter = ',';        // the byte that ends a field outside quotes
  bool quoting = true;         // a quote at the start of a field opens a quoted field
  State state = State::FieldStart;
  std::size_t fieldCount = 0;
  std::uint64_t startLine = 0;
  std::uint64_t quoteLine = 0;  // line of the last opening quote
  std::uint64_t unclosed = 0;   // line of a quote the input ended inside, or 0
  bool tooLong = false;
  bool firstQuoted = false;
  bool any = false;    // a byte of this record was consumed
  bool ended = false;  // the record's line end was read
};

CsvReader::CsvReader(ByteSource& source, std::size_t bufferBytes)
    : source_(source),
      buffer_(std::max<std::size_t>(bufferBytes, 4)),
      bufferBytes_(buffer_.size()),
      minimumRead_(buffer_.size() / 4) {}

// Moves the decoded part of the record to the front, grows the buffer if the
// room left is small, and reads more. False at the end of the input or on an
// error.
bool CsvReader::Refill(Scan& scan) {
  if (ended_ || error_ != 0) return false;
  if (buffer_.size() - end_ < minimumRead_) {
    // Only the decoded bytes and the unread input are kept; the raw bytes they
    // were decoded from are gone.
    const std::size_t decoded = scan.written - scan.recordBegin;
    const std::size_t unread = end_ - next_;
    std::memmove(buffer_.data(), buffer_.data() + scan.recordBegin, decoded);
    std::memmove(buffer_.data() + decoded, buffer_.data() + next_, unread);
    scan.fieldStart -= scan.recordBegin;
    scan.rawStart -= scan.recordBegin;
    scan.written = decoded;
    scan.recordBegin = 0;
    next_ = decoded;
    end_ = decoded + unread;
    if (buffer_.size() - end_ < minimumRead_) buffer_.resize(end_ + bufferBytes_);
  }
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

bool CsvReader::SkipByteOrderMark() {
  atStart_ = false;
  Scan scan = StartRecord();
  while (end_ - next_ < 3 && Refill(scan)) {
  }
  if (error_ != 0) return false;
  if (end_ - next_ >= 3 && std::memcmp(buffer_.data() + next_, "\xEF\xBB\xBF", 3) == 0) next_ += 3;
  return true;
}

CsvNext CsvReader::Next(CsvRecord& record) {
  if (atStart_ && !SkipByteOrderMark()) return CsvNext::ReadError;
  for (;;) {
    Scan scan = StartRecord();
    const CsvNext next = ScanRecord(scan);
    if (next != CsvNext::Record) return next;
    if (IsBlankLine(scan)) continue;  // a blank line is not a record
    Publish(scan, record);
    return CsvNext::Record;
  }
}

CsvReader::Scan CsvReader::StartRecord() {
  bounds_.clear();
  Scan scan;
  scan.recordBegin = next_;
  scan.written = next_;
  scan.fieldStart = next_;
  scan.rawStart = next_;
  // Whole lines: the delimiter is the line end, which is looked at first.
  scan.delimiter = wholeLines_ ? '\n' : delimiter_;
  scan.quoting = !wholeLines_;
  scan.startLine = line_;
  return scan;
}

// Decodes the bytes of one record into place, refilling the buffer as needed.
CsvNext CsvReader::ScanRecord(Scan& scan) {
  while (!scan.ended) {
    if (next_ == end_ && !Refill(scan)) return EndInput(scan);
    const char byte = buffer_[next_++];
    scan.any = true;
    switch (scan.state) {
      case State::FieldStart:
        StartField(scan, byte);
        break;
      case State::Unquoted:
        ScanUnquoted(scan, byte);
        break;
      case State::Quoted:
        ScanQuoted(scan, byte);
        break;
      case State::QuoteSeen:
        ScanAfterQuote(scan, byte);
        break;
    }
  }
  return CsvNext::Record;
}

// The input has ended (or failed) while a record was being read: the record, if
// any of it was read, ends with the input.
CsvNext CsvReader::EndInput(Scan& scan) {
  if (error_ != 0) return CsvNext::ReadError;
  if (!scan.any) return CsvNext::End;
  if (scan.state == State::Quoted) scan.unclosed = scan.quoteLine;
  EndField(scan, scan.state != State::Quoted);
  return CsvNext::Record;
}

void CsvReader::StartField(Scan& scan, char byte) {
  if (byte == '"' && scan.quoting) {
    if (scan.fieldCount == 0) scan.firstQuoted = true;
    scan.quoteLine = line_;
    scan.state = State::Quoted;
    return;
  }
  scan.state = State::Unquoted;
  ScanUnquoted(scan, byte);
}

void CsvReader::ScanUnquoted(Scan& scan, char byte) {
  if (byte == '\n') {
    ++line_;
    EndField(scan, true);
    scan.ended = true;
  } else if (byte == scan.delimiter) {
    EndField(scan, false);
    scan.state = State::FieldStart;
  } else {
    Store(scan, byte);
  }
}

void CsvReader::ScanQuoted(Scan& scan, char byte) {
  if (byte == '"') {
    scan.state = State::QuoteSeen;
    return;
  }
  if (byte == '\n') ++line_;
  Store(scan, byte);
}

// After a quote inside quotes: a second quote is one quote of data; any other
// byte follows the closing quote and is read as outside quotes.
void CsvReader::ScanAfterQuote(Scan& scan, char byte) {
  if (byte == '"') {
    Store(scan, '"');
    scan.state = State::Quoted;
    return;
  }
  scan.rawStart = scan.written;
  scan.state = State::Unquoted;
  ScanUnquoted(scan, byte);
}

void CsvReader::Store(Scan& scan, char byte) {
  if (scan.fieldCount >= fieldLimit_) return;
  // One byte more than the limit is kept, for a CR that may turn out to belong
  // to the line end; EndField cuts the field to the limit.
  if (scan.written - scan.fieldStart <= kMaxFieldBytes) {
    buffer_[scan.written++] = byte;
  } else {
    scan.tooLong = true;
  }
}

// atLineEnd: a CR that ends the field outside quotes belongs to the line end.
void CsvReader::EndField(Scan& scan, bool atLineEnd) {
  if (scan.fieldCount < fieldLimit_) {
    if (atLineEnd && scan.written > scan.rawStart && buffer_[scan.written - 1] == '\r') {
      --scan.written;
    }
    if (scan.written - scan.fieldStart > kMaxFieldBytes) {
      scan.tooLong = true;
      scan.written = scan.fieldStart + kMaxFieldBytes;
    }
    bounds_.push_back(scan.fieldStart - scan.recordBegin);
    bounds_.push_back(scan.written - scan.recordBegin);
  }
  ++scan.fieldCount;
  scan.fieldStart = scan.written;
  scan.rawStart = scan.written;
}

// One unquoted field of nothing but spaces and tabs.
bool CsvReader::IsBlankLine(const Scan& scan) const {
  if (scan.fieldCount != 1 || scan.firstQuoted || scan.tooLong || bounds_.empty()) return false;
  const char* record = buffer_.data() + scan.recordBegin;
  return std::all_of(record + bounds_[0], record + bounds_[1], IsBlank);
}

void CsvReader::Publish(const Scan& scan, CsvRecord& record) {
  const char* data = buffer_.data() + scan.recordBegin;
  views_.clear();
  for (std::size_t i = 0; i < bounds_.size(); i += 2) {
    views_.emplace_back(data + bounds_[i], bounds_[i + 1] - bounds_[i]);
  }
  record.fields = views_;
  record.fieldCount = scan.fieldCount;
  record.line = scan.startLine;
  record.fieldTooLong = scan.tooLong;
  record.unclosedQuote = scan.unclosed;
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

std::ptrdiff_t TextSource::Read(char* buffer, std::size_t size, int* /*error*/) {
  const std::size_t count = std::min(size, rest_.size());
  // An empty view may hold a null pointer, which memcpy may not be given.
  if (count > 0) std::memcpy(buffer, rest_.data(), count);
  rest_.remove_prefix(count);
  return static_cast<std::ptrdiff_t>(count);
}

}  // namespace hygrian::tables

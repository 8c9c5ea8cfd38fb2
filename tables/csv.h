// Streaming CSV as RFC 4180 has it: quoted fields (with commas, doubled quotes and
// line ends inside), LF or CR LF line ends, a UTF-8 byte-order mark skipped, blank
// lines skipped. Memory stays bounded: a field keeps at most kMaxFieldBytes and a
// record at most the field limit's number of fields; the rest is counted, not kept.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace hygrian::tables {

inline constexpr std::size_t kMaxFieldBytes = std::size_t{1} << 20;  // 1 MiB
inline constexpr std::size_t kDefaultBufferBytes = std::size_t{1} << 20;

// Where the reader's bytes come from: a file, a pipe, a string in a test.
class ByteSource {
 public:
  virtual ~ByteSource() = default;
  // Reads up to size bytes into buffer; returns the count, 0 at the end of the
  // input, or -1 on an error (with the error number in *error).
  virtual std::ptrdiff_t Read(char* buffer, std::size_t size, int* error) = 0;
};

// Bytes in memory as a source: a header line read again, a chunk of a file,
// the page's tables. The text must outlive the source.
class TextSource final : public ByteSource {
 public:
  explicit TextSource(std::string_view text) : rest_(text) {}
  std::ptrdiff_t Read(char* buffer, std::size_t size, int* error) override;

 private:
  std::string_view rest_;
};

// One record, valid until the next call of CsvReader::Next.
struct CsvRecord {
  std::span<const std::string_view> fields;  // the first min(fieldCount, limit) fields, decoded
  std::size_t fieldCount = 0;                // every field of the record
  std::uint64_t line = 0;                    // physical line where the record starts (from 1)
  bool fieldTooLong = false;                 // a field was longer than kMaxFieldBytes (and cut)
  std::uint64_t unclosedQuote = 0;           // line of a quote the input ended inside, or 0
};

enum class CsvNext {
  Record,     // *record holds the next record
  End,        // no more records
  ReadError,  // the source failed; Error() says why
};

class CsvReader {
 public:
  // The reader keeps the source by reference; it must outlive the reader. Reads
  // fill a buffer of bufferBytes (at least 4), which grows only for a record
  // that does not fit.
  explicit CsvReader(ByteSource& source, std::size_t bufferBytes = kDefaultBufferBytes);

  // Reads the next record that is not a blank line (nothing but spaces and tabs).
  // A field is quoted when its first byte is a double quote; bytes after its
  // closing quote are kept as they are, and so is a quote inside an unquoted
  // field. A quoted field that the input ends inside ends with the input, and
  // the record says on which line its quote opened.
  //   a,"b,""c""",d  -> a | b,"c" | d
  //   "x\r\ny"\r\n   -> x\r\ny          (the line end inside quotes is data)
  [[nodiscard]] CsvNext Next(CsvRecord& record);

  // From the next record on, fields beyond the first `limit` are counted only.
  void SetFieldLimit(std::size_t limit) { fieldLimit_ = limit; }
  // From the next record on, fields end at delimiter (',', ';' or a tab) instead
  // of a comma.
  void SetDelimiter(char delimiter) { delimiter_ = delimiter; }
  // From the next record on (while on), a record is one whole line as it is:
  // no delimiter, no quotes. The line of a header whose delimiter is not known.
  void SetWholeLines(bool on) { wholeLines_ = on; }
  // Reads a piece of an input that starts at a record on `line`: no byte-order
  // mark is looked for, and lines count from there. Before the first Next.
  void ContinueAt(std::uint64_t line) {
    atStart_ = false;
    line_ = line;
  }

  // What is read of the source and not yet taken up by a record, whether the
  // source has reported its end, and the line the next byte is on: where a
  // caller that reads the rest itself takes over.
  [[nodiscard]] std::string_view Unread() const { return {buffer_.data() + next_, end_ - next_}; }
  [[nodiscard]] bool SourceEnded() const { return ended_; }
  [[nodiscard]] std::uint64_t Line() const { return line_; }

  // Bytes of the input taken up by the records returned so far, with the blank
  // lines and byte-order mark before them (for progress displays).
  [[nodiscard]] std::uint64_t BytesRead() const { return bytesRead_ - (end_ - next_); }
  // The error number of the failed read after CsvNext::ReadError.
  [[nodiscard]] int Error() const { return error_; }

 private:
  struct Scan;
  bool Refill(Scan& scan);
  bool SkipByteOrderMark();
  // The steps of Next: one record's bytes decoded in place, a byte at a time in
  // the state its field is in, then the record handed out unless it is blank.
  Scan StartRecord();
  CsvNext ScanRecord(Scan& scan);
  CsvNext EndInput(Scan& scan);
  void StartField(Scan& scan, char byte);
  void ScanUnquoted(Scan& scan, char byte);
  void ScanQuoted(Scan& scan, char byte);
  void ScanAfterQuote(Scan& scan, char byte);
  void Store(Scan& scan, char byte);
  void EndField(Scan& scan, bool atLineEnd);
  [[nodiscard]] bool IsBlankLine(const Scan& scan) const;
  void Publish(const Scan& scan, CsvRecord& record);

  ByteSource& source_;
  // The record being read is decoded in place: its decoded bytes sit at
  // [recordBegin, written) and never overtake the unread input at [next_, end_).
  std::vector<char> buffer_;
  std::size_t bufferBytes_;
  std::size_t minimumRead_;  // a read into less room than this moves the record first
  std::size_t next_ = 0;
  std::size_t end_ = 0;
  std::size_t fieldLimit_ = 65536;
  char delimiter_ = ',';
  bool wholeLines_ = false;
  std::vector<std::size_t> bounds_;  // begin and end of each kept field, from recordBegin
  std::vector<std::string_view> views_;
  std::uint64_t line_ = 1;
  std::uint64_t bytesRead_ = 0;
  bool atStart_ = true;  // a byte-order mark may still come
  bool ended_ = false;   // the source has reported its end
  int error_ = 0;
};

// The bytes WriteCsvField writes for field: the field as it is when it holds no
// comma, quote, CR or LF, else the field in double quotes with each quote
// doubled (a"b -> "a""b", a,b -> "a,b").
[[nodiscard]] std::size_t CsvFieldSize(std::string_view field) noexcept;

// Writes field at out as CsvFieldSize says, and returns the end.
char* WriteCsvField(char* out, std::string_view field) noexcept;

}  // namespace hygrian::tables

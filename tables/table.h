// The input contract of a table of measured air states: a header that names
// two columns that form one of the caller's pairs (dry_bulb and a second value,
// or one of the more pairs the caller names), perhaps pressure (in kPa, hPa or
// Pa), and rows that give those values as numbers. Any other column is carried
// along. TableReader puts it together over a CsvReader. The
// words of its messages that name a program's options come from the caller.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "tables/csv.h"
#include "tables/encoding.h"
#include "tables/pressure.h"

namespace hygrian::tables {

// The options of a program that the reader's messages name, as hints.
struct ReaderWords {
  std::string_view columnOptions;  // "--dry-bulb-column and the like"
  std::string_view delimiter;      // "--delimiter"
  std::string_view pair;           // "--pair"
  std::string_view encoding;       // "--encoding latin1 or cp1252", for a header not in UTF-8
};

// Where the header is looked for when the first line is not one: among the first
// lines up to this many, within this many bytes.
inline constexpr std::size_t kHeaderSearchLines = 50;
inline constexpr std::uint64_t kHeaderSearchBytes = std::uint64_t{64} << 10;

// A pair read without dry_bulb in the first role: the standard keys of its two
// columns ("humidity_ratio", "enthalpy").
struct PairKeys {
  std::string_view first;
  std::string_view second;
};

// How a table is read beyond plain CSV with the standard column names.
struct ReadOptions {
  char delimiter = '\0';      // any byte but a quote, CR or LF; '\0': the header line decides
                              // among ',', ';' and tab
  bool decimalComma = false;  // numbers read 23,5 (with a comma delimiter only when quoted)
  bool missingIsBad = false;  // a missing value is bad input instead of missing
  // More gap markers than the built-in ones: texts (lower case, no blanks around
  // them) and numbers (matched by value: -9999 is also -9999.0).
  std::vector<std::string> missingTexts;
  std::vector<double> missingNumbers;
  Encoding encoding = Encoding::Detected;
  // Physical lines before the header that are never taken for it (title lines
  // beyond the search, or lines that look like a header but are not).
  std::uint64_t skipLines = 0;
  // The standard keys of the second values that may come with dry_bulb
  // ("wet_bulb", ...): a pair is an index into them. They must outlive the reading.
  std::span<const std::string_view> secondKeys;
  // secondKeys from this index on are read only when the header holds none of
  // those before it (a column of them beside one before is carried).
  std::size_t aloneFrom = SIZE_MAX;
  // The pairs read when the header holds dry_bulb with none of secondKeys, or no
  // dry_bulb: the first of them whose two columns are there (a pair index
  // secondKeys.size() + i). Their keys are dry_bulb, secondKeys or otherKeys.
  // They must outlive the reading.
  std::span<const PairKeys> morePairs;
  std::span<const std::string_view> otherKeys;  // the keys of morePairs beyond those above
  // The names of the columns where the header does not use the standard ones
  // (any case, blanks around them ignored); empty: the standard name.
  std::string dryBulbColumn;
  std::vector<std::string> secondColumns;  // by secondKeys; may be shorter
  std::vector<std::string> otherColumns;   // by otherKeys; may be shorter
  std::string pressureColumn;
  // A column is also found by its name followed by a unit ("dry_bulb (degF)":
  // see NameUnit), which the caller then reads.
  bool namesWithUnits = false;
  // The pair when the header holds several second values, or one of morePairs;
  // a named pair column of secondKeys chooses as well (at most one of them may
  // be named).
  std::optional<std::size_t> pair;
  PressureRange pressureRange{0.0, 1e300, {}};  // the caller's range and option
  ReaderWords words;
  // The keys of the columns the caller writes after the carried ones: a column
  // so named is not carried (a table the caller wrote is read again afresh),
  // and the pair's second column is carried when it is not one of them.
  // The keys must outlive the reading.
  std::span<const std::string_view> resultColumns;
};

inline constexpr std::size_t kNoColumn = SIZE_MAX;
inline constexpr std::size_t kMaxColumns = 65536;

// The columns of a table, from its header.
struct Layout {
  std::size_t pair = 0;                    // by ReadOptions::secondKeys, then morePairs
  std::size_t first = kNoColumn;           // index of the pair's first column (dry_bulb's, if
                                           // named, when no pair is found)
  std::size_t second = kNoColumn;          // index of the pair's second column
  std::size_t pressure = kNoColumn;        // index of pressure, or kNoColumn
  std::vector<std::size_t> carried;        // other columns, in order; pressure among them, but no
                                           // result column (a table written by the batch program)
  std::vector<std::string> names;          // the header's fields as read
  std::vector<std::string> keys;           // the same in lower case without blanks around them
  std::string_view firstKey = "dry_bulb";  // the pair's first standard key
  std::string_view secondKey;              // the pair's second standard key ("wet_bulb")
  PressureRange pressureRange;             // the pressures taken, as the options give them
  char delimiter = ',';                    // the delimiter the rows are read with
  bool decimalComma = false;               // numbers are read with a decimal comma
  [[nodiscard]] std::size_t Columns() const { return names.size(); }
};

// Reads the header record into layout. Columns named in options.resultColumns
// that are not read (status, enthalpy, a second value not chosen) are dropped.
// A pair of dry_bulb with a second value is chosen first; only a header without
// one is read by the first of options.morePairs whose columns are there. Returns
// an empty string, or what is wrong:
//   "no dry_bulb column; found: Time, Dry Bulb, RH; accepted: ..." (and a hint
//       at --delimiter when the header is one field holding ';' or a tab)
//   "no wet_bulb, dew_point, relative_humidity or humidity_ratio column; found: ..."
//   "several second values (wet_bulb, dew_point): choose one with --pair"
// When the header holds no dry_bulb but a column of otherKeys, or two columns
// of morePairs that form none, the names accepted are followed by those pairs:
//   "...; or without dry_bulb: humidity_ratio+enthalpy, ..."
// A missing column's message suggests a field of the header that is close
// ("; did you mean 'Dry Bulb (degC)'?") and, when the header is not UTF-8,
// names the encoding ("; the header is not UTF-8: --encoding latin1 or cp1252?").
// (the second values and the options as the options name them).
//   "two dry_bulb columns" (or pressure, or the pair's column)
//   "quote opened at line 4 is not closed"
//   "header field longer than 1 MiB", "more than 65536 columns"
[[nodiscard]] std::string ReadLayout(const CsvRecord& header, Layout& layout,
                                     const ReadOptions& options = {});

// The unit that a header name writes after it in parentheses or brackets,
// trimmed: "Temp (°F)" -> "°F", "RH [%]" -> "%", "dry_bulb" -> "". With
// ReadOptions::namesWithUnits, ReadLayout finds a column by its name with or
// without it ("dry_bulb (degF)" is dry_bulb).
[[nodiscard]] std::string_view NameUnit(std::string_view name) noexcept;
// The name before that unit, trimmed: "Temp (°F)" -> "Temp", "dry_bulb" -> "dry_bulb".
[[nodiscard]] std::string_view NameWithoutUnit(std::string_view name) noexcept;

// Whether two headers name the same columns in the same order (by their keys).
[[nodiscard]] bool SameColumns(const Layout& a, const Layout& b) noexcept;

// Why a row gives no measured values.
enum class BadInput {
  None,                  // the values are good
  Missing,               // a gap in one of the pair's columns: "", NA, N/A, NaN, -, null,
                         // ---, #N/A or a marker of ReadOptions
  UnclosedQuote,         // "quote opened at line 4 is not closed"
  FieldTooLong,          // "field longer than 1 MiB"
  FieldCount,            // "expected N fields, found M"
  Empty,                 // "COLUMN is empty"
  NotANumber,            // "COLUMN \"23,5\" is not a number" (cut at 40 bytes)
  OutOfRange,            // "COLUMN \"1e999\" is out of range" (a magnitude that overflows)
  MarkedGap,             // "COLUMN \"-9999\" marks a gap" (a numeric marker with missingIsBad)
  PressureOutsideRange,  // "pressure 1013 kPa is outside 20 to 200 kPa (in hPa? ...)" (the range
                         // and option the caller gives)
};

// One row's measured values, or why there are none.
struct Measured {
  double first = 0.0;     // the pair's first value: degrees C, kg/kg or kJ/kg
  double second = 0.0;    // the pair's second value: degrees C, percent, kg/kg or kJ/kg
  double pressure = 0.0;  // kPa, in the range; as given in pressureUnit when outside
  PressureUnit pressureUnit = PressureUnit::KPa;  // the pressure column's unit
  BadInput bad = BadInput::None;
  std::string_view column;      // the column at fault, by its key ("dry_bulb", "pressure")
  std::size_t found = 0;        // the fields the row has, for FieldCount
  std::string_view text;        // the field at fault as read (valid with the record)
  std::uint64_t quoteLine = 0;  // for UnclosedQuote: the line the quote opened on
  bool firstRead = false;       // first holds a value (also in a Missing row)
  bool secondRead = false;      // second holds a value (also in a Missing row)
};

// Whether text is a gap: a built-in marker or one of options' (see ReadOptions).
[[nodiscard]] bool IsGap(std::string_view text, const ReadOptions& options) noexcept;

// Turns a record into measured values. The checks run in this order: a quote
// left open, a field too long, the field count, the pair's first column, its
// second, pressure; the first that fails names the reason. A gap in one of the
// pair's columns is Missing unless options.missingIsBad. A pressure field is in
// pressureUnit and must come to options.pressureRange; an empty one (or no
// pressure column) takes defaultPressure, in kPa.
[[nodiscard]] Measured ReadMeasured(const Layout& layout, const CsvRecord& record,
                                    double defaultPressure,
                                    const PressureUnit& pressureUnit = PressureUnit::KPa,
                                    const ReadOptions& options = {}) noexcept;

// The row's total pressure, as ReadMeasured reads it after the pair: its
// pressure cell in pressureUnit, in kPa, or defaultPressure for an empty cell,
// a gap or no pressure column; false, with measured's reason (its other
// fields kept), when the cell is bad or outside the range. For a row whose
// pair is a gap, whose pressure ReadMeasured does not read.
bool ReadPressure(const Layout& layout, const CsvRecord& record, double defaultPressure,
                  const PressureUnit& pressureUnit, const ReadOptions& options,
                  Measured& measured) noexcept;

// Room for any reason text.
using ReasonBuffer = std::array<char, 256>;

// The longest part of a bad value that a reason quotes; a longer one is cut
// there and followed by "...".
inline constexpr std::size_t kQuotedValueBytes = 40;

// The reason text of a bad row, in buffer: "dew_point \"x\" is not a number",
// "expected 4 fields, found 5", "pressure 0 kPa is outside 20 to 200 kPa",
// "dry_bulb is missing". A control byte of a quoted value comes out as '?'. Empty for None.
[[nodiscard]] std::string_view BadInputText(const Layout& layout, const Measured& measured,
                                            ReasonBuffer& buffer) noexcept;

// A table read row by row: the header first, then each row with its values.
//
//   TextSource source(text);              // any ByteSource
//   TableReader table(source, 101.325);
//   std::string problem;
//   if (table.ReadHeader(problem) != TableReader::HeaderStatus::Ok) ...;
//   TableReader::Row row;
//   while (table.Next(row) == CsvNext::Record) {
//     if (row.measured.bad == BadInput::None) use(row.measured.first, ...);
//   }
class TableReader {
 public:
  enum class HeaderStatus {
    Ok,         // ColumnLayout() holds the columns
    Empty,      // the input has no record at all
    Invalid,    // the header is not a table's; the message says why
    ReadError,  // the source failed; Error() says why
  };

  // defaultPressure in kPa; pressureUnit that of a pressure column; bufferBytes
  // as CsvReader takes it.
  TableReader(ByteSource& source, double defaultPressure,
              const PressureUnit& pressureUnit = PressureUnit::KPa,
              std::size_t bufferBytes = kDefaultBufferBytes, ReadOptions options = {})
      : decoder_(source, options.encoding),
        csv_(decoder_, bufferBytes),
        defaultPressure_(defaultPressure),
        pressureUnit_(pressureUnit),
        options_(std::move(options)) {}

  // Reads the header; on Invalid, message says what is wrong with it. Without a
  // delimiter in the options, the header's line chooses the one of ',', ';' and
  // tab that splits it into more than one field (it must then be one line).
  // When the first line (after options.skipLines) is no header, the next ones
  // are tried, up to kHeaderSearchLines lines and kHeaderSearchBytes: the first
  // that is one, or names dry_bulb, is the header, and the lines above it are passed
  // over (title lines). If none does, the message is that of the first line
  // with a field close to a name asked for (a header with a slip), else the first line's.
  [[nodiscard]] HeaderStatus ReadHeader(std::string& message);
  [[nodiscard]] const Layout& ColumnLayout() const { return layout_; }
  // The physical line of the header (1 unless blank lines come first).
  [[nodiscard]] std::uint64_t HeaderLine() const { return headerLine_; }

  struct Row {
    CsvRecord record;   // the fields as read (valid until the next call)
    Measured measured;  // the values, or why there are none
  };
  // The next row after the header (ReadHeader must have returned Ok).
  [[nodiscard]] CsvNext Next(Row& row);

  // The unit of the pressure column's values from now on (a header's may name it).
  void SetPressureUnit(const PressureUnit& unit) { pressureUnit_ = unit; }

  [[nodiscard]] std::uint64_t BytesRead() const { return csv_.BytesRead(); }
  [[nodiscard]] int Error() const { return csv_.Error(); }

  // For a caller that reads the rows itself after ReadHeader (in pieces, in
  // parallel): the bytes read and not yet taken up, whether the input has
  // ended, the line they start on, and the rest of the input (in UTF-8).
  [[nodiscard]] std::string_view Unread() const { return csv_.Unread(); }
  [[nodiscard]] bool SourceEnded() const { return csv_.SourceEnded(); }
  [[nodiscard]] std::uint64_t Line() const { return csv_.Line(); }
  [[nodiscard]] ByteSource& Rest() { return decoder_; }
  // A record's values as Next reads them; safe from several threads at once.
  [[nodiscard]] Measured Measure(const CsvRecord& record) const {
    return ReadMeasured(layout_, record, defaultPressure_, pressureUnit_, options_);
  }
  // The pressure of a record whose pair is a gap, as ReadPressure reads it.
  [[nodiscard]] bool MeasurePressure(const CsvRecord& record, Measured& measured) const {
    return ReadPressure(layout_, record, defaultPressure_, pressureUnit_, options_, measured);
  }

 private:
  // Reads the header line with the delimiter that splits it.
  std::string ReadDetected(std::string_view line);
  // Reads one record as the header; End or ReadError when there is none.
  CsvNext ReadCandidate(std::string& message);

  DecodingSource decoder_;
  CsvReader csv_;
  double defaultPressure_;
  PressureUnit pressureUnit_;
  ReadOptions options_;
  Layout layout_;
  std::uint64_t headerLine_ = 0;
  char delimiter_ = ',';  // the delimiter of the last line read as a header
};

}  // namespace hygrian::tables

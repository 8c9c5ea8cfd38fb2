// The input contract of a table of measured air states: a header that names
// dry_bulb and one of wet_bulb, dew_point, relative_humidity, humidity_ratio (and
// perhaps pressure, in kPa, hPa or Pa), and rows that give those values as
// numbers. Any other column is carried along. TableReader puts it together over
// a CsvReader.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "tables/csv.h"
#include "tables/pressure.h"

namespace hygrian::tables {

// The measured value that comes with the dry-bulb temperature.
enum class Pair {
  WetBulb,           // wet_bulb, degrees C
  DewPoint,          // dew_point, degrees C
  RelativeHumidity,  // relative_humidity, percent
  HumidityRatio,     // humidity_ratio, kg/kg
};

inline constexpr std::size_t NoColumn = SIZE_MAX;
inline constexpr std::size_t MaxColumns = 65536;

// The columns of a table, from its header.
struct Layout {
  Pair pair = Pair::WetBulb;
  std::size_t dryBulb = NoColumn;    // index of dry_bulb
  std::size_t second = NoColumn;     // index of the pair's column
  std::size_t pressure = NoColumn;   // index of pressure, or NoColumn
  std::vector<std::size_t> carried;  // every other column, in order; pressure among them
  std::vector<std::string> names;    // the header's fields as read
  std::vector<std::string> keys;     // the same in lower case without blanks around them
  [[nodiscard]] std::size_t columns() const { return names.size(); }
};

// The output columns that follow the carried ones, in order. A carried column
// may not be named like one of them.
inline constexpr std::array<std::string_view, 10> ResultColumns = {"dry_bulb",
                                                                   "wet_bulb",
                                                                   "dew_point",
                                                                   "relative_humidity",
                                                                   "enthalpy",
                                                                   "humidity_ratio",
                                                                   "degree_of_saturation",
                                                                   "specific_volume",
                                                                   "vapor_pressure",
                                                                   "status"};

// The column name of a pair: "wet_bulb", "dew_point", "relative_humidity" or
// "humidity_ratio".
[[nodiscard]] std::string_view PairColumn(Pair pair) noexcept;

// Reads the header record into layout. Returns an empty string, or what is wrong:
//   "no dry_bulb column"
//   "no wet_bulb, dew_point, relative_humidity or humidity_ratio column"
//   "more than one of wet_bulb, dew_point, relative_humidity, humidity_ratio"
//   "two dry_bulb columns" (or pressure, or the pair's column)
//   "carried column status is named like a result column"
//   "header field longer than 1 MiB", "more than 65536 columns"
[[nodiscard]] std::string ReadLayout(const CsvRecord& header, Layout& layout);

// Whether two headers name the same columns in the same order (by their keys).
[[nodiscard]] bool SameColumns(const Layout& a, const Layout& b) noexcept;

// Why a row gives no measured values.
enum class BadInput {
  None,                  // the values are good
  FieldTooLong,          // "field longer than 1 MiB"
  FieldCount,            // "expected N fields, found M"
  Empty,                 // "COLUMN is empty"
  NotANumber,            // "COLUMN is not a number"
  OutOfRange,            // "COLUMN is out of range" (a magnitude that overflows)
  PressureOutsideRange,  // "pressure 1013 kPa is outside 20 to 200 kPa (in hPa? ...)"
};

// One row's measured values, or why there are none.
struct Measured {
  double dryBulb = 0.0;   // degrees C
  double second = 0.0;    // the pair's value: degrees C, percent or kg/kg
  double pressure = 0.0;  // kPa, 20 to 200; as given in pressureUnit when outside
  PressureUnit pressureUnit = PressureUnit::KPa;  // the pressure column's unit
  BadInput bad = BadInput::None;
  std::string_view column;  // the column at fault, by its key ("dry_bulb", "pressure")
  std::size_t found = 0;    // the fields the row has, for FieldCount
};

// Turns a record into measured values. The checks run in this order: a field
// too long, the field count, dry_bulb, the pair's column, pressure; the first
// that fails names the reason. A pressure field is in pressureUnit and must come
// to 20 to 200 kPa; an empty one (or no pressure column) takes defaultPressure,
// in kPa.
[[nodiscard]] Measured ReadMeasured(const Layout& layout, const CsvRecord& record,
                                    double defaultPressure,
                                    PressureUnit pressureUnit = PressureUnit::KPa) noexcept;

// Room for any reason text.
using ReasonBuffer = std::array<char, 128>;

// The reason text of a bad row, in buffer: "dew_point is not a number",
// "expected 4 fields, found 5", "pressure 0 kPa is outside 20 to 200 kPa".
// Empty for None.
[[nodiscard]] std::string_view BadInputText(const Layout& layout, const Measured& measured,
                                            ReasonBuffer& buffer) noexcept;

// A table read row by row: the header first, then each row with its values.
//
//   FileSource source(fd);                // any ByteSource
//   TableReader table(source, 101.325);
//   std::string problem;
//   if (table.ReadHeader(problem) != HeaderStatus::Ok) ...;
//   TableRow row;
//   while (table.Next(row) == CsvNext::Record) {
//     if (row.measured.bad == BadInput::None) use(row.measured.dryBulb, ...);
//   }
class TableReader {
 public:
  enum class HeaderStatus {
    Ok,         // layout() holds the columns
    Empty,      // the input has no record at all
    Invalid,    // the header is not a table's; the message says why
    ReadError,  // the source failed; error() says why
  };

  // defaultPressure in kPa; pressureUnit that of a pressure column; bufferBytes
  // as CsvReader takes it.
  TableReader(ByteSource& source, double defaultPressure,
              PressureUnit pressureUnit = PressureUnit::KPa,
              std::size_t bufferBytes = DefaultBufferBytes)
      : csv_(source, bufferBytes), defaultPressure_(defaultPressure), pressureUnit_(pressureUnit) {}

  // Reads the header; on Invalid, message says what is wrong with it.
  [[nodiscard]] HeaderStatus ReadHeader(std::string& message);
  [[nodiscard]] const Layout& layout() const { return layout_; }
  // The physical line of the header (1 unless blank lines come first).
  [[nodiscard]] std::uint64_t headerLine() const { return headerLine_; }

  struct Row {
    CsvRecord record;   // the fields as read (valid until the next call)
    Measured measured;  // the values, or why there are none
  };
  // The next row after the header (ReadHeader must have returned Ok).
  [[nodiscard]] CsvNext Next(Row& row);

  [[nodiscard]] std::uint64_t bytesRead() const { return csv_.bytesRead(); }
  [[nodiscard]] int error() const { return csv_.error(); }

 private:
  CsvReader csv_;
  double defaultPressure_;
  PressureUnit pressureUnit_;
  Layout layout_;
  std::uint64_t headerLine_ = 0;
};

}  // namespace hygrian::tables

// The options of how a program reads tables, the same in every program that
// reads them: --delimiter, --decimal-comma, --missing, the column names and
// --pair. AddReaderOptions puts them on a command line; ReadReaderOptions checks
// what they were given and turns it into the table reader's options.
#pragma once

#include <CLI/CLI.hpp>
#include <string>
#include <vector>

#include "tables/table.h"

namespace hygrian::cli {

// The texts of the reader options as given (empty: not given).
struct ReaderOptions {
  std::string delimiter;  // one byte, or "tab"
  bool decimalComma = false;
  std::string missing;        // "missing" (the default) or "bad"
  std::string missingValues;  // more gap markers, separated by commas: "-9999,ERR"
  std::string encoding;       // "latin1", "cp1252" (or "utf-8", the default)
  std::string skipLines;      // a count of lines before the header
  std::string dryBulbColumn;
  std::vector<std::string> secondColumns;  // by hygrian::Pairs
  std::vector<std::string> otherColumns;   // by kOtherKeys ("enthalpy")
  std::string pressureColumn;
  std::string pair;  // a second value's key (wet_bulb, ...) or a pair's (humidity_ratio_enthalpy)
};

// Adds the reader options to app, to fill options (which must outlive app);
// pressureColumn: the program takes a pressure column (--pressure-column).
void AddReaderOptions(CLI::App& app, ReaderOptions& options, bool pressureColumn = true);

// Checks the options and fills read (the second values' keys, the pressure range
// and the option names of its messages among them); returns "" or the usage error:
//   "--delimiter: '.' cannot end fields (any one byte but a quote, CR, LF, a digit, '.',
//    '+' or '-'; or tab)"
//   "--missing-values: an empty marker" (an empty field is a gap already)
//   "--encoding: 'ebcdic' is not utf-8, latin1 or cp1252"
//   "--skip-lines: 'x' is not a whole number"
//   "--missing: 'skip' is not missing or bad"
//   "--pair: 'rh' is not wet_bulb, dew_point, relative_humidity, humidity_ratio or
//    specific_humidity (with dry_bulb), nor a pair: dry_bulb_enthalpy, ... or
//    humidity_ratio_relative_humidity"
//   "--wet-bulb-column and --dew-point-column: name one second value"
//   "--pair dew_point and --wet-bulb-column: name one second value"
[[nodiscard]] std::string ReadReaderOptions(const ReaderOptions& options,
                                            tables::ReadOptions& read);

}  // namespace hygrian::cli

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
  std::string delimiter;  // ",", ";", "tab" (or a tab)
  bool decimalComma = false;
  std::string missing;  // "missing" (the default) or "bad"
  std::string dryBulbColumn;
  std::vector<std::string> secondColumns;  // by hygrian::Pairs
  std::string pressureColumn;
  std::string pair;  // a second value's key: wet_bulb, dew_point, ...
};

// Adds the reader options to app, to fill options (which must outlive app).
void AddReaderOptions(CLI::App& app, ReaderOptions& options);

// Checks the options and fills read (the second values' keys, the pressure range
// and the option names of its messages among them); returns "" or the usage error:
//   "--delimiter: ':' is not ',', ';' or tab"
//   "--decimal-comma: the delimiter cannot be a comma"
//   "--missing: 'skip' is not missing or bad"
//   "--pair: 'rh' is not wet_bulb, dew_point, relative_humidity, humidity_ratio or
//    specific_humidity"
//   "--wet-bulb-column and --dew-point-column: name one second value"
//   "--pair dew_point and --wet-bulb-column: name one second value"
[[nodiscard]] std::string ReadReaderOptions(const ReaderOptions& options,
                                            tables::ReadOptions& read);

}  // namespace hygrian::cli

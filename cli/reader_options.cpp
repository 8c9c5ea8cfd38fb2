#include "cli/reader_options.h"

#include <array>
#include <string_view>

namespace hygrian::cli {
namespace {

struct ColumnOption {
  std::string ReaderOptions::*column;
  std::string_view flag;
  std::string_view description;
};

// The options that name columns, in the order --help lists them: dry_bulb, the
// second values by tables::kPairs, the pressure.
constexpr std::array<ColumnOption, tables::kPairs.size() + 2> kColumnOptions = {{
    {&ReaderOptions::dryBulbColumn, "--dry-bulb-column", "The dry_bulb column is named COL"},
    {&ReaderOptions::wetBulbColumn, "--wet-bulb-column", "The wet_bulb column is COL"},
    {&ReaderOptions::dewPointColumn, "--dew-point-column", "The dew_point column is COL"},
    {&ReaderOptions::relativeHumidityColumn, "--relative-humidity-column",
     "The relative_humidity column is COL"},
    {&ReaderOptions::humidityRatioColumn, "--humidity-ratio-column",
     "The humidity_ratio column is COL"},
    {&ReaderOptions::pressureColumn, "--pressure-column", "The pressure column is COL"},
}};

// The option that names the column of tables::kPairs[p].
const ColumnOption& PairOption(std::size_t p) { return kColumnOptions[1 + p]; }

std::string ReadPair(const ReaderOptions& options, tables::ReadOptions& read) {
  std::string chooser;  // the first option that chose the pair
  if (!options.pair.empty()) {
    for (const tables::Pair pair : tables::kPairs) {
      if (options.pair == tables::PairColumn(pair)) read.pair = pair;
    }
    if (!read.pair) {
      return "--pair: '" + options.pair +
             "' is not wet_bulb, dew_point, relative_humidity or humidity_ratio";
    }
    chooser = "--pair " + options.pair;
  }
  for (std::size_t p = 0; p < tables::kPairs.size(); ++p) {
    const ColumnOption& option = PairOption(p);
    const std::string& column = options.*option.column;
    if (column.empty()) continue;
    if (read.pair && *read.pair != tables::kPairs[p]) {
      return chooser + " and " + std::string(option.flag) + ": name one second value";
    }
    read.pair = tables::kPairs[p];
    read.pairColumns[p] = column;
    if (chooser.empty()) chooser = option.flag;
  }
  return "";
}

}  // namespace

void AddReaderOptions(CLI::App& app, ReaderOptions& options) {
  app.add_option("--delimiter", options.delimiter,
                 "Fields end at C: , ; or tab (the header decides)")
      ->type_name("C");
  app.add_flag("--decimal-comma", options.decimalComma, "Numbers have a decimal comma: 23,5")
      ->disable_flag_override();
  app.add_option("--missing", options.missing, "A gap (empty, NA, N/A, NaN, -, null) is missing")
      ->type_name("missing|bad");
  for (const ColumnOption& column : kColumnOptions) {
    app.add_option(std::string(column.flag), options.*column.column,
                   std::string(column.description))
        ->type_name("COL");
  }
  app.add_option("--pair", options.pair, "The second value, when the header holds several")
      ->type_name("NAME");
}

std::string ReadReaderOptions(const ReaderOptions& options, tables::ReadOptions& read) {
  read = tables::ReadOptions{};
  const std::string& d = options.delimiter;
  if (d == "," || d == ";") {
    read.delimiter = d[0];
  } else if (d == "tab" || d == "\t" || d == "\\t") {
    read.delimiter = '\t';
  } else if (!d.empty()) {
    return "--delimiter: '" + d + "' is not ',', ';' or tab";
  }
  read.decimalComma = options.decimalComma;
  if (read.decimalComma && read.delimiter == ',') {
    return "--decimal-comma: the delimiter cannot be a comma";
  }
  if (options.missing == "bad") {
    read.missingIsBad = true;
  } else if (!options.missing.empty() && options.missing != "missing") {
    return "--missing: '" + options.missing + "' is not missing or bad";
  }
  read.dryBulbColumn = options.dryBulbColumn;
  read.pressureColumn = options.pressureColumn;
  return ReadPair(options, read);
}

}  // namespace hygrian::cli

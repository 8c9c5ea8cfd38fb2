#include "cli/reader_options.h"

#include <array>
#include <string_view>

namespace hygrian::cli {
namespace {

struct PairOption {
  std::string ReaderOptions::*column;
  std::string_view flag;
};

// By tables::kPairs.
constexpr std::array<PairOption, tables::kPairs.size()> PairOptions = {{
    {&ReaderOptions::wetBulbColumn, "--wet-bulb-column"},
    {&ReaderOptions::dewPointColumn, "--dew-point-column"},
    {&ReaderOptions::relativeHumidityColumn, "--relative-humidity-column"},
    {&ReaderOptions::humidityRatioColumn, "--humidity-ratio-column"},
}};

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
    const std::string& column = options.*PairOptions[p].column;
    if (column.empty()) continue;
    if (read.pair && *read.pair != tables::kPairs[p]) {
      return chooser + " and " + std::string(PairOptions[p].flag) + ": name one second value";
    }
    read.pair = tables::kPairs[p];
    read.pairColumns[p] = column;
    if (chooser.empty()) chooser = PairOptions[p].flag;
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
  app.add_option("--dry-bulb-column", options.dryBulbColumn, "The dry_bulb column is named COL")
      ->type_name("COL");
  app.add_option("--wet-bulb-column", options.wetBulbColumn, "The wet_bulb column is COL")
      ->type_name("COL");
  app.add_option("--dew-point-column", options.dewPointColumn, "The dew_point column is COL")
      ->type_name("COL");
  app.add_option("--relative-humidity-column", options.relativeHumidityColumn,
                 "The relative_humidity column is COL")
      ->type_name("COL");
  app.add_option("--humidity-ratio-column", options.humidityRatioColumn,
                 "The humidity_ratio column is COL")
      ->type_name("COL");
  app.add_option("--pressure-column", options.pressureColumn, "The pressure column is COL")
      ->type_name("COL");
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
